#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "framework/core/exceptions.h"
#include "model/block_design.h"
#include "model/design_grid.h"

namespace {

// Cell data with one value, so that copies can be told from new objects.
class Marker : public TTWBlockDesignAssociatedData {
public:
    std::string_view className() const override { return "TMarker"; }
    fw::Object* NewInstance() const override { return new Marker; }
    void Assign(const fw::Persistent* source) override
    {
        if (const auto* other = dynamic_cast<const Marker*>(source)) {
            Value = other->Value;
            return;
        }
        TTWBlockDesignAssociatedData::Assign(source);
    }

    std::uint32_t Value = 0;
};

const Marker& MarkerClass()
{
    static const Marker prototype;
    return prototype;
}

using Data = TTWBlockDesignAssociatedData;
using Item = TTWBlockDesignItem;

Marker* At(Item& item, int x, int y)
{
    return dynamic_cast<Marker*>(item.GetCellData(x, y));
}

std::uint32_t CellPixel(const Item& item, int x, int y)
{
    return item.Bitmap().Pixel(x, item.Height() - 1 - y);
}

void SetCellPixel(Item& item, int x, int y, std::uint32_t colour)
{
    item.Bitmap().SetPixel(x, item.Height() - 1 - y, colour);
}

std::uint32_t ColourOf(std::uint32_t base, int x, int y)
{
    return base + 0x100U * static_cast<std::uint32_t>(x + 1) + static_cast<std::uint32_t>(y + 1);
}

// A colour design in which every cell has a pixel of its own colour, and, with a data
// class, an object whose value is that colour.
std::unique_ptr<Item> Painted(int width, int height, std::uint32_t base = 0x100000,
                              TTWBlockDataClass dataClass = &MarkerClass())
{
    auto item = std::make_unique<Item>(nullptr, dataClass);
    item->SetSize(width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            SetCellPixel(*item, x, y, ColourOf(base, x, y));
            if (dataClass != nullptr) {
                At(*item, x, y)->Value = ColourOf(base, x, y);
            }
        }
    }
    return item;
}

// The object of every cell, by the colour of the cell's pixel.
std::map<std::uint32_t, Data*> ObjectsByColour(Item& item)
{
    std::map<std::uint32_t, Data*> objects;
    for (int x = 0; x < item.Width(); ++x) {
        for (int y = 0; y < item.Height(); ++y) {
            objects[CellPixel(item, x, y)] = item.GetCellData(x, y);
        }
    }
    return objects;
}

// Every cell holds the very object that the cell with its pixel's colour held before.
void ExpectObjectsFollowPixels(Item& item, const std::map<std::uint32_t, Data*>& before)
{
    ASSERT_EQ(static_cast<std::size_t>(item.Width() * item.Height()), before.size());
    for (int x = 0; x < item.Width(); ++x) {
        for (int y = 0; y < item.Height(); ++y) {
            const auto found = before.find(CellPixel(item, x, y));
            ASSERT_NE(found, before.end()) << x << "," << y;
            EXPECT_EQ(item.GetCellData(x, y), found->second) << x << "," << y;
        }
    }
}

// The object of every cell, by column and row.
using Objects = std::vector<std::vector<Data*>>;

Objects ObjectGrid(Item& item)
{
    Objects grid(static_cast<std::size_t>(item.Width()));
    for (int x = 0; x < item.Width(); ++x) {
        for (int y = 0; y < item.Height(); ++y) {
            grid[static_cast<std::size_t>(x)].push_back(item.GetCellData(x, y));
        }
    }
    return grid;
}

Data* Cell(const Objects& grid, int x, int y)
{
    return grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
}

} // namespace

