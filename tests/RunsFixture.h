#pragma once

// Shared by the run, text-source and article tests: a fresh program folder
// with one user database open as the user connection. A database that cannot
// be made fails the test at once.

#include "TestSupport.h"
#include "app/AppState.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QDir>
#include <QtTest>

#include <stdexcept>

namespace tesmara::test {

class UserFolder {
public:
    UserFolder()
    {
        const QString name = QStringLiteral("练习者");
        QDir().mkpath(m_folder.path() + QStringLiteral("user/") + name);
        QString error;
        if (!Create_User_Db(m_folder.path(), name, &error) ||
            !App().Conn_User.open(userDbPath(m_folder.path(), name), Database::Mode::ReadWrite, &error)) {
            throw std::runtime_error("user database: " + error.toStdString());
        }
        App().User_Name = name;
    }
    QString path() const { return m_folder.path(); }
    Database& db() { return App().Conn_User; }

    qint64 count(const QString& table)
    {
        return db().scalar(QStringLiteral("select count(*) from ") + table)->toLongLong();
    }

private:
    ProgramFolder m_folder;
};

} // namespace tesmara::test
