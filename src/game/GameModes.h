#pragma once

#include <QString>

#include <optional>

namespace tesmara::game {

// The mode items of the game's menu, each an item of a group: Chinese
// characters; English 0 letters, 1 words; numbers 0 digits, 1 digits and
// operators; Wubi code lists 0..7 (3: roots); Wubi phrases 0..2 (two to
// four characters).
enum class ModeGroup { Chinese, English, Number, WbText, WbPhrase };

struct GameMode {
    ModeGroup group = ModeGroup::Chinese;
    int index = 0;
    friend bool operator==(const GameMode&, const GameMode&) = default;
};

// What one item on a boat is, and so how it is drawn and typed.
enum class ItemKind { Char, Root, Word, Phrase };

ItemKind itemKind(GameMode mode);
// Characters of one phrase (2..4) in a phrase mode; 1 otherwise.
int phraseLength(GameMode mode);

// The `Game1_Last_Test` code of a mode: "0", "10", "11", "20", "21",
// "30".."37", "38".."310".
QString modeCode(GameMode mode);
// Menu captions of the Wubi code lists 0..7 and the phrase lists 0..2.
QString wubiListCaption(int n);
QString phraseListCaption(int m);
// The window caption while the mode is played.
QString modeCaption(GameMode mode);
// The pool items are drawn from (letters, digits or a built-in list).
QString modePool(GameMode mode);

// A stored `Game1_Last_Test` as the window reads it: the mode it selects
// and, when it had to be repaired, the value to store instead.
struct StoredMode {
    GameMode mode;
    std::optional<QString> repaired;
};
StoredMode readStoredMode(const QString& stored);

// The speed items "最快" .. "最慢" (index 0..5) and the twips a boat rises
// per movement tick at speed k over the distance `distance`: distance /
// (13·(k + 1)), halves rounded to even.
inline constexpr int kSpeeds = 6;
QString speedCaption(int k);
int speedStep(int k, int distance);

// `Label_Time` after `seconds` of play and `Label_Show` for the counts.
QString gameTimeText(qint32 seconds);
QString countsText(qint32 hits, qint32 escapes);

} // namespace tesmara::game
