#include "RunsFixture.h"
#include "ScriptedRandom.h"
#include "app/AppState.h"
#include "app/Clock.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "controls/RunTimer.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/TS.h"
#include "controls/ui/Text.h"
#include "controls/ui/TextData.h"
#include "mistakes/MistakeStore.h"
#include "mistakes/ui/Form_Show_Mistakes.h"
#include "mistakes/ui/HeatMapView.h"
#include "practice/Fingering.h"
#include "practice/PracticeRun.h"
#include "practice/TextSource.h"
#include "practice/ui/ChartPanel.h"
#include "practice/ui/Form_Test_Common.h"
#include "practice/ui/KeyboardPage.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/Sounds.h"
#include "practice/ui/TipsPanel.h"
#include "practice/ui/TypingBoard.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/UserAccounts.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

using namespace tesmara;

namespace {

// A user's database with the program database beside it, as after login.
class Session : public test::UserFolder {
public:
    Session()
    {
        QString error;
        m_main = App().Conn_Main.open(path() + QStringLiteral("d.at"), Database::Mode::ReadWrite, &error);
        if (m_main) {
            createAppTables(App().Conn_Main);
        }
    }
    bool ok() const { return UserFolder::ok() && m_main; }

    QString setting(const QString& key, Database& db = App().Conn_User)
    {
        const auto v = Settings(db).raw(key);
        return v && *v ? **v : QStringLiteral("<none>");
    }
    void store(const QString& key, const QString& value) { Settings(db()).setValue(key, value); }

private:
    bool m_main = false;
};

struct Started {
    Started() : window(services())
    {
        window.show();
        QApplication::setActiveWindow(&window);
    }
    Form_Test_Common::Services services()
    {
        Form_Test_Common::Services s;
        s.clock = &clock;
        return s;
    }
    // One second of the run clock.
    void second()
    {
        clock.advanceMs(1000);
        window.run().timer().poll();
    }
    // The clock runs to the end of the run: the result is seen and the
    // review article declined.
    void finishRun()
    {
        while (window.run().timer().Sum_RunTime() < window.run().timer().Run_EndTime() - 1) {
            second();
        }
        MsgScript::pushAnswer(QStringLiteral("OK"));
        MsgScript::pushAnswer(QStringLiteral("NoF"));
        second();
    }
    QWidget* focusedLine() { return QApplication::focusWidget(); }
    Text_Data* activeInput() { return window.board().input(window.board().engine().activeRow()); }
    QChar expected()
    {
        const int row = window.board().engine().activeRow();
        return window.board().top(row)->Text().at(window.board().input(row)->CountLen());
    }
    void commit(const QString& text)
    {
        QInputMethodEvent event(QString(), {});
        event.setCommitString(text);
        QCoreApplication::sendEvent(activeInput(), &event);
    }
    QString caption(const char* name) { return window.findChild<MSG_Label*>(QLatin1String(name))->Caption(); }

    ManualClock clock;
    Form_Test_Common window;
};

// Runs `steps` on the next modal window once it is shown.
void whenModalShown(std::function<void(QWidget*)> steps)
{
    QTimer::singleShot(0, [steps] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModalShown(steps);
            return;
        }
        steps(modal);
    });
}

void keyToWindow(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(target ? target : QApplication::activeWindow(), key, mods);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstOpenFillsTheSettings();
    void storedValuesAreRepaired_data();
    void storedValuesAreRepaired();
    void fullMinuteRunTypedThroughTheWindow();
    void pauseSwitchAndStopEarly();
    void closeStoresAndReopensTheSamePractice();
    void windowKeysAndTheRunLength();
    void savedArticlesInTheMenus();
    void wubiDrillsTipsAndHints();
    void menusOpenTheirWindows();
    void wubiChartsInTheirPanel();
    void missingChartIsReported();
    void fingeringPracticeOnTheKeyboardPage();
    void numberPadPracticeReopensWithoutPictures();
    void mistakesOfARunInTheirWindow();
};

void TestMainWindow::firstOpenFillsTheSettings()
{
    Session s;
    QVERIFY(s.ok());
    QCOMPARE(s.count(QStringLiteral("set_")), 0);
    Started w;
    const QList<std::pair<QString, QString>> defaults = {
        {"Last_Test_Time", "10"}, {"English_Test_Width", "1"}, {"Text_Wrong_Show", "1"}, {"Sound_Wrong", "1"},
        {"Sound_Key", "0"},       {"Wrong_Color", "1"},        {"Last_Tips", "0"},       {"Last_Test", "000"},
    };
    for (const auto& [key, value] : defaults) {
        QCOMPARE(s.setting(key), value);
    }
    QCOMPARE(s.setting(QStringLiteral("Auto_Update"), App().Conn_Main), QStringLiteral("1"));

    // Chinese essay 1 is open, ticked, titled, its position row added.
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 中文练习 → 文章 1"));
    QVERIFY(w.window.menus().chinese[0]->isChecked());
    QCOMPARE(w.window.currentKind(), PracticeKind::Chinese);
    QCOMPARE(s.db().scalar(QStringLiteral("select No_ from test_no where N = '0000'"))->toInt(), 1);
    QCOMPARE(w.window.board().top(0)->Text(), w.window.source().Test_Text.left(30));
    // Its 30 cells fill the line to within one cell.
    const TextLine& line = w.window.board().top(0)->line();
    QVERIFY(line.widthTwips() - (line.position(29) + line.cellWidth()) < line.cellWidth());
    QVERIFY(!w.window.board().top(2)->Text().isEmpty());
    QVERIFY(w.window.board().top(3)->Text().isEmpty());
    QCOMPARE(w.window.menus().ver->text(), QStringLiteral("版本：7.05"));
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("开始(F5)"));
    QVERIFY(!w.window.runPanel().CMD_Stop->isEnabled());
    // No saved articles yet: each article menu holds only its placeholder.
    QCOMPARE(w.window.menus().saveUserItems.size(), 1);
    QCOMPARE(w.window.menus().saveUserItems[0]->text(), QStringLiteral("暂无保存此类文章"));
    QVERIFY(!w.window.menus().saveWrongItems[0]->isEnabled());
}

