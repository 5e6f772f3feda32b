// The brocade grid and its pieces: cells that carry their weft, the colours the grid shows
// (wefts, the warp of the cards, the editor's long floats), the card row under the grid,
// the weft runs, and where the image lays a weft's bar.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brocade_editor_test_support.h"
#include "editors/bitmap_clip.h"
#include "editors/brocade_image_frame.h"
#include "editors/brocade_runs.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "model/block_design.h"
#include "model/palette.h"
#include "model/user_settings.h"
#include "shell/tool_actions.h"

namespace {

using brocade_editor_test::BrocadeEditorTest;
using brocade_editor_test::ClickCell;
using brocade_editor_test::ShownColour;

constexpr TTWColour WeftA = 0x000000;
constexpr TTWColour WeftB = 0xFF0000;

using BrocadeFrameTest = BrocadeEditorTest;

TEST_F(BrocadeFrameTest, CellsCarryTheWeftTheyWereDrawnWith)
{
    TfrmBrocade& editor = NewBrocade();
    TfrmBrocadePatternFrame& grid = *editor.framePattern;
    ASSERT_EQ(grid.CurrentWeft(), 1);

    ClickCell(editor, 2, 3);
    EXPECT_TRUE(grid.IsCellSet(2, 3));
    EXPECT_EQ(grid.GetWeft(2, 3), 1);

    // A click with another weft on a cell of the first: it takes the new weft, stays set.
    editor.SelectWeftPanel(editor.pnlWeftC);
    ASSERT_EQ(grid.CurrentWeft(), 3);
    ClickCell(editor, 2, 3);
    EXPECT_TRUE(grid.IsCellSet(2, 3));
    EXPECT_EQ(grid.GetWeft(2, 3), 3);
    // Clicked again with its own weft, it is cleared and carries none.
    ClickCell(editor, 2, 3);
    EXPECT_FALSE(grid.IsCellSet(2, 3));
    EXPECT_EQ(grid.GetWeft(2, 3), 0);

    // Setting a set cell again stores the current weft, though the cell does not change.
    grid.SetCell(4, 4, true);
    editor.SelectWeftPanel(editor.pnlWeftB);
    grid.SetCell(4, 4, true);
    EXPECT_EQ(grid.GetWeft(4, 4), 2);
    // Toggling: the weft follows the cell.
    grid.ToggleCell(5, 5);
    EXPECT_EQ(grid.GetWeft(5, 5), 2);
    grid.ToggleCell(5, 5);
    EXPECT_EQ(grid.GetWeft(5, 5), 0);

    // A change is where the weft differs from the cell below (row 0: a set cell).
    grid.SetCell(4, 5, true);
    EXPECT_FALSE(grid.IsChangeAt(4, 5));
    editor.SelectWeftPanel(editor.pnlWeftA);
    grid.SetCell(4, 5, true);
    EXPECT_TRUE(grid.IsChangeAt(4, 5));
    EXPECT_TRUE(grid.IsChangeAt(4, 4));
    EXPECT_FALSE(grid.IsChangeAt(0, 0));
    grid.SetCell(0, 0, true);
    EXPECT_TRUE(grid.IsChangeAt(0, 0));
    EXPECT_FALSE(grid.IsChangeAt(-1, 0));
    EXPECT_FALSE(grid.IsChangeAt(0, grid.GridHeight()));
}

TEST_F(BrocadeFrameTest, AnImportAndAClipWithoutWeftsAreWovenInTheCurrentWeft)
{
    TfrmBrocade& editor = NewBrocade();
    TfrmBrocadePatternFrame& grid = *editor.framePattern;
    editor.SelectWeftPanel(editor.pnlWeftD);
    fw::Bitmap picture(3, 2, true);
    picture.SetPixel(0, 0, fw::Bitmap::Black);
    picture.SetPixel(2, 1, fw::Bitmap::Black);
    ASSERT_TRUE(grid.ImportPicture(picture));
    ASSERT_EQ(grid.GridWidth(), 3);
    ASSERT_EQ(grid.GridHeight(), 2);
    // The picture's top row is the grid's top row.
    EXPECT_EQ(brocade_editor_test::GridRows(editor), (std::vector<std::string>{"..D", "D.."}));

    // A clip from a design whose cells carry no data: its set cells take the current weft.
    grid.SetGridWidth(6);
    grid.SetGridHeight(4);
    TTWBlockDesignItem clip;
    clip.SetSize(2, 1);
    clip.Bitmap().FillRect(clip.Bitmap().Bounds(), fw::clWhite);
    clip.Bitmap().SetPixel(1, 0, fw::clBlack);
    editor.SelectWeftPanel(editor.pnlWeftE);
    grid.SetArea(TBlockArea{3, 3, 3, 3});
    grid.SetEditMode(1);
    grid.PasteClip(&clip);
    EXPECT_TRUE(grid.IsCellSet(4, 3));
    EXPECT_EQ(grid.GetWeft(4, 3), 5);
    EXPECT_FALSE(grid.IsCellSet(3, 3));
    EXPECT_EQ(grid.GetWeft(3, 3), 0);
}

TEST_F(BrocadeFrameTest, SetCellsShowTheirWeftAndClearCellsTheWarpOfTheirCardUpTheGrid)
{
    TfrmBrocade& editor = NewBrocade();
    TfrmBrocadePatternFrame& grid = *editor.framePattern;
    TTWPalette& palette = *grid.frameCards->Palette();
    // Card 1's holes in four colours of their own: A red, B green, C blue, D yellow.
    const std::vector<TTWColour> holes = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    for (int hole = 0; hole < 4; ++hole) {
        palette.SetColour(8 + hole, holes[static_cast<std::size_t>(hole)]);
        grid.frameCards->GetCardFrame(1)->SetHoleColourIndex(hole, 8 + hole);
    }
    grid.SetCell(1, 4, true);
    editor.SelectWeftPanel(editor.pnlWeftB);
    grid.SetCell(1, 5, true);
    grid.Refresh();

    // Rows 0 to 3 show holes A, D, C and B (the hole a card turning forwards brings up),
    // then the same again; the set cells their wefts.
    const std::vector<int> warpHoles = {0, 3, 2, 1};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(TfrmBrocadePatternFrame::WarpHole(row), warpHoles[static_cast<std::size_t>(row)]);
        EXPECT_EQ(ShownColour(editor, 1, row), holes[static_cast<std::size_t>(warpHoles[row])]) << row;
    }
    EXPECT_EQ(ShownColour(editor, 1, 4), WeftA);
    EXPECT_EQ(ShownColour(editor, 1, 5), WeftB);
    EXPECT_EQ(ShownColour(editor, 1, 6), holes[2]);
    // The overview shows the same colours, one pixel a cell.
    const fw::Bitmap& overview = grid.SnapshotBitmap();
    EXPECT_EQ(overview.Pixel(1, grid.GridHeight() - 1 - 5), WeftB);
    EXPECT_EQ(overview.Pixel(1, grid.GridHeight() - 1 - 1), holes[3]);

