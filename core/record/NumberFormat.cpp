#include "NumberFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "StringToFloat.h"

namespace halosoil {

std::string PadLeft(const std::string& text, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

void AppendWhole(std::string& out, long long value, int width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(result.ptr - digits);
    if (static_cast<int>(length) < width) out.append(static_cast<std::size_t>(width) - length, ' ');
    out.append(digits, length);
}

std::string Whole(long long value, int width) {
    std::string text;
    AppendWhole(text, value, width);
    return text;
}

namespace {

// Whether the value lies exactly halfway between two numbers of `decimals` decimals. With the
// value written m x 2^e, m odd, twice the value times 10^decimals is m x 5^decimals x
// 2^(e + 1 + decimals), an odd whole number exactly when e = -(decimals + 1).
bool IsDecimalTie(double value, int decimals) {
    if (value == 0 || !std::isfinite(value)) return false;
    // m and e read from the bits: the stored fraction with its leading one (none below the
    // normal range), and the biased exponent less the bias and the 52 fraction bits.
    constexpr int kFractionBits = 52;
    constexpr int kExponentBias = 1023;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << kFractionBits) - 1);
    const int biased = static_cast<int>((bits >> kFractionBits) & 0x7ff);
    const std::uint64_t significand =
        biased == 0 ? fraction : fraction | (std::uint64_t{1} << kFractionBits);
    const int exponent = (biased == 0 ? 1 : biased) - kExponentBias - kFractionBits;
    return exponent + std::countr_zero(significand) == -(decimals + 1);
}

// value with exactly `decimals` decimals; an exact tie in binary (2.125 to two decimals)
// is rounded away from zero, as the earlier program's number texts had it, every other
// value to the nearest. std::to_chars, unlike printf, never follows the process locale: a
// window toolkit that sets the locale from the environment cannot turn points into commas.
std::string RoundedText(double value, int decimals) {
    char buffer[512];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string nearest(buffer, result.ptr);
    if (!IsDecimalTie(value, decimals)) return nearest;

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

// Most numbers of the files are small and have few decimals: their text follows from rounding
// |value| x 10^decimals to a whole number, which the product in double decides unless it lies
// within its own rounding error (at most 2^-53 of it) of a half. Returns false, writing
// nothing, for those and for other numbers, which take to_chars. The text and its padding are
// put together in a buffer and added to out with one append: the files are mostly these fields.
bool AppendFixedQuickly(std::string& out, double value, int width, int decimals) {
    static constexpr double kScale[] = {1, 10, 100, 1000};
    constexpr int kMostPadding = 32;
    if (decimals < 0 || decimals > 3 || !(std::fabs(value) < 1e12) || width > kMostPadding)
        return false;
    const double scaled = std::fabs(value) * kScale[decimals];
    // Truncation is the floor of a number that is not negative, without a call to the library.
    const auto whole = static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
    const double fraction = scaled - static_cast<double>(whole);  // exact: see above
    if (std::fabs(fraction - 0.5) <= scaled * 0x1p-52 + 0x1p-60) return false;
    std::uint64_t digits = whole + (fraction > 0.5 ? 1 : 0);

    char text[64];
    char* const end = text + sizeof text;
    char* start = end;
    for (int place = 0; place < decimals; ++place) {
        *--start = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    if (decimals > 0) *--start = '.';
    do {
        *--start = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits > 0);
    if (std::signbit(value)) *--start = '-';
    while (end - start < width) *--start = ' ';
    out.append(start, static_cast<std::size_t>(end - start));
    return true;
}

void AppendFixed(std::string& out, double value, int width, int decimals) {
    if (!IsDecimalTie(value, decimals) && AppendFixedQuickly(out, value, width, decimals)) return;
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    const std::size_t length = static_cast<std::size_t>(result.ptr - buffer);
    if (IsDecimalTie(value, decimals)) {
        const std::string text = RoundedText(value, decimals);
        if (static_cast<int>(text.size()) < width) out.append(width - text.size(), ' ');
        out += text;
        return;
    }
    if (static_cast<int>(length) < width) out.append(width - length, ' ');
    out.append(buffer, length);
}

std::string Fixed(double value, int width, int decimals) {
    std::string text;
    AppendFixed(text, value, width, decimals);
    return text;
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
