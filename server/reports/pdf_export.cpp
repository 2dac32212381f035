#include "server/reports/pdf_export.h"

#include "report/page_image.h"
#include "report/painter_graphics.h"
#include "report/report_printout.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kResolution = 600;

QPageLayout::Orientation Orientation(int orientation)
{
    return orientation == CReportPrintout::kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace

std::string ExportPdf(CReportPrintout& printout, const std::string& title, CReportBudget& budget)
{
    CPainterGraphics measuring;
    const int pages = printout.LayOutPage(measuring, 0);
    if (!budget.FitsPages(pages))
        return {};

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
        writer.setCreator("Orvenna inventory server");
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), Orientation(printout.PageOrientation(1)),
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        for (int page = 1; page <= pages; ++page) {
            // The writer has written the pages before this one.
            if (!budget.AddPage() || !budget.SetDocumentBytes(buffer.size()))
                return {};
            const int orientation = printout.PageOrientation(page);
            if (page > 1) {
                writer.setPageOrientation(Orientation(orientation));
                if (!writer.newPage())
                    return {};
            }
            const CPageMargins margins = CPageMargins::For(orientation);
            painter.resetTransform();
            painter.scale(kResolution / 100.0, kResolution / 100.0);
            painter.translate(margins.x, margins.y);
            CPainterGraphics graphics(&painter);
            printout.LayOutPage(graphics, page);
        }
        if (!painter.end())
            return {};
    }
    if (!budget.SetDocumentBytes(buffer.size()))
        return {};
    return buffer.data().toStdString();
}
