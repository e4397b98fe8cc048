#include "controls/ui/Cmd.h"

#include "controls/ui/Skin.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

namespace tesmara {

namespace {
constexpr int kPadX = 10;
constexpr int kIconGap = 5;
} // namespace

Cmd::Cmd(QWidget* parent) : Cmd(QString(), parent) {}

Cmd::Cmd(const QString& caption, QWidget* parent) : QWidget(parent), m_foreColor(skin::text())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setCaption(caption);
}

void Cmd::setCaption(const QString& caption)
{
    m_caption = caption;
    updateShortcut();
    L_P_C();
    updateGeometry();
}

void Cmd::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
    update();
}

void Cmd::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void Cmd::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    skin::applyPointer(this, m_mousePointer, m_mouseIcon);
}

void Cmd::setCMDType(int type)
{
    m_type = type;
    update();
}

void Cmd::setDefault(bool on)
{
    m_default = on;
    if (on) {
        setCMDType(2);
    }
    watchWindow();
}

void Cmd::watchWindow()
{
    QWidget* target = m_default ? window() : nullptr;
    if (target == this) {
        target = nullptr;
    }
    if (target == m_watched) {
        return;
    }
    if (m_watched) {
        m_watched->removeEventFilter(this);
    }
    m_watched = target;
    if (m_watched) {
        m_watched->installEventFilter(this);
    }
}

bool Cmd::eventFilter(QObject* watched, QEvent* e)
{
    // A key press reaches the window only when no control on its way used
    // it: Enter then presses the default button.
    if (watched == m_watched && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && isVisible() && isEnabled()) {
            key->accept();
            click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void Cmd::setIcon(const QPixmap& icon)
{
    m_icon = icon;
    L_P_C();
    updateGeometry();
}

void Cmd::updateShortcut()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_caption);
    if (!mnemonic.isEmpty()) {
        m_shortcutId = grabShortcut(mnemonic);
    }
}

void Cmd::L_P_C()
{
    const QFontMetrics fm(font());
    const QSize text = fm.size(Qt::TextShowMnemonic, m_caption);
    QSize icon;
    if (!m_icon.isNull()) {
        const int side = qMin(height() - 6, 20);
        icon = m_icon.size().scaled(side, side, Qt::KeepAspectRatio);
    }
    const int gap = (!icon.isEmpty() && !m_caption.isEmpty()) ? kIconGap : 0;
    const int total = icon.width() + gap + text.width();
    int x = (width() - total) / 2;
    if (!icon.isEmpty()) {
        m_iconRect = QRect(QPoint(x, (height() - icon.height()) / 2), icon);
        x += icon.width() + gap;
    } else {
        m_iconRect = QRect();
    }
    m_captionRect = QRect(x, 0, text.width(), height());
    update();
}

void Cmd::Paint_Picture()
{
    repaint();
}

void Cmd::click()
{
    if (!isEnabled()) {
        return;
    }
    emit Click();
}

QSize Cmd::sizeHint() const
{
    const QFontMetrics fm(font());
    const QSize text = fm.size(Qt::TextShowMnemonic, m_caption);
    int w = text.width() + 2 * kPadX + 8;
    if (!m_icon.isNull()) {
        w += 20 + kIconGap;
    }
    return QSize(qMax(w, 75), qMax(fm.height() + 12, 25));
}

QSize Cmd::minimumSizeHint() const
{
    return QSize(24, 18);
}

bool Cmd::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Shortcut: {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->shortcutId() == m_shortcutId) {
            if (focusPolicy() != Qt::NoFocus) {
                setFocus(Qt::ShortcutFocusReason);
            }
            click();
            return true;
        }
        break;
    }
    case QEvent::ParentChange:
    case QEvent::Show:
        watchWindow();
        break;
    case QEvent::HoverEnter:
        m_hot = true;
        update();
        break;
    case QEvent::HoverLeave:
        m_hot = false;
        update();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void Cmd::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        L_P_C();
        updateGeometry();
    } else if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_mouseDown = m_spaceDown = false;
            setDown(false);
            m_hot = false;
        }
        update();
    }
    QWidget::changeEvent(e);
}

void Cmd::resizeEvent(QResizeEvent* e)
{
    L_P_C();
    QWidget::resizeEvent(e);
}

void Cmd::setDown(bool down)
{
    if (m_down != down) {
        m_down = down;
        update();
    }
}

void Cmd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool enabled = isEnabled();
    skin::Look look = skin::Look::Normal;
    if (!enabled) {
        look = skin::Look::Disabled;
    } else if (m_down) {
        look = skin::Look::Down;
    } else if (m_hot) {
        look = skin::Look::Hot;
    }
    const bool accent = m_type == 2;
    const bool flatResting = m_type == 1 && look == skin::Look::Normal && !hasFocus();
    if (!flatResting) {
        skin::paintFace(p, rect(), look, 4.0, accent);
    }
    const QPoint shift = m_down ? QPoint(1, 1) : QPoint();
    if (!m_iconRect.isEmpty()) {
        if (enabled) {
            p.drawPixmap(m_iconRect.translated(shift), m_icon);
        } else {
            p.setOpacity(0.45);
            p.drawPixmap(m_iconRect, m_icon);
            p.setOpacity(1.0);
        }
    }
    QColor ink = m_foreColor;
    if (!enabled) {
        ink = skin::textDisabled();
    } else if (accent) {
        ink = Qt::white;
    }
    p.setPen(ink);
    p.setFont(font());
    p.drawText(m_captionRect.translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, m_caption);
    if (hasFocus()) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(skin::focus(), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4.0, 4.0);
        p.restore();
        skin::paintFocusRing(p, QRectF(rect()).adjusted(3, 3, -3, -3), 2.5);
    }
}

void Cmd::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    m_mouseDown = true;
    setDown(true);
}

void Cmd::mouseMoveEvent(QMouseEvent* e)
{
    const bool inside = rect().contains(e->position().toPoint());
    if (m_hot != inside) {
        m_hot = inside;
        update();
    }
    if (m_mouseDown) {
        setDown(inside);
    }
}

void Cmd::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_mouseDown) {
        e->ignore();
        return;
    }
    m_mouseDown = false;
    const bool inside = rect().contains(e->position().toPoint());
    setDown(false);
    if (inside) {
        click();
    }
}

void Cmd::keyPressEvent(QKeyEvent* e)
{
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (e->key()) {
    case Qt::Key_Space:
        if (plain && !e->isAutoRepeat()) {
            m_spaceDown = true;
            setDown(true);
        }
        if (plain) {
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain) {
            click();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (plain) {
            focusPreviousChild();
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (plain) {
            focusNextChild();
            return;
        }
        break;
    default:
        break;
    }
    e->ignore();
}

void Cmd::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && m_spaceDown) {
        m_spaceDown = false;
        setDown(false);
        click();
        return;
    }
    e->ignore();
}

void Cmd::focusOutEvent(QFocusEvent* e)
{
    if (m_spaceDown) {
        m_spaceDown = false;
        setDown(false);
    }
    QWidget::focusOutEvent(e);
}

} // namespace tesmara
