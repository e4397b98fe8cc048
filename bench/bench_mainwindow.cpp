// The main practice window: opening it (construct, show, first paint; the
// settings read, the menus built, the last practice restored) on a user with
// 20 saved articles, once on a Chinese essay and once on a saved article;
// the resident memory with the window open after a one-minute run; and the
// seven rows filled when a new practice is chosen; on the fingering page,
// a key press until the new highlight and finger are painted, and opening
// the page from a Chinese essay.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_mainwindow [opens]
// (opens per figure, at least 30; default 40). The phrase list is taken from
// $TESMARA_STAGE_DIR, else from ../stage beside the program.
#include "app/AppState.h"
#include "app/Clock.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "articles/ArticleEditor.h"
#include "controls/RunTimer.h"
#include "controls/ui/Skin.h"
#include "controls/ui/Text.h"
#include "controls/ui/TextData.h"
#include "practice/PracticeRun.h"
#include "practice/TypingEngine.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/KeyboardPage.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/TypingBoard.h"
#include "store/Settings.h"
#include "users/Login.h"
#include "users/UserAccounts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

using namespace tesmara;

namespace {

const QString kUser = QStringLiteral("测试");
constexpr int kArticles = 20;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bench_mainwindow: %s\n", what);
    App().reset(); // the connections close while the SQL driver is still there
    std::exit(1);
}

struct Figures {
    double median;
    double worst;
    qsizetype n;
};

Figures summarise(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return {v.at(v.size() / 2), v.last(), v.size()};
}

void print(const char* what, const QList<double>& ms)
{
    const Figures f = summarise(ms);
    std::printf("%s: median %.2f ms, worst %.2f ms (n %lld)\n", what, f.median, f.worst, qlonglong(f.n));
}

// Notes the first paint of the main window: "shown" means drawn, not only
// mapped.
struct PaintWatch : QObject {
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<Form_Test_Common*>(static_cast<QWidget*>(watched)->window())) {
            painted = true;
        }
        return false;
    }
};

