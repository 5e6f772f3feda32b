#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/test_driver.h"
#include "framework/gui/window_helpers.h"
#include "model/display_profile.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/main_window_messages.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

class CommandRoutingTest : public ShellTest {
protected:
    fw::SpeedButton& Button(std::int32_t id)
    {
        fw::SpeedButton* button = Main().ToolButton(id);
        EXPECT_NE(button, nullptr) << id;
        return *button;
    }
    // Every menu item below `item` (not the item itself).
    static std::vector<fw::MenuItem*> Below(fw::MenuItem& item)
    {
        std::vector<fw::MenuItem*> items;
        for (int i = 0; i < item.Count(); ++i) {
            items.push_back(item.Items(i));
            for (fw::MenuItem* deeper : Below(*item.Items(i))) {
                items.push_back(deeper);
            }
        }
        return items;
    }
    void Refresh() { Main().Perform(WM_TW_TOOLSTATESCHANGED); }
};

// A child window that is no pattern editor (as the pattern browser is).
class PlainChild : public fw::Form {
public:
    explicit PlainChild(fw::Component* owner) : fw::Form(owner)
    {
        SetFormStyle(fw::FormStyle::MDIChild);
        SetBounds(0, 0, 200, 150);
        FinishLoading();
    }
};

} // namespace

TEST_F(CommandRoutingTest, AtStartEveryCommandIsOffButTheCreateAndWindowsMenusAndUntaggedItems)
{
    TfrmTWMain& main = Main();
    ASSERT_EQ(main.ToolButtons().size(), 53u);
    for (fw::SpeedButton* button : main.ToolButtons()) {
        EXPECT_FALSE(button->Enabled()) << button->Name();
        EXPECT_FALSE(button->ShowHint()) << button->Name() << ": no hint for a disabled command";
    }
    EXPECT_TRUE(main.btnLoad->Enabled());
    EXPECT_TRUE(main.btnLoad->ShowHint());
    EXPECT_EQ(main.btnLoad->Hint(), "Open file");

    int tagged = 0;
    main.mnuMain->Walk(
        [&](fw::MenuItem& item) {
            if (item.Tag() > 0) {
                ++tagged;
                EXPECT_FALSE(item.Enabled()) << item.Name();
            } else {
                EXPECT_TRUE(item.Enabled()) << item.Name();
            }
        },
        [&](const fw::MenuItem& item) { return &item == main.mnuCreate || &item == main.mnuWindows; });
    EXPECT_EQ(tagged, 52);
    // The hole counts of the Create menu are tags too, the same numbers as Save and the
    // threading diagram, yet they never follow the editors.
    for (fw::MenuItem* item : Below(*main.mnuCreate)) {
        EXPECT_TRUE(item->Enabled()) << item->Name();
    }
    EXPECT_EQ(Item("mnuThreaded3Hole").Tag(), TWAction::Save);
    EXPECT_FALSE(Item("mnuSave").Enabled());
    for (fw::MenuItem* item : Below(*main.mnuWindows)) {
        EXPECT_TRUE(item->Enabled()) << item->Name();
    }
}

TEST_F(CommandRoutingTest, ARefreshTakesTheStatesTheActiveEditorReports)
{
    FakeEditor& editor = OpenEditor();
    editor.reported.SetAction(TWAction::Save, true, false);
    editor.reported.SetAction(TWAction::ShowGrid, true, true);
    editor.reported.SetAction(TWAction::ZoomIn, false, false);
    Refresh();
    EXPECT_EQ(editor.toolQueries, 1);

    EXPECT_TRUE(Button(TWAction::Save).Enabled());
    EXPECT_TRUE(Button(TWAction::Save).ShowHint());
    EXPECT_TRUE(Item("mnuSave").Enabled());
    EXPECT_TRUE(Button(TWAction::ShowGrid).Down());
    EXPECT_TRUE(Item("mnuShowGrid").Checked());
    EXPECT_TRUE(Item("mnuShowGrid").Enabled());
    EXPECT_FALSE(Button(TWAction::ZoomIn).Enabled()) << "reported, but disabled";
    EXPECT_FALSE(Button(TWAction::ZoomIn).ShowHint());
    EXPECT_FALSE(Item("ZoomIn1").Enabled());
    EXPECT_FALSE(Button(TWAction::Print).Enabled()) << "not reported";
    EXPECT_FALSE(Item("mnuPrint").Enabled());
}

