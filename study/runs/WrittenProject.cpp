#include "WrittenProject.h"

#include <cmath>
#include <limits>

#include "Errors.h"
#include "InputFile.h"
#include "RunEvaluator.h"

namespace halosoil::study {

namespace {

// The project read back from the text its file would hold, as `run` reads a file.
InputData ReadBack(const InputData& project) {
    InputData written;
    written.InputFileName = project.InputFileName;
    ReadInputText(InputFileText(project), written);
    // The file holds no kind of salt balance; the calibrated project is run with its own.
    written.SaltBalance = project.SaltBalance;
    PrepareIrrigSpread(written);
    return written;
}

double SumOfSteps(const Series& series, int steps) {
    double sum = 0;
    for (int i = 1; i <= steps && i < static_cast<int>(series.size()); ++i) sum += series[i];
    return sum;
}

}  // namespace

WrittenProject RunAsWritten(const InputData& project, const Objective& objective) {
    WrittenProject written;
    written.objective = kFailedRunObjective;
    try {
        written.project = ReadBack(project);
    } catch (const HalosoilError& error) {
        written.refusal = error.what();
        return written;
    }
    ProjectRun run = RunProject(written.project);
    written.refusal = std::move(run.refusal);
    written.state = std::move(run.state);
    if (!written.refusal.empty()) return written;
    written.objective = objective.Value(written.state);
    written.fit = FitOf(objective.Fitted(), written.state);
    return written;
}

double WrittenValue(const InputData& written, const InputData& base, const Parameter& parameter) {
    const Series* series = SeriesOfFactor(written, parameter.kind);
    if (!series) return ValueIn(written, parameter);
    const double before = SumOfSteps(*SeriesOfFactor(base, parameter.kind), base.NrTst);
    if (before == 0) return std::numeric_limits<double>::quiet_NaN();
    return SumOfSteps(*series, written.NrTst) / before;
}

}  // namespace halosoil::study
