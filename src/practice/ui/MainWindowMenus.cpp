// The main window's menu items other than the practices: the article,
// data, user, sound and help items, and the Wubi chart panel.
#include "practice/ui/Form_Test_Common.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/WindowRegistry.h"
#include "articles/ArticleEditor.h"
#include "articles/ui/Form_Control_SaveText.h"
#include "articles/ui/Form_Control_TestBegin.h"
#include "articles/ui/Form_Input_Test_Text.h"
#include "controls/ui/TextData.h"
#include "mistakes/ui/Form_Show_Mistakes.h"
#include "practice/PracticeRun.h"
#include "practice/TextSource.h"
#include "practice/ui/ChartPanel.h"
#include "practice/ui/KeyboardPage.h"
#include "practice/ui/TypingBoard.h"
#include "records/ui/Form_Show_TestLog.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include <QAction>
#include <QMenu>
#include <QUrl>

namespace tesmara {

void Form_Test_Common::connectMenus()
{
    const MainMenus& m = m_menus;
    connectItems(m.chinese, this, [this](int i) { Menu_Test_Chinese_Text_Click(i); });
    connectItems(m.english, this, [this](int i) { Menu_Test_English_Text_Click(i); });
    connectItems(m.numbers, this, [this](int i) { Menu_Test_Number_Text_Click(i); });
    connect(m.chineseOther, &QAction::triggered, this,
            [this] { openUrl(QString::fromLatin1(kHomePage) + QStringLiteral("articles/")); });
    connect(m.englishWidth, &QAction::triggered, this, [this] { toggleWidth(m_menus.englishWidth); });
    connect(m.numberWidth, &QAction::triggered, this, [this] { toggleWidth(m_menus.numberWidth); });

    connectItems(m.wbText, this, [this](int i) { Menu_Test_WB_Text_Click(i); });
    connectItems(m.wbPhrase, this, [this](int i) { Menu_Test_WBPhrase__Click(i); });
    connectItems(m.keyboardMouse, this, [this](int i) { Menu_Test_KeyboardMouse_Text_Click(i); });
    connectItems({m.chaiZi}, this, [this](int) { Menu_Test_ChaiZi_Click(); });
    connectChartPanel();
    m.gameMode->setEnabled(bool(windowRegistry().openGameWindow));
    connect(m.gameMode, &QAction::triggered, this, [this] {
        if (!windowRegistry().openGameWindow) {
            return;
        }
        hide();
        windowRegistry().openGameWindow();
        close();
    });

    connect(m.definitionTxt, &QAction::triggered, this, [this] {
        Menu_Test_Definition_Txt_Click(this, *m_editor);
        Load_Menus_SaveText();
    });
    connect(m.definitionInput, &QAction::triggered, this,
            [this] { tesmara::Menu_Test_Definition_Input_Click(this, *m_editor); });
    connect(m.saveControl, &QAction::triggered, this,
            [this] { Show_SaveText_Manager(this, [this] { Load_Menus_SaveText(); }); });
    connect(m_editor.get(), &ArticleEditor::articlesChanged, this, [this] { Load_Menus_SaveText(); });
    connect(m_editor.get(), &ArticleEditor::practiceRequested, this,
            [this](const QString& full) { practiseSavedArticle(full); });

    connect(m.testLog, &QAction::triggered, this, [this] { Show_TestLog_Window(this); });
    connect(m.mistakes, &QAction::triggered, this, [this] {
        // The keys of a fingering session so far are in what the window
        // shows; the session goes on.
        if (m_keyPage) {
            m_keyPage->endSession(false);
        }
        Show_Mistakes_Window(this, *m_mistakes, *m_editor, int(m_kind));
    });
    for (int page = 0; page < m.user.size(); ++page) {
        connect(m.user[page], &QAction::triggered, this, [this, page] { UserWindow::run(page, this); });
    }
    connect(m.autoUpdate, &QAction::triggered, this,
            [this] { writeAutoUpdate(App().Conn_Main, m_menus.autoUpdate->isChecked()); });
    connect(m.textNo, &QAction::triggered, this, [this] { Show_TestBegin_Manager(this); });

    connect(m.soundWrong, &QAction::toggled, this, [this](bool on) {
        m_board->engine().setWrongSound(on);
        if (m_keyPage) {
            m_keyPage->setWrongSound(on);
        }
    });
    connect(m.wrongColour, &QAction::toggled, this, [this](bool on) { m_board->engine().setWrongColour(on); });

    connect(m.helpStudy, &QAction::triggered, this,
            [this] { openUrl(QString::fromLatin1(kHomePage) + QStringLiteral("study/")); });
    connect(m.checkNew, &QAction::triggered, this, [this] {
        Menu_Help_CheckNew_Click(
            m_menus.autoUpdate->isChecked(), [this] { m_menus.autoUpdate->trigger(); }, App().App_Path,
            m_services.upkeep);
    });
    connect(m.about, &QAction::triggered, this, [this] { LoginWindow::showAbout(this); });
    connect(m.www, &QAction::triggered, this, [this] { openUrl(QString::fromLatin1(kHomePage)); });
    connect(m.ver, &QAction::triggered, this, [this] { openUrl(QString::fromLatin1(kHomePage)); });
    connect(m.mail, &QAction::triggered, this, [this] {
        openUrl(QString::fromLatin1(kMailAddress) + QStringLiteral("?subject=") +
                QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("关于 Tesmara"))));
    });
    connect(m.uninstall, &QAction::triggered, this,
            [] { Show_Msg(uninstallNotice(App().App_Path), 1, 0, QStringLiteral("软件卸载方法")); });
}

