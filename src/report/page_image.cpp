#include "report/page_image.h"

#include "report/painter_graphics.h"
#include "report/report_printout.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double kMaxDotsPerInch = 600;

}  // namespace

CPageMargins CPageMargins::For(int orientation)
{
    // Orientation 1 is portrait; any other value prints landscape.
    if (orientation == CReportPrintout::kPortrait)
        return {25, 50};
    return {50, 25};
}

QImage RenderReportPage(CReportPrintout& printout, int page, double dotsPerInch)
{
    if (printout.PageCount() == 0) {
        CPainterGraphics measuring;
        printout.LayOutPage(measuring, 0);
    }
    const int orientation = printout.PageOrientation(page);
    if (orientation < 0 || !(dotsPerInch > 0) || dotsPerInch > kMaxDotsPerInch)
        return {};
    const bool landscape = orientation != CReportPrintout::kPortrait;
    const CPageMargins margins = CPageMargins::For(orientation);
    const double sheetWidth = (landscape ? 1000 : 800) + 2 * margins.x;
    const double sheetHeight = (landscape ? 800 : 1000) + 2 * margins.y;

    QImage image(static_cast<int>(std::ceil(sheetWidth * dotsPerInch / 100)),
                 static_cast<int>(std::ceil(sheetHeight * dotsPerInch / 100)), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    CPainterGraphics::SetPageTransform(painter, dotsPerInch, margins.x, margins.y);
    CPainterGraphics graphics(&painter);
    printout.LayOutPage(graphics, page);
    return image;
}
