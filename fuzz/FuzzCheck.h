// What a fuzz target does when a property fails: say which, and stop, so that libFuzzer keeps
// the input that broke it.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "InputData.h"

namespace halosoil::fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

inline bool AllFinite(const Series& values) {
    for (double value : values)
        if (!std::isfinite(value)) return false;
    return true;
}

}  // namespace halosoil::fuzz
