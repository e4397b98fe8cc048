#pragma once

#include "TestSupport.h"

namespace tesmara::test {

// A Script that, while it lives, is the default source, so windows that draw
// their own numbers draw these.
class ScriptedRandom final : public Script {
public:
    explicit ScriptedRandom(QList<double> values) : Script(std::move(values)) { setDefaultRandom(this); }
    ~ScriptedRandom() override { setDefaultRandom(nullptr); }
};

} // namespace tesmara::test
