#include "articles/ui/Form_Input_Test_Text.h"

#include "app/AppState.h"
#include "articles/ArticleEditor.h"
#include "articles/ArticleImport.h"
#include "articles/ui/EditorWindowHook.h"
#include "articles/ui/ManagerLook.h"
#include "controls/ui/Check_Box.h"
#include "controls/ui/Cmd.h"
#include "controls/ui/MSG_Label.h"
#include "controls/ui/Option.h"
#include "controls/ui/Text.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <optional>

namespace tesmara {

namespace {

std::optional<QStringList>& nextFiles()
{
    static std::optional<QStringList> files;
    return files;
}

} // namespace

Form_Input_Test_Text::Form_Input_Test_Text(ArticleEditor& editor, QWidget* parent) : QDialog(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("Form_Input_Test_Text"));
    setWindowTitle(QStringLiteral("输入自定义练习内容"));
    applyManagerLook(this);
    resize(640, 480);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(12, 10, 12, 12);
    root->setSpacing(8);

    auto* nameRow = new QHBoxLayout;
    m_label1 = new MSG_Label(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_name = new Text(this);
    m_name->setObjectName(QStringLiteral("Text_Name"));
    m_name->setMinimumWidth(180);
    m_label2 = new MSG_Label(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    nameRow->addWidget(m_label1, 0, Qt::AlignVCenter);
    nameRow->addWidget(m_name);
    nameRow->addWidget(m_label2, 0, Qt::AlignVCenter);
    nameRow->addStretch(1);
    root->addLayout(nameRow);

    m_count = new MSG_Label(this);
    m_count->setObjectName(QStringLiteral("Label_Count"));
    root->addWidget(m_count);
    m_text = new Text(this);
    m_text->setObjectName(QStringLiteral("Text_Test"));
    m_text->setMultiLine(true);
    m_text->setScrollBars(2);
    root->addWidget(m_text, 1);

    auto* options = new QHBoxLayout;
    m_check1 = new Check_Box(this);
    m_check1->setObjectName(QStringLiteral("Check_Box1"));
    m_check1->setCaption(QStringLiteral("清空所有空格"));
    m_check2 = new Check_Box(this);
    m_check2->setObjectName(QStringLiteral("Check_Box2"));
    m_check2->setCaption(QStringLiteral("将连续空格替换为一个空格"));
    options->addWidget(m_check1);
    options->addWidget(m_check2);
    const QString optionCaptions[2] = {QStringLiteral("替换空格为半角"), QStringLiteral("替换空格为全角")};
    for (int i = 0; i < 2; ++i) {
        m_option[i] = new Option(this);
        m_option[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_option[i]->setCaption(optionCaptions[i]);
        options->addWidget(m_option[i]);
        connect(m_option[i], &Option::Click, this, [this, i] { Option1_Click(i); });
    }
    options->addStretch(1);
    auto* save = new Cmd(QStringLiteral("保存文章"), this);
    save->setObjectName(QStringLiteral("CMD_Save"));
    save->setDefault(true);
    save->setMinimumWidth(110);
    options->addWidget(save);
    root->addLayout(options);

    connect(m_check1, &Check_Box::Click, this, &Form_Input_Test_Text::Check_Box1_Click);
    connect(m_text, &Text::Change, this, &Form_Input_Test_Text::Text_Test_Change);
    connect(save, &Cmd::Click, this, &Form_Input_Test_Text::CMD_Save_Click);
    connect(&m_editor, &ArticleEditor::nameFocusRequested, this, [this] {
        m_name->setFocus();
        m_name->SelAll();
    });
    connect(&m_editor, &ArticleEditor::saved, this, &QDialog::accept);

    takeFromEditor();
}

void Form_Input_Test_Text::takeFromEditor()
{
    m_label1->setCaption(ArticleEditor::label1Caption(m_editor.mode()));
    m_label2->setCaption(m_editor.suffix());
    m_name->setText(m_editor.name());
    m_text->setText(m_editor.text());
    const SpaceOptions o = m_editor.options();
    m_check1->setValue(o.removeAll);
    m_check2->setValue(o.collapse);
    m_option[0]->setValue(!o.fullWidth);
    m_option[1]->setValue(o.fullWidth);
    Check_Box1_Click();
    Text_Test_Change();
}

void Form_Input_Test_Text::Text_Test_Change()
{
    m_count->setCaption(ArticleEditor::lengthCaption(m_text->text()));
}

void Form_Input_Test_Text::Check_Box1_Click()
{
    const bool on = !m_check1->Value();
    m_check2->setEnabled(on);
    m_option[0]->setEnabled(on);
    m_option[1]->setEnabled(on);
}

void Form_Input_Test_Text::Option1_Click(int index)
{
    m_option[index]->setValue(true);
    m_option[1 - index]->setValue(false);
}

void Form_Input_Test_Text::CMD_Save_Click()
{
    m_editor.setName(m_name->text());
    m_editor.setText(m_text->text());
    m_editor.setOptions(SpaceOptions{m_check1->Value(), m_check2->Value(), m_option[1]->Value()});
    m_editor.CMD_Save_Click();
    // The editor writes back the trimmed name and the cleaned text.
    if (m_name->text() != m_editor.name()) {
        m_name->setText(m_editor.name());
        if (m_name->hasFocus() || m_name->isAncestorOf(focusWidget())) {
            m_name->SelAll(); // a refused name stays selected for correction
        }
    }
    if (m_text->text() != m_editor.text()) {
        m_text->setText(m_editor.text());
    }
}

void installArticleEditorWindow()
{
    setEditorWindowShower([](QWidget* parent, ArticleEditor& editor) {
        Form_Input_Test_Text window(editor, parent);
        window.exec();
    });
}

void Menu_Test_Definition_Input_Click(QWidget* parent, ArticleEditor& editor)
{
    editor.setName(QString());
    editor.setText(QString());
    editor.setSuffix(QStringLiteral("_u"));
    editor.setMode(SaveMode::New);
    editor.setOptions(SpaceOptions{});
    Form_Input_Test_Text window(editor, parent);
    window.exec();
}

void setNextImportFiles(const QStringList& paths)
{
    nextFiles() = paths;
}

void Menu_Test_Definition_Txt_Click(QWidget* parent, ArticleEditor& editor)
{
    ArticleImporter importer(App().Conn_User, editor, App().App_Path);
    QStringList paths;
    if (nextFiles()) {
        paths = *nextFiles();
        nextFiles().reset();
    } else {
        paths = QFileDialog::getOpenFileNames(parent, ArticleImporter::dialogTitle(), importer.startFolder(),
                                              ArticleImporter::dialogFilter());
    }
    if (paths.isEmpty()) {
        return;
    }
    editor.setOptions(SpaceOptions{});
    importer.importFiles(paths, [&] {
        Form_Input_Test_Text window(editor, parent);
        window.exec();
    });
}

} // namespace tesmara
