// Small text helpers of the fixed-width files: blanks around a field, blanks inside it.
#pragma once

#include <string>

namespace halosoil {

// The text without the blanks (spaces and tabs) before and after it.
inline std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text with every space removed, as the readers of measured salinities take a field.
inline std::string WithoutSpaces(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

}  // namespace halosoil
