#include "app/AppState.h"
#include "app/Msg.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TS.h"
#include "practice/RunFigures.h"
#include "records/PracticeKinds.h"
#include "records/RecordCheck.h"
#include "records/RecordExport.h"
#include "records/SpeedChart.h"
#include "records/TestLog.h"
#include "records/ui/Form_Show_TestLog.h"
#include "records/ui/SpeedChartView.h"
#include "records/ui/SpeedLog_Point.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"

#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tesmara;

namespace {

using test::addRecord;

// `count` records of one type, their speeds counting up from `speed`.
void addMany(Database& db, int type, int count, int speed = 40)
{
    db.transaction([&] {
        for (int i = 0; i < count; ++i) {
            addRecord(db, type, speed + i % 97, 1 + i % 5, QStringLiteral("%1 %").arg(90 + i % 10));
        }
        return true;
    });
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class T> T* child(QWidget* w, const char* name)
{
    return w->findChild<T*>(QString::fromLatin1(name));
}

// Clicks the window's button `name`, its messages answered with `answers`.
void press(QWidget& window, const char* name, const QStringList& answers = {})
{
    test::answer(answers);
    child<Cmd>(&window, name)->click();
}

QStringList comboItems(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void eachPracticeRecordsUnderItsTab();
    void editedRecordsAreRemovedWithOneNoticeEach_data();
    void editedRecordsAreRemovedWithOneNoticeEach();
    void checkFieldDependsOnEveryPart();
    void paging_data();
    void paging();
    void chartPlacement();
    void chartScale_data();
    void chartScale();
    void pointerLeavingAPoint();
    void exportsAllKindsInTheSystemEncoding();
    void exportFileNames_data();
    void exportFileNames();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();

    void viewerTabsPagesChartAndPointBox();
    void viewerClearsAndExportsOneKindOrAll();

private:
    test::ProgramFolder* m_folder = nullptr;
    Database* m_db = nullptr;
};

void TestRecords::init()
{
    m_folder = new test::ProgramFolder;
    m_db = &App().Conn_User;
    QVERIFY(m_db->open(m_folder->path() + QStringLiteral("d.at"), Database::Mode::ReadWrite));
    createUserTables(*m_db);
    setSystemCodecOverride(QStringLiteral("UTF-8"));
}

void TestRecords::cleanup()
{
    Form_Show_TestLog::setExportFileChooser({});
    SpeedLog_Point::setPointerSource({});
    setSystemCodecOverride(QString());
    QCOMPARE(MsgScript::pending(), 0);
    delete m_folder;
    m_folder = nullptr;
}

void TestRecords::eachPracticeRecordsUnderItsTab()
{
    // The types earlier installations stored, tab by tab.
    const QList<int> types = {0, 1, 2, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
    for (int tab = 0; tab < kKindCount; ++tab) {
        const int written = tab < 3    ? recordTypeFor(PracticeKind(tab))
                            : tab < 11 ? recordTypeFor(PracticeKind::Wubi, tab - 3)
                                       : recordTypeFor(PracticeKind::Wubi, -1, tab - 11);
        QCOMPARE(Kind_Type(tab), types[tab]);
        QCOMPARE(written, types[tab]);
    }
    // Saved articles, fingering and a Wubi practice without a drill keep none.
    for (PracticeKind kind : {PracticeKind::Wubi, PracticeKind::Article, PracticeKind::KeyMouse}) {
        QCOMPARE(recordTypeFor(kind), -1);
    }
}

void TestRecords::editedRecordsAreRemovedWithOneNoticeEach_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("loadType");
    QTest::addRow("speed raised") << "s" << QVariant(999) << 0;
    QTest::addRow("time changed") << "t" << QVariant(5) << 0;
    QTest::addRow("accuracy changed") << "r" << QVariant(QStringLiteral("100 %")) << 0;
    QTest::addRow("accuracy with extra space") << "r" << QVariant(QStringLiteral("95 % ")) << 0;
    QTest::addRow("moved to another kind") << "type" << QVariant(QStringLiteral("1")) << 1;
    QTest::addRow("check altered") << "c" << QVariant(QStringLiteral("00000000000000000000")) << 0;
    QTest::addRow("check upper-cased") << "c" << QVariant() << 0;
}

void TestRecords::editedRecordsAreRemovedWithOneNoticeEach()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(int, loadType);
    // Four records of one kind, the first and third edited; one of another.
    QList<qint64> ids;
    for (int speed : {70, 80, 90, 60}) {
        ids << addRecord(*m_db, 0, speed, 1, QStringLiteral("95 %"));
    }
    const qint64 other = addRecord(*m_db, 1, 50, 1, QStringLiteral("97 %"));
    for (const qint64 victim : {ids[0], ids[2]}) {
        const QString c = m_db->scalar(QStringLiteral("select c from testlog where ID = ?"), {victim})->toString();
        m_db->exec(QStringLiteral("update testlog set %1 = ? where ID = ?").arg(column),
                   {value.isValid() ? value : QVariant(c.toUpper()), victim});
        QVERIFY(value.isValid() || c != c.toUpper());
    }

    test::answer({"OK", "OK"});
    const SpeedLog log = Load_Checked(*m_db, loadType);
    QCOMPARE(log.removed, 2);
    QCOMPARE(MsgScript::shown().size(), 2);
    QCOMPARE(MsgScript::shown()[0].title, QStringLiteral("提示"));
    QCOMPARE(MsgScript::shown()[0].text, QStringLiteral("在您的练习记录中发现错误，有错误的记录将被删除。"));
    QCOMPARE(MsgScript::shown()[0].buttons, 0);
    // The rest stay, in order; a forged speed never reaches the scale.
    QStringList kept;
    for (const TestRecord& rec : log.records) {
        kept << rec.id;
    }
    const QStringList expected = loadType == 0 ? QStringList{QString::number(ids[1]), QString::number(ids[3])}
                                               : QStringList{QString::number(other)};
    QCOMPARE(kept, expected);
    QCOMPARE(log.maxSpeed, loadType == 0 ? 80 : 50);
    QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from testlog"))->toInt(), 3);
}

void TestRecords::checkFieldDependsOnEveryPart()
{
    const QString base = Record_Check("7", "30", "55", "2", "98 %");
    QCOMPARE(base, Code_Of(Code_Of("7") + Code_Of("30") + Code_Of("55") + "2" + "98 %").left(20));
    // Moving a character between t and r gives the same joined text t + r,
    // so the check cannot tell; a change of the type, speed, time or
    // accuracy it must (the edited records above), and of the record's ID.
    QCOMPARE(Record_Check("7", "30", "55", "29", "8 %"), base);
    QVERIFY(Record_Check("8", "30", "55", "2", "98 %") != base);
}

void TestRecords::paging_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("last");
    QTest::addRow("none") << 0 << QStringList() << 0 << QString();
    QTest::addRow("one") << 1 << QStringList{"第 1 - 1 条记录"} << 1 << "第 1 - 1 条记录";
    QTest::addRow("ten thousand") << 10000 << QStringList{"第 1 - 50 条记录", "第 51 - 100 条记录"} << 200
                                  << "第 9951 - 10000 条记录";
}

