#include "server/reports/built_in_reports.h"

#include "records/audit_case.h"
#include "report/rpt_double_grid_section.h"
#include "report/text_format.h"
#include "server/reports/grid_builder.h"
#include "server/reports/report_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace {

// The age brackets, the overdue ones from the oldest down.
enum Bracket { over90, days61to90, days31to60, days1to30, notDue, noDueDate, bracketCount };

const std::array<const char*, bracketCount> kBracketNames = {"Over 90 days", "61 - 90 days", "31 - 60 days",
                                                              "1 - 30 days",  "Not yet due",  "No due date"};

struct AgedCase {
    const CAuditCase* item = nullptr;
    std::optional<int64_t> due;
    int64_t daysOver = 0;
};

Bracket BracketOf(const AgedCase& aged)
{
    if (!aged.due)
        return noDueDate;
    if (aged.daysOver <= 0)
        return notDue;
    if (aged.daysOver <= 30)
        return days1to30;
    if (aged.daysOver <= 60)
        return days31to60;
    if (aged.daysOver <= 90)
        return days61to90;
    return over90;
}

bool IsOpen(const CAuditCase& item)
{
    return !item.completed && !item.archive && item.childGroupCode < CAuditCase::kArchiveGroup;
}

std::string AuditorName(const std::string& child)
{
    return child.empty() ? "(Unassigned)" : child;
}

}  // namespace

std::shared_ptr<CReportPrintout> BuildDueDateAging(const CaseList& cases, const CReportContext& context,
                                                   CReportBudget& budget)
{
    auto printout = std::make_shared<CReportPrintout>();
    const std::string asOf = ReportText::DateOfDay(context.today);
    SetPageHeader(*printout, ReportTitle(context, "Due Date Aging"), "As of " + asOf + CreatedRangeNote(context));

    std::array<std::vector<AgedCase>, bracketCount> brackets;
    size_t closed = 0;
    for (const CAuditCase* item : cases) {
        if (!IsOpen(*item)) {
            ++closed;
            continue;
        }
        AgedCase aged{item, std::nullopt, 0};
        if (!context.ageByMasterDueDate)
            aged.due = ReportText::DayOf(item->auditorDueDate);
        if (!aged.due)
            aged.due = ReportText::DayOf(item->masterDueDate);
        if (aged.due)
            aged.daysOver = context.today - *aged.due;
        brackets[BracketOf(aged)].push_back(aged);
    }
    size_t open = 0;
    for (const auto& bracket : brackets)
        open += bracket.size();

    const std::string dueDate = context.ageByMasterDueDate
                                    ? "their master due date"
                                    : "their auditor due date (or, without one, their master due date)";
    printout->sections.push_back(ReportBlocks::Text(
        "About this report",
        "Open cases by the number of days since " + dueDate + " as of " + asOf +
            ". Completed and archived cases are left out: " + std::to_string(closed) + " of the " +
            std::to_string(cases.size()) + " selected cases. " + std::to_string(open) + " open cases remain."));

    // Left: the brackets; right: each auditor's overdue cases.
    auto summary = ReportBlocks::Grid("Cases by Age", {{"Age", 170, 0},
                                                       {"Cases", 80, TextFormat::kRight},
                                                       {"Est. Premium", 130, TextFormat::kRight}});
    double allPremium = 0;
    for (int b = 0; b < bracketCount; ++b) {
        double premium = 0;
        for (const AgedCase& aged : brackets[b])
            premium += aged.item->policyEstPremium;
        allPremium += premium;
        ReportBlocks::AddRow(*summary, {kBracketNames[b], std::to_string(brackets[b].size()), ReportText::Amount(premium)},
                             budget);
    }
    ReportBlocks::AddBoldRow(*summary, {"All open cases", std::to_string(open), ReportText::Amount(allPremium)},
                             budget);

    struct Overdue {
        size_t count = 0;
        int64_t oldest = 0;
    };
    std::map<std::string, Overdue> byAuditor;
    for (int b = over90; b <= days1to30; ++b)
        for (const AgedCase& aged : brackets[b]) {
            Overdue& entry = byAuditor[AuditorName(aged.item->childName)];
            ++entry.count;
            entry.oldest = std::max(entry.oldest, aged.daysOver);
        }
    auto auditors = ReportBlocks::Grid("Overdue by Auditor", {{"Auditor", 200, 0},
                                                              {"Overdue", 80, TextFormat::kRight},
                                                              {"Oldest (days)", 110, TextFormat::kRight}});
    for (const auto& [name, entry] : byAuditor)
        if (!ReportBlocks::AddRow(*auditors, {name, std::to_string(entry.count), std::to_string(entry.oldest)}, budget))
            return nullptr;
    if (byAuditor.empty())
        ReportBlocks::AddRow(*auditors, {"No overdue cases", "", ""}, budget);

    auto side = std::make_shared<CRptDoubleGridSection>();
    side->left = summary;
    side->right = auditors;
    side->leftAreaRight = 381;  // the filler under the shorter grid is as wide as the summary (380)
    side->rightGridX = 400;
    printout->sections.push_back(side);

    // The cases of each bracket, most overdue first.
    for (int b = 0; b < bracketCount && context.listBracketCases; ++b) {
        std::vector<AgedCase>& list = brackets[b];
        if (list.empty())
            continue;
        std::stable_sort(list.begin(), list.end(), [](const AgedCase& x, const AgedCase& y) {
            return x.daysOver != y.daysOver ? x.daysOver > y.daysOver : x.item->caseNumber < y.item->caseNumber;
        });
        auto grid = ReportBlocks::Grid(kBracketNames[b], {{"Case No.", 85, 0},
                                                         {"Insured Name", 243, 0},
                                                         {"Auditor", 140, 0},
                                                         {"Due Date", 95, TextFormat::kCentre},
                                                         {"Days Over", 95, TextFormat::kRight},
                                                         {"Est. Premium", 140, TextFormat::kRight}});
        for (const AgedCase& aged : list)
            if (!ReportBlocks::AddRow(*grid, {aged.item->caseNumber, aged.item->insuredName,
                                              AuditorName(aged.item->childName),
                                              aged.due ? ReportText::DateOfDay(*aged.due) : std::string(),
                                              aged.due && aged.daysOver > 0 ? std::to_string(aged.daysOver)
                                                                            : std::string(),
                                              ReportText::Amount(aged.item->policyEstPremium)},
                                      budget))
                return nullptr;
        printout->sections.push_back(ReportBlocks::GridSection(grid));
    }
    return budget.Exceeded() ? nullptr : printout;
}
