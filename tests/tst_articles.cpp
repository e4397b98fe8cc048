#include "RunsFixture.h"
#include "app/Msg.h"
#include "articles/ArticleEditor.h"
#include "articles/ArticleImport.h"
#include "articles/ArticleManager.h"
#include "articles/PositionManager.h"
#include "articles/ui/EditorWindowHook.h"
#include "articles/ui/Form_Control_SaveText.h"
#include "articles/ui/Form_Control_TestBegin.h"
#include "articles/ui/Form_Input_Begin.h"
#include "articles/ui/Form_Input_Test_Text.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/TS.h"
#include "controls/ui/Text.h"
#include "store/RecordCode.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QtTest>

using namespace tesmara;

namespace {

using test::addArticle;
using test::position;

QString longText(int n, QChar c = QChar(0x6587))
{
    return QString(n, c);
}

struct Row {
    QString T;
    QString C;
    qint64 No_ = -1;
    bool found = false;
};

Row row(Database& db, const QString& n)
{
    Row r;
    QSqlQuery q = db.exec(QStringLiteral("select T, C, No_ from text_ where N = ?"), {n});
    if (q.next()) {
        r = Row{q.value(0).toString(), q.value(1).toString(), q.value(2).toLongLong(), true};
    }
    return r;
}

// `bytes` written to the file `path`, then read back as an article.
ArticleFile readBack(const QString& path, const QByteArray& bytes)
{
    return test::writeFile(path, bytes) ? readArticleFile(path) : ArticleFile{ArticleFile::Status::Missing, {}};
}

// Saves what the editor holds, its message answered with `answer`.
bool save(ArticleEditor& editor, const QString& answer)
{
    MsgScript::pushAnswer(answer);
    return editor.CMD_Save_Click();
}

// Clicks the window's button `name`, its messages answered with `answers`.
void press(QWidget& window, const QString& name, const QStringList& answers = {})
{
    test::answer(answers);
    window.findChild<Cmd*>(name)->click();
}

} // namespace

class TestArticles : public QObject {
    Q_OBJECT
private slots:
    void savingChecksNameAndLength_data();
    void savingChecksNameAndLength();
    void spaceCleaning_data();
    void spaceCleaning();
    void awkwardNamesAndTextsAreStoredExactly();
    void changeAndMergeReplaceStoredArticles();
    void readingFiles();
    void refusedFiles();
    void importOneFileOpensEditorAndRemembersItsFolder();
    void importSeveralFilesAutomatically();
    void editorWindowSavesWhatItShows();

    void listsOfEachKind();
    void resetAllKindOrOne_data();
    void resetAllKindOrOne();
    void setPositionOfBuiltInAndSavedArticles();
    void positionEntry_data();
    void positionEntry();

    void managerChoosesThenChangesMergesAndDeletes();
    void positionWindowResetsAndSets();
    void positionEntryRefusesLetters();
};

void TestArticles::savingChecksNameAndLength_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removeSpaces");
    QTest::addColumn<QString>("refusal"); // "title|text", "" when saved
    const QString badName = QStringLiteral("错误|名称长度只能是 1 - 10 位，并且前后不能包含空格。");
    const QString tooShort = QStringLiteral("错误|文章长度必须大于 50 个字符。");
    const auto row = [](const char* tag, const QString& name, const char* suffix, const QString& text,
                        bool removeSpaces, const QString& refusal) {
        QTest::addRow("%s", tag) << name << QString::fromLatin1(suffix) << text << removeSpaces << refusal;
    };
    row("eleven letters", "abcdefghijk", "_u", longText(60), false, badName);
    row("blank name", "   ", "_u", longText(60), false, badName);
    row("name in blanks", " abc ", "_u", longText(60), false, "");
    row("ten Chinese", "十个字的名称正好十个", "_u", longText(60), false, "");
    row("49 characters", "短", "_u", longText(49), false, tooShort);
    // Spaces removed by the clean-up count against the length.
    row("50 with 5 spaces removed", "短", "_u", longText(45) + "     ", true, tooShort);
    row("50 characters", "短", "_u", longText(50), false, "");
    row("65001 characters", "最长", "_u", longText(65001, 'x'), false, "长度限制|文章内容不得超过 65000 个字符。");
    row("65000 characters", "最长", "_u", longText(65000, 'x'), false, "");
    // A review article may be short, but not blank.
    row("one-character review", "复习", "_w", "错", false, "");
    row("blank review", "空", "_w", "  　 ", false, tooShort);
}

