#include "Objective.h"

#include <cmath>
#include <string>

#include "Errors.h"
#include "ShortestText.h"

namespace halosoil::study {

namespace {

double Mean(const std::vector<Observed>& observed) {
    double sum = 0;
    for (const Observed& o : observed) sum += o.value;
    return sum / static_cast<double>(observed.size());
}

double Variance(const std::vector<Observed>& observed) {
    const double mean = Mean(observed);
    double sum = 0;
    for (const Observed& o : observed) sum += (o.value - mean) * (o.value - mean);
    return sum / static_cast<double>(observed.size());
}

bool VariesAtAll(const std::vector<Observed>& observed) {
    for (const Observed& o : observed)
        if (o.value != observed.front().value) return true;
    return false;
}

// A quantity whose readings do not vary has no spread to make its residuals unit-free: any
// stand-in (its mean, or 1) would weigh it by its unit or its level.
[[noreturn]] void RefuseUnvarying(const QuantityInfo& info, const std::vector<Observed>& observed) {
    const std::string readings =
        observed.size() == 1 ? "has a single reading"
                             : "has " + std::to_string(observed.size()) + " readings all alike";
    throw HalosoilError(std::string("The observations of ") + info.name + " cannot be fitted: it " +
                        readings + " (" + ShortestText(observed.front().value) + " " + info.unit +
                        "), and the objective divides each quantity by the variance of its "
                        "readings. Give it at least two different readings, or the weight 0 "
                        "to leave it out (--weight " +
                        info.name + "=0).");
}

double Simulated(const RunState& state, Quantity quantity, int step) {
    return SeriesOf(state, quantity)[static_cast<std::size_t>(step)];
}

}  // namespace

void Weights::Set(std::string_view name, double weight, const InputData& data) {
    const std::string named(name);
    const auto quantity = QuantityNamed(name);
    if (!quantity)
        throw HalosoilError("Weight " + named + ": '" + named +
                            "' is not a quantity; the quantities are " + QuantityNames());
    if (!ProjectHas(data, *quantity))
        throw HalosoilError("Weight " + named + ": the project has no " + named);
    if (!std::isfinite(weight) || weight < 0)
        throw HalosoilError("The weight of " + named + " must be 0 or more, not " +
                            ShortestText(weight) + ".");
    Set(*quantity, weight);
}

Objective::Objective(const Observations& observations, const Weights& weights)
    : observations_(observations) {
    for (const QuantityInfo& info : Quantities()) {
        const double weight = weights.Of(info.quantity);
        if (!std::isfinite(weight) || weight < 0)
            throw HalosoilError(std::string("The weight of ") + info.name +
                                " must be 0 or more, not " + ShortestText(weight) + ".");
        const std::vector<Observed>& observed = observations.Of(info.quantity);
        if (observed.empty() || weight == 0) continue;
        if (!VariesAtAll(observed)) RefuseUnvarying(info, observed);
        const double variance = Variance(observed);
        scale_[static_cast<std::size_t>(info.quantity)] =
            weight / (static_cast<double>(observed.size()) * variance);
        count_ += static_cast<int>(observed.size());
    }
    if (count_ == 0)
        throw HalosoilError(
            "There is nothing to fit: no observations (measured salinities in the input file or "
            "an observations file) of a quantity with a weight above 0.");
}

double Objective::Value(const RunState& state) const {
    if (state.RunStopped) return kFailedRunObjective;
    double sum = 0;
    for (const QuantityInfo& info : Quantities()) {
        const double scale = scale_[static_cast<std::size_t>(info.quantity)];
        if (scale == 0) continue;
        double squares = 0;
        for (const Observed& o : observations_.Of(info.quantity)) {
            const double residual = Simulated(state, info.quantity, o.step) - o.value;
            squares += residual * residual;
        }
        sum += scale * squares;
    }
    return std::isfinite(sum) ? sum : kFailedRunObjective;
}

void Objective::Residuals(const RunState& state, std::vector<double>& residuals) const {
    residuals.clear();
    for (const QuantityInfo& info : Quantities()) {
        const double scale = scale_[static_cast<std::size_t>(info.quantity)];
        if (scale == 0) continue;
        const double factor = std::sqrt(scale);
        for (const Observed& o : observations_.Of(info.quantity))
            residuals.push_back(factor * (Simulated(state, info.quantity, o.step) - o.value));
    }
}

std::vector<QuantityFit> FitOf(const Observations& observations, const RunState& state) {
    std::vector<QuantityFit> fits;
    for (Quantity quantity : observations.ObservedQuantities()) {
        const std::vector<Observed>& observed = observations.Of(quantity);
        const double n = static_cast<double>(observed.size());
        double sumObserved = 0, sumSimulated = 0;
        for (const Observed& o : observed) {
            sumObserved += o.value;
            sumSimulated += Simulated(state, quantity, o.step);
        }
        const double meanObserved = sumObserved / n, meanSimulated = sumSimulated / n;
        double squares = 0, bias = 0, observedSpread = 0, simulatedSpread = 0, covariance = 0;
        for (const Observed& o : observed) {
            const double simulated = Simulated(state, quantity, o.step);
            squares += (simulated - o.value) * (simulated - o.value);
            bias += simulated - o.value;
            observedSpread += (o.value - meanObserved) * (o.value - meanObserved);
            simulatedSpread += (simulated - meanSimulated) * (simulated - meanSimulated);
            covariance += (o.value - meanObserved) * (simulated - meanSimulated);
        }
        QuantityFit fit;
        fit.quantity = quantity;
        fit.n = static_cast<int>(observed.size());
        fit.rmse = std::sqrt(squares / n);
        fit.bias = bias / n;
        if (observedSpread > 0) fit.nse = 1 - squares / observedSpread;
        if (observedSpread > 0 && simulatedSpread > 0)
            fit.r2 = covariance * covariance / (observedSpread * simulatedSpread);
        fits.push_back(fit);
    }
    return fits;
}

}  // namespace halosoil::study
