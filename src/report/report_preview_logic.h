#pragma once
// The state of the report preview: which page is shown, the zoom, the page and sheet
// geometry of the shown page, and which paging and zoom commands are enabled. No
// drawing; the preview widget maps it to the window.
//
// All lengths are in page units (hundredths of an inch).

#include <cstdint>
#include <vector>

class CReportPreviewLogic {
public:
    static constexpr int32_t kNoPage = -1;
    static constexpr float kZoomLow = 0.6f;
    static constexpr float kZoomHigh = 2.0f;
    static constexpr float kZoomStep = 0.1f;

    // The rectangles of the desk drawing: the sheet's frame, its shadow lines and the
    // white paper, at the zoom.
    struct Desk {
        int32_t sheetWidth = 0;   // w: the zoomed sheet width + 2, cut to an integer
        int32_t sheetHeight = 0;  // h: the zoomed sheet height, cut to an integer
        int32_t frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
        int32_t rightShadowX = 0, rightShadowTop = 0, rightShadowBottom = 0;
        int32_t bottomShadowY = 0, bottomShadowLeft = 0, bottomShadowRight = 0;
        int32_t paperLeft = 0, paperTop = 0, paperWidth = 0, paperHeight = 0;
    };

    struct PixelSize {
        int width = 0;
        int height = 0;
    };

    // A newly paginated printout: its page orientations, one per page (1 portrait,
    // 2 landscape). Page 1 is shown; with no pages none is.
    void ShowPrintout(std::vector<int> pageOrientations);

    int32_t CurrentPage() const { return m_currentPage; }
    int32_t PageCount() const { return m_pageCount; }
    bool HasPage() const { return m_currentPage != kNoPage; }
    float Zoom() const { return m_zoom; }

    void ZoomIn();
    void ZoomOut();
    void NextPage();
    void PreviousPage();
    void FirstPage();
    void LastPage();

    // The enabling rule of a command of the report menu (ReportCommand ids); commands
    // the preview does not know are disabled.
    bool IsEnabled(int commandId) const;
    // Carries out a paging or zoom command; false for other ids.
    bool Run(int commandId);

    // The shown page's geometry.
    int32_t PageWidth() const { return m_pageWidth; }
    int32_t PageHeight() const { return m_pageHeight; }
    int32_t MarginX() const { return m_marginX; }
    int32_t MarginY() const { return m_marginY; }
    int32_t DeskOffsetX() const { return m_deskX; }
    int32_t DeskOffsetY() const { return m_deskY; }
    int32_t SheetWidth() const { return m_pageWidth + 2 * m_marginX; }
    int32_t SheetHeight() const { return m_pageHeight + 2 * m_marginY; }

    Desk DeskGeometry() const;
    // The scrolled area in pixels at the screen's resolution.
    PixelSize ScrollSize(double dotsPerInchX, double dotsPerInchY) const;

private:
    void UpdateLayout();

    std::vector<int> m_orientations;
    int32_t m_currentPage = kNoPage;
    int32_t m_pageCount = 0;
    int32_t m_pageWidth = 800;
    int32_t m_pageHeight = 1000;
    int32_t m_marginX = 25;
    int32_t m_marginY = 50;
    int32_t m_deskX = 10;
    int32_t m_deskY = 10;
    float m_zoom = 1.0f;
};
