// The block-design frame: drawing cells with the mouse, the undo steps, the commands on the
// design and on a selected area, the display settings and what they report.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "block_frame_test_support.h"
#include "foundation/generic_exception.h"
#include "framework/gui/control.h"
#include "framework/gui/message.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/display_profile.h"
#include "model/pattern_limits.h"
#include "model/user_settings.h"
#include "support/memory_use.h"

namespace {

using block_frame_test::BlockFrameTest;
using block_frame_test::Picture;
using block_frame_test::Report;
using block_frame_test::Rows;
using Strings = std::vector<std::string>;

// A cell's data that remembers a number, to follow the objects around.
class Marker : public TTWBlockDesignAssociatedData {
public:
    int Value = 0;
    std::string_view className() const override { return "Marker"; }
    fw::Object* NewInstance() const override { return new Marker; }
    void Assign(const fw::Persistent* source) override
    {
        if (const auto* marker = dynamic_cast<const Marker*>(source)) {
            Value = marker->Value;
            return;
        }
        TTWBlockDesignAssociatedData::Assign(source);
    }
    static const Marker& Class()
    {
        static const Marker one;
        return one;
    }
};

// A frame whose cells carry markers, as the brocade grid's carry their wefts.
class MarkedFrame : public TfrmBlockPattern {
public:
    explicit MarkedFrame(fw::Component* owner) : TfrmBlockPattern(owner)
    {
        // The designs are made in the base constructor, before this class's data class is
        // known: making them again gives them their markers.
        SetDesignItemClass(TTWBlockDesignItem());
    }
    TTWBlockDataClass GetAssociatedDataClass() const override { return &Marker::Class(); }
};

Marker* MarkerAt(TfrmBlockPattern& frame, int x, int y)
{
    return dynamic_cast<Marker*>(frame.CurrentDesign().GetCellData(x, y));
}

// --- Drawing with the mouse ------------------------------------------------------------------------

TEST_F(BlockFrameTest, AClickTogglesItsCellAndEveryClickIsItsOwnUndoStep)
{
    frame->SetPattern(Picture({"...", "...", "..."}));
    ClickCell(1, 1);
    EXPECT_EQ(Rows(*frame), (Strings{"...", ".#.", "..."}));
    ClickCell(1, 1);
    EXPECT_EQ(Rows(*frame), (Strings{"...", "...", "..."}));
    EXPECT_EQ(frame->UndoList().Count(), 2);

    frame->Undo();
    EXPECT_EQ(Rows(*frame), (Strings{"...", ".#.", "..."}));
    frame->Undo();
    EXPECT_EQ(Rows(*frame), (Strings{"...", "...", "..."}));
    // Back the other way through the hidden redo: to the state before the first undo.
    frame->Redo();
    frame->Redo();
    EXPECT_EQ(Rows(*frame), (Strings{"...", "...", "..."}));
    EXPECT_EQ(frame->UndoList().Index(), 2);
}

TEST_F(BlockFrameTest, AClickOutsideTheCellsChangesNothingAndPushesNoStep)
{
    frame->SetPattern(Picture({"..", ".."}));
    const fw::Rect last = frame->Geometry().CellRect(1, 0);
    Driver().Click(Driver().PointOf(*frame->imgMain, fw::Point{last.Right + 5, last.Bottom + 5}));
    EXPECT_EQ(Rows(*frame), (Strings{"..", ".."}));
    EXPECT_EQ(frame->UndoList().Count(), 0);
}

TEST_F(BlockFrameTest, ALeftDragSetsTheCellsItEntersAndLeavesSetCellsSet)
{
    frame->SetPattern(Picture({"....", "..#.", "...."}));
    Drag({{0, 1}, {1, 1}, {2, 1}, {3, 1}});
    EXPECT_EQ(Rows(*frame), (Strings{"....", "####", "...."}));
    // One step for the whole stroke, pushed by the press.
    EXPECT_EQ(frame->UndoList().Count(), 1);
}

TEST_F(BlockFrameTest, ARightDragClearsOnlySetCells)
{
    frame->SetPattern(Picture({"#.#.", "....", "...."}));
    // The press toggles the first cell (set: cleared); the drag then only rubs out.
    Drag({{0, 2}, {1, 2}, {2, 2}, {3, 2}}, fw::MouseButton::Right);
    EXPECT_EQ(Rows(*frame), (Strings{"....", "....", "...."}));
}

TEST_F(BlockFrameTest, ShiftWithTheLeftButtonTogglesEveryCellEntered)
{
    frame->SetPattern(Picture({"#.#.", "....", "...."}));
    Driver().SetModifiers(fw::ShiftState{fw::ShiftFlag::Shift});
    Drag({{0, 0}, {0, 1}, {0, 2}});
    Driver().SetModifiers(fw::ShiftState{});
    EXPECT_EQ(Rows(*frame), (Strings{"..#.", "#...", "#..."}));
}

TEST_F(BlockFrameTest, MovingShowsTheCellUnderThePointer)
{
    frame->SetPattern(Picture({"...", "..."}));
    Driver().MoveTo(CellPoint(2, 1));
    EXPECT_EQ(frame->pnlPosition->Caption(), "3 / 2");
    Driver().MoveTo(Driver().PointOf(*frame->imgMain, fw::Point{400, 400}));
    EXPECT_EQ(frame->pnlPosition->Caption(), "");
}

TEST_F(BlockFrameTest, AVetoKeepsTheCellAndTheChangeIsTold)
{
    frame->SetPattern(Picture({"...", "..."}));
    std::vector<std::string> told;
    frame->OnCellChanging = [](int x, int, bool) { return x != 0; };
    frame->OnCellChanged = [&](int x, int y, bool value) {
        told.push_back(std::to_string(x) + "," + std::to_string(y) + (value ? "+" : "-"));
    };
    ClickCell(0, 0);
    ClickCell(2, 1);
    EXPECT_EQ(Rows(*frame), (Strings{"..#", "..."}));
    EXPECT_EQ(told, (std::vector<std::string>{"2,1+"}));
}

// --- Undo --------------------------------------------------------------------------------------

TEST_F(BlockFrameTest, UndoOnAFreshFrameDoesNothing)
{
    frame->SetPattern(Picture({"#.", ".#"}));
    frame->PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"#.", ".#"}));
    EXPECT_EQ(frame->UndoList().Count(), 0);
}

