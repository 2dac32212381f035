#pragma once
// The one document of the program. It owns, for the whole run, the connection to the
// inventory server and the lists loaded at log-in (the case views, the report views and
// the inventory info with the user's rights), and it carries out every operation that
// needs the server on behalf of the tree, the case list and the report pane: it fetches
// the data, runs the dialog that edits it, stores the result and reports each failure
// once, in its own words. It reaches the user only through UserPrompts and the dialogs
// it is given, and tells its views to refresh through DocumentObserver.
//
// Everything runs on the one user-interface thread, one command at a time. The
// connection check of the main frame's timer does nothing while an operation is under
// way (it may come up from the event loop of a dialog that the operation shows), so the
// lists never change under an operation's feet.

#include "app/document_dialogs.h"
#include "app/document_observer.h"
#include "net/inventory_server.h"
#include "query/widgets/case_list_host.h"
#include "query/widgets/inventory_tree_host.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/report_view_param.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAuditLink;
class CCaseAttachments;
class CCaseQueryRequestInfo;
class CCaseQueryResults;
class CReportPrintout;
class ShellLauncher;
class UserPrompts;

class COrvennaOCDoc : public InventoryTreeHost, public CaseListHost {
public:
    // The right to order cases, and the rights any of which shows hidden tree nodes.
    static constexpr int32_t kRightCreateCases = 0x10000;
    static constexpr int32_t kRightsForHiddenNodes = 0x2A;
    // Any of these rights offers the import of case files.
    static constexpr int32_t kRightsToImport = 0x2A;

    // `settingsPath` is the settings file whose [Login] section the log-in reads and
    // writes.
    COrvennaOCDoc(UserPrompts& prompts, QString settingsPath);
    // Closes the session when logged in (CLOSESESSION, then the socket).
    ~COrvennaOCDoc() override;
    COrvennaOCDoc(const COrvennaOCDoc&) = delete;
    COrvennaOCDoc& operator=(const COrvennaOCDoc&) = delete;

    void SetDialogs(DocumentDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void SetCaseActionDialogs(CaseActionDialogs dialogs) { dialogs_.caseActions = std::move(dialogs); }

    // Observers are not owned; remove them before they go.
    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);

    // --- Session ---------------------------------------------------------------------
    bool IsLoggedIn() const { return loggedIn_; }
    const std::string& UserId() const { return userId_; }
    const std::string& Host() const { return host_; }
    int Port() const { return port_; }

    // Log In: the dialog over the saved [Login] entries, the connection (refusals shown
    // in their own words), then the three lists. False when cancelled or refused.
    bool LogIn();
    // Log Out: asks first; true when the user answered Yes and the session was closed.
    bool LogOut();
    // Called every 30 seconds: a connection found dead while logged in is dropped as a
    // log-out would, without a question or a message.
    void CheckConnection();

    // --- Lists (empty while logged out) --------------------------------------------------
    const std::vector<CCaseViewParam>& CaseViews() const { return caseViews_; }
    const std::vector<CReportViewParam>& ReportViews() const { return reportViews_; }
    const CInventoryInfo& InventoryInfo() const { return inventoryInfo_; }
    int32_t Rights() const { return inventoryInfo_.rights; }
    bool ShowHiddenNodes() const { return showHiddenNodes_ != 0; }

    // --- Operations ------------------------------------------------------------------------
    // Runs a case view: the view found by name and node kind (identifier -1 when there
    // is none; the server decides), run for the node's name with the search formula.
    // On success the title names the view, node, search and row count, and the case
    // list gets the table.
    bool RunCaseView(const std::string& viewName, int32_t nodeKind, const std::string& nodeName,
                     const std::string& searchFormula);
    // Search Cases: the first search view of the "All" nodes, the search dialog, then
    // the view for the empty node name with the formula entered.
    bool SearchCases();
    // The tree's search with one view: the search dialog, then the view for the node.
    bool SearchWithCaseView(const std::string& viewName, int32_t nodeKind, const std::string& nodeName);
    // Edits a case view of the current log-in: GETCASEVIEW, the editor, SETCASEVIEW.
    bool EditCaseView(const std::string& viewName, int32_t nodeKind);
    // Hidden Tree Nodes: shows or hides them and reloads the inventory info.
    bool ToggleHiddenTreeNodes();
    // Logged In User List: GETLOGGEDUSERS, listed in the dialog.
    bool ShowLoggedInUsers();
    // Generates a report on the server: the printout's archive bytes for
    // outputPrintout, the finished document for the export formats. Nothing after a
    // failure, which has been reported.
    std::optional<std::string> GenerateReport(const std::string& reportName, const CInventoryServer::CaseIds& caseIds,
                                              CInventoryServer::ReportOutput output);

    // --- Reports ---------------------------------------------------------------------------
    // The report in the report pane: an empty printout until one is shown.
    const std::shared_ptr<CReportPrintout>& Report() const { return report_; }
    // Display: the report view generated as a printout for the cases (none: the whole
    // inventory) and shown in the report pane.
    bool ShowReport(const std::string& reportName, const CInventoryServer::CaseIds& caseIds);
    // Export: asks for the output file, has the server make the PDF, TIFF or XPS
    // document and writes its bytes unchanged.
    bool ExportReport(const std::string& reportName, const CInventoryServer::CaseIds& caseIds,
                      CInventoryServer::ReportOutput output);
    // Op&en File...: reads the report file at `path` (asking for one when empty) and
    // shows it in the report pane. Failures are shown; the pane keeps its report.
    bool OpenReportFile(const QString& path = {});
    // &Save As File...: asks for a file and saves the report of the report pane in it.
    bool SaveReportFile();

