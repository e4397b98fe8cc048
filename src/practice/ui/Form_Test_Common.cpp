#include "practice/ui/Form_Test_Common.h"

#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Resources.h"
#include "app/ui/WindowRegistry.h"
#include "articles/ArticleEditor.h"
#include "articles/ui/Form_Control_SaveText.h"
#include "articles/ui/Form_Control_TestBegin.h"
#include "articles/ui/Form_Input_Test_Text.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/My_Frame.h"
#include "controls/ui/Skin.h"
#include "controls/ui/Text.h"
#include "controls/ui/TextData.h"
#include "practice/CodeTips.h"
#include "practice/PracticeRun.h"
#include "practice/RunFigures.h"
#include "practice/TextSource.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/Sounds.h"
#include "practice/ui/TipsPanel.h"
#include "practice/ui/TypingBoard.h"
#include "records/ui/Form_Show_TestLog.h"
#include "store/Settings.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace tesmara {

namespace {

// The menu bar's own light brush, lighter than the window.
const QColor kMenuBack(243, 248, 254);

int tickedIndex(const QList<QAction*>& items)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

// Practice items keep the tick the window gives them: a click first undoes
// the flip the menu made, then runs the item with its index.
void connectItems(const QList<QAction*>& items, QObject* context, const std::function<void(int)>& click)
{
    for (int i = 0; i < items.size(); ++i) {
        QAction* action = items[i];
        QObject::connect(action, &QAction::triggered, context, [action, click, i] {
            action->setChecked(!action->isChecked());
            click(i);
        });
    }
}

UpkeepServices programUpkeep()
{
    UpkeepServices s;
    s.startProgram = [](const QString& program, const QStringList& args, const QString& workDir) {
        return QProcess::startDetached(program, args, workDir);
    };
    s.processEvents = [] { QCoreApplication::processEvents(); };
    return s;
}

} // namespace

Form_Test_Common::Form_Test_Common(QWidget* parent) : Form_Test_Common(Services{}, parent) {}

Form_Test_Common::Form_Test_Common(const Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services)
{
    if (!m_services.upkeep.startProgram) {
        m_services.upkeep = programUpkeep();
    }
    setObjectName(QStringLiteral("Form_Test_Common"));
    setWindowTitle(QStringLiteral("Tesmara"));

    Database& db = App().Conn_User;
    m_source = std::make_unique<TextSource>(db, m_services.random);
    m_editor = std::make_unique<ArticleEditor>(db);
    m_run = new PracticeRun(db, *m_source, m_services.clock, this);
    m_run->setArticleEditor(m_editor.get());
    m_sounds = new Sounds(QString(), this);

    buildWindow();
    chooseLayout();
    connectMenus();
    connectRun();

    m_settings = WindowSettings::read(db, App().Conn_Main);
    applySettings();
    Load_Menus_SaveText();
    restoreLastPractice();

    // Window keys are seen before the control with the focus.
    qApp->installEventFilter(this);
}

Form_Test_Common::~Form_Test_Common()
{
    qApp->removeEventFilter(this);
}

QWidget* Form_Test_Common::open()
{
    auto* window = new Form_Test_Common;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->activateWindow();
    return window;
}

void Form_Test_Common::install()
{
    windowRegistry().openMainWindow = [] { return open(); };
}

void Form_Test_Common::buildWindow()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, skin::window());
    setPalette(pal);
    setAutoFillBackground(true);

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    bar->setStyleSheet(QStringLiteral("QMenuBar { background: %1; border-bottom: 1px solid %2; }"
                                      "QMenuBar::item { padding: 4px 10px; background: transparent; }"
                                      "QMenuBar::item:selected { background: %3; border-radius: 3px; }"
                                      "QMenu { background: %1; border: 1px solid %2; padding: 3px; }"
                                      "QMenu::item { padding: 4px 24px 4px 26px; border-radius: 3px; }"
                                      "QMenu::item:selected { background: %3; color: black; }"
                                      "QMenu::item:disabled { color: #8a9aab; }"
                                      "QMenu::separator { height: 1px; background: %2; margin: 3px 6px; }")
                           .arg(kMenuBack.name(), skin::border().name(), skin::window().name()));
    m_menus = buildMainMenus(bar);

    m_centre = new QWidget(this);
    m_centre->setObjectName(QStringLiteral("Centre"));
    setCentralWidget(m_centre);
    m_centre->installEventFilter(this);

    Frame_Common = new My_Frame(m_centre);
    Frame_Common->setObjectName(QStringLiteral("Frame_Common"));
    Frame_Common->setBorderStyle(0);
    m_board = new TypingBoard(Frame_Common);
    m_board->setSounds(m_sounds);
    m_tips = new TipsPanel(m_centre);
    m_runPanel = new RunPanel(m_centre);
}

