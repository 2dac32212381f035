// What the sections, grids and page bands draw, recorded on the fake surface.
#include "report_fixtures.h"

#include "report/report_file.h"
#include "report/rpt_double_grid_section.h"
#include "report/rpt_metafile_section.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Records the band it is given and the footer height the printout reports meanwhile.
class CProbeSection : public CReportSection {
public:
    std::vector<CPageBand> bands;
    std::vector<int64_t> footerHeights;

    bool Draw(CReportGraphics&, CReportPrintout& printout, const CPageBand& band, bool, int64_t& runningY) override
    {
        bands.push_back(band);
        footerHeights.push_back(printout.FooterHeight());
        runningY += 5;
        return true;
    }
};

// Two columns (right edges 100 and 250, the second with a thick right line) and three
// rows, under a shaded title.
CStaticGrid SampleGrid()
{
    CStaticGrid grid;
    grid.title = "T";
    grid.shadeTitle = 1;
    grid.Column(0) = {"Name", 100, 0, 100, 0};
    grid.Column(1) = {"Amount", 150, static_cast<int32_t>(TextFormat::kRight), 250, HeaderItem::kThickRightLine};
    for (int i = 0; i < 3; ++i)
        grid.AddRow({"n" + std::to_string(i), "a" + std::to_string(i)});
    return grid;
}

bool Near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

}  // namespace

TEST(GridDrawing, TitleHeaderLinesAndCells)
{
    CStaticGrid grid = SampleGrid();
    CFakeGraphics g;
    // x 10, y 20: title 20..55, header 55..78, rows 78..129.
    EXPECT_EQ(grid.Draw(g, 10, 20, "", 1000, false), 3 * 17 + 23 + 35 + 1);
    EXPECT_FALSE(grid.HasMoreRows());

    // The shaded title bar, 250 wide (the last right edge), 35 high.
    ASSERT_FALSE(g.boxes.empty());
    EXPECT_EQ(g.boxes[0].argb, CStaticGrid::kShadeArgb);
    EXPECT_TRUE(Near(g.boxes[0].rect.left, 10) && Near(g.boxes[0].rect.top, 20) && Near(g.boxes[0].rect.right, 260) &&
                Near(g.boxes[0].rect.bottom, 55));

    std::set<double> across;
    std::vector<CFakeGraphics::Line> down;
    for (const auto& line : g.lines) {
        if (Near(line.y1, line.y2)) {
            across.insert(line.y1);
            EXPECT_TRUE(Near(line.x1, 10) && Near(line.x2, 260));
        } else {
            down.push_back(line);
        }
    }
    // Title top, header top border, under the header, under rows 1 and 2, the bottom.
    EXPECT_EQ(across, (std::set<double>{20, 55, 78, 95, 112, 129}));
    // Title sides, the left border, column 1's line, column 2's thick line (from just
    // below the header's top).
    ASSERT_EQ(down.size(), 5u);
    EXPECT_TRUE(Near(down[2].x1, 10) && Near(down[2].y1, 55) && Near(down[2].y2, 129));
    EXPECT_TRUE(Near(down[3].x1, 110) && Near(down[3].y1, 55) && Near(down[3].width, 0));
    EXPECT_TRUE(Near(down[4].x1, 260) && Near(down[4].y1, 56) && Near(down[4].y2, 129) && Near(down[4].width, 2));

    // Labels are centred in the header row, 2 units in from the column edges.
    const auto* label = g.FindText("Amount");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->format, TextFormat::kCentred);
    EXPECT_TRUE(Near(label->rect.left, 112) && Near(label->rect.right, 258) && Near(label->rect.bottom, 78));
    EXPECT_TRUE(label->font.bold);

    // Cells: 2 units inside the cell, one line, centred vertically, with the alignment.
    const auto* cell = g.FindText("a2");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->format, TextFormat::kRight | TextFormat::kSingleLine | TextFormat::kMiddle);
    EXPECT_TRUE(Near(cell->rect.top, 78 + 2 * 17 + 2) && Near(cell->rect.bottom, 78 + 3 * 17 - 2));
    EXPECT_NEAR(cell->font.emHeight, 12 * 100.0 / 72, 1e-9);
}

