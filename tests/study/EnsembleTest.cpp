// Ensembles: members drawn from their distributions within the bounds, bands that are the
// quantiles of the members computed directly, members that stop early counted, left out of
// the bands and counted in the shares as their stop tells, members that run would refuse
// refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Ensemble.h"
#include "Errors.h"
#include "ExpectRefusals.h"
#include "ExpectThrowMsg.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::ExpectRefusals;
using halosoil::test::WeeklyProject;

EnsembleSettings TwoParameters(const InputData& base, int members) {
    EnsembleSettings settings;
    auto [leaching, uniform] = ParseDistribution("leaching_efficiency_layer1=uniform:50:100", base);
    auto [qh1, triangular] = ParseDistribution("qh1=triangular:0.021:0.03:0.05", base);
    settings.parameters = {leaching, qh1};
    settings.distributions = {uniform, triangular};
    settings.members = members;
    settings.seed = 3;
    return settings;
}

// Linear interpolation between order statistics, worked out here independently.
double DirectQuantile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double position = p * static_cast<double>(values.size() - 1);
    const std::size_t below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] +
           (position - static_cast<double>(below)) * (values[above] - values[below]);
}

TEST(StudyEnsemble, BandsAreTheQuantilesAndSharesOfTheMembersThemselves) {
    InputData base = WeeklyProject(1);
    base.NrTst = 10;  // ten weeks are enough
    const EnsembleSettings settings = TwoParameters(base, 40);
    const EnsembleResult result = RunEnsemble(base, settings);
    ASSERT_EQ(result.members, 40);
    EXPECT_EQ(result.Stopped(), 0);
    for (int m = 0; m < 40; ++m) {
        EXPECT_GE(result.values[2 * m], 50);
        EXPECT_LE(result.values[2 * m], 100);
        EXPECT_GE(result.values[2 * m + 1], 0.021);
        EXPECT_LE(result.values[2 * m + 1], 0.05);
    }
    const std::vector<Threshold> thresholds = {ParseThreshold("salinity_layer1>3.5", base)};
    const std::vector<BandRow> rows = Bands(result, thresholds);
    ASSERT_EQ(rows.size(), 10u * 10u);  // ten steps, ten quantities of three layers
    for (const BandRow& row : rows) {
        const std::size_t k = static_cast<std::size_t>(
            std::find(result.quantities.begin(), result.quantities.end(), row.quantity) -
            result.quantities.begin());
        std::vector<double> values;
        for (int m = 0; m < 40; ++m) values.push_back(result.At(m, k, row.step));
        double sum = 0;
        for (double v : values) sum += v;
        EXPECT_DOUBLE_EQ(row.mean, sum / 40);
        EXPECT_DOUBLE_EQ(row.q05, DirectQuantile(values, 0.05));
        EXPECT_DOUBLE_EQ(row.q50, DirectQuantile(values, 0.5));
        EXPECT_DOUBLE_EQ(row.q95, DirectQuantile(values, 0.95));
        if (row.quantity == Quantity::SalinityLayer1) {
            const double beyond = static_cast<double>(
                std::count_if(values.begin(), values.end(), [](double v) { return v > 3.5; }));
            EXPECT_EQ(row.pExceed, beyond / 40);
        } else {
            EXPECT_TRUE(std::isnan(row.pExceed));
        }
    }
    const std::string csv = BandsCsv(rows);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "step,quantity,mean,q05,q25,q50,q75,q95,p_exceed,p_stopped");
    // Without a threshold the share's cell is empty.
    EXPECT_NE(csv.find("\n1,depth_water_table,"), std::string::npos);
    EXPECT_EQ(csv.find("\n1,depth_water_table,")[csv.data()], '\n');
}

TEST(StudyEnsemble, TheSeedRepeatsTheMembersAndBothDesignsFillTheBounds) {
    InputData base = WeeklyProject(1);
    base.NrTst = 4;
    EnsembleSettings settings = TwoParameters(base, 16);
    const EnsembleResult first = RunEnsemble(base, settings);
    EXPECT_EQ(first.values, RunEnsemble(base, settings).values);
    EXPECT_EQ(first.series, RunEnsemble(base, settings).series);
    settings.seed = 4;
    EXPECT_NE(first.values, RunEnsemble(base, settings).values);
    settings.design = Design::Sobol;
    const EnsembleResult sobol = RunEnsemble(base, settings);
    // The first Sobol point is the middle of the cube: the uniform's middle.
    EXPECT_EQ(sobol.values[0], 75);
}

