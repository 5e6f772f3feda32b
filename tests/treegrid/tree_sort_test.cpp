#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/core/datetime.h"
#include "framework/core/exceptions.h"
#include "tree_data_fixture.h"
#include "treegrid/tree_sort.h"

namespace {

using Strings = std::vector<std::string>;

class TreeSortTest : public TreeDataTest {
protected:
    // Fills the root with one node per text in column 0 and sorts by a column of that kind.
    Strings SortedBy(TILTreeColumnAutoSortType kind, const Strings& texts, bool toggle = false)
    {
        for (const std::string& text : texts) {
            Add(Root(), {text});
        }
        TILTreeColumnData* column = tree->GetColumn(0);
        column->SetAutoSort(kind);
        column->SortNodes(toggle);
        return Texts(Root());
    }
};

TEST_F(TreeSortTest, NumbersCompareAsValuesWithBlanksAndThousandsSeparatorsRemoved)
{
    const Strings sorted = SortedBy(iltSortNumAscend, {"1,200", "15", "x", "", "2 000", "-3"});
    ASSERT_EQ(sorted.size(), 6u);
    EXPECT_EQ(sorted[0], "-3");
    // A text that is no number and an empty one both count as 0; equal rows may swap.
    EXPECT_EQ((Strings{sorted[1], sorted[2]} == Strings{"x", ""} || Strings{sorted[1], sorted[2]} == Strings{"", "x"}),
              true);
    EXPECT_EQ((Strings{sorted[3], sorted[4], sorted[5]}), (Strings{"15", "1,200", "2 000"}));
}

TEST_F(TreeSortTest, NumberReadingsOfOddTexts)
{
    EXPECT_DOUBLE_EQ(SortNumberValue("1,200"), 1200);
    EXPECT_DOUBLE_EQ(SortNumberValue(" 2 000 "), 2000);
    EXPECT_DOUBLE_EQ(SortNumberValue(""), 0);
    EXPECT_DOUBLE_EQ(SortNumberValue("abc"), 0);
    EXPECT_DOUBLE_EQ(SortNumberValue("-2.5"), -2.5);
}

TEST_F(TreeSortTest, EachKindSortsInItsOwnDirection)
{
    const Strings numbers{"10", "9", "100", "-1"};
    EXPECT_EQ(SortedBy(iltSortNumAscend, numbers), (Strings{"-1", "9", "10", "100"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortNumDescend, numbers), (Strings{"100", "10", "9", "-1"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortAlphaAscend, {"b", "B", "a", "A"}), (Strings{"A", "B", "a", "b"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortAlphaDescend, {"b", "B", "a", "A"}), (Strings{"b", "a", "B", "A"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortIntAscend, numbers), (Strings{"-1", "9", "10", "100"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortIntDescend, numbers), (Strings{"100", "10", "9", "-1"}));
}

TEST_F(TreeSortTest, CaseBlindKindsIgnoreCaseInBothDirections)
{
    // Letters fold to upper case, so "_" sorts after them; the descending twin is the exact
    // reverse, not the case-sensitive order.
    EXPECT_EQ(SortedBy(iltSortAlphaAscendI, {"beta", "_x", "Alpha", "gamma"}),
              (Strings{"Alpha", "beta", "gamma", "_x"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortAlphaDescendI, {"beta", "_x", "Alpha", "gamma"}),
              (Strings{"_x", "gamma", "beta", "Alpha"}));
}

TEST_F(TreeSortTest, IntegerSortPutsTextsThatAreNoNumbersBeforeZero)
{
    EXPECT_EQ(SortedBy(iltSortIntAscend, {"3", "0", "n/a", "-5"}), (Strings{"-5", "n/a", "0", "3"}));
    EXPECT_EQ(SortIntegerValue("n/a"), -1);
    EXPECT_EQ(SortIntegerValue("1.5"), -1);
    EXPECT_EQ(SortIntegerValue("42"), 42);
}

TEST_F(TreeSortTest, DateSortReadsDayMonthYearInBothForms)
{
    EXPECT_EQ(SortedBy(iltSortDateAscend, {"01/02/2001", "3 Jan 2001", "31/12/2000", "15 Feb 2001"}),
              (Strings{"31/12/2000", "3 Jan 2001", "01/02/2001", "15 Feb 2001"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortDateDescend, {"01/02/2001", "3 Jan 2001", "31/12/2000"}),
              (Strings{"01/02/2001", "3 Jan 2001", "31/12/2000"}));
}

TEST_F(TreeSortTest, ABadDateRaisesOutOfTheSortAndLeavesTheOrderAlone)
{
    for (const char* text : {"02/01/2001", "not a date", "01/01/2001"}) {
        Add(Root(), {text});
    }
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetAutoSort(iltSortDateAscend);
    EXPECT_THROW(column->SortNodes(false), fw::EConvertError);
    EXPECT_EQ(Texts(Root()), (Strings{"02/01/2001", "not a date", "01/01/2001"}));
    // The bracket closed and the sort column was cleared on the way out.
    EXPECT_EQ(tree->UpdateCount(), 0);
    EXPECT_EQ(tree->SortColumn(), nullptr);
}

TEST_F(TreeSortTest, TimesAndDateTimesCompareAsPointsInTime)
{
    EXPECT_EQ(SortedBy(iltSortTimeAscend, {"13:05", "9:30:15", "1:00 PM", "12:00 AM", "09:30:14.500"}),
              (Strings{"12:00 AM", "09:30:14.500", "9:30:15", "1:00 PM", "13:05"}));
    tree->Clear();
    EXPECT_EQ(SortedBy(iltSortDateTimeDescend, {"01/01/2001 10:00", "01/01/2001", "31/12/2000 23:59", "1 Jan 2001 09:00"}),
              (Strings{"01/01/2001 10:00", "1 Jan 2001 09:00", "01/01/2001", "31/12/2000 23:59"}));
}

TEST_F(TreeSortTest, TimeReadingsRefuseWhatIsNoTime)
{
    EXPECT_DOUBLE_EQ(SortTimeValue("6:00"), 0.25);
    EXPECT_DOUBLE_EQ(SortTimeValue("6:00 pm"), 0.75);
    EXPECT_THROW(SortTimeValue("25:00"), fw::EConvertError);
    EXPECT_THROW(SortTimeValue("13:00 PM"), fw::EConvertError);
    EXPECT_THROW(SortTimeValue("noon"), fw::EConvertError);
    EXPECT_THROW(SortDateTimeValue("01/01/2001 soon"), fw::EConvertError);
    EXPECT_DOUBLE_EQ(SortDateTimeValue("02/01/1900 12:00"), fw::EncodeDate(1900, 1, 2) + 0.5);
}

TEST_F(TreeSortTest, TagSortsReadNoText)
{
    for (int tag : {5, -2, 9, 0}) {
        Add(Root(), {"same"})->SetTag(tag);
    }
    tree->GetColumn(0)->SetAutoSort(iltSortTagDescend);
    tree->GetColumn(0)->SortNodes(false);
    std::vector<int> tags;
    for (const TILTreeNode* node : Root()->Children()) {
        tags.push_back(node->Tag());
    }
    EXPECT_EQ(tags, (std::vector<int>{9, 5, 0, -2}));
}

TEST_F(TreeSortTest, CustomComparisonIsUsedTheSameWayInBothDirections)
{
    TILTreeColumnData* column = tree->GetColumn(0);
    // By length, longest first.
    column->SetOnCustomSortCompare([](TILTreeNode* a, TILTreeNode* b) {
        return static_cast<int>(b->GetCellText(0).size()) - static_cast<int>(a->GetCellText(0).size());
    });
    EXPECT_EQ(SortedBy(iltSortCustom, {"aa", "a", "aaaa", "aaa"}, true), (Strings{"aaaa", "aaa", "aa", "a"}));
    column->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"aaaa", "aaa", "aa", "a"}));
}

TEST_F(TreeSortTest, CustomKindWithoutHandlerAndNoneKindLeaveTheOrderUnchanged)
{
    EXPECT_EQ(SortedBy(iltSortCustom, {"b", "c", "a"}), (Strings{"b", "c", "a"}));
    tree->GetColumn(0)->SetAutoSort(iltSortNone);
    tree->GetColumn(0)->SortNodes(false);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
    tree->GetColumn(0)->SetAutoSort(static_cast<TILTreeColumnAutoSortType>(18));
    tree->GetColumn(0)->SortNodes(false);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "c", "a"}));
}

TEST_F(TreeSortTest, TheToggleSequenceReversesOnlyASecondClickOnTheSameColumn)
{
    for (const char* text : {"b", "c", "a"}) {
        Add(Root(), {text, text});
    }
    TILTreeColumnData* first = tree->GetColumn(0);
    TILTreeColumnData* second = tree->GetColumn(1);
    first->SetAutoSort(iltSortAlphaAscend);
    second->SetAutoSort(iltSortAlphaAscend);

    first->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "b", "c"}));
    EXPECT_TRUE(first->LastSortAscending());
    EXPECT_EQ(tree->LastSortedColumn(), 0);
    first->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"c", "b", "a"}));
    EXPECT_FALSE(first->LastSortAscending());
    first->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "b", "c"}));

    first->SortNodes(true); // descending again
    second->SortNodes(true);
    EXPECT_EQ(tree->LastSortedColumn(), 1);
    first->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "b", "c"})) << "another column in between starts ascending again";

    // Without ToggleSort every click sorts the same way.
    first->SetToggleSort(false);
    first->SortNodes(true);
    EXPECT_EQ(Texts(Root()), (Strings{"a", "b", "c"}));
}

