// Clicks on the threaded-in editor's woven image: the card they address (selvedges left
// out), the three correction modes, painting hole colours, the hover labels; the colour
// commands that go with painting; and the reverse side drawn beside the front as the image
// is turned.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/weaving_image_frame_view.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/card.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "shell/palette_edit_dialog.h"
#include "shell/palette_frame.h"
#include "shell/palette_list_window.h"
#include "treegrid/tree_cell.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::ActionsText;
using threaded_editor_test::CardsOnly;
using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowTexts;

class ThreadedEditorImageTest : public EditorProgramTest {
protected:
    // An image point inside the cell of the front band (1-based column and pick).
    static fw::Point PointIn(TfrmTWThreadedPattern& editor, int column, int pick)
    {
        const TTWWeaving& weaving = editor.FrontWeaving();
        const TTWWeavingCell* cell = weaving.Cell(column - 1, pick - 1);
        EXPECT_NE(cell, nullptr);
        const TWeavingCellPolygon polygon = editor.frmImage->Geometry(false).CellPolygon(weaving, *cell);
        fw::Point sum;
        for (const fw::Point& point : polygon) {
            sum.X += point.X;
            sum.Y += point.Y;
        }
        return fw::Point{sum.X / 4, sum.Y / 4};
    }

    static void Click(TfrmTWThreadedPattern& editor, int column, int pick,
                      fw::MouseButton button = fw::MouseButton::Left)
    {
        const fw::Point at = PointIn(editor, column, pick);
        editor.ImageMouseDown(button, at.X, at.Y);
    }

    // A pattern of three cards behind two left selvedge cards, woven in three picks of
    // forward turns; the action panel hidden so that the modes work.
    TfrmTWThreadedPattern& BandWithSelvedges()
    {
        TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(3, 4, 2));
        for (int i = 0; i < 3; ++i) {
            editor.DoPick(false);
        }
        editor.frmImage->SetZoom(4);
        editor.btnHideActionPanel->SetDown(false);
        editor.btnHideActionPanelClick();
        return editor;
    }

    static std::string Pick(const TfrmTWThreadedPattern& editor, int number)
    {
        return ActionsText(*editor.Pattern()->Picks().Items(number - 1));
    }
};

TEST_F(ThreadedEditorImageTest, AClickAddressesTheCardOfTheColumnPastTheLeftSelvedge)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    editor.btnToggleTwist->SetDown(true);
    // Column 3 is the first main card.
    Click(editor, 3, 2);
    EXPECT_EQ(Pick(editor, 2), "1T 1F 2F 3F");
    EXPECT_EQ(RowTexts(*editor.lstActions, 1)[3], "1");
    // The selvedge columns change nothing.
    Click(editor, 1, 2);
    Click(editor, 2, 3);
    EXPECT_EQ(Pick(editor, 2), "1T 1F 2F 3F");
    EXPECT_EQ(Pick(editor, 3), "1F 2F 3F");
    // ... while the hover label still names the column.
    EXPECT_EQ(editor.lblMouseCard->Caption(), "2");
    EXPECT_EQ(editor.lblMousePick->Caption(), "3");
    // Clicked again, the twist goes.
    Click(editor, 3, 2);
    EXPECT_EQ(Pick(editor, 2), "1F 2F 3F");
}

TEST_F(ThreadedEditorImageTest, TheDirectionModeTurnsTheCardTheOtherWayFromThePickOn)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    editor.btnToggleDir->SetDown(true);
    Click(editor, 4, 2);
    EXPECT_EQ(Pick(editor, 1), "1F 2F 3F");
    EXPECT_EQ(Pick(editor, 2), "1F 2B 3F");
    EXPECT_EQ(Pick(editor, 3), "1F 2B 3F");
    EXPECT_EQ(editor.FrontWeaving().Cell(3, 2)->TurnDir, TurnBackwards);
    // The right button corrects nothing.
    Click(editor, 4, 1, fw::MouseButton::Right);
    EXPECT_EQ(Pick(editor, 1), "1F 2F 3F");
}