TEST(GridDrawing, LineStyleMaskAndShadedHeaderWithoutTitle)
{
    CStaticGrid grid = SampleGrid();
    grid.titleHeight = 0;
    CFakeGraphics g;
    grid.Draw(g, 0, 0, "", 1000, false);
    // Without a title bar, bit 8 shades the header row (one unit more than its height).
    ASSERT_FALSE(g.boxes.empty());
    EXPECT_TRUE(Near(g.boxes[0].rect.bottom, 24));

    // With no line styles only the line under the header and the thick column remain.
    CStaticGrid bare = SampleGrid();
    bare.titleHeight = 0;
    bare.SetLineStyle(0);
    CFakeGraphics plain;
    bare.Draw(plain, 0, 0, "", 1000, false);
    EXPECT_TRUE(plain.boxes.empty());
    ASSERT_EQ(plain.lines.size(), 2u);
    EXPECT_TRUE(Near(plain.lines[0].y1, 23) && Near(plain.lines[0].y2, 23));
    EXPECT_TRUE(Near(plain.lines[1].width, 2));
}

TEST(GridDrawing, WrapOverflowAndBoldCells)
{
    CStaticGrid grid = SampleGrid();
    grid.wrapCells = 1;
    grid.rows[0].cells[0].overflow = 1;
    grid.rows[0].cells[0].bold = 1;
    CFakeGraphics g;
    grid.Draw(g, 0, 0, "", 1000, false);
    const auto* cell = g.FindText("n0");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->format, TextFormat::kWordBreak | TextFormat::kMiddle | TextFormat::kNoClip);
    EXPECT_TRUE(cell->font.bold);
    // The overflowing text sits on a near-white box that hides the lines it crosses.
    EXPECT_EQ(g.boxes.back().argb, 0xFFFEFEFEu);
    EXPECT_FALSE(g.FindText("n1")->font.bold);
}

TEST(GridDrawing, CommentBoxOnTheFirstChunkOnlyWhileTitleAndHeaderRepeat)
{
    CStaticGrid grid = SampleGrid();
    for (int i = 3; i < 40; ++i)
        grid.AddRow({"n" + std::to_string(i), ""});
    grid.SetComment("Remark");
    // Grid width 251: box 188 wide; "Remark" is one line (20): m = 30, and the box
    // takes (30 + 20) / 17 + 1 = 3 rows. 400 units hold 3 + 17 rows after 59 units
    // of frame: 400 - 59 - 51 = 290, 17 rows.
    CFakeGraphics first;
    EXPECT_EQ(grid.Draw(first, 0, 0, "Override", 400, false), 17 * (17 + 3) + 59);
    EXPECT_EQ(grid.RowCursor(), 17u);
    EXPECT_NE(first.FindText("Override"), nullptr);
    const auto* comment = first.FindText("Remark");
    ASSERT_NE(comment, nullptr);
    EXPECT_TRUE(comment->font.italic);
    // The box at ((251 - 188) / 2, 35 + 23 + 5), inset by 5.
    EXPECT_TRUE(Near(comment->rect.left, 31 + 5) && Near(comment->rect.top, 63 + 5) &&
                Near(comment->rect.right, 31 + 188 - 5));
    // The first row goes under the comment rows.
    EXPECT_TRUE(Near(first.FindText("n0")->rect.top, 58 + 3 * 17 + 2));

    CFakeGraphics second;
    grid.Draw(second, 0, 0, "", 400, false);
    EXPECT_EQ(second.FindText("Remark"), nullptr);
    EXPECT_NE(second.FindText("T"), nullptr);
    EXPECT_NE(second.FindText("Name"), nullptr);
    EXPECT_NE(second.FindText("n17"), nullptr);
}

TEST(GridDrawing, NoRoomForMoreThanOneRowDrawsAndConsumesNothing)
{
    CStaticGrid grid = SampleGrid();
    CFakeGraphics g;
    EXPECT_EQ(grid.Draw(g, 0, 0, "", 59 + 17, false), 0);
    EXPECT_TRUE(g.texts.empty() && g.lines.empty());
    EXPECT_EQ(grid.RowCursor(), 0u);
    EXPECT_FALSE(grid.IsStarted());
    EXPECT_EQ(grid.Draw(g, 0, 0, "", 59 + 18, true), 17 + 59);
    EXPECT_TRUE(g.texts.empty());
    // kAllRows takes every remaining row whatever the space.
    EXPECT_EQ(grid.Draw(g, 0, 0, "", CStaticGrid::kAllRows, true), 2 * 17 + 59);
    EXPECT_FALSE(grid.HasMoreRows());
}

