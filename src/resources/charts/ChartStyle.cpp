#include "ChartStyle.h"

#include "controls/ui/PictureFont.h"

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

QPainterPath rootPath(const QFont& font, const QRectF& box, const QString& root)
{
    QPainterPath glyph;
    glyph.addText(0, 0, font, root);
    const QRectF ink = glyph.boundingRect();
    if (ink.isEmpty()) {
        return {};
    }
    // Component forms (钅 纟 扌 亻...) are drawn small and to one side of
    // their em square, and a root the font lacks comes from another font
    // with other metrics. Every root is therefore scaled by its ink: its
    // longer side becomes that of a full character, within limits that keep
    // dots and dashes small, and its ink is centred in the box, so all roots
    // of a row stand at one size on one middle line.
    const qreal full = font.pixelSize() * 0.86;
    const qreal scale = qBound<qreal>(0.8, full / qMax(ink.width(), ink.height()), 1.5);
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-ink.center().x(), -ink.center().y());
    return place.map(glyph);
}

void drawRoot(QPainter& p, const QRectF& box, const QString& root)
{
    const QColor colour = p.pen().color();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(rootPath(p.font(), box, root));
    p.restore();
}

} // namespace tesmara::charts
