// The movable numbers of a project: their names, the refusals of impossible bounds, and the
// variants a study runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "FieldCatalogue.h"
#include "Parameters.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::ExampleProject;
using halosoil::test::ExpectRefusals;
// A parameter's name and bounds.
using Bounds = std::tuple<std::string, double, double>;

InputData Weekly() {
    return ExampleProject("three_layers_weekly_drained.inp");
}

TEST(StudyParameters, NamesCarryTheZoneAndReachTheirFieldOfTheRecord) {
    const InputData data = Weekly();
    const Parameter leaching = ParseParameter("leaching_efficiency_layer2=50:90", data);
    EXPECT_EQ(leaching.Name(), "leaching_efficiency_layer2");
    EXPECT_EQ(leaching.zone, Layer2);
    EXPECT_EQ(leaching.low, 50);
    EXPECT_EQ(leaching.high, 90);
    EXPECT_EQ(ValueIn(data, leaching), 80);  // the file's 80 %
    EXPECT_EQ(ValueIn(data, MakeParameter("thickness_aquifer", 5, 10, data)), 8);
    EXPECT_EQ(ValueIn(data, MakeParameter("qh1", 0.01, 0.05, data)), 0.025);
    EXPECT_EQ(ValueIn(data, MakeParameter("initial_salinity_transition", 1, 9, data)), 5);
    EXPECT_EQ(ValueIn(data, MakeParameter("rain_factor", 0.5, 1.5, data)), 1);
}

TEST(StudyParameters, AVariantSetsFieldsAndMultipliesTheSeriesOfTheBase) {
    const InputData base = Weekly();
    const std::vector<Parameter> parameters = {
        MakeParameter("qh1", 0.01, 0.05, base), MakeParameter("irrigation_factor", 0, 2, base),
        MakeParameter("rain_factor", 0, 2, base),
        MakeParameter("effective_porosity_layer3", 1, 20, base)};
    const double values[] = {0.04, 1.5, 0.5, 12};
    const InputData variant = Variant(base, parameters, values);
    EXPECT_EQ(variant.QH1, 0.04);
    EXPECT_EQ(variant.EffPor[Layer3], 12);
    EXPECT_EQ(variant.EffPor[Layer2], base.EffPor[Layer2]);
    for (int i = 1; i <= base.NrTst; ++i) {
        EXPECT_EQ(variant.Irrig[i], base.Irrig[i] * 1.5) << i;
        // Weekly steps apply the irrigation as entered.
        EXPECT_EQ(variant.IrrigSpread[i], base.Irrig[i] * 1.5) << i;
        EXPECT_EQ(variant.Rain[i], base.Rain[i] * 0.5) << i;
        EXPECT_EQ(variant.Evap[i], base.Evap[i]) << i;
    }
}

TEST(StudyParameters, ImpossibleNamesZonesAndBoundsAreRefusedNamingTheParameter) {
    const InputData data = Weekly();
    InputData oneLayer = ExampleProject("one_layer_monthly.inp");
    const auto boundsIn = [](const InputData& project) {
        return [&project](const Bounds& bounds) {
            const auto& [name, low, high] = bounds;
            return MakeParameter(name, low, high, project);
        };
    };
    ExpectRefusals<Bounds>(
        boundsIn(data),
        {
            {{"qh3", 0, 1},
             "Unknown parameter 'qh3'; the parameters are qh1, qh2, groundwater_inflow, "
             "groundwater_outflow, inflow_salinity, critical_depth, irrigation_efficiency, "
             "thickness_<zone>, total_porosity_<zone>, effective_porosity_<zone>, "
             "leaching_efficiency_<zone>, initial_salinity_<zone>, rain_factor, "
             "irrigation_factor, evaporation_factor, irrigation_salinity_factor, drain_depth, "
             "drain_spacing (zones layer1, layer2, layer3, transition, aquifer)"},
            {{"thickness", 0.1, 1},
             "Parameter thickness: name the zone, e.g. thickness_layer1 or "
             "thickness_aquifer"},
            {{"qh1", 0.05, 0.01}, "Parameter qh1: the bounds 0.05:0.01 are reversed"},
            {{"total_porosity_layer1", 20, 120},
             "Parameter total_porosity_layer1: the bounds 20:120 go beyond what it can "
             "take (more than 0 and at most 100 %)"},
            {{"leaching_efficiency_aquifer", -5, 50},
             "Parameter leaching_efficiency_aquifer: the bounds -5:50 go beyond what it "
             "can take (0 to 100 %)"},
            {{"thickness_layer1", -0.5, 1},
             "Parameter thickness_layer1: the bounds -0.5:1 go beyond what it can take "
             "(0 or more m)"},
            {{"groundwater_inflow", -1, 1},
             "Parameter groundwater_inflow: the bounds -1:1 go beyond what it can take "
             "(0 or more mm/day)"},
        });
    ExpectRefusals<Bounds>(
        boundsIn(oneLayer),
        {
            {{"thickness_layer2", 0.1, 1},
             "Parameter thickness_layer2: the project has 1 root-zone layer(s), so no "
             "layer2"},
            {{"qh1", 0.01, 0.05}, "Parameter qh1: the project has no subsurface drains"},
        });
    ExpectRefusals(
        [&](const std::string& text) { return ParseParameter(text, data); },
        {
            {"qh1=0.01", "'qh1=0.01' is not NAME=LOW:HIGH"},
            {"qh1=0.01:0,05", "Parameter qh1: '0,05' is not a valid floating point value"},
        });
}

