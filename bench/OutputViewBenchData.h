// A ten-year daily project with three root-zone layers (the benchmark project of that size),
// its input file and its output file, for timing the Output page's readers and tables.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "BenchProjects.h"
#include "InputData.h"
#include "InputFile.h"
#include "OutputFile.h"
#include "QuantityCatalogue.h"
#include "RunState.h"

namespace halosoil::bench {

inline constexpr int kDailySteps = 3650;

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Fills the record and the run's results as a run of kDailySteps days would leave them, and
// writes both files into folder: the input file "tenyears.inp" and its "tenyears.out".
inline void MakeTenYearRun(const std::filesystem::path& folder, InputData& data, RunState& state) {
    std::filesystem::create_directories(folder);
    data = Project(3, kDailySteps, 1);
    data.Title1 = "Ten years of daily steps";
    data.Title2 = "Three root-zone layers";
    data.InputFileName = (folder / "tenyears.inp").string();
    SizeResultSeries(state, kDailySteps);
    for (int i = 1; i <= kDailySteps; ++i) {
        const double season = std::sin(i * 2 * 3.14159265358979 / 365);
        state.Percol[i] = 2.5 + season;
        state.CapRise[i] = 0.4 + 0.1 * season;
        state.ActEvap[i] = 4.5 + 2 * season;
        state.Drain[i] = 0.75 + 0.25 * season;
        state.DepthWT[i] = 1.5 + 0.3 * season;
        state.SalRoot1[i] = 4 + season;
        state.SalRoot2[i] = 3.6 + season;
        state.SalRoot3[i] = 3.3 + season;
        state.SalTrans[i] = 3 + 0.5 * season;
        state.SalAquif[i] = 2 + 0.1 * season;
    }
    WriteText(data.InputFileName, InputFileText(data));

    // The output header shows the efficiencies as the fractions the run used.
    for (int z = Layer1; z <= Aquif; ++z) state.LeachEff[z] = data.LeachEff[z] / 100;
    state.FitNA = {true, true, true, true, true, true};
    const std::string outputName = (folder / "tenyears.out").string();
    std::string text = OutputHeaderText(data, state, outputName);
    for (int i = 1; i <= kDailySteps; ++i) text += OutputLineText(data, state, i);
    WriteText(outputName, text);
}

}  // namespace halosoil::bench
