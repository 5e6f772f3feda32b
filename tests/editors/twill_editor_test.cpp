// The 3/1 broken twill editor in the program: its staggered grid and long-float layer, the
// conversion of the design into turning actions column by column, realigning and importing,
// the cards in and out, and a twill file from the command line edited, saved and woven.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/radio_button.h"
#include "df_editor_test_support.h"
#include "editors/twill_editor.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twill_pattern.h"
#include "model/user_settings.h"
#include "shell/tool_actions.h"
#include "support/pick_texts.h"

namespace {

using df_editor_test::HoleIndexes;
using TwillEditor = TfrmTWDoubleFaceTwillNonMDI;

constexpr int Primary = 3;
constexpr int Secondary = 7;

class TwillEditorTest : public df_editor_test::DFEditorTest {
protected:
    void SetUp() override
    {
        DFEditorTest::SetUp();
        const TTWUserSettings& settings = UserSettings();
        saved_ = SavedSettings{settings.DoubleFace, settings.BrokenTwill, settings.ImageSizeRatios,
                               settings.DefaultRotations};
    }

    void TearDown() override
    {
        // The settings the tests change are the program's: the next test starts from the same.
        TTWUserSettings& settings = UserSettings();
        settings.DoubleFace = saved_.DoubleFace;
        settings.BrokenTwill = saved_.BrokenTwill;
        settings.ImageSizeRatios = saved_.ImageSizeRatios;
        settings.DefaultRotations = saved_.DefaultRotations;
        DFEditorTest::TearDown();
    }

    TwillEditor* ActiveTwill() { return dynamic_cast<TwillEditor*>(Main().ActiveMDIChild()); }

    TwillEditor& NewTwill()
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::BrokenTwillEditor));
        TwillEditor* editor = ActiveTwill();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    TwillEditor& OpenTwill(const std::filesystem::path& file)
    {
        Main().LoadFile(file.string());
        TwillEditor* editor = ActiveTwill();
        EXPECT_NE(editor, nullptr) << file;
        return *editor;
    }

private:
    struct SavedSettings {
        TTWDoubleFaceSettings DoubleFace;
        TTWBrokenTwillSettings BrokenTwill;
        TTWImageSizeRatios ImageSizeRatios;
        TTWDefaultRotations DefaultRotations;
    };
    SavedSettings saved_{};
};

// The holes of the two-colour twill's repeat: primary where the card's place puts it.
std::vector<int> RepeatHoles(int column)
{
    const int P = Primary;
    const int B = Secondary;
    const std::vector<int> table[4] = {{P, P, B, B}, {B, P, P, B}, {B, B, P, P}, {B, P, P, B}};
    return table[column % 4];
}

// A twill design whose cells and long floats follow the rules; two colours: cards by the
// repeat, four colours: holes 1 to 4 on every card.
template <class CellRule, class FloatRule>
std::unique_ptr<TTW31TwillPattern> MakeTwill(int width, int length, CellRule set, FloatRule floats,
                                             TTWTwillDirection background = TTWTwillDirection::S,
                                             int colourCount = 2)
{
    auto pattern = std::make_unique<TTW31TwillPattern>();
    pattern->SetName("Twill");
    pattern->SetSize(width, length);
    pattern->SetColourCount(colourCount);
    pattern->SetBackgroundTwill(background);
    for (int x = 0; x < width; ++x) {
        sample_patterns::AddCard(pattern->Cards(), x % 4 < 2 ? ThreadingS : ThreadingZ,
                                 colourCount == 2 ? RepeatHoles(x) : std::vector<int>{1, 2, 3, 4});
    }
    for (int y = 0; y < length; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern->SetCell(x, y, set(x, y));
            pattern->SetLongFloat(x, y, floats(x, y));
        }
    }
    return pattern;
}

bool None(int, int)
{
    return false;
}

// What one card does pick by pick: "F" or "B" for its turn, "V" before it for a twist; the
// picks separated by blanks.
std::string CardRun(const TTWPattern& pattern, int column)
{
    std::string run;
    for (const auto& pick : pattern.Picks()) {
        std::string step;
        for (int i = 0; i < pick->Actions().Count(); ++i) {
            const TTWAction& action = *pick->Actions().Items(i);
            if (action.CardNumber() != column + 1) {
                continue;
            }
            step += action.IsTwist() ? "V" : action.TurnDir() == TurnForwards ? "F" : "B";
        }
        run += (run.empty() ? "" : " ") + step;
    }
    return run;
}