TEST(StudyParameters, ASetMayNameEachParameterOnceAndKeepsDrainablePoresWithinTheTotal) {
    const InputData data = Weekly();  // total porosity of layer 1: 46 %
    EXPECT_THROW_MSG(CheckParameterSet({}, data), HalosoilError,
                     "Name at least one parameter to move.");
    EXPECT_THROW_MSG(
        CheckParameterSet(
            {MakeParameter("qh1", 0.01, 0.05, data), MakeParameter("qh1", 0.02, 0.04, data)}, data),
        HalosoilError, "Parameter qh1: it is named twice");
    EXPECT_THROW_MSG(
        CheckParameterSet({MakeParameter("effective_porosity_layer1", 5, 50, data)}, data),
        HalosoilError,
        "Parameter effective_porosity_layer1: the upper bound 50 % exceeds the zone's total "
        "porosity of 46 %");
    // Moved together, the total's lower bound is what the effective porosity must stay under.
    EXPECT_THROW_MSG(CheckParameterSet({MakeParameter("effective_porosity_layer1", 5, 30, data),
                                        MakeParameter("total_porosity_layer1", 25, 50, data)},
                                       data),
                     HalosoilError,
                     "Parameter effective_porosity_layer1: the upper bound 30 % exceeds the "
                     "zone's total porosity of 25 %");
    EXPECT_NO_THROW(CheckParameterSet({MakeParameter("effective_porosity_layer1", 5, 20, data),
                                       MakeParameter("total_porosity_layer1", 25, 50, data)},
                                      data));
    // A total porosity wholly below the effective one (8 %) gives nothing a run accepts; one
    // partly below leaves its candidates to the check of each run.
    EXPECT_THROW_MSG(
        CheckParameterSet({MakeParameter("total_porosity_layer1", 2, 7, data)}, data),
        HalosoilError,
        "Parameter total_porosity_layer1: the bounds 2:7 % lie below the zone's effective "
        "porosity of 8 %: every value within them leaves the drainable pores above the total, "
        "which no run accepts");
    EXPECT_NO_THROW(CheckParameterSet({MakeParameter("total_porosity_layer1", 2, 8, data)}, data));
}

TEST(StudyParameters, TheDefaultsCoverEveryZoneOfTheProjectWithinWhatEachCanTake) {
    const InputData data = Weekly();
    const std::vector<Parameter> defaults = DefaultParametersOf(data);
    // 7 single numbers, 5 per zone over 5 zones, 4 factors and the drain depth; the drain
    // spacing needs a drain soil, which the project does not hold.
    EXPECT_EQ(defaults.size(), 7u + 25u + 4u + 1u);
    for (const Parameter& parameter : defaults) {
        SCOPED_TRACE(parameter.Name());
        EXPECT_NO_THROW(MakeParameter(parameter.Name(), parameter.low, parameter.high, data));
        const double value = ValueIn(data, parameter);
        EXPECT_LE(parameter.low, value);
        EXPECT_GE(parameter.high, value);
    }
    // The drains' depth from the root zone's bottom (0.2 + 0.3 + 0.4 = 0.9 m) to the transition
    // zone's (0.9 + 1.5 = 2.4 m), within half to twice the file's 1.5 m.
    const auto depth = std::find_if(defaults.begin(), defaults.end(), [](const Parameter& p) {
        return p.kind == ParameterKind::DrainDepth;
    });
    ASSERT_NE(depth, defaults.end());
    EXPECT_DOUBLE_EQ(depth->low, 0.9);
    EXPECT_DOUBLE_EQ(depth->high, 2.4);
    const std::vector<std::string> undrained =
        ParameterNamesOf(ExampleProject("one_layer_monthly.inp"));
    EXPECT_EQ(std::count(undrained.begin(), undrained.end(), "qh1"), 0);
    EXPECT_EQ(std::count(undrained.begin(), undrained.end(), "thickness_layer2"), 0);
    EXPECT_EQ(std::count(undrained.begin(), undrained.end(), "thickness_transition"), 1);
}

}  // namespace

