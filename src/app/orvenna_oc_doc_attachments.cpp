// The document's attachment commands and the companion application: the work is done by
// CCaseAttachments (src/casedlg); the document supplies the server, the prompts, the
// user's rights, the report pane, the dialogs and the link.

#include "app/orvenna_oc_doc.h"

#include "casedlg/case_attachments.h"
#include "platform/audit_link.h"
#include "platform/companion_settings.h"
#include "platform/shell_launcher.h"
#include "query/case_list_commands.h"

CCaseAttachments& COrvennaOCDoc::Attachments()
{
    if (attachments_)
        return *attachments_;
    if (!shell_)
        shell_ = std::make_unique<ProcessShellLauncher>();
    if (!auditLink_)
        auditLink_ = std::make_unique<CAuditLink>(prompts_);
    CaseAttachmentsEnv env;
    env.rights = [this] { return Rights(); };
    env.showReport = [this](std::shared_ptr<CReportPrintout> report) { ShowInReportPane(std::move(report)); };
    env.properties = [this](AttachmentPropsLogic& props) {
        return dialogs_.attachmentProps && dialogs_.attachmentProps(props);
    };
    env.attachmentsDialog = [this](CCaseAttachments& attachments, const std::string& caseNumber) {
        return dialogs_.attachments && dialogs_.attachments(attachments, caseNumber);
    };
    // An audit saved in the companion may arrive long after the log-in: a dead
    // connection is dropped and the user logs in again first.
    env.ensureSession = [this] {
        CheckConnection();
        return IsLoggedIn() || LogIn();
    };
    env.shell = shell_.get();
    env.link = auditLink_.get();
    env.companionInstalled = [] { return Companion::Installed(); };
    attachments_ = std::make_unique<CCaseAttachments>(server_, prompts_, std::move(env));
    return *attachments_;
}

void COrvennaOCDoc::SetShellLauncher(std::unique_ptr<ShellLauncher> shell)
{
    attachments_.reset();
    shell_ = std::move(shell);
}

bool COrvennaOCDoc::CanCloseWithAudits()
{
    return !auditLink_ || auditLink_->CanClose();
}

bool COrvennaOCDoc::IsAttachmentCommand(int commandId)
{
    switch (commandId) {
    case cmdCaseAttachments:
    case cmdCaseOpenAttachment:
    case cmdCaseSaveAttachments:
    case cmdCasePrintAttachments:
    case cmdCaseExportAttachmentsPdf:
    case cmdCaseExportAttachmentsTiff:
    case cmdCaseExportAttachmentsXps:
        return true;
    default:
        return false;
    }
}

bool COrvennaOCDoc::AttachmentCommandEnabled(int commandId) const
{
    // Print attachments checks the right when it runs.
    return commandId == cmdCasePrintAttachments || (Rights() & CCaseAttachments::kRightsReadAttachments) != 0;
}

bool COrvennaOCDoc::RunAttachmentCommand(int commandId, const std::vector<std::string>& caseNumbers)
{
    if (!loggedIn_ || !AttachmentCommandEnabled(commandId))
        return false;
    if (caseNumbers.empty()) {
        Message("Nothing has been selected!");
        return false;
    }
    Operation operation(*this);
    CCaseAttachments& attachments = Attachments();
    switch (commandId) {
    case cmdCaseAttachments:
        return attachments.ShowAttachments(caseNumbers.front());
    case cmdCaseOpenAttachment:
        return attachments.OpenDefault(caseNumbers.front());
    case cmdCaseSaveAttachments:
        attachments.SaveMany(caseNumbers);
        return false;
    case cmdCasePrintAttachments:
        attachments.PrintMany(caseNumbers);
        return false;
    case cmdCaseExportAttachmentsPdf:
        attachments.ExportMany(caseNumbers, CCaseAttachments::ExportKind::pdf);
        return false;
    case cmdCaseExportAttachmentsTiff:
        attachments.ExportMany(caseNumbers, CCaseAttachments::ExportKind::tiff);
        return false;
    case cmdCaseExportAttachmentsXps:
        attachments.ExportMany(caseNumbers, CCaseAttachments::ExportKind::xps);
        return false;
    default:
        return false;
    }
}