TEST(BlockDesignItem, ConstructionSizeAndDataClass)
{
    fw::Bitmap source(2, 2, true);
    source.SetPixel(1, 0, fw::Bitmap::Black);
    Item item(&source, &MarkerClass());
    EXPECT_TRUE(item.Bitmap().Monochrome());
    EXPECT_EQ(item.Width(), 0);
    EXPECT_EQ(item.Height(), 0);
    EXPECT_TRUE(item.HasData());
    EXPECT_EQ(item.GetCellData(0, 0), nullptr);

    item.SetSize(3, -4);
    EXPECT_EQ(item.Width(), 3);
    EXPECT_EQ(item.Height(), 0);
    EXPECT_EQ(item.Bitmap().Width(), 3);
    EXPECT_EQ(item.Bitmap().Height(), 0);

    item.SetSize(3, 2);
    EXPECT_TRUE(item.Bitmap().Monochrome());
    EXPECT_EQ(item.Bitmap().Width(), 3);
    EXPECT_EQ(item.Bitmap().Height(), 2);

    item.SetDataClass(nullptr);
    EXPECT_FALSE(item.HasData());
    EXPECT_EQ(item.GetCellData(0, 0), nullptr);
    item.SetDataClass(&MarkerClass());
    EXPECT_TRUE(item.HasData());
    EXPECT_NE(At(item, 2, 1), nullptr);

    Item plain;
    plain.SetSize(2, 2);
    EXPECT_FALSE(plain.HasData());
    EXPECT_EQ(plain.GetCellData(0, 0), nullptr);
}

TEST(BlockDesignItem, GetCellDataAnswersOneObjectPerCellAndNoneOutside)
{
    Item item(nullptr, &MarkerClass());
    item.SetSize(3, 2);
    Data* first = item.GetCellData(1, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(item.GetCellData(1, 1), first);
    EXPECT_NE(item.GetCellData(0, 1), first);
    EXPECT_NE(item.GetCellData(1, 0), first);
    EXPECT_EQ(item.GetCellData(-1, 0), nullptr);
    EXPECT_EQ(item.GetCellData(3, 0), nullptr);
    EXPECT_EQ(item.GetCellData(0, -1), nullptr);
    EXPECT_EQ(item.GetCellData(0, 2), nullptr);
    EXPECT_EQ(item.GetCellData(INT_MIN, INT_MAX), nullptr);
}

TEST(BlockDesignItem, SetSizeKeepsEveryObjectOnItsCell)
{
    auto item = Painted(3, 2);
    const auto before = ObjectGrid(*item);

    // Two more rows appear at the bottom: the old cells are now two rows higher.
    item->SetSize(4, 4);
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(item->GetCellData(x, y + 2), Cell(before, x, y));
            EXPECT_EQ(CellPixel(*item, x, y + 2), ColourOf(0x100000, x, y));
        }
    }
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            if (x < 3 && y >= 2) {
                continue;
            }
            EXPECT_EQ(At(*item, x, y)->Value, 0U) << x << "," << y;
            EXPECT_EQ(CellPixel(*item, x, y), fw::Bitmap::White);
        }
    }

    // Down to the top row and two columns: the old top row is row 0.
    item->SetSize(2, 1);
    EXPECT_EQ(item->Bitmap().Width(), 2);
    EXPECT_EQ(item->Bitmap().Height(), 1);
    for (int x = 0; x < 2; ++x) {
        EXPECT_EQ(item->GetCellData(x, 0), Cell(before, x, 1));
        EXPECT_EQ(CellPixel(*item, x, 0), ColourOf(0x100000, x, 1));
    }
    EXPECT_EQ(item->GetCellData(0, 1), nullptr);
    EXPECT_EQ(item->GetCellData(2, 0), nullptr);
}

TEST(BlockDesignItem, AssignCopiesBitmapSizeClassAndValues)
{
    auto source = Painted(3, 2);
    source->Bitmap().SetMonochrome(true);
    Item copy;
    copy.Assign(source.get());
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_TRUE(copy.Bitmap().SamePixels(source->Bitmap()));
    EXPECT_TRUE(copy.Bitmap().Monochrome());
    EXPECT_EQ(copy.DataClass(), &MarkerClass());
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 2; ++y) {
            EXPECT_NE(copy.GetCellData(x, y), source->GetCellData(x, y));
            EXPECT_EQ(At(copy, x, y)->Value, ColourOf(0x100000, x, y));
        }
    }

    // A later assignment replaces the values; one without data drops them.
    auto other = Painted(2, 2, 0x300000);
    copy.Assign(other.get());
    EXPECT_EQ(At(copy, 1, 1)->Value, ColourOf(0x300000, 1, 1));
    auto bare = Painted(2, 1, 0x300000, nullptr);
    copy.Assign(bare.get());
    EXPECT_FALSE(copy.HasData());
    EXPECT_EQ(copy.GetCellData(0, 0), nullptr);

    EXPECT_THROW(copy.Assign(&MarkerClass()), fw::EConvertError);
    EXPECT_THROW(copy.Assign(nullptr), fw::EConvertError);

    auto like = source->NewLike();
    EXPECT_EQ(like->DataClass(), &MarkerClass());
    EXPECT_EQ(like->Width(), 0);
}

