// The double-face editor's design: new windows of each Create-menu kind, the colour count,
// the cards' colour layouts and the colours the grid shows, and the conversion of the design
// into cards and picks.

#include <memory>
#include <string>
#include <vector>

#include "df_editor_test_support.h"
#include "editors/df_three_colour_dialog.h"
#include "foundation/generic_exception.h"
#include "framework/core/exceptions.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "support/pick_texts.h"
#include "support/random_patterns.h"
#include "support/same_band.h"

namespace {

using df_editor_test::DFEditorTest;
using df_editor_test::HoleIndexes;
using df_editor_test::MakeDesign;

std::vector<std::uint8_t> FrameThreadings(const TfrmTWDoublefaceNonMDI& editor)
{
    std::vector<std::uint8_t> threadings;
    for (int i = 0; i < editor.frameCards->CardCount(); ++i) {
        threadings.push_back(editor.frameCards->GetCardFrame(i)->Threading());
    }
    return threadings;
}

bool AnyCellSet(const TfrmBlockPattern& grid)
{
    for (int y = 0; y < grid.GridHeight(); ++y) {
        for (int x = 0; x < grid.GridWidth(); ++x) {
            if (grid.IsCellSet(x, y)) {
                return true;
            }
        }
    }
    return false;
}

using DFEditorNewTest = DFEditorTest;

TEST_F(DFEditorNewTest, ANewDesignHasEightCardsTwelveRowsAndTheDefaultThreading)
{
    const std::uint8_t S = ThreadingS;
    const std::uint8_t Z = ThreadingZ;
    const struct {
        std::uint8_t Setting;
        std::vector<std::uint8_t> Expected;
    } cases[] = {
        {0, {S, S, S, S, S, S, S, S}},
        {1, {Z, Z, Z, Z, Z, Z, Z, Z}},
        // Columns 1, 3, 5 and 7 (0-based) are threaded Z.
        {2, {S, Z, S, Z, S, Z, S, Z}},
        {7, {S, S, S, S, S, S, S, S}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Setting));
        UserSettings().DoubleFace.DefaultThread = c.Setting;
        TfrmTWDoublefaceNonMDI& editor = NewDF();
        EXPECT_EQ(editor.framePattern->GridWidth(), 8);
        EXPECT_EQ(editor.framePattern->GridHeight(), 12);
        EXPECT_EQ(editor.frameCards->CardCount(), 8);
        EXPECT_FALSE(AnyCellSet(*editor.framePattern));
        EXPECT_EQ(FrameThreadings(editor), c.Expected);
        EXPECT_EQ(editor.ColourCount(), 2);
        EXPECT_EQ(editor.Caption(), "Double-Face");
        EXPECT_EQ(editor.framePattern->PicksPerRow(), 2);
    }
}

TEST_F(DFEditorNewTest, TheCreateMenuKindsGiveTwoFourAndSixColours)
{
    TfrmTWDoublefaceNonMDI& multi = NewDF(TTWWindowKind::MultiColourDoubleFaceEditor);
    EXPECT_EQ(multi.ColourCount(), 4);
    EXPECT_EQ(multi.Caption(), "Multi-Colour Double-Face");
    EXPECT_EQ(multi.frameCards->HoleCount(), 4);
    EXPECT_TRUE(multi.btnConfig3Colour->Visible());
    EXPECT_EQ(multi.framePattern->GridWidth(), 8);

    TfrmTWDoublefaceNonMDI& six = NewDF(TTWWindowKind::SixHoleDoubleFaceEditor);
    EXPECT_EQ(six.ColourCount(), 6);
    EXPECT_EQ(six.Caption(), "6-Hole Double-Face");
    EXPECT_EQ(six.frameCards->HoleCount(), 6);
    EXPECT_FALSE(six.btnConfig3Colour->Visible());

    TfrmTWDoublefaceNonMDI& simple = NewDF();
    EXPECT_EQ(simple.ColourCount(), 2);
    EXPECT_EQ(simple.frameCards->HoleCount(), 2);
    EXPECT_FALSE(simple.btnConfig3Colour->Visible());
    EXPECT_EQ(Main().MDIChildCount(), 3);
}

using DFEditorColourCountTest = DFEditorTest;

