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
#include "controls/ui/Skin.h"
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
#include "practice/ui/MousePage.h"
#include "practice/ui/RunPanel.h"
#include "practice/ui/Sounds.h"
#include "practice/ui/SplitPage.h"
#include "practice/ui/TipsPanel.h"
#include "practice/ui/TypingBoard.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/UserAccounts.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

using namespace tesmara;

namespace {

// A user's database with the program database beside it, as after login;
// one that cannot be made fails the test at once.
class Session : public test::UserFolder {
public:
    Session()
    {
        QString error;
        if (!App().Conn_Main.open(path() + "d.at", Database::Mode::ReadWrite, &error)) {
            throw std::runtime_error("program database: " + error.toStdString());
        }
        createAppTables(App().Conn_Main);
    }

    QString setting(const QString& key, Database& db = App().Conn_User) { return test::storedSetting(db, key); }
    void store(const QString& key, const QString& value) { Settings(db()).setValue(key, value); }
    // The reading position of Chinese essay 1.
    qint64 position() { return test::position(db(), "test_no", "0000"); }
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
    // Begins a run, the start notice answered.
    void begin()
    {
        MsgScript::pushAnswer("OK");
        window.CMD_Begin_Click();
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
        test::answer({"OK", "NoF"});
        second();
    }
    QWidget* focusedLine() { return QApplication::focusWidget(); }
    Text_Data* activeInput() { return window.board().input(window.board().engine().activeRow()); }
    QString row0() { return window.board().top(0)->Text(); }
    QChar expected()
    {
        const int row = window.board().engine().activeRow();
        return window.board().top(row)->Text().at(window.board().input(row)->CountLen());
    }
    void commit(const QString& text) { test::commitText(activeInput(), text); }
    QString caption(const char* name) { return window.findChild<MSG_Label*>(QLatin1String(name))->Caption(); }
    QString beginCaption() { return window.runPanel().CMD_Begin->Caption(); }

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
    // The program's skin: its style, font and colours.
    void initTestCase() { skin::install(); }
    void firstOpenWindowKeysPauseSwitchAndStop();
    void storedValuesAreRepaired_data();
    void storedValuesAreRepaired();
    void closeStoresAndReopensTheSamePracticeOrArticle();
    void wubiDrillsTipsChartsAndHints();
    void fingeringPracticeOnTheKeyboardPage();
    void menusOpenTheirWindowsAndARunsMistakes();
};

void TestMainWindow::firstOpenWindowKeysPauseSwitchAndStop()
{
    Session s;
    Started w;
    // Chinese essay 1 is open, titled, its position row added (its tick the
    // switching case sees). The default settings are the store's; the
    // close-and-reopen test toggles them from there.
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 中文练习 → 文章 1"));
    QCOMPARE(s.position(), 1);
    QCOMPARE(w.row0(), w.window.source().Test_Text.left(30));
    // Its 30 cells fill the line to within one cell.
    const TextLine& line = w.window.board().top(0)->line();
    QVERIFY(line.widthTwips() - (line.position(29) + line.cellWidth()) < line.cellWidth());
    QVERIFY(!w.window.runPanel().CMD_Stop->isEnabled());
    // No saved articles yet: each article menu holds only its placeholder.
    QCOMPARE(w.window.menus().saveUserItems.size(), 1);
    QCOMPARE(w.window.menus().saveUserItems[0]->text(), QStringLiteral("暂无保存此类文章"));
    QVERIFY(!w.window.menus().saveWrongItems[0]->isEnabled());
    // The pages of their own wait until chosen, and nothing made Qt load
    // its picture-format plugins (each pulls in libraries of its own).
    QVERIFY(!w.window.findChild<KeyboardPage*>() && !w.window.findChild<MousePage*>() &&
            !w.window.findChild<SplitPage*>());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
    // The menu bar's "more" button keeps its chevrons, drawn when shown.
    const QImage more =
        w.window.style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
    int inked = 0;
    for (int y = 0; y < more.height(); ++y) {
        for (int x = 0; x < more.width(); ++x) {
            inked += qAlpha(more.pixel(x, y)) > 0;
        }
    }
    QVERIFY2(inked > 10 && inked < 128, qPrintable(QString::number(inked)));

    // Ctrl+S and Ctrl+T hide and show the figures and the clock.
    RunPanel& panel = w.window.runPanel();
    QVERIFY(panel.Frame_See_Sum->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!panel.Check_Sum->Value() && !panel.Frame_See_Sum->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(!panel.Frame_See_Time->isVisible());
    keyToWindow(panel.Test_Time->inner(), Qt::Key_T, Qt::ControlModifier);
    QVERIFY(panel.Frame_See_Time->isVisible());
    panel.Check_Sum->click();
    QVERIFY(panel.Frame_See_Sum->isVisible());

    // Letters never reach the run length (lengths out of 1..60 are refused
    // by the run itself); F9 with no run does nothing.
    panel.Test_Time->setFocus();
    panel.Test_Time->SelAll();
    QTest::keyClicks(panel.Test_Time->inner(), "a7b");
    QCOMPARE(panel.Test_Time->text(), QStringLiteral("7"));
    keyToWindow(&w.window, Qt::Key_F9);
    QCOMPARE(MsgScript::shown().size(), 0);

    // A run of the length typed: two characters, then a pause.
    w.begin();
    QCOMPARE(w.window.run().timer().Run_EndTime(), 7 * 60);
    w.commit(QString(w.expected()));
    w.commit(QString(w.expected()));
    w.second();
    keyToWindow(w.focusedLine(), Qt::Key_F5); // pause: the clock holds
    QCOMPARE(w.beginCaption(), QStringLiteral("继续(F5)"));
    // Switching asks; No leaves the paused run as it was.
    MsgScript::pushAnswer("No");
    w.window.menus().english[2]->trigger();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("确认"));
    QCOMPARE(test::lastMessage(), QStringLiteral("真的要停止正在进行的练习并转入新练习吗? "));
    QVERIFY(w.window.menus().chinese[0]->isChecked() && !w.window.menus().english[2]->isChecked());
    QCOMPARE(w.window.run().state(), PracticeRun::State::Paused);
    w.second();
    w.second();
    QCOMPARE(w.window.run().timer().Sum_RunTime(), 1);
    keyToWindow(&w.window, Qt::Key_F5); // continue
    QCOMPARE(w.beginCaption(), QStringLiteral("暂停(F5)"));
    w.second();
    QCOMPARE(w.window.run().timer().Sum_RunTime(), 2);

    // F9 stops early: no record, but the position moves on by the two
    // characters typed.
    test::answer({"Yes", "OK"});
    keyToWindow(w.focusedLine(), Qt::Key_F9);
    QCOMPARE(w.window.run().state(), PracticeRun::State::Finished);
    QCOMPARE(s.count("testlog"), 0);
    QCOMPARE(s.position(), 3);

    // With a run going, Yes switches: the new practice is ready, no record.
    w.begin();
    MsgScript::pushAnswer("Yes");
    w.window.menus().english[10]->trigger();
    QVERIFY(w.window.menus().english[10]->isChecked() && !w.window.menus().chinese[0]->isChecked());
    QCOMPARE(w.window.run().state(), PracticeRun::State::Ready);
    QVERIFY(w.window.runPanel().Test_Time->isEnabled());
    QCOMPARE(s.count("testlog"), 0);
    QCOMPARE(w.beginCaption(), QStringLiteral("开始(F5)"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 英文练习 → 随机生成字母"));
    // Random letters: 30 a row with the wide spacing, 60 without.
    QCOMPARE(w.row0().size(), 30);
    w.window.menus().englishWidth->trigger();
    QCOMPARE(w.row0().size(), 60);
    // Choosing the ticked item again does nothing.
    const QString before = w.row0();
    w.window.menus().english[10]->trigger();
    QCOMPARE(w.row0(), before);
    QVERIFY(w.window.menus().english[10]->isChecked());
}

void TestMainWindow::storedValuesAreRepaired_data()
{
    // The stored run length and practice, the length shown and stored, the
    // practice stored and the title's practice.
    QTest::addColumn<int>("testTime");
    QTest::addColumn<QString>("lastTest");
    QTest::addColumn<int>("time");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("storedLast");
    QTest::newRow("0 minutes") << 0 << "003" << 10 << "中文练习 → 文章 4" << QStringLiteral("003");
    QTest::newRow("61 minutes") << 61 << "011" << 10 << "中文练习 → 百家姓" << QStringLiteral("011");
    QTest::newRow("60 stays") << 60 << "109" << 60 << "英文练习 → 文章 10" << QStringLiteral("109");
    QTest::newRow("random letters reset") << 5 << "110" << 5 << "英文练习 → 文章 1" << QStringLiteral("100");
    QTest::newRow("essay out of range") << 5 << "012" << 5 << "中文练习 → 文章 1" << QStringLiteral("000");
    QTest::newRow("past the drills") << 5 << "312" << 5 << "五笔专区 → 一级简码" << QStringLiteral("300");
}

void TestMainWindow::storedValuesAreRepaired()
{
    QFETCH(int, testTime);
    QFETCH(QString, lastTest);
    QFETCH(int, time);
    QFETCH(QString, title);
    Session s;
    s.store("Last_Test_Time", QString::number(testTime));
    s.store("Last_Test", lastTest);
    Started w;
    QCOMPARE(w.window.runPanel().Test_Time->text(), QString::number(time));
    QCOMPARE(s.setting("Last_Test_Time"), QString::number(time));
    QTEST(s.setting("Last_Test"), "storedLast");
    QCOMPARE(w.window.windowTitle(), "Tesmara → " + title);
}

void TestMainWindow::closeStoresAndReopensTheSamePracticeOrArticle()
{
    Session s;
    auto stored = [&s] {
        QStringList values;
        for (const char* key :
             {"Last_Test", "Last_Test_Time", "Sound_Key", "Wrong_Color", "English_Test_Width", "Last_Tips"}) {
            values << s.setting(key);
        }
        return values;
    };
    {
        Started w;
        w.window.menus().english[3]->trigger();
        w.window.menus().soundKey->trigger();
        w.window.menus().wrongColour->trigger();
        w.window.menus().englishWidth->trigger();
        w.window.tipsPanel().setEntry(2);
        w.window.runPanel().Test_Time->setText("15");
        w.window.close();
    }
    QCOMPARE(stored(), QStringList({"103", "15", "1", "0", "0", "2"}));
    {
        Started w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 英文练习 → 文章 4"));
        QVERIFY(w.window.menus().english[3]->isChecked());
        QVERIFY(w.window.menus().soundKey->isChecked());
        QVERIFY(!w.window.menus().wrongColour->isChecked() && !w.window.board().engine().wrongColour());
        QVERIFY(!w.window.menus().englishWidth->isChecked());
        QCOMPARE(w.window.tipsPanel().Combo_Show_Tips->currentIndex(), 2);
        QCOMPARE(w.window.runPanel().Test_Time->text(), QStringLiteral("15"));
        // English lines end after a word.
        QVERIFY(w.row0().endsWith(QLatin1Char(' ')));
        // The random letters are never stored: the essay before them stays.
        w.window.menus().english[10]->trigger();
        w.window.close();
    }
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("103"));
    {
        Started w;
        w.window.menus().numbers[0]->trigger();
        w.window.close();
    }
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("200"));

    // Saved articles in their menus, stored and reopened the same way.
    Started w;
    ArticleEditor editor(s.db());
    auto save = [&editor](const QString& name, const QString& text) {
        editor.setName(name);
        editor.setText(text);
        editor.setMode(SaveMode::New);
        MsgScript::pushAnswer("No"); // not practised now
        QVERIFY(editor.CMD_Save_Click());
    };
    save("它's 100%\\", QString(80, QChar(0x7EC3)) + " abc def");
    w.window.Load_Menus_SaveText();
    const QList<QAction*>& items = w.window.menus().saveUserItems;
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0]->text(), QStringLiteral("它's 100%\\"));
    items[0]->trigger();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 自定义文章 → 它's 100%\\"));
    QVERIFY(!w.window.menus().chinese[0]->isChecked());
    QVERIFY(w.row0().startsWith(QChar(0x7EC3)));

    // A second article whose check field was edited by hand is refused.
    save("坏", QString(60, QChar(0x574F)));
    s.db().exec("update text_ set C = 'x' where N = '坏_u'");
    w.window.Load_Menus_SaveText();
    QCOMPARE(items.size(), 2);
    QVERIFY(items[0]->isChecked()); // the tick survives the rebuild
    MsgScript::pushAnswer("OK");
    items[1]->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QVERIFY(items[0]->isChecked() && !items[1]->isChecked());
    QCOMPARE(w.window.currentKind(), PracticeKind::Article);
    // Deleting it in the manager rebuilds the menus at once.
    whenModalShown([](QWidget* modal) {
        modal->findChild<QListWidget*>("List_Text")->item(1)->setSelected(true);
        test::answer({"Yes", "OK"});
        modal->findChild<Cmd*>("CMD_Del")->click();
        modal->close();
    });
    w.window.menus().saveControl->trigger();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0]->text(), QStringLiteral("它's 100%\\"));
    w.window.close();
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("5它's 100%\\_u"));

    // Reopened on the same article, its rows as full as the lines are wide.
    Started again;
    QCOMPARE(again.window.windowTitle(), w.window.windowTitle());
    QVERIFY(again.window.menus().saveUserItems[0]->isChecked());
    const Text_Data* first = again.window.board().top(0);
    QCOMPARE(first->CountLen(), first->line().mixedFit(QString(80, QChar(0x7EC3))));
}

