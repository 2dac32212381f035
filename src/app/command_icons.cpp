#include "app/command_icons.h"

#include "app/main_commands.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// One palette for every picture: dark outlines, a blue accent, paper, and the emblem's
// folder yellow.
const QColor kInk(0x2b, 0x3a, 0x4e);
const QColor kBlue(0x2f, 0x6f, 0xb3);
const QColor kLightBlue(0xd6, 0xe6, 0xf7);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kShade(0xe3, 0xe8, 0xee);
const QColor kYellow(0xf4, 0xc4, 0x5a);
const QColor kGreen(0x2e, 0x8b, 0x57);

// Every picture is drawn on a 24-unit square and scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

QPen Outline(qreal width = 1.6, const QColor& color = kInk)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Magnifier(QPainter& p, QPointF centre, qreal radius)
{
    p.setPen(Outline(1.8));
    p.setBrush(kLightBlue);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap));
    const qreal reach = radius * 0.72;
    p.drawLine(QPointF(centre.x() + reach, centre.y() + reach),
               QPointF(centre.x() + radius * 1.75, centre.y() + radius * 1.75));
}

void Sheet(QPainter& p, QRectF rect, const QColor& fill = kPaper)
{
    const qreal fold = 4.5;
    QPainterPath path;
    path.moveTo(rect.left(), rect.top());
    path.lineTo(rect.right() - fold, rect.top());
    path.lineTo(rect.right(), rect.top() + fold);
    path.lineTo(rect.right(), rect.bottom());
    path.lineTo(rect.left(), rect.bottom());
    path.closeSubpath();
    p.setPen(Outline(1.3));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(rect.right() - fold, rect.top()), QPointF(rect.right() - fold, rect.top() + fold));
    p.drawLine(QPointF(rect.right() - fold, rect.top() + fold), QPointF(rect.right(), rect.top() + fold));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 3.0)
{
    p.setPen(QPen(QColor(0x8a, 0x99, 0xab), 1.2, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void DrawSearchCases(QPainter& p)
{
    // A case folder under a magnifier.
    p.setPen(Outline(1.3));
    p.setBrush(kYellow);
    p.drawRoundedRect(QRectF(2.5, 6.5, 14, 11), 1.5, 1.5);
    p.drawRoundedRect(QRectF(2.5, 4.5, 6, 3), 1, 1);
    Magnifier(p, QPointF(14, 13), 5.2);
}

void DrawCut(QPainter& p)
{
    p.setPen(Outline(1.8));
    p.drawLine(QPointF(7, 3), QPointF(15.5, 15));
    p.drawLine(QPointF(17, 3), QPointF(8.5, 15));
    p.setBrush(kLightBlue);
    p.setPen(Outline(1.8, kBlue));
    p.drawEllipse(QPointF(7, 18.5), 3.4, 3.4);
    p.drawEllipse(QPointF(17, 18.5), 3.4, 3.4);
}

void DrawCopy(QPainter& p)
{
    Sheet(p, QRectF(3.5, 2.5, 11, 14), kShade);
    Sheet(p, QRectF(9.5, 7.5, 11, 14));
    TextLines(p, 12, 18, 13, 3);
}

void DrawPaste(QPainter& p)
{
    p.setPen(Outline(1.3));
    p.setBrush(QColor(0xc8, 0x94, 0x5a));
    p.drawRoundedRect(QRectF(3.5, 4, 13, 17), 1.5, 1.5);
    p.setBrush(kShade);
    p.drawRoundedRect(QRectF(7, 2.5, 6, 3.5), 1, 1);
    Sheet(p, QRectF(10.5, 9.5, 10, 12));
    TextLines(p, 12.5, 18, 14.5, 2);
}

void DrawPrinter(QPainter& p, bool withPage)
{
    p.setPen(Outline(1.3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 2.5, 10, 7));
    p.setBrush(kShade);
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 14.5, 10, 7));
    if (withPage)
        TextLines(p, 9, 15, 17, 2, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
}

void DrawPrintPreview(QPainter& p)
{
    Sheet(p, QRectF(3.5, 2.5, 13, 18));
    TextLines(p, 6, 13, 7, 4);
    Magnifier(p, QPointF(14.5, 14.5), 4.3);
}

void DrawAbout(QPainter& p)
{
    p.setPen(Outline(1.2, kBlue.darker(130)));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    QPainterPath mark;
    mark.moveTo(8.8, 9.3);
    mark.cubicTo(8.8, 5.6, 15.4, 5.6, 15.4, 9.2);
    mark.cubicTo(15.4, 11.8, 12, 11.6, 12, 14.4);
    p.setPen(QPen(kPaper, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 17.6), 1.5, 1.5);
}

void DrawLaunchTool(QPainter& p)
{
    // A window with an arrow leaving it.
    p.setPen(Outline(1.3));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2.5, 5.5, 15, 15), 1.5, 1.5);
    p.setBrush(kBlue);
    p.drawRect(QRectF(2.5, 5.5, 15, 3.5));
    p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(9.5, 15.5), QPointF(20, 4));
    p.drawLine(QPointF(13.5, 3.8), QPointF(20.2, 3.8));
    p.drawLine(QPointF(20.2, 3.8), QPointF(20.2, 10.5));
}

