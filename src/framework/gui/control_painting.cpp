// Invalidation, backing stores and painting of controls, and the picture of a whole
// control tree.

#include <algorithm>
#include <vector>

#include "framework/gui/control.h"

namespace fw {

namespace {

// Controls with an invalid area, in the order they were first invalidated. A control
// takes itself out when painted or destroyed, so the pointers are always alive.
std::vector<Control*>& PendingControls()
{
    static std::vector<Control*> pending;
    return pending;
}

// Paints what waits in the control and, parent before children, in every visible child.
void UpdateTree(Control& control)
{
    control.Update();
    if (auto* parent = dynamic_cast<WinControl*>(&control)) {
        // A child's paint may change the list (a paint that frees or adds controls is
        // odd, but must not crash): walk a guarded copy.
        std::vector<WeakRef<Control>> children(parent->ControlList().begin(), parent->ControlList().end());
        for (const auto& child : children) {
            if (Control* alive = child.Get(); alive != nullptr && alive->Visible()) {
                UpdateTree(*alive);
            }
        }
    }
}

// The control's store with its visible children's pictures over it, each cut to the
// parent's client area.
Bitmap ComposePicture(const Control& control)
{
    Bitmap picture(control.Width(), control.Height());
    picture.CopyRect(0, 0, control.BackingStore(), control.ClientRect());
    if (const auto* parent = dynamic_cast<const WinControl*>(&control)) {
        for (const Control* child : parent->ControlList()) {
            if (child->Visible()) {
                const Bitmap part = ComposePicture(*child);
                picture.CopyRect(child->Left(), child->Top(), part, part.Bounds());
            }
        }
    }
    return picture;
}

} // namespace

void Control::AddToPending()
{
    if (!pending_) {
        PendingControls().push_back(this);
        pending_ = true;
    }
}

void Control::RemoveFromPending()
{
    if (pending_) {
        auto& pending = PendingControls();
        pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
        pending_ = false;
    }
}

void Control::ResizeStore()
{
    if (store_.Width() != Width() || store_.Height() != Height()) {
        store_.SetSize(Width(), Height());
    }
}

fw::Canvas& Control::Canvas()
{
    canvas_->SetBackend(EffectivePaintBackend());
    // Outside Paint the caller is about to draw straight into the store: the peer must
    // show it again, without any painting.
    if (!state_.Contains(ControlStateFlag::Painting) && peer_ != nullptr) {
        peer_->UpdateRequested(ClientRect());
    }
    return *canvas_;
}

PaintBackend* Control::EffectivePaintBackend() const
{
    for (const Control* control = this; control != nullptr; control = control->parent_) {
        if (control->backend_ != nullptr) {
            return control->backend_;
        }
    }
    return DefaultPaintBackend();
}

void Control::SetPaintBackend(PaintBackend* backend)
{
    backend_ = backend;
    canvas_->SetBackend(EffectivePaintBackend());
}

void Control::Invalidate()
{
    InvalidateRect(ClientRect());
}

void Control::InvalidateRect(const Rect& rect)
{
    InvalidateRegion(Region(rect));
}

void Control::InvalidateRegion(const Region& region)
{
    const Region area = region.Intersected(ClientRect());
    if (area.IsEmpty() || state_.Contains(ControlStateFlag::Destroying)) {
        return;
    }
    invalid_ |= area;
    AddToPending();
    if (peer_ != nullptr && !Updating()) {
        peer_->UpdateRequested(area.Bounds());
    }
}

void Control::Update()
{
    if (Updating() || state_.Contains(ControlStateFlag::Painting)) {
        return;
    }
    // A transparent windowless control shows its parent's pixels: those come first.
    if (!windowed_ && !style_.Contains(ControlStyleFlag::Opaque) && parent_ != nullptr
        && !parent_->invalid_.IsEmpty()) {
        parent_->Update();
    }
    if (!invalid_.IsEmpty()) {
        PaintInvalidArea();
    }
}

void Control::Repaint()
{
    Invalidate();
    Update();
}

void Control::PaintInvalidArea()
{
    ResizeStore();
    const Region area = invalid_.Intersected(ClientRect());
    invalid_ = Region();
    RemoveFromPending();
    if (area.IsEmpty()) {
        return;
    }
    WeakRef<Control> self(this);
    ++paintCount_;
    state_.Include(ControlStateFlag::Painting);
    canvas_->SetBackend(EffectivePaintBackend());
    canvas_->SetClipRegion(area);
    try {
        Perform(WM_ERASEBKGND);
        Perform(WM_PAINT);
    } catch (...) {
        if (self) {
            canvas_->SetClipRegion(std::nullopt);
            state_.Exclude(ControlStateFlag::Painting);
        }
        throw;
    }
    if (!self) {
        return;
    }
    canvas_->SetClipRegion(std::nullopt);
    state_.Exclude(ControlStateFlag::Painting);
    if (peer_ != nullptr) {
        peer_->UpdateRequested(area.Bounds());
    }
    // Transparent windowless children show what was just painted under them.
    if (auto* container = dynamic_cast<WinControl*>(this)) {
        std::vector<WeakRef<Control>> children(container->ControlList().begin(), container->ControlList().end());
        for (const auto& child : children) {
            Control* alive = child.Get();
            if (alive == nullptr || alive->windowed_ || alive->style_.Contains(ControlStyleFlag::Opaque)
                || !alive->Visible()) {
                continue;
            }
            const Region under = area.Intersected(alive->BoundsRect()).Offsetted(-alive->Left(), -alive->Top());
            if (!under.IsEmpty()) {
                alive->InvalidateRegion(under);
                alive->Update();
            }
        }
    }
}

void Control::Paint() {}

void Control::EraseBackground()
{
    if (windowed_) {
        const fw::Brush saved = canvas_->Brush();
        canvas_->Brush() = fw::Brush{color_, BrushStyle::Solid, nullptr};
        canvas_->FillRect(ClientRect());
        canvas_->Brush() = saved;
        return;
    }
    if (style_.Contains(ControlStyleFlag::Opaque) || parent_ == nullptr) {
        return;
    }
    const fw::CopyMode saved = canvas_->CopyMode();
    canvas_->SetCopyMode(fw::CopyMode::SrcCopy);
    canvas_->CopyRect(ClientRect(), parent_->BackingStore(), BoundsRect());
    canvas_->SetCopyMode(saved);
}

void Control::BeginUpdate()
{
    ++updateCount_;
}

void Control::EndUpdate()
{
    if (updateCount_ == 0) {
        return;
    }
    --updateCount_;
    // Whatever was invalidated inside the brackets, here or below, is painted once now,
    // unless an outer bracket (of a parent) still holds it back.
    if (!Updating()) {
        UpdateTree(*this);
    }
}

bool Control::Updating() const
{
    for (const Control* control = this; control != nullptr; control = control->parent_) {
        if (control->updateCount_ > 0) {
            return true;
        }
    }
    return false;
}

int PaintPendingControls()
{
    // Each control paints at most once a call, so a Paint that invalidates its own control
    // waits for the next call instead of looping here.
    std::vector<const Control*> painted;
    for (;;) {
        std::vector<WeakRef<Control>> snapshot(PendingControls().begin(), PendingControls().end());
        bool progress = false;
        for (const auto& entry : snapshot) {
            Control* control = entry.Get();
            if (control == nullptr || !control->pending_ || control->Updating() || !control->Showing()
                || std::find(painted.begin(), painted.end(), control) != painted.end()) {
                continue;
            }
            const int before = control->PaintCount();
            control->Update();
            if (entry && control->PaintCount() != before) {
                painted.push_back(control);
                progress = true;
            }
        }
        if (!progress) {
            return static_cast<int>(painted.size());
        }
    }
}

bool HasPendingPaints()
{
    return std::any_of(PendingControls().begin(), PendingControls().end(),
                       [](const Control* control) { return !control->Updating() && control->Showing(); });
}

Bitmap RenderToBitmap(Control& control)
{
    UpdateTree(control);
    return ComposePicture(control);
}

} // namespace fw