void waitForPaint(PaintWatch& watch)
{
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted) {
        if (guard.elapsed() > 10000) {
            fail("the main window was never painted");
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void closeWindow(QWidget* window)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Deterministic Chinese prose: common characters with commas and full stops.
QString articleText(int length, quint32 seed)
{
    static const QString pool =
        QStringLiteral("的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动"
                       "同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自"
                       "二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日");
    QString text;
    text.reserve(length);
    quint32 x = seed * 2654435761u + 1;
    while (text.size() < length) {
        x = x * 1664525u + 1013904223u;
        const quint32 r = x >> 8;
        text += pool.at(int(r % quint32(pool.size())));
        if (r % 23 == 0) {
            text += QChar(0xFF0C); // ，
        } else if (r % 41 == 0) {
            text += QChar(0x3002); // 。
        }
    }
    return text.left(length);
}

QString articleName(int i)
{
    return QStringLiteral("收藏文章 %1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

QString stageDir()
{
    QString dir = qEnvironmentVariable("TESMARA_STAGE_DIR");
    if (dir.isEmpty()) {
        dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../stage");
    }
    dir = QDir(dir).absolutePath() + QLatin1Char('/');
    return QFile::exists(dir + QStringLiteral("p.dat")) ? dir : QString();
}

// Start-up in a fresh folder, one user added and logged in as the login
// window does, and the user's 20 saved articles.
void makeSession(const QString& root, const QString& share)
{
    StartupServices services;
    services.startProgram = [](const QString&, const QStringList&, const QString&, bool) { return true; };
    services.processEvents = [] { QCoreApplication::processEvents(); };
    if (Startup({root, share}, services).run() != StartupOutcome::LoginWindow) {
        fail("start-up did not reach the login step");
    }
    MsgScript::pushAnswer(QStringLiteral("OK"));
    UserAccounts(App().Conn_Main, root).add(kUser, QStringLiteral("pw"), QStringLiteral("pw"));
    if (logIn(kUser, QStringLiteral("pw"), false) != LoginResult::LoggedIn) {
        fail("login failed");
    }
    ArticleEditor editor(App().Conn_User);
    for (int i = 0; i < kArticles; ++i) {
        editor.setName(articleName(i));
        editor.setText(articleText(2000 + 500 * i, quint32(i)));
        MsgScript::pushAnswer(QStringLiteral("No")); // not practising it now
        if (!editor.CMD_Save_Click()) {
            fail("an article was not saved");
        }
    }
    if (MsgScript::pending() != 0) {
        fail("set-up left unanswered answers");
    }
}

qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// A user's one-minute run, typed through the window: three keys a second,
// every tenth one wrong, then the result and the review-article offer.
void oneMinuteRun(PaintWatch& watch)
{
    ManualClock clock;
    Form_Test_Common::Services services;
    services.clock = &clock;
    // The first window of the process also loads the fonts and styles, and
    // being the user's first it writes the default settings.
    watch.painted = false;
    QElapsedTimer first;
    first.start();
    Form_Test_Common window(services);
    window.show();
    QApplication::setActiveWindow(&window);
    waitForPaint(watch);
    std::printf("first main window of the process, a new user's, open: %.2f ms\n", first.nsecsElapsed() / 1e6);

    window.runPanel().Test_Time->setText(QStringLiteral("1"));
    MsgScript::pushAnswer(QStringLiteral("OK")); // the start notice
    window.CMD_Begin_Click();
    if (window.run().state() != PracticeRun::State::Running) {
        fail("the run did not start");
    }
    TypingBoard& board = window.board();
    int typed = 0;
    auto typeOne = [&] {
        ++typed;
        const int row = board.engine().activeRow();
        Text_Data* input = board.input(row);
        if (typed % 10 == 0) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
            QCoreApplication::sendEvent(input, &press);
            QCoreApplication::sendEvent(input, &release);
            return;
        }
        QInputMethodEvent commit(QString(), {});
        commit.setCommitString(QString(board.top(row)->Text().at(input->CountLen())));
        QCoreApplication::sendEvent(input, &commit);
    };
    while (window.run().timer().Sum_RunTime() < 59) {
        for (int k = 0; k < 3; ++k) {
            typeOne();
        }
        QCoreApplication::processEvents(); // the lines repaint as they would
        clock.advanceMs(1000);
        window.run().timer().poll();
    }
    MsgScript::pushAnswer(QStringLiteral("OK"));  // the result
    MsgScript::pushAnswer(QStringLiteral("NoF")); // no review article
    clock.advanceMs(1000);
    window.run().timer().poll();
    QCoreApplication::processEvents();
    if (window.run().state() != PracticeRun::State::Finished || MsgScript::pending() != 0 ||
        board.engine().Wrong_Count == 0 ||
        App().Conn_User.scalar(QStringLiteral("select count(*) from testlog"))->toInt() != 1) {
        fail("the one-minute run did not end with its record");
    }
    std::printf("one-minute run: %d keys, %d right, %d wrong\n", typed, int(board.engine().Right_Count),
                int(board.engine().Wrong_Count));
    std::printf("resident memory, main window open after the run: VmRSS %.1f MB (peak VmHWM %.1f MB)\n",
                statusKb("VmRSS") / 1024.0, statusKb("VmHWM") / 1024.0);
    window.close();
}

// Opens the window as login does, `n` times, and times each to its first
// paint.
QList<double> timeOpens(PaintWatch& watch, int n)
{
    QList<double> ms;
    for (int i = 0; i < n; ++i) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        QWidget* window = Form_Test_Common::open();
        waitForPaint(watch);
        ms << timer.nsecsElapsed() / 1e6;
        closeWindow(window);
    }
    return ms;
}

// Chooses practice items in turn, each a new practice, and times the choice
// (text chosen, the seven rows laid out afresh) and the choice with its
// repaint.
template <typename Choose>
void timeFills(const char* what, Form_Test_Common& window, PaintWatch& watch, int n, Choose choose)
{
    QList<double> call;
    QList<double> painted;
    for (int i = 0; i < n; ++i) {
        const QString before = window.windowTitle();
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        choose(i);
        call << timer.nsecsElapsed() / 1e6;
        waitForPaint(watch);
        painted << timer.nsecsElapsed() / 1e6;
        // A new practice clears the seven rows and fills the first three.
        if (window.windowTitle() == before || window.board().top(2)->Text().isEmpty() ||
            !window.board().top(3)->Text().isEmpty()) {
            fail("a choice did not start a new practice with fresh rows");
        }
    }
    print(what, call);
    std::printf("  with the repaint: median %.2f ms, worst %.2f ms\n", summarise(painted).median,
                summarise(painted).worst);
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Strikes keys on the fingering page, right ones and every fifth a wrong
// one, and times each from the key press until the page is repainted;
// then opens the page from a Chinese essay `n` times.
void timeFingering(PaintWatch& watch, int n)
{
    ManualClock clock;
    Form_Test_Common::Services services;
    services.clock = &clock;
    Form_Test_Common window(services);
    window.show();
    QApplication::setActiveWindow(&window);
    waitForPaint(watch);
    KeyboardPage& page = window.keyboardPage();
    auto paintedAfter = [&](const std::function<void()>& step) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        step();
        waitForPaint(watch);
        return timer.nsecsElapsed() / 1e6;
    };
    auto choose = [&] { window.Menu_Test_KeyboardMouse_Text_Click(0); };
    const double first = paintedAfter(choose);
    if (page.isHidden()) {
        fail("the fingering page did not open");
    }
    std::printf("fingering page, first open (pictures read): %.2f ms\n", first);

    QList<double> keys;
    QList<double> keysCpu;
    for (int i = 0; i < std::max(500, 10 * n); ++i) {
        const QChar target = page.fingering().target();
        const QString text = i % 5 == 4 ? QStringLiteral("#") : QString(target).toLower();
        const double cpuBefore = threadCpuMs();
        keys << paintedAfter([&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
            QCoreApplication::sendEvent(&window, &press);
            QCoreApplication::sendEvent(&window, &release);
        });
        keysCpu << threadCpuMs() - cpuBefore;
        if ((i % 5 == 4) == (page.fingering().target() != target)) {
            fail("a key was judged wrongly");
        }
    }
    print("fingering key press, highlight and finger repainted", keys);
    // The same presses in the time this thread ran: without the waits
    // for a busy machine's other work.
    print("  the same in CPU time of the window thread", keysCpu);

    QList<double> opens;
    for (int i = 0; i < n; ++i) {
        window.Menu_Test_Chinese_Text_Click(i % 2);
        QCoreApplication::processEvents();
        opens << paintedAfter(choose);
        if (page.isHidden()) {
            fail("the fingering page did not open");
        }
    }
    print("fingering page opened from a Chinese essay", opens);
    window.close();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    skin::install();
    MsgScript::setStrict(true); // an unexpected dialog ends the bench
    const int opens = std::max(30, argc > 1 ? QByteArray(argv[1]).toInt() : 40);

    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    const QString share = stageDir();
    if (share.isEmpty()) {
        std::printf("(no phrase list found: phrase hints are off)\n");
    }
    makeSession(root, share.isEmpty() ? root : share);

    PaintWatch watch;
    app.installEventFilter(&watch);
    Settings(App().Conn_User).setValue(QStringLiteral("Last_Test"), QStringLiteral("003"));
    // Memory first, as a user's process is after login and one run.
    oneMinuteRun(watch);

    Settings(App().Conn_User).setValue(QStringLiteral("Last_Test"), QStringLiteral("003"));
    print("main window open, last practice a Chinese essay", timeOpens(watch, opens));
    const QString saved = QStringLiteral("5") + articleName(9) + QStringLiteral("_u");
    Settings(App().Conn_User).setValue(QStringLiteral("Last_Test"), saved);
    const QList<double> savedOpens = timeOpens(watch, opens);
    if (Settings(App().Conn_User).text(QStringLiteral("Last_Test")) != saved) {
        fail("the saved article was not the restored practice");
    }
    print("main window open, last practice a saved article", savedOpens);

    {
        QPointer<QWidget> opened = Form_Test_Common::open();
        auto* window = qobject_cast<Form_Test_Common*>(opened.data());
        watch.painted = false;
        waitForPaint(watch);
        const int fills = std::max(100, opens);
        const int essays = int(window->menus().chinese.size());
        // The window opens on the saved article, so every choice is new.
        timeFills("new practice, Chinese essays in turn", *window, watch, fills,
                  [&](int i) { window->Menu_Test_Chinese_Text_Click(i % essays); });
        timeFills("new practice, saved articles in turn", *window, watch, fills,
                  [&](int i) { window->Menu_Test_Save_User_Click(i % kArticles); });
        closeWindow(window);
    }
    timeFingering(watch, opens);
    std::printf("resident memory at the end: VmRSS %.1f MB (peak VmHWM %.1f MB)\n", statusKb("VmRSS") / 1024.0,
                statusKb("VmHWM") / 1024.0);
    app.removeEventFilter(&watch);
    // The connections close while the SQL driver is still there.
    App().reset();
    return 0;
}
