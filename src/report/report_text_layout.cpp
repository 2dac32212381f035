#include "report/report_text_layout.h"

#include "report/report_fonts.h"
#include "report/text_format.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinEm = 0.1;
constexpr double kMaxEm = 20000;
constexpr int kFirstPrefix = 4096;
// Widest line, in reference pixels, for lines that the rectangle does not limit.
constexpr double kUnlimitedLineWidth = 1e7;
// A line fits when its bottom is within the rectangle, give or take rounding.
constexpr double kFitTolerance = 1e-6;

// Widens one byte per character; line breaks become the one character that Qt breaks
// lines at, so that character positions stay those of the 8-bit text.
QString Widen(const std::string& text, int length)
{
    QString wide(length, QChar());
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
        QChar c(static_cast<char16_t>(byte));
        if (byte == '\n')
            c = QChar::LineSeparator;
        else if (byte == '\r')
            c = (i + 1 < static_cast<int>(text.size()) && text[static_cast<size_t>(i) + 1] == '\n')
                    ? QChar(0x200B)  // zero width: the LF that follows breaks the line
                    : QChar::LineSeparator;
        wide[i] = c;
    }
    return wide;
}

bool RightAligned(unsigned format)
{
    return (format & TextFormat::kRight) && !(format & TextFormat::kCentre);
}

}  // namespace

CReportTextLayout::CReportTextLayout(const std::string& text, const CReportRect& rect, unsigned format,
                                     const CReportFont& font)
    : m_rect(rect), m_format(format)
{
    double em = font.emHeight;
    if (!std::isfinite(em) || em < kMinEm)
        em = kMinEm;
    em = std::min(em, kMaxEm);
    m_scale = em / kReferencePixelSize;

    const QFont qfont = ReferenceFont(font);
    m_lineSpacing = QFontMetricsF(qfont).lineSpacing() * m_scale;
    m_layout = std::make_unique<QTextLayout>(QString(), qfont);

    const int length = static_cast<int>(std::min<size_t>(text.size(), kMaxLaidOutChars));
    if (length == 0) {
        m_measure.box = CReportRect::FromSize(rect.left, rect.top, 0, 0);
        return;
    }
    const QString wide = Widen(text, length);
    // Lay out a prefix, longer each time, until the kept lines end well before it: the
    // lines kept then do not depend on the text after it.
    for (int prefix = std::min(length, kFirstPrefix);; prefix = static_cast<int>(std::min<int64_t>(
                                                           length, static_cast<int64_t>(prefix) * 4))) {
        LayOut(wide, prefix);
        if (prefix == length || static_cast<int>(m_lines.size()) + 2 <= m_layout->lineCount())
            break;
    }
}

void CReportTextLayout::LayOut(const QString& text, int prefix)
{
    m_lines.clear();
    m_layout->setText(text.left(prefix));
    const bool singleLine = m_format & TextFormat::kSingleLine;
    const double width = m_rect.Width();
    const double height = m_rect.Height();
    const bool wrap = !singleLine && width > 0;
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    m_layout->setTextOption(option);

    const bool noClip = (m_format & TextFormat::kNoClip) && !RightAligned(m_format);
    // How many lines may be kept, counting from the top.
    auto keeps = [&](int lineIndex) {
        if (singleLine)
            return height <= 0 || lineIndex == 0 || lineIndex * m_lineSpacing < height;
        if ((lineIndex + 1) * m_lineSpacing <= height + kFitTolerance)
            return true;
        return lineIndex == 0 && noClip;
    };

    m_layout->beginLayout();
    int kept = 0;
    bool stillKeeping = true;
    for (;;) {
        QTextLine line = m_layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(wrap ? std::min(width / m_scale, kUnlimitedLineWidth) : kUnlimitedLineWidth);
        line.setPosition(QPointF(0, 0));
        if (stillKeeping && keeps(line.lineNumber()))
            ++kept;
        else
            stillKeeping = false;
        // Enough lines past the kept ones to know the kept ones are final.
        if (!stillKeeping && line.lineNumber() >= kept + 2)
            break;
    }
    m_layout->endLayout();

    // Place the kept lines and measure the block.
    double boxWidth = 0;
    for (int i = 0; i < kept; ++i)
        boxWidth = std::max(boxWidth, m_layout->lineAt(i).naturalTextWidth() * m_scale);
    const double boxHeight = kept * m_lineSpacing;
    const double rectWidth = std::max(width, 0.0);
    auto alignX = [&](double lineWidth) {
        if (m_format & TextFormat::kCentre)
            return m_rect.left + (rectWidth - lineWidth) / 2;
        if (m_format & TextFormat::kRight)
            return m_rect.left + rectWidth - lineWidth;
        return m_rect.left;
    };
    double top = m_rect.top;
    if (m_format & TextFormat::kMiddle)
        top = m_rect.top + (height - boxHeight) / 2;
    else if (m_format & TextFormat::kBottom)
        top = m_rect.bottom - boxHeight;

    for (int i = 0; i < kept; ++i) {
        const QTextLine line = m_layout->lineAt(i);
        m_lines.push_back({i, alignX(line.naturalTextWidth() * m_scale), top + i * m_lineSpacing});
    }
    m_measure.box = CReportRect::FromSize(alignX(boxWidth), top, boxWidth, boxHeight);
    if (kept == 0) {
        m_measure.charsFitted = 0;
    } else {
        const QTextLine last = m_layout->lineAt(kept - 1);
        m_measure.charsFitted = last.textStart() + last.textLength();
    }
}

void CReportTextLayout::Draw(QPainter& painter, uint32_t argb) const
{
    if (m_lines.empty())
        return;
    painter.save();
    if (!(m_format & TextFormat::kNoClip) || RightAligned(m_format))
        painter.setClipRect(QRectF(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height()), Qt::IntersectClip);
    painter.setPen(QColor::fromRgba(argb));
    for (const Line& placed : m_lines) {
        const QTextLine line = m_layout->lineAt(placed.index);
        painter.save();
        painter.translate(placed.x, placed.y);
        painter.scale(m_scale, m_scale);
        line.draw(&painter, QPointF(0, 0));
        painter.restore();
    }
    painter.restore();
}
