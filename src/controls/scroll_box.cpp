#include "controls/scroll_box.h"

#include <algorithm>
#include <vector>

#include "controls/control_messages.h"
#include "framework/core/named_images.h"
#include "framework/gui/menu.h"

namespace {

// The picture in the corner between the bars.
const fw::Bitmap* CornerLogo()
{
    static const fw::Bitmap* const logo = fw::FindNamedImage("ILSCROLLBOX_ILLOGO");
    return logo;
}

// Sets a flag for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = before_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool before_;
};

} // namespace

// --- Background ------------------------------------------------------------------------------

TILScrollboxBackground::TILScrollboxBackground(TILScrollBox* box) : TILBrushPanel(box), box_(box)
{
    DrawData().SetBevelOuter(TBevelCut::None);
    DrawData().SetBevelInner(TBevelCut::None);
    SetParent(box);
}

TILScrollboxBackground::~TILScrollboxBackground()
{
    box_ = nullptr;
}

void TILScrollboxBackground::AlignControls(fw::Rect& rect)
{
    TILBrushPanel::AlignControls(rect);
    if (box_ != nullptr) {
        box_->UpdateLayout();
    }
}

void TILScrollboxBackground::BrushChanged()
{
    TILBrushPanel::BrushChanged();
    if (box_ != nullptr && !Quiet()) {
        box_->BackgroundBrushChanged();
    }
}

void TILScrollboxBackground::Paint()
{
    TILBrushPanel::Paint();
    if (box_ != nullptr) {
        box_->BackgroundPainted();
    }
}

void TILScrollboxBackground::Dispatch(fw::Message& message)
{
    TILBrushPanel::Dispatch(message);
    if (message.Msg == fw::CM_CONTROLCHANGE && box_ != nullptr) {
        box_->UpdateLayout();
    }
}

// --- Bars ------------------------------------------------------------------------------------------

TILScrollBoxBar::TILScrollBoxBar(TILScrollBox* box, TScrollBarKind kind) : TILScrollBar(box), box_(box)
{
    SetKind(kind);
    SetMinimum(0);
    SetMaximum(0);
    SetPosition(0);
}

void TILScrollBoxBar::SetVisible(bool visible)
{
    const bool changed = visible != Visible();
    TILScrollBar::SetVisible(visible);
    // Laid out later: the bar may be changing its visibility in the middle of a layout.
    if (changed && box_ != nullptr && box_->Alive()) {
        fw::PostMessage(box_, WM_ILSB_REALIGN);
    }
}

// --- Scroll box ------------------------------------------------------------------------------------

TILScrollBox::TILScrollBox(fw::Component* owner) : fw::CustomControl(owner)
{
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::AcceptsControls);
    SetBounds(Left(), Top(), 185, 41);

    background_ = new TILScrollboxBackground(this);
    horzBar_ = new TILScrollBoxBar(this, TScrollBarKind::Horizontal);
    horzBar_->SetLargeChange(32);
    horzBar_->SetSmallChange(8);
    vertBar_ = new TILScrollBoxBar(this, TScrollBarKind::Vertical);
    vertBar_->SetLargeChange(64);
    vertBar_->SetSmallChange(16);

    horzBar_->SetOnScroll([this](fw::Object*, std::int32_t by) { ScrollHorz(by); });
    vertBar_->SetOnScroll([this](fw::Object*, std::int32_t by) { ScrollVert(by); });
    ForwardBackgroundEvents();
    UpdateLayout();
}

TILScrollBox::~TILScrollBox()
{
    // The parts go after this body (with the children): none of them may call back here,
    // nor deliver anything posted to the box.
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    EndLiveness();
    background_->DetachFromBox();
    horzBar_->DetachFromBox();
    vertBar_->DetachFromBox();
    horzBar_->SetOnScroll(nullptr);
    vertBar_->SetOnScroll(nullptr);
}

