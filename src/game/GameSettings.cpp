#include "game/GameSettings.h"

#include "store/Settings.h"

namespace tesmara::game {

namespace {

const QString kSpeed = QStringLiteral("Game1_Speed");
const QString kLastTest = QStringLiteral("Game1_Last_Test");
const QString kSound = QStringLiteral("Game1_Sound");

} // namespace

GameSettings GameSettings::read(Database& user)
{
    Settings settings(user);
    GameSettings s;
    // The settings table keeps the speed within 0..5 and the sound a flag.
    s.speed = settings.text(kSpeed).toInt();
    const StoredMode stored = readStoredMode(settings.text(kLastTest));
    if (stored.repaired) {
        settings.setValue(kLastTest, *stored.repaired);
    }
    s.mode = stored.mode;
    s.mute = settings.flag(kSound);
    return s;
}

void GameSettings::write(Database& user, std::optional<int> speed, std::optional<GameMode> mode)
{
    Settings settings(user);
    if (speed) {
        settings.setValue(kSpeed, QString::number(*speed));
    }
    if (mode) {
        settings.setValue(kLastTest, modeCode(*mode));
    }
    settings.setValue(QStringLiteral("Last_Test_Mode"), QStringLiteral("1"));
}

} // namespace tesmara::game
