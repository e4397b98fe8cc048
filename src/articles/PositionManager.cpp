#include "articles/PositionManager.h"

#include "app/Format.h"

namespace tesmara {

namespace {

bool isBuiltIn(int tab)
{
    return tab == 0 || tab == 1;
}

QString suffixOf(int tab)
{
    return tab == 2 ? QStringLiteral("_u") : QStringLiteral("_w");
}

// The key prefix of a built-in tab, "00" or "01".
QString prefixOf(int tab)
{
    return tab == 0 ? QStringLiteral("00") : QStringLiteral("01");
}

} // namespace

QString No_Positions_Line()
{
    return QStringLiteral("此类暂无保存");
}

QStringList Position_Items(Database& db, int tab)
{
    QStringList items;
    if (isBuiltIn(tab)) {
        for (int n = 1; n <= 10; ++n) {
            items.append(QStringLiteral("文章 %1").arg(n));
        }
        if (tab == 0) {
            items << QStringLiteral("二级简码顺口词") << QStringLiteral("百家姓");
        }
        return items;
    }
    // The same rows, in the same order, as the practice menus list.
    const QString suffix = suffixOf(tab);
    QSqlQuery q = db.exec(QStringLiteral("select N from text_ ;"));
    while (q.next()) {
        const QString n = q.value(0).toString();
        if (n.endsWith(suffix)) {
            items.append(n.left(n.size() - 2));
        }
    }
    if (items.isEmpty()) {
        items.append(No_Positions_Line());
    }
    return items;
}

QString Position_Key(int tab, int row, const QString& item)
{
    if (isBuiltIn(tab)) {
        return prefixOf(tab) + Pad2(static_cast<qint16>(row));
    }
    return item + suffixOf(tab);
}

void Reset_All_Positions(Database& db)
{
    db.transaction([&] {
        for (int tab = 0; tab < kPositionTabs; ++tab) {
            Reset_Tab_Positions(db, tab);
        }
        return true;
    });
}

void Reset_Tab_Positions(Database& db, int tab)
{
    if (isBuiltIn(tab)) {
        db.exec(QStringLiteral("update test_no set No_ = 1 where substr(N, 1, 2) = ?;"), {prefixOf(tab)});
    } else {
        db.exec(QStringLiteral("update text_ set No_ = 1 where substr(N, -2) = ?;"), {suffixOf(tab)});
    }
}

void Reset_Position(Database& db, int tab, const QString& key)
{
    if (isBuiltIn(tab)) {
        db.exec(QStringLiteral("update test_no set No_ = 1 where N = ?;"), {key});
    } else {
        db.exec(QStringLiteral("update text_ set No_ = 1 where N = ?;"), {key});
    }
}

std::optional<qint64> Read_Position(Database& db, int tab, const QString& key)
{
    const QString sql = isBuiltIn(tab) ? QStringLiteral("select No_ from test_no where N = ?;")
                                       : QStringLiteral("select No_ from text_ where N = ?;");
    const std::optional<QVariant> v = db.scalar(sql, {key});
    if (!v) {
        return std::nullopt;
    }
    return v->toLongLong();
}

bool Set_Position(Database& db, int tab, const QString& key, qint64 position)
{
    if (isBuiltIn(tab)) {
        if (!db.hasRow(QStringLiteral("select * from test_no where N = ?;"), {key})) {
            db.exec(QStringLiteral("insert into test_no (N, No_) values (?, ?);"), {key, position});
            return true;
        }
        db.exec(QStringLiteral("update test_no set No_ = ? where N = ?;"), {position, key});
        return true;
    }
    return db.exec(QStringLiteral("update text_ set No_ = ? where N = ?;"), {position, key}).numRowsAffected() > 0;
}

std::optional<qint64> Parse_Position(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 9 || !Position_Entry_Ok(t)) {
        return std::nullopt;
    }
    return t.toLongLong();
}

bool Position_Entry_Ok(const QString& text)
{
    for (QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

} // namespace tesmara