TEST_F(BlockFrameTest, AnUndoAfterAnImportBringsBackTheOldSizeAndTellsTheHost)
{
    frame->SetPattern(Picture({"#..", "...", "..#"}));
    frame->SetEditMode(1);
    frame->SetArea(TBlockArea{0, 0, 2, 2});
    std::vector<std::pair<int, int>> sizes;
    frame->OnImportSize = [&](int width, int height) { sizes.emplace_back(width, height); };

    ASSERT_TRUE(frame->ImportPicture(Picture({"#####", "....."})));
    EXPECT_EQ(frame->GridWidth(), 5);
    EXPECT_EQ(frame->GridHeight(), 2);
    EXPECT_FALSE(frame->Area().Exists());

    frame->PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(frame->GridWidth(), 3);
    EXPECT_EQ(frame->GridHeight(), 3);
    EXPECT_EQ(Rows(*frame), (Strings{"#..", "...", "..#"}));
    EXPECT_EQ(frame->AreaSource().Width(), 3);
    EXPECT_EQ(frame->AreaUndo().Height(), 3);
    EXPECT_EQ(frame->ColumnOnColour(2), frame->ForegroundColour());
    EXPECT_EQ(frame->ColumnOnColour(3), TfrmBlockPattern::NoColumnColour);
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{5, 2}, {3, 3}}));

    // And forward again to the imported design.
    frame->Redo();
    EXPECT_EQ(Rows(*frame), (Strings{"#####", "....."}));
    EXPECT_EQ(sizes.back(), (std::pair<int, int>{5, 2}));
}

TEST_F(BlockFrameTest, ANewPatternOrAClearedGridForgetsTheOldSteps)
{
    frame->SetPattern(Picture({"....", "....", "....", "...."}));
    ClickCell(3, 3);
    ASSERT_EQ(frame->UndoList().Count(), 1);
    // Another letter's design: an undo must never bring the first one's cells into it.
    frame->SetPattern(Picture({"#.", ".."}));
    EXPECT_EQ(frame->UndoList().Count(), 0);
    frame->Undo();
    EXPECT_EQ(Rows(*frame), (Strings{"#.", ".."}));

    ClickCell(1, 0);
    frame->ClearGrid();
    EXPECT_EQ(frame->UndoList().Count(), 0);
    EXPECT_EQ(frame->GridWidth(), 0);
    EXPECT_EQ(frame->GridHeight(), 0);
}

// --- Import and patterns -------------------------------------------------------------------------

TEST_F(BlockFrameTest, AColourPictureIsRefusedAndLeavesDesignAndStepsAlone)
{
    frame->SetPattern(Picture({"#.", ".#"}));
    ClickCell(0, 0);
    fw::Bitmap colour(4, 4);
    colour.SetPixel(1, 1, 0x00FF00);

    EXPECT_FALSE(frame->ImportPicture(colour));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "This is not a monochrome image.");
    EXPECT_EQ(Rows(*frame), (Strings{"#.", "##"}));
    EXPECT_EQ(frame->UndoList().Count(), 1);

    EXPECT_FALSE(frame->ImportPicture(fw::Bitmap(0, 0, true)));
    EXPECT_EQ(boxes.back().Text, "Invalid image size.");
    EXPECT_EQ(frame->UndoList().Count(), 1);
}

