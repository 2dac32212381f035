#include "report/rpt_metafile_section.h"

#include "codec/archive.h"
#include "report/report_graphics.h"
#include "report/report_printout.h"

ORV_IMPLEMENT_SERIAL(CRptMetafileSection, kRecordSchema, true)

void CRptMetafileSection::Serialize(CArchive& ar)
{
    CReportSection::Serialize(ar);
    ar.Record(picture);
}

bool CRptMetafileSection::Prepare(CReportGraphics&, CReportPrintout&)
{
    return picture.HasBytes();
}

bool CRptMetafileSection::Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand&,
                               bool measureOnly, int64_t&)
{
    if (measureOnly)
        return true;
    // The picture's shape follows the section's own orientation (or the printout's
    // default), not that of the page it lands on.
    const bool portrait = EffectiveOrientation(printout.defaultOrientation) == CReportPrintout::kPortrait;
    graphics.DrawPicture(picture.GetBytes(), portrait ? CReportRect{0, 0, 800, 1000} : CReportRect{0, 0, 1000, 800});
    return true;
}