// Paging arrows: triangles pointing left or right, with a bar for first and last.
void DrawPaging(QPainter& p, bool right, bool bar)
{
    p.setPen(Outline(1.2, kBlue.darker(130)));
    p.setBrush(kBlue);
    QPainterPath triangle;
    const qreal tip = right ? 17 : 7;
    const qreal base = right ? 8 : 16;
    triangle.moveTo(tip, 12);
    triangle.lineTo(base, 5);
    triangle.lineTo(base, 19);
    triangle.closeSubpath();
    if (bar)
        triangle.translate(right ? -2 : 2, 0);
    p.drawPath(triangle);
    if (bar) {
        p.setPen(Qt::NoPen);
        p.drawRect(right ? QRectF(17, 5, 2.6, 14) : QRectF(4.4, 5, 2.6, 14));
    }
}

void DrawZoom(QPainter& p, bool in)
{
    Magnifier(p, QPointF(10, 10), 7);
    p.setPen(QPen(kInk, 1.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.6, 10), QPointF(13.4, 10));
    if (in)
        p.drawLine(QPointF(10, 6.6), QPointF(10, 13.4));
}

Drawing DrawingOf(int commandId)
{
    switch (commandId) {
    case cmdSearchCases: return DrawSearchCases;
    case cmdEditCut: return DrawCut;
    case cmdEditCopy: return DrawCopy;
    case cmdEditPaste: return DrawPaste;
    case cmdFilePrintPreview: return DrawPrintPreview;
    case cmdFilePrint: return [](QPainter& p) { DrawPrinter(p, true); };
    case cmdAppAbout: return DrawAbout;
    case cmdLaunchTool: return DrawLaunchTool;
    case cmdFirstPage: return [](QPainter& p) { DrawPaging(p, false, true); };
    case cmdPreviousPage: return [](QPainter& p) { DrawPaging(p, false, false); };
    case cmdNextPage: return [](QPainter& p) { DrawPaging(p, true, false); };
    case cmdLastPage: return [](QPainter& p) { DrawPaging(p, true, true); };
    case cmdZoomIn: return [](QPainter& p) { DrawZoom(p, true); };
    case cmdZoomOut: return [](QPainter& p) { DrawZoom(p, false); };
    default: return {};
    }
}

QPixmap Render(const Drawing& drawing, int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    drawing(painter);
    return pixmap;
}

}  // namespace

QIcon CommandIcon(int commandId)
{
    const Drawing drawing = DrawingOf(commandId);
    if (!drawing)
        return {};
    QIcon icon;
    for (int size : {16, 20, 24, 32})
        for (qreal ratio : {1.0, 2.0})
            icon.addPixmap(Render(drawing, size, ratio));
    return icon;
}
