#include "app/about_dlg.h"

#include "app/orvenna_oc_app.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// The program's emblem: a case folder with a tick on a dark blue tile.
QPixmap Emblem(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    QLinearGradient tile(0, 0, 0, 48);
    tile.setColorAt(0, QColor(0x2f, 0x5f, 0x9e));
    tile.setColorAt(1, QColor(0x1b, 0x3a, 0x66));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    painter.setBrush(QColor(0xf4, 0xc4, 0x5a));
    painter.drawRoundedRect(QRectF(9, 14, 30, 22), 2, 2);
    painter.drawRoundedRect(QRectF(9, 11, 12, 6), 2, 2);
    painter.setPen(QPen(QColor(0x1b, 0x3a, 0x66), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(17, 25);
    tick.lineTo(22, 30);
    tick.lineTo(31, 20);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return pixmap;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const QString product = QString::fromLatin1(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + product);

    auto* emblem = new QLabel(this);
    emblem->setPixmap(Emblem(48));
    emblem->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(product, this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    name->setFont(nameFont);

    auto* purpose = new QLabel(
        QStringLiteral("The office client of the case inventory for premium audits and loss-control surveys."),
        this);
    purpose->setWordWrap(true);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(purpose);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(emblem);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedWidth(380);
}