TEST_F(DFEditorColourCountTest, EachCountSetsTheGridDrawingTheCardRowAndEmptiesTheDesign)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.framePattern->SetCell(2, 3, true);
    const struct {
        int Count;
        bool SimpleDraw;
        bool ShowBasic;
    } cases[] = {{4, false, false}, {6, false, true}, {2, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Count);
        editor.SetColourCount(c.Count);
        EXPECT_EQ(editor.ColourCount(), c.Count);
        EXPECT_EQ(editor.framePattern->GetSimpleDraw(), c.SimpleDraw);
        if (c.Count != 2) {
            EXPECT_EQ(editor.framePattern->GetShowBasicPattern(), c.ShowBasic);
        }
        EXPECT_EQ(editor.frameCards->HoleCount(), c.Count);
        // Every hole of the frames shows, above the row's buttons, and no more.
        EXPECT_EQ(editor.frameCards->Height(), editor.frameCards->PreferredHeight());
        EXPECT_GT(editor.frameCards->Height(), c.Count * 11 + 27);
        const bool moveButtons = c.Count != 2;
        EXPECT_EQ(editor.frameCards->btnMoveLeft->Visible(), moveButtons);
        EXPECT_EQ(editor.frameCards->btnMoveRight->Visible(), moveButtons);
        EXPECT_EQ(editor.frameCards->btnRotateColFwd->Visible(), moveButtons);
        EXPECT_EQ(editor.frameCards->btnRotateColBack->Visible(), moveButtons);
        EXPECT_EQ(editor.framePattern->GridWidth(), 0);
        EXPECT_EQ(editor.framePattern->GridHeight(), 0);
        EXPECT_EQ(editor.frameCards->CardCount(), 0);
    }
}

TEST_F(DFEditorColourCountTest, AnotherCountIsRefusedWithAPlainErrorAndChangesNothing)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF(TTWWindowKind::MultiColourDoubleFaceEditor);
    for (const int count : {0, 3, 5, 8, -2}) {
        SCOPED_TRACE(count);
        try {
            editor.SetColourCount(count);
            ADD_FAILURE() << "accepted";
        } catch (const fw::Exception& error) {
            EXPECT_EQ(error.Message(), "Unable to set colour count to " + std::to_string(count)
                                           + ".\r\nThe count must be either 2, 4, or 6.");
            EXPECT_EQ(dynamic_cast<const TGenericException*>(&error), nullptr);
        }
        EXPECT_EQ(editor.ColourCount(), 4);
        EXPECT_EQ(editor.frameCards->HoleCount(), 4);
        EXPECT_EQ(editor.framePattern->GridWidth(), 8);
    }
}

using DFEditorColoursTest = DFEditorTest;

TEST_F(DFEditorColoursTest, NewCardsTakeTheColourLayoutOfTheCount)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetColourPanel(editor.pnlPatternCol, 5);
    editor.SetColourPanel(editor.pnlBackCol, 9);
    const struct {
        int Count;
        std::vector<int> Holes;
    } cases[] = {{2, {5, 9}}, {4, {5, 5, 9, 9}}, {6, {5, 5, 5, 9, 9, 9}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Count);
        editor.SetColourCount(c.Count);
        editor.SetPatternSize(3, 2);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(i)), c.Holes);
        }
    }
    // Growing the design sets up only the new cards.
    editor.SetColourPanel(editor.pnlPatternCol, 1);
    editor.SetPatternSize(4, 2);
    EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(2)), (std::vector<int>{5, 5, 5, 9, 9, 9}));
    EXPECT_EQ(HoleIndexes(*editor.frameCards->GetCardFrame(3)), (std::vector<int>{1, 1, 1, 9, 9, 9}));
}

