// The twist-patterned size dialog: one row per card with its threading, the rows following
// the width when the width edit is left with a number above 0 (and only then), a click on a
// row turning its threading over, and the cards cut, added and threaded as the rows show
// when the editor's size command is accepted.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/twist_editor.h"
#include "editors/twist_size_dialog.h"
#include "foundation/generic_exception.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/test_driver.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/pattern_limits.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "twist_editor_test_support.h"

namespace {

using twist_editor_test::AddTwistCard;
using twist_editor_test::Design;
using twist_editor_test::GridRows;
using twist_editor_test::TwistEditorTest;

// Each row as "Card n:S".
std::vector<std::string> Rows(const TfrmWarpTwinedSize& dialog)
{
    std::vector<std::string> rows;
    for (int i = 0; i < dialog.RowCount(); ++i) {
        const TILTreeNode* row = dialog.lstCards->Root()->GetItem(i);
        rows.push_back(row->GetCellText(0) + ":" + row->GetCellText(1));
    }
    return rows;
}

std::string Threadings(const TTWCardList& cards)
{
    std::string letters;
    for (int i = 0; i < cards.Count(); ++i) {
        letters += ThreadingText(cards.GetCard(i)->Threading());
    }
    return letters;
}

// Clicks the row with the mouse: finds a point of the list that lies on it.
void ClickRow(fw::TestDriver& driver, TILTree& list, int index)
{
    const TILTreeNode* row = list.Root()->GetItem(index);
    ASSERT_NE(row, nullptr);
    for (int y = 0; y < list.ClientHeight(); ++y) {
        if (list.NodeAt(20, y) == row) {
            driver.Click(driver.PointOf(list, fw::Point{20, y + 1}));
            // Clicks apart, as a weaver makes them: two quick ones are a double click.
            driver.Advance(1000);
            return;
        }
    }
    FAIL() << "row " << index << " is not in view";
}

using TwistSizeDialogTest = TwistEditorTest;

TEST_F(TwistSizeDialogTest, RowsFollowTheWidthLeftWithANumberAboveZeroAndClicksTurnTheirThreadingOver)
{
    TTWCardList cards;
    AddTwistCard(cards, ThreadingS);
    AddTwistCard(cards, ThreadingZ);
    AddTwistCard(cards, ThreadingS);
    TfrmWarpTwinedSize dialog(&Main());
    dialog.FinishLoading();
    // One more row than cards: the missing card shows as S.
    dialog.FillRows(4, cards);
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Card 1:S", "Card 2:Z", "Card 3:S", "Card 4:S"}));

    // Neither 0, nor a negative number, nor a text that is no number, nor a width past the
    // card limit (which the dialog refuses on accepting) touches the rows.
    const std::string pastTheLimit = std::to_string(MaxPatternCards + 1);
    for (const char* bad : {"0", "-2", "abc", "", pastTheLimit.c_str(), "2000000000"}) {
        dialog.edWidth->SetText(bad);
        dialog.edWidthExit();
        EXPECT_EQ(dialog.RowCount(), 4) << '"' << bad << '"';
    }
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Card 1:S", "Card 2:Z", "Card 3:S", "Card 4:S"}));

    dialog.edWidth->SetText("6");
    dialog.edWidthExit();
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Card 1:S", "Card 2:Z", "Card 3:S", "Card 4:S", "Card 5:S",
                                                      "Card 6:S"}));
    dialog.edWidth->SetText("2");
    dialog.edWidthExit();
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Card 1:S", "Card 2:Z"}));

    dialog.ToggleRow(dialog.lstCards->Root()->GetItem(0));
    dialog.ToggleRow(dialog.lstCards->Root()->GetItem(1));
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Card 1:Z", "Card 2:S"}));

    TTWCardList applied;
    AddTwistCard(applied, ThreadingS);
    AddTwistCard(applied, ThreadingS);
    AddTwistCard(applied, ThreadingS);
    dialog.ApplyToCards(applied);
    EXPECT_EQ(Threadings(applied), "ZS");
}

