// The practice items of the main window: choosing a practice, the
// switch-over from the last one, and the practice stored between sessions.
#include "practice/ui/Form_Test_Common.h"

#include "app/AppState.h"
#include "app/Resources.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/My_Frame.h"
#include "controls/ui/Text.h"
#include "practice/CodeTips.h"
#include "practice/PracticeRun.h"
#include "practice/RunFigures.h"
#include "practice/TextSource.h"
#include "practice/ui/KeyboardPage.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/TipsPanel.h"
#include "practice/ui/TypingBoard.h"
#include "store/Settings.h"

#include <QAction>
#include <QComboBox>

namespace tesmara {

void Form_Test_Common::restoreLastPractice()
{
    const LastPractice last = Last_Test_Restore(App().Conn_User, m_settings.lastTest);
    if (!last.repaired.isEmpty()) {
        Settings(App().Conn_User).setValue(QStringLiteral("Last_Test"), last.repaired);
    }
    runRestored(last);
}

void Form_Test_Common::runRestored(const LastPractice& last)
{
    using Item = LastPractice::Item;
    auto findCaption = [](const QList<QAction*>& items, const QString& caption) {
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]->isEnabled() && items[i]->text() == caption) {
                return i;
            }
        }
        return -1;
    };
    switch (last.item) {
    case Item::Chinese:
        Menu_Test_Chinese_Text_Click(last.index);
        break;
    case Item::English:
        Menu_Test_English_Text_Click(last.index);
        break;
    case Item::Numbers:
        Menu_Test_Number_Text_Click(last.index);
        break;
    case Item::CodeDrill:
        Menu_Test_WB_Text_Click(last.index);
        break;
    case Item::PhraseDrill:
        Menu_Test_WBPhrase__Click(last.index);
        break;
    case Item::SplitDrill:
        Menu_Test_ChaiZi_Click();
        break;
    case Item::Keyboard:
        Menu_Test_KeyboardMouse_Text_Click(0);
        if (last.index == 2) {
            keyboardPage().Check_Box_Test_Key_Number->click();
        }
        break;
    case Item::Mouse:
        Menu_Test_KeyboardMouse_Text_Click(1);
        break;
    case Item::UserArticle: {
        const int i = findCaption(m_menus.saveUserItems, last.article);
        if (i >= 0) {
            Menu_Test_Save_User_Click(i);
        }
        break;
    }
    case Item::ReviewArticle: {
        const int i = findCaption(m_menus.saveWrongItems, last.article);
        if (i >= 0) {
            Menu_Test_Save_Wrong_Click(i);
        }
        break;
    }
    default:
        // Practices without their panel in this window open the first essay.
        Menu_Test_Chinese_Text_Click(0);
        break;
    }
}

bool Form_Test_Common::switchOver(Panel target)
{
    if (!m_run->confirmSwitch()) {
        return false;
    }
    switch (target) {
    case Panel::Keyboard:
        keyboardPage();
        break;
    case Panel::Mouse:
        mousePage();
        break;
    case Panel::Split:
        splitPage();
        break;
    case Panel::Text:
        break;
    }
    for (const OwnPanel& panel : m_panels) {
        if (panel.frame && !panel.frame->isHidden() && panel.frame != m_panels[int(target)].frame) {
            panel.leave();
            panel.frame->hide();
        }
    }
    const bool text = target == Panel::Text;
    Frame_Common->setVisible(text);
    m_tips->setVisible(text);
    m_runPanel->setVisible(text);
    if (QWidget* frame = m_panels[int(target)].frame) {
        frame->show();
        frame->raise();
    }
    return true;
}

void Form_Test_Common::Set_False()
{
    QList<QAction*> group;
    switch (m_kind) {
    case PracticeKind::Chinese:
        group = m_menus.chinese;
        break;
    case PracticeKind::English:
        group = m_menus.english;
        break;
    case PracticeKind::Numbers:
        group = m_menus.numbers;
        break;
    case PracticeKind::Wubi:
        group << m_menus.wbText << m_menus.wbPhrase << m_menus.chaiZi;
        break;
    case PracticeKind::KeyMouse:
        group = m_menus.keyboardMouse;
        break;
    case PracticeKind::Article:
        group << m_menus.saveUserItems << m_menus.saveWrongItems;
        break;
    }
    for (QAction* a : std::as_const(group)) {
        a->setChecked(false);
    }
}

void Form_Test_Common::startPractice(QAction* item, PracticeKind kind, const QString& title)
{
    Set_False();
    item->setChecked(true);
    setWindowTitle(title);
    m_kind = kind;
    prepareRows();
}

void Form_Test_Common::prepareRows()
{
    TypingEngine& engine = m_board->engine();
    engine.setKind(m_kind);
    engine.setItemLength(m_source->drillItemLength());
    const int drill = m_kind == PracticeKind::Wubi ? tickedIndex(m_menus.wbText) : -1;
    engine.setDrillLookup(Drill_Lookup(engine, Key_Drill_Of(drill)));
    m_source->rewindToStoredPosition();
    engine.resetRows(m_source->textType());
    m_tips->Label_Tips->setCaption(QString());
    m_run->setRecordType(recordTypeFor(m_kind, tickedIndex(m_menus.wbText), tickedIndex(m_menus.wbPhrase)));
    m_run->resetToReady();
    updateRunControls();
}