TEST_F(DFEditorColoursTest, TwoColoursShowTheRealColoursMoreShowBlackOnWhite)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    const TTWPalette& palette = editor.Palette();
    TfrmCardCompactBase& card = *editor.frameCards->GetCardFrame(2);
    card.SetHoleColourIndex(0, 4);
    card.SetHoleColourIndex(1, 11);
    ASSERT_NE(palette.GetColour(4), palette.GetColour(11));
    EXPECT_EQ(editor.framePattern->ColumnOnColour(2), palette.GetColour(4));
    EXPECT_EQ(editor.framePattern->ColumnOffColour(2), palette.GetColour(11));
    // A set cell shows the pattern colour, a clear one the background.
    editor.framePattern->SetCell(2, 0, true);
    EXPECT_EQ(editor.framePattern->GetCellInfo(2, 0).FirstColour, palette.GetColour(4));
    EXPECT_EQ(editor.framePattern->GetCellInfo(2, 1).FirstColour, palette.GetColour(11));

    for (const int count : {4, 6}) {
        SCOPED_TRACE(count);
        editor.SetColourCount(count);
        editor.SetPatternSize(3, 2);
        TfrmCardCompactBase& frame = *editor.frameCards->GetCardFrame(1);
        frame.SetHoleColourIndex(0, 4);
        frame.SetHoleColourIndex(1, 11);
        EXPECT_EQ(editor.framePattern->ColumnOnColour(1), 0x000000u);
        EXPECT_EQ(editor.framePattern->ColumnOffColour(1), 0xFFFFFFu);
    }
}

TEST_F(DFEditorColoursTest, FourColourCellsShowTheHolesOnTopInTwoTriangles)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF(TTWWindowKind::MultiColourDoubleFaceEditor);
    const TTWPalette& palette = editor.Palette();
    TfrmCardCompactBase& frame = *editor.frameCards->GetCardFrame(0);
    const int holes[] = {2, 4, 6, 8};
    for (int hole = 0; hole < 4; ++hole) {
        frame.SetHoleColourIndex(hole, holes[hole]);
    }
    frame.SetThreading(ThreadingS);
    editor.framePattern->SetCell(0, 0, true);
    editor.framePattern->SetCell(0, 1, true);
    const auto colour = [&](int hole) { return static_cast<fw::Color>(palette.GetColour(holes[hole])); };
    const struct {
        int Row;
        int First;
        int Second;
        std::uint8_t Twine;
    } cases[] = {
        // Set on an even row: holes 0 and 1, the card turning backwards.
        {0, 0, 1, TwineBackslash},
        // Set on an odd row: swapped, forwards.
        {1, 1, 0, TwineSlash},
        // Clear on an even row: holes 3 and 2, forwards.
        {2, 3, 2, TwineSlash},
        // Clear on an odd row: holes 2 and 3, backwards.
        {3, 2, 3, TwineBackslash},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Row);
        const TBlockCellInfo info = editor.framePattern->GetCellInfo(0, c.Row);
        EXPECT_EQ(info.FirstColour, colour(c.First));
        EXPECT_EQ(info.SecondColour, colour(c.Second));
        EXPECT_EQ(info.Twine1, c.Twine);
        EXPECT_EQ(info.Twine2, c.Twine);
    }
    // A Z-threaded card marks the other slant.
    frame.SetThreading(ThreadingZ);
    EXPECT_EQ(editor.framePattern->GetCellInfo(0, 0).Twine1, TwineSlash);
    EXPECT_EQ(editor.framePattern->GetCellInfo(0, 2).Twine1, TwineBackslash);
}

TEST_F(DFEditorColoursTest, TheThreeColourSetupAlternatesByFours)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF(TTWWindowKind::MultiColourDoubleFaceEditor);
    // Pattern 3, first background 5, second background 9.
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWDF3ColourSetup&>(form);
        EXPECT_EQ(dialog.Caption(), "3-Colour Doubleface Setup");
        EXPECT_EQ(dialog.pnlColPattern->Tag(), 0);
        EXPECT_EQ(dialog.pnlColBack1->Tag(), 1);
        EXPECT_EQ(dialog.pnlColBack2->Tag(), 2);
        dialog.SetPanelColour(dialog.pnlColPattern, 3);
        dialog.SetPanelColour(dialog.pnlColBack1, 5);
        dialog.SetPanelColour(dialog.pnlColBack2, 9);
        form.SetModalResult(fw::mrOk);
    };
    editor.btnConfig3Colour->Click();
    const std::vector<int> outer{9, 3, 9, 5};
    const std::vector<int> inner{3, 9, 5, 9};
    const std::vector<std::vector<int>> expected{outer, inner, inner, outer, outer, inner, inner, outer};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const TfrmCardCompactBase& frame = *editor.frameCards->GetCardFrame(i);
        EXPECT_EQ(HoleIndexes(frame), expected[static_cast<std::size_t>(i)]);
        EXPECT_EQ(frame.Threading(), i % 4 >= 2 ? ThreadingZ : ThreadingS);
    }
}

