// Kills at random moments: a child process stores what the program stores at
// the end of a run (reading position, record and check field, in the user's
// database, the run's mistake counts in the statistics file attached to it;
// the user's recency in the application database) and when an article is
// saved, and is killed with SIGKILL at a random moment. After every kill the
// databases must open and pass "pragma integrity_check", every record must
// verify with its check field, every article with its code, the statistics
// must hold exactly one counted run per record, and everything the child
// reported as stored must be there.
//
//   build/bench/bench_killstress [kills, default 1000] [folder for the files]

#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "mistakes/MistakeStore.h"
#include "mistakes/MistakeTally.h"
#include "practice/PracticeRecord.h"
#include "practice/TextSource.h"
#include "records/RecordCheck.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "users/UserAccounts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace tesmara;

namespace {

const QString kUser = QStringLiteral("练习者");

QString essay()
{
    QString text;
    while (text.size() < 3000) {
        text += QStringLiteral("天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜");
    }
    return text;
}

// The child: stores runs and articles until it is killed, and reports each
// one on stdout once its commit has returned.
int writer(const QString& root, quint32 seed)
{
    Database user;
    Database main;
    if (!user.open(userDbPath(root, kUser), Database::Mode::ReadWrite) ||
        !main.open(root + QStringLiteral("d.at"), Database::Mode::ReadWrite)) {
        return 2;
    }
    QRandomGenerator random(seed);
    const QString text = essay();
    TextSource source(user, nullptr, [&](int) { return text; });
    source.chooseChinese(0);
    ArticleEditor editor(user);
    UserAccounts accounts(main, root);
    MistakeStore mistakes(user);
    if (!mistakes.prepare()) {
        return 2;
    }
    qint64 articles = user.scalar(QStringLiteral("select count(*) from text_"))->toLongLong();
    std::printf("ready\n");
    std::fflush(stdout);
    for (int i = 0;; ++i) {
        const int speed = 20 + int(random.bounded(150));
        MistakeTally tally;
        for (int k = int(random.bounded(300)); k >= 0; --k) {
            const char32_t expected = text.at(int(random.bounded(40))).unicode();
            tally.add(expected, random.bounded(20) == 0 ? char32_t(u'错') : expected);
        }
        Store_Run_End(user, source, 1 + random.bounded(400), int(random.bounded(3)), QString::number(speed),
                      QStringLiteral("1"), QStringLiteral("%1 %").arg(80 + random.bounded(20)),
                      [&] { mistakes.addRun(0, tally); });
        const QString last = user.scalar(QStringLiteral("select max(ID) from testlog"))->toString();
        const QString position =
            user.scalar(QStringLiteral("select No_ from test_no where N = ?"), {source.positionKey()})->toString();
        std::printf("run %s %s\n", qPrintable(last), qPrintable(position));
        std::fflush(stdout);
        accounts.moveToFront(i % 2 == 0 ? kUser : QStringLiteral("other"));
        if (i % 3 == 0) {
            const QString name = QStringLiteral("s%1").arg(++articles);
            editor.setName(name);
            editor.setSuffix(QStringLiteral("_u"));
            editor.setMode(SaveMode::New);
            editor.setText(text.mid(int(random.bounded(100)), 50 + int(random.bounded(2900))));
            if (editor.CMD_Save_Click(1)) {
                std::printf("article %s_u\n", qPrintable(name));
                std::fflush(stdout);
            }
        }
    }
}

struct Verdict {
    QStringList faults;
    void fault(const QString& text) { faults << text; }
};

void checkIntegrity(Database& db, Verdict& v)
{
    const QString result = db.scalar(QStringLiteral("pragma integrity_check"))->toString();
    if (result != QLatin1String("ok")) {
        v.fault(db.path() + QStringLiteral(": ") + result);
    }
}

// Everything the child reported is there, and every row checks out. Articles
// are checked from `fromArticle` on (all of them at the end).
void verify(const QString& root, const QByteArray& report, qint64 fromArticle, Verdict& v)
{
    Database user;
    Database main;
    QString error;
    if (!user.open(userDbPath(root, kUser), Database::Mode::ReadWrite, &error) ||
        !main.open(root + QStringLiteral("d.at"), Database::Mode::ReadWrite, &error)) {
        v.fault(QStringLiteral("cannot open: ") + error);
        return;
    }
    checkIntegrity(user, v);
    checkIntegrity(main, v);
    QSqlQuery records = user.exec(QStringLiteral("select ID, type, s, t, r, c from testlog"));
    while (records.next()) {
        const QString c =
            Record_Check(records.value(0).toString(), records.value(1).toString(), records.value(2).toString(),
                         records.value(3).toString(), records.value(4).toString());
        if (c != records.value(5).toString()) {
            v.fault(QStringLiteral("record %1 fails its check").arg(records.value(0).toString()));
        }
    }
    QSqlQuery texts = user.exec(QStringLiteral("select ID, N, T, C from text_ where ID >= ?"), {fromArticle});
    while (texts.next()) {
        if (Code_Of(texts.value(2).toString()) != texts.value(3).toString()) {
            v.fault(QStringLiteral("article %1 fails its code").arg(texts.value(1).toString()));
        }
    }
    // One counted run per record, and the per-character counts (written with
    // the run's) add up to the run totals.
    MistakeStore mistakes(user);
    if (!mistakes.prepare(false)) {
        v.fault(QStringLiteral("statistics unusable: ") + mistakes.takeNotice());
    } else {
        QSqlQuery q = user.exec(
            QStringLiteral("select (select count(*) from testlog), (select sum(runs) from mistakes.runs), "
                           "(select sum(hits + misses) from mistakes.runs), "
                           "(select sum(hits + misses) from mistakes.chars_all), "
                           "(select sum(misses) from mistakes.chars), (select sum(n) from mistakes.subs_all)"));
        q.next();
        if (q.value(0).toLongLong() != q.value(1).toLongLong() || q.value(2).toLongLong() != q.value(3).toLongLong() ||
            q.value(4).toLongLong() != q.value(5).toLongLong()) {
            v.fault(QStringLiteral("statistics out of step: %1 records, %2 runs, %3/%4 keys, %5/%6 wrong")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                             q.value(4).toString(), q.value(5).toString()));
        }
        QSqlQuery check = user.exec(QStringLiteral("pragma mistakes.integrity_check"));
        if (!check.next() || check.value(0).toString() != QLatin1String("ok")) {
            v.fault(QStringLiteral("mistakes.db: ") + check.value(0).toString());
        }
    }
    if (main.scalar(QStringLiteral("select count(*) from [user] where I = 0"))->toInt() != 1) {
        v.fault(QStringLiteral("recency order broken"));
    }
    // The last run reported: its record is there, and when it is the last
    // one stored, the reading position is the one stored with it.
    QString lastRun;
    QString lastPosition;
    for (const QByteArray& line : report.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3 && words[0] == "run") {
            lastRun = QString::fromUtf8(words[1]);
            lastPosition = QString::fromUtf8(words[2]);
        } else if (words.size() == 2 && words[0] == "article" &&
                   !user.hasRow(QStringLiteral("select ID from text_ where N = ?"), {QString::fromUtf8(words[1])})) {
            v.fault(QStringLiteral("article %1 reported but lost").arg(QString::fromUtf8(words[1])));
        }
    }
    if (!lastRun.isEmpty()) {
        const qint64 stored = user.scalar(QStringLiteral("select max(ID) from testlog"))->toLongLong();
        if (stored < lastRun.toLongLong()) {
            v.fault(QStringLiteral("record %1 reported but lost").arg(lastRun));
        } else if (stored == lastRun.toLongLong() &&
                   user.scalar(QStringLiteral("select max(No_) from test_no"))->toString() != lastPosition) {
            v.fault(QStringLiteral("reading position of record %1 lost").arg(lastRun));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0) {
        return writer(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toUInt());
    }
    const int kills = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    QTemporaryDir dir(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/kill-XXXXXX") : QString());
    const QString root = dir.path() + QLatin1Char('/');
    QString error;
    {
        Database main;
        QDir().mkpath(root + QStringLiteral("user/") + kUser);
        if (!main.open(root + QStringLiteral("d.at"), Database::Mode::ReadWrite, &error) ||
            !Create_User_Db(root, kUser, &error)) {
            std::fprintf(stderr, "cannot make the databases: %s\n", qPrintable(error));
            return 1;
        }
        createAppTables(main);
        for (const QString& name : {kUser, QStringLiteral("other")}) {
            main.exec(QStringLiteral("insert into [user] (Un, Pw, I) values (?, '', 0)"), {name});
        }
        UserAccounts(main, root).moveToFront(kUser);
    }

    QRandomGenerator random(20240501);
    QElapsedTimer clock;
    clock.start();
    qint64 articleFrom = 0;
    int killed = 0;
    int midWrite = 0;
    int failed = 0;
    for (int round = 0; round < kills; ++round) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--writer"), root, QString::number(random.generate())});
        if (!child.waitForStarted() || !child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "the writer did not start\n");
            return 1;
        }
        // A random moment: right away, or after some commits.
        QThread::usleep(random.bounded(200000));
        child.kill();
        child.waitForFinished();
        ++killed;
        // A journal left behind: the kill came inside a write, which the
        // next opening rolls back.
        for (const QString& db :
             {userDbPath(root, kUser), root + QStringLiteral("d.at"), MistakeStore::fileFor(userDbPath(root, kUser))}) {
            if (QFileInfo(db + QStringLiteral("-journal")).size() > 0) {
                ++midWrite;
                break;
            }
        }
        Verdict v;
        verify(root, child.readAllStandardOutput(), articleFrom, v);
        if (!v.faults.isEmpty()) {
            ++failed;
            std::fprintf(stderr, "kill %d: %s\n", round + 1, qPrintable(v.faults.join(QStringLiteral("; "))));
        }
        Database user;
        if (user.open(userDbPath(root, kUser), Database::Mode::ReadOnly)) {
            articleFrom = user.scalar(QStringLiteral("select coalesce(max(ID), 0) + 1 from text_"))->toLongLong();
        }
    }
    Verdict last;
    verify(root, {}, 0, last);
    Database user;
    user.open(userDbPath(root, kUser), Database::Mode::ReadOnly);
    const qint64 records = user.scalar(QStringLiteral("select count(*) from testlog"))->toLongLong();
    const qint64 articles = user.scalar(QStringLiteral("select count(*) from text_"))->toLongLong();
    std::printf("%d kills (%d inside a write) in %.1f s: %lld records and %lld articles stored, %d kills with a "
                "fault, %s at the end\n",
                killed, midWrite, clock.elapsed() / 1000.0, records, articles, failed,
                last.faults.isEmpty() ? "nothing lost" : qPrintable(last.faults.join(QStringLiteral("; "))));
    return failed == 0 && last.faults.isEmpty() ? 0 : 1;
}
