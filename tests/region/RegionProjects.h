// The generated projects a region test starts from: those that `run` accepts, picked by what
// the test needs of them.
#pragma once

#include "Errors.h"
#include "GeneratedProjects.h"
#include "Plausibility.h"

namespace halosoil::test {

inline bool Plausible(const InputData& data) {
    try {
        CheckPlausible(data);
    } catch (const HalosoilError&) {
        return false;
    }
    return true;
}

// The first generated project from seed on that is plausible and that wanted takes; the
// projects made to stop early (seed % 11 == 0) are passed over.
template <class Wanted>
InputData RunnableProject(Wanted wanted, unsigned seed = 1) {
    for (;; ++seed) {
        InputData data = GeneratedProject(seed);
        if (seed % 11 != 0 && wanted(data) && Plausible(data)) return data;
    }
}

}  // namespace halosoil::test
