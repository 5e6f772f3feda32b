// The threaded-in editor shown for a pattern: a new one from the Create menu, one loaded from
// a file (which keeps the pattern it read), one given by the caller; the hole-count check;
// the name and the notes; and the window's place among the main window's children.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "foundation/generic_exception.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/menu_item.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;
using threaded_editor_test::RowCount;
using threaded_editor_test::RowTexts;

using ThreadedEditorDisplayTest = EditorProgramTest;

TEST_F(ThreadedEditorDisplayTest, CreateMenuOpensAnEmptyPatternOfItsOwnMaximised)
{
    TfrmTWThreadedPattern& editor = NewEditor(6);
    ASSERT_NE(editor.Pattern(), nullptr);
    EXPECT_TRUE(editor.OwnsPattern());
    EXPECT_EQ(editor.HoleCount(), 6);
    EXPECT_EQ(editor.Pattern()->Cards().Count(), 0);
    EXPECT_EQ(editor.Caption(), "Threaded Pattern: ");
    EXPECT_EQ(editor.WindowState(), fw::WindowState::Maximized);
    EXPECT_TRUE(editor.Visible());
    EXPECT_EQ(editor.GetFileName(), "");
    // Listed in the Windows menu under its caption.
    fw::MenuItem* item = Main().WindowMenuItem(&editor);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), "Threaded Pattern: ");
    EXPECT_EQ(editor.lblPicks->Caption(), "0");
}

TEST_F(ThreadedEditorDisplayTest, HoleCountsOutsideThreeToEightAreRefused)
{
    TfrmTWThreadedPattern& editor = NewEditor(4);
    TTWPattern* pattern = editor.Pattern();
    for (int holes : {2, 9, 0, -1}) {
        try {
            editor.Display(holes, nullptr, "other.tvl");
            ADD_FAILURE() << holes << " holes were accepted";
        } catch (const TGenericException& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Unable to display pattern form.\r\nThe form only supports cards with 3 to 8 holes.");
        }
    }
    // Nothing changed.
    EXPECT_EQ(editor.Pattern(), pattern);
    EXPECT_EQ(editor.HoleCount(), 4);
    EXPECT_EQ(editor.GetFileName(), "");
    editor.Display(3, nullptr, std::string());
    EXPECT_EQ(editor.HoleCount(), 3);
    editor.Display(8, nullptr, std::string());
    EXPECT_EQ(editor.HoleCount(), 8);
}

TEST_F(ThreadedEditorDisplayTest, CreateMenuItemWithABadHoleCountLeavesNoWindow)
{
    const int before = Main().MDIChildCount();
    EXPECT_THROW(OpenWindowOfKind(Main(), TTWWindowKind::ThreadedEditor, 12), TGenericException);
    EXPECT_EQ(Main().MDIChildCount(), before);
}

// The loader lets the window's pattern read the file and then shows the window without a
// pattern: the window must show what was read, not a new empty pattern.
TEST_F(ThreadedEditorDisplayTest, LoadedFileShowsThePatternItRead)
{
    const std::filesystem::path file = sample_patterns::SamplePath(sample_patterns::SmallFile);
    TfrmTWThreadedPattern& editor = OpenFile(file);
    ASSERT_NE(editor.Pattern(), nullptr);
    EXPECT_TRUE(editor.OwnsPattern());
    EXPECT_EQ(editor.Pattern()->Name(), "Small Diamonds");
    EXPECT_EQ(editor.Pattern()->Cards().Count(), 12);
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 16);
    EXPECT_EQ(editor.HoleCount(), 4);
    EXPECT_EQ(editor.GetFileName(), file.string());
    EXPECT_EQ(editor.Caption(), "Threaded Pattern: Small Diamonds");
    // The band: a selvedge card on each side of the twelve cards, one row a pick.
    EXPECT_EQ(editor.FrontWeaving().Width(), 14);
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 16);
    EXPECT_EQ(editor.ReverseWeaving().PickCount(), 16);
    EXPECT_EQ(editor.frmCards->FrameCount(), 12);
    EXPECT_EQ(RowCount(*editor.lstActions), 16);
    EXPECT_EQ(RowCount(*editor.lstPackActions), 16);
    EXPECT_EQ(editor.lblPicks->Caption(), "16");
    // The main window names the pattern and its file.
    EXPECT_EQ(Main().edPatternName->Text(), "Small Diamonds");
    EXPECT_EQ(Main().pnlPatternFileName->Caption(), file.string());
}

TEST_F(ThreadedEditorDisplayTest, DisplayWithoutAPatternKeepsTheOneTheWindowHas)
{
    TfrmTWThreadedPattern& editor = NewEditor(4);
    auto own = threaded_editor_test::CardsOnly(5);
    TTWPattern* kept = own.get();
    editor.TakePattern(std::move(own));
    editor.Display(4, nullptr, "kept.tvl");
    EXPECT_EQ(editor.Pattern(), kept);
    EXPECT_TRUE(editor.OwnsPattern());
    EXPECT_EQ(editor.frmCards->FrameCount(), 5);
    EXPECT_EQ(editor.GetFileName(), "kept.tvl");
}

