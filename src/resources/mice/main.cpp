// tesmara-mice: draws the pictures of the mouse practice into
// "<output folder>/mp/": the 18 live and 18 dead mouse icons, the six
// backgrounds of the play area and the drag target strip. Run by the build.
//
//   tesmara-mice <output folder>

#include "Backgrounds.h"
#include "MouseIcons.h"
#include "TargetStrip.h"
#include "practice/MousePictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace mp = tesmara::mousepictures;

namespace {

bool save(const QDir& out, const QString& name, const QImage& image)
{
    const QString path = out.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "tesmara-mice: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tesmara-mice <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("mp"))) {
        std::fprintf(stderr, "tesmara-mice: cannot create %s/mp\n", argv[1]);
        return 1;
    }
    using namespace tesmara::mice;
    bool ok = true;
    for (int k = 1; k <= mp::kLiveIcons; ++k) {
        ok = ok && save(out, mp::iconFile(mp::liveIcon(k)), mouseIcon(k, false));
        ok = ok && save(out, mp::iconFile(mp::deadIcon(k)), mouseIcon(k, true));
    }
    for (int n = 1; n <= mp::kBackgrounds; ++n) {
        ok = ok && save(out, mp::backgroundFile(n), background(n));
    }
    ok = ok && save(out, mp::targetFile(), targetStrip());
    return ok ? 0 : 1;
}
