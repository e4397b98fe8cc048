#include "MouseIcons.h"

#include "MiceStyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tesmara::mice {

namespace {

// Drawn in a 64 by 64 design box at four times the final resolution, then
// scaled down: edges come out smooth at 32 pixels.
constexpr qreal kBox = 64;
constexpr int kOversample = 4;

enum class Pose { Dash, Hop, Cheese };

struct Look {
    const Coat& coat;
    Pose pose;
    bool dead;
};

QPen outlinePen(const QColor& colour, qreal width = 2.2)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Body and head as one outline: a round body and a pointed head.
QPainterPath bodyPath(Pose pose)
{
    QPainterPath body;
    const qreal stretch = pose == Pose::Dash ? 2 : 0;
    body.addEllipse(QRectF(11 - stretch, 25, 34 + stretch, 22));
    QPainterPath head;
    head.moveTo(34, 27);
    head.cubicTo(42, 21.5, 52, 27, 57.5, 35);
    head.cubicTo(59.5, 38, 57, 41.5, 53, 42.5);
    head.cubicTo(46, 44.5, 38, 45, 33, 42);
    head.closeSubpath();
    return body.united(head);
}

QPainterPath tailPath(const Look& look)
{
    QPainterPath tail;
    tail.moveTo(14, 38);
    if (look.dead) { // limp along the ground
        tail.cubicTo(8, 39, 6, 44, 3, 44);
        tail.cubicTo(1, 44, 0.5, 42, 1.5, 41);
        return tail;
    }
    switch (look.pose) {
    case Pose::Dash: // streaming out behind in a wave
        tail.cubicTo(9, 37, 8, 30, 6.5, 27.5);
        tail.cubicTo(5, 25, 3, 25, 2.5, 27);
        break;
    case Pose::Hop: // an arch high over the back
        tail.cubicTo(6, 36, 3, 26, 7, 19);
        tail.cubicTo(10, 14, 15, 15, 14, 19);
        break;
    case Pose::Cheese: // a relaxed curl
        tail.cubicTo(7, 40, 3, 46, 6, 50);
        tail.cubicTo(9, 54, 13, 51, 11, 48);
        break;
    }
    return tail;
}

void drawTail(QPainter& p, const Look& look)
{
    const QPainterPath tail = tailPath(look);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(look.coat.outline, 4.2));
    p.drawPath(tail);
    p.setPen(outlinePen(pink(), 2.0));
    p.drawPath(tail);
}

void drawFoot(QPainter& p, const Look& look, QPointF hip, QPointF foot)
{
    p.setPen(outlinePen(look.coat.outline, 4.0));
    p.drawLine(hip, foot);
    p.setPen(outlinePen(look.coat.fur.darker(108), 2.0));
    p.drawLine(hip, foot);
    p.setPen(outlinePen(pinkEdge(), 1.2));
    p.setBrush(pink());
    p.drawEllipse(QRectF(foot.x() - 2.8, foot.y() - 1.8, 5.6, 3.6));
}

void drawFeet(QPainter& p, const Look& look)
{
    switch (look.pose) {
    case Pose::Dash:
        drawFoot(p, look, {40, 44}, {49, 50});
        drawFoot(p, look, {18, 43}, {9, 48});
        break;
    case Pose::Hop: // front feet tucked, hind feet pushing off
        drawFoot(p, look, {40, 44}, {46, 47.5});
        drawFoot(p, look, {19, 43}, {11, 50});
        break;
    case Pose::Cheese:
        drawFoot(p, look, {38, 44}, {41, 51});
        drawFoot(p, look, {20, 44}, {17, 51});
        break;
    }
}

void drawEar(QPainter& p, const Look& look, QPointF centre, qreal radius, bool far)
{
    p.setPen(outlinePen(look.coat.outline));
    p.setBrush(far ? look.coat.fur.darker(115) : look.coat.fur);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::NoPen);
    p.setBrush(far ? pink().darker(112) : pink());
    p.drawEllipse(centre + QPointF(0.6, 0.8), radius * 0.6, radius * 0.6);
}

void drawBody(QPainter& p, const Look& look)
{
    const QPainterPath body = bodyPath(look.pose);
    QLinearGradient fur(0, 22, 0, 47);
    fur.setColorAt(0, look.coat.fur.lighter(112));
    fur.setColorAt(1, look.coat.fur.darker(104));
    p.setPen(Qt::NoPen);
    p.setBrush(fur);
    p.drawPath(body);
    // The lighter belly, inside the body outline.
    p.save();
    p.setClipPath(body);
    p.setBrush(look.coat.belly);
    p.drawEllipse(QRectF(14, 39, 40, 14));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(look.coat.outline));
    p.drawPath(body);
}

