#include "framework/gui/std_control_bar.h"

#include <algorithm>
#include <map>

#include "framework/gui/dock.h"

namespace fw {

namespace {

// Division rounding towards minus infinity: points above the first row lie in row -1.
int FloorDiv(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

bool IsBand(const Control& control)
{
    return control.Visible() && control.Align() == fw::Align::None;
}

} // namespace

ControlBar::ControlBar(Component* owner) : CustomControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::AcceptsControls).Include(ControlStyleFlag::Opaque));
    SetColor(clBtnFace);
    SetDockSite(true);
    SetBounds(0, 0, 100, 50);
}

void ControlBar::SetRowSize(int rowSize)
{
    rowSize = std::max(1, rowSize);
    if (rowSize != rowSize_) {
        // Every band keeps its row.
        rowSize_ = rowSize;
        ArrangeBands();
        Invalidate();
    }
}

void ControlBar::SetAutoSize(bool autoSize)
{
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        ArrangeBands();
    }
}

std::vector<Control*> ControlBar::RowControls(int row) const
{
    std::vector<Control*> controls;
    if (row >= 0 && row < RowCount()) {
        for (const auto& band : rows_[static_cast<std::size_t>(row)]) {
            if (Control* control = band.Get()) {
                controls.push_back(control);
            }
        }
    }
    return controls;
}

int ControlBar::RowOf(const Control* control) const
{
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        for (const auto& band : rows_[row]) {
            if (band.Refers(control)) {
                return static_cast<int>(row);
            }
        }
    }
    return -1;
}

Rect ControlBar::BandRect(const Control* control) const
{
    const int row = RowOf(control);
    if (row < 0) {
        return Rect{};
    }
    const int top = row * rowSize_;
    return Rect{control->Left() - GrabberWidth, top, control->Left() + control->Width() + BandEndWidth, top + rowSize_};
}

// --- Layout -----------------------------------------------------------------------------------------

ControlBar::Band* ControlBar::FindBand(const Control* control)
{
    for (Band& band : bands_) {
        if (band.Item.Refers(control)) {
            return &band;
        }
    }
    return nullptr;
}

void ControlBar::ArrangeBands()
{
    // The bands are placed as if from outside (not as aligned children are), so that the
    // place each band gets is also where its anchors hold it when the bar changes size.
    if (arranging_ || Loading() || ControlState().Contains(ControlStateFlag::Destroying)) {
        return;
    }
    arranging_ = true;
    // Bring the wanted places up to date: new bands, and bands that code moved.
    std::vector<Band> current;
    for (fw::Control* child : ControlList()) {
        if (!IsBand(*child)) {
            continue;
        }
        Band band;
        if (const Band* known = FindBand(child); known != nullptr && known->Placed == child->BoundsRect()) {
            band = *known;
        } else {
            band.Item = WeakRef<fw::Control>(child);
            band.Row = FloorDiv(child->Top() + child->Height() / 2, rowSize_);
            band.Left = child->Left() - GrabberWidth;
        }
        current.push_back(band);
    }
    // Rows in the order they are wanted, each left to right by the wanted spots (the child
    // order where spots are equal).
    std::stable_sort(current.begin(), current.end(), [](const Band& a, const Band& b) {
        return a.Row != b.Row ? a.Row < b.Row : a.Left < b.Left;
    });
    rows_.clear();
    int x = 0;
    for (std::size_t i = 0; i < current.size(); ++i) {
        Band& band = current[i];
        if (i == 0 || band.Row != current[i - 1].Row) {
            rows_.emplace_back();
            x = 0;
        }
        const int row = static_cast<int>(rows_.size()) - 1;
        fw::Control& control = *band.Item.Get();
        const int bandLeft = std::max(band.Left, x);
        const int top = row * rowSize_ + (rowSize_ - control.Height()) / 2;
        control.SetBounds(bandLeft + GrabberWidth, top, control.Width(), control.Height());
        x = bandLeft + GrabberWidth + control.Width() + BandEndWidth;
        band.Placed = control.BoundsRect();
        rows_.back().emplace_back(&control);
    }
    // Rows close up in the wishes too, so a band dragged to a new row keeps it.
    int row = -1;
    int lastWanted = 0;
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (i == 0 || current[i].Row != lastWanted) {
            ++row;
            lastWanted = current[i].Row;
        }
        current[i].Row = row;
    }
    bands_ = std::move(current);
    Invalidate();
    if (autoSize_) {
        const int height = RowCount() * rowSize_;
        if (height != Height()) {
            SetHeight(height);
        }
    }
    arranging_ = false;
}

