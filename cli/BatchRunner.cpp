#include "BatchRunner.h"

#include <new>
#include <ostream>

#include "Errors.h"
#include "InputFile.h"
#include "RunHost.h"
#include "Ucalc.h"

namespace halosoil {

namespace {

const char* kUsage =
    "usage: halosoil-batch run [--refine] [--optimise] [-o OUTPUT.out] INPUT.inp\n"
    "       halosoil-batch convert INPUT.inp OUTPUT.inp\n";

// Answers the run's two questions from the command line and prints its messages.
class BatchHost : public RunHost {
public:
    BatchHost(bool refine, bool optimise, std::ostream& errors)
        : refine_(refine), optimise_(optimise), errors_(errors) {}

    bool AskYesNo(const std::string& question) override {
        if (question == kRefineQuestion) return refine_;
        if (question == kOptimiseQuestion) return optimise_;
        return false;
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
    std::string input;
    std::string output;
};

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
        } else if (!argument.empty() && argument[0] == '-') {
            return false;
        } else if (options.input.empty()) {
            options.input = argument;
        } else {
            return false;
        }
    }
    return !options.input.empty();
}

int Run(const RunOptions& options, std::ostream& errors) {
    InputData data;
    data.InputFileName = options.input;
    Engine engine;
    try {
        ReadInputFile(data);
        PrepareIrrigSpread(data);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(options.input, error) << '\n';
        return kInputInvalid;
    }
    BatchHost host(options.refine, options.optimise, errors);
    try {
        engine.Run(data, host,
                   options.output.empty() ? OutputFileNameFor(options.input) : options.output);
    } catch (const HalosoilError& error) {
        errors << WithFileAndLine(options.input, error) << '\n';
        return kInputInvalid;
    } catch (const std::bad_alloc&) {
        errors << options.input << ": " << kNotEnoughMemory << '\n';
        return kInputInvalid;
    }
    return engine.State().RunStopped ? kRunStoppedEarly : kOutputWritten;
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
        if (ParseRun(arguments, options)) return Run(options, errors);
    } else if (arguments.size() == 3 && arguments[0] == "convert") {
        return Convert(arguments[1], arguments[2], errors);
    }
    errors << kUsage;
    return kWrongUsage;
}

}  // namespace halosoil