void TestArticles::savingChecksNameAndLength()
{
    QFETCH(QString, name);
    QFETCH(QString, suffix);
    QFETCH(QString, text);
    QFETCH(bool, removeSpaces);
    QFETCH(QString, refusal);
    test::UserFolder user;
    ArticleEditor editor(user.db());
    QSignalSpy focus(&editor, &ArticleEditor::nameFocusRequested);
    QSignalSpy practise(&editor, &ArticleEditor::practiceRequested);
    QSignalSpy changed(&editor, &ArticleEditor::articlesChanged);
    editor.setName(name);
    editor.setSuffix(suffix);
    editor.setText(text);
    editor.setOptions(SpaceOptions{removeSpaces, false, false});
    QCOMPARE(save(editor, refusal.isEmpty() ? "Yes" : "OK"), refusal.isEmpty());
    QCOMPARE(changed.count(), refusal.isEmpty() ? 1 : 0);
    const MsgRequest shown = MsgScript::shown().last();
    if (!refusal.isEmpty()) {
        QCOMPARE(shown.title + "|" + shown.text, refusal);
        QCOMPARE(user.count("text_"), 0);
        QCOMPARE(focus.count(), refusal.contains(QStringLiteral("名称")) ? 1 : 0);
        return;
    }
    QCOMPARE(shown.title + "|" + shown.text, QStringLiteral("保存成功|保存成功！是否马上用其进行练习?"));
    QCOMPARE(editor.name(), name.trimmed());
    QCOMPARE(row(user.db(), name.trimmed() + suffix).T, text);
    QCOMPARE(practise.count(), 1);
    QCOMPARE(practise.first().at(0).toString(), name.trimmed() + suffix);
}

void TestArticles::spaceCleaning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removeAll");
    QTest::addColumn<bool>("collapse");
    QTest::addColumn<bool>("fullWidth");
    QTest::addColumn<QString>("expected");
    const QString mixed = QStringLiteral("a　　 b  c　d");
    QTest::addRow("remove all") << mixed << true << true << true << QStringLiteral("abcd");
    QTest::addRow("half, collapsed") << mixed << false << true << false << QStringLiteral("a b c d");
    QTest::addRow("half, kept") << mixed << false << false << false << QStringLiteral("a   b  c d");
    QTest::addRow("full, collapsed") << mixed << false << true << true << QStringLiteral("a　b　c　d");
    QTest::addRow("full, kept") << mixed << false << false << true << QStringLiteral("a　　　b　　c　d");
    QTest::addRow("long runs") << QString(9, QLatin1Char(' ')) << false << true << false << QStringLiteral(" ");
}

void TestArticles::spaceCleaning()
{
    QFETCH(QString, text);
    QFETCH(bool, removeAll);
    QFETCH(bool, collapse);
    QFETCH(bool, fullWidth);
    QFETCH(QString, expected);
    QCOMPARE(ArticleEditor::cleanSpaces(text, SpaceOptions{removeAll, collapse, fullWidth}), expected);
}

void TestArticles::awkwardNamesAndTextsAreStoredExactly()
{
    test::UserFolder user;
    ArticleEditor editor(user.db());
    QSignalSpy practise(&editor, &ArticleEditor::practiceRequested);
    const QString quoted =
        QStringLiteral("It's a 'quoted' text; with \"double\" quotes, 100% and a\\backslash -- ") + longText(20);
    const QStringList names{QStringLiteral("it's"),    QStringLiteral("50%"), QStringLiteral("a\\b"),
                            QStringLiteral("%"),       QStringLiteral("_"),   QStringLiteral("\"q\""),
                            QStringLiteral("x' or '1")};
    for (const QString& n : names) {
        editor.setName(n);
        editor.setText(quoted + n + QStringLiteral("\r\nnext\tline"));
        QVERIFY2(save(editor, "No"), qPrintable(n));
    }
    // Line ends and TABs are gone, the check fits the text, reading starts
    // at its beginning; declining to practise now practises nothing.
    QCOMPARE(user.count("text_"), names.size());
    for (const QString& n : names) {
        const Row r = row(user.db(), n + QStringLiteral("_u"));
        QCOMPARE(r.T, quoted + n + QStringLiteral("nextline"));
        QCOMPARE(r.C, Code_Of(r.T));
        QCOMPARE(r.No_, 1);
    }
    QCOMPARE(practise.count(), 0);
    // Wildcards match nothing but themselves; a taken name is refused and
    // the stored article kept.
    editor.setName(QStringLiteral("50x"));
    editor.setText(longText(50));
    QVERIFY(save(editor, "No"));
    QSignalSpy focus(&editor, &ArticleEditor::nameFocusRequested);
    editor.setName(QStringLiteral("%"));
    QVERIFY(!save(editor, "OK"));
    QCOMPARE(test::lastMessage(), QStringLiteral("您所输入的保存名称 < % > 已存在，请另起一个名称。"));
    QCOMPARE(focus.count(), 1);
    QCOMPARE(row(user.db(), "%_u").T, quoted + "%nextline");
    // The same name as a review article is another article.
    editor.setSuffix(QStringLiteral("_w"));
    QVERIFY(save(editor, "No"));
    QCOMPARE(row(user.db(), "%_w").T, longText(50));
}

