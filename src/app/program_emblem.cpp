#include "app/program_emblem.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ProgramEmblem(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    QLinearGradient tile(0, 0, 0, 48);
    tile.setColorAt(0, QColor(0x2f, 0x5f, 0x9e));
    tile.setColorAt(1, QColor(0x1b, 0x3a, 0x66));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    painter.setBrush(QColor(0xf4, 0xc4, 0x5a));
    painter.drawRoundedRect(QRectF(9, 14, 30, 22), 2, 2);
    painter.drawRoundedRect(QRectF(9, 11, 12, 6), 2, 2);
    painter.setPen(QPen(QColor(0x1b, 0x3a, 0x66), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(17, 25);
    tick.lineTo(22, 30);
    tick.lineTo(31, 20);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(ProgramEmblem(size));
    return icon;
}
