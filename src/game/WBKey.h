#pragma once

#include <QString>

namespace tesmara::game {

// The root a Wubi key types when `root` is shown: for a key "a".."y" the
// root itself when it lies on that key, else the key's key-name root; for
// any other key code ("z" and capitals included) nothing.
QString WBKey(int keyAscii, const QString& root);

} // namespace tesmara::game