TEST_F(TwistSizeDialogTest, TheSizeCommandResizesTheGridAndThreadsTheCardsAsTheRowsShow)
{
    auto design = Design({"#.", ".#"}, "SZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    int runs = 0;
    modalScript = [&](fw::Form& form) {
        ++runs;
        auto* dialog = dynamic_cast<TfrmWarpTwinedSize*>(&form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Caption(), "Size Settings");
        EXPECT_EQ(dialog->edWidth->Text(), "2");
        EXPECT_EQ(dialog->edLength->Text(), "2");
        EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{"Card 1:S", "Card 2:Z"}));
        fw::TestDriver driver(*dialog);
        // The width typed, then left for the length: the rows follow at once.
        driver.ClickOn(*dialog->edWidth);
        dialog->edWidth->SetText("4");
        driver.ClickOn(*dialog->edLength);
        EXPECT_EQ(dialog->RowCount(), 4);
        dialog->edLength->SetText("3");
        // Card 2 becomes S, card 4 Z; a second click turns card 4 back and a third over again.
        ClickRow(driver, *dialog->lstCards, 1);
        ClickRow(driver, *dialog->lstCards, 3);
        ClickRow(driver, *dialog->lstCards, 3);
        ClickRow(driver, *dialog->lstCards, 3);
        EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{"Card 1:S", "Card 2:S", "Card 3:S", "Card 4:Z"}));
        driver.ClickOn(*dialog->btnAccept);
    };
    EXPECT_TRUE(editor.PerformAction(TWAction::PatternSize, false, nullptr));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(editor.framePattern->GridWidth(), 4);
    EXPECT_EQ(editor.framePattern->GridHeight(), 3);
    const TTWCardList& cards = editor.Pattern().Cards();
    ASSERT_EQ(cards.Count(), 4);
    EXPECT_EQ(Threadings(cards), "SSSZ");
    EXPECT_EQ(cards.GetCard(3)->GetHoleCount(), 4);
    // The cells kept their place: new columns at the right, the new row at the bottom.
    EXPECT_EQ(GridRows(*editor.framePattern), (std::vector<std::string>{"#...", ".#..", "...."}));
}

TEST_F(TwistSizeDialogTest, AcceptingFewerRowsCutsTheCardsAndCancellingChangesNothing)
{
    auto design = Design({"#.#", ".#."}, "SZZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);

    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmWarpTwinedSize&>(form);
        dialog.edWidth->SetText("1");
        dialog.edWidthExit();
        dialog.ToggleRow(dialog.lstCards->Root()->GetItem(0));
        form.SetModalResult(fw::mrCancel);
    };
    editor.PerformAction(TWAction::PatternSize, false, nullptr);
    EXPECT_EQ(Threadings(editor.Pattern().Cards()), "SZZ");
    EXPECT_EQ(editor.framePattern->GridWidth(), 3);

    // Accepted with the focus still in the width edit: the rows follow the width anyway.
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmWarpTwinedSize&>(form);
        dialog.edWidth->SetText("2");
        dialog.btnAccept->Click();
    };
    editor.PerformAction(TWAction::PatternSize, false, nullptr);
    EXPECT_EQ(Threadings(editor.Pattern().Cards()), "SZ");
    EXPECT_EQ(editor.framePattern->GridWidth(), 2);
    EXPECT_EQ(editor.framePattern->GridHeight(), 2);

    // A width the dialog refuses keeps it open; the script then cancels.
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmWarpTwinedSize&>(form);
        dialog.edWidth->SetText("0");
        EXPECT_ANY_THROW(dialog.btnAccept->Click());
        EXPECT_NE(form.GetModalResult(), fw::mrOk);
        EXPECT_EQ(dialog.RowCount(), 2);
        form.SetModalResult(fw::mrCancel);
    };
    editor.PerformAction(TWAction::PatternSize, false, nullptr);
    EXPECT_EQ(Threadings(editor.Pattern().Cards()), "SZ");
    EXPECT_EQ(editor.framePattern->GridWidth(), 2);
}

TEST_F(TwistSizeDialogTest, ASizeOfMoreCellsThanADesignMayHaveIsRefusedAndTheDesignKept)
{
    auto design = Design({"#.", ".#"}, "SZ");
    TfrmTWWarpTwinedPattern& editor = OpenDesign(*design);
    // As many cards as a pattern may have, and one row more than a design of that width may
    // hold: saved, it would not open again.
    const int width = MaxPatternCards;
    const int length = static_cast<int>(MaxDesignCells / width) + 1;
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmWarpTwinedSize&>(form);
        dialog.edWidth->SetText(std::to_string(width));
        dialog.edLength->SetText(std::to_string(length));
        dialog.btnAccept->Click();
    };
    try {
        editor.PerformAction(TWAction::PatternSize, false, nullptr);
        ADD_FAILURE() << "a design of " << width << " x " << length << " cells was made";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), "Pattern too large (" + std::to_string(width) + " x " + std::to_string(length)
                                       + " cells).\r\nA pattern has at most " + std::to_string(MaxDesignCells)
                                       + " cells.");
    }
    modalScript = nullptr;
    EXPECT_EQ(editor.framePattern->GridWidth(), 2);
    EXPECT_EQ(editor.framePattern->GridHeight(), 2);
    EXPECT_EQ(GridRows(*editor.framePattern), (std::vector<std::string>{"#.", ".#"}));
    EXPECT_EQ(Threadings(editor.Pattern().Cards()), "SZ");
}

} // namespace
