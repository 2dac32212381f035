// Where LayOutPage breaks pages. Each case states the geometry that decides its splits.
//
// Defaults, unless a case says otherwise: portrait page 800 x 1000, section gap 2, no
// header, no footer section (so 10 units are kept for the footer line). The body band
// then runs from y = 0 + 2 to 1000 - 10 - 2 = 988: 986 units. A grid with the default
// title (35), header (23) and row (17) heights needs 35 + 23 + 1 = 59 units around its
// rows, leaving 927 units: 54 rows (918) per portrait page. In landscape (800 high)
// the band is 786 units: 727 / 17 = 42 rows. Text is measured by CFakeGraphics: 20
// units per line, so a text section (4 units of inset top and bottom, 8 in all) takes
// 49 lines of a portrait band (986 - 4 = 982, 982 / 20 = 49).
#include "report_fixtures.h"

#include "report/rpt_double_grid_section.h"
#include "report/rpt_metafile_section.h"
#include "report/rpt_multi3_grid_section.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

struct PaginationCase {
    const char* name;
    std::function<void(CReportPrintout&)> build;
    std::vector<int> orientations;  // one per page
    // The first data row drawn on each page ("r0", "r54", ...), "" for a page without
    // rows; compared only when given.
    std::vector<std::string> firstRows;
};

// Keeps ctest's listing readable: a case prints as its name, not as raw bytes.
void PrintTo(const PaginationCase& c, std::ostream* out)
{
    *out << c.name;
}

std::shared_ptr<CRptMetafileSection> Picture()
{
    auto section = std::make_shared<CRptMetafileSection>();
    section->picture.SetBytes("not drawn by the fake surface");
    return section;
}

template <class T>
std::shared_ptr<T> Landscape(std::shared_ptr<T> section)
{
    section->orientation = CReportPrintout::kLandscape;
    return section;
}

template <class T>
std::shared_ptr<T> NewPage(std::shared_ptr<T> section)
{
    section->newPage = 1;
    return section;
}