void TestMainWindow::storedValuesAreRepaired_data()
{
    QTest::addColumn<QString>("testTime");
    QTest::addColumn<QString>("lastTest");
    QTest::addColumn<QString>("shownTime");
    QTest::addColumn<QString>("storedTime");
    QTest::addColumn<QString>("storedLast");
    QTest::addColumn<QString>("title");
    QTest::newRow("0 minutes") << "0"
                               << "003"
                               << "10"
                               << "10"
                               << "003"
                               << "Tesmara → 中文练习 → 文章 4";
    QTest::newRow("61 minutes") << "61"
                                << "011"
                                << "10"
                                << "10"
                                << "011"
                                << "Tesmara → 中文练习 → 百家姓";
    QTest::newRow("60 stays") << "60"
                              << "109"
                              << "60"
                              << "60"
                              << "109"
                              << "Tesmara → 英文练习 → 文章 10";
    QTest::newRow("random letters reset") << "5"
                                          << "110"
                                          << "5"
                                          << "5"
                                          << "100"
                                          << "Tesmara → 英文练习 → 文章 1";
    QTest::newRow("numbers") << "5"
                             << "201"
                             << "5"
                             << "5"
                             << "201"
                             << "Tesmara → 数字练习 → 带四则运算符和小数点";
    QTest::newRow("essay out of range") << "5"
                                        << "012"
                                        << "5"
                                        << "5"
                                        << "000"
                                        << "Tesmara → 中文练习 → 文章 1";
    QTest::newRow("deleted article") << "5"
                                     << "5旧文_u"
                                     << "5"
                                     << "5"
                                     << "5旧文_u"
                                     << "Tesmara → 中文练习 → 文章 1";
    QTest::newRow("unknown group") << "5"
                                   << "x12"
                                   << "5"
                                   << "5"
                                   << "x12"
                                   << "Tesmara → 中文练习 → 文章 1";
}

void TestMainWindow::storedValuesAreRepaired()
{
    QFETCH(QString, testTime);
    QFETCH(QString, lastTest);
    Session s;
    QVERIFY(s.ok());
    s.store(QStringLiteral("Last_Test_Time"), testTime);
    s.store(QStringLiteral("Last_Test"), lastTest);
    Started w;
    QTEST(w.window.runPanel().Test_Time->text(), "shownTime");
    QTEST(s.setting(QStringLiteral("Last_Test_Time")), "storedTime");
    QTEST(s.setting(QStringLiteral("Last_Test")), "storedLast");
    QTEST(w.window.windowTitle(), "title");
}

// The whole way a user goes: run length typed, F5, the start notice, typing
// through key presses and input-method commits, the clock running out, the
// result, the record and the reading position.
void TestMainWindow::fullMinuteRunTypedThroughTheWindow()
{
    Session s;
    QVERIFY(s.ok());
    s.db().exec(QStringLiteral("insert into test_no (N, No_) values ('0000', 5)"));
    Started w;
    Text* testTime = w.window.runPanel().Test_Time;
    testTime->setFocus();
    testTime->SelAll();
    QTest::keyClicks(testTime->inner(), QStringLiteral("1"));
    QCOMPARE(testTime->text(), QStringLiteral("1"));
    const QString essay = w.window.source().Test_Text;
    QCOMPARE(w.window.board().top(0)->Text(), essay.mid(4, 30));

    MsgScript::pushAnswer(QStringLiteral("OK"));
    keyToWindow(testTime->inner(), Qt::Key_F5);
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("单击“确定”按钮后正式开始练习！"));
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("暂停(F5)"));
    QVERIFY(w.window.runPanel().CMD_Stop->isEnabled());
    QVERIFY(!testTime->isEnabled());
    QCOMPARE(w.focusedLine(), w.window.board().input(0));

    // 45 characters right through input-method commits, 5 wrong keys, over
    // 60 s.
    for (int typed = 1; typed <= 50; ++typed) {
        if (typed % 10 == 0) {
            QTest::keyClick(w.focusedLine(), Qt::Key_Z); // never in a Chinese essay
        } else {
            w.commit(QString(w.expected()));
        }
        if (typed % 5 == 0) {
            w.second();
        }
    }
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        w.window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-run.png"));
    }
    QCOMPARE(w.window.board().engine().Right_Count, 45);
    QCOMPARE(w.window.board().engine().Wrong_Count, 5);
    QCOMPARE(w.caption("Label_Right"), QStringLiteral("45 字"));
    QCOMPARE(w.caption("Time_Use"), QStringLiteral("0 分钟 10 秒"));
    QCOMPARE(w.caption("Time_Free"), QStringLiteral("0 分钟 50 秒"));

    while (w.window.run().timer().Sum_RunTime() < 59) {
        w.second();
    }
    // While the result notice is open, the result is on the clipboard (as its
    // title says) and the record is stored: a kill then loses nothing.
    QString result;
    qint64 recordsAtNotice = -1;
    MsgScript::setStrict(false);
    setMsgPresenter([&](const MsgRequest&) {
        result = QGuiApplication::clipboard()->text();
        recordsAtNotice = s.db().scalar(QStringLiteral("select count(*) from testlog"))->toLongLong();
        MsgScript::pushAnswer(QStringLiteral("NoF")); // no review article
        return QStringLiteral("OK");
    });
    w.second();
    setMsgPresenter({});
    MsgScript::setStrict(true);
    QCOMPARE(recordsAtNotice, 1);
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(w.window.run().state(), PracticeRun::State::Finished);
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("再来一次(F5)"));
    QVERIFY(!w.window.runPanel().CMD_Stop->isEnabled());
    QVERIFY(testTime->isEnabled());
    // 45 right of 50: accuracy 90 %, speed 45 × 0.9 = 40 a minute.
    QCOMPARE(w.caption("Right_Percent"), QStringLiteral("90 %"));
    QCOMPARE(w.caption("Label_Speed"), QStringLiteral("40 字/分钟"));
    QCOMPARE(QGuiApplication::clipboard()->text(), result);
    QVERIFY(result.startsWith(QStringLiteral("测试时间：")));
    QVERIFY(result.contains(QStringLiteral("一共打了： 50 个字")));
    QVERIFY(result.contains(QStringLiteral("正确率：90 %")));

    QSqlQuery q = s.db().exec(QStringLiteral("select ID, type, s, t, c, r from testlog"));
    QVERIFY(q.next());
    QCOMPARE(q.value(1).toInt(), 0);
    QCOMPARE(q.value(2).toString(), QStringLiteral("40"));
    QCOMPARE(q.value(3).toString(), QStringLiteral("1"));
    QCOMPARE(q.value(5).toString(), QStringLiteral("90 %"));
    QCOMPARE(q.value(4).toString(),
             Code_Of(Code_Of(q.value(0).toString()) + Code_Of(QStringLiteral("0")) + Code_Of(QStringLiteral("40")) +
                     QStringLiteral("1") + QStringLiteral("90 %"))
                 .left(20));
    QVERIFY(!q.next());
    QCOMPARE(s.db().scalar(QStringLiteral("select No_ from test_no where N = '0000'"))->toInt(), 55);

    // Again: F5 starts over from the new position.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    keyToWindow(w.focusedLine(), Qt::Key_F5);
    QCOMPARE(w.window.board().top(0)->Text(), essay.mid(54, 30));
    QCOMPARE(w.window.board().engine().Right_Count, 0);
}

