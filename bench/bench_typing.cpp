// Typing speed of the practice lines: the engine alone (its mistake counts
// included, and those counts alone), one key from the key event to the line
// repainted (offscreen, 60-character lines), and filling the seven rows of a
// new practice. Run with QT_QPA_PLATFORM=offscreen.
#include "controls/ui/TextData.h"
#include "mistakes/MistakeTally.h"
#include "practice/TypingEngine.h"
#include "practice/ui/TypingBoard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace tesmara;

namespace {

constexpr int kKeys = 10000;

// Counts the paint events of the input lines, to show each key was painted.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

QString sourceText()
{
    // English-like text without any long runs; every line is 60 characters.
    QString text;
    const char* words[] = {"the ", "quick ", "brown ", "fox ", "jumps ", "over ", "lazy ", "dogs ", "and ", "runs "};
    for (int i = 0; text.size() < 200000; ++i) {
        text += QLatin1String(words[(i * 7 + i / 3) % 10]);
    }
    return text;
}

struct Figures {
    double medianUs;
    double worstUs;
    double meanUs;
    double p999Us; // 99.9th percentile: the worst without the odd preemption
};

Figures summarise(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    double sum = 0;
    for (qint64 v : ns) {
        sum += double(v);
    }
    return {ns[ns.size() / 2] / 1000.0, ns.back() / 1000.0, sum / double(ns.size()) / 1000.0,
            ns[ns.size() * 999 / 1000] / 1000.0};
}

// CPU time of this thread: the work itself, without the time the machine
// gave to other processes (wall-clock worst cases on a busy machine are
// mostly preemption). Reading it costs about a microsecond, so it is used
// for the widget figures only.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void printCpu(const std::vector<qint64>& cpu, double unitUs, const char* unit)
{
    const Figures f = summarise(cpu);
    std::printf("  thread CPU time per key: median %.3f %s, 99.9%% %.3f %s, worst %.3f %s\n", f.medianUs / unitUs, unit,
                f.p999Us / unitUs, unit, f.worstUs / unitUs, unit);
}

// Every 20th key is a wrong one, so marking and counting wrong keys is in.
QChar keyFor(const TypingEngine& engine, int i)
{
    const int row = engine.activeRow();
    const QString& ref = engine.top(row).Text();
    const QChar expected = ref.at(engine.input(row).Text().size());
    return i % 20 == 19 ? QLatin1Char('#') : expected;
}

void benchEngine(const QString& text)
{
    TypingEngine engine;
    int next = 0;
    QObject::connect(&engine, &TypingEngine::fillRequested, &engine, [&](int row) {
        engine.putLine(row, text.mid(next, 60));
        next += 60;
    });
    engine.resetRows(1);
    engine.beginRun();
    std::vector<qint64> ns;
    ns.reserve(kKeys);
    QElapsedTimer timer;
    for (int i = 0; i < kKeys; ++i) {
        const QChar ch = keyFor(engine, i);
        int c = ch.unicode();
        const int row = engine.activeRow();
        timer.start();
        engine.keyPress(row, c);
        ns.push_back(timer.nsecsElapsed());
    }
    const Figures f = summarise(ns);
    std::printf("engine alone, %d keys: median %.2f us, mean %.2f us, 99.9%% %.2f us, worst %.2f us (right %d, "
                "wrong %d)\n",
                kKeys, f.medianUs, f.meanUs, f.p999Us, f.worstUs, engine.Right_Count, engine.Wrong_Count);
}

// What counting a key for the mistake statistics adds to the engine: the
// in-memory tally of one typed position, a wrong key every 20.
void benchTally(const QString& text)
{
    MistakeTally tally;
    QString typed = text.left(kKeys);
    for (int i = 19; i < kKeys; i += 20) {
        typed[i] = QLatin1Char('#');
    }
    std::vector<qint64> ns;
    ns.reserve(kKeys);
    QElapsedTimer timer;
    for (int k = 1; k <= kKeys; ++k) {
        timer.start();
        tally.addAt(text, typed, k);
        ns.push_back(timer.nsecsElapsed());
    }
    // Once more without a clock read around every key.
    MistakeTally again;
    timer.start();
    for (int k = 1; k <= kKeys; ++k) {
        again.addAt(text, typed, k);
    }
    const double loopUs = timer.nsecsElapsed() / 1000.0 / kKeys;
    const Figures f = summarise(ns);
    std::printf("mistake counts alone, %d keys: median %.3f us, 99.9%% %.3f us, %.3f us a key over the whole loop "
                "(%lld characters, %lld wrong)\n",
                kKeys, f.medianUs, f.p999Us, loopUs, qint64(again.counts().size()), again.wrongTotal());
}

void benchWidget(const QString& text)
{
    QElapsedTimer created;
    created.start();
    TypingBoard board;
    std::printf("typing board created (14 lines, font opened): %.3f ms\n", created.nsecsElapsed() / 1e6);
    int next = 0;
    QObject::connect(&board.engine(), &TypingEngine::fillRequested, &board, [&](int row) {
        board.engine().putLine(row, text.mid(next, 60));
        next += 60;
    });
    board.arrange(0, 877, 62, 31);
    board.show();
    QCoreApplication::processEvents();
    // Filling the seven rows of a new practice, painted.
    std::vector<qint64> fills;
    QElapsedTimer timer;
    for (int round = 0; round < 50; ++round) {
        timer.start();
        board.engine().resetRows(1);
        for (int r = 3; r < TypingEngine::kRows; ++r) {
            board.engine().putLine(r, text.mid(next, 60));
            next += 60;
        }
        board.repaint();
        fills.push_back(timer.nsecsElapsed());
    }
    const Figures fill = summarise(fills);
    std::printf("fill seven rows and paint, 50 times: first (cold glyph cache) %.3f ms, median %.3f ms, worst %.3f "
                "ms\n",
                fills.front() / 1e6, fill.medianUs / 1000.0, fill.worstUs / 1000.0);

    board.engine().resetRows(1);
    board.engine().beginRun();
    QCoreApplication::processEvents();
    PaintCounter counter;
    for (int r = 0; r < TypingEngine::kRows; ++r) {
        board.input(r)->installEventFilter(&counter);
    }
    std::vector<qint64> ns;
    std::vector<qint64> cpu;
    std::vector<qint64> rowEnds; // keys that complete a row: three lines redrawn
    ns.reserve(kKeys);
    for (int i = 0; i < kKeys; ++i) {
        const int rowBefore = board.engine().activeRow();
        const QChar ch = keyFor(board.engine(), i);
        Text_Data* target = board.input(board.engine().activeRow());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(ch));
        const qint64 cpu0 = threadCpuNs();
        timer.start();
        QCoreApplication::sendEvent(target, &press);
        // Runs the pending repaint of the line (offscreen backing store).
        QCoreApplication::processEvents();
        ns.push_back(timer.nsecsElapsed());
        cpu.push_back(threadCpuNs() - cpu0);
        if (board.engine().activeRow() != rowBefore) {
            rowEnds.push_back(ns.back());
        }
        QCoreApplication::sendEvent(target, &release);
    }
    const Figures f = summarise(ns);
    std::printf("key event to line repainted, %d keys: median %.3f ms, mean %.3f ms, 99.9%% %.3f ms, worst %.3f ms "
                "(right %d, wrong %d, %d paints of input lines)\n",
                kKeys, f.medianUs / 1000.0, f.meanUs / 1000.0, f.p999Us / 1000.0, f.worstUs / 1000.0,
                board.engine().Right_Count, board.engine().Wrong_Count, counter.paints);
    printCpu(cpu, 1000.0, "ms");
    const Figures ends = summarise(rowEnds);
    std::printf("  of these, %zu keys completing a row: median %.3f ms, worst %.3f ms\n", rowEnds.size(),
                ends.medianUs / 1000.0, ends.worstUs / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString text = sourceText();
    benchEngine(text);
    benchTally(text);
    benchWidget(text);
    return 0;
}
