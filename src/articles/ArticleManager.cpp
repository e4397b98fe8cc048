#include "articles/ArticleManager.h"

namespace tesmara {

QString Article_Suffix(int tab)
{
    return tab == 0 ? QStringLiteral("_u") : QStringLiteral("_w");
}

QString No_Articles_Line()
{
    return QStringLiteral("本类无任何保存的项目");
}

QStringList List_Articles(Database& db, const QString& suffix)
{
    QSqlQuery q = db.exec(QStringLiteral("select N from text_ where substr(N, -2) = ? ;"), {suffix});
    QStringList names;
    while (q.next()) {
        const QString n = q.value(0).toString();
        names.append(n.left(n.size() - 2));
    }
    return names;
}

std::optional<QString> Article_Text(Database& db, const QString& name, const QString& suffix)
{
    QSqlQuery q = db.exec(QStringLiteral("select N,T from text_ where N = ? ;"), {name + suffix});
    if (!q.next()) {
        return std::nullopt;
    }
    return q.value(1).toString();
}

int Delete_Articles(Database& db, const QStringList& names, const QString& suffix)
{
    int gone = 0;
    db.transaction([&] {
        for (const QString& name : names) {
            gone += db.exec(QStringLiteral("delete from text_ where N = ? ;"), {name + suffix}).numRowsAffected();
        }
        return true;
    });
    return gone;
}

std::optional<QString> Merged_Text(Database& db, const QStringList& names, const QString& suffix)
{
    QString text;
    for (const QString& name : names) {
        const std::optional<QString> part = Article_Text(db, name, suffix);
        if (!part) {
            return std::nullopt;
        }
        text += *part;
    }
    return text;
}

} // namespace tesmara
