#include "controls/ui/TS.h"

#include "controls/ui/Skin.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <numeric>

namespace tesmara {

namespace {
constexpr int kTabPad = 14;
// The least room beside a caption: the caption is drawn 4 pixels in from
// the tab's edges.
constexpr int kTightPad = 5;
constexpr int kMinTab = 48;
constexpr int kRaise = 3; // unchosen folder tabs sit this much lower
} // namespace

TS::TS(QWidget* parent) : QWidget(parent), m_foreColor(skin::text()), m_selectColor(skin::selectedTab())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    Make_Form();
}

void TS::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
    update();
}

void TS::setSelectColor(const QColor& colour)
{
    m_selectColor = colour;
    update();
}

void TS::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void TS::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void TS::setTSType(int type)
{
    m_type = type;
    Make_Form();
}

void TS::setTSMyLong(int count)
{
    m_count = qMax(0, count);
    Make_Form();
}

void TS::setTSETrue(bool equal)
{
    m_equal = equal;
    Make_Form();
}

void TS::setTSWhoUp(int index)
{
    if (index < 0 || index >= m_count || index == m_current) {
        return;
    }
    m_current = index;
    update();
}

void TS::Make_Form()
{
    while (m_captions.size() < m_count) {
        m_captions.append(QString());
    }
    m_captions.resize(m_count);
    if (m_current >= m_count) {
        m_current = qMax(0, m_count - 1);
    }
    m_hot = -1;
    layoutTabs();
    updateGeometry();
    update();
}

void TS::Set_Text(int index, const QString& caption)
{
    if (index < 0 || index >= m_captions.size()) {
        return;
    }
    m_captions[index] = caption;
    layoutTabs();
    updateGeometry();
    update();
}

QString TS::Get_Text(int index) const
{
    return index >= 0 && index < m_captions.size() ? m_captions.at(index) : QString();
}

void TS::Clear()
{
    for (QString& caption : m_captions) {
        caption.clear();
    }
    layoutTabs();
    update();
}

QRect TS::tabRect(int index) const
{
    return index >= 0 && index < m_rects.size() ? m_rects.at(index) : QRect();
}

int TS::tabAt(const QPoint& pos) const
{
    for (int i = 0; i < m_rects.size(); ++i) {
        if (m_rects.at(i).contains(pos)) {
            return i;
        }
    }
    return -1;
}

QList<int> TS::captionWidths() const
{
    // The chosen tab is drawn bold: every caption is measured so.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    QList<int> widths;
    for (const QString& caption : m_captions) {
        widths.append(fm.horizontalAdvance(caption));
    }
    return widths;
}

QSize TS::sizeHint() const
{
    // The tabs leave the strip's last pixel column free.
    int w = 1;
    for (int caption : captionWidths()) {
        w += qMax(caption + 2 * kTabPad, kMinTab);
    }
    return QSize(qMax(w, 60), QFontMetrics(font()).height() + 14);
}

QSize TS::minimumSizeHint() const
{
    int w = 1;
    for (int caption : captionWidths()) {
        w += qMax(caption + 2 * kTightPad, kMinTab);
    }
    return QSize(qMax(w, 60), sizeHint().height());
}

void TS::layoutTabs()
{
    m_rects.clear();
    if (m_count == 0) {
        return;
    }
    const QList<int> captions = captionWidths();
    auto padded = [&](int pad) {
        QList<int> widths;
        for (int caption : captions) {
            widths.append(qMax(caption + 2 * pad, kMinTab));
        }
        return widths;
    };
    auto sum = [](const QList<int>& widths) { return std::accumulate(widths.begin(), widths.end(), 0); };
    // Part i of `room` shared out evenly.
    auto share = [this](int room, int i) { return room * (i + 1) / m_count - room * i / m_count; };

    const int available = width() - 1;
    QList<int> widths = padded(kTabPad);
    if (m_equal || sum(widths) > available) {
        const QList<int> tight = padded(kTightPad);
        const int tightWidest = *std::max_element(tight.begin(), tight.end());
        if ((m_equal && tightWidest * m_count <= available) || sum(tight) > available) {
            // Equal tabs: asked for, or the last resort with captions cut.
            for (int i = 0; i < m_count; ++i) {
                widths[i] = share(available, i);
            }
        } else {
            // Each tab keeps its whole caption; the room left is shared.
            const int spare = available - sum(tight);
            for (int i = 0; i < m_count; ++i) {
                widths[i] = tight[i] + share(spare, i);
            }
        }
    }
    int x = 0;
    for (int w : widths) {
        m_rects.append(QRect(x, 0, w, height()));
        x += w;
    }
}

void TS::resizeEvent(QResizeEvent* e)
{
    layoutTabs();
    QWidget::resizeEvent(e);
}

