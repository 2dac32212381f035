#pragma once
// One row of a case query's result table: the cell texts, formatted by the server, one
// per result column; the first cell is the case number.

#include "codec/object.h"

#include <string>
#include <vector>

class CCaseQueryDataRow final : public CObject {
    ORV_DECLARE_SERIAL(CCaseQueryDataRow)
public:
    void Serialize(CArchive& ar) override;

    // The cell of `column`, or an empty text when the row is shorter than the table.
    const std::string& Cell(size_t column) const;

    std::vector<std::string> cells;
};
