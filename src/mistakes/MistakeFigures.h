#pragma once

#include "practice/KeyboardGeometry.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tesmara {

// What a character was typed as instead, and how often.
struct Substitute {
    char32_t typed = 0;
    qint64 count = 0;
};

// The counts of one expected character (or key) over the runs read.
struct CharFigures {
    char32_t ch = 0;
    qint64 right = 0;
    qint64 wrong = 0;
    QList<Substitute> substitutes; // most frequent first
    double weakness = 0;           // the rate Weakest() ranks by; 0 until ranked

    qint64 total() const { return right + wrong; }
    double errorRate() const { return total() > 0 ? double(wrong) / double(total()) : 0.0; }
};

// The mistake statistics of one practice kind (or all) over one period.
struct MistakeFigures {
    bool ok = true;  // false: the file could not be read
    qint64 runs = 0; // counted runs
    qint64 right = 0;
    qint64 wrong = 0;
    QList<CharFigures> chars; // every character typed, in code point order
};

// The filters of the window: tab 0 is every kind, tab 1 + k practice kind k.
inline constexpr int kAllKinds = -1;
inline constexpr int kMistakeTabs = 7;
int Mistake_Tab_Kind(int tab);
QString Mistake_Tab_Caption(int tab);

enum class MistakePeriod { Week, Month, All };
QString Period_Caption(MistakePeriod period);
// The first day a period covers, ending `today`; null for all time.
QDate Period_First_Day(MistakePeriod period, const QDate& today);

// A share 0..1 as the window writes it: a percentage rounded to one
// decimal in its shortest form, "4.8%", "50%", "0%".
QString Rate_Text(double share);

// The characters typed wrongly at least once, weakest first. They are
// ordered by error rate, each counted as if it had also been tried
// kPriorAttempts more times at the overall rate of the list: one slip in two
// tries then ranks below a character missed again and again, while a
// character missed often enough still comes first. Ties go to the one with
// more wrong, then more attempts.
inline constexpr int kPriorAttempts = 20;
QList<CharFigures> Weakest(const QList<CharFigures>& chars);
// "己 ×5　已 ×2" — the most frequent substitutes, at most `limit`.
QString Substitutes_Text(const QList<Substitute>& substitutes, int limit = 3);

// Key accuracy for the heat map: the characters a key types, summed on the
// key they are typed with (letters of either case, the shifted signs,
// Chinese punctuation on the key the input method takes it from).
// Characters no key of the picture types are left out.
struct KeyHeat {
    // Index into keyboard::keys(board) -> figures (ch unused).
    QHash<int, CharFigures> main;
    QHash<int, CharFigures> pad;
    const QHash<int, CharFigures>& of(keyboard::Board board) const
    {
        return board == keyboard::Board::Main ? main : pad;
    }
};
KeyHeat Key_Heat(const QList<CharFigures>& chars);
// The key a character is typed with, or -1: index into keys(board).
int Key_Index_Of(char32_t ch, keyboard::Board* board);
// The name of a key in tooltips: its cap ("A", "空格", "小键盘 7").
QString Key_Name(keyboard::Board board, int index);
// The tooltip of a key: name, right, wrong, error rate and substitutes.
QString Key_Tip(keyboard::Board board, int index, const CharFigures* figures);

// The line above the heat map: runs, characters, wrong ones and accuracy;
// "没有练习" when nothing was counted.
QString Summary_Text(const MistakeFigures& figures);

} // namespace tesmara
