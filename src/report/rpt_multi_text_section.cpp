#include "report/rpt_multi_text_section.h"

#include "codec/archive.h"
#include "report/text_format.h"

#include <algorithm>
#include <limits>

ORV_IMPLEMENT_SERIAL(CRptMultiTextSection, kRecordSchema, true)

void CRptMultiTextSection::Serialize(CArchive& ar)
{
    CReportSection::Serialize(ar);
    ar.String(title);
    ar.String(text);
    ar.Int32(fontSize);
}

CLogFont CRptMultiTextSection::BodyFont() const
{
    // The height is minus the size; the one size without a negative stays positive.
    const int32_t height = fontSize == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max()
                                                                          : -fontSize;
    return {"Arial", height, 400, false};
}

CLogFont CRptMultiTextSection::TitleFont() const
{
    CLogFont font = BodyFont();
    font.weight = 700;
    return font;
}

bool CRptMultiTextSection::Prepare(CReportGraphics&, CReportPrintout&)
{
    m_remainder = text;
    std::replace(m_remainder.begin(), m_remainder.end(), '\t', ' ');
    return !text.empty();
}

bool CRptMultiTextSection::Draw(CReportGraphics& graphics, CReportPrintout&, const CPageBand& band, bool measureOnly,
                                int64_t& runningY)
{
    if (band.Height() < kMinBandHeight)
        return false;

    const int64_t c = title.empty() ? 0 : kTitleHeight;
    const auto left = static_cast<double>(band.left);
    const auto top = static_cast<double>(band.top);
    const auto right = static_cast<double>(band.right);
    const CReportRect textRect{left + 8, top + c + 2, right - 8, static_cast<double>(band.bottom) - 2};
    const CLogFont body = BodyFont();

    CReportRect measured;
    int fitted = 0;
    DrawTextWithLogFont(graphics, m_remainder, textRect, 0, 0, &body, std::nullopt, std::nullopt, &measured,
                        &fitted);
    const auto h = static_cast<int64_t>(measured.Height());

    if (!measureOnly) {
        if (c > 0) {
            const CLogFont bold = TitleFont();
            DrawTextWithLogFont(graphics, title, {left, top, right, top + c}, 0, TextFormat::kCentred, &bold,
                                std::nullopt, kTitleBackground);
            graphics.FrameRect(CReportRect::FromSize(left, top, right - left, static_cast<double>(h + c + 8)),
                               kBlack);
        }
        DrawTextWithLogFont(graphics, m_remainder, textRect, 0, 0, &body, std::nullopt, std::nullopt);
        if (c > 0)
            graphics.DrawLine(left, top + c, right, top + c, kBlack);
    }

    m_remainder.erase(0, std::min<size_t>(static_cast<size_t>(std::max(fitted, 0)), m_remainder.size()));
    runningY += h + c + 8;
    return m_remainder.empty();
}
