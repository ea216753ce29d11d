#include "MemberRuns.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "Engine.h"
#include "VariantRuns.h"
#include "VectorUnit.h"

namespace halosoil::study {

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
    std::mutex progressLock;
    long long done = 0;
    VariantRunOptions runOptions;
    runOptions.threads = options.threads;
    runOptions.cancel = options.cancel;
    ComputeVariantRuns(
        count,
        [&](long long member, InputData& project) {
            MakeVariant(base, parameters, valuesOf(member), project);
        },
        [&](const VariantRun& run) {
            visit(MemberRun{run.member, valuesOf(run.member), run.project, run.state, run.refusal});
            if (options.progress) {
                const std::lock_guard<std::mutex> lock(progressLock);
                options.progress(++done, count);
            }
        },
        runOptions);
    if (options.cancel && *options.cancel) throw StudyCancelled();
}

}  // namespace halosoil::study
