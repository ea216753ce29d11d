// Fields that share their groundwater: the network of neighbours the polygons give, the cells
// the exchange refuses, and the coupled runs held to what the flows must do: no water or salt
// made or lost between fields, heads that approach without crossing, symmetry, a drained field
// that draws its neighbours down, and each field equal to a one-field run of its project with
// the flows it was given.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>

#include "Errors.h"
#include "ExchangeCells.h"
#include "FieldLayer.h"
#include "FieldProjects.h"
#include "InputFile.h"
#include "Neighbours.h"
#include "ProjectBuilder.h"
#include "Quantities.h"
#include "RegionRun.h"
#include "SteppedRun.h"
#include "TestLayers.h"

namespace halosoil::test {
namespace {

namespace fs = std::filesystem;
using region::RegionOptions;
using region::RunRegion;

// Per field id, per column of the steps table, the values of steps 1.. in order.
using StepColumns = std::map<std::string, std::map<std::string, std::vector<double>>>;

StepColumns ReadSteps(const fs::path& results) {
    const Dataset dataset = OpenResults(results);
    EXPECT_TRUE(dataset);
    StepColumns steps;
    if (!dataset) return steps;
    OGRLayer* layer = dataset->GetLayerByName("steps");
    EXPECT_NE(layer, nullptr);
    if (layer == nullptr) return steps;
    for (auto& row : *layer)
        for (int k = 2; k < row->GetFieldCount(); ++k)
            if (row->IsFieldSetAndNotNull(k))
                steps[row->GetFieldAsString(0)][row->GetFieldDefnRef(k)->GetNameRef()].push_back(
                    row->GetFieldAsDouble(k));
    return steps;
}

// One layer over a transition zone of 3 m and an aquifer of 10 m, every zone of effective
// porosity 10 %, ten steps of 30 days; its water table starts at depth (m).
InputData Profile(double depth, bool recharge) {
    InputData data = NewProject("Shared", "groundwater", 10, 30, 1);
    SetConditions(data, {.SaltIrrig = 1.2,
                         .WTdepth = depth,
                         .CritDepth = 1.2,
                         .Moist = 50,
                         .IrrEff = 70,
                         .GrwtInf = recharge ? 0.2 : 0,
                         .GrwtOut = recharge ? 0.3 : 0,
                         .SalInf = 1.5});
    SetSoil(data, {.Thick = {0, 0.6, 0, 0, 3, 10},
                   .TotPor = {0, 45, 0, 0, 45, 45},
                   .EffPor = {0, 10, 0, 0, 10, 10},
                   .LeachEff = {0, 80, 0, 0, 80, 80},
                   .InitSalt = {0, 4, 0, 0, 3, 2}});
    if (recharge)
        SetWater(data, [](int i) {
            return StepWater{.Rain = 40.0 + 5 * i, .Irrig = 90, .Evap = 150, .IrrSal = 1.2};
        });
    return data;
}

void WriteExchangeProject(InputData data, const fs::path& path) {
    data.InputFileName = path.string();
    WriteInputFile(data);
}

struct ExchangeScratch {
    fs::path folder;
    RegionOptions options;
};

ExchangeScratch Prepare(const std::string& name, const InputData& base,
                        const std::vector<TestColumn>& columns,
                        const std::vector<TestField>& fields) {
    ExchangeScratch scratch{RegionScratch("exchange-" + name), {}};
    WriteExchangeProject(base, scratch.folder / "base.inp");
    WriteTestLayer(scratch.folder / "fields.gpkg", columns, fields);
    scratch.options.base = (scratch.folder / "base.inp").string();
    scratch.options.fields.path = (scratch.folder / "fields.gpkg").string();
    scratch.options.results = (scratch.folder / "results.gpkg").string();
    scratch.options.exchange = true;
    return scratch;
}

const std::vector<TestColumn> kExchangeColumns = {
    {"transmissivity", OFTReal}, {"elevation", OFTReal}, {"boundary_head", OFTReal}};

TestField SquareField(double x, double y, double transmissivity, double elevation = 0) {
    return {{{"transmissivity", transmissivity}, {"elevation", elevation}}, x, y, ""};
}

region::FieldLayer LayerOf(const ExchangeScratch& scratch) {
    return region::FieldLayer::Read(scratch.options.fields);
}

TEST(ExchangeNetwork, SquaresShareTheirSidesAndNotTheirCorners) {
    // A 2 x 2 block of 100 m squares (ids 1..4) and one square apart (5); field 6 is a
    // rectangle 200 m wide along the top of the block, touching 3 and 4 along 100 m each.
    std::vector<TestField> fields = {SquareField(0, 0, 1), SquareField(100, 0, 1),
                                     SquareField(0, 100, 1), SquareField(100, 100, 1),
                                     SquareField(1000, 0, 1)};
    TestField wide = SquareField(0, 0, 1);
    wide.wkt =
        "POLYGON((500000 3000200,500200 3000200,500200 3000300,500000 3000300,"
        "500000 3000200))";
    fields.push_back(wide);
    const ExchangeScratch scratch =
        Prepare("network", Profile(1.5, false), kExchangeColumns, fields);
    const region::FieldLayer layer = LayerOf(scratch);
    const region::FieldNetwork network =
        region::NetworkOf(layer, {true, false, false, false, true, false});

    const auto neighbours = [&](std::size_t k) {
        std::vector<std::size_t> of;
        for (const region::Neighbour& n : network.neighbours[k]) of.push_back(n.field);
        return of;
    };
    EXPECT_EQ(neighbours(0), (std::vector<std::size_t>{1, 2}));  // not 3, the corner
    EXPECT_EQ(neighbours(1), (std::vector<std::size_t>{0, 3}));
    EXPECT_EQ(neighbours(2), (std::vector<std::size_t>{0, 3, 5}));
    EXPECT_EQ(neighbours(3), (std::vector<std::size_t>{1, 2, 5}));
    EXPECT_TRUE(neighbours(4).empty());
    EXPECT_EQ(neighbours(5), (std::vector<std::size_t>{2, 3}));
    for (const region::Neighbour& n : network.neighbours[0]) {
        EXPECT_NEAR(n.length, 100, 1e-9);
        EXPECT_NEAR(n.distance, 100, 1e-9);  // centroids 100 m apart
    }
    // Square 3's centroid (50, 150) and the rectangle's (100, 250): sqrt(50^2 + 100^2).
    EXPECT_NEAR(network.neighbours[2][2].distance, std::sqrt(50.0 * 50 + 100 * 100), 1e-9);
    EXPECT_NEAR(network.area[0], 10000, 1e-6);
    EXPECT_NEAR(network.area[5], 20000, 1e-6);
    // Square 1's outer edge: its west and south sides, 200 m, 50 m from its centroid; the
    // lone square's whole boundary, 400 m; the rectangle's 600 m less 200 m shared.
    EXPECT_NEAR(network.outerLength[0], 200, 1e-9);
    EXPECT_NEAR(network.outerDistance[0], 50, 1e-9);
    EXPECT_NEAR(network.outerLength[4], 400, 1e-9);
    EXPECT_NEAR(network.outerLength[5], 400, 1e-9);
}

TEST(ExchangeNetwork, AGeographicLayerIsRefusedNamingItsCrs) {
    ExchangeScratch scratch = Prepare("geographic", Profile(1.5, false), kExchangeColumns, {});
    TestField a = SquareField(0, 0, 1), b = SquareField(0, 0, 1);
    a.wkt = "POLYGON((70 30,70.001 30,70.001 30.001,70 30.001,70 30))";
    b.wkt = "POLYGON((70.001 30,70.002 30,70.002 30.001,70.001 30.001,70.001 30))";
    WriteTestLayer(scratch.folder / "fields.gpkg", kExchangeColumns, {a, b}, "GPKG", 4326);
    try {
        RunRegion(scratch.options);
        FAIL() << "a geographic layer ran";
    } catch (const HalosoilError& error) {
        EXPECT_NE(std::string(error.what()).find("WGS 84"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("projected"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(scratch.options.results));
}

TEST(ExchangeCells, BadCellsRefuseTheirFieldAndNegativeElevationsServe) {
    const std::vector<TestColumn> textColumns = {
        {"transmissivity", OFTString}, {"elevation", OFTString}, {"boundary_head", OFTString}};
    const auto field = [](const char* t, const char* z, const char* h, double x) {
        TestField f{{}, x, 0, ""};
        f.cells["transmissivity"] = std::string(t);
        f.cells["elevation"] = std::string(z);
        if (h[0] != 0) f.cells["boundary_head"] = std::string(h);
        return f;
    };
    ExchangeScratch scratch = Prepare(
        "cells", Profile(1.5, false), textColumns,
        {field("12.5", "-3.5", "", 0), field("lots", "1", "", 100), field("-2", "1", "", 200),
         field("5", "high", "", 300), field("5", "1", "x", 400), field("", "", "-1.5", 500)});
    const std::vector<region::ExchangeCells> cells = region::ExchangeCellsOf(LayerOf(scratch));
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].refusal, "");
    EXPECT_EQ(cells[0].transmissivity, 12.5);
    EXPECT_EQ(cells[0].elevation, -3.5);
    EXPECT_EQ(cells[1].refusal, "Field 2: column transmissivity holds 'lots': not a number");
    EXPECT_EQ(cells[2].refusal,
              "Field 3: column transmissivity holds '-2': a transmissivity cannot be negative");
    EXPECT_EQ(cells[3].refusal, "Field 4: column elevation holds 'high': not a number");
    EXPECT_EQ(cells[4].refusal, "Field 5: column boundary_head holds 'x': not a number");
    // Empty cells are the defaults; a head below sea level serves.
    EXPECT_EQ(cells[5].refusal, "");
    EXPECT_EQ(cells[5].transmissivity, 0);
    EXPECT_EQ(cells[5].elevation, 0);
    EXPECT_TRUE(cells[5].hasBoundaryHead);
    EXPECT_EQ(cells[5].boundaryHead, -1.5);

    // The region runs the good fields and names the bad ones.
    std::vector<std::string> messages;
    scratch.options.message = [&](const std::string& m) { messages.push_back(m); };
    const region::RegionSummary summary = RunRegion(scratch.options);
    EXPECT_EQ(summary.refused, 4);
    EXPECT_EQ(summary.ran, 2);
    EXPECT_NE(std::find(messages.begin(), messages.end(), cells[1].refusal), messages.end());

    // The calibrations fit a field alone and are refused with the exchange.
    scratch.options.refine = true;
    try {
        RunRegion(scratch.options);
        FAIL() << "refine ran with the exchange";
    } catch (const HalosoilError& error) {
        EXPECT_NE(std::string(error.what()).find("refinement"), std::string::npos);
    }
}

// Each quantity column of two results, to the bit.
void ExpectSameQuantities(const StepColumns& a, const StepColumns& b, const std::string& id) {
    ASSERT_TRUE(a.count(id) && b.count(id)) << id;
    for (const study::QuantityInfo& info : study::Quantities()) {
        const auto& x = a.at(id);
        const auto& y = b.at(id);
        ASSERT_EQ(x.count(info.name), y.count(info.name)) << id << " " << info.name;
        if (!x.count(info.name)) continue;
        const std::vector<double>& u = x.at(info.name);
        const std::vector<double>& v = y.at(info.name);
        ASSERT_EQ(u.size(), v.size());
        for (std::size_t k = 0; k < u.size(); ++k)
            ASSERT_EQ(std::memcmp(&u[k], &v[k], sizeof(double)), 0)
                << id << " " << info.name << " step " << k + 1;
    }
}

TEST(ExchangeRun, WithoutTransmissivityOrNeighboursTheFieldsRunAsAlone) {
    // Four touching fields of different drains' capacities, their transmissivities 0 or NULL.
    const std::vector<TestColumn> columns = {{"transmissivity", OFTReal}, {"qh1", OFTReal}};
    std::vector<TestField> fields;
    for (int k = 0; k < 4; ++k) {
        TestField f{{{"qh1", 0.002 + 0.01 * k}}, 100.0 * k, 0, ""};
        f.cells["transmissivity"] = k % 2 == 0 ? Cell{0.0} : Cell{};
        fields.push_back(f);
    }
    InputData base = Profile(1.5, true);
    SetDrains(base, {.DrainDepth = 1.8, .QH1 = 0.01, .QH2 = 0.001});
    ExchangeScratch coupled = Prepare("zero", base, columns, fields);
    ASSERT_EQ(RunRegion(coupled.options).ran, 4);
    ExchangeScratch alone = coupled;
    alone.options.exchange = false;
    alone.options.results = (coupled.folder / "alone.gpkg").string();
    ASSERT_EQ(RunRegion(alone.options).ran, 4);
    const StepColumns a = ReadSteps(coupled.options.results), b = ReadSteps(alone.options.results);
    for (const char* id : {"1", "2", "3", "4"}) {
        ExpectSameQuantities(a, b, id);
        for (double in : a.at(id).at("lateral_inflow")) EXPECT_EQ(in, 0);
    }

    // One field alone exchanges with nothing, whatever its transmissivity.
    ExchangeScratch one = Prepare("one", base, kExchangeColumns, {SquareField(0, 0, 500, 3)});
    ASSERT_EQ(RunRegion(one.options).ran, 1);
    ExchangeScratch oneAlone = one;
    oneAlone.options.exchange = false;
    oneAlone.options.results = (one.folder / "alone.gpkg").string();
    RunRegion(oneAlone.options);
    ExpectSameQuantities(ReadSteps(one.options.results), ReadSteps(oneAlone.options.results), "1");
}

// Two 100 m squares side by side, without recharge or groundwater of their own, water tables
// at 1.0 m and 2.5 m (heads -1.0 and -2.5 m), both in the transition zone of 10 % porosity.
// Each step moves a water table by one day's flow: Q = T L / d x (h1 - h2) = T x 1.5 m3/day
// at first, which changes each head by Q / (10000 m2 x 0.1) and their difference by
// 2 Q / 1000 = 0.002 T x difference. With T = 200 the difference shrinks by 0.4 a step:
// 1.5 x 0.6^k after step k, never crossing. With T = 1000 the flow would carry the pair past
// equal heads (0.002 x 1000 = 2 > 1): it is limited to what equalises them, 1.5 / 0.002 =
// 750 m3/day, and the run says so.
ExchangeScratch TwoProfiles(const std::string& name, double transmissivity) {
    const std::vector<TestColumn> columns = {{"transmissivity", OFTReal}, {"project", OFTString}};
    ExchangeScratch scratch = Prepare(
        name, Profile(1.0, false), columns,
        {{{{"transmissivity", transmissivity}, {"project", std::string("shallow.inp")}}, 0, 0, ""},
         {{{"transmissivity", transmissivity}, {"project", std::string("deep.inp")}}, 100, 0, ""}});
    WriteExchangeProject(Profile(1.0, false), scratch.folder / "shallow.inp");
    WriteExchangeProject(Profile(2.5, false), scratch.folder / "deep.inp");
    return scratch;
}

TEST(ExchangeRun, TwoFieldsApproachEachOtherWithoutCrossing) {
    ExchangeScratch scratch = TwoProfiles("approach", 200);
    std::vector<std::string> messages;
    scratch.options.message = [&](const std::string& m) { messages.push_back(m); };
    ASSERT_EQ(RunRegion(scratch.options).ran, 2);
    EXPECT_TRUE(messages.empty());
    const StepColumns steps = ReadSteps(scratch.options.results);
    const std::vector<double>& h1 = steps.at("1").at("head");
    const std::vector<double>& h2 = steps.at("2").at("head");
    ASSERT_EQ(h1.size(), 10u);
    double expected = 1.5;
    for (std::size_t k = 0; k < h1.size(); ++k) {
        expected *= 0.6;
        EXPECT_NEAR(h1[k] - h2[k], expected, 1e-9) << "step " << k + 1;
    }
    // Step 1's flow, 200 x 1.5 = 300 m3/day over 10000 m2: 30 mm/day out of the shallow field
    // and into the deep one, the deep one's inflow at the shallow aquifer's salinity, 2 dS/m.
    EXPECT_NEAR(steps.at("1").at("lateral_outflow")[0], 30, 1e-9);
    EXPECT_NEAR(steps.at("2").at("lateral_inflow")[0], 30, 1e-9);
    EXPECT_EQ(steps.at("2").at("lateral_salinity")[0], 2);
    EXPECT_EQ(steps.at("1").at("lateral_inflow")[0], 0);

    ExchangeScratch limited = TwoProfiles("limited", 1000);
    messages.clear();
    limited.options.message = [&](const std::string& m) { messages.push_back(m); };
    ASSERT_EQ(RunRegion(limited.options).ran, 2);
    const StepColumns equal = ReadSteps(limited.options.results);
    // 750 m3/day over 10000 m2: 75 mm/day; the heads meet at -1.75 m and stay there.
    EXPECT_NEAR(equal.at("1").at("lateral_outflow")[0], 75, 1e-9);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_NEAR(equal.at("1").at("head")[k], -1.75, 1e-9) << "step " << k + 1;
        EXPECT_NEAR(equal.at("2").at("head")[k], -1.75, 1e-9) << "step " << k + 1;
    }
    // Once per field, on the messages and in the run table.
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "Field 1: in step 1 the groundwater flow with field 2 was limited to what makes "
              "their heads equal; the step is too long for the flow");
    const Dataset results = OpenResults(limited.options.results);
    const auto run = Rows(*results, "run");
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0].at("notes"), messages[0] + "\n" + messages[1]);
}