void TestMainWindow::wubiDrillsTipsChartsAndHints()
{
    Session s;
    s.store("Last_Test", "300");
    Started w;
    QVERIFY(w.window.menus().wbText[0]->isChecked());
    QCOMPARE(w.window.currentKind(), PracticeKind::Wubi);
    const QString levelOne = "工了以在有地一上不是中国同民为这我的要和产发人经主";
    QVERIFY(QRegularExpression("^[" + levelOne + "]{30}$").match(w.row0()).hasMatch());

    // In the one-level drill a key types its character; z goes through.
    w.window.tipsPanel().setEntry(4);
    MsgScript::pushAnswer("OK");
    keyToWindow(&w.window, Qt::Key_F5);
    const QChar first = w.expected();
    QTest::keyClick(w.focusedLine(), char('a' + levelOne.indexOf(first)));
    QCOMPARE(w.window.board().input(0)->Text(), QString(first));
    QCOMPARE(w.window.board().engine().Right_Count, 1);
    // The tip follows the next character to type.
    QVERIFY(w.window.tipsPanel().Label_Tips->Caption().startsWith(QString(w.expected()) + "："));
    QTest::keyClick(w.focusedLine(), Qt::Key_Z);
    QCOMPARE(w.window.board().input(0)->Text().right(1), QStringLiteral("z"));
    QCOMPARE(w.window.board().engine().Wrong_Count, 1);

    // F1 tells the code and keeps the clock as it was.
    MsgScript::pushAnswer("OK");
    QTest::keyClick(w.focusedLine(), Qt::Key_F1);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("提示"));
    QVERIFY(MsgScript::shown().last().text.contains(w.expected()));
    QVERIFY(w.window.run().timer().Enabled());

    ChartPanel& panel = w.window.chartPanel();
    const QList<QAction*>& items = w.window.menus().wbShow;
    QVERIFY(panel.isHidden() && items[0]->isEnabled());
    // Which chart shows: the menu ticks and the options agree with it.
    auto showing = [&](int chart) {
        const bool none = chart < 0;
        QCOMPARE(panel.isHidden(), none);
        QCOMPARE(items[0]->isChecked(), chart == 0);
        QCOMPARE(items[1]->isChecked(), chart == 1);
        if (!none) {
            QCOMPARE(panel.Option_Wb_TS[chart]->Value(), true);
            QCOMPARE(panel.Option_Wb_TS[1 - chart]->Value(), false);
        }
    };

    // The pictures the build draws, as the shared folder holds them.
    QSize sizes[ChartPanel::kCharts];
    for (int i = 0; i < ChartPanel::kCharts; ++i) {
        sizes[i] = QImageReader(App().Share_Path + ChartPanel::fileName(i), "PNG").size();
        QVERIFY2(sizes[i].width() >= 600 && sizes[i].height() >= 250, qPrintable(ChartPanel::fileName(i)));
    }
    QVERIFY(sizes[0] != sizes[1]);

    // The run going, the chart shows and the typing line keeps the focus.
    w.window.centralWidget()->setFocus(); // as after a click elsewhere
    QVERIFY(w.focusedLine() != w.activeInput());
    items[0]->trigger();
    showing(0);
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[0]);
    QVERIFY(panel.width() >= sizes[0].width() && panel.height() > sizes[0].height());
    // The close button lies below the picture, inside the panel.
    QVERIFY(panel.CMD_Close->geometry().top() >= panel.Image_WB_Show->geometry().bottom());
    QVERIFY(panel.rect().contains(panel.CMD_Close->geometry()));
    QVERIFY(w.window.centralWidget()->rect().contains(panel.geometry()));
    QCOMPARE(w.focusedLine(), w.activeInput());

    // The second item switches the picture; the option does the same, then
    // the focus goes back to a typing line.
    items[1]->trigger();
    showing(1);
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[1]);
    QVERIFY(panel.height() > sizes[1].height());
    panel.Option_Wb_TS[0]->setFocus();
    panel.Option_Wb_TS[0]->click();
    showing(0);
    QCOMPARE(panel.Image_WB_Show->pixmap().size(), sizes[0]);
    QCOMPARE(w.focusedLine(), w.activeInput());

    // Dragging the picture moves the panel.
    const QPoint before = panel.pos();
    const qsizetype notices = MsgScript::shown().size();
    QTest::mousePress(panel.Image_WB_Show, Qt::LeftButton, {}, QPoint(40, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(70, 60), panel.Image_WB_Show->mapToGlobal(QPointF(70, 60)),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(panel.Image_WB_Show, &move);
    QTest::mouseRelease(panel.Image_WB_Show, Qt::LeftButton, {}, QPoint(70, 60));
    QCOMPARE(panel.pos(), before + QPoint(30, 20));
    QCOMPARE(MsgScript::shown().size(), notices);

    // Only the mnemonic chart is missing: the root chart stays as it was.
    QTemporaryDir empty;
    QVERIFY(QFile::copy(App().Share_Path + "zgb.g", empty.filePath("zgb.g")));
    App().Share_Path = empty.path() + QLatin1Char('/');
    MsgScript::pushAnswer("OK");
    items[1]->trigger();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    QVERIFY(MsgScript::shown().last().text.contains("kj.g"));
    showing(0);
    QVERIFY(!panel.Image_WB_Show->pixmap().isNull());

    // Close clears the picture, hides the panel and unticks both items.
    QTest::mouseClick(panel.CMD_Close, Qt::LeftButton);
    showing(-1);
    QVERIFY(panel.Image_WB_Show->pixmap().isNull());
    // With neither file there, no panel comes up.
    QVERIFY(QFile::remove(empty.filePath("zgb.g")));
    MsgScript::pushAnswer("OK");
    items[0]->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    showing(-1);

    // A phrase drill: six four-character phrases a row; the record type
    // follows the ticked drill.
    MsgScript::pushAnswer("Yes");
    w.window.menus().wbPhrase[2]->trigger();
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tesmara → 五笔专区 → 四字词组"));
    QVERIFY(!w.window.menus().wbText[0]->isChecked());
    QVERIFY(QRegularExpression("^(\\S{4}\u3000){5}\\S{4}$").match(w.row0()).hasMatch());
    QCOMPARE(w.window.run().recordType(), 40);
    // The root drill shows roots, never their key letters.
    w.window.menus().wbText[3]->trigger();
    QVERIFY(!w.row0().contains(QRegularExpression("[A-Z]")));
    w.window.close();
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("303"));
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
    test::ScriptedRandom random({0.02, 0.31, 0.55, 0.97, 0.78, 0.12, 0.44});
    Started w;
    Form_Test_Common& window = w.window;
    KeyboardPage& page = window.keyboardPage();
    QAction* item = window.menus().keyboardMouse[0];
    QWidget* common = window.findChild<QWidget*>("Frame_Common");
    auto counts = [&w](int right, int wrong) {
        QCOMPARE(w.caption("Label_D_RW"), QStringLiteral("打对了 %1 个   打错了 %2 个").arg(right).arg(wrong));
    };
    item->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tesmara → 键盘指法练习"));
    QVERIFY(item->isChecked() && !window.menus().chinese[0]->isChecked());
    QVERIFY(page.isVisible() && !common->isVisible());
    QVERIFY(window.centralWidget()->rect().contains(page.geometry()));
    QCOMPARE(page.fingering().keySet(), Fingering::keySetFor(0, false));
    QCOMPARE(page.Image_Test_Keyboard->pixmap().size(), keyboard::boardSize(keyboard::Board::Main));
    QCOMPARE(page.Image_Test_Keyboard_Hand->pixmap().size(), keyboard::handsSize());
    verifyTarget(page);

    // A right key moves on; a wrong one counts, sounding only with a device.
    const QChar first = page.fingering().target();
    strike(&window, first, false);
    QVERIFY(page.fingering().target() != first);
    verifyTarget(page);
    counts(1, 0);
    window.sounds().setOutputCheck([] { return false; });
    QTest::keyClick(&window, Qt::Key_NumberSign);
    counts(1, 1);
    QCOMPARE(window.sounds().started(), 0);
    // Modifier keys alone, held keys and shortcuts count nothing; the
    // back-quote draws a new target without counting.
    const QChar second = page.fingering().target();
    QTest::keyClick(&window, Qt::Key_Shift);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", true);
    QCoreApplication::sendEvent(&window, &held);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_QuoteLeft);
    QVERIFY(page.fingering().target() != second);
    verifyTarget(page);
    counts(1, 1);

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
    strike(&window, QChar('P'), false);
    strike(&window, QChar('P'), false);
    QCOMPARE(page.fingering().target(), QChar('P'));
    counts(3, 1);

    // The number pad: the list is off, the counts and time start again, and
    // Enter, not the letter e, strikes "回车".
    page.Check_Box_Test_Key_Number->click();
    QVERIFY(!page.Combo_Test_KeyBoard->isEnabled() && page.Check_Test_KeyBoard->isHidden());
    QCOMPARE(page.fingering().keySet(), Fingering::numberPadSet());
    QCOMPARE(page.Image_Test_Keyboard->pixmap().size(), keyboard::boardSize(keyboard::Board::NumberPad));
    counts(0, 0);
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
    counts(strikes + 1, 1);

    // Another practice hides the page, stops its clocks and lets go of the
    // pictures; keys then count nothing there.
    window.menus().chinese[2]->trigger();
    QVERIFY(page.isHidden() && common->isVisible() && !item->isChecked());
    QVERIFY(!page.Timer_Key_Borad_Hand->Enabled() && !page.Timer_OverTime->Enabled());
    QVERIFY(page.Image_Test_Keyboard->pixmap().isNull() && page.Image_D_Go->pixmap().isNull());
    QVERIFY(page.Image_Test_Keyboard_Hand->pixmap().isNull() && page.fingerPicture(finger)->pixmap().isNull());
    const qint32 counted = page.fingering().right() + page.fingering().wrong();
    QTest::keyClick(&window, Qt::Key_QuoteLeft);
    QTest::keyClick(&window, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(page.fingering().right() + page.fingering().wrong(), counted);

    // Back on the page, the pad is still chosen; closing there stores "402".
    item->trigger();
    QVERIFY(page.numberPad() && page.isVisible());
    counts(0, 0);
    window.close();
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("402"));

    // Reopened on the pad without picture files: the pictures stay empty and
    // the practice goes on; back to ordinary keys it is stored as "400".
    QTemporaryDir empty;
    App().Share_Path = empty.path() + QLatin1Char('/');
    Started again;
    KeyboardPage& pad = again.window.keyboardPage();
    QVERIFY(again.window.menus().keyboardMouse[0]->isChecked() && pad.numberPad());
    QVERIFY(pad.Check_Box_Test_Key_Number->Value() && !pad.Combo_Test_KeyBoard->isEnabled());
    QVERIFY(pad.Image_Test_Keyboard->pixmap().isNull() && pad.Image_D_Go->pixmap().isNull());
    verifyTarget(pad);
    strike(&again.window, pad.fingering().target(), true);
    QCOMPARE(again.caption("Label_D_RW"), QStringLiteral("打对了 1 个   打错了 0 个"));
    pad.Check_Box_Test_Key_Number->click();
    QCOMPARE(pad.fingering().keySet(), Fingering::keySetFor(0, false));
    again.window.close();
    QCOMPARE(s.setting("Last_Test"), QStringLiteral("400"));
}

