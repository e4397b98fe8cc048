#include "RunsFixture.h"
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Resources.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Text.h"
#include "controls/ui/WB_Cut.h"
#include "practice/DrillTime.h"
#include "practice/SplitDrill.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/SplitPage.h"
#include "store/Schema.h"
#include "wubi/SplitPictures.h"
#include "wubi/SplitTable.h"
#include "wubi/WubiDict.h"

#include <QAction>
#include <QtTest>

#include <map>
#include <set>

using namespace tesmara;
using namespace tesmara::wubi;
namespace sp = tesmara::splitpic;

namespace {

// One cell of a picture: its row as painted (133 the bottom) and column, and
// the colour byte expected there (-1: nothing painted).
struct Probe {
    int row;
    int column;
    int colour;
};

int cellAt(const std::vector<int>& cells, int row, int column)
{
    return cells[size_t((sp::kBottomRow - row) * sp::kColumns + column)];
}

// The colour of the painted pixel of a cell.
QColor pixelOf(const QImage& image, int row, int column, int cell)
{
    return image.pixelColor(column * cell, (row - 1) * cell);
}

} // namespace

Q_DECLARE_METATYPE(QList<Probe>)

class TestSplit : public QObject {
    Q_OBJECT
private slots:
    void badRowsAreRefused_data();
    void badRowsAreRefused();
    void everySplitGivesItsCodeAndPicture();
    void runs_data();
    void runs();
    void answers_data();
    void answers();
    void splitDrillInTheWindow();
};

void TestSplit::badRowsAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("missing column") << "的\t白 勹 丶\trqy\trqyy\n";
    QTest::addRow("a key per root") << "的\t白 勹 丶\trq\ty\trqyy\n";
    QTest::addRow("two characters") << "的的\t白 勹 丶\trqy\ty\trqyy\n";
    QTest::addRow("capital letters") << "的\t白 勹 丶\tRQY\ty\trqyy\n";
    QTest::addRow("a character twice") << "多\t夕 夕\tqq\tu\tqqu\n多\t夕 夕\tqq\tu\tqqu\n";
}

void TestSplit::badRowsAreRefused()
{
    QFETCH(QString, text);
    SplitTable table;
    QVERIFY(table.parse("# comment\n多\t夕 夕\tqq\tu\tqqu\n"));
    QString error;
    QVERIFY(!table.parse(text, &error));
    QVERIFY(error.startsWith("line "));
    QCOMPARE(table.characters(), QString("多")); // a refused text changes nothing
}

// Every split gives its character's code by the coding rule (two or three
// roots and the letters after them, four roots, or the first three and the
// last of five or more). Every picture decodes to whole rows; the character
// is in its ink, each root in the ink of its place in writing order, left to
// right, and grey only where the code has letters the roots do not give.
void TestSplit::everySplitGivesItsCodeAndPicture()
{
    const SplitTable& table = SplitTable::builtIn();
    QCOMPARE(int(table.splits().size()), 1081);
    QCOMPARE(table.indexOf(table.splits().back().character), 1080);
    QVERIFY(!table.find("A"));
    QCOMPARE(stringResource(390), table.characters());
    const QList<quint32> colours = sp::parseColourTable(stringResource(391));
    QCOMPARE(colours.size(), 1 + sp::kInks * sp::kLevels);
    const QList<sp::Range> ranges = sp::parseRanges(stringResource(392));
    QCOMPARE(ranges.size(), 1081);
    const QByteArray data = binaryResource(103);
    const QByteArray wb86 = binaryResource(101);
    qint32 next = 0;
    for (int i = 0; i < 1081; ++i) {
        const Split& s = table.splits()[size_t(i)];
        const QString code = Wb_Code(s.character, wb86).split("\r\n").last();
        if (codeOfSplit(s) != code || s.code != code)
            QFAIL(qPrintable(s.character + ": " + codeOfSplit(s) + " / " + s.code + " / " + code));
        QCOMPARE(ranges[i].start, next);
        next = ranges[i].end + 1;
        const std::vector<int> cells = sp::decode(data, ranges[i]);
        QCOMPARE(int(cells.size()), sp::kRows * sp::kColumns);
        std::set<int> full;
        std::map<int, int> leftmost; // full ink -> its leftmost column
        for (size_t at = 0; at < cells.size(); ++at) {
            const int c = cells[at];
            if (c < 0 || c >= colours.size()) {
                QFAIL(qPrintable(s.character + ": cell " + QString::number(at) + " is " + QString::number(c)));
            }
            if (c > 0 && sp::levelOf(c) == sp::kLevels) {
                full.insert(sp::inkOf(c));
                const int column = int(at % sp::kColumns);
                const auto [it, added] = leftmost.emplace(sp::inkOf(c), column);
                if (!added) {
                    it->second = std::min(it->second, column);
                }
            }
        }
        std::set<int> expected{sp::kCharacterInk};
        const int roots = int(s.roots.size());
        for (int r = 0; r < std::min(roots, sp::kMaxRoots); ++r) {
            expected.insert(1 + r);
        }
        if (!s.rest.isEmpty() || roots > 4) {
            expected.insert(sp::kMutedInk);
        }
        if (full != expected) {
            QFAIL(qPrintable(s.character + QStringLiteral(": %1 inks for %2 roots").arg(full.size()).arg(roots)));
        }
        for (int r = 1; r < std::min(roots, sp::kMaxRoots); ++r) {
            QVERIFY2(leftmost[r] < leftmost[r + 1], qPrintable(s.character));
        }
    }
    QCOMPARE(next, data.size());
    QVERIFY(data.size() < 4 * 1024 * 1024);
}