TEST_F(TreeSortTest, SortingDescendsIntoEveryLevelUnlessToldOtherwise)
{
    TILTreeNode* parent = Add(Root(), {"p"});
    for (const char* text : {"z", "x", "y"}) {
        Add(parent, {text});
    }
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetAutoSort(iltSortAlphaAscend);
    column->SetAutoSortChildren(false);
    column->SortNodes(false);
    EXPECT_EQ(Texts(parent), (Strings{"z", "x", "y"}));
    column->SetAutoSortChildren(true);
    column->SortNodes(false);
    EXPECT_EQ(Texts(parent), (Strings{"x", "y", "z"}));
}

TEST_F(TreeSortTest, LeafOnlySortingSkipsSiblingListsWithGrandchildren)
{
    TILTreeNode* b = Add(Root(), {"b"});
    Add(Root(), {"a"});
    for (const char* text : {"2", "1"}) {
        Add(b, {text});
    }
    TILTreeColumnData* column = tree->GetColumn(0);
    column->SetAutoSort(iltSortAlphaAscend);
    column->SetOptions(TILTreeColumnOptions{iltColOptSortLeafOnly});
    column->SortNodes(false);
    EXPECT_EQ(Texts(Root()), (Strings{"b", "a"}));
    EXPECT_EQ(Texts(b), (Strings{"1", "2"}));
}

