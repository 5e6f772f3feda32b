// Twist-patterned files: the sample under tests/data is what its generator writes, and the
// program started with it on its command line opens it in the twist-patterned editor, saves
// a design changed by a click exactly as the model writes that design, selvedges included,
// and shows the band the model weaves from it. TAVELIN_WRITE_SAMPLES=1 writes the sample
// anew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/twist_editor.h"
#include "editors/weaving_image_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/core/files.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/test_driver.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "support/scratch_folder.h"
#include "twist_editor_test_support.h"

namespace {

using twist_editor_test::GridRows;
using twist_editor_test::MakeSmall;
using twist_editor_test::SmallPath;
using twist_editor_test::TwistEditorTest;

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<TTWWarpTwinedPattern> ReadTwist(const std::filesystem::path& file)
{
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    auto* pattern = dynamic_cast<TTWWarpTwinedPattern*>(read.get());
    if (pattern == nullptr) {
        ADD_FAILURE() << file << " holds no twist-patterned design";
        return nullptr;
    }
    read.release();
    return std::unique_ptr<TTWWarpTwinedPattern>(pattern);
}

// --- The sample ---------------------------------------------------------------------------------

class TwistSampleTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        UserSettings().DefaultNotes = "";
        folder_ = UniqueScratchFolder("twist_samples");
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path folder_;
};

TEST_F(TwistSampleTest, TheCommittedSampleIsWhatItsGeneratorWritesAndReadsBackWhole)
{
    const std::filesystem::path made = folder_ / twist_editor_test::SmallFile;
    MakeSmall()->SaveToFile(made.string());
    const char* write = std::getenv("TAVELIN_WRITE_SAMPLES");
    if (write != nullptr && std::string(write) == "1") {
        std::filesystem::create_directories(SmallPath().parent_path());
        std::filesystem::copy_file(made, SmallPath(), std::filesystem::copy_options::overwrite_existing);
    }
    ASSERT_TRUE(std::filesystem::exists(SmallPath())) << SmallPath();
    EXPECT_EQ(ReadFile(made), ReadFile(SmallPath())) << "the sample differs from its generator";

    const auto read = ReadTwist(SmallPath());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Name(), "Twist Chevrons");
    EXPECT_EQ(read->Width(), 8);
    EXPECT_EQ(read->Length(), 12);
    EXPECT_EQ(read->CardThreadingText(), "S, S, S, S, Z, Z, Z, Z");
    EXPECT_EQ(read->SelvedgeLeft().Count(), 1);
    EXPECT_EQ(read->SelvedgeRight().Count(), 1);
    EXPECT_TRUE(read->GetCell(0, 11));
    EXPECT_FALSE(read->GetCell(1, 11));
}

// --- The program started with the sample ---------------------------------------------------------

class TwistFileTest : public TwistEditorTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", SmallPath().string()};
        TwistEditorTest::SetUp();
        previousDialogs_ = fw::FileDialog::SetHandler([this](fw::FileDialog& dialog) {
            dialogFileNames.push_back(dialog.FileName());
            if (saveAs.empty()) {
                return false;
            }
            dialog.SetFileName(saveAs.string());
            dialog.SetFilterIndex(1);
            return true;
        });
    }
    void TearDown() override
    {
        fw::FileDialog::SetHandler(std::move(previousDialogs_));
        TwistEditorTest::TearDown();
    }

    std::filesystem::path saveAs;
    std::vector<std::string> dialogFileNames;

private:
    fw::FileDialog::Handler previousDialogs_;
};

