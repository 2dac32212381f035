// The case list's printout: bands cut from the list's columns, the page frame, and where
// rows break. Geometry of a portrait page: rows start at 30 and may reach 1000 - 30, so
// a band has 940 units; its grid has no title bar, a 22-unit header and the 1-unit
// closing line, leaving 917 units: 53 rows of 17 per page.
#include "report/report_fixtures.h"

#include "report/list_printout.h"

#include <gtest/gtest.h>

namespace {

CListPrintTable Table(const std::vector<int32_t>& widths, int rows)
{
    CListPrintTable table;
    table.title = "Open Audits for Carrier (3)";
    for (size_t i = 0; i < widths.size(); ++i)
        table.columns.push_back({"Col" + std::to_string(i), widths[i], static_cast<int32_t>(i % 3)});
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> row;
        for (size_t c = 0; c < widths.size(); ++c)
            row.push_back("c" + std::to_string(c) + "r" + std::to_string(r));
        table.rows.push_back(row);
    }
    return table;
}

std::vector<std::string> RightEdges(const CStaticGridOld& grid)
{
    std::vector<std::string> edges;
    for (const HeaderItemOld& column : grid.columns)
        edges.push_back(column.label + "@" + std::to_string(column.rightEdge));
    return edges;
}

}  // namespace

TEST(ListPrintBands, ColumnsThatPassThePageWidthStartANewBand)
{
    // Each column adds its width + 1: 301, 602, then 903 passes 800 - 2.
    CListPrintout portrait(Table({300, 300, 300}, 2), 1, "01/02/24");
    ASSERT_EQ(portrait.Bands().size(), 2u);
    EXPECT_EQ(RightEdges(portrait.Bands()[0]), (std::vector<std::string>{"Col0@300", "Col1@601"}));
    EXPECT_EQ(RightEdges(portrait.Bands()[1]), (std::vector<std::string>{"Col2@300"}));
    // Every band holds every row, with the texts of its own columns.
    EXPECT_EQ(portrait.Bands()[1].rows.size(), 2u);
    EXPECT_EQ(portrait.Bands()[1].rows[1].cells[0].text, "c2r1");

    // Landscape paper is 1000 wide: 903 stays within 998.
    CListPrintout landscape(Table({300, 300, 300}, 2), 2, "01/02/24");
    EXPECT_EQ(landscape.Bands().size(), 1u);
    portrait.SetOrientation(2);
    EXPECT_EQ(portrait.Bands().size(), 1u);
}

TEST(ListPrintBands, AColumnWiderThanThePageIsCappedAndStandsAlone)
{
    CListPrintout list(Table({100, 5000, 100}, 1), 1, "d");
    ASSERT_EQ(list.Bands().size(), 3u);
    EXPECT_EQ(list.Bands()[1].columns[0].rightEdge, 799);
    EXPECT_EQ(list.Bands()[1].columns[0].width, 799);
}

TEST(ListPrintBands, GridsAreSetUpAsListBandsWithTheListsAlignments)
{
    CListPrintout list(Table({80, 80, 80}, 1), 1, "d");
    const CStaticGridOld& grid = list.Bands().at(0);
    EXPECT_EQ(grid.titleHeight, 0);
    EXPECT_EQ(grid.headerHeight, 22);
    EXPECT_EQ(grid.rowHeight, 17);
    EXPECT_EQ(grid.headerFontSize, 11);
    EXPECT_EQ(grid.cellFontSize, 12);
    EXPECT_EQ(grid.shadeTitle, 1);
    EXPECT_EQ(grid.headerBold, 1);
    EXPECT_EQ(grid.titleBold, 0);
    EXPECT_EQ(grid.wrapCells, 0);
    // List alignment 0 left, 1 centred, 2 right, as text-format bits, on the cells too.
    EXPECT_EQ(grid.columns[0].alignment, 0);
    EXPECT_EQ(grid.columns[1].alignment, static_cast<int32_t>(TextFormat::kCentre));
    EXPECT_EQ(grid.columns[2].alignment, static_cast<int32_t>(TextFormat::kRight));
    EXPECT_EQ(grid.rows[0].cells[2].alignment, static_cast<int32_t>(TextFormat::kRight));
}

