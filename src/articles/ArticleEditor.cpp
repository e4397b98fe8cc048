#include "articles/ArticleEditor.h"

#include "app/Msg.h"
#include "store/Database.h"
#include "store/RecordCode.h"

#include <QSqlQuery>

namespace tesmara {

namespace {

const QChar kFullSpace(0x3000);

// Line ends and TABs cannot be typed into a practice line; an article keeps
// its text as one run, as an imported file does.
QString oneRun(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\t'));
    return text;
}

} // namespace

QString reviewArticleName()
{
    return QStringLiteral("错字复习");
}

ArticleEditor::ArticleEditor(Database& db, QObject* parent) : QObject(parent), m_db(db) {}

QString ArticleEditor::label1Caption(SaveMode mode)
{
    switch (mode) {
    case SaveMode::New:
        return QStringLiteral("请输入文章的保存名称：");
    case SaveMode::Change:
        return QStringLiteral("文章保存的名称：");
    case SaveMode::Merge:
        return QStringLiteral("请输入一个新名称：");
    }
    return {};
}

SaveMode ArticleEditor::modeForCaption(const QString& caption)
{
    if (caption == label1Caption(SaveMode::New)) {
        return SaveMode::New;
    }
    if (caption == label1Caption(SaveMode::Change)) {
        return SaveMode::Change;
    }
    return SaveMode::Merge;
}

QString ArticleEditor::lengthCaption(const QString& text)
{
    return QStringLiteral("练习内容(当前字数%1个)").arg(text.size());
}

QString ArticleEditor::cleanSpaces(const QString& text, const SpaceOptions& options)
{
    QString out = text;
    if (options.removeAll) {
        out.remove(QLatin1Char(' '));
        out.remove(kFullSpace);
        return out;
    }
    if (options.fullWidth) {
        out.replace(QLatin1Char(' '), kFullSpace);
        if (options.collapse) {
            const QString two(2, kFullSpace);
            while (out.contains(two)) {
                out.replace(two, QString(kFullSpace));
            }
        }
    } else {
        out.replace(kFullSpace, QLatin1Char(' '));
        if (options.collapse) {
            while (out.contains(QLatin1String("  "))) {
                out.replace(QLatin1String("  "), QLatin1String(" "));
            }
        }
    }
    return out;
}

void ArticleEditor::report(const QString& title, const QString& text)
{
    Show_Msg(text, 0, 0, title);
}

bool ArticleEditor::hasArticle(const QString& fullName)
{
    return m_db.hasRow(QStringLiteral("select * from text_ where N = ?"), {fullName});
}

void ArticleEditor::offerPractice(const QString& fullName)
{
    if (Show_Msg(QStringLiteral("保存成功！是否马上用其进行练习?"), 2, 2, QStringLiteral("保存成功")) ==
        QLatin1String("Yes")) {
        emit practiceRequested(fullName);
    }
}

bool ArticleEditor::Same_Name(const QString& name, bool multi)
{
    if (!hasArticle(name + m_suffix)) {
        return false;
    }
    if (multi) {
        report(QStringLiteral("错误"),
               QStringLiteral("您所输入的保存名称 < ") + name + QStringLiteral(" > 已存在，将跳过该文件的导入。"));
    } else {
        report(QStringLiteral("错误"),
               QStringLiteral("您所输入的保存名称 < ") + name + QStringLiteral(" > 已存在，请另起一个名称。"));
        emit nameFocusRequested();
    }
    return true;
}

bool ArticleEditor::CMD_Save_Click(int index)
{
    const bool automatic = index == 1;
    m_name = m_name.trimmed();
    if (m_name.isEmpty() || m_name.size() > 10) {
        report(QStringLiteral("错误"), QStringLiteral("名称长度只能是 1 - 10 位，并且前后不能包含空格。"));
        emit nameFocusRequested();
        return false;
    }
    m_text = cleanSpaces(oneRun(m_text), m_options);
    const QString skipping =
        automatic ? QStringLiteral("将跳过 ") + m_name + QStringLiteral(" 的导入。") + QStringLiteral("\r\n")
                  : QString();
    // Review articles may be short, but never blank.
    if (m_text.trimmed().isEmpty() || (m_suffix != QLatin1String("_w") && m_text.size() < kMinArticleLength)) {
        report(QStringLiteral("错误"), skipping + QStringLiteral("文章长度必须大于 50 个字符。"));
        return false;
    }
    if (m_text.size() > kMaxArticleLength) {
        Show_Msg(skipping + QStringLiteral("文章内容不得超过 65000 个字符。"), 0, 0, QStringLiteral("长度限制"));
        return false;
    }
    const QString full = m_name + m_suffix;
    const QString code = Code_Of(m_text);

    switch (m_mode) {
    case SaveMode::New: {
        if (Same_Name(m_name, automatic)) {
            return false;
        }
        m_db.exec(QStringLiteral("insert into text_ (N, T, C, No_) values (?, ?, ?, 1)"), {full, m_text, code});
        emit articlesChanged();
        emit saved(full);
        offerPractice(full);
        return true;
    }
    case SaveMode::Change: {
        if (!hasArticle(full)) {
            report(QStringLiteral("错误"), QStringLiteral("找不到该文章！"));
            return false;
        }
        m_db.exec(QStringLiteral("update text_ set T = ?, C = ?, No_ = 1 where N = ?"), {m_text, code, full});
        emit saved(full);
        Show_Msg(QStringLiteral("文章内容修改成功！"), 1, 0, QStringLiteral("操作成功"));
        emit managerRefreshRequested();
        emit articlesChanged();
        return true;
    }
    case SaveMode::Merge: {
        // Both kinds of every merged article go; the new name may be one of
        // them. A name taken by any other article refuses the merge before
        // anything is deleted.
        if (!m_sources.contains(m_name) && Same_Name(m_name, automatic)) {
            return false;
        }
        m_db.transaction([&] {
            for (const QString& item : std::as_const(m_sources)) {
                m_db.exec(QStringLiteral("delete from text_ where N = ?"), {item + QStringLiteral("_u")});
                m_db.exec(QStringLiteral("delete from text_ where N = ?"), {item + QStringLiteral("_w")});
            }
            m_db.exec(QStringLiteral("insert into text_ (N, T, C, No_) values (?, ?, ?, 1)"), {full, m_text, code});
            return true;
        });
        emit saved(full);
        Show_Msg(QStringLiteral("文章内容合并成功！"), 1, 0, QStringLiteral("操作成功"));
        emit managerRefreshRequested();
        emit articlesChanged();
        return true;
    }
    }
    return false;
}

void ArticleEditor::saveReview(const QString& characters)
{
    const QString name = reviewArticleName();
    const QString full = name + QStringLiteral("_w");
    QString text = characters;
    SaveMode mode = SaveMode::New;
    QSqlQuery q = m_db.exec(QStringLiteral("select T, C from text_ where N = ?"), {full});
    if (q.next()) {
        const QString old = q.value(0).toString();
        if (q.value(1).toString() != Code_Of(old)) {
            Data_Error();
            return;
        }
        text = old;
        for (const QChar c : characters) {
            if (!text.contains(c)) {
                text.append(c);
            }
        }
        mode = SaveMode::Change;
    }
    m_name = name;
    m_suffix = QStringLiteral("_w");
    m_text = text;
    m_mode = mode;
    m_options = SpaceOptions{};
    CMD_Save_Click(1);
}

} // namespace tesmara