// A 3 x 3 block of 100 m squares with recharge, each field of its own transmissivity and
// elevation, closed all round.
std::vector<TestField> BlockFields() {
    std::vector<TestField> fields;
    for (int k = 0; k < 9; ++k)
        fields.push_back(SquareField(100.0 * (k % 3), 100.0 * (k / 3), 20.0 + 15 * (k % 4),
                                     0.4 * ((k * 5) % 7)));
    return fields;
}

TEST(ExchangeRun, WaterAndSaltAreConservedBetweenTheFieldsEveryStep) {
    ExchangeScratch scratch =
        Prepare("conserved", Profile(1.5, true), kExchangeColumns, BlockFields());
    ASSERT_EQ(RunRegion(scratch.options).ran, 9);
    const StepColumns steps = ReadSteps(scratch.options.results);
    // Every field is 10000 m2, so the areas drop out of the sums.
    for (std::size_t k = 0; k < 10; ++k) {
        SCOPED_TRACE("step " + std::to_string(k + 1));
        double in = 0, out = 0, saltIn = 0, saltOut = 0;
        for (int f = 1; f <= 9; ++f) {
            const auto& field = steps.at(std::to_string(f));
            in += field.at("lateral_inflow")[k];
            out += field.at("lateral_outflow")[k];
            saltIn += field.at("lateral_inflow")[k] * field.at("lateral_salinity")[k];
            // What leaves a field carries its aquifer's salinity at the end of the step
            // before: the initial 2 dS/m in step 1.
            const double aquifer = k == 0 ? 2 : field.at("salinity_aquifer")[k - 1];
            saltOut += field.at("lateral_outflow")[k] * aquifer;
        }
        ASSERT_GT(in, 1);  // the elevations differ: water flows
        EXPECT_NEAR(in - out, 0, 1e-12 * in);
        EXPECT_NEAR(saltIn - saltOut, 0, 1e-12 * saltIn);
    }
}

