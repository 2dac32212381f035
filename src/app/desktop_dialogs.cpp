#include "app/desktop_dialogs.h"

#include "app/case_action_dialogs_desktop.h"
#include "app/logged_users_dlg.h"
#include "app/login_dlg.h"
#include "app/search_dlg.h"
#include "casedlg/case_editing_dialogs.h"

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
    dialogs.caseEditing = DesktopCaseEditingDialogs(prompts);
    dialogs.caseActions = DesktopCaseActionDialogs(prompts);
    return dialogs;
}