const PaginationCase kCases[] = {
    {"EmptyPrintoutIsOneBlankPage", [](CReportPrintout&) {}, {1}, {""}},
    {"EmptyLandscapePrintoutIsOneLandscapePage",
     [](CReportPrintout& p) { p.defaultOrientation = CReportPrintout::kLandscape; }, {2}, {""}},
    {"GridOf54RowsFillsOnePageExactly", [](CReportPrintout& p) { p.sections = {GridSection(54)}; }, {1}, {"r0"}},
    // Row 55 does not fit: it opens page 2 under a repeated title and header.
    {"GridOf55RowsSpillsOneRow", [](CReportPrintout& p) { p.sections = {GridSection(55)}; }, {1, 1}, {"r0", "r54"}},
    {"GridOf200RowsTakesFourPages", [](CReportPrintout& p) { p.sections = {GridSection(200)}; }, {1, 1, 1, 1},
     {"r0", "r54", "r108", "r162"}},
    // 45 text lines end at 2 + (45 * 20 + 8) + 2 = 912; 76 units remain, 17 once the
    // grid's title and header are placed: room for one row only, which is not enough,
    // so the grid moves whole to page 2.
    {"GridWithRoomForOneRowMovesWhole",
     [](CReportPrintout& p) { p.sections = {LinesSection(45), GridSection(10)}; }, {1, 1}, {"", "r0"}},
    // With 44 lines the grid has 37 units after its frame: 2 rows fit on page 1.
    {"GridWithRoomForTwoRowsStartsOnThePage",
     [](CReportPrintout& p) { p.sections = {LinesSection(44), GridSection(10)}; }, {1, 1}, {"r0", "r2"}},
    // A new-page section starts a page even when the previous one had room left.
    {"NewPageSectionStartsAPage",
     [](CReportPrintout& p) { p.sections = {GridSection(3), NewPage(GridSection(3, "s"))}; }, {1, 1}, {"r0", "s0"}},
    // A skipped section is ignored entirely, new-page flag and all.
    {"SkippedSectionIsIgnored",
     [](CReportPrintout& p) {
         auto skipped = NewPage(GridSection(100, "x"));
         skipped->skip = 1;
         p.sections = {GridSection(3), skipped, GridSection(3, "s")};
     },
     {1}, {"r0"}},
    // A first section's new-page flag does not leave a blank page in front.
    {"NewPageOnTheFirstSectionAddsNoPage", [](CReportPrintout& p) { p.sections = {NewPage(GridSection(3))}; },
     {1}, {"r0"}},
    // The picture owns page 2; the grid after it starts page 3 with header and footer.
    {"FullPageSectionHasPagesOfItsOwn",
     [](CReportPrintout& p) { p.sections = {GridSection(3), Picture(), GridSection(3, "s")}; }, {1, 1, 1},
     {"r0", "", "s0"}},
    // A full-page grid has the whole page, 0 to 999: 999 - 59 = 940, 55 rows a page.
    {"FullPageGridUsesTheWholePage",
     [](CReportPrintout& p) {
         auto section = GridSection(60);
         section->fullPage = 1;
         p.sections = {section};
     },
     {1, 1}, {"r0", "r55"}},
    // An orientation change starts a page in the new orientation; 60 portrait rows
    // take two pages, 50 landscape rows 42 + 8 on two more.
    {"OrientationChangeStartsAPage",
     [](CReportPrintout& p) { p.sections = {GridSection(60), Landscape(GridSection(50, "s"))}; }, {1, 1, 2, 2},
     {"r0", "r54", "s0", "s42"}},
    {"LandscapeDefaultHolds42RowsAPage",
     [](CReportPrintout& p) {
         p.defaultOrientation = CReportPrintout::kLandscape;
         p.sections = {GridSection(43)};
     },
     {2, 2}, {"r0", "r42"}},
    // Back to portrait after a landscape section: each change is a new page.
    {"OrientationChangesBothWays",
     [](CReportPrintout& p) {
         p.sections = {GridSection(3), Landscape(GridSection(3, "s")), GridSection(3, "t")};
     },
     {1, 2, 1}, {"r0", "s0", "t0"}},
    // Header 40 and a footer section of 20: the band runs 42 to 1000 - 20 - 2 = 978,
    // 936 units, 877 after the grid's frame: 51 rows a page.
    {"HeaderAndFooterHeightsShrinkTheBody",
     [](CReportPrintout& p) {
         p.headerHeight = 40;
         p.footerHeight = 20;
         p.header = std::make_shared<CReportSection>();
         p.footer = std::make_shared<CReportSection>();
         p.sections = {GridSection(52)};
     },
     {1, 1}, {"r0", "r51"}},
    // A footer height without a footer section is not used: 10 units are kept instead.
    {"FooterHeightWithoutFooterSectionKeepsTen",
     [](CReportPrintout& p) {
         p.footerHeight = 300;
         p.sections = {GridSection(54)};
     },
     {1}, {"r0"}},
    // A gap of 50 below the header and above the footer line: band 50 to 940, 890
    // units, 831 after the frame: 48 rows.
    {"SectionGapShrinksTheBody",
     [](CReportPrintout& p) {
         p.sectionGap = 50;
         p.sections = {GridSection(49)};
     },
     {1, 1}, {"r0", "r48"}},
    // 120 lines of text: 49, 49 and 22.
    {"TextFlowsOverPages", [](CReportPrintout& p) { p.sections = {LinesSection(120), GridSection(1)}; },
     {1, 1, 1}, {"", "", "r0"}},
    // With a title bar (20 units) the text rectangle loses 20: 962 / 20 = 48 lines.
    {"TitledTextHoldsOneLineLess",
     [](CReportPrintout& p) { p.sections = {LinesSection(97, "Notes"), GridSection(1)}; }, {1, 1, 1},
     {"", "", "r0"}},
    // An empty text is passed over, title or not...
    {"EmptyTextIsPassedOver",
     [](CReportPrintout& p) { p.sections = {GridSection(3), LinesSection(0, "Title only"), GridSection(3, "s")}; },
     {1}, {"r0"}},
    // ... but its new-page flag still takes effect, before it is found empty.
    {"EmptyTextStillStartsItsNewPage",
     [](CReportPrintout& p) {
         auto empty = NewPage(LinesSection(0, "Title only"));
         p.sections = {GridSection(3), empty, GridSection(3, "s")};
     },
     {1, 1}, {"r0", "s0"}},
    // Three grids abreast: the first of each group decides. Group 1 (60 rows) breaks
    // after 54; its last 6 rows end at 2 + 6 * 17 + 59 = 163, plus the gap: 165, and
    // group 2 follows on the same page.
    {"ThreeAbreastBreaksOnTheFirstGrid",
     [](CReportPrintout& p) {
         auto section = std::make_shared<CRptMulti3GridSection>();
         section->grids = {*NumberedGrid(60), *NumberedGrid(5, "b"), *NumberedGrid(5, "c"),
                           *NumberedGrid(5, "d"), *NumberedGrid(5, "e"), *NumberedGrid(5, "f")};
         p.sections = {section};
     },
     {1, 1}, {"r0", "r54"}},
    // Four grids are not a multiple of three: the section is passed over whole.
    {"ThreeAbreastWithFourGridsIsPassedOver",
     [](CReportPrintout& p) {
         auto section = std::make_shared<CRptMulti3GridSection>();
         section->grids = {*NumberedGrid(60), *NumberedGrid(60), *NumberedGrid(60), *NumberedGrid(60)};
         p.sections = {section};
     },
     {1}, {""}},
    // Two grids side by side go on until both are done.
    {"SideBySideGridsEndWithTheLonger",
     [](CReportPrintout& p) {
         auto section = std::make_shared<CRptDoubleGridSection>();
         section->left = NumberedGrid(10, "l");
         section->right = NumberedGrid(60);
         section->rightGridX = 400;
         p.sections = {section};
     },
     {1, 1}, {"l0", "r54"}},
    // A row taller than any page is forced onto a page of its own, one row a page, and
    // the sections after it still print.
    {"RowTallerThanAPageIsForcedOneAPage",
     [](CReportPrintout& p) {
         auto tall = GridSection(2, "x");
         tall->grid->rowHeight = 5000;
         p.sections = {tall, GridSection(3)};
     },
     {1, 1, 1}, {"x0", "x1", "r0"}},
    // The same three abreast: the first grid of the group forces its rows.
    {"ThreeAbreastRowTallerThanAPageIsForced",
     [](CReportPrintout& p) {
         auto section = std::make_shared<CRptMulti3GridSection>();
         section->grids = {*NumberedGrid(2, "x"), *NumberedGrid(2, "y"), *NumberedGrid(2, "z")};
         for (CStaticGrid& grid : section->grids)
             grid.rowHeight = 5000;
         p.sections = {section};
     },
     {1, 1}, {"x0", "x1"}},
    // Gap 50: the comment check passes against the body height (939) but the first band
    // is 890 high, where a 40-line comment (49 rows) leaves no room for a row. The
    // comment gives way to the too-large note and the rows print on page 1.
    {"CommentThatFitsTheBodyButNotTheBandGivesWay",
     [](CReportPrintout& p) {
         p.sectionGap = 50;
         auto section = GridSection(3);
         std::string comment;
         for (int i = 0; i < 40; ++i)
             comment += "line\n";
         section->grid->SetComment(comment);
         p.sections = {section};
     },
     {1}, {"r0"}},
    // So is a header taller than the page, which leaves no body at all.
    {"HeaderTallerThanThePageGivesUpTheBody",
     [](CReportPrintout& p) {
         p.headerHeight = 2000;
         p.sections = {GridSection(3), NewPage(GridSection(3, "s"))};
     },
     {1, 1}, {"", ""}},
};

