#include "CodeTables.h"

#include <QStringEncoder>

#include <vector>

namespace tesmara::gen {

namespace {

int computeIndex(char16_t c)
{
    if (c < 0x80 || QChar::isSurrogate(c)) {
        return -1;
    }
    // A fresh encoder per character: an unmappable one leaves the error
    // flag set for good.
    QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    const QChar ch(c);
    const QByteArray bytes = encoder.encode(QStringView(&ch, 1));
    if (encoder.hasError() || bytes.size() != 2) {
        return -1;
    }
    const int lead = static_cast<unsigned char>(bytes[0]);
    const int trail = static_cast<unsigned char>(bytes[1]);
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) {
        return -1;
    }
    return (lead - 129) * 254 + (trail - 64);
}

} // namespace

int gbkIndex(char16_t c)
{
    static const std::vector<int> indexes = [] {
        std::vector<int> all(0x10000);
        for (int u = 0; u < 0x10000; ++u) {
            all[u] = computeIndex(char16_t(u));
        }
        return all;
    }();
    return indexes[c];
}

QByteArray wubiTable(const std::map<char16_t, WubiEntry>& codes, QStringList& warnings)
{
    QByteArray table(kRecordCount * kWubiRecordSize, '\0');
    for (const auto& [c, entry] : codes) {
        const int index = gbkIndex(c);
        if (index < 0) {
            warnings.append(QStringLiteral("no GBK code for %1").arg(QChar(c)));
            continue;
        }
        quint32 bits = 0;
        for (int i = 0; i < entry.full.size(); ++i) {
            bits |= quint32(entry.full[i].unicode() - 96) << (19 - 5 * i);
        }
        // The record can only say "the first n letters of the full code";
        // a short code that is not such a prefix is left out.
        if (entry.short2.contains(entry.full.left(2)) && entry.full.size() > 2) {
            bits |= 1u << 3;
        }
        if (entry.short3.contains(entry.full.left(3)) && entry.full.size() > 3) {
            bits |= 1u << 2;
        }
        char* record = table.data() + index * kWubiRecordSize;
        record[0] = char(bits >> 16);
        record[1] = char(bits >> 8);
        record[2] = char(bits);
    }
    return table;
}

QByteArray pinyinTable(const std::map<char16_t, QStringList>& readings, QStringList& warnings)
{
    constexpr int kValues = 22;
    constexpr int kBlank = 27;
    QByteArray table(kRecordCount * kPinyinRecordSize, '\0');
    for (const auto& [c, list] : readings) {
        const int index = gbkIndex(c);
        if (index < 0) {
            warnings.append(QStringLiteral("no GBK code for %1").arg(QChar(c)));
            continue;
        }
        // Whole readings only, most usual first, as many as fit.
        std::vector<int> values;
        for (const QString& reading : list) {
            const size_t needed = reading.size() + (values.empty() ? 0 : 1);
            if (values.size() + needed > kValues) {
                break;
            }
            if (!values.empty()) {
                values.push_back(kBlank);
            }
            for (QChar letter : reading) {
                values.push_back(letter.unicode() - 96);
            }
        }
        unsigned char* record = reinterpret_cast<unsigned char*>(table.data()) + index * kPinyinRecordSize;
        for (size_t k = 0; k < values.size(); ++k) {
            for (int b = 0; b < 5; ++b) {
                if (values[k] & (16 >> b)) {
                    const size_t bit = 5 * k + b;
                    record[bit / 8] |= static_cast<unsigned char>(0x80 >> (bit % 8));
                }
            }
        }
    }
    return table;
}

QByteArray gbkIndexMap()
{
    QByteArray map(0x10000 * 2, '\0');
    for (int u = 0x80; u < 0x10000; ++u) {
        const int index = gbkIndex(char16_t(u));
        if (index < 0 || index >= kRecordCount) {
            continue;
        }
        const int value = index + 1;
        map[2 * u] = char(value & 0xFF);
        map[2 * u + 1] = char(value >> 8);
    }
    return map;
}

} // namespace tesmara::gen