TEST(StudyEnsemble, MembersThatStopEarlyAreCountedAndLeftOutOfTheBands) {
    InputData base = WeeklyProject(1);
    base.NrTst = 20;
    base.GrwtOut = 40;  // mm/day: the aquifer empties within weeks for a thin aquifer
    EnsembleSettings settings;
    auto [thickness, uniform] = ParseDistribution("thickness_aquifer=uniform:0.3:30", base);
    settings.parameters = {thickness};
    settings.distributions = {uniform};
    settings.members = 20;
    const EnsembleResult result = RunEnsemble(base, settings);
    EXPECT_GT(result.Stopped(), 0);
    EXPECT_LT(result.Stopped(), 20);
    const std::vector<BandRow> rows = Bands(result, {});
    std::vector<double> through;
    for (int m = 0; m < 20; ++m)
        if (result.stoppedStep[static_cast<std::size_t>(m)] == 0)
            through.push_back(result.At(m, 0, 20));
    const BandRow& last = rows[rows.size() - result.quantities.size()];
    EXPECT_EQ(last.step, 20);
    EXPECT_DOUBLE_EQ(last.q50, DirectQuantile(through, 0.5));
}

TEST(StudyEnsemble, MembersFromACalibrationStayWithinItsBoundsAndCentreOnItsEstimates) {
    InputData base = WeeklyProject(1);
    base.NrTst = 4;
    ReportEstimates report;
    report.parameters = {MakeParameter("qh1", 0.021, 0.05, base),
                         MakeParameter("leaching_efficiency_layer1", 50, 100, base)};
    report.values = {0.03, 98};
    report.standardErrors = {0.002, 5};
    report.correlation = {{1, 0.5}, {0.5, 1}};
    EnsembleSettings settings;
    settings.fromReport = report;
    settings.members = 400;
    const EnsembleResult result = RunEnsemble(base, settings);
    double sum = 0;
    for (int m = 0; m < 400; ++m) {
        EXPECT_LE(result.values[2 * m + 1], 100);  // truncated at the bound
        sum += result.values[2 * m];
    }
    // Cutting the efficiency at 100 (0.4 deviations above 98) keeps the lower efficiencies
    // and, through their correlation of 0.5, the lower capacities: the mean of QH1 moves by
    // 0.5 * 0.002 * E[z | z < 0.4] = -0.5 * 0.002 * phi(0.4) / Phi(0.4).
    const double phi = std::exp(-0.08) / std::sqrt(2 * M_PI);
    const double Phi = 0.5 * (1 + std::erf(0.4 / std::sqrt(2.0)));
    EXPECT_NEAR(sum / 400, 0.03 - 0.5 * 0.002 * phi / Phi, 0.0002);

    report.standardErrors[1] = std::nan("");
    settings.fromReport = report;
    EXPECT_THROW_MSG(RunEnsemble(base, settings), HalosoilError,
                     "leaching_efficiency_layer1 has no standard error in the report: the "
                     "calibration did not determine it, so no ensemble can be drawn from it.");
}

TEST(StudyEnsemble, AParameterTheCalibrationHeldStaysAtItsValueAndTheOthersKeepTheirCorrelation) {
    InputData base = WeeklyProject(1);
    base.NrTst = 2;
    ReportEstimates report;
    report.parameters = {MakeParameter("qh1", 0.021, 0.05, base),
                         MakeParameter("groundwater_inflow", 0, 2, base),
                         MakeParameter("leaching_efficiency_layer1", 70, 70, base)};
    report.values = {0.03, 1, 70};
    report.standardErrors = {0.002, 0.1, 0};  // held: no spread, correlated with nothing
    report.correlation = {{1, 0.8, 0}, {0.8, 1, 0}, {0, 0, 1}};
    EnsembleSettings settings;
    settings.fromReport = report;
    settings.members = 400;
    const EnsembleResult result = RunEnsemble(base, settings);
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int m = 0; m < 400; ++m) {
        EXPECT_EQ(result.values[3 * m + 2], 70);
        const double x = result.values[3 * m], y = result.values[3 * m + 1];
        sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
    }
    // Four standard deviations, about (1 - 0.8^2) / sqrt(400), from the correlation given.
    const double r =
        (sxy - sx * sy / 400) / std::sqrt((sxx - sx * sx / 400) * (syy - sy * sy / 400));
    EXPECT_NEAR(r, 0.8, 4 * 0.36 / 20);
}