// A design's columns are its cards: a picture that would give more than a pattern may have
// is refused before anything changes, whichever side of it becomes the columns.
TEST_F(BlockFrameTest, APictureWiderThanAPatternMayBeIsRefusedAndLeavesDesignAndStepsAlone)
{
    const std::string tooWide = "Invalid pattern width (" + std::to_string(MaxPatternCards + 1)
                                + ").\r\nA pattern has at most " + std::to_string(MaxPatternCards) + " cards.";
    frame->SetPattern(Picture({"#.", ".#"}));
    ClickCell(0, 0);
    std::vector<std::pair<int, int>> sizes;
    frame->OnImportSize = [&](int width, int height) { sizes.emplace_back(width, height); };

    EXPECT_FALSE(frame->ImportPicture(Picture({std::string(MaxPatternCards + 1, '#'), std::string(MaxPatternCards + 1, '.')})));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, tooWide);
    EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(frame->GridWidth(), 2);
    EXPECT_EQ(Rows(*frame), (Strings{"#.", "##"}));
    EXPECT_EQ(frame->UndoList().Count(), 1);
    EXPECT_TRUE(sizes.empty());

    // Turned with the screen, the picture's rows become the columns: a tall picture is as
    // wide as it is high, and a wide one as narrow as it is low.
    frame->SetOrientation(TTWOrientation::Horizontal);
    frame->SetImportFollowsOrientation(true);
    EXPECT_FALSE(frame->ImportPicture(Picture(std::vector<std::string>(MaxPatternCards + 1, "#."))));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Text, tooWide);
    EXPECT_EQ(frame->GridWidth(), 2);
    EXPECT_EQ(frame->UndoList().Count(), 1);

    ASSERT_TRUE(frame->ImportPicture(Picture({std::string(MaxPatternCards + 1, '#'), std::string(MaxPatternCards + 1, '.')})));
    EXPECT_EQ(frame->GridWidth(), 2);
    EXPECT_EQ(frame->GridHeight(), MaxPatternCards + 1);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(BlockFrameTest, APictureOfMoreCellsThanADesignMayHaveIsRefused)
{
    // 10 columns by one row more than a design read from a file may hold: saved, it would not
    // open again.
    const int columns = 10;
    const int rows = static_cast<int>(MaxDesignCells / columns);
    frame->SetPattern(Picture({"#.", ".#"}));
    fw::Bitmap tooLarge(columns, rows + 1, true);
    tooLarge.FillRect(tooLarge.Bounds(), fw::Bitmap::Black);
    EXPECT_FALSE(frame->ImportPicture(tooLarge));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Pattern too large (10 x " + std::to_string(rows + 1)
                                 + " cells).\r\nA pattern has at most " + std::to_string(MaxDesignCells) + " cells.");
    EXPECT_EQ(frame->GridWidth(), 2);
    EXPECT_EQ(frame->GridHeight(), 2);
    EXPECT_EQ(frame->UndoList().Count(), 0);

    ASSERT_TRUE(frame->ImportPicture(Picture(std::vector<std::string>(static_cast<std::size_t>(rows),
                                                                      std::string(columns, '#')))));
    EXPECT_EQ(frame->GridHeight(), rows);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(BlockFrameTest, APictureAsWideAsAPatternMayBeIsImported)
{
    ASSERT_TRUE(frame->ImportPicture(Picture({std::string(MaxPatternCards, '#'), std::string(MaxPatternCards, '.')})));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frame->GridWidth(), MaxPatternCards);
    EXPECT_EQ(frame->GridHeight(), 2);
    EXPECT_TRUE(frame->IsCellSet(MaxPatternCards - 1, 1));
    EXPECT_FALSE(frame->IsCellSet(MaxPatternCards - 1, 0));
}

// An editor may cut the picture to the width it takes (a letter is as high as its font):
// only the width that reaches the design counts.
TEST_F(BlockFrameTest, APictureCutToWidthByTheEditorIsNotRefused)
{
    frame->OnImportBitmap = [](fw::Bitmap& bitmap) { bitmap.SetWidth(3); };
    ASSERT_TRUE(frame->ImportPicture(Picture({std::string(MaxPatternCards + 1, '#')})));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frame->GridWidth(), 3);
}

TEST_F(BlockFrameTest, AnImportInHorizontalOrientationCanFollowTheScreen)
{
    frame->SetOrientation(TTWOrientation::Horizontal);
    frame->SetImportFollowsOrientation(true);
    ASSERT_TRUE(frame->ImportPicture(Picture({"##.", "..."})));
    // The picture's rows become the design's columns, as the screen shows the design turned.
    EXPECT_EQ(frame->GridWidth(), 2);
    EXPECT_EQ(frame->GridHeight(), 3);
    EXPECT_EQ(Rows(*frame), (Strings{".#", ".#", ".."}));
}

TEST_F(BlockFrameTest, SetPatternRefusesAColourBitmap)
{
    try {
        frame->SetPattern(fw::Bitmap(2, 2, false));
        FAIL() << "a colour bitmap was taken";
    } catch (const TGenericException& error) {
        EXPECT_STREQ(error.what(), "Cannot set pattern.\r\nThe specified bitmap is not a monochrome image.");
    }
    EXPECT_EQ(frame->GridWidth(), 0);
}

// --- Commands on the design ----------------------------------------------------------------------

TEST_F(BlockFrameTest, ShiftsMoveTheDesignInScreenDirectionsInBothOrientations)
{
    frame->SetPattern(Picture({"....", ".#..", "...."}));
    frame->PerformAction(TWAction::ShiftRight, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"....", "..#.", "...."}));
    frame->PerformAction(TWAction::ShiftUp, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"..#.", "....", "...."}));
    EXPECT_EQ(frame->UndoList().Count(), 2);

    // Turned a quarter anticlockwise, the screen's "up" is the design's next column.
    frame->SetOrientation(TTWOrientation::Horizontal);
    frame->PerformAction(TWAction::ShiftUp, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"...#", "....", "...."}));
    frame->PerformAction(TWAction::ShiftRight, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"....", "...#", "...."}));
}

