#pragma once

#include "app/Msg.h"

#include <QDialog>

namespace tesmara {

class Cmd;
class Check_Box;
class MSG_Label;

// The program's own message dialog (Form_MSG): the text beside an icon, the
// buttons a request asks for and, when asked, the "以后不再显示" box. Every
// child carries its name: Label_Msg, Image_MSG_0..2, CMDOK, CMDYES, CMDNO,
// CMDCancel, Check1.
class MsgDialog : public QDialog {
    Q_OBJECT
public:
    explicit MsgDialog(const MsgRequest& request, QWidget* parent = nullptr);

    // "OK", "Yes", "No" or "Cancel" (+ "T"/"F" with the check box); empty
    // while no button has answered.
    QString answer() const { return m_answer; }

    // Beeps, shows the dialog modally and returns its answer.
    static QString ask(const MsgRequest& request);

    // The window's width and height as laid out, in twips; the caption bar
    // of the window frame is counted in the height.
    int twipsWidth() const { return m_twipsWidth; }
    int twipsHeight() const { return m_twipsHeight; }

public slots:
    // Closing by the frame or by Esc handling of the platform ends here.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void layOut(const MsgRequest& request);
    bool handleKey(QObject* target, QKeyEvent* e);
    void clickIfShown(Cmd* button);
    void answerWith(const QString& word);
    void copyText();

    QString m_text;
    QString m_answer;
    MSG_Label* m_label = nullptr;
    QWidget* m_icons[3] = {nullptr, nullptr, nullptr};
    Cmd* m_ok = nullptr;
    Cmd* m_yes = nullptr;
    Cmd* m_no = nullptr;
    Cmd* m_cancel = nullptr;
    Check_Box* m_check = nullptr;
    QWidget* m_first = nullptr;
    // The result notice ignores an OK click that follows a key-down of Space
    // or O on CMDOK, so a user still typing cannot dismiss it by accident.
    bool m_guarded = false;
    bool m_okMarked = false;
    int m_twipsWidth = 0;
    int m_twipsHeight = 0;
};

} // namespace tesmara