TEST(StudyEnsemble, DistributionsAndThresholdsAreRefusedWordForWord) {
    const InputData base = WeeklyProject(1);
    ExpectRefusals(
        [&](const std::string& text) { return ParseDistribution(text, base); },
        {
            {"qh1=beta:1:2",
             "'qh1=beta:1:2' is not NAME=uniform:LOW:HIGH, NAME=normal:MEAN:SD or "
             "NAME=triangular:LOW:MODE:HIGH"},
            {"qh1=triangular:0.01:0.09:0.05",
             "Parameter qh1: the mode 0.09 lies outside 0.01:0.05"},
            {"qh1=normal:0.03:0", "Parameter qh1: the standard deviation 0 must be above 0"},
            {"qh1=uniform:0.05:0.01", "Parameter qh1: the bounds 0.05:0.01 are reversed"},
            // The mean is named, not bounds the user never gave.
            {"total_porosity_layer1=normal:120:5",
             "Parameter total_porosity_layer1: the mean 120 of normal:120:5 lies beyond what it "
             "can take (more than 0 and at most 100 %)"},
            {"groundwater_inflow=normal:-0.5:1",
             "Parameter groundwater_inflow: the mean -0.5 of normal:-0.5:1 lies beyond what it "
             "can take (0 or more mm/day)"},
        });
    // A normal porosity is cut where porosities end.
    const auto [porosity, normal] = ParseDistribution("total_porosity_layer1=normal:98:2", base);
    EXPECT_EQ(porosity.high, 100);
    EXPECT_EQ(porosity.low, 98 - 12);
    ExpectRefusals(
        [&](const std::string& text) { return ParseThreshold(text, base); },
        {
            {"salinity_layer1=4", "'salinity_layer1=4' is not QUANTITY>VALUE or QUANTITY<VALUE"},
            {"salinity>4", "Threshold salinity>4: 'salinity' is not a quantity"},
            {"depth_water_table<x",
             "Threshold depth_water_table<x: 'x' is not a valid floating point value"},
        });
    EnsembleSettings one = TwoParameters(base, 1);
    EXPECT_THROW_MSG(RunEnsemble(base, one), HalosoilError,
                     "An ensemble needs at least 2 members, not 1.");
}

}  // namespace

// Four members of three steps: one through, one stopped at step 2 with its water table at
// 12 m, one refused, one through. Depths, drainages and first-layer salinities.
EnsembleResult FourMembers() {
    EnsembleResult result;
    result.members = 4;
    result.steps = 3;
    result.quantities = {Quantity::DepthWaterTable, Quantity::Drainage, Quantity::SalinityLayer1};
    const double nan = std::nan("");
    // Per member: depth at steps 1-3, drainage 1-3, salinity 1-3; a stopped member keeps
    // what its run reached (its salinities are 0: its salt balance never ran).
    result.series = {2.0, 2.5,  4.0, 5,   6,   7,   1.0, 1.5, 3.0,   // through
                     2.8, 12.0, nan, 4,   0,   nan, 0,   0,   nan,   // stopped at step 2
                     nan, nan,  nan, nan, nan, nan, nan, nan, nan,   // refused
                     3.5, 2.0,  2.2, 9,   9,   9,   2.5, 2.5, 2.5};  // through
    result.stoppedStep = {0, 2, -1, 0};
    result.refusals = {"", "", "refused", ""};
    return result;
}

