// tesmara-keyboard: draws the pictures of the fingering practice (PNG
// pictures under their program names) into <output folder>/kp/: the
// keyboard, the number pad, a highlight for every practised key, the two
// hands and each lit finger. Run by the build.
//
//   tesmara-keyboard <output folder>

#include "Hands.h"

#include "practice/KeyboardGeometry.h"
#include "practice/ui/KeyboardPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

using namespace tesmara;

namespace {

bool save(const QDir& out, const QString& name, const QImage& image)
{
    const QString path = out.filePath(name);
    if (!out.mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "tesmara-keyboard: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tesmara-keyboard <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (keyboard::Board board : {keyboard::Board::Main, keyboard::Board::NumberPad}) {
        ok = ok && save(out, keyboard::boardFile(board), keyboard::boardPicture(board));
        for (const keyboard::Key& key : keyboard::keys(board)) {
            if (!key.label.isNull()) {
                ok = ok && save(out, keyboard::highlightFile(board, key.label), keyboard::highlightPicture(board, key));
            }
        }
    }
    ok = ok && save(out, keyboard::handsFile(), pictures::handsPicture());
    for (int f = 0; f < keyboard::kFingers; ++f) {
        ok = ok && save(out, keyboard::fingerFile(f), pictures::fingerPicture(f));
    }
    return ok ? 0 : 1;
}