void Form_Test_Common::chooseLayout()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->size() : QSize(1024, 768);
    // Screen sizes in twips decide between the large and the standard
    // layout; a smaller screen keeps the standard one.
    const int w = px.width() * 15;
    const int h = px.height() * 15;
    QSize window(13425, 9905);
    if (w >= 18000 && h >= 13500) {
        window = QSize(16620, 11700);
        m_windowSize = 1;
        m_pairPitch = 78;
        m_inputOffset = 39;
    } else {
        m_windowSize = 0;
        m_pairPitch = 62;
        m_inputOffset = 31;
    }
    // The sizes are of the whole window; the frame and title take about
    // 8 by 30 pixels of them.
    resize(window.width() / 15 - 8, window.height() / 15 - 30);
    placePanels();
}

void Form_Test_Common::placePanels()
{
    const int margin = 8;
    const int width = m_centre->width() - 2 * margin;
    if (width <= 0) {
        return;
    }
    m_board->arrange(m_windowSize, width, m_pairPitch, m_inputOffset);
    const int boardHeight = m_board->sizeHint().height();
    Frame_Common->setGeometry(margin, 6, width, boardHeight);
    m_board->setGeometry(0, 0, width, boardHeight);
    const int tipsTop = 6 + boardHeight + 5;
    m_tips->setGeometry(margin, tipsTop, width, 30);
    const int sumTop = tipsTop + 30 + 6;
    m_runPanel->setGeometry(margin, sumTop, width, qMax(110, m_centre->height() - sumTop - 6));
    // Article lines are filled as far as the typing lines are wide.
    const int lineTwips = m_board->top(0)->width() * 15;
    const int size = m_windowSize;
    m_source->setLineFits([size, lineTwips](const QString& line) { return mixedLineFits(line, size, lineTwips); });
}

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
    // The split drill, the keyboard and mouse practice, the charts and the
    // game come with their own panels; until then their items stay off.
    QList<QAction*> later;
    later << m.chaiZi << m.keyboardMouse << m.wbShow;
    for (QAction* a : later) {
        a->setEnabled(false);
    }
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
    for (int page = 0; page < m.user.size(); ++page) {
        connect(m.user[page], &QAction::triggered, this, [this, page] { UserWindow::run(page, this); });
    }
    connect(m.autoUpdate, &QAction::triggered, this,
            [this] { writeAutoUpdate(App().Conn_Main, m_menus.autoUpdate->isChecked()); });
    connect(m.textNo, &QAction::triggered, this, [this] { Show_TestBegin_Manager(this); });

    connect(m.soundWrong, &QAction::toggled, this, [this](bool on) { m_board->engine().setWrongSound(on); });
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