void TestMainWindow::pauseSwitchAndStopEarly()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    MsgScript::pushAnswer(QStringLiteral("OK"));
    w.window.CMD_Begin_Click();
    w.commit(QString(w.expected()));
    w.commit(QString(w.expected()));
    w.second();
    keyToWindow(w.focusedLine(), Qt::Key_F5); // pause
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("继续(F5)"));
    w.second();
    w.second();
    QCOMPARE(w.window.run().timer().Sum_RunTime(), 1);
    keyToWindow(&w.window, Qt::Key_F5); // continue
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("暂停(F5)"));
    w.second();
    QCOMPARE(w.window.run().timer().Sum_RunTime(), 2);

    // Switching asks; No leaves the run, its clock and its ticks alone.
    MsgScript::pushAnswer(QStringLiteral("No"));
    w.window.menus().english[2]->trigger();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("确认"));
    QVERIFY(w.window.menus().chinese[0]->isChecked());
    QVERIFY(!w.window.menus().english[2]->isChecked());
    QCOMPARE(w.window.run().state(), PracticeRun::State::Running);
    w.second();
    QCOMPARE(w.window.run().timer().Sum_RunTime(), 3);

    // Stopping early and keeping on: nothing changes; then Yes: no record,
    // but the position moves on by the two characters typed.
    MsgScript::pushAnswer(QStringLiteral("No"));
    keyToWindow(w.focusedLine(), Qt::Key_F9);
    QCOMPARE(w.window.run().state(), PracticeRun::State::Running);
    MsgScript::pushAnswer(QStringLiteral("Yes"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    keyToWindow(w.focusedLine(), Qt::Key_F9);
    QCOMPARE(w.window.run().state(), PracticeRun::State::Finished);
    QCOMPARE(s.count(QStringLiteral("testlog")), 0);
    QCOMPARE(s.db().scalar(QStringLiteral("select No_ from test_no where N = '0000'"))->toInt(), 3);

    // With a run going, Yes switches: the new practice is ready.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    w.window.CMD_Begin_Click();
    MsgScript::pushAnswer(QStringLiteral("Yes"));
    w.window.menus().english[10]->trigger();
    QVERIFY(w.window.menus().english[10]->isChecked());
    QVERIFY(!w.window.menus().chinese[0]->isChecked());
    QCOMPARE(w.window.run().state(), PracticeRun::State::Ready);
    QCOMPARE(w.window.runPanel().CMD_Begin->Caption(), QStringLiteral("开始(F5)"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 英文练习 → 随机生成字母"));
    // Random letters: 30 lower-case letters a row with the wide spacing.
    const QString row0 = w.window.board().top(0)->Text();
    QCOMPARE(row0.size(), 30);
    QVERIFY(std::all_of(row0.begin(), row0.end(), [](QChar c) { return c >= u'a' && c <= u'z'; }));
    w.window.menus().englishWidth->trigger();
    QCOMPARE(w.window.board().top(0)->Text().size(), 60);
    // Choosing the ticked item again does nothing.
    const QString before = w.window.board().top(0)->Text();
    w.window.menus().english[10]->trigger();
    QCOMPARE(w.window.board().top(0)->Text(), before);
    QVERIFY(w.window.menus().english[10]->isChecked());
}

void TestMainWindow::closeStoresAndReopensTheSamePractice()
{
    Session s;
    QVERIFY(s.ok());
    {
        Started w;
        w.window.menus().english[3]->trigger();
        w.window.menus().soundKey->trigger();
        w.window.menus().wrongColour->trigger();
        w.window.menus().englishWidth->trigger();
        w.window.tipsPanel().setEntry(2);
        w.window.runPanel().Test_Time->setText(QStringLiteral("15"));
        w.window.close();
    }
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("103"));
    QCOMPARE(s.setting(QStringLiteral("Last_Test_Time")), QStringLiteral("15"));
    QCOMPARE(s.setting(QStringLiteral("Sound_Key")), QStringLiteral("1"));
    QCOMPARE(s.setting(QStringLiteral("Wrong_Color")), QStringLiteral("0"));
    QCOMPARE(s.setting(QStringLiteral("English_Test_Width")), QStringLiteral("0"));
    QCOMPARE(s.setting(QStringLiteral("Last_Tips")), QStringLiteral("2"));
    QCOMPARE(s.setting(QStringLiteral("Last_Test_Mode")), QStringLiteral("0"));
    {
        Started w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 英文练习 → 文章 4"));
        QVERIFY(w.window.menus().english[3]->isChecked());
        QVERIFY(w.window.menus().soundKey->isChecked());
        QVERIFY(!w.window.menus().wrongColour->isChecked());
        QVERIFY(!w.window.board().engine().wrongColour());
        QVERIFY(!w.window.menus().englishWidth->isChecked());
        QCOMPARE(w.window.tipsPanel().Combo_Show_Tips->currentIndex(), 2);
        QCOMPARE(w.window.runPanel().Test_Time->text(), QStringLiteral("15"));
        // English lines end after a word.
        QVERIFY(w.window.board().top(0)->Text().endsWith(QLatin1Char(' ')));
        // The random letters are never stored: the essay before them stays.
        w.window.menus().english[10]->trigger();
        w.window.close();
    }
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("103"));
    {
        Started w;
        w.window.menus().numbers[0]->trigger();
        w.window.close();
    }
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("200"));
}