void Form_Test_Common::connectChartPanel()
{
    connectItems(m_menus.wbShow, this, [this](int i) { Menu_Test_Wb___Click(i); });
    connect(m_chart, &ChartPanel::chartPicked, this, &Form_Test_Common::Option_Wb_TS_Click);
    connect(m_chart, &ChartPanel::closeClicked, this, &Form_Test_Common::CMD_Close_Click);
}

void Form_Test_Common::Menu_Test_Wb___Click(int index)
{
    if (!m_chart->showChart(index, App().Share_Path)) {
        return;
    }
    for (int i = 0; i < m_menus.wbShow.size(); ++i) {
        m_menus.wbShow[i]->setChecked(i == index);
    }
    // The chart is read while typing goes on.
    if (m_run->stopEnabled()) {
        m_board->input(m_board->engine().activeRow())->setFocus();
    }
}

void Form_Test_Common::Option_Wb_TS_Click(int index)
{
    Menu_Test_Wb___Click(index);
    for (int row = 0; row < TypingBoard::kRows; ++row) {
        if (m_board->input(row)->isEnabled()) {
            m_board->input(row)->setFocus();
            break;
        }
    }
}

void Form_Test_Common::CMD_Close_Click()
{
    m_chart->closeChart();
    for (QAction* item : std::as_const(m_menus.wbShow)) {
        item->setChecked(false);
    }
}

void Form_Test_Common::practiseSavedArticle(const QString& fullName)
{
    Load_Menus_SaveText();
    const bool user = fullName.endsWith(QLatin1String("_u"));
    const QList<QAction*>& items = user ? m_menus.saveUserItems : m_menus.saveWrongItems;
    const QString caption = fullName.chopped(2);
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->text() == caption) {
            openArticle(items, i, user ? QStringLiteral("_u") : QStringLiteral("_w"));
            return;
        }
    }
}

void Form_Test_Common::Load_Menus_SaveText()
{
    // The ticked article keeps its tick across the rebuild.
    QString tickedUser;
    QString tickedWrong;
    if (m_kind == PracticeKind::Article) {
        const int u = tickedIndex(m_menus.saveUserItems);
        const int w = tickedIndex(m_menus.saveWrongItems);
        tickedUser = u >= 0 ? m_menus.saveUserItems[u]->text() : QString();
        tickedWrong = w >= 0 ? m_menus.saveWrongItems[w]->text() : QString();
    }
    const SavedArticleMenus names = tesmara::Load_Menus_SaveText(App().Conn_User);
    fillArticleMenu(m_menus.saveUser, m_menus.saveUserItems, "Menu_Test_Save_User_", names.user);
    fillArticleMenu(m_menus.saveWrong, m_menus.saveWrongItems, "Menu_Test_Save_Wrong_", names.review);
    connectItems(m_menus.saveUserItems, this, [this](int i) { Menu_Test_Save_User_Click(i); });
    connectItems(m_menus.saveWrongItems, this, [this](int i) { Menu_Test_Save_Wrong_Click(i); });
    for (QAction* a : std::as_const(m_menus.saveUserItems)) {
        a->setChecked(a->isEnabled() && a->text() == tickedUser && !tickedUser.isEmpty());
    }
    for (QAction* a : std::as_const(m_menus.saveWrongItems)) {
        a->setChecked(a->isEnabled() && a->text() == tickedWrong && !tickedWrong.isEmpty());
    }
}

void Form_Test_Common::toggleWidth(QAction* item)
{
    m_source->setEnglishWidth(m_menus.englishWidth->isChecked());
    m_source->setNumberWidth(m_menus.numberWidth->isChecked());
    // Practice that draws its lines with this width starts again with it,
    // unless a run is going (its next lines follow the new width).
    const bool affected = (item == m_menus.englishWidth && m_source->randomLetters()) ||
                          (item == m_menus.numberWidth && m_kind == PracticeKind::Numbers);
    if (affected && !m_run->stopEnabled()) {
        prepareRows();
    }
}

void Form_Test_Common::openUrl(const QString& url)
{
    LoginWindow::urlOpener()(QUrl(url));
}

} // namespace tesmara
