// Closing the threaded-in editor: the question, the notes let go before the window goes, the
// main window's tools switched off, and the window's end leaving nothing behind.

#include <gtest/gtest.h>

#include <string>

#include "framework/gui/menu_item.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;

using ThreadedEditorCloseTest = EditorProgramTest;

TEST_F(ThreadedEditorCloseTest, AnsweringNoKeepsTheWindowOpen)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    answers.push_back(fw::mrNo);
    editor.Close();
    fw::ProcessPostedMessages();
    ASSERT_EQ(BoxTexts(), std::vector<std::string>{"Close form and lose changes?"});
    EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::Yes));
    EXPECT_TRUE(boxes[0].Buttons.Contains(fw::MsgDlgBtn::No));
    EXPECT_EQ(ActiveEditor(), &editor);
    EXPECT_TRUE(editor.Visible());
    EXPECT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&editor));
}

TEST_F(ThreadedEditorCloseTest, AnsweringYesUnbindsTheNotesBeforeTheWindowIsFreed)
{
    TfrmTWThreadedPattern& editor = OpenSample(sample_patterns::SmallFile);
    ASSERT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&editor));
    const fw::WeakRef<fw::Form> alive(&editor);
    answers.push_back(fw::mrYes);
    editor.Close();
    // The window goes after the close handler; the notes have let it go already.
    ASSERT_TRUE(alive);
    EXPECT_EQ(frmTWNotes->Pattern(), nullptr);
    fw::ProcessPostedMessages();
    EXPECT_FALSE(alive);
    EXPECT_EQ(Main().MDIChildCount(), 0);
    // The tools were switched off, and the window left the Windows menu.
    EXPECT_FALSE(Main().CommandItem(TWAction::Save)->Enabled());
    EXPECT_FALSE(Main().CommandItem(TWAction::Undo)->Enabled());
    EXPECT_EQ(Main().WindowMenuItem(alive.Get()), nullptr);
    // The notes show no pattern now.
    EXPECT_EQ(frmTWNotes->edNotes->Text(), "");
    EXPECT_FALSE(frmTWNotes->edNotes->Enabled());
}

TEST_F(ThreadedEditorCloseTest, NotesTypedBeforeClosingReachThePatternBeforeItGoes)
{
    auto pattern = threaded_editor_test::CardsOnly(2);
    TfrmTWThreadedPattern& editor = NewEditor(4);
    editor.Display(4, pattern.get(), std::string());
    ASSERT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&editor));
    frmTWNotes->edNotes->SetText("Warp in wool");
    answers.push_back(fw::mrYes);
    editor.Close();
    fw::ProcessPostedMessages();
    // The pattern is the test's: it outlived the window and holds the notes typed.
    EXPECT_EQ(pattern->Notes(), "Warp in wool");
}

TEST_F(ThreadedEditorCloseTest, ClosingOneOfTwoWindowsBindsTheNotesToTheOther)
{
    TfrmTWThreadedPattern& first = OpenSample(sample_patterns::SmallFile);
    TfrmTWThreadedPattern& second = OpenSample(sample_patterns::PacksFile);
    answers.push_back(fw::mrYes);
    second.Close();
    fw::ProcessPostedMessages();
    EXPECT_EQ(ActiveEditor(), &first);
    EXPECT_EQ(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(&first));
    EXPECT_EQ(frmTWNotes->edNotes->Text(), "Twelve cards, sixteen picks.");
}

TEST_F(ThreadedEditorCloseTest, TheMainWindowGoingFreesItsEditorsWithoutAsking)
{
    OpenSample(sample_patterns::SmallFile);
    OpenSample(sample_patterns::PacksFile);
    // The fixture frees the main window with both editors in it; the notes survive it.
    EXPECT_EQ(Main().MDIChildCount(), 2);
    EXPECT_TRUE(boxes.empty());
}

} // namespace