std::unique_ptr<TTWPattern> EditorConversion(TwillEditor& editor)
{
    auto threaded = std::make_unique<TTWPattern>();
    editor.BuildThreadedPattern(*threaded);
    return threaded;
}

std::unique_ptr<TTWPattern> ModelConversion(TTW31TwillPattern& design)
{
    auto threaded = std::make_unique<TTWPattern>();
    design.ConvertToThreaded(*threaded);
    threaded->Palette().Assign(&design.Palette());
    return threaded;
}

fw::Point CellCentre(const TwillEditor& editor, int x, int y)
{
    const fw::Rect cell = editor.framePattern->Geometry().CellRect(x, y);
    return fw::Point{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
}

void ClickCell(TwillEditor& editor, int x, int y, fw::MouseButton button = fw::MouseButton::Left)
{
    const fw::Point at = CellCentre(editor, x, y);
    editor.framePattern->ImageMouseDown(button, fw::ShiftState{}, at.X, at.Y);
    editor.framePattern->ImageMouseUp(button, fw::ShiftState{}, at.X, at.Y);
}

void DragInto(TwillEditor& editor, int x, int y, fw::ShiftFlag held)
{
    const fw::Point at = CellCentre(editor, x, y);
    editor.framePattern->ImageMouseMove(fw::ShiftState{held}, at.X, at.Y);
}

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// --- A new window ---------------------------------------------------------------------------------

using TwillEditorNewTest = TwillEditorTest;

TEST_F(TwillEditorNewTest, ANewDesignIsStaggeredThreadedSAndTakesTheTwillSettings)
{
    // Settings a double-face window would read otherwise.
    UserSettings().DoubleFace.DefaultThread = 1;
    UserSettings().BrokenTwill.DefaultTwill = TTWTwillDirection::Z;
    UserSettings().ImageSizeRatios.Twill31 = TTWCellRatio{3, 5};
    UserSettings().DefaultRotations.Twill31 = TTWOrientation::Horizontal;
    TwillEditor& editor = NewTwill();
    EXPECT_EQ(editor.Caption(), "3/1 Broken Twill");
    EXPECT_TRUE(editor.framePattern->Staggered());
    EXPECT_EQ(editor.framePattern->GridWidth(), 8);
    EXPECT_EQ(editor.framePattern->GridHeight(), 12);
    ASSERT_EQ(editor.frameCards->CardCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(editor.frameCards->GetCardFrame(i)->Threading(), ThreadingS) << i;
    }
    EXPECT_TRUE(editor.ZTwillBackground());
    EXPECT_FALSE(editor.rbBackgroundSTwill->Checked());
    EXPECT_EQ(editor.framePattern->GetBaseWidth(), 3.0);
    EXPECT_EQ(editor.framePattern->GetBaseHeight(), 5.0);
    EXPECT_EQ(editor.framePattern->GetOrientation(), TTWOrientation::Horizontal);
    EXPECT_FALSE(editor.framePattern->btnShowBasicPattern->Visible());
    EXPECT_FALSE(editor.framePattern->btnModeArea->Visible());
    EXPECT_FALSE(editor.LongFloatMode());
    EXPECT_FALSE(editor.MarkLongFloats());

    UserSettings().BrokenTwill.DefaultTwill = TTWTwillDirection::S;
    TwillEditor& second = NewTwill();
    EXPECT_TRUE(second.rbBackgroundSTwill->Checked());
    EXPECT_FALSE(second.ZTwillBackground());
}

TEST_F(TwillEditorNewTest, ActivatedItTellsTheMainWindowItsOwnKindWhichHasNoClips)
{
    Main().SetClipPanelVisible(true);
    TwillEditor& editor = NewTwill();
    (void)editor;
    // A twill grid is staggered: no areas to copy, so the main window puts its clips away.
    EXPECT_FALSE(Main().pnlBitmapClips->Visible());
}

TEST_F(TwillEditorNewTest, TheToolStatesAddRealignAndDropWhatAStaggeredGridCannotDo)
{
    TwillEditor& editor = NewTwill();
    TTWToolActionList list;
    editor.GetToolActions(list);
    ASSERT_NE(list.Find(TWAction::RealignPattern), nullptr);
    EXPECT_TRUE(list.Find(TWAction::RealignPattern)->Enabled);
    for (const int id : {TWAction::ShowUnderlyingBlockPattern, TWAction::ShowTwining, TWAction::ClipPanel,
                         TWAction::CopySelection, TWAction::CutSelection, TWAction::UndoArea}) {
        EXPECT_EQ(list.Find(id), nullptr) << id;
    }
    // The double-face window's own and the grid's commands stay.
    EXPECT_NE(list.Find(TWAction::Save), nullptr);
    EXPECT_NE(list.Find(TWAction::Invert), nullptr);
}

// --- The staggered grid and the long floats --------------------------------------------------------

using TwillEditorGridTest = TwillEditorTest;

TEST_F(TwillEditorGridTest, RowZeroOfAnOddColumnTakesNeitherCellNorMark)
{
    TwillEditor& editor = NewTwill();
    TfrmBlockPattern& grid = *editor.framePattern;
    ASSERT_EQ(grid.Geometry().CellAt(CellCentre(editor, 1, 0).X, CellCentre(editor, 1, 0).Y), (fw::Point{1, 0}));

    ClickCell(editor, 1, 0);
    EXPECT_FALSE(grid.IsCellSet(1, 0));
    grid.SetCell(3, 0, true);
    EXPECT_FALSE(grid.IsCellSet(3, 0));
    // The even columns and the odd columns' other rows are drawn as ever.
    ClickCell(editor, 2, 0);
    EXPECT_TRUE(grid.IsCellSet(2, 0));
    ClickCell(editor, 1, 1);
    EXPECT_TRUE(grid.IsCellSet(1, 1));

    editor.SetLongFloatMode(true);
    ClickCell(editor, 1, 0);
    EXPECT_FALSE(editor.IsLongFloat(1, 0));
    EXPECT_FALSE(grid.IsCellSet(1, 0));
    editor.SetLongFloat(1, 0, true);
    EXPECT_FALSE(editor.IsLongFloat(1, 0));
    ClickCell(editor, 1, 2);
    EXPECT_TRUE(editor.IsLongFloat(1, 2));
    EXPECT_FALSE(grid.IsCellSet(1, 2));
}

TEST_F(TwillEditorGridTest, LongFloatModeEditsTheMarksAndLeavesTheCells)
{
    TwillEditor& editor = NewTwill();
    TfrmBlockPattern& grid = *editor.framePattern;
    grid.SetCell(4, 4, true);

    // The button switches the mode.
    editor.btnSetLongFloats->SetDown(true);
    editor.btnSetLongFloats->Click();
    ASSERT_TRUE(editor.LongFloatMode());

    // A press toggles the mark under the pointer and is one undo step.
    ClickCell(editor, 4, 4);
    EXPECT_TRUE(editor.IsLongFloat(4, 4));
    EXPECT_TRUE(grid.IsCellSet(4, 4));
    ClickCell(editor, 4, 4);
    EXPECT_FALSE(editor.IsLongFloat(4, 4));
    ClickCell(editor, 4, 4);
    ASSERT_TRUE(editor.IsLongFloat(4, 4));
    grid.Undo();
    EXPECT_FALSE(editor.IsLongFloat(4, 4));
    EXPECT_TRUE(grid.IsCellSet(4, 4));

    // Dragged with the left button the marks are set, with the right one cleared; the cells
    // stay as they were. A right press changes nothing.
    const fw::Point start = CellCentre(editor, 2, 2);
    grid.ImageMouseDown(fw::MouseButton::Right, fw::ShiftState{}, start.X, start.Y);
    EXPECT_FALSE(editor.IsLongFloat(2, 2));
    EXPECT_FALSE(grid.IsCellSet(2, 2));
    DragInto(editor, 2, 3, fw::ShiftFlag::Left);
    DragInto(editor, 2, 4, fw::ShiftFlag::Left);
    EXPECT_TRUE(editor.IsLongFloat(2, 3));
    EXPECT_TRUE(editor.IsLongFloat(2, 4));
    EXPECT_FALSE(grid.IsCellSet(2, 3));
    DragInto(editor, 2, 3, fw::ShiftFlag::Right);
    EXPECT_FALSE(editor.IsLongFloat(2, 3));
    EXPECT_TRUE(editor.IsLongFloat(2, 4));

    // With the mode off the mouse draws cells again.
    editor.SetLongFloatMode(false);
    EXPECT_FALSE(editor.btnSetLongFloats->Down());
    ClickCell(editor, 6, 6);
    EXPECT_TRUE(grid.IsCellSet(6, 6));
    EXPECT_FALSE(editor.IsLongFloat(6, 6));
}

TEST_F(TwillEditorGridTest, TheMarksAreDrawnAsTwoRedFramesWhenShown)
{
    TwillEditor& editor = NewTwill();
    TfrmBlockPattern& grid = *editor.framePattern;
    grid.SetZoom(TfrmBlockPattern::MaxZoom);
    editor.SetLongFloat(2, 3, true);
    grid.Refresh();
    const fw::Rect cell = grid.Geometry().CellRect(2, 3);
    ASSERT_GT(cell.Width(), 8);
    ASSERT_GT(cell.Height(), 8);
    const fw::Point middle{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
    const auto pixel = [&grid](int x, int y) { return grid.MainImage().Pixel(x, y); };
    const std::uint32_t red = 0x0000FF;
    EXPECT_NE(pixel(middle.X, cell.Top + 2), red);

    editor.btnMarkLongFloats->SetDown(true);
    editor.btnMarkLongFloats->Click();
    ASSERT_TRUE(editor.MarkLongFloats());
    // The frames 2 and 3 pixels in, on every side; the cell's own colour inside and outside.
    for (const int inset : {2, 3}) {
        EXPECT_EQ(pixel(middle.X, cell.Top + inset), red) << inset;
        EXPECT_EQ(pixel(middle.X, cell.Bottom - 1 - inset), red) << inset;
        EXPECT_EQ(pixel(cell.Left + inset, middle.Y), red) << inset;
        EXPECT_EQ(pixel(cell.Right - 1 - inset, middle.Y), red) << inset;
    }
    EXPECT_NE(pixel(middle.X, middle.Y), red);
    EXPECT_NE(pixel(middle.X, cell.Top + 4), red);
    EXPECT_NE(pixel(middle.X, cell.Top + 1), red);
    // A cell without a mark has none.
    const fw::Rect plain = grid.Geometry().CellRect(4, 3);
    EXPECT_NE(pixel((plain.Left + plain.Right) / 2, plain.Top + 2), red);

    // A mark set by the mouse is drawn at once.
    editor.SetLongFloatMode(true);
    ClickCell(editor, 4, 3);
    EXPECT_EQ(pixel((plain.Left + plain.Right) / 2, plain.Top + 2), red);

    editor.SetMarkLongFloats(false);
    EXPECT_NE(pixel(middle.X, cell.Top + 2), red);
}

TEST_F(TwillEditorGridTest, ClearingAsksForAllMarksAndFollowsTheClearedCells)
{
    TwillEditor& editor = NewTwill();
    editor.SetLongFloat(0, 1, true);
    editor.SetLongFloat(5, 7, true);

    answers.push_back(fw::mrNo);
    editor.btnClearLongFloats->Click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().Text, "Clear all long float markers?");
    EXPECT_TRUE(editor.IsLongFloat(0, 1));
    EXPECT_TRUE(editor.IsLongFloat(5, 7));

    answers.push_back(fw::mrYes);
    editor.btnClearLongFloats->Click();
    EXPECT_FALSE(editor.IsLongFloat(0, 1));
    EXPECT_FALSE(editor.IsLongFloat(5, 7));

    // Clearing the design clears its marks too.
    editor.SetLongFloat(5, 7, true);
    editor.framePattern->SetCell(5, 7, true);
    answers.push_back(fw::mrYes);
    editor.PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_FALSE(editor.framePattern->IsCellSet(5, 7));
    EXPECT_FALSE(editor.IsLongFloat(5, 7));
}

TEST_F(TwillEditorGridTest, RealignMovesTheEvenColumnsDownOneRowAsOneUndoStep)
{
    TwillEditor& editor = NewTwill();
    TfrmBlockPattern& grid = *editor.framePattern;
    editor.SetPatternSize(4, 3);
    // Column 0: rows 0 and 2 set, a mark on row 1; column 2: row 1 set, a mark on row 2;
    // column 1: row 2 set, a mark on row 1.
    grid.SetCell(0, 0, true);
    grid.SetCell(0, 2, true);
    editor.SetLongFloat(0, 1, true);
    grid.SetCell(2, 1, true);
    editor.SetLongFloat(2, 2, true);
    grid.SetCell(1, 2, true);
    editor.SetLongFloat(1, 1, true);

    ASSERT_TRUE(editor.PerformAction(TWAction::RealignPattern, false, nullptr));
    const auto cells = [&grid](int x) {
        return std::vector<bool>{grid.IsCellSet(x, 0), grid.IsCellSet(x, 1), grid.IsCellSet(x, 2)};
    };
    const auto marks = [&editor](int x) {
        return std::vector<bool>{editor.IsLongFloat(x, 0), editor.IsLongFloat(x, 1), editor.IsLongFloat(x, 2)};
    };
    EXPECT_EQ(cells(0), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(marks(0), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(cells(2), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(marks(2), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(cells(1), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(marks(1), (std::vector<bool>{false, true, false}));

    grid.Undo();
    EXPECT_EQ(cells(0), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(marks(0), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(marks(2), (std::vector<bool>{false, false, true}));

    // One row: the even columns are emptied.
    editor.SetPatternSize(4, 1);
    grid.SetCell(0, 0, true);
    grid.SetCell(2, 0, true);
    editor.SetLongFloat(2, 0, true);
    editor.PerformAction(TWAction::RealignPattern, false, nullptr);
    EXPECT_FALSE(grid.IsCellSet(0, 0));
    EXPECT_FALSE(grid.IsCellSet(2, 0));
    EXPECT_FALSE(editor.IsLongFloat(2, 0));
}

TEST_F(TwillEditorGridTest, AnImportedPictureIsHalvedInHeight)
{
    TwillEditor& editor = NewTwill();
    // Five rows, top row first; row r has its one black pixel in column 2r.
    fw::Bitmap picture(10, 5, true);
    for (int r = 0; r < 5; ++r) {
        picture.SetPixel(2 * r, r, fw::Bitmap::Black);
    }
    ASSERT_TRUE(editor.framePattern->ImportPicture(picture));
    ASSERT_EQ(editor.framePattern->GridWidth(), 10);
    ASSERT_EQ(editor.framePattern->GridHeight(), 2);
    EXPECT_EQ(editor.frameCards->CardCount(), 10);
    // Each design row took the second row of its pair: the top row picture row 1, the
    // bottom row picture row 3; rows 0, 2 and 4 are gone.
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(editor.framePattern->IsCellSet(x, 1), x == 2) << x;
        EXPECT_EQ(editor.framePattern->IsCellSet(x, 0), x == 6) << x;
    }
}

// --- The conversion ----------------------------------------------------------------------------------

using TwillEditorPicksTest = TwillEditorTest;

TEST_F(TwillEditorPicksTest, WithoutColourChangesEachColumnRunsItsPlaceInTheTwill)
{
    TwillEditor& editor = NewTwill();
    // Three rows, six picks: every card reverses at every row, two picks each way; the odd
    // columns half a row later, closing with the cycle's next step.
    editor.SetPattern(*MakeTwill(4, 3, None, None));
    std::unique_ptr<TTWPattern> s = EditorConversion(editor);
    ASSERT_EQ(s->Picks().Count(), 6);
    EXPECT_EQ(CardRun(*s, 0), "F F B B F F");
    EXPECT_EQ(CardRun(*s, 1), "F B B F F B");
    EXPECT_EQ(CardRun(*s, 2), "B B F F B B");
    EXPECT_EQ(CardRun(*s, 3), "B F F B B F");

    // A Z twill exchanges the second and fourth columns of the repeat.
    editor.SetZTwillBackground(true);
    std::unique_ptr<TTWPattern> z = EditorConversion(editor);
    EXPECT_EQ(CardRun(*z, 0), CardRun(*s, 0));
    EXPECT_EQ(CardRun(*z, 1), CardRun(*s, 3));
    EXPECT_EQ(CardRun(*z, 2), CardRun(*s, 2));
    EXPECT_EQ(CardRun(*z, 3), CardRun(*s, 1));
}

TEST_F(TwillEditorPicksTest, TheOddColumnsCloseOnTheStepTheirCycleTakesNext)
{
    TwillEditor& editor = NewTwill();
    const struct {
        int Length;
        std::string Column1;
        std::string Column3;
    } cases[] = {
        {1, "F B", "B F"},
        {2, "F B B F", "B F F B"},
        {4, "F B B F F B B F", "B F F B B F F B"},
        {5, "F B B F F B B F F B", "B F F B B F F B B F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Length);
        editor.SetPattern(*MakeTwill(8, c.Length, None, None));
        std::unique_ptr<TTWPattern> threaded = EditorConversion(editor);
        EXPECT_EQ(threaded->Picks().Count(), 2 * c.Length);
        EXPECT_EQ(CardRun(*threaded, 1), c.Column1);
        EXPECT_EQ(CardRun(*threaded, 3), c.Column3);
        // The next repeat runs the same.
        EXPECT_EQ(CardRun(*threaded, 5), c.Column1);
        EXPECT_EQ(CardRun(*threaded, 7), c.Column3);
    }
}

TEST_F(TwillEditorPicksTest, AColourChangeTurnsOnOrTwistsAsTheSettingSays)
{
    TwillEditor& editor = NewTwill();
    // Column 0 set in rows 1 and 2 of four; column 1 set in row 1 of four.
    editor.SetPattern(*MakeTwill(
        2, 4, [](int x, int y) { return x == 0 ? y == 1 || y == 2 : y == 1; }, None));

    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Turn;
    std::unique_ptr<TTWPattern> turned = EditorConversion(editor);
    EXPECT_EQ(CardRun(*turned, 0), "F F F F B B B B");
    EXPECT_EQ(CardRun(*turned, 1), "F F F F F B B F");

    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Twist;
    std::unique_ptr<TTWPattern> twisted = EditorConversion(editor);
    EXPECT_EQ(CardRun(*twisted, 0), "F F VB B F F VB B");
    EXPECT_EQ(CardRun(*twisted, 1), "F VB B VF F B B F");
}

TEST_F(TwillEditorPicksTest, ALongFloatReversesTheCardWithinItsRow)
{
    TwillEditor& editor = NewTwill();
    // Column 0: a long float in a run (row 1); column 2: one where the colour changes (row 1,
    // set from there up).
    editor.SetPattern(*MakeTwill(
        3, 4, [](int x, int y) { return x == 2 && y >= 1; },
        [](int x, int y) { return (x == 0 || x == 2) && y == 1; }));
    ASSERT_TRUE(editor.IsLongFloat(0, 1));
    std::unique_ptr<TTWPattern> threaded = EditorConversion(editor);
    EXPECT_EQ(CardRun(*threaded, 0), "F F B F B B F F");
    EXPECT_EQ(CardRun(*threaded, 2), "B B B F B B F F");
    // Twisting at colour changes leaves the long float's own reversal alone.
    UserSettings().BrokenTwill.ColourInterchange = TTWColourInterchange::Twist;
    EXPECT_EQ(CardRun(*EditorConversion(editor), 2), "B B B F B B F F");
}

TEST_F(TwillEditorPicksTest, TheEditorWeavesAsTheModelConvertsTheSavedDesign)
{
    TwillEditor& editor = NewTwill();
    const auto cells = [](int x, int y) { return (x * 7 + y * 3) % 5 < 2 && !(y == 0 && x % 2 != 0); };
    const auto floats = [](int x, int y) { return (x + 2 * y) % 7 == 3 && !(y == 0 && x % 2 != 0); };
    for (const TTWTwillDirection background : {TTWTwillDirection::S, TTWTwillDirection::Z}) {
        for (const TTWColourInterchange interchange : {TTWColourInterchange::Turn, TTWColourInterchange::Twist}) {
            SCOPED_TRACE(static_cast<int>(background) * 2 + static_cast<int>(interchange));
            UserSettings().BrokenTwill.ColourInterchange = interchange;
            const std::unique_ptr<TTW31TwillPattern> design = MakeTwill(9, 7, cells, floats, background);
            editor.SetPattern(*design);
            std::unique_ptr<TTWPattern> ours = EditorConversion(editor);
            std::unique_ptr<TTWPattern> model = ModelConversion(*design);
            EXPECT_EQ(PickTexts(*ours), PickTexts(*model));
            ASSERT_EQ(ours->Cards().Count(), 9);
            for (int i = 0; i < 9; ++i) {
                EXPECT_EQ(HoleIndexes(*ours->Cards().GetCard(i)), RepeatHoles(i)) << i;
                EXPECT_EQ(ours->Cards().GetCard(i)->Threading(), i % 4 < 2 ? ThreadingS : ThreadingZ) << i;
            }
        }
    }
}

// --- The design in and out ------------------------------------------------------------------------------

using TwillEditorPatternTest = TwillEditorTest;

TEST_F(TwillEditorPatternTest, TwoColourFramesTakeTheRepeatsHolesAndFourColourCardsKeepTheirs)
{
    TwillEditor& editor = NewTwill();
    editor.SetPattern(*MakeTwill(6, 4, None, None));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(i)), (std::vector<int>{Primary, Secondary})) << i;
    }

    editor.SetPattern(*MakeTwill(6, 4, None, None, TTWTwillDirection::S, 4));
    EXPECT_EQ(editor.ColourCount(), 4);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(i)), (std::vector<int>{1, 2, 3, 4})) << i;
    }
    TTW31TwillPattern out;
    editor.GetDFPattern(out);
    ASSERT_EQ(out.Cards().Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(HoleIndexes(*out.Cards().GetCard(i)), (std::vector<int>{1, 2, 3, 4})) << i;
    }
}

TEST_F(TwillEditorPatternTest, TheMarksAndTheBackgroundGoInAndOut)
{
    TwillEditor& editor = NewTwill();
    const std::unique_ptr<TTW31TwillPattern> design = MakeTwill(
        5, 4, [](int x, int y) { return x == y; }, [](int x, int y) { return x + y == 4; }, TTWTwillDirection::Z);
    editor.SetPattern(*design);
    EXPECT_EQ(editor.Caption(), "3/1 Broken Twill: Twill");
    EXPECT_TRUE(editor.rbBackgroundZTwill->Checked());
    TTW31TwillPattern out;
    editor.GetDFPattern(out);
    EXPECT_EQ(out.BackgroundTwill(), TTWTwillDirection::Z);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(editor.IsLongFloat(x, y), x + y == 4) << x << "," << y;
            EXPECT_EQ(out.GetLongFloat(x, y), x + y == 4) << x << "," << y;
            EXPECT_EQ(out.GetCell(x, y), x == y) << x << "," << y;
        }
    }
    editor.SetZTwillBackground(false);
    editor.GetDFPattern(out);
    EXPECT_EQ(out.BackgroundTwill(), TTWTwillDirection::S);
}

