#include "controls/ui/Skin.h"

#include "controls/ui/ProgramFonts.h"
#include "controls/ui/SkinStyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWidget>

namespace tesmara::skin {

QColor fromVb(quint32 bbggrr)
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}

quint32 toVb(const QColor& colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

QColor window()
{
    return fromVb(kWindowVb);
}

QColor text()
{
    return QColor(0x14, 0x35, 0x52);
}

QColor textDisabled()
{
    return QColor(0x86, 0x9C, 0xAE);
}

QColor border()
{
    return QColor(0x78, 0xAE, 0xD8);
}

QColor borderHot()
{
    return QColor(0x2F, 0x86, 0xD0);
}

QColor focus()
{
    return QColor(0x1A, 0x6C, 0xC0);
}

QColor field()
{
    return QColor(0xFF, 0xFF, 0xFF);
}

QColor fieldDisabled()
{
    return QColor(0xEC, 0xF2, 0xF6);
}

QColor selectedTab()
{
    return QColor(0xFF, 0xFF, 0xFF);
}

QStringList fontFamilies()
{
    QStringList families{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                         QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
                         QStringLiteral("Sans Serif")};
    // The program's own face first; what it lacks comes from the full face.
    if (programFaceAdded()) {
        families.prepend(QStringLiteral("Tesmara Sans"));
    }
    return families;
}

QFont font(qreal pointSize)
{
    QFont f;
    f.setFamilies(fontFamilies());
    f.setPointSizeF(pointSize);
    f.setStyleHint(QFont::SansSerif);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferDefault | QFont::PreferNoShaping));
    return f;
}

void chooseFallbackFaces()
{
    const QFontMetrics metrics(font());
    // Digits and punctuation, Latin letters and Chinese characters: each
    // script has its own list, and each list is a sort of every font on the
    // system.
    for (const QString& text : {QStringLiteral("0"), QStringLiteral("A"), QStringLiteral("练")}) {
        metrics.horizontalAdvance(text);
    }
}

void install()
{
    QApplication::setStyle(new SkinStyle);
    QApplication::setFont(font());
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Window, window());
    pal.setColor(QPalette::WindowText, text());
    pal.setColor(QPalette::Base, field());
    pal.setColor(QPalette::AlternateBase, QColor(0xEE, 0xF7, 0xFD));
    pal.setColor(QPalette::Text, text());
    pal.setColor(QPalette::ButtonText, text());
    pal.setColor(QPalette::Button, QColor(0xE2, 0xF1, 0xFB));
    pal.setColor(QPalette::Highlight, QColor(0x3A, 0x8E, 0xD6));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFD, 0xE8));
    pal.setColor(QPalette::ToolTipText, text());
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        pal.setColor(QPalette::Disabled, role, textDisabled());
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, fieldDisabled());
    QApplication::setPalette(pal);
}

void applyPointer(QWidget* widget, int mousePointer, const QPixmap& mouseIcon)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (mousePointer) {
    case 0:
        widget->unsetCursor();
        return;
    case 99:
        if (mouseIcon.isNull()) {
            widget->unsetCursor();
        } else {
            widget->setCursor(QCursor(mouseIcon));
        }
        return;
    case 2:
        shape = Qt::CrossCursor;
        break;
    case 3:
        shape = Qt::IBeamCursor;
        break;
    case 4:
    case 5:
    case 15:
        shape = Qt::SizeAllCursor;
        break;
    case 6:
        shape = Qt::SizeBDiagCursor;
        break;
    case 7:
        shape = Qt::SizeVerCursor;
        break;
    case 8:
        shape = Qt::SizeFDiagCursor;
        break;
    case 9:
        shape = Qt::SizeHorCursor;
        break;
    case 10:
        shape = Qt::UpArrowCursor;
        break;
    case 11:
        shape = Qt::WaitCursor;
        break;
    case 12:
        shape = Qt::ForbiddenCursor;
        break;
    case 13:
        shape = Qt::BusyCursor;
        break;
    case 14:
        shape = Qt::WhatsThisCursor;
        break;
    default:
        shape = Qt::ArrowCursor;
        break;
    }
    widget->setCursor(shape);
}

