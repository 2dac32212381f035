#include "report/list_printout.h"

#include "report/text_format.h"

#include <algorithm>
#include <ctime>

namespace {

unsigned AlignmentBits(int32_t listAlignment)
{
    if (listAlignment == 1)
        return TextFormat::kCentre;
    if (listAlignment == 2)
        return TextFormat::kRight;
    return 0;
}

// A band grid: no title bar, so the header row is shaded; rows on one line each.
CStaticGridOld BandGrid()
{
    CStaticGridOld grid;
    grid.shadeTitle = 1;
    grid.titleHeight = 0;
    grid.headerHeight = 22;
    grid.rowHeight = 17;
    grid.titleFontSize = 0;
    grid.headerFontSize = 11;
    grid.cellFontSize = 12;
    grid.titleBold = 0;
    grid.headerBold = 1;
    grid.wrapCells = 0;
    return grid;
}

}  // namespace

CListPrintout::CListPrintout(CListPrintTable table, int orientation, std::string printedOn)
    : m_table(std::move(table)), m_orientation(orientation == 2 ? 2 : 1), m_printedOn(std::move(printedOn))
{
    BuildBands();
}

void CListPrintout::SetOrientation(int orientation)
{
    const int wanted = orientation == 2 ? 2 : 1;
    if (wanted == m_orientation)
        return;
    m_orientation = wanted;
    BuildBands();
}

std::string CListPrintout::PageText(int page)
{
    return "Page " + std::to_string(page);
}

std::string CListPrintout::TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    const size_t length = std::strftime(text, sizeof text, "%x", &local);
    return std::string(text, length);
}

void CListPrintout::BuildBands()
{
    m_bands.clear();
    const int64_t pageWidth = PageWidth();
    // Which columns go in which band: a column that would take the running width past
    // the page width - 2 starts a new band; a band holds at least one column.
    std::vector<std::vector<size_t>> bandColumns;
    std::vector<int64_t> widths;
    int64_t running = 0;
    for (size_t i = 0; i < m_table.columns.size(); ++i) {
        const int64_t width = std::clamp<int64_t>(m_table.columns[i].width, 0, pageWidth - 1);
        widths.push_back(width);
        if (bandColumns.empty() || (running + width + 1 > pageWidth - 2 && !bandColumns.back().empty())) {
            bandColumns.emplace_back();
            running = 0;
        }
        bandColumns.back().push_back(i);
        running += width + 1;
    }

    for (const std::vector<size_t>& columns : bandColumns) {
        CStaticGridOld grid = BandGrid();
        int64_t left = 0;
        for (size_t index : columns) {
            const CListPrintColumn& source = m_table.columns[index];
            HeaderItemOld column;
            column.label = source.label;
            column.width = static_cast<int32_t>(widths[index]);
            column.alignment = static_cast<int32_t>(AlignmentBits(source.alignment));
            column.rightEdge = static_cast<int32_t>(left + widths[index]);
            left += widths[index] + 1;
            grid.columns.push_back(std::move(column));
        }
        grid.rows.reserve(m_table.rows.size());
        std::vector<std::string> texts(columns.size());
        for (const std::vector<std::string>& row : m_table.rows) {
            for (size_t c = 0; c < columns.size(); ++c)
                texts[c] = columns[c] < row.size() ? row[columns[c]] : std::string();
            grid.AddRow(texts);
        }
        m_bands.push_back(std::move(grid));
    }
}

void CListPrintout::DrawPageFrame(CReportGraphics& graphics, int page)
{
    const auto width = static_cast<double>(PageWidth());
    const auto height = static_cast<double>(PageHeight());
    const CReportFont titleFont{"Arial", kTitleFontHeight, true, false};
    DrawText(graphics, m_table.title, {0, 0, width, static_cast<double>(kTitleBandHeight)}, 0,
             TextFormat::kCentred | TextFormat::kSingleLine, titleFont, std::nullopt, std::nullopt);

    const CReportFont footerFont{"Arial", kFooterFontHeight, true, false};
    const CReportRect footer{0, height - kFooterTopFromBottom, width - kFooterRightInset,
                             height - kFooterBottomFromBottom};
    DrawText(graphics, FooterDateText(), footer, 0, TextFormat::kMiddle | TextFormat::kSingleLine, footerFont,
             std::nullopt, std::nullopt);
    DrawText(graphics, PageText(page), footer, 0, TextFormat::kRight | TextFormat::kMiddle | TextFormat::kSingleLine,
             footerFont, std::nullopt, std::nullopt);
}

int CListPrintout::LayOutPage(CReportGraphics& graphics, int target)
{
    const int64_t available = PageHeight() - kBodyTop - kBodyBottomMargin;
    int page = 0;
    for (CStaticGridOld& band : m_bands) {
        band.Reset();
        for (;;) {
            ++page;
            const bool drawing = page == target;
            if (drawing)
                DrawPageFrame(graphics, page);
            const size_t before = band.RowCursor();
            band.Draw(graphics, 0, kBodyTop, "", available, !drawing);
            // A band that cannot place a row on an empty page never will.
            if (!band.HasMoreRows() || band.RowCursor() == before)
                break;
        }
    }
    if (page == 0) {
        // No columns: one page with the title and the footer.
        page = 1;
        if (target == 1)
            DrawPageFrame(graphics, page);
    }
    return page;
}
