#include "MemberRuns.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

#include "CalibrationKernels.h"
#include "Engine.h"
#include "Errors.h"
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
    // Members go in groups as wide as the widest vector unit's lanes, so that their salt
    // balances run side by side.
    const long long group = kTrialLanes;
    const VectorUnit unit = ChosenVectorUnit(VectorUnit::AVX512);
    std::atomic<long long> next{0};
    std::atomic<bool> failed{false};
    std::mutex progressLock;
    long long done = 0;
    std::exception_ptr firstFailure;

    const auto work = [&] {
        // Projects and states per thread: each run sizes its state afresh and the copy of the
        // base reuses the storage of the one before.
        std::vector<InputData> projects(static_cast<std::size_t>(group));
        std::vector<RunState> states(static_cast<std::size_t>(group));
        std::vector<std::string> refusals(static_cast<std::size_t>(group));
        std::vector<const InputData*> projectPointers;
        std::vector<RunState*> statePointers;
        for (long long k = 0; k < group; ++k) {
            projectPointers.push_back(&projects[static_cast<std::size_t>(k)]);
            statePointers.push_back(&states[static_cast<std::size_t>(k)]);
        }
        try {
            for (long long first = next.fetch_add(group); first < count;
                 first = next.fetch_add(group)) {
                if (failed || (options.cancel && *options.cancel)) return;
                const int members = static_cast<int>(std::min(group, count - first));
                for (int k = 0; k < members; ++k)
                    MakeVariant(base, parameters,
                                values.data() + (first + k) * static_cast<long long>(width),
                                projects[static_cast<std::size_t>(k)]);
                ComputePlainRuns(projectPointers.data(), statePointers.data(), refusals.data(),
                                 members, unit);
                for (int k = 0; k < members; ++k) {
                    const std::size_t slot = static_cast<std::size_t>(k);
                    visit(MemberRun{first + k,
                                    values.data() + (first + k) * static_cast<long long>(width),
                                    projects[slot], states[slot], refusals[slot]});
                    if (options.progress) {
                        const std::lock_guard<std::mutex> lock(progressLock);
                        options.progress(++done, count);
                    }
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(progressLock);
            if (!firstFailure) firstFailure = std::current_exception();
            failed = true;
        }
    };
    const int threads = ThreadsFor(options, (count + group - 1) / group);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    if (firstFailure) std::rethrow_exception(firstFailure);
    if (options.cancel && *options.cancel) throw StudyCancelled();
}

}  // namespace halosoil::study