    // A cell's own colour (what a clip shows): the weft on the background.
    EXPECT_EQ(grid.GetCellColour(1, 5), WeftB);
    EXPECT_EQ(grid.GetCellColour(1, 1), grid.BackgroundColour());

    // A weft's colour changed from its panel reaches the grid at once.
    WeavingImageServices().PickColour = [](fw::Color& colour) {
        colour = 0x123456;
        return true;
    };
    editor.pnlWeftB->DblClick();
    EXPECT_EQ(grid.WeftColour(2), 0x123456u);
    EXPECT_EQ(editor.pnlWeftB->Color(), 0x123456u);
    EXPECT_EQ(ShownColour(editor, 1, 5), 0x123456u);
}

TEST_F(BrocadeFrameTest, AWeftPanelClickedBecomesTheWeftTheGridDrawsWith)
{
    TfrmBrocade& editor = NewBrocade();
    EXPECT_EQ(editor.pnlWeftA->BevelOuter(), fw::PanelBevel::Raised);
    EXPECT_EQ(editor.pnlWeftACap->BevelOuter(), fw::PanelBevel::Raised);
    editor.pnlWeftD->Click();
    EXPECT_EQ(editor.framePattern->CurrentWeft(), 4);
    EXPECT_EQ(editor.pnlWeftA->BevelOuter(), fw::PanelBevel::Lowered);
    EXPECT_EQ(editor.pnlWeftACap->BevelOuter(), fw::PanelBevel::None);
    EXPECT_EQ(editor.pnlWeftD->BevelOuter(), fw::PanelBevel::Raised);
    EXPECT_EQ(editor.pnlWeftDCap->BevelOuter(), fw::PanelBevel::Raised);
    EXPECT_EQ(editor.pnlWeftDCap->Caption(), "Weft D");
}

