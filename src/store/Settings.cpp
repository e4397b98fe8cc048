#include "store/Settings.h"

#include "app/Format.h"
#include "store/Database.h"

#include <QVariant>
#include <iterator>

namespace tesmara {

namespace {

bool isFlag(const QString& v)
{
    return v == QLatin1String("0") || v == QLatin1String("1");
}

bool inRange(const QString& v, double lo, double hi)
{
    const double n = Val(v);
    return n >= lo && n <= hi;
}

bool validMode(const QString& v)
{
    return inRange(v, 0, 2);
}
bool validTestTime(const QString& v)
{
    bool ok = false;
    const int n = v.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 60;
}
// The five entries of the code-tip list.
bool validTips(const QString& v)
{
    return inRange(v, 0, 4);
}
// One of the six speed items, written as its index alone.
bool validGameSpeed(const QString& v)
{
    return v.size() == 1 && v[0] >= QLatin1Char('0') && v[0] <= QLatin1Char('5');
}

// The program folder stands in for Last_OpenTxt_Path's default; it is filled
// in by Settings at read time.
const SettingDef kSettings[] = {
    {"Ver", QStringLiteral("7.05"), SettingsScope::App},
    {"Update_", QStringLiteral("0"), SettingsScope::App},
    {"Auto_Update", QStringLiteral("1"), SettingsScope::App},
    {"Auto_Login_Name", std::nullopt, SettingsScope::App},
    {"Auto_Login_PassWord", std::nullopt, SettingsScope::App},
    {"setup", QStringLiteral("0"), SettingsScope::App},
    {"Last_Test_Mode", QStringLiteral("0"), SettingsScope::User, validMode},
    {"Last_Test", QStringLiteral("000"), SettingsScope::User},
    {"Last_Test_Time", QStringLiteral("10"), SettingsScope::User, validTestTime},
    {"Last_Tips", QStringLiteral("0"), SettingsScope::User, validTips},
    {"English_Test_Width", QStringLiteral("1"), SettingsScope::User, isFlag},
    {"Text_Wrong_Show", QStringLiteral("1"), SettingsScope::User, isFlag},
    {"Sound_Wrong", QStringLiteral("1"), SettingsScope::User, isFlag},
    {"Sound_Key", QStringLiteral("0"), SettingsScope::User, isFlag},
    {"Wrong_Color", QStringLiteral("1"), SettingsScope::User, isFlag},
    {"Last_OpenTxt_Path", QString(), SettingsScope::User},
    {"Mouse_Test_Lase_BackPic", QStringLiteral("2"), SettingsScope::User},
    {"Mouse_Test_Lase_Speed", QStringLiteral("2"), SettingsScope::User},
    {"Mouse_Test_Lase_Test", QStringLiteral("2"), SettingsScope::User},
    {"Game1_Speed", QStringLiteral("3"), SettingsScope::User, validGameSpeed},
    {"Game1_Last_Test", QStringLiteral("0"), SettingsScope::User},
    {"Game1_Sound", QStringLiteral("0"), SettingsScope::User, isFlag},
};

} // namespace

const SettingDef* findSetting(const QString& key)
{
    for (const SettingDef& def : kSettings) {
        if (key == QLatin1String(def.key)) {
            return &def;
        }
    }
    return nullptr;
}

Settings::Settings(Database& db, QString programFolder) : m_db(db), m_programFolder(std::move(programFolder)) {}

std::optional<QString> Settings::defaultFor(const SettingDef* def) const
{
    if (!def) {
        return QString();
    }
    if (qstrcmp(def->key, "Last_OpenTxt_Path") == 0) {
        return m_programFolder;
    }
    return def->defaultValue;
}

std::optional<std::optional<QString>> Settings::raw(const QString& key)
{
    QSqlQuery q = m_db.exec(QStringLiteral("select Value_ from set_ where Name_ = ?"), {key});
    if (!q.next()) {
        return std::nullopt;
    }
    const QVariant v = q.value(0);
    if (v.isNull()) {
        return std::optional<QString>();
    }
    return std::optional<QString>(v.toString());
}

void Settings::insert(const QString& key, const std::optional<QString>& value)
{
    m_db.exec(QStringLiteral("insert into set_ (Name_, Value_) values (?, ?)"),
              {key, value ? QVariant(*value) : QVariant(QMetaType::fromType<QString>())});
}

std::optional<QString> Settings::value(const QString& key)
{
    const SettingDef* def = findSetting(key);
    const auto stored = raw(key);
    if (!stored) {
        const auto fallback = defaultFor(def);
        insert(key, fallback);
        return fallback;
    }
    const std::optional<QString>& v = *stored;
    if (def && def->valid && (!v || !def->valid(*v))) {
        const auto fallback = defaultFor(def);
        if (fallback) {
            setValue(key, *fallback);
        }
        return fallback;
    }
    return v;
}

void Settings::setValue(const QString& key, const QString& value)
{
    QSqlQuery q = m_db.exec(QStringLiteral("update set_ set Value_ = ? where Name_ = ?"), {value, key});
    if (q.numRowsAffected() == 0) {
        insert(key, value);
    }
}

void Settings::clear(const QString& key)
{
    m_db.exec(QStringLiteral("update set_ set Value_ = null where Name_ = ?"), {key});
}

} // namespace tesmara
