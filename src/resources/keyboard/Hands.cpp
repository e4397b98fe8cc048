#include "Hands.h"

#include "practice/KeyboardGeometry.h"
#include "practice/ui/KeyboardPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace tesmara::pictures {

namespace {

using keyboard::KeyLook;

// The left hand, palm down, fingers pointing at the keys; the right hand is
// its mirror image. Each finger runs from its knuckle (inside the palm) to
// its tip: little, ring, middle, index finger, thumb.
struct FingerShape {
    QPointF base;
    QPointF tip;
    qreal width;
};
const FingerShape kLeft[5] = {
    {{113, 126}, {87, 54}, 29},  {{147, 112}, {135, 22}, 32},  {{182, 108}, {182, 10}, 33},
    {{216, 114}, {228, 28}, 32}, {{222, 170}, {268, 112}, 35},
};

const QColor kSkinTop(0xFF, 0xEB, 0xDC);
const QColor kSkinBottom(0xF8, 0xD6, 0xC0);
const QColor kSkinLine(0xD2, 0x9C, 0x80);
constexpr qreal kFade = 36;

QTransform handTransform(bool right)
{
    const qreal width = keyboard::handsSize().width();
    return right ? QTransform(-1, 0, 0, 1, width, 0) : QTransform();
}

// Maps the finger's own frame (base at the origin, pointing up the
// negative y axis) onto the picture.
QTransform fingerFrame(const FingerShape& f)
{
    const QPointF d = f.tip - f.base;
    QTransform t;
    t.translate(f.base.x(), f.base.y());
    t.rotate(qRadiansToDegrees(std::atan2(d.x(), -d.y())));
    return t;
}

qreal fingerLength(const FingerShape& f)
{
    return QLineF(f.base, f.tip).length();
}

QPainterPath fingerPath(const FingerShape& f)
{
    const qreal len = fingerLength(f);
    QPainterPath local;
    local.addRoundedRect(QRectF(-f.width / 2, -len, f.width, len + f.width / 2), f.width / 2, f.width / 2);
    return fingerFrame(f).map(local);
}

QPainterPath palmPath()
{
    QPainterPath p;
    p.moveTo(97, 130);
    p.cubicTo(92, 156, 100, 176, 112, 196);
    p.lineTo(218, 196);
    p.cubicTo(228, 182, 242, 168, 250, 150);
    p.cubicTo(246, 132, 240, 120, 232, 112);
    p.cubicTo(200, 100, 140, 102, 100, 118);
    p.closeSubpath();
    return p;
}

QPainterPath handPath()
{
    QPainterPath hand = palmPath();
    for (const FingerShape& f : kLeft) {
        hand = hand.united(fingerPath(f));
    }
    return hand.simplified();
}

// The part of a finger that stands free of the palm.
QPainterPath freeFinger(const FingerShape& f)
{
    return fingerPath(f).subtracted(palmPath());
}

// The zone colour for a hand's finger i (0 little .. 4 thumb).
KeyLook zoneOf(int i)
{
    return keyboard::zoneLook(i);
}

// Nail and joint creases of a finger, in the finger's frame.
void paintDetails(QPainter& p, const FingerShape& f, const QColor& nail, const QColor& crease)
{
    const qreal len = fingerLength(f);
    const qreal w = f.width;
    p.save();
    p.setTransform(fingerFrame(f), true);
    p.setPen(QPen(crease, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (qreal at : {0.42, 0.7}) {
        const qreal y = -len * at;
        QPainterPath arc;
        arc.moveTo(-w * 0.24, y);
        arc.quadTo(0, y + 2.5, w * 0.24, y);
        p.drawPath(arc);
    }
    p.setBrush(nail);
    QColor edge = crease;
    edge.setAlphaF(crease.alphaF() * 0.8);
    p.setPen(QPen(edge, 0.9));
    const QRectF n(-w * 0.27, -len + w * 0.16, w * 0.54, w * 0.62);
    p.drawRoundedRect(n, w * 0.22, w * 0.22);
    p.restore();
}

void paintHand(QPainter& p, bool right)
{
    p.save();
    p.setTransform(handTransform(right), true);
    const QPainterPath hand = handPath();
    // A soft shadow first, as if the hand hovered over the desk.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4A, 0x7A, 0xA8, 34));
    p.drawPath(hand.translated(0, 3));
    QLinearGradient skin(0, 0, 0, keyboard::handsSize().height());
    skin.setColorAt(0, kSkinTop);
    skin.setColorAt(1, kSkinBottom);
    p.setBrush(skin);
    p.setPen(QPen(kSkinLine, 1.5));
    p.drawPath(hand);

    // Fingertips in the colour of their keys.
    for (int i = 0; i < 5; ++i) {
        const FingerShape& f = kLeft[i];
        const qreal len = fingerLength(f);
        QPainterPath tipArea;
        tipArea.addRect(QRectF(-f.width, -len - 2, 2 * f.width, len * 0.42 + 2));
        const QPainterPath tip = fingerPath(f).intersected(fingerFrame(f).map(tipArea));
        const KeyLook zone = zoneOf(i);
        p.setPen(Qt::NoPen);
        // Between the key's face and its edge: clear on the skin tone.
        const QColor tint = QColor::fromRgbF(zone.face.redF() * 0.65 + zone.edge.redF() * 0.35,
                                             zone.face.greenF() * 0.65 + zone.edge.greenF() * 0.35,
                                             zone.face.blueF() * 0.65 + zone.edge.blueF() * 0.35);
        p.setBrush(tint);
        p.drawPath(tip);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kSkinLine, 1.5));
        p.drawPath(tip);
        QColor crease = kSkinLine;
        crease.setAlpha(150);
        paintDetails(p, f, QColor(0xFF, 0xFF, 0xFF, 150), crease);
    }
    p.restore();
}

QImage blank()
{
    QImage image(keyboard::handsSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The wrists fade out towards the lower edge instead of ending in a cut.
void fadeWrists(QPainter& p)
{
    const qreal h = keyboard::handsSize().height();
    QLinearGradient fade(0, h - kFade, 0, h);
    fade.setColorAt(0, QColor(0, 0, 0, 255));
    fade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.fillRect(QRectF(0, h - kFade, keyboard::handsSize().width(), kFade), fade);
}

} // namespace

QImage handsPicture()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintHand(p, false);
    paintHand(p, true);
    fadeWrists(p);
    return image;
}

QImage fingerPicture(int finger)
{
    QImage image = blank();
    if (finger < 0 || finger >= keyboard::kFingers) {
        return image;
    }
    const bool right = finger >= 5;
    const FingerShape& f = kLeft[right ? 9 - finger : finger];
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(handTransform(right));
    const QPainterPath shape = freeFinger(f);
    const KeyLook lit = keyboard::litLook();

    // A glow around the finger, then the finger in the lit colour.
    for (int i = 4; i > 0; --i) {
        QColor glow = lit.face;
        glow.setAlpha(26 + (4 - i) * 18);
        p.setPen(QPen(glow, 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }
    QLinearGradient shade(f.tip, f.base);
    shade.setColorAt(0, lit.face.lighter(118));
    shade.setColorAt(1, lit.face);
    p.setBrush(shade);
    p.setPen(QPen(lit.edge, 1.5));
    p.drawPath(shape);
    paintDetails(p, f, QColor(255, 255, 255, 120), QColor(255, 255, 255, 150));
    return image;
}

} // namespace tesmara::pictures
