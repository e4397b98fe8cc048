#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
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

    // Runs a statement. A failure is an engine error: it goes to the fatal
    // handler (the program reports it and ends; tests make it throw).
    QSqlQuery exec(const QString& sql, const QVariantList& binds = {});
    // First column of the first row, or nullopt when there is no row.
    std::optional<QVariant> scalar(const QString& sql, const QVariantList& binds = {});
    bool hasRow(const QString& sql, const QVariantList& binds = {});
    bool hasTable(const QString& name);

    // Runs `body` inside one transaction; rolls back when it returns false.
    bool transaction(const std::function<bool()>& body);

    using FatalHandler = std::function<void(const QString& path, const QString& message)>;
    static void setFatalHandler(FatalHandler handler);
    static void fail(const QString& path, const QString& message);

private:
    QString m_connection;
    QString m_path;
};

// Thrown by the test fatal handler so a test can assert on engine failures.
struct DatabaseFailure {
    QString path;
    QString message;
};

} // namespace tesmara
