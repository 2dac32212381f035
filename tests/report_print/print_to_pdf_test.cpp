// Printing into PDF files: a page per report page in its own orientation, copies, and
// the failures that must not pass for a printed job.
#include "pdf_pages.h"
#include "report/report_fixtures.h"

#include "report/headless_gui.h"
#include "report/list_printer.h"
#include "report/list_printout.h"
#include "report/print_device.h"
#include "report/print_setup.h"
#include "report/report_file.h"
#include "report/report_printer.h"

#include <QPrinterInfo>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Three pages: a portrait grid spilling onto page 2, then a landscape grid.
CReportPrintout ThreePages()
{
    CReportPrintout printout;
    auto landscape = GridSection(5, "l");
    landscape->orientation = CReportPrintout::kLandscape;
    printout.sections = {GridSection(60), landscape};
    return printout;
}

const std::vector<std::string> kThreePageSizes = {"612x792", "612x792", "792x612"};

}  // namespace

TEST(PrintToPdf, EveryPageInItsOwnOrientation)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout printout = ThreePages();
    ASSERT_EQ(PrintToPdfFile(printout, dir.File("report.pdf"), "Monthly"), ReportPrint::kDone);
    const QByteArray pdf = ReadAll(dir.File("report.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(PdfPageSizes(pdf), kThreePageSizes);
    // The document name is the PDF's title, written in UTF-16.
    EXPECT_TRUE(pdf.contains(QByteArray("\0M\0o\0n\0t\0h\0l\0y", 14)));
}

// Orientation 1 is portrait and anything else landscape, whatever the printer was set to.
TEST(PrintToPdf, AnOrientationOtherThanOneOrTwoPrintsLandscape)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout printout;
    auto odd = GridSection(5, "o");
    odd->orientation = 3;
    printout.sections = {GridSection(5), odd};
    ASSERT_EQ(PrintToPdfFile(printout, dir.File("odd.pdf"), "Odd"), ReportPrint::kDone);
    EXPECT_EQ(PdfPageSizes(ReadAll(dir.File("odd.pdf"))), (std::vector<std::string>{"612x792", "792x612"}));
}

TEST(PrintToPdf, EachCopyRepeatsTheWholeReport)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout printout = ThreePages();
    ASSERT_EQ(PrintToPdfFile(printout, dir.File("copies.pdf"), "x", 2), ReportPrint::kDone);
    std::vector<std::string> twice = kThreePageSizes;
    twice.insert(twice.end(), kThreePageSizes.begin(), kThreePageSizes.end());
    EXPECT_EQ(PdfPageSizes(ReadAll(dir.File("copies.pdf"))), twice);
}

TEST(PrintToPdf, AnEmptyPrintoutPrintsNothing)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout empty;
    EXPECT_EQ(PrintToPdfFile(empty, dir.File("empty.pdf"), "x"), ReportPrint::kDone);
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.pdf")));
}

TEST(PrintToPdf, FailuresAreNotReportedAsDone)
{
    EnsureHeadlessGui();
    CReportPrintout printout = ThreePages();
    EXPECT_EQ(PrintToPdfFile(printout, "/nonexistent-folder/report.pdf", "x"), ReportPrint::kFailed);

    CPrintRequest named;
    named.silent = true;
    named.printerName = "no such printer here";
    EXPECT_EQ(Print(printout, named), ReportPrint::kFailed);

    // A silent print with no printer at all printed nothing: a failure.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        CPrintRequest silent;
        silent.silent = true;
        silent.copies = 1;
        EXPECT_EQ(Print(printout, silent), ReportPrint::kFailed);
    }
}

TEST(PrintToPdf, TheCommandLinePrinterIsUsedOnlyWhenAsked)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout printout = ThreePages();
    SetCommandLinePrinter("no such printer here");
    CPrintRequest request;
    request.silent = true;
    request.outputFile = dir.File("plain.pdf");
    EXPECT_EQ(Print(printout, request), ReportPrint::kDone);
    request.useCommandLinePrinter = true;
    EXPECT_EQ(Print(printout, request), ReportPrint::kFailed);
    SetCommandLinePrinter("");
}

TEST(PrintToPdf, AReportFileFromTheCommandLine)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CReportPrintout printout = ThreePages();
    ASSERT_EQ(SaveReportFile(printout, dir.File("saved.tdf")), "");

    const CPrintFileResult printed = PrintReportFile(dir.File("saved.tdf"), dir.File("saved.pdf"));
    EXPECT_EQ(printed.status, ReportPrint::kDone) << printed.message;
    EXPECT_EQ(PdfPageSizes(ReadAll(dir.File("saved.pdf"))), kThreePageSizes);

    const CPrintFileResult missing = PrintReportFile(dir.File("missing.tdf"), dir.File("missing.pdf"));
    EXPECT_EQ(missing.status, ReportPrint::kFailed);
    EXPECT_EQ(missing.message, "Error opening file");
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.pdf")));

    const CPrintFileResult unwritable = PrintReportFile(dir.File("saved.tdf"), "/nonexistent-folder/x.pdf");
    EXPECT_EQ(unwritable.status, ReportPrint::kFailed);
    EXPECT_EQ(unwritable.message, "Error creating file");
}

TEST(PrintToPdf, TheCaseListPrintsItsBandsOnPortraitLetter)
{
    EnsureHeadlessGui();
    CScratchDir dir;
    CListPrintTable table;
    table.title = "All Cases";
    for (int c = 0; c < 3; ++c)
        table.columns.push_back({"Column " + std::to_string(c), 300, 0});
    for (int r = 0; r < 60; ++r)
        table.rows.push_back({"PA-24" + std::to_string(1000 + r), "Harbor Freight Logistics", "Columbus, OH"});
    CListPrintout list(table, 1, "01/01/24");
    CPrintRequest request;
    request.silent = true;
    request.outputFile = dir.File("list.pdf");
    ASSERT_EQ(PrintList(list, request), ReportPrint::kDone);
    if (const char* folder = std::getenv("ORV_REPORT_DOC_DIR"))
        std::filesystem::copy_file(request.outputFile, std::string(folder) + "/case-list.pdf",
                                   std::filesystem::copy_options::overwrite_existing);
    // Two bands of 60 rows: 53 + 7 each.
    EXPECT_EQ(PdfPageSizes(ReadAll(dir.File("list.pdf"))),
              (std::vector<std::string>{"612x792", "612x792", "612x792", "612x792"}));
}

// Print Setup's choice is where every later print without a device of its own starts.
TEST(PrintSetup, TheSessionSetupIsAppliedToPrintsThatNameNoDevice)
{
    EnsureHeadlessGui();
    QPrinter untouched(QPrinter::HighResolution);
    EXPECT_EQ(ChoosePrintDevice(untouched, CPrintRequest{}), CPrintDevice::none);

    SetSessionPrintSetup(CPrintSetup{QString(), QPageSize(QPageSize::A4), QPageLayout::Landscape, 3});
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_EQ(ChoosePrintDevice(printer, CPrintRequest{}), CPrintDevice::chosen);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.copyCount(), 3);

    // A PDF file asked for by name is still a Letter page of its own.
    CScratchDir dir;
    CPrintRequest toFile;
    toFile.outputFile = dir.File("setup.pdf");
    QPrinter pdf(QPrinter::HighResolution);
    EXPECT_EQ(ChoosePrintDevice(pdf, toFile), CPrintDevice::chosen);
    EXPECT_EQ(pdf.pageLayout().pageSize().id(), QPageSize::Letter);
    SetSessionPrintSetup(std::nullopt);
}