TEST_F(TreeSortTest, NodeSortWithoutComparisonUsesTheTreeColumnIgnoringCase)
{
    tree->SetTreeColumn(1);
    for (const char* text : {"b", "C", "a"}) {
        Add(Root(), {"", text});
    }
    Root()->SortChildren();
    EXPECT_EQ(Texts(Root(), 1), (Strings{"a", "b", "C"}));
    EXPECT_EQ(tree->LastSortedColumn(), 1);
}

TEST_F(TreeSortTest, SiblingIndexesFollowTheNewOrder)
{
    for (const char* text : {"c", "a", "b"}) {
        Add(Root(), {text});
    }
    Root()->SortChildren();
    for (int i = 0; i < Root()->GetCount(); ++i) {
        EXPECT_EQ(Root()->GetItem(i)->GetIndex(), i);
    }
    EXPECT_EQ(Root()->GetItem(0)->NextVisible(), Root()->GetItem(1));
}

TEST_F(TreeSortTest, LargeListsComeOutOrderedWithEveryNodeOnce)
{
    std::mt19937 random(7);
    std::vector<int> values;
    for (int i = 0; i < 5000; ++i) {
        // Many equal keys, runs and random values.
        const int value = i % 3 == 0 ? 42 : (i % 3 == 1 ? i : static_cast<int>(random() % 1000));
        values.push_back(value);
        Add(Root(), {std::to_string(value)});
    }
    tree->GetColumn(0)->SetAutoSort(iltSortIntAscend);
    tree->GetColumn(0)->SortNodes(false);
    std::sort(values.begin(), values.end());
    std::vector<int> sorted;
    for (const TILTreeNode* node : Root()->Children()) {
        sorted.push_back(std::stoi(node->GetCellText(0)));
    }
    EXPECT_EQ(sorted, values);
}

