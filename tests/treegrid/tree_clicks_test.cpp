#include <string>
#include <vector>

#include "framework/core/bitmap.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_sort.h"
#include "tree_interaction_fixture.h"

namespace {

using Texts = std::vector<std::string>;

class ClickTest : public TreeInteractionTest {
protected:
    void SetUp() override
    {
        TreeInteractionTest::SetUp();
        alpha = Add({"Alpha", "1"});
        beta = Add({"Beta", "2"});
        gamma = Add({"Gamma", "3"});
        delta = Add({"Delta", "4"});
        tree->SetOnNodeClick([this](TILTree*, TILTreeNode* node) { clicked.push_back(node->GetCellText(0)); });
        tree->SetOnNodeDblClick([this](TILTree*, TILTreeNode* node) { doubleClicked.push_back(node->GetCellText(0)); });
    }

    void Option(TILTreeDisplayOption option, bool on = true)
    {
        TILTreeDisplayOptions options = tree->Options();
        options.Set(option, on);
        tree->SetOptions(options);
    }

    // A click that is no second half of a double click: the double-click time passes first.
    void SingleClick(fw::Point at)
    {
        driver->Advance(fw::App().DoubleClickTime() + 100);
        driver->Click(at);
    }

    TILTreeNode* alpha = nullptr;
    TILTreeNode* beta = nullptr;
    TILTreeNode* gamma = nullptr;
    TILTreeNode* delta = nullptr;
    Texts clicked;
    Texts doubleClicked;
};

// --- Selecting by clicks ---------------------------------------------------------------------------

TEST_F(ClickTest, AClickSelectsTheRowAloneAndReportsIt)
{
    int treeClicks = 0;
    tree->SetOnClick([&](fw::Object* sender) {
        EXPECT_EQ(sender, tree);
        ++treeClicks;
    });
    tree->SelectOnly(alpha);
    SingleClick(CellPoint(2, 1));
    EXPECT_EQ(SelectedTexts(), (Texts{"Gamma"}));
    EXPECT_EQ(treeClicks, 1);
    EXPECT_EQ(clicked, (Texts{"Gamma"}));
}

TEST_F(ClickTest, AClickOnTheOnlySelectedRowDeselectsItOnceNoDoubleClickCame)
{
    SingleClick(CellPoint(1, 0));
    EXPECT_EQ(SelectedTexts(), (Texts{"Beta"}));
    SingleClick(CellPoint(1, 0));
    // The decision waits for the double-click time.
    EXPECT_TRUE(tree->ClickTimerRunning());
    driver->Advance(fw::App().DoubleClickTime() - 1);
    EXPECT_EQ(SelectedTexts(), (Texts{"Beta"}));
    driver->Advance(1);
    EXPECT_TRUE(SelectedTexts().empty());
    EXPECT_FALSE(tree->ClickTimerRunning());
    // Without double clicks nothing waits.
    Option(TILTreeDisplayOption::iltNoDoubleClick);
    SingleClick(CellPoint(2, 0));
    SingleClick(CellPoint(2, 0));
    EXPECT_FALSE(tree->ClickTimerRunning());
    EXPECT_TRUE(SelectedTexts().empty());
}

TEST_F(ClickTest, DisallowDeselectKeepsTheOnlySelectedRow)
{
    Option(TILTreeDisplayOption::iltDisallowDeselect);
    SingleClick(CellPoint(3, 1));
    SingleClick(CellPoint(3, 1));
    driver->Advance(fw::App().DoubleClickTime());
    EXPECT_EQ(SelectedTexts(), (Texts{"Delta"}));
}

TEST_F(ClickTest, AClickInAMultipleSelectionLeavesThatRowAlone)
{
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, beta, gamma});
    SingleClick(CellPoint(1, 0));
    EXPECT_EQ(SelectedTexts(), (Texts{"Alpha", "Beta", "Gamma"}));
    driver->Advance(fw::App().DoubleClickTime());
    EXPECT_EQ(SelectedTexts(), (Texts{"Beta"}));
}

