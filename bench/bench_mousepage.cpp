// The mouse practice page: one movement tick of the three mice with the
// repaint it causes (the page shown in the main window, the mice on a
// background), and a run of the real timer at the fastest difficulty (110 ms)
// that counts the ticks it had to drop.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_mousepage [ticks] [seconds]
// (ticks timed one by one, default 2000; seconds of the real-timer run,
// default 20). The pictures are taken from $TESMARA_STAGE_DIR, else from
// ../stage beside the program.
#include "app/AppState.h"
#include "app/ClockTimer.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "controls/ui/Skin.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/MousePage.h"
#include "users/Login.h"
#include "users/UserAccounts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace tesmara;

namespace {

const QString kUser = QStringLiteral("测试");

QString stageDir()
{
    QString dir = qEnvironmentVariable("TESMARA_STAGE_DIR");
    if (dir.isEmpty()) {
        dir = QCoreApplication::applicationDirPath() + QStringLiteral("/../stage");
    }
    dir = QDir(dir).absolutePath() + QLatin1Char('/');
    return QFile::exists(dir + QStringLiteral("mp/1.j")) ? dir : QString();
}

bool logInFresh(const QString& root, const QString& share)
{
    StartupServices services;
    services.startProgram = [](const QString&, const QStringList&, const QString&, bool) { return true; };
    services.processEvents = [] { QCoreApplication::processEvents(); };
    if (Startup({root, share}, services).run() != StartupOutcome::LoginWindow) {
        return false;
    }
    MsgScript::pushAnswer(QStringLiteral("OK"));
    UserAccounts(App().Conn_Main, root).add(kUser, QStringLiteral("pw"), QStringLiteral("pw"));
    return logIn(kUser, QStringLiteral("pw"), false) == LoginResult::LoggedIn;
}

// Processor time of the program: on a busy machine the wall-clock figures
// include time spent waiting for a processor.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Tick {
    double wall;
    double cpu;
};

// One tick as the timer runs it, then the repaint it asked for.
Tick timedTick(ManualClock& clock, MousePage& page)
{
    QElapsedTimer t;
    const double cpu = cpuMs();
    t.start();
    clock.advanceMs(page.Timer_MouseTest->interval());
    page.Timer_MouseTest->poll();
    QCoreApplication::processEvents();
    return {t.nsecsElapsed() / 1e6, cpuMs() - cpu};
}

void print(const char* what, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.3f ms, 99%% %.3f ms, worst %.3f ms (n %lld)\n", what, ms.at(ms.size() / 2),
                ms.at(ms.size() * 99 / 100), ms.last(), qlonglong(ms.size()));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    skin::install();
    const int ticks = argc > 1 ? qMax(100, atoi(argv[1])) : 2000;
    const int seconds = argc > 2 ? qMax(5, atoi(argv[2])) : 20;
    const QString share = stageDir();
    QTemporaryDir root;
    if (share.isEmpty() || !root.isValid() || !logInFresh(root.path() + QLatin1Char('/'), share)) {
        std::fprintf(stderr, "bench_mousepage: no stage folder with the pictures, or no session\n");
        App().reset();
        return 1;
    }
    int status = 0;
    {
        ManualClock clock;
        Form_Test_Common::Services services;
        services.clock = &clock;
        Form_Test_Common window(services);
        window.show();
        window.menus().keyboardMouse[1]->trigger();
        MousePage& page = window.mousePage();
        page.Combo_Test_Mouse_Hard->setCurrentIndex(4);
        for (int i = 0; i < 50; ++i) { // fonts, pictures and backing store settle
            timedTick(clock, page);
        }
        QList<double> wall;
        QList<double> cpu;
        for (int i = 0; i < ticks; ++i) {
            const Tick t = timedTick(clock, page);
            wall << t.wall;
            cpu << t.cpu;
        }
        print("movement tick, three mice, repaint included", wall);
        print("  the same, processor time of the program", cpu);
        window.close();
    }
    {
        // The real clock: the timer wakes by itself at the fastest difficulty.
        Form_Test_Common window;
        window.show();
        window.menus().keyboardMouse[1]->trigger();
        MousePage& page = window.mousePage();
        page.Combo_Test_Mouse_Hard->setCurrentIndex(4);
        int count = 0;
        qint64 last = -1;
        qint64 widest = 0;
        QElapsedTimer run;
        QObject::connect(page.Timer_MouseTest, &ClockTimer::timeout, [&] {
            const qint64 now = run.elapsed();
            if (last >= 0) {
                widest = qMax(widest, now - last);
            }
            last = now;
            ++count;
        });
        const qint64 droppedBefore = page.Timer_MouseTest->dropped();
        run.start();
        while (run.elapsed() < seconds * 1000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        const qint64 dropped = page.Timer_MouseTest->dropped() - droppedBefore;
        std::printf(
            "fastest difficulty, %d s of the real timer: %d ticks of 110 ms, %lld dropped, widest gap %lld ms\n",
            seconds, count, qlonglong(dropped), qlonglong(widest));
        status = dropped == 0 ? 0 : 2;
        window.close();
    }
    App().reset();
    return status;
}
