#pragma once
// Shared helpers of the report tests: a drawing surface with simple, predictable text
// metrics that records what is drawn, a byte builder for pinned layouts, and builders
// of grids and sections.

#include "report/report_graphics.h"
#include "report/report_printout.h"
#include "report/rpt_grid_section.h"
#include "report/rpt_multi_text_section.h"
#include "report/static_grid.h"
#include "report/text_format.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Every character is 10 units wide and every line 20 units high, whatever the font.
// Lines break at '\n' and, unless single-line, after as many characters as the width
// holds; without kSingleLine only whole lines that fit in the height are kept.
class CFakeGraphics : public CReportGraphics {
public:
    static constexpr double kCharWidth = 10;
    static constexpr double kLineHeight = 20;

    struct Text {
        std::string text;
        CReportRect rect;
        unsigned format;
        CReportFont font;
        uint32_t argb;
    };
    struct Box {
        CReportRect rect;
        uint32_t argb;
        bool frame;
    };
    struct Line {
        double x1, y1, x2, y2;
        double width;
    };

    std::vector<Text> texts;
    std::vector<Box> boxes;
    std::vector<Line> lines;
    std::vector<CReportRect> pictures;

    CTextMeasure MeasureText(const std::string& text, const CReportRect& rect, unsigned format,
                             const CReportFont&) override
    {
        const bool single = format & TextFormat::kSingleLine;
        const int perLine = rect.Width() > 0 && !single ? std::max(1, static_cast<int>(rect.Width() / kCharWidth)) : 1 << 30;
        // Lines as [start, end) with the break character counted in the line.
        std::vector<std::pair<size_t, size_t>> laid;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = start;
            while (end < text.size() && text[end] != '\n' && static_cast<int>(end - start) < perLine)
                ++end;
            if (end < text.size() && text[end] == '\n')
                ++end;
            laid.emplace_back(start, end);
            start = end;
        }
        size_t kept = laid.size();
        if (!single)
            kept = std::min(kept, static_cast<size_t>(std::max(0.0, rect.Height() / kLineHeight)));
        CTextMeasure measure;
        double widest = 0;
        for (size_t i = 0; i < kept; ++i)
            widest = std::max(widest, static_cast<double>(laid[i].second - laid[i].first) * kCharWidth);
        measure.box = CReportRect::FromSize(rect.left, rect.top, widest, kept * kLineHeight);
        measure.charsFitted = kept ? static_cast<int>(laid[kept - 1].second) : 0;
        return measure;
    }
    void DrawTextIn(const std::string& text, const CReportRect& rect, unsigned format, const CReportFont& font,
                    uint32_t argb) override
    {
        texts.push_back({text, rect, format, font, argb});
    }
    void FillRect(const CReportRect& rect, uint32_t argb) override { boxes.push_back({rect, argb, false}); }
    void FrameRect(const CReportRect& rect, uint32_t argb) override { boxes.push_back({rect, argb, true}); }
    void DrawLine(double x1, double y1, double x2, double y2, uint32_t, double width) override
    {
        lines.push_back({x1, y1, x2, y2, width});
    }
    void DrawPicture(const std::string&, const CReportRect& target) override { pictures.push_back(target); }

    void Clear()
    {
        texts.clear();
        boxes.clear();
        lines.clear();
        pictures.clear();
    }
    // The texts drawn that start with the prefix, in drawing order.
    std::vector<std::string> TextsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const Text& t : texts)
            if (t.text.rfind(prefix, 0) == 0)
                found.push_back(t.text);
        return found;
    }
    const Text* FindText(const std::string& text) const
    {
        for (const Text& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

// Little-endian bytes, built field by field.
class CBytes {
public:
    CBytes& I32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<char>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    CBytes& U16(uint16_t v)
    {
        m_bytes.push_back(static_cast<char>(v & 0xFF));
        m_bytes.push_back(static_cast<char>(v >> 8));
        return *this;
    }
    CBytes& Count(uint16_t n) { return U16(n); }
    CBytes& Str(const std::string& s)  // short strings only
    {
        m_bytes.push_back(static_cast<char>(s.size()));
        m_bytes += s;
        return *this;
    }
    CBytes& Raw(const std::string& s)
    {
        m_bytes += s;
        return *this;
    }
    // A new class tag with schema 100.
    CBytes& NewClass(const std::string& name)
    {
        U16(0xFFFF).U16(100).U16(static_cast<uint16_t>(name.size()));
        m_bytes += name;
        return *this;
    }
    CBytes& KnownClass(uint16_t index) { return U16(static_cast<uint16_t>(0x8000 | index)); }
    CBytes& ObjectRef(uint16_t index) { return U16(index); }
    CBytes& Null() { return U16(0); }
    const std::string& Str() const { return m_bytes; }

private:
    std::string m_bytes;
};

// A grid of `count` rows whose single cell reads "r0", "r1", ...
inline std::shared_ptr<CStaticGrid> NumberedGrid(int count, const std::string& prefix = "r")
{
    auto grid = std::make_shared<CStaticGrid>();
    grid->title = "Grid";
    grid->Column(0).label = "Row";
    grid->Column(0).rightEdge = 300;
    for (int i = 0; i < count; ++i)
        grid->AddRow({prefix + std::to_string(i)});
    return grid;
}

inline std::shared_ptr<CRptGridSection> GridSection(int rowCount, const std::string& prefix = "r")
{
    auto section = std::make_shared<CRptGridSection>();
    section->grid = NumberedGrid(rowCount, prefix);
    return section;
}

// A text section of `count` short lines, "line 0\n", "line 1\n", ...
inline std::shared_ptr<CRptMultiTextSection> LinesSection(int count, const std::string& title = "")
{
    auto section = std::make_shared<CRptMultiTextSection>();
    section->title = title;
    for (int i = 0; i < count; ++i)
        section->text += "line " + std::to_string(i) + "\n";
    return section;
}
