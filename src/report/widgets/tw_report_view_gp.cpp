#include "report/widgets/tw_report_view_gp.h"

#include "report/painter_graphics.h"
#include "report/report_commands.h"
#include "report/report_printer.h"
#include "report/report_printout.h"
#include "report/widgets/preview_icons.h"

#include <QAction>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr QRgb kDeskColour = 0xFF808080;

// The commands with an action, in toolbar order after Print.
constexpr int kActionCommands[] = {ReportCommand::print,        ReportCommand::firstPage, ReportCommand::previousPage,
                                   ReportCommand::nextPage,     ReportCommand::lastPage,  ReportCommand::zoomIn,
                                   ReportCommand::zoomOut};

// The scroll bar over a total length in pixels, with the steps scrolled views take by
// default: a tenth of the total a page, a tenth of that a line.
void SetUpScrollBar(QScrollBar& bar, int total, int visible)
{
    bar.setRange(0, std::max(0, total - visible));
    const int page = std::max(1, total / 10);
    bar.setPageStep(page);
    bar.setSingleStep(std::max(1, page / 10));
}

}  // namespace

CTWReportViewGP::CTWReportViewGP(QWidget* parent)
    : QAbstractScrollArea(parent), m_printout(std::make_shared<CReportPrintout>()), m_print(&Print)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    CreateActions();
    UpdateLayout();
}

CTWReportViewGP::~CTWReportViewGP() = default;

void CTWReportViewGP::CreateActions()
{
    for (int id : kActionCommands) {
        auto* action = new QAction(QString::fromLatin1(ReportCommand::MenuText(id)), this);
        action->setData(id);
        action->setIcon(PreviewIcon(id));
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[id] = action;
    }
}

QAction* CTWReportViewGP::Action(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CTWReportViewGP::AddPreviewButtons(QToolBar& toolBar) const
{
    toolBar.addAction(Action(ReportCommand::firstPage));
    toolBar.addAction(Action(ReportCommand::previousPage));
    toolBar.addAction(Action(ReportCommand::nextPage));
    toolBar.addAction(Action(ReportCommand::lastPage));
    toolBar.addSeparator();
    toolBar.addAction(Action(ReportCommand::zoomIn));
    toolBar.addAction(Action(ReportCommand::zoomOut));
}

void CTWReportViewGP::SetPrintout(std::shared_ptr<CReportPrintout> printout)
{
    m_printout = printout ? std::move(printout) : std::make_shared<CReportPrintout>();
    m_printout->ClearPageOrientations();
    CPainterGraphics measuring;
    m_printout->LayOutPage(measuring, 0);
    m_logic.ShowPrintout(m_printout->PageOrientations());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateLayout();
}

bool CTWReportViewGP::RunCommand(int commandId)
{
    if (!m_logic.IsEnabled(commandId))
        return false;
    if (commandId == ReportCommand::print || commandId == ReportCommand::printDirect) {
        if (PrintReport(commandId == ReportCommand::printDirect) == ReportPrint::kFailed)
            emit printFailed();
        return true;
    }
    if (!m_logic.Run(commandId))
        return false;
    UpdateLayout();
    return true;
}

int CTWReportViewGP::PrintReport(bool direct)
{
    CPrintRequest request;
    request.documentName = m_documentName.empty() ? ReportCommand::kDefaultDocumentName : m_documentName;
    request.silent = direct;
    request.useCommandLinePrinter = direct;
    request.copies = direct ? 1 : 0;
    return m_print(*m_printout, request, this);
}

void CTWReportViewGP::UpdateLayout()
{
    const CReportPreviewLogic::PixelSize size = m_logic.ScrollSize(logicalDpiX(), logicalDpiY());
    SetUpScrollBar(*horizontalScrollBar(), size.width, viewport()->width());
    SetUpScrollBar(*verticalScrollBar(), size.height, viewport()->height());
    for (const auto& [id, action] : m_actions)
        action->setEnabled(m_logic.IsEnabled(id));
    viewport()->update();
    emit previewChanged();
}

void CTWReportViewGP::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const CReportPreviewLogic::PixelSize size = m_logic.ScrollSize(logicalDpiX(), logicalDpiY());
    SetUpScrollBar(*horizontalScrollBar(), size.width, viewport()->width());
    SetUpScrollBar(*verticalScrollBar(), size.height, viewport()->height());
}

void CTWReportViewGP::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor::fromRgb(kDeskColour));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);

    // One unit is a hundredth of an inch; the desk scrolls in pixels.
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.scale(logicalDpiX() / 100.0, logicalDpiY() / 100.0);

    const CReportPreviewLogic::Desk desk = m_logic.DeskGeometry();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(desk.frameLeft, desk.frameTop, desk.frameWidth, desk.frameHeight));
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(desk.rightShadowX, desk.rightShadowTop),
                     QPointF(desk.rightShadowX, desk.rightShadowBottom));
    painter.drawLine(QPointF(desk.bottomShadowLeft, desk.bottomShadowY),
                     QPointF(desk.bottomShadowRight, desk.bottomShadowY));
    painter.fillRect(QRectF(desk.paperLeft, desk.paperTop, desk.paperWidth, desk.paperHeight), Qt::white);

    if (!m_logic.HasPage())
        return;
    painter.translate(m_logic.DeskOffsetX(), m_logic.DeskOffsetY());
    painter.scale(m_logic.Zoom(), m_logic.Zoom());
    painter.translate(m_logic.MarginX(), m_logic.MarginY());
    painter.setPen(Qt::black);
    CPainterGraphics graphics(&painter);
    m_printout->LayOutPage(graphics, m_logic.CurrentPage());
}