TEST_F(BlockFrameTest, ShiftingASelectedAreaMovesItAndItsSelection)
{
    UserSettings().General.CutSelection = false;
    frame->SetPattern(Picture({"....", ".##.", "...."}));
    frame->SetEditMode(1);
    frame->SetArea(TBlockArea{1, 1, 2, 1});
    std::vector<std::string> shifts;
    frame->OnShift = [&](const TBlockArea& area, int dx, int dy) {
        shifts.push_back(std::to_string(area.X1) + ".." + std::to_string(area.X2) + " by " + std::to_string(dx) + "," +
                         std::to_string(dy));
    };
    frame->PerformAction(TWAction::ShiftDown, false, nullptr);
    // The area's old place shows the design as it was when area mode began.
    EXPECT_EQ(Rows(*frame), (Strings{"....", ".##.", ".##."}));
    EXPECT_EQ(frame->Area(), (TBlockArea{1, 0, 2, 0}));
    EXPECT_EQ(shifts, (std::vector<std::string>{"1..2 by 0,-1"}));
}

TEST_F(BlockFrameTest, InvertAndClearActOnTheAreaOrAfterAskingOnTheWholeDesign)
{
    frame->SetPattern(Picture({"#..", "...", "..."}));
    frame->PerformAction(TWAction::Invert, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".##", "###", "###"}));

    answers.push_back(fw::mrNo);
    frame->PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(boxes.back().Text, "Clear the entire pattern?");
    EXPECT_EQ(Rows(*frame), (Strings{".##", "###", "###"}));

    frame->SetEditMode(1);
    frame->SetArea(TBlockArea{0, 0, 1, 1});
    std::vector<TBlockArea> cleared;
    frame->OnAreaCleared = [&](const TBlockArea& area, int, int) { cleared.push_back(area); };
    const std::size_t asked = boxes.size();
    frame->PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(boxes.size(), asked);
    EXPECT_EQ(Rows(*frame), (Strings{".##", "..#", "..#"}));
    EXPECT_EQ(cleared, (std::vector<TBlockArea>{{0, 0, 1, 1}}));
}

TEST_F(BlockFrameTest, MirrorsFollowTheScreenAndPushNoStep)
{
    frame->SetPattern(Picture({"#..", "...", ".#."}));
    frame->PerformAction(TWAction::MirrorHorizontal, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".#.", "...", "#.."}));
    frame->PerformAction(TWAction::MirrorVertical, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".#.", "...", "..#"}));
    EXPECT_EQ(frame->UndoList().Count(), 0);

    frame->SetOrientation(TTWOrientation::Horizontal);
    frame->PerformAction(TWAction::MirrorHorizontal, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".#.", "...", "#.."}));
}

TEST_F(BlockFrameTest, MirroringMovesTheCellsDataWithThem)
{
    // Owned here: the host already holds a frame of that name.
    auto marked = std::make_unique<MarkedFrame>(nullptr);
    marked->SetParent(host.get());
    marked->SetPattern(Picture({"#..", "...", "..."}));
    Marker* corner = MarkerAt(*marked, 0, 2);
    corner->Value = 7;
    marked->PerformAction(TWAction::MirrorVertical, false, nullptr);
    EXPECT_EQ(MarkerAt(*marked, 2, 2), corner);
    EXPECT_EQ(Rows(*marked), (Strings{"..#", "...", "..."}));
}

TEST_F(BlockFrameTest, NewRowsComeAtTheBottomAndTheDataStaysOnItsCells)
{
    // Owned here: the host already holds a frame of that name.
    auto marked = std::make_unique<MarkedFrame>(nullptr);
    marked->SetParent(host.get());
    marked->SetPattern(Picture({"#.", ".."}));
    Marker* top = MarkerAt(*marked, 0, 1);
    top->Value = 3;
    marked->SetGridHeight(4);
    EXPECT_EQ(Rows(*marked), (Strings{"#.", "..", "..", ".."}));
    EXPECT_EQ(MarkerAt(*marked, 0, 3), top);
    marked->SetGridHeight(1);
    EXPECT_EQ(Rows(*marked), (Strings{"#."}));
    EXPECT_EQ(MarkerAt(*marked, 0, 0), top);
    EXPECT_EQ(top->Value, 3);
}

TEST_F(BlockFrameTest, ActionsWithoutAMeaningHereAnswerTrueAndChangeNothing)
{
    frame->SetPattern(Picture({"#.", ".#"}));
    ClickCell(0, 0);
    const Strings before = Rows(*frame);
    const int steps = frame->UndoList().Count();
    for (const std::int32_t id : {TWAction::Redo, TWAction::RealignPattern, TWAction::CardSetup}) {
        EXPECT_TRUE(frame->PerformAction(id, false, nullptr));
        EXPECT_EQ(Rows(*frame), before);
        EXPECT_EQ(frame->UndoList().Count(), steps);
    }
}

// --- Area selection ------------------------------------------------------------------------------

TEST_F(BlockFrameTest, DraggingInAreaModeSelectsAndLiftsTheAreaOnRelease)
{
    UserSettings().General.CutSelection = true;
    frame->SetPattern(Picture({"....", ".##.", "...."}));
    frame->PerformAction(TWAction::SelectArea, true, nullptr);
    EXPECT_TRUE(Reported(Report{TWAction::SelectArea, true, true, true}));
    Drag({{1, 1}, {2, 1}});
    EXPECT_EQ(frame->Area(), (TBlockArea{1, 1, 2, 1}));
    EXPECT_TRUE(frame->SelectionShown());
    // Lifted: the design is unchanged, but what lies under the area is now empty.
    EXPECT_EQ(Rows(*frame), (Strings{"....", ".##.", "...."}));
    frame->PerformAction(TWAction::ShiftUp, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".##.", "....", "...."}));

    frame->PerformAction(TWAction::UndoArea, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"....", ".##.", "...."}));
    EXPECT_EQ(frame->Area(), (TBlockArea{1, 1, 2, 1}));
}