class Pagination : public testing::TestWithParam<PaginationCase> {};

std::string FirstRowOnPage(CReportPrintout& printout, int page)
{
    CFakeGraphics graphics;
    printout.LayOutPage(graphics, page);
    for (const auto& text : graphics.texts)
        if (text.format & TextFormat::kSingleLine)  // a cell
            return text.text;
    return "";
}

}  // namespace

TEST_P(Pagination, SplitsAsExplained)
{
    const PaginationCase& c = GetParam();
    CReportPrintout printout;
    c.build(printout);
    CFakeGraphics graphics;
    const int pages = printout.LayOutPage(graphics, 0);
    EXPECT_EQ(pages, static_cast<int>(c.orientations.size()));
    EXPECT_EQ(printout.PageOrientations(), c.orientations);
    // Pagination measures only.
    EXPECT_TRUE(graphics.texts.empty());
    EXPECT_TRUE(graphics.lines.empty());
    for (size_t i = 0; i < c.firstRows.size(); ++i)
        EXPECT_EQ(FirstRowOnPage(printout, static_cast<int>(i) + 1), c.firstRows[i]) << "page " << i + 1;
    // Drawing a page walks the same way: the count stays.
    EXPECT_EQ(printout.LayOutPage(graphics, pages), pages);
}

