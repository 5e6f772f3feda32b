// The assembled program, as a new user meets it: every menu command that opens a window
// opens its own, and none answers that it is not there yet.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/gui/menu_item.h"
#include "framework/gui/message.h"
#include "framework/gui/std_speed_button.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;

class MenuOpenersTest : public EditorProgramTest {
protected:
    // Clicks the main menu's item of that name, as the menu does.
    void Click(const std::string& name)
    {
        auto* item = dynamic_cast<fw::MenuItem*>(Main().FindComponent(name));
        ASSERT_NE(item, nullptr) << "no menu item " << name;
        item->Click();
    }

    void ExpectNoNotAvailableBox(const std::string& name)
    {
        for (const fw::MessageBoxRequest& box : boxes) {
            EXPECT_EQ(box.Text.find("not available"), std::string::npos) << name << ": " << box.Text;
        }
    }
};

TEST_F(MenuOpenersTest, EveryWindowKindHasItsOpenerInTheProgram)
{
    for (int kind = static_cast<int>(TTWWindowKind::ThreadedEditor);
         kind <= static_cast<int>(TTWWindowKind::FileTypeRegistration); ++kind) {
        const auto windowKind = static_cast<TTWWindowKind>(kind);
        EXPECT_TRUE(WindowOpenerRegistered(windowKind)) << WindowKindTitle(windowKind);
    }
}

// One item of each editor kind the Create menu offers.
const std::vector<std::string> CreateCommands = {
    "mnuThreaded3Hole", "mnuTheaded4Hole",   "mnuThreaded5Hole", "mnuThreaded6Hole",
    "mnuThreaded7Hole", "mnuThreaded8Hole",  "mnuCreateSimpleDoubleface", "mnuDFMultiColour",
    "mnuDF6Hole",       "mnuCreate31Twill",  "mnuCreateDFFont",  "mnuCreateLetteredBand",
    "mnuCreateBrocade", "mnuCreateWarpTwined"};

TEST_F(MenuOpenersTest, EveryCreateCommandOpensAnEditorWindow)
{
    const std::vector<std::string>& editors = CreateCommands;
    for (const std::string& name : editors) {
        const int before = Main().MDIChildCount();
        Click(name);
        EXPECT_EQ(Main().MDIChildCount(), before + 1) << name;
        ExpectNoNotAvailableBox(name);
    }
    EXPECT_EQ(Main().MDIChildCount(), static_cast<int>(editors.size()));
}

TEST_F(MenuOpenersTest, EveryEditorAsksBeforeItClosesAndLeavesTheToolsOff)
{
    for (const std::string& name : CreateCommands) {
        Click(name);
        fw::Form* editor = Main().ActiveMDIChild();
        ASSERT_NE(editor, nullptr) << name;
        EXPECT_TRUE(Main().ToolButton(TWAction::Save)->Enabled()) << name;

        boxes.clear();
        answers.push_back(fw::mrNo);
        editor->Close();
        fw::ProcessPostedMessages();
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes.back().Text, "Close form and lose changes?") << name;
        EXPECT_EQ(Main().MDIChildCount(), 1) << name << " stays when the answer is No";

        answers.push_back(fw::mrYes);
        editor->Close();
        fw::ProcessPostedMessages();
        EXPECT_EQ(Main().MDIChildCount(), 0) << name;
        EXPECT_FALSE(Main().ToolButton(TWAction::Save)->Enabled()) << name << " leaves its tools behind";
    }
}

TEST_F(MenuOpenersTest, EveryDialogCommandRunsItsDialog)
{
    const std::vector<std::string> dialogs = {"mnuSettings",       "mnuEdit_Palettes", "mnuJoinSidebySide",
                                              "mnuJoinEndtoEnd",   "mnuCvtDFtoBrocade", "mnuAboutTVL",
                                              "mnuRevisions"};
    std::vector<std::string> shown;
    for (const std::string& name : dialogs) {
        const size_t before = modalForms.size();
        Click(name);
        ASSERT_EQ(modalForms.size(), before + 1) << name;
        shown.push_back(modalForms.back());
        ExpectNoNotAvailableBox(name);
    }
    // Seven commands, seven different windows.
    std::vector<std::string> distinct = shown;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_EQ(distinct.size(), dialogs.size());
}

TEST_F(MenuOpenersTest, BrowseOpensTheBrowserAndTheWindowsMenuShowsIt)
{
    EXPECT_EQ(Main().BrowserWindow(), nullptr);
    Click("mnuBrowse");
    ASSERT_NE(Main().BrowserWindow(), nullptr);
    ExpectNoNotAvailableBox("mnuBrowse");
    EXPECT_TRUE(Main().mnuShowBrowser->Visible());
}

} // namespace
