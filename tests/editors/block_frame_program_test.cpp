// The block-design frame inside the program: an editor window of the main window that holds
// one, its areas copied and cut into the main window's clips and pasted back, a picture
// imported through the data module's dialog, the block-size dialog and display profiles.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "block_frame_test_support.h"
#include "editors/bitmap_clip.h"
#include "editors/block_frame.h"
#include "editors/block_size_dialog.h"
#include "editors/clip_list.h"
#include "framework/core/bmp_codec.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/menu.h"
#include "framework/gui/std_speed_button.h"
#include "model/display_profile.h"
#include "shell/data_module.h"
#include "shell/main_window.h"
#include "shell/pattern_base_form.h"
#include "support/one_bit_bmp.h"
#include "threaded_editor_test_support.h"
#include "card_views_test_support.h"

namespace {

using block_frame_test::Picture;
using block_frame_test::Rows;
using threaded_editor_test::EditorProgramTest;
using Strings = std::vector<std::string>;

// The smallest editor around a block frame: the commands go to the frame.
class BlockEditor : public TfrmTWPatternBaseForm {
public:
    explicit BlockEditor(TfrmTWMain& main) : TfrmTWPatternBaseForm(&main), frame(new TfrmBlockPattern(this))
    {
        SetEditorHost(&main.EditorHost());
        SetFormStyle(fw::FormStyle::MDIChild);
        frame->SetParent(this);
        frame->SetAlign(fw::Align::Client);
        FinishLoading();
    }
    std::string_view className() const override { return "TBlockEditor"; }

    bool PerformAction(std::int32_t id, bool down, fw::Object* data) override
    {
        return frame->PerformAction(id, down, data);
    }
    void GetToolActions(TTWToolActionList& list) override { frame->GetToolActions(list); }
    void PasteClip(fw::Object* source) override { frame->PasteClip(source); }
    std::string GetNotes() override { return {}; }
    void SetNotes(const std::string&) override {}
    std::string GetFileName() override { return {}; }
    std::string GetPatternName() override { return "Blocks"; }
    void SetPatternName(const std::string&) override {}

    TfrmBlockPattern* const frame;
};

void Press(fw::SpeedButton& button)
{
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
}

class BlockFrameProgramTest : public EditorProgramTest {
protected:
    BlockEditor& NewBlockEditor(const Strings& design)
    {
        auto* editor = new BlockEditor(Main());
        editor->Show();
        editor->frame->SetPattern(Picture(design));
        return *editor;
    }