TEST(BlockDesignItem, QuarterTurnsCarryTheObjectsWithTheirPixels)
{
    auto item = Painted(3, 2);
    const fw::Bitmap original = item->Bitmap();
    const auto before = ObjectsByColour(*item);
    const auto grid = ObjectGrid(*item);

    item->RotateLeft();
    EXPECT_EQ(item->Width(), 2);
    EXPECT_EQ(item->Height(), 3);
    EXPECT_EQ(item->Bitmap().Width(), 2);
    EXPECT_EQ(item->Bitmap().Height(), 3);
    // Anticlockwise: the top-left cell goes to the bottom-left corner.
    EXPECT_EQ(CellPixel(*item, 0, 0), ColourOf(0x100000, 0, 1));
    ExpectObjectsFollowPixels(*item, before);

    item->RotateRight();
    EXPECT_TRUE(item->Bitmap().SamePixels(original));
    EXPECT_EQ(ObjectGrid(*item), grid);

    item->RotateRight();
    EXPECT_EQ(item->Width(), 2);
    EXPECT_EQ(item->Height(), 3);
    // Clockwise: the top-left cell goes to the top-right corner.
    EXPECT_EQ(CellPixel(*item, 1, 2), ColourOf(0x100000, 0, 1));
    ExpectObjectsFollowPixels(*item, before);

    item->RotateLeft();
    EXPECT_TRUE(item->Bitmap().SamePixels(original));
    EXPECT_EQ(ObjectGrid(*item), grid);
}

TEST(BlockDesignItem, MirrorExchangesObjectsInsideTheRegion)
{
    auto item = Painted(5, 3);
    const fw::Bitmap original = item->Bitmap();
    const auto before = ObjectsByColour(*item);
    const auto grid = ObjectGrid(*item);

    // Columns 1..3 of rows 0..1, the corners given the other way round.
    item->MirrorColumns(3, 0, 1, 1);
    ExpectObjectsFollowPixels(*item, before);
    EXPECT_EQ(CellPixel(*item, 1, 0), ColourOf(0x100000, 3, 0));
    EXPECT_EQ(CellPixel(*item, 3, 1), ColourOf(0x100000, 1, 1));
    EXPECT_EQ(item->GetCellData(2, 0), grid[2][0]);
    EXPECT_EQ(item->GetCellData(1, 2), grid[1][2]);
    EXPECT_EQ(item->GetCellData(0, 0), grid[0][0]);
    item->MirrorColumns(1, 1, 0, 3);
    EXPECT_TRUE(item->Bitmap().SamePixels(original));
    EXPECT_EQ(ObjectGrid(*item), grid);

    // All rows of columns 0..4: the middle row stays.
    item->MirrorRows(0, 0, 2, 4);
    ExpectObjectsFollowPixels(*item, before);
    EXPECT_EQ(CellPixel(*item, 4, 0), ColourOf(0x100000, 4, 2));
    EXPECT_EQ(item->GetCellData(3, 1), grid[3][1]);
    item->MirrorRows(4, 2, 0, 0);
    EXPECT_TRUE(item->Bitmap().SamePixels(original));
    EXPECT_EQ(ObjectGrid(*item), grid);

    // A region reaching past the design is cut to it; one wholly outside changes nothing.
    item->MirrorRows(-5, -5, 100, 100);
    EXPECT_EQ(CellPixel(*item, 0, 0), ColourOf(0x100000, 0, 2));
    item->MirrorRows(0, 0, 2, 4);
    item->MirrorColumns(7, 5, 9, 9);
    EXPECT_TRUE(item->Bitmap().SamePixels(original));
    EXPECT_EQ(ObjectGrid(*item), grid);
}