TEST_F(ThreadedEditorImageTest, TheIdleModeCyclesOnePicksDirection)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    editor.btnToggleIdle->SetDown(true);
    Click(editor, 5, 1);
    EXPECT_EQ(Pick(editor, 1), "1F 2F 3B");
    Click(editor, 5, 1);
    EXPECT_EQ(Pick(editor, 1), "1F 2F 3I");
    EXPECT_TRUE(editor.FrontWeaving().Cell(4, 0)->IsIdle());
    Click(editor, 5, 1);
    EXPECT_EQ(Pick(editor, 1), "1F 2F 3F");
    EXPECT_EQ(Pick(editor, 2), "1F 2F 3F");
}

TEST_F(ThreadedEditorImageTest, ModeClicksUpdateTheGridCellsTheyChange)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    editor.ShowActionGrid(true);
    const auto icon = [&editor](int pick, int card) {
        const TILTreeNode* row = editor.lstGrid->Root()->GetItem(3 - pick);
        return row->FindCellInfo(card)->GetInteger();
    };
    editor.btnToggleDir->SetDown(true);
    Click(editor, 3, 2);
    EXPECT_EQ(icon(1, 1), 0);
    EXPECT_EQ(icon(2, 1), 1);
    EXPECT_EQ(icon(3, 1), 1);
    editor.btnToggleTwist->SetDown(true);
    Click(editor, 4, 3);
    EXPECT_EQ(icon(3, 2), 3);
}

TEST_F(ThreadedEditorImageTest, ColourModePaintsTheHoleOnTopWithThePrimaryOrSecondaryColour)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    ASSERT_TRUE(editor.btnToggleColours->Down());
    editor.SetColourPanel(editor.pnlColour1, 9);
    EXPECT_EQ(editor.pnlColour1->Color(), editor.Pattern()->Palette().GetColour(9));
    const TTWWeavingCell top = *editor.FrontWeaving().Cell(3, 1);
    Click(editor, 4, 2);
    TTWCardBase& card = *editor.Pattern()->Cards().GetCard(1);
    EXPECT_EQ(card.HoleColour(top.Hole), 9);
    EXPECT_EQ(editor.FrontWeaving().Cell(3, 1)->Colour, editor.Pattern()->Palette().GetColour(9));
    // No secondary colour chosen: the right button paints nothing.
    const std::vector<int> before = {card.HoleColour(0), card.HoleColour(1), card.HoleColour(2), card.HoleColour(3)};
    Click(editor, 4, 3, fw::MouseButton::Right);
    EXPECT_EQ((std::vector<int>{card.HoleColour(0), card.HoleColour(1), card.HoleColour(2), card.HoleColour(3)}),
              before);
    editor.SetColourPanel(editor.pnlColour2, 11);
    Click(editor, 4, 3, fw::MouseButton::Right);
    EXPECT_EQ(card.HoleColour(editor.FrontWeaving().Cell(3, 2)->Hole), 11);
    // With the colours hidden nothing is painted.
    editor.frmImage->SetShowColours(false);
    editor.SetColourPanel(editor.pnlColour1, 2);
    Click(editor, 3, 1);
    EXPECT_NE(editor.Pattern()->Cards().GetCard(0)->HoleColour(editor.FrontWeaving().Cell(2, 0)->Hole), 2);
}

TEST_F(ThreadedEditorImageTest, HoverLabelsNameTheCellUnderTheMouseAndEmptyOutsideTheBand)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    TWeavingImageView& view = *editor.frmImage->imgWeaving;
    const fw::Point at = PointIn(editor, 4, 2);
    // Through the view, as the mouse moves it (the view shows the image from its start).
    view.MouseMove(fw::ShiftState{}, at.X, at.Y);
    EXPECT_EQ(editor.lblMouseCard->Caption(), "4");
    EXPECT_EQ(editor.lblMousePick->Caption(), "2");
    const int hole = editor.FrontWeaving().Cell(3, 1)->Hole;
    EXPECT_EQ(editor.lblMouseHole->Caption(), std::string(1, static_cast<char>('A' + hole)));
    view.MouseMove(fw::ShiftState{}, 2000, 2000);
    EXPECT_EQ(editor.lblMouseCard->Caption(), "");
    EXPECT_EQ(editor.lblMousePick->Caption(), "");
    EXPECT_EQ(editor.lblMouseHole->Caption(), "");
}

TEST_F(ThreadedEditorImageTest, APressOnTheViewReachesTheEditor)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    editor.btnToggleTwist->SetDown(true);
    const fw::Point at = PointIn(editor, 5, 1);
    editor.frmImage->imgWeaving->MouseDown(fw::MouseButton::Left, fw::ShiftState{}, at.X, at.Y);
    editor.frmImage->imgWeaving->MouseUp(fw::MouseButton::Left, fw::ShiftState{}, at.X, at.Y);
    EXPECT_EQ(Pick(editor, 1), "3T 1F 2F 3F");
}