using DFEditorConversionTest = DFEditorTest;

TEST_F(DFEditorConversionTest, CardsTakeTheFramesHolesAndThreading)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPatternSize(2, 1);
    TfrmCardCompactBase& first = *editor.frameCards->GetCardFrame(0);
    first.SetHoleColourIndex(0, 3);
    first.SetHoleColourIndex(1, 7);
    first.SetThreading(ThreadingZ);
    TTWCardList cards;
    editor.BuildCards(cards);
    ASSERT_EQ(cards.Count(), 2);
    EXPECT_NE(dynamic_cast<TTWCard4*>(cards.GetCard(0)), nullptr);
    EXPECT_EQ(HoleIndexes(*cards.GetCard(0)), (std::vector<int>{3, 3, 7, 7}));
    EXPECT_EQ(cards.GetCard(0)->Threading(), ThreadingZ);

    editor.SetColourCount(6);
    editor.SetPatternSize(3, 1);
    TfrmCardCompactBase& six = *editor.frameCards->GetCardFrame(2);
    for (int hole = 0; hole < 6; ++hole) {
        six.SetHoleColourIndex(hole, 10 + hole);
    }
    editor.BuildCards(cards);
    ASSERT_EQ(cards.Count(), 3);
    EXPECT_NE(dynamic_cast<TTWCard6*>(cards.GetCard(2)), nullptr);
    EXPECT_EQ(HoleIndexes(*cards.GetCard(2)), (std::vector<int>{10, 11, 12, 13, 14, 15}));

    editor.SetColourCount(4);
    editor.SetPatternSize(1, 1);
    TfrmCardCompactBase& four = *editor.frameCards->GetCardFrame(0);
    for (int hole = 0; hole < 4; ++hole) {
        four.SetHoleColourIndex(hole, 4 - hole);
    }
    editor.BuildCards(cards);
    EXPECT_NE(dynamic_cast<TTWCard4*>(cards.GetCard(0)), nullptr);
    EXPECT_EQ(HoleIndexes(*cards.GetCard(0)), (std::vector<int>{4, 3, 2, 1}));
}

TEST_F(DFEditorConversionTest, ASetRowTurnsBackwardsOnEvenRowsAndForwardsOnOddOnes)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPatternSize(3, 4);
    for (int x = 0; x < 3; ++x) {
        editor.framePattern->SetCell(x, 0, true);
        editor.framePattern->SetCell(x, 1, true);
    }
    // A mixed row: only the middle card differs from the row's own direction.
    editor.framePattern->SetCell(1, 3, true);
    TTWPattern pattern;
    editor.BuildThreadedPattern(pattern);
    EXPECT_EQ(PickTexts(pattern), (std::vector<std::string>{"1B 2B 3B", "1B 2B 3B", "1F 2F 3F", "1F 2F 3F",
                                                           "1F 2F 3F", "1F 2F 3F", "1B 2F 3B", "1B 2F 3B"}));
    EXPECT_EQ(pattern.Cards().Count(), 3);

    // Six colours weave each row three times.
    editor.SetColourCount(6);
    editor.SetPatternSize(2, 2);
    editor.framePattern->SetCell(0, 0, true);
    editor.framePattern->SetCell(1, 0, true);
    editor.framePattern->SetCell(1, 1, true);
    editor.BuildThreadedPattern(pattern);
    EXPECT_EQ(PickTexts(pattern),
              (std::vector<std::string>{"1B 2B", "1B 2B", "1B 2B", "1B 2F", "1B 2F", "1B 2F"}));
    EXPECT_EQ(pattern.Cards().Count(), 2);
}

