#include "StringToFloat.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "Errors.h"
#include "TextFields.h"

namespace halosoil {

namespace {

char programSeparator = '.';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Plain decimals (digits with at most one separator, fifteen digits at most) are most of
// what the files hold. Their digits make a whole number below 2^53 and the power of ten of
// their decimals is a double too, so the one correctly rounded division gives the number
// from_chars would give. Anything else (an exponent, more digits, no digit) returns nothing.
std::optional<double> PlainDecimal(std::string_view digitsAndSeparator, char separator) {
    constexpr int kMostDigits = 15;
    static constexpr double kPowersOfTen[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t whole = 0;
    int digits = 0;
    int decimals = 0;
    bool separatorSeen = false;
    for (const char c : digitsAndSeparator) {
        if (IsDigit(c)) {
            if (++digits > kMostDigits) return std::nullopt;
            whole = whole * 10 + (c - '0');
            decimals += separatorSeen;
        } else if (c == separator && !separatorSeen) {
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    return static_cast<double>(whole) / kPowersOfTen[decimals];
}

// The accepted form (an optional sign, digits with at most one separator, an optional
// exponent) is the form from_chars reads, once it is handed the point as separator and no
// plus sign, and kept from "inf" and "nan" by a digit or the separator after the sign.
std::optional<double> Convert(std::string_view text, char separator) {
    std::string_view number = TrimmedView(text);
    const std::size_t afterSign = !number.empty() && (number[0] == '+' || number[0] == '-');
    if (afterSign >= number.size() ||
        !(IsDigit(number[afterSign]) || number[afterSign] == separator))
        return std::nullopt;
    if (number[0] == '+') number.remove_prefix(1);
    const bool negative = number[0] == '-';
    if (auto plain = PlainDecimal(number.substr(negative ? 1 : 0), separator))
        return negative ? -*plain : *plain;
    std::string withPoint;
    if (separator != '.') {
        // The point is no separator then; from_chars would take it for one.
        if (number.find('.') != std::string_view::npos) return std::nullopt;
        const std::size_t separatorAt = number.find(separator);
        if (separatorAt != std::string_view::npos) {
            withPoint.assign(number);
            withPoint[separatorAt] = '.';
            number = withPoint;
        }
    }
    double value = 0;
    const char* last = number.data() + number.size();
    const auto result = std::from_chars(number.data(), last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

}  // namespace

char DecimalSeparator() {
    return programSeparator;
}

void SetDecimalSeparator(char separator) {
    programSeparator = separator;
}

double StringToFloat(std::string_view text) {
    if (auto value = Convert(text, programSeparator)) return *value;
    if (programSeparator == ',') {
        programSeparator = '.';
        if (auto value = Convert(text, programSeparator)) return *value;
    }
    throw ConversionError(std::string(text));
}

double PointStringToFloat(std::string_view text) {
    if (auto value = Convert(text, '.')) return *value;
    throw ConversionError(std::string(text));
}

bool TryStringToInt(std::string_view text, int& value) {
    const std::string_view trimmed = TrimmedView(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    return first != last && result.ec == std::errc() && result.ptr == last;
}

}  // namespace halosoil
