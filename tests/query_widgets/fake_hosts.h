#pragma once
// Hosts for the tree and the case list that record what the views ask of them.

#include "query/widgets/case_list_host.h"
#include "query/widgets/inventory_tree_host.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "sample_inventory.h"
#include "support/scripted_prompts.h"

#include <functional>
#include <set>
#include <utility>
#include <vector>

class FakeTreeHost : public InventoryTreeHost {
public:
    InventoryTreeSource TreeSource() const override { return {&info, showHidden, &caseViews, &reportViews}; }
    void SetDocumentTitle(const QString& newTitle) override { title = newTitle; }
    bool HasTreeCommand(int commandId) const override { return commands.count(commandId) != 0; }
    TreeCommandOutcome RunTreeCommand(int commandId, const TreeNodeRef& node) override
    {
        ran.emplace_back(commandId, node);
        if (whileRunning)
            whileRunning();
        return outcome;
    }

    CInventoryInfo info = SampleInfo(0x3f);
    bool showHidden = false;
    std::vector<CCaseViewParam> caseViews = SampleViews();
    std::vector<CReportViewParam> reportViews = SampleReports();
    std::set<int> commands;
    TreeCommandOutcome outcome{true, ""};
    std::function<void()> whileRunning;

    QString title;
    std::vector<std::pair<int, TreeNodeRef>> ran;
};

class FakeCaseListHost : public CaseListHost {
public:
    bool HasCaseCommand(int commandId) const override { return commands.count(commandId) != 0; }
    bool CaseCommandEnabled(int commandId) const override { return disabled.count(commandId) == 0; }
    bool RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers) override
    {
        ran.emplace_back(commandId, caseNumbers);
        return changes;
    }
    std::unique_ptr<CCaseQueryResults> RunQuery(const CCaseQueryRequestInfo& request) override
    {
        queried.push_back(request.target);
        if (!nextResults)
            return nullptr;
        return std::make_unique<CCaseQueryResults>(*nextResults);
    }
    bool RefreshAfterCommands() const override { return refresh; }
    QString DocumentTitle() const override { return title; }
    void SetDocumentTitle(const QString& newTitle) override { title = newTitle; }
    UserPrompts& Prompts() override { return prompts; }

    std::set<int> commands;
    std::set<int> disabled;
    bool changes = true;
    bool refresh = true;
    std::unique_ptr<CCaseQueryResults> nextResults;  // what the query gives again; null: failure
    QString title;
    ScriptedPrompts prompts;

    std::vector<std::pair<int, std::vector<std::string>>> ran;
    std::vector<std::string> queried;
};
