#include "app/ui/LoginHandOff.h"

namespace tesmara {

LoginHandOff& loginHandOff()
{
    static LoginHandOff handOff{[] {}, [] {}};
    return handOff;
}

} // namespace tesmara
