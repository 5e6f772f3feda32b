// The twist-patterned editor: a new window as the Create menu opens it, the grid woven into
// a threaded-in pattern by threading or by twists, the marks it draws over the cells, the
// commands passed to the frame of the page shown, renaming and closing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "editors/turning_actions_display.h"
#include "editors/twist_editor.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/test_driver.h"
#include "model/action.h"
#include "model/card.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "recording_host.h"
#include "shell/editor_host.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "support/pick_texts.h"
#include "support/random_patterns.h"
#include "support/same_band.h"
#include "twist_editor_test_support.h"

namespace {

using editor_test::RecordingHost;
using twist_editor_test::AddTwistCard;
using twist_editor_test::Design;
using twist_editor_test::GridRows;
using twist_editor_test::TwistEditorTest;

std::vector<std::string> Threadings(const TTWCardList& cards)
{
    std::vector<std::string> letters;
    for (int i = 0; i < cards.Count(); ++i) {
        letters.emplace_back(ThreadingText(cards.GetCard(i)->Threading()));
    }
    return letters;
}

bool Listed(const TTWToolActionList& list, int id)
{
    return list.Find(id) != nullptr && list.Find(id)->Enabled;
}

// --- A new window ------------------------------------------------------------------------------

TEST_F(TwistEditorTest, ANewEditorStartsEmptyOnThePatternPageWithTheGridAsTheSettingsSayAndABlockChart)
{
    UserSettings().TwistPatterned.Ratio = TTWCellRatio{4, 5};
    UserSettings().TwistPatterned.DefaultRotation = TTWOrientation::Horizontal;
    const int childrenBefore = Main().MDIChildCount();
    TfrmTWWarpTwinedPattern& editor = NewTwistEditor();

    EXPECT_EQ(Main().MDIChildCount(), childrenBefore + 1);
    EXPECT_TRUE(editor.Visible());
    EXPECT_EQ(editor.Caption(), "Twist-Patterned");
    EXPECT_EQ(editor.GetFileName(), "");
    EXPECT_EQ(editor.GetPatternName(), "");
    EXPECT_EQ(editor.framePattern->GridWidth(), 0);
    EXPECT_EQ(editor.framePattern->GridHeight(), 0);
    EXPECT_EQ(editor.pcMain->ActivePage(), editor.pgPattern);
    EXPECT_FALSE(editor.ImagePageShown());

    EXPECT_EQ(editor.framePattern->GetBaseWidth(), 4.0);
    EXPECT_EQ(editor.framePattern->GetBaseHeight(), 5.0);
    EXPECT_EQ(editor.framePattern->GetOrientation(), TTWOrientation::Horizontal);
    // The threads are all white: the image shows the block chart's twining lines, no grid.
    EXPECT_EQ(editor.frameWeaving->GetImageType(), TTWImageType::Block);
    EXPECT_FALSE(editor.frameWeaving->GetShowGrid());
    EXPECT_EQ(editor.frameWeaving->Weaving(), &editor.FrontWeaving());
    EXPECT_EQ(editor.frameWeaving->ReverseWeaving(), &editor.ReverseWeaving());

    // The name box of the main window follows the pattern's name.
    editor.SetPatternName("Rams Horns");
    EXPECT_EQ(editor.Caption(), "Twist-Patterned: Rams Horns");
    EXPECT_EQ(Main().edPatternName->Text(), "Rams Horns");
}

TEST_F(TwistEditorTest, LoadingAPatternShowsACopyOfItsCellsNameAndThreading)
{
    auto design = Design({"#..", "##.", ".#."}, "SZS");
    design->SetName("Steps");
    design->SetNotes("three rows");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    // The window keeps its own copy: the caller's pattern may go.
    design->SetCell(0, 0, true);
    design->SetName("Changed");
    design.reset();

    EXPECT_EQ(editor.Caption(), "Twist-Patterned: Steps");
    EXPECT_EQ(editor.GetPatternName(), "Steps");
    EXPECT_EQ(editor.GetNotes(), "three rows");
    EXPECT_EQ(GridRows(*editor.framePattern), (std::vector<std::string>{"#..", "##.", ".#."}));
    EXPECT_EQ(Threadings(editor.Pattern().Cards()), (std::vector<std::string>{"S", "Z", "S"}));
    EXPECT_EQ(Main().edPatternName->Text(), "Steps");
}

// --- Weaving the grid -------------------------------------------------------------------------

TEST_F(TwistEditorTest, SetCellsReverseSCardsAndClearCellsReverseZCardsAndColumnsWithoutACardTurnForwards)
{
    UserSettings().TwistPatterned.UseTwist = false;
    // Three columns, only two of them with a card (S, Z).
    auto design = Design({"#.#", ".##"}, "SZ");
    AddTwistCard(design->SelvedgeLeft(), ThreadingZ, 2);
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);

