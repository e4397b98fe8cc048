#include "Backgrounds.h"

#include "MiceStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace tesmara::mice {

namespace {

constexpr int W = kAreaWidth;
constexpr int H = kAreaHeight;
// Where the scenery meets the ground: mice at their highest run along it.
constexpr int kHorizon = 52;

// A small fixed random sequence, so every build draws the same scene.
class Scatter {
public:
    explicit Scatter(quint32 seed) : m_state(seed) {}
    // A value in [lo, hi).
    qreal between(qreal lo, qreal hi)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return lo + (hi - lo) * ((m_state >> 8) / qreal(1u << 24));
    }

private:
    quint32 m_state;
};

void fillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

void cloud(QPainter& p, QPointF at, qreal size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 225));
    p.drawEllipse(at, size * 1.3, size * 0.55);
    p.drawEllipse(at + QPointF(-size * 0.55, -size * 0.2), size * 0.6, size * 0.5);
    p.drawEllipse(at + QPointF(size * 0.25, -size * 0.42), size * 0.72, size * 0.6);
}

// A gently rolling band from y up to its crests, filled down to `bottom`.
void hills(QPainter& p, qreal base, qreal height, qreal waves, qreal phase, qreal bottom, const QBrush& brush)
{
    QPainterPath path;
    path.moveTo(0, bottom);
    for (int step = 0; step <= W / 6 + 1; ++step) {
        const qreal x = qMin(step * 6, W);
        const qreal t = x / W * waves * 2 * M_PI + phase;
        path.lineTo(x, base - height * (0.5 + 0.5 * qSin(t)) - height * 0.25 * qSin(2.3 * t + 1));
    }
    path.lineTo(W, bottom);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

// Short blades of grass scattered over a band, a few shades of one green.
void grassBlades(QPainter& p, Scatter& r, const QRectF& band, const QColor& green, int count)
{
    for (int i = 0; i < count; ++i) {
        const QPointF root(r.between(band.left(), band.right()), r.between(band.top(), band.bottom()));
        const qreal depth = (root.y() - band.top()) / band.height();
        const qreal len = 3 + 5 * depth;
        QColor c = green.darker(int(r.between(100, 122)));
        c.setAlpha(int(90 + 60 * depth));
        p.setPen(QPen(c, 1.1 + 0.4 * depth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(root, root + QPointF(r.between(-2, 2), -len));
    }
}

void flower(QPainter& p, QPointF at, qreal size, const QColor& petals)
{
    p.setPen(Qt::NoPen);
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5;
        p.drawEllipse(at + QPointF(qCos(a), qSin(a)) * size * 0.55, size * 0.45, size * 0.45);
    }
    p.setBrush(QColor(0xFF, 0xD8, 0x5A));
    p.drawEllipse(at, size * 0.35, size * 0.35);
}

// Soft light falling from the top left, over the whole scene.
void softLight(QPainter& p)
{
    QRadialGradient light(QPointF(W * 0.2, -H * 0.2), W * 0.9);
    light.setColorAt(0, QColor(255, 255, 255, 40));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 0, W, H), light);
}

void meadow(QPainter& p)
{
    Scatter r(11);
    fillVertical(p, QRectF(0, 0, W, kHorizon), QColor(0xBF, 0xE3, 0xF8), QColor(0xE6, 0xF4, 0xFB));
    cloud(p, {120, 16}, 13);
    cloud(p, {430, 11}, 10);
    cloud(p, {640, 19}, 12);
    hills(p, 44, 16, 1.3, 0.4, H, QColor(0xA9, 0xD3, 0x9A));
    hills(p, 52, 9, 2.1, 2.0, H, QColor(0x9C, 0xCC, 0x86));
    fillVertical(p, QRectF(0, kHorizon + 4, W, H - kHorizon - 4), QColor(0xB4, 0xDB, 0x93), QColor(0x9E, 0xCF, 0x7E));
    // Mown stripes across the lawn.
    for (int i = 0; i < 8; ++i) {
        p.fillRect(QRectF(0, 70 + i * 42, W, 21), QColor(255, 255, 255, 14));
    }
    grassBlades(p, r, QRectF(0, kHorizon + 6, W, H - kHorizon - 6), QColor(0x6F, 0xA8, 0x55), 1500);
    const QColor petals[] = {QColor(0xFF, 0xFF, 0xFF), QColor(0xFF, 0xC8, 0xD6), QColor(0xFF, 0xE9, 0x8A)};
    for (int i = 0; i < 26; ++i) {
        const QPointF at(r.between(10, W - 10), r.between(kHorizon + 10, H - 8));
        const qreal depth = (at.y() - kHorizon) / (H - kHorizon);
        flower(p, at, 2.2 + 3.2 * depth, alpha(petals[i % 3], 235));
    }
}

