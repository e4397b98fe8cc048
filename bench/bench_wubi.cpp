// The code dictionary: one Get_Wb86 call per character, loading the three
// code tables from the embedded resources, and the phrase lookup at a typing
// position (5, 4, 3 and 2 characters tried). Run from the build tree: the
// phrase database is read from the stage folder (TESMARA_STAGE_DIR, else
// ../stage beside this program).
#include "app/AppState.h"
#include "app/Resources.h"
#include "store/Database.h"
#include "wubi/PhraseLookup.h"
#include "wubi/WubiDict.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tesmara;

namespace {

template <typename F> double bestOf(int rounds, F&& body)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        best = std::min(best, double(t.nsecsElapsed()));
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    // Loading: what start-up does, three resources into memory; the first
    // load is the one the program pays.
    QElapsedTimer cold;
    cold.start();
    App().Wb86_Codes = binaryResource(101);
    App().Wb98_Codes = binaryResource(102);
    App().Py_Codes = binaryResource(104);
    std::printf("load three code tables, first time: %.3f ms\n", cold.nsecsElapsed() / 1e6);
    const double loadNs = bestOf(20, [] {
        App().Wb86_Codes = binaryResource(101);
        App().Wb98_Codes = binaryResource(102);
        App().Py_Codes = binaryResource(104);
    });
    std::printf("load three code tables: %.3f ms (best of 20)\n", loadNs / 1e6);
    // The first lookup also maps the character index table.
    QElapsedTimer first;
    first.start();
    const QString probe = Get_Wb86(QStringLiteral("照"));
    std::printf("first lookup (index table mapped): %.1f us -> %s\n", first.nsecsElapsed() / 1e3, qPrintable(probe));

    // Per character: the 2500 common characters, many times over.
    const QString common = stringResource(1010);
    std::vector<QString> chars;
    for (QChar c : common) {
        chars.emplace_back(c);
    }
    constexpr int kRounds = 40;
    qsizetype sink = 0;
    const double perCharNs = bestOf(5,
                                    [&] {
                                        for (int r = 0; r < kRounds; ++r) {
                                            for (const QString& c : chars) {
                                                sink += Get_Wb86(c).size();
                                            }
                                        }
                                    }) /
                             (kRounds * double(chars.size()));
    const double pyNs = bestOf(5,
                               [&] {
                                   for (int r = 0; r < kRounds; ++r) {
                                       for (const QString& c : chars) {
                                           sink += Get_Py(c).size();
                                       }
                                   }
                               }) /
                        (kRounds * double(chars.size()));
    std::printf("Get_Wb86: %.0f ns per character; Get_Py: %.0f ns per character (%zu characters x %d)\n", perCharNs,
                pyNs, chars.size(), kRounds);

    // Phrase lookup on five-character windows of running phrase text: hits
    // of every length and misses.
    QString stage = qEnvironmentVariable("TESMARA_STAGE_DIR");
    if (stage.isEmpty()) {
        stage = QCoreApplication::applicationDirPath() + QStringLiteral("/../stage");
    }
    Database& db = App().Conn_Phrase;
    if (!db.open(stage + QStringLiteral("/p.dat"), Database::Mode::ReadOnly)) {
        std::printf("phrase lookup: no p.dat in %s\n", qPrintable(stage));
        App().reset();
        return 1;
    }
    const QString text = stringResource(308).left(600) + stringResource(309).left(300) + stringResource(310).left(300) +
                         common.left(300);
    std::vector<QString> windows;
    for (qsizetype i = 0; i + 5 <= text.size(); ++i) {
        windows.push_back(text.mid(i, 5));
    }
    int found = 0;
    const double lookupNs = bestOf(3,
                                   [&] {
                                       found = 0;
                                       for (const QString& w : windows) {
                                           found += !Find_Phrase(w).phrase.isEmpty();
                                       }
                                   }) /
                            double(windows.size());
    std::printf("phrase lookup (5,4,3,2 tries): %.1f us per position (%zu positions, %d found)\n", lookupNs / 1e3,
                windows.size(), found);
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    // Connections close while Qt is still up.
    App().reset();
    return 0;
}
