#pragma once
// A titled block of free text that flows over as many pages as it needs.

#include "report/report_graphics.h"
#include "report/report_section.h"

#include <string>

class CRptMultiTextSection : public CReportSection {
    ORV_DECLARE_SERIAL(CRptMultiTextSection)
public:
    static constexpr int64_t kMinBandHeight = 22;
    static constexpr int64_t kTitleHeight = 20;
    static constexpr uint32_t kTitleBackground = 0xE0E0E0;  // 0x00BBGGRR

    std::string title;  // when non-empty, a title bar above the text on every page
    std::string text;
    int32_t fontSize = 12;

    void Serialize(CArchive& ar) override;
    bool Prepare(CReportGraphics& graphics, CReportPrintout& printout) override;
    bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band, bool measureOnly,
              int64_t& runningY) override;
    uint64_t ProgressMark() const override { return m_remainder.size(); }

    // The text not drawn yet in this layout pass.
    const std::string& Remainder() const { return m_remainder; }
    CLogFont BodyFont() const;
    CLogFont TitleFont() const;

private:
    std::string m_remainder;
};
