#pragma once
// How the report text primitive places text in a rectangle:
// - 8-bit text, one byte per character; CR LF, CR and LF break lines;
// - without TextFormat::kSingleLine, lines wrap at word boundaries (anywhere inside a
//   word longer than the width) and only whole lines that fit in the height are kept;
//   with kNoClip the first line is kept even when it is taller than the rectangle;
// - with kSingleLine, lines are not wrapped and a partly visible last line is kept;
// - a width of 0 or less does not limit the lines; with kSingleLine neither does a
//   height of 0 or less;
// - lines are aligned by the horizontal bits each, the block of kept lines by the
//   vertical bits; the text is clipped to the rectangle unless kNoClip is set on text
//   that is not right-aligned.

#include "report/report_graphics.h"

#include <QTextLayout>

#include <memory>
#include <vector>

class QPainter;

class CReportTextLayout {
public:
    // Texts longer than this are laid out only this far (which keeps every line well
    // within the range of Qt's fixed-point text metrics).
    static constexpr int kMaxLaidOutChars = 1 << 18;

    CReportTextLayout(const std::string& text, const CReportRect& rect, unsigned format, const CReportFont& font);

    CTextMeasure Measure() const { return m_measure; }
    void Draw(QPainter& painter, uint32_t argb) const;

private:
    struct Line {
        int index = 0;  // in the QTextLayout, where every line sits at (0, 0)
        double x = 0;   // left of the line's text, page units
        double y = 0;   // top of the line
    };

    void LayOut(const QString& text, int prefix);

    CReportRect m_rect;
    unsigned m_format = 0;
    double m_scale = 1;      // page units per reference pixel
    double m_lineSpacing = 0;  // page units
    std::unique_ptr<QTextLayout> m_layout;
    std::vector<Line> m_lines;  // the kept lines
    CTextMeasure m_measure;
};
