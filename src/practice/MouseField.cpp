#include "practice/MouseField.h"

namespace tesmara {

namespace {

// Where the mice wander, and how far a mouse moves in one tick.
constexpr int kWanderTop = 500;     // never rises above
constexpr int kWanderBottom = 3500; // never sinks below by wandering
constexpr int kWanderStep = 100;
constexpr int kForwardStep = 200;
constexpr int kLaunchTop = 1000;
constexpr int kLaunchSpread = 3500;
constexpr int kEntryGap = 1200;
// A killed mouse counts up to this stage, then runs again.
constexpr qint16 kRelaunchStage = 30;
constexpr qint16 kClickKillStage = 20;
constexpr qint16 kDragKillStage = 19;
// Where a dragged mouse may go: strictly between these.
constexpr int kDragLeftMin = 200;
constexpr int kDragLeftMax = 11000;
constexpr int kDragTopMin = 500;
constexpr int kDragTopMax = 5500;

} // namespace

MouseField::MouseField(RandomSource* random) : m_random(random ? random : &defaultRandom())
{
    restart();
}

int MouseField::randomBelow(int n)
{
    return int(n * m_random->unit());
}

void MouseField::setAction(int action)
{
    m_action = qBound(0, action, int(RightDrag));
    endDrag();
}

void MouseField::restart()
{
    m_kills = 0;
    m_escapes = 0;
    m_dragged = -1;
    m_countsText = QStringLiteral("消灭了 0 个，跑了 0 个");
    // The mice enter one after another, from beyond the left edge.
    for (int m = 0; m < kMice; ++m) {
        relaunch(m_mice[m]);
        m_mice[m].left = -m * kEntryGap;
    }
}

void MouseField::relaunch(Mouse& mouse)
{
    const int k = randomBelow(kLiveIcons) + 1;
    mouse.icon = mousepictures::liveIcon(k);
    mouse.stage = qint16(k);
    mouse.left = 0;
    mouse.top = randomBelow(kLaunchSpread) + kLaunchTop;
}

void MouseField::tick()
{
    for (int m = 0; m < kMice; ++m) {
        Mouse& mouse = m_mice[m];
        if (mouse.stage > kLiveIcons) {
            if (++mouse.stage >= kRelaunchStage) {
                relaunch(mouse);
            }
            continue;
        }
        if (m == m_dragged) {
            continue;
        }
        if (randomBelow(2) != 0) {
            if (mouse.top - kWanderStep >= kWanderTop) {
                mouse.top -= randomBelow(kWanderStep);
            }
        } else if (!dragAction() && mouse.top + kWanderStep < kWanderBottom) {
            mouse.top += randomBelow(kWanderStep);
        }
        mouse.left += randomBelow(kForwardStep);
        if (mouse.top > kEscapeTop || mouse.left > kEscapeLeft) {
            ++m_escapes;
            m_countsText = QStringLiteral("消灭了 %1 个，跑了 %2 个").arg(m_kills).arg(m_escapes);
            relaunch(mouse);
        }
    }
}

void MouseField::kill(Mouse& mouse, qint16 stage)
{
    if (mouse.alive()) {
        mouse.icon = mousepictures::deadIcon(mouse.stage);
        mouse.stage = stage;
    }
    ++m_kills;
    m_countsText = QStringLiteral("消灭了 %1 个     跑了 %2 个").arg(m_kills).arg(m_escapes);
}

void MouseField::press(int m, bool leftButton)
{
    if (m < 0 || m >= kMice) {
        return;
    }
    m_leftButton = leftButton;
    const bool matching = (m_action == LeftDrag && leftButton) || (m_action == RightDrag && !leftButton);
    if (matching && m_mice[m].alive()) {
        m_dragged = m;
    }
}

void MouseField::click(int m)
{
    if (m < 0 || m >= kMice) {
        return;
    }
    if ((m_action == LeftClick && m_leftButton) || (m_action == RightClick && !m_leftButton)) {
        kill(m_mice[m], kClickKillStage);
    }
}

void MouseField::doubleClick(int m)
{
    if (m < 0 || m >= kMice) {
        return;
    }
    if ((m_action == LeftDoubleClick && m_leftButton) || (m_action == RightDoubleClick && !m_leftButton)) {
        kill(m_mice[m], kClickKillStage);
    }
}

void MouseField::dragMove(int m, int x, int y)
{
    if (m != m_dragged || m < 0) {
        return;
    }
    Mouse& mouse = m_mice[m];
    const int left = mouse.left + x;
    if (left > kDragLeftMin && left < kDragLeftMax) {
        mouse.left = left;
    }
    const int top = mouse.top + y;
    if (top > kDragTopMin && top < kDragTopMax) {
        mouse.top = top;
    }
    if (mouse.top >= kTargetTop) {
        kill(mouse, kDragKillStage);
        endDrag();
    }
}

} // namespace tesmara