void ControlBar::Loaded()
{
    CustomControl::Loaded();
    ArrangeBands();
}

void ControlBar::PlaceBand(Control& control, int row, int bandLeft)
{
    ArrangeBands();
    if (Band* band = FindBand(&control)) {
        // Between two rows' numbers: above the first row -1 sorts first, RowCount() last.
        band->Row = row;
        band->Left = bandLeft;
        ArrangeBands();
    }
}

void ControlBar::DockDrop(DragDockObject* source, int x, int y)
{
    // A form docked here is a band at the drop point, not a control filling the bar.
    Control* control = source != nullptr ? source->GetControl() : nullptr;
    if (control != nullptr && control->Parent() == this) {
        control->SetAlign(fw::Align::None);
        PlaceBand(*control, FloorDiv(y, rowSize_), x - GrabberWidth);
    }
    CustomControl::DockDrop(source, x, y);
}

// --- Moving bands -------------------------------------------------------------------------------------

Control* ControlBar::GrabberAt(Point point) const
{
    for (const auto& row : rows_) {
        for (const auto& band : row) {
            if (Control* control = band.Get()) {
                const Rect frame = BandRect(control);
                if (Inside(Rect{frame.Left, frame.Top, frame.Left + GrabberWidth, frame.Bottom}, point)) {
                    return control;
                }
            }
        }
    }
    return nullptr;
}

void ControlBar::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        if (Control* control = GrabberAt(Point{x, y})) {
            const Rect frame = BandRect(control);
            dragged_ = WeakRef<Control>(control);
            grabOffset_ = Point{x - frame.Left, y - frame.Top};
        }
    }
    CustomControl::MouseDown(button, shift, x, y);
}

void ControlBar::MouseMove(ShiftState shift, int x, int y)
{
    Control* control = dragged_.Get();
    if (control != nullptr && !shift.Contains(ShiftFlag::Left)) {
        EndBandDrag();
        control = nullptr;
    }
    if (control != nullptr && control->Parent() == this) {
        // Above the first row or below the last one the band starts a row of its own.
        const int row = std::clamp(FloorDiv(y, rowSize_), -1, RowCount());
        const int left = x - grabOffset_.X;
        const Rect frame = BandRect(control);
        if (row != RowOf(control) || left != frame.Left) {
            PlaceBand(*control, row, left);
        }
    }
    SetCursor(control != nullptr || GrabberAt(Point{x, y}) != nullptr ? crSizeAll : crDefault);
    CustomControl::MouseMove(shift, x, y);
}

void ControlBar::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left) {
        EndBandDrag();
    }
    CustomControl::MouseUp(button, shift, x, y);
}

void ControlBar::EndBandDrag()
{
    dragged_.Reset();
}

void ControlBar::Dispatch(Message& message)
{
    CustomControl::Dispatch(message);
    switch (message.Msg) {
    case CM_CONTROLLISTCHANGE:
    case WM_SIZE: ArrangeBands(); break;
    case WM_CAPTURECHANGED:
        if (message.LParam != 0) {
            EndBandDrag();
        }
        break;
    default: break;
    }
}

// --- Painting ------------------------------------------------------------------------------------------

void ControlBar::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = Brush{Color()};
    canvas.FillRect(ClientRect());
    for (const auto& row : rows_) {
        for (const auto& band : row) {
            const Control* control = band.Get();
            if (control == nullptr) {
                continue;
            }
            const Rect frame = BandRect(control);
            canvas.DrawEdge(frame, BDR_RAISEDINNER, BF_RECT);
            // The grip: two narrow raised ridges.
            const int top = frame.Top + 3;
            const int bottom = frame.Bottom - 3;
            canvas.DrawEdge(Rect{frame.Left + 3, top, frame.Left + 6, bottom}, BDR_RAISEDINNER, BF_RECT);
            canvas.DrawEdge(Rect{frame.Left + 6, top, frame.Left + 9, bottom}, BDR_RAISEDINNER, BF_RECT);
        }
    }
}

} // namespace fw
