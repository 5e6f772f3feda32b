#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/image_button.h"
#include "forms/combo_box.h"
#include "forms/combo_drop_down.h"
#include "forms_test_support.h"
#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/test_driver.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_node.h"

namespace {

class ComboBoxTest : public FormsTest {
protected:
    void SetUp() override
    {
        fw::GetScreen().SetSize(1024, 768);
        host_ = std::make_unique<fw::Form>();
        host_->SetBounds(100, 100, 400, 300);
        host_->FinishLoading();
        combo_ = new TILComboBox(host_.get());
        combo_->SetParent(host_.get());
        combo_->SetBounds(20, 20, 150, 21);
        host_->Show();
    }
    void TearDown() override
    {
        host_.reset();
        fw::GetScreen().SetSize(1024, 768);
    }

    fw::Form& Host() { return *host_; }
    TILComboBox& Combo() { return *combo_; }

    // "one" (1), "two" (2) with the sub-items "two a" (21) and "two b" (22), "three" (3).
    void AddStandardItems()
    {
        TILComboBoxItemCollection& items = Combo().Items();
        items.Add("one", 1);
        TILComboBoxItem* two = items.Add("two", 2);
        two->Items().Add("two a", 21);
        two->Items().Add("two b", 22);
        items.Add("three", 3);
    }

    // The rows of the open drop-down in visible order, as their first cells.
    static std::vector<std::string> Rows(const TfrmILCBDropDownList& list)
    {
        std::vector<std::string> rows;
        for (TILTreeNode* node = list.treeItems->Root()->FirstVisibleChild(); node != nullptr;
             node = node->NextVisible()) {
            rows.push_back(node->GetCellText(0));
        }
        return rows;
    }

    // A click in the drop-down's window at a point of its tree.
    static void ClickInList(fw::TestDriver& driver, TfrmILCBDropDownList& list, fw::Point inTree)
    {
        const fw::Point at{inTree.X + list.treeItems->Left(), inTree.Y + list.treeItems->Top()};
        driver.Router().MouseDown(list, at, fw::MouseButton::Left, fw::ShiftState{fw::ShiftFlag::Left});
        driver.Router().MouseUp(list, at, fw::MouseButton::Left, fw::ShiftState{});
        driver.Settle();
    }

    static fw::Point RowPoint(const TfrmILCBDropDownList& list, const std::string& caption)
    {
        TILTreeNode* node = list.treeItems->Root()->FindByText(0, caption, true, true);
        EXPECT_NE(node, nullptr) << caption;
        return node != nullptr ? fw::Point{60, node->Top() + node->Height() / 2} : fw::Point{};
    }

private:
    std::unique_ptr<fw::Form> host_;
    TILComboBox* combo_ = nullptr;
};

} // namespace

TEST_F(ComboBoxTest, ItemsAreFoundAndSelectedByTagDepthFirst)
{
    AddStandardItems();
    // A second item with tag 22 after the sub-item: depth first finds the sub-item first.
    Combo().Items().Add("another 22", 22);
    int changes = 0;
    Combo().SetAfterChange([&](TILComboBox*) { ++changes; });

    TILComboBoxItem* found = Combo().SelectByTag(22);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Caption(), "two b");
    EXPECT_EQ(Combo().Text(), "two b");
    EXPECT_EQ(Combo().SelectedTag(), 22);
    EXPECT_EQ(Combo().ItemIndex(), 1) << "the index among its own siblings";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Combo().Items().FindByTag(22, false)->Caption(), "another 22");

    // A tag nobody carries takes the default index.
    EXPECT_EQ(Combo().SelectByTag(99, 2)->Caption(), "three");
    EXPECT_EQ(Combo().SelectByTag(99, -1), nullptr);
    EXPECT_EQ(Combo().SelectedTag(), 0);
    EXPECT_EQ(Combo().Text(), "");

    Combo().SetItemIndex(0);
    EXPECT_EQ(Combo().Text(), "one");
    Combo().SetItemIndex(Combo().Items().Count());
    EXPECT_EQ(Combo().Selected(), nullptr) << "an index past the items selects nothing";
    EXPECT_EQ(Combo().ItemIndex(), -1);
}

