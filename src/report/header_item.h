#pragma once
// One column of a static grid.

#include <cstdint>
#include <string>

class CArchive;

struct HeaderItem {
    static constexpr int32_t kThickRightLine = 0x4;  // style: the right edge line is 2 units wide

    std::string label;      // drawn centred in the header row
    int32_t width = 0;      // carried; layout reads only the right edge
    int32_t alignment = 0;  // the default text-format bits of the column's cells
    int32_t rightEdge = 0;  // from the grid's left edge; the left edge is the previous column's
    int32_t style = 0;

    void Serialize(CArchive& ar);
};
