#pragma once
// Grids printed three abreast, group of three by group of three. The first grid of a
// group decides the group's height and where it breaks to the next page.

#include "report/report_section.h"
#include "report/static_grid.h"

#include <vector>

class CRptMulti3GridSection : public CReportSection {
    ORV_DECLARE_SERIAL(CRptMulti3GridSection)
public:
    std::vector<CStaticGrid> grids;  // a multiple of 3, or the section is passed over

    void Serialize(CArchive& ar) override;
    bool Prepare(CReportGraphics& graphics, CReportPrintout& printout) override;
    bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band, bool measureOnly,
              int64_t& runningY) override;
    uint64_t ProgressMark() const override;
    bool Unstick() override;

    size_t GroupIndex() const { return m_group; }

private:
    size_t m_group = 0;  // index of the first grid of the current group
};
