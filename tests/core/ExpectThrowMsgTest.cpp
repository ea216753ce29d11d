// The shared check of error messages must fail for each way a refusal can go wrong, or the
// error tests built on it would pass without holding anything.

#include "ExpectThrowMsg.h"

#include <gtest/gtest-spi.h>

#include <stdexcept>

#include "Errors.h"

namespace halosoil {
namespace {

void Refuse(const char* text) {
    throw HalosoilError(text);
}
void RefuseAtLine(int line) {
    HalosoilError error("damaged");
    error.SetLine(line);
    throw error;
}
void Accept() {}

TEST(ExpectThrowMsgTest, PassesForTheTypeAndTheExactText) {
    EXPECT_THROW_MSG(Refuse("Invalid numeric input"), HalosoilError, "Invalid numeric input");
    EXPECT_THROW_MSG(throw ConversionError("x"), HalosoilError,
                     "'x' is not a valid floating point value");
    EXPECT_THROW_MSG_AT_LINE(RefuseAtLine(17), HalosoilError, "damaged", 17);
}

TEST(ExpectThrowMsgTest, FailsWhenNothingIsThrown) {
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(Accept(), HalosoilError, "a"), "threw nothing");
}

TEST(ExpectThrowMsgTest, FailsForAnotherType) {
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(Refuse("a"), ConversionError, "a"),
                            "threw another type");
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(throw 3, HalosoilError, "a"), "no std::exception");
}

TEST(ExpectThrowMsgTest, FailsForAnotherTextOrLine) {
    EXPECT_NONFATAL_FAILURE(
        EXPECT_THROW_MSG(Refuse("Invalid numeric input."), HalosoilError, "Invalid numeric input"),
        "the message of");
    EXPECT_NONFATAL_FAILURE(
        EXPECT_THROW_MSG_AT_LINE(RefuseAtLine(18), HalosoilError, "damaged", 17), "the line of");
}

}  // namespace
}  // namespace halosoil
