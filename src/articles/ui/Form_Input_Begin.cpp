#include "articles/ui/Form_Input_Begin.h"

#include "articles/PositionManager.h"
#include "articles/ui/ManagerLook.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Text.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tesmara {

Form_Input_Begin::Form_Input_Begin(const QString& initial, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_Input_Begin"));
    setWindowTitle(QStringLiteral("设置起始位置"));
    applyManagerLook(this);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 14, 16, 14);
    root->setSpacing(8);
    auto* prompt = new MSG_Label(this);
    prompt->setObjectName(QStringLiteral("Label_Prompt"));
    prompt->setCaption(QStringLiteral("请输入新的起始位置："));
    root->addWidget(prompt);
    m_textBegin = new Text(this);
    m_textBegin->setObjectName(QStringLiteral("Text_Begin"));
    m_textBegin->setMaxLength(9);
    m_textBegin->setMinimumWidth(260);
    root->addWidget(m_textBegin);
    auto* note = new MSG_Label(this);
    note->setObjectName(QStringLiteral("Label_Note"));
    note->setCaption(QStringLiteral("注意：如果输入的值比文章总长度       要大的话，将自动转为 1 。"));
    note->setMinimumHeight(36);
    root->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new Cmd(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("CMD_OK"));
    ok->setDefault(true);
    ok->setMinimumWidth(80);
    auto* cancel = new Cmd(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("CMD_Cancel"));
    cancel->setMinimumWidth(80);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);

    m_textBegin->setText(Position_Entry_Ok(initial) ? initial : QString());
    m_lastGood = m_textBegin->text();
    m_textBegin->SelAll();

    // Typing: digits and Backspace only; Enter goes on to the default button.
    connect(m_textBegin, &Text::KeyPress, this, [](int& key) {
        if (key != 8 && key != 13 && (key < '0' || key > '9')) {
            key = 0;
        }
    });
    connect(m_textBegin, &Text::Change, this, &Form_Input_Begin::entryChanged);
    connect(ok, &Cmd::Click, this, &Form_Input_Begin::CMD_OK_Click);
    connect(cancel, &Cmd::Click, this, &Form_Input_Begin::CMD_Cancel_Click);
}

void Form_Input_Begin::entryChanged()
{
    // Pasting goes round the key filter: a text with anything but digits is
    // taken back to what it was.
    const QString now = m_textBegin->text();
    if (Position_Entry_Ok(now)) {
        m_lastGood = now;
        return;
    }
    m_textBegin->setText(m_lastGood);
    m_textBegin->SelAll();
}

void Form_Input_Begin::CMD_OK_Click()
{
    m_result = m_textBegin->text().trimmed();
    accept();
}

void Form_Input_Begin::CMD_Cancel_Click()
{
    m_result.clear();
    reject();
}

QString Ask_Begin(QWidget* parent, const QString& initial)
{
    Form_Input_Begin dialog(initial, parent);
    dialog.exec();
    return dialog.result();
}

} // namespace tesmara
