#include "report/report_preview_logic.h"

#include "report/report_commands.h"

#include <cstddef>

void CReportPreviewLogic::ShowPrintout(std::vector<int> pageOrientations)
{
    m_orientations = std::move(pageOrientations);
    m_pageCount = static_cast<int32_t>(m_orientations.size());
    m_currentPage = m_pageCount > 0 ? 1 : kNoPage;
    UpdateLayout();
}

// The zoom wraps around at both ends. The steps are taken in 32-bit floats, so from 1.0
// ten steps in land just above 2.0 and four steps out just below 0.6.
void CReportPreviewLogic::ZoomIn()
{
    if (m_zoom >= kZoomHigh)
        m_zoom = kZoomLow;
    else
        m_zoom = m_zoom + kZoomStep;
    UpdateLayout();
}

void CReportPreviewLogic::ZoomOut()
{
    if (m_zoom > kZoomLow)
        m_zoom = m_zoom - kZoomStep;
    else
        m_zoom = kZoomHigh;
    UpdateLayout();
}

void CReportPreviewLogic::NextPage()
{
    if (m_currentPage != kNoPage && m_currentPage < m_pageCount)
        ++m_currentPage;
    UpdateLayout();
}

void CReportPreviewLogic::PreviousPage()
{
    if (m_currentPage >= 2)
        --m_currentPage;
    UpdateLayout();
}

// Without a page shown there is nothing to page through (the commands are disabled
// then); page 1 and the last page exist whenever one is shown.
void CReportPreviewLogic::FirstPage()
{
    if (HasPage())
        m_currentPage = 1;
    UpdateLayout();
}

void CReportPreviewLogic::LastPage()
{
    if (HasPage())
        m_currentPage = m_pageCount;
    UpdateLayout();
}

bool CReportPreviewLogic::IsEnabled(int commandId) const
{
    switch (commandId) {
    case ReportCommand::print:
    case ReportCommand::printDirect:
        return true;
    case ReportCommand::zoomIn:
    case ReportCommand::zoomOut:
    case ReportCommand::firstPage:
    case ReportCommand::lastPage:
        return HasPage();
    case ReportCommand::nextPage:
        return HasPage() && m_currentPage != m_pageCount;
    case ReportCommand::previousPage:
        return m_currentPage > 1;
    default:
        return false;
    }
}

bool CReportPreviewLogic::Run(int commandId)
{
    switch (commandId) {
    case ReportCommand::zoomIn: ZoomIn(); return true;
    case ReportCommand::zoomOut: ZoomOut(); return true;
    case ReportCommand::nextPage: NextPage(); return true;
    case ReportCommand::previousPage: PreviousPage(); return true;
    case ReportCommand::firstPage: FirstPage(); return true;
    case ReportCommand::lastPage: LastPage(); return true;
    default: return false;
    }
}

void CReportPreviewLogic::UpdateLayout()
{
    const bool landscape = m_currentPage >= 1 && m_currentPage <= m_pageCount &&
                           m_orientations[static_cast<std::size_t>(m_currentPage - 1)] == 2;
    m_pageWidth = landscape ? 1000 : 800;
    m_pageHeight = landscape ? 800 : 1000;
    m_marginX = landscape ? 50 : 25;
    m_marginY = landscape ? 25 : 50;
}

CReportPreviewLogic::Desk CReportPreviewLogic::DeskGeometry() const
{
    Desk desk;
    const int32_t w = static_cast<int32_t>(static_cast<float>(SheetWidth()) * m_zoom + 2);
    const int32_t h = static_cast<int32_t>(static_cast<float>(SheetHeight()) * m_zoom);
    const int32_t x = m_deskX;
    const int32_t y = m_deskY;
    desk.sheetWidth = w;
    desk.sheetHeight = h;
    desk.frameLeft = x - 1;
    desk.frameTop = y - 1;
    desk.frameWidth = w;
    desk.frameHeight = h + 2;
    desk.rightShadowX = x + w + 1;
    desk.rightShadowTop = y + 2;
    desk.rightShadowBottom = y + h + 3;
    desk.bottomShadowY = y + h + 3;
    desk.bottomShadowLeft = x + 2;
    desk.bottomShadowRight = x + w + 1;
    desk.paperLeft = x;
    desk.paperTop = y;
    desk.paperWidth = w - 1;
    desk.paperHeight = h + 1;
    return desk;
}

CReportPreviewLogic::PixelSize CReportPreviewLogic::ScrollSize(double dotsPerInchX, double dotsPerInchY) const
{
    const float width = static_cast<float>(SheetWidth()) * m_zoom + static_cast<float>(2 * m_deskX + 3);
    const float height = static_cast<float>(SheetHeight()) * m_zoom + static_cast<float>(2 * m_deskY + 3);
    return {static_cast<int>(width * dotsPerInchX * 0.01), static_cast<int>(height * dotsPerInchY * 0.01)};
}