TEST_F(ThreadedEditorDisplayTest, AGivenPatternStaysTheCallersAndOutlivesTheWindow)
{
    auto pattern = threaded_editor_test::CardsOnly(3);
    pattern->Picks().Add();
    {
        TfrmTWThreadedPattern& editor = NewEditor(4);
        editor.Display(4, pattern.get(), std::string());
        EXPECT_EQ(editor.Pattern(), pattern.get());
        EXPECT_FALSE(editor.OwnsPattern());
        EXPECT_EQ(editor.FrontWeaving().PickCount(), 1);
        answers.push_back(fw::mrYes);
        editor.Close();
        fw::ProcessPostedMessages();
    }
    EXPECT_EQ(ActiveEditor(), nullptr);
    // Still the caller's, whole (a freed pattern would fail under the address sanitizer).
    EXPECT_EQ(pattern->Cards().Count(), 3);
    EXPECT_EQ(pattern->Picks().Count(), 1);
}

TEST_F(ThreadedEditorDisplayTest, SetPatternLetsTheOwnedPatternGoAndKeepsAGivenOne)
{
    TfrmTWThreadedPattern& editor = NewEditor(4);
    ASSERT_TRUE(editor.OwnsPattern());
    auto given = threaded_editor_test::CardsOnly(2);
    editor.SetPattern(given.get());
    EXPECT_EQ(editor.Pattern(), given.get());
    EXPECT_FALSE(editor.OwnsPattern());
    // The same pattern again changes nothing.
    editor.SetPattern(given.get());
    EXPECT_EQ(editor.Pattern(), given.get());
    editor.SetPattern(nullptr);
    EXPECT_EQ(editor.Pattern(), nullptr);
    EXPECT_EQ(given->Cards().Count(), 2);
    EXPECT_EQ(editor.GetNotes(), "");
    EXPECT_EQ(editor.GetPatternName(), "");
}

TEST_F(ThreadedEditorDisplayTest, RenamingSetsTheNameTheCaptionAndTheMainWindowsBox)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    fw::InputQueryHandler previous = fw::SetInputQueryHandler([](const fw::InputQueryRequest& request, std::string& value) {
        EXPECT_EQ(request.Caption, "Pattern Name");
        EXPECT_EQ(request.Prompt, "Enter Name:");
        EXPECT_EQ(request.Value, "Small Diamonds");
        value = "Chevrons";
        return true;
    });
    EXPECT_TRUE(editor.PerformAction(TWAction::PatternDetails, false, nullptr));
    fw::SetInputQueryHandler(std::move(previous));
    EXPECT_EQ(editor.Pattern()->Name(), "Chevrons");
    EXPECT_EQ(editor.Caption(), "Threaded Pattern: Chevrons");
    EXPECT_EQ(Main().edPatternName->Text(), "Chevrons");
    EXPECT_EQ(Main().WindowMenuItem(&editor)->Caption(), "Threaded Pattern: Chevrons");

    // Cancelled, nothing changes.
    previous = fw::SetInputQueryHandler([](const fw::InputQueryRequest&, std::string& value) {
        value = "Ignored";
        return false;
    });
    editor.PerformAction(TWAction::PatternDetails, false, nullptr);
    fw::SetInputQueryHandler(std::move(previous));
    EXPECT_EQ(editor.Pattern()->Name(), "Chevrons");
}

TEST_F(ThreadedEditorDisplayTest, ActivationBindsTheNotesWhichEditThePatternsNotes)
{
    TfrmTWThreadedPattern& first = OpenSample(sample_patterns::SmallFile);
    ASSERT_NE(frmTWNotes, nullptr);
    EXPECT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&first));
    EXPECT_EQ(first.GetNotes(), "Twelve cards, sixteen picks.");

    TfrmTWThreadedPattern& second = OpenSample(sample_patterns::PacksFile);
    EXPECT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&second));
    first.SetNotes("Changed");
    EXPECT_EQ(first.Pattern()->Notes(), "Changed");
    EXPECT_EQ(second.GetNotes(), "Two packs.");
}

TEST_F(ThreadedEditorDisplayTest, ActivationTellsTheMainWindowItsToolStates)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    // 11024 applied the editor's list: its own commands and the view's are enabled.
    for (int id : {TWAction::PatternDetails, TWAction::Save, TWAction::Print, TWAction::Undo, TWAction::ShowGrid}) {
        fw::MenuItem* item = Main().CommandItem(id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_TRUE(item->Enabled()) << id;
    }
    // Commands of other editors are not.
    EXPECT_FALSE(Main().CommandItem(TWAction::Invert)->Enabled());
    EXPECT_TRUE(Main().CommandItem(TWAction::CardList)->Checked());
    EXPECT_EQ(editor.Pattern()->Picks().Count(), 16);
}

} // namespace