TEST_F(BlockFrameTest, AnAreaStartedBesideTheCellsStartsAtTheNearestOne)
{
    UserSettings().General.CutSelection = false;
    frame->SetPattern(Picture({"....", ".##.", "...."}));
    frame->SetShowPickTags(true);
    frame->SetEditMode(1);
    ASSERT_TRUE(frame->Geometry().MarginInUse());
    // On the pick tags right of row 1, then on the card tags under column 2.
    const fw::Rect row = frame->Geometry().CellRect(3, 1);
    frame->ImageMouseDown(fw::MouseButton::Left, fw::ShiftState{}, row.Right + 3, row.Top + 2);
    EXPECT_EQ(frame->Area(), (TBlockArea{3, 1, 3, 1}));
    EXPECT_EQ(frame->AreaAnchor(), frame->Area());
    const fw::Rect column = frame->Geometry().CellRect(2, 0);
    frame->ImageMouseMove(fw::ShiftState{fw::ShiftFlag::Left}, column.Left + 2, column.Bottom + 4);
    EXPECT_EQ(frame->Area(), (TBlockArea{3, 1, 2, 0}));
    frame->ImageMouseUp(fw::MouseButton::Left, fw::ShiftState{}, column.Left + 2, column.Bottom + 4);
    EXPECT_EQ(Rows(*frame), (Strings{"....", ".##.", "...."}));
}

TEST_F(BlockFrameTest, WithoutCuttingAShiftedAreaUncoversTheDesignBeneath)
{
    UserSettings().General.CutSelection = false;
    frame->SetPattern(Picture({"....", ".##.", "...."}));
    frame->SetEditMode(1);
    Drag({{1, 1}, {2, 1}});
    frame->PerformAction(TWAction::ShiftUp, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{".##.", ".##.", "...."}));
}

TEST_F(BlockFrameTest, TheSelectionShowsOverTheCellsAndGoesWithoutATrace)
{
    frame->SetPattern(Picture({"....", ".##.", "...."}));
    const fw::Bitmap before = frame->MainImage();
    frame->SetEditMode(1);
    frame->SetArea(TBlockArea{0, 1, 1, 1});
    // Inside the area's edge: red over a clear cell, its opposite over a set one.
    const fw::Rect clear = frame->Geometry().CellRect(0, 1);
    const fw::Rect set = frame->Geometry().CellRect(1, 1);
    EXPECT_EQ(frame->MainImage().Pixel(clear.Left + 1, clear.Top + 4), 0x0000FFu);
    EXPECT_EQ(frame->MainImage().Pixel(set.Left + 4, set.Top + 1), 0xFFFF00u);
    EXPECT_EQ(frame->MainImage().Pixel(set.Left + 4, set.Top + 4), fw::clBlack);
    frame->SetEditMode(0);
    EXPECT_TRUE(frame->MainImage().SamePixels(before));
}

TEST_F(BlockFrameTest, CommandsThatNeedAnAreaDoNothingWithoutOne)
{
    frame->SetPattern(Picture({"#.", ".#"}));
    frame->SetEditMode(1);
    for (const std::int32_t id : {TWAction::Invert, TWAction::ClearDesign, TWAction::ShiftLeft,
                                  TWAction::MirrorVertical, TWAction::CopySelection, TWAction::CutSelection}) {
        frame->PerformAction(id, false, nullptr);
    }
    EXPECT_EQ(Rows(*frame), (Strings{"#.", ".#"}));
    EXPECT_EQ(frame->UndoList().Count(), 0);
}

TEST_F(BlockFrameTest, PastingAClipLandsAtTheAreaAndIsCutAtTheGridsEdge)
{
    frame->SetPattern(Picture({"....", "....", "...."}));
    TTWBlockDesignItem clip(nullptr, nullptr);
    clip.SetSize(3, 2);
    clip.Bitmap().Assign(Picture({"###", "#.#"}));
    frame->SetEditMode(1);
    frame->SetArea(TBlockArea{2, 1, 2, 1});
    frame->PasteClip(&clip);
    // The clip's top row on the area's row, its left column on the area's column; the third
    // column lies outside and is dropped.
    EXPECT_EQ(Rows(*frame), (Strings{"....", "..##", "..#."}));
    EXPECT_EQ(frame->Area(), (TBlockArea{2, 0, 3, 1}));
    EXPECT_EQ(frame->UndoList().Count(), 0);

    frame->PerformAction(TWAction::UndoArea, false, nullptr);
    EXPECT_EQ(Rows(*frame), (Strings{"....", "....", "...."}));
}

TEST_F(BlockFrameTest, PastingWithoutAnAreaUsesTheTopLeftCellOnScreen)
{
    frame->SetPattern(Picture({"...", "...", "..."}));
    TTWBlockDesignItem clip(nullptr, nullptr);
    clip.SetSize(2, 1);
    clip.Bitmap().Assign(Picture({"##"}));
    frame->PasteClip(&clip);
    EXPECT_EQ(frame->EditMode(), 1);
    EXPECT_EQ(Rows(*frame), (Strings{"##.", "...", "..."}));

    // Turned, the top left of the screen is the last column's top row, and the clip runs
    // back from it.
    frame->SetArea(TBlockArea{});
    frame->SetPattern(Picture({"...", "...", "..."}));
    frame->SetOrientation(TTWOrientation::Horizontal);
    frame->PasteClip(&clip);
    EXPECT_EQ(Rows(*frame), (Strings{".##", "...", "..."}));
}

