#include "StringToFloat.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "Errors.h"
#include "TextFields.h"

namespace halosoil {

namespace {

char programSeparator = '.';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the separator stands in a text of the accepted form: an optional sign, digits with
// at most one separator and an optional exponent. npos for a text without a separator;
// nullopt for a text of another form.
std::optional<std::size_t> SeparatorOfNumber(std::string_view text, char separator) {
    std::size_t separatorAt = std::string_view::npos;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == separator && separatorAt == std::string_view::npos) {
            separatorAt = i;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentDigits = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == exponentDigits) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return separatorAt;
}

// The text, of the accepted form, converted by from_chars, which knows the point alone and
// no plus sign; a separator other than the point is put to the point in a copy.
std::optional<double> FromChars(std::string_view text, std::size_t separatorAt, char separator) {
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (separatorAt != std::string_view::npos) --separatorAt;
    }
    std::string copy;
    if (separator != '.' && separatorAt != std::string_view::npos) {
        copy.assign(text);
        copy[separatorAt] = '.';
        text = copy;
    }
    double value = 0;
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(text.data(), last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

std::optional<double> Convert(std::string_view text, char separator) {
    const std::string_view number = TrimmedView(text);
    const auto separatorAt = SeparatorOfNumber(number, separator);
    if (!separatorAt) return std::nullopt;
    return FromChars(number, *separatorAt, separator);
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
