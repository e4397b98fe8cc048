#include "wubi/PhraseLookup.h"

#include "app/AppState.h"
#include "store/Database.h"

namespace tesmara {

PhraseMatch Find_Phrase(Database& phrases, const QString& chars)
{
    if (!phrases.isOpen()) {
        return {};
    }
    static const QString kQueries[] = {
        QStringLiteral("select Phrase, py from v2 where Phrase = ? limit 1"),
        QStringLiteral("select Phrase, py from v3 where Phrase = ? limit 1"),
        QStringLiteral("select Phrase, py from v4 where Phrase = ? limit 1"),
        QStringLiteral("select Phrase, py from v5 where Phrase = ? limit 1"),
    };
    for (int length = 5; length >= 2; --length) {
        if (chars.size() < length) {
            continue;
        }
        QSqlQuery q = phrases.exec(kQueries[length - 2], {chars.left(length)});
        if (q.next()) {
            return {q.value(0).toString(), q.value(1).toString()};
        }
    }
    return {};
}

PhraseMatch Find_Phrase(const QString& chars)
{
    return Find_Phrase(App().Conn_Phrase, chars);
}

} // namespace tesmara
