#include "StringToFloat.h"

#include <gtest/gtest.h>

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
