#include "server/reports/grid_builder.h"

namespace ReportBlocks {

std::shared_ptr<CStaticGrid> Grid(const std::string& title, const std::vector<CGridColumn>& columns)
{
    auto grid = std::make_shared<CStaticGrid>();
    grid->title = title;
    grid->shadeTitle = 1;
    grid->titleHeight = title.empty() ? 0 : kTitleHeight;
    grid->titleFontSize = kTitleFontSize;
    grid->headerFontSize = kHeaderFontSize;
    grid->cellFontSize = kCellFontSize;
    int32_t right = 0;
    for (const CGridColumn& source : columns) {
        HeaderItem column;
        column.label = source.label;
        column.width = source.width;
        column.alignment = static_cast<int32_t>(source.alignment);
        right += source.width;
        column.rightEdge = right;
        grid->columns.push_back(std::move(column));
    }
    return grid;
}

bool AddRow(CStaticGrid& grid, const std::vector<std::string>& texts, CReportBudget& budget)
{
    int64_t bytes = 0;
    for (const std::string& text : texts)
        bytes += CReportBudget::kCellOverhead + static_cast<int64_t>(text.size());
    grid.AddRow(texts);
    return budget.AddPrintoutBytes(bytes);
}

bool AddBoldRow(CStaticGrid& grid, const std::vector<std::string>& texts, CReportBudget& budget)
{
    const bool within = AddRow(grid, texts, budget);
    for (DataItem& cell : grid.rows.back().cells)
        cell.bold = 1;
    return within;
}

std::shared_ptr<CRptGridSection> GridSection(std::shared_ptr<CStaticGrid> grid)
{
    auto section = std::make_shared<CRptGridSection>();
    section->grid = std::move(grid);
    return section;
}

std::shared_ptr<CRptMultiTextSection> Text(const std::string& title, const std::string& text, int32_t fontSize)
{
    auto section = std::make_shared<CRptMultiTextSection>();
    section->title = title;
    section->text = text;
    section->fontSize = fontSize;
    return section;
}

bool AddText(CReportPrintout& printout, std::shared_ptr<CRptMultiTextSection> text, CReportBudget& budget)
{
    const auto bytes = static_cast<int64_t>(text->title.size() + text->text.size());
    printout.sections.push_back(std::move(text));
    return budget.AddPrintoutBytes(bytes);
}

}  // namespace ReportBlocks