    // --- Views of the session and of child accounts (view_management.cpp) ----------------
    // "Edit Report View properties for current session": GETREPORTVIEW, the settings
    // dialog, SETREPORTVIEW.
    bool EditReportViewSession(const std::string& reportName);
    // "Generate Report For Selected Cases" for the cases given, in list order.
    bool GenerateReportForCases(const std::vector<std::string>& caseIds);
    // "Manage Case Views" and "Manage Report Views" for the child of this name.
    bool ManageChildCaseViews(const std::string& childName);
    bool ManageChildReportViews(const std::string& childName);
    const DocumentDialogs& Dialogs() const { return dialogs_; }

    // "Administrators" to "Schedulers" for 0 to 7, the empty text otherwise.
    static std::string AccessGroupName(int index);

    // --- Main menu commands that the document carries out ------------------------------
    bool HasDocumentCommand(int commandId) const;
    bool DocumentCommandEnabled(int commandId) const;
    // Hidden Tree Nodes is the one that shows a check mark.
    bool DocumentCommandCheckable(int commandId) const;
    bool DocumentCommandChecked(int commandId) const;
    void RunDocumentCommand(int commandId);

    // --- Title -----------------------------------------------------------------------------
    QString DocumentTitle() const override { return title_; }
    void SetDocumentTitle(const QString& title) override;

    const QString& SettingsPath() const { return settingsPath_; }
    CInventoryServer& Server() { return server_; }

    // --- Attachments and the companion application (orvenna_oc_doc_attachments.cpp) ----
    // The attachment operations, made on first use with the desktop's shell and link.
    CCaseAttachments& Attachments();
    // Replaces the shell (tests record what would be opened and printed).
    void SetShellLauncher(std::unique_ptr<ShellLauncher> shell);
    // False, after saying so, while audits are open in the companion application.
    bool CanCloseWithAudits();
    // Shows an audit or survey received from the server in the report pane.
    void ShowAttachmentReport(std::shared_ptr<CReportPrintout> report) { ShowInReportPane(std::move(report)); }
    static bool IsAttachmentCommand(int commandId);
    bool AttachmentCommandEnabled(int commandId) const;
    bool RunAttachmentCommand(int commandId, const std::vector<std::string>& caseNumbers);
    UserPrompts& Prompts() override { return prompts_; }

    // --- InventoryTreeHost -------------------------------------------------------------------
    InventoryTreeSource TreeSource() const override;
    bool HasTreeCommand(int commandId) const override;
    TreeCommandOutcome RunTreeCommand(int commandId, const TreeNodeRef& node) override;

    // --- CaseListHost ---------------------------------------------------------------------------
    bool HasCaseCommand(int commandId) const override;
    bool CaseCommandEnabled(int commandId) const override;
    bool RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers) override;
    // GENERATECASEVIEW for the list's own re-runs; null after a failure, reported.
    std::unique_ptr<CCaseQueryResults> RunQuery(const CCaseQueryRequestInfo& request) override;
    bool RefreshAfterCommands() const override { return inventoryInfo_.refreshAfterCommands != 0; }

private:
    // Marks an operation under way for its lifetime (see CheckConnection).
    class Operation {
    public:
        explicit Operation(COrvennaOCDoc& doc) : doc_(doc) { ++doc_.operations_; }
        ~Operation()
        {
            if (--doc_.operations_ == 0)
                doc_.AfterOperations();
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        COrvennaOCDoc& doc_;
    };

    void Message(const char* text);
    // The view commands of the tree; nothing for the others.
    std::optional<TreeCommandOutcome> RunViewTreeCommand(int commandId, const TreeNodeRef& node);
    bool ConnectToServer(const std::string& host, int port);
    // The lists after a successful log-in; failures are shown and leave a list empty.
    void LoadListsAfterLogIn();
    bool LoadInventoryInfo();
    // When the outermost operation ends: after a cancelled transfer, drops the session
    // and offers the log-in.
    void AfterOperations();
    // Clears logged in, closes the session and the socket, empties the lists and
    // notifies the views.
    void DropSession();
    void CloseConnection();
    std::unique_ptr<CCaseQueryResults> Query(const CCaseQueryRequestInfo& request);
    void NotifyUpdated();
    // Makes the report the one of the report pane and tells the views.
    void ShowInReportPane(std::shared_ptr<CReportPrintout> report);

    UserPrompts& prompts_;
    QString settingsPath_;
    DocumentDialogs dialogs_;
    std::vector<DocumentObserver*> observers_;
    QString title_;
    int operations_ = 0;

    bool loggedIn_ = false;
    std::string userId_;
    std::string password_;
    std::string host_;
    int port_ = 9000;
    CInventoryServer server_;
    std::vector<CCaseViewParam> caseViews_;
    std::vector<CReportViewParam> reportViews_;
    CInventoryInfo inventoryInfo_;
    int showHiddenNodes_ = 0;
    std::shared_ptr<CReportPrintout> report_;
    CaseActions caseActions_{server_, prompts_, dialogs_.caseActions};
    std::unique_ptr<ShellLauncher> shell_;
    std::unique_ptr<CAuditLink> auditLink_;
    std::unique_ptr<CCaseAttachments> attachments_;
};
