#pragma once
// Helpers of the tests that draw with Qt: a QGuiApplication, pixel counting, and a
// small enhanced metafile built record by record.

#include "report/headless_gui.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <string>

inline void UseHeadlessGui()
{
    EnsureHeadlessGui();
}

// Pixels inside (or, with outside set, outside) the rectangle that are darker than
// light grey.
inline int DarkPixels(const QImage& image, const QRect& area, bool outside = false)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (area.contains(x, y) != outside && qGray(image.pixel(x, y)) < 160)
                ++count;
    return count;
}

// A picture of 100 x 100 logical units holding one black-filled rectangle from
// (10, 10) to (90, 50).
inline std::string RectangleMetafile()
{
    std::string body;
    auto u32 = [](std::string& s, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto u16 = [](std::string& s, uint16_t v) {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>(v >> 8));
    };
    // EMR_SELECTOBJECT of the stock black brush, EMR_RECTANGLE.
    u32(body, 37), u32(body, 12), u32(body, 0x80000004);
    u32(body, 43), u32(body, 24), u32(body, 10), u32(body, 10), u32(body, 90), u32(body, 50);
    std::string end;  // EMR_EOF
    u32(end, 14), u32(end, 20), u32(end, 0), u32(end, 16), u32(end, 20);
    std::string header;  // EMR_HEADER, 88 bytes
    const auto total = static_cast<uint32_t>(88 + body.size() + end.size());
    u32(header, 1), u32(header, 88);
    u32(header, 0), u32(header, 0), u32(header, 100), u32(header, 100);  // bounds
    u32(header, 0), u32(header, 0), u32(header, 2645), u32(header, 2645);  // frame, 0.01 mm
    u32(header, 0x464D4520), u32(header, 0x10000), u32(header, total), u32(header, 4);
    u16(header, 1), u16(header, 0);
    u32(header, 0), u32(header, 0), u32(header, 0);
    u32(header, 1000), u32(header, 1000), u32(header, 264), u32(header, 264);
    return header + body + end;
}
