// The bitmap clips: pieces of block designs kept side by side on the main window's clip
// panel, each showing its picture and size, turning a quarter either way, pasting itself
// into the active editor and going when the weaver deletes it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/scroll_box.h"
#include "editors/bitmap_clip.h"
#include "editors/block_frame_messages.h"
#include "editors/clip_list.h"
#include "foundation/generic_exception.h"
#include "framework/gui/application.h"
#include "framework/gui/message.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/block_design.h"
#include "shell/editor_host.h"
#include "shell/tool_actions.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;

constexpr fw::Color Set = fw::clBlack;
constexpr fw::Color Clear = fw::clWhite;

// A click on a speed button as the mouse gives it.
void Press(fw::SpeedButton& button)
{
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
}

// A bitmap of the rows given top first, '#' for a set cell.
fw::Bitmap Cells(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    fw::Bitmap bitmap(width, height);
    bitmap.FillRect(bitmap.Bounds(), Clear);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                bitmap.SetPixel(x, y, Set);
            }
        }
    }
    return bitmap;
}

// The rows of a bitmap as Cells takes them.
std::vector<std::string> Rows(const fw::Bitmap& bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            row += bitmap.Pixel(x, y) == (Set & 0xFFFFFF) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// A design item of those cells.
std::unique_ptr<TTWBlockDesignItem> Design(const std::vector<std::string>& rows)
{
    const fw::Bitmap cells = Cells(rows);
    auto design = std::make_unique<TTWBlockDesignItem>(&cells);
    design->SetSize(cells.Width(), cells.Height());
    return design;
}

// Records what reaches an editor's paste; raises when told to.
class RecordingActions : public ITWActions {
public:
    bool PerformAction(std::int32_t, bool, fw::Object*) override { return true; }
    void GetToolActions(TTWToolActionList&) override {}
    void PasteClip(fw::Object* source) override
    {
        pasted.push_back(source);
        if (failure) {
            throw TGenericException(*failure, nullptr, "TRecordingActions", "PasteClip");
        }
    }

    std::vector<fw::Object*> pasted;
    std::optional<std::string> failure;
};

// An editor window of the main window that only records pastes.
class PastingEditor : public fw::Form, public RecordingActions {
public:
    explicit PastingEditor(fw::Component* owner) : fw::Form(owner) {}
    std::string_view className() const override { return "TPastingEditor"; }
};

class BitmapClipTest : public EditorProgramTest {
protected:
    TfrmTWClipList& List()
    {
        auto* list = dynamic_cast<TfrmTWClipList*>(Main().ClipList());
        if (list == nullptr) {
            throw std::logic_error("the main window has no clip list");
        }
        return *list;
    }

    // A clip holding the cells, showing them as they are.
    TfrmTWBitmapClip& NewClip(const std::vector<std::string>& rows)
    {
        const std::unique_ptr<TTWBlockDesignItem> design = Design(rows);
        TfrmTWBitmapClip* clip = List().AddClip();
        clip->SetClip(design.get(), design->Width(), nullptr, design->Height());
        return *clip;
    }
};

// --- The clip list on the main window --------------------------------------------------------

TEST_F(BitmapClipTest, TheMainWindowsClipPanelHoldsTheClipListWhichTheHostHandsOn)
{
    TfrmTWMain& main = Main();
    auto* list = dynamic_cast<TfrmTWClipList*>(main.ClipList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Parent(), main.pnlBitmapClips);
    EXPECT_EQ(list->Owner(), &main);
    EXPECT_EQ(list->Align(), fw::Align::Client);
    EXPECT_EQ(list->scrClips->Parent(), list);
    EXPECT_EQ(list->scrClips->HorzBar().SmallChange(), TfrmTWClipList::ScrollStep);

    ITWEditorHost& host = main.EditorHost();
    EXPECT_EQ(host.ClipList(), list);
    EXPECT_FALSE(main.pnlBitmapClips->Visible());
    host.ShowClipPanel();
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
    host.ShowClipPanel();
    EXPECT_TRUE(main.pnlBitmapClips->Visible());
}

TEST_F(BitmapClipTest, ClipsLineUpLeftToRightAndCloseUpWhenOneGoes)
{
    Main().SetClipPanelVisible(true);
    TfrmTWClipList& list = List();
    std::vector<TfrmTWBitmapClip*> clips;
    for (int i = 0; i < 12; ++i) {
        clips.push_back(&NewClip({"#."}));
    }
    ASSERT_EQ(list.ClipCount(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(list.Clip(i), clips[static_cast<std::size_t>(i)]);
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Owner(), &list);
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Parent(), &list.scrClips->BackgroundPanel());
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Width(), 75);
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Height(), 75);
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Left(), 5 + 80 * i) << i;
        EXPECT_EQ(clips[static_cast<std::size_t>(i)]->Top(), 5);
    }
    EXPECT_EQ(list.Clip(12), nullptr);
    EXPECT_EQ(list.Clip(-1), nullptr);

    // Twelve clips are wider than the panel: the strip scrolls, and a clip that goes leaves
    // no gap at the scrolled position either.
    ASSERT_TRUE(list.scrClips->HorzBarNeeded());
    list.scrClips->HorzBar().SetPosition(80);
    EXPECT_EQ(clips[1]->Left(), 5);
    delete clips[2];
    clips.erase(clips.begin() + 2);
    ASSERT_EQ(list.ClipCount(), 11);
    const int position = list.scrClips->HorzBar().Position();
    EXPECT_GT(position, 0);
    for (int i = 0; i < 11; ++i) {
        const TfrmTWBitmapClip* clip = clips[static_cast<std::size_t>(i)];
        EXPECT_EQ(list.Clip(i), clip);
        EXPECT_EQ(clip->Left(), 5 + 80 * i - position) << i;
    }
}

