#include "app/AppState.h"

namespace tesmara {

AppState& App()
{
    static AppState state;
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
