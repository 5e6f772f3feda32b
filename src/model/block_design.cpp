#include "model/block_design.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <utility>

#include "model/bitmap_ops.h"

namespace {

// A region of cells, inclusive on all sides, already cut to a design; empty when nothing of
// it lies inside.
struct CellRegion {
    int x1 = 0;
    int y1 = 0;
    int x2 = -1;
    int y2 = -1;

    bool Empty() const { return x2 < x1 || y2 < y1; }
    int Width() const { return Empty() ? 0 : x2 - x1 + 1; }
    int Height() const { return Empty() ? 0 : y2 - y1 + 1; }
    bool Contains(int x, int y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

// Two opposite corners in any order, cut to a design of width x height cells.
CellRegion CutRegion(int xa, int ya, int xb, int yb, int width, int height)
{
    CellRegion region;
    region.x1 = std::max(std::min(xa, xb), 0);
    region.x2 = std::min(std::max(xa, xb), width - 1);
    region.y1 = std::max(std::min(ya, yb), 0);
    region.y2 = std::min(std::max(ya, yb), height - 1);
    if (region.Empty()) {
        return CellRegion{};
    }
    return region;
}

std::size_t Index(int value)
{
    return static_cast<std::size_t>(value);
}

} // namespace

void TTWBlockDesignAssociatedData::Assign(const fw::Persistent* source)
{
    // The base class has nothing to copy, so any cell data will do as a source.
    if (dynamic_cast<const TTWBlockDesignAssociatedData*>(source) != nullptr) {
        return;
    }
    fw::Persistent::Assign(source);
}

const TTWBlockDesignAssociatedData& TTWBlockDesignAssociatedData::Class()
{
    static const TTWBlockDesignAssociatedData instance;
    return instance;
}

TTWBlockDesignItem::TTWBlockDesignItem(const fw::Bitmap* source, TTWBlockDataClass dataClass)
    : dataClass_(dataClass), hasData_(dataClass != nullptr)
{
    if (source != nullptr) {
        bitmap_.Assign(*source);
    }
}

TTWBlockDesignItem::~TTWBlockDesignItem() = default;

std::unique_ptr<TTWBlockDesignItem> TTWBlockDesignItem::NewLike() const
{
    std::unique_ptr<fw::Object> made(NewInstance());
    auto* item = dynamic_cast<TTWBlockDesignItem*>(made.get());
    if (item == nullptr) {
        fw::RaiseCannotCreate(className());
    }
    made.release();
    std::unique_ptr<TTWBlockDesignItem> result(item);
    result->SetDataClass(dataClass_);
    return result;
}

std::unique_ptr<TTWBlockDesignAssociatedData> TTWBlockDesignItem::NewData() const
{
    std::unique_ptr<fw::Object> made(dataClass_->NewInstance());
    auto* data = dynamic_cast<TTWBlockDesignAssociatedData*>(made.get());
    if (data == nullptr) {
        fw::RaiseCannotCreate(dataClass_->className());
    }
    made.release();
    return std::unique_ptr<TTWBlockDesignAssociatedData>(data);
}

void TTWBlockDesignItem::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TTWBlockDesignItem*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    bitmap_.Assign(other->bitmap_);
    if (other->dataClass_ != dataClass_) {
        // Objects of the old class cannot take the new class's values.
        data_.clear();
    }
    dataClass_ = other->dataClass_;
    hasData_ = dataClass_ != nullptr;
    SetSize(bitmap_.Width(), bitmap_.Height());
    if (!hasData_) {
        return;
    }
    for (int x = 0; x < width_; ++x) {
        for (int y = 0; y < height_; ++y) {
            auto& entry = data_[Index(x)][Index(y)];
            const TTWBlockDesignAssociatedData* from = nullptr;
            if (Index(x) < other->data_.size() && Index(y) < other->data_[Index(x)].size()) {
                from = other->data_[Index(x)][Index(y)].get();
            }
            if (from != nullptr) {
                if (entry == nullptr) {
                    entry = NewData();
                }
                entry->Assign(from);
            } else {
                // The source never made this cell's object: it holds the data of a new one.
                entry = NewData();
            }
        }
    }
}

void TTWBlockDesignItem::SetDataClass(TTWBlockDataClass dataClass)
{
    if (dataClass == dataClass_ && hasData_ == (dataClass != nullptr)) {
        return;
    }
    data_.clear();
    dataClass_ = dataClass;
    hasData_ = dataClass_ != nullptr;
    if (hasData_) {
        ResizeData();
    }
}

TTWBlockDesignAssociatedData* TTWBlockDesignItem::GetCellData(int x, int y)
{
    if (!hasData_ || x < 0 || y < 0 || Index(x) >= data_.size()) {
        return nullptr;
    }
    Column& column = data_[Index(x)];
    if (Index(y) >= column.size()) {
        return nullptr;
    }
    auto& entry = column[Index(y)];
    if (entry == nullptr) {
        entry = NewData();
    }
    return entry.get();
}

void TTWBlockDesignItem::ResizeData()
{
    data_.resize(Index(width_));
    const std::size_t rows = Index(height_);
    for (Column& column : data_) {
        // Rows come and go at y = 0, where the bitmap gains and loses its bottom lines, so
        // every kept object stays with its pixel.
        if (column.size() > rows) {
            column.erase(column.begin(), column.begin() + static_cast<std::ptrdiff_t>(column.size() - rows));
        } else if (column.size() < rows) {
            Column added(rows - column.size());
            for (auto& entry : added) {
                entry = NewData();
            }
            column.insert(column.begin(), std::make_move_iterator(added.begin()),
                          std::make_move_iterator(added.end()));
        }
    }
}

void TTWBlockDesignItem::SetSize(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    bitmap_.SetSize(width_, height_);
    hasData_ = dataClass_ != nullptr;
    if (hasData_) {
        ResizeData();
    } else {
        data_.clear();
    }
}

void TTWBlockDesignItem::CopyRegion(TTWBlockDesignItem& target, TTWBlockDesignItem& source, fw::Point from,
                                    fw::Point to, fw::Point destination, int flags, const TTWCellCopyEvent& cellCopy)
{
    if (&target == &source) {
        // Copying within one item: read from a still picture of it.
        std::unique_ptr<TTWBlockDesignItem> still = source.NewLike();
        still->Assign(&source);
        CopyRegion(target, *still, from, to, destination, flags, cellCopy);
        return;
    }
    const CellRegion region = CutRegion(from.X, from.Y, to.X, to.Y, source.width_, source.height_);
    if ((flags & CopyTakesDataClass) != 0) {
        target.SetDataClass(source.dataClass_);
    }
    if ((flags & CopyResizesDestination) != 0) {
        target.SetSize(region.Width(), region.Height());
        destination = fw::Point{0, region.Height() - 1};
    }
    if (region.Empty()) {
        return;
    }
    // The region's place in the destination's cells, worked out wide so that far-off points
    // cannot overflow; only the part inside the destination is written.
    const long long offsetX = static_cast<long long>(destination.X) - region.x1;
    const long long offsetY = static_cast<long long>(destination.Y) - region.y2;
    const long long firstX = std::max<long long>(region.x1 + offsetX, 0);
    const long long lastX = std::min<long long>(region.x2 + offsetX, target.width_ - 1);
    const long long firstY = std::max<long long>(region.y1 + offsetY, 0);
    const long long lastY = std::min<long long>(region.y2 + offsetY, target.height_ - 1);
    if (firstX > lastX || firstY > lastY) {
        return;
    }
    // Pixel rows count from the top: the region's top row y2 is source line Height - 1 - y2.
    const fw::Rect sourceRect{region.x1, source.height_ - 1 - region.y2, region.x2 + 1, source.height_ - region.y1};
    target.bitmap_.CopyRect(static_cast<int>(offsetX + region.x1),
                            static_cast<int>(target.height_ - 1 - (offsetY + region.y2)), source.bitmap_, sourceRect);
    if (!target.hasData_) {
        return;
    }
    for (auto x = static_cast<int>(firstX); x <= static_cast<int>(lastX); ++x) {
        for (auto y = static_cast<int>(firstY); y <= static_cast<int>(lastY); ++y) {
            TTWBlockDesignAssociatedData* into = target.GetCellData(x, y);
            TTWBlockDesignAssociatedData* out =
                source.GetCellData(static_cast<int>(x - offsetX), static_cast<int>(y - offsetY));
            if (out != nullptr) {
                into->Assign(out);
            } else if (cellCopy) {
                cellCopy(into, x, nullptr, y);
            } else {
                target.data_[Index(x)][Index(y)] = target.NewData();
            }
        }
    }
}

void TTWBlockDesignItem::Mirror(int x1, int y1, bool columns, int y2, int x2)
{
    const CellRegion region = CutRegion(x1, y1, x2, y2, width_, height_);
    if (region.Empty()) {
        return;
    }
    const int top = height_ - 1 - region.y2;
    const int bottom = height_ - 1 - region.y1;
    if (columns) {
        MirrorBitmapHorizontal(bitmap_, region.x1, top, region.x2, bottom);
    } else {
        MirrorBitmapVertical(bitmap_, region.x1, top, region.x2, bottom);
    }
    if (!hasData_) {
        return;
    }
    if (columns) {
        for (int y = region.y1; y <= region.y2; ++y) {
            for (int left = region.x1, right = region.x2; left < right; ++left, --right) {
                std::swap(data_[Index(left)][Index(y)], data_[Index(right)][Index(y)]);
            }
        }
    } else {
        for (int x = region.x1; x <= region.x2; ++x) {
            Column& column = data_[Index(x)];
            for (int low = region.y1, high = region.y2; low < high; ++low, --high) {
                std::swap(column[Index(low)], column[Index(high)]);
            }
        }
    }
}

void TTWBlockDesignItem::Shift(int x1, int y1, const TTWBlockDesignItem* source, fw::Color fillColour, int dy,
                               int dx, int y2, int x2)
{
    const CellRegion region = CutRegion(x1, y1, x2, y2, width_, height_);
    if (region.Empty()) {
        return;
    }
    // A move by the design's size or more takes everything off it; further makes no
    // difference, and the clamp keeps the arithmetic below in range.
    dx = std::clamp(dx, -width_, width_);
    dy = std::clamp(dy, -height_, height_);
    const int top = height_ - 1 - region.y2;
    const int bottom = height_ - 1 - region.y1;
    if (source != nullptr) {
        ShiftBitmap(bitmap_, region.x1, top, region.x2, bottom, dx, -dy, &source->bitmap_);
    } else {
        // The design itself, with the region painted over, is the backdrop: the vacated
        // cells show the fill colour and everything outside the region stays as it was.
        fw::Bitmap backdrop(bitmap_);
        backdrop.FillRect(fw::Rect{region.x1, top, region.x2 + 1, bottom + 1}, fillColour);
        ShiftBitmap(bitmap_, region.x1, top, region.x2, bottom, dx, -dy, &backdrop);
    }
    if (!hasData_) {
        return;
    }
    // Lift every object of the region first, then set them down at their new cells, so that
    // none is overwritten before it has moved. Objects that land off the design are freed
    // with `lifted`; the objects they land on are freed by the assignment.
    const auto regionWidth = Index(region.Width());
    std::vector<std::unique_ptr<TTWBlockDesignAssociatedData>> lifted(regionWidth * Index(region.Height()));
    for (int x = region.x1; x <= region.x2; ++x) {
        for (int y = region.y1; y <= region.y2; ++y) {
            lifted[Index(y - region.y1) * regionWidth + Index(x - region.x1)] = std::move(data_[Index(x)][Index(y)]);
        }
    }
    for (int x = region.x1; x <= region.x2; ++x) {
        for (int y = region.y1; y <= region.y2; ++y) {
            const int toX = x + dx;
            const int toY = y + dy;
            if (toX >= 0 && toX < width_ && toY >= 0 && toY < height_) {
                data_[Index(toX)][Index(toY)] =
                    std::move(lifted[Index(y - region.y1) * regionWidth + Index(x - region.x1)]);
            }
        }
    }
    const bool backdropData = source != nullptr && source != this && source->hasData_;
    for (int x = region.x1; x <= region.x2; ++x) {
        for (int y = region.y1; y <= region.y2; ++y) {
            if (region.Contains(x - dx, y - dy)) {
                continue; // a moved cell landed here
            }
            auto& entry = data_[Index(x)][Index(y)];
            entry = NewData();
            if (backdropData && Index(x) < source->data_.size() && Index(y) < source->data_[Index(x)].size()) {
                if (const TTWBlockDesignAssociatedData* from = source->data_[Index(x)][Index(y)].get()) {
                    entry->Assign(from);
                }
            }
        }
    }
}

void TTWBlockDesignItem::TurnData(const std::function<std::pair<int, int>(int c, int r)>& from)
{
    if (!hasData_) {
        return;
    }
    // The turned design is Height columns by Width rows; each new cell takes the object of
    // the old cell its pixel came from.
    std::vector<Column> turned(Index(height_));
    for (int c = 0; c < height_; ++c) {
        Column& column = turned[Index(c)];
        column.resize(Index(width_));
        for (int r = 0; r < width_; ++r) {
            const auto [x, y] = from(c, r);
            column[Index(r)] = std::move(data_[Index(x)][Index(y)]);
        }
    }
    data_ = std::move(turned);
}

void TTWBlockDesignItem::RotateLeft()
{
    RotateBitmapLeft(bitmap_, nullptr);
    // The pixel of cell (x, y) goes to cell (Height - 1 - y, x).
    TurnData([this](int c, int r) { return std::pair{r, height_ - 1 - c}; });
    std::swap(width_, height_);
}

void TTWBlockDesignItem::RotateRight()
{
    RotateBitmapRight(bitmap_, nullptr);
    // The pixel of cell (x, y) goes to cell (y, Width - 1 - x).
    TurnData([this](int c, int r) { return std::pair{width_ - 1 - r, c}; });
    std::swap(width_, height_);
}