TEST_F(ClickTest, CtrlClicksAddAndRemoveSingleRows)
{
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->AddToSelection({alpha, beta, gamma});
    driver->SetModifiers({fw::ShiftFlag::Ctrl});
    SingleClick(CellPoint(3, 1));
    EXPECT_EQ(SelectedTexts(), (Texts{"Alpha", "Beta", "Gamma", "Delta"}));
    SingleClick(CellPoint(1, 1));
    driver->Advance(fw::App().DoubleClickTime());
    EXPECT_EQ(SelectedTexts(), (Texts{"Alpha", "Gamma", "Delta"}));
}

TEST_F(ClickTest, ShiftClickSelectsTheSiblingsBetweenInOrder)
{
    Option(TILTreeDisplayOption::iltMultiSelect);
    tree->SetOnCanSelectNode([this](TILTree*, TILTreeNode* node, bool) { return node != gamma; });
    SingleClick(CellPoint(3, 0));
    driver->SetModifiers({fw::ShiftFlag::Shift});
    SingleClick(CellPoint(0, 0));
    // From the first selected row to the clicked one, without the refused row.
    EXPECT_EQ(SelectedTexts(), (Texts{"Delta", "Beta", "Alpha"}));
    EXPECT_EQ(tree->GetSelected(), alpha);
}

TEST_F(ClickTest, ShiftClickUnderAnotherParentChangesNothing)
{
    Option(TILTreeDisplayOption::iltMultiSelect);
    Add({"Child"}, delta);
    delta->SetExpanded(true);
    SingleClick(CellPoint(1, 0));
    driver->SetModifiers({fw::ShiftFlag::Shift});
    SingleClick(CellPoint(4, 0));
    EXPECT_EQ(SelectedTexts(), (Texts{"Beta"}));
}

// --- Expand buttons --------------------------------------------------------------------------------

TEST_F(ClickTest, TheExpandButtonTogglesWithoutSelecting)
{
    Add({"Child"}, alpha);
    tree->ButtonIcons().SetKind(iltBtnIconNone);
    const fw::Point button = tree->ButtonCentre(alpha);
    SingleClick(fw::Point{button.X + 4, button.Y - 4});
    EXPECT_TRUE(alpha->Expanded());
    EXPECT_TRUE(SelectedTexts().empty());
    SingleClick(button);
    EXPECT_FALSE(alpha->Expanded());
    // Just outside the button: an ordinary click.
    SingleClick(fw::Point{button.X + 5, button.Y});
    EXPECT_FALSE(alpha->Expanded());
    EXPECT_EQ(SelectedTexts(), (Texts{"Alpha"}));
}

TEST_F(ClickTest, AButtonPictureIsHitOnlyOnItsDrawnPixels)
{
    Add({"Child"}, alpha);
    // A 9 x 9 plus on magenta: only its bars count.
    fw::Bitmap plus(9, 9);
    plus.FillRect(plus.Bounds(), 0xFF00FF);
    plus.FillRect(fw::Rect{0, 4, 9, 5}, 0x000000);
    plus.FillRect(fw::Rect{4, 0, 5, 9}, 0x000000);
    TILTreeButtonIcons& icons = tree->ButtonIcons();
    icons.SetKind(iltBtnIconOverride);
    icons.SetTransparentColour(0xFF00FF);
    icons.SetImgPlus(&plus);
    icons.SetImgMinus(&plus);
    const fw::Point centre = tree->ButtonCentre(alpha);
    // A corner of the picture is transparent.
    SingleClick(fw::Point{centre.X - 3, centre.Y - 3});
    EXPECT_FALSE(alpha->Expanded());
    EXPECT_EQ(SelectedTexts(), (Texts{"Alpha"}));
    SingleClick(fw::Point{centre.X, centre.Y - 3});
    EXPECT_TRUE(alpha->Expanded());
}