TEST(GridSectionLayout, CommentTooLargeIsReplacedForPrintingButKeptInTheReport)
{
    CReportPrintout printout;
    auto section = GridSection(5);
    std::string comment;
    for (int i = 0; i < 60; ++i)
        comment += "comment\tline\n";
    section->grid->SetComment(comment);
    printout.sections = {section};
    const std::string stored = StoreReportBlock(printout);

    CFakeGraphics g;
    printout.LayOutPage(g, 0);
    printout.LayOutPage(g, 1);
    EXPECT_NE(g.FindText(CStaticGrid::kCommentTooLarge), nullptr);
    // Laying out must not change what a later save writes.
    EXPECT_EQ(section->grid->GetComment(), comment);
    EXPECT_EQ(StoreReportBlock(printout), stored);

    // A comment that fits prints with its tabs as spaces.
    section->grid->SetComment("a\tb");
    g.Clear();
    printout.LayOutPage(g, 1);
    EXPECT_NE(g.FindText("a b"), nullptr);
    EXPECT_EQ(section->grid->GetComment(), "a\tb");
}

TEST(TextSectionLayout, TitleBarFrameAndTextAcrossPages)
{
    CReportPrintout printout;
    auto section = LinesSection(50, "Notes");
    printout.sections = {section};
    CFakeGraphics g;
    ASSERT_EQ(printout.LayOutPage(g, 0), 2);
    printout.LayOutPage(g, 1);
    // Band 0..799 from y 2: the title in the top 20 units, on its grey measured box.
    const auto* title = g.FindText("Notes");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->format, TextFormat::kCentred);
    EXPECT_TRUE(title->font.bold);
    EXPECT_TRUE(Near(title->rect.top, 2) && Near(title->rect.bottom, 22));
    EXPECT_EQ(g.boxes[0].argb, 0xFFE0E0E0u);
    // 48 lines fit (962 / 20): the frame is 48 * 20 + 20 + 8 high.
    EXPECT_TRUE(g.boxes[1].frame);
    EXPECT_TRUE(Near(g.boxes[1].rect.Height(), 48 * 20 + 28) && Near(g.boxes[1].rect.Width(), 799));
    const auto* body = g.FindText(section->text);
    ASSERT_NE(body, nullptr);
    EXPECT_TRUE(Near(body->rect.left, 8) && Near(body->rect.top, 24) && Near(body->rect.right, 791) &&
                Near(body->rect.bottom, 986));
    EXPECT_TRUE(Near(g.lines.at(0).y1, 22));

    // Page 2 repeats the title and continues with line 48.
    g.Clear();
    printout.LayOutPage(g, 2);
    EXPECT_NE(g.FindText("Notes"), nullptr);
    EXPECT_NE(g.FindText("line 48\nline 49\n"), nullptr);
    // Tabs print as spaces.
    section->text = "a\tb";
    g.Clear();
    printout.LayOutPage(g, 0);
    printout.LayOutPage(g, 1);
    EXPECT_NE(g.FindText("a b"), nullptr);
}

TEST(TextSectionLayout, BandLowerThan22MovesTheTextOn)
{
    CRptMultiTextSection section = *LinesSection(3);
    CReportPrintout printout;
    CFakeGraphics g;
    section.Prepare(g, printout);
    int64_t y = 100;
    EXPECT_FALSE(section.Draw(g, printout, {0, 100, 799, 121}, false, y));
    EXPECT_EQ(y, 100);
    EXPECT_TRUE(g.texts.empty());
    EXPECT_TRUE(section.Draw(g, printout, {0, 100, 799, 200}, false, y));
    EXPECT_EQ(y, 100 + 60 + 8);
}

