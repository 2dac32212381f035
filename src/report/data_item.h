#pragma once
// One cell of a static grid.

#include <cstdint>
#include <string>

class CArchive;

struct DataItem {
    std::string text;
    int32_t bold = 0;       // draw with the bold cell font
    int32_t alignment = 0;  // text-format bits
    int32_t overflow = 0;   // the text may run past the cell, over a near-white box

    void Serialize(CArchive& ar);
};
