#include "app/AppState.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "articles/ArticleManager.h"
#include "articles/PositionManager.h"
#include "articles/ui/EditorWindowHook.h"
#include "articles/ui/Form_Control_SaveText.h"
#include "articles/ui/Form_Control_TestBegin.h"
#include "articles/ui/Form_Input_Begin.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/TS.h"
#include "controls/ui/Text.h"
#include "store/Database.h"
#include "store/Schema.h"

#include "TestSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace tesmara;

namespace {

using test::addArticle;
using test::position;

} // namespace

class TestManagers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsOfEachKind();
    void resetAllKindOrOne_data();
    void resetAllKindOrOne();
    void setPositionOfBuiltInAndSavedArticles();
    void positionEntry_data();
    void positionEntry();

    void managerButtonsNeedTheRightChoice();
    void managerMergesThenDeletesAndReloadsMenus();
    void positionWindowResetsAndSets();
    void positionEntryRefusesLetters();

private:
    test::ProgramFolder* m_folder = nullptr;
    Database* m_db = nullptr;
};

void TestManagers::init()
{
    m_folder = new test::ProgramFolder;
    m_db = new Database;
    QVERIFY(m_db->open(m_folder->path() + QStringLiteral("d.at"), Database::Mode::ReadWrite));
    createUserTables(*m_db);
}

void TestManagers::cleanup()
{
    delete m_db;
    delete m_folder;
    m_db = nullptr;
    m_folder = nullptr;
}

void TestManagers::listsOfEachKind()
{
    // Built-in texts as the menus name them; a kind without saved articles
    // shows its placeholder.
    const QStringList chinese = Position_Items(*m_db, 0);
    QCOMPARE(chinese.size(), 12);
    QCOMPARE(chinese.mid(9), QStringList({"文章 10", "二级简码顺口词", "百家姓"}));
    QCOMPARE(Position_Items(*m_db, 1).size(), 10);
    QCOMPARE(Position_Items(*m_db, 2), QStringList{"此类暂无保存"});
    QCOMPARE(List_Articles(*m_db, "_u"), QStringList());
    // Saved articles in the order they were saved, without their suffix.
    addArticle(*m_db, "x_u_u", "text x"); // a name may itself end in "_u"
    addArticle(*m_db, "错字_w", "错");
    addArticle(*m_db, "abc_u", "text a");
    addArticle(*m_db, "zz_uw", "never listed");
    QCOMPARE(List_Articles(*m_db, Article_Suffix(0)), (QStringList{"x_u", "abc"}));
    QCOMPARE(List_Articles(*m_db, Article_Suffix(1)), QStringList{"错字"});
    QCOMPARE(Position_Items(*m_db, 2), (QStringList{"x_u", "abc"}));
    QCOMPARE(Position_Items(*m_db, 3), QStringList{"错字"});
    QCOMPARE(Article_Text(*m_db, "abc", "_u").value_or("missing"), QStringLiteral("text a"));
    QVERIFY(!Article_Text(*m_db, "abc", "_w"));
}

void TestManagers::resetAllKindOrOne_data()
{
    QTest::addColumn<int>("tab");      // -1: every kind
    QTest::addColumn<int>("item");     // -1: the whole kind
    QTest::addColumn<QString>("name"); // as the list shows it
    // 0000, 0003, 0011, 0100, 0105, a_u, b_u, a_w afterwards.
    QTest::addColumn<QList<qint64>>("positions");
    using P = QList<qint64>;
    QTest::addRow("everything") << -1 << -1 << "" << P{1, 1, 1, 1, 1, 1, 1, 1};
    QTest::addRow("Chinese") << 0 << -1 << "" << P{1, 1, 1, 77, 77, 55, 56, 57};
    QTest::addRow("English") << 1 << -1 << "" << P{77, 77, 77, 1, 1, 55, 56, 57};
    QTest::addRow("saved") << 2 << -1 << "" << P{77, 77, 77, 77, 77, 1, 1, 57};
    QTest::addRow("review") << 3 << -1 << "" << P{77, 77, 77, 77, 77, 55, 56, 1};
    QTest::addRow("Chinese essay 4") << 0 << 3 << "文章 4" << P{77, 1, 77, 77, 77, 55, 56, 57};
    QTest::addRow("百家姓") << 0 << 11 << "百家姓" << P{77, 77, 1, 77, 77, 55, 56, 57};
    QTest::addRow("English essay 6") << 1 << 5 << "文章 6" << P{77, 77, 77, 77, 1, 55, 56, 57};
    QTest::addRow("saved b") << 2 << 1 << "b" << P{77, 77, 77, 77, 77, 55, 1, 57};
    QTest::addRow("review a") << 3 << 0 << "a" << P{77, 77, 77, 77, 77, 55, 56, 1};
}

