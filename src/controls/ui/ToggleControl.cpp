#include "controls/ui/ToggleControl.h"

#include "controls/ui/Skin.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace tesmara {

namespace {
constexpr int kBox = 13;
constexpr int kGap = 6;
} // namespace

ToggleControl::ToggleControl(QWidget* parent) : QWidget(parent), m_label(new QLabel(this)), m_foreColor(skin::text())
{
    m_label->setObjectName(QStringLiteral("Label_C"));
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    updateLabelColours();
}

void ToggleControl::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    update();
}

void ToggleControl::setForeColor(const QColor& colour)
{
    m_foreColor = colour;
    updateLabelColours();
}

void ToggleControl::setValue(bool value)
{
    if (m_value != value) {
        m_value = value;
        update();
    }
}

void ToggleControl::setMy_Style(int style)
{
    m_style = style;
    layoutLabel();
    update();
}

QString ToggleControl::Caption() const
{
    return m_label->text();
}

void ToggleControl::setCaption(const QString& caption)
{
    m_label->setText(caption);
    updateGeometry();
}

void ToggleControl::click()
{
    if (!isEnabled()) {
        return;
    }
    setValue(pickedValue());
    emit Click();
}

QSize ToggleControl::sizeHint() const
{
    const QSize text = m_label->sizeHint();
    if (m_style == 1) {
        return QSize(text.width() + 20, qMax(text.height() + 10, 24));
    }
    return QSize(kBox + kGap + text.width() + 4, qMax(text.height() + 2, kBox + 4));
}

void ToggleControl::updateLabelColours()
{
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, m_foreColor);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, m_foreColor);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, skin::textDisabled());
    m_label->setPalette(pal);
}

QRect ToggleControl::indicatorRect() const
{
    return QRect(1, (height() - kBox) / 2, kBox, kBox);
}

void ToggleControl::layoutLabel()
{
    if (m_style == 1) {
        m_label->setAlignment(Qt::AlignCenter);
        m_label->setGeometry(rect().adjusted(4, 2, -4, -2));
    } else {
        m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int x = kBox + kGap;
        m_label->setGeometry(x, 0, qMax(0, width() - x), height());
    }
}

void ToggleControl::resizeEvent(QResizeEvent* e)
{
    layoutLabel();
    QWidget::resizeEvent(e);
}

void ToggleControl::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        m_hot = m_down = m_mouseDown = false;
    }
    if (e->type() == QEvent::FontChange) {
        updateGeometry();
    }
    update();
    QWidget::changeEvent(e);
}

bool ToggleControl::event(QEvent* e)
{
    if (e->type() == QEvent::HoverEnter) {
        m_hot = true;
        update();
    } else if (e->type() == QEvent::HoverLeave) {
        m_hot = false;
        update();
    }
    return QWidget::event(e);
}

void ToggleControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (m_backColor.isValid()) {
        p.fillRect(rect(), m_backColor);
    }
    if (m_style == 1) {
        skin::Look look = skin::Look::Normal;
        if (!isEnabled()) {
            look = skin::Look::Disabled;
        } else if (m_down || m_value) {
            look = skin::Look::Down;
        } else if (m_hot) {
            look = skin::Look::Hot;
        }
        skin::paintFace(p, rect(), look);
        if (hasFocus()) {
            skin::paintFocusRing(p, QRectF(rect()).adjusted(3, 3, -3, -3), 2.5);
        }
        return;
    }
    paintIndicator(p, QRectF(indicatorRect()), m_hot && isEnabled(), m_down);
    if (hasFocus()) {
        const QRect label = m_label->geometry();
        const int textWidth = qMin(label.width(), m_label->sizeHint().width());
        const int textHeight = qMin(label.height(), m_label->sizeHint().height());
        QRectF ring(label.x() - 3, label.y() + (label.height() - textHeight) / 2 - 1, textWidth + 6, textHeight + 2);
        skin::paintFocusRing(p, ring.intersected(QRectF(rect())), 2.0);
    }
}

void ToggleControl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    m_mouseDown = m_down = true;
    update();
}

void ToggleControl::mouseMoveEvent(QMouseEvent* e)
{
    if (m_mouseDown) {
        const bool inside = rect().contains(e->position().toPoint());
        if (inside != m_down) {
            m_down = inside;
            update();
        }
    }
}

void ToggleControl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_mouseDown) {
        e->ignore();
        return;
    }
    m_mouseDown = m_down = false;
    update();
    if (rect().contains(e->position().toPoint())) {
        click();
    }
}

void ToggleControl::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!e->isAutoRepeat()) {
            m_down = true;
            update();
        }
        return;
    }
    e->ignore();
}

void ToggleControl::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat() && m_down) {
        m_down = false;
        update();
        click();
        return;
    }
    e->ignore();
}

} // namespace tesmara
