#include "store/Database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>

#include <cstdio>
#include <utility>

namespace tesmara {

namespace {

Database::FatalHandler& fatalHandler()
{
    static Database::FatalHandler handler;
    return handler;
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("tesmara-db-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept
    : m_connection(std::exchange(other.m_connection, QString())), m_path(std::exchange(other.m_path, QString())),
      m_prepared(std::exchange(other.m_prepared, {}))
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        m_connection = std::exchange(other.m_connection, QString());
        m_path = std::exchange(other.m_path, QString());
        m_prepared = std::exchange(other.m_prepared, {});
    }
    return *this;
}

bool Database::open(const QString& path, Mode mode, QString* error)
{
    close();
    if (mode == Mode::ReadOnly && !QFileInfo::exists(path)) {
        if (error) {
            *error = QStringLiteral("文件不存在：%1").arg(path);
        }
        return false;
    }
    const QString name = nextConnectionName();
    QString message;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QStringList options{QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000")};
        if (mode == Mode::ReadOnly) {
            options << QStringLiteral("QSQLITE_OPEN_READONLY");
        }
        db.setConnectOptions(options.join(QLatin1Char(';')));
        if (!db.open()) {
            message = db.lastError().text();
        } else {
            // Reading the schema makes SQLite check the file header: a file
            // that is not a database fails here and is left as it was.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
                message = probe.lastError().text();
            } else if (mode == Mode::ReadWrite) {
                // Rollback journal with full sync: a kill at any moment leaves
                // the last committed state, and no side files stay behind.
                probe.exec(QStringLiteral("pragma journal_mode=delete"));
                probe.exec(QStringLiteral("pragma synchronous=full"));
            }
        }
        if (!message.isEmpty()) {
            db.close();
        }
    }
    if (!message.isEmpty()) {
        QSqlDatabase::removeDatabase(name);
        if (error) {
            *error = message;
        }
        return false;
    }
    m_connection = name;
    m_path = path;
    return true;
}

void Database::close()
{
    if (m_connection.isEmpty()) {
        return;
    }
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

QSqlDatabase Database::handle() const
{
    return QSqlDatabase::database(m_connection, false);
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& binds)
{
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        for (const QVariant& value : binds) {
            query.addBindValue(value);
        }
        ok = query.exec();
    }
    if (!ok) {
        fail(m_path, query.lastError().text() + QStringLiteral("\n") + sql);
    }
    return query;
}

bool Database::writable(QString* error)
{
    QSqlQuery probe(handle());
    QString message;
    // Changing the schema writes a page, which needs the file and a journal
    // beside it.
    if (!probe.exec(QStringLiteral("begin immediate")) ||
        !probe.exec(QStringLiteral("create table tesmara_write_probe (x)"))) {
        // The engine's own words ("attempt to write a readonly database").
        message = probe.lastError().databaseText();
        if (message.isEmpty()) {
            message = probe.lastError().text();
        }
    }
    probe.exec(QStringLiteral("rollback"));
    if (error) {
        *error = message;
    }
    return message.isEmpty();
}

QSqlQuery& Database::prepared(const QString& sql)
{
    auto found = m_prepared.find(sql);
    if (found != m_prepared.end()) {
        return found->second;
    }
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        fail(m_path, query.lastError().text() + QStringLiteral("\n") + sql);
    }
    return m_prepared.emplace(sql, std::move(query)).first->second;
}

std::optional<QVariant> Database::scalar(const QString& sql, const QVariantList& binds)
{
    QSqlQuery query = exec(sql, binds);
    if (query.next()) {
        return query.value(0);
    }
    return std::nullopt;
}

bool Database::hasRow(const QString& sql, const QVariantList& binds)
{
    QSqlQuery query = exec(sql, binds);
    return query.next();
}

bool Database::hasTable(const QString& name)
{
    return hasRow(QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"), {name});
}

bool Database::transaction(const std::function<bool()>& body)
{
    QSqlDatabase db = handle();
    if (!db.transaction()) {
        fail(m_path, db.lastError().text());
        return false;
    }
    bool done = false;
    try {
        done = body();
    } catch (...) {
        // An engine failure inside: nothing of the transaction stays.
        db.rollback();
        throw;
    }
    if (!done) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        fail(m_path, db.lastError().text());
        return false;
    }
    return true;
}

void Database::setFatalHandler(FatalHandler handler)
{
    fatalHandler() = std::move(handler);
}

void Database::fail(const QString& path, const QString& message)
{
    if (fatalHandler()) {
        fatalHandler()(path, message);
    } else {
        std::fprintf(stderr, "tesmara: database error in %s: %s\n", qPrintable(path), qPrintable(message));
    }
    throw DatabaseFailure{path, message};
}

} // namespace tesmara
