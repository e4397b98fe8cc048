#include "RunsFixture.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "articles/ui/Form_Input_Test_Text.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Text.h"

#include <QtTest>

using namespace tesmara;

class TestArticleEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void savesWhatTheWindowShows();
    void importSeveralFromTheMenu();
};

void TestArticleEditorWindow::savesWhatTheWindowShows()
{
    test::UserFolder user;
    ArticleEditor editor(user.db());
    editor.setText(QStringLiteral("一 二  三") + QString(60, QChar(0x5B57)));
    Form_Input_Test_Text window(editor);
    window.show();
    auto* name = window.findChild<Text*>(QStringLiteral("Text_Name"));
    auto* text = window.findChild<Text*>(QStringLiteral("Text_Test"));
    auto* check1 = window.findChild<Check_Box*>(QStringLiteral("Check_Box1"));
    auto* check2 = window.findChild<Check_Box*>(QStringLiteral("Check_Box2"));
    auto* full = window.findChild<Option*>(QStringLiteral("Option1_1"));
    auto* half = window.findChild<Option*>(QStringLiteral("Option1_0"));
    auto* count = window.findChild<MSG_Label*>(QStringLiteral("Label_Count"));
    QVERIFY(name && text && check1 && check2 && full && half && count);
    QCOMPARE(window.findChild<MSG_Label*>(QStringLiteral("Label1"))->Caption(),
             QStringLiteral("请输入文章的保存名称："));
    QCOMPARE(window.findChild<MSG_Label*>(QStringLiteral("Label2"))->Caption(), QStringLiteral("_u"));
    QVERIFY(!check1->Value());
    QVERIFY(check2->Value());
    QVERIFY(half->Value());

    // It opens on the editor's text.
    QCOMPARE(count->Caption(), QStringLiteral("练习内容(当前字数66个)"));
    check1->click();
    QVERIFY(!check2->isEnabled() && !full->isEnabled());
    check1->click();
    QVERIFY(check2->isEnabled() && full->isEnabled());
    full->click();
    QVERIFY(full->Value());
    QVERIFY(!half->Value());

    // A refused name keeps the window open, the name selected to type over.
    name->setText(QStringLiteral("十一个字的名字太长了吧"));
    MsgScript::pushAnswer(QStringLiteral("OK"));
    window.findChild<Cmd*>(QStringLiteral("CMD_Save"))->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(window.isVisible());
    QCOMPARE(user.count("text_"), 0);
    QCOMPARE(name->SelLength(), 11);

    name->setText(QStringLiteral("  窗口  "));
    MsgScript::pushAnswer(QStringLiteral("No"));
    window.findChild<Cmd*>(QStringLiteral("CMD_Save"))->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(name->text(), QStringLiteral("窗口"));
    const QString stored =
        user.db().scalar(QStringLiteral("select T from text_ where N = ?"), {QStringLiteral("窗口_u")})->toString();
    QCOMPARE(stored, QStringLiteral("一　二　三") + QString(60, QChar(0x5B57)));
    QCOMPARE(text->text(), stored);
}

void TestArticleEditorWindow::importSeveralFromTheMenu()
{
    test::UserFolder user;
    const QString dir = user.path() + QStringLiteral("txt/");
    const QString spaced = QStringLiteral("甲　甲  甲 甲").repeated(20);
    QVERIFY(test::writeFile(dir + "甲.txt", spaced.toUtf8()));
    QVERIFY(test::writeFile(dir + "乙.txt", spaced.toUtf8()));
    ArticleEditor editor(user.db());
    setNextImportFiles({dir + "甲.txt", dir + "乙.txt"});
    test::answer({"Yes", "Yes", "No", "No"}); // automatic; every space removed; saved, practised later
    Menu_Test_Definition_Txt_Click(nullptr, editor);
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("保存成功"));
    QCOMPARE(user.count("text_"), 2);
    const QString stored =
        user.db().scalar(QStringLiteral("select T from text_ where N = ?"), {QStringLiteral("乙_u")})->toString();
    QCOMPARE(stored, QString(80, QChar(0x7532)));
    // A cancelled dialog imports nothing.
    setNextImportFiles({});
    Menu_Test_Definition_Txt_Click(nullptr, editor);
    QCOMPARE(user.count("text_"), 2);
}

QTEST_MAIN(TestArticleEditorWindow)
#include "tst_articleeditorwindow.moc"
