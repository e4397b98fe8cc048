#pragma once

#include <QDialog>

namespace tesmara {

class Text;

// The small number dialog of the reading-position manager. Only digits can
// be typed or pasted into `Text_Begin`; "确定" gives the trimmed entry,
// "取消" or closing gives "".
class Form_Input_Begin : public QDialog {
    Q_OBJECT
public:
    explicit Form_Input_Begin(const QString& initial, QWidget* parent = nullptr);

    QString result() const { return m_result; }
    Text* entry() const { return m_textBegin; }

private:
    void CMD_OK_Click();
    void CMD_Cancel_Click();
    void entryChanged();

    Text* m_textBegin = nullptr;
    QString m_result;
    QString m_lastGood;
};

// Asks for a position; "" when cancelled.
QString Ask_Begin(QWidget* parent, const QString& initial);

} // namespace tesmara
