// The pack list: the grid of packs against cards, its clicks, adding and deleting packs,
// writing the packs back with the renames the pick actions follow, and the dialog.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "controls/brush_panel.h"
#include "editors/pack_list_dialog.h"
#include "editors/pack_list_frame.h"
#include "framework/gui/std_button.h"
#include "framework/gui/test_driver.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"

namespace {

using card_views_test::AddPack;
using card_views_test::AddPackTurn;
using card_views_test::CardsPattern;
using card_views_test::CardViewsTest;
using card_views_test::PackTargets;

class PackListTest : public CardViewsTest {
protected:
    PackListTest() : pattern(CardsPattern(6))
    {
        frame = new TfrmPackListFrame(host.get());
        frame->SetParent(host.get());
        frame->SetBounds(0, 0, 500, 200);
    }

    std::vector<std::string> RowNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < frame->RowCount(); ++i) {
            names.push_back(frame->RowName(frame->Row(i)));
        }
        return names;
    }

    // The row's name cell typed over in place, as the weaver does it.
    void Rename(TILTreeNode* row, const std::string& name)
    {
        ASSERT_TRUE(frame->lstPacks->EditCell(row, 0, 0, 0) || frame->lstPacks->Editing());
        frame->lstPacks->InlineEditor()->SetText(name);
        ASSERT_TRUE(frame->lstPacks->AcceptInlineEdit(true));
        fw::ProcessPostedMessages();
        ASSERT_EQ(frame->RowName(row), name);
    }

    TILTreeNode* RowNamed(const std::string& name) const
    {
        for (int i = 0; i < frame->RowCount(); ++i) {
            if (frame->RowName(frame->Row(i)) == name) {
                return frame->Row(i);
            }
        }
        return nullptr;
    }

    std::unique_ptr<TTWPattern> pattern;
    TfrmPackListFrame* frame = nullptr; // owned by the host
};

// --- Filling --------------------------------------------------------------------------------------

TEST_F(PackListTest, OneCentredCardColumnPerCardAndOneSortedRowPerPack)
{
    AddPack(*pattern, "zigzag", {2, 5});
    AddPack(*pattern, "Border", {1, 6});
    AddPack(*pattern, "middle", {3, 9});
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());

    ASSERT_EQ(frame->CardCount(), 6);
    EXPECT_EQ(frame->lstPacks->GetColumn(0)->Caption(), "Pack");
    EXPECT_EQ(frame->lstPacks->GetColumn(0)->Width(), 150);
    const TILTreeColumnData* third = frame->lstPacks->GetColumn(3);
    EXPECT_EQ(third->Caption(), "3");
    EXPECT_EQ(third->Width(), 20);
    EXPECT_EQ(third->JustifyOverride(), iltJustifyCentre);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"Border", "middle", "zigzag"}));
    EXPECT_EQ(frame->Members(frame->Row(0)), (std::vector<int>{1, 6}));
    EXPECT_EQ(frame->Members(frame->Row(1)), (std::vector<int>{3})) << "card 9 does not exist";
    EXPECT_EQ(frame->Row(0)->FindCellInfo(2)->GetInteger(), TfrmPackListFrame::NonMemberValue);
    EXPECT_EQ(frame->Row(0)->FindCellInfo(6)->GetInteger(), TfrmPackListFrame::MemberValue);
    EXPECT_EQ(frame->SourcePack(frame->Row(2)), pattern->Packs().FindByName("zigzag"));
}

TEST_F(PackListTest, CardColumnsGrowAndShrinkAtTheEnd)
{
    frame->SetCardCount(3);
    frame->AddPack();
    frame->SetCardCount(5);
    ASSERT_EQ(frame->CardCount(), 5);
    EXPECT_EQ(frame->lstPacks->GetColumn(5)->Caption(), "5");
    EXPECT_FALSE(frame->IsMember(frame->Row(0), 5));
    frame->SetCardCount(2);
    EXPECT_EQ(frame->CardCount(), 2);
    EXPECT_EQ(frame->lstPacks->GetColumn(2)->Caption(), "2");
}

