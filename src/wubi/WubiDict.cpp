#include "wubi/WubiDict.h"

#include "app/AppState.h"

#include <QResource>

namespace tesmara {

namespace {

// The one-letter codes: a character of this list types with the key at the
// same position of "abcdefghijklmnopqrstuvwxy".
constexpr char16_t kLevelOne[] = u"工了以在有地一上不是中国同民为这我的要和产发人经主";

// Character to record index + 1 (0: not GBK), 65536 little-endian 16-bit
// values made by the build. Read in place when stored uncompressed.
struct IndexMap {
    QByteArray copy;
    const uchar* data = nullptr;

    IndexMap()
    {
        QResource res(QStringLiteral(":/data/bin/gbk.idx"));
        if (!res.isValid()) {
            return;
        }
        if (res.compressionAlgorithm() == QResource::NoCompression) {
            data = res.data();
        } else {
            copy = res.uncompressedData();
            data = reinterpret_cast<const uchar*>(copy.constData());
        }
        if (res.uncompressedSize() != 0x10000 * 2) {
            data = nullptr;
        }
    }
};

const uchar* indexMap()
{
    static const IndexMap map;
    return map.data;
}

// The first character of `ch`, or 0 when `ch` trimmed is empty.
char16_t firstChar(const QString& ch)
{
    for (QChar c : ch) {
        if (!c.isSpace()) {
            return ch.at(0).unicode();
        }
    }
    return 0;
}

int indexOf(char16_t c)
{
    const uchar* map = indexMap();
    if (map == nullptr || c == 0) {
        return -1;
    }
    return (map[2 * c] | (map[2 * c + 1] << 8)) - 1;
}

QChar letter(int value)
{
    return QChar(char16_t(u'a' + value - 1));
}

} // namespace

int Gbk_Index(const QString& ch)
{
    return ch.isEmpty() ? -1 : indexOf(ch.at(0).unicode());
}

QString Wb_Code(const QString& ch, const QByteArray& table)
{
    const char16_t c = firstChar(ch);
    if (c == 0) {
        return {};
    }
    const int index = indexOf(c);
    if (index < 0 || qsizetype(index) * 3 + 3 > table.size()) {
        return {};
    }
    const auto* r = reinterpret_cast<const uchar*>(table.constData()) + index * 3;
    const int letters[4] = {r[0] >> 3, ((r[0] & 7) << 2) | (r[1] >> 6), (r[1] >> 1) & 31,
                            ((r[1] & 1) << 4) | (r[2] >> 4)};
    const bool has2 = (r[2] >> 3) & 1;
    const bool has3 = (r[2] >> 2) & 1;

    QString result;
    result.reserve(24);
    for (int i = 0; kLevelOne[i] != 0; ++i) {
        if (kLevelOne[i] == c) {
            result += QChar(char16_t(u'a' + i));
            result += QLatin1String("\r\n");
            break;
        }
    }
    QString full;
    for (int v : letters) {
        if (v != 0) {
            full += letter(v);
        }
    }
    if (has2) {
        result += full.left(2) + QLatin1String("\r\n");
    }
    if (has3) {
        result += full.left(3) + QLatin1String("\r\n");
    }
    return result + full;
}

QString Get_Py(const QString& ch, const QByteArray& table)
{
    const char16_t c = firstChar(ch);
    if (c == 0) {
        return {};
    }
    const int index = indexOf(c);
    if (index < 0 || qsizetype(index) * 14 + 14 > table.size()) {
        return {};
    }
    const auto* r = reinterpret_cast<const uchar*>(table.constData()) + index * 14;
    QString result;
    for (int k = 0; k < 22; ++k) {
        int value = 0;
        for (int b = 0; b < 5; ++b) {
            const int bit = 5 * k + b;
            value = (value << 1) | ((r[bit / 8] >> (7 - bit % 8)) & 1);
        }
        if (value == 0) {
            break;
        }
        result += value == 27 ? QChar(u' ') : letter(value);
    }
    return result;
}

QString Get_Wb86(const QString& ch)
{
    return Wb_Code(ch, App().Wb86_Codes);
}

QString Get_Wb98(const QString& ch)
{
    return Wb_Code(ch, App().Wb98_Codes);
}

QString Get_Py(const QString& ch)
{
    return Get_Py(ch, App().Py_Codes);
}

} // namespace tesmara