TEST_F(TwistFileTest, AClickedCellIsSavedAsTheModelWritesTheDesignAndTheBandShownIsItsWeaving)
{
    UserSettings().TwistPatterned.UseTwist = false;
    fw::ProcessPostedMessages();
    TfrmTWWarpTwinedPattern* editor = ActiveTwistEditor();
    ASSERT_NE(editor, nullptr) << "the command line opens the twist-patterned editor";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor->Caption(), "Twist-Patterned: Twist Chevrons");
    EXPECT_EQ(editor->GetFileName(), fw::ExpandFileName(SmallPath().string()));
    const std::unique_ptr<TTWWarpTwinedPattern> expected = ReadTwist(SmallPath());
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(editor->framePattern->GridWidth(), 8);
    ASSERT_EQ(editor->framePattern->GridHeight(), 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(editor->framePattern->IsCellSet(x, y), expected->GetCell(x, y)) << x << "," << y;
        }
    }

    // A click on cell (1, 2) of the grid turns it over.
    TfrmBlockPattern& grid = *editor->framePattern;
    fw::TestDriver driver(*editor);
    const fw::Rect cell = grid.Geometry().CellRect(1, 2);
    const fw::Point scroll = grid.scrMain->ScrollOffset();
    driver.Click(driver.PointOf(*grid.imgMain, fw::Point{(cell.Left + cell.Right) / 2 - scroll.X,
                                                        (cell.Top + cell.Bottom) / 2 - scroll.Y}));
    ASSERT_NE(grid.IsCellSet(1, 2), expected->GetCell(1, 2)) << "the click reached the cell";
    expected->SetCell(1, 2, !expected->GetCell(1, 2));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(grid.IsCellSet(x, y), expected->GetCell(x, y)) << "only the cell clicked changed";
        }
    }

    // Saved through the save dialog, the file is what the model writes for the changed design.
    saveAs = Folder() / "changed.tvl";
    EXPECT_TRUE(editor->PerformAction(TWAction::Save, false, nullptr));
    ASSERT_TRUE(std::filesystem::exists(saveAs));
    EXPECT_EQ(editor->GetFileName(), saveAs.string());
    const std::filesystem::path reference = Folder() / "reference.tvl";
    expected->SaveToFile(reference.string());
    EXPECT_EQ(ReadFile(saveAs), ReadFile(reference));
    const auto saved = ReadTwist(saveAs);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->SelvedgeLeft().Count(), 1);
    EXPECT_EQ(saved->SelvedgeRight().Count(), 1);
    EXPECT_EQ(saved->CardThreadingText(), "S, S, S, S, Z, Z, Z, Z");

    // Opened again, the file shows the same grid, and the band on the image page is the
    // weaving of the design converted to threaded-in (its threads white, as the editor
    // weaves them) with its selvedges.
    Main().LoadFile(saveAs.string());
    TfrmTWWarpTwinedPattern* reopened = ActiveTwistEditor();
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened, editor);
    EXPECT_EQ(GridRows(*reopened->framePattern), GridRows(grid));
    // Saved again unchanged, it writes the same bytes.
    saveAs = Folder() / "again.tvl";
    EXPECT_TRUE(reopened->PerformAction(TWAction::Save, false, nullptr));
    ASSERT_TRUE(std::filesystem::exists(saveAs));
    EXPECT_EQ(ReadFile(saveAs), ReadFile(Folder() / "changed.tvl"));
    reopened->ShowImagePage();

    TTWPattern converted;
    expected->ConvertToThreaded(converted);
    converted.SelvedgeLeft().Assign(expected->SelvedgeLeft());
    converted.SelvedgeRight().Assign(expected->SelvedgeRight());
    for (int card = 0; card < converted.Cards().Count(); ++card) {
        for (int hole = 0; hole < 4; ++hole) {
            converted.Cards().GetCard(card)->SetHoleColour(hole, 0);
        }
    }
    converted.Palette().SetColour(0, 0xFFFFFF);
    TTWWeaving woven;
    converted.BuildWeaving(woven, nullptr, false, 0);

    const TTWWeaving* shown = reopened->frameWeaving->Weaving();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->Width(), 10);
    ASSERT_EQ(shown->PickCount(), woven.PickCount());
    ASSERT_EQ(shown->Width(), woven.Width());
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            const TTWWeavingCell& want = *woven.Cell(column, pick);
            const TTWWeavingCell& got = *shown->Cell(column, pick);
            EXPECT_EQ(got.Colour, want.Colour) << column << "/" << pick;
            EXPECT_EQ(got.Slant, want.Slant) << column << "/" << pick;
            EXPECT_EQ(got.Hole, want.Hole) << column << "/" << pick;
            EXPECT_EQ(got.TurnDir, want.TurnDir) << column << "/" << pick;
            EXPECT_EQ(got.Reversal, want.Reversal) << column << "/" << pick;
            EXPECT_EQ(got.Twisted, want.Twisted) << column << "/" << pick;
        }
    }
    // The image was drawn from that band.
    EXPECT_GT(reopened->frameWeaving->imgWeaving->Width(), 0);
}

} // namespace