TEST_F(ThreadedEditorImageTest, ColourCommandsSwapAndReplaceIndexesInEveryHole)
{
    auto pattern = CardsOnly(2);   // holes of colours 0, 1, 2, 3
    TfrmTWThreadedPattern& editor = OpenPattern(std::move(pattern));
    TTWCardBase& card = *editor.Pattern()->Cards().GetCard(0);
    const auto holes = [&card] {
        return std::vector<int>{card.HoleColour(0), card.HoleColour(1), card.HoleColour(2), card.HoleColour(3)};
    };
    // Without both colours chosen the commands do nothing.
    editor.SetColourPanel(editor.pnlColour1, 1);
    editor.btnSwapColoursClick();
    editor.btnReplaceColoursClick();
    EXPECT_EQ(holes(), (std::vector<int>{0, 1, 2, 3}));

    editor.SetColourPanel(editor.pnlColour2, 2);
    editor.btnSwapColoursClick();
    EXPECT_EQ(holes(), (std::vector<int>{0, 2, 1, 3}));
    editor.btnReplaceColoursClick();   // secondary (2) becomes primary (1)
    EXPECT_EQ(holes(), (std::vector<int>{0, 1, 1, 3}));
    editor.SetColourPanel(editor.pnlColour1, 3);
    editor.btnReplaceCol2Click();      // primary (3) becomes secondary (2)
    EXPECT_EQ(holes(), (std::vector<int>{0, 1, 1, 2}));

    // Swapping the choices swaps indexes and colours; no choice shows the button face.
    editor.SetColourPanel(editor.pnlColour2, -1);
    editor.btnSwapColourSelClick();
    EXPECT_EQ(editor.pnlColour1->Tag(), -1);
    EXPECT_EQ(editor.pnlColour1->Color(), fw::clBtnFace);
    EXPECT_EQ(editor.pnlColour2->Tag(), 3);
    EXPECT_EQ(editor.pnlColour2->Color(), editor.Pattern()->Palette().GetColour(3));
}

TEST_F(ThreadedEditorImageTest, ThePaletteFramesClicksChooseThePrimaryAndSecondaryColours)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    const TTWPalette& palette = editor.Pattern()->Palette();
    editor.framePalette->OnSelectColour()(editor.framePalette, palette.GetColour(5), 5);
    editor.framePalette->OnSelectAltColour()(editor.framePalette, palette.GetColour(7), 7);
    EXPECT_EQ(editor.pnlColour1->Tag(), 5);
    EXPECT_EQ(editor.pnlColour1->Color(), palette.GetColour(5));
    EXPECT_EQ(editor.pnlColour2->Tag(), 7);
    EXPECT_EQ(editor.pnlColour2->Color(), palette.GetColour(7));
}

TEST_F(ThreadedEditorImageTest, EditingThePaletteRecoloursTheBandAndThePanels)
{
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    editor.DoPick(false);
    editor.SetColourPanel(editor.pnlColour1, 1);
    const int hole = editor.FrontWeaving().Cell(0, 0)->Hole;
    const int index = editor.Pattern()->Cards().GetCard(0)->HoleColour(hole);
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWEditPalette&>(form);
        for (int i = 0; i < 16; ++i) {
            dialog.framePalette->SetPanelColour(i, 0x123456);
        }
        dialog.SetModalResult(fw::mrOk);
    };
    editor.btnEditPaletteClick();
    EXPECT_EQ(modalForms, std::vector<std::string>{"TfrmTWEditPalette"});
    EXPECT_EQ(editor.Pattern()->Palette().GetColour(index), 0x123456U);
    EXPECT_EQ(editor.FrontWeaving().Cell(0, 0)->Colour, 0x123456U);
    EXPECT_EQ(editor.pnlColour1->Color(), 0x123456U);
}

