// The twill design's long-float marks follow every change of the design's geometry, so a
// mark stays on its cell, and a stored undo step keeps them.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/block_design_undo.h"
#include "model/twill_block_design.h"

namespace {

// A design of the rows (top row first): '#' a set cell, 'L' a long float, '*' both.
std::unique_ptr<TTWTwillBlockDesignItem> Design(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.front().size());
    fw::Bitmap cells(width, height, true);
    auto made = std::make_unique<TTWTwillBlockDesignItem>(&cells);
    TTWTwillBlockDesignItem& item = *made;
    item.SetSize(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const char c = rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(x)];
            if (c == '#' || c == '*') {
                item.Bitmap().SetPixel(x, row, fw::Bitmap::Black);
            }
            item.SetLongFloat(x, y, c == 'L' || c == '*');
        }
    }
    return made;
}

std::vector<std::string> Rows(const TTWTwillBlockDesignItem& item)
{
    std::vector<std::string> rows;
    for (int y = item.Height() - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < item.Width(); ++x) {
            const bool set = item.Bitmap().Pixel(x, item.Height() - 1 - y) == fw::Bitmap::Black;
            const bool floats = item.IsLongFloat(x, y);
            row += set && floats ? '*' : set ? '#' : floats ? 'L' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

using Strings = std::vector<std::string>;

TEST(TwillBlockDesign, MarksAreReadAndWrittenOnlyInsideTheDesign)
{
    const auto design = Design({"L.", ".."});
    TTWTwillBlockDesignItem& item = *design;
    EXPECT_TRUE(item.IsLongFloat(0, 1));
    EXPECT_FALSE(item.IsLongFloat(-1, 0));
    EXPECT_FALSE(item.IsLongFloat(2, 0));
    item.SetLongFloat(5, 5, true);
    item.SetLongFloat(-1, 0, true);
    EXPECT_EQ(Rows(item), (Strings{"L.", ".."}));
    EXPECT_TRUE(item.LongFloats().Monochrome());
}

TEST(TwillBlockDesign, MirrorsShiftsAndTurnsCarryTheMarksWithTheirCells)
{
    const auto design = Design({"*..", "L.#", "..."});
    TTWTwillBlockDesignItem& item = *design;
    item.MirrorColumns(0, 0, 2, 2);
    EXPECT_EQ(Rows(item), (Strings{"..*", "#.L", "..."}));
    item.MirrorRows(0, 0, 2, 2);
    EXPECT_EQ(Rows(item), (Strings{"...", "#.L", "..*"}));

    item.Shift(0, 0, nullptr, fw::clWhite, 1, 0, 2, 2);
    EXPECT_EQ(Rows(item), (Strings{"#.L", "..*", "..."}));

    item.RotateLeft();
    EXPECT_EQ(Rows(item), (Strings{"L*.", "...", "#.."}));
    item.RotateRight();
    EXPECT_EQ(Rows(item), (Strings{"#.L", "..*", "..."}));
}

TEST(TwillBlockDesign, AShiftedAreaUncoversTheBackdropsMarks)
{
    const auto design = Design({"...", ".L.", "..."});
    TTWTwillBlockDesignItem& item = *design;
    const auto backdrop = Design({"...", ".L.", "..."});
    item.Shift(1, 1, backdrop.get(), fw::clWhite, 0, 1, 1, 1);
    EXPECT_EQ(Rows(item), (Strings{"...", ".LL", "..."}));

    // A backdrop of the plain kind has no marks: the strip is left without.
    const auto plainItem = Design({"...", ".L.", "..."});
    TTWBlockDesignItem cells;
    cells.SetSize(3, 3);
    TTWTwillBlockDesignItem& plain = *plainItem;
    plain.Shift(1, 1, &cells, fw::clWhite, 0, 1, 1, 1);
    EXPECT_EQ(Rows(plain), (Strings{"...", "..L", "..."}));
}

TEST(TwillBlockDesign, NewRowsAndColumnsCarryNoMarksAndTheOldOnesStay)
{
    const auto design = Design({"L.", ".*"});
    TTWTwillBlockDesignItem& item = *design;
    item.SetSize(3, 3);
    EXPECT_EQ(Rows(item), (Strings{"L..", ".*.", "..."}));
    item.SetSize(1, 1);
    EXPECT_EQ(Rows(item), (Strings{"L"}));
}

TEST(TwillBlockDesign, AnUndoStepKeepsTheMarks)
{
    const auto design = Design({"L#", ".*"});
    TTWTwillBlockDesignItem& item = *design;
    TTWBlockDesignUndoList list;
    const TTWBlockDesignItem& stored = list.Push(item);
    const auto* twill = dynamic_cast<const TTWTwillBlockDesignItem*>(&stored);
    ASSERT_NE(twill, nullptr);
    EXPECT_EQ(Rows(*twill), (Strings{"L#", ".*"}));

    // Assigned from a plain design, the marks take its size and none are left over.
    TTWBlockDesignItem cells;
    cells.SetSize(3, 1);
    item.Assign(&cells);
    EXPECT_EQ(Rows(item), (Strings{"..."}));
}

} // namespace