void TS::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        layoutTabs();
        updateGeometry();
    }
    if (e->type() == QEvent::EnabledChange) {
        m_hot = -1;
        update();
    }
    QWidget::changeEvent(e);
}

bool TS::event(QEvent* e)
{
    if (e->type() == QEvent::HoverLeave && m_hot != -1) {
        m_hot = -1;
        update();
    }
    return QWidget::event(e);
}

void TS::pick(int index)
{
    if (index < 0 || index >= m_count || !isEnabled()) {
        return;
    }
    m_current = index;
    update();
    emit Click();
}

void TS::mousePressEvent(QMouseEvent* e)
{
    const int index = tabAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || index < 0) {
        e->ignore();
        return;
    }
    pick(index);
}

void TS::mouseMoveEvent(QMouseEvent* e)
{
    const int index = isEnabled() ? tabAt(e->position().toPoint()) : -1;
    if (index != m_hot) {
        m_hot = index;
        update();
    }
}

void TS::keyPressEvent(QKeyEvent* e)
{
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        e->ignore();
        return;
    }
    int target = 0;
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        target = m_current - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        target = m_current + 1;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = m_count - 1;
        break;
    default:
        e->ignore();
        return;
    }
    if (target >= 0 && target < m_count && target != m_current) {
        pick(target);
    }
}

void TS::paintTab(QPainter& p, int index)
{
    const bool enabled = isEnabled();
    const bool chosen = index == m_current;
    const bool hot = index == m_hot && !chosen;
    QRectF r = QRectF(m_rects.at(index)).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor edge = enabled ? (hot ? skin::borderHot() : skin::border()) : QColor(0xB2, 0xC6, 0xD6);
    QPainterPath path;
    if (m_type == 1) {
        path.addRoundedRect(r.adjusted(1, 1, -1, -1), 4, 4);
    } else {
        if (!chosen) {
            r.setTop(r.top() + kRaise);
        }
        const qreal radius = 5;
        path.moveTo(r.bottomLeft());
        path.lineTo(r.left(), r.top() + radius);
        path.quadTo(r.topLeft(), QPointF(r.left() + radius, r.top()));
        path.lineTo(r.right() - radius, r.top());
        path.quadTo(r.topRight(), QPointF(r.right(), r.top() + radius));
        path.lineTo(r.bottomRight());
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (chosen) {
        const QColor top = enabled ? m_selectColor : skin::fieldDisabled();
        g.setColorAt(0, top);
        g.setColorAt(1, top);
    } else if (!enabled) {
        g.setColorAt(0, QColor(0xEE, 0xF3, 0xF7));
        g.setColorAt(1, QColor(0xE0, 0xE9, 0xF0));
    } else if (hot) {
        g.setColorAt(0, QColor(0xFA, 0xFD, 0xFF));
        g.setColorAt(1, QColor(0xDE, 0xF0, 0xFC));
    } else {
        g.setColorAt(0, QColor(0xEC, 0xF6, 0xFD));
        g.setColorAt(1, QColor(0xCF, 0xE6, 0xF6));
    }
    p.setPen(QPen(edge, 1.0));
    p.setBrush(g);
    p.drawPath(path);
    if (chosen && enabled) {
        // An accent bar along the top of the chosen tab.
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(skin::focus());
        const QRectF bar = m_type == 1 ? QRectF(r.left() + 6, r.bottom() - 4, r.width() - 12, 2.5)
                                       : QRectF(r.left() + 3, r.top() + 0.5, r.width() - 6, 2.5);
        p.drawRoundedRect(bar, 1.2, 1.2);
        p.restore();
    }
    QRectF textRect = r.adjusted(4, chosen || m_type == 1 ? 1 : 0, -4, 0);
    QColor ink = enabled ? m_foreColor : skin::textDisabled();
    if (chosen && enabled) {
        ink = skin::focus().darker(125);
    }
    p.setPen(ink);
    QFont f = font();
    f.setBold(chosen);
    p.setFont(f);
    const QString caption = QFontMetrics(f).elidedText(m_captions.at(index), Qt::ElideRight, int(textRect.width()));
    p.drawText(textRect, Qt::AlignCenter, caption);
    if (chosen && hasFocus()) {
        skin::paintFocusRing(p, r.adjusted(3, 5, -3, -3), 2.5);
    }
}

void TS::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_type != 1) {
        // Base line that the chosen tab opens into.
        p.setPen(QPen(isEnabled() ? skin::border() : QColor(0xB2, 0xC6, 0xD6), 1.0));
        p.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
    }
    for (int i = 0; i < m_rects.size(); ++i) {
        if (i != m_current) {
            paintTab(p, i);
        }
    }
    if (m_current < m_rects.size()) {
        paintTab(p, m_current);
    }
}

} // namespace tesmara