TEST_F(CommandRoutingTest, AnIdTheEditorNoLongerReportsIsDisabledAndKeepsItsPressedStateAndCheck)
{
    FakeEditor& editor = OpenEditor();
    editor.reported.SetAction(TWAction::ShowColours, true, true);
    editor.reported.SetAction(TWAction::ClipPanel, true, true);
    Refresh();
    ASSERT_TRUE(Button(TWAction::ShowColours).Down());
    ASSERT_TRUE(Item("mnuShowColours").Checked());

    editor.reported.Clear();
    editor.reported.SetAction(TWAction::ClipPanel, true, false);
    Refresh();
    fw::SpeedButton& colours = Button(TWAction::ShowColours);
    EXPECT_FALSE(colours.Enabled());
    EXPECT_TRUE(colours.Down()) << "the pressed state stays";
    EXPECT_FALSE(colours.ShowHint()) << "the hint follows the enabled state";
    EXPECT_FALSE(Item("mnuShowColours").Enabled());
    EXPECT_TRUE(Item("mnuShowColours").Checked()) << "the check mark stays";
    EXPECT_FALSE(Button(TWAction::ClipPanel).Down()) << "a reported id takes its new state";

    // Closing the editor switches everything off, leaving the marks alone.
    Main().Perform(WM_TW_TOOLSDISABLED);
    EXPECT_FALSE(Button(TWAction::ClipPanel).Enabled());
    EXPECT_TRUE(Item("mnuShowColours").Checked());
}

TEST_F(CommandRoutingTest, AChildWithoutTheCommandInterfaceLeavesEveryToolAsItWas)
{
    FakeEditor& editor = OpenEditor();
    editor.reported.SetAction(TWAction::Save, true, false);
    editor.reported.SetAction(TWAction::ShowGrid, true, true);
    Refresh();

    auto* browser = new PlainChild(&Main());
    browser->Show();
    ASSERT_EQ(Main().ActiveMDIChild(), browser);
    EXPECT_EQ(Main().GetActiveActions(), nullptr);
    Refresh();
    EXPECT_TRUE(Button(TWAction::Save).Enabled());
    EXPECT_TRUE(Button(TWAction::ShowGrid).Down());
    EXPECT_TRUE(Item("mnuShowGrid").Checked());

    // Its commands reach nobody, the editor behind it included.
    Item("mnuSave").Click();
    EXPECT_TRUE(editor.performed.empty());
    EXPECT_EQ(Main().LastCommandControl(), &Item("mnuSave")) << "still the last command control";
}

TEST_F(CommandRoutingTest, WithoutAnActiveChildACommandDoesNothing)
{
    Main().SetToolState(TWAction::Save, true, false);
    Item("mnuSave").Click();
    EXPECT_EQ(Main().LastCommandControl(), nullptr);
    EXPECT_EQ(Main().GetActiveActions(), nullptr);
}

TEST_F(CommandRoutingTest, AMenuItemPassesTheOppositeOfItsCheckMark)
{
    FakeEditor& editor = OpenEditor();
    ASSERT_EQ(Main().GetActiveActions(), &editor);
    editor.reported.SetAction(TWAction::ShowGrid, true, true);
    editor.reported.SetAction(TWAction::ShowReverse, true, false);
    Refresh();

    Item("mnuShowGrid").Click();
    Item("mnuShowReverse").Click();
    ASSERT_EQ(editor.performed.size(), 2u);
    EXPECT_EQ(editor.performed[0].Id, TWAction::ShowGrid);
    EXPECT_FALSE(editor.performed[0].Down) << "checked: the click turns it off";
    EXPECT_EQ(editor.performed[0].Data, nullptr);
    EXPECT_EQ(editor.performed[1].Id, TWAction::ShowReverse);
    EXPECT_TRUE(editor.performed[1].Down) << "unchecked: the click turns it on";
    EXPECT_EQ(Main().LastCommandControl(), &Item("mnuShowReverse"));
    // The check mark is the editor's to change, through the next refresh.
    EXPECT_TRUE(Item("mnuShowGrid").Checked());
}