TEST_F(TwillEditorPatternTest, OnlyATwillGoesInOrComesOut)
{
    TwillEditor& editor = NewTwill();
    TTWDFPattern plain;
    plain.SetSize(3, 3);
    try {
        editor.SetPattern(plain);
        ADD_FAILURE() << "a double-face design was shown";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Unable to display pattern.\r\nThe pattern provided is not a 3/1 broken twill.");
        ASSERT_GT(error.InfoCount(), 0);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "SetPattern");
    }
    EXPECT_EQ(editor.framePattern->GridWidth(), 8);

    try {
        editor.GetDFPattern(plain);
        ADD_FAILURE() << "a double-face design was filled";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(),
                  "Unable to generate pattern.\r\nThe instance provided is not a 3/1 broken twill pattern object.");
        ASSERT_GT(error.InfoCount(), 0);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "GetDFPattern");
    }
    EXPECT_EQ(plain.Width(), 3);
}

// --- The program started with a twill file -----------------------------------------------------------

constexpr const char* SampleFile = "twill_small.tvl";

class TwillEditorStartTest : public TwillEditorTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", sample_patterns::SamplePath(SampleFile).string()};
        TwillEditorTest::SetUp();
    }
};

std::unique_ptr<TTW31TwillPattern> ReadTwill(const std::filesystem::path& file)
{
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    auto* twill = dynamic_cast<TTW31TwillPattern*>(read.get());
    if (twill == nullptr) {
        ADD_FAILURE() << file << " holds no 3/1 broken twill";
        return nullptr;
    }
    read.release();
    return std::unique_ptr<TTW31TwillPattern>(twill);
}

