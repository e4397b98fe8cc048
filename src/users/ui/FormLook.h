#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// Building blocks shared by the login and user management windows: the
// window colour &HF7E6C8 and the skinned look of labels, boxes and frames.
namespace tesmara::form {

QColor background();
void paintBackground(QWidget* widget);
QLabel* picture(QWidget* parent, const QString& name, const QPixmap& pixmap);
QWidget* frame(QWidget* parent, const QString& name, const QRect& geometry);
QLabel* caption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
QComboBox* comboBox(QWidget* parent, const QString& name, const QRect& geometry);
QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& geometry, bool password);

} // namespace tesmara::form