void Form_Test_Common::chooseItem(const QList<QAction*>& items, int index, PracticeKind kind,
                                  const std::function<void()>& choose)
{
    QAction* item = items.value(index);
    if (!item || item->isChecked() || !switchOver()) {
        return;
    }
    choose();
    startPractice(item, kind, practiceTitle(kind, item->text()));
}

void Form_Test_Common::Menu_Test_Chinese_Text_Click(int index)
{
    chooseItem(m_menus.chinese, index, PracticeKind::Chinese, [&] { m_source->chooseChinese(index); });
}

void Form_Test_Common::Menu_Test_English_Text_Click(int index)
{
    chooseItem(m_menus.english, index, PracticeKind::English, [&] { m_source->chooseEnglish(index); });
}

void Form_Test_Common::Menu_Test_Number_Text_Click(int index)
{
    chooseItem(m_menus.numbers, index, PracticeKind::Numbers, [&] { m_source->chooseNumbers(index); });
}

void Form_Test_Common::Menu_Test_WB_Text_Click(int index)
{
    chooseItem(m_menus.wbText, index, PracticeKind::Wubi,
               [&] { m_source->chooseDrill(stringResource(300 + index), 1, Key_Drill_Of(index) == KeyDrill::Root); });
}

void Form_Test_Common::Menu_Test_WBPhrase__Click(int index)
{
    chooseItem(m_menus.wbPhrase, index, PracticeKind::Wubi,
               [&] { m_source->chooseDrill(stringResource(308 + index), index + 2); });
}

void Form_Test_Common::Menu_Test_KeyboardMouse_Text_Click(int index)
{
    if (index == 1) {
        startMousePractice();
        return;
    }
    QAction* item = m_menus.keyboardMouse.value(index);
    if (index != 0 || !item || item->isChecked() || !switchOver(Panel::Keyboard)) {
        return;
    }
    keyboardPage().start();
    setWindowTitle(QStringLiteral("Tesmara → 键盘指法练习"));
    Set_False();
    m_kind = PracticeKind::KeyMouse;
    item->setChecked(true);
}

void Form_Test_Common::Menu_Test_Save_User_Click(int index)
{
    openArticle(m_menus.saveUserItems, index, QStringLiteral("_u"));
}

void Form_Test_Common::Menu_Test_Save_Wrong_Click(int index)
{
    openArticle(m_menus.saveWrongItems, index, QStringLiteral("_w"));
}

void Form_Test_Common::openArticle(const QList<QAction*>& items, int index, const QString& suffix)
{
    QAction* item = items.value(index);
    if (!item || !item->isEnabled() || item->isChecked()) {
        return;
    }
    const bool abandoning = m_run->stopEnabled();
    if (!switchOver()) {
        return;
    }
    if (!m_source->chooseArticle(item->text() + suffix)) {
        // The damaged-data notice was shown; an abandoned run leaves fresh
        // rows of the practice that stays.
        if (abandoning) {
            prepareRows();
        }
        return;
    }
    startPractice(item, PracticeKind::Article, practiceTitle(PracticeKind::Article, item->text()));
}

QString Form_Test_Common::lastTestValue() const
{
    LastPractice p;
    using Item = LastPractice::Item;
    switch (m_kind) {
    case PracticeKind::Chinese:
        p.item = Item::Chinese;
        p.index = tickedIndex(m_menus.chinese);
        break;
    case PracticeKind::English:
        p.item = Item::English;
        p.index = tickedIndex(m_menus.english);
        // The random letters are not stored.
        if (p.index > 9) {
            p.index = -1;
        }
        break;
    case PracticeKind::Numbers:
        p.item = Item::Numbers;
        p.index = m_menus.numbers[0]->isChecked() ? 0 : 1;
        break;
    case PracticeKind::Wubi:
        if (m_menus.chaiZi->isChecked()) {
            p.item = Item::SplitDrill;
        } else if ((p.index = tickedIndex(m_menus.wbText)) >= 0) {
            p.item = Item::CodeDrill;
        } else {
            p.item = Item::PhraseDrill;
            p.index = tickedIndex(m_menus.wbPhrase);
        }
        break;
    case PracticeKind::KeyMouse:
        p.item = m_menus.keyboardMouse[0]->isChecked() ? Item::Keyboard : Item::Mouse;
        // The number pad is practised while the key-set list is off.
        p.index = p.item == Item::Keyboard && m_keyPage && !m_keyPage->Combo_Test_KeyBoard->isEnabled() ? 2 : 0;
        break;
    case PracticeKind::Article: {
        const int u = tickedIndex(m_menus.saveUserItems);
        const int w = tickedIndex(m_menus.saveWrongItems);
        if (u >= 0) {
            p.item = Item::UserArticle;
            p.article = m_menus.saveUserItems[u]->text();
        } else if (w >= 0) {
            p.item = Item::ReviewArticle;
            p.article = m_menus.saveWrongItems[w]->text();
        } else {
            return {};
        }
        return Last_Test_Value(p);
    }
    }
    if (p.index < 0 && p.item != Item::SplitDrill && p.item != Item::Keyboard && p.item != Item::Mouse) {
        return {};
    }
    return Last_Test_Value(p);
}

} // namespace tesmara
