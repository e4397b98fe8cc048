#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tesmara {

// Reading positions by tab: 0 built-in Chinese texts and 1 built-in English
// texts (`test_no`, keys "00nn" and "01nn"), 2 user articles and 3 the review
// article (`text_`.No_, keys name + "_u" / "_w").
inline constexpr int kPositionTabs = 4;

// The line a tab without articles shows; it stands for no article.
QString No_Positions_Line();

// The list of a tab: the titles the practice menus show, in their order;
// the placeholder line alone when a saved-article tab is empty.
QStringList Position_Items(Database& db, int tab);

// The key of item `row` (its text `item`) on `tab`.
QString Position_Key(int tab, int row, const QString& item);

void Reset_All_Positions(Database& db);
void Reset_Tab_Positions(Database& db, int tab);
void Reset_Position(Database& db, int tab, const QString& key);

// The stored position, nullopt when the article has no row yet.
std::optional<qint64> Read_Position(Database& db, int tab, const QString& key);
// Stores a position. A built-in text without a row gets one; a saved
// article that no longer exists gives false.
bool Set_Position(Database& db, int tab, const QString& key, qint64 position);

// A position as typed: digits only after trimming, at most 9 of them;
// nullopt for anything else (empty, letters, signs, spaces inside).
std::optional<qint64> Parse_Position(const QString& text);

// Whether a text is acceptable in the entry while typing or pasting: digits
// only (empty allowed).
bool Position_Entry_Ok(const QString& text);

} // namespace tesmara
