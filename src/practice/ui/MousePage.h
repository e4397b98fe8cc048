#pragma once

#include "controls/ui/My_Frame.h"
#include "practice/MouseField.h"
#include "practice/MouseSettings.h"

#include <QHash>
#include <QPixmap>

#include <array>

class QComboBox;

namespace tesmara {

class ClockTimer;
class Cmd;
class MSG_Label;
class Option;
class RunTimer;

// A picture control: shows its picture, or a plain field without one.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    // `plain` fills the box when it has no picture; invalid leaves it clear.
    PictureBox(const QColor& plain, QWidget* parent);
    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    // The file the picture came from; empty when there is none.
    const QString& source() const { return m_source; }
    // Loads `path`; a file that cannot be read leaves the box without a picture.
    void load(const QString& path);
    void clear();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap m_picture;
    QString m_source;
    QColor m_plain;
};

// One mouse of the play area: shows its icon and reports the buttons and
// the pointer as the mouse practice reads them.
class MouseSprite : public QWidget {
    Q_OBJECT
public:
    MouseSprite(int index, QWidget* parent);
    void setPicture(const QPixmap& picture);
    int icon() const { return m_icon; }
    void setIcon(int icon) { m_icon = icon; }

signals:
    void pressed(int index, bool leftButton);
    void clicked(int index);
    void doubleClicked(int index);
    // The pointer moved with a button held, to `at` pixels inside the mouse.
    void moved(int index, QPoint at);
    void released(int index);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    int m_index;
    int m_icon = 0;
    QPixmap m_picture;
    Qt::MouseButton m_button = Qt::NoButton;
    bool m_doubleClicked = false;
};

// The mouse practice panel `Frame_Test_Mouse`: the play area with its
// background, three running mice and the drag target, the choice of
// difficulty, background and action, the pause button, the counts and the
// practice time.
class MousePage : public My_Frame {
    Q_OBJECT
public:
    static constexpr int kActions = 6;

    MousePage(Clock* clock, RandomSource* random, QWidget* parent);

    PictureBox* Image_Test_Mouse = nullptr;
    PictureBox* Image_MT = nullptr;
    std::array<MouseSprite*, MouseField::kMice> Image_Mouse{};
    ClockTimer* Timer_MouseTest = nullptr;
    RunTimer* Timer_OverTime = nullptr; // the practice time, each second
    QComboBox* Combo_Test_Mouse_Hard = nullptr;
    QComboBox* Combo_Test_Mouse_BackPic = nullptr;
    My_Frame* Frame_MT = nullptr;
    std::array<Option*, kActions> Option_Test_Mouse_Mode{};
    Cmd* CMD_Test_Mouse_Pause = nullptr;
    MSG_Label* Label_M_RW = nullptr;
    MSG_Label* Label_M_Time = nullptr;
    MSG_Label* Label_M_MSG = nullptr;

    // Opens the page with the stored settings, pictures from `folder`, the
    // counts and the clock at 0, and sets the mice running.
    void start(const MouseSettings& settings, const QString& folder);
    // Stops both timers and clears the pictures; the window then hides it.
    void stop();
    // The choices as stored.
    MouseSettings settings() const;

    void Combo_Test_Mouse_Hard_Click();
    void Combo_Test_Mouse_BackPic_Click();
    void Option_Test_Mouse_Mode_Click(int index);
    void CMD_Test_Mouse_Pause_Click();

    const MouseField& field() const { return m_field; }
    qint32 seconds() const { return m_seconds; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void buildControls();
    void placeControls();
    void connectMice();
    // Shows the mice where the field has them, and the counts.
    void showField();
    const QPixmap& iconPicture(int icon);
    int chosenAction() const;

    MSG_Label* m_hardCaption = nullptr;
    MSG_Label* m_backPicCaption = nullptr;
    MouseField m_field;
    qint32 m_seconds = 0;
    QString m_folder;
    QHash<int, QPixmap> m_icons;
};

} // namespace tesmara
