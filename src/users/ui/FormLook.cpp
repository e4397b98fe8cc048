#include "users/ui/FormLook.h"

#include "controls/ui/Skin.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

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
                          "color: %4; selection-background-color: %5; }"
                          "%1:focus { border-color: %5; }"
                          "%1:disabled { background: %6; color: %7; }")
        .arg(QLatin1String(type), colourName(skin::field()), colourName(skin::border()), colourName(skin::text()),
             colourName(skin::focus()), colourName(skin::fieldDisabled()), colourName(skin::textDisabled()));
}

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
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid %3; border-radius: 5px; }")
                             .arg(name, colourName(background()), colourName(skin::border())));
    return frame;
}

QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("background: transparent; border: none; color: %1;")
                             .arg(colourName(skin::text())));
    return label;
}

QComboBox* comboBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setEditable(false);
    box->setStyleSheet(fieldStyle("QComboBox") +
                       QStringLiteral("QComboBox QAbstractItemView { background: %1; color: %2; "
                                      "selection-background-color: %3; }")
                           .arg(colourName(skin::field()), colourName(skin::text()), colourName(skin::focus())));
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
