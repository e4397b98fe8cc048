#pragma once

#include "controls/ui/My_Frame.h"
#include "practice/SplitDrill.h"

#include <array>

namespace tesmara {

class Check_Box;
class Clock;
class Cmd;
class MSG_Label;
class Option;
class RandomSource;
class RunTimer;
class Text;
class WB_Cut;

// The split drill page `Frame_WB_ChaiZi`: one character at a time, the
// learner types its Wubi code and confirms, and the split picture shows how
// the character is cut into its roots.
class SplitPage : public My_Frame {
    Q_OBJECT
public:
    SplitPage(Clock* clock, RandomSource* random, QWidget* parent = nullptr);

    MSG_Label* Label_Text = nullptr; // the character asked
    Text* Text_Wb_Cut_Wb = nullptr;
    Cmd* CMD_Ok = nullptr;
    Check_Box* Check_Box_WB_Cut = nullptr;
    std::array<Option*, 2> Option_Wb_Cut{}; // 0: Wubi 86, 1: Wubi 98
    MSG_Label* Label_P = nullptr;
    MSG_Label* Label_Wb_Cut_Show = nullptr;
    MSG_Label* Label_Wb_Cut_Time = nullptr;
    RunTimer* Timer_OverTime = nullptr;
    WB_Cut* WB_Cut1 = nullptr;

    // Starts the drill on the page just shown: the pictures loaded, counts
    // and time from 0, the first character asked.
    void start();
    // Leaves the drill: stops the clock and lets go of the pictures.
    void leave();

    // The page's events, as the user's clicks and the clock run them.
    void Wb_Cut_Make_Text();
    void CMD_Ok_Click();
    void Check_Box_WB_Cut_Click();
    void Option_Wb_Cut_Click(int index);
    void Timer_OverTime_Timer();

    const SplitDrill& drill() const { return m_drill; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void placeControls();
    bool wb98() const;
    // Shows the split picture of the current character and, with
    // `withAnswer`, its codes in Label_P.
    void showAnswer(bool withAnswer);

    SplitDrill m_drill;
    RandomSource* m_random;
};

} // namespace tesmara
