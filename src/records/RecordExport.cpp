#include "records/RecordExport.h"

#include "records/PracticeKinds.h"

#include <QSaveFile>
#include <QSqlQuery>
#include <QStringEncoder>

#include <clocale>
#include <langinfo.h>

namespace tesmara {

namespace {

const QString kEol = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

QString& codecOverride()
{
    static QString name;
    return name;
}

} // namespace

QString Export_Section(int tab, const QList<TestRecord>& records)
{
    QString out;
    out.reserve(64 + records.size() * 24);
    out += Kind_Caption(tab) + kEol;
    out += QStringLiteral("共有 ") + QString::number(records.size()) + QStringLiteral(" 条练习记录") + kEol;
    out += QStringLiteral("序号\t速度\t时间(分钟)\t正确率") + kEol;
    qsizetype n = 0;
    for (const TestRecord& rec : records) {
        out += QString::number(++n) + kTab + rec.s + kTab + rec.t + kTab + rec.r + kEol;
    }
    return out;
}

QString Export_One_Text(Database& db, int tab)
{
    // Only the written columns are read: the export of every kind reads
    // every record, and half the columns would be thrown away.
    QSqlQuery q = db.exec(QStringLiteral("select s,t,r from testlog where type = ? Order By ID;"),
                          {QString::number(Kind_Type(tab))});
    QList<TestRecord> records;
    while (q.next()) {
        TestRecord rec;
        rec.s = q.value(0).toString();
        rec.t = q.value(1).toString();
        rec.r = q.value(2).toString();
        records.append(std::move(rec));
    }
    return Export_Section(tab, records);
}

QString Export_All_Text(Database& db)
{
    QString out;
    for (int tab = 0; tab < kKindCount; ++tab) {
        out += Export_One_Text(db, tab) + kEol;
    }
    return out;
}

QString Export_File_Name(const QString& chosen)
{
    QString name = chosen;
    const qsizetype nul = name.indexOf(QChar(0));
    if (nul >= 0) {
        name.truncate(nul);
    }
    if (name.isEmpty()) {
        return {};
    }
    if (!name.toLower().endsWith(QLatin1String(".txt"))) {
        name += QLatin1String(".txt");
    }
    return name;
}

QString System_Codec_Name()
{
    if (!codecOverride().isEmpty()) {
        return codecOverride();
    }
    // The C locale's codeset is the one the desktop session set (the
    // application object calls setlocale at start-up).
    const char* codeset = nl_langinfo(CODESET);
    QString name = QString::fromLatin1(codeset ? codeset : "");
    // A bare "C" locale reports ASCII; Chinese text would be lost, so such
    // a session gets UTF-8 like every current desktop.
    if (name.isEmpty() || name == QLatin1String("ANSI_X3.4-1968") || name == QLatin1String("ASCII")) {
        name = QStringLiteral("UTF-8");
    }
    return name;
}

void setSystemCodecOverride(const QString& name)
{
    codecOverride() = name;
}

QByteArray Encode_System(const QString& text)
{
    const QString name = System_Codec_Name();
    QStringEncoder encoder(name.toLatin1().constData());
    if (!encoder.isValid()) {
        encoder = QStringEncoder(QStringConverter::Utf8);
    }
    return encoder.encode(text);
}

bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    auto failed = [&] {
        if (error) {
            *error = file.errorString();
        }
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return failed();
    }
    // The buffer is flushed here, not left to commit(): a write that fails
    // only when flushed (a full disk) would otherwise go unnoticed, and the
    // unfinished file would replace the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        return failed();
    }
    if (!file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

} // namespace tesmara