TEST(ExchangeRun, AClosedRegionWithoutRechargeKeepsItsStorage) {
    // No rain, irrigation, evaporation, drains or groundwater of their own: only the exchange
    // moves the water tables, all in the transition zone of one porosity, so the sum of the
    // heads of fields of one area stays -(1.0 + 2.5 + 1.0 + 2.5 + 1.0 + 2.5) = -10.5 m.
    const std::vector<TestColumn> columns = {{"transmissivity", OFTReal}, {"project", OFTString}};
    std::vector<TestField> fields;
    for (int k = 0; k < 6; ++k)
        fields.push_back({{{"transmissivity", 40.0 + 30 * k},
                           {"project", std::string(k % 2 == 0 ? "shallow.inp" : "deep.inp")}},
                          100.0 * (k % 3),
                          100.0 * (k / 3),
                          ""});
    ExchangeScratch scratch = Prepare("storage", Profile(1.0, false), columns, fields);
    WriteExchangeProject(Profile(1.0, false), scratch.folder / "shallow.inp");
    WriteExchangeProject(Profile(2.5, false), scratch.folder / "deep.inp");
    ASSERT_EQ(RunRegion(scratch.options).ran, 6);
    const StepColumns steps = ReadSteps(scratch.options.results);
    for (std::size_t k = 0; k < 10; ++k) {
        double heads = 0, spread = 0;
        for (int f = 1; f <= 6; ++f) {
            heads += steps.at(std::to_string(f)).at("head")[k];
            spread = std::max(spread, std::abs(steps.at(std::to_string(f)).at("head")[k] + 1.75));
        }
        EXPECT_NEAR(heads, -10.5, 1e-9) << "step " << k + 1;
        // and they move towards their mean, -1.75 m, never beyond the first spread of 0.75 m
        EXPECT_LE(spread, 0.75 + 1e-12) << "step " << k + 1;
    }
}

