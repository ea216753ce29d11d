#include "BatchRunner.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <mutex>
#include <new>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include "BatchUsage.h"
#include "Engine.h"
#include "Errors.h"
#include "InputFile.h"
#include "OutputFileName.h"
#include "RunHost.h"

namespace halosoil {

namespace {

const char* kUsage = kBatchUsage;

// Answers the run's two questions from the command line and prints its messages.
class BatchHost : public RunHost {
public:
    BatchHost(bool refine, bool optimise, std::ostream& errors)
        : refine_(refine), optimise_(optimise), errors_(errors) {}

    bool Ask(RunQuestion question) override {
        return question == RunQuestion::RefineDrainageCapacity ? refine_ : optimise_;
    }
    void ShowMessage(const std::string& message) override { errors_ << message << '\n'; }
    void SetProgress(int) override {}

private:
    bool refine_;
    bool optimise_;
    std::ostream& errors_;
};

struct RunOptions {
    bool refine = false;
    bool optimise = false;
    std::vector<std::string> inputs;
    std::string output;  // only with a single input
    int jobs = 0;        // 0: one per core
};

bool ParseJobs(const std::string& text, int& jobs) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    jobs = std::stoi(text);
    return jobs >= 1;
}

bool ParseRun(const std::vector<std::string>& arguments, RunOptions& options) {
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        if (argument == "--refine") {
            options.refine = true;
        } else if (argument == "--optimise" || argument == "--optimize") {
            options.optimise = true;
        } else if (argument == "-o") {
            if (++k == arguments.size()) return false;
            options.output = arguments[k];
        } else if (argument == "-j") {
            if (++k == arguments.size() || !ParseJobs(arguments[k], options.jobs)) return false;
        } else if (!argument.empty() && argument[0] == '-') {
            return false;
        } else {
            options.inputs.push_back(argument);
        }
    }
    // One output name cannot serve several inputs.
    if (!options.output.empty() && options.inputs.size() > 1) return false;
    return !options.inputs.empty();
}

int Run(const RunOptions& options, const std::string& input, int engineThreads,
        std::ostream& errors) {
    InputData data;
    data.InputFileName = input;
    EngineOptions engineOptions;
    engineOptions.threads = engineThreads;
    Engine engine(engineOptions);
    try {
        ReadInputFile(data);
        PrepareIrrigSpread(data);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(input, error) << '\n';
        return kInputInvalid;
    }
    BatchHost host(options.refine, options.optimise, errors);
    try {
        engine.Run(data, host, options.output.empty() ? OutputFileNameFor(input) : options.output);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(input, error) << '\n';
        return kInputInvalid;
    } catch (const std::bad_alloc&) {
        errors << input << ": " << kNotEnoughMemory << '\n';
        return kInputInvalid;
    }
    return engine.State().RunStopped ? kRunStoppedEarly : kOutputWritten;
}

// Runs the inputs side by side on up to options.jobs threads, each run on one thread of its
// own. The messages of a run are printed together when it ends; the status is the highest of
// all runs.
int RunAll(const RunOptions& options, std::ostream& errors, bool showProgress) {
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

int Convert(const std::string& input, const std::string& output, std::ostream& errors) {
    InputData data;
    data.InputFileName = input;
    try {
        ReadInputFile(data);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(input, error) << '\n';
        return kInputInvalid;
    }
    data.InputFileName = output;
    try {
        WriteInputFile(data);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(output, error) << '\n';
        return kInputInvalid;
    }
    return kOutputWritten;
}

}  // namespace

int RunBatch(const std::vector<std::string>& arguments, std::ostream& errors) {
    if (!arguments.empty() && arguments[0] == "run") {
        RunOptions options;
        // The progress line goes only to a terminal, never into a file of messages.
        const bool showProgress = &errors == &std::cerr && isatty(STDERR_FILENO);
        if (ParseRun(arguments, options)) return RunAll(options, errors, showProgress);
    } else if (arguments.size() == 3 && arguments[0] == "convert") {
        return Convert(arguments[1], arguments[2], errors);
    }
    errors << kUsage;
    return kWrongUsage;
}

}  // namespace halosoil
