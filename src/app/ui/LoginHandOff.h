#pragma once

#include <functional>

namespace tesmara {

// The last step of start-up: the login window or the remembered user's
// first window. The login window registers itself here.
struct LoginHandOff {
    std::function<void()> autoLogin;
    std::function<void()> showLoginWindow;
};

LoginHandOff& loginHandOff();

} // namespace tesmara