void TestSplit::runs_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("painted");
    QTest::addColumn<QList<Probe>>("probes");
    const auto bytes = [](std::initializer_list<int> values) {
        QByteArray b;
        for (int v : values) {
            b += char(v);
        }
        return b;
    };
    QTest::addRow("counted run, then single cells")
        << bytes({1, 80 + 3, 2, 3}) << "0,3" << true
        << QList<Probe>{{133, 0, 1}, {133, 2, 1}, {133, 3, 2}, {133, 4, 3}, {133, 5, -1}, {132, 0, -1}};
    QTest::addRow("count byte 81 is one cell")
        << bytes({2, 81, 1}) << "0,2" << true << QList<Probe>{{133, 0, 2}, {133, 1, 1}};
    QTest::addRow("a run ending at column 131 moves up a row")
        << bytes({1, 80 + 131, 2, 3}) << "0,3" << true
        << QList<Probe>{{133, 130, 1}, {133, 131, 2}, {132, 0, 3}, {132, 1, -1}};
    QTest::addRow("colour 0 is the back colour")
        << bytes({0, 80 + 2, 1}) << "0,2" << true << QList<Probe>{{133, 0, 0}, {133, 1, 0}, {133, 2, 1}};
    QTest::addRow("the range of the second picture")
        << bytes({1, 2, 80 + 4}) << "1,2" << true << QList<Probe>{{133, 0, 2}, {133, 3, 2}, {133, 4, -1}};
    QTest::addRow("range beyond the data") << bytes({1, 2}) << "0,5" << false << QList<Probe>{};
    QTest::addRow("range before the data") << bytes({1, 2}) << "-1,1" << false << QList<Probe>{};
    QTest::addRow("colour missing from the table")
        << bytes({1, 9}) << "0,1" << false << QList<Probe>{{133, 0, 1}, {133, 1, 9}};
}

// The decoder reads the cells of the format; the control paints the same
// cells, at both sizes, and nothing for a damaged picture.
void TestSplit::runs()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, range);
    QFETCH(bool, painted);
    QFETCH(QList<Probe>, probes);
    const std::vector<int> cells = sp::decode(data, sp::parseRanges(range).value(0));
    QCOMPARE(cells.empty(), probes.isEmpty());
    for (const Probe& p : probes) {
        QCOMPARE(cellAt(cells, p.row, p.column), p.colour);
    }

    // Colours 0 to 3 as the table stores them, red in the low byte.
    const QList<QColor> table = {Qt::black, Qt::red, Qt::green, Qt::blue};
    const QString colours = QStringLiteral("0,255,65280,16711680");
    WB_Cut control;
    const QColor back(250, 240, 200);
    control.setBackColor(back);
    control.Load(data, "字", colours, range);
    for (bool big : {false, true}) {
        control.setShowBigPic(big);
        control.resize(control.pictureSize());
        control.Show("字");
        QCOMPARE(control.shownPicture() == 0, painted);
        const QImage image = control.grab().toImage();
        for (const Probe& p : probes) {
            // A single cell is two pixels wide, over the next cell when small.
            if (p.colour < 0 && !big) {
                continue;
            }
            const QColor want = !painted || p.colour <= 0 ? back : table[p.colour];
            QCOMPARE(pixelOf(image, p.row, p.column, big ? 2 : 1), want);
        }
    }
    control.Show("A"); // not one of the loaded characters
    QCOMPARE(control.shownPicture(), -1);
}

void TestSplit::answers_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("right");
    QTest::addRow("full code") << "rqyy" << true;
    QTest::addRow("short code") << "r" << true;
    QTest::addRow("other code") << "rqy y" << false;
    QTest::addRow("the character") << "的" << false;
}

void TestSplit::answers()
{
    QFETCH(QString, entry);
    QTEST(Answer_Matches(entry, {"r", "rqy", "rqyy"}), "right");
}

