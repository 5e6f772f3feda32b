// The memo's layout: measuring text, breaking lines into rows, the view over the rows
// and its scroll bars.

#include <algorithm>
#include <cstdlib>

#include "framework/core/paint_backend.h"
#include "framework/gui/std_memo.h"

namespace fw {

namespace {

// Space between the frame and the text; a frameless memo keeps only a pixel at the sides.
constexpr int FramedPadX = 2;
constexpr int FramedPadY = 1;
constexpr int BarePadX = 1;
constexpr int BarePadY = 0;

constexpr int SpacesPerTab = 8;

bool IsBlank(char32_t c)
{
    return ClassOf(c) == CharClass::Blank;
}

bool IsBreak(char32_t c)
{
    return ClassOf(c) == CharClass::Break;
}

} // namespace

// --- Measuring ----------------------------------------------------------------------------------------

int Memo::MeasureText(std::string_view text) const
{
    PaintBackend* backend = EffectivePaintBackend();
    return backend == nullptr || text.empty() ? 0 : backend->TextExtent(Font(), text).Width;
}

int Memo::LineHeight() const
{
    PaintBackend* backend = EffectivePaintBackend();
    return backend == nullptr ? 0 : backend->TextExtent(Font(), "X").Height;
}

int Memo::XOffset(int rowStart, int position) const
{
    const int tabWidth = SpacesPerTab * MeasureText(" ");
    int x = 0;
    int segmentStart = rowStart;
    for (int i = rowStart; i < position; ++i) {
        if (chars_[static_cast<std::size_t>(i)] == U'\t') {
            x += MeasureText(EncodeCharacters(chars_, segmentStart, i));
            if (tabWidth > 0) {
                x = (x / tabWidth + 1) * tabWidth;
            }
            segmentStart = i + 1;
        }
    }
    return x + MeasureText(EncodeCharacters(chars_, segmentStart, position));
}

Rect Memo::InsideFrame() const
{
    const int frame = FrameWidth();
    return Rect{frame, frame, std::max(frame, Width() - frame), std::max(frame, Height() - frame)};
}

Rect Memo::TextArea() const
{
    Rect area = InsideFrame();
    if (scrollBars_ == ScrollStyle::Vertical || scrollBars_ == ScrollStyle::Both) {
        area.Right -= PlainScrollBar::Thickness;
    }
    if (scrollBars_ == ScrollStyle::Horizontal || scrollBars_ == ScrollStyle::Both) {
        area.Bottom -= PlainScrollBar::Thickness;
    }
    const bool framed = BorderStyle() == EditBorderStyle::Single;
    const int padX = framed ? FramedPadX : BarePadX;
    const int padY = framed ? FramedPadY : BarePadY;
    area.Left += padX;
    area.Top += padY;
    area.Right = std::max(area.Left, area.Right - padX);
    area.Bottom = std::max(area.Top, area.Bottom - padY);
    return area;
}

void Memo::EnsureLayout() const
{
    const PaintBackend* backend = EffectivePaintBackend();
    const int width = TextArea().Width();
    if (layoutValid_ && backend == layoutBackend_ && width == layoutWidth_ && Font() == layoutFont_) {
        return;
    }
    layoutValid_ = true;
    layoutBackend_ = backend;
    layoutWidth_ = width;
    layoutFont_ = Font();

    rows_.clear();
    const int size = TextLength();
    const int wrapWidth = wordWrap_ && backend != nullptr ? std::max(1, width) : 0;
    int start = 0;
    while (true) {
        int end = start;
        while (end < size && !IsBreak(chars_[static_cast<std::size_t>(end)])) {
            ++end;
        }
        LayoutLine(start, end, wrapWidth);
        if (end == size) {
            break;
        }
        const bool crLf = chars_[static_cast<std::size_t>(end)] == U'\r' && end + 1 < size
            && chars_[static_cast<std::size_t>(end) + 1] == U'\n';
        start = end + (crLf ? 2 : 1);
        rows_.back().Next = start;
    }

    widestRow_ = 0;
    if (!wordWrap_) {
        for (const Row& row : rows_) {
            widestRow_ = std::max(widestRow_, XOffset(row.Start, row.End));
        }
    }
    UpdateScrollBars();
}

void Memo::LayoutLine(int start, int end, int wrapWidth) const
{
    int rowStart = start;
    while (true) {
        if (wrapWidth <= 0 || XOffset(rowStart, end) <= wrapWidth) {
            rows_.push_back(Row{rowStart, end, end, false});
            return;
        }
        // The most characters that fit (at least one, so that every row makes progress).
        int low = 1;
        int high = end - rowStart;
        while (low < high) {
            const int middle = (low + high + 1) / 2;
            if (XOffset(rowStart, rowStart + middle) <= wrapWidth) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        const int fit = rowStart + low;
        int breakAt = fit;
        if (IsBlank(chars_[static_cast<std::size_t>(fit)])) {
            // The blanks after what fits hang at the end of the row.
            while (breakAt < end && IsBlank(chars_[static_cast<std::size_t>(breakAt)])) {
                ++breakAt;
            }
            if (breakAt == end) {
                rows_.push_back(Row{rowStart, end, end, false});
                return;
            }
        } else {
            // Back to the start of the word cut by the edge, when the row holds more.
            int wordStart = fit;
            while (wordStart > rowStart && !IsBlank(chars_[static_cast<std::size_t>(wordStart) - 1])) {
                --wordStart;
            }
            if (wordStart > rowStart) {
                breakAt = wordStart;
            }
        }
        rows_.push_back(Row{rowStart, breakAt, breakAt, true});
        rowStart = breakAt;
    }
}

void Memo::UpdateScrollBars() const
{
    const Rect inside = InsideFrame();
    const bool vertical = scrollBars_ == ScrollStyle::Vertical || scrollBars_ == ScrollStyle::Both;
    const bool horizontal = scrollBars_ == ScrollStyle::Horizontal || scrollBars_ == ScrollStyle::Both;
    const int thickness = PlainScrollBar::Thickness;
    vBar_.SetBounds(vertical ? Rect{std::max(inside.Left, inside.Right - thickness), inside.Top, inside.Right,
                                    horizontal ? std::max(inside.Top, inside.Bottom - thickness) : inside.Bottom}
                             : Rect{});
    hBar_.SetBounds(horizontal ? Rect{inside.Left, std::max(inside.Top, inside.Bottom - thickness),
                                      vertical ? std::max(inside.Left, inside.Right - thickness) : inside.Right,
                                      inside.Bottom}
                               : Rect{});

    const int rowCount = static_cast<int>(rows_.size());
    const int visible = std::max(1, TextArea().Height() / std::max(1, LineHeight()));
    topRow_ = std::clamp(topRow_, 0, std::max(0, rowCount - visible));
    vBar_.SetRange(rowCount, visible);
    vBar_.SetPosition(topRow_);

    // One column more than the widest row: the caret after its last character.
    const int width = std::max(1, TextArea().Width());
    if (wordWrap_) {
        scrollX_ = 0;
        hBar_.SetRange(0, 0);
    } else {
        scrollX_ = std::clamp(scrollX_, 0, std::max(0, widestRow_ + 1 - width));
        hBar_.SetRange(widestRow_ + 1, width);
    }
    hBar_.SetPosition(scrollX_);
}

int Memo::RowCount() const
{
    EnsureLayout();
    return static_cast<int>(rows_.size());
}

int Memo::VisibleRowCount() const
{
    return std::max(1, TextArea().Height() / std::max(1, LineHeight()));
}

const Memo::Row& Memo::RowAt(int row) const
{
    EnsureLayout();
    return rows_[static_cast<std::size_t>(std::clamp(row, 0, static_cast<int>(rows_.size()) - 1))];
}

int Memo::RowStart(int row) const
{
    return RowAt(row).Start;
}

void Memo::SetTopRow(int row)
{
    EnsureLayout();
    topRow_ = row;
    UpdateScrollBars();
    Invalidate();
}

const PlainScrollBar& Memo::VerticalBar() const
{
    EnsureLayout();
    return vBar_;
}

const PlainScrollBar& Memo::HorizontalBar() const
{
    EnsureLayout();
    return hBar_;
}

int Memo::RowOfPosition(int position) const
{
    EnsureLayout();
    const auto after = std::upper_bound(rows_.begin(), rows_.end(), position,
                                        [](int value, const Row& row) { return value < row.Start; });
    return std::max(0, static_cast<int>(after - rows_.begin()) - 1);
}

int Memo::CaretRow() const
{
    const int row = RowOfPosition(caret_);
    if (caretAtRowEnd_ && row > 0) {
        const Row& above = rows_[static_cast<std::size_t>(row) - 1];
        if (above.Wrapped && above.End == caret_) {
            return row - 1;
        }
    }
    return row;
}

Point Memo::PointOfPosition(int position) const
{
    const int at = NormalisedPosition(position, false);
    const int rowIndex = RowOfPosition(at);
    const Row& row = RowAt(rowIndex);
    const Rect area = TextArea();
    return Point{area.Left - scrollX_ + XOffset(row.Start, at), area.Top + (rowIndex - topRow_) * LineHeight()};
}

int Memo::PositionInRow(const Row& row, int x, bool& atRowEnd) const
{
    int best = row.Start;
    int bestDistance = std::abs(x);
    for (int position = row.Start + 1; position <= row.End; ++position) {
        const int distance = std::abs(XOffset(row.Start, position) - x);
        if (distance < bestDistance) {
            best = position;
            bestDistance = distance;
        }
    }
    atRowEnd = row.Wrapped && best == row.End;
    return best;
}

int Memo::PositionAtPoint(Point point, bool& atRowEnd) const
{
    EnsureLayout();
    const Rect area = TextArea();
    const int lineHeight = std::max(1, LineHeight());
    // Rows above the area count from the top row upwards (dragging out of it scrolls).
    const int offset = point.Y - area.Top;
    const int rowsDown = offset >= 0 ? offset / lineHeight : -((-offset + lineHeight - 1) / lineHeight);
    const int row = std::clamp(topRow_ + rowsDown, 0, static_cast<int>(rows_.size()) - 1);
    return PositionInRow(rows_[static_cast<std::size_t>(row)], point.X - area.Left + scrollX_, atRowEnd);
}

int Memo::PositionAt(Point point) const
{
    bool atRowEnd = false;
    return PositionAtPoint(point, atRowEnd);
}

// --- Scrolling ---------------------------------------------------------------------------------------

void Memo::ScrollCaretIntoView()
{
    EnsureLayout();
    const int row = CaretRow();
    const int visible = VisibleRowCount();
    if (row < topRow_) {
        topRow_ = row;
    } else if (row >= topRow_ + visible) {
        topRow_ = row - visible + 1;
    }
    if (!wordWrap_) {
        // The caret is one pixel wide and stands left of the character after it, so the
        // last column it may use is the area's width less one.
        const int width = std::max(1, TextArea().Width());
        const int caretX = XOffset(rows_[static_cast<std::size_t>(row)].Start, caret_);
        if (caretX < scrollX_) {
            scrollX_ = caretX;
        } else if (caretX > scrollX_ + width - 1) {
            scrollX_ = caretX - width + 1;
        }
    }
    UpdateScrollBars();
}

void Memo::ScrollRows(int rows)
{
    EnsureLayout();
    const int before = topRow_;
    topRow_ += rows;
    UpdateScrollBars();
    if (topRow_ != before) {
        Invalidate();
    }
}

void Memo::SetBarPosition(PlainScrollBar& bar, int position)
{
    bar.SetPosition(position);
    if (bar.Kind() == ScrollBarKind::Vertical) {
        topRow_ = bar.Position();
    } else {
        scrollX_ = bar.Position();
    }
    UpdateScrollBars();
    Invalidate();
}

void Memo::ScrollBarPressed(PlainScrollBar& bar, Point point)
{
    const bool vertical = bar.Kind() == ScrollBarKind::Vertical;
    const int step = vertical ? 1 : std::max(1, MeasureText("X"));
    const int page = vertical ? VisibleRowCount() : std::max(1, TextArea().Width());
    switch (bar.PartAt(point)) {
    case ScrollBarPart::LineBack: SetBarPosition(bar, bar.Position() - step); break;
    case ScrollBarPart::LineForward: SetBarPosition(bar, bar.Position() + step); break;
    case ScrollBarPart::PageBack: SetBarPosition(bar, bar.Position() - page); break;
    case ScrollBarPart::PageForward: SetBarPosition(bar, bar.Position() + page); break;
    case ScrollBarPart::Thumb:
        bar.BeginThumbDrag(point);
        draggingBar_ = &bar;
        break;
    case ScrollBarPart::None: break;
    }
}

} // namespace fw
