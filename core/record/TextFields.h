// Small text helpers of the fixed-width files: blanks around a field, blanks inside it.
#pragma once

#include <string>
#include <string_view>

namespace halosoil {

// The text without the spaces before and after it, as a view into the same characters. A tab
// is not a blank to the number readers: a cell holding "1.5<tab>" is not a number.
inline std::string_view TrimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline std::string Trimmed(std::string_view text) {
    return std::string(TrimmedView(text));
}

// The text with every space removed, as the readers of measured salinities take a field.
inline std::string WithoutSpaces(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

}  // namespace halosoil