void woodenFloor(QPainter& p)
{
    Scatter r(22);
    // Wall with a faint stripe paper.
    fillVertical(p, QRectF(0, 0, W, kHorizon), QColor(0xDC, 0xEC, 0xF6), QColor(0xCF, 0xE4, 0xF2));
    for (int x = 0; x < W; x += 24) {
        p.fillRect(QRectF(x, 0, 10, kHorizon), QColor(255, 255, 255, 46));
    }
    // Skirting board with a mouse hole on the right, where the mice head.
    fillVertical(p, QRectF(0, kHorizon - 14, W, 14), QColor(0xFF, 0xFF, 0xFF), QColor(0xE6, 0xEC, 0xF0));
    p.fillRect(QRectF(0, kHorizon - 1, W, 2), QColor(0xB8, 0xC4, 0xCE));
    QPainterPath hole;
    hole.moveTo(680, kHorizon);
    hole.lineTo(680, kHorizon - 18);
    hole.arcTo(QRectF(680, kHorizon - 32, 28, 28), 180, -180);
    hole.lineTo(708, kHorizon);
    hole.closeSubpath();
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x4A), 2));
    p.setBrush(QColor(0x4A, 0x3A, 0x34));
    p.drawPath(hole);
    // Planks in a warm honey tone, each a little different.
    const int plank = 39;
    for (int row = 0, y = kHorizon + 1; y < H; ++row, y += plank) {
        const int offset = (row * 157) % 240;
        for (int x = -offset; x < W; x += 240) {
            const QColor base = QColor(0xE9, 0xC9, 0x98).darker(int(r.between(98, 108)));
            fillVertical(p, QRectF(x, y, 240, plank), base.lighter(104), base);
            // Grain lines.
            for (int g = 0; g < 4; ++g) {
                const qreal gy = y + r.between(6, plank - 6);
                p.setPen(QPen(alpha(base.darker(118), 70), 1));
                p.drawLine(QPointF(x + r.between(8, 40), gy), QPointF(x + r.between(150, 230), gy + r.between(-2, 2)));
            }
            p.fillRect(QRectF(x, y, 1.5, plank), alpha(QColor(0x9A, 0x74, 0x48), 120));
        }
        p.fillRect(QRectF(0, y, W, 1.5), alpha(QColor(0x9A, 0x74, 0x48), 140));
    }
}

void kitchen(QPainter& p)
{
    // Small white wall tiles with blue grout, a counter edge below them.
    p.fillRect(QRect(0, 0, W, kHorizon), QColor(0xC6, 0xDD, 0xEC));
    for (int y = -6; y < kHorizon; y += 16) {
        for (int x = ((y / 16) % 2) * 8 - 8; x < W; x += 16) {
            p.fillRect(QRectF(x + 1, y + 1, 14, 14), QColor(0xF7, 0xFB, 0xFE));
        }
    }
    fillVertical(p, QRectF(0, kHorizon - 10, W, 10), QColor(0x9E, 0xB8, 0xCC), QColor(0x7E, 0x9C, 0xB4));
    // A checked floor of cream and soft blue stone.
    const int tile = 38;
    for (int row = 0, y = kHorizon; y < H; ++row, y += tile) {
        for (int col = 0, x = 0; x < W; ++col, x += tile) {
            const bool dark = (row + col) % 2;
            const QColor c = dark ? QColor(0xD5, 0xE4, 0xEE) : QColor(0xFA, 0xF6, 0xEC);
            fillVertical(p, QRectF(x, y, tile, tile), c.lighter(103), c);
        }
    }
    p.setPen(QPen(QColor(0xC2, 0xCF, 0xD8), 1));
    for (int y = kHorizon; y < H; y += tile) {
        p.drawLine(0, y, W, y);
    }
    for (int x = 0; x < W; x += tile) {
        p.drawLine(x, kHorizon, x, H);
    }
}

