// Mistake statistics figures: the counts of a run written at its end (inside
// the record's transaction, on disk with full sync), and the window opened on
// a year of daily practice, from a fresh connection to the first paint.
//
// `bench_mistakes --fill <user folder>` writes such a year into the user's
// statistics instead (for looking at the window with a realistic history).
#include "app/AppState.h"
#include "app/Clock.h"
#include "app/Resources.h"
#include "articles/ArticleEditor.h"
#include "mistakes/MistakeStore.h"
#include "mistakes/MistakeTally.h"
#include "mistakes/ui/Form_Show_Mistakes.h"
#include "practice/KeyboardGeometry.h"
#include "practice/PracticeKind.h"
#include "practice/PracticeRecord.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "wubi/WubiDict.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace tesmara;

namespace {

constexpr int kDays = 365;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A learner's year: daily Chinese and English runs, numbers, fingering and
// Wubi drills every few days. Mistakes are homophones for Chinese (the
// input method's wrong pick) and neighbouring keys for letters and digits;
// a few characters and keys are personal weak spots, and every rate falls
// slowly over the year.
class Learner {
public:
    Learner() : m_random(20240520)
    {
        App().Py_Codes = binaryResource(104);
        for (int id = 0; id <= 11; ++id) {
            m_chinese += stringResource(id);
        }
        for (int id = 100; id <= 109; ++id) {
            m_english += stringResource(id);
        }
        QHash<QString, QString> byReading;
        for (QChar c : std::as_const(m_chinese)) {
            const QString reading = Get_Py(QString(c)).section(QLatin1Char(' '), 0, 0);
            if (c.unicode() >= 0x4E00 && !reading.isEmpty() && !byReading[reading].contains(c)) {
                byReading[reading] += c;
            }
        }
        for (const QString& group : std::as_const(byReading)) {
            for (QChar c : group) {
                if (group.size() > 1) {
                    m_homophones.insert(c.unicode(), group);
                }
            }
        }
        const QString weak = QStringLiteral("的得在再做作那哪象像带戴即既己已练炼辩辨");
        for (QChar c : weak) {
            m_weak.insert(c.unicode(), 0.06 + 0.02 * (c.unicode() % 7));
        }
        for (char c : QByteArray("qazpx;,'")) {
            m_weak.insert(char32_t(c), 0.05 + 0.01 * (c % 5));
        }
        const QList<keyboard::Key>& keys = keyboard::keys(keyboard::Board::Main);
        for (const keyboard::Key& a : keys) {
            for (const keyboard::Key& b : keys) {
                const bool sameRow = a.rect.top() == b.rect.top();
                if (&a != &b && sameRow && qAbs(a.rect.center().x() - b.rect.center().x()) < a.rect.width() * 3 / 2 &&
                    a.caption.size() == 1 && b.caption.size() == 1) {
                    m_neighbours[a.caption.at(0).toLower().unicode()] += b.caption.at(0).toLower();
                }
            }
        }
    }

    // One run: `length` characters from `text` typed with the day's rates.
    MistakeTally run(const QString& text, int length, int day, double base, bool keys = false)
    {
        MistakeTally tally;
        const qsizetype start = m_random.bounded(qMax<qsizetype>(1, text.size() - length));
        const double progress = 1.6 - 0.9 * day / double(kDays);
        for (qsizetype i = start; i < start + length && i < text.size(); ++i) {
            QChar c = text.at(i);
            if (keys) {
                c = c.toUpper();
            }
            const char32_t expected = c.unicode();
            const double p = (base + m_weak.value(c.toLower().unicode(), 0.0)) * progress;
            if (m_random.generateDouble() >= p) {
                tally.add(expected, expected);
                continue;
            }
            tally.add(expected, substitute(c, keys));
        }
        return tally;
    }

