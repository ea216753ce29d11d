// A file read whole: every byte as it stands, and the platform's message when it cannot be.
#include "FileContents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Errors.h"
#include "ExpectThrowMsg.h"
#include "FileTestSupport.h"

namespace halosoil {
namespace {

TEST(FileContentsTest, EveryByteComesBackAsItStands) {
    test::TempFolder folder;
    std::string bytes = "line\r\nend\rzero:";
    bytes += '\0';
    bytes += "\xff\n";
    test::WriteBytes(folder.File("bytes.inp"), bytes);
    EXPECT_EQ(FileContents(folder.File("bytes.inp")), bytes);

    test::WriteBytes(folder.File("empty.inp"), "");
    EXPECT_EQ(FileContents(folder.File("empty.inp")), "");

    // Larger than any buffer a reader might keep: read whole all the same.
    const std::string large(3'000'001, 'x');
    test::WriteBytes(folder.File("large.inp"), large);
    EXPECT_EQ(FileContents(folder.File("large.inp")).size(), large.size());
}

TEST(FileContentsTest, WhatCannotBeReadGivesThePlatformMessage) {
    test::TempFolder folder;
    EXPECT_THROW_MSG(FileContents(folder.File("absent.inp")), FileError, "File not found");
    test::WriteBytes(folder.File("plain"), "a file, not a folder");
    EXPECT_THROW_MSG(FileContents(folder.File("plain/p.inp")), FileError, "Path not found");
    // A folder opens, but it cannot be read as a file.
    std::filesystem::create_directory(folder.File("folder.inp"));
    EXPECT_THROW_MSG(FileContents(folder.File("folder.inp")), FileError, "File access denied");
}

TEST(FileContentsTest, ASpecialFileWithoutASizeIsReadToItsEnd) {
    // /proc files tell a size of 0 and still have content.
    const std::string status = FileContents("/proc/self/status");
    EXPECT_NE(status.find("Name:"), std::string::npos);
    EXPECT_GT(status.size(), 100u);
}

}  // namespace
}  // namespace halosoil
