// halosoil-batch follows the conventions of command-line programs: help and version on
// standard output with status 0, usage errors on standard error with status 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "BatchTestSupport.h"

namespace {

namespace fs = std::filesystem;
using halosoil::test::ReadBytes;
using halosoil::test::RunBatch;
using halosoil::test::Scratch;

TEST(BatchUsage, HelpGoesToStandardOutputAndListsTheGraphTypesOnePerLine) {
    const fs::path folder = Scratch("usage-help");
    ASSERT_EQ(RunBatch("--help", folder / "out", folder / "err"), 0);
    const std::string help = ReadBytes(folder / "out");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
    for (const char* command : {"run", "convert", "table", "graph"})
        EXPECT_NE(help.find(std::string("halosoil-batch ") + command), std::string::npos)
            << command;
    for (const char* line :
         {"\n  hydrology ", "\n  surface-hydrology ", "\n  subsurface-hydrology ",
          "\n  water-table ", "\n  salinity ", "\n  salinity-layer1 ", "\n  salinity-layer2 ",
          "\n  salinity-layer3 ", "\n  salinity-below "})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

TEST(BatchUsage, VersionIsTheProjectsOne) {
    const fs::path folder = Scratch("usage-version");
    ASSERT_EQ(RunBatch("--version", folder / "out", folder / "err"), 0);
    EXPECT_EQ(ReadBytes(folder / "out"), std::string("halosoil-batch ") + HALOSOIL_VERSION + "\n");
    EXPECT_EQ(ReadBytes(folder / "err"), "");
}

TEST(BatchUsage, WrongCommandLinesGoToStandardErrorWithStatusTwo) {
    const fs::path folder = Scratch("usage-wrong");
    for (const char* arguments :
         {"", "frobnicate", "run", "convert a.inp", "--helpme", "run -z a.inp"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunBatch(arguments, folder / "out", folder / "err"), 2);
        EXPECT_EQ(ReadBytes(folder / "out"), "");
        EXPECT_EQ(
            ReadBytes(folder / "err").rfind("usage: halosoil-batch", 0) == 0 ||
                ReadBytes(folder / "err").find("\nusage: halosoil-batch") != std::string::npos,
            true)
            << ReadBytes(folder / "err");
    }
}

}  // namespace