TEST_F(ThreadedEditorImageTest, AChosenPaletteIsCopiedIntoThePattern)
{
    TTWPalette* warm = PaletteList().AddNew();
    warm->SetName("Warm");
    for (int i = 0; i < 16; ++i) {
        warm->SetColour(i, 0x0000F0 + static_cast<TTWColour>(i));
    }
    TfrmTWThreadedPattern& editor = OpenPattern(CardsOnly(2));
    editor.DoPick(false);
    modalScript = [](fw::Form& form) {
        auto& list = dynamic_cast<TfrmTWPaletteList&>(form);
        TILTreeNode* row = list.treeList->Root()->FindByText(0, "Warm", true, false);
        ASSERT_NE(row, nullptr);
        list.treeList->SelectOnly(row);
        list.btnSelectClick();
    };
    editor.btnSelectPaletteClick();
    EXPECT_EQ(modalForms, std::vector<std::string>{"TfrmTWPaletteList"});
    EXPECT_EQ(editor.Pattern()->Palette().GetColour(3), 0x0000F3U);
    // The band and the palette frame show the new colours.
    const int hole = editor.FrontWeaving().Cell(0, 0)->Hole;
    const int index = editor.Pattern()->Cards().GetCard(0)->HoleColour(hole);
    EXPECT_EQ(editor.FrontWeaving().Cell(0, 0)->Colour, 0x0000F0U + static_cast<TTWColour>(index));
    EXPECT_EQ(editor.framePalette->GetColourPanel(5)->Color(), 0x0000F5U);
    // The list's palette is only copied: it stays as it was.
    EXPECT_EQ(warm->GetColour(3), 0x0000F3U);
    EXPECT_NE(&editor.Pattern()->Palette(), warm);
}

// The reverse side's cells that its view shows now, each sampled inside its shape in the
// view's own picture: how many there are, and how many show their colour.
struct ShownCells {
    int Shown = 0;
    int Right = 0;
};

ShownCells SampleReverseCells(TfrmWeavingImage& image)
{
    const TTWWeaving& reverse = *image.ReverseWeaving();
    const TWeavingImageGeometry geometry = image.Geometry(true);
    const fw::Bitmap picture = fw::RenderToBitmap(*image.imgReverse);
    const fw::Point scroll = image.scrReverse->ScrollOffset();
    ShownCells cells;
    for (int column = 0; column < reverse.Width(); ++column) {
        for (int pick = 0; pick < reverse.PickCount(); ++pick) {
            const TTWWeavingCell& cell = *reverse.Cell(column, pick);
            fw::Point sum;
            for (const fw::Point& corner : geometry.CellPolygon(reverse, cell)) {
                sum.X += corner.X;
                sum.Y += corner.Y;
            }
            const fw::Point at{sum.X / 4 - scroll.X, sum.Y / 4 - scroll.Y};
            if (at.X < 0 || at.Y < 0 || at.X >= picture.Width() || at.Y >= picture.Height()) {
                continue;
            }
            ++cells.Shown;
            if (picture.Pixel(at.X, at.Y) == cell.Colour) {
                ++cells.Right;
            }
        }
    }
    return cells;
}

TEST_F(ThreadedEditorImageTest, TheReverseSideStaysInViewThroughRotationsAndShowsAgainWhenTickedAgain)
{
    TfrmTWThreadedPattern& editor = BandWithSelvedges();
    TfrmWeavingImage& image = *editor.frmImage;
    editor.PerformAction(TWAction::ShowReverse, true, nullptr);
    const auto expectPainted = [&](const char* when) {
        ASSERT_TRUE(image.GetShowReverse()) << when;
        const ShownCells cells = SampleReverseCells(image);
        EXPECT_GE(cells.Shown, 4) << when;
        EXPECT_EQ(cells.Right, cells.Shown) << when;
    };
    expectPainted("shown");
    // Each turn lays the sides out the other way, beside or above each other, and the
    // second brings back the first layout with both sides in it.
    editor.PerformAction(TWAction::Rotate, false, nullptr);
    ASSERT_TRUE(image.Horizontal());
    expectPainted("rotated once");
    editor.PerformAction(TWAction::Rotate, false, nullptr);
    ASSERT_FALSE(image.Horizontal());
    expectPainted("rotated twice");
    EXPECT_EQ(image.spltImages->Width(), 3);
    // Unticked and ticked again, it comes back as it was.
    editor.PerformAction(TWAction::ShowReverse, false, nullptr);
    EXPECT_FALSE(image.pnlImageReverse->Visible());
    editor.PerformAction(TWAction::ShowReverse, true, nullptr);
    expectPainted("shown again");
}

} // namespace
