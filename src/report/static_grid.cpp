#include "report/static_grid.h"

#include "codec/archive.h"
#include "report/report_graphics.h"
#include "report/text_format.h"

#include <algorithm>
#include <cmath>

ORV_IMPLEMENT_SERIAL(CStaticGrid, kRecordSchema, true)

namespace {

// The comment box font: Arial, -12, regular, italic.
CReportFont CommentFont()
{
    return CLogFont{"Arial", -12, 400, true}.ToFont();
}

constexpr int64_t kCommentMinWidth = 160;
constexpr int64_t kCommentInset = 5;
constexpr int64_t kCommentShadow = 4;

}  // namespace

void CStaticGrid::Serialize(CArchive& ar)
{
    ar.RecordArray(columns);
    ar.RecordArray(rows);
    ar.Int32(shadeTitle);
    ar.Int32(titleHeight);
    ar.Int32(headerHeight);
    ar.Int32(rowHeight);
    ar.Int32(titleFontSize);
    ar.Int32(headerFontSize);
    ar.Int32(cellFontSize);
    ar.Int32(titleBold);
    ar.Int32(headerBold);
    ar.Int32(wrapCells);
    ar.String(title);
    ar.String(m_comment);
}

CReportFont CStaticGrid::GridFont(int32_t size, bool bold) const
{
    return CReportFont::FromPoints("Arial", size, bold);
}

void CStaticGrid::SetComment(std::string comment)
{
    m_comment = std::move(comment);
    if (rows.empty())
        rows.emplace_back();
}

HeaderItem& CStaticGrid::Column(size_t column)
{
    if (column >= columns.size())
        columns.resize(column + 1);
    return columns[column];
}

DataItem& CStaticGrid::Cell(size_t row, size_t column)
{
    if (row >= rows.size())
        rows.resize(row + 1);
    auto& cells = rows[row].cells;
    if (column >= cells.size())
        cells.resize(column + 1);
    if (column >= columns.size())
        columns.resize(column + 1);
    return cells[column];
}

void CStaticGrid::AddRow(const std::vector<std::string>& texts)
{
    DataItems row;
    for (size_t i = 0; i < texts.size(); ++i) {
        DataItem cell;
        cell.text = texts[i];
        cell.alignment = i < columns.size() ? columns[i].alignment : 0;
        row.cells.push_back(std::move(cell));
    }
    rows.push_back(std::move(row));
}

void CStaticGrid::Reset()
{
    m_rowCursor = 0;
    m_started = false;
    m_forceRow = false;
}

bool CStaticGrid::Unstick()
{
    if (!HasMoreRows())
        return false;
    if (!m_started && !PrintComment().empty() && PrintComment() != kCommentTooLarge) {
        m_printComment = kCommentTooLarge;
        return true;
    }
    m_forceRow = true;
    return true;
}

CStaticGrid::CommentBox CStaticGrid::MeasureComment(CReportGraphics& graphics, const std::string& comment) const
{
    CommentBox box;
    box.width = std::max(GetWidth() * 3 / 4, kCommentMinWidth);
    CReportRect measured;
    DrawText(graphics, comment, {0, 0, static_cast<double>(box.width - 2 * kCommentInset), 1000}, 0, 0,
             CommentFont(), std::nullopt, std::nullopt, &measured);
    box.height = measured.Height() + 2 * kCommentInset;
    return box;
}

int64_t CStaticGrid::CommentRows(double boxHeight) const
{
    // The measured height is finite and at most the 1000-unit measuring rectangle.
    return static_cast<int64_t>(std::floor((boxHeight + 20) / static_cast<double>(RowStep()))) + 1;
}

void CStaticGrid::PreparePrintComment(CReportGraphics& graphics, int64_t available)
{
    std::string comment = m_comment;
    std::replace(comment.begin(), comment.end(), '\t', ' ');
    m_printComment = std::move(comment);
    if (!m_printComment->empty() && !CommentFits(graphics, available))
        m_printComment = kCommentTooLarge;
}

