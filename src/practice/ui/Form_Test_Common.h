#pragma once

#include "practice/LastTest.h"
#include "practice/PracticeKind.h"
#include "practice/ProgramUpkeep.h"
#include "practice/WindowLayout.h"
#include "practice/WindowSettings.h"
#include "practice/ui/MainMenus.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QKeyEvent;

namespace tesmara {

class ArticleEditor;
class ChartPanel;
class Clock;
class KeyboardPage;
class MistakeStore;
class MousePage;
class My_Frame;
class PracticeRun;
class RandomSource;
class RunPanel;
class Sounds;
class SplitPage;
class TextSource;
class TipsPanel;
class TypingBoard;

// The main practice window: the practice menus, the seven line pairs with
// the tips strip and the run panel, and the settings kept between sessions.
// It opens on the last practice of the logged-in user and stores the
// settings and that practice when it closes.
class Form_Test_Common : public QMainWindow {
    Q_OBJECT
public:
    // What tests replace: the clock of the run timer, the random source of
    // generated lines, the program starter of the update items.
    struct Services {
        Clock* clock = nullptr;
        RandomSource* random = nullptr;
        UpkeepServices upkeep;
    };

    explicit Form_Test_Common(QWidget* parent = nullptr);
    Form_Test_Common(const Services& services, QWidget* parent = nullptr);
    ~Form_Test_Common() override;

    // Opens the window for the logged-in user (the login hand-off).
    static QWidget* open();
    // Registers open() as the main window of the session.
    static void install();

    // The practice items, as their menu clicks run them.
    void Menu_Test_Chinese_Text_Click(int index);
    void Menu_Test_English_Text_Click(int index);
    void Menu_Test_Number_Text_Click(int index);
    void Menu_Test_WB_Text_Click(int index);
    void Menu_Test_WBPhrase__Click(int index);
    void Menu_Test_Save_User_Click(int index);
    void Menu_Test_Save_Wrong_Click(int index);
    // Index 0 the keyboard fingering, 1 the mouse practice.
    void Menu_Test_KeyboardMouse_Text_Click(int index);
    void Menu_Test_ChaiZi_Click();
    // The Wubi chart panel: a chart item, a chart option, the close button.
    void Menu_Test_Wb___Click(int index);
    void Option_Wb_TS_Click(int index);
    void CMD_Close_Click();
    // Rebuilds the saved-article menus from the database.
    void Load_Menus_SaveText();
    // CMD_Begin / F5 and CMD_Stop / F9.
    void CMD_Begin_Click();
    void CMD_Stop_Click();

    PracticeKind currentKind() const { return m_kind; }
    const MainMenus& menus() const { return m_menus; }
    TypingBoard& board() { return *m_board; }
    PracticeRun& run() { return *m_run; }
    TextSource& source() { return *m_source; }
    RunPanel& runPanel() { return *m_runPanel; }
    TipsPanel& tipsPanel() { return *m_tips; }
    ChartPanel& chartPanel() { return *m_chart; }
    // The pages of their own are built the first time they are wanted.
    KeyboardPage& keyboardPage();
    MistakeStore& mistakes() { return *m_mistakes; }
    ArticleEditor& editor() { return *m_editor; }
    Sounds& sounds() { return *m_sounds; }
    MousePage& mousePage();
    SplitPage& splitPage();
    // The Last_Test value the window would store now.
    QString lastTestValue() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The targets of the switch-over step: the text panels, then each
    // practice with a panel of its own.
    enum class Panel { Text = 0, Mouse = 1, Keyboard = 2, Split = 3 };
    // A practice panel of its own, and what it does before it is hidden
    // (store its settings, stop its timers, drop its pictures).
    struct OwnPanel {
        QWidget* frame = nullptr;
        std::function<void()> leave;
    };

    void buildWindow();
    // Adds a page built on first use to the panels, under the chart panel
    // that floats over them all.
    void addPanel(Panel panel, QWidget* frame, std::function<void()> leave);
    void startMousePractice();
    void connectMenus();
    void connectRun();
    void chooseLayout();
    void placePanels();
    void applySettings();
    void restoreLastPractice();
    void runRestored(const LastPractice& last);
    void storeSettings();

    // The switch-over step before a practice item changes anything: the
    // panels of `target` are shown; false when the user keeps the running
    // practice.
    bool switchOver(Panel target = Panel::Text);
    // Removes the ticks of the current kind's menu group.
    void Set_False();
    // Ticks `item`, sets the caption and the kind, and lays out fresh rows.
    void startPractice(QAction* item, PracticeKind kind, const QString& title);
    // A practice item as a rule: nothing when ticked, the switch-over step,
    // then `choose` sets the text and the item is started.
    void chooseItem(const QList<QAction*>& items, int index, PracticeKind kind, const std::function<void()>& choose);
    void prepareRows();
    void updateRunControls();
    void openArticle(const QList<QAction*>& items, int index, const QString& suffix);
    void practiseSavedArticle(const QString& fullName);
    void toggleWidth(QAction* item);
    void openUrl(const QString& url);
    bool handleWindowKey(QKeyEvent* event);
    void showTip(int row);
    void showCodeHint(QChar next);
    void connectChartPanel();

    Services m_services;
    std::unique_ptr<TextSource> m_source;
    std::unique_ptr<ArticleEditor> m_editor;
    std::unique_ptr<MistakeStore> m_mistakes;
    PracticeRun* m_run = nullptr;
    Sounds* m_sounds = nullptr;
    MainMenus m_menus;
    QWidget* m_centre = nullptr;
    My_Frame* Frame_Common = nullptr;
    TypingBoard* m_board = nullptr;
    TipsPanel* m_tips = nullptr;
    RunPanel* m_runPanel = nullptr;
    ChartPanel* m_chart = nullptr;
    KeyboardPage* m_keyPage = nullptr;
    MousePage* m_mousePage = nullptr;
    SplitPage* m_splitPage = nullptr;
    std::array<OwnPanel, 4> m_panels{};
    WindowSettings m_settings;
    PracticeKind m_kind = PracticeKind::Chinese;
    WindowLayout m_layout;
    bool m_closed = false;
    const QKeyEvent* m_lastKey = nullptr;
    quint64 m_lastKeyTime = 0;
    int m_lastKeyCode = 0;
    QPointer<QWidget> m_lastKeyTarget;
};

} // namespace tesmara
