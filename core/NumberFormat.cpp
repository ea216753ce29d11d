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

namespace {

// value with exactly `decimals` decimals; an exact tie in binary (2.125 to two decimals)
// is rounded away from zero, as the earlier program's number texts had it, every other
// value to the nearest. std::to_chars, unlike printf, never follows the process locale: a
// window toolkit that sets the locale from the environment cannot turn points into commas.
std::string RoundedText(double value, int decimals) {
    char buffer[512];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string nearest(buffer, result.ptr);
    if (!std::isfinite(value)) return nearest;

    // A tie has an exact decimal expansion ending in 5 one place further. Sixty more places
    // show every digit of any double big enough to have a 5 there.
    constexpr int kMorePlaces = 60;
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                           decimals + 1 + kMorePlaces);
    std::string longer(buffer, result.ptr);
    const std::size_t tieDigit = longer.size() - kMorePlaces - 1;
    if (longer[tieDigit] != '5' || longer.find_first_not_of('0', tieDigit + 1) != std::string::npos)
        return nearest;
    longer.resize(tieDigit + 1);

    // Drop the 5 and add one unit in the last kept place, carrying to the left.
    longer.pop_back();
    if (decimals == 0) longer.pop_back();  // the point
    int i = static_cast<int>(longer.size()) - 1;
    for (; i >= 0; --i) {
        char& digit = longer[static_cast<std::size_t>(i)];
        if (digit == '.') continue;
        if (digit == '-') break;
        if (digit < '9') {
            ++digit;
            return longer;
        }
        digit = '0';
    }
    longer.insert(static_cast<std::size_t>(i + 1), 1, '1');
    return longer;
}

}  // namespace

std::string Fixed(double value, int width, int decimals) {
    return PadLeft(RoundedText(value, decimals), width);
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
        // The logarithm of 0 is no number of digits: 0 has no decimals to show.
        const int decimals =
            value == 0
                ? 0
                : std::max(0, 15 - (static_cast<int>(std::floor(std::log10(magnitude))) + 1));
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
