#include "MapClasses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "Errors.h"
#include "StringToFloat.h"

namespace halosoil::region {

namespace {

// Viridis at tenths of its length from its light end (t = 0) to its dark end (t = 1): even in
// lightness, readable in grey, and apart for the common colour blindnesses.
constexpr std::array<Color, 10> kRamp = {{{253, 231, 37},
                                          {180, 222, 44},
                                          {109, 205, 89},
                                          {53, 183, 121},
                                          {31, 158, 137},
                                          {38, 130, 142},
                                          {49, 104, 142},
                                          {62, 74, 137},
                                          {72, 40, 120},
                                          {68, 1, 84}}};

int Mix(int a, int b, double share) {
    return static_cast<int>(std::lround(a + (b - a) * share));
}

// The ramp at t (0..1), linear between its tenths.
Color RampAt(double t) {
    const double position = t * (kRamp.size() - 1);
    const auto below = std::min(static_cast<std::size_t>(position), kRamp.size() - 2);
    const double share = position - static_cast<double>(below);
    const Color a = kRamp[below];
    const Color b = kRamp[below + 1];
    return {Mix(a.r, b.r, share), Mix(a.g, b.g, share), Mix(a.b, b.b, share)};
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

double BreakValue(const std::string& text) {
    const std::string value = Trimmed(text);
    try {
        const double number = PointStringToFloat(value);
        if (!value.empty() && std::isfinite(number)) return number;
    } catch (const ConversionError&) {
    }
    throw HalosoilError("--breaks: '" + value + "' is not a number");
}

}  // namespace

int MapClasses::ClassOf(double value) const {
    return static_cast<int>(std::upper_bound(breaks.begin(), breaks.end(), value) - breaks.begin());
}

std::vector<double> QuantileBreaks(std::vector<double> values, int classes) {
    std::sort(values.begin(), values.end());
    std::vector<double> distinct = values;
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (static_cast<int>(distinct.size()) <= classes) {
        std::vector<double> halfway;
        for (std::size_t k = 1; k < distinct.size(); ++k)
            halfway.push_back(distinct[k - 1] + (distinct[k] - distinct[k - 1]) / 2);
        return halfway;
    }
    const auto last = static_cast<double>(values.size() - 1);
    std::vector<double> breaks;
    for (int k = 1; k < classes; ++k) {
        const double rank = last * k / classes;
        const auto below = static_cast<std::size_t>(rank);
        const double share = rank - static_cast<double>(below);
        const double value = below + 1 < values.size()
                                 ? values[below] + share * (values[below + 1] - values[below])
                                 : values[below];
        if (breaks.empty() || value > breaks.back()) breaks.push_back(value);
    }
    // A break at the smallest value would leave the first class empty.
    if (!breaks.empty() && breaks.front() <= values.front()) breaks.erase(breaks.begin());
    return breaks;
}

std::vector<double> ParseBreaks(const std::string& text) {
    std::vector<double> breaks;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const double value = BreakValue(part);
        if (!breaks.empty() && value <= breaks.back())
            throw HalosoilError("--breaks must increase: " + Trimmed(part) + " follows " +
                                BreakText(breaks.back()));
        breaks.push_back(value);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (static_cast<int>(breaks.size()) > kMaxClasses - 1)
        throw HalosoilError("--breaks takes at most " + std::to_string(kMaxClasses - 1) +
                            " values (" + std::to_string(kMaxClasses) + " classes), not " +
                            std::to_string(breaks.size()));
    return breaks;
}

std::vector<Color> SequentialRamp(int count) {
    std::vector<Color> colors;
    for (int k = 0; k < count; ++k)
        colors.push_back(RampAt(count == 1 ? 0.5 : static_cast<double>(k) / (count - 1)));
    return colors;
}

MapClasses ClassesOf(std::vector<double> breaks) {
    const int count = static_cast<int>(breaks.size()) + 1;
    return {std::move(breaks), SequentialRamp(count)};
}

std::string BreakText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string HexColor(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color.r & 0xff, color.g & 0xff,
                  color.b & 0xff);
    return text;
}

}  // namespace halosoil::region
