#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <map>
#include <optional>

namespace tesmara {

// One SQLite file behind a named Qt connection. Every statement binds its
// values ('?' placeholders, in order); user text never becomes SQL.
class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;

    // Opens an existing or new file. A file that exists but is not a usable
    // SQLite database is refused (error set) and left untouched.
    bool open(const QString& path, Mode mode, QString* error = nullptr);
    void close();
    bool isOpen() const { return !m_connection.isEmpty(); }
    QString path() const { return m_path; }
    QSqlDatabase handle() const;

    // Whether the open file can be written: a file or folder that refuses
    // writing opens for reading only without a word. Writes nothing (a
    // change is made inside a transaction and rolled back).
    bool writable(QString* error = nullptr);

    // Runs a statement. A failure is an engine error: it goes to the fatal
    // handler (the program reports it and ends), then DatabaseFailure is
    // thrown, so nothing runs on after a failed statement.
    QSqlQuery exec(const QString& sql, const QVariantList& binds = {});
    // First column of the first row, or nullopt when there is no row.
    std::optional<QVariant> scalar(const QString& sql, const QVariantList& binds = {});
    bool hasRow(const QString& sql, const QVariantList& binds = {});
    bool hasTable(const QString& name);
    // A statement prepared once and kept while the connection is open, for
    // lookups that run after every key. The caller binds and runs it.
    QSqlQuery& prepared(const QString& sql);

    // Runs `body` inside one transaction; rolls back when it returns false.
    bool transaction(const std::function<bool()>& body);

    using FatalHandler = std::function<void(const QString& path, const QString& message)>;
    static void setFatalHandler(FatalHandler handler);
    [[noreturn]] static void fail(const QString& path, const QString& message);

private:
    QString m_connection;
    QString m_path;
    std::map<QString, QSqlQuery> m_prepared;
};

// Thrown after every engine failure: the program's application object stops
// it before it reaches the window system, tests assert on it.
struct DatabaseFailure {
    QString path;
    QString message;
};

} // namespace tesmara
