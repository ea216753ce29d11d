#include "BatchRunner.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include "Engine.h"
#include "Errors.h"
#include "FixedAnswersHost.h"
#include "OutputFileName.h"
#include "ProjectFiles.h"
#include "SaltBalanceOption.h"

namespace halosoil {

namespace {

int Run(const RunOptions& options, const std::string& input, int engineThreads,
        std::ostream& errors) {
    std::optional<InputData> data = ReadProjectToRun(input, errors);
    if (!data) return kInputInvalid;
    data->SaltBalance = options.saltBalance;
    EngineOptions engineOptions;
    engineOptions.threads = engineThreads;
    Engine engine(engineOptions);
    FixedAnswersHost host(options.refine, options.optimise);
    try {
        engine.Run(*data, host, options.output.empty() ? OutputFileNameFor(input) : options.output);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(input, error) << '\n';
        return kInputInvalid;
    } catch (const std::bad_alloc&) {
        errors << input << ": " << kNotEnoughMemory << '\n';
        return kInputInvalid;
    }
    // The run's one message is that of a run stopped by the water table.
    for (const std::string& message : host.Messages()) errors << message << '\n';
    if (engine.State().RunStopped) return kRunStoppedEarly;
    WarnOfSaltBudget(input, *data, engine.State(), errors);
    return kOutputWritten;
}

}  // namespace

int RunProjects(const RunOptions& options, std::ostream& errors, bool showProgress) {
    const int count = static_cast<int>(options.inputs.size());
    if (count == 1) return Run(options, options.inputs[0], 0, errors);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int workers = std::min(count, options.jobs > 0 ? options.jobs : cores);
    std::atomic<int> next{0};
    std::mutex output;
    int finished = 0;
    int status = kOutputWritten;
    const auto work = [&] {
        for (int k = next++; k < count; k = next++) {
            std::ostringstream messages;
            const int runStatus = Run(options, options.inputs[k], 1, messages);
            const std::lock_guard<std::mutex> lock(output);
            status = std::max(status, runStatus);
            ++finished;
            if (showProgress) errors << "\r\033[K";
            errors << messages.str();
            if (showProgress)
                errors << "halosoil-batch: " << finished << " of " << count << " runs"
                       << (finished == count ? "\n" : "") << std::flush;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < workers; ++t) threads.emplace_back(work);
    work();
    for (std::thread& thread : threads) thread.join();
    return status;
}

int ConvertInputFile(const std::string& input, const std::string& output, std::ostream& errors) {
    InputData data;
    data.InputFileName = input;
    if (!ReadProjectFile(data, errors)) return kInputInvalid;
    data.InputFileName = output;
    return WriteProjectFile(data, errors) ? kOutputWritten : kInputInvalid;
}

}  // namespace halosoil
