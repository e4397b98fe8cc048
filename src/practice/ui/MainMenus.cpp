#include "practice/ui/MainMenus.h"

#include "app/AppState.h"
#include "controls/ui/Skin.h"
#include "practice/TextSource.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tesmara {

namespace menus {

QMenu* subMenu(QWidget* parent, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) {
        bar->addMenu(menu);
    } else if (auto* up = qobject_cast<QMenu*>(parent)) {
        up->addMenu(menu);
    }
    return menu;
}

QAction* item(QMenu* menu, const char* name, const QString& caption, bool checkable)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

void separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QList<QAction*> itemArray(QMenu* menu, const char* name, const QStringList& captions, bool checkable)
{
    QList<QAction*> items;
    for (int i = 0; i < captions.size(); ++i) {
        QAction* action = item(menu, name, captions[i], checkable);
        action->setProperty("index", i);
        items << action;
    }
    return items;
}

void styleMenuBar(QMenuBar* bar)
{
    // The menu bar's own light brush, lighter than the window.
    const QColor back(243, 248, 254);
    bar->setStyleSheet(QStringLiteral("QMenuBar { background: %1; border-bottom: 1px solid %2; }"
                                      "QMenuBar::item { padding: 4px 10px; background: transparent; }"
                                      "QMenuBar::item:selected { background: %3; border-radius: 3px; }"
                                      "QMenu { background: %1; border: 1px solid %2; padding: 3px; }"
                                      "QMenu::item { padding: 4px 24px 4px 26px; border-radius: 3px; }"
                                      "QMenu::item:selected { background: %3; color: black; }"
                                      "QMenu::item:disabled { color: #8a9aab; }"
                                      "QMenu::separator { height: 1px; background: %2; margin: 3px 6px; }")
                           .arg(back.name(), skin::border().name(), skin::window().name()));
}

} // namespace menus

using namespace menus;

namespace {

QStringList numbered(int count)
{
    QStringList captions;
    for (int i = 1; i <= count; ++i) {
        captions << QStringLiteral("文章 %1").arg(i);
    }
    return captions;
}

} // namespace

QList<QAction*> MainMenus::practiceItems() const
{
    QList<QAction*> all;
    all << chinese << english << numbers << wbText << chaiZi << wbPhrase << keyboardMouse << saveUserItems
        << saveWrongItems;
    return all;
}

int tickedIndex(const QList<QAction*>& items)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

void connectItems(const QList<QAction*>& items, QObject* context, const std::function<void(int)>& click)
{
    for (int i = 0; i < items.size(); ++i) {
        QAction* action = items[i];
        QObject::connect(action, &QAction::triggered, context, [action, click, i] {
            action->setChecked(!action->isChecked());
            click(i);
        });
    }
}

void fillArticleMenu(QMenu* menu, QList<QAction*>& items, const char* itemName, const QStringList& names)
{
    for (QAction* old : std::as_const(items)) {
        menu->removeAction(old);
        old->deleteLater();
    }
    items.clear();
    if (names.isEmpty()) {
        QAction* none = item(menu, itemName, noSavedArticleCaption());
        none->setProperty("index", 0);
        none->setEnabled(false);
        items << none;
        return;
    }
    items = itemArray(menu, itemName, names);
}

