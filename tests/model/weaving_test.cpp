#include <gtest/gtest.h>

#include <vector>

#include "foundation/generic_exception.h"
#include "framework/core/exceptions.h"
#include "model/card.h"
#include "model/weaving.h"

namespace {

// A band of one row per entry of the holes; every column shows the same hole sequence
// shifted by its column, so that a float in one column must not leak into the next.
void FillBand(TTWWeaving& weaving, int width, const std::vector<int>& holes)
{
    weaving.SetWidth(width);
    for (int hole : holes) {
        for (TTWWeavingCell& cell : weaving.AddPick()) {
            cell.Hole = static_cast<std::uint8_t>(hole + cell.Column());
        }
    }
    weaving.MarkFloats();
}

std::vector<bool> InFloatFlags(const TTWWeaving& weaving, int column)
{
    std::vector<bool> flags;
    for (int pick = 0; pick < weaving.PickCount(); ++pick) {
        flags.push_back(weaving.Cell(column, pick)->InFloat);
    }
    return flags;
}

} // namespace

TEST(WeavingTest, CellsAreSmallValuesThatKnowTheirPlace)
{
    static_assert(sizeof(TTWWeavingCell) <= 16);
    TTWWeaving weaving;
    weaving.SetWidth(3);
    weaving.AddPick();
    TTWWeavingPick second = weaving.AddPick();
    EXPECT_EQ(2, weaving.PickCount());
    EXPECT_EQ(1, second.Index());
    EXPECT_EQ(2, second.PickNumber());
    ASSERT_EQ(3, second.CellCount());

    const TTWWeavingCell* cell = weaving.Cell(2, 1);
    ASSERT_NE(nullptr, cell);
    EXPECT_EQ(2, cell->Column());
    EXPECT_EQ(3, cell->ColumnNumber());
    EXPECT_EQ(2, cell->PickNumber());
    EXPECT_EQ(cell, &weaving.Picks(1).Cells()[2]);
    EXPECT_TRUE(cell->IsIdle());
    EXPECT_EQ(1, weaving.FloatLength(*cell));
    EXPECT_EQ(-1, weaving.FloatEndPick(*cell));
    EXPECT_EQ(nullptr, weaving.FloatStart(*cell));

    EXPECT_EQ(nullptr, weaving.Cell(3, 0));
    EXPECT_EQ(nullptr, weaving.Cell(-1, 0));
    EXPECT_EQ(nullptr, weaving.Cell(0, 2));
    EXPECT_EQ(nullptr, second.GetCell(3));
    EXPECT_THROW(weaving.Picks(2), fw::EListError);

    weaving.Clear();
    EXPECT_EQ(0, weaving.Width());
    EXPECT_EQ(nullptr, weaving.Cell(0, 0));
}

TEST(WeavingTest, PackedCellsHoldEveryValueApartUpToTheLargestBand)
{
    // The places of the last cell of the largest band fit.
    const TTWWeavingCell last(TTWWeaving::MaxWidth - 1, TTWWeaving::MaxPicks - 1);
    EXPECT_EQ(TTWWeaving::MaxWidth - 1, last.Column());
    EXPECT_EQ(TTWWeaving::MaxPicks - 1, last.Pick());
    EXPECT_EQ(-1, last.FloatStartPick());
    EXPECT_FALSE(last.InFloat);

    // Every field takes its largest value without touching the others.
    TTWWeavingCell cell(5, 7);
    cell.Hole = MaxCardHoles - 1;
    EXPECT_EQ(0, cell.Slant);
    EXPECT_EQ(TurnIdle, cell.TurnDir);
    // A damaged file's turn code shows as it is.
    cell.TurnDir = 0xFF;
    cell.Slant = ThreadingZ;
    cell.Twisted = true;
    cell.Colour = NoColour;
    EXPECT_EQ(MaxCardHoles - 1, cell.Hole);
    EXPECT_EQ(0xFF, cell.TurnDir);
    EXPECT_EQ(ThreadingZ, cell.Slant);
    EXPECT_FALSE(cell.Reversal);
    EXPECT_TRUE(cell.Twisted);
    EXPECT_FALSE(cell.InFloat);
    EXPECT_EQ(NoColour, cell.Colour);
    EXPECT_EQ(5, cell.Column());
    EXPECT_EQ(7, cell.Pick());

    TTWWeavingCell copy(1, 2);
    copy.Assign(cell);
    EXPECT_EQ(1, copy.Column());
    EXPECT_EQ(2, copy.Pick());
    EXPECT_EQ(MaxCardHoles - 1, copy.Hole);
    EXPECT_EQ(0xFF, copy.TurnDir);
    EXPECT_TRUE(copy.Twisted);
}

