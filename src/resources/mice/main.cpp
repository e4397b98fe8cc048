// tesmara-mice: draws the pictures of the mouse practice into
// "<output folder>/mp/": the 18 live and 18 dead mouse icons, the six
// backgrounds of the play area and the drag target strip. Run by the build.
//
//   tesmara-mice <output folder>

#include "Backgrounds.h"
#include "MouseIcons.h"
#include "TargetStrip.h"
#include "practice/MousePictures.h"
#include "resources/DrawingProgram.h"

namespace mp = tesmara::mousepictures;

int main(int argc, char** argv)
{
    const tesmara::DrawingProgram program("tesmara-mice", argc, argv);
    if (!program.ok()) {
        return 2;
    }
    using namespace tesmara::mice;
    bool ok = true;
    for (int k = 1; k <= mp::kLiveIcons; ++k) {
        ok = ok && program.save(mp::iconFile(mp::liveIcon(k)), mouseIcon(k, false));
        ok = ok && program.save(mp::iconFile(mp::deadIcon(k)), mouseIcon(k, true));
    }
    for (int n = 1; n <= mp::kBackgrounds; ++n) {
        ok = ok && program.save(mp::backgroundFile(n), background(n));
    }
    ok = ok && program.save(mp::targetFile(), targetStrip());
    return ok ? 0 : 1;
}