bool CStaticGrid::CommentFits(CReportGraphics& graphics, int64_t available) const
{
    const std::string& comment = PrintComment();
    if (comment.empty())
        return true;
    const double m = MeasureComment(graphics, comment).height;
    const int64_t needed = RowStep() * (CommentRows(m) + 1) + headerHeight + titleHeight + 1;
    return needed < available;
}

int64_t CStaticGrid::Draw(CReportGraphics& graphics, int64_t x, int64_t y, const std::string& titleOverride,
                          int64_t available, bool measureOnly)
{
    const int64_t rh = RowStep();
    const int64_t th = titleHeight;
    const int64_t hh = headerHeight;

    // 1. The comment box takes whole rows under the header on the first chunk only.
    const std::string& comment = PrintComment();
    CommentBox box;
    int64_t commentRows = 0;
    if (!m_started && !comment.empty()) {
        box = MeasureComment(graphics, comment);
        commentRows = CommentRows(box.height);
    }

    // 2. The rows that fit.
    const int64_t rowsLeft = static_cast<int64_t>(rows.size() - std::min(m_rowCursor, rows.size()));
    int64_t bodyRows = rowsLeft;
    if (available != kAllRows) {
        const int64_t room = available - (commentRows * rh + th + hh + 1);
        if (rh < room)
            bodyRows = std::min(room / rh, rowsLeft);
        else if (m_forceRow)
            bodyRows = std::min<int64_t>(1, rowsLeft);
        else
            return 0;
    }
    m_forceRow = false;

    // 3.
    m_started = true;
    const int64_t used = rh * (bodyRows + commentRows) + hh + th + 1;
    if (measureOnly) {
        m_rowCursor += static_cast<size_t>(bodyRows);
        return used;
    }

    const double right = static_cast<double>(RightEdge());
    const auto fx = static_cast<double>(x);

    // 4. Title bar.
    if (th > 0) {
        const auto fy = static_cast<double>(y);
        if (shadeTitle) {
            graphics.FillRect(CReportRect::FromSize(fx, fy, right, static_cast<double>(th)), kShadeArgb);
            if (m_lineStyle & kBorder) {
                graphics.DrawLine(fx, fy, fx + right, fy, kBlack);
                graphics.DrawLine(fx, fy, fx, fy + th, kBlack);
                graphics.DrawLine(fx + right, fy, fx + right, fy + th, kBlack);
            }
        }
        const std::string& text = titleOverride.empty() ? title : titleOverride;
        DrawText(graphics, text, {fx, fy, fx + GetWidth(), fy + th}, 0, TextFormat::kCentred,
                 GridFont(titleFontSize, titleBold != 0), std::nullopt, std::nullopt);
        y += th;
    }

    // 5. A shaded header row stands in for a missing title bar.
    if ((m_lineStyle & kShadeHeader) && th == 0 && hh > 0)
        graphics.FillRect(CReportRect::FromSize(fx, static_cast<double>(y), right, static_cast<double>(hh + 1)),
                          kShadeArgb);

    // 6.
    DrawLines(graphics, x, y, bodyRows + commentRows);

    // 7. Header labels.
    if (hh > 0) {
        const CReportFont font = GridFont(headerFontSize, headerBold != 0);
        int64_t left = 0;
        for (const HeaderItem& column : columns) {
            const CReportRect rect{fx + left + 2, static_cast<double>(y), fx + column.rightEdge - 2,
                                   static_cast<double>(y + hh)};
            DrawText(graphics, column.label, rect, 0, TextFormat::kCentred, font, std::nullopt, std::nullopt);
            left = column.rightEdge;
        }
        y += hh;
    }

    // 8. Comment box with its shadow.
    if (commentRows > 0) {
        const double bx = fx + static_cast<double>((GetWidth() - box.width) / 2);
        const double by = static_cast<double>(y + 5);
        const auto bw = static_cast<double>(box.width);
        const double bh = box.height;
        const CReportRect frame = CReportRect::FromSize(bx, by, bw, bh);
        graphics.FillRect(frame, 0xFFFFFFFF);
        graphics.FrameRect(frame, kBlack);
        graphics.FillRect(CReportRect::FromSize(frame.right, by + kCommentShadow, kCommentShadow, bh),
                          kCommentShadowArgb);
        graphics.FillRect(CReportRect::FromSize(bx + kCommentShadow, frame.bottom, bw - kCommentShadow,
                                                kCommentShadow),
                          kCommentShadowArgb);
        const CReportRect inner{frame.left + kCommentInset, frame.top + kCommentInset,
                                frame.right - kCommentInset, frame.bottom - kCommentInset};
        DrawText(graphics, comment, inner, 0, 0, CommentFont(), std::nullopt, std::nullopt);
        y += commentRows * rh;
    }

    // 9, 10.
    DrawCells(graphics, x, y, static_cast<size_t>(bodyRows));
    m_rowCursor += static_cast<size_t>(bodyRows);
    return used;
}