namespace {

TEST(StudyParameters, TheDrainDepthAndSpacingMoveTheDrainsOfTheProject) {
    const InputData data = Weekly();
    const Parameter depth = MakeParameter("drain_depth", 1.2, 1.9, data);
    EXPECT_EQ(ValueIn(data, depth), 1.5);  // the file's 1.50 m
    const double deeper = 1.8;
    EXPECT_EQ(Variant(data, {depth}, &deeper).DrainDepth, 1.8);

    // In the first Hooghoudt example's soil (K1 0.5, K2 1, D 5, r 0.1) a spacing of 50 m gives
    // QH1 = 8 x 1 x 3.018980 / 2500 = 0.009660736 and QH2 = 4 x 0.5 / 2500 = 0.0008.
    std::vector<Parameter> spacing = {MakeParameter("drain_spacing", 20, 200, data)};
    SetDrainSoil(spacing, DrainSoil{.kAbove = 0.5, .kBelow = 1, .impervious = 5, .radius = 0.1});
    const double fifty = 50;
    const InputData variant = Variant(data, spacing, &fifty);
    EXPECT_NEAR(variant.QH1, 0.009660736, 1e-9);
    EXPECT_DOUBLE_EQ(variant.QH2, 0.0008);
    EXPECT_EQ(variant.DrainDepth, data.DrainDepth);
    // The spacing "in" the project is the one of its QH1: back to 50 m from that QH1.
    InputData atFifty = data;
    atFifty.QH1 = 0.009660736;
    EXPECT_NEAR(ValueIn(atFifty, spacing[0]), 50, 1e-4);
}

TEST(StudyParameters, ASpacingNeedsItsSoilAndCannotMoveBesideTheReactionFactors) {
    const InputData data = Weekly();
    const DrainSoil soil{.kAbove = 0.5, .kBelow = 1, .impervious = 5, .radius = 0.1};
    std::vector<Parameter> alone = {MakeParameter("drain_spacing", 20, 200, data)};
    EXPECT_THROW_MSG(CheckParameterSet(alone, data), HalosoilError,
                     "Parameter drain_spacing: it needs the soil and drains it works in: "
                     "--drain-soil k_above=K1,k_below=K2,impervious=D,radius=r (m/day, m)");
    std::vector<Parameter> beside = {MakeParameter("qh2", 0.001, 0.01, data),
                                     MakeParameter("drain_spacing", 20, 200, data)};
    SetDrainSoil(beside, soil);
    EXPECT_THROW_MSG(CheckParameterSet(beside, data), HalosoilError,
                     "Parameter drain_spacing: it sets qh1 and qh2, so qh2 cannot be moved "
                     "beside it");
    std::vector<Parameter> tooClose = {MakeParameter("drain_spacing", 0.5, 200, data)};
    EXPECT_THROW_MSG(SetDrainSoil(tooClose, soil), HalosoilError,
                     "Parameter drain_spacing: the lower bound 0.5 m is shorter than ten drain "
                     "radii (1 m)");
    // Without drains there is nothing to place.
    EXPECT_THROW_MSG(MakeParameter("drain_depth", 1, 2, ExampleProject("one_layer_monthly.inp")),
                     HalosoilError, "Parameter drain_depth: the project has no subsurface drains");
}

TEST(StudyParameters, NumbersOfTheRecordSayWhatTheRecordsCatalogueSays) {
    int fromRecord = 0;
    for (const ParameterInfo& info : ParameterTable()) {
        if (IsFactor(info.kind) || info.kind == ParameterKind::DrainSpacing) continue;
        const RecordField* field = FieldNamed(info.name);
        ASSERT_NE(field, nullptr) << info.name;
        EXPECT_STREQ(info.unit, field->unit) << info.name;
        EXPECT_STREQ(info.meaning, field->meaning) << info.name;
        EXPECT_EQ(info.perZone, PerZone(*field)) << info.name;
        EXPECT_EQ(info.lowest, field->range.lowest) << info.name;
        EXPECT_EQ(info.lowestExcluded, field->range.lowestExcluded) << info.name;
        EXPECT_EQ(info.highest, field->range.highest) << info.name;
        ++fromRecord;
    }
    // qh1, qh2, the two groundwater flows, the inflow's salinity, the critical depth, the
    // irrigation efficiency, the five soil properties and the drains' depth.
    EXPECT_EQ(fromRecord, 13);
}

TEST(StudyParameters, RangesInWordsAsARunAcceptsThem) {
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::Thickness)), "0 or more m");
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::IrrigationEfficiency)), "0 to 100 %");
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::EffectivePorosity)), "more than 0 and at most 100 %");
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::QH2)), "0 or more m/day per m squared");
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::CriticalDepth)), "more than 0 m");
    EXPECT_EQ(RangeText(InfoOf(ParameterKind::RainFactor)), "0 or more");
}

}  // namespace
