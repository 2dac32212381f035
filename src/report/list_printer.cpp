#include "report/list_printer.h"

#include "report/list_printout.h"
#include "report/painter_graphics.h"
#include "report/print_device.h"
#include "report/print_pages.h"
#include "report/report_printer.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace {

int PaperOrientation(const QPrinter& printer)
{
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

int CountPages(CListPrintout& list)
{
    CPainterGraphics measuring;
    return list.LayOutPage(measuring, 0);
}

int PrintListRange(CListPrintout& list, QPrinter& printer, CPageRange range)
{
    printer.setFullPage(false);
    return PrintPages(printer, range, [](int) { return 0; }, [&](QPainter& painter, int page) {
        // The logical page over the printable area, stretched each way on its own.
        const QRectF area = printer.pageRect(QPrinter::DevicePixel);
        painter.resetTransform();
        painter.scale(area.width() / static_cast<double>(list.PageWidth()),
                      area.height() / static_cast<double>(list.PageHeight()));
        CPainterGraphics graphics(&painter);
        list.LayOutPage(graphics, page);
    });
}

}  // namespace

int PrintListPages(CListPrintout& list, QPrinter& printer)
{
    list.SetOrientation(PaperOrientation(printer));
    return PrintListRange(list, printer, {1, CountPages(list)});
}

int PrintList(CListPrintout& list, const CPrintRequest& request, QWidget* dialogParent)
{
    QPrinter printer(QPrinter::HighResolution);
    const CPrintDevice device = ChoosePrintDevice(printer, request);
    if (device == CPrintDevice::failed)
        return ReportPrint::kFailed;
    std::string name = request.documentName.substr(0, ReportPrint::kMaxDocumentName);
    printer.setDocName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));

    list.SetOrientation(PaperOrientation(printer));
    CPageRange range{1, CountPages(list)};
    if (request.silent) {
        if (device == CPrintDevice::none && !ChooseDefaultPrinter(printer))
            return ReportPrint::kFailed;
        if (request.copies > 0)
            printer.setCopyCount(request.copies);
    } else {
        const CPrintDialogResult chosen = RunPrintDialog(printer, range.to, dialogParent, range);
        if (chosen == CPrintDialogResult::unavailable)
            return ReportPrint::kFailed;
        if (chosen == CPrintDialogResult::cancelled)
            return ReportPrint::kDone;
        if (!request.outputFile.empty())
            SelectPdfFile(printer, request.outputFile);
        // The paper may have turned in the dialog: the bands follow it.
        const int before = list.Orientation();
        list.SetOrientation(PaperOrientation(printer));
        if (list.Orientation() != before) {
            const int pages = CountPages(list);
            range = {std::min(range.from, pages), std::min(range.to, pages)};
        }
    }
    return PrintListRange(list, printer, range);
}

void ShowListPrintPreview(CListPrintout& list, QWidget* parent)
{
    QPrintPreviewDialog dialog(parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&list](QPrinter* printer) { PrintListPages(list, *printer); });
    dialog.exec();
}