void TestRecords::paging()
{
    QFETCH(int, count);
    QFETCH(QStringList, first);
    QFETCH(int, pages);
    QFETCH(QString, last);
    addMany(*m_db, 0, count);
    const SpeedLog log = Load_Checked(*m_db, 0);
    QCOMPARE(log.records.size(), count);
    const QStringList captions = Page_Captions(int(log.records.size()));
    QCOMPARE(captions.size(), pages);
    QCOMPARE(Page_Count(count), pages);
    QCOMPARE(captions.mid(0, first.size()), first);
    if (pages > 0) {
        QCOMPARE(captions.last(), last);
        // Every record is on exactly one page.
        int covered = 0;
        for (int p = 0; p < pages; ++p) {
            QCOMPARE(Page_First(p), covered);
            QVERIFY(Page_End(p, count) - Page_First(p) <= kPageSize);
            covered = Page_End(p, count);
        }
        QCOMPARE(covered, count);
    }
    QCOMPARE(Sum_Caption(count), QStringLiteral(" 本类别共有 %1 个记录 ").arg(count));
}

void TestRecords::chartPlacement()
{
    // The eleventh point starts after the gap that follows every tenth.
    QCOMPARE(Point_Left(10), 2510 + 1500 + 75);
    QCOMPARE(Point_Left(11) - Point_Left(10), 150);
    QCOMPARE(Point_Left(49), 2510 + 150 * 49 + 75 * 4);
    QCOMPARE(Point_Top(120, 120), 150);
    QCOMPARE(Point_Top(1, 3), 3150);
    QCOMPARE(Point_Top(1, 7), 4007); // 4650 - 642.857 rounds to 4007
    QCOMPARE(Point_Top(0, 0), 4590);
    // The top point is level with the scale's top value, speed 0 sits 60
    // twips above the written 0.
    QCOMPARE(Point_Top(77, 77), Scale_Y(0));
    QCOMPARE(Scale_Y(10) - Point_Top(0, 77), 60);
}

