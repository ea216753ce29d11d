#include <gtest/gtest.h>

#include "BatchTestSupport.h"
#include "ExampleProjects.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

// Everything after the second line: the first two lines hold the heading and the name the
// file was written under.
std::string AfterFileName(const std::string& text) {
    std::size_t end = text.find("\r\n");
    end = text.find("\r\n", end + 2);
    return text.substr(end + 2);
}

TEST(ConvertTest, EveryExampleConvertsIntoAnIdenticalCopy) {
    const fs::path folder = Scratch("convert");
    int examples = 0;
    for (const fs::path& example : halosoil::test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES)) {
        ++examples;
        const fs::path copy = folder / example.filename();
        ASSERT_EQ(
            RunBatch("convert " + example.string() + " " + copy.string(), folder / "errors.txt"), 0)
            << ReadBytes(folder / "errors.txt");
        const std::string original = ReadBytes(example);
        const std::string converted = ReadBytes(copy);
        EXPECT_EQ(AfterFileName(converted), AfterFileName(original)) << example;
        EXPECT_EQ(converted.substr(0, converted.find("\r\n", 30)),
                  " PROGRAM Halosoil INPUT DATA\r\n Name of this file        : " + copy.string());
    }
    EXPECT_GE(examples, 4);
}

TEST(ConvertTest, OlderLayoutIsWrittenInTheCurrentOne) {
    const fs::path folder = Scratch("older");
    std::string text =
        ReadBytes(halosoil::test::examples::ExampleInputFiles(HALOSOIL_EXAMPLES).front());
    // Drop the moisture line: an older file without it reads with a moisture of 50.
    const std::size_t moist = text.find(" Initial soil moisture content");
    ASSERT_NE(moist, std::string::npos);
    const std::size_t end = text.find("\r\n", moist) + 2;
    std::ofstream(folder / "old.inp", std::ios::binary) << text.substr(0, moist) + text.substr(end);
    ASSERT_EQ(
        RunBatch("convert " + (folder / "old.inp").string() + " " + (folder / "new.inp").string(),
                 folder / "errors.txt"),
        0);
    const std::string converted = ReadBytes(folder / "new.inp");
    EXPECT_NE(converted.find(" Initial soil moisture content (%)   :   50.00\r\n"),
              std::string::npos);
}

TEST(ConvertTest, ErrorsGoToStandardErrorWithANonZeroStatus) {
    const fs::path folder = Scratch("errors");
    EXPECT_EQ(RunBatch("convert " + (folder / "absent.inp").string() + " " +
                           (folder / "out.inp").string(),
                       folder / "errors.txt"),
              1);
    EXPECT_EQ(ReadBytes(folder / "errors.txt"),
              (folder / "absent.inp").string() + ": File not found\n");
    EXPECT_FALSE(fs::exists(folder / "out.inp"));
}

TEST(ConvertTest, WrongUsageExitsWithTwo) {
    const fs::path folder = Scratch("usage");
    EXPECT_EQ(RunBatch("convert only-one.inp", folder / "errors.txt"), 2);
    EXPECT_EQ(RunBatch("", folder / "errors.txt"), 2);
    EXPECT_EQ(RunBatch("run --bogus x.inp", folder / "errors.txt"), 2);
    EXPECT_NE(ReadBytes(folder / "errors.txt").find("usage: halosoil-batch run"),
              std::string::npos);
}

}  // namespace