TEST_F(CommandRoutingTest, AToolButtonPassesItsStateAfterTheClick)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& editor = OpenEditor();
    editor.reported.SetAction(TWAction::ShowGrid, true, false);
    editor.reported.SetAction(TWAction::ZoomIn, true, false);
    Refresh();
    fw::TestDriver driver(main);

    driver.ClickOn(Button(TWAction::ShowGrid));
    driver.ClickOn(Button(TWAction::ShowGrid));
    driver.ClickOn(Button(TWAction::ZoomIn));
    ASSERT_EQ(editor.performed.size(), 3u);
    EXPECT_EQ(editor.performed[0].Id, TWAction::ShowGrid);
    EXPECT_TRUE(editor.performed[0].Down) << "a toggle goes down with the first click";
    EXPECT_FALSE(editor.performed[1].Down) << "and up with the second";
    EXPECT_EQ(editor.performed[2].Id, TWAction::ZoomIn);
    EXPECT_FALSE(editor.performed[2].Down) << "a plain button is never down";
    EXPECT_EQ(main.LastCommandControl(), &Button(TWAction::ZoomIn));

    // A disabled button takes no click at all.
    main.Perform(WM_TW_TOOLSDISABLED);
    driver.ClickOn(Button(TWAction::ZoomIn));
    EXPECT_EQ(editor.performed.size(), 3u);
}

TEST_F(CommandRoutingTest, ProfileItemsCarryTheirProfileAndARefreshLeavesThemEnabled)
{
    TTWDesignProfileList& profiles = UserSettings().EditorProfiles();
    auto* wide = new TTWDesignProfileWeavingImage;
    wide->Name = "Wide";
    profiles.Add(wide);
    auto* blocky = new TTWDesignProfileBlock;
    blocky->Name = "Blocky";
    profiles.Add(blocky);
    auto* narrow = new TTWDesignProfileWeavingImage;
    narrow->Name = "Narrow";
    profiles.Add(narrow);

    FakeEditor& editor = OpenEditor();
    editor.reported.SetAction(TWAction::SelectProfile, true, false);
    Refresh();
    TfrmTWMain& main = Main();
    main.BuildProfileMenu(0);
    fw::MenuItem* menu = main.mnuSelectProfile;
    ASSERT_EQ(menu->Count(), 4);
    EXPECT_EQ(menu->Items(0)->Caption(), "Wide");
    EXPECT_EQ(menu->Items(1)->Caption(), "Narrow");
    EXPECT_TRUE(menu->Items(2)->IsLine());
    EXPECT_EQ(menu->Items(3)->Caption(), "Standard Weaving Chart");
    EXPECT_EQ(menu->Items(0)->Tag(), TWAction::ApplyProfile);
    EXPECT_EQ(menu->Items(3)->Tag(), TWAction::ApplyProfile);

    // No editor reports the profile items; the refresh must not grey them.
    Refresh();
    main.Perform(WM_TW_TOOLSDISABLED);
    Refresh();
    EXPECT_TRUE(menu->Items(0)->Enabled());
    EXPECT_TRUE(menu->Items(3)->Enabled());
    EXPECT_TRUE(menu->Enabled()) << "the submenu itself follows the editor";

    menu->Items(1)->Click();
    menu->Items(3)->Click();
    ASSERT_EQ(editor.performed.size(), 2u);
    EXPECT_EQ(editor.performed[0].Id, TWAction::ApplyProfile);
    EXPECT_EQ(editor.performed[0].Data, narrow);
    EXPECT_EQ(editor.performed[1].Data, nullptr) << "the standard chart has no profile";

    main.BuildProfileMenu(1);
    ASSERT_EQ(menu->Count(), 1) << "block profiles only, and no standard chart";
    EXPECT_EQ(menu->Items(0)->Caption(), "Blocky");
    EXPECT_EQ(reinterpret_cast<fw::Object*>(dynamic_cast<TEnhancedMenuItem*>(menu->Items(0))->Data), blocky);
}

