// The document's session: log-in with the loading of the lists, log-out, the
// connection check, the observers, and the commands and hosts it serves.
#include "app/orvenna_oc_doc.h"

#include "admin/account_admin.h"
#include "app/access_groups.h"
#include "app/case_command_rights.h"
#include "app/launch_tool.h"
#include "app/main_commands.h"
#include "app/view_management.h"
#include "casedlg/case_attachments.h"
#include "casedlg/case_ordering.h"
#include "net/connect_reporter.h"
#include "net/server_connector.h"
#include "platform/audit_link.h"
#include "platform/reply_limit_setting.h"
#include "platform/shell_launcher.h"
#include "platform/transfer_progress_scope.h"
#include "platform/user_prompts.h"
#include "query/case_list_commands.h"
#include "query/case_view_list.h"
#include "report/report_printout.h"

#include <algorithm>

COrvennaOCDoc::COrvennaOCDoc(UserPrompts& prompts, QString settingsPath)
    : prompts_(prompts), settingsPath_(std::move(settingsPath)), report_(std::make_shared<CReportPrintout>())
{
}

COrvennaOCDoc::~COrvennaOCDoc()
{
    if (loggedIn_)
        CloseConnection();
}

void COrvennaOCDoc::AddObserver(DocumentObserver* observer)
{
    if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void COrvennaOCDoc::RemoveObserver(DocumentObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void COrvennaOCDoc::NotifyUpdated()
{
    // A copy: an observer may remove itself while being told.
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->OnDocumentUpdated();
}

void COrvennaOCDoc::SetDocumentTitle(const QString& title)
{
    title_ = title;
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->OnTitleChanged(title_);
}

void COrvennaOCDoc::Message(const char* text)
{
    prompts_.Message(QString::fromLatin1(text));
}

std::string COrvennaOCDoc::AccessGroupName(int index)
{
    return ::AccessGroupName(index);
}

// --- Session ----------------------------------------------------------------------------------

bool COrvennaOCDoc::LogIn()
{
    if (loggedIn_ || !dialogs_.logIn)
        return false;
    Operation operation(*this);
    const std::optional<LoginEntry> entry = LogInSteps(settingsPath_, password_, dialogs_.logIn);
    if (!entry)
        return false;
    userId_ = entry->userId;
    password_ = entry->password;
    host_ = entry->host;
    port_ = entry->port;
    // TLS under the conversation when asked for; plain otherwise, as every server speaks.
    server_.SetTlsClient(entry->useTls ? std::optional<TlsClientConfig>(TlsClientConfig{entry->tlsTrustFile})
                                       : std::nullopt);
    if (!ConnectToServer(host_, port_))
        return false;
    LoadListsAfterLogIn();
    return true;
}

bool COrvennaOCDoc::ConnectToServer(const std::string& host, int port)
{
    server_.SetReplyLimit(ReplyLimitBytes(settingsPath_, CInventoryServer::kMaxReplyPayloadBytes));
    // The refusal is shown once the wait cursor is gone.
    CMessageConnectReporter reporter;
    bool connected = false;
    {
        WaitCursor wait(prompts_);
        CServerConnector connector(server_, reporter);
        connected = connector.Connect(host, port, userId_, password_);
    }
    for (const std::string& refusal : reporter.Messages())
        Message(refusal.c_str());
    return connected;
}

void COrvennaOCDoc::LoadListsAfterLogIn()
{
    loggedIn_ = true;

    // Each list is emptied first, so that a failed load leaves it empty. A failure does
    // not undo the log-in, and the other lists are still loaded.
    caseViews_.clear();
    bool loaded = false;
    {
        WaitCursor wait(prompts_);
        loaded = server_.GetCaseViewParamSet(caseViews_);
    }
    if (!loaded)
        Message("Failed to load the Case Views List from the server");

    reportViews_.clear();
    {
        WaitCursor wait(prompts_);
        loaded = server_.GetReportViewParamSet(reportViews_);
    }
    if (!loaded)
        Message("Failed to load the Report Views List from the server");

    LoadInventoryInfo();
    NotifyUpdated();
}

bool COrvennaOCDoc::LoadInventoryInfo()
{
    inventoryInfo_.Clear();
    bool loaded = false;
    {
        WaitCursor wait(prompts_);
        loaded = server_.GetInventoryInfo(showHiddenNodes_ != 0, inventoryInfo_);
    }
    if (!loaded)
        Message("Failed to load the Tree View Lists from the server");
    return loaded;
}

bool COrvennaOCDoc::LogOut()
{
    if (!loggedIn_)
        return false;
    Operation operation(*this);
    if (!prompts_.AskYesNo(QStringLiteral("Are you sure you wish to log out?")))
        return false;
    // The question's own event loop may have let the connection check drop the session.
    if (loggedIn_)
        DropSession();
    return true;
}

void COrvennaOCDoc::CheckConnection()
{
    if (!loggedIn_ || operations_ > 0)
        return;
    if (server_.IsAlive())
        return;
    DropSession();
}

void COrvennaOCDoc::AfterOperations()
{
    // A transfer the user cancelled closed the connection: the session is dropped as a
    // dead connection is, and the log-in is offered at once.
    if (!loggedIn_ || !server_.ProgressStopped())
        return;
    DropSession();
    if (dialogs_.logIn)
        LogIn();
}

void COrvennaOCDoc::DropSession()
{
    loggedIn_ = false;
    CloseConnection();
    caseViews_.clear();
    reportViews_.clear();
    inventoryInfo_.Clear();
    NotifyUpdated();
}

void COrvennaOCDoc::CloseConnection()
{
    // On a dead connection the CLOSESESSION send fails unnoticed.
    server_.CloseSession();
    server_.Close();
}

// --- Main menu commands -----------------------------------------------------------------------

bool COrvennaOCDoc::HasDocumentCommand(int commandId) const
{
    switch (commandId) {
    case cmdLogIn: return static_cast<bool>(dialogs_.logIn);
    case cmdLogOut:
    case cmdHiddenTreeNodes:
    case cmdOpenReportFile:
    case cmdSaveReportFile: return true;
    case cmdSearchCases: return static_cast<bool>(dialogs_.search);
    case cmdLoggedInUserList: return static_cast<bool>(dialogs_.loggedInUsers);
    case cmdLaunchTool: return true;
    default: return false;
    }
}

bool COrvennaOCDoc::DocumentCommandEnabled(int commandId) const
{
    switch (commandId) {
    case cmdLogIn: return !loggedIn_;
    case cmdLogOut:
    case cmdLoggedInUserList: return loggedIn_;
    case cmdHiddenTreeNodes: return loggedIn_ && (inventoryInfo_.rights & kRightsForHiddenNodes) != 0;
    case cmdSearchCases: return FindSearchView(caseViews_) != nullptr;
    case cmdOpenReportFile:
    case cmdSaveReportFile: return true;
    case cmdLaunchTool: return true;
    default: return false;
    }
}

bool COrvennaOCDoc::DocumentCommandCheckable(int commandId) const
{
    return commandId == cmdHiddenTreeNodes;
}

bool COrvennaOCDoc::DocumentCommandChecked(int commandId) const
{
    return commandId == cmdHiddenTreeNodes && showHiddenNodes_ != 0;
}

void COrvennaOCDoc::RunDocumentCommand(int commandId)
{
    if (!HasDocumentCommand(commandId) || !DocumentCommandEnabled(commandId))
        return;
    switch (commandId) {
    case cmdLogIn: LogIn(); break;
    case cmdLogOut: LogOut(); break;
    case cmdHiddenTreeNodes: ToggleHiddenTreeNodes(); break;
    case cmdSearchCases: SearchCases(); break;
    case cmdLoggedInUserList: ShowLoggedInUsers(); break;
    case cmdOpenReportFile: OpenReportFile(); break;
    case cmdSaveReportFile: SaveReportFile(); break;
    case cmdLaunchTool: LaunchTool(prompts_, settingsPath_); break;
    default: break;
    }
}

// --- Tree --------------------------------------------------------------------------------------

InventoryTreeSource COrvennaOCDoc::TreeSource() const
{
    return {&inventoryInfo_, showHiddenNodes_ != 0, &caseViews_, &reportViews_};
}

bool COrvennaOCDoc::HasTreeCommand(int commandId) const
{
    if (const std::optional<bool> has = ViewManagement::HasTreeCommand(dialogs_, commandId))
        return *has;
    switch (commandId) {
    case cmdShowCaseView: return true;
    case cmdSearchCaseView: return static_cast<bool>(dialogs_.search);
    case cmdEditCaseView: return static_cast<bool>(dialogs_.editCaseView);
    case cmdShowReportView:
    case cmdExportReportPdf:
    case cmdExportReportTiff:
    case cmdExportReportXps: return true;
    default: return CAccountAdmin::Handles(commandId, dialogs_.admin);
    }
}

TreeCommandOutcome COrvennaOCDoc::RunTreeCommand(int commandId, const TreeNodeRef& node)
{
    // A view node runs under its parent node: that node's text is the target, its kind
    // finds the view.
    if (std::optional<TreeCommandOutcome> viewOutcome = RunViewTreeCommand(commandId, node))
        return *viewOutcome;
    TreeCommandOutcome outcome;
    switch (commandId) {
    case cmdShowCaseView:
        outcome.succeeded = RunCaseView(node.text, node.parentKind, node.parentText, {});
        break;
    case cmdSearchCaseView:
        outcome.succeeded = SearchWithCaseView(node.text, node.parentKind, node.parentText);
        break;
    // The view runs again after the change, so that the list shows it.
    case cmdEditCaseView:
        outcome.succeeded = EditCaseView(node.text, node.parentKind) &&
                            RunCaseView(node.text, node.parentKind, node.parentText, {});
        break;
    // A report view node runs its report for the whole inventory.
    case cmdShowReportView: outcome.succeeded = ShowReport(node.text, {}); break;
    case cmdExportReportPdf:
        outcome.succeeded = ExportReport(node.text, {}, CInventoryServer::outputPdf);
        break;
    case cmdExportReportTiff:
        outcome.succeeded = ExportReport(node.text, {}, CInventoryServer::outputTiff);
        break;
    case cmdExportReportXps:
        outcome.succeeded = ExportReport(node.text, {}, CInventoryServer::outputXps);
        break;
    default:
        if (CAccountAdmin::Handles(commandId, dialogs_.admin)) {
            Operation operation(*this);
            outcome = CAccountAdmin(server_, prompts_, inventoryInfo_, dialogs_.admin).Run(commandId, node);
            if (outcome.succeeded && CAccountAdmin::ChangesTreeLists(commandId))
                NotifyUpdated();
        }
        break;
    }
    return outcome;
}

// --- Case list ----------------------------------------------------------------------------------

bool COrvennaOCDoc::HasCaseCommand(int commandId) const
{
    if (caseActions_.Has(commandId))
        return true;
    if (CaseEditingHasCommand(dialogs_.caseEditing, commandId))
        return true;
    // Carried out by the case list's host, which holds the rows; offered on the main
    // menu as well.
    if (commandId == cmdListExportText)
        return true;
    if (commandId == cmdCaseGenerateReport)
        return static_cast<bool>(dialogs_.generateReport);
    if (IsAttachmentCommand(commandId))
        return true;
    if (commandId == cmdImportCases)
        return static_cast<bool>(dialogs_.importCases);
    if (commandId == cmdOrderCases)
        return static_cast<bool>(dialogs_.orderCases.runWizard);
    return false;
}

bool COrvennaOCDoc::CaseCommandEnabled(int commandId) const
{
    if (CaseEditingHasCommand(dialogs_.caseEditing, commandId))
        return loggedIn_ && CaseEditingCommandEnabled(commandId, inventoryInfo_.rights);
    if (commandId == cmdCaseGenerateReport)
        return loggedIn_ && !reportViews_.empty();
    if (IsAttachmentCommand(commandId))
        return AttachmentCommandEnabled(commandId);
    if (commandId == cmdImportCases)
        return loggedIn_ && (inventoryInfo_.rights & kRightsToImport) != 0;
    if (commandId == cmdOrderCases)
        return loggedIn_ && CCaseOrdering::Allowed(inventoryInfo_);
    // The rights of every area's case commands are in one table.
    return loggedIn_ && CaseCommandAllowed(commandId, inventoryInfo_.rights);
}

bool COrvennaOCDoc::RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers)
{
    if (!HasCaseCommand(commandId) || !CaseCommandEnabled(commandId))
        return false;
    Operation operation(*this);
    if (CaseEditingHasCommand(dialogs_.caseEditing, commandId)) {
        // "Assign Case Manually" offers the history to users who may see it.
        CaseEditingDialogs editing = dialogs_.caseEditing;
        if (!editing.assignmentHistory && caseActions_.Has(cmdCaseAssignmentHistory) &&
            CaseCommandAllowed(cmdCaseAssignmentHistory, inventoryInfo_.rights))
            editing.assignmentHistory = [this](const std::string& number) { caseActions_.AssignmentHistory(number); };
        return CCaseEditing(server_, prompts_, inventoryInfo_, editing, TodaysDate()).RunCommand(commandId, caseNumbers);
    }
    if (caseActions_.Has(commandId))
        return caseActions_.Run(commandId, caseNumbers, inventoryInfo_.rights);
    // A report changes no case, so the list has nothing to refresh afterwards.
    if (commandId == cmdCaseGenerateReport) {
        GenerateReportForCases(caseNumbers);
        return false;
    }
    if (IsAttachmentCommand(commandId))
        return RunAttachmentCommand(commandId, caseNumbers);
    if (commandId == cmdImportCases) {
        dialogs_.importCases([this](const CBinaryObject& file, std::vector<std::string>& lines) {
            CTransferProgressScope progress(server_, prompts_);
            return server_.ImportCases(file, lines);
        });
        return true;
    }
    if (commandId == cmdOrderCases)
        return CCaseOrdering(server_, prompts_, inventoryInfo_, userId_, dialogs_.orderCases).OrderCases();
    return false;
}