void CStaticGrid::DrawLines(CReportGraphics& graphics, int64_t x, int64_t y, int64_t bodyRows) const
{
    const int64_t rh = RowStep();
    const int64_t hh = headerHeight;
    const int64_t total = rh * bodyRows + hh;  // T
    const auto fx = static_cast<double>(x);
    const double right = fx + static_cast<double>(RightEdge());
    auto across = [&](int64_t at) {
        graphics.DrawLine(fx, static_cast<double>(at), right, static_cast<double>(at), kBlack);
    };

    if (hh > 0 && (m_lineStyle & kBorder))
        across(y);
    if (hh > 0 || titleHeight > 0 || (m_lineStyle & kLineUnderRows))
        across(y + hh);
    if (m_lineStyle & kLineUnderRows)
        for (int64_t k = 1; k < bodyRows; ++k)
            across(y + hh + k * rh);
    if (m_lineStyle & kBorder) {
        across(y + total);
        graphics.DrawLine(fx, static_cast<double>(y), fx, static_cast<double>(y + total), kBlack);
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        const double at = fx + columns[i].rightEdge;
        const bool last = i + 1 == columns.size();
        if (columns[i].style & HeaderItem::kThickRightLine)
            graphics.DrawLine(at, static_cast<double>(y + 1), at, static_cast<double>(y + total), kBlack, 2);
        else if ((m_lineStyle & kColumnLines) || (last && (m_lineStyle & kBorder)))
            graphics.DrawLine(at, static_cast<double>(y), at, static_cast<double>(y + total), kBlack);
    }
}

void CStaticGrid::DrawCells(CReportGraphics& graphics, int64_t x, int64_t y, size_t count) const
{
    const int64_t rh = RowStep();
    const unsigned lineMode = wrapCells ? TextFormat::kWordBreak : TextFormat::kSingleLine;
    const CReportFont regular = GridFont(cellFontSize, false);
    const CReportFont bold = GridFont(cellFontSize, true);
    const auto fx = static_cast<double>(x);
    for (size_t i = 0; i < count && m_rowCursor + i < rows.size(); ++i) {
        const auto& cells = rows[m_rowCursor + i].cells;
        const auto top = static_cast<double>(y + static_cast<int64_t>(i) * rh);
        int64_t left = 0;
        for (size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
            const DataItem& cell = cells[c];
            const int64_t rightEdge = columns[c].rightEdge;
            const CReportRect rect{fx + left + 2, top + 2, fx + rightEdge - 2, top + rh - 2};
            left = rightEdge;
            if (cell.text.empty())
                continue;
            unsigned format = static_cast<unsigned>(cell.alignment) | lineMode | TextFormat::kMiddle;
            if (cell.overflow)
                format |= TextFormat::kNoClip;
            DrawText(graphics, cell.text, rect, 0, format, cell.bold ? bold : regular, std::nullopt,
                     cell.overflow ? std::optional<uint32_t>(kOverflowBackground) : std::nullopt);
        }
    }
}
