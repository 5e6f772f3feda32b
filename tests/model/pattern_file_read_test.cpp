#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "model/brocade_pattern.h"
#include "model/font.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pattern_file_read.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "support/model_file_test.h"
#include "support/unusual_files.h"

namespace {

class PatternFileReadTest : public ModelFileTest {
protected:
    // Every reader of pattern and font files: the browser's, the join and conversion tools'
    // and the brocade's ground weave's (LoadAndCreatePattern), a kind's own, and the lettered
    // band's font's.
    static std::vector<std::pair<std::string, std::function<void(const std::string&)>>> Readers()
    {
        return {
            {"LoadAndCreatePattern", [](const std::string& file) { LoadAndCreatePattern(file); }},
            {"threaded LoadFromFile", [](const std::string& file) { TTWPattern().LoadFromFile(file); }},
            {"font LoadFromFile", [](const std::string& file) { TTWFont().LoadFromFile(file); }},
        };
    }

    // Each reader refuses the file with the file error, at once.
    static void ExpectRefusedAtOnce(const std::string& file, const std::string& message)
    {
        for (const auto& [reader, read] : Readers()) {
            const auto started = std::chrono::steady_clock::now();
            try {
                read(file);
                ADD_FAILURE() << reader << ": no error for " << file;
            } catch (const fw::EFileError& error) {
                EXPECT_EQ(error.Message(), message) << reader;
            } catch (const std::exception& error) {
                ADD_FAILURE() << reader << ": " << error.what();
            }
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << reader << " " << file;
        }
    }
};

} // namespace

TEST_F(PatternFileReadTest, EveryReaderRefusesANamedPipeOrADeviceAtOnce)
{
    const PipeWithLateWriter pipe(folder_ / "x.tvl");
    ExpectRefusedAtOnce(pipe.Path().string(),
                        "Cannot open file \"" + pipe.Path().string() + "\". It is a named pipe, not a file.");
    const std::filesystem::path zero = folder_ / "zero.tvf";
    std::filesystem::create_symlink("/dev/zero", zero);
    ExpectRefusedAtOnce(zero.string(), "Cannot open file \"" + zero.string() + "\". It is a device, not a file.");
}

TEST_F(PatternFileReadTest, EveryReaderRefusesAFileLargerThanAnyPatternBeforeReadingIt)
{
    const std::filesystem::path huge = folder_ / "huge.tvl";
    const auto limit = static_cast<std::uintmax_t>(MaxPatternFileBytes());
    MakeSparseFile(huge, limit + 1);
    ExpectRefusedAtOnce(huge.string(), "Cannot open file \"" + huge.string() + "\". It has "
                                           + std::to_string(limit + 1) + " bytes; a pattern file has at most "
                                           + std::to_string(limit) + ".");
    // The limit follows the model's: more than a design of the most cells, a brocade of the
    // most cells and a threaded pattern of the most converted turns, each written at a few
    // bytes a cell or turn, take together.
    EXPECT_GT(MaxPatternFileBytes(),
              MaxDesignCells + TTWBrocadePattern::MaxCells * 7 + TTWPattern::MaxConvertedTurns * 70);
}

// The settings and palettes files are read by the same checked read: a named pipe in their
// place delays nothing. The settings file is kept aside as damaged, as any unreadable one.
TEST_F(PatternFileReadTest, SettingsAndPalettesRefuseANamedPipeAtOnce)
{
    const PipeWithLateWriter palettes(folder_ / "tvlpalettes.xml");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_THROW(PaletteList().LoadFromFile(palettes.Path()), fw::EFileError);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

    const PipeWithLateWriter settings(folder_ / "settings.xml");
    const auto settingsStarted = std::chrono::steady_clock::now();
    try {
        UserSettings().LoadFromFile(settings.Path());
        ADD_FAILURE() << "no error";
    } catch (const TGenericException& error) {
        EXPECT_NE(error.Message().find("It is a named pipe, not a file."), std::string::npos) << error.Message();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - settingsStarted, std::chrono::seconds(1));
}