// --- Clicks and editing ------------------------------------------------------------------------------

TEST_F(PackListTest, AClickOnACardCellTogglesTheCardAndSelectsTheRow)
{
    AddPack(*pattern, "Border", {1});
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    fw::TestDriver driver(*host);
    TILTreeNode* row = frame->Row(0);
    const fw::Rect cell = frame->lstPacks->CellExtents(row, frame->lstPacks->GetColumn(4));
    const fw::Point inCell{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};

    driver.Click(driver.PointOf(*frame->lstPacks, inCell));
    EXPECT_EQ(frame->Members(row), (std::vector<int>{1, 4}));
    EXPECT_TRUE(row->Selected());
    driver.Advance(1000);
    driver.Click(driver.PointOf(*frame->lstPacks, inCell));
    EXPECT_EQ(frame->Members(row), (std::vector<int>{1}));
    EXPECT_TRUE(row->Selected()) << "the row stays selected";
}

TEST_F(PackListTest, AClickOnANameEditsItInPlace)
{
    AddPack(*pattern, "Border", {1});
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    fw::TestDriver driver(*host);
    TILTreeNode* row = frame->Row(0);
    const fw::Rect cell = frame->lstPacks->CellExtents(row, frame->lstPacks->GetColumn(0));
    driver.Click(driver.PointOf(*frame->lstPacks, fw::Point{cell.Left + 20, (cell.Top + cell.Bottom) / 2}));
    ASSERT_TRUE(frame->lstPacks->IsEditingCell(row, 0));
    EXPECT_TRUE(row->Selected());
    EXPECT_FALSE(frame->lstPacks->CanEditCell(row, 2)) << "only names are edited in place";
}

TEST_F(PackListTest, AddNumbersNewPacksAndDeleteAsksFirst)
{
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    frame->AddPack();
    TILTreeNode* second = frame->AddPack();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"New Pack 1", "New Pack 2"}));
    EXPECT_TRUE(frame->Members(second).empty());

    frame->DeleteSelectedPack();
    EXPECT_TRUE(boxes.empty()) << "nothing selected, nothing asked";
    frame->lstPacks->SelectOnly(second);
    answers = {fw::mrNo};
    frame->DeleteSelectedPack();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Delete this pack?");
    EXPECT_EQ(boxes[0].Buttons, (fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No}));
    EXPECT_EQ(frame->RowCount(), 2);
    answers = {fw::mrYes};
    frame->DeleteSelectedPack();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"New Pack 1"}));
}

// --- Writing back ----------------------------------------------------------------------------------

TEST_F(PackListTest, ARenamedPackRenamesItsActionsInEveryPick)
{
    AddPack(*pattern, "Border", {1, 6})->Comment = "outer cards";
    AddPackTurn(*pattern->Picks().Add(), "border", TurnForwards);
    AddPackTurn(*pattern->Picks().Add(), "BORDER", TurnBackwards);
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    Rename(frame->Row(0), "Edge");
    frame->WritePacks(pattern->Packs(), pattern->Picks());

    EXPECT_EQ(PackTargets(pattern->Picks()), (std::vector<std::string>{"Edge", "Edge"}));
    ASSERT_EQ(pattern->Packs().Count(), 1);
    const TTWPack& edge = *pattern->Packs().Items(0);
    EXPECT_EQ(edge.Name, "Edge");
    EXPECT_EQ(edge.Members(), (std::vector<int>{1, 6}));
    EXPECT_EQ(edge.CardList(), &pattern->Cards());
    EXPECT_EQ(edge.Comment, "outer cards");
}

