#include "users/ui/FormLook.h"

#include "controls/ui/Skin.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace tesmara::form {

namespace {

QString colourName(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

// Boxes share the skin's field colours and outline, with the hot outline
// while they have the focus.
QString fieldStyle(const char* type)
{
    return QStringLiteral("%1 { background: %2; border: 1px solid %3; border-radius: 3px; padding: 2px 4px; "
                          "color: %4; selection-background-color: %5; selection-color: white; }"
                          "%1:focus { border-color: %5; }"
                          "%1:disabled { background: %6; color: %7; }")
        .arg(QLatin1String(type), colourName(skin::field()), colourName(skin::border()), colourName(skin::text()),
             colourName(skin::focus()), colourName(skin::fieldDisabled()), colourName(skin::textDisabled()));
}

// A drop-down list drawn like the text boxes beside it, with its own small
// arrow: a style sheet on the box would leave the platform's grey bevel on
// the arrow part.
class SkinComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        // The list is made when it first drops down, not with the window.
        if (!m_listStyled) {
            m_listStyled = true;
            view()->setStyleSheet(
                QStringLiteral("QAbstractItemView { background: %1; color: %2; "
                               "selection-background-color: %3; selection-color: white; }")
                    .arg(colourName(skin::field()), colourName(skin::text()), colourName(skin::focus())));
        }
        QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool enabled = isEnabled();
        p.setPen(QPen(enabled && hasFocus() ? skin::focus() : skin::border(), 1));
        p.setBrush(enabled ? skin::field() : skin::fieldDisabled());
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);

        constexpr int kArrowWidth = 18;
        const QRect textRect = rect().adjusted(6, 0, -kArrowWidth, 0);
        p.setPen(enabled ? skin::text() : skin::textDisabled());
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect.width()));

        const QPointF centre(width() - kArrowWidth / 2.0 - 1, height() / 2.0 + 1);
        const QPointF arrow[3] = {centre + QPointF(-4, -2.5), centre + QPointF(4, -2.5), centre + QPointF(0, 2.5)};
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? skin::text() : skin::textDisabled());
        p.drawPolygon(arrow, 3);
    }

private:
    bool m_listStyled = false;
};

// A group of fields on the form: the window's colour inside a rounded
// outline. Painted here rather than by a style sheet, which would make every
// control inside go through the style-sheet machinery.
class RoundedFrame : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(skin::border(), 1));
        p.setBrush(skin::fromVb(skin::kWindowVb));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    }
};

} // namespace

QColor background()
{
    return skin::fromVb(skin::kWindowVb);
}

void paintBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background());
    palette.setColor(QPalette::WindowText, skin::text());
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setFont(skin::font(9));
}

QLabel* picture(QWidget* parent, const QString& name, const QPixmap& pixmap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->resize(pixmap.size());
    return label;
}

QWidget* frame(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* frame = new RoundedFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, skin::text());
    label->setPalette(palette);
    return label;
}

QComboBox* comboBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new SkinComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setEditable(false);
    return box;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& geometry, bool password)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setStyleSheet(fieldStyle("QLineEdit"));
    if (password) {
        edit->setEchoMode(QLineEdit::Password);
    }
    return edit;
}

} // namespace tesmara::form
