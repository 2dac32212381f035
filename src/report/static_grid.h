#pragma once
// A grid with an optional title bar, a header row, an optional comment box and data
// rows, drawn page by page: each Draw takes the rows that fit and moves a row cursor.

#include "codec/object.h"
#include "report/data_items.h"
#include "report/header_item.h"
#include "report/report_graphics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CReportGraphics;

class CStaticGrid : public CObject {
    ORV_DECLARE_SERIAL(CStaticGrid)
public:
    // Line-style mask bits (run-time only; every grid starts with all four).
    static constexpr uint32_t kLineUnderRows = 0x1;
    static constexpr uint32_t kColumnLines = 0x2;
    static constexpr uint32_t kBorder = 0x4;
    static constexpr uint32_t kShadeHeader = 0x8;
    static constexpr uint32_t kAllLines = 0xF;

    // Available height that asks Draw for every remaining row, whatever the space.
    static constexpr int64_t kAllRows = -30000;

    static constexpr uint32_t kShadeArgb = 0xFFE0E0E0;
    static constexpr uint32_t kCommentShadowArgb = 0xFF808080;
    static constexpr uint32_t kOverflowBackground = 0xFEFEFE;  // 0x00BBGGRR
    static constexpr const char* kCommentTooLarge = "(ERROR: COMMENT TOO LARGE TO PRINT)";

    std::vector<HeaderItem> columns;
    std::vector<DataItems> rows;
    int32_t shadeTitle = 0;
    int32_t titleHeight = 35;  // 0: no title bar
    int32_t headerHeight = 23;  // 0: no header row
    int32_t rowHeight = 17;
    int32_t titleFontSize = 20;  // points
    int32_t headerFontSize = 12;
    int32_t cellFontSize = 12;
    int32_t titleBold = 1;
    int32_t headerBold = 1;
    int32_t wrapCells = 0;
    std::string title;

    void Serialize(CArchive& ar) override;

    const std::string& GetComment() const { return m_comment; }
    // Sets the stored comment; a grid without rows gets one empty row, so that the
    // comment box has a table body under it.
    void SetComment(std::string comment);
    // The comment that layout prints instead of the stored one, for this layout pass
    // only (see CRptGridSection::Prepare); nullopt prints the stored comment.
    void SetPrintComment(std::optional<std::string> comment) { m_printComment = std::move(comment); }
    const std::string& PrintComment() const { return m_printComment ? *m_printComment : m_comment; }
    // Sets the print comment for a layout pass: tabs become spaces, and a comment that
    // cannot fit in the available height (an empty page body) is replaced by
    // kCommentTooLarge, so that the grid always makes progress on a fresh page.
    void PreparePrintComment(CReportGraphics& graphics, int64_t available);

    // Cells and columns by index; an index beyond the end grows the arrays with
    // default elements. For building grids, not for indices from untrusted input.
    HeaderItem& Column(size_t column);
    DataItem& Cell(size_t row, size_t column);
    // Appends a row of texts, each cell taking its column's alignment.
    void AddRow(const std::vector<std::string>& texts);

    uint32_t GetLineStyle() const { return m_lineStyle; }
    void SetLineStyle(uint32_t mask) { m_lineStyle = mask; }

    // Layout progress.
    void Reset();
    bool HasMoreRows() const { return m_rowCursor < rows.size(); }
    size_t RowCursor() const { return m_rowCursor; }
    bool IsStarted() const { return m_started; }
    // For a grid whose last Draw returned 0 on an empty page: makes the next Draw print
    // something. A comment not yet printed gives way to kCommentTooLarge first; after
    // that the next Draw places one row even where it does not fit. False when no rows
    // are left.
    bool Unstick();

    // The last column's right edge plus 1.
    int64_t GetWidth() const { return RightEdge() + 1; }

    // True when the comment box, a row under it, the title and the header fit in the
    // available height; always true without a comment.
    bool CommentFits(CReportGraphics& graphics, int64_t available) const;

    // Lays out (and unless measureOnly, draws) the next chunk at (x, y) within the
    // available height (kAllRows: every remaining row) and returns the height used;
    // 0 when not even one row fits, in which case nothing is drawn or consumed.
    int64_t Draw(CReportGraphics& graphics, int64_t x, int64_t y, const std::string& titleOverride,
                 int64_t available, bool measureOnly);

protected:
    // The font of the title, header labels and cells for a size field. Report grids give
    // their sizes in points.
    virtual CReportFont GridFont(int32_t size, bool bold) const;

private:
    struct CommentBox {
        int64_t width = 0;  // b
        double height = 0;  // m: the measured comment plus the insets
    };

    int64_t RightEdge() const { return columns.empty() ? 0 : columns.back().rightEdge; }
    // The row height as a divisor: a stored height below 1 counts as 1.
    int64_t RowStep() const { return rowHeight < 1 ? 1 : rowHeight; }
    // The rows a comment box of that height takes, the row under it included.
    int64_t CommentRows(double boxHeight) const;
    CommentBox MeasureComment(CReportGraphics& graphics, const std::string& comment) const;
    void DrawLines(CReportGraphics& graphics, int64_t x, int64_t y, int64_t bodyRows) const;
    void DrawCells(CReportGraphics& graphics, int64_t x, int64_t y, size_t count) const;

    std::string m_comment;
    std::optional<std::string> m_printComment;
    uint32_t m_lineStyle = kAllLines;
    size_t m_rowCursor = 0;
    bool m_started = false;
    bool m_forceRow = false;
};
