// A ten-year daily project with three root-zone layers, its input file and its output file,
// for timing the Output page's readers and tables.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "InputData.h"
#include "InputFile.h"
#include "OutputFile.h"
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
    data = InputData{};
    data.Title1 = "Ten years of daily steps";
    data.Title2 = "Three root-zone layers";
    data.InputFileName = (folder / "tenyears.inp").string();
    data.NrTst = data.HydrRows = kDailySteps;
    data.TstLength = 1;
    data.NrLayers = 3;
    data.SetLayerFlags(3);
    data.SaltIrrig = 1.2;
    data.InitSalt = {0, 4, 3.5, 3.2, 3, 2};
    data.WTdepth = 1.5;
    data.CritDepth = 1;
    data.Moist = 50;
    data.IrrEff = 70;
    data.Thick = {0, 0.3, 0.3, 0.3, 1.4, 10};
    data.TotPor = {0, 45, 44, 43, 40, 35};
    data.EffPor = {0, 8, 8, 8, 10, 12};
    data.LeachEff = {0, 80, 80, 80, 70, 100};
    for (Series* s : {&data.Rain, &data.Irrig, &data.Evap, &data.IrrSal})
        SizeSeries(*s, kDailySteps);
    for (auto& s : data.MeasSalt) SizeSeries(s, kDailySteps);
    for (Series* s :
         {&state.Percol, &state.CapRise, &state.ActEvap, &state.Drain, &state.DepthWT,
          &state.SalRoot1, &state.SalRoot2, &state.SalRoot3, &state.SalTrans, &state.SalAquif})
        SizeSeries(*s, kDailySteps);
    for (int i = 1; i <= kDailySteps; ++i) {
        const double season = std::sin(i * 2 * 3.14159265358979 / 365);
        data.Rain[i] = season > 0.5 ? 12.5 * season : 0;
        data.Irrig[i] = i % 10 == 0 ? 60 : 0;
        data.Evap[i] = 5 + 3 * season;
        data.IrrSal[i] = 1.2;
        for (int zone = Layer1; zone <= Aquif; ++zone)
            data.MeasSalt[zone][i] = i % 30 == 0 ? 3 + season + 0.1 * zone : kMissing;
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