void TestManagers::resetAllKindOrOne()
{
    QFETCH(int, tab);
    QFETCH(int, item);
    QFETCH(QString, name);
    QFETCH(QList<qint64>, positions);
    const QStringList builtIn{"0000", "0003", "0011", "0100", "0105"};
    for (const QString& k : builtIn) {
        m_db->exec("insert into test_no (N, No_) values (?, 77)", {k});
    }
    addArticle(*m_db, "a_u", "a", 55);
    addArticle(*m_db, "b_u", "b", 56);
    addArticle(*m_db, "a_w", "w", 57);
    if (tab < 0) {
        Reset_All_Positions(*m_db);
    } else if (item < 0) {
        Reset_Tab_Positions(*m_db, tab);
    } else {
        Reset_Position(*m_db, tab, Position_Key(tab, item, name));
    }
    QList<qint64> after;
    for (const QString& k : builtIn) {
        after << position(*m_db, "test_no", k);
    }
    for (const char* k : {"a_u", "b_u", "a_w"}) {
        after << position(*m_db, "text_", QString::fromLatin1(k));
    }
    QCOMPARE(after, positions);
}

void TestManagers::setPositionOfBuiltInAndSavedArticles()
{
    // A built-in text with a row is set by the position window's test; one
    // never practised gets its row.
    QVERIFY(!Read_Position(*m_db, 1, "0107"));
    QVERIFY(Set_Position(*m_db, 1, "0107", 33));
    QCOMPARE(position(*m_db, "test_no", "0107"), 33);

    addArticle(*m_db, "it's_u", "text", 4);
    QVERIFY(Set_Position(*m_db, 2, "it's_u", 2000));
    QCOMPARE(position(*m_db, "text_", "it's_u"), 2000);
    QVERIFY(!Set_Position(*m_db, 3, "gone_w", 3));
    QCOMPARE(m_db->scalar("select count(*) from text_")->toInt(), 1);
}

void TestManagers::positionEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typingOk");
    QTest::addColumn<qint64>("value"); // -1: refused
    QTest::addRow("number") << "120" << true << qint64(120);
    QTest::addRow("spaces around") << " 42 " << false << qint64(42);
    QTest::addRow("empty") << "" << true << qint64(-1);
    QTest::addRow("sign") << "-5" << false << qint64(-1);
    QTest::addRow("fraction") << "1.5" << false << qint64(-1);
    QTest::addRow("full-width digits") << "１２" << false << qint64(-1);
    QTest::addRow("nine digits") << "999999999" << true << qint64(999999999);
    QTest::addRow("ten digits") << "9999999999" << true << qint64(-1);
}

void TestManagers::positionEntry()
{
    QFETCH(QString, text);
    QFETCH(bool, typingOk);
    QFETCH(qint64, value);
    QCOMPARE(Position_Entry_Ok(text), typingOk);
    const std::optional<qint64> parsed = Parse_Position(text);
    QCOMPARE(parsed.value_or(-1), value);
}

namespace {

Database& openUser(const QString& folder)
{
    Database& db = App().Conn_User;
    if (!db.isOpen()) {
        db.open(folder + QStringLiteral("user.at"), Database::Mode::ReadWrite);
        createUserTables(db);
    }
    return db;
}

void selectRows(QListWidget* list, const QList<int>& rows)
{
    list->clearSelection();
    for (int r : rows) {
        list->item(r)->setSelected(true);
    }
}

} // namespace