void Form_Test_Common::connectRun()
{
    TypingEngine& engine = m_board->engine();
    connect(&engine, &TypingEngine::fillRequested, this,
            [this](int row) { m_board->engine().putLine(row, m_source->nextLine()); });
    m_run->setCountersSource([&engine] {
        return RunCounters{engine.Right_Count, engine.Wrong_Count, engine.Word_Count, engine.Wrong_Text};
    });
    connect(m_run, &PracticeRun::countersResetRequested, &engine, &TypingEngine::resetCounters);
    connect(m_run, &PracticeRun::firstRowActivationRequested, this, [&engine] { engine.activateRow(0); });
    connect(m_run, &PracticeRun::inputLineEnabled, this, [&engine](bool on) {
        if (on) {
            engine.resumeRun();
        } else {
            engine.pauseRun();
        }
    });
    connect(m_run, &PracticeRun::rowsReloadRequested, this, [this] {
        m_source->resetRows();
        m_board->engine().resetRows(m_source->textType());
    });
    connect(m_run, &PracticeRun::stateChanged, this, [this] { updateRunControls(); });
    connect(m_run, &PracticeRun::labelsChanged, m_runPanel, &RunPanel::showLabels);
    connect(m_run, &PracticeRun::resultReady, this, [](const QString& text) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(text);
    });
    connect(m_run, &PracticeRun::testTimeFocusRequested, m_runPanel, &RunPanel::focusTestTime);
    connect(m_run, &PracticeRun::wrongOfferChanged, this, [this](bool on) { m_settings.wrongOffer = on; });

    connect(&engine, &TypingEngine::tipRefreshRequested, this, &Form_Test_Common::showTip);
    connect(m_board, &TypingBoard::rowFocused, this, [this](int row) {
        if (m_tips->entry() != 0) {
            showTip(row);
        }
    });
    connect(&engine, &TypingEngine::hintRequested, this, [this](int, QChar next) { showCodeHint(next); });
    connect(m_tips->Combo_Show_Tips, &QComboBox::currentIndexChanged, this,
            [&engine](int entry) { engine.setCodeTips(entry != 0); });

    connect(m_runPanel->CMD_Begin, &Cmd::Click, this, &Form_Test_Common::CMD_Begin_Click);
    connect(m_runPanel->CMD_Stop, &Cmd::Click, this, &Form_Test_Common::CMD_Stop_Click);
    connect(m_runPanel->Test_Time, &Text::Change, this, [this] { m_run->setTestTime(m_runPanel->Test_Time->text()); });
}

void Form_Test_Common::applySettings()
{
    m_runPanel->Test_Time->setText(m_settings.testTime);
    m_run->setTestTime(m_settings.testTime);
    m_menus.englishWidth->setChecked(m_settings.englishWidth);
    m_source->setEnglishWidth(m_settings.englishWidth);
    m_source->setNumberWidth(m_menus.numberWidth->isChecked());
    m_run->setWrongOffer(m_settings.wrongOffer);
    m_menus.autoUpdate->setChecked(m_settings.autoUpdate);
    m_menus.soundWrong->setChecked(m_settings.soundWrong);
    m_menus.soundKey->setChecked(m_settings.soundKey);
    m_menus.wrongColour->setChecked(m_settings.wrongColour);
    m_board->engine().setWrongSound(m_settings.soundWrong);
    m_board->engine().setWrongColour(m_settings.wrongColour);
    m_tips->setEntry(m_settings.lastTips);
    m_board->engine().setCodeTips(m_tips->entry() != 0);
}

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

bool Form_Test_Common::switchOver()
{
    if (!m_run->confirmSwitch()) {
        return false;
    }
    Frame_Common->show();
    m_tips->show();
    m_runPanel->show();
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
    engine.setKind(kindNumber(m_kind));
    engine.setItemLength(m_source->drillItemLength());
    const int drill = m_kind == PracticeKind::Wubi ? tickedIndex(m_menus.wbText) : -1;
    engine.setDrillLookup(Drill_Lookup(engine, Key_Drill_Of(drill)));
    m_source->resetRows();
    engine.resetRows(m_source->textType());
    m_tips->Label_Tips->setCaption(QString());
    m_run->setRecordType(recordTypeFor(kindNumber(m_kind), tickedIndex(m_menus.wbText), tickedIndex(m_menus.wbPhrase)));
    m_run->resetToReady();
    updateRunControls();
}

void Form_Test_Common::updateRunControls()
{
    m_runPanel->CMD_Begin->setCaption(m_run->beginCaption());
    m_runPanel->CMD_Stop->setEnabled(m_run->stopEnabled());
    m_runPanel->Test_Time->setEnabled(m_run->testTimeEnabled());
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
               [&] { m_source->chooseDrill(stringResource(300 + index), 1); });
}

void Form_Test_Common::Menu_Test_WBPhrase__Click(int index)
{
    chooseItem(m_menus.wbPhrase, index, PracticeKind::Wubi,
               [&] { m_source->chooseDrill(stringResource(308 + index), index + 2); });
}

