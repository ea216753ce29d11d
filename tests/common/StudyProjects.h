// Projects for the tests of studies: the examples as their files have them, and the weekly
// three-layer example built and stretched over as many years as a test needs by repeating its
// season.
#pragma once

#include <string>

#include "ExampleProjects.h"
#include "InputData.h"
#include "InputFile.h"

namespace halosoil::test {

inline InputData ExampleProject(const std::string& name) {
    return examples::ReadExample(std::string(HALOSOIL_EXAMPLES) + "/" + name);
}

// The weekly drained example of three layers, as its file has it, over `years` years of 52
// weeks.
inline InputData WeeklyProject(int years) {
    InputData data = AsWritten(examples::ThreeLayersWeeklyDrained());
    data.InputFileName = std::string(HALOSOIL_EXAMPLES) + "/three_layers_weekly_drained.inp";
    const int season = data.NrTst;
    data.NrTst = season * years;
    data.HydrRows = data.NrTst;
    for (Series* series : {&data.Rain, &data.Irrig, &data.Evap, &data.IrrSal}) {
        SizeSeries(*series, data.NrTst);
        for (int i = season + 1; i <= data.NrTst; ++i) (*series)[i] = (*series)[i - season];
    }
    for (Series& measured : data.MeasSalt) {
        SizeSeries(measured, data.NrTst);
        for (int i = 1; i <= data.NrTst; ++i) measured[i] = kMissing;
    }
    PrepareIrrigSpread(data);
    return data;
}

}  // namespace halosoil::test