TEST_F(DFEditorConversionTest, TheEditorsConversionIsTheModelsOfTheSameDesign)
{
    for (const int count : {2, 4, 6}) {
        SCOPED_TRACE(count);
        const std::unique_ptr<TTWDFPattern> design =
            MakeDesign(7, 9, count, [](int x, int y) { return (x * 3 + y * 5) % 4 == 0; });
        TfrmTWDoublefaceNonMDI& editor = NewDF();
        editor.SetPattern(*design);
        EXPECT_EQ(editor.ColourCount(), count);
        TTWPattern fromEditor;
        editor.BuildThreadedPattern(fromEditor);
        TTWPattern fromModel;
        design->ConvertToThreaded(fromModel);
        EXPECT_EQ(PickTexts(fromEditor), PickTexts(fromModel));
        ASSERT_EQ(fromEditor.Cards().Count(), fromModel.Cards().Count());
        for (int i = 0; i < fromModel.Cards().Count(); ++i) {
            EXPECT_EQ(HoleIndexes(*fromEditor.Cards().GetCard(i)), HoleIndexes(*fromModel.Cards().GetCard(i)));
            EXPECT_EQ(fromEditor.Cards().GetCard(i)->Threading(), fromModel.Cards().GetCard(i)->Threading());
        }
    }
}

TEST_F(DFEditorConversionTest, TheBandBuiltAgainAfterEditsIsTheFreshConversion)
{
    for (const int count : {2, 6}) {
        SCOPED_TRACE(count);
        const std::unique_ptr<TTWDFPattern> design =
            MakeDesign(6, 5, count, [](int x, int y) { return (x + 2 * y) % 3 == 0; });
        TfrmTWDoublefaceNonMDI& editor = NewDF();
        editor.SetPattern(*design);
        editor.RefreshWeavingImage();
        // Cells changed after the band was first built: its actions are set again in place.
        editor.framePattern->SetCell(0, 0, !editor.framePattern->IsCellSet(0, 0));
        editor.framePattern->SetCell(5, 4, !editor.framePattern->IsCellSet(5, 4));
        editor.RefreshWeavingImage();
        TTWPattern fresh;
        editor.BuildThreadedPattern(fresh);
        EXPECT_EQ(PickTexts(editor.ThreadedPattern()), PickTexts(fresh));
        // A new size needs a new shape: built anew.
        editor.SetPatternSize(4, 3);
        editor.RefreshWeavingImage();
        TTWPattern resized;
        editor.BuildThreadedPattern(resized);
        EXPECT_EQ(PickTexts(editor.ThreadedPattern()), PickTexts(resized));
        EXPECT_EQ(editor.ThreadedPattern().Picks().Count(), 3 * (count == 6 ? 3 : 2));
    }
}

TEST_F(DFEditorConversionTest, EveryCellsTwiningMarkLiesAsTheBandsThreadInItsPicks)
{
    // The grid's marks and the woven band share one code: the mark of a cell is the slant of
    // its card's thread in every pick of the row, whichever the colour count and threading.
    for (const int count : {2, 4, 6}) {
        SCOPED_TRACE(count);
        const std::unique_ptr<TTWDFPattern> design =
            MakeDesign(7, 6, count, [](int x, int y) { return (x * 2 + y * 3) % 5 < 2; });
        TfrmTWDoublefaceNonMDI& editor = NewDF();
        editor.SetPattern(*design);
        editor.RefreshWeavingImage();
        const TTWWeaving& band = editor.FrontWeaving();
        const int picksPerRow = count == 6 ? 3 : 2;
        ASSERT_EQ(band.PickCount(), 6 * picksPerRow);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 7; ++x) {
                const TBlockCellInfo info = editor.framePattern->GetCellInfo(x, y);
                for (int pick = y * picksPerRow; pick < (y + 1) * picksPerRow; ++pick) {
                    ASSERT_EQ(info.Twine1, band.Cell(x, pick)->Slant) << x << "," << y << " pick " << pick;
                    ASSERT_EQ(info.Twine2, band.Cell(x, pick)->Slant) << x << "," << y << " pick " << pick;
                }
            }
        }
    }
}

