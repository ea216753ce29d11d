#include "StringToFloat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "Errors.h"
#include "ExpectThrowMsg.h"

namespace halosoil {
namespace {

class StringToFloatTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(StringToFloatTest, IgnoresSpacesAroundTheNumber) {
    EXPECT_DOUBLE_EQ(StringToFloat(" 12.50 "), 12.5);
    EXPECT_DOUBLE_EQ(StringToFloat("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(StringToFloat("+3"), 3.0);
    EXPECT_DOUBLE_EQ(StringToFloat("1.5E-3"), 0.0015);
    EXPECT_DOUBLE_EQ(StringToFloat("2e2"), 200.0);
    EXPECT_DOUBLE_EQ(StringToFloat(".5"), 0.5);
}

TEST_F(StringToFloatTest, RefusesTextThatIsNotANumber) {
    // Only spaces are ignored around the number, not tabs.
    for (const char* text : {"", "   ", "1a", "1 234", "1.2.3", "-", "1e", "1.5\t", "\t2"}) {
        // Built in one piece: GCC 12 takes "'" + text for overlapping copies at -O3.
        std::string expected = std::string(1, '\'');
        expected.append(text).append("' is not a valid floating point value");
        EXPECT_THROW_MSG(StringToFloat(text), ConversionError, expected);
    }
}

TEST_F(StringToFloatTest, DecimalCommaOnlyWhileTheSeparatorIsTheComma) {
    EXPECT_THROW_MSG(StringToFloat("1,5"), ConversionError,
                     "'1,5' is not a valid floating point value");
    SetDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(StringToFloat("1,5"), 1.5);
    EXPECT_EQ(DecimalSeparator(), ',');
}

TEST_F(StringToFloatTest, PointAcceptedWithCommaSeparatorWhichThenStaysThePoint) {
    SetDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(StringToFloat("2.5"), 2.5);
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_THROW_MSG(StringToFloat("1,5"), ConversionError,
                     "'1,5' is not a valid floating point value");
}

TEST_F(StringToFloatTest, FailingTwiceLeavesThePointAndTheError) {
    SetDecimalSeparator(',');
    EXPECT_THROW_MSG(StringToFloat("x"), ConversionError,
                     "'x' is not a valid floating point value");
    EXPECT_EQ(DecimalSeparator(), '.');
}

TEST_F(StringToFloatTest, TheFormAtItsEdges) {
    EXPECT_DOUBLE_EQ(StringToFloat("5."), 5.0);
    EXPECT_DOUBLE_EQ(StringToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StringToFloat("-.5e1"), -5.0);
    EXPECT_DOUBLE_EQ(StringToFloat("1e+2"), 100.0);
    EXPECT_DOUBLE_EQ(StringToFloat("007.25"), 7.25);
    // No second sign, no word for a number, no hexadecimal, no exponent without digits, and
    // nothing beyond what a double holds.
    for (const char* text :
         {".", "+", "+-5", "--5", "inf", "-inf", "nan", "0x10", "1.5e", "1.5e+", "e5", "1e400"}) {
        std::string expected = std::string(1, '\'');
        expected.append(text).append("' is not a valid floating point value");
        EXPECT_THROW_MSG(StringToFloat(text), ConversionError, expected);
    }
}

TEST_F(StringToFloatTest, WithTheCommaTheFormIsTheSame) {
    SetDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(StringToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(StringToFloat("-1,25e1"), -12.5);
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_THROW_MSG(StringToFloat("1,5,"), ConversionError,
                     "'1,5,' is not a valid floating point value");
    EXPECT_EQ(DecimalSeparator(), '.');
}

TEST_F(StringToFloatTest, ConvertsOnlyTheCharactersItIsGiven) {
    // A field cut from a line is converted where it stands, up to its last column.
    const std::string line = "   12.5|99   1,5,7";
    EXPECT_DOUBLE_EQ(StringToFloat(std::string_view(line).substr(0, 7)), 12.5);
    EXPECT_DOUBLE_EQ(PointStringToFloat(std::string_view(line).substr(8, 2)), 99.0);
    SetDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(StringToFloat(std::string_view(line).substr(10, 6)), 1.5);
    EXPECT_EQ(line, "   12.5|99   1,5,7");
    int whole = 0;
    EXPECT_TRUE(TryStringToInt(std::string_view(line).substr(8, 2), whole));
    EXPECT_EQ(whole, 99);
}

// Plain decimals take a shorter road than numbers with an exponent; the bits must be those of
// the C library's own reading, at the limit of fifteen digits and beyond it.
TEST_F(StringToFloatTest, DecimalsReadToTheBitsOfTheCLibrary) {
    std::mt19937_64 random(20261209);
    for (int trial = 0; trial < 200000; ++trial) {
        const int digits = 1 + static_cast<int>(random() % 18);
        std::string text;
        for (int k = 0; k < digits; ++k) text += static_cast<char>('0' + random() % 10);
        const auto point = random() % (digits + 2);
        if (point <= static_cast<unsigned>(digits)) text.insert(point, 1, '.');
        if (random() % 2) text.insert(0, 1, '-');
        if (text == "." || text == "-.") continue;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(StringToFloat(text)),
                  std::bit_cast<std::uint64_t>(expected))
            << text;
        std::string withComma = text;
        std::replace(withComma.begin(), withComma.end(), '.', ',');
        SetDecimalSeparator(',');
        ASSERT_EQ(std::bit_cast<std::uint64_t>(StringToFloat(withComma)),
                  std::bit_cast<std::uint64_t>(expected))
            << withComma;
        SetDecimalSeparator('.');
    }
    EXPECT_TRUE(std::signbit(StringToFloat("-0.00")));
    EXPECT_EQ(StringToFloat("123456789012345"), 123456789012345.0);
    EXPECT_EQ(StringToFloat("0.1"), 0.1);
    EXPECT_EQ(StringToFloat("9007199254740993"), 9007199254740992.0);  // 2^53 + 1, 16 digits
}

TEST(TryStringToIntTest, AcceptsWholeNumbersOnly) {
    int value = 0;
    EXPECT_TRUE(TryStringToInt(" 11 ", value));
    EXPECT_EQ(value, 11);
    EXPECT_TRUE(TryStringToInt("-3", value));
    EXPECT_EQ(value, -3);
    EXPECT_FALSE(TryStringToInt("1.5", value));
    EXPECT_FALSE(TryStringToInt("", value));
    EXPECT_FALSE(TryStringToInt("12a", value));
}

}  // namespace
}  // namespace halosoil
