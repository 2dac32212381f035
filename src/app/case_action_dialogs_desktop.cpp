#include "app/case_action_dialogs_desktop.h"

#include "app/reset_links_dlg.h"
#include "casedlg/assignment_history_dlg.h"
#include "casedlg/policy_data_sheet.h"
#include "casedlg/progress_report_dlg.h"
#include "casedlg/schedule_case_dlg.h"

#include <QApplication>

CaseActionDialogs DesktopCaseActionDialogs(UserPrompts& prompts)
{
    CaseActionDialogs dialogs;
    dialogs.resetLinks = []() -> std::optional<CInventoryServer::LinkReset> {
        CResetLinksDlg dialog(QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    };
    dialogs.progressReports = [&prompts](ProgressReportLogic& logic) {
        CProgressReportDlg dialog(logic, prompts, QApplication::activeWindow());
        dialog.exec();
    };
    dialogs.schedule = [&prompts](ScheduleLogic& logic) {
        CScheduleCaseDlg dialog(logic, prompts, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.policyDetail = [&prompts](PolicyDetailLogic& logic) {
        CPolicyDataSheet sheet(logic, prompts, QApplication::activeWindow());
        return sheet.exec() == QDialog::Accepted;
    };
    dialogs.assignmentHistory = [](const std::vector<CTrackingEntry>& history) {
        CAssignmentHistoryDlg dialog(history, QApplication::activeWindow());
        dialog.exec();
    };
    return dialogs;
}
