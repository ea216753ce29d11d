// The catalogues of the record's fields, the results and the zones: each field and result
// once, every zone key and name as the program words it, and ranges that say what a run
// accepts where they claim the checks enforce them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "Errors.h"
#include "FieldCatalogue.h"
#include "InputFile.h"
#include "Plausibility.h"
#include "QuantityCatalogue.h"
#include "RunCheck.h"
#include "TestProjects.h"
#include "Zones.h"

namespace {

using namespace halosoil;

TEST(FieldCatalogueTest, HoldsEveryFieldOfTheInputFileThatIsSetByHandOnce) {
    // The input file's fields (blocks A to F) but the layer flags, which follow the count,
    // the measured salinities and the spread irrigation.
    const std::vector<RecordMember> inFile = {
        &InputData::Title1,     &InputData::Title2,   &InputData::NrTst,
        &InputData::TstLength,  &InputData::NrLayers, &InputData::DrainPresent,
        &InputData::DrainDepth, &InputData::QH1,      &InputData::QH2,
        &InputData::SaltIrrig,  &InputData::WTdepth,  &InputData::CritDepth,
        &InputData::Moist,      &InputData::IrrEff,   &InputData::GrwtInf,
        &InputData::GrwtOut,    &InputData::SalInf,   &InputData::Thick,
        &InputData::TotPor,     &InputData::EffPor,   &InputData::LeachEff,
        &InputData::InitSalt,   &InputData::Rain,     &InputData::Irrig,
        &InputData::Evap,       &InputData::IrrSal};
    for (const RecordMember& member : inFile) {
        const auto count = std::count_if(RecordFields().begin(), RecordFields().end(),
                                         [&](const RecordField& f) { return f.member == member; });
        EXPECT_EQ(count, 1) << "member " << member.index();
    }
    EXPECT_EQ(RecordFields().size(), inFile.size());
}

TEST(FieldCatalogueTest, NamesAreDistinctScriptNamesFoundByName) {
    std::set<std::string> names;
    for (const RecordField& field : RecordFields()) {
        const std::string name = field.name;
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || c == '_' || (c >= '0' && c <= '9');
        })) << name;
        EXPECT_EQ(FieldNamed(name), &field);
        EXPECT_EQ(&FieldOf(field.member), &field);
    }
    EXPECT_EQ(FieldNamed("depth_water_table"), nullptr);
    EXPECT_THROW(FieldOf(&InputData::HydrRows), HalosoilError);
}

TEST(FieldCatalogueTest, UnitsArriveInTheProgrammesSpelling) {
    EXPECT_STREQ(FieldOf(&InputData::QH1).unit, "m/day per m");
    EXPECT_STREQ(FieldOf(&InputData::QH2).unit, "m/day per m squared");
    EXPECT_STREQ(FieldOf(&InputData::GrwtInf).unit, "mm/day");
    EXPECT_STREQ(FieldOf(&InputData::Rain).unit, "mm per time step");
    EXPECT_STREQ(FieldOf(&InputData::IrrSal).unit, "dS/m");
    EXPECT_STREQ(FieldOf(&InputData::Thick).unit, "m");
}

TEST(FieldCatalogueTest, PercentagesAreTheMoistureThePorositiesAndTheEfficiencies) {
    std::set<std::string> percent;
    for (const RecordField& field : RecordFields())
        if (field.percent) {
            percent.insert(field.name);
            EXPECT_STREQ(field.unit, "%") << field.name;
            EXPECT_LE(field.range.highest, 100) << field.name;
        }
    EXPECT_EQ(percent,
              (std::set<std::string>{"soil_moisture", "irrigation_efficiency", "total_porosity",
                                     "effective_porosity", "leaching_efficiency"}));
}

TEST(FieldCatalogueTest, PerZoneFieldsAreTheSoilProperties) {
    std::set<std::string> perZone;
    for (const RecordField& field : RecordFields())
        if (PerZone(field)) perZone.insert(field.name);
    EXPECT_EQ(perZone, (std::set<std::string>{"thickness", "total_porosity", "effective_porosity",
                                              "leaching_efficiency", "initial_salinity"}));
}