TEST_F(CommandRoutingTest, ARefreshEmptiesTheDisplayProfilePopup)
{
    TfrmTWMain& main = Main();
    auto* stale = new fw::MenuItem;
    stale->SetCaption("Old profile");
    main.pmDisplayProfiles->Items()->Add(stale);
    Refresh();
    EXPECT_EQ(main.pmDisplayProfiles->Items()->Count(), 0) << "cleared even without an editor";
}

TEST_F(CommandRoutingTest, OneActionsStateArrivesPackedInThreeBytes)
{
    TfrmTWMain& main = Main();
    main.Perform(WM_TW_TOOLSTATE, TWAction::CardList, 0x010101);
    EXPECT_TRUE(Button(TWAction::CardList).Enabled());
    EXPECT_TRUE(Button(TWAction::CardList).Down());
    EXPECT_TRUE(Button(TWAction::CardList).ShowHint());
    EXPECT_TRUE(Item("mnuShowCardList").Checked());

    // Both enable flags must be set.
    main.Perform(WM_TW_TOOLSTATE, TWAction::CardList, 0x010001);
    EXPECT_FALSE(Button(TWAction::CardList).Enabled());
    EXPECT_FALSE(Item("mnuShowCardList").Enabled());
    main.Perform(WM_TW_TOOLSTATE, TWAction::CardList, 0x000100);
    EXPECT_FALSE(Button(TWAction::CardList).Enabled());
    main.Perform(WM_TW_TOOLSTATE, TWAction::CardList, 0x000101);
    EXPECT_TRUE(Button(TWAction::CardList).Enabled());
    EXPECT_FALSE(Button(TWAction::CardList).Down());
    EXPECT_FALSE(Item("mnuShowCardList").Checked());

    // The model reports through the same message.
    model_hooks::Notify(TWAction::CardList, true, true, true);
    EXPECT_TRUE(Button(TWAction::CardList).Down());
    model_hooks::Notify(TWAction::CardList, true, false, false);
    EXPECT_FALSE(Button(TWAction::CardList).Enabled());
}

TEST_F(CommandRoutingTest, SetToolStateTakesWhicheverOfButtonAndItemExists)
{
    TfrmTWMain& main = Main();
    // Redo has a button but no menu item.
    ASSERT_EQ(main.CommandItem(TWAction::Redo), nullptr);
    main.SetToolState(TWAction::Redo, true, false);
    EXPECT_TRUE(Button(TWAction::Redo).Enabled());

    main.SetToolState(TWAction::Rotate, true, true);
    EXPECT_TRUE(Button(TWAction::Rotate).Enabled());
    EXPECT_TRUE(Item("mnuRotate").Enabled());
    EXPECT_TRUE(Item("mnuRotate").Checked());
    // An id nothing carries is no error.
    main.SetToolState(9999, true, true);
    // The Create menu's tags are no commands: Save's id reaches Save, not "3 Holes".
    main.SetToolState(TWAction::Save, false, true);
    EXPECT_TRUE(Item("mnuThreaded3Hole").Enabled());
    EXPECT_FALSE(Item("mnuThreaded3Hole").Checked());
    EXPECT_TRUE(Item("mnuSave").Checked());
}

TEST_F(CommandRoutingTest, TheWindowsMenusEditorItemsStayEnabled)
{
    FakeEditor& editor = OpenEditor();
    fw::MenuItem* item = Main().AddWindowMenuItem(&editor);
    ASSERT_GT(item->Tag(), 0) << "its tag is the form";
    Main().Perform(WM_TW_TOOLSDISABLED);
    Refresh();
    EXPECT_TRUE(item->Enabled());
}
