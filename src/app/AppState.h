#pragma once

#include "store/Database.h"

#include <QByteArray>
#include <QString>

namespace tesmara {

inline constexpr char kVersion[] = "7.05";
// The vendor's pages, in one place for every window that shows them.
inline constexpr char kHomePage[] = "https://tesmara.example.org/";
inline constexpr char kDownloadPage[] = "https://tesmara.example.org/download/";
inline constexpr char kMailAddress[] = "mailto:tesmara@example.org";

// Process-wide state shared by every window, one instance.
struct AppState {
    // Writable program folder ending with "/": the databases, "user/" and
    // "update/" live here.
    QString App_Path;
    // Folder of the read-only files that ship with the program ("p.dat",
    // pictures, sounds), ending with "/". Equal to App_Path in a portable
    // install.
    QString Share_Path;
    Database Conn_Main;
    Database Conn_User;
    Database Conn_Phrase;
    QString User_Name;
    QByteArray Wb86_Codes;
    QByteArray Wb98_Codes;
    QByteArray Py_Codes;
    QString Msg_Result;

    // Closes the user's databases (logout, user switch in tests).
    void closeUser();
    // Closes everything and forgets the user (tests start afresh).
    void reset();
};

AppState& App();

} // namespace tesmara
