#pragma once

#include "game/BoatGame.h"
#include "game/ui/GameMenus.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <optional>

namespace tesmara {

class Cmd;
class MSG_Label;
class Sounds;
class Text_Data;

namespace game {

class BoatField;
class Pic_Boat;

// The typing game window: boats carrying characters, letters, digits,
// roots or phrases rise up the water and sink when their label is typed.
// The game itself is BoatGame; this window shows it, takes the keys and
// input-method commits, and keeps the user's game settings.
class Form_Test_Game1 : public QMainWindow {
    Q_OBJECT
public:
    // What tests replace: the clock of the three timers, the random source
    // of items and lanes, and the layout (by default chosen by the screen).
    struct Services {
        Clock* clock = nullptr;
        RandomSource* random = nullptr;
        std::optional<bool> largeLayout;
    };

    explicit Form_Test_Game1(QWidget* parent = nullptr);
    Form_Test_Game1(const Services& services, QWidget* parent = nullptr);
    ~Form_Test_Game1() override;

    // Opens the window for the logged-in user (login and the main window).
    static QWidget* open();
    // Registers open() as the session's game window.
    static void install();

    BoatGame& game() { return *m_game; }
    const GameMenus& menus() const { return m_menus; }
    Pic_Boat* boat(int lane) const { return m_boats[lane]; }
    Text_Data* label(int lane) const { return m_labels[lane]; }
    Sounds& sounds() { return *m_sounds; }

    // The menu items, as their clicks run them.
    void chooseMode(GameMode mode);
    void Menu_Speed_Click(int k);
    void Menu_Test_Mode_Click();
    void CMD_Begin_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void connectMenus();
    void applySettings();
    void typeText(const QString& text);
    // Puts boats, labels and texts where the game has them; boats afloat
    // are drawn `phase` of the way to their next tick's place.
    void showGame();
    void showLanes(double phase);

    Services m_services;
    GameLayout m_layout;
    BoatGame* m_game = nullptr;
    GameMenus m_menus;
    BoatField* m_field = nullptr;
    std::array<Pic_Boat*, GameLayout::kLanes> m_boats{};
    std::array<Text_Data*, GameLayout::kLanes> m_labels{};
    Cmd* CMD_Begin = nullptr;
    MSG_Label* Label_Time = nullptr;
    MSG_Label* Label_Show = nullptr;
    Sounds* m_sounds = nullptr;
    // Paints the boats gliding between movement ticks.
    QTimer m_frames;
    bool m_closed = false;
};

} // namespace game
} // namespace tesmara
