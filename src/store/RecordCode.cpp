#include "store/RecordCode.h"

#include "app/FileRead.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringEncoder>

#include <array>
#include <atomic>
#include <vector>

namespace tesmara {

namespace {

// Cache of code-page values, filled on first use of each character: encoding
// one character at a time is slow, and long articles repeat characters a lot.
constexpr qint32 kUnknown = 0x7fffffff;

std::array<qint32, 65536>& ansiCache()
{
    static std::array<qint32, 65536> cache = [] {
        std::array<qint32, 65536> c;
        c.fill(kUnknown);
        for (int i = 0; i < 128; ++i) {
            c[i] = i;
        }
        return c;
    }();
    return cache;
}

qint16 encodeOne(char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        return 63;
    }
    // The encoder keeps its error once it has met a character without a
    // code (resetState does not clear it), so every character that fails
    // leaves a spoilt encoder behind and gets a fresh one.
    static QStringEncoder encoder("GBK", QStringEncoder::Flag::Stateless);
    const QChar ch(unit);
    QByteArray bytes = encoder.encode(QStringView(&ch, 1));
    if (encoder.hasError()) {
        encoder = QStringEncoder("GBK", QStringEncoder::Flag::Stateless);
        return 63;
    }
    if (bytes.size() == 1) {
        return static_cast<quint8>(bytes[0]);
    }
    if (bytes.size() == 2) {
        const int lead = static_cast<quint8>(bytes[0]);
        const int trail = static_cast<quint8>(bytes[1]);
        return static_cast<qint16>(lead * 256 + trail - 65536);
    }
    return 63;
}

// RFC 1321 compression over a prepared word array.
struct Md5State {
    quint32 a = 0x67452301, b = 0xefcdab89, c = 0x98badcfe, d = 0x10325476;
};

inline quint32 rotl(quint32 x, int s)
{
    return (x << s) | (x >> (32 - s));
}

void md5Block(Md5State& st, const quint32* x)
{
    static constexpr quint32 K[64] = {
        0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
        0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
        0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
        0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
        0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
        0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
        0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
        0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
    static constexpr int S[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                  5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                  4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                  6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    quint32 a = st.a, b = st.b, c = st.c, d = st.d;
    for (int i = 0; i < 64; ++i) {
        quint32 f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        const quint32 tmp = d;
        d = c;
        c = b;
        b = b + rotl(a + f + K[i] + x[g], S[i]);
        a = tmp;
    }
    st.a += a;
    st.b += b;
    st.c += c;
    st.d += d;
}

void appendHex(QString& out, quint32 word)
{
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < 4; ++i) {
        const quint8 byte = (word >> (8 * i)) & 0xff;
        out.append(QLatin1Char(digits[byte >> 4]));
        out.append(QLatin1Char(digits[byte & 15]));
    }
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

qint16 Ansi_Value(char16_t unit)
{
    auto& cache = ansiCache();
    qint32 v = cache[unit];
    if (v == kUnknown) {
        v = encodeOne(unit);
        cache[unit] = v;
    }
    return static_cast<qint16>(v);
}

QString Md5_Hex(const QString& text, int width)
{
    // The message is an array of 32-bit words into which each character's
    // sign-extended code-page value is OR-ed at its byte position. For ASCII
    // this is the plain MD5 padding; a double-byte character's sign bits also
    // spill over the following byte positions of its word, which stored codes
    // depend on.
    const qsizetype L = text.size();
    const qsizetype W = ((L + 8) / 64 + 1) * 16;
    std::vector<quint32> words(static_cast<size_t>(W), 0u);
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype k = 0; k < L; ++k) {
        const qint32 v = Ansi_Value(units[k]);
        words[static_cast<size_t>(k / 4)] |= static_cast<quint32>(v) << (8 * (k % 4));
    }
    words[static_cast<size_t>(L / 4)] |= 128u << (8 * (L % 4));
    words[static_cast<size_t>(W - 2)] = static_cast<quint32>(L) << 3;
    words[static_cast<size_t>(W - 1)] = static_cast<quint32>(static_cast<quint64>(L) >> 29);

    Md5State st;
    for (qsizetype i = 0; i < W; i += 16) {
        md5Block(st, words.data() + i);
    }
    QString out;
    out.reserve(32);
    if (width == 32) {
        appendHex(out, st.a);
        appendHex(out, st.b);
        appendHex(out, st.c);
        appendHex(out, st.d);
    } else {
        appendHex(out, st.b);
        appendHex(out, st.c);
    }
    return out;
}

QString Code_Of(const QString& text)
{
    const QString h = Md5_Hex(text, 16);
    QString p;
    p.reserve(16);
    for (int i = 0; i < 4; ++i) {
        if (!isDigit(h[i])) {
            p.append(h[i]);
        }
    }
    p.append(QStringView(h).mid(4, 4));
    for (int i = 8; i < 12; ++i) {
        if (!isDigit(h[i])) {
            p.append(h[i]);
        }
    }
    p.append(QStringView(h).mid(12));
    return Md5_Hex(p, 32);
}

QString File_Digest(const QString& path, int algorithm)
{
    if (algorithm != kAlgorithmMd5) {
        return {};
    }
    QFile file;
    if (openRegularFile(file, path) != ReadStatus::Ok) {
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Md5);
    constexpr qint64 kBlock = 32768;
    QByteArray block(kBlock, Qt::Uninitialized);
    const qint64 length = file.size();
    qint64 remaining = length;
    while (remaining > 0) {
        const qint64 want = std::min(kBlock, remaining);
        const qint64 got = file.read(block.data(), want);
        if (got != want) {
            return {};
        }
        hash.addData(QByteArrayView(block.constData(), got));
        remaining -= got;
    }
    return QString::fromLatin1(hash.result().toHex().toUpper());
}

} // namespace tesmara
