#include "report/rpt_multi3_grid_section.h"

#include "codec/archive.h"
#include "report/report_printout.h"

ORV_IMPLEMENT_SERIAL(CRptMulti3GridSection, kRecordSchema, true)

void CRptMulti3GridSection::Serialize(CArchive& ar)
{
    CReportSection::Serialize(ar);
    ar.RecordArray(grids);
}

bool CRptMulti3GridSection::Prepare(CReportGraphics&, CReportPrintout&)
{
    if (grids.size() % 3 != 0)
        return false;
    for (CStaticGrid& grid : grids)
        grid.Reset();
    m_group = 0;
    return true;
}

bool CRptMulti3GridSection::Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band,
                                 bool measureOnly, int64_t& runningY)
{
    const int64_t width = (band.right - band.left) / 3;
    int64_t y = runningY;
    while (m_group + 2 < grids.size()) {
        const int64_t available = band.bottom - y;
        const int64_t height = grids[m_group].Draw(graphics, 0, y, "", available, measureOnly);
        grids[m_group + 1].Draw(graphics, width, y, "", available, measureOnly);
        grids[m_group + 2].Draw(graphics, 2 * width, y, "", available, measureOnly);
        y += printout.SectionGap() + height;
        if (grids[m_group].HasMoreRows())
            break;
        m_group += 3;
    }
    runningY = y;
    return m_group >= grids.size();
}

uint64_t CRptMulti3GridSection::ProgressMark() const
{
    uint64_t mark = m_group;
    for (const CStaticGrid& grid : grids)
        mark += grid.RowCursor();
    return mark;
}

bool CRptMulti3GridSection::Unstick()
{
    if (m_group + 2 >= grids.size())
        return false;
    // The first grid decides the group's progress; the two beside it get the same help
    // so that the group stays level.
    const bool first = grids[m_group].Unstick();
    grids[m_group + 1].Unstick();
    grids[m_group + 2].Unstick();
    return first;
}