void TestArticles::changeAndMergeReplaceStoredArticles()
{
    test::UserFolder user;
    for (const char* n : {"甲_u", "甲_w", "乙_u", "丙_u", "丁_u"}) {
        user.db().exec(QStringLiteral("insert into text_ (N, T, C, No_) values (?, 'old', 'x', 77)"),
                       {QString::fromUtf8(n)});
    }
    ArticleEditor editor(user.db());
    QSignalSpy refresh(&editor, &ArticleEditor::managerRefreshRequested);
    // A change rewrites the text and its check and reads it from the start.
    editor.setMode(ArticleEditor::modeForCaption(QStringLiteral("文章保存的名称：")));
    QCOMPARE(editor.mode(), SaveMode::Change);
    editor.setName(QStringLiteral("乙"));
    editor.setText(longText(55));
    QVERIFY(save(editor, "OK"));
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("操作成功"));
    QCOMPARE(test::lastMessage(), QStringLiteral("文章内容修改成功！"));
    Row r = row(user.db(), "乙_u");
    QCOMPARE(r.T, longText(55));
    QCOMPARE(r.C, Code_Of(longText(55)));
    QCOMPARE(r.No_, 1);
    QCOMPARE(refresh.count(), 1);
    editor.setName(QStringLiteral("戊"));
    QVERIFY(!save(editor, "OK"));
    QCOMPARE(test::lastMessage(), QStringLiteral("找不到该文章！"));
    QCOMPARE(user.count("text_"), 5);

    // A merge replaces its sources of both kinds.
    QCOMPARE(ArticleEditor::modeForCaption(QStringLiteral("随便什么")), SaveMode::Merge);
    editor.setMode(SaveMode::Merge);
    editor.setMergeSources({QStringLiteral("甲"), QStringLiteral("乙")});
    editor.setText(longText(60));
    // A name taken by an article outside the merge: refused, nothing gone.
    editor.setName(QStringLiteral("丙"));
    QVERIFY(!save(editor, "OK"));
    QCOMPARE(test::lastMessage(), QStringLiteral("您所输入的保存名称 < 丙 > 已存在，请另起一个名称。"));
    QCOMPARE(user.count("text_"), 5);
    // The name of a merged article is free again.
    editor.setName(QStringLiteral("甲"));
    QVERIFY(save(editor, "OK"));
    QCOMPARE(test::lastMessage(), QStringLiteral("文章内容合并成功！"));
    QCOMPARE(user.count("text_"), 3);
    r = row(user.db(), "甲_u");
    QCOMPARE(r.T, longText(60));
    QCOMPARE(r.C, Code_Of(r.T));
    QCOMPARE(r.No_, 1);
    QVERIFY(!row(user.db(), "甲_w").found);
    QVERIFY(!row(user.db(), "乙_u").found);
}

