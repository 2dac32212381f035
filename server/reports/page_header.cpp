#include "server/reports/built_in_reports.h"

#include "server/reports/grid_builder.h"

namespace {

// The title bar (20) and one line of 10-unit text under it, with the text block's insets.
constexpr int32_t kHeaderHeight = 40;

}  // namespace

void SetPageHeader(CReportPrintout& printout, const std::string& title, const std::string& line)
{
    printout.header = ReportBlocks::Text(title, line);
    printout.headerHeight = kHeaderHeight;
}