TEST(BlockDesignItem, CopyRegionPastesClippedAtTheDestinationEdge)
{
    auto clip = Painted(3, 2, 0x100000);
    auto design = Painted(4, 3, 0x200000);
    const auto grid = ObjectGrid(*design);

    // The clip's top-left cell (0, 1) lands on (2, 1); its third column falls off the right.
    Item::CopyRegion(*design, *clip, fw::Point{0, 0}, fw::Point{2, 1}, fw::Point{2, 1}, 0);
    EXPECT_EQ(design->Width(), 4);
    EXPECT_EQ(design->Height(), 3);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y) {
            const bool pasted = x >= 2 && y <= 1;
            const std::uint32_t expected = pasted ? ColourOf(0x100000, x - 2, y) : ColourOf(0x200000, x, y);
            EXPECT_EQ(CellPixel(*design, x, y), expected) << x << "," << y;
            EXPECT_EQ(At(*design, x, y)->Value, expected) << x << "," << y;
            // Pasted data is copied into the cell's own object.
            EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x, y));
        }
    }
}

TEST(BlockDesignItem, CopyRegionFillsCellsWithoutSourceDataThroughTheCallback)
{
    auto clip = Painted(2, 2, 0x100000, nullptr);
    auto design = Painted(3, 3, 0x200000);
    std::vector<std::tuple<int, int, bool>> calls;
    const TTWCellCopyEvent fill = [&calls](Data* destination, int x, Data* source, int y) {
        calls.emplace_back(x, y, source == nullptr);
        dynamic_cast<Marker&>(*destination).Value = 7;
    };
    // Top-left clip cell onto (2, 2): only the clip's left column fits.
    Item::CopyRegion(*design, *clip, fw::Point{0, 0}, fw::Point{1, 1}, fw::Point{2, 2}, 0, fill);
    const std::vector<std::tuple<int, int, bool>> expected{{2, 1, true}, {2, 2, true}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(At(*design, 2, 1)->Value, 7U);
    EXPECT_EQ(At(*design, 2, 2)->Value, 7U);
    EXPECT_EQ(At(*design, 2, 0)->Value, ColourOf(0x200000, 2, 0));
    EXPECT_EQ(CellPixel(*design, 2, 2), ColourOf(0x100000, 0, 1));
    EXPECT_EQ(CellPixel(*design, 1, 2), ColourOf(0x200000, 1, 2));

    // Without a callback such cells start over with new objects.
    ASSERT_NE(At(*design, 0, 0)->Value, 0U);
    Item::CopyRegion(*design, *clip, fw::Point{0, 0}, fw::Point{1, 1}, fw::Point{0, 1}, 0);
    EXPECT_EQ(At(*design, 0, 0)->Value, 0U);
    EXPECT_EQ(At(*design, 0, 2)->Value, ColourOf(0x200000, 0, 2));
    EXPECT_EQ(CellPixel(*design, 1, 0), ColourOf(0x100000, 1, 0));
}

TEST(BlockDesignItem, CopyRegionIntoAClipTakesSizeAndDataClass)
{
    auto design = Painted(4, 3);
    Item clip;
    // Columns 1..3, all rows, corners in the other order; the point given is ignored.
    Item::CopyRegion(clip, *design, fw::Point{3, 0}, fw::Point{1, 2}, fw::Point{7, -7},
                     Item::CopyResizesDestination | Item::CopyTakesDataClass);
    EXPECT_EQ(clip.Width(), 3);
    EXPECT_EQ(clip.Height(), 3);
    EXPECT_EQ(clip.Bitmap().Width(), 3);
    EXPECT_EQ(clip.Bitmap().Height(), 3);
    EXPECT_EQ(clip.DataClass(), &MarkerClass());
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(CellPixel(clip, x, y), ColourOf(0x100000, x + 1, y));
            EXPECT_EQ(At(clip, x, y)->Value, ColourOf(0x100000, x + 1, y));
            EXPECT_NE(clip.GetCellData(x, y), design->GetCellData(x + 1, y));
        }
    }

    // A region reaching past the source is cut to it.
    Item::CopyRegion(clip, *design, fw::Point{-5, -5}, fw::Point{1, 100}, fw::Point{0, 0}, 3);
    EXPECT_EQ(clip.Width(), 2);
    EXPECT_EQ(clip.Height(), 3);
    EXPECT_EQ(At(clip, 1, 2)->Value, ColourOf(0x100000, 1, 2));

    // From a source without data the clip drops its own.
    auto bare = Painted(2, 2, 0x300000, nullptr);
    Item::CopyRegion(clip, *bare, fw::Point{0, 0}, fw::Point{1, 0}, fw::Point{0, 0}, 3);
    EXPECT_FALSE(clip.HasData());
    EXPECT_EQ(clip.GetCellData(0, 0), nullptr);
    EXPECT_EQ(clip.Width(), 2);
    EXPECT_EQ(clip.Height(), 1);
    EXPECT_EQ(CellPixel(clip, 1, 0), ColourOf(0x300000, 1, 0));

    // Resizing alone keeps the destination's data class.
    Item keeps(nullptr, &MarkerClass());
    Item::CopyRegion(keeps, *bare, fw::Point{0, 0}, fw::Point{1, 1}, fw::Point{0, 0},
                     Item::CopyResizesDestination);
    EXPECT_EQ(keeps.DataClass(), &MarkerClass());
    EXPECT_EQ(keeps.Width(), 2);
    ASSERT_NE(At(keeps, 1, 1), nullptr);
}