void TestManagers::managerButtonsNeedTheRightChoice()
{
    Database& db = openUser(m_folder->path());
    addArticle(db, "only_u", QString(60, QLatin1Char('x')));
    Form_Control_SaveText w;
    auto* list = w.findChild<QListWidget*>("List_Text");
    auto* tabs = w.findChild<TS*>("TS1");
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("用户自定义文章："));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("only"));

    test::clickTab(tabs, 1);
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("易错字复习："));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("本类无任何保存的项目"));
    // Clicking the placeholder selects nothing; every button then says so.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    list->item(0)->setSelected(true);
    QCOMPARE(w.selectedNames(), QStringList());
    for (const char* button : {"CMD_Change", "CMD_Del", "CMD_HB"}) {
        MsgScript::pushAnswer("OK");
        w.findChild<Cmd*>(button)->click();
        QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    }
    QCOMPARE(MsgScript::shown()[0].text, QStringLiteral("必须选择一个要修改的文章！"));
    QCOMPARE(MsgScript::shown()[1].text, QStringLiteral("必须选择一个要删除的文章！"));
    QCOMPARE(MsgScript::shown()[2].text, QStringLiteral("合并文章需要同时选择两篇或以上的文章！"));
    QCOMPARE(db.scalar("select count(*) from text_")->toInt(), 1);

    // Changing takes exactly one article, opened as it is stored.
    addArticle(db, "one_w", "错字");
    addArticle(db, "two_w", "别字");
    test::clickTab(tabs, 0);
    test::clickTab(tabs, 1);
    int shown = 0;
    setEditorWindowShower([&](QWidget*, ArticleEditor& editor) {
        ++shown;
        QCOMPARE(editor.mode(), SaveMode::Change);
        QCOMPARE(editor.name(), QStringLiteral("two"));
        QCOMPARE(editor.text(), QStringLiteral("别字"));
        QCOMPARE(editor.suffix(), QStringLiteral("_w"));
    });
    selectRows(list, {0, 1});
    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Change")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("只能选择一个要修改的文章！"));
    QCOMPARE(shown, 0);
    selectRows(list, {1});
    w.findChild<Cmd*>("CMD_Change")->click();
    setEditorWindowShower({});
    QCOMPARE(shown, 1);
}

