#pragma once

#include "game/GameModes.h"

#include <QList>

#include <optional>

class QAction;
class QMenu;
class QMenuBar;

namespace tesmara::game {

// The game window's menu tree. Items carry their control names as
// objectName and, in arrays, their position as "index". Mode and speed
// items are checkable; the window sets their ticks itself.
struct GameMenus {
    QAction* chinese = nullptr;    // Menu_Test_Chinese
    QAction* english = nullptr;    // Menu_Test_English, never available
    QList<QAction*> englishText;   // Menu_Test_English_Text 0 letters, 1 words (not available)
    QList<QAction*> numberText;    // Menu_Test_Number_Text 0..1
    QList<QAction*> wbText;        // Menu_Test_WB_Text 0..7
    QList<QAction*> wbPhrase;      // Menu_Test_WBPhrase_ 0..2
    QAction* normalMode = nullptr; // Menu_Test_Mode_ 0 "普通模式"
    QAction* mute = nullptr;       // Menu_Sound_Sound
    QMenu* speed = nullptr;        // Menu_Speed
    QList<QAction*> speeds;        // Menu_Speed_ 0..5
    QAction* ver = nullptr;        // Menu_Ver

    // The mode item of a mode, and the mode of an item.
    QAction* modeItem(GameMode mode) const;
    // Every mode item with its mode, in the order closing looks for the
    // checked one.
    QList<std::pair<QAction*, GameMode>> modeItems() const;
    std::optional<GameMode> checkedMode() const;
    std::optional<int> checkedSpeed() const;
};

GameMenus buildGameMenus(QMenuBar* bar);

} // namespace tesmara::game
