#pragma once
// Two grids side by side; a filler box closes the space under the shorter one.

#include "report/report_section.h"
#include "report/static_grid.h"

#include <memory>

class CRptDoubleGridSection : public CReportSection {
    ORV_DECLARE_SERIAL(CRptDoubleGridSection)
public:
    static constexpr uint32_t kFillerArgb = 0xFFF8F8F8;

    std::shared_ptr<CStaticGrid> left;   // drawn at the band's left edge
    std::shared_ptr<CStaticGrid> right;  // drawn at rightGridX
    int32_t leftAreaRight = 0;           // right edge of the left grid's area
    int32_t rightGridX = 0;

    void Serialize(CArchive& ar) override;
    bool Prepare(CReportGraphics& graphics, CReportPrintout& printout) override;
    bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band, bool measureOnly,
              int64_t& runningY) override;
    uint64_t ProgressMark() const override;
    bool Unstick() override;
};