// --- Showing a clip ----------------------------------------------------------------------------

TEST_F(BitmapClipTest, SetClipCopiesTheDesignAndShowsThePictureCentredWithItsSize)
{
    TfrmTWBitmapClip& clip = *List().AddClip();
    const std::unique_ptr<TTWBlockDesignItem> design = Design({"#..", "##."});
    // Two picks a row: the picture is twice as high as the design.
    const fw::Bitmap picture = Cells({"#..", "#..", "##.", "##."});
    clip.SetClip(design.get(), 3, &picture, 2);

    EXPECT_EQ(clip.pnlStat->Caption(), "3x2");
    EXPECT_EQ(Rows(clip.DisplayBitmap()), Rows(picture));
    EXPECT_EQ(Rows(clip.imgBitmap->Picture()), Rows(picture));
    EXPECT_EQ(clip.imgBitmap->Parent(), clip.pnlImage);
    // A small picture grows by the largest whole factor that leaves a pixel free around it.
    const int factor = std::min((clip.pnlImage->ClientWidth() - 2) / 3, (clip.pnlImage->ClientHeight() - 2) / 4);
    EXPECT_GT(factor, 1);
    EXPECT_EQ(clip.imgBitmap->Width(), 3 * factor);
    EXPECT_EQ(clip.imgBitmap->Height(), 4 * factor);
    EXPECT_EQ(clip.imgBitmap->Left(), (clip.pnlImage->ClientWidth() - 3 * factor) / 2);
    EXPECT_EQ(clip.imgBitmap->Top(), (clip.pnlImage->ClientHeight() - 4 * factor) / 2);

    // The clip keeps a copy: the design it was given may change or go.
    EXPECT_NE(&clip.Design(), design.get());
    design->Bitmap().SetPixel(2, 0, Set);
    EXPECT_EQ(clip.Design().Width(), 3);
    EXPECT_EQ(clip.Design().Height(), 2);
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{"#..", "##."}));

    // Without a picture the design's own cells are shown.
    const std::unique_ptr<TTWBlockDesignItem> other = Design({".#", "#.", ".."});
    clip.SetClip(other.get(), 2, nullptr, 3);
    EXPECT_EQ(clip.pnlStat->Caption(), "2x3");
    EXPECT_EQ(Rows(clip.DisplayBitmap()), (std::vector<std::string>{".#", "#.", ".."}));
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{".#", "#.", ".."}));
}

