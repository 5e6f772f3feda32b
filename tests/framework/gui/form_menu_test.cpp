#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/form.h"
#include "framework/gui/menu.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

MenuItem* AddItem(MenuItem* parent, const std::string& caption, ShortCut shortCut, Log& log)
{
    auto* item = new MenuItem();
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetOnClick([&log, caption](Object*) { log.push_back("click " + caption); });
    parent->Add(item);
    return item;
}

// A window with a menu bar and one focusable field that keeps F4 for itself.
class MenuForm : public Form {
public:
    explicit MenuForm(Log& log) : menu(new MainMenu(this)), field(new WinControl(this))
    {
        SetBounds(0, 0, 300, 200);
        MenuItem* file = AddItem(menu->Items(), "&File", scNone, log);
        save = AddItem(file, "&Save", scCtrl | 'S', log);
        MenuItem* edit = AddItem(menu->Items(), "&Edit", scNone, log);
        undo = AddItem(edit, "&Undo", scCtrl | 'Z', log);
        undo->SetEnabled(false);
        grid = AddItem(menu->Items(), "Grid", ShortCut{VK_F4}, log);
        SetMenu(menu);
        field->SetParent(this);
        field->SetBounds(10, 10, 100, 20);
        field->SetOnKeyDown([](Object*, int& key, ShiftState) {
            if (key == VK_F4) {
                key = 0;
            }
        });
        field->SetOnKeyPress([&log](Object*, char32_t& key) { log.push_back("typed " + std::to_string(key)); });
        FinishLoading();
    }
    MainMenu* menu;
    WinControl* field;
    MenuItem* save;
    MenuItem* undo;
    MenuItem* grid;
};

class FormMenuTest : public testing::Test {
protected:
    void SetUp() override { ClearPostedMessages(); }
    void TearDown() override { ClearPostedMessages(); }
    Log log;
};

} // namespace

TEST_F(FormMenuTest, KeysTheFocusedControlLeavesReachTheMenuShortcuts)
{
    MenuForm form(log);
    form.Show();
    TestDriver driver(form);
    form.field->SetFocus();

    driver.PressKey('S', ShiftState{ShiftFlag::Ctrl});
    EXPECT_EQ(log, (Log{"click &Save"})) << "a key the menu takes types nothing";
    log.clear();

    driver.PressKey(VK_F4);
    EXPECT_TRUE(log.empty()) << "the field kept F4 for itself";

    // A disabled item takes no key: it goes on as a typed character.
    driver.PressKey('Z', ShiftState{ShiftFlag::Ctrl});
    EXPECT_EQ(log, (Log{"typed 26"}));
    log.clear();
    driver.PressKey('A');
    EXPECT_EQ(log, (Log{"typed 97"}));
    log.clear();

    // Without the field, the form itself has the keyboard and the menu still hears it.
    form.field->SetEnabled(false);
    driver.PressKey(VK_F4);
    EXPECT_EQ(log, (Log{"click Grid"}));
}

TEST_F(FormMenuTest, TheFormForgetsAFreedMenuAndAnMdiParentAsksItsActiveChild)
{
    MenuForm form(log);
    EXPECT_TRUE(form.IsShortCut('S', ShiftState{ShiftFlag::Ctrl}));
    delete form.menu;
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_FALSE(form.IsShortCut('S', ShiftState{ShiftFlag::Ctrl}));

    Form parent;
    parent.SetFormStyle(FormStyle::MDIForm);
    parent.SetBounds(0, 0, 400, 300);
    parent.FinishLoading();
    MainMenu parentMenu;
    AddItem(parentMenu.Items(), "Parent", scCtrl | 'P', log);
    parent.SetMenu(&parentMenu);
    auto* child = new Form(&parent);
    child->SetFormStyle(FormStyle::MDIChild);
    MainMenu childMenu;
    AddItem(childMenu.Items(), "Child", scCtrl | 'T', log);
    child->SetMenu(&childMenu);
    child->FinishLoading();
    log.clear();

    EXPECT_FALSE(parent.IsShortCut('T', ShiftState{ShiftFlag::Ctrl})) << "the child is not shown";
    child->Show();
    parent.Show();
    TestDriver driver(parent);
    driver.PressKey('T', ShiftState{ShiftFlag::Ctrl});
    driver.PressKey('P', ShiftState{ShiftFlag::Ctrl});
    EXPECT_EQ(log, (Log{"click Child", "click Parent"}));
}
