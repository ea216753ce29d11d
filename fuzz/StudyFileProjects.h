// The projects the study files' targets read against: what a reader accepts depends on the
// project's zones, drains and number of steps, so each input meets a small monthly project of
// one layer without drains and a weekly one of three layers with drains.
#pragma once

#include <array>

#include "InputData.h"

namespace halosoil::fuzz {

inline InputData StudyProject(int layers, int steps, bool drains) {
    InputData data;
    data.InputFileName = "fuzz.inp";
    data.NrTst = steps;
    data.HydrRows = steps;
    data.TstLength = steps == 12 ? 30 : 7;
    data.NrLayers = layers;
    data.SetLayerFlags(layers);
    data.DrainPresent = drains;
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        data.Thick[z] = 0.5;
        data.TotPor[z] = 45;
        data.EffPor[z] = 10;
        data.LeachEff[z] = 80;
        data.InitSalt[z] = 2;
    }
    return data;
}

inline std::array<InputData, 2> StudyProjects() {
    return {StudyProject(1, 12, false), StudyProject(3, 52, true)};
}

}  // namespace halosoil::fuzz
