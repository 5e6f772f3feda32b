#pragma once

#include <cstdlib>
#include <filesystem>

// The folder of the sample files, tests/data: the test environment names it; a test program
// started by hand finds it beside the tests.
inline std::filesystem::path TestDataFolder()
{
    if (const char* folder = std::getenv("TAVELIN_TEST_DATA"); folder != nullptr && folder[0] != '\0') {
        return folder;
    }
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}
