#pragma once

#include <QString>

namespace tesmara {

class Database;

// Tables of the application database "d.at": set_ and user.
void createAppTables(Database& db);
// Tables of a user database: set_, test_no, testlog, text_ (in that order).
void createUserTables(Database& db);

// Creates `<dataRoot>user/<name>/d.at` with its four tables. The user's folder
// must exist and hold no database yet. Returns false with `error` set when
// the file cannot be made; a half-made file is removed again.
bool Create_User_Db(const QString& dataRoot, const QString& name, QString* error = nullptr);

QString userDbPath(const QString& dataRoot, const QString& name);

} // namespace tesmara
