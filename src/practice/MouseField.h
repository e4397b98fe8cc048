#pragma once

#include "app/Clock.h"
#include "practice/MousePictures.h"

#include <QString>

#include <array>

namespace tesmara {

// The play of the mouse practice, in twips of its panel. Three mice run from
// the left edge of the play area towards the right, wandering up and down,
// one step per tick of the movement timer; the user kills them with the
// chosen action before they get away. Counts start at 0.
class MouseField {
public:
    static constexpr int kMice = 3;
    static constexpr int kLiveIcons = mousepictures::kLiveIcons;

    // The six actions, as the options list them.
    enum Action { LeftClick, LeftDoubleClick, RightClick, RightDoubleClick, LeftDrag, RightDrag };

    struct Mouse {
        // 1..18 alive with live icon 200 + stage; 19 and up just killed,
        // relaunched when the count reaches 30.
        qint16 stage = 0;
        int icon = 0; // the icon number shown
        int left = 0;
        int top = 0;
        bool alive() const { return stage >= 1 && stage <= kLiveIcons; }
    };

    // Places and limits (twips of the panel).
    static constexpr int kEscapeLeft = 11200; // a mouse past it got away
    static constexpr int kEscapeTop = 5000;
    static constexpr int kTargetTop = 5000; // top of the drag target strip

    explicit MouseField(RandomSource* random = nullptr);

    int action() const { return m_action; }
    void setAction(int action);
    bool dragAction() const { return m_action == LeftDrag || m_action == RightDrag; }

    // Counts back to 0 and the three mice launched anew, the second and the
    // third a little behind the left edge.
    void restart();
    // One step of the movement timer.
    void tick();

    // A button pressed on mouse m: remembers the button and, in the drag
    // action of that button, starts dragging a live mouse.
    void press(int m, bool leftButton);
    void click(int m);
    void doubleClick(int m);
    // The pointer moved to (x, y) twips inside mouse m while dragging it.
    void dragMove(int m, int x, int y);
    // The button was released, or the page stopped: no drag any more.
    void endDrag() { m_dragged = -1; }
    int dragged() const { return m_dragged; }

    const Mouse& mouse(int m) const { return m_mice[m]; }
    // Puts mouse m at a place (tests start from exact places).
    void place(int m, int left, int top)
    {
        m_mice[m].left = left;
        m_mice[m].top = top;
    }
    qint32 kills() const { return m_kills; }
    qint32 escapes() const { return m_escapes; }
    // The text of Label_M_RW.
    const QString& countsText() const { return m_countsText; }

private:
    void relaunch(Mouse& mouse);
    void kill(Mouse& mouse, qint16 stage);
    int randomBelow(int n);

    RandomSource* m_random;
    std::array<Mouse, kMice> m_mice{};
    int m_action = LeftClick;
    bool m_leftButton = true;
    int m_dragged = -1;
    qint32 m_kills = 0;
    qint32 m_escapes = 0;
    QString m_countsText;
};

} // namespace tesmara
