#include "report/report_graphics.h"

#include <cstdlib>

namespace {

// Arial and its metric twin Liberation Sans: the cell height (ascent plus descent) of
// a 2048-unit em.
constexpr double kCellToEm = 2048.0 / 2288.0;
constexpr double kDefaultLogFontHeight = 12;

}  // namespace

CReportFont CReportFont::FromPoints(const std::string& face, double points, bool bold, bool italic)
{
    return {face, points * 100.0 / 72.0, bold, italic};
}

CReportFont CLogFont::ToFont() const
{
    double em = kDefaultLogFontHeight;
    if (height < 0)
        em = -static_cast<double>(height);
    else if (height > 0)
        em = height * kCellToEm;
    return {face, em, weight >= 700, italic};
}

void DrawText(CReportGraphics& graphics, const std::string& text, CReportRect rect, double verticalOffset,
              unsigned format, const CReportFont& font, std::optional<uint32_t> textColor,
              std::optional<uint32_t> background, CReportRect* measuredBox, int* charsFitted)
{
    if (verticalOffset > 0) {
        rect.top += verticalOffset;
        rect.bottom += verticalOffset;
    }
    const CTextMeasure measure = graphics.MeasureText(text, rect, format, font);
    if (charsFitted)
        *charsFitted = measure.charsFitted;
    if (measuredBox) {
        *measuredBox = measure.box;
        return;
    }
    if (background && (*background & 0xFFFFFF) != 0xFFFFFF)
        graphics.FillRect(measure.box, ArgbFromColorRef(*background));
    graphics.DrawTextIn(text, rect, format, font, textColor ? ArgbFromColorRef(*textColor) : kBlack);
}

void DrawTextWithLogFont(CReportGraphics& graphics, const std::string& text, CReportRect rect,
                         double verticalOffset, unsigned format, const CLogFont* font,
                         std::optional<uint32_t> textColor, std::optional<uint32_t> background,
                         CReportRect* measuredBox, int* charsFitted)
{
    const CLogFont fallback;
    DrawText(graphics, text, rect, verticalOffset, format, (font ? *font : fallback).ToFont(), textColor,
             background, measuredBox, charsFitted);
}
