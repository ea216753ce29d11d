// The members of a study are plain runs of their own projects, to the last bit, on any number
// of threads; a member that stops early says so with its step, and one that run would refuse
// is refused with run's words and not run.
#include <gtest/gtest.h>

#include <mutex>

#include "MemberRuns.h"
#include "SameResults.h"
#include "StudyProjects.h"

namespace {

using namespace halosoil;
using namespace halosoil::study;
using halosoil::test::ExpectSameResults;
using halosoil::test::WeeklyProject;

TEST(StudyMemberRuns, EachMemberIsAPlainRunOfItsOwnProjectOnAnyNumberOfThreads) {
    const InputData base = WeeklyProject(1);
    // Every movable number moves; the last member empties the aquifer.
    std::vector<Parameter> parameters;
    for (const Parameter& parameter : DefaultParametersOf(base))
        if (parameter.kind != ParameterKind::TotalPorosity) parameters.push_back(parameter);
    const std::size_t p = parameters.size();
    std::vector<double> values;
    const int members = 5;
    for (int k = 0; k < members; ++k)
        for (std::size_t j = 0; j < p; ++j) {
            const double share = (k == members - 1) ? 0.0 : (k + 1.0) / (members + 1);
            values.push_back(parameters[j].low + share * (parameters[j].high - parameters[j].low));
        }
    for (std::size_t j = 0; j < p; ++j) {
        const std::string name = parameters[j].Name();
        double& value = values[(members - 1) * p + j];
        if (name == "groundwater_outflow") value = parameters[j].high * 20;
        if (name == "thickness_aquifer") value = 0.5;
        if (name == "rain_factor" || name == "irrigation_factor") value = 0;
    }
    for (Parameter& parameter : parameters) parameter.high = 1e9;  // bounds are the caller's

    for (const int threads : {1, 3}) {
        SCOPED_TRACE(threads);
        StudyOptions options;
        options.threads = threads;
        std::vector<RunState> states(members);
        std::vector<long long> progress;
        std::mutex lock;
        options.progress = [&](long long done, long long total) {
            EXPECT_EQ(total, members);
            progress.push_back(done);
        };
        RunMembers(base, parameters, values, options, [&](const MemberRun& run) {
            const std::lock_guard<std::mutex> guard(lock);
            states[static_cast<std::size_t>(run.member)] = run.state;
            EXPECT_TRUE(run.refusal.empty()) << run.refusal;
        });
        EXPECT_EQ(progress, (std::vector<long long>{1, 2, 3, 4, 5}));
        for (int k = 0; k < members; ++k) {
            SCOPED_TRACE(k);
            Engine engine;
            std::string refusal;
            engine.ComputePlain(Variant(base, parameters, values.data() + k * p), refusal);
            ExpectSameResults(states[static_cast<std::size_t>(k)], engine.State());
        }
        EXPECT_TRUE(states[members - 1].RunStopped);
        EXPECT_GT(states[members - 1].StoppedStep, 0);
        EXPECT_FALSE(states[0].RunStopped);
    }
}

TEST(StudyMemberRuns, AMemberThatRunWouldRefuseIsRefusedWithRunsWordsAndNotRun) {
    const InputData base = WeeklyProject(1);  // the first layer's effective porosity: 8 %
    const std::vector<Parameter> parameters = {MakeParameter("total_porosity_layer1", 5, 12, base)};
    const std::vector<double> values = {5, 12};
    std::vector<std::string> refusals(2);
    std::vector<bool> failed(2), ran(2);
    std::mutex lock;
    RunMembers(base, parameters, values, {}, [&](const MemberRun& run) {
        const std::lock_guard<std::mutex> guard(lock);
        const std::size_t m = static_cast<std::size_t>(run.member);
        refusals[m] = run.refusal;
        failed[m] = run.Failed();
        ran[m] = run.state.DepthWT.size() > 1 && run.state.DepthWT[1] != 0;
    });
    EXPECT_EQ(refusals[0],
              "The effective porosity of the 1st layer is 8 %. It cannot be greater than the "
              "total porosity of 5 %.");
    EXPECT_TRUE(failed[0]);
    EXPECT_FALSE(ran[0]);
    EXPECT_EQ(refusals[1], "");
    EXPECT_FALSE(failed[1]);
    EXPECT_TRUE(ran[1]);
}

TEST(StudyMemberRuns, ACancelledStudyStopsAndSaysSo) {
    const InputData base = WeeklyProject(1);
    const std::vector<Parameter> parameters = {MakeParameter("qh1", 0.01, 0.05, base)};
    std::atomic<bool> cancel{false};
    StudyOptions options;
    options.threads = 1;
    options.cancel = &cancel;
    int visited = 0;
    EXPECT_THROW(RunMembers(base, parameters, std::vector<double>(50, 0.03), options,
                            [&](const MemberRun&) {
                                if (++visited == 3) cancel = true;
                            }),
                 StudyCancelled);
    // The group of members under way (as many as the widest vector has lanes) ends first.
    EXPECT_EQ(visited, 8);
}

}  // namespace