TEST_F(ComboBoxTest, TheCaptionIsTheStringAtTheCaptionIndex)
{
    Combo().SetCaptionIndex(3);
    TILComboBoxItem* item = Combo().Items().Add();
    item->SetStrings({"first"});
    EXPECT_EQ(item->Caption(), "") << "the strings are shorter than the caption index";
    item->SetCaption("fourth");
    EXPECT_EQ(item->Strings(), (std::vector<std::string>{"first", "", "", "fourth"}));
    EXPECT_EQ(item->Caption(), "fourth");
    Combo().SetSelected(item);
    EXPECT_EQ(Combo().Text(), "fourth");
}

TEST_F(ComboBoxTest, DisabledItemsAndRefusedItemsAreNeverSelected)
{
    AddStandardItems();
    TILComboBoxItem* two = Combo().Items().GetItem(1);
    two->SetEnabled(false);
    Combo().SetSelected(two);
    EXPECT_EQ(Combo().Selected(), nullptr);
    EXPECT_EQ(Combo().SelectByTag(2), nullptr);
    Combo().SetItemIndex(1);
    EXPECT_EQ(Combo().Selected(), nullptr);

    // The keys step over it; its enabled sub-items can still be chosen.
    fw::TestDriver driver(Host());
    Combo().SetFocus();
    driver.PressKey(fw::VK_DOWN);
    EXPECT_EQ(Combo().Text(), "one");
    driver.PressKey(fw::VK_DOWN);
    EXPECT_EQ(Combo().Text(), "two a");
    driver.PressKey(fw::VK_DOWN);
    driver.PressKey(fw::VK_DOWN);
    driver.PressKey(fw::VK_DOWN);
    EXPECT_EQ(Combo().Text(), "three") << "the last stays";
    driver.PressKey(fw::VK_UP);
    EXPECT_EQ(Combo().Text(), "two b");

    std::vector<std::string> asked;
    Combo().SetOnCanSelect([&](TILComboBox*, TILComboBoxItem* item) {
        asked.push_back(item != nullptr ? item->Caption() : "none");
        return item == nullptr || item->Tag() != 3;
    });
    Combo().SetOnConfirmSelect([](TILComboBox*, TILComboBoxItem* item) { return item == nullptr || item->Tag() != 1; });
    Combo().SelectByTag(3);
    Combo().SelectByTag(1);
    EXPECT_EQ(Combo().Text(), "two b") << "refused by either event";
    EXPECT_EQ(asked, (std::vector<std::string>{"three", "one"}));
    Combo().SetSelected(nullptr);
    EXPECT_EQ(Combo().Selected(), nullptr);
}