TEST(PageBands, HeaderFooterFooterLineAndShadedRemainder)
{
    CReportPrintout printout;
    auto header = std::make_shared<CProbeSection>();
    auto footer = std::make_shared<CProbeSection>();
    printout.header = header;
    printout.footer = footer;
    printout.headerHeight = 40;
    printout.footerHeight = 30;
    printout.shadeRemainder = 1;
    printout.sections = {GridSection(60)};
    CFakeGraphics g;
    ASSERT_EQ(printout.LayOutPage(g, 0), 2);
    EXPECT_TRUE(header->bands.empty());  // pagination draws no bands

    printout.LayOutPage(g, 2);
    // Bands of page 2 only.
    ASSERT_EQ(header->bands.size(), 1u);
    EXPECT_EQ(header->bands[0].top, 0);
    EXPECT_EQ(header->bands[0].bottom, 40);
    EXPECT_EQ(header->bands[0].right, 799);
    ASSERT_EQ(footer->bands.size(), 1u);
    EXPECT_EQ(footer->bands[0].top, 1000 - 30 - 1);
    EXPECT_EQ(footer->bands[0].bottom, 999);
    // While the footer draws the printout reports no footer.
    EXPECT_EQ(footer->footerHeights[0], 0);
    EXPECT_EQ(printout.FooterHeight(), 30);

    const auto* line = g.FindText("Page 2 of 2");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->format, TextFormat::kNoClip);
    EXPECT_TRUE(Near(line->rect.top, 991) && Near(line->rect.bottom, 999) && Near(line->rect.right, 800));
    EXPECT_NEAR(line->font.emHeight, 7 * 100.0 / 72, 1e-9);

    // The band 42..968 (926 units) holds 51 rows; page 2 has the 9 left, which end at
    // 42 + 9 * 17 + 59 + 2 = 256, and the rest down to the footer is shaded:
    // 1000 - (30 + 256 + 1) high.
    const auto& shade = g.boxes.at(g.boxes.size() - 2);
    EXPECT_EQ(shade.argb, CReportPrintout::kRemainderArgb);
    EXPECT_TRUE(Near(shade.rect.top, 256) && Near(shade.rect.Width(), 799) &&
                Near(shade.rect.Height(), 1000 - (30 + 256 + 1)));
    EXPECT_TRUE(g.boxes.back().frame);
}

TEST(PageBands, LayingOutLeavesTheStoredFooterHeightAlone)
{
    // Without a footer section layout keeps 10 units for the footer line; the stored
    // height must survive, or saving after viewing would change the report.
    CReportPrintout printout;
    printout.footerHeight = 300;
    printout.sections = {GridSection(5)};
    const std::string before = StoreReportBlock(printout);
    CFakeGraphics g;
    printout.LayOutPage(g, 0);
    printout.LayOutPage(g, 1);
    EXPECT_EQ(printout.footerHeight, 300);
    EXPECT_EQ(StoreReportBlock(printout), before);
}

TEST(SideBySide, FillerBoxUnderTheShorterGrid)
{
    CRptDoubleGridSection section;
    section.left = NumberedGrid(2, "l");
    section.right = NumberedGrid(5);
    section.rightGridX = 400;
    section.leftAreaRight = 380;
    CReportPrintout printout;
    CFakeGraphics g;
    ASSERT_TRUE(section.Prepare(g, printout));
    int64_t y = 2;
    EXPECT_TRUE(section.Draw(g, printout, {0, 2, 799, 988}, false, y));
    // Left 2 * 17 + 59 = 93 high, right 5 * 17 + 59 = 144: the box closes the left area
    // from 2 + 93 down to the right grid's bottom.
    EXPECT_EQ(y, 2 + 144);
    const auto& filler = g.boxes.at(g.boxes.size() - 2);
    EXPECT_EQ(filler.argb, CRptDoubleGridSection::kFillerArgb);
    EXPECT_TRUE(Near(filler.rect.left, 0) && Near(filler.rect.top, 95) && Near(filler.rect.Width(), 379) &&
                Near(filler.rect.Height(), 50));
    EXPECT_NE(g.FindText("r4"), nullptr);

    // Either grid missing: nothing to show.
    section.right = nullptr;
    EXPECT_FALSE(section.Prepare(g, printout));
}

TEST(PictureSection, StretchedByItsOwnOrientationNotThePages)
{
    CReportPrintout printout;
    printout.defaultOrientation = CReportPrintout::kLandscape;
    auto picture = std::make_shared<CRptMetafileSection>();
    picture->picture.SetBytes("x");
    auto portrait = std::make_shared<CRptMetafileSection>();
    portrait->picture.SetBytes("y");
    portrait->orientation = CReportPrintout::kPortrait;
    auto empty = std::make_shared<CRptMetafileSection>();
    printout.sections = {picture, portrait, empty};
    CFakeGraphics g;
    // The empty picture is passed over, but as a full-page section still got its page.
    ASSERT_EQ(printout.LayOutPage(g, 0), 3);
    EXPECT_TRUE(g.pictures.empty());
    printout.LayOutPage(g, 1);
    printout.LayOutPage(g, 2);
    printout.LayOutPage(g, 3);
    ASSERT_EQ(g.pictures.size(), 2u);
    EXPECT_TRUE(Near(g.pictures[0].Width(), 1000) && Near(g.pictures[0].Height(), 800));
    EXPECT_TRUE(Near(g.pictures[1].Width(), 800) && Near(g.pictures[1].Height(), 1000));
    // Full pages carry no header, footer or footer line.
    EXPECT_TRUE(g.TextsStartingWith("Page").empty());
}
