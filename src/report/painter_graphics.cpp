#include "report/painter_graphics.h"

#include "report/emf_picture.h"
#include "report/report_text_layout.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// Coordinates are kept within this many page units of the origin, so that hostile
// sizes never reach the rasterizer.
constexpr double kCoordinateLimit = 1e6;

double Bound(double value)
{
    if (!std::isfinite(value))
        return 0;
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

CReportRect Bound(const CReportRect& rect)
{
    return {Bound(rect.left), Bound(rect.top), Bound(rect.right), Bound(rect.bottom)};
}

QRectF ToQt(const CReportRect& rect)
{
    return QRectF(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

void CPainterGraphics::SetPageTransform(QPainter& painter, double dotsPerInch, double offsetX, double offsetY)
{
    painter.resetTransform();
    painter.scale(dotsPerInch / 100.0, dotsPerInch / 100.0);
    painter.translate(offsetX, offsetY);
}

CTextMeasure CPainterGraphics::MeasureText(const std::string& text, const CReportRect& rect, unsigned format,
                                           const CReportFont& font)
{
    return CReportTextLayout(text, Bound(rect), format, font).Measure();
}

void CPainterGraphics::DrawTextIn(const std::string& text, const CReportRect& rect, unsigned format,
                                  const CReportFont& font, uint32_t argb)
{
    if (!m_painter || text.empty())
        return;
    CReportTextLayout(text, Bound(rect), format, font).Draw(*m_painter, argb);
}

void CPainterGraphics::FillRect(const CReportRect& rect, uint32_t argb)
{
    const CReportRect box = Bound(rect);
    if (!m_painter || box.Width() <= 0 || box.Height() <= 0)
        return;
    m_painter->fillRect(ToQt(box), QColor::fromRgba(argb));
}

void CPainterGraphics::FrameRect(const CReportRect& rect, uint32_t argb)
{
    const CReportRect box = Bound(rect);
    if (!m_painter || box.Width() < 0 || box.Height() < 0)
        return;
    m_painter->save();
    QPen pen(QColor::fromRgba(argb), 0);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(ToQt(box));
    m_painter->restore();
}

void CPainterGraphics::DrawLine(double x1, double y1, double x2, double y2, uint32_t argb, double width)
{
    if (!m_painter)
        return;
    m_painter->save();
    QPen pen(QColor::fromRgba(argb), std::clamp(width, 0.0, 100.0));
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(Bound(x1), Bound(y1)), QPointF(Bound(x2), Bound(y2)));
    m_painter->restore();
}

void CPainterGraphics::DrawPicture(const std::string& emfBytes, const CReportRect& target)
{
    if (!m_painter)
        return;
    CEmfPicture::Draw(*m_painter, emfBytes, ToQt(Bound(target)));
}
