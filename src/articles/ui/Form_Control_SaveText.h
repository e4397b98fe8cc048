#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;

namespace tesmara {

class MSG_Label;
class TS;

// The saved-article manager: lists the user articles (tab 0) or the review
// article (tab 1) and changes, deletes or merges them.
class Form_Control_SaveText : public QDialog {
    Q_OBJECT
public:
    explicit Form_Control_SaveText(QWidget* parent = nullptr);

    // Fills the list for the chosen tab.
    void TS1_Click();
    // The names selected, in list order (the placeholder line never counts).
    QStringList selectedNames() const;
    QString suffix() const;

signals:
    // The main window's saved-article menus must be rebuilt.
    void Reload_Menus();

private:
    void CMD_Change_Click();
    void CMD_Del_Click();
    void CMD_HB_Click();
    void showEditor(class ArticleEditor& editor);

    TS* m_ts1 = nullptr;
    MSG_Label* m_label1 = nullptr;
    QListWidget* m_list = nullptr;
};

// Shows the saved-article manager modally; `reloadMenus` runs whenever the
// saved articles changed, so the main window's menus follow at once.
void Show_SaveText_Manager(QWidget* parent, const std::function<void()>& reloadMenus);

} // namespace tesmara