void TestRecords::chartScale_data()
{
    QTest::addColumn<qint64>("maxSpeed");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("label");
    QTest::newRow("top") << qint64(120) << 0 << "120";
    QTest::newRow("bottom") << qint64(120) << 10 << "0";
    QTest::newRow("a tenth that is not whole") << qint64(125) << 1 << "112.5";
    QTest::newRow("small top") << qint64(3) << 1 << "2.7";
    QTest::newRow("small, near the bottom") << qint64(3) << 9 << "0.3";
    QTest::newRow("no speed") << qint64(0) << 10 << "0";
}

void TestRecords::chartScale()
{
    QFETCH(qint64, maxSpeed);
    QFETCH(int, k);
    QFETCH(QString, label);
    QCOMPARE(Scale_Label(maxSpeed, k), label);
}

void TestRecords::pointerLeavingAPoint()
{
    // A point at 1500,1500 twips (100,100 px), 105 twips closed.
    QVERIFY(!Pointer_Left_Point(100, 100, 1500, 1500, 105, 105));
    QVERIFY(!Pointer_Left_Point(106, 106, 1500, 1500, 105, 105));
    QVERIFY(Pointer_Left_Point(107, 100, 1500, 1500, 105, 105));
    QVERIFY(Pointer_Left_Point(100, 107, 1500, 1500, 105, 105));
    QVERIFY(Pointer_Left_Point(99, 100, 1500, 1500, 105, 105));
    QVERIFY(Pointer_Left_Point(100, 99, 1500, 1500, 105, 105));
    // Open to a box of 1500 x 900 twips, the pointer may move inside it.
    QVERIFY(!Pointer_Left_Point(190, 150, 1500, 1500, 1500, 900));
    QVERIFY(Pointer_Left_Point(200, 150, 1500, 1500, 1500, 900));
}

void TestRecords::exportsAllKindsInTheSystemEncoding()
{
    addRecord(*m_db, 1, 200, 2, QStringLiteral("99 %"));
    addRecord(*m_db, 40, 33, 1, QStringLiteral("75 %"));
    const QString path = m_folder->path() + QStringLiteral("all.txt");
    QVERIFY(Write_File_Whole(path, Encode_System(Export_All_Text(*m_db))));
    const QStringList captions = {"中文练习", "英文练习", "数字练习", "一级简码", "二级简码", "三级简码", "  字根",
                                  "成字字根", "键名字",   "识别码",   "全码字",   "二字词组", "三字词组", "四字词组"};
    QByteArray expected;
    for (int i = 0; i < 14; ++i) {
        expected += captions[i].toUtf8() + "\r\n";
        const int n = (i == 1 || i == 13) ? 1 : 0;
        expected += QStringLiteral("共有 %1 条练习记录\r\n").arg(n).toUtf8();
        expected += QStringLiteral("序号\t速度\t时间(分钟)\t正确率\r\n").toUtf8();
        if (i == 1) {
            expected += "1\t200\t2\t99 %\r\n";
        }
        if (i == 13) {
            expected += "1\t33\t1\t75 %\r\n";
        }
        expected += "\r\n";
    }
    QCOMPARE(readAll(path), expected); // every line end CR LF

    setSystemCodecOverride(QStringLiteral("GBK"));
    addRecord(*m_db, 0, 66, 1, QStringLiteral("100 %"));
    const QByteArray bytes = Encode_System(Export_One_Text(*m_db, 0));
    // 中文练习 and 共有 in GBK.
    QVERIFY(bytes.startsWith("\xd6\xd0\xce\xc4\xc1\xb7\xcf\xb0\r\n\xb9\xb2\xd3\xd0 1 "));
    QVERIFY(bytes.endsWith("\r\n1\t66\t1\t100 %\r\n"));
}

void TestRecords::exportFileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    const auto row = [](const char* name, const QString& chosen, const char* saved) {
        QTest::addRow("%s", name) << chosen << QString::fromUtf8(saved);
    };
    row("mixed case kept", "/home/u/a.Txt", "/home/u/a.Txt");
    row("other extension", "/home/u/log.csv", "/home/u/log.csv.txt");
    row("txt inside", "/home/u/a.txt.bak", "/home/u/a.txt.bak.txt");
    row("cut at NUL", QStringLiteral("/home/u/r.txt") + QChar(0) + "junk", "/home/u/r.txt");
}

void TestRecords::exportFileNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(Export_File_Name(chosen), saved);
}

