#pragma once
// The case list's printout: the list's columns cut into bands that fit the page width,
// each band a CStaticGridOld printed from a new page, under the document title and over
// a footer with the print date and the page number. Built from a plain table, so that
// it lays out and draws without the list widget.
//
// Layout is in page units on a logical page of 800 x 1000 (portrait paper) or
// 1000 x 800 (landscape paper); the printer maps that page onto its printable area.

#include "report/report_graphics.h"
#include "report/static_grid_old.h"

#include <cstdint>
#include <string>
#include <vector>

// One shown column of the list: its header text, its width and its alignment as the
// list has them (1 centred, 2 right-aligned, anything else left-aligned).
struct CListPrintColumn {
    std::string label;
    int32_t width = 0;
    int32_t alignment = 0;
};

// The list as it is shown: the document title, the shown columns left to right and,
// for every item in the list's current order, the texts of the shown columns.
struct CListPrintTable {
    std::string title;
    std::vector<CListPrintColumn> columns;
    std::vector<std::vector<std::string>> rows;
};

class CListPrintout {
public:
    static constexpr int64_t kTitleBandHeight = 20;
    static constexpr double kTitleFontHeight = 16;
    static constexpr double kFooterFontHeight = 10;
    static constexpr int64_t kFooterTopFromBottom = 15;
    static constexpr int64_t kFooterBottomFromBottom = 2;
    static constexpr int64_t kFooterRightInset = 2;
    static constexpr int64_t kBodyTop = 30;
    static constexpr int64_t kBodyBottomMargin = 30;

    // printedOn is the date shown after "Printed on "; by default today's, TodayText().
    explicit CListPrintout(CListPrintTable table, int orientation = 1, std::string printedOn = TodayText());

    // Cuts the columns into bands again for the other paper orientation (1 portrait,
    // 2 landscape).
    void SetOrientation(int orientation);
    int Orientation() const { return m_orientation; }
    int64_t PageWidth() const { return m_orientation == 2 ? 1000 : 800; }
    int64_t PageHeight() const { return m_orientation == 2 ? 800 : 1000; }

    const std::string& Title() const { return m_table.title; }
    const std::vector<CStaticGridOld>& Bands() const { return m_bands; }

    // Target 0 counts the pages, measuring only; a target n >= 1 draws page n. Every
    // call starts from the first band. Returns the page count.
    int LayOutPage(CReportGraphics& graphics, int target);

    std::string FooterDateText() const { return "Printed on " + m_printedOn; }
    static std::string PageText(int page);
    // Today's date in the locale's date format ("%x").
    static std::string TodayText();

private:
    void BuildBands();
    void DrawPageFrame(CReportGraphics& graphics, int page);

    CListPrintTable m_table;
    int m_orientation;
    std::string m_printedOn;
    std::vector<CStaticGridOld> m_bands;
};
