// Small text helpers of the fixed-width files: blanks around a field, blanks inside it.
#pragma once

#include <istream>
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

// Reads one line without its line end. A line ends at CR LF, at LF alone or at CR alone, so
// that files copied between systems read alike. False when no character was left.
inline bool ReadTextLine(std::istream& in, std::string& line) {
    line.clear();
    bool any = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n') return true;
        if (c == '\r') {
            if (in.peek() == '\n') in.get();
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    return any;
}

}  // namespace halosoil
