#include "store/Schema.h"

#include "store/Database.h"

#include <QFile>
#include <QFileInfo>

namespace tesmara {

// Column types follow the stored layout: Long is INTEGER, Text(n) is
// varchar(n), Memo is TEXT. ID is always the auto-increment key, first.
void createAppTables(Database& db)
{
    db.exec(QStringLiteral("create table set_ (ID integer primary key autoincrement, "
                           "Name_ varchar(50) not null default '', Value_ varchar(50) null)"));
    db.exec(QStringLiteral("create table [user] (ID integer primary key autoincrement, "
                           "Un varchar(20) not null default '', Pw varchar(32) not null default '', "
                           "I integer not null default 0)"));
}

void createUserTables(Database& db)
{
    db.exec(QStringLiteral("create table set_ (ID integer primary key autoincrement, "
                           "Name_ varchar(50) not null default '', Value_ varchar(50) not null default '')"));
    db.exec(QStringLiteral("create table test_no (ID integer primary key autoincrement, "
                           "N varchar(5) not null default '', No_ integer not null default 0)"));
    db.exec(QStringLiteral("create table testlog (ID integer primary key autoincrement, "
                           "type varchar(5) not null default '', s integer not null default 0, "
                           "t integer not null default 0, c varchar(32) not null default '', "
                           "r varchar(20) not null default '')"));
    db.exec(QStringLiteral("create table text_ (ID integer primary key autoincrement, "
                           "N varchar(12) not null default '', T text not null default '', "
                           "C varchar(32) not null default '', No_ integer not null default 0)"));
}

QString userDbPath(const QString& dataRoot, const QString& name)
{
    return dataRoot + QStringLiteral("user/") + name + QStringLiteral("/d.at");
}

bool Create_User_Db(const QString& dataRoot, const QString& name, QString* error)
{
    const QString path = userDbPath(dataRoot, name);
    const QString tmp = path + QStringLiteral(".new");
    QFile::remove(tmp);
    // Built under a temporary name and renamed, so a failure or a kill never
    // leaves a user database with only some of its tables.
    {
        Database db;
        if (!db.open(tmp, Database::Mode::ReadWrite, error)) {
            QFile::remove(tmp);
            return false;
        }
        const bool ok = db.transaction([&] {
            createUserTables(db);
            return true;
        });
        db.close();
        if (!ok) {
            QFile::remove(tmp);
            return false;
        }
    }
    // Never over an existing database: renaming refuses to replace a file.
    if (!QFile::rename(tmp, path)) {
        if (error) {
            *error = QStringLiteral("无法写入文件：%1").arg(path);
        }
        QFile::remove(tmp);
        return false;
    }
    return true;
}

} // namespace tesmara
