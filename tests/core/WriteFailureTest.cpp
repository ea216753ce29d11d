// Every file the core writes is replaced as a whole: when the disk fills up part-way, the
// previous file stays byte for byte and no temporary file is left beside it.
#include <gtest/gtest.h>

#include <filesystem>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"
#include "InputFile.h"
#include "RunTestFixture.h"
#include "TestProjects.h"

namespace halosoil {
namespace {

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(WriteFailureTest, AFullDiskKeepsThePreviousInputFile) {
    test::TempFolder folder;
    InputData data = test::ThreeLayerProject();
    data.InputFileName = folder.File("p.inp");
    const std::string previous(3000, 'p');
    test::WriteBytes(data.InputFileName, previous);
    {
        test::FileSizeLimit limit(512);
        EXPECT_THROW_MSG(WriteInputFile(data), FileError, "File too large");
    }
    EXPECT_EQ(test::ReadBytes(data.InputFileName), previous);
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

class OutputWriteFailureTest : public test::RunTest {};

TEST_F(OutputWriteFailureTest, AFullDiskKeepsThePreviousOutputFile) {
    InputData data = test::OneLayerProject();
    const std::string output = folder_.File("plain.out");
    const std::string previous(4000, 'o');
    test::WriteBytes(output, previous);
    {
        test::FileSizeLimit limit(256);
        EXPECT_THROW_MSG(RunProject(data), FileError, "File too large");
    }
    EXPECT_EQ(test::ReadBytes(output), previous);
    EXPECT_EQ(FilesIn(folder_.Path()), 1u);  // the output alone: the input was not written
}

}  // namespace
}  // namespace halosoil