namespace {

// The cells of a table row, joined by "|".
QString rowText(const QTableWidget* table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        cells << table->item(row, column)->text();
    }
    return cells.join(QLatin1Char('|'));
}

} // namespace

void TestMainWindow::menusOpenTheirWindowsAndARunsMistakes()
{
    Session s;
    {
        // With no users only the add page can be chosen.
        UserWindow window;
        MsgScript::pushAnswer("OK");
        window.selectPage(UserWindow::DeletePage);
        QCOMPARE(test::lastMessage(), QStringLiteral("用户列表为空，当前只能进行添加用户的操作！"));
        QCOMPARE(window.page(), int(UserWindow::AddPage));
    }
    MsgScript::pushAnswer("OK");
    QCOMPARE(UserAccounts(App().Conn_Main, s.path()).add("韩梅梅", "p", "p"), UserAccounts::AddResult::Added);
    Started w;

    // Each item opens its window: records, positions and the four user pages,
    // each page with its own fields.
    const QStringList fields{"UserName",   "Text_UserName", "Text_Old",      "Text_New1", "Text_New2", "CMD_Add",
                             "CMD_Change", "CMD_Del",       "CMD_LoginMode", "Option1_0", "Option1_1"};
    const QList<QStringList> pageFields{{"Text_UserName", "Text_New1", "Text_New2", "CMD_Add"},
                                        {"UserName", "Text_Old", "Text_New1", "Text_New2", "CMD_Change"},
                                        {"UserName", "Text_Old", "CMD_Del"},
                                        {"Option1_0", "Option1_1", "UserName", "Text_New1", "CMD_LoginMode"}};
    QStringList opened;
    auto closeModal = [&](QWidget* modal) {
        auto* user = qobject_cast<UserWindow*>(modal);
        opened << modal->objectName() + (user ? QString::number(user->page()) : QString());
        for (const QString& name : user ? fields : QStringList()) {
            QCOMPARE(modal->findChild<QWidget*>(name)->isVisible(), pageFields[user->page()].contains(name));
        }
        if (user && user->page() == UserWindow::LoginModePage) {
            // A click on a tab turns the page; automatic login is set there.
            test::clickTab(modal->findChild<TS*>("TS1"), UserWindow::DeletePage);
            QCOMPARE(user->page(), int(UserWindow::DeletePage));
            user->selectPage(UserWindow::LoginModePage);
            test::click(modal->findChild<QWidget*>("Option1_1"));
            QTest::keyClicks(modal->findChild<QLineEdit*>("Text_New1"), "p");
            MsgScript::pushAnswer("OK");
            test::click(modal->findChild<Cmd*>("CMD_LoginMode"));
            QCOMPARE(test::lastMessage(), QStringLiteral("自动登录设置成功！"));
        }
        modal->close();
    };
    QList<QAction*> items = {w.window.findChild<QAction*>("Menu_Control_TestLog"),
                             w.window.findChild<QAction*>("Menu_Control_TextNo")};
    items << w.window.menus().user;
    for (QAction* item : items) {
        whenModalShown(closeModal);
        item->trigger();
    }
    QCOMPARE(opened, QStringList({"Form_Show_TestLog", "Form_Control_TestBegin", "Form_User0", "Form_User1",
                                  "Form_User2", "Form_User3"}));
    QCOMPARE(s.setting("Auto_Login_Name", App().Conn_Main), QStringLiteral("韩梅梅"));

    // The About box is the login window without its login fields; its links,
    // lit under the pointer, go to the shell as the menu's do, and its button
    // only closes it.
    QList<QUrl> urls;
    LoginWindow::urlOpener() = [&urls](const QUrl& url) {
        urls << url;
        return true;
    };
    w.window.menus().about->trigger();
    auto* about = qobject_cast<LoginWindow*>(QApplication::activeModalWidget());
    QVERIFY(about && about->isAboutMode());
    QVERIFY(!about->findChild<QWidget*>("Frame1_0")->isVisible());
    QVERIFY(about->findChild<QLabel*>("Label_About")->text().contains("软件版本：7.05"));
    QCOMPARE(about->findChild<Cmd*>("CMD_Login")->Caption(), QStringLiteral("关  闭"));
    auto* www = about->findChild<QLabel*>("Label_WWW");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(www, &enter);
    QCOMPARE(www->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(www, &leave);
    QCOMPARE(www->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    test::click(www);
    test::click(about->findChild<QLabel*>("Label_Mail"));
    test::click(about->findChild<Cmd*>("CMD_Login"));
    QVERIFY(!about->isVisible() && !QApplication::activeModalWidget());
    w.window.menus().www->trigger();
    w.window.menus().mail->trigger();
    w.window.menus().ver->trigger();
    QCOMPARE(urls.size(), 5);
    QCOMPARE(urls[0], QUrl(kDownloadPage));
    QCOMPARE(urls[2], QUrl(kHomePage));
    for (const QUrl& mail : {urls[1], urls[3]}) {
        QVERIFY(mail.toString().startsWith(QString::fromLatin1(kMailAddress) + "?subject="));
        QVERIFY(mail.query(QUrl::FullyDecoded).contains("关于 Tesmara"));
    }
    // The uninstall notice names the folder.
    MsgScript::pushAnswer("OK");
    w.window.menus().uninstall->trigger();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("软件卸载方法"));
    QVERIFY(MsgScript::shown().last().text.endsWith(QDir::toNativeSeparators(App().App_Path)));

    // The update flag is written at once.
    w.window.menus().autoUpdate->trigger();
    QCOMPARE(s.setting("Auto_Update", App().Conn_Main), QStringLiteral("0"));
    w.window.menus().autoUpdate->trigger();
    QCOMPARE(s.setting("Auto_Update", App().Conn_Main), QStringLiteral("1"));

    // The mistakes window.
    QAction* open = w.window.findChild<QAction*>("Menu_Control_Mistakes");
    QVERIFY(open && open->isEnabled());
    // No runs yet: a friendly word instead of an empty table.
    whenModalShown([](QWidget* modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("Form_Show_Mistakes"));
        QCOMPARE(modal->windowTitle(), QStringLiteral("错误统计"));
        auto* empty = modal->findChild<MSG_Label*>("Label_Empty");
        QVERIFY(empty->isVisible() && empty->Caption().startsWith(QStringLiteral("还没有错误统计。")));
        QVERIFY(!modal->findChild<QTableWidget*>("Grid_Weak")->isVisible());
        QVERIFY(!modal->findChild<Cmd*>("CMD_Drill")->isEnabled() && !modal->findChild<Cmd*>("CMD_Reset")->isEnabled());
        modal->close();
    });
    open->trigger();

    // A one-minute Chinese run: every 的 typed as 地, the first ， as 。.
    w.window.runPanel().Test_Time->setText("1");
    w.begin();
    int de = 0;
    int commas = 0;
    int stops = 0;
    for (int typed = 1; typed <= 60; ++typed) {
        const QChar expected = w.expected();
        if (expected == u'的') {
            ++de;
            w.commit("地");
        } else if (expected == u'，' && commas++ == 0) {
            w.commit("。");
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

    // The window opens on the Chinese practice: the table lists the two
    // characters typed wrong, weakest first, and the heat map has the keys
    // of the punctuation.
    whenModalShown([&](QWidget* modal) {
        QCOMPARE(modal->findChild<TS*>("TS_Kind")->TSWhoUp(), 1);
        QVERIFY(modal->findChild<MSG_Label*>("Label_Sum")
                    ->Caption()
                    .contains(QStringLiteral("完成练习 1 次　共打 60 个字符　打错 %1 个").arg(de + 1)));
        auto* table = modal->findChild<QTableWidget*>("Grid_Weak");
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(rowText(table, 0), QStringLiteral("的|%1|%1|100%|地 ×%1").arg(de));
        QCOMPARE(rowText(table, 1), QStringLiteral("，|%1|1|%2|。 ×1").arg(commas).arg(Rate_Text(1.0 / commas)));
        auto* map = modal->findChild<HeatMapView*>("Image_HeatMap");
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
        MsgScript::pushAnswer("No");
        modal->findChild<Cmd*>("CMD_Drill")->click();
        QCOMPARE(MsgScript::pending(), 0);
        modal->close();
    });
    open->trigger();
    // Clearing asks first, Enter alone keeps the statistics.
    whenModalShown([](QWidget* modal) {
        auto* reset = modal->findChild<Cmd*>("CMD_Reset");
        MsgScript::pushAnswer("No");
        reset->click();
        QCOMPARE(MsgScript::shown().last().text,
                 QStringLiteral("真的要清空“中文练习”的全部错误统计吗？\r\n清空后不能恢复。"));
        QCOMPARE(MsgScript::shown().last().focus, 4);
        QVERIFY(modal->findChild<QTableWidget*>("Grid_Weak")->isVisible());
        test::answer({"Yes", "OK"});
        reset->click();
        QVERIFY(!modal->findChild<QTableWidget*>("Grid_Weak")->isVisible() && !reset->isEnabled());
        modal->close();
    });
    open->trigger();
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(s.count("testlog"), 1);
    const QString drill = s.db().scalar("select T from text_ where N = '中文弱项_w'")->toString();
    QCOMPARE(QString(drill).remove(u'的').remove(u'，'), QString());
    QVERIFY(drill.count(u'的') > drill.count(u'，'));
    QCOMPARE(w.window.menus().saveWrongItems.last()->text(), QStringLiteral("中文弱项"));

    // A fingering session counts when the page is left.
    w.window.menus().keyboardMouse[0]->trigger();
    KeyboardPage& page = w.window.keyboardPage();
    strike(&w.window, page.fingering().target() == u'Q' ? QLatin1Char('W') : QLatin1Char('Q'), false);
    strike(&w.window, page.fingering().target(), false);
    w.window.menus().chinese[1]->trigger();
    const MistakeFigures keys = w.window.mistakes().read(int(PracticeKind::KeyMouse), MistakePeriod::All);
    QCOMPARE(QList<qint64>({keys.runs, keys.right, keys.wrong}), QList<qint64>({1, 1, 1}));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
