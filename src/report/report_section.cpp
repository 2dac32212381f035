#include "report/report_section.h"

#include "codec/archive.h"

ORV_IMPLEMENT_SERIAL(CReportSection, kRecordSchema, true)

void CReportSection::Serialize(CArchive& ar)
{
    ar.Int32(orientation);
    ar.Int32(fullPage);
    ar.Int32(newPage);
    ar.Int32(skip);
}

bool CReportSection::Draw(CReportGraphics&, CReportPrintout&, const CPageBand&, bool, int64_t&)
{
    return true;
}

bool CReportSection::Prepare(CReportGraphics&, CReportPrintout&)
{
    return true;
}

void CReportSection::Finish(CReportGraphics&, CReportPrintout&)
{
}
