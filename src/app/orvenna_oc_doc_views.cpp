// The document's operations on views and lists: running case views and searches,
// editing a case view of the current log-in, hidden tree nodes, the logged-in users
// and report generation.
#include "app/orvenna_oc_doc.h"

#include "codec/binary_object.h"
#include "platform/transfer_progress_scope.h"
#include "platform/user_prompts.h"
#include "query/case_view_list.h"
#include "records/case_query_data.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"

std::unique_ptr<CCaseQueryResults> COrvennaOCDoc::Query(const CCaseQueryRequestInfo& request)
{
    auto results = std::make_unique<CCaseQueryResults>();
    bool received = false;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        received = server_.GenerateCaseView(request, *results);
    }
    if (!received) {
        Message("Error receiving query data from server");
        return nullptr;
    }
    return results;
}

std::unique_ptr<CCaseQueryResults> COrvennaOCDoc::RunQuery(const CCaseQueryRequestInfo& request)
{
    Operation operation(*this);
    return Query(request);
}

bool COrvennaOCDoc::RunCaseView(const std::string& viewName, int32_t nodeKind, const std::string& nodeName,
                                const std::string& searchFormula)
{
    Operation operation(*this);
    auto request = std::make_unique<CCaseQueryRequestInfo>();
    request->viewId = FindCaseViewId(caseViews_, viewName, nodeKind);
    request->target = nodeName;
    request->searchFormula = searchFormula;

    std::unique_ptr<CCaseQueryResults> results = Query(*request);
    if (!results)
        return false;

    SetDocumentTitle(QString::fromLatin1(CaseViewRunTitle(viewName, nodeName, searchFormula, results->rows.size())));
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->OnCaseViewRun(results, request);
    return true;
}

bool COrvennaOCDoc::SearchCases()
{
    Operation operation(*this);
    const CCaseViewParam* view = FindSearchView(caseViews_);
    if (view == nullptr || !dialogs_.search)
        return false;
    // Copies: the list may change while the dialog is open.
    const std::string viewName = view->name;
    const int32_t scope = view->scope;
    const std::optional<std::string> formula = dialogs_.search(SearchFieldsOf(inventoryInfo_.searchFields));
    if (!formula)
        return false;
    // Run for the empty node name; the view's own scope finds it in the list again.
    return RunCaseView(viewName, scope, {}, *formula);
}

bool COrvennaOCDoc::SearchWithCaseView(const std::string& viewName, int32_t nodeKind, const std::string& nodeName)
{
    Operation operation(*this);
    if (!dialogs_.search)
        return false;
    const std::optional<std::string> formula = dialogs_.search(SearchFieldsOf(inventoryInfo_.searchFields));
    if (!formula)
        return false;
    return RunCaseView(viewName, nodeKind, nodeName, *formula);
}

bool COrvennaOCDoc::EditCaseView(const std::string& viewName, int32_t nodeKind)
{
    Operation operation(*this);
    if (!dialogs_.editCaseView)
        return false;
    const int32_t viewId = FindCaseViewId(caseViews_, viewName, nodeKind);
    CCaseQueryData view;
    bool done = false;
    {
        WaitCursor wait(prompts_);
        done = server_.GetCaseView(viewId, view);
    }
    if (!done) {
        Message("Error receiving case view data from server");
        return false;
    }
    if (!dialogs_.editCaseView(view, QStringLiteral("Edit View: ") + QString::fromLatin1(viewName)))
        return false;
    {
        WaitCursor wait(prompts_);
        done = server_.SetCaseView(viewId, view);
    }
    if (!done) {
        Message("Error sending case view data to server");
        return false;
    }
    return true;
}

bool COrvennaOCDoc::ToggleHiddenTreeNodes()
{
    if (!loggedIn_)
        return false;
    Operation operation(*this);
    showHiddenNodes_ = showHiddenNodes_ != 0 ? 0 : 1;
    const bool loaded = LoadInventoryInfo();
    NotifyUpdated();
    return loaded;
}

bool COrvennaOCDoc::ShowLoggedInUsers()
{
    Operation operation(*this);
    std::vector<std::string> lines;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        received = server_.GetLoggedUsers(lines);
    }
    if (!received) {
        Message("Error receiving user list from server");
        return false;
    }
    if (dialogs_.loggedInUsers)
        dialogs_.loggedInUsers(lines);
    return true;
}

std::optional<std::string> COrvennaOCDoc::GenerateReport(const std::string& reportName,
                                                         const CInventoryServer::CaseIds& caseIds,
                                                         CInventoryServer::ReportOutput output)
{
    Operation operation(*this);
    CBinaryObject block;
    bool received = false;
    {
        WaitCursor wait(prompts_);
        CTransferProgressScope progress(server_, prompts_);
        received = server_.GenerateCaseReportView(reportName, caseIds, output, block);
    }
    if (!received) {
        Message("Error receiving report data from server");
        return std::nullopt;
    }
    return block.GetBytes();
}