TEST_F(ClickTest, ABusyNodeHasNoButtonToHit)
{
    Add({"Child"}, alpha);
    tree->ButtonIcons().SetKind(iltBtnIconNone);
    alpha->SetState(iltNodeBusy);
    EXPECT_FALSE(tree->HitsExpandButton(alpha, tree->ButtonCentre(alpha).X, tree->ButtonCentre(alpha).Y));
    alpha->SetState(iltNodeNormal);
    EXPECT_TRUE(tree->HitsExpandButton(alpha, tree->ButtonCentre(alpha).X, tree->ButtonCentre(alpha).Y));
    Option(TILTreeDisplayOption::iltShowButtons, false);
    EXPECT_FALSE(tree->HitsExpandButton(alpha, tree->ButtonCentre(alpha).X, tree->ButtonCentre(alpha).Y));
}

TEST_F(ClickTest, SingleClickExpandTogglesOnTheRowAndOnceOnTheButton)
{
    Add({"Child"}, beta);
    tree->ButtonIcons().SetKind(iltBtnIconNone);
    Option(TILTreeDisplayOption::iltSingleClickExpand);
    SingleClick(CellPoint(1, 1));
    EXPECT_TRUE(beta->Expanded());
    EXPECT_EQ(clicked, (Texts{"Beta"}));
    SingleClick(tree->ButtonCentre(beta));
    EXPECT_FALSE(beta->Expanded());
    // A row without children has nothing to toggle.
    SingleClick(CellPoint(0, 1));
    EXPECT_FALSE(alpha->Expanded());
    EXPECT_EQ(clicked, (Texts{"Beta", "Beta", "Alpha"}));
}

// --- Automatic editing -----------------------------------------------------------------------------

TEST_F(ClickTest, AutoEditStartsOnlyAfterTheDoubleClickTime)
{
    Option(TILTreeDisplayOption::iltAutoEdit);
    TILTreeInlineEditSettings settings;
    settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab});
    tree->SetInlineEdit(&settings);
    SingleClick(CellPoint(1, 1));
    EXPECT_FALSE(tree->Editing());
    SingleClick(CellPoint(1, 1));
    driver->Advance(fw::App().DoubleClickTime() - 1);
    EXPECT_FALSE(tree->Editing());
    driver->Advance(1);
    EXPECT_TRUE(tree->IsEditingCell(beta, 1));
    // The editor does not take the selection away.
    EXPECT_EQ(SelectedTexts(), (Texts{"Beta"}));
}

TEST_F(ClickTest, ADoubleClickStopsTheAutoEdit)
{
    Option(TILTreeDisplayOption::iltAutoEdit);
    TILTreeInlineEditSettings settings;
    settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab});
    tree->SetInlineEdit(&settings);
    SingleClick(CellPoint(2, 1));
    driver->Advance(fw::App().DoubleClickTime() + 100);
    driver->DoubleClick(CellPoint(2, 1));
    driver->Advance(3 * fw::App().DoubleClickTime());
    EXPECT_FALSE(tree->Editing());
    EXPECT_EQ(doubleClicked, (Texts{"Gamma"}));
}

TEST_F(ClickTest, EditOnClickEditsAnUnselectedRowAtOnce)
{
    Option(TILTreeDisplayOption::iltAutoEdit);
    TILTreeInlineEditSettings settings;
    settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab, TILTreeInlineEditOption::iltEditOnClick});
    tree->SetInlineEdit(&settings);
    SingleClick(CellPoint(3, 1));
    EXPECT_TRUE(tree->IsEditingCell(delta, 1));
    EXPECT_TRUE(SelectedTexts().empty());
}

// --- Double clicks -----------------------------------------------------------------------------------

