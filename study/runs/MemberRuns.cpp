#include "MemberRuns.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "Engine.h"
#include "Errors.h"
#include "Plausibility.h"
#include "VariantRuns.h"
#include "VectorUnit.h"

namespace halosoil::study {

namespace {

// A record without time steps, which the engine refuses before it computes anything: what an
// implausible member is run as, so that it costs nothing and its values reach no arithmetic.
void MakeRefusedStandIn(InputData& project) {
    project.NrTst = 0;
}

}  // namespace

std::string ImplausibilityOf(const InputData& project) {
    try {
        CheckPlausible(project);
    } catch (const HalosoilError& error) {
        return error.what();
    }
    return {};
}

int ThreadsFor(const StudyOptions& options, long long count) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const long long wanted = options.threads > 0 ? options.threads : cores;
    return static_cast<int>(std::max(1LL, std::min(wanted, count)));
}

void RunMembers(const InputData& base, const std::vector<Parameter>& parameters,
                const std::vector<double>& values, const StudyOptions& options,
                const std::function<void(const MemberRun&)>& visit) {
    const std::size_t width = std::max<std::size_t>(1, parameters.size());
    const long long count = parameters.empty() ? 0 : static_cast<long long>(values.size() / width);
    const auto valuesOf = [&](long long member) {
        return values.data() + member * static_cast<long long>(width);
    };
    // Per member, why it is implausible (written by the thread that made it, read by the one
    // that visits it, which is the same).
    std::vector<std::string> implausible(static_cast<std::size_t>(count));
    std::mutex progressLock;
    long long done = 0;
    VariantRunOptions runOptions;
    runOptions.threads = options.threads;
    runOptions.cancel = options.cancel;
    ComputeVariantRuns(
        count,
        [&](long long member, InputData& project) {
            MakeVariant(base, parameters, valuesOf(member), project);
            std::string& refusal = implausible[static_cast<std::size_t>(member)];
            refusal = ImplausibilityOf(project);
            if (!refusal.empty()) MakeRefusedStandIn(project);
        },
        [&](const VariantRun& run) {
            const std::string& refusal = implausible[static_cast<std::size_t>(run.member)];
            visit(MemberRun{run.member, valuesOf(run.member), run.project, run.state,
                            refusal.empty() ? run.refusal : refusal});
            if (options.progress) {
                const std::lock_guard<std::mutex> lock(progressLock);
                options.progress(++done, count);
            }
        },
        runOptions);
    if (options.cancel && *options.cancel) throw StudyCancelled();
}

}  // namespace halosoil::study