void TestArticles::readingFiles()
{
    test::UserFolder user;
    const QString dir = user.path() + QStringLiteral("in/");
    // Several lines, TABs, CR LF and a final line end: one run of text.
    ArticleFile f = readBack(dir + "lines.txt", "first line\r\nsecond\tline\nthird\r\n");
    QCOMPARE(f.status, ArticleFile::Status::Ok);
    QCOMPARE(f.text, QStringLiteral("first linesecondlinethird"));

    // GBK bytes (not valid UTF-8) and UTF-8 with a byte-order mark.
    QStringEncoder gbk("GB18030");
    QCOMPARE(readBack(dir + "gbk.txt", QByteArray(gbk.encode(QStringLiteral("中文文章，测试。")))).text,
             QStringLiteral("中文文章，测试。"));
    QCOMPARE(readBack(dir + "bom.txt", "\xEF\xBB\xBF" + QStringLiteral("中文").toUtf8()).text, QStringLiteral("中文"));
    // UTF-8 with one damaged byte: the byte becomes a replacement mark.
    f = readBack(dir + "stray.txt",
                 QStringLiteral("中文文章").toUtf8() + "\xFF" + QStringLiteral("测试，一二三。").toUtf8());
    QCOMPARE(f.status, ArticleFile::Status::Ok);
    QCOMPARE(f.text, QStringLiteral("中文文章\uFFFD测试，一二三。"));
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    QCOMPARE(readBack(dir + "u16.txt", "\xFF\xFE" + QByteArray(utf16.encode(QStringLiteral("中文\r\nabc")))).text,
             QStringLiteral("中文abc"));

    // 65000 characters after decoding and TAB removal are accepted, 65001 not.
    QByteArray exact = QString(65000, QChar(0x5B57)).toUtf8();
    f = readBack(dir + "exact.txt", exact + "\t\t\r\n");
    QCOMPARE(f.status, ArticleFile::Status::Ok);
    QCOMPARE(f.text.size(), 65000);
    QCOMPARE(readBack(dir + "over.txt", exact + "\tx").status, ArticleFile::Status::TooLong);

    QCOMPARE(articleNameFromFile(dir + "My Text.TXT"), QStringLiteral("My Text"));
    QCOMPARE(articleNameFromFile(dir + "a.b.txt"), QStringLiteral("a.b"));
    QCOMPARE(articleNameFromFile(dir + "noext"), QStringLiteral("noext"));
}

void TestArticles::refusedFiles()
{
    test::UserFolder user;
    const QString dir = user.path() + QStringLiteral("in/");
    QByteArray garbage; // every byte value, NULs among them
    for (int i = 0; i < 4096; ++i) {
        garbage.append(char(i * 7 % 256));
    }
    QCOMPARE(readBack(dir + "garbage.txt", garbage).status, ArticleFile::Status::NotText);
    // No NULs, but control characters all over.
    QByteArray controls;
    for (int i = 0; i < 400; ++i) {
        controls.append(char(1 + i % 30));
        controls.append('a');
    }
    QCOMPARE(readBack(dir + "controls.txt", controls).status, ArticleFile::Status::NotText);
    QCOMPARE(readBack(dir + "empty.txt", "").status, ArticleFile::Status::Empty);
    QCOMPARE(readBack(dir + "blank.txt", "\r\n\t \r\n").status, ArticleFile::Status::Empty);
    QCOMPARE(readArticleFile(dir + "gone.txt").status, ArticleFile::Status::Missing);
    QCOMPARE(readArticleFile(dir).status, ArticleFile::Status::Unreadable);
    {
        test::PermissionsApply permissions;
        QVERIFY(test::writeFile(dir + "locked.txt", "text"));
        QFile::setPermissions(dir + "locked.txt", QFileDevice::Permissions());
        QCOMPARE(readArticleFile(dir + "locked.txt").status, ArticleFile::Status::Unreadable);
    }
    // A pipe would never end and a device never run dry: only regular files
    // are read, and a pipe is not even opened.
    {
        test::FifoWatch fifo(dir + "pipe.txt");
        QVERIFY(fifo.isValid());
        QCOMPARE(readArticleFile(dir + "pipe.txt").status, ArticleFile::Status::NotRegular);
        QVERIFY(!fifo.opened());
    }
    QCOMPARE(readArticleFile(QStringLiteral("/dev/zero")).status, ArticleFile::Status::NotRegular);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir + "zero.txt"));
    QCOMPARE(readArticleFile(dir + "zero.txt").status, ArticleFile::Status::NotRegular);

    // Importing them: one clear message each, nothing stored, the window
    // never opened.
    ArticleEditor editor(user.db());
    ArticleImporter importer(user.db(), editor, user.path());
    const QStringList paths{dir + "garbage.txt", dir + "empty.txt", dir + "gone.txt"};
    test::answer({"No", "OK", "OK", "OK"}); // not automatic; a notice for each file
    int opened = 0;
    importer.importFiles(paths, [&] { ++opened; });
    QCOMPARE(opened, 0);
    QCOMPARE(MsgScript::pending(), 0);
    const QList<MsgRequest> shown = MsgScript::shown();
    QCOMPARE(shown[1].text,
             QStringLiteral("文件 ") + dir + QStringLiteral("garbage.txt 不是文本文件，无法作为文章导入。"));
    QCOMPARE(shown[2].text, QStringLiteral("文件 ") + dir + QStringLiteral("empty.txt 中没有任何文字，将跳过该文件。"));
    QCOMPARE(shown[3].text, QStringLiteral("您指定的文件 ") + dir + QStringLiteral("gone.txt 不存在，请重新选择。"));
    QCOMPARE(shown[3].title, QStringLiteral("错误"));
    QCOMPARE(user.count("text_"), 0);
}

