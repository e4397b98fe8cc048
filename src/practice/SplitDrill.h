#pragma once

#include <QString>
#include <QStringList>

namespace tesmara {

class RandomSource;

// The split drill without its window: one character at a time from the
// characters that have split pictures, the learner types its Wubi code, and
// right and wrong answers are counted from the start of the drill.
class SplitDrill {
public:
    enum class Verdict { NoCodes, Right, Wrong };

    // Counts and elapsed seconds from 0, over `characters`.
    void start(const QString& characters);
    // Draws the next character at random and returns it.
    QString next(RandomSource& random);
    QString current() const { return m_current; }
    // Checks an entry against the current character's codes (86, or 98 with
    // `wb98`); a character without codes is not counted.
    Verdict check(const QString& entry, bool wb98);
    void tick() { ++m_seconds; }

    qint32 right() const { return m_right; }
    qint32 wrong() const { return m_wrong; }
    qint32 seconds() const { return m_seconds; }
    // "正确 1 个  错误 2 个".
    QString countsText() const;

private:
    QString m_characters;
    QString m_current;
    qint32 m_right = 0;
    qint32 m_wrong = 0;
    qint32 m_seconds = 0;
};

// The Wubi 86 or 98 codes of a character, shortest first.
QStringList Split_Codes(const QString& character, bool wb98);
// An entry as typed equals one of the codes: blanks around it and the case
// of its letters do not count.
bool Answer_Matches(const QString& entry, const QStringList& codes);
// "<c> 的答案：" with each code after two blanks.
QString Answer_Text(const QString& character, const QStringList& codes);
// The 98 split picture is the 86 one only where the two code lists agree.
bool Has_98_Picture(const QString& character);

} // namespace tesmara
