#pragma once

#include <QHash>
#include <QString>

namespace tesmara {

// Right and wrong counts of one run per expected character (or key), and
// what was typed instead of each wrong one. Kept in memory while the run
// goes; the run's end writes it to the mistake statistics in one piece.
//
// Characters are whole code points: a character outside the Basic
// Multilingual Plane counts once, when its second half has been typed.
// Number-pad keys of the fingering practice get code points of their own
// (padKey), so they never mix with the digits of the main keyboard.
class MistakeTally {
public:
    struct Counts {
        qint32 right = 0;
        qint32 wrong = 0;
    };

    // One typed character: right when it equals the expected one. `delta`
    // -1 takes back what +1 counted (Backspace).
    void add(char32_t expected, char32_t typed, int delta = 1);
    // Position `k` (1-based) of a practice line pair, as the typing engine
    // counts it: a half of a surrogate pair waits for (or was counted with)
    // its other half.
    void addAt(const QString& reference, const QString& input, int k, int delta = 1);
    void clear();
    bool isEmpty() const { return m_counts.isEmpty(); }

    const QHash<char32_t, Counts>& counts() const { return m_counts; }
    // Wrong characters by (expected, typed): pairKey() to make the key.
    const QHash<quint64, qint32>& pairs() const { return m_pairs; }
    static quint64 pairKey(char32_t expected, char32_t typed) { return (quint64(expected) << 32) | typed; }
    static char32_t pairExpected(quint64 key) { return char32_t(key >> 32); }
    static char32_t pairTyped(quint64 key) { return char32_t(key & 0xFFFFFFFFu); }

    qint64 rightTotal() const;
    qint64 wrongTotal() const;

private:
    QHash<char32_t, Counts> m_counts;
    QHash<quint64, qint32> m_pairs;
};

// Number-pad keys (labels '0'..'9', '-', '+', 'c', 'x', 'e', 'p') as code
// points of the private use area, so that they are keys of their own.
char32_t padKey(QChar label);
bool isPadKey(char32_t key);
QChar padLabel(char32_t key);

// How a recorded character or key reads in the window: the character
// itself, "空格" for the space bar, "小键盘 7" for a number-pad key, names
// for the control keys the fingering practice can catch.
QString keyCaption(char32_t key);

} // namespace tesmara
