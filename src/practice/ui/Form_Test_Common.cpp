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
#include "mistakes/MistakeStore.h"
#include "practice/CodeTips.h"
#include "practice/PracticeRun.h"
#include "practice/RunFigures.h"
#include "practice/TextSource.h"
#include "practice/ui/ChartPanel.h"
#include "practice/ui/KeyboardPage.h"
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
#include <QTimer>
#include <QUrl>

namespace tesmara {

namespace {

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
    m_mistakes = std::make_unique<MistakeStore>(db);
    m_run = new PracticeRun(db, *m_source, m_services.clock, this);
    m_run->setArticleEditor(m_editor.get());
    m_run->setMistakeStore(m_mistakes.get());
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

    // A statistics file that had to be rebuilt or cannot be used is told
    // once the window shows; a missing one is made by the first counted run.
    m_mistakes->prepare(false);
    QTimer::singleShot(0, this, [this] {
        const QString notice = m_mistakes->takeNotice();
        if (!notice.isEmpty()) {
            Show_Msg(notice, 0, 0, QStringLiteral("错误统计"));
        }
    });
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
    menus::styleMenuBar(bar);
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
    // Floats over the practice panels; the pages of their own are built
    // when first chosen, as most sessions never open them.
    m_chart = new ChartPanel(m_centre);
}

void Form_Test_Common::addPanel(Panel panel, QWidget* frame, std::function<void()> leave)
{
    frame->hide();
    frame->stackUnder(m_chart);
    m_panels[int(panel)] = {frame, std::move(leave)};
    placePanels();
}

KeyboardPage& Form_Test_Common::keyboardPage()
{
    if (!m_keyPage) {
        m_keyPage = new KeyboardPage(m_services.clock, m_services.random, m_sounds, m_centre);
        m_keyPage->setMistakeStore(m_mistakes.get());
        m_keyPage->setWrongSound(m_menus.soundWrong->isChecked());
        addPanel(Panel::Keyboard, m_keyPage, [this] { m_keyPage->leave(); });
    }
    return *m_keyPage;
}

void Form_Test_Common::chooseLayout()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_layout = windowLayoutFor(screen ? screen->size() : QSize(1024, 768));
    // The sizes are of the whole window; the frame and title take about
    // 8 by 30 pixels of them.
    resize(m_layout.window.width() / 15 - 8, m_layout.window.height() / 15 - 30);
    // The rows are filled as wide as the layout makes the lines, also
    // before the window is first laid out.
    m_source->setLineWidth(m_layout.lineSize, m_layout.lineWidth);
    m_board->arrange(m_layout.lineSize, m_layout.lineWidth / 15, m_layout.pairPitch / 15, m_layout.inputOffset / 15);
    placePanels();
}

void Form_Test_Common::placePanels()
{
    const int width = m_layout.lineWidth / 15;
    const int margin = qMax(0, (m_centre->width() - width) / 2);
    const int boardHeight = m_board->sizeHint().height();
    Frame_Common->setGeometry(margin, 6, width, boardHeight);
    m_board->setGeometry(0, 0, width, boardHeight);
    const int tipsTop = 6 + boardHeight + 5;
    m_tips->setGeometry(margin, tipsTop, width, 30);
    const int sumTop = tipsTop + 30 + 6;
    m_runPanel->setGeometry(margin, sumTop, width, qMax(110, m_centre->height() - sumTop - 6));
    // Panels of their own are centred, a little above the middle.
    for (const OwnPanel& panel : m_panels) {
        if (panel.frame) {
            panel.frame->move(qMax(0, (m_centre->width() - panel.frame->width()) / 2 - 3),
                              qMax(0, (m_centre->height() - panel.frame->height()) / 2 - 29));
        }
    }
}

void Form_Test_Common::connectRun()
{
    TypingEngine& engine = m_board->engine();
    connect(&engine, &TypingEngine::fillRequested, this,
            [this](int row) { m_board->engine().putLine(row, m_source->nextLine()); });
    m_run->setCountersSource([&engine] {
        return RunCounters{engine.Right_Count, engine.Wrong_Count, engine.Word_Count, engine.Wrong_Text,
                           &engine.tally()};
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
        m_source->rewindToStoredPosition();
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
    if (m_keyPage) {
        m_keyPage->setWrongSound(m_settings.soundWrong);
    }
    m_board->engine().setWrongColour(m_settings.wrongColour);
    m_tips->setEntry(m_settings.lastTips);
    m_board->engine().setCodeTips(m_tips->entry() != 0);
}

void Form_Test_Common::updateRunControls()
{
    m_runPanel->CMD_Begin->setCaption(m_run->beginCaption());
    m_runPanel->CMD_Stop->setEnabled(m_run->stopEnabled());
    m_runPanel->Test_Time->setEnabled(m_run->testTimeEnabled());
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

void Form_Test_Common::CMD_Begin_Click()
{
    m_run->CMD_Begin_Click();
}

void Form_Test_Common::CMD_Stop_Click()
{
    m_run->CMD_Stop_Click();
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
        // A run still going is dropped: no result, no record. A fingering
        // session ends with its page.
        m_run->timer().setEnabled(false);
        for (const OwnPanel& panel : m_panels) {
            if (panel.frame && !panel.frame->isHidden()) {
                panel.leave();
            }
        }
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
    if (m_keyPage && m_keyPage->keyPress(event)) {
        return true;
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