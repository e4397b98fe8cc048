#include "practice/PracticeRecord.h"

#include "practice/TextSource.h"
#include "records/RecordCheck.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace tesmara {

void Store_Run_End(Database& db, TextSource& source, qint64 typed, int type, const QString& s, const QString& t,
                   const QString& r, const std::function<void()>& alsoStore)
{
    db.transaction([&] {
        source.saveReadingPosition(typed);
        if (type >= 0) {
            Add_Record(db, type, s, t, r);
        }
        if (alsoStore) {
            alsoStore();
        }
        return true;
    });
}

WrittenRecord Add_Record(Database& db, int type, const QString& s, const QString& t, const QString& r)
{
    WrittenRecord rec;
    {
        QSqlQuery add = db.exec(QStringLiteral("insert into testlog (type, s, t, r) values (?, ?, ?, ?)"),
                                {QString::number(type), s, t, r});
        const qint64 id = add.lastInsertId().toLongLong();
        QSqlQuery back = db.exec(QStringLiteral("select ID, type, s, t, r from testlog where ID = ?"), {id});
        if (!back.next()) {
            return rec;
        }
        rec.id = id;
        rec.type = back.value(1).toString();
        rec.s = back.value(2).toString();
        rec.t = back.value(3).toString();
        rec.r = back.value(4).toString();
        rec.c = Record_Check(back.value(0).toString(), rec.type, rec.s, rec.t, rec.r);
        db.exec(QStringLiteral("update testlog set c = ? where ID = ?"), {rec.c, id});
    }
    return rec;
}

} // namespace tesmara