TEST_F(ComboBoxTest, TheDropDownListsTheShownItemsAndPicksOneByClick)
{
    AddStandardItems();
    Combo().Items().Add("hidden", 4, false);
    Combo().Items().Add("disabled", 5, true, false);
    Combo().SetOptions(Combo().Options().Include(TILComboBoxOption::ilcbExpandAll));
    Combo().SelectByTag(3);
    int before = 0;
    Combo().SetBeforeSelect([&](TILComboBox*) { ++before; });

    fw::TestDriver driver(Host());
    driver.Click(driver.CentreOf(Combo()));
    TfrmILCBDropDownList* list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(before, 1);
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(Rows(*list), (std::vector<std::string>{"one", "two", "two a", "two b", "three", "disabled"}));
    EXPECT_TRUE(list->treeItems->HasOption(TILTreeDisplayOption::iltShowButtons)) << "sub-items make a tree";
    EXPECT_EQ(TfrmILCBDropDownList::ItemOf(list->treeItems->GetSelected()), Combo().Selected());
    EXPECT_EQ(list->Width(), Combo().Width());
    EXPECT_EQ(list->Top(), Combo().ClientToScreen(fw::Point{0, Combo().Height()}).Y);
    EXPECT_FALSE(list->treeItems->VertScrollBarVisible());
    EXPECT_EQ(list->treeItems->GetColumn(0)->Width(), Combo().Width() - 2) << "the column fills the list";

    // A disabled row is drawn with the disabled look and picks nothing.
    TILTreeNode* disabled = list->treeItems->Root()->FindByText(0, "disabled", true, false);
    EXPECT_EQ(list->treeItems->CellDrawData(list->treeItems->GetColumn(0), disabled), &list->DisabledDrawData());
    EXPECT_EQ(list->DisabledDrawData().Background().Colour(), 0xC6F0ACu);
    EXPECT_EQ(list->DisabledDrawData().Font().Color, 0x808080u);
    ClickInList(driver, *list, RowPoint(*list, "disabled"));
    EXPECT_TRUE(Combo().DroppedDown());
    EXPECT_EQ(Combo().Text(), "three");

    const fw::WeakRef<TfrmILCBDropDownList> watched(list);
    ClickInList(driver, *list, RowPoint(*list, "two a"));
    EXPECT_FALSE(Combo().DroppedDown());
    EXPECT_FALSE(watched) << "freed once it reported back";
    EXPECT_EQ(Combo().Text(), "two a");
    EXPECT_EQ(Combo().SelectedTag(), 21);
    EXPECT_TRUE(Combo().Focused()) << "the focus comes back to the combo box";
}

TEST_F(ComboBoxTest, ADropDownClosedMomentsAgoDoesNotReopen)
{
    AddStandardItems();
    fw::TestDriver driver(Host());
    driver.Click(driver.PointOf(*Combo().ArrowButton(), fw::Point{8, 8}));
    ASSERT_TRUE(Combo().DroppedDown()) << "the arrow button drops it down too";
    driver.Advance(1000);
    // The user presses on the combo box again: the list loses the activation and closes.
    driver.Router().ActivateSurface(&Host());
    driver.Settle();
    ASSERT_FALSE(Combo().DroppedDown());
    ASSERT_TRUE(Combo().LastClosed().has_value());
    EXPECT_EQ(*Combo().LastClosed(), 1000);
    driver.Click(driver.CentreOf(Combo()));
    EXPECT_FALSE(Combo().DroppedDown()) << "within 250 ms of closing";
    driver.Advance(249);
    Combo().DropDown();
    EXPECT_FALSE(Combo().DroppedDown());
    driver.Advance(1);
    driver.Click(driver.CentreOf(Combo()));
    EXPECT_TRUE(Combo().DroppedDown()) << "250 ms after closing";
}

TEST_F(ComboBoxTest, EscEnterAndAltF4)
{
    AddStandardItems();
    Combo().SelectByTag(1);
    fw::TestDriver driver(Host());
    Combo().DropDown();
    TfrmILCBDropDownList* list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    // Alt+F4 asks the window to close: the drop-down stays.
    list->Perform(fw::WM_CLOSE);
    EXPECT_TRUE(list->Visible());
    EXPECT_TRUE(Combo().DroppedDown());

    driver.PressKey(fw::VK_DOWN);
    driver.PressKey(fw::VK_ESCAPE);
    EXPECT_FALSE(Combo().DroppedDown());
    EXPECT_EQ(Combo().Text(), "one") << "Esc chooses nothing";

    driver.Advance(ComboBoxReopenGuard);
    driver.PressKey(fw::VK_F4);
    ASSERT_TRUE(Combo().DroppedDown());
    driver.PressKey(fw::VK_DOWN);
    driver.PressKey(fw::VK_RETURN);
    EXPECT_FALSE(Combo().DroppedDown());
    EXPECT_EQ(Combo().Text(), "two");
}

