#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <memory>
#include <string>
#include <vector>

#include "framework/gui/form.h"
#include "framework/gui/menu.h"
#include "framework/gui/qt_menu.h"
#include "framework/gui/test_driver.h"

using namespace fw;

namespace {

MenuItem* NewItem(MenuItem* parent, const std::string& caption, Component* owner = nullptr)
{
    auto* item = new MenuItem(owner);
    item->SetCaption(caption);
    if (parent != nullptr) {
        parent->Add(item);
    }
    return item;
}

std::vector<std::string> Captions(const Menu& menu, const std::function<bool(const MenuItem&)>& skip = {})
{
    std::vector<std::string> captions;
    menu.Walk([&](MenuItem& item) { captions.push_back(item.Caption()); }, skip);
    return captions;
}

class RecordingPeer : public MenuPeer {
public:
    explicit RecordingPeer(std::vector<std::string>& log) : log_(log) {}
    void MenuChanged(MenuItem* item, bool structural) override
    {
        log_.push_back(item->Caption() + (structural ? ":structure" : ":looks"));
    }

private:
    std::vector<std::string>& log_;
};

} // namespace

TEST(Menu, ParentsFreeTheirSubItemsAndOwnersMayFreeThemFirst)
{
    Component owner;
    {
        MainMenu menu;
        MenuItem* file = NewItem(menu.Items(), "&File", &owner);
        NewItem(file, "&Open", &owner);
        MenuItem* save = NewItem(file, "&Save", &owner);
        EXPECT_EQ(owner.ComponentCount(), 3);
        // An item freed by its owner (or anyone) leaves its parent.
        delete save;
        EXPECT_EQ(file->Count(), 1);
        EXPECT_EQ(owner.ComponentCount(), 2);
    }
    // The menu freed the rest of the tree; each item left its owner on the way.
    EXPECT_EQ(owner.ComponentCount(), 0);

    // And the other way round: the owner goes first while the menu still holds the items.
    auto menu = std::make_unique<PopupMenu>();
    {
        Component itemsOwner;
        MenuItem* a = NewItem(menu->Items(), "A", &itemsOwner);
        NewItem(a, "A1", &itemsOwner);
        NewItem(menu->Items(), "B", &itemsOwner);
    }
    EXPECT_EQ(menu->Items()->Count(), 0);
}

TEST(Menu, InsertMovesAndRefusesLoops)
{
    MainMenu menu;
    MenuItem* a = NewItem(menu.Items(), "A");
    MenuItem* b = NewItem(menu.Items(), "B");
    MenuItem* a1 = NewItem(a, "A1");
    b->Insert(0, a1);
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(a1->Parent(), b);
    EXPECT_EQ(a1->MenuIndex(), 0);
    EXPECT_EQ(a1->GetParentMenu(), &menu);
    EXPECT_THROW(a1->Add(b), EInvalidOperation);
    EXPECT_THROW(a1->Add(a1), EInvalidOperation);
    EXPECT_THROW(menu.Items()->Items(5), EListError);
    EXPECT_EQ(menu.Items()->Find("b"), nullptr);
    EXPECT_EQ(menu.Items()->Find("B"), b);
    b->Clear();
    EXPECT_EQ(b->Count(), 0);
}

TEST(Menu, RadioGroupsAutoCheckAndClicksOfDisabledItems)
{
    MainMenu menu;
    MenuItem* view = NewItem(menu.Items(), "View");
    MenuItem* small = NewItem(view, "Small");
    MenuItem* large = NewItem(view, "Large");
    MenuItem* other = NewItem(view, "Other group");
    for (MenuItem* item : {small, large, other}) {
        item->SetRadioItem(true);
    }
    other->SetGroupIndex(2);
    small->SetChecked(true);
    other->SetChecked(true);
    large->SetChecked(true);
    EXPECT_FALSE(small->Checked());
    EXPECT_TRUE(large->Checked());
    EXPECT_TRUE(other->Checked()) << "another group keeps its check";

    MenuItem* toggle = NewItem(view, "Grid");
    toggle->SetAutoCheck(true);
    bool seen = false;
    toggle->SetOnClick([&](Object*) { seen = toggle->Checked(); });
    toggle->Click();
    EXPECT_TRUE(seen) << "AutoCheck toggles before the handler runs";

    int clicks = 0;
    toggle->SetOnClick([&](Object*) { ++clicks; });
    toggle->SetEnabled(false);
    toggle->Click();
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(toggle->Checked());
}

TEST(Menu, WalkIsDepthFirstAndSkipsNamedSubtrees)
{
    MainMenu menu;
    MenuItem* file = NewItem(menu.Items(), "File");
    NewItem(file, "Open");
    MenuItem* profiles = NewItem(menu.Items(), "Profiles");
    NewItem(profiles, "P1");
    NewItem(profiles, "P2");
    NewItem(menu.Items(), "Help");
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"File", "Open", "Profiles", "P1", "P2", "Help"}));
    EXPECT_EQ(Captions(menu, [](const MenuItem& item) { return item.Caption() == "Profiles"; }),
              (std::vector<std::string>{"File", "Open", "Profiles", "Help"}));
}

