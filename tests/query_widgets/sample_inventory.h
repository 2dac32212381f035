#pragma once
// Sample lists for the tree and the case list: an inventory as a supervisor with every
// tree right sees it, and a result table of a few cases.

#include "query/scope_bits.h"
#include "records/case_query_results.h"
#include "records/case_view_param.h"
#include "records/inventory_info.h"
#include "records/report_view_param.h"

#include <memory>
#include <string>
#include <vector>

inline CCaseViewParam SampleView(int32_t id, std::string name, int32_t scope,
                                 int32_t type = CCaseViewParam::caseView)
{
    CCaseViewParam view;
    view.viewId = id;
    view.name = std::move(name);
    view.scope = scope;
    view.viewType = type;
    return view;
}

inline CParentUser SampleParent(std::string name)
{
    CParentUser parent;
    parent.name = std::move(name);
    return parent;
}

inline CChildUser SampleChild(std::string name, int32_t group)
{
    CChildUser child;
    child.name = std::move(name);
    child.group = group;
    return child;
}

inline CInventoryInfo SampleInfo(int32_t rights)
{
    CInventoryInfo info;
    info.rights = rights;
    info.parents = {SampleParent("Harbor Mutual"), SampleParent("Northgate Casualty"),
                    SampleParent("Keystone Indemnity")};
    info.children = {SampleChild("Dana Whitfield", 1), SampleChild("Marcus Lee", 1), SampleChild("Priya Nair", 6),
                     SampleChild("Office Admin", 0), SampleChild("Tom Becker", 7), SampleChild("Archive", 8)};
    info.regions = {"Midwest", "Northeast"};
    info.territories = {"Midwest::Chicago Metro", "Midwest::Indiana", "Northeast::Boston", "Southwest::Phoenix"};
    return info;
}

inline std::vector<CCaseViewParam> SampleViews()
{
    return {
        SampleView(1, "Open Audits", kScopeEachParent | kScopeAllParents | kScopeEachRegion),
        SampleView(2, "Due This Week", kScopeAllParents | kScopeUnassignedParents),
        SampleView(3, "Assigned", kScopeEachAuditor | kScopeEachReviewer),
        SampleView(4, "Find Case", kScopeAllParents | kScopeAllChildren | kScopeAllRegions, CCaseViewParam::searchView),
        SampleView(5, "Unassigned Cases", kScopeUnassignedChildren | kScopeUnassignedRegions),
        SampleView(6, "Scheduled", kScopeEachScheduler | kScopeAllChildren, CCaseViewParam::caseAndSearchView),
    };
}

inline std::vector<CReportViewParam> SampleReports()
{
    std::vector<CReportViewParam> reports(2);
    reports[0].name = "Monthly Production";
    reports[1].name = "Aging by Auditor";
    return reports;
}

inline std::shared_ptr<CCaseQueryResultColInfo> SampleColumn(std::string header, int32_t width, int32_t alignment,
                                                             int32_t kind)
{
    auto column = std::make_shared<CCaseQueryResultColInfo>();
    column->header = std::move(header);
    column->width = width;
    column->alignment = alignment;
    column->columnKind = kind;
    return column;
}

inline std::shared_ptr<CCaseQueryDataRow> SampleRow(std::vector<std::string> cells)
{
    auto row = std::make_shared<CCaseQueryDataRow>();
    row->cells = std::move(cells);
    return row;
}

// Case number (hidden), insured (text), due date (date), premium (amount, right),
// status code (centred).
inline std::unique_ptr<CCaseQueryResults> SampleResults()
{
    auto results = std::make_unique<CCaseQueryResults>();
    results->resultColumns = {SampleColumn("Case", 0, 0, 0), SampleColumn("Insured Name", 190, 0, 0),
                              SampleColumn("Due Date", 90, 1, 1), SampleColumn("Est. Premium", 95, 2, 4),
                              SampleColumn("Status", 70, 1, 2)};
    results->rows = {
        SampleRow({"A-1001", "Riverside Bakery LLC", "3/14/2024", "12,450.00", "Open"}),
        SampleRow({"A-1002", "acme tool & die", "", "9.50", "Open"}),
        SampleRow({"A-1003", "Bluewater Marine Supply", "1/2/2024", "10.00", "Sched"}),
        SampleRow({"A-1004"}),  // only the key: not listed
        SampleRow({"A-1005", "Copperline Electric", "12/30/2023", "980.25", "Review"}),
        SampleRow({"A-1006", "Zephyr Logistics", "not set", "150000.00", "Open"}),
    };
    return results;
}
