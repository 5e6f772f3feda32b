#pragma once

#include <string_view>
#include <vector>

#include "framework/gui/control.h"

namespace fw {

// A tool bar of movable bands, painted by our own code. Each shown child control that is not
// aligned is a band: a raised frame with a grabber at its left and the control to the right
// of the grabber, centred in a row RowSize pixels high. Bands lie in rows from the top.
//
// Each band has a wanted place: a row and a spot in it. A control that joins the bar, or
// that code moves or resizes, wants the place its bounds say (its vertical centre picks the
// row, its left edge less the grabber the spot); a dragged band wants where it was dragged.
// Within a row the bands keep the order of their spots and never overlap: one that would is
// pushed right, and goes back towards its spot when room appears. Rows left empty close up.
// With AutoSize the bar is exactly as high as its rows.
//
// Dragging a band's grabber moves the band along its row and into other rows; above the
// first row or below the last it starts a new row there.
//
// The bar is a dock site: a form dragged over it is asked about in DockOver (OnDockOver may
// refuse it); a form docked into it becomes a band at the drop point.
class ControlBar : public CustomControl {
public:
    explicit ControlBar(Component* owner = nullptr);

    std::string_view className() const override { return "TControlBar"; }

    // The band's parts left of and right of its control, and above and below it at the
    // least.
    static constexpr int GrabberWidth = 11;
    static constexpr int BandEndWidth = 2;

    int RowSize() const { return rowSize_; }
    void SetRowSize(int rowSize);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The band controls of a row, left to right.
    std::vector<Control*> RowControls(int row) const;
    // The row of a band's control; -1 for a control that is no band.
    int RowOf(const Control* control) const;
    // The band of a control: its frame with the grabber, in client coordinates; empty for a
    // control that is no band.
    Rect BandRect(const Control* control) const;
    // Lays the bands out again. The bar does it itself whenever its child list, its size or
    // its rows change; a band's control that was resized, hidden or shown by code calls for
    // it (the control layer tells the bar of neither).
    void ArrangeBands();

    void DockDrop(DragDockObject* source, int x, int y) override;

    void Loaded() override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void Dispatch(Message& message) override;

protected:
    void Paint() override;

private:
    struct Band {
        WeakRef<fw::Control> Item;
        // The wanted row (any number: only the order of rows counts) and band left edge.
        int Row = 0;
        int Left = 0;
        // The control's bounds as the last layout left them: other bounds mean code moved it.
        Rect Placed;
    };

    Band* FindBand(const Control* control);
    // The band control whose grabber lies at the point; none.
    Control* GrabberAt(Point point) const;
    // The band wants the row (-1 or RowCount() start a new row above or below) and the left
    // edge; the bands are laid out again.
    void PlaceBand(Control& control, int row, int bandLeft);
    void EndBandDrag();

    int rowSize_ = 26;
    bool autoSize_ = false;
    std::vector<Band> bands_;
    // The band controls of each row, left to right, as the last layout made them.
    std::vector<std::vector<WeakRef<fw::Control>>> rows_;

    // Set while ArrangeBands runs: the bar's own size change must not start it again.
    bool arranging_ = false;
    WeakRef<fw::Control> dragged_;
    // The pointer less the band's top-left corner when the grabber was taken.
    Point grabOffset_;
};

} // namespace fw
