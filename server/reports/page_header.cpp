#include "server/reports/built_in_reports.h"

#include "records/audit_case.h"
#include "server/reports/grid_builder.h"
#include "server/reports/report_text.h"

namespace {

// The title bar (20) and one line of 10-unit text under it, with the text block's insets.
constexpr int32_t kHeaderHeight = 40;

}  // namespace

void SetPageHeader(CReportPrintout& printout, const std::string& title, const std::string& line)
{
    printout.header = ReportBlocks::Text(title, line);
    printout.headerHeight = kHeaderHeight;
}

std::string ReportTitle(const CReportContext& context, const char* ownTitle)
{
    return context.title.empty() ? std::string(ownTitle) : context.title;
}

std::string CreatedRangeNote(const CReportContext& context)
{
    if (context.createdFrom && context.createdTo)
        return ", created " + ReportText::DateOfDay(*context.createdFrom) + " - " +
               ReportText::DateOfDay(*context.createdTo);
    if (context.createdFrom)
        return ", created from " + ReportText::DateOfDay(*context.createdFrom);
    if (context.createdTo)
        return ", created up to " + ReportText::DateOfDay(*context.createdTo);
    return {};
}

bool CreatedWithin(const CAuditCase& item, const CReportContext& context)
{
    if (!context.createdFrom && !context.createdTo)
        return true;
    const std::optional<int64_t> day = ReportText::DayOf(item.dateCreated);
    if (!day)
        return false;
    return (!context.createdFrom || *day >= *context.createdFrom) && (!context.createdTo || *day <= *context.createdTo);
}
