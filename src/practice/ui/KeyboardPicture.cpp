#include "practice/ui/KeyboardPicture.h"

#include "controls/ui/PictureFont.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tesmara::keyboard {

namespace {

constexpr qreal kRadius = 7;
constexpr int kSide = 3; // the cap's lower side seen below its top

// Little, ring, middle, index finger, thumb.
const KeyLook kZones[5] = {
    {QColor(0xFF, 0xDD, 0xE6), QColor(0xD9, 0x7A, 0x98), QColor(0x5A, 0x1F, 0x33)},
    {QColor(0xFF, 0xEC, 0xC4), QColor(0xD9, 0xA0, 0x3C), QColor(0x5C, 0x3B, 0x05)},
    {QColor(0xD9, 0xF2, 0xD6), QColor(0x6C, 0xB0, 0x6A), QColor(0x1E, 0x48, 0x1E)},
    {QColor(0xE4, 0xDE, 0xFB), QColor(0x8E, 0x7C, 0xD6), QColor(0x30, 0x23, 0x66)},
    {QColor(0xDC, 0xEB, 0xF7), QColor(0x7F, 0xA9, 0xCC), QColor(0x14, 0x35, 0x52)},
};

int zoneIndex(int finger)
{
    return finger < 5 ? finger : 9 - finger;
}

} // namespace

KeyLook zoneLook(int finger)
{
    if (finger < 0 || finger >= kFingers) {
        return {QColor(0xF4, 0xF7, 0xFA), QColor(0xAE, 0xBE, 0xCD), QColor(0x4A, 0x66, 0x80)};
    }
    return kZones[zoneIndex(finger)];
}

KeyLook litLook()
{
    return {QColor(0x2F, 0x86, 0xD0), QColor(0x14, 0x5A, 0xA0), QColor(0xFF, 0xFF, 0xFF)};
}

void paintKey(QPainter& p, const Key& key, const KeyLook& look)
{
    const QRectF r = QRectF(key.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    p.save();
    // The lower side of the cap, then its top face a little above it.
    p.setPen(Qt::NoPen);
    p.setBrush(look.edge.lighter(118));
    p.drawRoundedRect(r, kRadius, kRadius);
    const QRectF top = r.adjusted(0, 0, 0, -kSide);
    QLinearGradient shade(top.topLeft(), top.bottomLeft());
    shade.setColorAt(0, look.face.lighter(106));
    shade.setColorAt(1, look.face);
    p.setBrush(shade);
    QColor outline = look.edge;
    outline.setAlpha(170);
    p.setPen(QPen(outline, 1));
    p.drawRoundedRect(top, kRadius - 1, kRadius - 1);

    p.setPen(look.text);
    const bool letter = key.caption.size() == 1;
    if (!key.shifted.isEmpty()) {
        // Shifted sign above, the key's own below, as printed on caps.
        const QRectF upper(top.left(), top.top() + 2, top.width(), top.height() / 2 - 1);
        const QRectF lower(top.left(), top.center().y() - 2, top.width(), top.height() / 2);
        QColor soft = look.text;
        soft.setAlphaF(0.62);
        p.setPen(soft);
        p.setFont(pictureFont(13));
        p.drawText(upper, Qt::AlignCenter, key.shifted);
        p.setPen(look.text);
        p.setFont(pictureFont(16, true));
        p.drawText(lower, Qt::AlignCenter, key.caption);
    } else if (letter) {
        // Sized to a one-row cap, so tall keys (+ on the pad) match the rest.
        p.setFont(pictureFont(qRound(qMin(top.height(), top.width()) * 0.45), true));
        p.drawText(top.adjusted(0, -1, 0, key.bump ? -5 : -1), Qt::AlignCenter, key.caption);
    } else {
        p.setFont(pictureFont(12));
        p.drawText(top, Qt::AlignCenter, key.caption);
    }
    if (key.bump) {
        QColor mark = look.text;
        mark.setAlphaF(0.55);
        p.setPen(QPen(mark, 2.2, Qt::SolidLine, Qt::RoundCap));
        const qreal y = top.bottom() - 7;
        p.drawLine(QPointF(top.center().x() - 6, y), QPointF(top.center().x() + 6, y));
    }
    p.restore();
}

void paintBoard(QPainter& p, Board board, const std::function<KeyLook(const Key&)>& lookOf)
{
    const QSize size = boardSize(board);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The case: a white tray with a soft blue rim and a faint drop shadow.
    const QRectF tray = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1.5, 1.5, -1.5, -3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x8C, 0xB8, 40));
    p.drawRoundedRect(tray.translated(0, 2.5), 14, 14);
    QLinearGradient tray_shade(tray.topLeft(), tray.bottomLeft());
    tray_shade.setColorAt(0, QColor(0xFB, 0xFD, 0xFF));
    tray_shade.setColorAt(1, QColor(0xEC, 0xF4, 0xFB));
    p.setBrush(tray_shade);
    p.setPen(QPen(QColor(0x9C, 0xC3, 0xE0), 1.5));
    p.drawRoundedRect(tray, 14, 14);

    for (const Key& key : keys(board)) {
        paintKey(p, key, lookOf(key));
    }
    p.restore();
}

QImage boardPicture(Board board, const std::function<KeyLook(const Key&)>& lookOf)
{
    QImage image(boardSize(board), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintBoard(p, board, lookOf);
    return image;
}

QImage boardPicture(Board board)
{
    return boardPicture(board, [](const Key& key) { return zoneLook(key.finger); });
}

QImage highlightPicture(Board board, const Key& key)
{
    const QRect area = highlightRect(board, key.label);
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(-area.topLeft());

    // A glow fading outwards from the cap.
    const KeyLook lit = litLook();
    p.setPen(Qt::NoPen);
    for (int i = kGlow; i > 0; --i) {
        QColor glow = lit.face;
        glow.setAlpha(18 + (kGlow - i) * 14);
        p.setBrush(glow);
        const QRectF ring = QRectF(key.rect).adjusted(-i, -i, i, i);
        p.drawRoundedRect(ring, kRadius + i, kRadius + i);
    }
    paintKey(p, key, lit);
    return image;
}

} // namespace tesmara::keyboard
