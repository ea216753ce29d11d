#include "Ensemble.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_errno.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "EnsembleDraws.h"
#include "Errors.h"
#include "NotANumber.h"
#include "Quantiles.h"
#include "ShortestText.h"
#include "StringToFloat.h"
#include "UnitPoints.h"

namespace halosoil::study {

namespace {

// A normal distribution without bounds of its own is cut at this many standard deviations.
constexpr double kNormalReach = 6;

// The doubles NaN is written into between two looks at the cancel flag: two megabytes, some
// milliseconds even in a build without optimisation, where the first touch of each page costs
// more than the writing.
constexpr std::size_t kFillSlice = std::size_t{1} << 18;

// Asks the kernel to back a large array with huge pages where it gives them only when asked:
// the series of a large ensemble in pages of 4 KB cost hundreds of thousands of faults to lay
// out, and a good part of a second to give back when a cancelled study lets go of them.
void PreferHugePages(const double* data, std::size_t count) {
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{1} << 21;
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = (first + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (first + count * sizeof(double)) & ~(kHugePage - 1);
    // Only a hint: where the kernel declines, the pages are the ordinary ones.
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)data, (void)count;
#endif
}

// values as count NaNs, filled a slice at a time so that a study cancelled while the arrays
// of a large ensemble (gigabytes of them) are laid out stops within a slice: StudyCancelled.
void FillWithNaN(std::vector<double>& values, std::size_t count, const std::atomic<bool>* cancel) {
    values.clear();
    values.reserve(count);
    PreferHugePages(values.data(), count);
    while (values.size() < count) {
        if (cancel && *cancel) throw StudyCancelled();
        values.insert(values.end(), std::min(kFillSlice, count - values.size()), kNaN);
    }
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t k = 0; k <= text.size(); ++k)
        if (k == text.size() || text[k] == separator) {
            parts.push_back(text.substr(start, k - start));
            start = k + 1;
        }
    return parts;
}

double NumberIn(std::string_view part, const std::string& name) {
    try {
        return PointStringToFloat(std::string(part));
    } catch (const ConversionError& error) {
        throw HalosoilError("Parameter " + name + ": " + error.what());
    }
}

}  // namespace

int EnsembleResult::Stopped() const {
    return static_cast<int>(
        std::count_if(stoppedStep.begin(), stoppedStep.end(), [](int step) { return step > 0; }));
}

int EnsembleResult::Refused() const {
    return static_cast<int>(std::count(stoppedStep.begin(), stoppedStep.end(), -1));
}

std::pair<Parameter, Distribution> ParseDistribution(std::string_view text, const InputData& data) {
    const auto equals = text.find('=');
    const std::string name(text.substr(0, equals == std::string_view::npos ? 0 : equals));
    const std::vector<std::string_view> parts = equals == std::string_view::npos
                                                    ? std::vector<std::string_view>{}
                                                    : Split(text.substr(equals + 1), ':');
    const auto wrong = [&] {
        return HalosoilError("'" + std::string(text) +
                             "' is not NAME=uniform:LOW:HIGH, NAME=normal:MEAN:SD or "
                             "NAME=triangular:LOW:MODE:HIGH");
    };
    if (parts.empty()) throw wrong();
    const std::string_view kind = parts[0];
    if (kind == "uniform" && parts.size() == 3) {
        const double low = NumberIn(parts[1], name), high = NumberIn(parts[2], name);
        return {MakeParameter(name, low, high, data), Uniform(low, high)};
    }
    if (kind == "triangular" && parts.size() == 4) {
        const double low = NumberIn(parts[1], name), mode = NumberIn(parts[2], name),
                     high = NumberIn(parts[3], name);
        const Parameter parameter = MakeParameter(name, low, high, data);
        if (mode < low || mode > high)
            throw HalosoilError("Parameter " + name + ": the mode " + ShortestText(mode) +
                                " lies outside " + ShortestText(low) + ":" + ShortestText(high));
        return {parameter, Triangular(low, mode, high)};
    }
    if (kind == "normal" && parts.size() == 3) {
        const double mean = NumberIn(parts[1], name), sd = NumberIn(parts[2], name);
        if (!(sd > 0))
            throw HalosoilError("Parameter " + name + ": the standard deviation " +
                                ShortestText(sd) + " must be above 0");
        // Cut where the value stops being possible, and six deviations out at the most.
        const ParameterInfo& info = NamedParameter(name, data).Info();
        if (!CanTake(info, mean))
            throw HalosoilError("Parameter " + name + ": the mean " + ShortestText(mean) +
                                " of normal:" + std::string(parts[1]) + ":" +
                                std::string(parts[2]) + " lies beyond what it can take (" +
                                RangeText(info) + ")");
        double low = std::max(mean - kNormalReach * sd, info.lowest);
        const double high = std::min(mean + kNormalReach * sd, info.highest);
        if (info.lowestExcluded && low <= info.lowest)
            low = std::nextafter(info.lowest, std::numeric_limits<double>::infinity());
        return {MakeParameter(name, low, high, data), Normal(mean, sd)};
    }
    throw wrong();
}

