#pragma once
// One grid, continued over as many pages as its rows need.

#include "report/report_section.h"
#include "report/static_grid.h"

#include <memory>

class CRptGridSection : public CReportSection {
    ORV_DECLARE_SERIAL(CRptGridSection)
public:
    std::shared_ptr<CStaticGrid> grid;  // may be null: nothing to show

    void Serialize(CArchive& ar) override;
    bool Prepare(CReportGraphics& graphics, CReportPrintout& printout) override;
    bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band, bool measureOnly,
              int64_t& runningY) override;
    uint64_t ProgressMark() const override { return grid ? grid->RowCursor() : 0; }
    bool Unstick() override { return grid && grid->Unstick(); }
};
