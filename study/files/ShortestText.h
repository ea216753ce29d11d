// Numbers in the CSV files a study writes: the shortest text that reads back as the same
// double, with the point as separator whatever the program-wide separator is.
#pragma once

#include <charconv>
#include <cmath>
#include <string>

namespace halosoil::study {

// An empty cell for a value that is not a number (no threshold, a failed estimate).
inline std::string ShortestText(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace halosoil::study