void TestArticles::importOneFileOpensEditorAndRemembersItsFolder()
{
    test::UserFolder user;
    const QString dir = user.path() + QStringLiteral("in/");
    const QString body = QString(30, QChar(0x4E2D));
    QVERIFY(test::writeFile(dir + "散文.txt", (body + "\r\n" + body).toUtf8()));
    ArticleEditor editor(user.db());
    editor.setMode(SaveMode::Change);
    ArticleImporter importer(user.db(), editor, user.path());
    QCOMPARE(importer.startFolder(), user.path());
    int opened = 0;
    importer.importFiles({dir + "散文.txt"}, [&] {
        ++opened;
        // What the window shows, and its save.
        QCOMPARE(editor.name(), QStringLiteral("散文"));
        QCOMPARE(editor.text(), body + body);
        QCOMPARE(editor.mode(), SaveMode::New);
        QCOMPARE(editor.suffix(), QStringLiteral("_u"));
        QVERIFY(save(editor, "No"));
    });
    QCOMPARE(opened, 1);
    QCOMPARE(row(user.db(), "散文_u").T, body + body);
    // The next import starts in this folder, while it is there.
    QCOMPARE(importer.startFolder(), QDir(dir).absolutePath());
    QVERIFY(QDir(dir).removeRecursively());
    QCOMPARE(importer.startFolder(), QString());
}

void TestArticles::importSeveralFilesAutomatically()
{
    test::UserFolder user;
    const QString dir = user.path() + QStringLiteral("in/");
    const QByteArray spaced = QStringLiteral("字　字  字 字").repeated(20).toUtf8();
    QVERIFY(test::writeFile(dir + "one.txt", spaced));
    QVERIFY(test::writeFile(dir + "two.txt", spaced));
    QVERIFY(test::writeFile(dir + "a name too long.txt", spaced));
    QVERIFY(test::writeFile(dir + "short.txt", "too short"));
    user.db().exec(QStringLiteral("insert into text_ (N, T, C, No_) values ('two_u', 'kept', 'c', 1)"));

    ArticleEditor editor(user.db());
    ArticleImporter importer(user.db(), editor, user.path());
    // Automatic, spaces kept, half-width; one saved and practised later; two,
    // the long name and the short text refused.
    test::answer({"Yes", "No", "Yes", "No", "OK", "OK", "OK"});
    int opened = 0;
    importer.importFiles({dir + "one.txt", dir + "two.txt", dir + "a name too long.txt", dir + "short.txt"},
                         [&] { ++opened; });
    QCOMPARE(opened, 0);
    QCOMPARE(MsgScript::pending(), 0);
    const QList<MsgRequest> shown = MsgScript::shown();
    QCOMPARE(shown[0].title, QStringLiteral("添加多个文件"));
    QCOMPARE(shown[1].text, QStringLiteral("您选择了自动添加模式，需要自动清空文章中所有空格吗?"));
    QCOMPARE(shown[2].title, QStringLiteral("选择操作"));
    QCOMPARE(shown[4].text, QStringLiteral("您所输入的保存名称 < two > 已存在，将跳过该文件的导入。"));
    QCOMPARE(shown[5].text, QStringLiteral("名称长度只能是 1 - 10 位，并且前后不能包含空格。"));
    QCOMPARE(shown[6].text, QStringLiteral("将跳过 short 的导入。\r\n文章长度必须大于 50 个字符。"));
    QCOMPARE(row(user.db(), "one_u").T, QStringLiteral("字 字 字 字").repeated(20));
    QCOMPARE(row(user.db(), "two_u").T, QStringLiteral("kept"));
    QCOMPARE(user.count("text_"), 2);

    // From the menu: automatic with every space removed; both saved and
    // practised later. A cancelled dialog imports nothing.
    setNextImportFiles({dir + "甲.txt", dir + "乙.txt"});
    QVERIFY(test::writeFile(dir + "甲.txt", spaced));
    QVERIFY(test::writeFile(dir + "乙.txt", spaced));
    test::answer({"Yes", "Yes", "No", "No"});
    Menu_Test_Definition_Txt_Click(nullptr, editor);
    QCOMPARE(MsgScript::pending(), 0);
    QCOMPARE(row(user.db(), "乙_u").T, QString(80, QChar(0x5B57)));
    QCOMPARE(user.count("text_"), 4);
    setNextImportFiles({});
    Menu_Test_Definition_Txt_Click(nullptr, editor);
    QCOMPARE(user.count("text_"), 4);
}