    // A number-pad session: the far keys of the little finger go wrong most.
    MistakeTally pad(int length, int day)
    {
        const QString labels = QStringLiteral("741c852x963p-+e0");
        MistakeTally tally;
        const double progress = 1.6 - 0.9 * day / double(kDays);
        for (int i = 0; i < length; ++i) {
            const int at = int(m_random.bounded(int(labels.size())));
            const double p = (at >= 12 ? 0.07 : 0.02) * progress;
            const int typed = m_random.generateDouble() >= p ? at : (at + 1 + int(m_random.bounded(2))) % 16;
            tally.add(padKey(labels.at(at)), padKey(labels.at(typed)));
        }
        return tally;
    }

    const QString& chinese() const { return m_chinese; }
    const QString& english() const { return m_english; }
    QRandomGenerator& random() { return m_random; }

private:
    char32_t substitute(QChar c, bool keys)
    {
        const QString homophones = m_homophones.value(c.unicode());
        if (homophones.size() > 1) {
            QChar other = c;
            while (other == c) {
                other = homophones.at(m_random.bounded(int(homophones.size())));
            }
            return other.unicode();
        }
        const QString near = m_neighbours.value(c.toLower().unicode());
        if (!near.isEmpty()) {
            QChar other = near.at(m_random.bounded(int(near.size())));
            return (keys || c.isUpper() ? other.toUpper() : other).unicode();
        }
        return c.unicode() == U' ' ? U'n' : U'，';
    }