TEST_F(BlockFrameTest, PastingSomethingElseIsRefusedByName)
{
    frame->SetPattern(Picture({"..", ".."}));
    TTWBlockDesignAssociatedData notAClip;
    try {
        frame->PasteClip(&notAClip);
        FAIL() << "pasted";
    } catch (const TGenericException& error) {
        EXPECT_STREQ(error.what(), "Unable to paste clip selection.\r\nThe source data is invalid.\r\n\r\nSource "
                                   "Data Type = TTWBlockDesignAssociatedData");
    }
    EXPECT_EQ(Rows(*frame), (Strings{"..", ".."}));
}

// --- Display settings --------------------------------------------------------------------------

TEST_F(BlockFrameTest, ZoomAndRatiosStayWithinTheirRanges)
{
    frame->SetPattern(Picture({"#"}));
    frame->SetZoom(10);
    frame->PerformAction(TWAction::ZoomIn, false, nullptr);
    EXPECT_EQ(frame->GetZoom(), 10);
    EXPECT_EQ(frame->CellWidth(), 20);
    frame->SetZoom(1);
    frame->PerformAction(TWAction::ZoomOut, false, nullptr);
    EXPECT_EQ(frame->GetZoom(), 1);

    frame->SetBaseWidth(0.5);
    EXPECT_EQ(frame->GetBaseWidth(), 2.0);
    frame->SetBaseWidth(1.0);
    EXPECT_EQ(frame->GetBaseWidth(), 1.0);
    EXPECT_EQ(frame->CellWidth(), 1);
}

TEST_F(BlockFrameTest, TheStatesReportedFollowTheSettings)
{
    frame->SetShowGrid(false);
    EXPECT_TRUE(Reported(Report{TWAction::ShowGrid, true, true, false}));
    frame->SetShowPickTags(true);
    EXPECT_TRUE(Reported(Report{TWAction::ShowGridTags, true, true, true}));
    frame->SetShowTwist(true);
    EXPECT_TRUE(Reported(Report{TWAction::ShowTwining, true, true, true}));

    // Staggered cells switch simple drawing, the basic pattern and the twining marks off and
    // take the area and twining tools away.
    frame->SetStaggered(true);
    EXPECT_FALSE(frame->GetSimpleDraw());
    EXPECT_FALSE(frame->GetShowBasicPattern());
    EXPECT_FALSE(frame->GetShowTwist());
    frame->SetSimpleDraw(true);
    EXPECT_FALSE(frame->GetSimpleDraw());
    EXPECT_FALSE(frame->btnModeArea->Visible());
    EXPECT_FALSE(frame->IsTwistButtonVisible());
    EXPECT_TRUE(Reported(Report{TWAction::SelectArea, true, false, false}));
    EXPECT_TRUE(Reported(Report{TWAction::ShowTwining, true, true, false}));

    // A profile captured where the marks were on cannot bring back what no tool could take
    // away again.
    TTWDesignProfileBlock profile;
    profile.Zoom = 3;
    profile.BaseWidth = 1.0;
    profile.BaseHeight = 1.0;
    profile.ShowTwist = true;
    profile.ApplyTo(*frame);
    EXPECT_EQ(frame->GetZoom(), 3);
    EXPECT_FALSE(frame->GetShowTwist());

    TTWToolActionList list;
    frame->GetToolActions(list);
    EXPECT_NE(list.Find(TWAction::ShowGrid), nullptr);
    EXPECT_EQ(list.Find(TWAction::SelectArea), nullptr);
    EXPECT_EQ(list.Find(TWAction::ShowTwining), nullptr);
}

TEST_F(BlockFrameTest, AWeavingImageProfileIsRefusedByTheGridAndChangesNothing)
{
    frame->SetZoom(4);
    TTWDesignProfileWeavingImage image;
    image.Zoom = 9;
    image.ShowGrid = false;
    try {
        image.ApplyTo(*frame);
        ADD_FAILURE() << "the grid took a weaving-image profile";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Unable to apply profile setting to the control.\r\n"
                                   "TfrmBlockPattern is not a descendant of TfrmWeavingImage.");
        ASSERT_GT(error.InfoCount(), 0);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "ApplyTo");
    }
    try {
        image.GetFrom(*frame);
        ADD_FAILURE() << "a weaving-image profile read the grid";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Unable to retrieve profile setting from the control.\r\n"
                                   "TfrmBlockPattern is not a descendant of TfrmWeavingImage.");
    }
    EXPECT_EQ(frame->GetZoom(), 4);
    EXPECT_TRUE(frame->GetShowGrid());
    EXPECT_EQ(frame->UpdateCount(), 0);
    EXPECT_EQ(image.Zoom, 9);
}

