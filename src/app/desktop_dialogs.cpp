#include "app/desktop_dialogs.h"
#include "casedlg/add_another_case_dlg.h"
#include "casedlg/case_import_dlg.h"
#include "casedlg/case_order_prop_sheet.h"

#include "app/logged_users_dlg.h"
#include "app/login_dlg.h"
#include "app/search_dlg.h"

#include <QApplication>

DocumentDialogs DesktopDialogs(UserPrompts& prompts)
{
    DocumentDialogs dialogs;
    dialogs.logIn = [&prompts](LoginLogic& logic) {
        CLoginDlg dialog(logic, prompts, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.search = [&prompts](const std::vector<SearchField>& fields) -> std::optional<std::string> {
        CSearchDlg dialog(fields, prompts, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Formula();
    };
    dialogs.loggedInUsers = [](const std::vector<std::string>& lines) {
        CLoggedUsersDlg dialog(lines, QApplication::activeWindow());
        dialog.exec();
    };
    dialogs.importCases = [&prompts](const DocumentDialogs::ImportSender& send) {
        CCaseImportDlg dialog(send, prompts);
        dialog.exec();
    };
    dialogs.orderCases.selectProductAndParent =
        [](const std::vector<std::string>& parents) -> std::optional<CaseOrderDialogs::ProductAndParent> {
        CCaseOrderSelectDlg dialog(parents);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return CaseOrderDialogs::ProductAndParent{dialog.Product(), dialog.Parent()};
    };
    dialogs.orderCases.runWizard = [&prompts](CCaseOrder& order) {
        CCaseOrderPropSheet sheet(order, prompts);
        return sheet.exec() == QDialog::Accepted;
    };
    dialogs.orderCases.addAnother = [] {
        switch (CAddAnotherCaseDlg::Ask(nullptr)) {
        case CAddAnotherCaseDlg::Choice::fromScratch: return CaseOrderDialogs::Next::fromScratch;
        case CAddAnotherCaseDlg::Choice::fromPrevious: return CaseOrderDialogs::Next::fromPrevious;
        default: return CaseOrderDialogs::Next::quit;
        }
    };
    return dialogs;
}
