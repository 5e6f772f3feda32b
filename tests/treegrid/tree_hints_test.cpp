#include <string>
#include <vector>

#include "framework/core/system_colours.h"
#include "framework/gui/input.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_hints.h"
#include "tree_interaction_fixture.h"

namespace {

// Longer than a column: 34 characters, 204 pixels.
const std::string LongText = "A very long text that does not fit";
// 12 characters, 72 pixels: fits a plain column of 80, not the tree column's 80 less its indent.
const std::string MiddleText = "twelve chars";

class HintTest : public TreeInteractionTest {
protected:
    void SetUp() override
    {
        TreeInteractionTest::SetUp();
        savedScreen = fw::Size{fw::GetScreen().Width(), fw::GetScreen().Height()};
        tree->SetShowHint(true);
        first = Add({MiddleText, LongText, "short"});
        second = Add({"Beta", MiddleText, ""});
    }
    void TearDown() override
    {
        fw::GetScreen().SetSize(savedScreen.Width, savedScreen.Height);
        TreeInteractionTest::TearDown();
    }

    // Rests the mouse at the point for the hint pause.
    void RestAt(fw::Point at)
    {
        driver->MoveTo(at);
        driver->Advance(fw::App().HintPause());
    }

    std::string ShownHint() const
    {
        TILTreeCellHintWindow* hint = tree->HintWindow();
        return hint != nullptr && hint->Active() ? hint->Text() : std::string();
    }