Threshold ParseThreshold(std::string_view text, const InputData& data, bool cropNamed) {
    const auto sign = text.find_first_of("<>");
    if (sign == std::string_view::npos)
        throw HalosoilError("'" + std::string(text) + "' is not QUANTITY>VALUE or QUANTITY<VALUE");
    const std::string name(text.substr(0, sign));
    // The value is read once what it is a value of is known.
    const auto valued = [&](Threshold threshold) {
        threshold.above = text[sign] == '>';
        try {
            threshold.value = PointStringToFloat(std::string(text.substr(sign + 1)));
        } catch (const ConversionError& error) {
            throw HalosoilError("Threshold " + std::string(text) + ": " + error.what());
        }
        return threshold;
    };
    Threshold threshold;
    if (name == "relative_yield") {
        if (!cropNamed)
            throw HalosoilError("Threshold " + std::string(text) +
                                ": name the crop whose yield it is (--crop NAME)");
        threshold.relativeYield = true;
        return valued(threshold);
    }
    const auto quantity = QuantityNamed(name);
    if (!quantity)
        throw HalosoilError("Threshold " + std::string(text) + ": '" + name +
                            "' is not a quantity");
    if (!ProjectHas(data, *quantity))
        throw HalosoilError("Threshold " + std::string(text) + ": the project has no " + name);
    threshold.quantity = *quantity;
    return valued(threshold);
}

EnsembleResult RunEnsemble(const InputData& base, const EnsembleSettings& settings) {
    gsl_set_error_handler_off();
    if (settings.members < 2)
        throw HalosoilError("An ensemble needs at least 2 members, not " +
                            std::to_string(settings.members) + ".");
    EnsembleResult result;
    result.members = settings.members;
    result.steps = base.NrTst;
    result.parameters = settings.fromReport ? settings.fromReport->parameters : settings.parameters;
    CheckParameterSet(result.parameters, base);
    result.quantities = QuantitiesOf(base);
    result.values = DrawMembers(settings, result.parameters);

    const std::size_t q = result.quantities.size();
    const std::size_t steps = static_cast<std::size_t>(base.NrTst);
    const std::atomic<bool>* cancel = settings.options.cancel;
    FillWithNaN(result.series, static_cast<std::size_t>(settings.members) * q * steps, cancel);
    if (settings.crop)
        FillWithNaN(result.yields, static_cast<std::size_t>(settings.members) * steps, cancel);
    result.stoppedStep.assign(static_cast<std::size_t>(settings.members), 0);
    result.refusals.assign(static_cast<std::size_t>(settings.members), "");
    RunMembers(base, result.parameters, result.values, settings.options, [&](const MemberRun& run) {
        const std::size_t m = static_cast<std::size_t>(run.member);
        if (!run.refusal.empty()) {
            result.stoppedStep[m] = -1;
            result.refusals[m] = run.refusal;
            return;
        }
        if (run.state.RunStopped) result.stoppedStep[m] = run.state.StoppedStep;
        if (settings.crop) {
            // A stopped run has no salt balance, so no yield either.
            const Series yield = run.state.RunStopped
                                     ? Series{}
                                     : RelativeYieldSeries(run.project, run.state, *settings.crop,
                                                           settings.eceFactor);
            double* out = result.yields.data() + m * steps;
            for (std::size_t i = 1; i < yield.size() && i <= steps; ++i) out[i - 1] = yield[i];
        }
        for (std::size_t k = 0; k < q; ++k) {
            const Series& series = SeriesOf(run.state, result.quantities[k]);
            double* out = result.series.data() + (m * q + k) * steps;
            const std::size_t last =
                run.state.RunStopped
                    ? std::min<std::size_t>(
                          steps, static_cast<std::size_t>(std::max(0, run.state.StoppedStep)))
                    : steps;
            for (std::size_t i = 0; i < last; ++i) out[i] = series[i + 1];
        }
    });
    return result;
}

}  // namespace halosoil::study
