#pragma once
// One data row of a static grid: one cell per column.

#include "report/data_item.h"

#include <vector>

struct DataItems {
    std::vector<DataItem> cells;

    void Serialize(CArchive& ar);
};