TEST_F(ClickTest, ADoubleClickInTheTreeColumnTogglesAndReports)
{
    Add({"Child"}, alpha);
    int treeDoubleClicks = 0;
    tree->SetOnDblClick([&](fw::Object*) { ++treeDoubleClicks; });
    driver->DoubleClick(CellPoint(0, 0));
    EXPECT_TRUE(alpha->Expanded());
    EXPECT_EQ(doubleClicked, (Texts{"Alpha"}));
    EXPECT_EQ(treeDoubleClicks, 1);
    // In another column the row reports the double click but does not toggle.
    driver->Advance(1000);
    driver->DoubleClick(CellPoint(0, 1));
    EXPECT_TRUE(alpha->Expanded());
    EXPECT_EQ(doubleClicked, (Texts{"Alpha", "Alpha"}));
}

TEST_F(ClickTest, ADoubleClickExpandsAnExpandableNodeThroughBeforeExpand)
{
    gamma->SetState(iltNodeExpandable);
    tree->SetBeforeExpandNode([this](TILTree*, TILTreeNode* node) {
        if (!node->HasChildren()) {
            Add({"Filled"}, node);
        }
        return true;
    });
    driver->DoubleClick(CellPoint(2, 0));
    EXPECT_TRUE(gamma->Expanded());
    EXPECT_EQ(gamma->GetCount(), 1);
}

TEST_F(ClickTest, NoDoubleClickIgnoresDoubleClicks)
{
    Add({"Child"}, alpha);
    Option(TILTreeDisplayOption::iltNoDoubleClick);
    int treeDoubleClicks = 0;
    tree->SetOnDblClick([&](fw::Object*) { ++treeDoubleClicks; });
    driver->DoubleClick(CellPoint(0, 0));
    EXPECT_FALSE(alpha->Expanded());
    EXPECT_TRUE(doubleClicked.empty());
    EXPECT_EQ(treeDoubleClicks, 0);
}

// --- Headings ----------------------------------------------------------------------------------------

TEST_F(ClickTest, AHeadingClickSortsByThatColumn)
{
    tree->GetColumn(0)->SetAutoSort(iltSortAlphaAscend);
    beta->SetIndex(0);
    SingleClick(fw::Point{40, 8});
    EXPECT_EQ(tree->Root()->GetItem(0), alpha);
    EXPECT_EQ(tree->Root()->GetItem(3), gamma);
    SingleClick(fw::Point{40, 8});
    EXPECT_EQ(tree->Root()->GetItem(0), gamma);
    EXPECT_TRUE(clicked.empty());
    Option(TILTreeDisplayOption::iltDisableHeaderClick);
    SingleClick(fw::Point{40, 8});
    EXPECT_EQ(tree->Root()->GetItem(0), gamma);
}

// --- Handlers that change the tree -------------------------------------------------------------------

TEST_F(ClickTest, ANodeClickHandlerMayRemoveTheRow)
{
    tree->SetOnNodeClick([](TILTree*, TILTreeNode* node) { delete node; });
    Option(TILTreeDisplayOption::iltSingleClickExpand);
    SingleClick(CellPoint(1, 0));
    EXPECT_EQ(tree->Root()->GetCount(), 3);
    EXPECT_TRUE(SelectedTexts().empty());
}

TEST_F(ClickTest, ASelectHandlerMayFreeTheTree)
{
    tree->SetOnSelectNode([this](TILTree* sender, TILTreeNode*) {
        EXPECT_EQ(sender, tree);
        // The handler goes with the tree: nothing of it may be touched after the delete.
        tree = nullptr;
        delete sender;
    });
    SingleClick(CellPoint(1, 0));
    EXPECT_EQ(tree, nullptr);
    driver->Advance(1000);
}

TEST_F(ClickTest, ARowRemovedWhileTheClickWaitsIsForgotten)
{
    SingleClick(CellPoint(1, 0));
    SingleClick(CellPoint(1, 0));
    EXPECT_TRUE(tree->ClickTimerRunning());
    delete beta;
    beta = nullptr;
    EXPECT_FALSE(tree->ClickTimerRunning());
    driver->Advance(fw::App().DoubleClickTime());
    EXPECT_TRUE(SelectedTexts().empty());
}

} // namespace
