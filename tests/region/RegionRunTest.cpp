// A region's fields against one-field runs of their projects, to the bit: the steps table, the
// summaries, the written .inp and .out; and what a region refuses, per field and as a whole.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <tuple>

#include "Engine.h"
#include "FieldProjects.h"
#include "FileBytes.h"
#include "FixedAnswersHost.h"
#include "InputFile.h"
#include "Parameters.h"
#include "RegionProjects.h"
#include "RegionRun.h"
#include "SameResults.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;
using region::RegionOptions;
using region::RunRegion;

void WriteProject(InputData data, const fs::path& path) {
    data.InputFileName = path.string();
    WriteInputFile(data);
}

// The steps rows of a field as doubles, per quantity column, read as a GIS reads them.
std::map<std::string, std::vector<double>> StepsOf(GDALDataset& results, const std::string& id,
                                                   std::vector<int>& steps) {
    std::map<std::string, std::vector<double>> series;
    OGRLayer* layer = results.GetLayerByName("steps");
    layer->SetAttributeFilter(("field = '" + id + "'").c_str());
    for (auto& row : *layer) {
        steps.push_back(row->GetFieldAsInteger("step"));
        for (int k = 2; k < row->GetFieldCount(); ++k)
            if (row->IsFieldSetAndNotNull(k))
                series[row->GetFieldDefnRef(k)->GetNameRef()].push_back(row->GetFieldAsDouble(k));
    }
    layer->SetAttributeFilter(nullptr);
    return series;
}

std::map<std::string, std::string> FieldRow(GDALDataset& results, const std::string& id) {
    for (auto& row : Rows(results, "fields"))
        if (row["field"] == id) return row;
    ADD_FAILURE() << "no field " << id;
    return {};
}

void ExpectBitsEqual(const std::vector<double>& got, const Series& expected, int steps,
                     const std::string& what) {
    ASSERT_EQ(static_cast<int>(got.size()), steps) << what;
    for (int i = 1; i <= steps; ++i)
        ASSERT_EQ(std::memcmp(&got[static_cast<std::size_t>(i - 1)],
                              &expected[static_cast<std::size_t>(i)], sizeof(double)),
                  0)
            << what << " step " << i << ": " << got[static_cast<std::size_t>(i - 1)] << " vs "
            << expected[static_cast<std::size_t>(i)];
}

// The columns that set parameters, and the values the fields give them.
const std::vector<TestColumn> kParameterColumns = {
    {"rain_factor", OFTReal},
    {"thickness_layer1", OFTReal},
    {"leaching_efficiency_transition", OFTReal},
    {"farmer", OFTString},
};

std::vector<TestField> FieldsOfValues() {
    return {
        {{{"farmer", std::string("Ram")}}, 0, 0, ""},
        {{{"rain_factor", 1.25}, {"farmer", std::string("Sita")}}, 100, 0, ""},
        {{{"thickness_layer1", 0.35}, {"leaching_efficiency_transition", 55.0}}, 200, 0, ""},
        {{{"rain_factor", 0.5},
          {"thickness_layer1", 0.2},
          {"leaching_efficiency_transition", 90.0}},
         300,
         0,
         ""},
    };
}

// What each field sets, in the order of FieldsOfValues: (name, value) pairs.
std::vector<std::vector<std::pair<std::string, double>>> ValuesOfFields() {
    return {
        {},
        {{"rain_factor", 1.25}},
        {{"thickness_layer1", 0.35}, {"leaching_efficiency_transition", 55}},
        {{"rain_factor", 0.5}, {"thickness_layer1", 0.2}, {"leaching_efficiency_transition", 90}}};
}

InputData ProjectOfField(const InputData& base,
                         const std::vector<std::pair<std::string, double>>& values) {
    std::vector<study::Parameter> parameters;
    std::vector<double> numbers;
    for (const auto& [name, value] : values) {
        parameters.push_back(study::NamedParameter(name, base));
        numbers.push_back(value);
    }
    return study::Variant(base, parameters, numbers.data());
}

