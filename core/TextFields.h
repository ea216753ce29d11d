// Small text helpers of the fixed-width files: blanks around a field, blanks inside it.
#pragma once

#include <string>

namespace halosoil {

// The text without the spaces before and after it. A tab is not a blank to the number
// readers: a cell holding "1.5<tab>" is not a number.
inline std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text with every space removed, as the readers of measured salinities take a field.
inline std::string WithoutSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

}  // namespace halosoil