TEST(WeavingTest, WidthIsFixedWhileRowsExistAndSizesAreCapped)
{
    TTWWeaving weaving;
    weaving.SetWidth(2);
    weaving.SetWidth(4);
    weaving.AddPick();
    weaving.SetWidth(4);
    EXPECT_THROW(weaving.SetWidth(5), TGenericException);
    EXPECT_THROW(TTWWeaving().SetWidth(-1), TGenericException);
    EXPECT_THROW(TTWWeaving().SetWidth(TTWWeaving::MaxWidth + 1), TGenericException);
    EXPECT_THROW(weaving.ReservePicks(TTWWeaving::MaxPicks + 1), TGenericException);
    EXPECT_EQ(1, weaving.PickCount());
}

TEST(WeavingTest, FloatsAreRunsOfThreeOrMorePicksWithOneHoleOnTop)
{
    TTWWeaving weaving;
    //                   picks 1  2  3  4  5  6  7  8  9  10
    FillBand(weaving, 2, {0, 0, 0, 0, 1, 1, 2, 2, 2, 3});
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ((std::vector<bool>{true, true, true, true, false, false, true, true, true, false}),
                  InFloatFlags(weaving, column));
    }
    const TTWWeavingCell& first = *weaving.Cell(1, 0);
    EXPECT_TRUE(first.IsFloatStart());
    EXPECT_EQ(4, weaving.FloatLength(first));
    EXPECT_EQ(weaving.Cell(1, 0), weaving.FloatStart(*weaving.Cell(1, 2)));
    EXPECT_EQ(weaving.Cell(1, 3), weaving.FloatEnd(*weaving.Cell(1, 2)));
    EXPECT_FALSE(weaving.Cell(1, 2)->IsFloatStart());
    // Two equal picks are no float.
    EXPECT_EQ(1, weaving.FloatLength(*weaving.Cell(0, 4)));
    // A float that ends at the last pick is closed too.
    const TTWWeavingCell& last = *weaving.Cell(0, 8);
    EXPECT_EQ(6, last.FloatStartPick());
    EXPECT_EQ(8, weaving.FloatEndPick(last));
    EXPECT_EQ(3, weaving.FloatLength(last));
}

TEST(WeavingTest, FloatsStayWithinTheirColumnAndAreMarkedAfresh)
{
    TTWWeaving weaving;
    weaving.SetWidth(2);
    // Column 0 holds hole 1 throughout; column 1 alternates, so no float may pass from the
    // first column into the second when the columns are walked one after the other.
    for (int pick = 0; pick < 4; ++pick) {
        TTWWeavingPick row = weaving.AddPick();
        row.Cells()[0].Hole = 1;
        row.Cells()[1].Hole = static_cast<std::uint8_t>(pick % 2);
    }
    weaving.MarkFloats();
    EXPECT_EQ((std::vector<bool>{true, true, true, true}), InFloatFlags(weaving, 0));
    EXPECT_EQ((std::vector<bool>{false, false, false, false}), InFloatFlags(weaving, 1));

    weaving.Cell(0, 1)->Hole = 2;
    weaving.MarkFloats();
    EXPECT_EQ((std::vector<bool>{false, false, false, false}), InFloatFlags(weaving, 0));
    EXPECT_EQ(-1, weaving.FloatEndPick(*weaving.Cell(0, 3)));

    // Fewer than three picks can hold no float.
    TTWWeaving twoPicks;
    FillBand(twoPicks, 1, {2, 2});
    EXPECT_EQ((std::vector<bool>{false, false}), InFloatFlags(twoPicks, 0));
}

TEST(WeavingTest, SetHoleColourRecolorsOneThreadOfOneColumn)
{
    TTWWeaving weaving;
    FillBand(weaving, 2, {0, 1, 0});
    weaving.SetHoleColour(0, 0, 0xABCDEF);
    EXPECT_EQ(0xABCDEFu, weaving.Cell(0, 0)->Colour);
    EXPECT_EQ(0u, weaving.Cell(0, 1)->Colour);
    EXPECT_EQ(0xABCDEFu, weaving.Cell(0, 2)->Colour);
    // Column 1 shows hole 1 where column 0 showed hole 0: untouched.
    EXPECT_EQ(0u, weaving.Cell(1, 0)->Colour);
}
