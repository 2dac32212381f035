#include "query/widgets/tree_image_strip.h"

#include "query/inventory_tree_layout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QColor Darker(const QColor& colour)
{
    return colour.darker(150);
}

void Folder(QPainter& p)
{
    const QColor body(0xf5, 0xcd, 0x62);
    p.setPen(QPen(QColor(0xb8, 0x87, 0x2a), 1));
    p.setBrush(body.darker(112));
    p.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1, 1);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(2.5, 5.5), QPointF(13.5, 5.5));
}

void Stack(QPainter& p)
{
    const QColor colours[3] = {QColor(0x9d, 0xb4, 0xd3), QColor(0x7d, 0x9c, 0xc6), QColor(0x4f, 0x78, 0xb0)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(Darker(colours[i]), 1));
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(1.5 + 2 * i, 1.5 + 3 * i, 9, 8), 1, 1);
    }
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(7, 10.5), QPointF(12, 10.5));
    p.drawLine(QPointF(7, 12.5), QPointF(11, 12.5));
}

void Page(QPainter& p, const QColor& band)
{
    p.setPen(QPen(QColor(0x7a, 0x86, 0x96), 1));
    p.setBrush(QColor(0xfb, 0xfc, 0xfe));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(3, 2, 10, 3));
    p.setPen(QPen(QColor(0xa9, 0xb4, 0xc2), 1));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
}

void Unassigned(QPainter& p)
{
    QPen dashed(QColor(0x8a, 0x8f, 0x96), 1, Qt::DashLine);
    dashed.setDashPattern({2, 1.5});
    p.setPen(dashed);
    p.setBrush(QColor(0xf2, 0xf3, 0xf5));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x6b, 0x71, 0x79));
    p.drawText(QRectF(2, 2, 12, 12), Qt::AlignCenter, QStringLiteral("?"));
}

void Grid(QPainter& p)
{
    p.setPen(QPen(QColor(0x5a, 0x6b, 0x80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x7e, 0xc9));
    p.drawRect(QRectF(2, 3, 12, 3));
    p.setPen(QPen(QColor(0xa8, 0xb6, 0xc6), 1));
    p.drawLine(QPointF(2, 8.5), QPointF(14, 8.5));
    p.drawLine(QPointF(2, 10.5), QPointF(14, 10.5));
    p.drawLine(QPointF(6.5, 6), QPointF(6.5, 13));
}

void Person(QPainter& p, const QColor& colour)
{
    p.setPen(QPen(Darker(colour), 1));
    p.setBrush(colour);
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 9.5, 13.5, 9.5, 13.5, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(colour.lighter(125));
    p.drawEllipse(QPointF(8, 5.5), 3.2, 3.2);
}

void Globe(QPainter& p)
{
    QRadialGradient sea(QPointF(6, 6), 9);
    sea.setColorAt(0, QColor(0x7c, 0xc0, 0xf0));
    sea.setColorAt(1, QColor(0x2a, 0x78, 0xc0));
    p.setPen(QPen(QColor(0x1f, 0x5a, 0x92), 1));
    p.setBrush(sea);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 2.8, 6.3);
    p.drawLine(QPointF(1.8, 8), QPointF(14.2, 8));
    p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
    p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
}

void Pin(QPainter& p)
{
    const QColor red(0xd9, 0x4a, 0x3a);
    QPainterPath pin;
    pin.moveTo(8, 15);
    pin.cubicTo(5, 10.5, 3, 8.5, 3, 6);
    pin.arcTo(QRectF(3, 1, 10, 10), 180, -180);
    pin.cubicTo(13, 8.5, 11, 10.5, 8, 15);
    p.setPen(QPen(Darker(red), 1));
    p.setBrush(red);
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 6), 1.9, 1.9);
}

// Draws image `index` in a 16 by 16 unit square.
void DrawImage(QPainter& p, int index)
{
    switch (index) {
    case treeImageRoot: Folder(p); break;
    case treeImageAll: Stack(p); break;
    case treeImageParent: Page(p, QColor(0x2f, 0x62, 0xa8)); break;
    case treeImageUnassigned: Unassigned(p); break;
    case treeImageCaseView: Grid(p); break;
    case treeImageChildGroup0: Person(p, QColor(0xc0, 0x39, 0x2b)); break;
    case treeImageArchiveChild: Person(p, QColor(0x8c, 0x93, 0x9a)); break;
    case treeImageAuditor: Person(p, QColor(0x2e, 0x9e, 0x5b)); break;
    case treeImageBiller: Person(p, QColor(0xd4, 0xa0, 0x17)); break;
    case treeImageExporter: Person(p, QColor(0x16, 0x9c, 0x8c)); break;
    case treeImageChildGroup4: Person(p, QColor(0xe0, 0x7b, 0x24)); break;
    case treeImagePrinter: Person(p, QColor(0x8e, 0x4a, 0xad)); break;
    case treeImageReviewer: Person(p, QColor(0x2d, 0x7d, 0xc4)); break;
    case treeImageScheduler: Person(p, QColor(0x9c, 0x5a, 0x33)); break;
    case treeImageRegion: Globe(p); break;
    case treeImageTerritory: Pin(p); break;
    default: break;
    }
}

QPixmap Rendering(int index, int size, qreal devicePixelRatio = 1.0)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / 16.0, size / 16.0);
    DrawImage(painter, index);
    return pixmap;
}

}  // namespace

QIcon TreeImageIcon(int index)
{
    if (index < 0 || index >= treeImageCount)
        return {};
    QIcon icon;
    icon.addPixmap(Rendering(index, 16));
    icon.addPixmap(Rendering(index, 32));
    // Sharp on screens scaled to 150% and 200%.
    icon.addPixmap(Rendering(index, 16, 2.0));
    icon.addPixmap(Rendering(index, 32, 2.0));
    return icon;
}

QImage TreeImageStrip(int scale)
{
    const int size = 16 * scale;
    QImage strip(size * treeImageCount, size, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int i = 0; i < treeImageCount; ++i)
        painter.drawPixmap(i * size, 0, Rendering(i, size));
    return strip;
}