TEST(Menu, ShortCutsFindEnabledItemsAfterTheirSubmenusRefreshed)
{
    MainMenu menu;
    MenuItem* edit = NewItem(menu.Items(), "Edit");
    MenuItem* copy = NewItem(edit, "Copy");
    copy->SetShortCut(static_cast<ShortCut>(scCtrl | 'C'));
    int copies = 0;
    copy->SetOnClick([&](Object*) { ++copies; });
    copy->SetEnabled(false);
    // Opening the submenu enables the command, as a tool refresh would.
    edit->SetOnPopup([&](Object*) { copy->SetEnabled(true); });

    EXPECT_FALSE(menu.IsShortCut('C', ShiftState{}));
    // The item is disabled until its submenu refreshes it: the key still reaches it.
    EXPECT_TRUE(menu.IsShortCut('C', ShiftState{ShiftFlag::Ctrl}));
    EXPECT_EQ(copies, 1);
    // A refresh that leaves it disabled keeps the key from it.
    edit->SetOnPopup([&](Object*) { copy->SetEnabled(false); });
    EXPECT_FALSE(menu.IsShortCut('C', ShiftState{ShiftFlag::Ctrl}));
    EXPECT_EQ(copies, 1);
    // A submenu that rebuilds itself: the new item takes the key, the freed one is not touched.
    edit->SetOnPopup([&](Object*) {
        edit->Clear();
        MenuItem* fresh = NewItem(edit, "Copy");
        fresh->SetShortCut(static_cast<ShortCut>(scCtrl | 'C'));
        fresh->SetOnClick([&](Object*) { copies += 10; });
    });
    EXPECT_TRUE(menu.IsShortCut('C', ShiftState{ShiftFlag::Ctrl}));
    EXPECT_EQ(copies, 11);
    copy = edit->Items(0);
    EXPECT_EQ(ShortCutToText(copy->ShortCut()), "Ctrl+C");
    EXPECT_EQ(ShortCutToText(static_cast<ShortCut>(scShift | (VK_F1 + 4))), "Shift+F5");
    EXPECT_EQ(ShortCutToText(VK_DELETE), "Del");
    EXPECT_EQ(ShortCutOf('S', ShiftState{ShiftFlag::Ctrl, ShiftFlag::Left}), scCtrl | 'S');
}

TEST(Menu, ThePeerHearsOfLooksAndStructure)
{
    std::vector<std::string> log;
    MainMenu menu;
    menu.SetPeer(std::make_unique<RecordingPeer>(log));
    MenuItem* file = NewItem(menu.Items(), "File");
    file->SetEnabled(false);
    file->SetEnabled(false); // no change, no word
    MenuItem* loose = NewItem(nullptr, "Loose");
    loose->SetCaption("Still loose"); // belongs to no menu yet
    file->Add(loose);
    delete loose;
    // A structural change is reported by the item whose sub-items changed (the root has no
    // caption); the loose item's caption change reached no menu.
    EXPECT_EQ(log, (std::vector<std::string>{":structure", "File:looks", "File:structure", "File:structure"}));
}

TEST(Menu, RightClickPopsUpTheMenuOfTheControlOrOfItsParent)
{
    Form form;
    form.SetBounds(100, 50, 300, 200);
    WinControl panel(&form);
    panel.SetParent(&form);
    panel.SetBounds(10, 10, 100, 100);
    Control inner(&form);
    inner.SetParent(&panel);
    inner.SetBounds(5, 5, 40, 40);
    PopupMenu menu(&form);
    NewItem(menu.Items(), "Delete");
    panel.SetPopupMenu(&menu);

    std::vector<Point> shownAt;
    PopupMenu::ScopedHandler handler([&](PopupMenu& popup, Point at) {
        EXPECT_EQ(&popup, &menu);
        shownAt.push_back(at);
        popup.Items()->Items(0)->Click();
    });
    int deletes = 0;
    menu.Items()->Items(0)->SetOnClick([&](Object*) { ++deletes; });
    int popups = 0;
    menu.SetOnPopup([&](Object*) { ++popups; });

    TestDriver driver(form);
    driver.Click(Point{20, 20}, MouseButton::Right); // on the inner control: its parent's menu
    ASSERT_EQ(shownAt.size(), 1u);
    EXPECT_EQ(shownAt[0], (Point{120, 70}));
    EXPECT_EQ(menu.PopupComponent(), &panel);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(popups, 1);

    // A handled context request keeps the menu closed; a left click never opens it.
    inner.SetOnContextPopup([](Object*, Point, bool& handled) { handled = true; });
    driver.Click(Point{20, 20}, MouseButton::Right);
    driver.Click(Point{20, 20});
    EXPECT_EQ(shownAt.size(), 1u);

    menu.SetAutoPopup(false);
    driver.Click(Point{80, 80}, MouseButton::Right);
    EXPECT_EQ(shownAt.size(), 1u);
}

TEST(QtMenu, TheCheckStaysWhatTheItemSaysWhenQtTriggersIt)
{
    MainMenu menu;
    MenuItem* view = NewItem(menu.Items(), "View");
    MenuItem* grid = NewItem(view, "&Grid");
    grid->SetChecked(true);
    bool checkSeenInClick = false;
    grid->SetOnClick([&](Object*) {
        checkSeenInClick = grid->Checked();
        grid->SetChecked(false);
    });
    MenuItem* line = NewItem(view, "-");
    (void)line;
    MenuItem* hidden = NewItem(view, "Hidden");
    hidden->SetVisible(false);

    QMenu qtMenu;
    FillQtMenu(qtMenu, *view);
    const QList<QAction*> actions = qtMenu.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[1]->isSeparator());
    QAction* action = actions[0];
    EXPECT_TRUE(action->isChecked());
    action->trigger(); // Qt unchecks a checkable action before it reports the trigger
    EXPECT_TRUE(checkSeenInClick) << "the click reads the state from before the click";
    EXPECT_FALSE(grid->Checked());
}
