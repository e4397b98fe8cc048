#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tesmara {

class Cmd;
class Option;
class TS;

// User management (Form_User): a modal window whose four pages add a user,
// change a password, delete a user and choose manual or automatic login.
class UserWindow : public QDialog {
    Q_OBJECT
public:
    enum Page { AddPage = 0, ChangePage = 1, DeletePage = 2, LoginModePage = 3 };

    explicit UserWindow(QWidget* parent = nullptr);

    // Refills the existing-user list from the application database.
    void Load_User_List();
    // Chooses a page and shows what it needs (TS1_Click).
    void selectPage(int page);
    void TS1_Click();
    int page() const;

    // Opens the window modally on `page` (the main window's user menu items).
    static void run(int page, QWidget* parent);

private:
    void buildControls();
    void layoutRows(const QList<QWidget*>& fields, const QStringList& captions, int firstRow);
    void addClicked();
    void changeClicked();
    void deleteClicked();
    void loginModeClicked();
    void optionClicked(int index);

    TS* TS1 = nullptr;
    QWidget* Frame1 = nullptr;
    QLabel* Frame1_Title = nullptr;
    QLabel* Label1[4] = {};
    QComboBox* UserName = nullptr;
    QLineEdit* Text_UserName = nullptr;
    QLineEdit* Text_Old = nullptr;
    QLineEdit* Text_New1 = nullptr;
    QLineEdit* Text_New2 = nullptr;
    Cmd* CMD_Add = nullptr;
    Cmd* CMD_Change = nullptr;
    Cmd* CMD_Del = nullptr;
    Cmd* CMD_LoginMode = nullptr;
    Option* Option1[2] = {};
    Cmd* CMD_Exit = nullptr;
};

} // namespace tesmara