TEST(ExchangeRun, ASymmetricLayoutGivesSymmetricResults) {
    // A row of three: the outer fields alike, the middle one 1 m higher and more permeable.
    ExchangeScratch scratch =
        Prepare("symmetric", Profile(1.5, true), kExchangeColumns,
                {SquareField(0, 0, 50), SquareField(100, 0, 120, 1), SquareField(200, 0, 50)});
    ASSERT_EQ(RunRegion(scratch.options).ran, 3);
    const StepColumns steps = ReadSteps(scratch.options.results);
    for (const auto& [column, values] : steps.at("1")) {
        const std::vector<double>& other = steps.at("3").at(column);
        ASSERT_EQ(values.size(), other.size());
        for (std::size_t k = 0; k < values.size(); ++k)
            EXPECT_DOUBLE_EQ(values[k], other[k]) << column << " step " << k + 1;
    }
    // The middle field feeds both: its outflow is twice what each receives.
    for (std::size_t k = 0; k < 10; ++k) {
        const double each = steps.at("1").at("lateral_inflow")[k];
        EXPECT_GT(each, 0);
        EXPECT_NEAR(steps.at("2").at("lateral_outflow")[k], 2 * each, 1e-12 * each);
    }
}

TEST(ExchangeRun, ADrainedFieldLowersTheWaterTablesOfItsUndrainedNeighbours) {
    InputData base = Profile(1.0, true);
    SetDrains(base, {.DrainDepth = 1.8, .QH1 = 0.02, .QH2 = 0.002});
    const std::vector<TestColumn> columns = {
        {"transmissivity", OFTReal}, {"qh1", OFTReal}, {"qh2", OFTReal}};
    const auto field = [](double x, bool drained) {
        TestField f{{{"transmissivity", 80.0}}, x, 0, ""};
        if (!drained) {
            f.cells["qh1"] = 0.0;
            f.cells["qh2"] = 0.0;
        }
        return f;
    };
    ExchangeScratch scratch =
        Prepare("drained", base, columns, {field(0, false), field(100, true), field(200, false)});
    ASSERT_EQ(RunRegion(scratch.options).ran, 3);
    ExchangeScratch alone = scratch;
    alone.options.exchange = false;
    alone.options.results = (scratch.folder / "alone.gpkg").string();
    ASSERT_EQ(RunRegion(alone.options).ran, 3);
    const StepColumns coupled = ReadSteps(scratch.options.results);
    const StepColumns apart = ReadSteps(alone.options.results);
    // The heads start equal, so nothing flows in step 1; from step 2 on the drained field
    // stands lower.
    for (const char* id : {"1", "3"})
        for (std::size_t k = 1; k < 10; ++k) {
            EXPECT_GT(coupled.at(id).at("depth_water_table")[k],
                      apart.at(id).at("depth_water_table")[k])
                << "field " << id << " step " << k + 1;
            EXPECT_GT(coupled.at(id).at("lateral_outflow")[k], 0);
        }
    // The drained field, fed from both sides, stands higher than it would alone.
    EXPECT_LT(coupled.at("2").at("depth_water_table")[9], apart.at("2").at("depth_water_table")[9]);
}