void TestMainWindow::windowKeysAndTheRunLength()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    RunPanel& panel = w.window.runPanel();
    QVERIFY(panel.Frame_See_Sum->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!panel.Check_Sum->Value());
    QVERIFY(!panel.Frame_See_Sum->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(!panel.Frame_See_Time->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(panel.Frame_See_Time->isVisible());
    panel.Check_Sum->click();
    QVERIFY(panel.Frame_See_Sum->isVisible());

    // Letters never reach the run length; a length out of 1..60 is refused.
    panel.Test_Time->setFocus();
    panel.Test_Time->SelAll();
    QTest::keyClicks(panel.Test_Time->inner(), QStringLiteral("a7b"));
    QCOMPARE(panel.Test_Time->text(), QStringLiteral("7"));
    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("61"), QString()}) {
        panel.Test_Time->setText(bad);
        MsgScript::pushAnswer(QStringLiteral("OK"));
        keyToWindow(&w.window, Qt::Key_F5);
        QCOMPARE(MsgScript::shown().last().title, QStringLiteral("时间设置问题"));
        QCOMPARE(w.window.run().state(), PracticeRun::State::Ready);
    }
    // F9 with no run does nothing.
    const auto shown = MsgScript::shown().size();
    keyToWindow(&w.window, Qt::Key_F9);
    QCOMPARE(MsgScript::shown().size(), shown);
}

void TestMainWindow::savedArticlesInTheMenus()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    ArticleEditor editor(s.db());
    editor.setName(QStringLiteral("它's 100%\\"));
    editor.setText(QString(80, QChar(0x7EC3)) + QStringLiteral(" abc def"));
    MsgScript::pushAnswer(QStringLiteral("No")); // not now
    QVERIFY(editor.CMD_Save_Click());
    w.window.Load_Menus_SaveText();
    const QList<QAction*>& items = w.window.menus().saveUserItems;
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0]->text(), QStringLiteral("它's 100%\\"));
    items[0]->trigger();
    QCOMPARE(w.window.currentKind(), PracticeKind::Article);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 自定义文章 → 它's 100%\\"));
    QVERIFY(!w.window.menus().chinese[0]->isChecked());
    QVERIFY(w.window.board().top(0)->Text().startsWith(QChar(0x7EC3)));
    QCOMPARE(w.window.lastTestValue(), QStringLiteral("5它's 100%\\_u"));

    // A second article whose check field was edited by hand is refused.
    editor.setName(QStringLiteral("坏"));
    editor.setText(QString(60, QChar(0x574F)));
    MsgScript::pushAnswer(QStringLiteral("No"));
    QVERIFY(editor.CMD_Save_Click());
    s.db().exec(QStringLiteral("update text_ set C = 'x' where N = '坏_u'"));
    w.window.Load_Menus_SaveText();
    QCOMPARE(items.size(), 2);
    QVERIFY(items[0]->isChecked()); // the tick survives the rebuild
    MsgScript::pushAnswer(QStringLiteral("OK"));
    items[1]->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QVERIFY(items[0]->isChecked());
    QVERIFY(!items[1]->isChecked());
    QCOMPARE(w.window.currentKind(), PracticeKind::Article);
    w.window.close();
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("5它's 100%\\_u"));

    // Reopened on the same article, its rows as full as the lines are wide.
    Started again;
    QCOMPARE(again.window.windowTitle(), QStringLiteral("Tesmara → 自定义文章 → 它's 100%\\"));
    QVERIFY(again.window.menus().saveUserItems[0]->isChecked());
    const Text_Data* first = again.window.board().top(0);
    QCOMPARE(first->CountLen(), first->line().mixedFit(QString(80, QChar(0x7EC3))));
}

void TestMainWindow::wubiDrillsTipsAndHints()
{
    Session s;
    QVERIFY(s.ok());
    s.store(QStringLiteral("Last_Test"), QStringLiteral("312"));
    Started w;
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("300"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 五笔专区 → 一级简码"));
    QVERIFY(w.window.menus().wbText[0]->isChecked());
    QCOMPARE(w.window.currentKind(), PracticeKind::Wubi);
    const QString levelOne = QStringLiteral("工了以在有地一上不是中国同民为这我的要和产发人经主");
    QCOMPARE(w.window.board().top(0)->Text().size(), 30);
    for (const QChar c : w.window.board().top(0)->Text()) {
        QVERIFY(levelOne.contains(c));
    }

    // In the one-level drill a key types its character; z goes through.
    w.window.tipsPanel().setEntry(4);
    MsgScript::pushAnswer(QStringLiteral("OK"));
    keyToWindow(&w.window, Qt::Key_F5);
    const QChar first = w.expected();
    const char key = char('a' + levelOne.indexOf(first));
    QTest::keyClick(w.focusedLine(), key);
    QCOMPARE(w.window.board().input(0)->Text(), QString(first));
    QCOMPARE(w.window.board().engine().Right_Count, 1);
    // The tip follows the next character to type.
    const QChar second = w.expected();
    QVERIFY(w.window.tipsPanel().Label_Tips->Caption().startsWith(QString(second) + QStringLiteral("：")));
    QTest::keyClick(w.focusedLine(), Qt::Key_Z);
    QCOMPARE(w.window.board().input(0)->Text().right(1), QStringLiteral("z"));
    QCOMPARE(w.window.board().engine().Wrong_Count, 1);

    // F1 tells the code and keeps the clock as it was.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QTest::keyClick(w.focusedLine(), Qt::Key_F1);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("提示"));
    QVERIFY(MsgScript::shown().last().text.contains(w.expected()));
    QVERIFY(w.window.run().timer().Enabled());

    // A phrase drill: six four-character phrases a row; the record type
    // follows the ticked drill.
    MsgScript::pushAnswer(QStringLiteral("Yes"));
    w.window.menus().wbPhrase[2]->trigger();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 五笔专区 → 四字词组"));
    QVERIFY(!w.window.menus().wbText[0]->isChecked());
    const QStringList phrases = w.window.board().top(0)->Text().split(QChar(0x3000));
    QCOMPARE(phrases.size(), 6);
    for (const QString& p : phrases) {
        QCOMPARE(p.size(), 4);
    }
    QCOMPARE(w.window.run().recordType(), 40);
    // The root drill shows roots, never their key letters.
    w.window.menus().wbText[3]->trigger();
    for (const QChar c : w.window.board().top(0)->Text()) {
        QVERIFY(c < u'A' || c > u'Z');
    }
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        w.window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-rootdrill.png"));
    }
    w.window.close();
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("303"));
    QCOMPARE(s.setting(QStringLiteral("Last_Tips")), QStringLiteral("4"));
}