    editor.BuildThreadedPattern();
    const TTWPattern& threaded = editor.ThreadedPattern();
    // Row 0 (bottom) ".##": the S card forwards on a clear cell, the Z card forwards on a set
    // one; row 1 "#.#": the S card backwards on a set cell, the Z card backwards on a clear
    // one; the column without a card always forwards.
    EXPECT_EQ(PickTexts(threaded), (std::vector<std::string>{"1F 2F 3F", "1B 2B 3F"}));
    ASSERT_EQ(threaded.Cards().Count(), 3);
    EXPECT_EQ(Threadings(threaded.Cards()), (std::vector<std::string>{"S", "Z", "S"}));
    for (int card = 0; card < 3; ++card) {
        EXPECT_EQ(threaded.Cards().GetCard(card)->GetHoleCount(), 4);
        for (int hole = 0; hole < 4; ++hole) {
            EXPECT_EQ(threaded.Cards().GetCard(card)->HoleColour(hole), 0) << card << "/" << hole;
        }
    }
    ASSERT_EQ(threaded.SelvedgeLeft().Count(), 1);
    EXPECT_EQ(threaded.SelvedgeLeft().GetCard(0)->Threading(), ThreadingZ);
    EXPECT_EQ(threaded.SelvedgeLeft().GetCard(0)->HoleColour(0), 2);
    EXPECT_EQ(threaded.SelvedgeRight().Count(), 0);

    // Built again after an edit, nothing of the first build stays.
    editor.framePattern->ToggleCell(0, 0);
    editor.BuildThreadedPattern();
    EXPECT_EQ(PickTexts(editor.ThreadedPattern()), (std::vector<std::string>{"1B 2F 3F", "1B 2B 3F"}));
    EXPECT_EQ(editor.ThreadedPattern().Cards().Count(), 3);
}

TEST_F(TwistEditorTest, WithTwistsEveryCardTurnsForwardsAndIsTwistedOnceWhereItsColumnChanges)
{
    UserSettings().TwistPatterned.UseTwist = true;
    // Bottom row first: row 0 ".#.", row 1 "#..", row 2 "#.#", row 3 "..#", row 4 "#..".
    // Column 1 changes at rows 1, 3 and 4; column 2 at rows 0 (set in the first row) and 1;
    // column 3 at rows 2 and 4.
    auto design = Design({"#..", "..#", "#.#", "#..", ".#."}, "SZS");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    editor.BuildThreadedPattern();
    EXPECT_EQ(PickTexts(editor.ThreadedPattern()), (std::vector<std::string>{"1F 2F 2V 3F", "1F 1V 2F 2V 3F",
                                                                             "1F 2F 3F 3V", "1F 1V 2F 3F",
                                                                             "1F 1V 2F 3F 3V"}));
    for (const auto& pick : editor.ThreadedPattern().Picks()) {
        for (int i = 0; i < pick->Actions().Count(); ++i) {
            const TTWAction& action = *pick->Actions().Items(i);
            if (action.IsTwist()) {
                EXPECT_EQ(action.TwistDir(), TwistV);
            }
        }
    }

    // The threading plays no part with twists.
    editor.EditablePattern().Cards().GetCard(0)->SetThreading(ThreadingZ);
    editor.BuildThreadedPattern();
    EXPECT_EQ(PickTexts(editor.ThreadedPattern())[1], "1F 1V 2F 2V 3F");
}