TEST(BlockDesignItem, CopyRegionFarOutsideOrOntoItselfStaysInBounds)
{
    auto design = Painted(3, 3);
    const fw::Bitmap original = design->Bitmap();
    const auto grid = ObjectGrid(*design);
    for (const fw::Point point : {fw::Point{INT_MAX, INT_MIN}, fw::Point{INT_MIN, INT_MAX}, fw::Point{3, 1},
                                  fw::Point{-3, 1}, fw::Point{0, -1}, fw::Point{0, 5}}) {
        auto clip = Painted(3, 3, 0x400000);
        Item::CopyRegion(*design, *clip, fw::Point{0, 0}, fw::Point{2, 2}, point, 0);
        EXPECT_TRUE(design->Bitmap().SamePixels(original)) << point.X << "," << point.Y;
    }
    EXPECT_EQ(ObjectGrid(*design), grid);

    // Within one item the copy reads the cells as they were before it began.
    Item::CopyRegion(*design, *design, fw::Point{0, 0}, fw::Point{1, 2}, fw::Point{1, 2}, 0);
    for (int x = 1; x < 3; ++x) {
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x100000, x - 1, y));
            EXPECT_EQ(At(*design, x, y)->Value, ColourOf(0x100000, x - 1, y));
        }
    }
}

TEST(BlockDesignItem, ShiftWithoutBackdropMovesObjectsAndFillsTheStrip)
{
    auto design = Painted(4, 3);
    const auto grid = ObjectGrid(*design);
    const std::uint32_t red = 0x0000FF;

    design->Shift(0, 0, nullptr, red, 0, 1, 2, 3);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(CellPixel(*design, 0, y), red);
        EXPECT_EQ(At(*design, 0, y)->Value, 0U);
        for (int x = 1; x < 4; ++x) {
            EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x100000, x - 1, y));
            EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x - 1, y));
        }
    }
}

TEST(BlockDesignItem, ShiftFurtherThanOneCellLandsOutsideTheRegion)
{
    auto design = Painted(5, 4);
    const auto grid = ObjectGrid(*design);
    const std::uint32_t red = 0x0000FF;

    // Columns 0..1 of rows 2..3 go two right and one down: onto columns 2..3, rows 1..2.
    design->Shift(1, 3, nullptr, red, -1, 2, 2, 0);
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 4; ++y) {
            if (x <= 1 && y >= 2) {
                EXPECT_EQ(CellPixel(*design, x, y), red) << x << "," << y;
                EXPECT_EQ(At(*design, x, y)->Value, 0U) << x << "," << y;
            } else if (x >= 2 && x <= 3 && y >= 1 && y <= 2) {
                EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x100000, x - 2, y + 1)) << x << "," << y;
                EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x - 2, y + 1));
            } else {
                EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x100000, x, y)) << x << "," << y;
                EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x, y));
            }
        }
    }

    // However far: everything leaves, the whole design is vacated.
    design->Shift(0, 0, nullptr, fw::Bitmap::Black, INT_MIN, INT_MAX, 3, 4);
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(CellPixel(*design, x, y), fw::Bitmap::Black);
            EXPECT_EQ(At(*design, x, y)->Value, 0U);
        }
    }
}

