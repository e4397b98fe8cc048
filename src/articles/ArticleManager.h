#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tesmara {

// Saved articles as the article manager sees them: `text_` rows whose N is a
// name of 1 to 10 characters followed by "_u" (the user's articles, tab 0)
// or "_w" (the review article, tab 1).
QString Article_Suffix(int tab);

// The line an empty list shows; it stands for no article.
QString No_Articles_Line();

// Names (without suffix) of one kind, in the order the store returns them.
QStringList List_Articles(Database& db, const QString& suffix);

// The text of `name` + `suffix`, nullopt when there is no such row.
std::optional<QString> Article_Text(Database& db, const QString& name, const QString& suffix);

// Deletes the named articles of one kind; returns how many rows went.
int Delete_Articles(Database& db, const QStringList& names, const QString& suffix);

// The texts of the named articles joined with nothing between, in the order
// given; nullopt when one of them is missing.
std::optional<QString> Merged_Text(Database& db, const QStringList& names, const QString& suffix);

} // namespace tesmara
