#include "app/AppState.h"

#include <QCoreApplication>

namespace tesmara {

AppState& App()
{
    static AppState state;
    // Connections must close while Qt's SQL registry still exists, i.e.
    // when the application object goes, not at static destruction.
    static const bool hooked = [] {
        qAddPostRoutine([] { App().reset(); });
        return true;
    }();
    Q_UNUSED(hooked);
    return state;
}

void AppState::closeUser()
{
    Conn_User.close();
    Conn_Phrase.close();
    User_Name.clear();
}

void AppState::reset()
{
    closeUser();
    Conn_Main.close();
    Msg_Result.clear();
}

} // namespace tesmara