TEST_F(ComboBoxTest, TheDropDownIsFreedOnceWhateverClosesIt)
{
    AddStandardItems();
    fw::TestDriver driver(Host());

    // Closed twice over before its message arrives: one message, one free.
    Combo().DropDown();
    fw::WeakRef<TfrmILCBDropDownList> list(Combo().DropDownWindow());
    ASSERT_TRUE(list);
    list->CloseList();
    list->CloseList();
    driver.Router().ActivateSurface(&Host());
    EXPECT_TRUE(list) << "freed only when the combo box hears of it";
    driver.Settle();
    EXPECT_FALSE(list);
    EXPECT_FALSE(Combo().DroppedDown());

    // Disabling the combo box closes its list.
    driver.Advance(ComboBoxReopenGuard);
    Combo().DropDown();
    list = Combo().DropDownWindow();
    Combo().SetEnabled(false);
    driver.Settle();
    EXPECT_FALSE(list);
    Combo().SetEnabled(true);

    // The combo box freed while its list is open takes the list with it.
    driver.Advance(ComboBoxReopenGuard);
    Combo().DropDown();
    list = Combo().DropDownWindow();
    ASSERT_TRUE(list);
    list->CloseList();
    delete &Combo();
    EXPECT_FALSE(list);
    driver.Settle();
}

TEST_F(ComboBoxTest, DeletingTheSelectedItemOrAnAncestorClearsTheSelection)
{
    AddStandardItems();
    int changes = 0;
    Combo().SetAfterChange([&](TILComboBox*) { ++changes; });
    Combo().SelectByTag(22);
    changes = 0;
    TILComboBoxItem* two = Combo().Items().GetItem(1);
    two->Items().Delete(0);
    EXPECT_EQ(Combo().Text(), "two b") << "another item went";
    EXPECT_EQ(changes, 0);
    Combo().Items().Delete(1);
    EXPECT_EQ(Combo().Selected(), nullptr) << "its parent went";
    EXPECT_EQ(changes, 1);

    // Deleting an item while the list is open closes the list.
    fw::TestDriver driver(Host());
    Combo().SelectByTag(3);
    Combo().DropDown();
    const fw::WeakRef<TfrmILCBDropDownList> list(Combo().DropDownWindow());
    Combo().Items().Delete(0);
    EXPECT_FALSE(list);
    EXPECT_EQ(Combo().Text(), "three");
    driver.Settle();

    Combo().Items().Clear();
    EXPECT_EQ(Combo().Selected(), nullptr);
    EXPECT_EQ(Combo().Items().Count(), 0);
}

TEST_F(ComboBoxTest, TheDropDownStaysOnASmallScreen)
{
    fw::GetScreen().SetSize(320, 240);
    for (int i = 0; i < 30; ++i) {
        Combo().Items().Add("item " + std::to_string(i), i);
    }
    Combo().DropDownList().SetAutoWidth(false);
    Combo().DropDownList().SetWidth(200);
    // Host at (100, 100): the combo box's screen place is (200, 120), its bottom at 141.
    Combo().SetBounds(100, 20, 150, 21);
    fw::TestDriver driver(Host());
    Combo().DropDown();
    TfrmILCBDropDownList* list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Left(), 320 - 200) << "moved left to end at the screen's right edge";
    EXPECT_EQ(list->Width(), 200);
    // Thirty rows do not fit below: the list goes above, cut at the top of the screen.
    EXPECT_EQ(list->Top(), 0);
    EXPECT_EQ(list->Top() + list->Height(), 120);
    ASSERT_TRUE(list->treeItems->VertScrollBarVisible());
    EXPECT_EQ(list->treeItems->GetColumn(0)->Width(),
              Combo().Width() - 2 - list->treeItems->VertScrollBar()->Width())
        << "beside the scroll bar";
    list->CloseList();
    driver.Settle();

    // Few rows above the bottom edge: above the combo box, shrunk to its rows and adjacent.
    Combo().Items().Clear();
    Combo().Items().Add("a", 1);
    Combo().Items().Add("b", 2);
    Combo().SetBounds(20, 110, 150, 21);
    driver.Advance(ComboBoxReopenGuard);
    Combo().DropDown();
    list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    const int comboTop = Combo().ClientToScreen(fw::Point{0, 0}).Y;
    EXPECT_EQ(list->Top() + list->Height(), comboTop);
    EXPECT_EQ(list->Height(), 2 * list->treeItems->Root()->GetItem(0)->Height() + 2);
    list->CloseList();
    driver.Settle();

    // Without items: headings and 12 pixels, below.
    Combo().Items().Clear();
    driver.Advance(ComboBoxReopenGuard);
    Combo().DropDown();
    list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Height(), 12);
    EXPECT_EQ(list->Top(), comboTop + Combo().Height());
}

