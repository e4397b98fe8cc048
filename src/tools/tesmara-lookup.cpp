// tesmara-lookup: prints the Wubi 86 and 98 codes and the pinyin of each
// character given, through the program's own dictionary.
//
//   tesmara-lookup 照中我

#include "app/Resources.h"
#include "wubi/WubiDict.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace tesmara;

namespace {

QString codeList(const QString& codes)
{
    return codes.isEmpty() ? QStringLiteral("-") : QString(codes).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        err << "usage: tesmara-lookup CHARACTERS...\n"
               "Prints the Wubi 86 and Wubi 98 codes (shortest first) and the pinyin of each character.\n";
        return args.isEmpty() ? 2 : 0;
    }
    const QByteArray wb86 = binaryResource(101);
    const QByteArray wb98 = binaryResource(102);
    const QByteArray py = binaryResource(104);
    if (wb86.size() != kWubiTableSize || wb98.size() != kWubiTableSize || py.size() != kPinyinTableSize) {
        err << "tesmara-lookup: the built-in code tables are missing or damaged\n";
        return 1;
    }
    int unknown = 0;
    for (const QString& arg : args) {
        for (qsizetype i = 0; i < arg.size(); ++i) {
            const qsizetype width = arg.at(i).isHighSurrogate() && i + 1 < arg.size() ? 2 : 1;
            const QString ch = arg.mid(i, width);
            i += width - 1;
            if (ch.trimmed().isEmpty()) {
                continue;
            }
            const QString a = Wb_Code(ch, wb86);
            const QString b = Wb_Code(ch, wb98);
            const QString p = Get_Py(ch, py);
            if (a.isEmpty() && b.isEmpty() && p.isEmpty()) {
                ++unknown;
            }
            out << ch << "\t86: " << codeList(a) << "\t98: " << codeList(b)
                << "\tpinyin: " << (p.isEmpty() ? QStringLiteral("-") : p) << '\n';
        }
    }
    return unknown == 0 ? 0 : 1;
}
