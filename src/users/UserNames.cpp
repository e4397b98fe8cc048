#include "users/UserNames.h"

namespace tesmara {

namespace {

const QString kRefused = QStringLiteral("~`!@#$%^&*()_-+=|\\{[}]:;\"'<,>.?/");

} // namespace

QString trimUserName(const QString& name)
{
    // Only blanks are trimmed: a tab or other space inside the field is part
    // of the name as typed.
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name.at(begin) == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && name.at(end - 1) == QLatin1Char(' ')) {
        --end;
    }
    return name.mid(begin, end - begin);
}

NameProblem checkUserName(const QString& trimmed)
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
    return NameProblem::None;
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

} // namespace tesmara
