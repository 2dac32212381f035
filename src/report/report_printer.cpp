#include "report/report_printer.h"

#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/print_device.h"
#include "report/print_pages.h"
#include "report/report_file.h"
#include "report/report_printout.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

std::string& CommandLinePrinterSlot()
{
    static std::string name;
    return name;
}

// Places page units on the sheet: the page's corner at its margins, one unit a hundredth
// of an inch at the device's resolution.
void SetSheetTransform(QPainter& painter, const QPrinter& printer, int orientation)
{
    const CPageMargins margins = CPageMargins::For(orientation);
    painter.resetTransform();
    painter.scale(printer.logicalDpiX() / 100.0, printer.logicalDpiY() / 100.0);
    painter.translate(margins.x, margins.y);
}

}  // namespace

void SetCommandLinePrinter(const std::string& printerName)
{
    CommandLinePrinterSlot() = printerName;
}

const std::string& CommandLinePrinter()
{
    return CommandLinePrinterSlot();
}

int Print(CReportPrintout& printout, const CPrintRequest& request, QWidget* dialogParent)
{
    if (printout.sections.empty())
        return ReportPrint::kDone;

    QPrinter printer(QPrinter::HighResolution);
    const CPrintDevice device = ChoosePrintDevice(printer, request);
    if (device == CPrintDevice::failed)
        return ReportPrint::kFailed;

    CPainterGraphics measuring;
    const int pageCount = printout.LayOutPage(measuring, 0);
    CPageRange range{1, pageCount};

    if (request.silent) {
        // No printer means nothing was printed: that is a failure, not a done job.
        if (device == CPrintDevice::none && !ChooseDefaultPrinter(printer))
            return ReportPrint::kFailed;
        if (request.copies > 0)
            printer.setCopyCount(request.copies);
    } else {
        const CPrintDialogResult chosen = RunPrintDialog(printer, pageCount, dialogParent, range);
        if (chosen == CPrintDialogResult::unavailable)
            return ReportPrint::kFailed;
        if (chosen == CPrintDialogResult::cancelled)
            return ReportPrint::kDone;
        if (!request.outputFile.empty())
            SelectPdfFile(printer, request.outputFile);
    }

    std::string name = request.documentName.substr(0, ReportPrint::kMaxDocumentName);
    printer.setDocName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));

    printer.setFullPage(true);
    // A report page is portrait only when its orientation is 1; any other value prints
    // landscape, never in whatever orientation the printer was left in.
    const auto sheetOrientation = [&](int page) {
        return printout.PageOrientation(page) == CReportPrintout::kPortrait ? CReportPrintout::kPortrait
                                                                            : CReportPrintout::kLandscape;
    };
    return PrintPages(printer, range, sheetOrientation,
                      [&](QPainter& painter, int page) {
                          SetSheetTransform(painter, printer, printout.PageOrientation(page));
                          CPainterGraphics graphics(&painter);
                          printout.LayOutPage(graphics, page);
                      });
}

int PrintToPdfFile(CReportPrintout& printout, const std::string& outputFile, const std::string& documentName,
                   int copies)
{
    CPrintRequest request;
    request.documentName = documentName;
    request.silent = true;
    request.copies = std::max(copies, 1);
    request.outputFile = outputFile;
    return Print(printout, request);
}

CPrintFileResult PrintReportFile(const std::string& reportPath, const std::string& outputFile)
{
    CReportLoadResult loaded = OpenReportFile(reportPath);
    if (!loaded.Ok())
        return {ReportPrint::kFailed, loaded.message};
    CPrintRequest request;
    request.documentName = reportPath;
    request.silent = true;
    request.copies = 1;
    request.outputFile = outputFile;
    const int status = Print(*loaded.printout, request);
    if (status != ReportPrint::kDone)
        return {status, outputFile.empty() ? std::string() : std::string(ReportFile::kErrorCreating)};
    return {};
}