TEST(ExchangeRun, AFixedHeadFeedsAFieldAcrossItsOuterEdge) {
    // One square, T = 10 m2/day, head -1.5 m, a fixed head of -0.5 m beyond its whole
    // boundary of 400 m, 50 m from its centroid: 10 x 400 / 50 x 1 m = 80 m3/day in, 8 mm/day
    // over 10000 m2, at the salinity of the project's own inflow, 1.5 dS/m.
    TestField one = SquareField(0, 0, 10);
    one.cells["boundary_head"] = -0.5;
    ExchangeScratch scratch = Prepare("boundary", Profile(1.5, false), kExchangeColumns, {one});
    ASSERT_EQ(RunRegion(scratch.options).ran, 1);
    const StepColumns steps = ReadSteps(scratch.options.results);
    EXPECT_NEAR(steps.at("1").at("lateral_inflow")[0], 8, 1e-9);
    EXPECT_EQ(steps.at("1").at("lateral_salinity")[0], 1.5);
    EXPECT_EQ(steps.at("1").at("lateral_outflow")[0], 0);
    // One day's 8 mm over 10 % porosity raises it 0.08 m in step 1.
    EXPECT_NEAR(steps.at("1").at("head")[0], -1.42, 1e-9);
    const Dataset results = OpenResults(scratch.options.results);
    const auto rows = Rows(*results, "neighbours");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("neighbour"), "");
    EXPECT_EQ(std::stod(rows[0].at("length")), 400);
}