TEST(BlockDesignItem, ShiftOverABackdropUncoversItsCellsAndData)
{
    auto design = Painted(4, 3, 0x100000);
    auto backdrop = Painted(4, 3, 0x200000);
    const auto grid = ObjectGrid(*design);

    // Columns 1..2 move up one row.
    design->Shift(1, 0, backdrop.get(), 0x0000FF, 1, 0, 2, 2);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 3; ++y) {
            const bool region = x >= 1 && x <= 2;
            if (region && y == 0) {
                EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x200000, x, y));
                EXPECT_EQ(At(*design, x, y)->Value, ColourOf(0x200000, x, y));
                EXPECT_NE(design->GetCellData(x, y), backdrop->GetCellData(x, y));
            } else if (region) {
                EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x100000, x, y - 1));
                EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x, y - 1));
            } else {
                // The design took the backdrop's pixels; the data outside the region stays.
                EXPECT_EQ(CellPixel(*design, x, y), ColourOf(0x200000, x, y));
                EXPECT_EQ(design->GetCellData(x, y), Cell(grid, x, y));
            }
        }
    }
}

TEST(BlockDesignItem, ShiftWithoutDataOrOutsideTheDesign)
{
    auto design = Painted(3, 2, 0x100000, nullptr);
    const fw::Bitmap original = design->Bitmap();
    design->Shift(5, 5, nullptr, 0x0000FF, 1, 1, 9, 9);
    EXPECT_TRUE(design->Bitmap().SamePixels(original));
    design->Shift(0, 0, nullptr, 0x0000FF, 0, -1, 1, 2);
    EXPECT_EQ(CellPixel(*design, 0, 0), ColourOf(0x100000, 1, 0));
    EXPECT_EQ(CellPixel(*design, 2, 1), 0x0000FFU);
    EXPECT_FALSE(design->HasData());
}

// Fresh rows and cells fill their lists to the last slot: a look one past the end would
// read beyond what the lists hold, not a slot left empty by an earlier shrink.
TEST(Design, NothingIsFoundOnePastTheLastRowOrCell)
{
    for (const int size : {1, 3, 8}) {
        TTWDesign design;
        design.SetSize(size, size);
        EXPECT_EQ(design.GetPick(size), nullptr);
        ASSERT_NE(design.GetPick(size - 1), nullptr);
        TTWDesignPick pick;
        pick.SetCount(size);
        EXPECT_EQ(pick.GetCell(size), nullptr);
        EXPECT_NE(pick.GetCell(size - 1), nullptr);
        EXPECT_EQ(design.GetPick(size - 1)->GetCell(size), nullptr);
    }
}

TEST(Design, SetSizeKeepsRowsAndCells)
{
    TTWDesign design;
    design.SetSize(-3, 5);
    EXPECT_EQ(design.Count(), 5);
    EXPECT_EQ(design.Picks(), 5);
    EXPECT_EQ(design.Cells(), 0);
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(design.GetPick(i), nullptr);
        EXPECT_EQ(design.GetPick(i)->Count(), 0);
    }

    design.SetSize(4, 8);
    TTWDesignPick* first = design.GetPick(0);
    TTWDesignCell* cell = first->GetCell(2);
    ASSERT_NE(cell, nullptr);
    design.SetSize(3, 2);
    EXPECT_EQ(design.Count(), 2);
    EXPECT_EQ(design.Picks(), 2);
    EXPECT_EQ(design.Cells(), 3);
    EXPECT_EQ(design.GetPick(0), first);
    EXPECT_EQ(first->GetCell(2), cell);
    EXPECT_EQ(design.GetPick(1)->Count(), 3);
    EXPECT_EQ(design.GetPick(2), nullptr);
    EXPECT_EQ(design.GetPick(-1), nullptr);
    EXPECT_EQ(first->GetCell(3), nullptr);
    EXPECT_EQ(first->GetCell(-1), nullptr);

    first->SetCount(-1);
    EXPECT_EQ(first->Count(), 0);
    first->SetCount(2);
    EXPECT_EQ(first->Count(), 2);
    EXPECT_NE(first->GetCell(0), first->GetCell(1));
}