TEST_F(PackListTest, PacksThatExchangeNamesKeepTheirOwnActions)
{
    AddPack(*pattern, "A", {1, 2});
    AddPack(*pattern, "B", {5, 6});
    TTWPick* pick = pattern->Picks().Add();
    AddPackTurn(*pick, "A", TurnForwards);
    AddPackTurn(*pick, "B", TurnBackwards);
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    Rename(RowNamed("A"), "B");
    Rename(frame->Row(1), "A");
    frame->WritePacks(pattern->Packs(), pattern->Picks());

    // The cards 1 and 2 still turn forwards, now as pack "B"; 5 and 6 backwards as "A".
    EXPECT_EQ(PackTargets(pattern->Picks()), (std::vector<std::string>{"B", "A"}));
    ASSERT_EQ(pattern->Packs().Count(), 2);
    EXPECT_EQ(pattern->Packs().FindByName("B")->Members(), (std::vector<int>{1, 2}));
    EXPECT_EQ(pattern->Packs().FindByName("A")->Members(), (std::vector<int>{5, 6}));
}

TEST_F(PackListTest, WritingBackReplacesThePacksSortedAndLeavesDeletedPacksActions)
{
    AddPack(*pattern, "Old", {2});
    AddPackTurn(*pattern->Picks().Add(), "Old", TurnForwards);
    frame->LoadPacks(pattern->Packs(), &pattern->Cards());
    frame->lstPacks->SelectOnly(frame->Row(0));
    answers = {fw::mrYes};
    frame->DeleteSelectedPack();
    TILTreeNode* empty = frame->AddPack();
    TILTreeNode* full = frame->AddPack();
    frame->ToggleCard(full, 6);
    frame->ToggleCard(full, 3);
    Rename(empty, "zero");
    Rename(full, "Middle");
    frame->WritePacks(pattern->Packs(), pattern->Picks());

    EXPECT_EQ(PackTargets(pattern->Picks()), (std::vector<std::string>{"Old"}));
    ASSERT_EQ(pattern->Packs().Count(), 2);
    EXPECT_EQ(pattern->Packs().Items(0)->Name, "Middle");
    EXPECT_EQ(pattern->Packs().Items(0)->Members(), (std::vector<int>{3, 6})) << "in column order";
    EXPECT_EQ(pattern->Packs().Items(1)->Name, "zero");
    EXPECT_EQ(pattern->Packs().Items(1)->Size(), 0);
}

// --- The dialog ----------------------------------------------------------------------------------------

TEST_F(PackListTest, TheDialogWritesBackOnlyWhenAccepted)
{
    AddPack(*pattern, "Border", {1, 6});
    AddPackTurn(*pattern->Picks().Add(), "Border", TurnForwards);
    int runs = 0;
    bool accept = false;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmPackList&>(form);
        EXPECT_EQ(dialog.Caption(), "Pack List");
        EXPECT_EQ(dialog.Owner(), host.get());
        EXPECT_EQ(dialog.btnCancel->Left() + dialog.btnCancel->Width(), dialog.pnlTBottom->ClientWidth() - 5);
        EXPECT_EQ(dialog.btnAccept->Left() + dialog.btnAccept->Width(), dialog.btnCancel->Left() - 5);
        EXPECT_EQ(dialog.btnAccept->Caption(), "&Accept");
        EXPECT_EQ(dialog.framePacks->RowCount(), 1);
        fw::TestDriver driver(dialog);
        driver.ClickOn(*dialog.btnAddPack);
        TfrmPackListFrame& packs = *dialog.framePacks;
        packs.ToggleCard(packs.Row(1), 4);
        if (accept) {
            driver.ClickOn(*dialog.btnAccept);
        } else {
            driver.ClickOn(*dialog.btnCancel);
        }
    });

    EXPECT_FALSE(TfrmPackList::Execute(host.get(), pattern->Packs(), &pattern->Cards(), pattern->Picks()));
    EXPECT_EQ(pattern->Packs().Count(), 1);

    accept = true;
    EXPECT_TRUE(TfrmPackList::Execute(host.get(), pattern->Packs(), &pattern->Cards(), pattern->Picks()));
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(pattern->Packs().Count(), 2);
    EXPECT_EQ(pattern->Packs().Items(0)->Name, "Border");
    EXPECT_EQ(pattern->Packs().Items(1)->Name, "New Pack 1");
    EXPECT_EQ(pattern->Packs().Items(1)->Members(), (std::vector<int>{4}));
    EXPECT_EQ(host->FindComponent("frmPackList"), nullptr) << "the dialog is freed";
}

} // namespace
