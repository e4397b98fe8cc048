#pragma once

#include "controls/ui/My_Frame.h"

class QComboBox;

namespace tesmara {

class MSG_Label;

// The code-tip strip under the line pairs (`Frame_Tips`): the tip kind list
// `Combo_Show_Tips` at the right and the tip `Label_Tips` in the room left
// of it.
class TipsPanel : public My_Frame {
    Q_OBJECT
public:
    explicit TipsPanel(QWidget* parent = nullptr);

    QComboBox* Combo_Show_Tips = nullptr;
    MSG_Label* Label_Tips = nullptr;

    int entry() const;
    void setEntry(int entry);
    static int entryCount();

protected:
    void resizeEvent(QResizeEvent* e) override;
};

} // namespace tesmara
