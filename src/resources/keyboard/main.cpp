// tesmara-keyboard: draws the pictures of the fingering practice (PNG
// pictures under their program names) into <output folder>/kp/: the
// keyboard, the number pad, a highlight for every practised key, the two
// hands and each lit finger. Run by the build.
//
//   tesmara-keyboard <output folder>

#include "Hands.h"

#include "practice/KeyboardGeometry.h"
#include "practice/ui/KeyboardPicture.h"
#include "resources/DrawingProgram.h"

using namespace tesmara;

int main(int argc, char** argv)
{
    const DrawingProgram program("tesmara-keyboard", argc, argv);
    if (!program.ok()) {
        return 2;
    }
    bool ok = true;
    for (keyboard::Board board : {keyboard::Board::Main, keyboard::Board::NumberPad}) {
        ok = ok && program.save(keyboard::boardFile(board), keyboard::boardPicture(board));
        for (const keyboard::Key& key : keyboard::keys(board)) {
            if (!key.label.isNull()) {
                ok = ok &&
                     program.save(keyboard::highlightFile(board, key.label), keyboard::highlightPicture(board, key));
            }
        }
    }
    ok = ok && program.save(keyboard::handsFile(), pictures::handsPicture());
    for (int f = 0; f < keyboard::kFingers; ++f) {
        ok = ok && program.save(keyboard::fingerFile(f), pictures::fingerPicture(f));
    }
    return ok ? 0 : 1;
}
