#include "GamePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>

namespace tesmara::gamepics {

namespace {

using namespace palette;

// The hull, centred on the origin, bow up: 29 px across, 96 px long.
constexpr qreal kHalfBeam = 14.5;
constexpr qreal kHalfLength = 48;

QPainterPath hullPath()
{
    QPainterPath p;
    p.moveTo(0, -kHalfLength);
    p.cubicTo(7, -44, kHalfBeam, -28, kHalfBeam, -8);
    p.cubicTo(kHalfBeam, 20, 13.5, 38, 12.5, 44);
    p.quadTo(12, kHalfLength, 8, kHalfLength);
    p.lineTo(-8, kHalfLength);
    p.quadTo(-12, kHalfLength, -12.5, 44);
    p.cubicTo(-13.5, 38, -kHalfBeam, 20, -kHalfBeam, -8);
    p.cubicTo(-kHalfBeam, -28, -7, -44, 0, -kHalfLength);
    p.closeSubpath();
    return p;
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Three passes of a box blur make a soft, nearly Gaussian edge.
void blur(QImage& image, int radius)
{
    const int w = image.width();
    const int h = image.height();
    for (int pass = 0; pass < 3; ++pass) {
        for (int dir = 0; dir < 2; ++dir) {
            const QImage src = image.copy();
            const int outer = dir == 0 ? h : w;
            const int inner = dir == 0 ? w : h;
            for (int o = 0; o < outer; ++o) {
                for (int i = 0; i < inner; ++i) {
                    int sum[4] = {0, 0, 0, 0};
                    int n = 0;
                    for (int k = -radius; k <= radius; ++k) {
                        const int j = i + k;
                        if (j < 0 || j >= inner) {
                            continue;
                        }
                        const QRgb px = dir == 0 ? src.pixel(j, o) : src.pixel(o, j);
                        sum[0] += qAlpha(px);
                        sum[1] += qRed(px);
                        sum[2] += qGreen(px);
                        sum[3] += qBlue(px);
                        ++n;
                    }
                    const QRgb out = qRgba(sum[1] / n, sum[2] / n, sum[3] / n, sum[0] / n);
                    if (dir == 0) {
                        reinterpret_cast<QRgb*>(image.scanLine(o))[i] = out;
                    } else {
                        reinterpret_cast<QRgb*>(image.scanLine(i))[o] = out;
                    }
                }
            }
        }
    }
}

// The soft shadow the hull casts on the water below it.
void drawShadow(QPainter& p, QPointF centre, qreal angle, qreal alpha)
{
    QImage shadow = canvas(p.device()->width(), p.device()->height());
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.translate(centre + QPointF(1.5, 2.5));
        s.rotate(angle);
        s.fillPath(hullPath(), QColor(10, 40, 70));
    }
    blur(shadow, 2);
    p.save();
    p.setOpacity(alpha);
    p.drawImage(0, 0, shadow);
    p.restore();
}

// Two curls of foam pushed aside by the bow.
void drawBowWave(QPainter& p)
{
    for (int side : {-1, 1}) {
        QPainterPath wave;
        wave.moveTo(0, -kHalfLength - 1);
        wave.cubicTo(side * 9, -43, side * 15, -32, side * 17.5, -18);
        QLinearGradient fade(0, -kHalfLength, 0, -16);
        fade.setColorAt(0, QColor(255, 255, 255, 220));
        fade.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(QPen(QBrush(fade), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
}

void drawBench(QPainter& p, qreal y)
{
    const QRectF bench(-kHalfBeam, y - 2.5, 2 * kHalfBeam, 5);
    p.fillRect(bench, kWood.lighter(104));
    p.setPen(QPen(kWoodDark, 0.8));
    p.drawLine(QPointF(bench.left(), bench.top()), QPointF(bench.right(), bench.top()));
    p.drawLine(QPointF(bench.left(), bench.bottom()), QPointF(bench.right(), bench.bottom()));
}

// The whole boat at the origin: shell, gunwale, floor boards, bow deck,
// two benches and the outboard motor.
void drawBoat(QPainter& p)
{
    const QPainterPath hull = hullPath();

    // The motor hangs off the stern, under the tiller.
    const QRectF motor(-5, kHalfLength - 4, 10, 9);
    QLinearGradient motorShade(motor.topLeft(), motor.topRight());
    motorShade.setColorAt(0, kMotor.lighter(140));
    motorShade.setColorAt(1, kMotor);
    p.setPen(QPen(kMotor.darker(150), 0.8));
    p.setBrush(motorShade);
    p.drawRoundedRect(motor, 3, 3);

    // Floor boards inside the shell.
    p.save();
    p.setClipPath(hull);
    QLinearGradient floor(-kHalfBeam, 0, kHalfBeam, 0);
    floor.setColorAt(0, kWood.lighter(108));
    floor.setColorAt(1, kWood.darker(106));
    p.fillPath(hull, floor);
    p.setPen(QPen(kWoodDark, 0.7));
    for (qreal x = -7.5; x <= 7.5; x += 5) {
        p.drawLine(QPointF(x, -40), QPointF(x, kHalfLength));
    }
    // Bow deck: the covered front of the boat.
    QPainterPath deck;
    deck.moveTo(-kHalfBeam, -27);
    deck.quadTo(0, -33, kHalfBeam, -27);
    deck.lineTo(kHalfBeam, -kHalfLength);
    deck.lineTo(-kHalfBeam, -kHalfLength);
    deck.closeSubpath();
    p.fillPath(deck, kRim);
    p.setPen(QPen(kWoodDark, 0.9));
    QPainterPath deckEdge;
    deckEdge.moveTo(-kHalfBeam, -27);
    deckEdge.quadTo(0, -33, kHalfBeam, -27);
    p.drawPath(deckEdge);
    // A mooring ring on the deck.
    p.setPen(QPen(kMotor, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, -38), 2.2, 2.2);
    drawBench(p, -20);
    drawBench(p, 24);
    // Gunwale: a white band inside a red shell, drawn as bands of the edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRim, 7.5));
    p.drawPath(hull);
    QLinearGradient shell(-kHalfBeam, -kHalfLength, kHalfBeam, kHalfLength);
    shell.setColorAt(0, kHull.lighter(118));
    shell.setColorAt(1, kHull.darker(112));
    p.setPen(QPen(QBrush(shell), 3.6));
    p.drawPath(hull);
    p.restore();
    // Tiller from the motor into the boat.
    p.setPen(QPen(kMotor, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, kHalfLength - 2), QPointF(0, kHalfLength - 11));
    // Crisp outline.
    p.setPen(QPen(kHullDark.darker(130), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hull);
}

// The boat going under from `waterline` (hull coordinates) aft: below
// the line it takes on the water's blue and fades out, so whatever water
// lies beneath shows through. `depth` 0..1 is how far it has gone.
void drawSinkingBoat(QPainter& p, qreal waterline, qreal depth)
{
    QImage layer = canvas(p.device()->width(), p.device()->height());
    {
        QPainter l(&layer);
        l.setRenderHint(QPainter::Antialiasing);
        l.setTransform(p.transform());
        drawBoat(l);
        const QRectF below(-30, waterline, 60, 120);
        l.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QLinearGradient tint(0, waterline, 0, waterline + 30);
        tint.setColorAt(0, withAlpha(kMid, 150));
        tint.setColorAt(1, withAlpha(kDeep, 215));
        l.fillRect(below, tint);
        l.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(0, waterline, 0, waterline + 40);
        fade.setColorAt(0, QColor(0, 0, 0, int(200 - 90 * depth)));
        fade.setColorAt(1, QColor(0, 0, 0, int(110 - 90 * depth)));
        l.fillRect(below, fade);
    }
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, layer);
    p.restore();
}

// A wavy line of foam where the water meets the hull.
void drawWaterline(QPainter& p, qreal y, qreal halfWidth, qreal width)
{
    QPainterPath line;
    line.moveTo(-halfWidth, y);
    const int waves = 4;
    const qreal step = 2 * halfWidth / waves;
    for (int i = 0; i < waves; ++i) {
        const qreal x = -halfWidth + i * step;
        line.quadTo(x + step / 2, y + (i % 2 ? 2.2 : -2.2), x + step, y);
    }
    p.setPen(QPen(QColor(255, 255, 255, 235), width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
}

void drawBubbles(QPainter& p, quint32 seed, int count, const QRectF& area)
{
    QRandomGenerator rng(seed);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + rng.generateDouble() * area.width(),
                         area.top() + rng.generateDouble() * area.height());
        const qreal r = 0.9 + rng.generateDouble() * 1.6;
        p.setPen(QPen(QColor(255, 255, 255, 210), 0.8));
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawEllipse(at, r, r);
    }
}

void drawRing(QPainter& p, qreal rx, qreal ry, qreal y, int alpha, qreal width)
{
    p.setPen(QPen(QColor(255, 255, 255, alpha), width));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, y), rx, ry);
}

} // namespace

QImage boat()
{
    QImage image = canvas(39, 107);
    const QPointF centre(19.5, 53.5);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawShadow(p, centre, 0, 0.45);
    p.translate(centre);
    drawBowWave(p);
    drawBoat(p);
    return image;
}

QImage sinking(int frame)
{
    QImage image = canvas(45, 120);
    const QPointF centre(22.5, 59.5);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(centre);
    if (frame == 1) {
        // Stern first: the back half under water, a splash all round.
        drawRing(p, 20.5, 52, 2, 110, 1.6);
        p.save();
        p.rotate(8);
        p.scale(0.96, 0.96);
        drawSinkingBoat(p, -4, 0);
        drawWaterline(p, -4, 17, 2.4);
        p.restore();
        drawBubbles(p, 102, 14, QRectF(-19, 6, 38, 46));
    } else {
        // Only the bow is left, in rings of foam.
        drawRing(p, 21, 46, -6, 90, 1.4);
        drawRing(p, 15, 30, -10, 140, 1.6);
        p.save();
        p.rotate(-5);
        p.scale(0.86, 0.86);
        drawSinkingBoat(p, -30, 1);
        drawWaterline(p, -30, 16, 3);
        p.restore();
        drawBubbles(p, 103, 22, QRectF(-18, -24, 36, 56));
    }
    return image;
}

} // namespace tesmara::gamepics
