#pragma once

#include "mistakes/MistakeTally.h"
#include "practice/KeyboardGeometry.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace tesmara {

class RandomSource;

// The keyboard fingering practice without its page: the key set, the key to
// strike next, right and wrong keys, the blinking finger of the target and
// the texts the page shows. The page feeds it key codes (character codes as
// a key press gives them) and ticks.
class Fingering {
public:
    // Handled as a right key but never counted: draws a new target.
    static constexpr int kRestartCode = 96;

    // The eleven entries of the key-set list and the key set of each;
    // `withoutDigits` drops the digits from the single-finger sets (3..10).
    // An entry outside 0..10 has no key set (empty).
    static QStringList entryCaptions();
    static QString keySetFor(int entry, bool withoutDigits);
    // Every digit four times, each other key of the number pad once.
    static QString numberPadSet();

    explicit Fingering(RandomSource* random = nullptr);

    bool numberPad() const { return m_numberPad; }
    void setNumberPad(bool on) { m_numberPad = on; }
    keyboard::Board board() const { return m_numberPad ? keyboard::Board::NumberPad : keyboard::Board::Main; }
    const QString& keySet() const { return m_keySet; }
    void setKeySet(const QString& keys) { m_keySet = keys; }

    // The key to strike: an upper-case letter, a digit, ' ' for the space
    // bar, or a number-pad label; null before the first draw.
    QChar target() const { return m_target; }

    // One key press. A right key draws the next target, lights its finger
    // and, unless it is the restart code, counts; a wrong key counts.
    // Returns whether the key was right.
    bool press(int code);

    // The finger pictures to blink for the target (both thumbs for the
    // space bar); empty when no finger is known.
    QList<int> targetFingers() const;
    static QList<int> fingersFor(QChar key, bool numberPad);
    // One blink: flips the target's finger (the right thumb follows the
    // left for the space bar). False when there is no finger to blink.
    bool blink();
    const std::array<bool, keyboard::kFingers>& lit() const { return m_lit; }

    // Right and wrong per target key since the counts were reset, with the
    // keys struck instead, for the mistake statistics.
    const MistakeTally& tally() const { return m_tally; }
    void clearTally() { m_tally.clear(); }

    qint32 right() const { return m_right; }
    qint32 wrong() const { return m_wrong; }
    qint32 elapsed() const { return m_elapsed; }
    void resetCounts();
    void addSecond() { ++m_elapsed; }

    // Label_M: the key, "空格" for the space bar, the sign of a number-pad
    // label ("/", "*", ".") or "回车" for Enter.
    QString targetCaption() const;
    // Label_D_RW.
    QString countsText() const;
    // Label_Speed_R after a tick; nothing while no key was counted.
    std::optional<QString> speedText() const;
    static QString resetSpeedText();

private:
    void drawTarget();
    // The key a code strikes, as the statistics name it.
    char32_t keyOf(int code) const;

    RandomSource* m_random;
    bool m_numberPad = false;
    QString m_keySet;
    QChar m_target;
    std::array<bool, keyboard::kFingers> m_lit{};
    qint32 m_right = 0;
    qint32 m_wrong = 0;
    qint32 m_elapsed = 0;
    MistakeTally m_tally;
};

} // namespace tesmara