void drawFace(QPainter& p, const Look& look)
{
    // Rosy cheek.
    QColor blush = pink();
    blush.setAlpha(150);
    p.setPen(Qt::NoPen);
    p.setBrush(blush);
    p.drawEllipse(QRectF(46, 36.5, 6, 3.6));

    if (look.dead) {
        // Crossed-out eye.
        p.setPen(outlinePen(eyeInk(), 1.8));
        p.drawLine(QPointF(45, 29), QPointF(50.5, 34.5));
        p.drawLine(QPointF(50.5, 29), QPointF(45, 34.5));
    } else {
        p.setBrush(eyeInk());
        p.drawEllipse(QRectF(45.2, 28.6, 5.2, 6));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(47.6, 29.6, 1.9, 1.9));
    }

    // Nose at the tip.
    p.setPen(outlinePen(pinkEdge(), 1.1));
    p.setBrush(pink().darker(106));
    p.drawEllipse(QPointF(57.2, 36.8), 2.4, 2.2);

    // Whiskers.
    QColor whisker = look.coat.outline;
    whisker.setAlpha(170);
    p.setPen(outlinePen(whisker, 0.9));
    p.drawLine(QPointF(53, 38.5), QPointF(62, 35.5));
    p.drawLine(QPointF(53, 39.5), QPointF(63, 40.5));
    if (look.dead) {
        // A little tongue out of the corner of the mouth.
        p.setPen(outlinePen(pinkEdge(), 1.0));
        p.setBrush(QColor(0xEE, 0x70, 0x86));
        p.drawEllipse(QRectF(50.5, 41.2, 3.2, 4.2));
    }
}

void drawCheese(QPainter& p)
{
    // A wedge held in the mouth, holes facing out.
    QPainterPath wedge;
    wedge.moveTo(52, 40);
    wedge.lineTo(63, 37.5);
    wedge.lineTo(63, 47.5);
    wedge.lineTo(53, 48.5);
    wedge.closeSubpath();
    p.setPen(outlinePen(cheeseEdge(), 1.4));
    p.setBrush(cheese());
    p.drawPath(wedge);
    p.setPen(Qt::NoPen);
    p.setBrush(cheeseEdge().lighter(130));
    p.drawEllipse(QPointF(57.5, 44.5), 1.5, 1.5);
    p.drawEllipse(QPointF(60.8, 41.5), 1.1, 1.1);
    p.drawEllipse(QPointF(55, 42), 0.9, 0.9);
}

void drawStar(QPainter& p, QPointF centre, qreal radius)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? radius * 0.45 : radius;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt = centre + QPointF(r * qCos(a), r * qSin(a));
        if (i == 0) {
            star.moveTo(pt);
        } else {
            star.lineTo(pt);
        }
    }
    star.closeSubpath();
    p.setPen(outlinePen(cheeseEdge(), 1.2));
    p.setBrush(cheese());
    p.drawPath(star);
}

void drawShadow(QPainter& p, qreal y, qreal left, qreal right)
{
    QRadialGradient shade(QPointF((left + right) / 2, y), (right - left) / 2);
    shade.setColorAt(0, QColor(0, 0, 0, 70));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.translate((left + right) / 2, y);
    p.scale(1, 0.22);
    p.translate(-(left + right) / 2, -y);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF((left + right) / 2, y), (right - left) / 2, (right - left) / 2);
    p.restore();
}

void drawLiveMouse(QPainter& p, const Look& look)
{
    drawShadow(p, 52, 6, 56);
    p.save();
    // A little larger than the design, centred in the box.
    p.translate(32, 32);
    p.scale(1.1, 1.1);
    p.translate(-32, -35);
    if (look.pose == Pose::Hop) {
        // Nose up, off the ground.
        p.translate(32, 38);
        p.rotate(-9);
        p.translate(-32, -41);
    }
    drawTail(p, look);
    drawEar(p, look, {35.5, 22.5}, 6.2, true);
    drawFeet(p, look);
    drawBody(p, look);
    drawEar(p, look, {40.5, 23.5}, 7.4, false);
    drawFace(p, look);
    if (look.pose == Pose::Cheese) {
        drawCheese(p);
    }
    p.restore();
}

void drawDeadMouse(QPainter& p, const Look& look)
{
    drawShadow(p, 53, 4, 60);
    // On its back: the mouse turned upside down, stiff legs in the air, the
    // ear flat on the ground behind the head.
    p.save();
    p.translate(0, 68);
    p.scale(1, -1);
    drawTail(p, look);
    drawEar(p, look, {37, 25}, 6.8, false);
    drawFoot(p, look, {40, 43}, {41.5, 55});
    drawFoot(p, look, {21, 43}, {19.5, 55});
    drawBody(p, look);
    drawFace(p, look);
    p.restore();
    // Stars circling over its head.
    drawStar(p, {49, 15}, 3.6);
    drawStar(p, {56.5, 9.5}, 4.4);
    drawStar(p, {61, 18}, 2.8);
    if (look.pose == Pose::Cheese) {
        // The cheese dropped beside it.
        p.save();
        p.translate(-50, 8);
        drawCheese(p);
        p.restore();
    }
}

} // namespace

QImage mouseIcon(int k, bool dead, int size)
{
    const int index = qBound(1, k, 18) - 1;
    const Look look{coat(index % kCoats), static_cast<Pose>(index / kCoats), dead};
    QImage big(size * kOversample, size * kOversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(big.width() / kBox, big.height() / kBox);
        if (dead) {
            drawDeadMouse(p, look);
        } else {
            drawLiveMouse(p, look);
        }
    }
    return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace tesmara::mice
