// The report pane in the main window: reports put in it, the paging and zoom commands
// with their enabling, "&Print..." going to the pane that last had the focus, and the
// case list printed in bands from its own menu and from the main menu.
#include "app/case_list_print_host.h"
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/main_frame.h"
#include "app/peer_log_in.h"
#include "app/report_samples.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_list_model.h"
#include "query/widgets/case_view.h"
#include "query/widgets/inventory_tree_view.h"
#include "report/list_printer.h"
#include "report/report_commands.h"
#include "report/report_printer.h"
#include "report/widgets/tw_report_view_gp.h"
#include "report_print/pdf_pages.h"
#include "support/widget_application.h"

#include <QAction>
#include <QHeaderView>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace {

const int kPagingAndZoom[] = {cmdFirstPage, cmdPreviousPage, cmdNextPage, cmdLastPage, cmdZoomIn, cmdZoomOut};

// Which commands of the report menu are enabled, in the menu's order.
std::vector<bool> Enabled(const CMainFrame& frame)
{
    std::vector<bool> enabled;
    for (int id : kPagingAndZoom)
        enabled.push_back(frame.Action(id)->isEnabled());
    return enabled;
}

// What the panes were asked to print.
struct Prints {
    std::vector<std::string> lists;     // document names of list prints
    std::vector<std::string> previews;  // document names of list print previews
    std::vector<CPrintRequest> reports;
};

void RecordPrints(CMainFrame& frame, Prints& prints)
{
    frame.CaseListPrinting().SetPrintFunctions(
        [&prints](CListPrintout&, const std::string& name) { prints.lists.push_back(name); },
        [&prints](CListPrintout&, const std::string& name) { prints.previews.push_back(name); });
    frame.ReportView()->SetPrintFunction([&prints](CReportPrintout&, const CPrintRequest& request, QWidget*) {
        prints.reports.push_back(request);
        return ReportPrint::kDone;
    });
}

// A case list whose columns are wider together than a portrait page.
std::unique_ptr<CCaseQueryResults> WideTable()
{
    auto results = std::make_unique<CCaseQueryResults>();
    const struct {
        const char* header;
        int32_t width;
        int32_t alignment;
    } columns[] = {{"Case", 80, 0},        {"Insured Name", 300, 0}, {"City", 200, 1},
                   {"Premium", 150, 2},    {"Auditor", 250, 0}};
    for (const auto& column : columns) {
        auto info = std::make_shared<CCaseQueryResultColInfo>();
        info->header = column.header;
        info->width = column.width;
        info->alignment = column.alignment;
        results->resultColumns.push_back(info);
    }
    const char* names[] = {"Maple Ridge Dental", "Acme Tool & Die", "Northwind Roofing"};
    for (int i = 0; i < 3; ++i) {
        auto row = std::make_shared<CCaseQueryDataRow>();
        row->cells = {"2024-00000" + std::to_string(i + 1), names[i], "Springfield", std::to_string(1000 + i),
                      "J. Alvarez"};
        results->rows.push_back(row);
    }
    return results;
}

}  // namespace

