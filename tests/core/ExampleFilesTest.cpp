// The example files are what the builder builds: make-examples writes them from
// tests/common/ExampleProjects.h, and the study tests build the weekly one instead of reading
// it, so a file and its project may never drift apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ExampleProjects.h"
#include "FileBytes.h"
#include "InputFile.h"

namespace {

using namespace halosoil;
using halosoil::test::examples::ExampleFile;
using halosoil::test::examples::kExampleFiles;

TEST(ExampleFiles, EachFileIsItsBuiltProjectWrittenByteForByte) {
    for (const ExampleFile& example : kExampleFiles) {
        SCOPED_TRACE(example.name);
        const std::filesystem::path file = std::filesystem::path(HALOSOIL_EXAMPLES) / example.name;
        ASSERT_TRUE(std::filesystem::exists(file));
        InputData built = example.project();
        built.InputFileName = example.name;
        EXPECT_EQ(InputFileText(built), test::ReadBytes(file));
    }
}

}  // namespace
