#pragma once

#include "controls/ui/My_Frame.h"
#include "practice/Fingering.h"

#include <array>

class QComboBox;
class QKeyEvent;
class QLabel;

namespace tesmara {

class Check_Box;
class Clock;
class MistakeStore;
class MSG_Label;
class RandomSource;
class RunTimer;
class Sounds;

// The keyboard fingering page `Frame_Test_KeyBoard`: the keyboard (or
// number-pad) picture with the highlight of the key to strike, that key's
// name, the two hands whose finger for it blinks, and the time, counts and
// speed. It runs while it is shown; key presses come from the window.
class KeyboardPage : public My_Frame {
    Q_OBJECT
public:
    KeyboardPage(Clock* clock, RandomSource* random, Sounds* sounds, QWidget* parent = nullptr);

    QComboBox* Combo_Test_KeyBoard = nullptr;
    Check_Box* Check_Test_KeyBoard = nullptr;
    Check_Box* Check_Box_Test_Key_Number = nullptr;
    MSG_Label* Label_Content = nullptr; // "练习内容："
    MSG_Label* Label_D_Time = nullptr;
    MSG_Label* Label_D_RW = nullptr;
    MSG_Label* Label_Speed_R = nullptr;
    MSG_Label* Label_M = nullptr;
    QLabel* Image_Test_Keyboard = nullptr;
    QLabel* Image_D_Go = nullptr;
    QLabel* Image_Test_Keyboard_Hand = nullptr;
    std::array<QLabel*, 5> Image_Test_KeyBoard_HandLeft{};
    std::array<QLabel*, 5> Image_Test_KeyBoard_HandRight{};
    RunTimer* Timer_Key_Borad_Hand = nullptr;
    RunTimer* Timer_OverTime = nullptr;

    // Starts the practice on the page just shown: counts and time from 0,
    // the mode set up, the hands loaded, both timers on.
    void start();
    // Leaves the practice: hides the page, stops both timers and lets go of
    // the pictures.
    void leave();
    // A key press seen by the window; true when the page took it. Only
    // character keys count, once each (no auto-repeat), and only while the
    // page is shown.
    bool keyPress(const QKeyEvent* event);

    // The page's events, as the user's clicks and the timers run them.
    void Key_Press(int code);
    void Check_Box_Test_Key_Number_Click();
    void Check_Test_KeyBoard_Click();
    void Combo_Test_KeyBoard_Click();
    void Timer_Key_Borad_Hand_Timer();
    void Timer_OverTime_Timer();

    // Where the keys of a session are counted: a session lasts from the
    // start (or a switch between keyboard and number pad) until the page is
    // left, the mode switched or the window closed.
    void setMistakeStore(MistakeStore* store) { m_mistakes = store; }
    // Counts the session's keys so far (nothing when none was struck);
    // `ends` false keeps the session going (the statistics are looked at).
    void endSession(bool ends = true);

    // Whether a wrong key sounds (the window's "打错字时发声").
    void setWrongSound(bool on) { m_wrongSound = on; }
    bool numberPad() const { return m_fingering.numberPad(); }
    const Fingering& fingering() const { return m_fingering; }
    QLabel* fingerPicture(int finger) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void placeControls(bool numberPad);
    void loadFingers();
    void showTarget();
    void showFingers();
    void showPicture(QLabel* image, const QString& file);

    Fingering m_fingering;
    Sounds* m_sounds;
    MistakeStore* m_mistakes = nullptr;
    bool m_sessionCounted = false; // the session is a counted run already
    bool m_wrongSound = true;
    QRect m_nameCard;
};

} // namespace tesmara