void TestMainWindow::menusOpenTheirWindows()
{
    Session s;
    QVERIFY(s.ok());
    ArticleEditor editor(s.db());
    for (const QString& name : {QStringLiteral("甲"), QStringLiteral("乙")}) {
        editor.setName(name);
        editor.setText(QString(60, QChar(0x6587)));
        editor.setMode(SaveMode::New);
        MsgScript::pushAnswer(QStringLiteral("No"));
        QVERIFY(editor.CMD_Save_Click());
    }
    MsgScript::pushAnswer(QStringLiteral("OK"));
    QCOMPARE(
        UserAccounts(App().Conn_Main, s.path()).add(QStringLiteral("韩梅梅"), QStringLiteral("p"), QStringLiteral("p")),
        UserAccounts::AddResult::Added);
    QCOMPARE(MsgScript::pending(), 0);
    Started w;
    QCOMPARE(w.window.menus().saveUserItems.size(), 2);

    QStringList opened;
    auto closeModal = [&opened](QWidget* modal) {
        opened << modal->objectName() + QLatin1Char(':') + modal->windowTitle();
        modal->close();
    };
    whenModalShown(closeModal);
    w.window.findChild<QAction*>(QStringLiteral("Menu_Control_TestLog"))->trigger();
    whenModalShown(closeModal);
    w.window.findChild<QAction*>(QStringLiteral("Menu_Control_TextNo"))->trigger();
    for (int page = 0; page < 4; ++page) {
        whenModalShown([&opened, page](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("Form_User"));
            QCOMPARE(static_cast<UserWindow*>(modal)->page(), page);
            opened << QStringLiteral("user page %1").arg(page);
            modal->close();
        });
        w.window.menus().user[page]->trigger();
    }
    QCOMPARE(opened.size(), 6);
    QVERIFY(opened[0].startsWith(QStringLiteral("Form_Show_TestLog:")));
    QVERIFY(opened[1].startsWith(QStringLiteral("Form_Control_TestBegin:")));

    // Deleting an article in the manager rebuilds the menus at once.
    whenModalShown([](QWidget* modal) {
        auto* list = modal->findChild<QListWidget*>(QStringLiteral("List_Text"));
        QVERIFY(list);
        list->item(0)->setSelected(true);
        MsgScript::pushAnswer(QStringLiteral("Yes"));
        MsgScript::pushAnswer(QStringLiteral("OK"));
        modal->findChild<Cmd*>(QStringLiteral("CMD_Del"))->click();
        modal->close();
    });
    w.window.menus().saveControl->trigger();
    QCOMPARE(w.window.menus().saveUserItems.size(), 1);
    QCOMPARE(w.window.menus().saveUserItems[0]->text(), QStringLiteral("乙"));

    // The About box is the login window in its About mode.
    w.window.menus().about->trigger();
    auto* about = qobject_cast<LoginWindow*>(QApplication::activeModalWidget());
    QVERIFY(about);
    QVERIFY(about->isAboutMode());
    about->close();

    // Links go to the shell; the uninstall notice names the folder.
    QStringList urls;
    LoginWindow::urlOpener() = [&urls](const QUrl& url) {
        urls << url.toString();
        return true;
    };
    w.window.menus().www->trigger();
    w.window.menus().mail->trigger();
    w.window.menus().ver->trigger();
    QCOMPARE(urls.size(), 3);
    QCOMPARE(urls[0], QString::fromLatin1(kHomePage));
    QVERIFY(urls[1].startsWith(QString::fromLatin1(kMailAddress) + QStringLiteral("?subject=")));
    QVERIFY(QUrl(urls[1]).query(QUrl::FullyDecoded).contains(QStringLiteral("关于 Tesmara")));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    w.window.menus().uninstall->trigger();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("软件卸载方法"));
    QVERIFY(MsgScript::shown().last().text.endsWith(QDir::toNativeSeparators(App().App_Path)));

    // The update flag is written at once.
    w.window.menus().autoUpdate->trigger();
    QCOMPARE(s.setting(QStringLiteral("Auto_Update"), App().Conn_Main), QStringLiteral("0"));
    w.window.menus().autoUpdate->trigger();
    QCOMPARE(s.setting(QStringLiteral("Auto_Update"), App().Conn_Main), QStringLiteral("1"));
}

