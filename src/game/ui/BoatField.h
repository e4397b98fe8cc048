#pragma once

#include <QPixmap>
#include <QWidget>

namespace tesmara::game {

// The game's pictures, drawn at build time and embedded in the program:
// the boat (101), the two sinking frames (102, 103) and the water of each
// layout.
QPixmap gamePicture(int id);
QPixmap waterPicture(bool large);

// One boat (`Pic_Boat`): its picture centred on the boat's place, so that
// the larger sinking frames spread around the hull.
class Pic_Boat : public QWidget {
    Q_OBJECT
public:
    // The widget's size: room for the largest picture.
    static constexpr int kWidth = 45;
    static constexpr int kHeight = 120;
    // Where the boat's own 39 × 107 place starts inside the widget.
    static constexpr int kHullX = 3;
    static constexpr int kHullY = 6;

    Pic_Boat(int index, QWidget* parent);

    int picture() const { return m_picture; }
    void setPicture(int id);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_picture = 0;
    QPixmap m_pixmap;
};

// The water (`Image2`) the boats sail on. It keeps the keyboard focus of
// the window: keys travel on to the window, and text committed by an input
// method is handed on as `committed`.
class BoatField : public QWidget {
    Q_OBJECT
public:
    BoatField(bool large, QWidget* parent);

    // Where the input method's candidate window should appear.
    void setCandidateSpot(const QRect& rect) { m_candidateSpot = rect; }

signals:
    void committed(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    QPixmap m_water;
    QRect m_candidateSpot;
};

} // namespace tesmara::game