TEST(RegionRun, EveryFieldEqualsTheOneFieldRunOfItsProjectToTheBit) {
    // Every layer count, every step length, drained and not: the generated projects' seeds
    // cycle through them (layers by seed % 3, step length by seed / 3 % 4, no drains when
    // seed % 5 == 0).
    std::set<std::tuple<int, int, bool>> covered;
    for (unsigned seed = 0; seed < 30; ++seed) {
        const InputData generated = GeneratedProject(seed);
        if (!Plausible(generated)) continue;
        const fs::path folder = RegionScratch("same-" + std::to_string(seed));
        WriteProject(generated, folder / "base.inp");
        const InputData base = region::ReadBaseProject((folder / "base.inp").string());
        WriteTestLayer(folder / "fields.gpkg", kParameterColumns, FieldsOfValues());

        RegionOptions options;
        options.base = (folder / "base.inp").string();
        options.fields.path = (folder / "fields.gpkg").string();
        options.results = (folder / "results.gpkg").string();
        options.outputs = (folder / "out").string();
        options.projects = (folder / "inp").string();
        const region::RegionSummary summary = RunRegion(options);
        ASSERT_EQ(summary.fields, 4);
        ASSERT_EQ(summary.refused, 0) << seed;
        const Dataset results = OpenResults(options.results);
        ASSERT_TRUE(results);

        const auto values = ValuesOfFields();
        for (std::size_t k = 0; k < values.size(); ++k) {
            // The layer's feature ids start at 1 in a GeoPackage.
            const std::string id = std::to_string(k + 1);
            SCOPED_TRACE("seed " + std::to_string(seed) + " field " + id);
            InputData project = ProjectOfField(base, values[k]);
            project.InputFileName = (folder / "inp" / (id + ".inp")).string();
            Engine engine;
            FixedAnswersHost host(false, false);
            engine.Compute(project, host);
            const RunState& state = engine.State();
            const std::map<std::string, std::string> row = FieldRow(*results, id);

            if (state.RunStopped) {
                EXPECT_EQ(row.at("status"), "stopped");
                EXPECT_FALSE(fs::exists(folder / "out" / (id + ".out")));
                continue;
            }
            EXPECT_EQ(row.at("status"), "ok");
            std::vector<int> steps;
            const auto series = StepsOf(*results, id, steps);
            ASSERT_EQ(static_cast<int>(steps.size()), project.NrTst);
            for (int i = 0; i < project.NrTst; ++i)
                EXPECT_EQ(steps[static_cast<std::size_t>(i)], i + 1);
            ExpectBitsEqual(series.at("depth_water_table"), state.DepthWT, project.NrTst, "depth");
            ExpectBitsEqual(series.at("drainage"), state.Drain, project.NrTst, "drainage");
            ExpectBitsEqual(series.at("percolation"), state.Percol, project.NrTst, "percolation");
            ExpectBitsEqual(series.at("capillary_rise"), state.CapRise, project.NrTst, "rise");
            ExpectBitsEqual(series.at("actual_evaporation"), state.ActEvap, project.NrTst, "evap");
            ExpectBitsEqual(series.at("salinity_layer1"), state.SalRoot1, project.NrTst, "layer1");
            ExpectBitsEqual(series.at("salinity_transition"), state.SalTrans, project.NrTst,
                            "trans");
            ExpectBitsEqual(series.at("salinity_aquifer"), state.SalAquif, project.NrTst,
                            "aquifer");
            const int layers = LayerCount(project);
            EXPECT_EQ(series.count("salinity_layer2"), layers >= 2 ? 1u : 0u);
            EXPECT_EQ(series.count("salinity_layer3"), layers >= 3 ? 1u : 0u);
            if (layers >= 2)
                ExpectBitsEqual(series.at("salinity_layer2"), state.SalRoot2, project.NrTst,
                                "layer2");
            if (layers >= 3)
                ExpectBitsEqual(series.at("salinity_layer3"), state.SalRoot3, project.NrTst,
                                "layer3");

            // The output file as run writes it: the region's own is moved aside and the
            // engine writes the same name.
            const fs::path out = folder / "out" / (id + ".out");
            const std::string regionOut = ReadBytes(out);
            fs::remove(out);
            engine.WriteOutput(project, host, out.string());
            EXPECT_EQ(regionOut, ReadBytes(out));
            EXPECT_EQ(ReadBytes(folder / "inp" / (id + ".inp")), InputFileText(project));
            covered.insert({layers, project.TstLength, project.DrainPresent});
        }
    }
    std::set<int> layers, lengths;
    std::set<bool> drained;
    for (const auto& [l, t, d] : covered) {
        layers.insert(l);
        lengths.insert(t);
        drained.insert(d);
    }
    EXPECT_EQ(layers, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(lengths, (std::set<int>{1, 7, 30, 360}));
    EXPECT_EQ(drained, (std::set<bool>{false, true}));
}

TEST(RegionRun, WithTheCalibrationsEachFieldIsFittedAloneAsRunFitsItsProject) {
    // Drained projects with measured salinities, so that both questions are asked.
    const InputData generated =
        RunnableProject([](const InputData& d) { return d.DrainPresent && d.NrTst <= 14; }, 2);
    const fs::path folder = RegionScratch("calibrations");
    WriteProject(generated, folder / "base.inp");
    const InputData base = region::ReadBaseProject((folder / "base.inp").string());
    WriteTestLayer(folder / "fields.gpkg", kParameterColumns, FieldsOfValues());
    RegionOptions options;
    options.base = (folder / "base.inp").string();
    options.fields.path = (folder / "fields.gpkg").string();
    options.results = (folder / "results.gpkg").string();
    options.refine = true;
    options.optimise = true;
    RunRegion(options);
    const Dataset results = OpenResults(options.results);
    const auto values = ValuesOfFields();
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::string id = std::to_string(k + 1);
        SCOPED_TRACE(id);
        const InputData project = ProjectOfField(base, values[k]);
        Engine engine;
        FixedAnswersHost host(true, true);
        engine.Compute(project, host);
        ASSERT_FALSE(engine.State().RunStopped);
        std::vector<int> steps;
        const auto series = StepsOf(*results, id, steps);
        ExpectBitsEqual(series.at("depth_water_table"), engine.State().DepthWT, project.NrTst,
                        "depth");
        ExpectBitsEqual(series.at("salinity_layer1"), engine.State().SalRoot1, project.NrTst,
                        "layer1");
    }
}

}  // namespace
}  // namespace halosoil::test
