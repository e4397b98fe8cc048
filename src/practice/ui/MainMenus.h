#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

namespace tesmara {

// The main window's menu tree. Every menu and item carries its control name
// as objectName; items of an array share the name and carry their position
// in the dynamic property "index". Practice items are checkable, and the
// window sets their ticks itself.
struct MainMenus {
    QList<QAction*> chinese; // Menu_Test_Chinese_Text 0..11
    QAction* chineseOther = nullptr;
    QList<QAction*> english; // Menu_Test_English_Text 0..10 (10: random letters)
    QAction* englishWidth = nullptr;
    QList<QAction*> numbers; // Menu_Test_Number_Text 0..1
    QAction* numberWidth = nullptr;
    QList<QAction*> wbText; // Menu_Test_WB_Text 0..7
    QAction* chaiZi = nullptr;
    QList<QAction*> wbPhrase;      // Menu_Test_WBPhrase_ 0..2
    QList<QAction*> keyboardMouse; // Menu_Test_KeyboardMouse_Text 0..1
    QAction* definitionTxt = nullptr;
    QAction* definitionInput = nullptr;
    QMenu* saveUser = nullptr;      // Menu_Test_Save_User: the user articles follow Menu_Test_8
    QMenu* saveWrong = nullptr;     // Menu_Test_Save_Wrong
    QList<QAction*> saveUserItems;  // Menu_Test_Save_User_
    QList<QAction*> saveWrongItems; // Menu_Test_Save_Wrong_
    QAction* saveControl = nullptr;
    QList<QAction*> wbShow; // Menu_Test_Wb__ 0..1
    QAction* gameMode = nullptr;
    QAction* testLog = nullptr;
    QAction* mistakes = nullptr;
    QList<QAction*> user; // add, change password, delete, login mode
    QAction* autoUpdate = nullptr;
    QAction* textNo = nullptr;
    QAction* soundWrong = nullptr;
    QAction* soundKey = nullptr;
    QAction* wrongColour = nullptr;
    QAction* helpStudy = nullptr;
    QAction* checkNew = nullptr;
    QAction* about = nullptr;
    QAction* www = nullptr;
    QAction* mail = nullptr;
    QAction* uninstall = nullptr;
    QAction* ver = nullptr;

    // Every practice item, for the exclusive ticks.
    QList<QAction*> practiceItems() const;
};

// Building blocks of the program's menu trees: every menu and item carries
// its control name as objectName, items of an array their "index".
namespace menus {
QMenu* subMenu(QWidget* parent, const char* name, const QString& caption);
QAction* item(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
void separator(QMenu* menu, const char* name);
QList<QAction*> itemArray(QMenu* menu, const char* name, const QStringList& captions, bool checkable = true);
// The program's light menu bar and menus.
void styleMenuBar(QMenuBar* bar);
} // namespace menus

// Builds the whole tree into `bar`.
MainMenus buildMainMenus(QMenuBar* bar);

// Replaces the items of a saved-article menu with one per name; a menu
// without names shows one disabled placeholder item.
void fillArticleMenu(QMenu* menu, QList<QAction*>& items, const char* itemName, const QStringList& names);

// The index of the ticked item of a group, or -1.
int tickedIndex(const QList<QAction*>& items);

// Practice items keep the tick the window gives them: a click first undoes
// the flip the menu made, then runs `click` with the item's index.
void connectItems(const QList<QAction*>& items, QObject* context, const std::function<void(int)>& click);

} // namespace tesmara
