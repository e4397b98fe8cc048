#include "app/Msg.h"
#include "articles/ArticleManager.h"
#include "articles/PositionManager.h"
#include "store/Database.h"
#include "store/RecordCode.h"
#include "store/Schema.h"

#include "TestSupport.h"

#include <QtTest>

using namespace tesmara;

namespace {

void addArticle(Database& db, const QString& n, const QString& t, int pos = 1)
{
    db.exec(QStringLiteral("insert into text_ (N, T, C, No_) values (?, ?, ?, ?)"), {n, t, Code_Of(t), pos});
}

qint64 position(Database& db, const QString& table, const QString& n)
{
    return db.scalar(QStringLiteral("select No_ from %1 where N = ?").arg(table), {n}).value_or(-1).toLongLong();
}

} // namespace

class TestManagers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listsEachKindWithoutSuffix();
    void deleteRemovesOnlyTheNamedKind();
    void mergedTextFollowsListOrderAndKeepsQuotes();
    void positionItemsFollowTheMenus();
    void positionKeys();
    void resetAllKindOrOne();
    void setPositionOfBuiltInAndSavedArticles();
    void positionEntry_data();
    void positionEntry();

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

void TestManagers::listsEachKindWithoutSuffix()
{
    QCOMPARE(List_Articles(*m_db, "_u"), QStringList());
    addArticle(*m_db, "abc_u", "text a");
    addArticle(*m_db, "错字_w", "错");
    addArticle(*m_db, "x_u_u", "text x"); // a name may itself end in "_u"
    addArticle(*m_db, "zz_uw", "never listed");
    QCOMPARE(List_Articles(*m_db, Article_Suffix(0)), (QStringList{"abc", "x_u"}));
    QCOMPARE(List_Articles(*m_db, Article_Suffix(1)), QStringList{"错字"});
    QCOMPARE(Article_Text(*m_db, "abc", "_u").value_or("missing"), QStringLiteral("text a"));
    QVERIFY(!Article_Text(*m_db, "abc", "_w"));
    QCOMPARE(No_Articles_Line(), QStringLiteral("本类无任何保存的项目"));
}

void TestManagers::deleteRemovesOnlyTheNamedKind()
{
    addArticle(*m_db, "abc_u", "user text");
    addArticle(*m_db, "abc_w", "review text");
    addArticle(*m_db, "def_u", "other");
    addArticle(*m_db, "it's_u", "quoted name");
    QCOMPARE(Delete_Articles(*m_db, {"abc", "it's"}, "_u"), 2);
    QCOMPARE(List_Articles(*m_db, "_u"), QStringList{"def"});
    QCOMPARE(List_Articles(*m_db, "_w"), QStringList{"abc"});
    // A name that is gone already deletes nothing else.
    QCOMPARE(Delete_Articles(*m_db, {"abc"}, "_u"), 0);
    QCOMPARE(m_db->scalar("select count(*) from text_")->toInt(), 2);
}

void TestManagers::mergedTextFollowsListOrderAndKeepsQuotes()
{
    addArticle(*m_db, "one_u", "It's one; ");
    addArticle(*m_db, "two_u", "say \"two\" ''");
    addArticle(*m_db, "three_u", "三'); drop table text_; --");
    QCOMPARE(Merged_Text(*m_db, {"three", "one", "two"}, "_u").value_or("missing"),
             QStringLiteral("三'); drop table text_; --It's one; say \"two\" ''"));
    QVERIFY(!Merged_Text(*m_db, {"one", "gone"}, "_u"));
}

void TestManagers::positionItemsFollowTheMenus()
{
    const QStringList chinese = Position_Items(*m_db, 0);
    QCOMPARE(chinese.size(), 12);
    QCOMPARE(chinese.first(), QStringLiteral("文章 1"));
    QCOMPARE(chinese[9], QStringLiteral("文章 10"));
    QCOMPARE(chinese[10], QStringLiteral("二级简码顺口词"));
    QCOMPARE(chinese[11], QStringLiteral("百家姓"));
    const QStringList english = Position_Items(*m_db, 1);
    QCOMPARE(english.size(), 10);
    QCOMPARE(english.last(), QStringLiteral("文章 10"));
    QCOMPARE(Position_Items(*m_db, 2), QStringList{"此类暂无保存"});
    QCOMPARE(Position_Items(*m_db, 3), QStringList{"此类暂无保存"});
    addArticle(*m_db, "zeta_u", "z");
    addArticle(*m_db, "wrong_w", "w");
    addArticle(*m_db, "alpha_u", "a");
    QCOMPARE(Position_Items(*m_db, 2), (QStringList{"zeta", "alpha"}));
    QCOMPARE(Position_Items(*m_db, 3), QStringList{"wrong"});
}

