#include "admin/admin_desktop_dialogs.h"

#include "admin/billing_defaults_dlg.h"
#include "admin/case_child_prop_sheet.h"
#include "admin/case_parent_prop_sheet.h"
#include "admin/territory_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QPrinterInfo>
#include <QVBoxLayout>

namespace {

QString L1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool RunRegionDialog(QWidget* parent, std::string& name)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Region"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    auto* edit = new QLineEdit(L1(name), &dialog);
    edit->setObjectName("name");
    edit->setMaxLength(50);
    form->addRow(QStringLiteral("Name of Region:"), edit);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = edit->text().trimmed().toLatin1().toStdString();
    return true;
}

void ShowAccountCard(QWidget* parent, const AccountCard& card)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(card.title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    for (const auto& [label, value] : card.fields) {
        QString text = L1(value);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        auto* field = new QLabel(text, &dialog);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(L1(label), field);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
}

}  // namespace

std::vector<std::string> InstalledPrinterNames()
{
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toLatin1().toStdString());
    return names;
}

AdminDialogs DesktopAdminDialogs(UserPrompts& prompts)
{
    AdminDialogs dialogs;
    dialogs.childSheet = [&prompts](CChildSheetLogic& sheet, const QString& title) {
        CCaseChildPropSheet dialog(sheet, title, prompts, InstalledPrinterNames(), QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.parentSheet = [&prompts](CParentSheetLogic& sheet, const QString& title) {
        CCaseParentPropSheet dialog(sheet, title, prompts, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.accountCard = [](const AccountCard& card) { ShowAccountCard(QApplication::activeWindow(), card); };
    dialogs.region = [](std::string& name) { return RunRegionDialog(QApplication::activeWindow(), name); };
    dialogs.territory = [&prompts](CTerritorySheetState& state) {
        CTerritoryDlg dialog(state, prompts, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.billingDefaults = [](std::vector<CBillingDef>& rows) {
        CBillingDefaultsDlg dialog(rows, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        rows = dialog.Rows();
        return true;
    };
    return dialogs;
}
