#include "app/AppState.h"

#include <QCoreApplication>

namespace tesmara {

AppState& App()
{
    // Never destroyed: its connections must close while Qt's SQL registry
    // still exists, i.e. when the application object goes, and a static
    // object would try again after the registry is gone.
    static AppState* const state = [] {
        qAddPostRoutine([] { App().reset(); });
        return new AppState;
    }();
    return *state;
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
