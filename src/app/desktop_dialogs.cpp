#include "app/desktop_dialogs.h"
#include "casedlg/add_another_case_dlg.h"
#include "casedlg/case_import_dlg.h"
#include "casedlg/case_order_prop_sheet.h"

#include "app/case_action_dialogs_desktop.h"
#include "admin/admin_desktop_dialogs.h"
#include "app/logged_users_dlg.h"
#include "app/login_dlg.h"
#include "app/search_dlg.h"
#include "casedlg/case_editing_dialogs.h"
#include "app/select_users_dlg.h"
#include "platform/user_prompts.h"
#include "query/widgets/case_query_prop_sheet.h"
#include "query/widgets/manage_case_views_dlg.h"
#include "records/ui_dialog.h"
#include "report/widgets/generate_report_dlg.h"
#include "report/widgets/manage_report_views_dlg.h"
#include "report/widgets/ui_dialog_window.h"
#include "casedlg/attachment_props_dlg.h"
#include "casedlg/attachments_dlg.h"

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
    dialogs.editCaseView = [&prompts](CCaseQueryData& view, const QString& title) {
        CCaseQueryPropSheet sheet(view, title, prompts, nullptr, QApplication::activeWindow());
        return sheet.exec() == QDialog::Accepted;
    };
    dialogs.loggedInUsers = [](const std::vector<std::string>& lines) {
        CLoggedUsersDlg dialog(lines, QApplication::activeWindow());
        dialog.exec();
    };
    dialogs.caseEditing = DesktopCaseEditingDialogs(prompts);
    dialogs.caseActions = DesktopCaseActionDialogs(prompts);
    dialogs.reportSettings = [&prompts](CUIDialog& dialog) {
        if (const std::optional<std::string> refusal = CheckUIDialog(dialog)) {
            prompts.Message(QString::fromLatin1(*refusal));
            return false;
        }
        CUIDialogWindow window(dialog, QApplication::activeWindow());
        return window.exec() == QDialog::Accepted;
    };
    dialogs.generateReport = [](const std::vector<std::string>& names,
                                const std::function<void(const std::string&)>& properties,
                                const std::function<void(const std::string&, int)>& generate) {
        CGenerateReportDlg dialog(names, properties, generate, QApplication::activeWindow());
        dialog.exec();
    };
    dialogs.manageCaseViews = [&prompts](std::vector<std::shared_ptr<CCaseQueryData>>& views,
                                         const std::function<void(const CCaseQueryData&)>& copyTo) {
        CManageCaseViewsDlg dialog(views, prompts, copyTo, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.manageReportViews = [&prompts](std::vector<std::shared_ptr<CReportPropItem>>& views,
                                           const ReportViewsHost& host) {
        CManageReportViewsDlg dialog(views, host, prompts, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.selectUsers = [](const std::vector<std::string>& lines) -> std::optional<std::vector<size_t>> {
        CSelectUsersDlg dialog(lines, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Chosen();
    };
    dialogs.attachmentProps = [](AttachmentPropsLogic& props) {
        return CAttachmentPropsDlg::Run(props, QApplication::activeWindow());
    };
    dialogs.attachments = [](CCaseAttachments& attachments, const std::string& caseNumber) {
        CAttachmentsDlg dialog(attachments, caseNumber, QApplication::activeWindow());
        dialog.exec();
        return dialog.Changed();
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
    dialogs.admin = DesktopAdminDialogs(prompts);
    return dialogs;
}
