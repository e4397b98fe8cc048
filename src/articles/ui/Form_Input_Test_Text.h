#pragma once

#include <QDialog>

namespace tesmara {

class ArticleEditor;
class Check_Box;
class Cmd;
class MSG_Label;
class Option;
class Text;

// The article editing window "输入自定义练习内容": shows an editor's name,
// text and clean-up options, and saves through ArticleEditor. Closes itself
// once the article is stored.
class Form_Input_Test_Text : public QDialog {
    Q_OBJECT
public:
    Form_Input_Test_Text(ArticleEditor& editor, QWidget* parent = nullptr);

    void CMD_Save_Click();
    void Check_Box1_Click();
    void Option1_Click(int index);

private:
    void Text_Test_Change();
    void takeFromEditor();

    ArticleEditor& m_editor;
    Text* m_name = nullptr;
    Text* m_text = nullptr;
    MSG_Label* m_label1 = nullptr;
    MSG_Label* m_label2 = nullptr;
    MSG_Label* m_count = nullptr;
    Check_Box* m_check1 = nullptr;
    Check_Box* m_check2 = nullptr;
    Option* m_option[2] = {nullptr, nullptr};
};

// Makes the editing window the one the article windows open (call once at
// start-up).
void installArticleEditorWindow();

// The main window's "自由录入练习内容..." item: an empty editor for a new
// user article, shown modally.
void Menu_Test_Definition_Input_Click(QWidget* parent, ArticleEditor& editor);
// The main window's "引用 TXT 文本文件..." item: the file dialog, then the
// import (one window per file, or automatic saving for several).
void Menu_Test_Definition_Txt_Click(QWidget* parent, ArticleEditor& editor);

// Tests answer the file dialog: the next call returns these paths (an empty
// list is a cancel) instead of opening the dialog.
void setNextImportFiles(const QStringList& paths);

} // namespace tesmara
