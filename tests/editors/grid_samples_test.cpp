// The double-face and twill samples under tests/data are what their generators here write
// with the model's own classes, byte for byte, and read back as the designs the editors'
// tests open. TAVELIN_WRITE_SAMPLES=1 writes them anew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/user_settings.h"
#include "sample_patterns.h"
#include "support/scratch_folder.h"

namespace {

using Rows = std::vector<std::string>;

// The rows of a grid, top row (the last design row) first, '#' a marked cell.
void ForEachMarked(const Rows& rows, const std::function<void(int x, int y)>& mark)
{
    const int length = static_cast<int>(rows.size());
    for (int y = 0; y < length; ++y) {
        const std::string& row = rows[static_cast<std::size_t>(length - 1 - y)];
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (row[static_cast<std::size_t>(x)] == '#') {
                mark(x, y);
            }
        }
    }
}

// Two chevrons of ten cards in maroon on white, every other card threaded Z.
std::unique_ptr<TTWPatternBase> MakeDoubleFace()
{
    auto pattern = std::make_unique<TTWDFPattern>();
    pattern->SetName("Small Arrows");
    pattern->SetNotes("Two colours, ten cards.");
    pattern->SetSize(10, 16);
    pattern->SetColourCount(2);
    for (int card = 0; card < 10; ++card) {
        sample_patterns::AddCard(pattern->Cards(), card % 2 == 0 ? ThreadingS : ThreadingZ, {1, 1, 15, 15});
    }
    const Rows chevron{"...####...", "...####...", "..#....#..", "..#....#..",
                       ".#......#.", ".#......#.", "#........#", "#........#"};
    Rows rows = chevron;
    rows.insert(rows.end(), chevron.begin(), chevron.end());
    ForEachMarked(rows, [&](int x, int y) { pattern->SetCell(x, y, true); });
    return pattern;
}

// A diamond on a Z twill in maroon on aqua, with a few long floats; each card carries its
// colours in the holes of its place in the twill's four-card repeat.
std::unique_ptr<TTWPatternBase> MakeTwill()
{
    auto pattern = std::make_unique<TTW31TwillPattern>();
    pattern->SetName("Small Twill");
    pattern->SetNotes("");
    pattern->SetSize(8, 10);
    pattern->SetColourCount(2);
    const std::vector<int> repeat[4] = {{1, 1, 14, 14}, {14, 1, 1, 14}, {14, 14, 1, 1}, {14, 1, 1, 14}};
    for (int card = 0; card < 8; ++card) {
        sample_patterns::AddCard(pattern->Cards(), card % 4 < 2 ? ThreadingS : ThreadingZ,
                                 repeat[static_cast<std::size_t>(card % 4)]);
    }
    ForEachMarked({"........", "........", "...##...", "..####..", ".######.", ".######.", "..####..",
                   "...##...", "........", "........"},
                  [&](int x, int y) { pattern->SetCell(x, y, true); });
    ForEachMarked({"........", "#.......", "........", ".....#..", "........", ".##.....", "...#....",
                   "......#.", "........", "........"},
                  [&](int x, int y) { pattern->SetLongFloat(x, y, true); });
    pattern->SetBackgroundTwill(TTWTwillDirection::Z);
    return pattern;
}

struct GridSample {
    const char* FileName;
    std::unique_ptr<TTWPatternBase> (*Make)();
};

constexpr GridSample GridSamples[] = {{"doubleface_small.tvl", MakeDoubleFace}, {"twill_small.tvl", MakeTwill}};

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class GridSamplesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        UserSettings().DefaultNotes = "";
        folder_ = UniqueScratchFolder("grid_samples");
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
};

TEST_F(GridSamplesTest, CommittedFilesAreWhatTheGeneratorsWrite)
{
    const char* write = std::getenv("TAVELIN_WRITE_SAMPLES");
    const bool rewrite = write != nullptr && std::string(write) == "1";
    for (const GridSample& sample : GridSamples) {
        const std::filesystem::path made = folder_ / sample.FileName;
        sample.Make()->SaveToFile(made.string());
        const std::filesystem::path committed = sample_patterns::SamplePath(sample.FileName);
        if (rewrite) {
            std::filesystem::create_directories(committed.parent_path());
            std::filesystem::copy_file(made, committed, std::filesystem::copy_options::overwrite_existing);
        }
        ASSERT_TRUE(std::filesystem::exists(committed)) << committed;
        EXPECT_EQ(ReadFile(made), ReadFile(committed)) << sample.FileName << " differs from its generator";
    }
}

TEST_F(GridSamplesTest, TheSamplesReadBackAsTheirKindsWithCellsAndMarks)
{
    const std::unique_ptr<TTWPatternBase> df =
        LoadAndCreatePattern(sample_patterns::SamplePath("doubleface_small.tvl").string());
    const auto* arrows = dynamic_cast<const TTWDFPattern*>(df.get());
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(arrows->GetPatternType(), PatternTypeDoubleFace);
    EXPECT_EQ(arrows->Name(), "Small Arrows");
    EXPECT_EQ(arrows->Width(), 10);
    EXPECT_EQ(arrows->Length(), 16);
    EXPECT_EQ(arrows->ColourCount(), 2);
    EXPECT_TRUE(arrows->GetCell(0, 0));
    EXPECT_FALSE(arrows->GetCell(1, 0));
    EXPECT_TRUE(arrows->GetCell(3, 15));
    EXPECT_EQ(arrows->Cards().GetCard(1)->Threading(), ThreadingZ);

    const std::unique_ptr<TTWPatternBase> read =
        LoadAndCreatePattern(sample_patterns::SamplePath("twill_small.tvl").string());
    const auto* twill = dynamic_cast<const TTW31TwillPattern*>(read.get());
    ASSERT_NE(twill, nullptr);
    EXPECT_EQ(twill->Name(), "Small Twill");
    EXPECT_EQ(twill->Width(), 8);
    EXPECT_EQ(twill->Length(), 10);
    EXPECT_EQ(twill->BackgroundTwill(), TTWTwillDirection::Z);
    EXPECT_TRUE(twill->GetCell(3, 2));
    EXPECT_FALSE(twill->GetCell(0, 2));
    // The marks stand where they were put, the top rows first in the file.
    EXPECT_TRUE(twill->GetLongFloat(0, 8));
    EXPECT_TRUE(twill->GetLongFloat(6, 2));
    EXPECT_FALSE(twill->GetLongFloat(0, 2));
}

} // namespace