TEST_F(DFEditorConversionTest, TheReverseSideIsWovenWhenItIsShown)
{
    const std::unique_ptr<TTWDFPattern> design = MakeDesign(4, 4, 2, [](int x, int y) { return x == y; });
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPattern(*design);
    editor.RefreshWeavingImage();
    EXPECT_EQ(editor.ReverseWeaving().PickCount(), 0);
    editor.frameWeaving->SetShowReverse(true);
    TTWWeaving expected;
    editor.ThreadedPattern().BuildReverseWeaving(expected, &editor.ThreadedPattern().Palette(), 0);
    EXPECT_EQ(editor.ReverseWeaving().PickCount(), expected.PickCount());
    EXPECT_GT(expected.PickCount(), 0);
}

// Cells changed here and there along a band longer than the loom's record interval: the
// band woven on from the first changed pick is the whole weave, front and (when shown)
// reverse, also after a palette change.
TEST_F(DFEditorConversionTest, EditsWeaveTheBandOnAsAWholeWeaveWould)
{
    // Two and six colours set their directions again in place; the broken twill builds its
    // picks anew, column by column.
    const struct {
        int count;
        TTWWindowKind kind;
    } cases[] = {{2, TTWWindowKind::SimpleDoubleFaceEditor},
                 {6, TTWWindowKind::SixHoleDoubleFaceEditor},
                 {2, TTWWindowKind::BrokenTwillEditor}};
    for (const auto& [count, kind] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        const std::unique_ptr<TTWDFPattern> design =
            MakeDesign(5, 160, count, [](int x, int y) { return (x * 3 + y) % 7 < 3; });
        TfrmTWDoublefaceNonMDI& editor = NewDF(kind);
        if (kind == TTWWindowKind::BrokenTwillEditor) {
            // A twill window takes twill designs only: its own design, made as long.
            editor.SetPatternSize(5, 160);
        } else {
            editor.SetPattern(*design);
        }
        editor.RefreshWeavingImage();
        random_patterns::Random random(static_cast<std::uint32_t>(count) * 104729U);
        for (int step = 0; step < 24; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            for (int cells = 1 + random.Below(2); cells > 0; --cells) {
                const int x = random.Below(5);
                const int y = random.Below(160);
                editor.framePattern->SetCell(x, y, !editor.framePattern->IsCellSet(x, y));
            }
            if (step % 6 == 3) {
                editor.frameWeaving->SetShowReverse(!editor.frameWeaving->GetShowReverse());
            }
            if (step == 12) {
                editor.Palette().SetColour(1, 0x00336699);
            }
            editor.RefreshWeavingImage();

            TTWPattern fresh;
            editor.BuildThreadedPattern(fresh);
            ASSERT_EQ(PickTexts(editor.ThreadedPattern()), PickTexts(fresh));
            TTWPattern copy;
            copy.Assign(&editor.ThreadedPattern());
            TTWWeaving whole;
            copy.BuildWeaving(whole, &copy.Palette(), false, 0);
            same_band::ExpectSameBand(whole, editor.FrontWeaving());
            if (editor.frameWeaving->GetShowReverse()) {
                TTWWeaving wholeReverse;
                copy.BuildReverseWeaving(wholeReverse, &copy.Palette(), 0);
                same_band::ExpectSameBand(wholeReverse, editor.ReverseWeaving());
            }
        }
    }
}

TEST_F(DFEditorConversionTest, ADesignShownAndReadBackIsTheSame)
{
    const std::unique_ptr<TTWDFPattern> design = MakeDesign(5, 6, 4, [](int x, int y) { return x == y || x == 0; });
    design->SetName("Ladder");
    design->SetNotes("Four colours");
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPattern(*design);
    EXPECT_EQ(editor.Caption(), "Double-Face: Ladder");
    EXPECT_EQ(editor.GetNotes(), "Four colours");
    TTWDFPattern back;
    editor.GetDFPattern(back);
    EXPECT_EQ(back.Name(), "Ladder");
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Length(), 6);
    EXPECT_EQ(back.ColourCount(), 4);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(back.GetCell(x, y), design->GetCell(x, y)) << x << "," << y;
        }
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(HoleIndexes(*back.Cards().GetCard(i)), HoleIndexes(*design->Cards().GetCard(i)));
        EXPECT_EQ(back.Cards().GetCard(i)->Threading(), design->Cards().GetCard(i)->Threading());
    }
}

} // namespace
