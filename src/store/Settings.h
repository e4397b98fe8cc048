#pragma once

#include <QString>

#include <optional>

namespace tesmara {

class Database;

enum class SettingsScope { App, User };

// One row of the settings table: key, default (nullopt = null), and the check
// that decides whether a stored value is still in range.
struct SettingDef {
    const char* key;
    std::optional<QString> defaultValue;
    SettingsScope scope;
    bool (*valid)(const QString& value) = nullptr;
};

// The definition of a key, or nullptr for keys the table does not know.
const SettingDef* findSetting(const QString& key);

// Name/value pairs of a set_ table. Reading a key that has no row adds it
// with its default; a value out of range is rewritten with the default.
class Settings {
public:
    explicit Settings(Database& db, QString programFolder = {});

    // The value, repaired as above; nullopt for a null value.
    std::optional<QString> value(const QString& key);
    // The value as text; null reads as "".
    QString text(const QString& key) { return value(key).value_or(QString()); }
    bool flag(const QString& key) { return text(key) == QLatin1String("1"); }

    void setValue(const QString& key, const QString& value);
    void clear(const QString& key); // stores null
    void setFlag(const QString& key, bool on) { setValue(key, on ? QStringLiteral("1") : QStringLiteral("0")); }

    // The stored row as it is, without adding or repairing: nullopt when the
    // row is missing; a row with a null value gives an empty optional inside.
    std::optional<std::optional<QString>> raw(const QString& key);
    void insert(const QString& key, const std::optional<QString>& value);

private:
    std::optional<QString> defaultFor(const SettingDef* def) const;

    Database& m_db;
    QString m_programFolder;
};

} // namespace tesmara
