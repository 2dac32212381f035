#include "report/widgets/preview_icons.h"

#include "report/report_commands.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

constexpr int kSize = 16;

QPainterPath Triangle(double tipX, double baseX)
{
    QPainterPath path;
    path.moveTo(tipX, 8);
    path.lineTo(baseX, 3);
    path.lineTo(baseX, 13);
    path.closeSubpath();
    return path;
}

// Drawn once for ordinary screens and once at twice the pixels, so that the buttons stay
// sharp on a screen scaled to 200%.
QIcon Draw(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(kSize, kSize) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x20, 0x20, 0x20));
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon Magnifier(bool plus)
{
    return Draw([plus](QPainter& painter) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
        painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
        painter.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        if (plus)
            painter.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    });
}

}  // namespace

QIcon PreviewIcon(int commandId)
{
    switch (commandId) {
    case ReportCommand::firstPage:
        return Draw([](QPainter& p) {
            p.drawRect(QRectF(2, 3, 2, 10));
            p.drawPath(Triangle(5, 13));
        });
    case ReportCommand::previousPage:
        return Draw([](QPainter& p) { p.drawPath(Triangle(4, 12)); });
    case ReportCommand::nextPage:
        return Draw([](QPainter& p) { p.drawPath(Triangle(12, 4)); });
    case ReportCommand::lastPage:
        return Draw([](QPainter& p) {
            p.drawPath(Triangle(11, 3));
            p.drawRect(QRectF(12, 3, 2, 10));
        });
    case ReportCommand::zoomIn:
        return Magnifier(true);
    case ReportCommand::zoomOut:
        return Magnifier(false);
    default:
        return {};
    }
}
