#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "StringToFloat.h"

namespace halosoil {

std::string PadLeft(const std::string& text, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

std::string Whole(long long value, int width) {
    return PadLeft(std::to_string(value), width);
}

// std::to_chars, unlike printf, never follows the process locale: a window toolkit that sets
// the locale from the environment cannot turn the files' points into commas.
std::string Fixed(double value, int width, int decimals) {
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return PadLeft(std::string(buffer, result.ptr), width);
}

std::string Format2(double value, int width) {
    std::string text = Fixed(value, width, 2);
    for (char& c : text)
        if (c == '.') c = DecimalSeparator();
    return text;
}

std::string GeneralText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buffer[64];
    const double magnitude = std::fabs(value);
    std::string text;
    if (value == 0 || (magnitude >= 0.00001 && magnitude < 1e15)) {
        // Fixed notation with 15 significant digits, trailing zeros dropped.
        const int digitsBefore = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
        const int decimals = value == 0 ? 0 : std::max(0, 15 - digitsBefore);
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::fixed, decimals);
        text.assign(buffer, result.ptr);
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') text.pop_back();
        }
        if (text == "-0") text = "0";
    } else {
        // Mantissa of up to 15 digits, the letter E and the exponent without padding.
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
        std::string mantissa(buffer, result.ptr);
        const std::size_t e = mantissa.find('e');
        const int exponent = std::stoi(mantissa.substr(e + 1));
        mantissa.erase(e);
        if (mantissa.find('.') != std::string::npos) {
            mantissa.erase(mantissa.find_last_not_of('0') + 1);
            if (mantissa.back() == '.') mantissa.pop_back();
        }
        text = mantissa + "E" + std::to_string(exponent);
    }
    for (char& c : text)
        if (c == '.') c = DecimalSeparator();
    return text;
}

}  // namespace halosoil
