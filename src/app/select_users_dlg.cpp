#include "app/select_users_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CSelectUsersDlg::CSelectUsersDlg(const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Select Users"));
    setObjectName(QStringLiteral("SelectUsers"));
    list_->setObjectName(QStringLiteral("users"));
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const std::string& line : lines)
        list_->addItem(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select users to copy view to:"), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

std::vector<size_t> CSelectUsersDlg::Chosen() const
{
    std::vector<size_t> chosen;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->isSelected())
            chosen.push_back(static_cast<size_t>(row));
    return chosen;
}
