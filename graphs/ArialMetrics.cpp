#include "ArialMetrics.h"

#include <cmath>

namespace halosoil {

namespace {

// Characters 32 (blank) to 126 (tilde).
constexpr int kAdvance[95] = {
    278, 278, 355, 556, 556, 889, 667,  191, 333, 333, 389, 584, 278,
    333, 278, 278,                                                     //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556,  556, 556, 556,                 // 0-9
    278, 278, 584, 584, 584, 556, 1015,                                // :;<=>?@
    667, 667, 722, 722, 667, 611, 778,  722, 278, 500, 667, 556, 833,  // A-M
    722, 778, 667, 778, 722, 667, 611,  722, 667, 944, 667, 667, 611,  // N-Z
    278, 278, 278, 469, 556, 333,                                      // [\]^_`
    556, 556, 500, 556, 556, 278, 556,  556, 222, 222, 500, 222, 833,  // a-m
    556, 556, 556, 556, 333, 500, 278,  556, 500, 722, 500, 500, 500,  // n-z
    334, 260, 334, 584,                                                // {|}~
};
constexpr int kDigitAdvance = 556;
constexpr double kAscent = 0.905;
constexpr double kDescent = 0.212;

}  // namespace

int PixelSizeOf(int points) {
    return (points * 96 + 36) / 72;
}

int ArialTextWidth(const std::string& text, int pixelSize) {
    long long thousandths = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c >= 32 && c <= 126) {
            thousandths += kAdvance[c - 32];
        } else if (c >= 0x80 && (c & 0xC0) == 0x80) {
            // A continuation byte of a UTF-8 character that was already counted.
            continue;
        } else if (c >= 0x80) {
            thousandths += kDigitAdvance;
        }
    }
    return static_cast<int>(std::lround(static_cast<double>(thousandths) * pixelSize / 1000.0));
}

int ArialAscent(int pixelSize) {
    return static_cast<int>(std::ceil(kAscent * pixelSize));
}

int ArialTextHeight(int pixelSize) {
    return ArialAscent(pixelSize) + static_cast<int>(std::ceil(kDescent * pixelSize));
}

}  // namespace halosoil