void SaveAs(TwillEditor& editor, const std::filesystem::path& file)
{
    const fw::ScopedHandler handler(&fw::FileDialog::SetHandler, [&file](fw::FileDialog& dialog) {
        dialog.SetFileName(file.string());
        dialog.SetFilterIndex(1);
        return true;
    });
    EXPECT_TRUE(editor.PerformAction(TWAction::Save, false, nullptr));
}

TEST_F(TwillEditorStartTest, ACellClickedIsSavedReadBackAlikeAndWovenAsTheModelWeavesIt)
{
    fw::ProcessPostedMessages();
    TwillEditor* editor = ActiveTwill();
    ASSERT_NE(editor, nullptr);
    const std::filesystem::path sample = sample_patterns::SamplePath(SampleFile);
    EXPECT_EQ(editor->Caption(), "3/1 Broken Twill: Small Twill");
    EXPECT_EQ(editor->GetFileName(), sample.string());
    const std::unique_ptr<TTW31TwillPattern> design = ReadTwill(sample);
    ASSERT_NE(design, nullptr);
    ASSERT_EQ(editor->framePattern->GridWidth(), design->Width());
    ASSERT_EQ(editor->framePattern->GridHeight(), design->Length());
    EXPECT_TRUE(editor->ZTwillBackground());
    int marks = 0;
    for (int y = 0; y < design->Length(); ++y) {
        for (int x = 0; x < design->Width(); ++x) {
            EXPECT_EQ(editor->IsLongFloat(x, y), design->GetLongFloat(x, y)) << x << "," << y;
            marks += design->GetLongFloat(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(marks, 0);

    // A click in the middle of cell (3, 5) toggles it.
    const bool before = editor->framePattern->IsCellSet(3, 5);
    ASSERT_EQ(before, design->GetCell(3, 5));
    ClickCell(*editor, 3, 5);
    ASSERT_NE(editor->framePattern->IsCellSet(3, 5), before);

    // Saved, it is the sample with that cell changed, as the model writes it.
    const std::filesystem::path saved = Folder() / "saved.tvl";
    SaveAs(*editor, saved);
    design->SetCell(3, 5, !before);
    const std::filesystem::path expected = Folder() / "expected.tvl";
    design->SaveToFile(expected.string());
    EXPECT_EQ(ReadBytes(saved), ReadBytes(expected));

    // Opened again and saved again: the same bytes.
    TwillEditor& again = OpenTwill(saved);
    ASSERT_NE(&again, editor);
    const std::filesystem::path resaved = Folder() / "resaved.tvl";
    SaveAs(again, resaved);
    EXPECT_EQ(ReadBytes(resaved), ReadBytes(saved));

    // The band shown is the model's weaving of the design converted to threaded-in.
    again.ShowPage(again.pgImage);
    const std::unique_ptr<TTWPattern> threaded = ModelConversion(*design);
    TTWWeaving woven;
    threaded->BuildWeaving(woven, &threaded->Palette(), false, 0);
    const TTWWeaving* shown = again.frameWeaving->Weaving();
    ASSERT_EQ(shown, &again.FrontWeaving());
    ASSERT_EQ(shown->Width(), woven.Width());
    ASSERT_EQ(shown->PickCount(), woven.PickCount());
    ASSERT_EQ(woven.PickCount(), design->Length() * 2);
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            const TTWWeavingCell& want = *woven.Cell(column, pick);
            const TTWWeavingCell& got = *shown->Cell(column, pick);
            ASSERT_EQ(got.Colour, want.Colour) << column << "," << pick;
            ASSERT_EQ(got.Slant, want.Slant) << column << "," << pick;
            ASSERT_EQ(got.Hole, want.Hole) << column << "," << pick;
            ASSERT_EQ(got.TurnDir, want.TurnDir) << column << "," << pick;
        }
    }
}


TEST_F(TwillEditorTest, ALongFloatLayerSmallerThanItsDesignKeepsEveryMarkThroughTheEditor)
{
    // An 8 x 10 twill whose long-float layer holds only 3 x 2 cells, and one whose layer is
    // 16 x 14 but marks nothing outside the design.
    const std::vector<std::pair<int, int>> marks{{0, 0}, {2, 1}, {1, 0}};
    for (const auto& [width, rows] : {std::pair{3, 2}, std::pair{16, 14}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(rows));
        std::string layer;
        for (int y = rows - 1; y >= 0; --y) {
            std::string row(static_cast<std::size_t>(width), '.');
            for (const auto& [x, markRow] : marks) {
                if (markRow == y) {
                    row[static_cast<std::size_t>(x)] = 'X';
                }
            }
            layer += "<P" + std::to_string(y + 1) + ">" + row + "</P" + std::to_string(y + 1) + ">";
        }
        const std::filesystem::path file = Folder() / "layer.tvl";
        std::ofstream(file) << "<TWData><Version>1.17</Version><Pattern Type=\"BrokenTwill\"><Name>Layer</Name>"
                               "<Width>8</Width><Length>10</Length><Data><P3>.X......</P3></Data><LongFloats>"
                            << layer << "</LongFloats></Pattern></TWData>";
        TwillEditor& editor = OpenTwill(file);
        const std::filesystem::path saved = Folder() / "layer_saved.tvl";
        SaveAs(editor, saved);
        const std::unique_ptr<TTW31TwillPattern> read = ReadTwill(saved);
        ASSERT_NE(read, nullptr);
        ASSERT_EQ(read->Width(), 8);
        ASSERT_EQ(read->Length(), 10);
        EXPECT_TRUE(read->GetCell(1, 2));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool marked = std::find(marks.begin(), marks.end(), std::pair{x, y}) != marks.end();
                EXPECT_EQ(read->GetLongFloat(x, y), marked) << x << "," << y;
            }
        }
        // Saved again from the file it wrote, the same bytes.
        TwillEditor& again = OpenTwill(saved);
        const std::filesystem::path resaved = Folder() / "layer_resaved.tvl";
        SaveAs(again, resaved);
        EXPECT_EQ(ReadBytes(resaved), ReadBytes(saved));
    }
}

} // namespace