TEST_F(BrocadeFrameTest, NewCardsTakeTheDefaultColourAndTheThreadingOfTheSetting)
{
    for (const int setting : {0, 1, 2}) {
        SCOPED_TRACE(setting);
        UserSettings().Brocade.DefaultThread = static_cast<std::uint8_t>(setting);
        TfrmBrocade& editor = NewBrocade();
        TfrmBrocadePatternFrame& grid = *editor.framePattern;
        grid.SetGridWidth(grid.GridWidth() + 3);
        ASSERT_EQ(grid.frameCards->CardCount(), grid.GridWidth());
        for (int i = 0; i < grid.GridWidth(); ++i) {
            const TfrmCardCompactBase& card = *grid.frameCards->GetCardFrame(i);
            const std::uint8_t expected = setting == 1 ? ThreadingZ
                                          : setting == 2 ? (i % 2 == 0 ? ThreadingS : ThreadingZ)
                                                         : ThreadingS;
            EXPECT_EQ(card.Threading(), expected) << i;
            for (int hole = 0; hole < card.HoleCount(); ++hole) {
                EXPECT_EQ(card.GetHoleColourIndex(hole), TfrmBrocadePatternFrame::DefaultColourIndex);
            }
        }
        grid.SetGridWidth(4);
        EXPECT_EQ(grid.frameCards->CardCount(), 4);
    }
}

TEST_F(BrocadeFrameTest, TheCardRowShowsAndHidesAsAction305Says)
{
    TfrmBrocade& editor = NewBrocade();
    RecordToolReports();
    TTWToolActionList list;
    editor.GetToolActions(list);
    ASSERT_NE(list.Find(TWAction::CardList), nullptr);
    EXPECT_TRUE(list.Find(TWAction::CardList)->Down);
    EXPECT_TRUE(editor.PerformAction(TWAction::CardList, false, nullptr));
    EXPECT_FALSE(editor.framePattern->frameCards->Visible());
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().Id, TWAction::CardList);
    EXPECT_FALSE(reports.back().Down);
    TTWToolActionList hidden;
    editor.GetToolActions(hidden);
    EXPECT_FALSE(hidden.Find(TWAction::CardList)->Down);
    editor.PerformAction(TWAction::CardList, true, nullptr);
    EXPECT_TRUE(editor.framePattern->frameCards->Visible());
}

// --- The runs ----------------------------------------------------------------------------------

