// StringToFloat on any text, with either separator, against a reading of its rule written
// out step by step: spaces around, an optional sign, digits with at most one separator, an
// optional exponent; nothing else. An accepted text gives the value strtod gives for it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Errors.h"
#include "FuzzCheck.h"
#include "StringToFloat.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text in the C locale's form when it obeys the rule, empty otherwise.
std::string InRule(const std::string& text, char separator) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    std::string out;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
    bool digits = false;
    bool separatorSeen = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            digits = true;
            out += text[i];
        } else if (text[i] == separator && !separatorSeen) {
            separatorSeen = true;
            out += '.';
        } else {
            break;
        }
    }
    if (!digits) return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += text[i++];
        if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
        if (i == end || !IsDigit(text[i])) return {};
        while (i < end && IsDigit(text[i])) out += text[i++];
    }
    return i == end ? out : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace halosoil;
    if (size < 1) return 0;
    const char separator = bytes[0] % 2 ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    SetDecimalSeparator(separator);
    std::string expected = InRule(text, separator);
    bool fellBack = false;
    if (expected.empty() && separator == ',') {
        expected = InRule(text, '.');
        fellBack = true;
    }
    try {
        const double value = StringToFloat(text);
        fuzz::Require(!expected.empty(), "only a text of the rule is a number");
        fuzz::Require(value == std::strtod(expected.c_str(), nullptr), "the value of the text");
        fuzz::Require(std::isfinite(value), "a number is finite");
    } catch (const ConversionError&) {
        // The rule allows numbers beyond the range of a double; they are refused.
        if (!expected.empty()) {
            const double value = std::strtod(expected.c_str(), nullptr);
            fuzz::Require(
                !std::isfinite(value) || value == 0 || std::fabs(value) < 2.2250738585072014e-308,
                "a text of the rule in range is a number");
        }
    }
    if (fellBack) fuzz::Require(DecimalSeparator() == '.', "a failed comma text leaves the point");
    return 0;
}