void TestArticles::editorWindowSavesWhatItShows()
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
    QCOMPARE(window.findChild<MSG_Label*>(QStringLiteral("Label1"))->Caption(),
             QStringLiteral("请输入文章的保存名称："));
    QCOMPARE(window.findChild<MSG_Label*>(QStringLiteral("Label2"))->Caption(), QStringLiteral("_u"));

    // It opens on the editor's text; the clean-up it starts with (spaces
    // collapsed, not removed) shows in what is saved.
    QCOMPARE(count->Caption(), QStringLiteral("练习内容(当前字数66个)"));
    check1->click();
    QVERIFY(!check2->isEnabled() && !full->isEnabled());
    check1->click();
    QVERIFY(check2->isEnabled() && full->isEnabled());
    QVERIFY(half->Value());
    full->click();
    QVERIFY(!half->Value());

    // A refused name keeps the window open, the name selected to type over.
    name->setText(QStringLiteral("十一个字的名字太长了吧"));
    press(window, "CMD_Save", {"OK"});
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(window.isVisible());
    QCOMPARE(user.count("text_"), 0);
    QCOMPARE(name->SelLength(), 11);

    name->setText(QStringLiteral("  窗口  "));
    press(window, "CMD_Save", {"No"});
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(name->text(), QStringLiteral("窗口"));
    const QString stored =
        user.db().scalar(QStringLiteral("select T from text_ where N = ?"), {QStringLiteral("窗口_u")})->toString();
    QCOMPARE(stored, QStringLiteral("一　二　三") + QString(60, QChar(0x5B57)));
    QCOMPARE(text->text(), stored);
}

void TestArticles::listsOfEachKind()
{
    test::UserFolder user;
    Database& db = user.db();
    // Built-in texts as the menus name them; a kind without saved articles
    // shows its placeholder.
    QCOMPARE(Position_Items(db, 0).mid(9), QStringList({"文章 10", "二级简码顺口词", "百家姓"}));
    QCOMPARE(Position_Items(db, 1).size(), 10);
    QCOMPARE(Position_Items(db, 2), QStringList{"此类暂无保存"});
    // Saved articles in the order they were saved, without their suffix.
    addArticle(db, "x_u_u", "text x"); // a name may itself end in "_u"
    addArticle(db, "错字_w", "错");
    addArticle(db, "abc_u", "text a");
    addArticle(db, "zz_uw", "never listed");
    QCOMPARE(List_Articles(db, Article_Suffix(0)), (QStringList{"x_u", "abc"}));
    QCOMPARE(Position_Items(db, 2), (QStringList{"x_u", "abc"}));
    QCOMPARE(Position_Items(db, 3), QStringList{"错字"});
    QVERIFY(!Article_Text(db, "abc", "_w"));
}

void TestArticles::resetAllKindOrOne_data()
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
    QTest::addRow("百家姓") << 0 << 11 << "百家姓" << P{77, 77, 1, 77, 77, 55, 56, 57};
    QTest::addRow("English essay 6") << 1 << 5 << "文章 6" << P{77, 77, 77, 77, 1, 55, 56, 57};
    QTest::addRow("saved b") << 2 << 1 << "b" << P{77, 77, 77, 77, 77, 55, 1, 57};
    QTest::addRow("review a") << 3 << 0 << "a" << P{77, 77, 77, 77, 77, 55, 56, 1};
}

