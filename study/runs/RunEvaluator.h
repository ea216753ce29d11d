// The objective of a candidate as a search sees it: the candidate in unit coordinates (0 at
// each parameter's lower bound, 1 at its upper one), one plain run, the objective of its
// state; a candidate that `run` would refuse as implausible scores as a failed run. Each thread of
// a search has an evaluator of its own; they share the count of runs.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "Engine.h"
#include "InputData.h"
#include "Objective.h"
#include "Parameters.h"
#include "RunCounter.h"

namespace halosoil::study {

// The parameters' values at unit coordinates u.
std::vector<double> ValuesAt(const std::vector<Parameter>& parameters, const double* unit);
// The unit coordinates of values, each clamped into [0, 1].
std::vector<double> UnitOf(const std::vector<Parameter>& parameters,
                           const std::vector<double>& values);

// One plain run of a project as `run` runs it: the state, and why the project was refused
// (implausible, when it is not run at all, or refused by the engine), empty when it ran.
struct ProjectRun {
    RunState state;
    std::string refusal;
};
ProjectRun RunProject(const InputData& project);

class RunEvaluator {
public:
    RunEvaluator(const InputData& base, const std::vector<Parameter>& parameters,
                 const Objective& objective, RunCounter& runs, const std::atomic<bool>* cancel);

    // The objective at unit coordinates; throws StudyCancelled once cancel is set.
    double operator()(const std::vector<double>& unit);

    double BestValue() const { return bestValue_; }
    const std::vector<double>& BestUnit() const { return bestUnit_; }
    // Every candidate evaluated, in order, with its objective.
    const std::vector<std::vector<double>>& Tried() const { return tried_; }
    const std::vector<double>& TriedValues() const { return triedValues_; }
    void KeepHistory(bool keep) { keepHistory_ = keep; }

private:
    const InputData& base_;
    const std::vector<Parameter>& parameters_;
    const Objective& objective_;
    RunCounter& runs_;
    const std::atomic<bool>* cancel_;
    Engine engine_;
    InputData project_;
    std::string refusal_;
    double bestValue_;
    std::vector<double> bestUnit_;
    bool keepHistory_ = false;
    std::vector<std::vector<double>> tried_;
    std::vector<double> triedValues_;
};

}  // namespace halosoil::study