void beach(QPainter& p)
{
    Scatter r(44);
    fillVertical(p, QRectF(0, 0, W, 30), QColor(0xB6, 0xDE, 0xF6), QColor(0xE4, 0xF3, 0xFB));
    cloud(p, {200, 12}, 10);
    cloud(p, {560, 14}, 12);
    // Sea with a line of foam.
    fillVertical(p, QRectF(0, 28, W, kHorizon - 24), QColor(0x7F, 0xC4, 0xE2), QColor(0xA6, 0xDC, 0xEC));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.5));
    for (int i = 0; i < 16; ++i) {
        const qreal x = r.between(0, W);
        const qreal y = r.between(32, kHorizon - 2);
        p.drawLine(QPointF(x, y), QPointF(x + r.between(14, 40), y));
    }
    QPainterPath shore;
    shore.moveTo(0, H);
    for (int step = 0; step <= W / 6 + 1; ++step) {
        const qreal x = qMin(step * 6, W);
        shore.lineTo(x, kHorizon + 2 + 3 * qSin(x / 55.0) + 1.5 * qSin(x / 17.0));
    }
    shore.lineTo(W, H);
    shore.closeSubpath();
    p.setPen(QPen(QColor(255, 255, 255, 220), 3));
    p.setBrush(QColor(0xEF, 0xDB, 0xB0));
    p.drawPath(shore);
    p.setClipPath(shore);
    fillVertical(p, QRectF(0, kHorizon - 4, W, H - kHorizon + 4), QColor(0xE2, 0xCC, 0x9C), QColor(0xF3, 0xE2, 0xBE));
    // Ripples left by the wind.
    p.setPen(QPen(QColor(0xC9, 0xAE, 0x7A, 90), 1.4));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 60; ++i) {
        const qreal x = r.between(-20, W);
        const qreal y = r.between(kHorizon + 16, H);
        QPainterPath ripple;
        ripple.moveTo(x, y);
        ripple.cubicTo(x + 12, y - 4, x + 24, y + 4, x + 36, y);
        p.drawPath(ripple);
    }
    p.setClipping(false);
    // A few shells and a starfish near the bottom.
    const QPointF shells[] = {{90, 372}, {402, 358}, {705, 380}};
    for (const QPointF& at : shells) {
        p.setPen(QPen(QColor(0xD0, 0x96, 0x88), 1.2));
        p.setBrush(QColor(0xFA, 0xD9, 0xCC));
        p.drawPie(QRectF(at.x() - 8, at.y() - 7, 16, 14), 0, 180 * 16);
    }
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal rad = i % 2 ? 3.5 : 9;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(250 + rad * qCos(a), 378 + rad * qSin(a));
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(0xD9, 0x7A, 0x5A), 1.2));
    p.setBrush(QColor(0xF6, 0xA9, 0x82));
    p.drawPath(star);
}

void pine(QPainter& p, QPointF foot, qreal height, const QColor& green)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8A, 0x6E, 0x5A));
    p.drawRect(QRectF(foot.x() - height * 0.05, foot.y() - height * 0.18, height * 0.1, height * 0.18));
    for (int tier = 0; tier < 3; ++tier) {
        const qreal base = foot.y() - height * (0.12 + tier * 0.25);
        const qreal half = height * (0.34 - tier * 0.08);
        QPainterPath t;
        t.moveTo(foot.x() - half, base);
        t.lineTo(foot.x(), base - height * 0.42);
        t.lineTo(foot.x() + half, base);
        t.closeSubpath();
        p.setBrush(green);
        p.drawPath(t);
        // Snow on the branches.
        p.setBrush(QColor(255, 255, 255, 200));
        QPainterPath snow;
        snow.moveTo(foot.x() - half * 0.55, base - height * 0.18);
        snow.lineTo(foot.x(), base - height * 0.42);
        snow.lineTo(foot.x() + half * 0.55, base - height * 0.18);
        snow.quadTo(foot.x(), base - height * 0.24, foot.x() - half * 0.55, base - height * 0.18);
        p.drawPath(snow);
    }
}

