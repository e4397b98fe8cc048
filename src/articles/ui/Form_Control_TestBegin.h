#pragma once

#include <QDialog>

#include <functional>

class QListWidget;

namespace tesmara {

class MSG_Label;
class TS;

// The reading-position manager: built-in Chinese and English texts, user
// articles and the review article, each reset to the start or set to a
// chosen character.
class Form_Control_TestBegin : public QDialog {
    Q_OBJECT
public:
    explicit Form_Control_TestBegin(QWidget* parent = nullptr);

    void TS1_Click();

    // The number dialog; tests put a function here that answers it.
    using BeginAsker = std::function<QString(QWidget* parent, const QString& initial)>;
    static void setBeginAsker(BeginAsker asker);

private:
    void CMD_All_Click();
    void CMD_Now_Click();
    void CMD_Select_Click();
    void CMD_Set_Click();
    // The key of the selected article, "" when nothing real is selected.
    QString selectedKey() const;

    TS* m_ts1 = nullptr;
    QListWidget* m_list = nullptr;
    MSG_Label* m_label1 = nullptr;
};

// Shows the reading-position manager modally.
void Show_TestBegin_Manager(QWidget* parent);

} // namespace tesmara