TEST_F(BlockFrameTest, TheOverviewStandsWhereTheLayoutSettingsPutIt)
{
    TTWSnapshotPanel& layout = UserSettings().Layout.SnapshotPanel;
    const auto placed = [](TfrmBlockPattern& grid) {
        return std::vector<int>{static_cast<int>(grid.pnlSnapshot->Align()), static_cast<int>(grid.Splitter1->Align()),
                                static_cast<int>(grid.pnlStats->Align())};
    };
    const auto side = [](fw::Align align) {
        return std::vector<int>{static_cast<int>(align), static_cast<int>(align), static_cast<int>(fw::Align::Bottom)};
    };
    const auto edge = [](fw::Align align) {
        return std::vector<int>{static_cast<int>(align), static_cast<int>(align), static_cast<int>(fw::Align::Left)};
    };

    // Following the orientation (Pos 0): the vertical place, the horizontal one once turned.
    layout = TTWSnapshotPanel{0, 3, 4};
    // Owned here: the host already holds a frame of that name.
    auto dynamic = std::make_unique<TfrmBlockPattern>(nullptr);
    dynamic->SetParent(host.get());
    EXPECT_EQ(placed(*dynamic), side(fw::Align::Right));
    EXPECT_EQ(dynamic->pnlSnapshot->Width(), 75);
    EXPECT_EQ(dynamic->pnlStats->Height(), 52);
    EXPECT_EQ(dynamic->Splitter1->Width(), 3);
    dynamic->SetOrientation(TTWOrientation::Horizontal);
    EXPECT_EQ(placed(*dynamic), edge(fw::Align::Bottom));
    EXPECT_EQ(dynamic->pnlSnapshot->Height(), 75);
    EXPECT_EQ(dynamic->pnlStats->Width(), 75);
    EXPECT_EQ(dynamic->Splitter1->Height(), 3);
    dynamic->SetOrientation(TTWOrientation::Vertical);
    EXPECT_EQ(placed(*dynamic), side(fw::Align::Right));

    // Always vertical (Pos 1) or always horizontal (Pos 2): the orientation leaves it alone.
    layout = TTWSnapshotPanel{1, 1, 2};
    auto vertical = std::make_unique<TfrmBlockPattern>(nullptr);
    vertical->SetParent(host.get());
    vertical->SetOrientation(TTWOrientation::Horizontal);
    EXPECT_EQ(placed(*vertical), side(fw::Align::Left));
    layout = TTWSnapshotPanel{2, 1, 2};
    auto horizontal = std::make_unique<TfrmBlockPattern>(nullptr);
    horizontal->SetParent(host.get());
    EXPECT_EQ(placed(*horizontal), edge(fw::Align::Top));
    horizontal->SetOrientation(TTWOrientation::Horizontal);
    horizontal->SetOrientation(TTWOrientation::Vertical);
    EXPECT_EQ(placed(*horizontal), edge(fw::Align::Top));
}