void TestMainWindow::wubiChartsInTheirPanel()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    ChartPanel& panel = w.window.chartPanel();
    const QList<QAction*>& items = w.window.menus().wbShow;
    QCOMPARE(panel.objectName(), QStringLiteral("Frame_WB_PictureShow"));
    QVERIFY(panel.isHidden());
    QVERIFY(items[0]->isEnabled());

    // The pictures the build draws, as the shared folder holds them.
    QSize sizes[ChartPanel::kCharts];
    for (int i = 0; i < ChartPanel::kCharts; ++i) {
        QImageReader reader(App().Share_Path + ChartPanel::fileName(i), "PNG");
        sizes[i] = reader.size();
        QVERIFY2(sizes[i].width() >= 600 && sizes[i].height() >= 250, qPrintable(ChartPanel::fileName(i)));
    }
    QVERIFY(sizes[0] != sizes[1]);

    // A run is going: the chart shows and the typing line keeps the focus.
    MsgScript::pushAnswer(QStringLiteral("OK"));
    w.window.CMD_Begin_Click();
    QVERIFY(w.window.run().stopEnabled());
    w.window.centralWidget()->setFocus(); // as after a click elsewhere
    QVERIFY(w.focusedLine() != w.activeInput());
    items[0]->trigger();
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[0]);
    QCOMPARE(panel.Image_WB_Show->toolTip(), QStringLiteral("您可以用鼠标拖动这个框"));
    QVERIFY(items[0]->isChecked() && !items[1]->isChecked());
    QVERIFY(panel.Option_Wb_TS[0]->Value() && !panel.Option_Wb_TS[1]->Value());
    QVERIFY(panel.width() >= sizes[0].width() && panel.height() > sizes[0].height());
    // The close button lies below the picture, inside the panel.
    QVERIFY(panel.CMD_Close->geometry().top() >= panel.Image_WB_Show->geometry().bottom());
    QVERIFY(panel.rect().contains(panel.CMD_Close->geometry()));
    QVERIFY(w.window.centralWidget()->rect().contains(panel.geometry()));
    QCOMPARE(w.focusedLine(), w.activeInput());
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        w.window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-chart0.png"));
    }

    // The second item switches the picture, the ticks and the option.
    items[1]->trigger();
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[1]);
    QVERIFY(!items[0]->isChecked() && items[1]->isChecked());
    QVERIFY(!panel.Option_Wb_TS[0]->Value() && panel.Option_Wb_TS[1]->Value());
    QVERIFY(panel.height() > sizes[1].height());
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        w.window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-chart1.png"));
    }

    // The option does the same, then the focus goes back to a typing line.
    panel.Option_Wb_TS[0]->setFocus();
    panel.Option_Wb_TS[0]->click();
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[0]);
    QVERIFY(items[0]->isChecked() && !items[1]->isChecked());
    QVERIFY(panel.Option_Wb_TS[0]->Value() && !panel.Option_Wb_TS[1]->Value());
    QCOMPARE(w.focusedLine(), w.activeInput());

    // Dragging the picture moves the panel.
    const QPoint before = panel.pos();
    QTest::mousePress(panel.Image_WB_Show, Qt::LeftButton, {}, QPoint(40, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(70, 60), panel.Image_WB_Show->mapToGlobal(QPointF(70, 60)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(panel.Image_WB_Show, &move);
    QTest::mouseRelease(panel.Image_WB_Show, Qt::LeftButton, {}, QPoint(70, 60));
    QCOMPARE(panel.pos(), before + QPoint(30, 20));

    // Close clears the picture, hides the panel and unticks both items.
    QTest::mouseClick(panel.CMD_Close, Qt::LeftButton);
    QVERIFY(panel.isHidden());
    QVERIFY(panel.Image_WB_Show->pixmap().isNull());
    QVERIFY(!items[0]->isChecked() && !items[1]->isChecked());
    QCOMPARE(MsgScript::shown().size(), 1); // only the begin notice
}

void TestMainWindow::missingChartIsReported()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    ChartPanel& panel = w.window.chartPanel();
    const QList<QAction*>& items = w.window.menus().wbShow;
    items[0]->trigger();
    QVERIFY(panel.isVisible());

    // Only the mnemonic chart is missing: the root chart stays as it was.
    QTemporaryDir empty;
    QVERIFY(QFile::copy(App().Share_Path + QStringLiteral("zgb.g"), empty.filePath(QStringLiteral("zgb.g"))));
    App().Share_Path = empty.path() + QLatin1Char('/');
    MsgScript::pushAnswer(QStringLiteral("OK"));
    items[1]->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QCOMPARE(MsgScript::shown().last().icon, 0);
    QVERIFY(MsgScript::shown().last().text.contains(QStringLiteral("kj.g")));
    QVERIFY(items[0]->isChecked() && !items[1]->isChecked());
    QVERIFY(panel.Option_Wb_TS[0]->Value() && !panel.Option_Wb_TS[1]->Value());
    QVERIFY(!panel.Image_WB_Show->pixmap().isNull());

    // Closed and with neither file there, no panel comes up.
    QTest::mouseClick(panel.CMD_Close, Qt::LeftButton);
    QVERIFY(QFile::remove(empty.filePath(QStringLiteral("zgb.g"))));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    items[0]->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QVERIFY(panel.isHidden());
    QVERIFY(!items[0]->isChecked() && !items[1]->isChecked());
}

namespace {

// Strikes the key the page asks for, as a keyboard would send it.
void strike(QWidget* window, QChar target, bool numberPad)
{
    const char16_t t = target.unicode();
    if (!numberPad) {
        QTest::keyClick(window, t == u' ' ? Qt::Key_Space : Qt::Key(QChar(t).toUpper().unicode()));
        return;
    }
    const std::pair<char16_t, Qt::Key> signs[] = {{u'e', Qt::Key_Enter},    {u'c', Qt::Key_Slash},
                                                  {u'x', Qt::Key_Asterisk}, {u'p', Qt::Key_Period},
                                                  {u'-', Qt::Key_Minus},    {u'+', Qt::Key_Plus}};
    for (const auto& [label, key] : signs) {
        if (label == t) {
            QTest::keyClick(window, key, Qt::KeypadModifier);
            return;
        }
    }
    QTest::keyClick(window, Qt::Key(t), Qt::KeypadModifier);
}

// The highlight lies on the target's key, its name shows and its finger is lit.
void verifyTarget(KeyboardPage& page)
{
    const Fingering& f = page.fingering();
    const QRect on = keyboard::highlightRect(f.board(), f.target());
    QVERIFY(!on.isEmpty());
    QCOMPARE(page.Image_D_Go->geometry(), on.translated(page.Image_Test_Keyboard->pos()));
    QVERIFY(page.Image_D_Go->isVisible());
    QCOMPARE(page.Label_M->Caption(), f.targetCaption());
    for (int finger = 0; finger < keyboard::kFingers; ++finger) {
        QCOMPARE(page.fingerPicture(finger)->isVisible(), f.targetFingers().contains(finger));
    }
}

} // namespace

void TestMainWindow::fingeringPracticeOnTheKeyboardPage()
{
    Session s;
    QVERIFY(s.ok());
    test::ScriptedRandom random({0.02, 0.31, 0.55, 0.97, 0.78, 0.12, 0.44});
    Started w;
    Form_Test_Common& window = w.window;
    KeyboardPage& page = window.keyboardPage();
    QAction* item = window.menus().keyboardMouse[0];
    QVERIFY(item->isEnabled());
    QVERIFY(page.isHidden());
    item->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tesmara → 键盘指法练习"));
    QCOMPARE(window.currentKind(), PracticeKind::KeyMouse);
    QVERIFY(item->isChecked() && !window.menus().chinese[0]->isChecked());
    QVERIFY(page.isVisible() && !window.findChild<QWidget*>(QStringLiteral("Frame_Common"))->isVisible());
    QVERIFY(window.centralWidget()->rect().contains(page.geometry()));
    QCOMPARE(w.caption("Label_D_Time"), QStringLiteral("练习时间：0 秒"));
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 0 个   打错了 0 个"));
    QCOMPARE(w.caption("Label_Speed_R"), QStringLiteral("速度：0 个/分钟  正确率：100%"));
    QCOMPARE(page.fingering().keySet(), Fingering::keySetFor(0, false));
    QCOMPARE(page.Image_Test_Keyboard->pixmap().size(), keyboard::boardSize(keyboard::Board::Main));
    QCOMPARE(page.Image_Test_Keyboard_Hand->pixmap().size(), keyboard::handsSize());
    verifyTarget(page);

    // A right key moves on; a wrong one counts, sounding only with a device.
    const QChar first = page.fingering().target();
    strike(&window, first, false);
    QVERIFY(page.fingering().target() != first);
    verifyTarget(page);
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 0 个"));
    window.sounds().setOutputCheck([] { return false; });
    QTest::keyClick(&window, Qt::Key_NumberSign);
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 1 个"));
    QCOMPARE(window.sounds().started(), 0);
    // Modifier keys alone, held keys and shortcuts count nothing.
    QTest::keyClick(&window, Qt::Key_Shift);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
    QCoreApplication::sendEvent(&window, &held);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 1 个"));
    // The back-quote draws a new target without counting.
    const QChar second = page.fingering().target();
    QTest::keyClick(&window, Qt::Key_QuoteLeft);
    QVERIFY(page.fingering().target() != second);
    verifyTarget(page);
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 1 个"));

    // The finger blinks every 600 ms (the timer's next look at the clock
    // comes a little later); the time and speed follow each second.
    const int finger = page.fingering().targetFingers().first();
    w.clock.advanceMs(650);
    page.Timer_Key_Borad_Hand->poll();
    QVERIFY(page.fingerPicture(finger)->isHidden());
    w.clock.advanceMs(650);
    page.Timer_Key_Borad_Hand->poll();
    QVERIFY(page.fingerPicture(finger)->isVisible());
    for (int i = 0; i < 30; ++i) {
        w.clock.advanceMs(1000);
        page.Timer_OverTime->poll();
    }
    QCOMPARE(w.caption("Label_D_Time"), QStringLiteral("练习时间：30 秒"));
    QCOMPARE(w.caption("Label_Speed_R"), QStringLiteral("速度：1 字/分钟 正确率：50%"));

    // The right little finger without digits: P every time, each counted.
    page.Combo_Test_KeyBoard->setCurrentIndex(10);
    QCOMPARE(page.fingering().keySet(), QStringLiteral("P0"));
    page.Check_Test_KeyBoard->click();
    QCOMPARE(page.fingering().keySet(), QStringLiteral("P"));
    QCOMPARE(page.fingering().target(), QChar('P'));
    strike(&window, QChar('P'), false);
    strike(&window, QChar('P'), false);
    QCOMPARE(page.fingering().target(), QChar('P'));
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 3 个   打错了 1 个"));
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-keyboard.png"));
    }

    // The number pad: the list is off, the counts and time start again, and
    // Enter, not the letter e, strikes "回车".
    page.Check_Box_Test_Key_Number->click();
    QVERIFY(!page.Combo_Test_KeyBoard->isEnabled() && page.Check_Test_KeyBoard->isHidden());
    QCOMPARE(page.fingering().keySet(), Fingering::numberPadSet());
    QCOMPARE(page.Image_Test_Keyboard->pixmap().size(), keyboard::boardSize(keyboard::Board::NumberPad));
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 0 个   打错了 0 个"));
    QCOMPARE(w.caption("Label_D_Time"), QStringLiteral("练习时间：0 秒"));
    int strikes = 0;
    while (page.fingering().target() != QLatin1Char('e') && strikes < 50) {
        verifyTarget(page);
        strike(&window, page.fingering().target(), true);
        ++strikes;
    }
    QCOMPARE(page.Label_M->Caption(), QStringLiteral("回车"));
    QTest::keyClick(&window, Qt::Key_E);
    QCOMPARE(page.fingering().target(), QChar('e'));
    QTest::keyClick(&window, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(page.fingering().target() != QLatin1Char('e'));
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 %1 个   打错了 1 个").arg(strikes + 1));
    if (qEnvironmentVariableIsSet("TESMARA_SHOT_DIR")) {
        window.grab().save(qEnvironmentVariable("TESMARA_SHOT_DIR") + QStringLiteral("/main-numberpad.png"));
    }

    // Another practice hides the page, stops its clocks and lets go of the
    // pictures; keys then count nothing there.
    window.menus().chinese[2]->trigger();
    QVERIFY(page.isHidden() && window.findChild<QWidget*>(QStringLiteral("Frame_Common"))->isVisible());
    QVERIFY(!page.Timer_Key_Borad_Hand->Enabled() && !page.Timer_OverTime->Enabled());
    QVERIFY(page.Image_Test_Keyboard->pixmap().isNull() && page.Image_D_Go->pixmap().isNull());
    QVERIFY(page.Image_Test_Keyboard_Hand->pixmap().isNull() && page.fingerPicture(finger)->pixmap().isNull());
    QVERIFY(!item->isChecked());
    const qint32 counted = page.fingering().right() + page.fingering().wrong();
    QTest::keyClick(&window, Qt::Key_QuoteLeft);
    QTest::keyClick(&window, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(page.fingering().right() + page.fingering().wrong(), counted);

    // Back on the page, the pad is still chosen; closing there stores "402".
    item->trigger();
    QVERIFY(page.numberPad() && page.isVisible());
    QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 0 个   打错了 0 个"));
    window.close();
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("402"));
}

void TestMainWindow::numberPadPracticeReopensWithoutPictures()
{
    Session s;
    QVERIFY(s.ok());
    s.store(QStringLiteral("Last_Test"), QStringLiteral("402"));
    // No picture files: the pictures stay empty and the practice goes on.
    QTemporaryDir empty;
    App().Share_Path = empty.path() + QLatin1Char('/');
    {
        Started w;
        KeyboardPage& page = w.window.keyboardPage();
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 键盘指法练习"));
        QVERIFY(w.window.menus().keyboardMouse[0]->isChecked());
        QVERIFY(page.numberPad() && page.Check_Box_Test_Key_Number->Value());
        QVERIFY(!page.Combo_Test_KeyBoard->isEnabled());
        QCOMPARE(page.Combo_Test_KeyBoard->currentIndex(), 0);
        QCOMPARE(page.fingering().keySet(), Fingering::numberPadSet());
        QVERIFY(page.Image_Test_Keyboard->pixmap().isNull() && page.Image_D_Go->pixmap().isNull());
        verifyTarget(page);
        strike(&w.window, page.fingering().target(), true);
        QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 0 个"));
        // Back to ordinary keys: stored as "400".
        page.Check_Box_Test_Key_Number->click();
        QCOMPARE(page.fingering().keySet(), Fingering::keySetFor(0, false));
        w.window.close();
    }
    QCOMPARE(s.setting(QStringLiteral("Last_Test")), QStringLiteral("400"));
    {
        Started w;
        QVERIFY(!w.window.keyboardPage().numberPad());
        QVERIFY(w.window.keyboardPage().isVisible());
    }
}

namespace {

QString rowText(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        cells << table->item(row, column)->text();
    }
    return cells.join(QLatin1Char('|'));
}

} // namespace