TEST(ListPrintLayout, EachBandStartsANewPageAndLongBandsContinue)
{
    // Two bands of 100 rows: 53 + 47 rows each, four pages.
    CListPrintout list(Table({300, 300, 300}, 100), 1, "d");
    CFakeGraphics graphics;
    EXPECT_EQ(list.LayOutPage(graphics, 0), 4);
    EXPECT_TRUE(graphics.texts.empty()) << "counting pages draws nothing";

    const char* firstRows[] = {"c0r0", "c0r53", "c2r0", "c2r53"};
    for (int page = 1; page <= 4; ++page) {
        graphics.Clear();
        EXPECT_EQ(list.LayOutPage(graphics, page), 4);
        EXPECT_NE(graphics.FindText(firstRows[page - 1]), nullptr) << page;
        EXPECT_NE(graphics.FindText("Page " + std::to_string(page)), nullptr) << page;
        EXPECT_NE(graphics.FindText(list.Title()), nullptr) << page;
        // The header repeats on continuation pages.
        EXPECT_NE(graphics.FindText(page <= 2 ? "Col0" : "Col2"), nullptr) << page;
    }
    graphics.Clear();
    list.LayOutPage(graphics, 2);
    EXPECT_EQ(graphics.TextsStartingWith("c0r").size(), 47u);
}

TEST(ListPrintLayout, TitleFooterAndRowsSitWhereThePageFrameSays)
{
    CListPrintout list(Table({200, 200}, 3), 1, "03/04/24");
    CFakeGraphics graphics;
    list.LayOutPage(graphics, 1);

    const CFakeGraphics::Text* title = graphics.FindText(list.Title());
    ASSERT_NE(title, nullptr);
    EXPECT_DOUBLE_EQ(title->rect.top, 0);
    EXPECT_DOUBLE_EQ(title->rect.bottom, 20);
    EXPECT_DOUBLE_EQ(title->rect.right, 800);
    EXPECT_TRUE(title->format & TextFormat::kCentre);
    EXPECT_TRUE(title->font.bold);
    EXPECT_DOUBLE_EQ(title->font.emHeight, 16);

    const CFakeGraphics::Text* date = graphics.FindText("Printed on 03/04/24");
    const CFakeGraphics::Text* page = graphics.FindText("Page 1");
    ASSERT_NE(date, nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_DOUBLE_EQ(date->rect.top, 985);
    EXPECT_DOUBLE_EQ(date->rect.bottom, 998);
    EXPECT_DOUBLE_EQ(date->rect.left, 0);
    EXPECT_FALSE(date->format & TextFormat::kRight);
    EXPECT_DOUBLE_EQ(page->rect.right, 798);
    EXPECT_TRUE(page->format & TextFormat::kRight);
    EXPECT_DOUBLE_EQ(page->font.emHeight, 10);
    EXPECT_TRUE(page->font.bold);

    // Header labels from y 30; the first row's cell 2 units inside the row under it.
    const CFakeGraphics::Text* header = graphics.FindText("Col0");
    ASSERT_NE(header, nullptr);
    EXPECT_DOUBLE_EQ(header->rect.top, 30);
    const CFakeGraphics::Text* cell = graphics.FindText("c0r0");
    ASSERT_NE(cell, nullptr);
    EXPECT_DOUBLE_EQ(cell->rect.top, 30 + 22 + 2);
    // Old grids take their font sizes as page units, not points.
    EXPECT_DOUBLE_EQ(cell->font.emHeight, 12);
    EXPECT_DOUBLE_EQ(header->font.emHeight, 11);
}

TEST(ListPrintLayout, ListsWithoutRowsOrColumnsStillPrintOnePage)
{
    CListPrintout noRows(Table({100, 100}, 0), 1, "d");
    CFakeGraphics graphics;
    EXPECT_EQ(noRows.LayOutPage(graphics, 1), 1);
    EXPECT_NE(graphics.FindText("Col1"), nullptr);

    CListPrintout noColumns(CListPrintTable{"Empty...", {}, {}}, 1, "d");
    graphics.Clear();
    EXPECT_EQ(noColumns.LayOutPage(graphics, 1), 1);
    EXPECT_NE(graphics.FindText("Page 1"), nullptr);
}

TEST(ListPrintLayout, LandscapePagesHoldFewerRows)
{
    // 800 - 60 = 740 units: (740 - 23) / 17 = 42 rows a page.
    CListPrintout list(Table({100}, 43), 2, "d");
    CFakeGraphics graphics;
    EXPECT_EQ(list.LayOutPage(graphics, 0), 2);
    list.LayOutPage(graphics, 2);
    EXPECT_EQ(graphics.TextsStartingWith("c0r"), std::vector<std::string>{"c0r42"});
    const CFakeGraphics::Text* page = graphics.FindText("Page 2");
    ASSERT_NE(page, nullptr);
    EXPECT_DOUBLE_EQ(page->rect.bottom, 798);
    EXPECT_DOUBLE_EQ(page->rect.right, 998);
}
