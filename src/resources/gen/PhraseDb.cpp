#include "PhraseDb.h"

#include "CodeTables.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <set>

namespace tesmara::gen {

namespace {

const QString kConnection = QStringLiteral("tesmara-gen-phrases");

bool run(QSqlQuery& q, const QString& sql, QString& error)
{
    if (!q.exec(sql)) {
        error = sql + QStringLiteral(": ") + q.lastError().text();
        return false;
    }
    return true;
}

// Pinyin of a phrase from the most usual reading of each character, or ""
// when a character has none.
QString assemblePinyin(const Sources& s, const QString& phrase)
{
    QStringList syllables;
    for (QChar c : phrase) {
        const auto it = s.readings.find(c.unicode());
        if (it == s.readings.end()) {
            return {};
        }
        syllables.append(it->second.first());
    }
    return syllables.join(QLatin1Char(' '));
}

bool fill(QSqlDatabase& db, const Sources& s, QString& error, QStringList& warnings)
{
    QSqlQuery q(db);
    for (int n = 2; n <= 5; ++n) {
        if (!run(q,
                 QStringLiteral("create table v%1 (ID integer primary key autoincrement, "
                                "Phrase text not null, py text not null)")
                     .arg(n),
                 error) ||
            !run(q, QStringLiteral("create index v%1_Phrase on v%1 (Phrase)").arg(n), error)) {
            return false;
        }
    }
    auto usable = [&](const QString& phrase) {
        return std::all_of(phrase.begin(), phrase.end(),
                           [&](QChar c) { return s.wubi86.count(c.unicode()) && gbkIndex(c.unicode()) >= 0; });
    };
    std::set<QString> seen;
    std::vector<PhraseEntry> rows;
    for (const PhraseEntry& p : s.phrases) {
        if (usable(p.phrase) && seen.insert(p.phrase).second) {
            rows.push_back(p);
        }
    }
    // The corpus list has no five-character phrases; the input table has.
    for (const PhraseEntry& p : s.tablePhrases) {
        if (p.phrase.size() != 5) {
            continue;
        }
        const QString py = assemblePinyin(s, p.phrase);
        if (py.isEmpty() || !usable(p.phrase)) {
            warnings.append(QStringLiteral("five-character phrase left out: %1").arg(p.phrase));
            continue;
        }
        if (seen.insert(p.phrase).second) {
            rows.push_back({p.phrase, py, p.weight});
        }
    }
    QSqlQuery insert[4] = {QSqlQuery(db), QSqlQuery(db), QSqlQuery(db), QSqlQuery(db)};
    for (int n = 2; n <= 5; ++n) {
        insert[n - 2].prepare(QStringLiteral("insert into v%1 (Phrase, py) values (?, ?)").arg(n));
    }
    for (const PhraseEntry& p : rows) {
        QSqlQuery& ins = insert[p.phrase.size() - 2];
        ins.bindValue(0, p.phrase);
        ins.bindValue(1, p.py);
        if (!ins.exec()) {
            error = QStringLiteral("insert %1: %2").arg(p.phrase, ins.lastError().text());
            return false;
        }
    }
    return true;
}

} // namespace

bool writePhraseDb(const Sources& s, const QString& path, QString& error, QStringList& warnings)
{
    const QString tmp = path + QStringLiteral(".new");
    QFile::remove(tmp);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(tmp);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            // A fixed page size and a final VACUUM make the file depend on
            // its rows only.
            ok = run(q, QStringLiteral("pragma page_size = 4096"), error) &&
                 run(q, QStringLiteral("pragma journal_mode = off"), error);
            q.finish();
            ok = ok && db.transaction();
            if (ok) {
                ok = fill(db, s, error, warnings);
                ok = ok ? db.commit() : (db.rollback(), false);
            }
            ok = ok && run(q, QStringLiteral("vacuum"), error);
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(kConnection);
    if (!ok) {
        QFile::remove(tmp);
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(tmp, path)) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace tesmara::gen