void TestMainWindow::mistakesOfARunInTheirWindow()
{
    Session s;
    QVERIFY(s.ok());
    Started w;
    QAction* open = w.window.findChild<QAction*>(QStringLiteral("Menu_Control_Mistakes"));
    QVERIFY(open && open->isEnabled());
    // No runs yet: a friendly word instead of an empty table.
    whenModalShown([](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("Form_Show_Mistakes"));
        QCOMPARE(modal->windowTitle(), QStringLiteral("错误统计"));
        auto* empty = modal->findChild<MSG_Label*>(QStringLiteral("Label_Empty"));
        QVERIFY(empty->isVisible());
        QVERIFY(empty->Caption().startsWith(QStringLiteral("还没有错误统计。")));
        QVERIFY(!modal->findChild<QTableWidget*>(QStringLiteral("Grid_Weak"))->isVisible());
        QVERIFY(!modal->findChild<Cmd*>(QStringLiteral("CMD_Drill"))->isEnabled());
        QVERIFY(!modal->findChild<Cmd*>(QStringLiteral("CMD_Reset"))->isEnabled());
        modal->close();
    });
    open->trigger();

    // A one-minute Chinese run: every 的 typed as 地, the first ， as 。.
    w.window.runPanel().Test_Time->setText(QStringLiteral("1"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    w.window.CMD_Begin_Click();
    int de = 0;
    int commas = 0;
    int stops = 0;
    for (int typed = 1; typed <= 60; ++typed) {
        const QChar expected = w.expected();
        if (expected == u'的') {
            ++de;
            w.commit(QStringLiteral("地"));
        } else if (expected == u'，' && commas++ == 0) {
            w.commit(QStringLiteral("。"));
        } else {
            stops += expected == u'。';
            w.commit(QString(expected));
        }
        if (typed % 6 == 0) {
            w.second();
        }
    }
    QVERIFY(de >= 3 && commas >= 3 && stops >= 1);
    w.finishRun();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(s.count(QStringLiteral("testlog")), 1);

    // The window opens on the Chinese practice: the table lists the two
    // characters typed wrong, weakest first, and the heat map has the keys
    // of the punctuation.
    whenModalShown([&](QWidget* modal) {
        QCOMPARE(modal->findChild<TS*>(QStringLiteral("TS_Kind"))->TSWhoUp(), 1);
        QVERIFY(modal->findChild<MSG_Label*>(QStringLiteral("Label_Sum"))
                    ->Caption()
                    .contains(QStringLiteral("完成练习 1 次　共打 60 个字符　打错 %1 个").arg(de + 1)));
        auto* table = modal->findChild<QTableWidget*>(QStringLiteral("Grid_Weak"));
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(rowText(table, 0), QStringLiteral("的|%1|%1|100%|地 ×%1").arg(de));
        QCOMPARE(rowText(table, 1), QStringLiteral("，|%1|1|%2|。 ×1").arg(commas).arg(Rate_Text(1.0 / commas)));
        auto* map = modal->findChild<HeatMapView*>(QStringLiteral("Image_HeatMap"));
        keyboard::Board board;
        const QPoint comma = map->keyRect(board, Key_Index_Of(U',', &board)).center();
        QHelpEvent hover(QEvent::ToolTip, comma, map->mapToGlobal(comma));
        QCoreApplication::sendEvent(map, &hover);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral(", 键\n打对 %1 次，打错 1 次\n错误率 %2\n常打成：。 ×1")
                                           .arg(commas - 1)
                                           .arg(Rate_Text(1.0 / commas)));
        const QPoint stop = map->keyRect(board, Key_Index_Of(U'.', &board)).center();
        QCOMPARE(map->tipAt(stop), QStringLiteral(". 键\n打对 %1 次，打错 0 次\n错误率 0%").arg(stops));
        // The drill is saved as a review article and not practised now.
        MsgScript::pushAnswer(QStringLiteral("No"));
        modal->findChild<Cmd*>(QStringLiteral("CMD_Drill"))->click();
        QCOMPARE(MsgScript::pending(), 0);
        modal->close();
    });
    open->trigger();
    // Clearing asks first; the other kinds have nothing to clear.
    whenModalShown([](QWidget* modal) {
        auto* reset = modal->findChild<Cmd*>(QStringLiteral("CMD_Reset"));
        MsgScript::pushAnswer(QStringLiteral("No"));
        reset->click();
        QCOMPARE(MsgScript::shown().last().text,
                 QStringLiteral("真的要清空“中文练习”的全部错误统计吗？\r\n清空后不能恢复。"));
        QCOMPARE(MsgScript::shown().last().focus, 4); // Enter alone keeps them
        QVERIFY(modal->findChild<QTableWidget*>(QStringLiteral("Grid_Weak"))->isVisible());
        MsgScript::pushAnswer(QStringLiteral("Yes"));
        MsgScript::pushAnswer(QStringLiteral("OK"));
        reset->click();
        QVERIFY(!modal->findChild<QTableWidget*>(QStringLiteral("Grid_Weak"))->isVisible());
        QVERIFY(!reset->isEnabled());
        modal->close();
    });
    open->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(s.count(QStringLiteral("testlog")), 1);
    const QString drill =
        s.db().scalar(QStringLiteral("select T from text_ where N = ?"), {QStringLiteral("中文弱项_w")})->toString();
    QCOMPARE(QString(drill).remove(u'的').remove(u'，'), QString());
    QVERIFY(drill.count(u'的') > drill.count(u'，'));
    QVERIFY(std::any_of(w.window.menus().saveWrongItems.begin(), w.window.menus().saveWrongItems.end(),
                        [](QAction* a) { return a->text() == QStringLiteral("中文弱项"); }));

    // A fingering session counts when the page is left.
    w.window.menus().keyboardMouse[0]->trigger();
    KeyboardPage& page = w.window.keyboardPage();
    const QChar target = page.fingering().target();
    strike(&w.window, target == u'Q' ? QLatin1Char('W') : QLatin1Char('Q'), false);
    strike(&w.window, page.fingering().target(), false);
    w.window.menus().chinese[1]->trigger();
    const MistakeFigures keys = w.window.mistakes().read(int(PracticeKind::KeyMouse), MistakePeriod::All);
    QCOMPARE(keys.runs, qint64(1));
    QCOMPARE(keys.right, qint64(1));
    QCOMPARE(keys.wrong, qint64(1));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
