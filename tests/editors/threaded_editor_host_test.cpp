// The threaded-in editor reaches the program only through the host it is handed: given a
// recording host, what it tells the program on activation, renaming and closing reaches that
// host, and the real main window and notes window around it hear nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/gui/std_edit.h"
#include "model/pattern_base.h"
#include "recording_host.h"
#include "shell/main_window_messages.h"
#include "threaded_editor_test_support.h"

namespace {

using editor_test::RecordingHost;
using threaded_editor_test::EditorProgramTest;

using ThreadedEditorHostTest = EditorProgramTest;

TEST_F(ThreadedEditorHostTest, ActivatingRenamingAndClosingReachTheHostAlone)
{
    RecordingHost host;
    // Made as the factory makes it, with the recording host in place of the main window's.
    auto* editor = new TfrmTWThreadedPattern(&Main());
    editor->SetEditorHost(&host);
    editor->FinishLoading();
    const fw::WeakRef<fw::Form> alive(editor);
    EXPECT_EQ(host.menuAdded, std::vector<fw::Form*>{editor});

    editor->Display(4, nullptr, std::string());
    fw::ProcessPostedMessages();
    // Activated on show: the host heard it, the notes were bound there, and the profile menu
    // was asked for.
    EXPECT_TRUE(host.Heard(WM_TW_EDITORACTIVATED, PatternTypeThreaded));
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.notesBound, static_cast<ITWFormActions*>(editor));
    EXPECT_FALSE(host.profileMenus.empty());

    host.notices.clear();
    editor->SetPatternName("Ribbon");
    EXPECT_TRUE(host.Heard(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded));
    EXPECT_EQ(editor->GetPatternName(), "Ribbon");

    // The real windows never heard of the editor.
    EXPECT_EQ(Main().WindowMenuItem(editor), nullptr);
    EXPECT_NE(Main().edPatternName->Text(), "Ribbon");
    EXPECT_NE(frmTWNotes->Pattern(), static_cast<ITWFormActions*>(editor));

    host.notices.clear();
    answers.push_back(fw::mrYes);
    editor->Close();
    fw::ProcessPostedMessages();
    ASSERT_FALSE(alive);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSDISABLED, 0));
    EXPECT_EQ(host.notesBound, nullptr);
    EXPECT_GT(host.notesUnbinds, 0);
    EXPECT_EQ(host.menuRemoved, std::vector<fw::Form*>{editor});
    EXPECT_EQ(host.destroyed, std::vector<fw::Form*>{editor});
}

} // namespace