void TestRecords::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("records");
    // A small export stays in the write buffer and only fails when it is
    // flushed on commit; a large one fails while it is written.
    QTest::addRow("fails on commit") << 100;
    QTest::addRow("fails while written") << 2000;
}

void TestRecords::failedWriteKeepsTheOldFile()
{
    QFETCH(int, records);
    const QString path = m_folder->path() + QStringLiteral("old.txt");
    QVERIFY(test::writeFile(path, "old contents\r\n"));
    addMany(*m_db, 0, records);
    const QByteArray bytes = Encode_System(Export_All_Text(*m_db));
    QVERIFY(bytes.size() > 1024);

    // A file size limit makes writing fail part way, as a full disk does.
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = Write_File_Whole(path, bytes, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    QVERIFY(!ok);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), QByteArray("old contents\r\n"));
    // No temporary file is left behind.
    QCOMPARE(QDir(m_folder->path()).entryList({"old.txt*"}, QDir::Files), QStringList{"old.txt"});
}

void TestRecords::viewerTabsPagesChartAndPointBox()
{
    addMany(*m_db, 33, 51, 20);
    addMany(*m_db, 0, 50);
    // A record edited by hand: removed with a notice when its tab is shown.
    const qint64 bad = addRecord(*m_db, 33, 90, 2, QStringLiteral("95 %"));
    m_db->exec(QStringLiteral("update testlog set t = 1 where ID = ?"), {bad});
    Form_Show_TestLog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* combo = child<QComboBox>(&w, "Combo_Page");
    auto* chart = w.findChild<SpeedChartView*>();
    // It opens on the first of the fourteen kinds (the 50 records of type 0).
    QCOMPARE(child<TS>(&w, "TS1")->tabCount(), 14);
    QCOMPARE(comboItems(combo), QStringList{"第 1 - 50 条记录"});
    QCOMPARE(chart->visiblePoints().size(), 50);

    QCOMPARE(MsgScript::shown().size(), 0);
    MsgScript::pushAnswer(QStringLiteral("OK"));
    test::clickTab(child<TS>(&w, "TS1"), 6); // the roots drill, type 33
    QCOMPARE(MsgScript::shown().size(), 1);
    QVERIFY(!m_db->hasRow(QStringLiteral("select * from testlog where ID = ?"), {bad}));
    QCOMPARE(comboItems(combo), (QStringList{"第 1 - 50 条记录", "第 51 - 51 条记录"}));
    QCOMPARE(child<MSG_Label>(&w, "Label_Sum")->Caption(), QStringLiteral(" 本类别共有 51 个记录 "));
    const QList<SpeedLog_Point*> points = chart->visiblePoints();
    QCOMPARE(points.size(), 50);
    QCOMPARE(chart->maxSpeed(), 70);
    // Record 1 (speed 20) and record 11 (speed 30) on page one.
    QCOMPARE(points[0]->pos(), QPoint(167, (Point_Top(20, 70) + 7) / 15));
    QCOMPARE(points[10]->x(), (Point_Left(10) + 7) / 15);
    QCOMPARE(points[0]->Caption(), QStringLiteral("速度:20 字/分钟\r\n时间：1 分钟\r\n正确率：90 %"));
    QCOMPARE(points[0]->size(), QSize(7, 7));

    // Page two holds the 51st record, the fastest: level with the scale top.
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    QCOMPARE(chart->visiblePoints().size(), 1);
    SpeedLog_Point* point = chart->visiblePoints()[0];
    QCOMPARE(point->pos(), QPoint(167, 10));
    QVERIFY(point->Caption().startsWith(QStringLiteral("速度:70 字/分钟")));

    // Its box opens under the pointer and closes once the pointer has left.
    QCOMPARE(point->watchTimer()->interval(), 300);
    QVERIFY(!point->watchTimer()->isActive());
    const QPoint inside = point->mapToGlobal(QPoint(3, 3));
    SpeedLog_Point::setPointerSource([&] { return inside; });
    QTest::mouseMove(point, QPoint(3, 3));
    QTRY_VERIFY(point->isOpen());
    QVERIFY(point->watchTimer()->isActive());
    QVERIFY(point->captionLabel()->isVisible());
    QVERIFY(point->width() > 60 && point->height() > 40);
    // The box is read whole inside the chart.
    QVERIFY(point->parentWidget()->rect().contains(point->geometry()));

    // Still over the box: a watch tick keeps it open.
    point->watch();
    QVERIFY(point->isOpen());
    // Pointer gone: closed at the next tick, within one watch period.
    const QPoint away = point->parentWidget()->mapToGlobal(QPoint(2, 2));
    SpeedLog_Point::setPointerSource([&] { return away; });
    int ticks = 0;
    connect(point->watchTimer(), &QTimer::timeout, this, [&] { ++ticks; });
    QTRY_VERIFY_WITH_TIMEOUT(!point->isOpen(), 2000);
    QCOMPARE(ticks, 1);
    QCOMPARE(point->size(), QSize(7, 7));
    QVERIFY(!point->captionLabel()->isVisible());
    QVERIFY(!point->watchTimer()->isActive());
}

