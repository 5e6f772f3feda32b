// The threaded-in editor reaches the program only through the host it is handed: given a
// recording host, what it tells the program on activation, renaming and closing reaches that
// host, and the real main window and notes window around it hear nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/gui/std_edit.h"
#include "model/pattern_base.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;

// A host that remembers every call and runs no dialog.
class RecordingHost final : public ITWEditorHost {
public:
    struct Notice {
        int Message;
        std::intptr_t WParam;
        bool operator==(const Notice&) const = default;
    };

    fw::Component* DialogOwner() override { return nullptr; }
    void NotifyMainForm(int message, std::intptr_t wParam) override { notices.push_back(Notice{message, wParam}); }
    void EditorDestroyed(fw::Form& editor) override { destroyed.push_back(&editor); }
    void AddWindowMenuEntry(fw::Form& editor) override { menuAdded.push_back(&editor); }
    void UpdateWindowMenuCaption(fw::Form& editor) override { menuCaptions.push_back(editor.Caption()); }
    void RemoveWindowMenuEntry(fw::Form& editor) override { menuRemoved.push_back(&editor); }
    void BuildProfileMenu(int kind) override { profileMenus.push_back(kind); }
    void RefillProfilePopup(const ProfileItemsFill&) override {}
    const fw::Control* ProfileButton() override { return nullptr; }
    void BindNotes(ITWFormActions& editor) override { notesBound = &editor; }
    void UnbindNotes(ITWFormActions& editor) override
    {
        if (notesBound == &editor) {
            notesBound = nullptr;
        }
        ++notesUnbinds;
    }
    void RefreshNotes(ITWFormActions&) override {}
    void ShowNotesAsConfigured() override {}
    void ToggleNotes() override {}
    bool ExecuteSavePatternDialog(std::string&, bool) override { return false; }
    bool ExecuteSaveDialog(std::string&, const std::string&, const std::string&, const std::string&, int&) override
    {
        return false;
    }
    std::optional<bool> PickColour(fw::Color&) override { return false; }
    std::optional<bool> SavePicture(const fw::Bitmap&) override { return false; }
    std::optional<bool> EditSizeRatios(double&, double&, double&) override { return false; }
    fw::Control* ClipList() override { return nullptr; }
    void ShowClipPanel() override {}
    void ToggleClipPanel() override {}
    std::optional<bool> OpenPicture(std::string&) override { return std::nullopt; }

    bool Heard(int message, std::intptr_t wParam) const
    {
        return std::find(notices.begin(), notices.end(), Notice{message, wParam}) != notices.end();
    }

    std::vector<Notice> notices;
    std::vector<fw::Form*> destroyed;
    std::vector<fw::Form*> menuAdded;
    std::vector<std::string> menuCaptions;
    std::vector<fw::Form*> menuRemoved;
    std::vector<int> profileMenus;
    ITWFormActions* notesBound = nullptr;
    int notesUnbinds = 0;
};

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
