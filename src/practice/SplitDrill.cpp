#include "practice/SplitDrill.h"

#include "app/Clock.h"
#include "wubi/WubiDict.h"

namespace tesmara {

void SplitDrill::start(const QString& characters)
{
    m_characters = characters;
    m_current.clear();
    m_right = m_wrong = m_seconds = 0;
}

QString SplitDrill::next(RandomSource& random)
{
    m_current =
        m_characters.isEmpty() ? QString() : m_characters.mid(int(random.unit() * double(m_characters.size())), 1);
    return m_current;
}

SplitDrill::Verdict SplitDrill::check(const QString& entry, bool wb98)
{
    const QStringList codes = Split_Codes(m_current, wb98);
    if (codes.isEmpty()) {
        return Verdict::NoCodes;
    }
    if (Answer_Matches(entry, codes)) {
        ++m_right;
        return Verdict::Right;
    }
    ++m_wrong;
    return Verdict::Wrong;
}

QString SplitDrill::countsText() const
{
    return QStringLiteral("正确 %1 个  错误 %2 个").arg(m_right).arg(m_wrong);
}

QStringList Split_Codes(const QString& character, bool wb98)
{
    return (wb98 ? Get_Wb98(character) : Get_Wb86(character)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

bool Answer_Matches(const QString& entry, const QStringList& codes)
{
    return codes.contains(entry.trimmed(), Qt::CaseInsensitive);
}

QString Answer_Text(const QString& character, const QStringList& codes)
{
    QString text = character + QStringLiteral(" 的答案：");
    for (const QString& code : codes) {
        text += QStringLiteral("  ") + code;
    }
    return text;
}

bool Has_98_Picture(const QString& character)
{
    return Get_Wb98(character) == Get_Wb86(character);
}

} // namespace tesmara
