#include "app/AppState.h"
#include "app/Msg.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TS.h"
#include "records/RecordExport.h"
#include "records/SpeedChart.h"
#include "records/ui/Form_Show_TestLog.h"
#include "records/ui/SpeedChartView.h"
#include "records/ui/SpeedLog_Point.h"
#include "store/Database.h"
#include "store/Schema.h"

#include "TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QtTest>

using namespace tesmara;

namespace {

void addMany(int type, int count)
{
    App().Conn_User.transaction([&] {
        for (int i = 0; i < count; ++i) {
            test::addRecord(App().Conn_User, type, 20 + i, 1, QStringLiteral("99 %"));
        }
        return true;
    });
}

template <class T> T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    if (!c) {
        qWarning("no child %s", name);
    }
    return c;
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

class TestRecordViewer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tabsPagesAndChart();
    void pointOpensOnHoverAndClosesAfterLeaving();
    void clearingAsksFirst();
    void exportOneKindOrAll();

private:
    test::ProgramFolder* m_folder = nullptr;
};

void TestRecordViewer::init()
{
    m_folder = new test::ProgramFolder;
    QVERIFY(App().Conn_User.open(m_folder->path() + QStringLiteral("u.at"), Database::Mode::ReadWrite));
    createUserTables(App().Conn_User);
    setSystemCodecOverride(QStringLiteral("UTF-8"));
}

void TestRecordViewer::cleanup()
{
    Form_Show_TestLog::setExportFileChooser({});
    SpeedLog_Point::setPointerSource({});
    setSystemCodecOverride(QString());
    QCOMPARE(MsgScript::pending(), 0);
    delete m_folder;
    m_folder = nullptr;
}

void TestRecordViewer::tabsPagesAndChart()
{
    addMany(33, 51);
    addMany(0, 50);
    // A record edited by hand: removed with a notice when its tab is shown.
    const qint64 bad = test::addRecord(App().Conn_User, 33, 90, 2, QStringLiteral("95 %"));
    App().Conn_User.exec(QStringLiteral("update testlog set t = 1 where ID = ?"), {bad});
    Form_Show_TestLog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* combo = child<QComboBox>(&w, "Combo_Page");
    auto* chart = w.findChild<SpeedChartView*>();
    // It opens on the first of the fourteen kinds.
    QCOMPARE(child<TS>(&w, "TS1")->tabCount(), 14);
    QCOMPARE(child<TS>(&w, "TS1")->TSWhoUp(), 0);
    QCOMPARE(comboItems(combo), QStringList{"第 1 - 50 条记录"});
    QCOMPARE(chart->visiblePoints().size(), 50);

    QCOMPARE(MsgScript::shown().size(), 0);
    MsgScript::pushAnswer(QStringLiteral("OK"));
    test::clickTab(child<TS>(&w, "TS1"), 6); // the roots drill, type 33
    QCOMPARE(child<TS>(&w, "TS1")->TSWhoUp(), 6);
    QCOMPARE(MsgScript::shown().size(), 1);
    QCOMPARE(MsgScript::shown()[0].text, QStringLiteral("在您的练习记录中发现错误，有错误的记录将被删除。"));
    QVERIFY(!App().Conn_User.hasRow(QStringLiteral("select * from testlog where ID = ?"), {bad}));
    QCOMPARE(comboItems(combo), (QStringList{"第 1 - 50 条记录", "第 51 - 51 条记录"}));
    QCOMPARE(child<MSG_Label>(&w, "Label_Sum")->Caption(), QStringLiteral(" 本类别共有 51 个记录 "));
    const QList<SpeedLog_Point*> points = chart->visiblePoints();
    QCOMPARE(points.size(), 50);
    QCOMPARE(chart->maxSpeed(), 70);
    // Record 1 (speed 20) and record 11 (speed 30) on page one.
    QCOMPARE(points[0]->pos(), QPoint(167, (Point_Top(20, 70) + 7) / 15));
    QCOMPARE(points[10]->x(), (Point_Left(10) + 7) / 15);
    QCOMPARE(points[0]->Caption(), QStringLiteral("速度:20 字/分钟\r\n时间：1 分钟\r\n正确率：99 %"));
    QCOMPARE(points[0]->size(), QSize(7, 7));

    // Page two holds the 51st record, the fastest: level with the scale top.
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    QCOMPARE(chart->visiblePoints().size(), 1);
    QCOMPARE(chart->visiblePoints()[0]->pos(), QPoint(167, 10));
    QVERIFY(chart->visiblePoints()[0]->Caption().startsWith(QStringLiteral("速度:70 字/分钟")));
}