INSTANTIATE_TEST_SUITE_P(LayOutPage, Pagination, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PaginationCase>& info) { return info.param.name; });

TEST(LayOutPage, PageOrientationOutsideThePagesIsMinusOne)
{
    CReportPrintout printout;
    printout.sections = {GridSection(60)};
    CFakeGraphics graphics;
    EXPECT_EQ(printout.PageOrientation(1), -1);  // before pagination
    printout.LayOutPage(graphics, 0);
    EXPECT_EQ(printout.PageOrientation(0), -1);
    EXPECT_EQ(printout.PageOrientation(2), 1);
    EXPECT_EQ(printout.PageOrientation(3), -1);
}

TEST(LayOutPage, PagesCanBeDrawnInAnyOrderAndAgain)
{
    CReportPrintout printout;
    // 49 + 11 lines, then 41 rows under the text on page 2, 54 on page 3, 5 on page 4.
    printout.sections = {LinesSection(60), GridSection(100)};
    CFakeGraphics graphics;
    ASSERT_EQ(printout.LayOutPage(graphics, 0), 4);
    auto drawn = [&](int page) {
        CFakeGraphics g;
        printout.LayOutPage(g, page);
        std::vector<std::string> all;
        for (const auto& t : g.texts)
            all.push_back(t.text);
        return all;
    };
    EXPECT_EQ(drawn(2).front(), "Page 2 of 4");  // the footer line is drawn as the page opens
    const auto third = drawn(3);
    const auto first = drawn(1);
    EXPECT_EQ(drawn(3), third);
    EXPECT_EQ(drawn(1), first);
    EXPECT_NE(first, third);
}

TEST(LayOutPage, AbsurdGridsFinishQuickly)
{
    // Sizes at the ends of the int32 range, a zero row height (a divisor) and a huge
    // gap must neither hang nor overflow.
    for (int32_t rowHeight : {0, -5, 1, INT32_MAX, INT32_MIN}) {
        for (int32_t gap : {0, INT32_MAX, INT32_MIN}) {
            CReportPrintout printout;
            printout.sectionGap = gap;
            auto section = GridSection(1000);
            section->grid->rowHeight = rowHeight;
            section->grid->titleHeight = INT32_MAX;
            section->grid->SetComment("a comment");
            auto multi = std::make_shared<CRptMulti3GridSection>();
            for (int i = 0; i < 30; ++i)
                multi->grids.push_back(*NumberedGrid(0));
            printout.sections = {section, multi, LinesSection(3)};
            CFakeGraphics graphics;
            const int pages = printout.LayOutPage(graphics, 0);
            EXPECT_GE(pages, 1);
            EXPECT_LE(pages, 1001);  // at most a page a row, and the text
            printout.LayOutPage(graphics, 1);
        }
    }
}

TEST(LayOutPage, UnknownOrientationsNeitherHangNorCrash)
{
    CReportPrintout printout;
    printout.defaultOrientation = 7;
    printout.sections = {GridSection(10), LinesSection(5), Picture()};
    CFakeGraphics graphics;
    EXPECT_GE(printout.LayOutPage(graphics, 0), 1);
    printout.LayOutPage(graphics, 1);
}

TEST(LayOutPage, CommentThatCannotFitTheFirstBandPrintsTheNote)
{
    CReportPrintout printout;
    printout.sectionGap = 50;
    auto section = GridSection(3);
    std::string comment;
    for (int i = 0; i < 40; ++i)
        comment += "line\n";
    section->grid->SetComment(comment);
    printout.sections = {section};
    CFakeGraphics graphics;
    ASSERT_EQ(printout.LayOutPage(graphics, 0), 1);
    printout.LayOutPage(graphics, 1);
    EXPECT_NE(graphics.FindText(CStaticGrid::kCommentTooLarge), nullptr);
}
