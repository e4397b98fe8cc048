#include "app/TextCodec.h"

#include <QStringDecoder>

namespace tesmara {

QString decodeTextFile(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        view = view.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) {
        return text;
    }
    // A damaged byte or two in UTF-8 text: GBK text makes almost no valid
    // UTF-8 sequences, UTF-8 text with a stray byte almost nothing else.
    const QChar mark(QChar::ReplacementCharacter);
    const qsizetype damaged = text.count(mark) - view.count(QByteArrayView("\xEF\xBF\xBD"));
    qsizetype wide = 0;
    for (const QChar c : std::as_const(text)) {
        wide += (c.unicode() >= 0x80 && c != mark && !c.isLowSurrogate()) ? 1 : 0;
    }
    if (damaged * 4 < wide) {
        return text;
    }
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        return gb.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

} // namespace tesmara
