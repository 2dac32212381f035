#include "casedlg/case_editing_dialogs.h"

#include "casedlg/billing_info_dlg.h"
#include "casedlg/case_prop_sheet.h"
#include "casedlg/multi_billing_dlg.h"
#include "casedlg/multi_case_props_dlg.h"

#include <QApplication>

namespace {

QWidget* DialogParent(QWidget* parent)
{
    return parent ? parent : QApplication::activeWindow();
}

}  // namespace

CaseEditingDialogs DesktopCaseEditingDialogs(UserPrompts& prompts, QWidget* parent)
{
    CaseEditingDialogs dialogs;
    dialogs.caseSheet = [&prompts, parent, copy = dialogs.copyInsuredInfo](CasePropsLogic& logic) {
        CCasePropSheet sheet(logic, prompts, copy, DialogParent(parent));
        return sheet.exec() == QDialog::Accepted;
    };
    dialogs.addAnotherCase = [parent] { return CAddAnotherCaseDlg::Ask(DialogParent(parent)); };
    dialogs.multiCaseProps = [parent](MultiCasePropsLogic& logic) {
        CMultiCasePropsDlg dialog(logic, DialogParent(parent));
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.billing = [&prompts, parent](BillingLogic& logic) {
        CBillingInfoDlg dialog(logic, prompts, DialogParent(parent));
        dialog.exec();
    };
    dialogs.multiBillingParties = [parent] { return AskMultiBillingParties(DialogParent(parent)); };
    dialogs.multiBilling = [parent](std::vector<CMultiBillingEntry>& entries) {
        CMultiCaseBillingDlg dialog(entries, DialogParent(parent));
        return dialog.exec() == QDialog::Accepted;
    };
    return dialogs;
}
