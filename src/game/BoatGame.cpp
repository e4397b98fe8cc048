#include "game/BoatGame.h"

#include "game/WBKey.h"

#include <cmath>
#include <cstdlib>

namespace tesmara::game {

namespace {

const QString kStart = QStringLiteral("开始 (F5)");
const QString kPause = QStringLiteral("暂停 (F5)");
const QString kContinue = QStringLiteral("继续 (F5)");

// Label widths: one item, and per character of a word or a phrase.
constexpr int kWordCharWidth = 245;
constexpr int kPhraseCharWidth = 465;
// Where the two outer four-character labels go in the design layout.
constexpr int kDesignOuterWidth = 11565;
constexpr int kFirstLaneLeft = 15;
constexpr int kLastLaneLeft = 9600;
// Lanes next to the two launched last are avoided this many times.
constexpr int kLaneRepicks = 10;
// A pool that cannot give a free item (too few distinct ones) stops trying.
constexpr int kMaxDraws = 1000;

} // namespace

GameLayout GameLayout::forScreen(int widthPx, int heightPx)
{
    GameLayout layout;
    layout.large = widthPx * 15 >= 15360 && heightPx * 15 >= 11520;
    return layout;
}

BoatGame::BoatGame(GameLayout layout, Clock& clock, RandomSource& random, QObject* parent)
    : QObject(parent), m_layout(layout), m_clock(clock), m_random(random), m_go(kGoMs, clock, this),
      m_overTime(kClockMs, clock, this), m_sink(kSinkMs, clock, this), m_caption(kStart), m_timeText(gameTimeText(0)),
      m_countsText(tesmara::game::countsText(0, 0))
{
    for (Lane& lane : m_lanes) {
        resetLane(lane);
    }
    m_step = game::speedStep(m_speed, m_layout.riseDistance());
    m_go.setObjectName(QStringLiteral("Timer_Go"));
    m_overTime.setObjectName(QStringLiteral("Timer_OverTime"));
    m_sink.setObjectName(QStringLiteral("Timer1"));
    connect(&m_go, &ClockTimer::timeout, this, &BoatGame::Timer_Go_Tick);
    connect(&m_overTime, &ClockTimer::timeout, this, &BoatGame::Timer_OverTime_Tick);
    connect(&m_sink, &ClockTimer::timeout, this, &BoatGame::Timer1_Tick);
}

void BoatGame::resetLane(Lane& lane)
{
    lane.top = m_layout.startTop();
    lane.boatVisible = false;
    lane.labelVisible = false;
    lane.state = 0;
    lane.picture = kPictureBoat;
}

void BoatGame::chooseMode(GameMode mode, const QString& pool)
{
    m_mode = mode;
    m_pool = pool;
    m_kind = itemKind(mode);
    m_phraseLength = phraseLength(mode);
    Set_Initialize();
}

void BoatGame::Set_Initialize()
{
    m_overTime.setEnabled(false);
    m_sink.setEnabled(false);
    m_go.setEnabled(false);
    m_caption = kStart;
    m_hits = 0;
    m_escapes = 0;
    m_afloat = 0;
    m_buffer.clear();
    for (Lane& lane : m_lanes) {
        resetLane(lane);
    }
    emit changed();
}

void BoatGame::chooseSpeed(int k)
{
    if (k < 0 || k >= kSpeeds) {
        return;
    }
    m_speed = k;
    m_step = game::speedStep(k, m_layout.riseDistance());
}

void BoatGame::CMD_Begin_Click()
{
    const bool start = m_caption == kStart || m_caption == kContinue;
    m_caption = start ? kPause : kContinue;
    m_go.setEnabled(start);
    m_overTime.setEnabled(start);
    emit changed();
}

double BoatGame::goPhase() const
{
    if (!m_go.isEnabled()) {
        return 0;
    }
    const double phase = double(m_clock.nowMs() - m_go.lastTickMs()) / kGoMs;
    return qBound(0.0, phase, 1.0);
}

void BoatGame::Timer_Go_Tick()
{
    moveBoats();
    if (m_afloat >= kMaxAfloat) {
        m_recent[0] = m_recent[1] = -1;
    } else {
        // A boat goes out on every second tick.
        m_launchToggle = !m_launchToggle;
        if (!m_launchToggle) {
            launch();
        }
    }
    emit changed();
}

void BoatGame::moveBoats()
{
    for (int i = 0; i < GameLayout::kLanes; ++i) {
        Lane& lane = m_lanes[i];
        if (!lane.boatVisible || lane.state != 0) {
            continue;
        }
        if (lane.top <= 0) {
            lane.boatVisible = false;
            lane.labelVisible = false;
            lane.top = m_layout.startTop();
            --m_afloat;
            ++m_escapes;
            emit boatEscaped(i);
        } else {
            lane.top -= m_step;
        }
    }
}

QString BoatGame::drawItem() const
{
    const qsizetype len = m_pool.size();
    const double r = m_random.unit();
    switch (m_kind) {
    case ItemKind::Root:
        // Roots and their key letters alternate; only the roots are drawn.
        return m_pool.mid(2 * qsizetype(r * len / 2), 1);
    case ItemKind::Word: {
        // The word after the first space at or after a random place.
        qsizetype space = m_pool.indexOf(QLatin1Char(' '), qsizetype(r * len));
        for (int tries = 0; space < 0 && tries < kMaxDraws; ++tries) {
            space = m_pool.indexOf(QLatin1Char(' '), qsizetype(m_random.unit() * len));
        }
        if (space < 0) {
            return {};
        }
        const qsizetype next = m_pool.indexOf(QLatin1Char(' '), space + 1);
        return m_pool.mid(space + 1, next < 0 ? -1 : next - space - 1);
    }
    case ItemKind::Phrase: {
        const int n = m_phraseLength;
        return m_pool.mid(qsizetype(double(len) / n * r) * n, n);
    }
    case ItemKind::Char:
        break;
    }
    return m_pool.mid(qsizetype(r * len), 1);
}

bool BoatGame::conflicts(const QString& label, const QString& item) const
{
    if (m_kind != ItemKind::Root) {
        return label == item;
    }
    // One root per key on the water: compare the key letters that follow
    // the first occurrence of each root.
    const auto keyOf = [this](const QString& root) {
        const qsizetype at = root.isEmpty() ? -1 : m_pool.indexOf(root);
        return at < 0 ? QString() : m_pool.mid(at + 1, 1);
    };
    return keyOf(label) == keyOf(item);
}

void BoatGame::launch()
{
    if (m_pool.isEmpty()) {
        return;
    }
    QString item;
    QList<int> free;
    for (int draws = 0;; ++draws) {
        if (draws == kMaxDraws) {
            return;
        }
        item = drawItem();
        free.clear();
        bool conflict = item.isEmpty();
        for (int i = 0; i < GameLayout::kLanes && !conflict; ++i) {
            if (!m_lanes[i].boatVisible) {
                free.append(i);
            } else {
                conflict = conflicts(m_lanes[i].label, item);
            }
        }
        if (!conflict) {
            break;
        }
    }
    if (free.isEmpty()) {
        return;
    }
    const int chosen = chooseLane(free);
    m_lanes[chosen].boatVisible = true;
    placeLabel(chosen, item);
    m_lanes[chosen].label = item;
    m_lanes[chosen].labelVisible = true;
    ++m_afloat;
}

int BoatGame::chooseLane(const QList<int>& free)
{
    const auto pick = [&] { return free[int(m_random.bounded(quint32(free.size())))]; };
    const auto crowded = [this](int lane) {
        return std::abs(lane - m_recent[0]) < 2 || std::abs(lane - m_recent[1]) < 2;
    };
    int lane = pick();
    for (int repick = 0; repick < kLaneRepicks && crowded(lane); ++repick) {
        lane = pick();
    }
    m_recent[0] = m_recent[1];
    m_recent[1] = lane;
    return lane;
}

void BoatGame::placeLabel(int i, const QString& item)
{
    Lane& lane = m_lanes[i];
    const int boatLeft = m_layout.boatLeft(i);
    const auto centred = [&](int width) {
        lane.labelWidth = width;
        lane.labelLeft = boatLeft - (width - GameLayout::kBoatWidth) / 2;
    };
    lane.labelWidth = GameLayout::kLabelWidth;
    lane.labelLeft = boatLeft + 15;
    if (m_kind == ItemKind::Word) {
        const int width = kWordCharWidth * int(item.size());
        if (width >= GameLayout::kLabelWidth) {
            centred(width);
        }
    } else if (m_kind == ItemKind::Phrase) {
        centred(kPhraseCharWidth * int(item.size()));
        // Four-character labels of the outer lanes stay inside the small window.
        if (m_layout.outerWidth() == kDesignOuterWidth && m_phraseLength == 4) {
            if (i == 0) {
                lane.labelLeft = kFirstLaneLeft;
            } else if (i == GameLayout::kLanes - 1) {
                lane.labelLeft = kLastLaneLeft;
            }
        }
    }
}

int BoatGame::typeChar(QChar c)
{
    if (!m_go.isEnabled() || c.unicode() < 32 || c.unicode() == 127) {
        return -1;
    }
    const int lane = hitLane(c);
    if (lane >= 0) {
        hit(lane);
        emit changed();
    }
    return lane;
}

int BoatGame::hitLane(QChar c)
{
    const auto firstLane = [this](const auto& matches) {
        for (int i = 0; i < GameLayout::kLanes; ++i) {
            const Lane& lane = m_lanes[i];
            if (lane.boatVisible && !lane.label.isEmpty() && matches(lane.label)) {
                return i;
            }
        }
        return -1;
    };
    switch (m_kind) {
    case ItemKind::Root:
        return firstLane([c](const QString& label) { return WBKey(c.unicode(), label) == label; });
    case ItemKind::Phrase: {
        m_buffer += c;
        if (m_buffer.size() < m_phraseLength) {
            return -1;
        }
        const QString typed = std::exchange(m_buffer, QString());
        return firstLane([&typed](const QString& label) { return label == typed; });
    }
    case ItemKind::Word:
        return wordHit(c);
    case ItemKind::Char:
        break;
    }
    const QString typed = QString(c).toUpper();
    return firstLane([&typed](const QString& label) { return label == typed; });
}

int BoatGame::wordHit(QChar c)
{
    // Letters gather into the word being typed while it still begins a
    // word on the water; a letter that begins none starts it afresh.
    const auto begins = [this](const QString& typed) {
        for (const Lane& lane : m_lanes) {
            if (lane.boatVisible && !lane.label.isEmpty() && lane.label.startsWith(typed, Qt::CaseInsensitive)) {
                return true;
            }
        }
        return false;
    };
    m_buffer += c;
    if (!begins(m_buffer)) {
        m_buffer = begins(QString(c)) ? QString(c) : QString();
    }
    for (int i = 0; i < GameLayout::kLanes && !m_buffer.isEmpty(); ++i) {
        const Lane& lane = m_lanes[i];
        if (lane.boatVisible && lane.label.compare(m_buffer, Qt::CaseInsensitive) == 0) {
            m_buffer.clear();
            return i;
        }
    }
    return -1;
}

void BoatGame::hit(int i)
{
    Lane& lane = m_lanes[i];
    lane.label.clear();
    lane.labelVisible = false;
    lane.picture = kPictureSinking;
    lane.state = 1;
    m_sink.setEnabled(true);
    ++m_hits;
    emit boatHit(i);
}

void BoatGame::Timer1_Tick()
{
    bool sinking = false;
    for (Lane& lane : m_lanes) {
        switch (lane.state) {
        case 0:
            continue;
        case 3:
            resetLane(lane);
            --m_afloat;
            break;
        case 2:
            lane.picture = kPictureSunk;
            lane.state = 3;
            break;
        default:
            lane.state = 2;
            break;
        }
        sinking = true;
    }
    if (!sinking) {
        m_sink.setEnabled(false);
    }
    emit changed();
}

void BoatGame::Timer_OverTime_Tick()
{
    ++m_seconds;
    m_timeText = gameTimeText(m_seconds);
    m_countsText = tesmara::game::countsText(m_hits, m_escapes);
    emit changed();
}

} // namespace tesmara::game