    TfrmTWClipList& Clips() { return dynamic_cast<TfrmTWClipList&>(*Main().ClipList()); }
};

TEST_F(BlockFrameProgramTest, AnAreaCopiedIntoAClipPastesBackElsewhere)
{
    BlockEditor& editor = NewBlockEditor({"##..", "#...", "...."});
    TfrmBlockPattern& frame = *editor.frame;
    Main().SetClipPanelVisible(false);
    frame.PerformAction(TWAction::SelectArea, true, nullptr);
    frame.SetArea(TBlockArea{0, 1, 1, 2});
    frame.PerformAction(TWAction::CopySelection, false, nullptr);

    ASSERT_EQ(Clips().ClipCount(), 1);
    TfrmTWBitmapClip& clip = *Clips().Clip(0);
    EXPECT_EQ(clip.pnlStat->Caption(), "2x2");
    EXPECT_EQ(clip.Design().Width(), 2);
    EXPECT_TRUE(Main().pnlBitmapClips->Visible());
    // Copying leaves the design as it was.
    EXPECT_EQ(Rows(frame), (Strings{"##..", "#...", "...."}));

    frame.SetArea(TBlockArea{2, 1, 2, 1});
    Press(*clip.btnPaste);
    EXPECT_EQ(Rows(frame), (Strings{"##..", "#.##", "..#."}));
    EXPECT_EQ(frame.Area(), (TBlockArea{2, 0, 3, 1}));
}

TEST_F(BlockFrameProgramTest, CuttingAnAreaClearsItAfterCopying)
{
    BlockEditor& editor = NewBlockEditor({"##..", "#...", "...."});
    TfrmBlockPattern& frame = *editor.frame;
    frame.SetEditMode(1);
    frame.SetArea(TBlockArea{0, 1, 1, 2});
    const std::size_t asked = boxes.size();
    frame.PerformAction(TWAction::CutSelection, false, nullptr);
    EXPECT_EQ(boxes.size(), asked);
    EXPECT_EQ(Rows(frame), (Strings{"....", "....", "...."}));
    ASSERT_EQ(Clips().ClipCount(), 1);
    const TTWBlockDesignItem& cut = Clips().Clip(0)->Design();
    EXPECT_EQ(cut.Width(), 2);
    EXPECT_EQ(cut.Bitmap().Pixel(1, 0), fw::Bitmap::Black);
    EXPECT_EQ(cut.Bitmap().Pixel(1, 1), fw::Bitmap::White);
    frame.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(Rows(frame), (Strings{"##..", "#...", "...."}));
}

TEST_F(BlockFrameProgramTest, AClipOfAFramesPicksIsAsTallAsItsPicks)
{
    BlockEditor& editor = NewBlockEditor({"#.", ".#"});
    TfrmBlockPattern& frame = *editor.frame;
    frame.SetPicksPerRow(2);
    frame.SetEditMode(1);
    frame.SetArea(TBlockArea{0, 0, 1, 1});
    frame.PerformAction(TWAction::CopySelection, false, nullptr);
    ASSERT_EQ(Clips().ClipCount(), 1);
    const fw::Bitmap& shown = Clips().Clip(0)->DisplayBitmap();
    EXPECT_EQ(shown.Width(), 2);
    EXPECT_EQ(shown.Height(), 4);
    // Each row twice: the top row's set cell at the left in both of its picks.
    EXPECT_EQ(shown.Pixel(0, 0), fw::Bitmap::Black);
    EXPECT_EQ(shown.Pixel(0, 1), fw::Bitmap::Black);
    EXPECT_EQ(shown.Pixel(0, 2), fw::Bitmap::White);
    EXPECT_EQ(Clips().Clip(0)->pnlStat->Caption(), "2x2");
}

TEST_F(BlockFrameProgramTest, APictureIsImportedThroughTheDataModulesDialogAndUndoneEndToEnd)
{
    BlockEditor& editor = NewBlockEditor({"#..", "...", "..#"});
    TfrmBlockPattern& frame = *editor.frame;
    const std::filesystem::path oneBit = Folder() / "letters.bmp";
    {
        const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp({"#.#.#", ".#.#."}, 0xFFFFFF, 0x000000, false);
        std::ofstream out(oneBit, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::filesystem::path colour = Folder() / "photo.bmp";
    fw::Bitmap photo(3, 3);
    photo.SetPixel(1, 1, 0x3366CC);
    fw::SaveBmpToFile(photo, colour.string());

    std::string offered;
    const fw::ScopedHandler script(&fw::OpenDialog::SetHandler, [&](fw::FileDialog& dialog) {
        EXPECT_EQ(dialog.Title(), "Load Image");
        dialog.SetFileName(offered);
        return true;
    });

    offered = colour.string();
    frame.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_EQ(BoxTexts().back(), "This is not a monochrome image.");
    EXPECT_EQ(frame.UndoList().Count(), 0);

    offered = oneBit.string();
    frame.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_EQ(Rows(frame), (Strings{"#.#.#", ".#.#."}));
    frame.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(frame.GridWidth(), 3);
    EXPECT_EQ(Rows(frame), (Strings{"#..", "...", "..#"}));
}

TEST_F(BlockFrameProgramTest, TheBlockSizeDialogSetsTheRatiosAndTinyOnesStillGiveCells)
{
    BlockEditor& editor = NewBlockEditor({"#.", ".#"});
    TfrmBlockPattern& frame = *editor.frame;
    std::string width = "3";
    std::string height = "1.5";
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        EXPECT_EQ(dialog.edWidth->Text(), "2");
        dialog.edWidth->SetText(width);
        dialog.edHeight->SetText(height);
        dialog.btnAccept->Click();
    };
    frame.PerformAction(TWAction::DisplayRatios, false, nullptr);
    EXPECT_EQ(frame.GetBaseWidth(), 3.0);
    EXPECT_EQ(frame.GetBaseHeight(), 1.5);
    EXPECT_EQ(frame.CellWidth(), 15);
    EXPECT_EQ(frame.CellHeight(), 8);

    // The dialog takes any positive ratio; a cell never gets narrower than one pixel.
    frame.SetBaseWidth(1.0);
    frame.SetBaseHeight(1.0);
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        dialog.edWidth->SetText("0.01");
        dialog.edHeight->SetText("0.01");
        dialog.btnAccept->Click();
    };
    frame.PerformAction(TWAction::DisplayRatios, false, nullptr);
    EXPECT_EQ(frame.GetBaseWidth(), 0.01);
    EXPECT_EQ(frame.CellWidth(), 1);
    EXPECT_EQ(frame.CellHeight(), 1);
    frame.ImageMouseMove(fw::ShiftState{}, 1, 0);
    EXPECT_EQ(frame.pnlPosition->Caption(), "2 / 2");
}

TEST_F(BlockFrameProgramTest, AProfileCapturedFromOneFrameSetsAnother)
{
    BlockEditor& first = NewBlockEditor({"#."});
    first.frame->SetZoom(8);
    first.frame->SetOrientation(TTWOrientation::Horizontal);
    first.frame->SetShowGrid(false);
    first.frame->SetShowPickTags(true);
    const auto answer = [](const fw::InputQueryRequest& request, std::string& value) {
        EXPECT_EQ(request.Caption, "Capture Profile");
        EXPECT_EQ(request.Prompt, "Enter Name");
        value = "Wide";
        return true;
    };
    const fw::ScopedHandler name(&fw::SetInputQueryHandler, answer);
    first.frame->PerformAction(TWAction::CaptureProfile, false, nullptr);
    ASSERT_EQ(UserSettings().EditorProfiles().Count(), 1);
    TTWDesignProfileBase* profile = UserSettings().EditorProfiles().GetProfile(0);
    EXPECT_EQ(profile->Name, "Wide");
    EXPECT_EQ(profile->Kind(), TTWProfileKind::Block);
    EXPECT_EQ(first.frame->pmProfiles->Items()->Count(), 1);

    BlockEditor& second = NewBlockEditor({".#"});
    second.frame->PerformAction(TWAction::ApplyProfile, false, profile);
    EXPECT_EQ(second.frame->GetZoom(), 8);
    EXPECT_EQ(second.frame->GetOrientation(), TTWOrientation::Horizontal);
    EXPECT_FALSE(second.frame->GetShowGrid());
    EXPECT_TRUE(second.frame->GetShowPickTags());
}

// --- A look at it ------------------------------------------------------------------------------

class BlockFrameLookTest : public BlockFrameProgramTest {
protected:
    void SetUp() override
    {
        paintBackend = &qt_;
        BlockFrameProgramTest::SetUp();
    }
    void TearDown() override
    {
        fw::SyncQtPeers();
        BlockFrameProgramTest::TearDown();
    }

private:
    fw::QtPaintBackend qt_;
};

TEST_F(BlockFrameLookTest, TheMainWindowWithABlockDesignAndItsClipsIsWrittenOut)
{
    Main().SetBounds(0, 0, 1000, 720);
    BlockEditor& editor = NewBlockEditor({"..................", "..##..######..##..", ".#..#...##...#..#.",
                                          ".####...##...####.", ".#..#...##...#..#.", "..................",
                                          "#.#.#.#.#.#.#.#.#.", ".#.#.#.#.#.#.#.#.#"});
    editor.SetBounds(0, 0, 900, 420);
    TfrmBlockPattern& frame = *editor.frame;
    frame.SetColumnOnColour(3, 0x2020C0);
    frame.SetColumnOnColour(4, 0x2020C0);
    frame.SetShowTwist(true);
    frame.OnAdjustCellInfo = [](TBlockCellInfo& info) {
        info.Twine1 = info.Column % 2 == 0 ? TwineSlash : TwineBackslash;
        info.Twine2 = info.Row % 3 == 0 ? TwineBackslash : TwineWholeCell;
    };
    frame.SetEditMode(1);
    frame.SetArea(TBlockArea{1, 3, 4, 6});
    frame.PerformAction(TWAction::CopySelection, false, nullptr);
    frame.SetArea(TBlockArea{6, 0, 11, 1});
    frame.PerformAction(TWAction::CopySelection, false, nullptr);
    frame.SetShowPickTags(true);
    frame.SetZoom(7);
    ASSERT_EQ(Clips().ClipCount(), 2);

    const fw::Bitmap picture = fw::RenderToBitmap(Main());
    card_views_test::SavePicture(picture, "block_frame_window.png");
    // Row 1 begins with a set cell and a clear one.
    const fw::Rect set = frame.Geometry().CellRect(0, 1);
    EXPECT_EQ(frame.MainImage().Pixel((set.Left + set.Right) / 2, set.Top + 2), fw::clBlack);
    const fw::Rect clear = frame.Geometry().CellRect(1, 1);
    EXPECT_EQ(frame.MainImage().Pixel((clear.Left + clear.Right) / 2, clear.Top + 2), fw::clWhite);
}

} // namespace
