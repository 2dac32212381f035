#include "report/rpt_double_grid_section.h"

#include "codec/archive.h"
#include "report/report_graphics.h"
#include "report/report_printout.h"

#include <algorithm>

ORV_IMPLEMENT_SERIAL(CRptDoubleGridSection, kRecordSchema, true)

void CRptDoubleGridSection::Serialize(CArchive& ar)
{
    CReportSection::Serialize(ar);
    ar.ObjectOf(left);
    ar.ObjectOf(right);
    ar.Int32(leftAreaRight);
    ar.Int32(rightGridX);
}

bool CRptDoubleGridSection::Prepare(CReportGraphics& graphics, CReportPrintout& printout)
{
    if (!left || !right)
        return false;
    left->Reset();
    right->Reset();
    left->PreparePrintComment(graphics, printout.BodyHeight());
    right->PreparePrintComment(graphics, printout.BodyHeight());
    return true;
}

bool CRptDoubleGridSection::Draw(CReportGraphics& graphics, CReportPrintout&, const CPageBand& band, bool measureOnly,
                                 int64_t& runningY)
{
    const int64_t available = band.Height();
    const int64_t hL =
        left->HasMoreRows() ? left->Draw(graphics, band.left, band.top, "", available, measureOnly) : 0;
    const int64_t hR =
        right->HasMoreRows() ? right->Draw(graphics, rightGridX, band.top, "", available, measureOnly) : 0;
    if (!measureOnly) {
        const auto top = static_cast<double>(band.top);
        CReportRect filler;
        if (hR < hL)
            filler = CReportRect::FromSize(rightGridX, top + hR, static_cast<double>(band.right - rightGridX),
                                           static_cast<double>(hL - hR - 1));
        else if (hL < hR)
            filler = CReportRect::FromSize(static_cast<double>(band.left), top + hL,
                                           static_cast<double>(leftAreaRight - band.left - 1),
                                           static_cast<double>(hR - hL - 1));
        if (hL != hR) {
            graphics.FillRect(filler, kFillerArgb);
            graphics.FrameRect(filler, kBlack);
        }
    }
    runningY += std::max(hL, hR);
    return !left->HasMoreRows() && !right->HasMoreRows();
}

uint64_t CRptDoubleGridSection::ProgressMark() const
{
    return (left ? left->RowCursor() : 0) + (right ? right->RowCursor() : 0);
}

bool CRptDoubleGridSection::Unstick()
{
    const bool l = left && left->Unstick();
    const bool r = right && right->Unstick();
    return l || r;
}