TEST_F(TwistEditorTest, TheImagePageShowsTheBandWovenFromTheGridInWhiteThreads)
{
    UserSettings().TwistPatterned.UseTwist = false;
    auto design = Design({"#.", ".#", "##"}, "SZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 0) << "nothing is woven before the image is shown";

    editor.ShowImagePage();
    EXPECT_TRUE(editor.ImagePageShown());
    EXPECT_EQ(editor.ThreadedPattern().Palette().GetColour(0), 0xFFFFFFu);
    const TTWWeaving& front = editor.FrontWeaving();
    ASSERT_EQ(front.PickCount(), 3);
    ASSERT_EQ(front.Width(), 2);
    EXPECT_FALSE(front.Reverse());
    EXPECT_TRUE(editor.ReverseWeaving().Reverse());
    EXPECT_EQ(editor.ReverseWeaving().PickCount(), 3);
    for (const TTWWeavingCell& cell : front.AllCells()) {
        EXPECT_EQ(cell.Colour, 0xFFFFFFu);
    }
    // The band is the threaded-in form's own weaving, and the grid's edits reach it the next
    // time the image is shown.
    TTWPattern copy;
    copy.Assign(&editor.ThreadedPattern());
    TTWWeaving expected;
    copy.BuildWeaving(expected, nullptr, false, 0);
    for (int pick = 0; pick < 3; ++pick) {
        for (int column = 0; column < 2; ++column) {
            EXPECT_EQ(front.Cell(column, pick)->Slant, expected.Cell(column, pick)->Slant);
            EXPECT_EQ(front.Cell(column, pick)->TurnDir, expected.Cell(column, pick)->TurnDir);
        }
    }
    // Row 0 "##": the S card backwards, the Z card forwards.
    EXPECT_EQ(front.Cell(0, 0)->TurnDir, TurnBackwards);
    EXPECT_EQ(front.Cell(1, 0)->TurnDir, TurnForwards);

    editor.ShowPatternPage();
    editor.framePattern->ToggleCell(0, 0);
    editor.ShowImagePage();
    EXPECT_EQ(editor.FrontWeaving().Cell(0, 0)->TurnDir, TurnForwards);
}

// The grid edited here and there along a band longer than the loom's record interval, with
// and without twists: each time the image is shown the band, woven on from the first changed
// pick, is the whole weave of the threaded-in form, front and reverse.
TEST_F(TwistEditorTest, EditsWeaveTheBandOnAsAWholeWeaveWould)
{
    for (const bool useTwist : {false, true}) {
        SCOPED_TRACE(useTwist ? "twists" : "turns");
        UserSettings().TwistPatterned.UseTwist = useTwist;
        std::vector<std::string> rows;
        for (int y = 0; y < 300; ++y) {
            rows.push_back(y % 5 == 0 ? "#..#." : y % 3 == 0 ? ".##.#" : "..#..");
        }
        auto design = Design(rows, "SZSZS");
        TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
        random_patterns::Random random(useTwist ? 17U : 29U);
        for (int step = 0; step < 16; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            editor.ShowPatternPage();
            for (int cells = 1 + random.Below(2); cells > 0; --cells) {
                editor.framePattern->ToggleCell(random.Below(5), random.Below(300));
            }
            editor.ShowImagePage();
            TTWPattern copy;
            copy.Assign(&editor.ThreadedPattern());
            TTWWeaving front;
            copy.BuildWeaving(front, nullptr, false, 0);
            same_band::ExpectSameBand(front, editor.FrontWeaving());
            TTWWeaving reverse;
            copy.BuildReverseWeaving(reverse, nullptr, 0);
            same_band::ExpectSameBand(reverse, editor.ReverseWeaving());
        }
    }
}

TEST_F(TwistEditorTest, SetCellsAreMarkedBackslashAndClearCellsSlashOverTheWholeCell)
{
    auto design = Design({"#.", ".#"}, "SZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    const TfrmBlockPattern& grid = *editor.framePattern;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const TBlockCellInfo info = grid.GetCellInfo(x, y);
            EXPECT_EQ(info.Twine1, grid.IsCellSet(x, y) ? 1 : 0) << x << "," << y;
            EXPECT_EQ(info.Twine2, 2) << x << "," << y;
        }
    }
    EXPECT_EQ(grid.GetCellInfo(0, 1).Twine1, TwineBackslash);
    EXPECT_EQ(grid.GetCellInfo(1, 1).Twine1, TwineSlash);

    // The mark is the slant of the column's thread in the band, whatever the card's threading:
    // the grid and the woven image speak one code.
    UserSettings().TwistPatterned.UseTwist = false;
    auto mixed = Design({"#..#", ".##.", "#.#.", "..##"}, "SZZS");
    TfrmTWWarpTwinedPattern& woven = OpenDesign(*mixed);
    woven.ShowImagePage();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(woven.framePattern->GetCellInfo(x, y).Twine1, woven.FrontWeaving().Cell(x, y)->Slant)
                << x << "," << y;
        }
    }
}

