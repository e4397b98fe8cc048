#include "GamePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>

namespace tesmara::gamepics {

namespace {

using namespace palette;

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// Open water darkening with depth away from the quay, with broad soft
// patches so it never looks flat.
void drawDepth(QPainter& p, const QRect& area, QRandomGenerator& rng)
{
    QLinearGradient depth(0, area.top(), 0, area.bottom());
    depth.setColorAt(0, kDeep);
    depth.setColorAt(0.6, kMid);
    depth.setColorAt(1, kShallow);
    p.fillRect(area, depth);
    const int patches = area.width() * area.height() / 26000;
    for (int i = 0; i < patches; ++i) {
        const QPointF at(rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        const qreal radius = 60 + rng.bounded(140);
        const bool light = rng.bounded(2) == 0;
        QRadialGradient patch(at, radius);
        patch.setColorAt(0, light ? QColor(255, 255, 255, 22) : withAlpha(kDeep.darker(140), 34));
        patch.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(patch);
        p.drawEllipse(at, radius * 1.6, radius);
    }
}

// Rows of gentle waves: long, broken crest lines with a darker trough
// under each, closer together and brighter nearer the quay.
void drawRipples(QPainter& p, const QRect& area, QRandomGenerator& rng)
{
    p.setBrush(Qt::NoBrush);
    qreal y = area.top() + 6;
    while (y < area.bottom() - 4) {
        const qreal near = (y - area.top()) / area.height(); // 0 far, 1 at the quay
        const qreal wavelength = 46 + rng.bounded(40);
        const qreal amplitude = 0.8 + rng.generateDouble() * 1.2;
        const qreal phase = rng.generateDouble() * 6.283;
        qreal x = -rng.bounded(40);
        while (x < area.right()) {
            const qreal len = 18 + rng.bounded(60) + near * 30;
            if (rng.bounded(100) < 55) {
                QPainterPath crest;
                for (qreal t = 0; t <= len; t += 3) {
                    const qreal cx = x + t;
                    const qreal cy = y + amplitude * std::sin(cx / wavelength * 6.283 + phase);
                    if (t == 0) {
                        crest.moveTo(cx, cy);
                    } else {
                        crest.lineTo(cx, cy);
                    }
                }
                const int alpha = int(18 + near * 40 + rng.bounded(26));
                p.setPen(QPen(withAlpha(kDeep.darker(130), alpha * 2 / 3), 1.3, Qt::SolidLine, Qt::RoundCap));
                p.drawPath(crest.translated(0, 1.7));
                p.setPen(QPen(QColor(232, 246, 255, alpha), 1.1, Qt::SolidLine, Qt::RoundCap));
                p.drawPath(crest);
            }
            x += len + 6 + rng.bounded(30);
        }
        y += 9 + rng.bounded(6) + near * 8;
    }
    // A few glints of light.
    const int glints = area.width() * area.height() / 7000;
    for (int i = 0; i < glints; ++i) {
        const QPointF at(rng.bounded(area.width()), area.top() + rng.bounded(area.height()));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70 + rng.bounded(90)));
        p.drawEllipse(at, 1.4, 0.6);
    }
}

// The stone quay along the bottom: a coping with its shadow on the water,
// a line of foam, and courses of light stone.
void drawQuay(QPainter& p, const QRect& quay, QRandomGenerator& rng)
{
    QLinearGradient shade(0, quay.top() - 12, 0, quay.top());
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(1, withAlpha(kDeep.darker(160), 70));
    p.fillRect(QRectF(quay.left(), quay.top() - 12, quay.width(), 12), shade);

    QPainterPath foam;
    foam.moveTo(quay.left(), quay.top() - 2);
    for (int x = quay.left(); x < quay.right();) {
        const int step = 10 + rng.bounded(22);
        foam.quadTo(x + step / 2.0, quay.top() - 3 - rng.bounded(4), x + step, quay.top() - 2);
        x += step;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.6));
    p.drawPath(foam);

    QLinearGradient stone(0, quay.top(), 0, quay.bottom());
    stone.setColorAt(0, kStone.lighter(103));
    stone.setColorAt(1, kStone.darker(104));
    p.fillRect(quay, stone);
    // The coping: a lighter rim with a crisp edge to the water.
    const int coping = 7;
    p.fillRect(QRect(quay.left(), quay.top(), quay.width(), coping), kStone.lighter(106));
    p.setPen(QPen(kStoneDark.darker(115), 1));
    p.drawLine(quay.left(), quay.top(), quay.right(), quay.top());
    p.setPen(QPen(kStoneDark, 1));
    p.drawLine(quay.left(), quay.top() + coping, quay.right(), quay.top() + coping);
    // Joints of the coping stones.
    for (int x = 40 + rng.bounded(30); x < quay.right(); x += 96 + rng.bounded(20)) {
        p.drawLine(x, quay.top() + 1, x, quay.top() + coping - 1);
    }
    // A faint course of large slabs below it.
    p.setPen(QPen(withAlpha(kStoneDark, 120), 1));
    for (int x = 70 + rng.bounded(40); x < quay.right(); x += 150 + rng.bounded(40)) {
        p.drawLine(x, quay.top() + coping + 1, x, quay.bottom());
    }
}

} // namespace

QImage water(QSize size, int quayTop)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator rng(0x7e5a);
    const QRect open(0, 0, size.width(), quayTop);
    drawDepth(p, open, rng);
    drawRipples(p, open, rng);
    drawQuay(p, QRect(0, quayTop, size.width(), size.height() - quayTop), rng);
    return image;
}

} // namespace tesmara::gamepics