TEST_F(ComboBoxTest, TheListTakesTheDefaultColoursAndTheItemsFonts)
{
    TILFormsDefaultComboBoxColours* defaults = ComboBoxDefaultColours();
    ASSERT_NE(defaults, nullptr);
    TILBrush normal;
    normal.SetColour(0x123456);
    defaults->DrawNormal().SetFillBrush(&normal);
    defaults->DrawDisabled().SetFontColour(0x0000AA);

    TILComboBoxItem* bold = Combo().Items().Add("bold", 1);
    bold->FontOverride().SetStyle(fw::FontStyles{true, false, false, false});
    bold->FontOverride().SetOptions(bold->FontOverride().Options().Include(TILFontOverrideOption::ilfOverrideStyle));
    Combo().Items().Add("plain", 2);
    Combo().Items().Add("off", 3, true, false);
    std::vector<std::string> backAsked;
    Combo().SetOnGetItemBack([&](TILComboBox*, TILTreeNode* node, TILTreeColumnData*, fw::Brush& brush) {
        backAsked.push_back(node->GetCellText(0));
        brush.Color = 0x00FF00;
    });

    fw::TestDriver driver(Host());
    Combo().DropDown();
    TfrmILCBDropDownList* list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->treeItems->DefaultDrawNormal().Background().Colour(), 0x123456u);
    EXPECT_EQ(list->DisabledDrawData().Font().Color, 0x0000AAu) << "the default set's disabled look";
    EXPECT_EQ(list->DisabledDrawData().Background().Colour(), 0xC6F0ACu);
    TILTreeNode* boldRow = list->treeItems->Root()->GetItem(0);
    TILTreeNode* plainRow = list->treeItems->Root()->GetItem(1);
    EXPECT_NE(boldRow->DrawFlags() & iltDrawOverrideFont, 0);
    EXPECT_NE(plainRow->DrawFlags() & iltDrawOverrideBack, 0);
    EXPECT_TRUE(list->treeItems->CellFont(list->treeItems->GetColumn(0), boldRow,
                                          list->treeItems->DefaultDrawNormal())
                    .Style.Bold);
    EXPECT_FALSE(list->treeItems->CellFont(list->treeItems->GetColumn(0), plainRow,
                                           list->treeItems->DefaultDrawNormal())
                     .Style.Bold);
    fw::RenderToBitmap(*list);
    EXPECT_FALSE(backAsked.empty());
    list->CloseList();
    driver.Settle();

    // Without the default colours the combo box's own event may give others.
    TILFormsDefaultComboBoxColours own;
    TILBrush ownBrush;
    ownBrush.SetColour(0x654321);
    own.DrawNormal().SetFillBrush(&ownBrush);
    Combo().DropDownList().SetDefaultColours(false);
    Combo().SetOnGetListColours([&](TILComboBox*) { return &own; });
    driver.Advance(ComboBoxReopenGuard);
    Combo().DropDown();
    list = Combo().DropDownWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->treeItems->DefaultDrawNormal().Background().Colour(), 0x654321u);
}

