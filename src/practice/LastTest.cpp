#include "practice/LastTest.h"

#include "app/Format.h"
#include "store/Database.h"

namespace tesmara {

using Item = LastPractice::Item;

LastPractice Last_Test_Restore(Database& db, const QString& value)
{
    LastPractice p;
    if (value.isEmpty()) {
        p.repaired = QStringLiteral("000");
        return p;
    }
    const QChar group = value[0];
    if (group == QLatin1Char('5')) {
        const QString full = value.mid(1);
        if (!db.hasRow(QStringLiteral("select * from text_ where N = ?"), {full})) {
            return p; // the article was deleted: Chinese essay 0
        }
        p.item = full.endsWith(QLatin1String("_u")) ? Item::UserArticle : Item::ReviewArticle;
        p.article = full.chopped(2);
        return p;
    }
    const int nn = int(Val(value.mid(1, 2)));
    auto within = [&](int last, const char* reset) {
        if (nn < 0 || nn > last) {
            p.repaired = QString::fromLatin1(reset);
            return false;
        }
        return true;
    };
    switch (group.unicode()) {
    case u'0':
        p.item = Item::Chinese;
        p.index = within(11, "000") ? nn : 0;
        break;
    case u'1':
        p.item = Item::English;
        p.index = within(9, "100") ? nn : 0;
        break;
    case u'2':
        p.item = Item::Numbers;
        p.index = within(1, "200") ? nn : 0;
        break;
    case u'3': {
        const int n = within(11, "300") ? nn : 0;
        if (n <= 7) {
            p.item = Item::CodeDrill;
            p.index = n;
        } else if (n == 11) {
            p.item = Item::SplitDrill;
        } else {
            p.item = Item::PhraseDrill;
            p.index = n - 8;
        }
        break;
    }
    case u'4': {
        const int n = within(2, "400") ? nn : 0;
        p.item = n == 1 ? Item::Mouse : Item::Keyboard;
        p.index = n == 1 ? 0 : n;
        break;
    }
    default:
        break;
    }
    return p;
}

QString Last_Test_Value(const LastPractice& practice)
{
    const auto two = [](int n) { return Pad2(qint16(n)); };
    switch (practice.item) {
    case Item::Chinese:
        return QStringLiteral("0") + two(practice.index);
    case Item::English:
        return QStringLiteral("1") + two(practice.index);
    case Item::Numbers:
        return QStringLiteral("2") + two(practice.index);
    case Item::CodeDrill:
        return QStringLiteral("3") + two(practice.index);
    case Item::PhraseDrill:
        return QStringLiteral("3") + two(practice.index + 8);
    case Item::SplitDrill:
        return QStringLiteral("311");
    case Item::Keyboard:
        return practice.index == 2 ? QStringLiteral("402") : QStringLiteral("400");
    case Item::Mouse:
        return QStringLiteral("401");
    case Item::UserArticle:
        return QStringLiteral("5") + practice.article + QStringLiteral("_u");
    case Item::ReviewArticle:
        return QStringLiteral("5") + practice.article + QStringLiteral("_w");
    }
    return QStringLiteral("000");
}

} // namespace tesmara
