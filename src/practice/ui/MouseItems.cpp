// The mouse practice in the main window: its panel among the practice
// panels and its menu item.
#include "practice/ui/Form_Test_Common.h"

#include "app/AppState.h"
#include "practice/MouseSettings.h"
#include "practice/ui/MousePage.h"

#include <QAction>

namespace tesmara {

MousePage& Form_Test_Common::mousePage()
{
    if (!m_mousePage) {
        m_mousePage = new MousePage(m_services.clock, m_services.random, m_centre);
        addPanel(Panel::Mouse, m_mousePage, [this] {
            if (App().Conn_User.isOpen()) {
                m_mousePage->settings().write(App().Conn_User);
            }
            m_mousePage->stop();
        });
    }
    return *m_mousePage;
}

void Form_Test_Common::startMousePractice()
{
    QAction* item = m_menus.keyboardMouse.value(1);
    if (!item || item->isChecked() || !switchOver(Panel::Mouse)) {
        return;
    }
    Set_False();
    item->setChecked(true);
    setWindowTitle(QStringLiteral("Tesmara → 鼠标练习"));
    m_kind = PracticeKind::KeyMouse;
    mousePage().start(MouseSettings::read(App().Conn_User), App().Share_Path);
}

} // namespace tesmara