void Form_Test_Common::showTip(int row)
{
    const auto text = Show_Tips(m_tips->entry(), m_run->stopEnabled(), m_board->engine(), row, 1);
    if (text) {
        m_tips->Label_Tips->setCaption(*text);
    }
}

void Form_Test_Common::showCodeHint(QChar next)
{
    // The run clock stands still while the hint is read.
    RunTimer& timer = m_run->timer();
    const bool running = timer.Enabled();
    timer.setEnabled(false);
    const int drill = m_kind == PracticeKind::Wubi ? tickedIndex(m_menus.wbText) : -1;
    const QString hint = Code_Hint(next, Key_Drill_Of(drill), m_source->Test_Text, m_source->drillItemLength());
    if (!hint.isEmpty()) {
        Show_Msg(hint, 1, 0, Hint_Title());
    }
    timer.setEnabled(running);
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

void Form_Test_Common::CMD_Begin_Click()
{
    m_run->CMD_Begin_Click();
}

void Form_Test_Common::CMD_Stop_Click()
{
    m_run->CMD_Stop_Click();
}

void Form_Test_Common::openUrl(const QString& url)
{
    LoginWindow::urlOpener()(QUrl(url));
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

void Form_Test_Common::storeSettings()
{
    Database& user = App().Conn_User;
    if (!user.isOpen()) {
        return;
    }
    m_settings.testTime = m_runPanel->Test_Time->text();
    m_settings.lastTips = m_tips->entry();
    m_settings.englishWidth = m_menus.englishWidth->isChecked();
    m_settings.wrongOffer = m_run->wrongOffer();
    m_settings.soundWrong = m_menus.soundWrong->isChecked();
    m_settings.soundKey = m_menus.soundKey->isChecked();
    m_settings.wrongColour = m_menus.wrongColour->isChecked();
    m_settings.write(user);
    Settings settings(user);
    const QString last = lastTestValue();
    if (!last.isEmpty()) {
        settings.setValue(QStringLiteral("Last_Test"), last);
    }
    settings.setValue(QStringLiteral("Last_Test_Mode"), QStringLiteral("0"));
    if (App().Conn_Main.isOpen()) {
        Run_Pending_Setups(App().Conn_Main, App().App_Path, m_services.upkeep);
    }
}

void Form_Test_Common::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        // A run still going is dropped: no result, no record.
        m_run->timer().setEnabled(false);
        storeSettings();
        qApp->removeEventFilter(this);
    }
    event->accept();
}

bool Form_Test_Common::handleWindowKey(QKeyEvent* event)
{
    if (m_menus.soundKey->isChecked()) {
        m_sounds->playKey();
    }
    const int key = event->key();
    if (event->modifiers() == Qt::ControlModifier && m_runPanel->isVisible()) {
        if (key == Qt::Key_S) {
            m_runPanel->toggleSum();
            return true;
        }
        if (key == Qt::Key_T) {
            m_runPanel->toggleTime();
            return true;
        }
    }
    if (!Frame_Common->isVisible()) {
        return false;
    }
    if (key == Qt::Key_F5) {
        CMD_Begin_Click();
        return true;
    }
    if (key == Qt::Key_F9 && m_runPanel->CMD_Stop->isEnabled()) {
        CMD_Stop_Click();
        return true;
    }
    return false;
}

bool Form_Test_Common::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_centre && event->type() == QEvent::Resize) {
        placePanels();
    }
    if (event->type() != QEvent::KeyPress || m_closed) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) {
        return QMainWindow::eventFilter(watched, event);
    }
    // A key the focused control leaves alone travels up to its parents and
    // passes here again; it is handled once.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key == m_lastKey && key->timestamp() == m_lastKeyTime && key->key() == m_lastKeyCode && m_lastKeyTarget &&
        widget == m_lastKeyTarget->parentWidget()) {
        m_lastKeyTarget = widget;
        return QMainWindow::eventFilter(watched, event);
    }
    m_lastKey = key;
    m_lastKeyTime = key->timestamp();
    m_lastKeyCode = key->key();
    m_lastKeyTarget = widget;
    if (handleWindowKey(key)) {
        key->accept();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tesmara
