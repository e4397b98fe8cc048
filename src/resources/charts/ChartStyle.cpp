#include "ChartStyle.h"

#include "controls/ui/PictureFont.h"
#include "wubi/WubiKeys.h"

#include <QPainter>
#include <QPainterPath>

#include <cstring>

namespace tesmara::charts {

int zoneOf(char key)
{
    for (int z = 0; z < 5; ++z) {
        if (std::strchr(kZoneKeys[z], key)) {
            return z + 1;
        }
    }
    return 0;
}

int zoneCode(char key)
{
    const int zone = zoneOf(key);
    if (zone == 0) {
        return 0;
    }
    return zone * 10 + int(std::strchr(kZoneKeys[zone - 1], key) - kZoneKeys[zone - 1]) + 1;
}

QColor background()
{
    return QColor(200, 230, 247);
}

QColor ink()
{
    return QColor(0x14, 0x35, 0x52);
}

QColor softInk()
{
    return QColor(0x4A, 0x66, 0x80);
}

QColor zoneFace(int zone)
{
    static const QColor faces[6] = {QColor(236, 240, 244), QColor(255, 226, 222), QColor(222, 244, 218),
                                    QColor(255, 240, 204), QColor(232, 224, 250), QColor(214, 240, 246)};
    return faces[zone >= 0 && zone <= 5 ? zone : 0];
}

QColor zoneEdge(int zone)
{
    static const QColor edges[6] = {QColor(150, 162, 176), QColor(206, 96, 84),  QColor(78, 156, 70),
                                    QColor(204, 146, 30),  QColor(128, 98, 196), QColor(40, 146, 170)};
    return edges[zone >= 0 && zone <= 5 ? zone : 0];
}

QFont chartFont(int pixelSize, bool bold)
{
    return pictureFont(pixelSize, bold);
}

void drawRoot(QPainter& p, const QRectF& box, char16_t root)
{
    if (root != wubi::kUnnamedRoot) {
        p.drawText(box, Qt::AlignCenter, QString(QChar(root)));
        return;
    }
    // Three bars, the lowest the longest, with a stem from above the first
    // bar down to the last, drawn in the current pen colour.
    const qreal s = p.font().pixelSize() * 0.78;
    const QPointF c = box.center();
    const qreal left = c.x() - s / 2;
    const qreal top = c.y() - s / 2;
    QPainterPath path;
    path.moveTo(left + s * 0.18, top + s * 0.22);
    path.lineTo(left + s * 0.82, top + s * 0.22);
    path.moveTo(left + s * 0.22, top + s * 0.52);
    path.lineTo(left + s * 0.78, top + s * 0.52);
    path.moveTo(left + s * 0.04, top + s * 0.86);
    path.lineTo(left + s * 0.96, top + s * 0.86);
    path.moveTo(left + s * 0.5, top + s * 0.0);
    path.lineTo(left + s * 0.5, top + s * 0.86);
    p.save();
    QPen pen(p.pen().color(), qMax<qreal>(1.2, s / 11.0));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

} // namespace tesmara::charts
