// The scratch folders of the region tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace halosoil::test {

// A fresh folder of the test's own: the tests run in parallel, each a process, and two of them
// that use the same name of scratch must not write each other's files.
inline std::filesystem::path RegionScratch(const std::string& name) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string owner =
        test ? std::string(test->test_suite_name()) + "." + test->name() : "outside-a-test";
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "halosoil-region-tests" / owner / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace halosoil::test
