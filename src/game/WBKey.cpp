#include "game/WBKey.h"

#include "practice/CodeTips.h"

namespace tesmara::game {

QString WBKey(int keyAscii, const QString& root)
{
    if (keyAscii < 'a' || keyAscii > 'y') {
        return {};
    }
    return Drill_Key_Char(KeyDrill::Root, QChar(keyAscii), root.size() == 1 ? root.front() : QChar());
}

} // namespace tesmara::game
