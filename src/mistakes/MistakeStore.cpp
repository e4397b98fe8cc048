#include "mistakes/MistakeStore.h"

#include "mistakes/MistakeTally.h"
#include "store/Database.h"
#include "store/FileAside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

namespace tesmara {

namespace {

// "TMST" in the file header marks a Tesmara statistics file.
constexpr int kApplicationId = 0x544D5354;

const char16_t* const kTables[] = {
    u"create table runs (day integer not null, kind integer not null, runs integer not null, "
    u"hits integer not null, misses integer not null, primary key (day, kind)) without rowid",
    u"create table chars (day integer not null, kind integer not null, ch integer not null, "
    u"hits integer not null, misses integer not null, primary key (day, kind, ch)) without rowid",
    u"create table subs (day integer not null, kind integer not null, ch integer not null, "
    u"typed integer not null, n integer not null, primary key (day, kind, ch, typed)) without rowid",
    // Running totals over all days, so that "all time" reads one row per
    // character instead of one per character and day.
    u"create table chars_all (kind integer not null, ch integer not null, hits integer not null, "
    u"misses integer not null, primary key (kind, ch)) without rowid",
    u"create table subs_all (kind integer not null, ch integer not null, typed integer not null, "
    u"n integer not null, primary key (kind, ch, typed)) without rowid",
};
const char* const kTableNames[] = {"runs", "chars", "subs", "chars_all", "subs_all"};

// The engine's words for damage mean nothing to a learner.
const QString kDamaged = QStringLiteral("内容无法读取");

// SQLite's primary codes for a file that is not (or no longer) a sound
// database: SQLITE_CORRUPT and SQLITE_NOTADB.
bool isDamage(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == 11 || code == 26;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

MistakeStore::MistakeStore(Database& user) : m_db(user) {}

MistakeStore::~MistakeStore()
{
    detach();
}

QString MistakeStore::fileFor(const QString& userDbPath)
{
    return QFileInfo(userDbPath).absolutePath() + QStringLiteral("/mistakes.db");
}

QString MistakeStore::path() const
{
    return fileFor(m_db.path());
}

bool MistakeStore::moveAsideFor(const QString& userDbPath, QString* keptAs)
{
    const QString file = fileFor(userDbPath);
    return !QFileInfo::exists(file) || moveAside(file, keptAs);
}

bool MistakeStore::removeFor(const QString& userDbPath)
{
    return removeWithJournal(fileFor(userDbPath));
}

QString MistakeStore::takeNotice()
{
    return std::exchange(m_notice, QString());
}

bool MistakeStore::attached() const
{
    if (!m_db.isOpen()) {
        return false;
    }
    QSqlQuery q(m_db.handle());
    return q.exec(QStringLiteral("select 1 from pragma_database_list where name = 'mistakes'")) && q.next();
}

bool MistakeStore::attach(QString* error, bool* damaged)
{
    QSqlQuery q(m_db.handle());
    auto fail = [&] {
        *error = q.lastError().text();
        if (damaged) {
            *damaged = isDamage(q.lastError());
        }
        return false;
    };
    if (!q.prepare(QStringLiteral("attach database ? as mistakes"))) {
        return fail();
    }
    q.addBindValue(path());
    if (!q.exec()) {
        return fail();
    }
    m_attachedHere = true;
    m_broken = false;
    // The same journal and syncing as the user's database: a commit of both
    // goes through one super-journal and is whole in both files or in none.
    for (const char* pragma : {"pragma mistakes.journal_mode = delete", "pragma mistakes.synchronous = full"}) {
        if (!q.exec(QLatin1String(pragma))) {
            fail();
            detach();
            return false;
        }
    }
    return true;
}

void MistakeStore::detach()
{
    if (m_attachedHere && attached()) {
        QSqlQuery q(m_db.handle());
        q.exec(QStringLiteral("detach database mistakes"));
    }
    m_attachedHere = false;
}

MistakeStore::Check MistakeStore::check(QString* error)
{
    QSqlQuery q(m_db.handle());
    auto value = [&](const QString& sql, qint64* out) {
        if (!q.exec(sql) || !q.next()) {
            *error = q.lastError().text();
            return false;
        }
        *out = q.value(0).toLongLong();
        return true;
    };
    qint64 id = 0;
    qint64 version = 0;
    qint64 tables = 0;
    const bool read = value(QStringLiteral("pragma mistakes.application_id"), &id) &&
                      value(QStringLiteral("pragma mistakes.user_version"), &version) &&
                      value(QStringLiteral("select count(*) from mistakes.sqlite_master where type = 'table' and "
                                           "name in ('runs', 'chars', 'subs', 'chars_all', 'subs_all')"),
                            &tables);
    if (!read) {
        if (isDamage(q.lastError())) {
            *error = kDamaged;
            return Check::Damaged;
        }
        return Check::Unreadable;
    }
    if (id != kApplicationId) {
        *error = QStringLiteral("不是错误统计文件");
        return Check::Damaged;
    }
    if (version > kVersion) {
        return Check::Newer;
    }
    if (version < 1 || tables != qint64(std::size(kTableNames))) {
        *error = QStringLiteral("缺少数据表");
        return Check::Damaged;
    }
    return Check::Good;
}

bool MistakeStore::createFile(QString* error)
{
    // Built under a temporary name and renamed: a kill never leaves a file
    // with only some of its tables.
    const QString file = path();
    const QString tmp = file + QStringLiteral(".new");
    removeWithJournal(tmp);
    bool ok = false;
    {
        Database db;
        if (!db.open(tmp, Database::Mode::ReadWrite, error)) {
            removeWithJournal(tmp);
            return false;
        }
        QSqlDatabase handle = db.handle();
        ok = handle.transaction();
        QSqlQuery q(handle);
        for (const char16_t* sql : kTables) {
            ok = ok && q.exec(QString::fromUtf16(sql));
        }
        ok = ok && q.exec(QStringLiteral("pragma application_id = %1").arg(kApplicationId)) &&
             q.exec(QStringLiteral("pragma user_version = %1").arg(kVersion));
        if (!ok) {
            *error = q.lastError().text();
            handle.rollback();
        } else if (!handle.commit()) {
            *error = handle.lastError().text();
            ok = false;
        }
    }
    if (ok && !QFile::rename(tmp, file)) {
        *error = QStringLiteral("无法写入文件：%1").arg(shown(file));
        ok = false;
    }
    if (!ok) {
        removeWithJournal(tmp);
    }
    return ok;
}

bool MistakeStore::rebuild(const QString& reason)
{
    detach();
    const QString file = path();
    QString keptAs;
    QString error;
    if (!moveAside(file, &keptAs)) {
        m_refused = true;
        m_notice = QStringLiteral("错误统计文件已损坏（%1），也无法改名保存：\r\n%2\r\n本次不记录错误统计。")
                       .arg(reason, shown(file));
        return false;
    }
    if (!createFile(&error) || !attach(&error)) {
        m_refused = true;
        m_notice = QStringLiteral("错误统计文件已损坏（%1），已改名保存为：\r\n%2\r\n但无法建立新的统计文件：%3")
                       .arg(reason, shown(keptAs), error);
        return false;
    }
    m_notice = QStringLiteral("错误统计文件已损坏（%1），已改名保存为：\r\n%2\r\n并建立了新的统计文件。")
                   .arg(reason, shown(keptAs));
    return true;
}

bool MistakeStore::prepare(bool create)
{
    if (m_refused || !m_db.isOpen()) {
        return false;
    }
    if (attached()) {
        return !m_broken || rebuild(QStringLiteral("读写时出错"));
    }
    QString error;
    if (!QFileInfo::exists(path())) {
        if (!create) {
            return false;
        }
        if (!createFile(&error) || !attach(&error)) {
            m_notice = QStringLiteral("无法建立错误统计文件：\r\n%1\r\n%2").arg(shown(path()), error);
            return false;
        }
        return true;
    }
    bool damaged = false;
    if (!attach(&error, &damaged)) {
        // Attaching reads the header: a file that is no database fails here.
        if (damaged) {
            return rebuild(kDamaged);
        }
        m_notice = QStringLiteral("无法读取错误统计文件：\r\n%1\r\n%2").arg(shown(path()), error);
        return false;
    }
    switch (check(&error)) {
    case Check::Good:
        return true;
    case Check::Damaged:
        return rebuild(error);
    case Check::Newer:
        detach();
        m_refused = true;
        m_notice = QStringLiteral("错误统计文件是由更新版本的 Tesmara 写入的，本版本不能使用，也不会改动它：\r\n%1\r\n"
                                  "本次不记录错误统计。")
                       .arg(shown(path()));
        return false;
    case Check::Unreadable:
        detach();
        m_notice = QStringLiteral("无法读取错误统计文件：\r\n%1\r\n%2").arg(shown(path()), error);
        return false;
    }
    return false;
}

bool MistakeStore::failed(const QSqlQuery& query)
{
    if (isDamage(query.lastError())) {
        m_broken = true;
    }
    return false;
}

bool MistakeStore::writeRun(int kind, const MistakeTally& tally, bool newRun)
{
    QSqlDatabase handle = m_db.handle();
    QSqlQuery q(handle);
    if (!q.exec(QStringLiteral("savepoint mistakes_run"))) {
        return failed(q);
    }
    const qint64 day = today().toJulianDay();
    QSqlQuery runs(handle);
    QSqlQuery chars(handle);
    QSqlQuery charsAll(handle);
    QSqlQuery subs(handle);
    QSqlQuery subsAll(handle);
    const QSqlQuery* failing = nullptr;
    auto prepare = [&](QSqlQuery& query, const char* sql) {
        if (!query.prepare(QLatin1String(sql))) {
            failing = &query;
            return false;
        }
        return true;
    };
    auto run = [&](QSqlQuery& query, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            query.bindValue(i, values[i]);
        }
        if (!query.exec()) {
            failing = &query;
            return false;
        }
        return true;
    };
    bool ok = prepare(runs, "insert into mistakes.runs (day, kind, runs, hits, misses) values (?, ?, ?, ?, ?) "
                            "on conflict (day, kind) do update set runs = runs + excluded.runs, "
                            "hits = hits + excluded.hits, misses = misses + excluded.misses") &&
              prepare(chars, "insert into mistakes.chars (day, kind, ch, hits, misses) values (?, ?, ?, ?, ?) "
                             "on conflict (day, kind, ch) do update set hits = hits + excluded.hits, "
                             "misses = misses + excluded.misses") &&
              prepare(charsAll, "insert into mistakes.chars_all (kind, ch, hits, misses) values (?, ?, ?, ?) "
                                "on conflict (kind, ch) do update set hits = hits + excluded.hits, "
                                "misses = misses + excluded.misses") &&
              prepare(subs, "insert into mistakes.subs (day, kind, ch, typed, n) values (?, ?, ?, ?, ?) "
                            "on conflict (day, kind, ch, typed) do update set n = n + excluded.n") &&
              prepare(subsAll, "insert into mistakes.subs_all (kind, ch, typed, n) values (?, ?, ?, ?) "
                               "on conflict (kind, ch, typed) do update set n = n + excluded.n");
    ok = ok && run(runs, {day, kind, newRun ? 1 : 0, tally.rightTotal(), tally.wrongTotal()});
    for (auto it = tally.counts().cbegin(); ok && it != tally.counts().cend(); ++it) {
        const qint64 ch = it.key();
        ok = run(chars, {day, kind, ch, it->right, it->wrong}) && run(charsAll, {kind, ch, it->right, it->wrong});
    }
    for (auto it = tally.pairs().cbegin(); ok && it != tally.pairs().cend(); ++it) {
        const qint64 ch = MistakeTally::pairExpected(it.key());
        const qint64 typed = MistakeTally::pairTyped(it.key());
        ok = run(subs, {day, kind, ch, typed, it.value()}) && run(subsAll, {kind, ch, typed, it.value()});
    }
    if (ok && q.exec(QStringLiteral("release mistakes_run"))) {
        return true;
    }
    const bool damaged = isDamage((failing ? *failing : q).lastError());
    q.exec(QStringLiteral("rollback to mistakes_run"));
    q.exec(QStringLiteral("release mistakes_run"));
    m_broken = m_broken || damaged;
    return false;
}

bool MistakeStore::addRun(int kind, const MistakeTally& tally)
{
    return attached() && !m_broken && writeRun(kind, tally, true);
}

bool MistakeStore::storeRun(int kind, const MistakeTally& tally, bool newRun)
{
    if (!attached() || m_broken) {
        return false;
    }
    // Outside a transaction the savepoint is the transaction; a failed
    // commit leaves it open, so it is rolled back whole.
    if (writeRun(kind, tally, newRun)) {
        return true;
    }
    QSqlQuery(m_db.handle()).exec(QStringLiteral("rollback"));
    return false;
}

MistakeFigures MistakeStore::read(int kind, MistakePeriod period)
{
    MistakeFigures figures;
    if (!attached()) {
        figures.ok = !m_refused;
        return figures;
    }
    const QDate first = Period_First_Day(period, today());
    const bool allDays = !first.isValid();
    QString where = kind == kAllKinds ? QStringLiteral(" where 1") : QStringLiteral(" where kind = ?");
    QVariantList binds;
    if (kind != kAllKinds) {
        binds << kind;
    }
    if (!allDays) {
        where += QStringLiteral(" and day >= ?");
        binds << first.toJulianDay();
    }
    // Only fixed table names and placeholders go into the statements.
    const QString charsTable = allDays ? QStringLiteral("mistakes.chars_all") : QStringLiteral("mistakes.chars");
    const QString subsTable = allDays ? QStringLiteral("mistakes.subs_all") : QStringLiteral("mistakes.subs");
    QSqlQuery q(m_db.handle());
    q.setForwardOnly(true);
    auto select = [&](const QString& sql) {
        if (!q.prepare(sql)) {
            return false;
        }
        for (int i = 0; i < binds.size(); ++i) {
            q.bindValue(i, binds[i]);
        }
        return q.exec();
    };
    if (!select(QStringLiteral("select coalesce(sum(runs), 0), coalesce(sum(hits), 0), coalesce(sum(misses), 0) "
                               "from mistakes.runs") +
                where) ||
        !q.next()) {
        figures.ok = failed(q);
        return figures;
    }
    figures.runs = q.value(0).toLongLong();
    figures.right = q.value(1).toLongLong();
    figures.wrong = q.value(2).toLongLong();

    if (!select(QStringLiteral("select ch, sum(hits), sum(misses) from ") + charsTable + where +
                QStringLiteral(" group by ch order by ch"))) {
        figures.ok = failed(q);
        return figures;
    }
    QHash<char32_t, qsizetype> at;
    while (q.next()) {
        CharFigures c;
        c.ch = char32_t(q.value(0).toLongLong());
        c.right = q.value(1).toLongLong();
        c.wrong = q.value(2).toLongLong();
        at.insert(c.ch, figures.chars.size());
        figures.chars << c;
    }
    if (!select(QStringLiteral("select ch, typed, sum(n) from ") + subsTable + where +
                QStringLiteral(" group by ch, typed"))) {
        figures.ok = failed(q);
        return figures;
    }
    while (q.next()) {
        const auto index = at.constFind(char32_t(q.value(0).toLongLong()));
        if (index != at.constEnd()) {
            figures.chars[*index].substitutes << Substitute{char32_t(q.value(1).toLongLong()), q.value(2).toLongLong()};
        }
    }
    for (CharFigures& c : figures.chars) {
        std::sort(c.substitutes.begin(), c.substitutes.end(), [](const Substitute& a, const Substitute& b) {
            return a.count != b.count ? a.count > b.count : a.typed < b.typed;
        });
    }
    return figures;
}

bool MistakeStore::hasHistory()
{
    if (!attached()) {
        return false;
    }
    QSqlQuery q(m_db.handle());
    return q.exec(QStringLiteral("select 1 from mistakes.runs limit 1")) && q.next();
}

bool MistakeStore::reset(int kind)
{
    if (!attached() || m_broken) {
        return false;
    }
    QSqlQuery q(m_db.handle());
    bool ok = q.exec(QStringLiteral("savepoint mistakes_reset"));
    for (const char* table : kTableNames) {
        const QString sql = QStringLiteral("delete from mistakes.") + QLatin1String(table) +
                            (kind == kAllKinds ? QString() : QStringLiteral(" where kind = ?"));
        ok = ok && q.prepare(sql);
        if (ok && kind != kAllKinds) {
            q.addBindValue(kind);
        }
        ok = ok && q.exec();
    }
    if (ok && q.exec(QStringLiteral("release mistakes_reset"))) {
        return true;
    }
    failed(q);
    q.exec(QStringLiteral("rollback"));
    return false;
}

} // namespace tesmara