void TILScrollBox::ForwardBackgroundEvents()
{
    TILScrollboxBackground& panel = *background_;
    const fw::WeakRef<TILScrollBox> box(this);
    // The background sits at the box's origin, so its points are the box's.
    const auto toBox = [background = background_](int& x, int& y) {
        x += background->Left();
        y += background->Top();
    };
    panel.SetOnMouseDown([box, toBox](fw::Object*, fw::MouseButton button, fw::ShiftState shift, int x, int y) {
        if (box) {
            toBox(x, y);
            box->MouseDown(button, shift, x, y);
        }
    });
    panel.SetOnMouseMove([box, toBox](fw::Object*, fw::ShiftState shift, int x, int y) {
        if (box) {
            toBox(x, y);
            box->MouseMove(shift, x, y);
        }
    });
    panel.SetOnMouseUp([box, toBox](fw::Object*, fw::MouseButton button, fw::ShiftState shift, int x, int y) {
        if (!box) {
            return;
        }
        const int panelX = x;
        const int panelY = y;
        toBox(x, y);
        box->MouseUp(button, shift, x, y);
        if (box && button == fw::MouseButton::Right) {
            box->PopupFromBackground(panelX, panelY);
        }
    });
    panel.SetOnClick([box](fw::Object*) {
        if (box) {
            box->Click();
        }
    });
    panel.SetOnDblClick([box](fw::Object*) {
        if (box) {
            box->DblClick();
        }
    });
    panel.SetOnKeyDown([box](fw::Object*, int& key, fw::ShiftState shift) {
        if (box) {
            box->KeyDown(key, shift);
        }
    });
    panel.SetOnKeyPress([box](fw::Object*, char32_t& key) {
        if (box) {
            box->KeyPress(key);
        }
    });
    panel.SetOnKeyUp([box](fw::Object*, int& key, fw::ShiftState shift) {
        if (box) {
            box->KeyUp(key, shift);
        }
    });
    panel.SetOnDragOver(
        [box, toBox](fw::Object*, fw::Object* source, int x, int y, fw::DragState state, bool& accept) {
            if (box) {
                toBox(x, y);
                box->DragOver(source, x, y, state, accept);
            }
        });
    panel.SetOnDragDrop([box, toBox](fw::Object*, fw::Object* source, int x, int y) {
        if (box) {
            toBox(x, y);
            box->DragDrop(source, x, y);
        }
    });
    panel.SetOnStartDrag([box](fw::Object*, fw::DragObject*& dragObject) {
        if (box) {
            box->DoStartDrag(dragObject);
        }
    });
    panel.SetOnEndDrag([box, toBox](fw::Object*, fw::Object* target, int x, int y) {
        if (box) {
            toBox(x, y);
            box->DoEndDrag(target, x, y);
        }
    });
}

void TILScrollBox::PopupFromBackground(int x, int y)
{
    fw::Component* menuComponent = PopupMenu() != nullptr ? PopupMenu() : background_->PopupMenu();
    auto* menu = dynamic_cast<fw::PopupMenu*>(menuComponent);
    if (menu == nullptr || menu->AutoPopup()) {
        return;
    }
    const fw::Point at = background_->ClientToScreen(fw::Point{x, y});
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
}

// --- Settings ----------------------------------------------------------------------------------------

void TILScrollBox::SetBackground(const TILBrush& brush)
{
    background_->DrawData().FillBrush().Assign(&brush);
}

void TILScrollBox::SetOptions(TILScrollBoxOptions options)
{
    options_ = options;
    UpdateLayout();
}

void TILScrollBox::SetHorzScrollProp(const TILScrollBarProperties& properties)
{
    horzScrollProp_.Assign(&properties);
    horzBar_->Assign(&horzScrollProp_);
    UpdateLayout();
}

void TILScrollBox::SetVertScrollProp(const TILScrollBarProperties& properties)
{
    vertScrollProp_.Assign(&properties);
    vertBar_->Assign(&vertScrollProp_);
    UpdateLayout();
}

// --- Scrolling -----------------------------------------------------------------------------------------

void TILScrollBox::MoveContent(int dx, int dy)
{
    if (dx == 0 && dy == 0) {
        return;
    }
    // Moving children realigns the background: that is no reason to fit the ranges again.
    const FlagScope scrolling(scrolling_);
    const std::vector<fw::Control*> children = background_->ControlList();
    for (fw::Control* child : children) {
        child->SetBounds(child->Left() - dx, child->Top() - dy, child->Width(), child->Height());
    }
}

void TILScrollBox::ScrollHorz(int pixels)
{
    if (updatingRange_) {
        return;
    }
    MoveContent(pixels, 0);
    background_->Invalidate();
    if (onScrollHorz_) {
        onScrollHorz_(this, pixels);
    }
}

void TILScrollBox::ScrollVert(int pixels)
{
    if (updatingRange_) {
        return;
    }
    MoveContent(0, pixels);
    background_->Invalidate();
    if (onScrollVert_) {
        onScrollVert_(this, pixels);
    }
}

fw::Rect TILScrollBox::GetContentExtent() const
{
    fw::Rect extent{0, 0, 0, 0};
    for (const fw::Control* child : background_->ControlList()) {
        extent.Left = std::min(extent.Left, child->Left());
        extent.Top = std::min(extent.Top, child->Top());
        extent.Right = std::max(extent.Right, child->Left() + child->Width() - 1);
        extent.Bottom = std::max(extent.Bottom, child->Top() + child->Height() - 1);
    }
    return extent;
}

// --- Layout ----------------------------------------------------------------------------------------------

bool TILScrollBox::Quiet() const
{
    const fw::ControlState state = ControlState();
    return state.Contains(fw::ControlStateFlag::Loading) || state.Contains(fw::ControlStateFlag::Destroying);
}

int TILScrollBox::FitRange(TILScrollBar& bar, int extentFirst, int extentLast, int room)
{
    const int position = bar.Position();
    const int first = position + extentFirst;
    int last = position + extentLast;
    if (bar.Minimum() > first) {
        bar.SetMinimum(first);
    }
    // Content smaller than the room still spans the room (its last pixel is room - 1), so
    // a range that fits never asks for a bar.
    last = std::max(last, room - 1);
    if (bar.Maximum() != last) {
        bar.SetMaximum(last);
    }
    if (bar.Minimum() >= 0) {
        return position;
    }
    // Content left of (or above) the origin: the origin moves to it, and the position with
    // it, so that the children stay where they are.
    const int shift = -bar.Minimum();
    bar.SetMaximum(bar.Maximum() + shift);
    bar.SetPosition(position + shift);
    bar.SetMinimum(0);
    return position + shift;
}

