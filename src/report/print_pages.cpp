#include "report/print_pages.h"

#include "report/report_printer.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

void SetOrientation(QPrinter& printer, int orientation)
{
    if (orientation == 1)
        printer.setPageOrientation(QPageLayout::Portrait);
    else if (orientation == 2)
        printer.setPageOrientation(QPageLayout::Landscape);
}

}  // namespace

int PrintPages(QPrinter& printer, CPageRange range, const std::function<int(int)>& orientationOf,
               const std::function<void(QPainter&, int)>& drawPage)
{
    const bool anyPage = range.to >= range.from;
    if (anyPage)
        SetOrientation(printer, orientationOf(range.from));
    QPainter painter;
    if (!painter.begin(&printer))
        return ReportPrint::kFailed;
    if (!anyPage) {
        painter.end();
        return ReportPrint::kDone;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);

    const int rounds = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    bool first = true;
    for (int round = 0; round < rounds; ++round) {
        for (int page = range.from; page <= range.to; ++page) {
            if (!first) {
                SetOrientation(printer, orientationOf(page));
                if (!printer.newPage()) {
                    printer.abort();
                    painter.end();
                    return ReportPrint::kFailed;
                }
            }
            first = false;
            painter.save();
            drawPage(painter, page);
            painter.restore();
        }
    }
    if (!painter.end())
        return ReportPrint::kFailed;
    return ReportPrint::kDone;
}
