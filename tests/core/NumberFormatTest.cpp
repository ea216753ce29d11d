#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "StringToFloat.h"

namespace halosoil {
namespace {

TEST(NumberFormatTest, FixedRoundsAndRightAligns) {
    EXPECT_EQ(Fixed(42.6, 15, 0), "             43");
    EXPECT_EQ(Fixed(1.75, 7, 2), "   1.75");
    EXPECT_EQ(Fixed(-0.25, 8, 2), "   -0.25");
    EXPECT_EQ(Fixed(0.0123, 8, 3), "   0.012");
    EXPECT_EQ(Fixed(123456.789, 4, 1), "123456.8");  // a longer text widens the field
    EXPECT_EQ(Whole(7, 10), "         7");
    EXPECT_EQ(Whole(-12), "-12");
}

TEST(NumberFormatTest, ExactTiesRoundAwayFromZero) {
    EXPECT_EQ(Fixed(2.125, 0, 2), "2.13");
    EXPECT_EQ(Fixed(2.25, 0, 1), "2.3");
    EXPECT_EQ(Fixed(-2.25, 0, 1), "-2.3");
    EXPECT_EQ(Fixed(0.5, 0, 0), "1");
    EXPECT_EQ(Fixed(-9.95, 0, 1), "-9.9");  // 9.95 is slightly below in binary: no tie
    EXPECT_EQ(Fixed(9.5, 0, 0), "10");
    EXPECT_EQ(Fixed(99.875, 0, 2), "99.88");
    EXPECT_EQ(Fixed(-999.5, 6, 0), " -1000");
    EXPECT_EQ(Fixed(2.375, 0, 2), "2.38");
    EXPECT_EQ(Fixed(2.3749999, 0, 2), "2.37");
    // A tie at one number of decimals is none at another.
    EXPECT_EQ(Fixed(1.25, 0, 1), "1.3");
    EXPECT_EQ(Fixed(0.75, 0, 1), "0.8");
    EXPECT_EQ(Fixed(0.125, 0, 1), "0.1");
    EXPECT_EQ(Fixed(0.0625, 0, 3), "0.063");
    EXPECT_EQ(Fixed(0.0625, 0, 2), "0.06");
    EXPECT_EQ(Fixed(-0.375, 0, 2), "-0.38");
    EXPECT_EQ(Fixed(1e300, 0, 0).size(), 301u);
    EXPECT_EQ(Fixed(5e-324, 0, 2), "0.00");
}

// The text of to_chars, and whether the value is an exact tie at that many decimals, which
// to_chars rounds to even and the files away from zero.
std::pair<std::string, bool> StandardText(double value, int decimals) {
    char buffer[512];
    auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    const std::string text(buffer, end);
    end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                        decimals + 70)
              .ptr;
    const std::string longer(buffer, end);
    const std::size_t tie = longer.size() - 70;
    const bool isTie =
        longer[tie] == '5' && longer.find_first_not_of('0', tie + 1) == std::string::npos;
    return {text, isTie};
}

TEST(NumberFormatTest, EveryValueReadsAsTheStandardLibraryWritesIt) {
    std::mt19937_64 random(20261208);
    std::vector<double> values = {0.0,          -0.0,  1e-300,        -1e-300,
                                  0.0049999999, 0.005, 0.995,         999999999999.99,
                                  1e12,         1e15,  123456789.125, -0.001};
    for (int i = 0; i < 60000; ++i) {
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<>(-5, 13)(random));
        values.push_back((random() % 2 ? -1 : 1) * magnitude);
        // Values a hair from a half at two decimals, and exact binary fractions.
        const double half = (static_cast<double>(random() % 100000) + 0.5) / 100;
        values.push_back(std::nextafter(half, 0.0));
        values.push_back(std::nextafter(half, 1e9));
        values.push_back(static_cast<double>(random() % 1000000) / 1024);
    }
    for (double value : values) {
        for (int decimals = 0; decimals <= 4; ++decimals) {
            const auto [text, isTie] = StandardText(value, decimals);
            if (isTie) continue;  // the ties' rounding is tested above
            ASSERT_EQ(Fixed(value, 0, decimals), text) << value << " to " << decimals;
            ASSERT_EQ(Fixed(value, 12, decimals), PadLeft(text, 12)) << value;
            ASSERT_EQ(Fixed(value, 40, decimals), PadLeft(text, 40)) << value;
        }
    }
}

TEST(NumberFormatTest, Format2FollowsTheProgramSeparator) {
    EXPECT_EQ(Format2(5.2, 8), "    5.20");
    SetDecimalSeparator(',');
    EXPECT_EQ(Format2(5.2, 8), "    5,20");
    SetDecimalSeparator('.');
}

TEST(NumberFormatTest, GeneralTextHasUpToFifteenSignificantDigits) {
    EXPECT_EQ(GeneralText(12.5), "12.5");
    EXPECT_EQ(GeneralText(100), "100");
    EXPECT_EQ(GeneralText(0), "0");
    EXPECT_EQ(GeneralText(-0.75), "-0.75");
    EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
    EXPECT_EQ(GeneralText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(GeneralText(0.00001), "0.00001");
    EXPECT_EQ(GeneralText(0.0000015), "1.5E-6");
    EXPECT_EQ(GeneralText(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralText(1e15), "1E15");
}

}  // namespace
}  // namespace halosoil
