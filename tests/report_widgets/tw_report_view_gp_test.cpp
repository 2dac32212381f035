// The preview pane as a widget: its actions follow the enabling rules, printing hands
// the right request on, and the page is drawn on the sheet. With ORV_SCREENSHOT_DIR set
// the drawn pane is also written there as PNG files to look at.
#include "report/sample_report.h"
#include "support/widget_application.h"

#include "report/report_commands.h"
#include "report/report_fonts.h"
#include "report/widgets/tw_report_view_gp.h"

#include <QAction>
#include <QScrollBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void SaveScreenshot(const QImage& image, const char* name)
{
    if (const char* folder = std::getenv("ORV_SCREENSHOT_DIR"))
        image.save(QString("%1/%2.png").arg(folder, name));
}

std::shared_ptr<CReportPrintout> Sample()
{
    return std::make_shared<CReportPrintout>(SampleReport());
}

struct RecordedPrint {
    int calls = 0;
    CPrintRequest request;
    size_t sections = 0;
};

}  // namespace

TEST(ReportPreviewPane, ActionsCarryTheMenuTextsAndFollowTheRules)
{
    WidgetApplication();
    CTWReportViewGP view;
    EXPECT_EQ(view.Action(ReportCommand::nextPage)->text(), "&Next Page");
    EXPECT_EQ(view.Action(ReportCommand::previousPage)->text(), "P&revious Page");
    EXPECT_EQ(view.Action(ReportCommand::firstPage)->text(), "&First Page");
    EXPECT_EQ(view.Action(ReportCommand::lastPage)->text(), "&Last Page");
    EXPECT_EQ(view.Action(ReportCommand::zoomIn)->text(), "Zoom &In");
    EXPECT_EQ(view.Action(ReportCommand::zoomOut)->text(), "Zoom &Out");
    EXPECT_EQ(view.Action(ReportCommand::print)->text(), "&Print...");
    EXPECT_EQ(view.Action(ReportCommand::openFile), nullptr);

    // No report yet: only printing.
    EXPECT_FALSE(view.Action(ReportCommand::zoomIn)->isEnabled());
    EXPECT_FALSE(view.Action(ReportCommand::nextPage)->isEnabled());
    EXPECT_TRUE(view.Action(ReportCommand::print)->isEnabled());

    view.SetPrintout(Sample());
    const int pages = view.Logic().PageCount();
    ASSERT_GE(pages, 4);
    EXPECT_EQ(view.Logic().CurrentPage(), 1);
    EXPECT_TRUE(view.Action(ReportCommand::nextPage)->isEnabled());
    EXPECT_FALSE(view.Action(ReportCommand::previousPage)->isEnabled());

    view.Action(ReportCommand::lastPage)->trigger();
    EXPECT_EQ(view.Logic().CurrentPage(), pages);
    EXPECT_FALSE(view.Action(ReportCommand::nextPage)->isEnabled());
    EXPECT_TRUE(view.Action(ReportCommand::previousPage)->isEnabled());
    EXPECT_FALSE(view.RunCommand(ReportCommand::nextPage));

    QToolBar toolBar;
    view.AddPreviewButtons(toolBar);
    QStringList texts;
    for (QAction* action : toolBar.actions())
        texts << (action->isSeparator() ? "|" : action->text());
    EXPECT_EQ(texts.join(","), "&First Page,P&revious Page,&Next Page,&Last Page,|,Zoom &In,Zoom &Out");
    for (QAction* action : toolBar.actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->text().toStdString();
    toolBar.adjustSize();
    SaveScreenshot(toolBar.grab().toImage(), "preview-toolbar");
}

TEST(ReportPreviewPane, PrintingHandsOnTheDocumentNameAndTheMode)
{
    WidgetApplication();
    CTWReportViewGP view;
    RecordedPrint recorded;
    view.SetPrintFunction([&](CReportPrintout& printout, const CPrintRequest& request, QWidget*) {
        ++recorded.calls;
        recorded.request = request;
        recorded.sections = printout.sections.size();
        return 0;
    });
    view.SetPrintout(Sample());

    ASSERT_TRUE(view.RunCommand(ReportCommand::print));
    EXPECT_EQ(recorded.request.documentName, "TDF Document");
    EXPECT_FALSE(recorded.request.silent);
    EXPECT_FALSE(recorded.request.useCommandLinePrinter);
    EXPECT_EQ(recorded.request.copies, 0);
    EXPECT_TRUE(recorded.request.printerName.empty());
    EXPECT_TRUE(recorded.request.outputFile.empty());
    EXPECT_EQ(recorded.sections, view.Printout()->sections.size());

    view.SetDocumentName("Open Audits for Carrier (12)");
    ASSERT_TRUE(view.RunCommand(ReportCommand::printDirect));
    EXPECT_EQ(recorded.request.documentName, "Open Audits for Carrier (12)");
    EXPECT_TRUE(recorded.request.silent);
    EXPECT_TRUE(recorded.request.useCommandLinePrinter);
    EXPECT_EQ(recorded.request.copies, 1);
    EXPECT_EQ(recorded.calls, 2);
}

TEST(ReportPreviewPane, ANewPrintoutStartsAtPageOneAndNullShowsAnEmptyOne)
{
    WidgetApplication();
    CTWReportViewGP view;
    view.SetPrintout(Sample());
    view.RunCommand(ReportCommand::nextPage);
    auto second = Sample();
    view.SetPrintout(second);
    EXPECT_EQ(view.Logic().CurrentPage(), 1);
    EXPECT_EQ(view.Printout(), second);

    view.SetPrintout(nullptr);
    ASSERT_NE(view.Printout(), nullptr);
    EXPECT_EQ(view.Logic().PageCount(), 1) << "an empty printout is one blank page";
}

TEST(ReportPreviewPane, ZoomGrowsTheScrolledArea)
{
    WidgetApplication();
    CTWReportViewGP view;
    view.resize(500, 400);
    view.SetPrintout(Sample());
    const int before = view.verticalScrollBar()->maximum();
    view.RunCommand(ReportCommand::zoomIn);
    view.RunCommand(ReportCommand::zoomIn);
    EXPECT_GT(view.verticalScrollBar()->maximum(), before);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
}

TEST(ReportPreviewPane, DrawsTheSheetOnTheDeskAndTurnsItForLandscapePages)
{
    WidgetApplication();
    EnsureReportFonts();
    CTWReportViewGP view;
    view.resize(1150, 1180);
    view.SetPrintout(Sample());
    const double dpi = view.logicalDpiX();
    auto pixel = [&](double unitsX, double unitsY) { return QPointF(unitsX * dpi / 100, unitsY * dpi / 100).toPoint(); };

    QImage first = view.grab().toImage();
    SaveScreenshot(first, "preview-page1");
    const QPoint corner = pixel(3, 3);
    EXPECT_EQ(first.pixel(corner) & 0xFFFFFF, 0x808080u) << "the desk";
    EXPECT_EQ(first.pixel(pixel(15, 20)) & 0xFFFFFF, 0xFFFFFFu) << "the paper's margin";
    // Beyond a portrait sheet (850 wide) there is desk; on a landscape one, paper.
    EXPECT_EQ(first.pixel(pixel(950, 100)) & 0xFFFFFF, 0x808080u);
    // The report is drawn: ink inside the page area.
    int ink = 0;
    for (int y = pixel(0, 60).y(); y < pixel(0, 400).y(); ++y)
        for (int x = pixel(40, 0).x(); x < pixel(800, 0).x(); ++x)
            ink += qGray(first.pixel(x, y)) < 128;
    EXPECT_GT(ink, 500);

    int landscapePage = 0;
    for (int page = 1; page <= view.Logic().PageCount(); ++page)
        if (view.Printout()->PageOrientation(page) == CReportPrintout::kLandscape)
            landscapePage = page;
    ASSERT_GT(landscapePage, 0);
    while (view.Logic().CurrentPage() < landscapePage)
        view.RunCommand(ReportCommand::nextPage);
    QImage landscape = view.grab().toImage();
    SaveScreenshot(landscape, "preview-landscape");
    EXPECT_EQ(landscape.pixel(pixel(950, 15)) & 0xFFFFFF, 0xFFFFFFu);

    view.RunCommand(ReportCommand::firstPage);
    view.RunCommand(ReportCommand::zoomOut);
    view.RunCommand(ReportCommand::zoomOut);
    SaveScreenshot(view.grab().toImage(), "preview-zoom-0.8");
}
