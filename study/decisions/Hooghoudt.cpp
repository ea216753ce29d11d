#include "Hooghoudt.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "Errors.h"
#include "ShortestText.h"
#include "StringToFloat.h"

namespace halosoil::study {

namespace {

constexpr double kLongestSpacing = 10000;  // m

double Qh1Of(const DrainSoil& soil, double spacing) {
    return 8 * soil.kBelow * EquivalentDepth(soil, spacing) / (spacing * spacing);
}

}  // namespace

double EquivalentDepth(const DrainSoil& soil, double spacing) {
    const double D = soil.impervious, L = spacing, r = soil.radius;
    const double pi = std::numbers::pi;
    if (D / L <= 0.3) return D / (1 + (D / L) * (8 / pi * std::log(D / r) - 3.4));
    return pi * L / (8 * (std::log(L / r) - 1.15));
}

DrainageFactors FactorsOfSpacing(const DrainSoil& soil, double spacing) {
    DrainageFactors factors;
    factors.equivalentDepth = EquivalentDepth(soil, spacing);
    factors.qh1 = 8 * soil.kBelow * factors.equivalentDepth / (spacing * spacing);
    factors.qh2 = 4 * soil.kAbove / (spacing * spacing);
    return factors;
}

double ShortestSpacing(const DrainSoil& soil) {
    return 10 * soil.radius;
}

double SpacingOfQh1(const DrainSoil& soil, double qh1) {
    if (!(qh1 > 0) || !std::isfinite(qh1))
        throw HalosoilError("--qh1 " + ShortestText(qh1) + ": QH1 must be a number above 0");
    double shortest = ShortestSpacing(soil), longest = kLongestSpacing;
    const double most = Qh1Of(soil, shortest), least = Qh1Of(soil, longest);
    if (qh1 > most || qh1 < least)
        throw HalosoilError("No drain spacing from " + ShortestText(shortest) + " to " +
                            ShortestText(longest) + " m gives QH1 = " + ShortestText(qh1) +
                            " m/day per m in this soil: QH1 runs from " + ShortestText(most) +
                            " down to " + ShortestText(least));
    // QH1 falls as the spacing grows; halving the bracket on a log scale reaches the double's
    // precision in about a hundred steps.
    for (int k = 0; k < 200 && longest - shortest > 1e-12 * longest; ++k) {
        const double middle = std::sqrt(shortest * longest);
        if (Qh1Of(soil, middle) > qh1)
            shortest = middle;
        else
            longest = middle;
    }
    return 0.5 * (shortest + longest);
}

void CheckDrainSoil(const DrainSoil& soil) {
    const std::pair<const char*, double> values[] = {{"--k-above", soil.kAbove},
                                                     {"--k-below", soil.kBelow},
                                                     {"--impervious", soil.impervious},
                                                     {"--radius", soil.radius}};
    for (const auto& [option, value] : values)
        if (!(value > 0) || !std::isfinite(value))
            throw HalosoilError(std::string(option) + " " + ShortestText(value) +
                                ": it must be a number above 0");
}

void CheckSpacing(const DrainSoil& soil, double spacing) {
    if (!(spacing >= ShortestSpacing(soil)) || !std::isfinite(spacing))
        throw HalosoilError("--spacing " + ShortestText(spacing) +
                            ": the drain spacing must be at least ten drain radii (" +
                            ShortestText(ShortestSpacing(soil)) + " m)");
}

DrainSoil ParseDrainSoil(const std::string& text) {
    DrainSoil soil;
    bool given[4] = {};
    const char* const keys[] = {"k_above", "k_below", "impervious", "radius"};
    double* const fields[] = {&soil.kAbove, &soil.kBelow, &soil.impervious, &soil.radius};
    const auto refuse = [&](const std::string& what) {
        throw HalosoilError("--drain-soil '" + text + "': " + what +
                            "; it is k_above=K1,k_below=K2,impervious=D,radius=r (m/day, m)");
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const std::string part = text.substr(start, comma - start);
        start = comma == std::string::npos ? text.size() + 1 : comma + 1;
        const auto equals = part.find('=');
        int key = -1;
        for (int k = 0; k < 4; ++k)
            if (part.substr(0, equals) == keys[k]) key = k;
        if (equals == std::string::npos || key < 0) refuse("'" + part + "' is not one of them");
        if (given[key]) refuse(std::string(keys[key]) + " is given twice");
        try {
            *fields[key] = PointStringToFloat(part.substr(equals + 1));
        } catch (const ConversionError& error) {
            refuse(error.what());
        }
        if (!(*fields[key] > 0)) refuse(std::string(keys[key]) + " must be above 0");
        given[key] = true;
    }
    for (int k = 0; k < 4; ++k)
        if (!given[k]) refuse(std::string(keys[k]) + " is missing");
    return soil;
}

namespace {

std::string Line(const char* label, double value) {
    char text[128];
    std::snprintf(text, sizeof text, "%s: %.6g\n", label, value);
    return text;
}

}  // namespace

std::string DrainageFactorsText(double spacing, const DrainageFactors& factors) {
    return Line("Drain spacing L (m)", spacing) +
           Line("Equivalent depth d (m)", factors.equivalentDepth) +
           Line("Drainage reaction factor QH1 (m/day/m)", factors.qh1) +
           Line("Drainage reaction factor QH2 (m/day/msq)", factors.qh2);
}

}  // namespace halosoil::study