TEST(FieldCatalogueTest, RangeIncludesOrExcludesItsLowest) {
    const FieldRange& thickness = FieldOf(&InputData::Thick).range;
    EXPECT_TRUE(WithinRange(thickness, 0));
    EXPECT_FALSE(WithinRange(thickness, -0.01));
    EXPECT_TRUE(WithinRange(thickness, 1e9));
    const FieldRange& effective = FieldOf(&InputData::EffPor).range;
    EXPECT_FALSE(WithinRange(effective, 0));
    EXPECT_TRUE(WithinRange(effective, 100));
    EXPECT_FALSE(WithinRange(effective, 100.5));
}

// Sets the field at zone 1 or step 1, where it has one.
void Set(InputData& d, const RecordField& field, double value) {
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(d.*member)>;
            if constexpr (std::is_same_v<Value, double>)
                d.*member = value;
            else if constexpr (std::is_same_v<Value, int>)
                d.*member = static_cast<int>(value);
            else if constexpr (std::is_same_v<Value, ZoneValues> || std::is_same_v<Value, Series>)
                (d.*member)[1] = value;
        },
        field.member);
}

bool IsNumber(const RecordField& field) {
    return !std::holds_alternative<std::string InputData::*>(field.member) &&
           !std::holds_alternative<bool InputData::*>(field.member);
}

// A drained project of one layer, which the checks take with every field at a bound of its
// range: with one layer an irrigation efficiency of 0 runs.
InputData DrainedOneLayer() {
    InputData d = test::OneLayerProject();
    d.DrainPresent = true;
    d.DrainDepth = 1.8;
    d.QH1 = 0.015;
    d.QH2 = 0.0025;
    return d;
}

bool RunAccepts(InputData d) {
    try {
        PrepareIrrigSpread(d);
        CheckPlausible(d);
        CheckRunnable(d);
        return true;
    } catch (const HalosoilError&) {
        return false;
    }
}

TEST(FieldCatalogueTest, EnforcedRangesAreWhatTheChecksBeforeARunAccept) {
    ASSERT_TRUE(RunAccepts(DrainedOneLayer()));
    for (const RecordField& field : RecordFields()) {
        if (!IsNumber(field) || !field.range.enforced) continue;
        const FieldRange& range = field.range;
        if (std::isfinite(range.lowest)) {
            InputData below = DrainedOneLayer();
            Set(below, field, range.lowestExcluded ? range.lowest : range.lowest - 0.5);
            EXPECT_FALSE(RunAccepts(below)) << field.name << " below its range";
        }
        if (std::isfinite(range.lowest) && !range.lowestExcluded) {
            InputData lowest = DrainedOneLayer();
            Set(lowest, field, range.lowest);
            EXPECT_TRUE(RunAccepts(lowest)) << field.name << " at its lowest";
        }
        if (std::isfinite(range.highest)) {
            InputData above = DrainedOneLayer();
            Set(above, field, range.highest + 1);
            EXPECT_FALSE(RunAccepts(above)) << field.name << " above its range";
        }
    }
}

TEST(FieldCatalogueTest, RangesTheChecksNeverAskedForStayUnenforced) {
    std::set<std::string> unenforced;
    for (const RecordField& field : RecordFields()) {
        if (!IsNumber(field) || field.range.enforced) continue;
        unenforced.insert(field.name);
        InputData below = DrainedOneLayer();
        Set(below, field, field.range.lowest - 0.5);
        EXPECT_TRUE(RunAccepts(below)) << field.name << " is refused below its range";
    }
    EXPECT_EQ(unenforced, (std::set<std::string>{"drain_depth", "critical_depth",
                                                 "groundwater_inflow", "groundwater_outflow"}));
}

