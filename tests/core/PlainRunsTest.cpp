// Plain runs side by side give, run by run, the state a plain run on a fresh engine leaves:
// projects of one shape in the lanes of every vector unit of the machine, with projects of
// other shapes, projects whose water table falls below the aquifer and projects the engine
// refuses among them.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Engine.h"
#include "EngineTestSupport.h"
#include "Errors.h"
#include "GeneratedProjects.h"
#include "SameResults.h"
#include "VectorUnit.h"

namespace {

using namespace halosoil;
using halosoil::test::GeneratedProject;
using halosoil::test::ScriptedRunHost;

void ExpectSameState(const RunState& a, const RunState& b) {
    test::ExpectSameResults(a, b);
    test::ExpectSameBits(a.SoilMoist, b.SoilMoist, "SoilMoist");
    // What the calibrations and the fit leave, compared at once.
    const auto calibrated = [](const RunState& s) {
        return std::tie(s.CoefDet, s.FitNA, s.LeachEff, s.LeachEffOptimized, s.QH1Used, s.NrMeas);
    };
    EXPECT_EQ(calibrated(a), calibrated(b));
}

// Seeds 12 apart share the layer count and the step length; seed 11 and its like stop early.
std::vector<InputData> Projects() {
    std::vector<InputData> projects;
    for (unsigned seed : {1u, 13u, 25u, 37u, 49u, 61u, 73u, 85u, 97u, 109u, 121u, 133u})
        projects.push_back(GeneratedProject(seed));
    projects.push_back(GeneratedProject(11));   // falls below the aquifer
    projects.push_back(GeneratedProject(2));    // another shape
    projects.push_back(GeneratedProject(145));  // the first shape again, after the others
    InputData refused = GeneratedProject(157);
    refused.NrTst = 0;
    projects.push_back(refused);
    return projects;
}

TEST(PlainRunsTest, SideBySideRunsLeaveEachStateAsAPlainRunOnAFreshEngine) {
    const std::vector<InputData> projects = Projects();
    const int count = static_cast<int>(projects.size());
    std::vector<RunState> expected(projects.size());
    std::vector<std::string> expectedRefusals(projects.size());
    for (std::size_t k = 0; k < projects.size(); ++k) {
        Engine engine;
        ScriptedRunHost host;
        try {
            engine.Compute(projects[k], host);
        } catch (const HalosoilError& error) {
            expectedRefusals[k] = error.what();
        }
        expected[k] = engine.State();
    }
    ASSERT_TRUE(expected[12].RunStopped);
    ASSERT_FALSE(expectedRefusals[15].empty());

    for (VectorUnit unit : AvailableVectorUnits()) {
        SCOPED_TRACE(VectorUnitName(unit));
        // States that served other runs first, as a study's threads reuse them.
        std::vector<RunState> states(projects.size());
        std::vector<const InputData*> projectPointers;
        std::vector<RunState*> statePointers;
        for (std::size_t k = 0; k < projects.size(); ++k) {
            projectPointers.push_back(&projects[projects.size() - 1 - k]);
            statePointers.push_back(&states[k]);
        }
        std::vector<std::string> refusals(projects.size());
        ComputePlainRuns(projectPointers.data(), statePointers.data(), refusals.data(), count,
                         unit);
        for (std::size_t k = 0; k < projects.size(); ++k) projectPointers[k] = &projects[k];
        ComputePlainRuns(projectPointers.data(), statePointers.data(), refusals.data(), count,
                         unit);
        for (std::size_t k = 0; k < projects.size(); ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(refusals[k], expectedRefusals[k]);
            if (!expectedRefusals[k].empty()) {
                EXPECT_TRUE(states[k].RunStopped);
                continue;
            }
            ExpectSameState(states[k], expected[k]);
        }
    }
}

}  // namespace
