#include "users/UserNames.h"

namespace tesmara {

namespace {

const QString kRefused = QStringLiteral("~`!@#$%^&*()_-+=|\\{[}]:;\"'<,>.?/");

// White space other than the plain blank, format characters (zero-width
// ones, direction overrides), lone surrogates and unassigned code points.
bool invisible(char32_t c)
{
    if (c == U' ') {
        return false;
    }
    if (QChar::isSpace(c)) {
        return true;
    }
    switch (QChar::category(c)) {
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

QString trimUserName(const QString& name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name.at(begin).isSpace()) {
        ++begin;
    }
    while (end > begin && name.at(end - 1).isSpace()) {
        --end;
    }
    return name.mid(begin, end - begin);
}

NameProblem checkUserName(const QString& trimmed, char32_t* fault)
{
    if (trimmed.isEmpty()) {
        return NameProblem::Empty;
    }
    if (trimmed.size() > kMaxUserNameLength) {
        return NameProblem::TooLong;
    }
    for (const QChar c : trimmed) {
        // Control characters cannot be typed into the field; refusing them
        // keeps pasted line breaks out of folder names.
        if (kRefused.contains(c) || c.category() == QChar::Other_Control) {
            return NameProblem::RefusedCharacter;
        }
    }
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        char32_t c = trimmed.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < trimmed.size() && trimmed.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(trimmed.at(i), trimmed.at(i + 1));
            ++i;
        }
        if (invisible(c)) {
            if (fault) {
                *fault = c;
            }
            return NameProblem::Invisible;
        }
    }
    return NameProblem::None;
}

bool isUsableUserName(const QString& name)
{
    return trimUserName(name) == name && checkUserName(name) == NameProblem::None;
}

QString refusedCharactersText()
{
    QString text;
    for (const QChar c : kRefused) {
        if (!text.isEmpty()) {
            text += QLatin1Char(' ');
        }
        text += c;
    }
    return text;
}

QString invisibleCharacterText(char32_t c)
{
    return QStringLiteral("用户名中不得含有看不见的字符 U+%1。")
        .arg(QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace tesmara
