#include "wubi/PhraseLookup.h"

#include "app/AppState.h"
#include "store/Database.h"

#include <QSqlError>

namespace tesmara {

PhraseMatch Find_Phrase(Database& phrases, const QString& chars)
{
    if (!phrases.isOpen() || chars.size() < 2) {
        return {};
    }
    // The four tries in one statement, longest first: a table holds phrases
    // of its own length only, so a candidate shorter than the table's length
    // never matches there.
    static const QString kQuery =
        QStringLiteral("select Phrase, py, 5 as n from (select Phrase, py from v5 where Phrase = ? limit 1) "
                       "union all select Phrase, py, 4 from (select Phrase, py from v4 where Phrase = ? limit 1) "
                       "union all select Phrase, py, 3 from (select Phrase, py from v3 where Phrase = ? limit 1) "
                       "union all select Phrase, py, 2 from (select Phrase, py from v2 where Phrase = ? limit 1) "
                       "order by n desc limit 1");
    QSqlQuery& query = phrases.prepared(kQuery);
    const QString binds[] = {chars.left(5), chars.left(4), chars.left(3), chars.left(2)};
    for (int i = 0; i < 4; ++i) {
        query.bindValue(i, binds[i]);
    }
    if (!query.exec()) {
        Database::fail(phrases.path(), query.lastError().text() + QStringLiteral("\n") + kQuery);
    }
    PhraseMatch match;
    if (query.next()) {
        match = {query.value(0).toString(), query.value(1).toString()};
    }
    query.finish();
    return match;
}

PhraseMatch Find_Phrase(const QString& chars)
{
    return Find_Phrase(App().Conn_Phrase, chars);
}

} // namespace tesmara
