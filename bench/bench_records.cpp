// Time to store the end of a run: the practice record with its check field
// and the reading position, on a user database in a temporary folder (the
// same journal and sync settings as the program).

#include "app/AppState.h"
#include "app/Msg.h"
#include "practice/PracticeRecord.h"
#include "practice/TextSource.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tesmara;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX") : QString());
    const QString root = dir.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("user/bench"));
    QString error;
    Database db;
    if (!Create_User_Db(root, QStringLiteral("bench"), &error) ||
        !db.open(userDbPath(root, QStringLiteral("bench")), Database::Mode::ReadWrite, &error)) {
        std::fprintf(stderr, "cannot make the database: %s\n", qPrintable(error));
        return 1;
    }
    QString essay;
    while (essay.size() < 1000) {
        essay += QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏");
    }
    TextSource source(db, nullptr, [&](int) { return essay; });
    source.chooseChinese(0);

    constexpr int kRounds = 200;
    std::vector<double> ms;
    ms.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer t;
        t.start();
        Store_Run_End(db, source, 37 + i, i % 3, QString::number(60 + i % 50), QStringLiteral("1"),
                      QStringLiteral("98.5 %"));
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("record + check field + reading position, %d rounds on %s\n", kRounds, qPrintable(root));
    std::printf("  median %.3f ms, 95th percentile %.3f ms, worst %.3f ms (target <= 10 ms)\n", ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
    // What the disk alone costs: a commit that changes one number. The
    // rollback journal with full sync makes every commit wait for it.
    std::vector<double> bare;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        db.exec(QStringLiteral("update test_no set No_ = ?"), {i + 1});
        bare.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(bare.begin(), bare.end());
    std::printf("  for comparison, one bare one-row commit: median %.3f ms\n", bare[bare.size() / 2]);
    return ms[ms.size() * 95 / 100] <= 10.0 ? 0 : 2;
}
