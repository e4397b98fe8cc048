// The typing game window: one movement tick (Timer_Go) going over the ten
// lanes with the water full (eight boats afloat), the boats and labels moved
// and the window repainted; and a typed letter up to its boat repainted in
// its first sinking frame.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_game [samples]
// (samples per figure, at least 50; default 400).
#include "app/Clock.h"
#include "controls/ui/Skin.h"
#include "controls/ui/TextData.h"
#include "game/ui/BoatField.h"
#include "game/ui/Form_Test_Game1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace tesmara;
using namespace tesmara::game;

namespace {

class Seeded final : public RandomSource {
public:
    quint32 bounded(quint32 bound) override { return m_gen.bounded(bound); }
    double unit() override { return m_gen.generateDouble(); }

private:
    QRandomGenerator m_gen{2012};
};

void print(const char* what, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.3f ms, 90th percentile %.3f ms, worst %.3f ms (n %lld)\n", what, ms.at(ms.size() / 2),
                ms.at(ms.size() * 9 / 10), ms.last(), qlonglong(ms.size()));
}

// Counts the paints of one widget, to make sure a figure includes one.
struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// Processor time of the whole program (all its threads): on a busy machine
// the wall-clock figures include time spent waiting for a processor.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Everything the event loop has to do now, painting included.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    skin::install();
    const int samples = std::max(50, argc > 1 ? std::atoi(argv[1]) : 400);

    ManualClock clock;
    Seeded random;
    Form_Test_Game1::Services services;
    services.clock = &clock;
    services.random = &random;
    services.largeLayout = true;
    Form_Test_Game1 window(services);
    window.show();
    QApplication::setActiveWindow(&window);
    QWidget* field = window.findChild<BoatField*>(QStringLiteral("Image2"));
    field->setFocus();
    BoatGame& game = window.game();
    window.chooseMode({ModeGroup::English, 0});
    window.Menu_Speed_Click(5);
    window.CMD_Begin_Click();
    settle();

    const auto tick = [&] {
        clock.advanceMs(BoatGame::kGoMs);
        game.Timer1().poll();
        game.Timer_Go().poll();
        game.Timer_OverTime().poll();
    };

    // Movement ticks with the water full.
    QList<double> ticks;
    QList<double> tickCpu;
    QElapsedTimer timer;
    while (ticks.size() < samples) {
        const bool full = game.afloat() == BoatGame::kMaxAfloat;
        timer.start();
        const double cpu = cpuMs();
        tick();
        settle();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (full) {
            ticks << ms;
            tickCpu << cpuMs() - cpu;
        }
    }
    print("Timer_Go tick, ten lanes, eight boats afloat, repainted", ticks);
    print("  the same, processor time of the program", tickCpu);

    // A typed letter sinking its boat.
    QList<double> hits;
    QList<double> hitCpu;
    while (hits.size() < samples) {
        int lane = -1;
        for (int i = 0; i < GameLayout::kLanes && lane < 0; ++i) {
            if (window.label(i)->isVisible()) {
                lane = i;
            }
        }
        if (lane < 0) {
            tick();
            settle();
            continue;
        }
        const QString letter = window.label(lane)->Text().toLower();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter.at(0).unicode() - 'a'), Qt::NoModifier, letter);
        PaintCount painted;
        window.boat(lane)->installEventFilter(&painted);
        timer.start();
        const double cpu = cpuMs();
        QApplication::sendEvent(field, &press);
        settle();
        hits << timer.nsecsElapsed() / 1e6;
        hitCpu << cpuMs() - cpu;
        window.boat(lane)->removeEventFilter(&painted);
        if (game.lane(lane).state != 1 || painted.paints == 0) {
            std::fprintf(stderr, "bench_game: the typed letter sank nothing on screen\n");
            return 1;
        }
        tick();
        settle();
    }
    print("typed letter to its boat repainted sinking", hits);
    print("  the same, processor time of the program", hitCpu);
    return 0;
}
