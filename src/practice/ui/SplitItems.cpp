// The split drill in the main window: its panel among the practice panels
// and its menu item.
#include "practice/ui/Form_Test_Common.h"

#include "controls/ui/WB_Cut.h"
#include "practice/TextSource.h"
#include "practice/ui/SplitPage.h"

#include <QAction>

namespace tesmara {

SplitPage& Form_Test_Common::splitPage()
{
    if (!m_splitPage) {
        m_splitPage = new SplitPage(m_services.clock, m_services.random, m_centre);
        addPanel(Panel::Split, m_splitPage, [this] { m_splitPage->leave(); });
    }
    return *m_splitPage;
}

void Form_Test_Common::Menu_Test_ChaiZi_Click()
{
    QAction* item = m_menus.chaiZi;
    if (item->isChecked() || !switchOver(Panel::Split)) {
        return;
    }
    Set_False();
    m_kind = PracticeKind::Wubi;
    item->setChecked(true);
    splitPage().start();
    m_source->chooseDrill(m_splitPage->WB_Cut1->GetText(), 1);
}

} // namespace tesmara
