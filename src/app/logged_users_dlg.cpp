#include "app/logged_users_dlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CLoggedUsersDlg::CLoggedUsersDlg(const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Currently Logged In Users"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    for (const std::string& line : lines)
        list_->addItem(QString::fromLatin1(line));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLoggedUsersDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // Wide enough for the longest line, within reason.
    int widest = 0;
    for (int i = 0; i < list_->count(); ++i)
        widest = std::max(widest, list_->fontMetrics().horizontalAdvance(list_->item(i)->text()));
    resize(std::clamp(widest + 60, 420, 900), 300);
}