void TestArticles::resetAllKindOrOne()
{
    test::UserFolder user;
    Database& db = user.db();
    QFETCH(int, tab);
    QFETCH(int, item);
    QFETCH(QString, name);
    QFETCH(QList<qint64>, positions);
    const QStringList builtIn{"0000", "0003", "0011", "0100", "0105"};
    for (const QString& k : builtIn) {
        db.exec("insert into test_no (N, No_) values (?, 77)", {k});
    }
    addArticle(db, "a_u", "a", 55);
    addArticle(db, "b_u", "b", 56);
    addArticle(db, "a_w", "w", 57);
    if (tab < 0) {
        Reset_All_Positions(db);
    } else if (item < 0) {
        Reset_Tab_Positions(db, tab);
    } else {
        Reset_Position(db, tab, Position_Key(tab, item, name));
    }
    QList<qint64> after;
    for (const QString& k : builtIn) {
        after << position(db, "test_no", k);
    }
    for (const char* k : {"a_u", "b_u", "a_w"}) {
        after << position(db, "text_", QString::fromLatin1(k));
    }
    QCOMPARE(after, positions);
}

void TestArticles::setPositionOfBuiltInAndSavedArticles()
{
    test::UserFolder user;
    Database& db = user.db();
    // A built-in text with a row is set by the position window's test; one
    // never practised gets its row.
    QVERIFY(!Read_Position(db, 1, "0107"));
    QVERIFY(Set_Position(db, 1, "0107", 33));
    QCOMPARE(position(db, "test_no", "0107"), 33);

    addArticle(db, "it's_u", "text", 4);
    QVERIFY(Set_Position(db, 2, "it's_u", 2000));
    QCOMPARE(position(db, "text_", "it's_u"), 2000);
    QVERIFY(!Set_Position(db, 3, "gone_w", 3));
    QCOMPARE(db.scalar("select count(*) from text_")->toInt(), 1);
}

void TestArticles::positionEntry_data()
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

void TestArticles::positionEntry()
{
    QFETCH(QString, text);
    QFETCH(bool, typingOk);
    QFETCH(qint64, value);
    QCOMPARE(Position_Entry_Ok(text), typingOk);
    const std::optional<qint64> parsed = Parse_Position(text);
    QCOMPARE(parsed.value_or(-1), value);
}

namespace {

void selectRows(QListWidget* list, const QList<int>& rows)
{
    list->clearSelection();
    for (int r : rows) {
        list->item(r)->setSelected(true);
    }
}

} // namespace

