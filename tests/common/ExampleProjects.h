// The example projects of examples/, built as make-examples writes them: a semi-arid irrigated
// plain with winter rains of 20 to 50 mm a month, dry summers, irrigation of 100 to 200 mm a
// month in summer with canal water of about 1.2 dS/m, and a water table between one and two
// metres deep. ExampleFilesTest holds the files in examples/ to them, byte for byte; the
// tests that run every example read the files.
#pragma once

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "InputData.h"
#include "InputFile.h"
#include "ProjectBuilder.h"

namespace halosoil::test::examples {

// Monthly rainfall, irrigation and potential evaporation of the plain, January first (mm).
inline constexpr double kRain[12] = {42, 38, 30, 18, 6, 0, 0, 0, 2, 12, 28, 45};
inline constexpr double kIrrig[12] = {40, 40, 70, 110, 150, 190, 200, 190, 150, 100, 60, 40};
inline constexpr double kEvap[12] = {55, 70, 110, 150, 200, 240, 260, 240, 185, 125, 75, 50};

// Two years in monthly steps, one root-zone layer, no drains: the root zone salinises
// slowly under irrigation with little leaching.
inline InputData OneLayerMonthly() {
    InputData d = NewProject("Semi-arid irrigated plain, root zone of one layer",
                             "Monthly steps over two years, no subsurface drainage", 24, 30, 1);
    SetConditions(d, {.SaltIrrig = 1.2,
                      .WTdepth = 1.6,
                      .CritDepth = 1.8,
                      .Moist = 50,
                      .IrrEff = 70,
                      .GrwtInf = 0.4,
                      .GrwtOut = 0.5,
                      .SalInf = 2.0});
    SetSoil(d, {.Thick = {0, 0.6, 0, 0, 1.4, 10},
                .TotPor = {0, 45, 0, 0, 42, 38},
                .EffPor = {0, 8, 0, 0, 10, 15},
                .LeachEff = {0, 80, 0, 0, 70, 100},
                .InitSalt = {0, 6, 0, 0, 4, 2.5}});
    SetWater(d, [](int i) {
        const int month = (i - 1) % 12;
        return StepWater{kRain[month], kIrrig[month], kEvap[month], 1.2};
    });
    return d;
}

// Fifteen years in yearly steps, two root-zone layers, drains at 1.8 m; soil salinity was
// sampled most years in both root-zone layers, so their leaching efficiencies can be
// optimised against it.
inline InputData TwoLayersYearlyDrained() {
    InputData d = NewProject(
        "Drained clay loam, root zone of two layers, salinity sampled yearly",
        "Yearly steps over fifteen years, drains at 1.8 m; measurements allow optimisation", 15,
        360, 2);
    SetDrains(d, {.DrainDepth = 1.8, .QH1 = 0.012, .QH2 = 0.0015});
    SetConditions(d, {.SaltIrrig = 1.3,
                      .WTdepth = 1.2,
                      .CritDepth = 1.5,
                      .Moist = 55,
                      .IrrEff = 65,
                      .GrwtInf = 0.8,
                      .GrwtOut = 0.6,
                      .SalInf = 3.0});
    SetSoil(d, {.Thick = {0, 0.3, 0.4, 0, 1.6, 12},
                .TotPor = {0, 48, 45, 0, 42, 36},
                .EffPor = {0, 7, 8, 0, 9, 14},
                .LeachEff = {0, 75, 85, 0, 80, 100},
                .InitSalt = {0, 12, 10, 0, 8, 4}});
    const double yearRain[15] = {230, 180, 260, 310, 150, 205, 240, 190,
                                 275, 220, 165, 250, 295, 185, 215};
    SetWater(d, [&yearRain](int i) {
        return StepWater{yearRain[i - 1], 1300.0 + 20 * ((i * 7) % 5), 1760.0 + 15 * ((i * 3) % 4),
                         i <= 8 ? 1.3 : 1.1};
    });
    // Salinity sampled in both root-zone layers, falling as the drains leach the profile.
    const double layer1[15] = {10.5, 9.1, 8.2, -1,  6.9, 6.1, -1, 5.2,
                               4.9,  -1,  4.4, 4.1, -1,  3.8, 3.7};
    const double layer2[15] = {9.4, -1,  8.1, 7.5, -1,  6.6, 6.1, -1,
                               5.5, 5.2, -1,  4.8, 4.6, -1,  4.3};
    for (int i = 1; i <= d.NrTst; ++i) {
        d.MeasSalt[Layer1][i] = layer1[i - 1];
        d.MeasSalt[Layer2][i] = layer2[i - 1];
    }
    return d;
}

// One season in weekly steps, three root-zone layers, closely spaced drains at 1.5 m whose
// capacity from 0.02 on makes every day run in ten sub-steps.
inline InputData ThreeLayersWeeklyDrained() {
    InputData d =
        NewProject("Cotton on a drained silty soil, root zone of three layers",
                   "Weekly steps over one year, drains at 1.5 m with a high capacity", 52, 7, 3);
    SetDrains(d, {.DrainDepth = 1.5, .QH1 = 0.025, .QH2 = 0.004});
    SetConditions(d, {.SaltIrrig = 1.1,
                      .WTdepth = 1.3,
                      .CritDepth = 1.4,
                      .Moist = 60,
                      .IrrEff = 75,
                      .GrwtInf = 0.5,
                      .GrwtOut = 0.5,
                      .SalInf = 2.5});
    SetSoil(d, {.Thick = {0, 0.2, 0.3, 0.4, 1.5, 8},
                .TotPor = {0, 46, 44, 42, 40, 36},
                .EffPor = {0, 8, 8, 9, 10, 14},
                .LeachEff = {0, 80, 80, 85, 90, 100},
                .InitSalt = {0, 5, 6, 6.5, 5, 3}});
    SetWater(d, [](int i) {
        const int month = std::min(11, (i - 1) * 12 / 52);
        // Irrigation every other week in the growing season, a gift of two weeks' need.
        return StepWater{std::round(kRain[month] * 7 / 30 * 10) / 10,
                         (i % 2 == 0) ? std::round(kIrrig[month] * 14 / 30) : 0,
                         std::round(kEvap[month] * 7 / 30 * 10) / 10, 1.1};
    });
    return d;
}

// A summer season of 120 days in daily steps, two root-zone layers, irrigation every ten
// days spread by the program over the following dry days; no drains.
inline InputData TwoLayersDaily() {
    InputData d = NewProject(
        "Vegetable plot with furrow irrigation every ten days, two root-zone layers",
        "Daily steps over a summer season of 120 days, no subsurface drainage", 120, 1, 2);
    SetConditions(d, {.SaltIrrig = 1.4,
                      .WTdepth = 1.9,
                      .CritDepth = 1.6,
                      .Moist = 45,
                      .IrrEff = 60,
                      .GrwtInf = 0.3,
                      .GrwtOut = 0.6,
                      .SalInf = 2.2});
    SetSoil(d, {.Thick = {0, 0.25, 0.35, 0, 1.5, 9},
                .TotPor = {0, 47, 44, 0, 41, 37},
                .EffPor = {0, 9, 9, 0, 11, 15},
                .LeachEff = {0, 85, 80, 0, 75, 100},
                .InitSalt = {0, 4, 4.5, 0, 3.5, 2.5}});
    SetWater(d, [](int i) {
        const double evap = 6.5 + 1.5 * std::sin(3.14159 * i / 120);
        return StepWater{(i == 17 || i == 63) ? 12.0 : 0.0, (i % 10 == 1) ? 75.0 : 0.0,
                         std::round(evap * 10) / 10, 1.4};
    });
    // Soil samples of the upper layer every three weeks.
    for (int i : {10, 31, 52, 73, 94, 115}) d.MeasSalt[Layer1][i] = 4 + 0.1 * (i / 10);
    return d;
}

// The example input files in folder (examples/), in the order of their names.
inline std::vector<std::filesystem::path> ExampleInputFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".inp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// An example file read as a run takes it: its irrigation spread.
inline InputData ReadExample(const std::filesystem::path& file) {
    InputData data;
    data.InputFileName = file.string();
    ReadInputFile(data);
    PrepareIrrigSpread(data);
    return data;
}

// Each example with the name of its file.
struct ExampleFile {
    const char* name;
    InputData (*project)();
};

inline constexpr ExampleFile kExampleFiles[] = {
    {"one_layer_monthly.inp", OneLayerMonthly},
    {"two_layers_yearly_drained.inp", TwoLayersYearlyDrained},
    {"three_layers_weekly_drained.inp", ThreeLayersWeeklyDrained},
    {"two_layers_daily.inp", TwoLayersDaily},
};

}  // namespace halosoil::test::examples
