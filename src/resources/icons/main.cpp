// tesmara-icons: renders the program's icon (an SVG file) into PNG files of
// the sizes a window icon needs, "<size>.png" in the output folder. Run by
// the build, so that the program shows its icon without loading the SVG
// renderer or a font at start.
//
//   tesmara-icons <icon.svg> <output folder> <size>...

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv)
{
    // Rendering needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tesmara-icons <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tesmara-icons: cannot create %s\n", argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImageReader reader(source, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString path = out.filePath(QStringLiteral("%1.png").arg(size));
        if (size <= 0 || image.isNull() || !image.save(path, "PNG")) {
            std::fprintf(stderr, "tesmara-icons: cannot render %s at %s: %s\n", argv[1], argv[i],
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
