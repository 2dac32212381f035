#pragma once
// Report graphics over a QPainter whose world transform maps page units (1/100 inch)
// to the device. Without a painter it only measures.

#include "report/report_graphics.h"

class QPainter;

class CPainterGraphics : public CReportGraphics {
public:
    explicit CPainterGraphics(QPainter* painter = nullptr) : m_painter(painter) {}

    CTextMeasure MeasureText(const std::string& text, const CReportRect& rect, unsigned format,
                             const CReportFont& font) override;
    void DrawTextIn(const std::string& text, const CReportRect& rect, unsigned format, const CReportFont& font,
                    uint32_t argb) override;
    void FillRect(const CReportRect& rect, uint32_t argb) override;
    void FrameRect(const CReportRect& rect, uint32_t argb) override;
    void DrawLine(double x1, double y1, double x2, double y2, uint32_t argb, double width) override;
    void DrawPicture(const std::string& emfBytes, const CReportRect& target) override;

    // The painter's transform for drawing a page at the given device resolution,
    // with the page's top-left corner at the offset given in page units.
    static void SetPageTransform(QPainter& painter, double dotsPerInch, double offsetX = 0, double offsetY = 0);

private:
    QPainter* m_painter;
};
