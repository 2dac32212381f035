#pragma once
// Building blocks of the built-in reports: grids from column lists, text blocks.

#include "report/report_printout.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"
#include "server/reports/report_budget.h"

#include <memory>
#include <string>
#include <vector>

struct CGridColumn {
    std::string label;
    int32_t width = 0;
    unsigned alignment = 0;  // text-format bits of the column's cells
};

namespace ReportBlocks {

inline constexpr int32_t kTitleFontSize = 11;
inline constexpr int32_t kTitleHeight = 24;
inline constexpr int32_t kHeaderFontSize = 8;
inline constexpr int32_t kCellFontSize = 8;
inline constexpr int32_t kTextFontSize = 10;

// A grid with a shaded title bar (none when the title is empty) and the columns left to
// right, each column's right edge following from the widths.
std::shared_ptr<CStaticGrid> Grid(const std::string& title, const std::vector<CGridColumn>& columns);
// Appends a row and counts its cells against the budget; false once the budget is
// passed (the report is then abandoned).
bool AddRow(CStaticGrid& grid, const std::vector<std::string>& texts, CReportBudget& budget);
// The same for a row whose cells are all bold (totals).
bool AddBoldRow(CStaticGrid& grid, const std::vector<std::string>& texts, CReportBudget& budget);
std::shared_ptr<CRptGridSection> GridSection(std::shared_ptr<CStaticGrid> grid);
std::shared_ptr<CRptMultiTextSection> Text(const std::string& title, const std::string& text,
                                          int32_t fontSize = kTextFontSize);
// Appends a text block to the printout and counts its texts; false once the budget is
// passed.
bool AddText(CReportPrintout& printout, std::shared_ptr<CRptMultiTextSection> text, CReportBudget& budget);

}  // namespace ReportBlocks
