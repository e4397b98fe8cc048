// tesmara-charts: draws the Wubi root chart "zgb.g" and the root mnemonic
// chart "kj.g" (PNG pictures) into the given folder. Run by the build.
//
//   tesmara-charts <output folder>

#include "MnemonicChart.h"
#include "RootChart.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tesmara-charts <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tesmara-charts: cannot create %s\n", argv[1]);
        return 1;
    }
    const struct {
        const char* name;
        QImage image;
    } charts[] = {{"zgb.g", tesmara::charts::rootChart()}, {"kj.g", tesmara::charts::mnemonicChart()}};
    for (const auto& chart : charts) {
        const QString path = out.filePath(QString::fromLatin1(chart.name));
        if (!chart.image.save(path, "PNG")) {
            std::fprintf(stderr, "tesmara-charts: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
