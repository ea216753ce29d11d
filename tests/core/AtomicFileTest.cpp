#include "AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"

namespace halosoil {
namespace {

using test::FileSizeLimit;

TEST(AtomicFileTest, ReplacesTheWholeFile) {
    test::TempFolder folder;
    const std::string path = folder.File("a.inp");
    test::WriteBytes(path, "a much longer previous content");
    WriteFileAtomically(path, "new");
    EXPECT_EQ(test::ReadBytes(path), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(AtomicFileTest, AFailureMidWriteKeepsThePreviousFileAndLeavesNoTemporary) {
    test::TempFolder folder;
    const std::string path = folder.File("b.inp");
    const std::string previous(5000, 'p');
    test::WriteBytes(path, previous);
    {
        FileSizeLimit limit(1024);
        EXPECT_THROW_MSG(WriteFileAtomically(path, std::string(100000, 'n')), FileError,
                         "File too large");
    }
    EXPECT_EQ(test::ReadBytes(path), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(AtomicFileTest, AMissingFolderIsReported) {
    test::TempFolder folder;
    EXPECT_THROW_MSG(WriteFileAtomically(folder.File("no-such-folder/c.inp"), "x"), FileError,
                     "File not found");
}

// Callers in another language raise their own error from the errno and the path.
TEST(AtomicFileTest, AFailureCarriesItsErrnoAndThePath) {
    test::TempFolder folder;
    const auto failure = [](const std::string& path) {
        try {
            WriteFileAtomically(path, "x");
        } catch (const FileError& error) {
            return std::make_pair(error.ErrorNumber(), error.File());
        }
        return std::make_pair(0, std::string("written"));
    };
    const std::string missing = folder.File("no-such-folder/c.inp");
    EXPECT_EQ(failure(missing), std::make_pair(ENOENT, missing));
    // The temporary file is written; renaming it over a folder fails.
    std::filesystem::create_directory(folder.File("d.inp"));
    EXPECT_EQ(failure(folder.File("d.inp")), std::make_pair(EISDIR, folder.File("d.inp")));
    test::WriteBytes(folder.File("plain"), "a file");
    EXPECT_EQ(failure(folder.File("plain/e.inp")),
              std::make_pair(ENOTDIR, folder.File("plain/e.inp")));
}

TEST(FileErrorTextTest, UsesTheWordsOfTheEarlierProgram) {
    EXPECT_EQ(FileErrorText(ENOENT), "File not found");
    EXPECT_EQ(FileErrorText(EACCES), "File access denied");
    EXPECT_EQ(FileErrorText(ENOSPC), "Disk full");
}

}  // namespace
}  // namespace halosoil