TEST_F(BitmapClipTest, APictureLargerThanTheImagePanelIsScaledDownInProportion)
{
    TfrmTWBitmapClip& clip = *List().AddClip();
    const int roomWidth = clip.pnlImage->ClientWidth() - 2;
    const int roomHeight = clip.pnlImage->ClientHeight() - 2;
    ASSERT_GT(roomWidth, 10);
    ASSERT_GT(roomHeight, 10);

    const fw::Bitmap wide(roomWidth * 4, roomHeight, false);
    clip.SetClip(nullptr, wide.Width(), &wide, wide.Height());
    EXPECT_EQ(clip.imgBitmap->Width(), roomWidth);
    EXPECT_EQ(clip.imgBitmap->Height(), roomHeight / 4);
    EXPECT_EQ(clip.imgBitmap->Left(), 1);
    EXPECT_EQ(clip.imgBitmap->Top(), (clip.pnlImage->ClientHeight() - roomHeight / 4) / 2);

    const fw::Bitmap tall(roomWidth / 2, roomHeight * 2, false);
    clip.SetClip(nullptr, tall.Width(), &tall, tall.Height());
    EXPECT_EQ(clip.imgBitmap->Height(), roomHeight);
    EXPECT_EQ(clip.imgBitmap->Width(), roomWidth / 4);
    EXPECT_EQ(clip.imgBitmap->Top(), 1);
    EXPECT_EQ(clip.pnlStat->Caption(), std::to_string(roomWidth / 2) + "x" + std::to_string(roomHeight * 2));
}

// --- Turning -------------------------------------------------------------------------------------

TEST_F(BitmapClipTest, RotatingTurnsDesignAndPictureAlikeAndSwapsTheSize)
{
    TfrmTWBitmapClip& clip = *List().AddClip();
    const std::unique_ptr<TTWBlockDesignItem> design = Design({"#..", "##."});
    const fw::Bitmap picture = Cells({"#..", "#..", "##.", "##."});
    clip.SetClip(design.get(), 3, &picture, 2);

    Press(*clip.btnRotateLeft);
    // A quarter turn anticlockwise: the right column becomes the top row.
    EXPECT_EQ(clip.pnlStat->Caption(), "2x3");
    EXPECT_EQ(clip.Design().Width(), 2);
    EXPECT_EQ(clip.Design().Height(), 3);
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{"..", ".#", "##"}));
    EXPECT_EQ(Rows(clip.DisplayBitmap()), (std::vector<std::string>{"....", "..##", "####"}));
    EXPECT_EQ(Rows(clip.imgBitmap->Picture()), Rows(clip.DisplayBitmap()));
    const int factor = std::min((clip.pnlImage->ClientWidth() - 2) / 4, (clip.pnlImage->ClientHeight() - 2) / 3);
    EXPECT_EQ(clip.imgBitmap->Width(), 4 * factor);
    EXPECT_EQ(clip.imgBitmap->Height(), 3 * factor);

    Press(*clip.btnRotateRight);
    EXPECT_EQ(clip.pnlStat->Caption(), "3x2");
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{"#..", "##."}));
    EXPECT_EQ(Rows(clip.DisplayBitmap()), Rows(picture));

    // Clockwise: the left column becomes the top row, read from the bottom.
    Press(*clip.btnRotateRight);
    EXPECT_EQ(clip.pnlStat->Caption(), "2x3");
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{"##", "#.", ".."}));
    Press(*clip.btnRotateLeft);
    EXPECT_EQ(Rows(clip.Design().Bitmap()), (std::vector<std::string>{"#..", "##."}));
    EXPECT_EQ(Rows(clip.imgBitmap->Picture()), Rows(picture));
}

// --- Deleting ------------------------------------------------------------------------------------

TEST_F(BitmapClipTest, DeleteAnsweredNoKeepsTheClip)
{
    TfrmTWBitmapClip& clip = NewClip({"#"});
    fw::ProcessPostedMessages();
    answers.push_back(fw::mrNo);
    Press(*clip.btnDelete);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Delete this pattern clip?");
    EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Question);
    EXPECT_EQ(boxes[0].Buttons, (fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No}));
    EXPECT_EQ(fw::PostedMessageCount(), 0u);
    fw::ProcessPostedMessages();
    EXPECT_EQ(List().ClipCount(), 1);
    EXPECT_EQ(List().Clip(0), &clip);
}

