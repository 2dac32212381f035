#pragma once
// The base of every report section, and a valid empty section by itself. A section is
// laid out chunk by chunk: Prepare once per layout pass, Draw once per band until it
// says it is complete, then Finish.

#include "codec/object.h"

#include <cstdint>

class CReportGraphics;
class CReportPrintout;

// A band of a page in page units, edges included as the layout gives them.
struct CPageBand {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    int64_t Height() const { return bottom - top; }
};

class CReportSection : public CObject {
    ORV_DECLARE_SERIAL(CReportSection)
public:
    int32_t orientation = 0;  // 0: the printout's default, 1 portrait, 2 landscape
    int32_t fullPage = 0;     // owns whole pages, without header, footer or margins
    int32_t newPage = 0;      // starts on a new page
    int32_t skip = 0;         // ignored entirely

    void Serialize(CArchive& ar) override;

    // Lays out (and unless measureOnly, draws) the next chunk into the band, starting
    // at its top; adds the height used to runningY; true when the section is complete.
    virtual bool Draw(CReportGraphics& graphics, CReportPrintout& printout, const CPageBand& band,
                      bool measureOnly, int64_t& runningY);
    // Resets the progress before a layout pass; false when there is nothing to show.
    virtual bool Prepare(CReportGraphics& graphics, CReportPrintout& printout);
    virtual void Finish(CReportGraphics& graphics, CReportPrintout& printout);

    // A value that changes whenever Draw consumes part of the section. Layout uses it
    // to recognise a section that cannot make progress even on an empty page.
    virtual uint64_t ProgressMark() const { return 0; }
    // Called when Draw made no progress on an empty page. A section that can print
    // something smaller instead (a note in place of an oversized comment, or one row
    // forced onto the page) arranges for that and returns true; layout then draws it
    // again. False leaves the rest of the section out.
    virtual bool Unstick() { return false; }

    // The orientation the section's pages take under the given default.
    int32_t EffectiveOrientation(int32_t defaultOrientation) const
    {
        return orientation != 0 ? orientation : defaultOrientation;
    }
};
