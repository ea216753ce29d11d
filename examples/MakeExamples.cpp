// Writes the example projects (tests/common/ExampleProjects.h) with the program's own input
// file writer, the observations of the weekly one and the daily record of a weather station and the
// fields of a region. Run it in the examples folder: make-examples

#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <string>

#include "AtomicFile.h"
#include "Engine.h"
#include "Errors.h"
#include "ExampleProjects.h"
#include "InputFile.h"
#include "MemberRuns.h"
#include "Observations.h"
#include "Parameters.h"
#include "RegionExample.h"
#include "StationExample.h"

using namespace halosoil;

namespace {

// The record as written, as a run of the file takes it.
InputData Write(const test::examples::ExampleFile& example) {
    InputData d = example.project();
    d.InputFileName = example.name;
    d = WriteInputFile(d);
    std::cout << "wrote " << example.name << '\n';
    return d;
}

// What a field campaign on the weekly project might have measured: the piezometer's water
// table every week, the drain discharge every other week and the salinity of the two upper
// layers every fourth week, with the scatter of field readings. The field behaves as the
// project with a drainage capacity QH1 of 0.03, a leaching efficiency of 70 % in the first
// layer and a groundwater inflow of 0.8 mm/day, which a calibration can find again.
void WeeklyObservations(const InputData& project) {
    using namespace halosoil::study;
    InputData base = project;
    PrepareIrrigSpread(base);
    const std::vector<Parameter> parameters = {
        MakeParameter("qh1", 0.02, 0.06, base),
        MakeParameter("leaching_efficiency_layer1", 40, 100, base),
        MakeParameter("groundwater_inflow", 0, 2, base)};
    const double truth[] = {0.03, 70, 0.8};
    Engine engine;
    std::string refusal;
    engine.ComputePlain(Variant(base, parameters, truth), refusal);
    const RunState& run = engine.State();
    std::mt19937 random(2026);
    std::normal_distribution<double> noise(0, 1);
    const auto rounded = [](double value, double scale) {
        return std::round(value * scale) / scale;
    };
    Observations observations;
    for (int i = 1; i <= base.NrTst; ++i) {
        observations.Of(Quantity::DepthWaterTable)
            .push_back({i, rounded(run.DepthWT[i] + 0.02 * noise(random), 100)});
        if (i % 2 == 0)
            observations.Of(Quantity::Drainage)
                .push_back({i, rounded(run.Drain[i] * (1 + 0.05 * noise(random)), 10)});
        if (i % 4 != 0) continue;
        observations.Of(Quantity::SalinityLayer1)
            .push_back({i, rounded(run.SalRoot1[i] + 0.1 * noise(random), 100)});
        observations.Of(Quantity::SalinityLayer2)
            .push_back({i, rounded(run.SalRoot2[i] + 0.1 * noise(random), 100)});
    }
    const char* name = "three_layers_weekly_drained_observations.csv";
    WriteFileAtomically(name, ObservationsCsvText(observations));
    std::cout << "wrote " << name << '\n';
}

}  // namespace

int main() {
    try {
        for (const test::examples::ExampleFile& example : test::examples::kExampleFiles) {
            const InputData written = Write(example);
            if (example.project == test::examples::ThreeLayersWeeklyDrained)
                WeeklyObservations(written);
        }
        examples::WriteStationExample("station_daily.csv");
        examples::WriteRegionExample("district_fields.geojson");
    } catch (const HalosoilError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