void TILScrollBox::DecideBars()
{
    const int horzCount = horzBar_->Maximum() - horzBar_->Minimum() + 1;
    const int vertCount = vertBar_->Maximum() - vertBar_->Minimum() + 1;
    const int width = ClientWidth();
    const int height = ClientHeight();
    bool horz = horzCount > width;
    bool vert = vertCount > height;
    // One bar taking room can make the other needed; twice settles it.
    for (int round = 0; round < 2; ++round) {
        horz = horzCount > width - (vert ? vertBar_->Width() : 0);
        vert = vertCount > height - (horz ? horzBar_->Height() : 0);
    }
    horzNeeded_ = horz;
    vertNeeded_ = vert;
    horzBar_->SetVisible(horz);
    vertBar_->SetVisible(vert);
}

void TILScrollBox::PlaceParts()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    const int barHeight = horzBar_->Height();
    const int barWidth = vertBar_->Width();
    const int horzRoom = horzBar_->Visible() ? barHeight : 0;
    const int vertRoom = vertBar_->Visible() ? barWidth : 0;
    horzBar_->SetBounds(0, height - barHeight, std::max(0, width - vertRoom), barHeight);
    vertBar_->SetBounds(width - barWidth, 0, barWidth, std::max(0, height - horzRoom));
    background_->SetBounds(0, 0, std::max(0, width - vertRoom), std::max(0, height - horzRoom));
    // A page of the slider is what the background shows.
    horzBar_->Slider().SetRange(std::max(1, background_->ClientWidth()));
    vertBar_->Slider().SetRange(std::max(1, background_->ClientHeight()));
}

void TILScrollBox::UpdateLayout()
{
    if (background_ == nullptr || horzBar_ == nullptr || vertBar_ == nullptr || Quiet() || laying_ || scrolling_) {
        return;
    }
    const bool horzBefore = horzNeeded_;
    const bool vertBefore = vertNeeded_;
    {
        const FlagScope laying(laying_);
        // The background's size enters the ranges and the ranges decide the bars, which
        // take room from the background: a few rounds settle it.
        for (int round = 0; round < 4; ++round) {
            const fw::Rect before = background_->BoundsRect();
            int keepHorz = horzBar_->Position();
            int keepVert = vertBar_->Position();
            {
                const FlagScope updating(updatingRange_);
                if (options_.Contains(TILScrollBoxOption::AutoRange)) {
                    const fw::Rect extent = GetContentExtent();
                    keepHorz = FitRange(*horzBar_, extent.Left, extent.Right, background_->ClientWidth());
                    keepVert = FitRange(*vertBar_, extent.Top, extent.Bottom, background_->ClientHeight());
                }
                DecideBars();
                PlaceParts();
            }
            // A range that shrank under the position pulled the position back: the
            // children follow, so that what the bars say is what shows.
            MoveContent(horzBar_->Position() - keepHorz, vertBar_->Position() - keepVert);
            if (background_->BoundsRect() == before) {
                break;
            }
        }
        horzBar_->Invalidate();
        vertBar_->Invalidate();
    }
    // Told once the layout has settled, whatever it went through on the way.
    const fw::WeakRef<TILScrollBox> self(this);
    if (horzNeeded_ != horzBefore && onSetHorzRange_) {
        onSetHorzRange_(this);
    }
    if (self && vertNeeded_ != vertBefore && onSetVertRange_) {
        onSetVertRange_(this);
    }
}

void TILScrollBox::AlignControls(fw::Rect& rect)
{
    fw::CustomControl::AlignControls(rect);
    UpdateLayout();
}

void TILScrollBox::BackgroundBrushChanged()
{
    Invalidate();
    horzBar_->Invalidate();
    vertBar_->Invalidate();
}

void TILScrollBox::BackgroundPainted()
{
    if (onPaint_) {
        onPaint_(this);
    }
}

// --- Framework overrides -----------------------------------------------------------------------------------

void TILScrollBox::SetEnabled(bool enabled)
{
    fw::CustomControl::SetEnabled(enabled);
    background_->SetEnabled(enabled);
    horzBar_->SetEnabled(enabled);
    vertBar_->SetEnabled(enabled);
}

void TILScrollBox::Loaded()
{
    fw::CustomControl::Loaded();
    UpdateLayout();
}

void TILScrollBox::Dispatch(fw::Message& message)
{
    if (message.Msg == WM_ILSB_REALIGN) {
        UpdateLayout();
        message.Result = 1;
        return;
    }
    fw::CustomControl::Dispatch(message);
}

void TILScrollBox::Paint()
{
    if (const fw::Bitmap* logo = CornerLogo()) {
        Canvas().Draw(Width() - 16, Height() - 16, *logo);
    }
}