TEST(BrocadeRunsTest, EveryCellOfARunOfOneWeftHoldsItsLengthAndTieDownsHoldNothing)
{
    TTWBrocadeData runs;
    runs.SetSize(12, 2);
    const std::string wefts = "011112200333";
    EXPECT_TRUE(runs.ComputeRow(1, [&](int x) { return wefts[static_cast<std::size_t>(x)] - '0'; }));
    const std::vector<int> expected = {0, 4, 4, 4, 4, 2, 2, 0, 0, 3, 3, 3};
    for (int x = 0; x < 12; ++x) {
        EXPECT_EQ(runs.Value(x, 1), expected[static_cast<std::size_t>(x)]) << x;
        EXPECT_EQ(runs.Value(x, 0), 0);
    }
    // The same row again changes nothing.
    EXPECT_FALSE(runs.ComputeRow(1, [&](int x) { return wefts[static_cast<std::size_t>(x)] - '0'; }));
    // Blocks are found 1-based; none outside.
    ASSERT_NE(runs.GetBlock(2, 2), nullptr);
    EXPECT_EQ(runs.GetBlock(2, 2)->Value, 4);
    EXPECT_EQ(runs.GetBlock(0, 1), nullptr);
    EXPECT_EQ(runs.GetBlock(13, 1), nullptr);
    EXPECT_EQ(runs.GetBlock(1, 3), nullptr);
    EXPECT_EQ(runs.Value(-1, 0), 0);

    // Growing keeps what was there; a row outside is not computed.
    runs.SetSize(14, 3);
    EXPECT_EQ(runs.Value(1, 1), 4);
    EXPECT_EQ(runs.Value(13, 1), 0);
    EXPECT_FALSE(runs.ComputeRow(3, [](int) { return 1; }));

    // A run longer than a block holds reads as the largest value, never as a short one.
    TTWBrocadeData wide;
    wide.SetSize(300, 1);
    wide.ComputeRow(0, [](int) { return 1; });
    EXPECT_EQ(wide.Value(299, 0), TTWBrocadeData::MaxBlockValue);
}

// --- Where the image lays a weft -----------------------------------------------------------------

TEST(BrocadeWeftBarTest, ABarSpansItsRunAcrossAndOnePickStepAlongTheBand)
{
    // W 6, H 0, D 5, 10 columns, 4 picks: Q = 5.
    const TWeavingImageGeometry real(6, 0, 5, false, true, 10, 4);
    const fw::Rect bar = BrocadeWeftBar(real, 2, 3, 5);
    // Across: from column 3's left edge to column 5's right edge, both lines covered.
    EXPECT_EQ(bar.Left, 12);
    EXPECT_EQ(bar.Right, 31);
    // Along: the pick's shape (its slanted ends included) less half a slant at each end.
    const fw::Point origin = real.CellOrigin(3, 2);
    EXPECT_EQ(bar.Bottom, origin.Y - 5 / 2);
    EXPECT_EQ(bar.Top, origin.Y - 2 * 5 + 5 / 2);
    // The bars of the next pick and of the one before meet this one's edges.
    EXPECT_EQ(BrocadeWeftBar(real, 3, 3, 5).Bottom, bar.Top + 1);
    EXPECT_EQ(BrocadeWeftBar(real, 1, 3, 5).Top, bar.Bottom - 1);

    // The block chart has no slanted ends: the bar is the cells' own rectangle, up to the
    // line the next pick's bar begins with, so that the bars of a column tile the band.
    const TWeavingImageGeometry block(6, 2, 4, false, false, 10, 4);
    const fw::Rect square = BrocadeWeftBar(block, 1, 1, 1);
    const fw::Point blockOrigin = block.CellOrigin(1, 1);
    EXPECT_EQ(square, (fw::Rect{0, blockOrigin.Y - 6, 7, blockOrigin.Y}));
    EXPECT_EQ(BrocadeWeftBar(block, 2, 1, 1).Bottom, square.Top);

    // Turned, the band runs from right to left with column 10 at the top: the same bar lies
    // across the rows of its columns.
    const TWeavingImageGeometry turned(6, 0, 5, true, true, 10, 4);
    const fw::Rect across = BrocadeWeftBar(turned, 2, 3, 5);
    EXPECT_EQ(across.Top, turned.CellOrigin(5, 2).Y);
    EXPECT_EQ(across.Bottom, turned.CellOrigin(3, 2).Y + 6 + 1);
    EXPECT_EQ(across.Right, turned.CellOrigin(3, 2).X - 5 / 2);
    EXPECT_EQ(across.Right - across.Left, 2 * 5 - 2 * (5 / 2));
}

} // namespace
