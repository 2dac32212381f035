#pragma once
// One enhanced-metafile picture stretched over a whole page.

#include "report/metafile_data.h"
#include "report/report_section.h"

class CRptMetafileSection : public CReportSection {
    ORV_DECLARE_SERIAL(CRptMetafileSection)
public:
    CMetafileData picture;

    CRptMetafileSection() { fullPage = 1; }

    void Serialize(CArchive& ar) override;
    bool Prepare(CReportGraphics& graphics, CReportPrintout& printout) override;
    bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band, bool measureOnly,
              int64_t& runningY) override;
};
