// The preview's state without a window: the zoom cycle in 32-bit floats, paging and
// the commands' enabling rules, and the sheet and desk geometry.
#include "report/report_commands.h"
#include "report/report_preview_logic.h"

#include <gtest/gtest.h>

namespace {

bool Enabled(const CReportPreviewLogic& logic, int id)
{
    return logic.IsEnabled(id);
}

}  // namespace

TEST(PreviewZoom, StepsWrapAroundAtBothEnds)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1});
    // Ten steps in from 1.0 land a float rounding above 2.0, so the eleventh wraps.
    for (int i = 0; i < 10; ++i)
        logic.ZoomIn();
    EXPECT_NEAR(logic.Zoom(), 2.0f, 1e-5);
    EXPECT_GE(logic.Zoom(), 2.0f);
    logic.ZoomIn();
    EXPECT_EQ(logic.Zoom(), 0.6f);

    CReportPreviewLogic out;
    out.ShowPrintout({1});
    // Four steps out land a rounding below 0.6, so the fifth wraps to 2.0.
    for (int i = 0; i < 4; ++i)
        out.ZoomOut();
    EXPECT_NEAR(out.Zoom(), 0.6f, 1e-5);
    EXPECT_LT(out.Zoom(), 0.6f);
    out.ZoomOut();
    EXPECT_EQ(out.Zoom(), 2.0f);
}

TEST(PreviewZoom, RepeatedCyclesStayWithinTheRange)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1});
    for (int i = 0; i < 500; ++i) {
        (i % 7 == 3 ? logic.ZoomOut() : logic.ZoomIn());
        ASSERT_GE(logic.Zoom(), 0.49f) << i;
        ASSERT_LT(logic.Zoom(), 2.11f) << i;
    }
}

TEST(PreviewCommands, NothingButPrintBeforeAReportIsShown)
{
    CReportPreviewLogic logic;
    EXPECT_FALSE(logic.HasPage());
    EXPECT_EQ(logic.CurrentPage(), -1);
    for (int id : {ReportCommand::zoomIn, ReportCommand::zoomOut, ReportCommand::nextPage,
                   ReportCommand::previousPage, ReportCommand::firstPage, ReportCommand::lastPage})
        EXPECT_FALSE(Enabled(logic, id)) << id;
    EXPECT_TRUE(Enabled(logic, ReportCommand::print));
    EXPECT_TRUE(Enabled(logic, ReportCommand::printDirect));
    EXPECT_FALSE(Enabled(logic, ReportCommand::openFile)) << "not the preview's command";

    // Paging without a page changes nothing.
    logic.LastPage();
    logic.FirstPage();
    logic.NextPage();
    EXPECT_EQ(logic.CurrentPage(), -1);
}

TEST(PreviewCommands, PagingFollowsTheEnablingRules)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1, 1, 1});
    EXPECT_EQ(logic.CurrentPage(), 1);
    EXPECT_FALSE(Enabled(logic, ReportCommand::previousPage));
    EXPECT_TRUE(Enabled(logic, ReportCommand::nextPage));

    EXPECT_TRUE(logic.Run(ReportCommand::nextPage));
    EXPECT_EQ(logic.CurrentPage(), 2);
    EXPECT_TRUE(Enabled(logic, ReportCommand::previousPage));
    EXPECT_TRUE(Enabled(logic, ReportCommand::nextPage));

    logic.Run(ReportCommand::lastPage);
    EXPECT_EQ(logic.CurrentPage(), 3);
    EXPECT_FALSE(Enabled(logic, ReportCommand::nextPage));
    logic.NextPage();
    EXPECT_EQ(logic.CurrentPage(), 3);

    logic.Run(ReportCommand::firstPage);
    EXPECT_EQ(logic.CurrentPage(), 1);
    logic.PreviousPage();
    EXPECT_EQ(logic.CurrentPage(), 1);
    EXPECT_FALSE(logic.Run(ReportCommand::print)) << "printing is not a paging command";

    // A new printout starts at page 1 again and keeps the zoom.
    logic.ZoomIn();
    logic.LastPage();
    logic.ShowPrintout({1, 1});
    EXPECT_EQ(logic.CurrentPage(), 1);
    EXPECT_NEAR(logic.Zoom(), 1.1f, 1e-6);
}

TEST(PreviewCommands, LastPageOfAOnePageReportStaysOnPageOne)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1});
    logic.LastPage();
    EXPECT_EQ(logic.CurrentPage(), 1);
    EXPECT_FALSE(Enabled(logic, ReportCommand::nextPage));
    EXPECT_FALSE(Enabled(logic, ReportCommand::previousPage));
    EXPECT_TRUE(Enabled(logic, ReportCommand::zoomIn));
}

TEST(PreviewGeometry, TheSheetTurnsWithThePage)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1, 2, 1});
    EXPECT_EQ(logic.SheetWidth(), 850);
    EXPECT_EQ(logic.SheetHeight(), 1100);
    logic.NextPage();
    EXPECT_EQ(logic.PageWidth(), 1000);
    EXPECT_EQ(logic.MarginX(), 50);
    EXPECT_EQ(logic.MarginY(), 25);
    EXPECT_EQ(logic.SheetWidth(), 1100);
    EXPECT_EQ(logic.SheetHeight(), 850);
    logic.NextPage();
    EXPECT_EQ(logic.SheetWidth(), 850);
}

TEST(PreviewGeometry, DeskFrameShadowAndPaper)
{
    CReportPreviewLogic logic;
    logic.ShowPrintout({1});
    // w = 850 + 2, h = 1100 at zoom 1; the sheet's corner at the desk offset (10, 10).
    const CReportPreviewLogic::Desk desk = logic.DeskGeometry();
    EXPECT_EQ(desk.sheetWidth, 852);
    EXPECT_EQ(desk.sheetHeight, 1100);
    EXPECT_EQ(desk.frameLeft, 9);
    EXPECT_EQ(desk.frameTop, 9);
    EXPECT_EQ(desk.frameWidth, 852);
    EXPECT_EQ(desk.frameHeight, 1102);
    EXPECT_EQ(desk.rightShadowX, 863);
    EXPECT_EQ(desk.rightShadowTop, 12);
    EXPECT_EQ(desk.rightShadowBottom, 1113);
    EXPECT_EQ(desk.bottomShadowY, 1113);
    EXPECT_EQ(desk.bottomShadowLeft, 12);
    EXPECT_EQ(desk.bottomShadowRight, 863);
    EXPECT_EQ(desk.paperWidth, 851);
    EXPECT_EQ(desk.paperHeight, 1101);

    // (850 + 23) x 0.96 and (1100 + 23) x 0.96, cut.
    const auto size = logic.ScrollSize(96, 96);
    EXPECT_EQ(size.width, 838);
    EXPECT_EQ(size.height, 1078);

    logic.ZoomOut();  // 0.9: 765 + 2, 990
    EXPECT_EQ(logic.DeskGeometry().sheetWidth, 767);
    EXPECT_EQ(logic.DeskGeometry().sheetHeight, 990);
    EXPECT_EQ(logic.ScrollSize(96, 96).width, 756);  // 788 x 0.96 = 756.48
}