void TestManagers::positionKeys()
{
    QCOMPARE(Position_Key(0, 0, "文章 1"), QStringLiteral("0000"));
    QCOMPARE(Position_Key(0, 11, "百家姓"), QStringLiteral("0011"));
    QCOMPARE(Position_Key(1, 9, "文章 10"), QStringLiteral("0109"));
    QCOMPARE(Position_Key(2, 0, "abc"), QStringLiteral("abc_u"));
    QCOMPARE(Position_Key(3, 0, "abc"), QStringLiteral("abc_w"));
}

void TestManagers::resetAllKindOrOne()
{
    auto seed = [this] {
        m_db->exec("delete from test_no");
        m_db->exec("delete from text_");
        for (const char* k : {"0000", "0003", "0011", "0100", "0105"}) {
            m_db->exec("insert into test_no (N, No_) values (?, 77)", {QString::fromLatin1(k)});
        }
        addArticle(*m_db, "a_u", "a", 55);
        addArticle(*m_db, "b_u", "b", 56);
        addArticle(*m_db, "a_w", "w", 57);
    };
    auto positions = [this] {
        QList<qint64> p;
        for (const char* k : {"0000", "0003", "0011", "0100", "0105"}) {
            p << position(*m_db, "test_no", QString::fromLatin1(k));
        }
        for (const char* k : {"a_u", "b_u", "a_w"}) {
            p << position(*m_db, "text_", QString::fromLatin1(k));
        }
        return p;
    };

    seed();
    Reset_All_Positions(*m_db);
    QCOMPARE(positions(), (QList<qint64>{1, 1, 1, 1, 1, 1, 1, 1}));

    seed();
    Reset_Tab_Positions(*m_db, 0);
    QCOMPARE(positions(), (QList<qint64>{1, 1, 1, 77, 77, 55, 56, 57}));
    seed();
    Reset_Tab_Positions(*m_db, 1);
    QCOMPARE(positions(), (QList<qint64>{77, 77, 77, 1, 1, 55, 56, 57}));
    seed();
    Reset_Tab_Positions(*m_db, 2);
    QCOMPARE(positions(), (QList<qint64>{77, 77, 77, 77, 77, 1, 1, 57}));
    seed();
    Reset_Tab_Positions(*m_db, 3);
    QCOMPARE(positions(), (QList<qint64>{77, 77, 77, 77, 77, 55, 56, 1}));

    seed();
    Reset_Position(*m_db, 0, Position_Key(0, 3, "文章 4"));
    QCOMPARE(positions(), (QList<qint64>{77, 1, 77, 77, 77, 55, 56, 57}));
    seed();
    Reset_Position(*m_db, 2, Position_Key(2, 1, "b"));
    QCOMPARE(positions(), (QList<qint64>{77, 77, 77, 77, 77, 55, 1, 57}));
}

void TestManagers::setPositionOfBuiltInAndSavedArticles()
{
    m_db->exec("insert into test_no (N, No_) values ('0002', 5)");
    m_db->exec("insert into test_no (N, No_) values ('0102', 9)");
    QCOMPARE(Read_Position(*m_db, 0, "0002").value_or(-1), 5);
    QVERIFY(Set_Position(*m_db, 0, "0002", 120));
    QCOMPARE(position(*m_db, "test_no", "0002"), 120);
    QCOMPARE(position(*m_db, "test_no", "0102"), 9);
    // A text never practised gets its row.
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
    QTest::addRow("letters pasted") << "12ab" << false << qint64(-1);
    QTest::addRow("only letters") << "abc" << false << qint64(-1);
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

QTEST_GUILESS_MAIN(TestManagers)
#include "tst_managers.moc"
