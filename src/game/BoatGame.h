#pragma once

#include "app/Clock.h"
#include "app/ClockTimer.h"
#include "game/GameModes.h"

#include <QObject>
#include <QString>

#include <array>

namespace tesmara::game {

// Where things sit in the game window, in twips of its client area. The
// large layout is used on screens of at least 1024 × 768 pixels.
struct GameLayout {
    static constexpr int kLanes = 10;
    static constexpr int kBoatWidth = 585;
    static constexpr int kBoatHeight = 1605;
    static constexpr int kLabelDrop = 500; // label top below the boat top
    static constexpr int kLabelWidth = 555;

    bool large = false;

    static GameLayout forScreen(int widthPx, int heightPx);

    // The window's outer size (the game's rules compare with these).
    int outerWidth() const { return large ? 13395 : 11565; }
    int outerHeight() const { return large ? 9500 : 7995; }
    // The water picture, covering the client area.
    int clientWidth() const { return large ? 13275 : 11475; }
    int clientHeight() const { return large ? 8690 : 7185; }
    int boatLeft(int lane) const { return large ? 675 + 1260 * lane : 520 + 1105 * lane; }
    // Where a boat waits before it is launched.
    int startTop() const { return outerHeight() - 3345; }
    // The rise a speed step is measured over.
    int riseDistance() const { return outerHeight() == 7995 ? 4650 : 5950; }
    // The start button and the two labels along the bottom.
    int beginTop() const { return large ? 8005 : 6600; }
    int labelsTop() const { return large ? outerHeight() - 1400 : 6705; }
};

// One lane: a boat, the label it carries and its sinking stage.
struct Lane {
    bool boatVisible = false;
    bool labelVisible = false;
    int top = 0; // boat top; the label sits kLabelDrop below it
    int labelLeft = 0;
    int labelWidth = GameLayout::kLabelWidth;
    QString label;
    quint8 state = 0; // 0 afloat, 1..3 sinking
    int picture = 101;
};

// The boat game: ten lanes of boats rising up the water, launched every
// second movement tick with an item of the current mode, sunk by typing
// the item, escaping at the top. Three timers on the program's clock drive
// it: movement (200 ms), the game clock (1 s) and sinking (80 ms).
class BoatGame : public QObject {
    Q_OBJECT
public:
    static constexpr int kGoMs = 200;
    static constexpr int kClockMs = 1000;
    static constexpr int kSinkMs = 80;
    static constexpr int kMaxAfloat = 8;
    static constexpr int kPictureBoat = 101;
    static constexpr int kPictureSinking = 102;
    static constexpr int kPictureSunk = 103;

    BoatGame(GameLayout layout, Clock& clock, RandomSource& random, QObject* parent = nullptr);

    const GameLayout& layout() const { return m_layout; }

    // A mode item: its pool, then a fresh game (Set_Initialize).
    void chooseMode(GameMode mode, const QString& pool);
    void chooseMode(GameMode mode) { chooseMode(mode, modePool(mode)); }
    GameMode mode() const { return m_mode; }
    const QString& pool() const { return m_pool; }
    // Stops the game and empties the water; counts go back to 0, the game
    // seconds and the two texts stay.
    void Set_Initialize();

    // A speed item 0..5; can be chosen in any state.
    void chooseSpeed(int k);
    int speed() const { return m_speed; }
    int speedStep() const { return m_step; }

    // CMD_Begin / F5: start, pause or continue.
    void CMD_Begin_Click();
    QString beginCaption() const { return m_caption; }
    bool running() const { return m_go.isEnabled(); }

    // The three timers' work, as their ticks run it.
    void Timer_Go_Tick();
    void Timer_OverTime_Tick();
    void Timer1_Tick();
    ClockTimer& Timer_Go() { return m_go; }
    ClockTimer& Timer_OverTime() { return m_overTime; }
    ClockTimer& Timer1() { return m_sink; }

    // A typed character; ignored while not running. Returns the lane hit,
    // or -1. Control characters (Backspace, Enter, Esc) are never typed.
    int typeChar(QChar c);
    const QString& phraseBuffer() const { return m_buffer; }

    const Lane& lane(int i) const { return m_lanes[i]; }
    int afloat() const { return m_afloat; }
    qint32 hits() const { return m_hits; }
    qint32 escapes() const { return m_escapes; }
    qint32 seconds() const { return m_seconds; }
    // Label_Time and Label_Show, as the last clock tick wrote them.
    const QString& timeText() const { return m_timeText; }
    const QString& countsText() const { return m_countsText; }
    // The two lanes launched last (-1 after a full water).
    int recentLane(int which) const { return which == 0 ? m_recent[0] : m_recent[1]; }

    // How far the current movement tick has gone, 0..1, for painting boats
    // between ticks; 0 while not running.
    double goPhase() const;

signals:
    // Anything the window shows changed.
    void changed();
    void boatHit(int lane);
    void boatEscaped(int lane);

private:
    void resetLane(Lane& lane);
    void moveBoats();
    void launch();
    QString drawItem() const;
    bool conflicts(const QString& label, const QString& item) const;
    int chooseLane(const QList<int>& free);
    void placeLabel(int lane, const QString& item);
    void hit(int lane);
    int hitLane(QChar c);
    int wordHit(QChar c);

    GameLayout m_layout;
    Clock& m_clock;
    RandomSource& m_random;
    ClockTimer m_go;
    ClockTimer m_overTime;
    ClockTimer m_sink;
    GameMode m_mode;
    QString m_pool;
    ItemKind m_kind = ItemKind::Char;
    int m_phraseLength = 1;
    int m_speed = 3;
    int m_step = 0;
    QString m_caption;
    std::array<Lane, GameLayout::kLanes> m_lanes;
    int m_afloat = 0;
    qint32 m_hits = 0;
    qint32 m_escapes = 0;
    qint32 m_seconds = 0;
    QString m_timeText;
    QString m_countsText;
    bool m_launchToggle = false;
    int m_recent[2] = {0, 0};
    QString m_buffer;
};

} // namespace tesmara::game
