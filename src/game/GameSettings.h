#pragma once

#include "game/GameModes.h"

#include <optional>

namespace tesmara {
class Database;
}

namespace tesmara::game {

// The game's settings in the user's database. Reading adds missing rows
// with their defaults and rewrites bad values in place, silently.
struct GameSettings {
    int speed = 3;     // Game1_Speed: speed item 0..5
    GameMode mode;     // Game1_Last_Test
    bool mute = false; // Game1_Sound "1"

    static GameSettings read(Database& user);
    // What closing the window stores: the speed and mode checked (nothing
    // for none), and the game as the window to open after the next login.
    static void write(Database& user, std::optional<int> speed, std::optional<GameMode> mode);
};

} // namespace tesmara::game