namespace {

QPainterPath rounded(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

} // namespace

void paintFace(QPainter& p, const QRectF& r, Look look, qreal radius, bool accent)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(outer.topLeft(), outer.bottomLeft());
    QColor edge = border();
    switch (look) {
    case Look::Normal:
        if (accent) {
            g.setColorAt(0, QColor(0x5C, 0xA8, 0xE8));
            g.setColorAt(1, QColor(0x2C, 0x7D, 0xC8));
            edge = QColor(0x23, 0x6A, 0xAE);
        } else {
            g.setColorAt(0, QColor(0xFB, 0xFD, 0xFF));
            g.setColorAt(0.5, QColor(0xEA, 0xF5, 0xFD));
            g.setColorAt(1, QColor(0xD3, 0xE9, 0xF8));
        }
        break;
    case Look::Hot:
        if (accent) {
            g.setColorAt(0, QColor(0x74, 0xBA, 0xF2));
            g.setColorAt(1, QColor(0x38, 0x8C, 0xD8));
            edge = QColor(0x1C, 0x60, 0xA4);
        } else {
            g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
            g.setColorAt(0.45, QColor(0xEC, 0xF7, 0xFF));
            g.setColorAt(1, QColor(0xC4, 0xE3, 0xFA));
            edge = borderHot();
        }
        break;
    case Look::Down:
        if (accent) {
            g.setColorAt(0, QColor(0x24, 0x6E, 0xB6));
            g.setColorAt(1, QColor(0x3B, 0x88, 0xD0));
            edge = QColor(0x1A, 0x55, 0x90);
        } else {
            g.setColorAt(0, QColor(0xB9, 0xDB, 0xF3));
            g.setColorAt(1, QColor(0xD4, 0xEA, 0xF9));
            edge = borderHot();
        }
        break;
    case Look::Disabled:
        g.setColorAt(0, QColor(0xF1, 0xF5, 0xF8));
        g.setColorAt(1, QColor(0xE3, 0xEB, 0xF1));
        edge = QColor(0xB2, 0xC6, 0xD6);
        break;
    }
    if (look == Look::Hot) {
        // A soft glow around a face under the mouse.
        QColor glow = borderHot();
        glow.setAlpha(60);
        p.setPen(QPen(glow, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(rounded(outer.adjusted(-0.5, -0.5, 0.5, 0.5), radius + 0.5));
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(g);
    p.drawPath(rounded(outer, radius));
    if (look == Look::Normal || look == Look::Hot) {
        // A thin inner highlight gives the face its raised look.
        p.setPen(QPen(QColor(255, 255, 255, accent ? 90 : 200), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(rounded(outer.adjusted(1, 1, -1, -1), qMax<qreal>(0, radius - 1)));
    }
    p.restore();
}

void paintField(QPainter& p, const QRectF& r, Look look, bool focused, qreal radius, const QColor& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor inside = fill.isValid() ? fill : field();
    QColor edge = border();
    if (look == Look::Disabled) {
        inside = fill.isValid() ? fill : fieldDisabled();
        edge = QColor(0xB2, 0xC6, 0xD6);
    } else if (look == Look::Down) {
        inside = QColor(0xD8, 0xEC, 0xFA);
        edge = borderHot();
    } else if (look == Look::Hot) {
        if (!fill.isValid()) {
            inside = QColor(0xF4, 0xFA, 0xFF);
        }
        edge = borderHot();
    }
    if (focused && look != Look::Disabled) {
        edge = focus();
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(inside);
    p.drawPath(rounded(outer, radius));
    if (focused && look != Look::Disabled) {
        // A soft halo outside the outline marks the focus.
        QColor halo = focus();
        halo.setAlpha(70);
        p.setPen(QPen(halo, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(rounded(outer.adjusted(-1, -1, 1, 1), radius + 1));
    } else if (look != Look::Disabled) {
        // Inset shadow along the top edge.
        p.setPen(QPen(QColor(0x14, 0x35, 0x52, 28), 1.0));
        p.drawLine(outer.topLeft() + QPointF(radius, 1), outer.topRight() + QPointF(-radius, 1));
    }
    p.restore();
}

void paintFocusRing(QPainter& p, const QRectF& r, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(focus(), 1.0, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
    p.restore();
}

} // namespace tesmara::skin