TEST(MainFrameReports, PagingAndZoomFollowTheReportShown)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);
    frame.resize(1000, 700);
    frame.show();

    // Before any report: the blank pane, nothing to page or zoom; the files and
    // printing are there.
    EXPECT_NE(frame.ReportPane()->currentWidget(), frame.ReportView());
    EXPECT_EQ(Enabled(frame), std::vector<bool>(6, false));
    for (int id : {cmdFilePrint, cmdFilePrintPreview, cmdOpenReportFile, cmdSaveReportFile})
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;

    CReportPrintout sample = SampleReport();
    const int pages = static_cast<int>(PageOrientationsOf(sample).size());
    ASSERT_GE(pages, 4);
    f.prompts.fileAnswers = {SavedReport(f.dir.path(), "sample.tdf", sample)};
    frame.Action(cmdOpenReportFile)->trigger();
    ASSERT_EQ(frame.ReportPane()->currentWidget(), frame.ReportView());
    EXPECT_EQ(frame.ReportView()->Printout(), f.doc.Report());
    EXPECT_EQ(frame.ReportView()->Logic().CurrentPage(), 1);
    EXPECT_EQ(Enabled(frame), (std::vector<bool>{true, false, true, true, true, true}));

    frame.Action(cmdNextPage)->trigger();
    EXPECT_EQ(frame.ReportView()->Logic().CurrentPage(), 2);
    EXPECT_TRUE(frame.Action(cmdPreviousPage)->isEnabled());
    frame.Action(cmdLastPage)->trigger();
    EXPECT_EQ(frame.ReportView()->Logic().CurrentPage(), pages);
    EXPECT_EQ(Enabled(frame), (std::vector<bool>{true, true, false, true, true, true}));
    frame.Action(cmdZoomIn)->trigger();
    EXPECT_FLOAT_EQ(frame.ReportView()->Logic().Zoom(), 1.1f);
    frame.Action(cmdFirstPage)->trigger();
    EXPECT_EQ(frame.ReportView()->Logic().CurrentPage(), 1);

    // Another report starts at its page 1; on a one-page report "Last Page" stays there.
    ASSERT_TRUE(f.doc.OpenReportFile(SavedReport(f.dir.path(), "one.tdf", OnePageReport())));
    EXPECT_EQ(frame.ReportView()->Printout(), f.doc.Report());
    EXPECT_EQ(frame.ReportView()->Logic().PageCount(), 1);
    EXPECT_EQ(Enabled(frame), (std::vector<bool>{true, false, false, true, true, true}));
    frame.Action(cmdLastPage)->trigger();
    EXPECT_EQ(frame.ReportView()->Logic().CurrentPage(), 1);
    EXPECT_TRUE(f.prompts.messages.empty());
}

TEST(MainFrameReports, PrintGoesToThePaneThatLastHadTheFocus)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);
    Prints prints;
    RecordPrints(frame, prints);
    frame.resize(1000, 700);
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(frame.isActiveWindow());
    f.doc.SetDocumentTitle(QStringLiteral("Open Cases for All Parents (3)"));

    // At first the case list's: print and print preview of the list.
    EXPECT_EQ(frame.PrintTarget(), CMainFrame::PrintPane::caseList);
    frame.Action(cmdFilePrint)->trigger();
    frame.Action(cmdFilePrintPreview)->trigger();
    EXPECT_EQ(prints.lists, std::vector<std::string>{"Open Cases for All Parents (3)"});
    EXPECT_EQ(prints.previews, std::vector<std::string>{"Open Cases for All Parents (3)"});
    EXPECT_TRUE(prints.reports.empty());

    // A report shown takes the focus: the report is printed, with the dialog, under the
    // document's title; the list's print preview is not offered.
    ASSERT_TRUE(f.doc.OpenReportFile(SavedReport(f.dir.path(), "one.tdf", OnePageReport())));
    EXPECT_EQ(frame.PrintTarget(), CMainFrame::PrintPane::report);
    EXPECT_FALSE(frame.Action(cmdFilePrintPreview)->isEnabled());
    frame.Action(cmdFilePrint)->trigger();
    ASSERT_EQ(prints.reports.size(), 1u);
    EXPECT_EQ(prints.reports[0].documentName, "Open Cases for All Parents (3)");
    EXPECT_FALSE(prints.reports[0].silent);
    EXPECT_EQ(prints.reports[0].copies, 0);
    EXPECT_EQ(prints.lists.size(), 1u);

    // Focus on the list, then on the tree: the list's (the tree prints nothing of its own).
    frame.CaseView()->setFocus();
    EXPECT_EQ(frame.PrintTarget(), CMainFrame::PrintPane::caseList);
    frame.TreeView()->setFocus();
    EXPECT_EQ(frame.PrintTarget(), CMainFrame::PrintPane::caseList);
    EXPECT_TRUE(frame.Action(cmdFilePrintPreview)->isEnabled());
    frame.Action(cmdFilePrint)->trigger();
    EXPECT_EQ(prints.lists.size(), 2u);

    // Back on the report.
    frame.ReportView()->setFocus();
    EXPECT_EQ(frame.PrintTarget(), CMainFrame::PrintPane::report);
    frame.Action(cmdFilePrint)->trigger();
    EXPECT_EQ(prints.reports.size(), 2u);
    EXPECT_EQ(prints.lists.size(), 2u);

    // A print that fails is shown; a cancelled one (0) is not.
    EXPECT_TRUE(f.prompts.MessageTexts().empty());
    frame.ReportView()->SetPrintFunction([](CReportPrintout&, const CPrintRequest&, QWidget*) {
        return ReportPrint::kFailed;
    });
    frame.Action(cmdFilePrint)->trigger();
    EXPECT_EQ(f.prompts.MessageTexts(), std::vector<QString>{CTWReportViewGP::kPrintFailedMessage});
}

