#include "server/reports/built_in_reports.h"

#include "records/audit_case.h"
#include "report/text_format.h"
#include "server/reports/grid_builder.h"
#include "server/reports/report_text.h"

#include <algorithm>
#include <map>

namespace {

const std::vector<CGridColumn> kColumns = {
    {"Case No.", 85, 0},
    {"Insured Name", 248, 0},
    {"Policy No.", 110, 0},
    {"Auditor", 140, 0},
    {"Due Date", 95, TextFormat::kCentre},
    {"Est. Premium", 120, TextFormat::kRight},
};

std::string ParentTitle(const std::string& parent)
{
    return parent.empty() ? "(No Parent)" : parent;
}

std::string CaseCount(size_t count)
{
    return std::to_string(count) + (count == 1 ? " case" : " cases");
}

}  // namespace

std::shared_ptr<CReportPrintout> BuildCaseListing(const CaseList& selected, const CReportContext& context,
                                                  CReportBudget& budget)
{
    CaseList cases = selected;
    if (!context.includeClosed)
        std::erase_if(cases, [](const CAuditCase* item) { return item->completed || item->archive; });
    // Cases of a stage not chosen; a code outside the stages is always listed.
    std::erase_if(cases, [&](const CAuditCase* item) {
        return item->childGroupCode >= 0 && item->childGroupCode < 9 && (context.stages >> item->childGroupCode & 1u) == 0;
    });

    auto printout = std::make_shared<CReportPrintout>();
    SetPageHeader(*printout, ReportTitle(context, "Case Listing by Parent"),
                  "As of " + ReportText::DateOfDay(context.today) + ", " + CaseCount(cases.size()) +
                      (context.includeClosed ? "" : " (open cases only)") + CreatedRangeNote(context));

    // Parents in name order, each parent's cases by case number.
    std::map<std::string, CaseList> byParent;
    for (const CAuditCase* item : cases)
        byParent[item->parentName].push_back(item);

    auto totals = ReportBlocks::Grid("Totals by Parent", {{"Parent", 413, 0},
                                                          {"Cases", 150, TextFormat::kRight},
                                                          {"Est. Premium", 235, TextFormat::kRight}});
    double allPremium = 0;
    for (auto& [parent, parentCases] : byParent) {
        std::stable_sort(parentCases.begin(), parentCases.end(), [&](const CAuditCase* a, const CAuditCase* b) {
            return context.orderByInsuredName ? a->insuredName < b->insuredName : a->caseNumber < b->caseNumber;
        });
        auto grid = ReportBlocks::Grid(ParentTitle(parent), kColumns);
        double premium = 0;
        for (const CAuditCase* item : parentCases) {
            const CDateTime due = item->auditorDueDate.IsValid() ? item->auditorDueDate : item->masterDueDate;
            if (!ReportBlocks::AddRow(*grid, {item->caseNumber, item->insuredName, item->policyNumber, item->childName,
                                              ReportText::Date(due), ReportText::Amount(item->policyEstPremium)},
                                      budget))
                return nullptr;
            premium += item->policyEstPremium;
        }
        if (!ReportBlocks::AddBoldRow(*grid, {"Total", CaseCount(parentCases.size()), "", "", "",
                                              ReportText::Amount(premium)}, budget))
            return nullptr;
        printout->sections.push_back(ReportBlocks::GridSection(grid));
        if (!ReportBlocks::AddRow(*totals, {ParentTitle(parent), std::to_string(parentCases.size()),
                                            ReportText::Amount(premium)}, budget))
            return nullptr;
        allPremium += premium;
    }

    if (cases.empty()) {
        printout->sections.push_back(ReportBlocks::Text("", "No cases were selected for this report."));
        return printout;
    }
    if (!ReportBlocks::AddBoldRow(*totals, {"All Parents", std::to_string(cases.size()),
                                            ReportText::Amount(allPremium)}, budget))
        return nullptr;
    printout->sections.push_back(ReportBlocks::GridSection(totals));
    return printout;
}