void TestArticles::managerChoosesThenChangesMergesAndDeletes()
{
    test::UserFolder user;
    Database& db = user.db();
    const QString a = QStringLiteral("It's the first text, with 'single' quotes; ");
    const QString b = QStringLiteral("and \"double\" ones: '); delete from text_; -- ");
    const QString c = QStringLiteral("第三篇文章的内容。");
    addArticle(db, "a_u", a);
    addArticle(db, "b_u", b);
    addArticle(db, "c_u", c);
    Form_Control_SaveText w;
    int reloads = 0;
    connect(&w, &Form_Control_SaveText::Reload_Menus, this, [&] { ++reloads; });
    auto* list = w.findChild<QListWidget*>("List_Text");
    auto* tabs = w.findChild<TS*>("TS1");
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("用户自定义文章："));

    test::clickTab(tabs, 1);
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("易错字复习："));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("本类无任何保存的项目"));
    // Clicking the placeholder selects nothing; every button then says so.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    list->item(0)->setSelected(true);
    QCOMPARE(w.selectedNames(), QStringList());
    for (const char* button : {"CMD_Change", "CMD_Del", "CMD_HB"}) {
        press(w, button, {"OK"});
        QCOMPARE(MsgScript::shown().last().title, QStringLiteral("错误"));
    }
    QCOMPARE(MsgScript::shown()[0].text, QStringLiteral("必须选择一个要修改的文章！"));
    QCOMPARE(MsgScript::shown()[1].text, QStringLiteral("必须选择一个要删除的文章！"));
    QCOMPARE(MsgScript::shown()[2].text, QStringLiteral("合并文章需要同时选择两篇或以上的文章！"));
    QCOMPARE(db.scalar("select count(*) from text_")->toInt(), 3);

    // Changing takes exactly one article, opened as it is stored.
    addArticle(db, "b_w", "错字"); // named as a user article is
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
    press(w, "CMD_Change", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("只能选择一个要修改的文章！"));
    QCOMPARE(shown, 0);
    selectRows(list, {1});
    press(w, "CMD_Change");
    QCOMPARE(shown, 1);

    // A merge joins the chosen texts in list order, not the order of choosing.
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
    test::clickTab(tabs, 0);
    selectRows(list, {2, 0, 1});
    press(w, "CMD_HB", {"No", "OK"}); // keep the sources; merged
    setEditorWindowShower({});
    QCOMPARE(MsgScript::shown()[MsgScript::shown().size() - 2].text, QStringLiteral("合并后是否删除所有原文章?"));
    QCOMPARE(editorText, a + b + c);
    QCOMPARE(prompt, QStringLiteral("请输入一个新名称："));
    QCOMPARE(List_Articles(db, "_u"), (QStringList{"a", "b", "c", "merged"}));
    QCOMPARE(list->count(), 4); // relisted
    QCOMPARE(reloads, 1);

    // Deleting asks first: No deletes nothing; Yes deletes the chosen kind only.
    selectRows(list, {0, 1, 2});
    press(w, "CMD_Del", {"No"});
    QCOMPARE(MsgScript::shown().last().title, QStringLiteral("删除多个文章"));
    QCOMPARE(db.scalar("select count(*) from text_")->toInt(), 6);
    QCOMPARE(reloads, 1);
    press(w, "CMD_Del", {"Yes", "OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("所选的全部文章删除成功！"));
    QCOMPARE(List_Articles(db, "_u"), QStringList{"merged"});
    QCOMPARE(List_Articles(db, "_w"), (QStringList{"b", "two"}));
    QCOMPARE(list->count(), 1);
    QCOMPARE(reloads, 2);

    selectRows(list, {0});
    press(w, "CMD_Del", {"Yes", "OK"});
    QCOMPARE(MsgScript::shown()[MsgScript::shown().size() - 2].title, QStringLiteral("删除文章"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("所选的文章删除成功！"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("本类无任何保存的项目"));
    QCOMPARE(reloads, 3);
}

void TestArticles::positionWindowResetsAndSets()
{
    test::UserFolder user;
    Database& db = user.db();
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
    press(w, "CMD_Set", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("您还没有选中任何的项！"));

    list->setCurrentRow(3);
    press(w, "CMD_Set", {"OK"});
    QCOMPARE(offered, QStringLiteral("50"));
    QCOMPARE(w.findChild<MSG_Label*>("Label1")->Caption(), QStringLiteral("120"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，所选的文章下次将从第 120 个字符开始读取！"));
    QCOMPARE(position(db, "test_no", "0003"), 120);
    QCOMPARE(position(db, "test_no", "0004"), 60);

    // Cancelled: unchanged, no notice.
    answer.clear();
    const qsizetype before = MsgScript::shown().size();
    press(w, "CMD_Set");
    QCOMPARE(MsgScript::shown().size(), before);
    QCOMPARE(position(db, "test_no", "0003"), 120);

    press(w, "CMD_Select", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，该文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0003"), 1);

    press(w, "CMD_Now", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，本类型所有文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0004"), 1);
    QCOMPARE(position(db, "test_no", "0100"), 70);

    // The review tab is empty: its placeholder cannot be chosen.
    test::clickTab(w.findChild<TS*>("TS1"), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("此类暂无保存"));
    list->item(0)->setSelected(true);
    press(w, "CMD_Select", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("您还没有选中任何的项！"));

    press(w, "CMD_All", {"OK"});
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("设置成功，所有类型的所有文章下次将从头开始练习！"));
    QCOMPARE(position(db, "test_no", "0100"), 1);
    QCOMPARE(position(db, "text_", "mine_u"), 1);
    Form_Control_TestBegin::setBeginAsker({});
}

void TestArticles::positionEntryRefusesLetters()
{
    Form_Input_Begin dialog(QStringLiteral("35"));
    Text* entry = dialog.findChild<Text*>("Text_Begin");
    QCOMPARE(entry->text(), QStringLiteral("35"));
    auto* edit = qobject_cast<QLineEdit*>(entry->inner());
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

QTEST_MAIN(TestArticles)
#include "tst_articles.moc"