void TestManagers::managerMergesThenDeletesAndReloadsMenus()
{
    Database& db = openUser(m_folder->path());
    const QString a = QStringLiteral("It's the first text, with 'single' quotes; ");
    const QString b = QStringLiteral("and \"double\" ones: '); delete from text_; -- ");
    const QString c = QStringLiteral("第三篇文章的内容。");
    addArticle(db, "a_u", a);
    addArticle(db, "b_u", b);
    addArticle(db, "c_u", c);
    addArticle(db, "b_w", "review");
    QString editorText;
    QString prompt;
    setEditorWindowShower([&](QWidget*, ArticleEditor& editor) {
        editorText = editor.text();
        prompt = ArticleEditor::label1Caption(editor.mode());
        QCOMPARE(editor.mode(), SaveMode::Merge);
        QCOMPARE(editor.suffix(), QStringLiteral("_u"));
        editor.setName(QStringLiteral("merged"));
        editor.CMD_Save_Click();
    });
    Form_Control_SaveText w;
    int reloads = 0;
    connect(&w, &Form_Control_SaveText::Reload_Menus, this, [&] { ++reloads; });
    auto* list = w.findChild<QListWidget*>("List_Text");
    selectRows(list, {2, 0, 1}); // list order counts, not the order of choosing
    test::answer({"No", "OK"});  // keep the sources; merged
    w.findChild<Cmd*>("CMD_HB")->click();
    setEditorWindowShower({});
    QCOMPARE(MsgScript::shown()[0].text, QStringLiteral("合并后是否删除所有原文章?"));
    QCOMPARE(editorText, a + b + c);
    QCOMPARE(prompt, QStringLiteral("请输入一个新名称："));
    QCOMPARE(List_Articles(db, "_u"), (QStringList{"a", "b", "c", "merged"}));
    QCOMPARE(list->count(), 4); // relisted
    QCOMPARE(reloads, 1);

    // Deleting asks first: No deletes nothing; Yes deletes the chosen kind only.
    selectRows(list, {0, 1, 2});
    MsgScript::pushAnswer("No");
    w.findChild<Cmd*>("CMD_Del")->click();
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("删除多个文章"));
    QCOMPARE(db.scalar("select count(*) from text_")->toInt(), 5);
    QCOMPARE(reloads, 1);
    test::answer({"Yes", "OK"});
    w.findChild<Cmd*>("CMD_Del")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("所选的全部文章删除成功！"));
    QCOMPARE(List_Articles(db, "_u"), QStringList{"merged"});
    QCOMPARE(List_Articles(db, "_w"), QStringList{"b"});
    QCOMPARE(list->count(), 1);
    QCOMPARE(reloads, 2);

    selectRows(list, {0});
    test::answer({"Yes", "OK"});
    w.findChild<Cmd*>("CMD_Del")->click();
    QCOMPARE(MsgScript::shown()[MsgScript::shown().size() - 2].title, QStringLiteral("删除文章"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("所选的文章删除成功！"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("本类无任何保存的项目"));
    QCOMPARE(reloads, 3);
}

void TestManagers::positionWindowResetsAndSets()
{
    Database& db = openUser(m_folder->path());
    db.exec("insert into test_no (N, No_) values ('0003', 50)");
    db.exec("insert into test_no (N, No_) values ('0004', 60)");
    db.exec("insert into test_no (N, No_) values ('0100', 70)");
    addArticle(db, "mine_u", "m", 80);
    QString offered;
    QString answer = QStringLiteral("120");
    Form_Control_TestBegin::setBeginAsker([&](QWidget*, const QString& initial) {
        offered = initial;
        return answer;
    });
    Form_Control_TestBegin w;
    auto* list = w.findChild<QListWidget*>("List_Text");
    QCOMPARE(list->count(), 12);

    // Nothing selected.
    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Set")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("您还没有选中任何的项！"));

    list->setCurrentRow(3);
    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Set")->click();
    QCOMPARE(offered, QStringLiteral("50"));
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("120"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，所选的文章下次将从第 120 个字符开始读取！"));
    QCOMPARE(position(db, "test_no", "0003"), 120);
    QCOMPARE(position(db, "test_no", "0004"), 60);

    // Cancelled: unchanged, no notice.
    answer.clear();
    const qsizetype before = MsgScript::shown().size();
    w.findChild<Cmd*>("CMD_Set")->click();
    QCOMPARE(MsgScript::shown().size(), before);
    QCOMPARE(position(db, "test_no", "0003"), 120);

    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Select")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，该文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0003"), 1);

    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Now")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，本类型所有文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0004"), 1);
    QCOMPARE(position(db, "test_no", "0100"), 70);

    // The review tab is empty: its placeholder cannot be chosen.
    test::clickTab(w.findChild<TS*>("TS1"), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("此类暂无保存"));
    list->item(0)->setSelected(true);
    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_Select")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("您还没有选中任何的项！"));

    MsgScript::pushAnswer("OK");
    w.findChild<Cmd*>("CMD_All")->click();
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，所有类型的所有文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0100"), 1);
    QCOMPARE(position(db, "text_", "mine_u"), 1);
    Form_Control_TestBegin::setBeginAsker({});
}

void TestManagers::positionEntryRefusesLetters()
{
    Form_Input_Begin dialog(QStringLiteral("35"));
    Text* entry = dialog.findChild<Text*>("Text_Begin");
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("35"));
    auto* edit = qobject_cast<QLineEdit*>(entry->inner());
    QVERIFY(edit);
    dialog.show();
    edit->setFocus();
    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "7x-.a9");
    QCOMPARE(entry->text(), QStringLiteral("3579"));
    // Pasted text goes round the keys and is refused whole.
    edit->insert(QStringLiteral("12ab"));
    QCOMPARE(entry->text(), QStringLiteral("3579"));
    entry->setText(QStringLiteral("abc"));
    QCOMPARE(entry->text(), QStringLiteral("3579"));
    // Enter in the entry presses the default button, OK.
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog.result(), QStringLiteral("3579"));

    Form_Input_Begin cancelled(QStringLiteral("8"));
    cancelled.findChild<Cmd*>("CMD_Cancel")->click();
    QCOMPARE(cancelled.result(), QString());
}

QTEST_MAIN(TestManagers)
#include "tst_managers.moc"