TEST(ExchangeRun, EachFieldIsTheOneFieldRunOfItsProjectWithItsFlows) {
    ExchangeScratch scratch = Prepare("audit", Profile(1.5, true), kExchangeColumns, BlockFields());
    ASSERT_EQ(RunRegion(scratch.options).ran, 9);
    const StepColumns steps = ReadSteps(scratch.options.results);
    const InputData project = region::ReadBaseProject(scratch.options.base);
    StepColumns audited;
    for (const char* id : {"1", "5", "9"}) {
        const auto& field = steps.at(id);
        const auto series = [&](const char* column) {
            Series s = {0};
            for (double v : field.at(column)) s.push_back(v);
            return s;
        };
        RunState state;
        std::string refusal;
        ComputeWithGroundwater(
            project,
            {series("lateral_inflow"), series("lateral_outflow"), series("lateral_salinity")},
            state, refusal);
        ASSERT_EQ(refusal, "");
        ASSERT_FALSE(state.RunStopped);
        for (const study::QuantityInfo& info : study::Quantities()) {
            if (!study::ProjectHas(project, info.quantity)) continue;
            const Series& s = study::SeriesOf(state, info.quantity);
            audited[id][info.name] = std::vector<double>(s.begin() + 1, s.end());
        }
        ExpectSameQuantities(audited, steps, id);
    }
}

