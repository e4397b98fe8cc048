#pragma once

#include "controls/ui/My_Frame.h"
#include "practice/RunFigures.h"

namespace tesmara {

class Check_Box;
class Cmd;
class MSG_Label;
class Text;

// The run controls under the line pairs (`Frame_Sum`): the begin and stop
// buttons, the run length `Test_Time`, and the live counts (`Frame_See_Sum`)
// and times (`Frame_See_Time`), each shown while its check box is ticked.
class RunPanel : public My_Frame {
    Q_OBJECT
public:
    explicit RunPanel(QWidget* parent = nullptr);

    Cmd* CMD_Begin = nullptr;
    Cmd* CMD_Stop = nullptr;
    Check_Box* Check_Sum = nullptr;
    Check_Box* Check_Time = nullptr;
    Text* Test_Time = nullptr;
    My_Frame* Frame_See_Sum = nullptr;
    My_Frame* Frame_See_Time = nullptr;

    void showLabels(const LiveLabels& labels);
    // Ctrl+S and Ctrl+T: flip a check box and its frame.
    void toggleSum();
    void toggleTime();
    // Selects the run length and gives it the focus.
    void focusTestTime();

private:
    My_Frame* buildTimeFrame();
    My_Frame* buildSumFrame();
    QWidget* buildControls();

    MSG_Label* m_timeUse = nullptr;
    MSG_Label* m_timeFree = nullptr;
    MSG_Label* m_speed = nullptr;
    MSG_Label* m_right = nullptr;
    MSG_Label* m_wrong = nullptr;
    MSG_Label* m_percent = nullptr;
    MSG_Label* m_one = nullptr;
    MSG_Label* m_speed2 = nullptr;
};

} // namespace tesmara