TEST(ZonesTest, KeysRoundTripTopDown) {
    const std::vector<std::string> keys = {"layer1", "layer2", "layer3", "transition", "aquifer"};
    for (int zone = Layer1; zone <= Aquif; ++zone) {
        EXPECT_EQ(ZoneKey(zone), keys[static_cast<std::size_t>(zone - 1)]);
        EXPECT_EQ(ZoneOfKey(ZoneKey(zone)), zone);
        EXPECT_EQ(ZoneKeys()[static_cast<std::size_t>(zone - 1)], std::string(ZoneKey(zone)));
    }
    EXPECT_STREQ(ZoneKey(0), "");
    EXPECT_STREQ(ZoneKey(6), "");
    EXPECT_EQ(ZoneOfKey(""), 0);
    EXPECT_EQ(ZoneOfKey("Layer1"), 0);
    EXPECT_EQ(ZoneOfKey("layer"), 0);
}

TEST(ZonesTest, NamesFollowTheProgramsLabels) {
    EXPECT_EQ(ZoneName(Layer1, 1), "the root zone");
    EXPECT_EQ(ZoneName(Layer1, 2), "the 1st layer");
    EXPECT_EQ(ZoneName(Layer2, 3), "the 2nd layer");
    EXPECT_EQ(ZoneName(Layer3, 3), "the 3rd layer");
    EXPECT_EQ(ZoneName(Trans, 1), "the transition zone");
    EXPECT_EQ(ZoneName(Aquif, 2), "the aquifer");
    EXPECT_EQ(ZoneName(0, 1), "");
}

TEST(QuantityCatalogueTest, TenResultsInTheOrderOfTheOutputFilesColumns) {
    const std::vector<std::string> names = {
        "percolation",         "capillary_rise",  "actual_evaporation", "drainage",
        "depth_water_table",   "salinity_layer1", "salinity_layer2",    "salinity_layer3",
        "salinity_transition", "salinity_aquifer"};
    const std::vector<Series RunState::*> members = {
        &RunState::Percol,   &RunState::CapRise,  &RunState::ActEvap,  &RunState::Drain,
        &RunState::DepthWT,  &RunState::SalRoot1, &RunState::SalRoot2, &RunState::SalRoot3,
        &RunState::SalTrans, &RunState::SalAquif};
    const std::vector<int> zones = {0, 0, 0, 0, 0, Layer1, Layer2, Layer3, Trans, Aquif};
    ASSERT_EQ(ResultQuantities().size(), names.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        EXPECT_EQ(ResultQuantities()[k].name, names[k]);
        EXPECT_EQ(ResultQuantities()[k].member, members[k]) << names[k];
        EXPECT_EQ(ResultQuantities()[k].zone, zones[k]) << names[k];
    }
}

TEST(QuantityCatalogueTest, UnitsOfTheWaterTheTableAndTheSalinities) {
    for (const ResultQuantity& quantity : ResultQuantities()) {
        const std::string expected = quantity.zone != 0                      ? "dS/m"
                                     : quantity.member == &RunState::DepthWT ? "m"
                                                                             : "mm per time step";
        EXPECT_EQ(quantity.unit, expected) << quantity.name;
    }
}

TEST(QuantityCatalogueTest, ResultSeriesAreTheStatesOwnAndSizedTogether) {
    RunState state;
    SizeResultSeries(state, 4);
    const auto series = ResultSeries(state);
    const auto& constSeries = ResultSeries(static_cast<const RunState&>(state));
    for (std::size_t k = 0; k < series.size(); ++k) {
        EXPECT_EQ(series[k], &(state.*ResultQuantities()[k].member));
        EXPECT_EQ(constSeries[k], series[k]);
        EXPECT_EQ(series[k]->size(), 5u);
    }
    EXPECT_EQ(state.SoilMoist.size(), 0u);
    EXPECT_EQ(series[4], &state.DepthWT);
    EXPECT_EQ(series[9], &state.SalAquif);
}

}  // namespace
