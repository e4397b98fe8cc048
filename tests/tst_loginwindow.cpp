#include "app/AppState.h"
#include "app/Msg.h"
#include "app/ui/WindowRegistry.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/TS.h"
#include "store/RecordCode.h"
#include "store/Schema.h"
#include "store/Settings.h"
#include "users/ui/LoginWindow.h"
#include "users/ui/UserWindow.h"

#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QtTest>

using namespace tesmara;

namespace {

template <typename T> T* child(QWidget* parent, const QString& name)
{
    return parent ? parent->findChild<T*>(name) : nullptr;
}

} // namespace

class TestLoginWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void managementPagesShowTheirFields();
    void aboutModeAndLinks();

private:
    QStringList m_opened;
};

void TestLoginWindow::init()
{
    m_opened.clear();
    LoginWindow::install();
    windowRegistry().openMainWindow = [this]() -> QWidget* {
        m_opened << "main:" + App().User_Name;
        return nullptr;
    };
    windowRegistry().openGameWindow = nullptr;
}

void TestLoginWindow::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
    }
    windowRegistry() = {};
}

void TestLoginWindow::managementPagesShowTheirFields()
{
    test::ProgramFolder folder;
    App().Conn_Main.open(folder.path() + "d.at", Database::Mode::ReadWrite);
    createAppTables(App().Conn_Main);
    {
        // With no users only the add page can be chosen.
        UserWindow window;
        MsgScript::pushAnswer("OK");
        window.selectPage(UserWindow::DeletePage);
        QCOMPARE(MsgScript::shown().last().text, QStringLiteral("用户列表为空，当前只能进行添加用户的操作！"));
        QCOMPARE(window.page(), int(UserWindow::AddPage));
    }
    App().Conn_Main.exec("insert into [user] (Un, Pw, I) values (?, ?, 0)", {"Bo", Code_Of("Bob")});
    UserWindow window;
    window.show();
    struct PageLook {
        int page;
        QStringList shown;
        QString firstCaption;
    };
    const QList<PageLook> pages{
        {UserWindow::AddPage, {"Text_UserName", "Text_New1", "Text_New2", "CMD_Add"}, "用户名："},
        {UserWindow::ChangePage, {"UserName", "Text_Old", "Text_New1", "Text_New2", "CMD_Change"}, "用户名："},
        {UserWindow::DeletePage, {"UserName", "Text_Old", "CMD_Del"}, "用户名："},
        {UserWindow::LoginModePage, {"Option1_0", "Option1_1", "UserName", "Text_New1", "CMD_LoginMode"}, "用户名："},
    };
    const QStringList all{"UserName",   "Text_UserName", "Text_Old",      "Text_New1", "Text_New2", "CMD_Add",
                          "CMD_Change", "CMD_Del",       "CMD_LoginMode", "Option1_0", "Option1_1"};
    for (const PageLook& look : pages) {
        window.selectPage(look.page);
        for (const QString& name : all) {
            QCOMPARE(child<QWidget>(&window, name)->isVisible(), look.shown.contains(name));
        }
    }
    // A click on a tab of the strip turns the page.
    test::clickTab(child<TS>(&window, "TS1"), UserWindow::DeletePage);
    QCOMPARE(window.page(), int(UserWindow::DeletePage));
    QVERIFY(child<QWidget>(&window, "CMD_Del")->isVisible());
    QVERIFY(!child<QWidget>(&window, "CMD_Add")->isVisible());
    window.selectPage(UserWindow::LoginModePage);

    // Automatic login through the page: choose the option, type, apply.
    test::click(child<QWidget>(&window, "Option1_1"));
    QTest::keyClicks(child<QLineEdit>(&window, "Text_New1"), "b");
    MsgScript::pushAnswer("OK");
    test::click(child<Cmd>(&window, "CMD_LoginMode"));
    QCOMPARE(MsgScript::shown().last().text, QStringLiteral("自动登录设置成功！"));
    QCOMPARE(Settings(App().Conn_Main).raw("Auto_Login_Name"), std::optional<QString>("Bo"));
}

void TestLoginWindow::aboutModeAndLinks()
{
    test::ProgramFolder folder;
    App().User_Name = "Cy";
    QList<QUrl> opened;
    LoginWindow::urlOpener() = [&opened](const QUrl& url) {
        opened << url;
        return true;
    };
    LoginWindow about;
    about.show();
    QVERIFY(about.isAboutMode());
    QVERIFY(!child<QWidget>(&about, "Frame1_0")->isVisible());
    QVERIFY(child<QLabel>(&about, "Label_About")->isVisible());
    QVERIFY(child<QLabel>(&about, "Label_About")->text().contains("软件版本：7.05"));
    QCOMPARE(child<Cmd>(&about, "CMD_Login")->Caption(), QStringLiteral("关  闭"));

    auto* www = child<QLabel>(&about, "Label_WWW");
    auto* mail = child<QLabel>(&about, "Label_Mail");
    QCOMPARE(www->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(www, &enter);
    QCOMPARE(www->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(www, &leave);
    QCOMPARE(www->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    test::click(www);
    test::click(mail);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.at(0), QUrl(QString::fromUtf8(kDownloadPage)));
    QCOMPARE(opened.at(1).scheme(), QStringLiteral("mailto"));
    QVERIFY(opened.at(1).toString().contains(QStringLiteral("subject=关于 Tesmara")));

    test::click(child<Cmd>(&about, "CMD_Login"));
    QVERIFY(!about.isVisible());
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(TestLoginWindow)
#include "tst_loginwindow.moc"
