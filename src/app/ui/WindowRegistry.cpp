#include "app/ui/WindowRegistry.h"

namespace tesmara {

WindowRegistry& windowRegistry()
{
    static WindowRegistry registry;
    return registry;
}

} // namespace tesmara
