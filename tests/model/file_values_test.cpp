#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/file_io.h"
#include "model/pattern_base.h"
#include "support/model_file_test.h"
#include "support/test_data.h"

namespace {

// The pattern and font files written by the program: the samples, and the fuzzer's seeds
// made by the writers.
std::vector<std::filesystem::path> WrittenFiles()
{
    std::vector<std::filesystem::path> files;
    const auto add = [&](const std::filesystem::path& folder, bool writersOnly) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            const std::string extension = entry.path().extension().string();
            if ((extension == ".tvl" || extension == ".tvf") && (!writersOnly || name.starts_with("gen-"))) {
                files.push_back(entry.path());
            }
        }
    };
    add(TestDataFolder(), false);
    add(TestDataFolder().parent_path() / "fuzz" / "corpus" / "patterns", true);
    std::sort(files.begin(), files.end());
    return files;
}

using FileValuesTest = ModelFileTest;

TEST_F(FileValuesTest, EveryFileTheProgramWroteOpensAndIsSavedAsItWas)
{
    const std::vector<std::filesystem::path> files = WrittenFiles();
    ASSERT_GE(files.size(), 20u);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.string());
        std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(file.string());
        ASSERT_NE(pattern, nullptr);
        const std::string saved = File("saved.tvl");
        pattern->SaveToFile(saved);
        EXPECT_EQ(fw::ReadFileBytes(saved), fw::ReadFileBytes(file));
    }
}

} // namespace
