// The sample patterns under tests/data are what their generator writes, byte for byte, and
// they read back as the patterns the tests expect. TAVELIN_WRITE_SAMPLES=1 writes them anew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "model/brocade_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "sample_patterns.h"
#include "support/scratch_folder.h"

namespace {

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SamplePatternsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        UserSettings().DefaultNotes = "";
        folder_ = UniqueScratchFolder("samples");
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
};

TEST_F(SamplePatternsTest, CommittedFilesAreWhatTheGeneratorWrites)
{
    const char* write = std::getenv("TAVELIN_WRITE_SAMPLES");
    const bool rewrite = write != nullptr && std::string(write) == "1";
    for (const sample_patterns::Sample& sample : sample_patterns::Samples()) {
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
    for (const sample_patterns::OtherSample& sample : sample_patterns::OtherSamples()) {
        const std::filesystem::path made = folder_ / sample.FileName;
        sample.Make()->SaveToFile(made.string());
        const std::filesystem::path committed = sample_patterns::SamplePath(sample.FileName);
        if (rewrite) {
            std::filesystem::copy_file(made, committed, std::filesystem::copy_options::overwrite_existing);
        }
        ASSERT_TRUE(std::filesystem::exists(committed)) << committed;
        EXPECT_EQ(ReadFile(made), ReadFile(committed)) << sample.FileName << " differs from its generator";
    }
}

TEST_F(SamplePatternsTest, SamplesReadBackWithTheirCardsPacksAndPicks)
{
    const auto read = [](const char* name) {
        std::unique_ptr<TTWPatternBase> pattern = LoadAndCreatePattern(sample_patterns::SamplePath(name).string());
        auto* threaded = dynamic_cast<TTWPattern*>(pattern.get());
        EXPECT_NE(threaded, nullptr) << name;
        pattern.release();
        return std::unique_ptr<TTWPattern>(threaded);
    };
    const auto small = read(sample_patterns::SmallFile);
    EXPECT_EQ(small->Name(), "Small Diamonds");
    EXPECT_EQ(small->Cards().Count(), 12);
    EXPECT_EQ(small->Picks().Count(), 16);
    EXPECT_EQ(small->SelvedgeLeft().Count(), 1);
    EXPECT_TRUE(small->Picks().HasTwist());
    EXPECT_FALSE(small->Picks().HasPackAction());

    const auto packs = read(sample_patterns::PacksFile);
    EXPECT_EQ(packs->Packs().Count(), 2);
    EXPECT_TRUE(packs->Picks().HasPackAction());
    EXPECT_FALSE(packs->Picks().HasCardAction());

    const auto brocadeRead = read(sample_patterns::BrocadeFile);
    const auto* brocade = dynamic_cast<const TTWBrocadePattern*>(brocadeRead.get());
    ASSERT_NE(brocade, nullptr);
    EXPECT_EQ(brocade->Width(), sample_patterns::BrocadeCards);
    EXPECT_EQ(brocade->BrocadePicks().Count(), sample_patterns::BrocadePicks);
    ASSERT_TRUE(brocade->HasGroundWeave());
    EXPECT_EQ(brocade->GroundWeave()->GetPatternType(), PatternTypeDoubleFace);
    EXPECT_EQ(brocade->GroundWeave()->GetPickCount(), sample_patterns::BrocadePicks);
    EXPECT_EQ(brocade->WeftsUsed(), 2);
    EXPECT_EQ(brocade->Wefts().GetItem(0)->Colour, sample_patterns::BrocadeGold);

    const auto large = read(sample_patterns::LargeFile);
    EXPECT_EQ(large->Cards().Count(), sample_patterns::LargeCards);
    EXPECT_EQ(large->Picks().Count(), sample_patterns::LargePicks);
    EXPECT_EQ(large->SelvedgeLeft().Count() + large->SelvedgeRight().Count(), 4);
}

TEST_F(SamplePatternsTest, TheFontHoldsEveryCapitalAndTheBandSpellsItsWordInIt)
{
    std::unique_ptr<TTWPatternBase> read =
        LoadAndCreatePattern(sample_patterns::SamplePath(sample_patterns::FontFile).string());
    const auto* font = dynamic_cast<const TTWFont*>(read.get());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name(), "Block Capitals");
    EXPECT_EQ(font->Height(), sample_patterns::CapitalHeight);
    EXPECT_EQ(font->Threading(), FontThreadingAltSZ);
    for (char c = 'A'; c <= 'Z'; ++c) {
        const TTWFontChar* letter = font->FindChar(std::string(1, c));
        ASSERT_NE(letter, nullptr) << c;
        EXPECT_EQ(letter->Height(), sample_patterns::CapitalHeight) << c;
        // Every capital leaves ink, and none outside the margins above and below it.
        int ink = 0;
        for (int y = 0; y < letter->Height(); ++y) {
            for (int x = 0; x < letter->Width(); ++x) {
                if (letter->Glyph().Pixel(x, y) == fw::Bitmap::Black) {
                    ++ink;
                    EXPECT_GE(y, sample_patterns::CapitalMargin) << c;
                    EXPECT_LT(y, sample_patterns::CapitalHeight - sample_patterns::CapitalMargin) << c;
                }
            }
        }
        EXPECT_GT(ink, 0) << c;
    }

    std::unique_ptr<TTWPatternBase> band =
        LoadAndCreatePattern(sample_patterns::SamplePath(sample_patterns::LetteredBandFile).string());
    const auto* lettered = dynamic_cast<const TTWLetteredBand*>(band.get());
    ASSERT_NE(lettered, nullptr);
    ASSERT_TRUE(lettered->GetEncapsulated());
    EXPECT_EQ(lettered->Name(), font->Name());
    EXPECT_EQ(lettered->LettersIn(*lettered->Font()).size(), std::string(sample_patterns::LetteredBandWord).size());
}

} // namespace