// --- Commands ----------------------------------------------------------------------------------

TEST_F(TwistEditorTest, TheEditorsOwnCommandsComeWithThoseOfTheFrameOfThePageShown)
{
    auto design = Design({"#.", ".#"}, "SZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);

    TTWToolActionList onPattern;
    editor.GetToolActions(onPattern);
    for (const int id : {TWAction::PatternDetails, TWAction::Save, TWAction::Notes, TWAction::PatternSize,
                         TWAction::Print, TWAction::Undo, TWAction::Invert}) {
        EXPECT_TRUE(Listed(onPattern, id)) << id;
    }
    EXPECT_EQ(onPattern.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
    EXPECT_EQ(onPattern.Find(TWAction::CardSetup), nullptr);
    EXPECT_EQ(onPattern.Find(TWAction::BlockPattern), nullptr);

    editor.ShowImagePage();
    TTWToolActionList onImage;
    editor.GetToolActions(onImage);
    for (const int id : {TWAction::PatternDetails, TWAction::Save, TWAction::Notes, TWAction::PatternSize,
                         TWAction::Print, TWAction::BlockPattern, TWAction::ShowReverse}) {
        EXPECT_TRUE(Listed(onImage, id)) << id;
    }
    EXPECT_EQ(onImage.Find(TWAction::Invert), nullptr);
    EXPECT_EQ(onImage.Find(TWAction::Undo), nullptr);

    // A view command goes to the frame shown, and only to it.
    const int gridZoom = editor.framePattern->GetZoom();
    const int imageZoom = editor.frameWeaving->GetZoom();
    EXPECT_TRUE(editor.PerformAction(TWAction::ZoomIn, false, nullptr));
    EXPECT_EQ(editor.frameWeaving->GetZoom(), imageZoom + 1);
    EXPECT_EQ(editor.framePattern->GetZoom(), gridZoom);
    editor.ShowPatternPage();
    EXPECT_TRUE(editor.PerformAction(TWAction::ZoomIn, false, nullptr));
    EXPECT_EQ(editor.framePattern->GetZoom(), gridZoom + 1);
    EXPECT_EQ(editor.frameWeaving->GetZoom(), imageZoom + 1);
    // The design commands act on the grid.
    EXPECT_TRUE(editor.PerformAction(TWAction::Invert, false, nullptr));
    EXPECT_EQ(GridRows(*editor.framePattern), (std::vector<std::string>{".#", "#."}));
    // An id nobody knows is still handled.
    EXPECT_TRUE(editor.PerformAction(9999, false, nullptr));

    // Printing lists the turning actions of the grid as it is now, with the grid's picture.
    int printed = 0;
    modalScript = [&](fw::Form& form) {
        auto* display = dynamic_cast<TfrmActionDisplay*>(&form);
        ASSERT_NE(display, nullptr);
        ++printed;
        EXPECT_EQ(display->Pattern(), &editor.ThreadedPattern());
        EXPECT_FALSE(display->EveryOtherPick());
        ASSERT_NE(display->PrintPicture(), nullptr);
        EXPECT_EQ(display->PrintPicture()->Width(), editor.framePattern->MainImage().Width());
        form.SetModalResult(fw::mrCancel);
    };
    EXPECT_TRUE(editor.PerformAction(TWAction::Print, false, nullptr));
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(PickTexts(editor.ThreadedPattern()).size(), 2U);
}

TEST_F(TwistEditorTest, RenamingAsksForTheNameAndACancelledQuestionKeepsIt)
{
    auto design = Design({"#"}, "S");
    design->SetName("Old");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    std::vector<fw::InputQueryRequest> asked;
    bool accept = false;
    const fw::ScopedHandler<fw::InputQueryHandler> script(
        &fw::SetInputQueryHandler, [&](const fw::InputQueryRequest& request, std::string& value) {
            asked.push_back(request);
            value = "New";
            return accept;
        });

    editor.PerformAction(TWAction::PatternDetails, false, nullptr);
    EXPECT_EQ(editor.GetPatternName(), "Old");
    accept = true;
    editor.PerformAction(TWAction::PatternDetails, false, nullptr);
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[0].Caption, "Pattern Name");
    EXPECT_EQ(asked[0].Prompt, "Enter Name:");
    EXPECT_EQ(asked[0].Value, "Old");
    EXPECT_EQ(editor.GetPatternName(), "New");
    EXPECT_EQ(editor.Caption(), "Twist-Patterned: New");
    EXPECT_EQ(Main().edPatternName->Text(), "New");
}

TEST_F(TwistEditorTest, TheEditorTellsItsHostOfActivationPageChangesNamesAndClosing)
{
    RecordingHost host;
    auto* editor = new TfrmTWWarpTwinedPattern(&Main());
    editor->SetEditorHost(&host);
    editor->FinishLoading();
    const fw::WeakRef<fw::Form> alive(editor);
    EXPECT_EQ(host.menuAdded, std::vector<fw::Form*>{editor});

    auto design = Design({"#.", ".#"}, "SZ");
    design->SetName("Hosted");
    editor->OpenPattern(design.get(), "hosted.tvl");
    fw::ProcessPostedMessages();
    EXPECT_EQ(editor->GetFileName(), "hosted.tvl");
    EXPECT_EQ(host.menuCaptions, std::vector<std::string>{"Twist-Patterned: Hosted"});
    EXPECT_EQ(host.notesRefreshed, std::vector<ITWFormActions*>{editor});
    EXPECT_TRUE(host.Heard(WM_TW_EDITORNAMECHANGED, PatternTypeTwistPatterned));
    // Activated on show: the kind, the tool states, the notes and the block profiles.
    EXPECT_TRUE(host.Heard(WM_TW_EDITORACTIVATED, PatternTypeTwistPatterned));
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.notesBound, static_cast<ITWFormActions*>(editor));
    ASSERT_FALSE(host.profileMenus.empty());
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::Block));

    // A click on the image page's tab weaves the band before the page shows, and the profile
    // menu follows the page.
    host.notices.clear();
    ASSERT_TRUE(editor->pgImage->TabRect().Shown());
    const TILTabRect tab = editor->pgImage->TabRect();
    fw::TestDriver driver(*editor);
    driver.Click(driver.PointOf(*editor->pcMain, fw::Point{(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2}));
    ASSERT_TRUE(editor->ImagePageShown());
    EXPECT_EQ(editor->FrontWeaving().PickCount(), 2);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::WeavingImage));
    editor->ShowPatternPage();
    EXPECT_EQ(host.profileMenus.back(), static_cast<int>(TTWProfileKind::Block));

    // Notes and saving go through the host; a cancelled save writes nothing, and a
    // twist-patterned design is offered no text listing.
    editor->PerformAction(TWAction::Notes, false, nullptr);
    EXPECT_EQ(host.notesToggled, 1);
    editor->PerformAction(TWAction::Save, false, nullptr);
    EXPECT_EQ(host.saveDialogs, std::vector<bool>{false});
    EXPECT_EQ(editor->GetFileName(), "hosted.tvl");

    // The real windows never heard of the editor.
    EXPECT_EQ(Main().WindowMenuItem(editor), nullptr);
    EXPECT_NE(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(editor));

    host.notices.clear();
    answers.push_back(fw::mrYes);
    editor->Close();
    fw::ProcessPostedMessages();
    ASSERT_FALSE(alive);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSDISABLED, 0));
    EXPECT_EQ(host.notesBound, nullptr);
    EXPECT_EQ(host.menuRemoved, std::vector<fw::Form*>{editor});
}

TEST_F(TwistEditorTest, ClosingAsksAndOnlyYesClosesTheWindowAndLetsTheNotesGo)
{
    auto design = Design({"#"}, "S");
    design->SetNotes("kept");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    ASSERT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&editor));
    ASSERT_NE(Main().WindowMenuItem(&editor), nullptr);
    const int children = Main().MDIChildCount();
    const fw::WeakRef<fw::Form> alive(&editor);

    answers = {fw::mrNo};
    editor.Close();
    fw::ProcessPostedMessages();
    ASSERT_TRUE(alive);
    EXPECT_EQ(Main().MDIChildCount(), children);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Close form and lose changes?"});
    EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::Yes));
    EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::No));
    EXPECT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&editor));

    answers = {fw::mrYes};
    editor.Close();
    ASSERT_TRUE(alive);
    EXPECT_EQ(frmTWNotes->Pattern(), nullptr);
    fw::ProcessPostedMessages();
    EXPECT_FALSE(alive);
    EXPECT_EQ(Main().MDIChildCount(), children - 1);
    EXPECT_EQ(Main().WindowMenuItem(alive.Get()), nullptr);
    EXPECT_FALSE(Main().CommandItem(TWAction::Save)->Enabled());
}

} // namespace
