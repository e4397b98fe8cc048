// tesmara-pictures: draws the pictures the program embeds, so that it shows
// them without loading the SVG renderer or a bold or large font at start:
// the window icon rendered from its SVG file as "icon/<size>.png" for each
// size given, the login window's banner "logo.png", and the typing game's
// boat "game/101.png", sinking frames "game/102.png" and "game/103.png" and
// the water of its two layouts "game/water.png" and "game/water-large.png".
//
//   tesmara-pictures <icon.svg> <output folder> <size>...

#include "Logo.h"
#include "resources/game/GamePictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tesmara-pictures <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("icon")) || !out.mkpath(QStringLiteral("game"))) {
        std::fprintf(stderr, "tesmara-pictures: cannot create %s\n", argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImageReader reader(source, "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString path = out.filePath(QStringLiteral("icon/%1.png").arg(size));
        if (size <= 0 || image.isNull() || !image.save(path, "PNG")) {
            std::fprintf(stderr, "tesmara-pictures: cannot render %s at %s: %s\n", argv[1], argv[i],
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    using namespace tesmara;
    // The game's client areas (pixels) of the two layouts, and where the quay
    // starts: just below the boats waiting at the bottom.
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {
        {"logo.png", pictures::logo()},
        {"game/101.png", gamepics::boat()},
        {"game/102.png", gamepics::sinking(1)},
        {"game/103.png", gamepics::sinking(2)},
        {"game/water.png", gamepics::water(QSize(765, 479), 426)},
        {"game/water-large.png", gamepics::water(QSize(885, 579), 523)},
    };
    for (const auto& picture : pictures) {
        const QString path = out.filePath(QString::fromLatin1(picture.name));
        if (!picture.image.save(path, "PNG")) {
            std::fprintf(stderr, "tesmara-pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