void TestRecordViewer::pointOpensOnHoverAndClosesAfterLeaving()
{
    test::addRecord(App().Conn_User, 0, 100, 5, QStringLiteral("97.5 %"));
    Form_Show_TestLog w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    SpeedLog_Point* point = w.findChild<SpeedChartView*>()->visiblePoints().value(0);
    QVERIFY(point);
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

void TestRecordViewer::clearingAsksFirst()
{
    addMany(0, 2);
    addMany(40, 2);
    Form_Show_TestLog w;
    MsgScript::pushAnswer(QStringLiteral("No"));
    child<Cmd>(&w, "CMD_Del_Now")->click();
    QCOMPARE(App().Conn_User.scalar("select count(*) from testlog")->toInt(), 4);

    test::answer({"Yes", "OK"});
    child<Cmd>(&w, "CMD_Del_Now")->click();
    QCOMPARE(MsgScript::shown()[1].title, QStringLiteral("请确认"));
    QCOMPARE(MsgScript::shown()[1].text, QStringLiteral("真的要清空当前类别的所有记录吗?"));
    QCOMPARE(MsgScript::shown()[2].text, QStringLiteral("已完成清空操作。"));
    QCOMPARE(App().Conn_User.scalar("select count(*) from testlog where type = '0'")->toInt(), 0);
    QCOMPARE(App().Conn_User.scalar("select count(*) from testlog where type = '40'")->toInt(), 2);
    QCOMPARE(child<MSG_Label>(&w, "Label_Sum")->Caption(), QStringLiteral(" 本类别共有 0 个记录 "));

    test::answer({"Yes", "OK"});
    child<Cmd>(&w, "CMD_Del_All")->click();
    QCOMPARE(MsgScript::shown()[3].text, QStringLiteral("真的要清空所有类别的所有记录吗?"));
    QCOMPARE(MsgScript::shown()[4].text, QStringLiteral("已完成所有清空操作。"));
    QCOMPARE(App().Conn_User.scalar("select count(*) from testlog")->toInt(), 0);
}

void TestRecordViewer::exportOneKindOrAll()
{
    Form_Show_TestLog w;
    int asked = 0;
    const QString base = m_folder->path() + QStringLiteral("speed");
    QString chosen = base;
    Form_Show_TestLog::setExportFileChooser([&](QWidget*) {
        ++asked;
        return chosen;
    });
    // Nothing to export: a notice, no dialog, no file.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    child<Cmd>(&w, "CMD_OutPutOne")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("本类没有任何记录，无法导出。"));
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("无法导出"));
    QCOMPARE(asked, 0);
    QVERIFY(!QFile::exists(base + ".txt"));

    test::addRecord(App().Conn_User, 0, 88, 2, QStringLiteral("96 %"));
    test::addRecord(App().Conn_User, 33, 45, 1, QStringLiteral("97.5 %")); // another kind
    test::addRecord(App().Conn_User, 0, 130, 10, QStringLiteral("88 %"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    child<Cmd>(&w, "CMD_OutPutOne")->click();
    QCOMPARE(asked, 1);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("完成"));
    auto contents = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QCOMPARE(contents(base + ".txt"),
             QStringLiteral("中文练习\r\n共有 2 条练习记录\r\n序号\t速度\t时间(分钟)\t正确率\r\n1\t88\t2\t96 %\r\n"
                            "2\t130\t10\t88 %\r\n")
                 .toUtf8());

    // All kinds into an existing file: "No" to replacing it writes nothing.
    const QString path = m_folder->path() + QStringLiteral("LOG.TXT");
    QVERIFY(test::writeFile(path, "old"));
    chosen = path;
    MsgScript::pushAnswer(QStringLiteral("No"));
    child<Cmd>(&w, "CMD_OutPutAll")->click();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("文件已存在"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("该文件已存在，要替换吗?"));
    QCOMPARE(contents(path), QByteArray("old"));

    // Cancelled dialog: silent.
    chosen.clear();
    const qsizetype before = MsgScript::shown().size();
    child<Cmd>(&w, "CMD_OutPutAll")->click();
    QCOMPARE(MsgScript::shown().size(), before);

    // A folder nobody can write to: a clear message.
    chosen = QStringLiteral("/proc/no-such-place/records");
    MsgScript::pushAnswer(QStringLiteral("OK"));
    child<Cmd>(&w, "CMD_OutPutAll")->click();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("导出失败"));
    QCOMPARE(MsgScript::shown().last().icon, 0);
    QVERIFY(MsgScript::shown().last().text.contains(QStringLiteral("/proc/no-such-place/records.txt")));

    // "Yes" replaces it whole.
    chosen = path;
    test::answer({"Yes", "OK"});
    child<Cmd>(&w, "CMD_OutPutAll")->click();
    QCOMPARE(MsgScript::shown().last().text,
             QStringLiteral("全部导出完成！您可以用 EXCEL 软件打开该 TXT 文件按需排版后进行打印。"));
    QCOMPARE(contents(path), Encode_System(Export_All_Text(App().Conn_User)));
}

QTEST_MAIN(TestRecordViewer)
#include "tst_recordviewer.moc"