TEST(StudyEnsemble, StoppedMembersCountAsTheirStopTellsAndTheirShareIsGivenPerStep) {
    const InputData base = WeeklyProject(1);
    const EnsembleResult result = FourMembers();
    EXPECT_EQ(result.Stopped(), 1);
    EXPECT_EQ(result.Refused(), 1);
    const std::vector<BandRow> rows = Bands(
        result, {ParseThreshold("depth_water_table>3", base), ParseThreshold("drainage>4.5", base),
                 ParseThreshold("salinity_layer1>2", base)});
    ASSERT_EQ(rows.size(), 9u);
    const auto row = [&](int step, std::size_t quantity) {
        return rows[(step - 1) * 3 + quantity];
    };
    // Three members ran; the stopped one had stopped by step 2.
    EXPECT_EQ(row(1, 0).pStopped, 0);
    EXPECT_EQ(row(2, 0).pStopped, 1.0 / 3);
    EXPECT_EQ(row(3, 2).pStopped, 1.0 / 3);
    // Depth > 3: step 1 only the fourth member (3.5); step 2 the stopped one at 12 m; step 3
    // the first (4.0) and the stopped one, whose water table stays beyond the aquifer.
    EXPECT_EQ(row(1, 0).pExceed, 1.0 / 3);
    EXPECT_EQ(row(2, 0).pExceed, 1.0 / 3);
    EXPECT_EQ(row(3, 0).pExceed, 2.0 / 3);
    // Drainage > 4.5: step 1 the first (5) and the fourth (9), not the stopped one (4); from
    // its stop on the stopped one's drainage is unknown and counts as not beyond.
    EXPECT_EQ(row(1, 1).pExceed, 2.0 / 3);
    EXPECT_EQ(row(2, 1).pExceed, 2.0 / 3);
    EXPECT_EQ(row(3, 1).pExceed, 2.0 / 3);
    // Salinity > 2: only the fourth (2.5) at steps 1 and 2, the first too at step 3 (3.0);
    // the stopped one has no salinities at all.
    EXPECT_EQ(row(1, 2).pExceed, 1.0 / 3);
    EXPECT_EQ(row(2, 2).pExceed, 1.0 / 3);
    EXPECT_EQ(row(3, 2).pExceed, 2.0 / 3);
    // The bands themselves stay those of the two that went through.
    EXPECT_EQ(row(2, 0).mean, (2.5 + 2.0) / 2);
    EXPECT_EQ(row(3, 1).q50, (7.0 + 9.0) / 2);
    // A shallower threshold a stopped water table never meets again.
    const std::vector<BandRow> shallow =
        Bands(result, {ParseThreshold("depth_water_table<3", base)});
    EXPECT_EQ(shallow[0].pExceed, 2.0 / 3);  // 2.0 and 2.8
    EXPECT_EQ(shallow[3].pExceed, 2.0 / 3);  // 2.5 and 2.0
    EXPECT_EQ(shallow[6].pExceed, 1.0 / 3);  // 2.2
    const std::string csv = BandsCsv(rows);
    EXPECT_NE(csv.find("\n2,depth_water_table,2.25,"), std::string::npos);
    EXPECT_NE(csv.find(",0.3333333333333333,0.3333333333333333\n"), std::string::npos);
}

TEST(StudyEnsemble, MembersThatRunWouldRefuseAreCountedAsRefused) {
    InputData base = WeeklyProject(1);  // the first layer's effective porosity: 8 %
    base.NrTst = 4;
    EnsembleSettings settings;
    auto [porosity, normal] = ParseDistribution("total_porosity_layer1=normal:8:1", base);
    settings.parameters = {porosity};
    settings.distributions = {normal};
    settings.members = 100;
    const EnsembleResult result = RunEnsemble(base, settings);
    int below = 0;
    for (int m = 0; m < 100; ++m) {
        const bool refused = result.values[static_cast<std::size_t>(m)] < 8;
        below += refused ? 1 : 0;
        EXPECT_EQ(result.stoppedStep[static_cast<std::size_t>(m)], refused ? -1 : 0) << m;
        if (refused) {
            EXPECT_EQ(result.refusals[static_cast<std::size_t>(m)].rfind(
                          "The effective porosity of the 1st layer is 8 %. It cannot be greater "
                          "than the total porosity of ",
                          0),
                      0u);
        }
    }
    EXPECT_EQ(result.Refused(), below);
    // A Latin hypercube of a normal centred on 8 puts half its members below.
    EXPECT_EQ(below, 50);
}
