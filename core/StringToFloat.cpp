#include "StringToFloat.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "Errors.h"
#include "TextFields.h"

namespace halosoil {

namespace {

char programSeparator = '.';

// Accepts an optional sign, digits with at most one separator and an optional exponent;
// returns the text with the point as separator, ready for from_chars.
std::optional<std::string> Normalised(const std::string& text, char separator) {
    std::string out;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
    bool digits = false;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            out += c;
        } else if (c == separator && !separatorSeen) {
            separatorSeen = true;
            out += '.';
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
        bool exponentDigits = false;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
            exponentDigits = true;
            out += text[i];
        }
        if (!exponentDigits) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return out;
}

std::optional<double> Convert(const std::string& text, char separator) {
    const auto normalised = Normalised(Trimmed(text), separator);
    if (!normalised) return std::nullopt;
    double value = 0;
    const char* first = normalised->data();
    const char* last = first + normalised->size();
    const auto result = std::from_chars(first, last, value);
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

double StringToFloat(const std::string& text) {
    if (auto value = Convert(text, programSeparator)) return *value;
    if (programSeparator == ',') {
        programSeparator = '.';
        if (auto value = Convert(text, programSeparator)) return *value;
    }
    throw ConversionError(text);
}

double PointStringToFloat(const std::string& text) {
    if (auto value = Convert(text, '.')) return *value;
    throw ConversionError(text);
}

bool TryStringToInt(const std::string& text, int& value) {
    const std::string trimmed = Trimmed(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    return first != last && result.ec == std::errc() && result.ptr == last;
}

}  // namespace halosoil
