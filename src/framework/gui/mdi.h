#pragma once

#include <vector>

#include "framework/gui/control.h"
#include "framework/gui/form.h"

namespace fw {

// The client area of an MDI parent: the window its MDI children live in, aligned to fill
// what the parent's other aligned controls leave, painted in the application workspace
// colour. The parent form makes it (FormStyle MDIForm) and it frees itself with the form.
//
// Its child list is the children's stacking order (the last is on top). It keeps which
// child is active and places them by their window state: a maximised child fills the whole
// client area, a minimised one is a caption bar MinimizedMdiWidth wide in a slot along the
// bottom (slots fill from the left, then in rows upwards), and both follow the client area
// when it changes size.
class MdiClient : public WinControl {
public:
    explicit MdiClient(Form& form);
    ~MdiClient() override;

    std::string_view className() const override { return "TMDIClient"; }

    Form& ParentForm() const { return form_; }

    // The MDI children, hidden ones included, the topmost first.
    std::vector<Form*> Children() const;
    // Shown ones only, the topmost first.
    std::vector<Form*> ShownChildren() const;
    Form* ActiveChild() const { return active_.Get(); }

    // Brings a shown child to the front and makes it the active one: when another child was
    // active, OnDeactivate runs on that one, then OnActivate on this one (a maximised
    // active child hands its maximised state over, unless the new one is minimised). With
    // moveFocus the keyboard goes to the child's ActiveControl (or the child) when it can.
    // A hidden child is only moved to the front.
    void Activate(Form& child, bool moveFocus);

    // Horizontal: up to three children stacked in rows of equal height, Vertical: up to three
    // side by side in columns of equal width; more make a grid (for n children, floor(sqrt n)
    // columns of rows for Vertical, rows of columns for Horizontal, the later ones taking one
    // more each when n does not divide). Children go in stacking order, the topmost first,
    // column by column (Vertical) or row by row (Horizontal). A maximised child is restored
    // first. The area is the client area above the rows of minimised children.
    void Tile(TileMode mode);
    // The children, bottom first, each CascadeStep further right and down, all of one size:
    // the area less (n - 1) steps in each direction, but at least half of it; a child that
    // would stick out starts again at the top-left corner.
    void Cascade();
    // The minimised children take the slots from 0 on without gaps, in their slots' order.
    void ArrangeIcons();

    // The offset between cascaded windows: one caption bar with its frame.
    static constexpr int CascadeStep = MdiCaptionHeight + MdiFrameWidth;
    // Where minimised slot `slot` lies, and the area left above the minimised children.
    Rect IconSlotBounds(int slot) const;
    Rect ArrangeArea() const;

protected:
    // Aligned controls as usual, then the maximised and minimised children.
    void AlignControls(Rect& rect) override;

private:
    friend class Form;

    // What the form tells its client area.
    void ChildShown(Form& child);
    void ChildHidden(Form& child);
    void ChildGoing(Form& child);
    void ChangeWindowState(Form& child, WindowState state);
    // Where a child shown with a default or centred Position goes.
    void PlaceNewChild(Form& child, FormPosition position);

    // The state and its bounds, without any change of the active child.
    void ApplyWindowState(Form& child, WindowState state);
    // Makes the topmost shown child other than `leaving` active (skipping minimised ones
    // when asked); none left: no child is active.
    void ActivateNext(const Form* leaving, bool skipMinimized, bool moveFocus);
    void SetActive(Form* child, bool moveFocus);
    int FreeIconSlot() const;
    bool BeingDestroyed() const;

    Form& form_;
    WeakRef<Form> active_;
    bool closing_ = false;
};

} // namespace fw