TEST_F(BlockFrameTest, TheToolListOffersTheAreaToolsOnlyInAreaMode)
{
    TTWToolActionList list;
    frame->GetToolActions(list);
    ASSERT_NE(list.Find(TWAction::CopySelection), nullptr);
    EXPECT_FALSE(list.Find(TWAction::CopySelection)->Enabled);
    EXPECT_EQ(list.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
    EXPECT_EQ(list.Find(TWAction::Redo), nullptr);

    frame->SetEditMode(1);
    frame->SetSimpleDraw(false);
    TTWToolActionList area;
    frame->GetToolActions(area);
    EXPECT_TRUE(area.Find(TWAction::CopySelection)->Enabled);
    EXPECT_TRUE(area.Find(TWAction::SelectArea)->Down);
    EXPECT_NE(area.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
}

// --- Drawing -----------------------------------------------------------------------------------

TEST_F(BlockFrameTest, APostedRepaintDrawsTheOneCellOnceTheEventIsOver)
{
    frame->SetPattern(Picture({".....", ".....", "....."}));
    frame->SetSimpleDraw(false);
    frame->SetShowBasicPattern(false);
    const fw::Rect cell = frame->Geometry().CellRect(1, 0);
    const fw::Point inside{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
    const fw::Rect other = frame->Geometry().CellRect(4, 2);
    const fw::Point elsewhere{(other.Left + other.Right) / 2, (other.Top + other.Bottom) / 2};
    // What the view shows, unscrolled, once all it waits for is done.
    const auto shown = [this](fw::Point at) { return fw::RenderToBitmap(*frame->imgMain).Pixel(at.X, at.Y); };
    fw::ProcessPostedMessages();
    shown(inside);
    const fw::Color before = shown(inside);
    const fw::Color otherBefore = shown(elsewhere);
    // An editor changed what a cell shows behind the frame's back (a brocade weft) and asks
    // for that cell to be drawn again.
    frame->OnAdjustCellInfo = [](TBlockCellInfo& info) {
        info.FirstColour = info.SecondColour = 0x123456;
    };
    frame->PostCellRepaint(1, 0);
    EXPECT_EQ(shown(inside), before);
    fw::ProcessPostedMessages();
    EXPECT_EQ(shown(inside), 0x123456u);
    EXPECT_EQ(shown(elsewhere), otherBefore);
}

// A design of pseudo-random cells, the same every time.
fw::Bitmap ScatteredDesign(int columns, int rows)
{
    fw::Bitmap design(columns, rows, true);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            if ((x * 7 + y * 13 + x * y) % 5 < 2) {
                design.SetPixel(x, y, fw::Bitmap::Black);
            }
        }
    }
    return design;
}

TEST_F(BlockFrameTest, TheViewShowsTheCellsUnderItWhereverItIsScrolled)
{
    frame->SetPattern(ScatteredDesign(190, 150));
    frame->SetShowPickTags(true);
    const fw::Color around = fw::ColorToRGB(frame->imgMain->Color());
    for (const TTWOrientation orientation : {TTWOrientation::Vertical, TTWOrientation::Horizontal}) {
        frame->SetOrientation(orientation);
        frame->SetEditMode(1);
        frame->SetArea(TBlockArea{3, 2, 60, 80});
        const fw::Bitmap whole = frame->MainImage();
        // Larger than the view both ways.
        ASSERT_GT(whole.Width(), 2 * frame->imgMain->ClientWidth()) << frame->CellWidth();
        ASSERT_GT(whole.Height(), 2 * frame->imgMain->ClientHeight()) << frame->CellHeight();
        // Small steps move what is shown and paint the strips that come into view; jumps
        // paint all of it; the far end shows the margin with its tags.
        for (const fw::Point step : {fw::Point{0, 0}, fw::Point{10, 0}, fw::Point{10, 23}, fw::Point{333, 517},
                                     fw::Point{321, 505}, fw::Point{whole.Width(), whole.Height()},
                                     fw::Point{5, 7}}) {
            frame->scrMain->ScrollTo(step);
            const fw::Point at = frame->scrMain->ScrollOffset();
            const fw::Bitmap shown = fw::RenderToBitmap(*frame->imgMain);
            ASSERT_GT(shown.Width(), 300);
            for (int y = 0; y < shown.Height(); ++y) {
                for (int x = 0; x < shown.Width(); ++x) {
                    const fw::Color expected =
                        whole.Contains(at.X + x, at.Y + y) ? whole.Pixel(at.X + x, at.Y + y) : around;
                    ASSERT_EQ(shown.Pixel(x, y), expected)
                        << "scroll " << at.X << "," << at.Y << " at " << x << "," << y;
                }
            }
        }
        frame->SetEditMode(0);
        // A click on the scrolled view changes the cell under the pointer, and it shows.
        const fw::Rect cell = frame->Geometry().CellRect(7, 5);
        frame->scrMain->ScrollTo(fw::Point{cell.Left - 40, cell.Top - 30});
        const bool wasSet = frame->IsCellSet(7, 5);
        ClickCell(7, 5);
        EXPECT_NE(frame->IsCellSet(7, 5), wasSet);
        const fw::Point at = frame->scrMain->ScrollOffset();
        const fw::Bitmap shown = fw::RenderToBitmap(*frame->imgMain);
        const fw::Bitmap after = frame->MainImage();
        for (const fw::Point p : {fw::Point{cell.Left + 3, cell.Top + 3}, fw::Point{cell.Right - 2, cell.Bottom - 2}}) {
            EXPECT_EQ(shown.Pixel(p.X - at.X, p.Y - at.Y), after.Pixel(p.X, p.Y));
            EXPECT_EQ(after.Pixel(p.X, p.Y), wasSet ? fw::clWhite : fw::clBlack);
        }
    }
}

TEST_F(BlockFrameTest, ItsMemoryFollowsTheWindowNotTheDesign)
{
    frame->SetZoom(10);
    fw::RenderToBitmap(*frame->imgMain);
    const fw::Bitmap design = ScatteredDesign(400, 300);
    const std::size_t before = HeapInUse();
    // 120,000 cells of 20 x 20 pixels: a picture of the whole design would take 192 MB. The
    // design, its area copies, the undo step and the overview take a few bytes a cell.
    frame->SetPattern(design);
    frame->PushUndo();
    frame->ToggleCellAt(fw::Point{10, 10});
    const fw::Bitmap shown = fw::RenderToBitmap(*frame->imgMain);
    const std::size_t after = HeapInUse();
    const std::size_t grown = after > before ? after - before : 0;
    EXPECT_LT(grown, std::size_t{32} * 400 * 300 + shown.Pixels().size() * 4 * 4);
    EXPECT_EQ(shown.Pixel(5, 5), frame->IsCellSet(0, 299) ? fw::clBlack : fw::clWhite);
}

TEST_F(BlockFrameTest, APictureOfAnotherShapeNeverMakesTheGridTheNewWidthAtTheOldLength)
{
    // A narrow, long design and a wide, short picture of a million cells each: the new width
    // at the old length would be a hundred million cells, gigabytes for a moment. The grid
    // holds the larger of the two designs at most on the way.
    frame->SetPattern(fw::Bitmap(10, 100'000, true));
    const PeakResidentGrowth peak;
    EXPECT_TRUE(frame->ImportPicture(fw::Bitmap(1000, 1000, true)));
    EXPECT_EQ(frame->GridWidth(), 1000);
    EXPECT_EQ(frame->GridHeight(), 1000);
    EXPECT_LT(peak.Bytes(), std::size_t{256} << 20);
}

TEST_F(BlockFrameTest, CellsOfOnePixelStillMapThePointer)
{
    frame->SetPattern(Picture({"#.", ".#"}));
    frame->SetZoom(1);
    frame->SetBaseWidth(1.0);
    frame->SetBaseHeight(1.0);
    EXPECT_EQ(frame->CellWidth(), 1);
    EXPECT_EQ(frame->CellHeight(), 1);
    Driver().MoveTo(Driver().PointOf(*frame->imgMain, fw::Point{0, 0}));
    EXPECT_EQ(frame->pnlPosition->Caption(), "1 / 2");
    Driver().MoveTo(Driver().PointOf(*frame->imgMain, fw::Point{1, 1}));
    EXPECT_EQ(frame->pnlPosition->Caption(), "2 / 1");
}

} // namespace