MainMenus buildMainMenus(QMenuBar* bar)
{
    MainMenus m;

    QMenu* test = subMenu(bar, "Menu_Test", QStringLiteral("练习项目(&T)"));
    QMenu* chinese = subMenu(test, "Menu_Test_Chinese", QStringLiteral("中文练习"));
    m.chinese = itemArray(chinese, "Menu_Test_Chinese_Text",
                          numbered(10) << QStringLiteral("二级简码顺口词") << QStringLiteral("百家姓"));
    separator(chinese, "Menu_Test_1");
    m.chineseOther = item(chinese, "Menu_Test_Chinese_Other", QStringLiteral("更多文章..."));

    QMenu* english = subMenu(test, "Menu_Test_English", QStringLiteral("英文练习"));
    m.english = itemArray(english, "Menu_Test_English_Text", numbered(10) << QStringLiteral("随机生成字母"));
    separator(english, "Menu_Test_2");
    m.englishWidth = item(english, "Menu_Test_English_Width", QStringLiteral("随机字母练习时加大字符间距"), true);
    m.englishWidth->setChecked(true);

    QMenu* numbers = subMenu(test, "Menu_Test_Number", QStringLiteral("数字练习"));
    m.numbers =
        itemArray(numbers, "Menu_Test_Number_Text", {QStringLiteral("纯数字"), QStringLiteral("带四则运算符和小数点")});
    separator(numbers, "Menu_Test_3");
    m.numberWidth = item(numbers, "Menu_Test_Number_Width", QStringLiteral("加大字符间距"), true);
    m.numberWidth->setChecked(true);

    separator(test, "Menu_Test_4");
    QMenu* wubi = subMenu(test, "Menu_Test_Wb", QStringLiteral("五笔练习专区"));
    m.wbText = itemArray(wubi, "Menu_Test_WB_Text",
                         {QStringLiteral("一级简码"), QStringLiteral("二级简码"), QStringLiteral("三级简码"),
                          QStringLiteral("字根"), QStringLiteral("成字字根"), QStringLiteral("键名字"),
                          QStringLiteral("识别码"), QStringLiteral("全码字")});
    separator(wubi, "Menu_Test_5");
    m.chaiZi = item(wubi, "Menu_Test_ChaiZi", QStringLiteral("五笔拆字练习"), true);
    separator(wubi, "Menu_Test_11");
    QMenu* phrases = subMenu(wubi, "Menu_Test_WBPhrase", QStringLiteral("词组练习"));
    m.wbPhrase = itemArray(phrases, "Menu_Test_WBPhrase_",
                           {QStringLiteral("二字词组"), QStringLiteral("三字词组"), QStringLiteral("四字词组")});

    separator(test, "Menu_Test_6");
    QMenu* keyMouse = subMenu(test, "Menu_Test_KeyboardMouse", QStringLiteral("键盘、鼠标练习"));
    m.keyboardMouse =
        itemArray(keyMouse, "Menu_Test_KeyboardMouse_Text", {QStringLiteral("指法练习"), QStringLiteral("鼠标练习")});

    separator(test, "Menu_Test_7");
    QMenu* definition = subMenu(test, "Menu_Test_Definition", QStringLiteral("用户自定义文章"));
    m.saveUser = subMenu(definition, "Menu_Test_Save_User", QStringLiteral("用户自定义文章"));
    QMenu* add = subMenu(m.saveUser, "Menu_Test_Definition_", QStringLiteral("添加自定义文章"));
    m.definitionTxt = item(add, "Menu_Test_Definition_Txt", QStringLiteral("引用 TXT 文本文件..."));
    m.definitionInput = item(add, "Menu_Test_Definition_Input", QStringLiteral("自由录入练习内容..."));
    separator(m.saveUser, "Menu_Test_8");
    m.saveWrong = subMenu(definition, "Menu_Test_Save_Wrong", QStringLiteral("易错字复习"));
    separator(definition, "Menu_Test_9");
    m.saveControl = item(definition, "Menu_Test_Save_Control", QStringLiteral("管理保存的文章..."));

    separator(test, "Menu_Test_10");
    QMenu* tips = subMenu(test, "Menu_Test_Wb_", QStringLiteral("五笔提示"));
    m.wbShow = itemArray(tips, "Menu_Test_Wb__", {QStringLiteral("显示字根表"), QStringLiteral("显示助记口决")});

    QMenu* mode = subMenu(bar, "Menu_Test_Mode", QStringLiteral("练习模式"));
    m.gameMode = item(mode, "Menu_Test_Mode_", QStringLiteral("游戏模式"));

    QMenu* control = subMenu(bar, "Menu_Control", QStringLiteral("数据管理(&C)"));
    m.testLog = item(control, "Menu_Control_TestLog", QStringLiteral("查看练习记录..."));
    m.mistakes = item(control, "Menu_Control_Mistakes", QStringLiteral("错误统计..."));
    separator(control, "Menu_Control_1");
    QMenu* users = subMenu(control, "Menu_Control_User", QStringLiteral("用户管理"));
    m.user << item(users, "Menu_Control_User_Add", QStringLiteral("添加用户..."))
           << item(users, "Menu_Control_User_ChangePW", QStringLiteral("修改密码..."))
           << item(users, "Menu_Control_User_Del", QStringLiteral("删除用户..."))
           << item(users, "Menu_Control_User_Login", QStringLiteral("登录模式..."));
    separator(control, "Menu_Control_2");
    m.autoUpdate = item(control, "Menu_Control_AutoUpdate", QStringLiteral("开启在线自动升级"), true);
    separator(control, "Menu_Control_3");
    m.textNo = item(control, "Menu_Control_TextNo", QStringLiteral("文章的练习起始位置..."));

    QMenu* sound = subMenu(bar, "Menu_Sound", QStringLiteral("声音及标示(&S)"));
    m.soundWrong = item(sound, "Menu_Sound_Wrong", QStringLiteral("打错字时发声"), true);
    m.soundKey = item(sound, "Menu_Sound_Key", QStringLiteral("按键时发声"), true);
    separator(sound, "Menu_Sound_X1");
    m.wrongColour = item(sound, "Menu_Sound_WrongColor", QStringLiteral("标记打错的字"), true);

    QMenu* help = subMenu(bar, "Menu_Help", QStringLiteral("帮助(&H)"));
    m.helpStudy = item(help, "Menu_Help_Study", QStringLiteral("在线打字教学"));
    separator(help, "Menu_Help_2");
    m.checkNew = item(help, "Menu_Help_CheckNew", QStringLiteral("马上检查更新版本"));
    separator(help, "Menu_Help_1");
    m.about = item(help, "Menu_Help_About", QStringLiteral("关于本软件..."));
    m.www = item(help, "Menu_Help_WWW", QStringLiteral("到软件官方网站看看"));
    m.mail = item(help, "Menu_Help_Mail", QStringLiteral("发邮件给作者"));
    separator(help, "Menu_Help_4");
    m.uninstall = item(help, "Menu_Help_Del", QStringLiteral("软件卸载方法"));

    m.ver = bar->addAction(QStringLiteral("版本：") + QString::fromLatin1(kVersion));
    m.ver->setObjectName(QStringLiteral("Menu_Ver"));
    return m;
}

} // namespace tesmara