void snow(QPainter& p)
{
    Scatter r(55);
    fillVertical(p, QRectF(0, 0, W, kHorizon), QColor(0xC8, 0xE0, 0xF2), QColor(0xEC, 0xF4, 0xFA));
    hills(p, 40, 22, 1.1, 2.6, H, QColor(0xDD, 0xE9, 0xF4));
    const qreal trees[][2] = {{40, 24}, {76, 32}, {108, 21}, {520, 28}, {552, 36}, {586, 25}, {700, 30}};
    for (const auto& t : trees) {
        pine(p, {t[0], kHorizon + 2}, t[1], QColor(0x6E, 0x9E, 0x8E));
    }
    QLinearGradient ground(0, kHorizon - 6, 0, H);
    ground.setColorAt(0, QColor(0xF6, 0xF9, 0xFC));
    ground.setColorAt(1, QColor(0xE0, 0xEA, 0xF4));
    hills(p, kHorizon + 4, 6, 1.6, 0.3, H, ground);
    // Soft drifts.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        QRadialGradient drift(QPointF(r.between(0, W), r.between(kHorizon + 40, H)), r.between(60, 120));
        drift.setColorAt(0, QColor(0xC4, 0xD6, 0xE8, 70));
        drift.setColorAt(1, QColor(0xC4, 0xD6, 0xE8, 0));
        p.setBrush(drift);
        p.drawRect(QRect(0, kHorizon + 2, W, H - kHorizon - 2));
    }
    // A light fall of snow.
    for (int i = 0; i < 90; ++i) {
        const QPointF at(r.between(0, W), r.between(0, H));
        p.setBrush(QColor(255, 255, 255, int(r.between(150, 230))));
        const qreal size = r.between(1.2, 2.8);
        p.drawEllipse(at, size, size);
    }
}

void woodland(QPainter& p)
{
    Scatter r(66);
    fillVertical(p, QRectF(0, 0, W, kHorizon), QColor(0xD6, 0xEC, 0xE0), QColor(0xE9, 0xF3, 0xE4));
    // Distant trunks and a canopy of soft green.
    const qreal trunks[] = {30, 118, 190, 300, 352, 470, 548, 640, 726};
    for (int i = 0; i < 9; ++i) {
        const qreal width = 10 + (i * 7) % 9;
        const QColor bark = QColor(0xB8, 0xA0, 0x86).lighter(100 + (i % 3) * 6);
        p.fillRect(QRectF(trunks[i], 0, width, kHorizon), bark);
        p.fillRect(QRectF(trunks[i] + width * 0.6, 0, width * 0.25, kHorizon), alpha(Qt::white, 40));
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 50; ++i) {
        QColor leaf = QColor(0x9F, 0xCB, 0x94).darker(int(r.between(95, 112)));
        leaf.setAlpha(220);
        p.setBrush(leaf);
        p.drawEllipse(QPointF(r.between(-20, W + 20), r.between(-8, 18)), r.between(26, 48), r.between(12, 20));
    }
    // Mossy ground with scattered leaves.
    fillVertical(p, QRectF(0, kHorizon, W, H - kHorizon), QColor(0xCF, 0xE2, 0xB0), QColor(0xBF, 0xD7, 0x9C));
    p.fillRect(QRectF(0, kHorizon - 2, W, 4), QColor(0xA8, 0xC4, 0x88));
    grassBlades(p, r, QRectF(0, kHorizon + 2, W, H - kHorizon - 2), QColor(0x88, 0xAE, 0x66), 800);
    const QColor leaves[] = {QColor(0xF0, 0xB8, 0x6A), QColor(0xE8, 0x9A, 0x6E), QColor(0xE6, 0xCC, 0x70)};
    for (int i = 0; i < 22; ++i) {
        p.save();
        p.translate(r.between(10, W - 10), r.between(kHorizon + 14, H - 6));
        p.rotate(r.between(0, 360));
        p.setBrush(alpha(leaves[i % 3], 210));
        p.drawEllipse(QPointF(0, 0), 6, 3);
        p.restore();
    }
}

} // namespace

QImage background(int n)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(skinWindow());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (n) {
    case 1:
        meadow(p);
        break;
    case 2:
        woodenFloor(p);
        break;
    case 3:
        kitchen(p);
        break;
    case 4:
        beach(p);
        break;
    case 5:
        snow(p);
        break;
    default:
        woodland(p);
        break;
    }
    softLight(p);
    return image;
}

} // namespace tesmara::mice