TEST_F(TreeSortTest, AComparisonThatContradictsItselfCannotLoseNodes)
{
    std::mt19937 random(11);
    for (int i = 0; i < 2000; ++i) {
        Add(Root(), {std::to_string(i)});
    }
    Root()->SortChildren([&random](TILTreeNode*, TILTreeNode*) { return static_cast<int>(random() % 3) - 1; });
    std::vector<int> seen;
    for (const TILTreeNode* node : Root()->Children()) {
        seen.push_back(std::stoi(node->GetCellText(0)));
    }
    std::sort(seen.begin(), seen.end());
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
    }
}

TEST_F(TreeSortTest, AComparisonThatRaisesLeavesTheChildrenAsTheyWere)
{
    for (const char* text : {"c", "a", "b"}) {
        Add(Root(), {text});
    }
    int calls = 0;
    EXPECT_THROW(Root()->SortChildren([&calls](TILTreeNode*, TILTreeNode*) -> int {
        if (++calls == 2) {
            throw fw::Exception("stop");
        }
        return 1;
    }),
                 fw::Exception);
    EXPECT_EQ(Texts(Root()), (Strings{"c", "a", "b"}));
}

TEST(TreeSortImage, TheAscendingImageShowsOnlyAfterAReversedSortOfAnAscendingKind)
{
    for (auto kind : {iltSortNumAscend, iltSortAlphaAscend, iltSortAlphaAscendI, iltSortDateAscend,
                      iltSortTimeAscend, iltSortDateTimeAscend, iltSortCustom, iltSortIntAscend, iltSortTagAscend}) {
        EXPECT_TRUE(ShowsAscendingSortImage(kind, false)) << int(kind);
        EXPECT_FALSE(ShowsAscendingSortImage(kind, true)) << int(kind);
    }
    for (auto kind : {iltSortNone, iltSortNumDescend, iltSortAlphaDescend, iltSortAlphaDescendI, iltSortDateDescend,
                      iltSortTimeDescend, iltSortDateTimeDescend, iltSortIntDescend, iltSortTagDescend}) {
        EXPECT_FALSE(ShowsAscendingSortImage(kind, false)) << int(kind);
        EXPECT_FALSE(ShowsAscendingSortImage(kind, true)) << int(kind);
    }
}

TEST(TreeSortOrderTest, ReversingSwapsTheOperands)
{
    TILTreeNode low;
    TILTreeNode high;
    low.SetCellText(0, "1");
    high.SetCellText(0, "2");
    TILTreeSortOrder order;
    order.Kind = iltSortNumAscend;
    EXPECT_LT(order.Compare(&low, &high), 0);
    order.Reversed = true;
    EXPECT_GT(order.Compare(&low, &high), 0);
    order.Kind = iltSortNumDescend;
    EXPECT_LT(order.Compare(&low, &high), 0);
    order.Kind = iltSortNone;
    EXPECT_EQ(order.Compare(&low, &high), 0);
}

} // namespace