TEST_F(ComboBoxTest, FontOverridesAndItemsFromOtherCollections)
{
    fw::Font font;
    font.Style.Italic = true;
    TILFontOverride change;
    EXPECT_FALSE(change.HasOverride()) << "only the merge option on creation";
    change.SetStyle(fw::FontStyles{true, false, false, false});
    change.SetColour(0x0000FF);
    change.SetOptions(TILFontOverrideOptions{TILFontOverrideOption::ilfOverrideStyle,
                                             TILFontOverrideOption::ilfMergeStyle,
                                             TILFontOverrideOption::ilfOverrideColour});
    EXPECT_TRUE(change.HasOverride());
    fw::Font merged = font;
    change.ApplyTo(merged);
    EXPECT_TRUE(merged.Style.Bold);
    EXPECT_TRUE(merged.Style.Italic);
    EXPECT_EQ(merged.Color, 0x0000FFu);
    EXPECT_EQ(merged.Name, font.Name);
    change.SetOptions(TILFontOverrideOptions{TILFontOverrideOption::ilfOverrideStyle});
    fw::Font replaced = font;
    change.ApplyTo(replaced);
    EXPECT_TRUE(replaced.Style.Bold);
    EXPECT_FALSE(replaced.Style.Italic);
    EXPECT_EQ(replaced.Color, font.Color);

    TILBaseCollection source;
    TILBaseCollectionItem* first = source.Add();
    EXPECT_EQ(first->Name(), "TILBaseCollectionItem") << "the class name on creation";
    first->SetName("First");
    first->SetInteger(7);
    source.Add()->SetDisplayName("Second");
    Combo().Items().Add("old", 1);
    Combo().Items().Assign(&source);
    ASSERT_EQ(Combo().Items().Count(), 2);
    EXPECT_EQ(Combo().Items().GetItem(0)->Caption(), "First");
    EXPECT_EQ(Combo().Items().GetItem(0)->Tag(), 7);
    EXPECT_EQ(Combo().Items().GetItem(0)->Data(), first);
    EXPECT_EQ(Combo().Items().GetItem(1)->Caption(), "Second");

    // Another combo box's items are copied as they are, sub-items included.
    TILComboBox other(nullptr);
    TILComboBoxItem* parent = other.Items().Add("parent", 5);
    parent->Items().Add("child", 6);
    Combo().Items().Assign(&other.Items());
    ASSERT_EQ(Combo().Items().Count(), 1);
    EXPECT_EQ(Combo().Items().FindByTag(6, true)->Caption(), "child");
}

TEST_F(ComboBoxTest, PaintsItsCaptionBesideTheArrowButton)
{
    fw::QtPaintBackend backend;
    fw::SetDefaultPaintBackend(&backend);
    AddStandardItems();
    Combo().SelectByTag(1);
    const TILButton& arrow = *Combo().ArrowButton();
    EXPECT_EQ(arrow.Width(), 16);
    EXPECT_EQ(arrow.Left() + arrow.Width(), Combo().Width() - 2);
    EXPECT_EQ(arrow.Top(), 2);
    EXPECT_EQ(arrow.Height(), Combo().Height() - 4);
    EXPECT_EQ(Combo().TextRect(), (fw::Rect{3, 3, 150 - 16 - 3, 21 - 3}));

    const fw::Bitmap plain = fw::RenderToBitmap(Combo());
    EXPECT_EQ(plain.Pixel(5, 5), fw::ColorToRGB(fw::clWindow));
    fw::TestDriver driver(Host());
    Combo().SetFocus();
    const fw::Bitmap focused = fw::RenderToBitmap(Combo());
    EXPECT_EQ(focused.Pixel(Combo().TextRect().Right - 2, 5), fw::ColorToRGB(fw::clHighlight));
    Combo().SetEnabled(false);
    const fw::Bitmap disabled = fw::RenderToBitmap(Combo());
    EXPECT_EQ(disabled.Pixel(Combo().TextRect().Right - 2, 5), fw::ColorToRGB(fw::clWindow));
    EXPECT_TRUE(fw::BitmapToQImage(focused).save(QString::fromStdString(std::string(TAVELIN_CONTROLS_TEST_OUTPUT)
                                                                         + "/combo_box_focused.png")));
    fw::SetDefaultPaintBackend(nullptr);
}
