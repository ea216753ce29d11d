#include "VariantRuns.h"

#include <exception>
#include <mutex>
#include <vector>

#include "CalibrationKernels.h"
#include "Engine.h"
#include "TrialThreads.h"
#include "VectorUnit.h"

namespace halosoil {

void ComputeVariantRuns(long long count, const std::function<void(long long, InputData&)>& make,
                        const std::function<void(const VariantRun&)>& visit,
                        const VariantRunOptions& options) {
    // Groups as wide as the widest unit's lanes, so that the members' salt balances run side
    // by side.
    constexpr long long kGroup = kTrialLanes;
    const VectorUnit unit = ChosenVectorUnit(options.widestVectorUnit);
    std::atomic<long long> next{0};
    std::atomic<bool> failed{false};
    std::mutex failureLock;
    std::exception_ptr firstFailure;
    const auto stopped = [&] {
        return failed.load() || (options.cancel && options.cancel->load());
    };

    const auto work = [&] {
        // Records and states per thread: each run sizes its state afresh, and a member's
        // record reuses the storage of the one before.
        std::vector<InputData> projects(kGroup);
        std::vector<RunState> states(kGroup);
        std::vector<std::string> refusals(kGroup);
        std::vector<const InputData*> projectPointers;
        std::vector<RunState*> statePointers;
        for (std::size_t k = 0; k < kGroup; ++k) {
            projectPointers.push_back(&projects[k]);
            statePointers.push_back(&states[k]);
        }
        try {
            for (long long first = next.fetch_add(kGroup); first < count && !stopped();
                 first = next.fetch_add(kGroup)) {
                const int members = static_cast<int>(std::min(kGroup, count - first));
                for (int k = 0; k < members; ++k) make(first + k, projects[k]);
                ComputePlainRuns(projectPointers.data(), statePointers.data(), refusals.data(),
                                 members, unit);
                for (int k = 0; k < members; ++k)
                    visit(VariantRun{first + k, projects[k], states[k], refusals[k]});
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!firstFailure) firstFailure = std::current_exception();
            failed = true;
        }
    };
    const long long groups = (count + kGroup - 1) / kGroup;
    const int threads = static_cast<int>(
        std::max(1LL, std::min<long long>(TrialThreadCount(options.threads), groups)));
    RunTasks(threads, threads, [&](int) { work(); });
    if (firstFailure) std::rethrow_exception(firstFailure);
}

}  // namespace halosoil
