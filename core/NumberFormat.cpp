#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "StringToFloat.h"

namespace halosoil {

std::string PadLeft(const std::string& text, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return std::string(width - text.size(), ' ') + text;
}

std::string Whole(long long value, int width) { return PadLeft(std::to_string(value), width); }

std::string Fixed(double value, int width, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
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
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        text = buffer;
        if (text.find('e') != std::string::npos) {
            const int digitsBefore = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
            std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 15 - digitsBefore), value);
            text = buffer;
            if (text.find('.') != std::string::npos) {
                text.erase(text.find_last_not_of('0') + 1);
                if (text.back() == '.') text.pop_back();
            }
        }
    } else {
        // Mantissa of up to 15 digits, the letter E and the exponent without padding.
        std::snprintf(buffer, sizeof buffer, "%.14e", value);
        std::string mantissa = buffer;
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