// The drill as a learner uses it: the item, answers typed and confirmed with
// Enter or the button, the picture, the 98 option, the clock, leaving, and
// coming back to it at the next start.
void TestSplit::splitDrillInTheWindow()
{
    test::UserFolder user;
    QVERIFY(App().Conn_Main.open(user.path() + QStringLiteral("d.at"), Database::Mode::ReadWrite));
    createAppTables(App().Conn_Main);
    App().Wb86_Codes = binaryResource(101);
    App().Wb98_Codes = binaryResource(102);

    const SplitTable& table = SplitTable::builtIn();
    // 的 first, then a character whose 98 codes differ, then 的 again.
    int differs = 0;
    while (Has_98_Picture(table.splits()[size_t(differs)].character)) {
        ++differs;
    }
    const auto at = [](int i) { return (i + 0.5) / 1081; };
    test::Script random({at(1), at(differs), at(1)});
    ManualClock clock;
    auto window = test::shownMainWindow(&clock, &random);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QAction* item = window->menus().chaiZi;
    item->trigger();
    SplitPage& page = window->splitPage();
    QVERIFY(item->isChecked() && page.isVisible());
    QCOMPARE(page.Label_Text->Caption(), QStringLiteral("的"));
    QCOMPARE(page.WB_Cut1->shownPicture(), -1); // only the character shows
    QWidget* entry = page.Text_Wb_Cut_Wb->inner();
    QTRY_COMPARE(QApplication::focusWidget(), entry);

    // Right, typed with blanks and capitals and confirmed with Enter: the
    // answer and the picture of 的 stay while the next character is asked.
    MsgScript::pushAnswer("OK");
    QTest::keyClicks(entry, " RQYY ");
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("正确"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("恭喜您，答对了！"));
    QCOMPARE(page.Label_P->Caption(), QStringLiteral("的 的答案：  r  rqy  rqyy"));
    QCOMPARE(page.WB_Cut1->shownPicture(), 1);
    const QString second = table.splits()[size_t(differs)].character;
    QCOMPARE(page.Label_Text->Caption(), second);
    QCOMPARE(page.Text_Wb_Cut_Wb->text(), QString());

    // Wrong, then blank, with the button.
    MsgScript::pushAnswer("OK");
    QTest::keyClicks(entry, "zz");
    page.CMD_Ok->click();
    MsgScript::pushAnswer("OK");
    page.CMD_Ok->click();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("真可惜，答错了！"));
    QCOMPARE(page.Label_Wb_Cut_Show->Caption(), QStringLiteral("正确 1 个  错误 2 个"));
    QCOMPARE(MsgScript::pending(), 0);

    // The answer shown at once; with 98 codes a character whose 98 codes
    // differ has no picture and says so.
    random.set({at(differs)});
    page.Check_Box_WB_Cut->click();
    page.Wb_Cut_Make_Text();
    QCOMPARE(page.WB_Cut1->shownPicture(), differs);
    page.Option_Wb_Cut[1]->click();
    QVERIFY(page.Option_Wb_Cut[1]->Value() && !page.Option_Wb_Cut[0]->Value());
    QCOMPARE(page.WB_Cut1->shownPicture(), -1);
    QCOMPARE(page.WB_Cut1->Caption(), QStringLiteral("不支持该字的 98 版编码图显示"));
    QCOMPARE(page.Label_P->Caption(), Answer_Text(second, Split_Codes(second, true)));
    page.Option_Wb_Cut[0]->click();
    QCOMPARE(page.WB_Cut1->shownPicture(), differs);
    QCOMPARE(page.WB_Cut1->Caption(), QString()); // the picture clears the notice
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        window->grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-split.png"));
    }
    page.Check_Box_WB_Cut->click();
    QCOMPARE(page.WB_Cut1->shownPicture(), -1);
    QCOMPARE(page.Label_P->Caption(), QStringLiteral("答案："));

    for (int s = 0; s < 75; ++s) {
        clock.advanceMs(1000);
        page.Timer_OverTime->poll();
    }
    QCOMPARE(page.Label_Wb_Cut_Time->Caption(), Drill_Time_Text(75));

    // Another practice stops the clock and lets go of the pictures.
    window->menus().chinese[1]->trigger();
    QVERIFY(page.isHidden() && !item->isChecked());
    QVERIFY(!page.Timer_OverTime->Enabled());
    QCOMPARE(page.WB_Cut1->GetText(), QString());

    // Closed on the drill, the window opens on it again.
    item->trigger();
    window->close();
    QCOMPARE(test::storedSetting(App().Conn_User, QStringLiteral("Last_Test")), QStringLiteral("311"));
    window = test::shownMainWindow(&clock, &random);
    QVERIFY(window->menus().chaiZi->isChecked() && window->splitPage().Timer_OverTime->Enabled());
    QCOMPARE(window->splitPage().Label_Wb_Cut_Show->Caption(), QStringLiteral("正确 0 个  错误 0 个"));
    MsgScript::setStrict(false);
}

QTEST_MAIN(TestSplit)
#include "tst_split.moc"
