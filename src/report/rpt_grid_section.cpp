#include "report/rpt_grid_section.h"

#include "codec/archive.h"
#include "report/report_printout.h"

ORV_IMPLEMENT_SERIAL(CRptGridSection, kRecordSchema, true)

void CRptGridSection::Serialize(CArchive& ar)
{
    CReportSection::Serialize(ar);
    ar.ObjectOf(grid);
}

bool CRptGridSection::Prepare(CReportGraphics& graphics, CReportPrintout& printout)
{
    if (!grid)
        return false;
    grid->Reset();
    grid->PreparePrintComment(graphics, printout.BodyHeight());
    return true;
}

bool CRptGridSection::Draw(CReportGraphics& graphics, CReportPrintout&, const CPageBand& band, bool measureOnly,
                           int64_t& runningY)
{
    runningY += grid->Draw(graphics, band.left, band.top, "", band.Height(), measureOnly);
    return !grid->HasMoreRows();
}
