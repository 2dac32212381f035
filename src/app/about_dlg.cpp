#include "app/about_dlg.h"

#include "app/orvenna_oc_app.h"
#include "app/program_emblem.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const QString product = QString::fromLatin1(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + product);

    auto* emblem = new QLabel(this);
    emblem->setPixmap(ProgramEmblem(48));
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