    fw::Size savedScreen;
    TILTreeNode* first = nullptr;
    TILTreeNode* second = nullptr;
};

TEST_F(HintTest, ACutCellShowsItsWholeTextAfterTheHintPause)
{
    driver->MoveTo(CellPoint(0, 1));
    EXPECT_TRUE(tree->HintTimerRunning());
    EXPECT_EQ(tree->HintCellRect(), tree->CellExtents(first, tree->GetColumn(1)));
    driver->Advance(fw::App().HintPause() - 1);
    EXPECT_FALSE(tree->HasHintWindow());
    driver->Advance(1);
    ASSERT_EQ(ShownHint(), LongText);
    // Sized by the text, left-aligned with the cell, centred on the row (17 high on a row
    // of 16 at y 16: the half pixel rounds towards the row's top).
    const fw::Rect bounds = tree->HintWindow()->BoundsRect();
    EXPECT_EQ(bounds, (fw::Rect{80, 16, 80 + 204 + 6, 16 + 13 + 4}));
}

TEST_F(HintTest, ACellThatFitsShowsNoHint)
{
    RestAt(CellPoint(0, 2));
    EXPECT_FALSE(tree->HasHintWindow());
    RestAt(CellPoint(1, 2));
    EXPECT_FALSE(tree->HasHintWindow());
    RestAt(CellPoint(1, 1));
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(HintTest, TheTreeColumnMeasuresWithoutItsIndent)
{
    RestAt(CellPoint(0, 0));
    ASSERT_EQ(ShownHint(), MiddleText);
    // The hint starts where the text does.
    EXPECT_EQ(tree->HintWindow()->Left(), first->IndentOffset());
    EXPECT_GT(first->IndentOffset(), 0);
}

TEST_F(HintTest, TheHintStaysOnTheScreen)
{
    fw::GetScreen().SetSize(250, 200);
    RestAt(CellPoint(0, 1));
    ASSERT_TRUE(tree->HasHintWindow());
    const fw::Rect bounds = tree->HintWindow()->BoundsRect();
    EXPECT_EQ(bounds.Right, 250);
    EXPECT_EQ(bounds.Left, 250 - 210);
}

TEST_F(HintTest, HeadingCellsShowTheirHintOrACutCaption)
{
    tree->GetColumn(2)->Headers().GetItem(0)->SetHint("What kind it is");
    RestAt(fw::Point{200, 8});
    ASSERT_EQ(ShownHint(), "What kind it is");
    EXPECT_EQ(tree->HintWindow()->Top(), 0);

    driver->Leave();
    EXPECT_FALSE(tree->HasHintWindow());
    tree->GetColumn(1)->SetCaption("A caption far too long");
    RestAt(fw::Point{120, 8});
    EXPECT_EQ(ShownHint(), "A caption far too long");

    driver->Leave();
    RestAt(fw::Point{40, 8});
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(HintTest, OnGetHintDecides)
{
    struct Asked {
        TILTreeNode* Node;
        TILTreeColumnData* Column;
        TILTreeColumnHeaderCell* Cell;
    };
    std::vector<Asked> asked;
    bool answer = true;
    tree->SetOnGetHint([&](TILTree* sender, TILTreeNode* node, TILTreeColumnData* column,
                           TILTreeColumnHeaderCell* cell, std::string& hint) {
        EXPECT_EQ(sender, tree);
        asked.push_back(Asked{node, column, cell});
        hint = "custom";
        return answer;
    });
    RestAt(CellPoint(1, 2));
    EXPECT_EQ(ShownHint(), "custom");
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].Node, second);
    EXPECT_EQ(asked[0].Column, tree->GetColumn(2));
    EXPECT_EQ(asked[0].Cell, nullptr);

    driver->Leave();
    answer = false;
    RestAt(CellPoint(0, 1));
    EXPECT_FALSE(tree->HasHintWindow());

    // Below the last row there is nothing to ask about.
    driver->Leave();
    RestAt(CellPoint(5, 1));
    EXPECT_EQ(asked.size(), 2U);
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(HintTest, APressOrLeavingTheCellRemovesTheHint)
{
    RestAt(CellPoint(0, 1));
    ASSERT_TRUE(tree->HasHintWindow());
    driver->Press(CellPoint(0, 1));
    EXPECT_FALSE(tree->HasHintWindow());
    driver->Release(CellPoint(0, 1));

    driver->Leave();
    RestAt(CellPoint(0, 1));
    ASSERT_TRUE(tree->HasHintWindow());
    // Still over the hint: it stays.
    driver->MoveTo(fw::Point{100, 20});
    EXPECT_TRUE(tree->HasHintWindow());
    driver->MoveTo(CellPoint(1, 1));
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(HintTest, WithoutShowHintNothingShows)
{
    tree->SetShowHint(false);
    tree->StartHintTimer(fw::Rect{80, 16, 159, 31});
    EXPECT_FALSE(tree->HintTimerRunning());
    RestAt(CellPoint(0, 1));
    EXPECT_FALSE(tree->HasHintWindow());
}

TEST_F(HintTest, TheHintWindowIsFramedInBlackInsideItsBorder)
{
    RestAt(CellPoint(0, 1));
    TILTreeCellHintWindow* hint = tree->HintWindow();
    ASSERT_NE(hint, nullptr);
    const fw::Bitmap picture = fw::RenderToBitmap(*hint);
    const int width = picture.Width();
    const int height = picture.Height();
    const fw::Color back = fw::ColorToRGB(fw::App().HintColor());
    EXPECT_EQ(picture.Pixel(width - 2, height / 2), 0x000000U);
    EXPECT_EQ(picture.Pixel(width / 2, height - 2), 0x000000U);
    EXPECT_EQ(picture.Pixel(0, height / 2), 0x000000U);
    EXPECT_EQ(picture.Pixel(width - 1, height / 2), fw::ColorToRGB(fw::clWindowFrame));
    EXPECT_EQ(picture.Pixel(width - 3, 1), back);
    EXPECT_EQ(picture.Pixel(1, 1), back);
}

TEST_F(HintTest, FreeingTheTreeTakesItsHintAlong)
{
    RestAt(CellPoint(0, 1));
    ASSERT_TRUE(tree->HasHintWindow());
    delete tree;
    tree = nullptr;
    driver->Advance(1000);
}

} // namespace
