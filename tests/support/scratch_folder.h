#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// A folder of the running test's own: named by the test and the process, so that tests
// run side by side (ctest -j, several builds) never share or delete each other's files.
inline std::filesystem::path UniqueScratchFolder(const std::string& stem)
{
    std::string name = stem;
    if (const auto* test = testing::UnitTest::GetInstance()->current_test_info()) {
        name += std::string("_") + test->test_suite_name() + "_" + test->name();
    }
    name += "_" + std::to_string(::getpid());
    return std::filesystem::path(testing::TempDir()) / name;
}