TEST_F(BitmapClipTest, DeleteAnsweredYesFreesTheClipOnlyOnceItsClickIsOver)
{
    TfrmTWBitmapClip& first = NewClip({"#"});
    TfrmTWBitmapClip& second = NewClip({"."});
    const fw::WeakRef<TfrmTWBitmapClip> gone(&first);
    fw::ProcessPostedMessages();
    answers.push_back(fw::mrYes);
    Press(*first.btnDelete);
    // The click's handler has returned and the clip still stands.
    ASSERT_TRUE(gone);
    EXPECT_EQ(List().ClipCount(), 2);
    EXPECT_EQ(fw::PostedMessageCount(), 1u);

    fw::ProcessPostedMessages();
    EXPECT_FALSE(gone);
    ASSERT_EQ(List().ClipCount(), 1);
    EXPECT_EQ(List().Clip(0), &second);
    EXPECT_EQ(second.Left(), TfrmTWClipList::ClipSpacing);
}

TEST_F(BitmapClipTest, AClipAskedToGoTwiceIsFreedOnce)
{
    TfrmTWBitmapClip& first = NewClip({"#"});
    NewClip({"."});
    answers = {fw::mrYes, fw::mrYes};
    Press(*first.btnDelete);
    Press(*first.btnDelete);
    fw::ProcessPostedMessages();
    EXPECT_EQ(List().ClipCount(), 1);

    // A clip the list does not hold is left alone, and the message is still answered.
    TfrmTWBitmapClip stranger;
    EXPECT_EQ(List().Perform(WM_TW_DELETECLIP, reinterpret_cast<std::intptr_t>(&stranger)), 1);
    EXPECT_EQ(List().ClipCount(), 1);
}

// --- Pasting -------------------------------------------------------------------------------------

TEST_F(BitmapClipTest, PasteWithoutAnActiveEditorDoesNothing)
{
    TfrmTWBitmapClip& clip = NewClip({"#."});
    ASSERT_EQ(Main().ActiveMDIChild(), nullptr);
    EXPECT_TRUE(fw::GuardedCall([&] { Press(*clip.btnPaste); }));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(modalForms.empty());

    int asked = 0;
    List().SetActionsProvider([&]() -> ITWActions* {
        ++asked;
        return nullptr;
    });
    EXPECT_TRUE(fw::GuardedCall([&] { Press(*clip.btnPaste); }));
    EXPECT_EQ(asked, 1);
}

TEST_F(BitmapClipTest, PasteHandsTheClipsDesignToTheProvidedEditor)
{
    RecordingActions editor;
    List().SetActionsProvider([&]() -> ITWActions* { return &editor; });
    // Clips made before and after the provider was set both reach it.
    TfrmTWBitmapClip& clip = NewClip({"#."});
    Press(*clip.btnPaste);
    ASSERT_EQ(editor.pasted.size(), 1u);
    EXPECT_EQ(editor.pasted[0], &clip.Design());
}

TEST_F(BitmapClipTest, PasteReachesTheMainWindowsActiveEditor)
{
    TfrmTWBitmapClip& clip = NewClip({"#."});
    auto* editor = new PastingEditor(&Main());
    editor->SetFormStyle(fw::FormStyle::MDIChild);
    editor->FinishLoading();
    editor->Show();
    ASSERT_EQ(Main().ActiveMDIChild(), editor);

    Press(*clip.btnPaste);
    ASSERT_EQ(editor->pasted.size(), 1u);
    EXPECT_EQ(editor->pasted[0], &clip.Design());
    delete editor;
}

TEST_F(BitmapClipTest, AnErrorOfThePasteReachesTheProgramsErrorDisplay)
{
    TfrmTWBitmapClip& clip = NewClip({"#."});
    RecordingActions editor;
    editor.failure = "Unable to paste clip selection.";
    List().SetActionsProvider([&]() -> ITWActions* { return &editor; });

    // As the event loop runs the click.
    EXPECT_FALSE(fw::GuardedCall([&] { Press(*clip.btnPaste); }));
    EXPECT_EQ(editor.pasted.size(), 1u);
    EXPECT_EQ(modalForms, std::vector<std::string>{"TfrmTException"});
    // The clip is unharmed and pastes again.
    editor.failure.reset();
    Press(*clip.btnPaste);
    EXPECT_EQ(editor.pasted.size(), 2u);
}

} // namespace
