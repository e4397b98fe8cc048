// tesmara-charts: draws the Wubi root chart "zgb.g" and the root mnemonic
// chart "kj.g" (PNG pictures) into the given folder. Run by the build.
//
//   tesmara-charts <output folder>

#include "MnemonicChart.h"
#include "RootChart.h"
#include "resources/DrawingProgram.h"

int main(int argc, char** argv)
{
    const tesmara::DrawingProgram program("tesmara-charts", argc, argv);
    if (!program.ok()) {
        return 2;
    }
    const bool ok = program.save(QStringLiteral("zgb.g"), tesmara::charts::rootChart()) &&
                    program.save(QStringLiteral("kj.g"), tesmara::charts::mnemonicChart());
    return ok ? 0 : 1;
}