    QRandomGenerator m_random;
    QString m_chinese;
    QString m_english;
    QHash<char32_t, QString> m_homophones;
    QHash<char32_t, double> m_weak;
    QHash<char32_t, QString> m_neighbours;
};

// Writes the year into the statistics of the user database `db`.
int fillYear(Database& db, const QDate& today)
{
    Learner learner;
    MistakeStore store(db);
    QDate day;
    store.setToday([&day] { return day; });
    if (!store.prepare()) {
        std::fprintf(stderr, "statistics unusable: %s\n", qPrintable(store.takeNotice()));
        return 0;
    }
    const QString digits = QStringLiteral("3.1415926535 8979323846 2643383279 5028841971 6939937510 5820974944");
    const QString fingering = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ 1234567890");
    int runs = 0;
    for (int d = 0; d < kDays; ++d) {
        day = today.addDays(d - kDays + 1);
        if (learner.random().bounded(7) == 0) {
            continue; // a day off now and then
        }
        auto add = [&](PracticeKind kind, const MistakeTally& tally) {
            runs += store.storeRun(int(kind), tally) ? 1 : 0;
        };
        add(PracticeKind::Chinese, learner.run(learner.chinese(), 420, d, 0.012));
        add(PracticeKind::English, learner.run(learner.english(), 900, d, 0.018));
        if (d % 3 == 0) {
            add(PracticeKind::Numbers, learner.run(digits.repeated(8), 300, d, 0.02));
        }
        if (d % 2 == 0) {
            QString keys;
            for (int i = 0; i < 160; ++i) {
                keys += fingering.at(learner.random().bounded(int(fingering.size())));
            }
            add(PracticeKind::KeyMouse, learner.run(keys, 160, d, 0.025, true));
        }
        if (d % 4 == 1) {
            add(PracticeKind::Wubi, learner.run(learner.chinese(), 250, d, 0.03));
        }
        if (d % 5 == 2) {
            add(PracticeKind::KeyMouse, learner.pad(120, d));
        }
    }
    return runs;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--fill")) {
        Database db;
        const QString path = QDir(args[2]).filePath(QStringLiteral("d.at"));
        if (!QFileInfo::exists(path) || !db.open(path, Database::Mode::ReadWrite)) {
            std::fprintf(stderr, "no user database at %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%d runs written\n", fillYear(db, QDate::currentDate()));
        return 0;
    }

    // On disk beside the build, as a user's folder is: full sync is real.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-mistakes-XXXXXX"));
    QDir().mkpath(dir.path() + QStringLiteral("/user/u"));
    Create_User_Db(dir.path() + QLatin1Char('/'), QStringLiteral("u"));
    const QString dbPath = userDbPath(dir.path() + QLatin1Char('/'), QStringLiteral("u"));

    // A run's end: record and counts of a 10-minute Chinese run in one
    // transaction, against the record alone.
    {
        Database db;
        db.open(dbPath, Database::Mode::ReadWrite);
        MistakeStore store(db);
        store.prepare();
        Learner learner;
        const MistakeTally tally = learner.run(learner.chinese(), 600, 0, 0.03);
        std::vector<double> alone;
        std::vector<double> with;
        QElapsedTimer t;
        for (int i = 0; i < 30; ++i) {
            t.start();
            db.transaction([&] {
                Add_Record(db, 0, QStringLiteral("60"), QStringLiteral("10"), QStringLiteral("97 %"));
                return true;
            });
            alone.push_back(t.nsecsElapsed() / 1e6);
            t.start();
            db.transaction([&] {
                Add_Record(db, 0, QStringLiteral("60"), QStringLiteral("10"), QStringLiteral("97 %"));
                return store.addRun(0, tally);
            });
            with.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("run end, 30 times: record alone %.2f ms, record with the counts of a 600-character run "
                    "(%lld characters, %lld substitutes) %.2f ms (medians, full sync on disk)\n",
                    median(alone), qint64(tally.counts().size()), qint64(tally.pairs().size()), median(with));
        store.reset(kAllKinds);
    }

    // A year of daily practice, then the window opened on it.
    QElapsedTimer t;
    {
        Database db;
        db.open(dbPath, Database::Mode::ReadWrite);
        t.start();
        const int runs = fillYear(db, QDate::currentDate());
        std::printf("a year of daily practice: %d runs written in %.1f s, statistics file %.1f MB\n", runs,
                    t.nsecsElapsed() / 1e9, QFileInfo(MistakeStore::fileFor(dbPath)).size() / 1048576.0);
    }
    App().Conn_User.open(dbPath, Database::Mode::ReadWrite);
    {
        // The program has its fonts open and its skin drawn by the time the
        // window is asked for: the same here, with another window of it.
        {
            MistakeStore none(App().Conn_User);
            ArticleEditor editor(App().Conn_User);
            Form_Show_Mistakes warm(none, editor, -1);
            warm.show();
            warm.repaint();
        }
        MistakeStore store(App().Conn_User);
        ArticleEditor editor(App().Conn_User);
        t.start();
        store.prepare(false);
        const double attached = t.nsecsElapsed() / 1e6;
        auto window = std::make_unique<Form_Show_Mistakes>(store, editor, int(PracticeKind::Chinese));
        const double built = t.nsecsElapsed() / 1e6;
        window->show();
        window->repaint();
        const double open = t.nsecsElapsed() / 1e6;
        std::printf("window opened on it (Chinese, 30 days: %lld runs, %lld characters): %.1f ms to the first paint "
                    "(file attached %.1f ms, read and laid out %.1f ms, painted %.1f ms)\n",
                    window->loaded().runs, qint64(window->loaded().chars.size()), open, attached, built - attached,
                    open - built);
        window.reset();
        std::vector<double> again;
        for (int i = 0; i < 5; ++i) {
            t.start();
            Form_Show_Mistakes w(store, editor, int(PracticeKind::Chinese));
            w.show();
            w.repaint();
            again.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("  opened again: %.1f ms (median of 5)\n", median(again));
        for (int tab : {0, 2}) {
            for (MistakePeriod period : {MistakePeriod::Week, MistakePeriod::Month, MistakePeriod::All}) {
                std::vector<double> reads;
                for (int i = 0; i < 5; ++i) {
                    t.start();
                    const MistakeFigures f = store.read(Mistake_Tab_Kind(tab), period);
                    reads.push_back(t.nsecsElapsed() / 1e6);
                }
                std::printf("  read %s, %s: %.1f ms\n", qPrintable(Mistake_Tab_Caption(tab)),
                            qPrintable(Period_Caption(period)), median(reads));
            }
        }
    }
    App().Conn_User.close();
    return 0;
}
