#pragma once

#include "practice/TypingEngine.h"
#include "wubi/PhraseLookup.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tesmara {

class Database;

// What the Wubi zone tells about the text being typed: the running code tip
// beside the tips list, the F1 code hint, and the characters the letter keys
// type in the key-typed drills. Codes come from the tables loaded at start,
// phrases from the phrase database.

// Entries of the tips list `Combo_Show_Tips`, in list order.
enum TipEntry { TipNone = 0, Tip86 = 1, Tip98 = 2, TipPinyin = 3, TipAll = 4 };
// Their captions, entry 0 first.
const QStringList& Tip_Captions();

// The reference lines of the seven rows, row 0 first.
using TopLines = std::array<QString, TypingEngine::kRows>;
TopLines Top_Lines(const TypingEngine& engine);

// The typing position of row `line` is `typed` (characters in its input
// line) + `offset`, counted from 1: offset 1 is the next character to type.
// The five characters from there, completed from the start of the next
// row's line (row 0 after row 6) when the row has fewer left.
QString Tip_Candidate(const TopLines& tops, int typed, int line, int offset);
// The character at the typing position, null past the row's end.
QChar Tip_Next_Char(const TopLines& tops, int typed, int line, int offset);

// The longest phrase (5 down to 2 characters) at the typing position, with
// its pinyin; an empty phrase when there is none.
PhraseMatch Seek_Phrase(Database& phrases, const TopLines& tops, int typed, int line, int offset);
// The same in the phrase database opened at login.
PhraseMatch Seek_Phrase(const TopLines& tops, int typed, int line, int offset);

// A phrase's Wubi code from the full codes of its characters in `table`:
// 2 characters 2 + 2 letters, 3 characters 1 + 1 + 2, 4 characters one
// each, 5 and more the first letter of characters 1, 2, 3 and the last.
QString Phrase_Code(const QString& phrase, const QByteArray& table);

// The new text of `Label_Tips` for tips entry `entry`; nullopt when the
// label keeps what it shows. No run going: empty. A phrase found wins over
// the single next character `next` (null: none).
std::optional<QString> Tip_Text(int entry, bool running, const PhraseMatch& phrase, QChar next);

// The whole tip step for row `line`: phrase lookup in the phrase database
// opened at login, then Tip_Text.
std::optional<QString> Show_Tips(int entry, bool running, const TopLines& tops, int typed, int line, int offset);
std::optional<QString> Show_Tips(int entry, bool running, const TypingEngine& engine, int line, int offset);

// The key-typed drills of `Menu_Test_WB_Text`.
enum class KeyDrill { None, OneLevel, Root, KeyName };
// The drill of a `Menu_Test_WB_Text` index (0 one-level, 3 roots, 5 key
// names); None for the other drills and for no drill (-1).
KeyDrill Key_Drill_Of(int drillIndex);

// The character key `key` (a letter, either case) types in `drill` when
// `expected` is the character to type next; empty: the key goes through.
QString Drill_Key_Char(KeyDrill drill, QChar key, QChar expected);
// Drill_Key_Char as the engine's lookup, the expected character read from
// the row the key goes to. An empty function for KeyDrill::None.
TypingEngine::DrillLookup Drill_Lookup(const TypingEngine& engine, KeyDrill drill);

// Title of the F1 code hint's message.
QString Hint_Title();
// The F1 code hint for the next character `c`: in the key-name drill its
// key letter, in the root drill the character after its first occurrence in
// `practiceText` (the root list pairs each root with its key letter),
// otherwise its 86 and 98 codes. Empty in the phrase drills (item length 2
// or more): no hint is shown.
QString Code_Hint(QChar c, KeyDrill drill, const QString& practiceText, int itemLength);

} // namespace tesmara
