// Figures of the foundation: start-up to the login window, record code of a
// long article, file digest throughput, a settings read with its repair.
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tesmara;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long rssKb(const char* field)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

double startOnce(const QString& path)
{
    App().reset();
    StartupServices services;
    services.startProgram = [](const QString&, const QStringList&, const QString&, bool) { return true; };
    QElapsedTimer t;
    t.start();
    Startup startup({path, path}, services);
    startup.run();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    MsgScript::setStrict(true);

    // Start-up: first run in an empty folder, then later runs.
    std::vector<double> first, later;
    for (int i = 0; i < 15; ++i) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/";
        first.push_back(startOnce(path));
        for (int k = 0; k < 3; ++k) {
            later.push_back(startOnce(path));
        }
    }
    std::printf("start-up, empty folder to login window: median %.2f ms (limit 150)\n", median(first));
    std::printf("start-up, later starts:                 median %.2f ms (limit 80)\n", median(later));

    // Record code of a 65000-character Chinese article.
    const QString pool = QStringLiteral(
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多"
        "定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因"
        "由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解"
        "问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少"
        "图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北造百规热领七"
        "海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车例真务具万每目"
        "至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫且究观越织装影算"
        "低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克何除消构府称太准精"
        "值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调满县局照参红细引听该"
        "铁价严");
    QString article;
    article.reserve(65000);
    quint32 seed = 12345;
    while (article.size() < 65000) {
        seed = seed * 1103515245u + 12345u;
        article.append(pool[(seed >> 16) % pool.size()]);
        if ((seed & 31) == 0) {
            article.append(QStringLiteral("，"));
        }
    }
    article.truncate(65000);
    QElapsedTimer t;
    t.start();
    Code_Of(article);
    const double cold = t.nsecsElapsed() / 1e6;
    std::vector<double> warm;
    for (int i = 0; i < 50; ++i) {
        t.restart();
        Code_Of(article);
        warm.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("Code_Of, 65000 Chinese characters: median %.3f ms, first call %.3f ms (limit 2)\n", median(warm),
                cold);

    // File digest of a 64 MiB file.
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/big.bin";
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (int i = 0; i < chunk.size(); ++i) {
            chunk[i] = char(i * 31);
        }
        for (int i = 0; i < 64; ++i) {
            f.write(chunk);
        }
        f.close();
        chunk.clear();
        chunk.squeeze();
        File_Digest(path); // warm the page cache
        const long before = rssKb("VmRSS:");
        std::vector<double> rates;
        for (int i = 0; i < 5; ++i) {
            t.restart();
            File_Digest(path);
            rates.push_back(64.0 * 1048576 / 1e6 / (t.nsecsElapsed() / 1e9));
        }
        const long after = rssKb("VmRSS:");
        std::printf("File_Digest, 64 MiB: median %.0f MB/s (limit >= 300), resident memory change %ld kB\n",
                    median(rates), after - before);
    }

    // A settings read, and one that repairs its row.
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        QDir().mkpath(root + "user/u");
        Create_User_Db(root, "u");
        Database db;
        db.open(userDbPath(root, "u"), Database::Mode::ReadWrite);
        Settings settings(db, root);
        settings.text("Last_Test_Time");
        std::vector<double> plain;
        for (int i = 0; i < 200; ++i) {
            t.restart();
            settings.text("Last_Test_Time");
            plain.push_back(t.nsecsElapsed() / 1e3);
        }
        // A repair writes the default back. With the program's full sync that
        // write waits for the disk (several flushes in rollback-journal mode,
        // and "normal" still flushes once), so the code's own cost is measured
        // with the sync off and the disk's share reported beside it.
        auto repairs = [&] {
            std::vector<double> times;
            for (int i = 0; i < 100; ++i) {
                db.exec("update set_ set Value_ = '99' where Name_ = 'Last_Test_Time'");
                t.restart();
                settings.text("Last_Test_Time");
                times.push_back(t.nsecsElapsed() / 1e3);
            }
            return median(times);
        };
        const double synced = repairs();
        db.exec("pragma synchronous=off");
        const double unsynced = repairs();
        std::printf("settings read: median %.1f us (limit 100)\n", median(plain));
        std::printf("settings read with repair: median %.1f us without disk sync (limit 100), "
                    "%.1f us with the program's full sync\n",
                    unsynced, synced);
    }
    return 0;
}