TEST(ExchangeRun, ACancelledRegionStopsBetweenStepsAndLeavesThePreviousResults) {
    ExchangeScratch scratch =
        Prepare("cancelled", Profile(1.5, true), kExchangeColumns, BlockFields());
    ASSERT_EQ(RunRegion(scratch.options).ran, 9);
    const auto written = fs::last_write_time(scratch.options.results);
    std::atomic<bool> cancel{true};
    scratch.options.cancel = &cancel;
    EXPECT_THROW(RunRegion(scratch.options), region::RegionCancelled);
    EXPECT_EQ(fs::last_write_time(scratch.options.results), written);
}

TEST(ExchangeRun, ALayerWithAColumnOfNeighboursIsToldToRenameIt) {
    std::vector<TestColumn> columns = kExchangeColumns;
    columns.push_back({"neighbours", OFTInteger});
    ExchangeScratch scratch =
        Prepare("column", Profile(1.5, false), columns, {SquareField(0, 0, 10)});
    try {
        RunRegion(scratch.options);
        FAIL() << "the column was overwritten";
    } catch (const HalosoilError& error) {
        EXPECT_NE(std::string(error.what()).find("column neighbours"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(scratch.options.results));
    // Without the exchange the column is the layer's own, carried as before.
    scratch.options.exchange = false;
    EXPECT_EQ(RunRegion(scratch.options).ran, 1);
}

}  // namespace
}  // namespace halosoil::test