void TestRecords::viewerClearsAndExportsOneKindOrAll()
{
    addMany(*m_db, 0, 2);
    addMany(*m_db, 40, 2);
    Form_Show_TestLog w;
    press(w, "CMD_Del_Now", {"No"});
    QCOMPARE(m_db->scalar("select count(*) from testlog")->toInt(), 4);

    press(w, "CMD_Del_Now", {"Yes", "OK"});
    QCOMPARE(MsgScript::shown()[1].title, QStringLiteral("请确认"));
    QCOMPARE(MsgScript::shown()[1].text, QStringLiteral("真的要清空当前类别的所有记录吗?"));
    QCOMPARE(MsgScript::shown()[2].text, QStringLiteral("已完成清空操作。"));
    QCOMPARE(m_db->scalar("select count(*) from testlog where type = '0'")->toInt(), 0);
    QCOMPARE(m_db->scalar("select count(*) from testlog where type = '40'")->toInt(), 2);
    QCOMPARE(child<MSG_Label>(&w, "Label_Sum")->Caption(), QStringLiteral(" 本类别共有 0 个记录 "));

    int asked = 0;
    const QString base = m_folder->path() + QStringLiteral("speed");
    QString chosen = base;
    Form_Show_TestLog::setExportFileChooser([&](QWidget*) {
        ++asked;
        return chosen;
    });
    // Nothing to export: a notice, no dialog, no file.
    press(w, "CMD_OutPutOne", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("本类没有任何记录，无法导出。"));
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("无法导出"));
    QCOMPARE(asked, 0);
    QVERIFY(!QFile::exists(base + ".txt"));

    addRecord(*m_db, 0, 88, 2, QStringLiteral("96 %"));
    addRecord(*m_db, 33, 45, 1, QStringLiteral("97.5 %")); // another kind
    addRecord(*m_db, 0, 130, 10, QStringLiteral("88 %"));
    press(w, "CMD_OutPutOne", {"OK"});
    QCOMPARE(asked, 1);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("完成"));
    QCOMPARE(readAll(base + ".txt"),
             QStringLiteral("中文练习\r\n共有 2 条练习记录\r\n序号\t速度\t时间(分钟)\t正确率\r\n1\t88\t2\t96 %\r\n"
                            "2\t130\t10\t88 %\r\n")
                 .toUtf8());

    // All kinds into an existing file: "No" to replacing it writes nothing.
    const QString path = m_folder->path() + QStringLiteral("LOG.TXT");
    QVERIFY(test::writeFile(path, "old"));
    chosen = path;
    press(w, "CMD_OutPutAll", {"No"});
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("文件已存在"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("该文件已存在，要替换吗?"));
    QCOMPARE(readAll(path), QByteArray("old"));

    // Cancelled dialog: silent.
    chosen.clear();
    const qsizetype before = MsgScript::shown().size();
    press(w, "CMD_OutPutAll");
    QCOMPARE(MsgScript::shown().size(), before);

    // A folder nobody can write to: a clear message.
    chosen = QStringLiteral("/proc/no-such-place/records");
    press(w, "CMD_OutPutAll", {"OK"});
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("导出失败"));
    QCOMPARE(MsgScript::shown().last().icon, 0);
    QVERIFY(MsgScript::shown().last().text.contains(QStringLiteral("/proc/no-such-place/records.txt")));

    // "Yes" replaces it whole.
    chosen = path;
    press(w, "CMD_OutPutAll", {"Yes", "OK"});
    QCOMPARE(MsgScript::shown().last().text,
             QStringLiteral("全部导出完成！您可以用 EXCEL 软件打开该 TXT 文件按需排版后进行打印。"));
    QCOMPARE(readAll(path), Encode_System(Export_All_Text(*m_db)));

    press(w, "CMD_Del_All", {"Yes", "OK"});
    QCOMPARE(MsgScript::shown()[MsgScript::shown().size() - 2].text, QStringLiteral("真的要清空所有类别的所有记录吗?"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("已完成所有清空操作。"));
    QCOMPARE(m_db->scalar("select count(*) from testlog")->toInt(), 0);
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
