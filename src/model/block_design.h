#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/object.h"
#include "framework/core/region.h"
#include "framework/core/system_colours.h"

// The two-state designs of the grid-based pattern kinds (double-face, twill, twist, the font
// characters, the brocade grid): a bitmap with one pixel per cell, and optionally one data
// object per cell that a pattern kind attaches (the brocade weft of a cell).
//
// Cell (x, y) has x counted from 0 at the left and y from 0 at the bottom; it is pixel
// (x, Height - 1 - y) of the bitmap, so the design's top row is the bitmap's first line.

// A cell's data. A kind derives from it; the design makes new objects of the class through
// NewInstance and copies them through Assign, so a derived class overrides both.
class TTWBlockDesignAssociatedData : public fw::Persistent {
public:
    std::string_view className() const override { return "TTWBlockDesignAssociatedData"; }
    fw::Object* NewInstance() const override { return new TTWBlockDesignAssociatedData; }
    void Assign(const fw::Persistent* source) override;

    // One object of the base class, standing for the class where a data class is asked for.
    static const TTWBlockDesignAssociatedData& Class();
};

// The class of the cells' data, given by one object of it (none: the cells carry no data).
using TTWBlockDataClass = const TTWBlockDesignAssociatedData*;

class TTWBlockDesignItem;

// Fills a pasted cell's data when the clip holds none for it: (destination data, x, source
// data (none), y), x and y the destination cell.
using TTWCellCopyEvent =
    std::function<void(TTWBlockDesignAssociatedData* destination, int x, TTWBlockDesignAssociatedData* source, int y)>;

// A design: its size, its cells as a bitmap and the cells' data. The item owns all three.
class TTWBlockDesignItem : public fw::Persistent {
public:
    // Flags of CopyRegion.
    // The destination first takes the region's size; the region lands at its top-left.
    static constexpr int CopyResizesDestination = 1;
    // The destination takes the source's data class (and drops its data without one).
    static constexpr int CopyTakesDataClass = 2;

    // The bitmap takes a copy of the source (none: an empty bitmap); Width and Height stay 0
    // until SetSize or Assign. The data exists only with a data class.
    explicit TTWBlockDesignItem(const fw::Bitmap* source = nullptr, TTWBlockDataClass dataClass = nullptr);
    ~TTWBlockDesignItem() override;
    TTWBlockDesignItem(const TTWBlockDesignItem&) = delete;
    TTWBlockDesignItem& operator=(const TTWBlockDesignItem&) = delete;

    std::string_view className() const override { return "TTWBlockDesignItem"; }
    fw::Object* NewInstance() const override { return new TTWBlockDesignItem; }
    // A new, empty item of this item's own class with the same data class.
    std::unique_ptr<TTWBlockDesignItem> NewLike() const;

    // From another item: its bitmap, its data class, its size, and a copy of every cell's
    // data. Anything else is refused ("Cannot assign ...").
    void Assign(const fw::Persistent* source) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    fw::Bitmap& Bitmap() { return bitmap_; }
    const fw::Bitmap& Bitmap() const { return bitmap_; }
    TTWBlockDataClass DataClass() const { return dataClass_; }
    // Setting a data class creates the data at the present size; none frees it.
    void SetDataClass(TTWBlockDataClass dataClass);
    bool HasData() const { return hasData_; }

    // The cell's data: none outside the design or without data. A cell whose entry is empty
    // gets a new object of the data class, so a second call answers the same object.
    TTWBlockDesignAssociatedData* GetCellData(int x, int y);

    // Sets the size of the design and of its bitmap (which keeps its top-left pixels; new
    // pixels are white), so columns come and go at the right and rows at the bottom. With a
    // data class the data follows its cells: columns are added or dropped at the end of the
    // list and rows at y = 0 (the start of each column), new entries holding new objects;
    // without one the data is freed.
    virtual void SetSize(int width, int height);

    // Copies the source's cells from `from` to `to` (cell coordinates, any two opposite
    // corners) into the destination, so that the region's top-left cell lands on
    // `destination` (x, top row y); with CopyResizesDestination the destination first takes
    // the region's size and the point is (0, height - 1). The region is first cut to the
    // source. The bitmap part is one rectangle copy, clipped to the destination. When the
    // destination has data, every cell of the region that lies inside it gets its data:
    // assigned from the source's object when there is one, else filled by the callback, or
    // without a callback replaced by a new object of the destination's data class.
    static void CopyRegion(TTWBlockDesignItem& target, TTWBlockDesignItem& source, fw::Point from, fw::Point to,
                           fw::Point destination, int flags, const TTWCellCopyEvent& cellCopy = {});

    // Reverses the order of the columns (columns) or of the rows inside the region
    // (x1..x2, y1..y2, cell coordinates, inclusive, in any order): pixels and data objects
    // are exchanged pairwise, the middle of an odd count staying in place.
    virtual void Mirror(int x1, int y1, bool columns, int y2, int x2);
    void MirrorColumns(int x1, int y1, int y2, int x2) { Mirror(x1, y1, true, y2, x2); }
    void MirrorRows(int x1, int y1, int y2, int x2) { Mirror(x1, y1, false, y2, x2); }

    // Moves the region's cells by dx, dy cells (cell coordinates: +1 right, +1 up; the frame
    // moves by one). Cells moved off the design are dropped.
    // With a source (the backdrop) the design first takes the source's pixels and the strip
    // the region leaves shows the source's cells and data; without one the strip becomes
    // fillColour. The data objects move with their cells: an object in a destination cell
    // is freed and a vacated cell gets a new object.
    virtual void Shift(int x1, int y1, const TTWBlockDesignItem* source, fw::Color fillColour, int dy, int dx, int y2,
                       int x2);

    // Quarter turns, anticlockwise and clockwise, of the bitmap and the data (the objects
    // move, they are not copied); Width and Height are exchanged.
    virtual void RotateLeft();
    virtual void RotateRight();

private:
    using Column = std::vector<std::unique_ptr<TTWBlockDesignAssociatedData>>;

    std::unique_ptr<TTWBlockDesignAssociatedData> NewData() const;
    void ResizeData();
    // The data turned with the bitmap: new cell (c, r) takes the object of cell from(c, r).
    void TurnData(const std::function<std::pair<int, int>(int c, int r)>& from);

    int width_ = 0;
    int height_ = 0;
    fw::Bitmap bitmap_;
    TTWBlockDataClass dataClass_ = nullptr;
    bool hasData_ = false;
    // data_[x][y], y counted from the bottom.
    std::vector<Column> data_;
};