TEST(CaseListPrinting, TheListPrintsInBandsAsShownFromItsMenuAndTheMainMenu)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);
    CCaseView& list = *frame.CaseView();
    list.ShowResults(WideTable(), std::make_unique<CCaseQueryRequestInfo>());
    f.doc.SetDocumentTitle(QStringLiteral("Open Cases for All Parents (3)"));
    // Sorted by insured name, and one column widened by the user.
    list.Model().SortBy(0, false);
    list.horizontalHeader()->resizeSection(2, 320);

    const CListPrintTable table = frame.CaseListPrinting().PrintTable();
    EXPECT_EQ(table.title, "Open Cases for All Parents (3)");
    ASSERT_EQ(table.columns.size(), 4u);
    EXPECT_EQ(table.columns[0].label, "Insured Name");
    EXPECT_EQ(table.columns[0].width, 300);
    EXPECT_EQ(table.columns[1].alignment, 1);
    EXPECT_EQ(table.columns[2].label, "Premium");
    EXPECT_EQ(table.columns[2].width, 320);
    EXPECT_EQ(table.columns[2].alignment, 2);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"Acme Tool & Die", "Springfield", "1001", "J. Alvarez"}));
    EXPECT_EQ(table.rows[2][0], "Northwind Roofing");

    // The list's own menu offers both; given from there or as the main menu's "&Print...",
    // the list prints into the file as two bands on portrait Letter, a new page each.
    bool preview = false;
    bool print = false;
    for (const MenuEntry& entry : list.ContextMenuEntries()) {
        preview = preview || (entry.commandId == cmdListPrintPreview && entry.text == "Print Preview &List");
        print = print || (entry.commandId == cmdListPrint && entry.text == "Print L&ist...");
    }
    EXPECT_TRUE(preview);
    EXPECT_TRUE(print);

    CScratchDir dir;
    int printed = 0;
    frame.CaseListPrinting().SetPrintFunctions(
        [&](CListPrintout& printout, const std::string& name) {
            CPrintRequest request;
            request.documentName = name;
            request.silent = true;
            request.outputFile = dir.File("list" + std::to_string(++printed) + ".pdf");
            EXPECT_EQ(PrintList(printout, request), ReportPrint::kDone);
            EXPECT_EQ(printout.Bands().size(), 2u);
        },
        {});
    list.RunCommand(cmdListPrint);
    frame.Action(cmdFilePrint)->trigger();
    ASSERT_EQ(printed, 2);
    for (const char* file : {"list1.pdf", "list2.pdf"})
        EXPECT_EQ(PdfPageSizes(ReadAll(dir.File(file))), (std::vector<std::string>{"612x792", "612x792"})) << file;
    EXPECT_TRUE(f.prompts.messages.empty());
}
