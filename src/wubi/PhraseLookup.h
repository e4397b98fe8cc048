#pragma once

#include <QString>

namespace tesmara {

class Database;

struct PhraseMatch {
    QString phrase; // empty: no phrase found
    QString py;
};

// The longest phrase of 5, 4, 3 or 2 characters at the start of `chars`
// found in the phrase database (tables v5 to v2, longest first).
PhraseMatch Find_Phrase(Database& phrases, const QString& chars);
// The same in the phrase database opened at login (`Conn_Phrase`); no
// match while it is closed.
PhraseMatch Find_Phrase(const QString& chars);

} // namespace tesmara
