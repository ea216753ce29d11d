#include "MemberRuns.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

#include "Engine.h"
#include "Errors.h"
#include "RunHost.h"

namespace halosoil::study {

namespace {

// A plain run: both questions answered No, nothing shown.
class PlainRunHost : public RunHost {
public:
    bool Ask(RunQuestion) override { return false; }
    void ShowMessage(const std::string&) override {}
    void SetProgress(int) override {}
};

}  // namespace

void RunPlain(Engine& engine, const InputData& project, std::string& refusal) {
    PlainRunHost host;
    refusal.clear();
    // A run keeps the storage of the one before; the steps after an early stop must read 0,
    // as after a run on a fresh engine.
    RunState& state = engine.State();
    for (Series* series : ResultSeries(state)) std::fill(series->begin(), series->end(), 0.0);
    std::fill(state.SoilMoist.begin(), state.SoilMoist.end(), 0.0);
    std::fill(state.MoistChange.begin(), state.MoistChange.end(), 0.0);
    try {
        engine.Compute(project, host);
    } catch (const HalosoilError& error) {
        refusal = error.what();
        engine.State().RunStopped = true;
        engine.State().StoppedStep = 0;
    }
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
    std::atomic<long long> next{0};
    std::atomic<bool> failed{false};
    std::mutex progressLock;
    long long done = 0;
    std::exception_ptr firstFailure;

    const auto work = [&] {
        // One engine and one project per thread: each run sizes its state afresh and the
        // copy of the base reuses the storage of the one before.
        EngineOptions engineOptions;
        engineOptions.threads = 1;
        Engine engine(engineOptions);
        InputData project;
        std::string refusal;
        try {
            for (long long k = next++; k < count; k = next++) {
                if (failed || (options.cancel && *options.cancel)) return;
                const double* memberValues = values.data() + k * static_cast<long long>(width);
                MakeVariant(base, parameters, memberValues, project);
                RunPlain(engine, project, refusal);
                visit(MemberRun{k, memberValues, project, engine.State(), refusal});
                if (options.progress) {
                    const std::lock_guard<std::mutex> lock(progressLock);
                    options.progress(++done, count);
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(progressLock);
            if (!firstFailure) firstFailure = std::current_exception();
            failed = true;
        }
    };
    const int threads = ThreadsFor(options, count);
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    if (firstFailure) std::rethrow_exception(firstFailure);
    if (options.cancel && *options.cancel) throw StudyCancelled();
}

}  // namespace halosoil::study
