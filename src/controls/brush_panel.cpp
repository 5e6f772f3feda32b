#include "controls/brush_panel.h"

#include <algorithm>
#include <vector>

#include "controls/panel_component_info.h"
#include "foundation/text_drawing.h"

void ApplyFrameworkControlBrush(const fw::Control* control, fw::Brush& dest)
{
    if (control == nullptr) {
        return;
    }
    if (const auto* brushControl = dynamic_cast<const TILBrushControl*>(control)) {
        ApplyControlBrush(brushControl, dest);
        return;
    }
    // A plain windowed control paints its background with its colour.
    dest = fw::Brush{control->Color(), fw::BrushStyle::Solid, nullptr};
}

const fw::Brush* TILBrushPanel::FrameworkParent::ControlBrush() const
{
    if (control_ == nullptr) {
        return nullptr;
    }
    brush_ = fw::Brush{control_->Color(), fw::BrushStyle::Solid, nullptr};
    return &brush_;
}

TILBrushPanel::TILBrushPanel(fw::Component* owner) : fw::CustomControl(owner), drawData_(this)
{
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::AcceptsControls);
    SetParentColor(false);
    SetParentFont(false);
    SetBounds(Left(), Top(), 100, 30);
    SetColor(drawData_.FillBrush().Colour());

    drawData_.SetOnChange([this](fw::Object* sender) { LayoutChanged(sender); });
    drawData_.FillBrush().SetOnBrushChange([this](fw::Object*) { BrushChanged(); });
    captionPos_.SetOnChange([this](fw::Object* sender) { LayoutChanged(sender); });
}

TILBrushPanel::~TILBrushPanel()
{
    // The handlers must keep still from here on: the parts they touch are going.
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    drawData_.SetOnChange(nullptr);
    drawData_.FillBrush().SetOnBrushChange(nullptr);
    captionPos_.SetOnChange(nullptr);
    onPaint_ = nullptr;
}

// --- Properties --------------------------------------------------------------------------------

void TILBrushPanel::SetDrawData(const TILBrushBevel& bevel)
{
    drawData_.Assign(&bevel);
    SetColor(drawData_.FillBrush().Colour());
    Realign();
    Invalidate();
}

void TILBrushPanel::SetCaptionPos(const TILTextPosition& position)
{
    captionPos_.Assign(&position);
    Invalidate();
}

void TILBrushPanel::SetRounded(bool rounded)
{
    rounded_ = rounded;
    Invalidate();
}

void TILBrushPanel::SetHorzRounding(int rounding)
{
    horzRounding_ = rounding;
    Invalidate();
}

void TILBrushPanel::SetVertRounding(int rounding)
{
    vertRounding_ = rounding;
    Invalidate();
}

void TILBrushPanel::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Realign();
    Invalidate();
}

void TILBrushPanel::SetParentBrush(bool parentBrush)
{
    if (parentBrush != parentBrush_) {
        parentBrush_ = parentBrush;
        Invalidate();
    }
}

// The gap's shape is kept while the panel has none, so that copying a panel (which sets the
// length and offset before the gap itself) loses nothing; only a visible gap repaints.
void TILBrushPanel::SetGapLength(int length)
{
    gapLength_ = length;
    if (hasGap_) {
        Invalidate();
    }
}

void TILBrushPanel::SetGapOffset(int offset)
{
    gapOffset_ = offset;
    if (hasGap_) {
        Invalidate();
    }
}

void TILBrushPanel::SetGapSide(TGapSide side)
{
    gapSide_ = side;
    if (hasGap_) {
        Invalidate();
    }
}

void TILBrushPanel::SetHasGap(bool hasGap)
{
    hasGap_ = hasGap;
    Invalidate();
}

TILBevelGap TILBrushPanel::GapLimits(int x, int y) const
{
    const bool alongWidth = gapSide_ == TGapSide::Top || gapSide_ == TGapSide::Bottom;
    const int rounding = alongWidth ? horzRounding_ : vertRounding_;
    const int extent = alongWidth ? Width() : Height();
    const int shift = alongWidth ? x : y;

    int start = gapOffset_;
    if (rounded_ && start < rounding) {
        start = rounding;
    }
    int end = std::min(start + gapLength_ - 1, extent - 1);
    if (rounded_) {
        end = std::min(end, extent - rounding - 1);
    }
    TILBevelGap gap;
    gap.Present = hasGap_;
    gap.Side = gapSide_;
    gap.To = start + shift;
    gap.From = end + shift;
    return gap;
}

void TILBrushPanel::SetText(const std::string& text)
{
    fw::CustomControl::SetText(text);
    Invalidate();
}

// --- Painting ------------------------------------------------------------------------------------

int TILBrushPanel::RingsWidth() const
{
    int width = 0;
    if (drawData_.BevelInner() != TBevelCut::None) {
        width += drawData_.BevelWidth();
    }
    if (drawData_.BevelOuter() != TBevelCut::None) {
        width += drawData_.BevelWidth();
    }
    return width;
}

void TILBrushPanel::DrawTo(fw::Canvas& canvas, int x, int y)
{
    const int w = Width();
    const int h = Height();
    if (rounded_ && Parent() != nullptr) {
        // The corners the rounding leaves out show what the parent paints there.
        if (auto* parentPanel = dynamic_cast<TILBrushPanel*>(Parent())) {
            parentPanel->DrawData().FillBrush().PaintTo(canvas);
        } else {
            ApplyFrameworkControlBrush(Parent(), canvas.Brush());
        }
        canvas.FillRect(fw::Rect{x, y, x + w, y + h});
    }

    const fw::Rect rect{x, y, x + w - 1, y + h - 1};
    const int width = drawData_.BevelWidth();
    if (rounded_) {
        drawData_.DrawRounded(canvas, rect, parentBrush_, borderWidth_, GapLimits(x, y), width, vertRounding_,
                              horzRounding_);
    } else {
        // A square bevel measures its gap from the rectangle's own corner.
        drawData_.DrawSquare(canvas, rect, parentBrush_, borderWidth_, GapLimits(0, 0), width);
    }

    if (!Caption().empty()) {
        DrawCaption(canvas, x, y);
    }
}

fw::Rect TILBrushPanel::CaptionRect(int x, int y) const
{
    const int rings = RingsWidth();
    const int horz = captionPos_.HorzMargin();
    const int vert = captionPos_.VertMargin();
    return fw::Rect{x + rings + horz, y + rings + vert, x + Width() - rings - horz - 1,
                    y + Height() - rings - vert - 1};
}

void TILBrushPanel::DrawCaption(fw::Canvas& canvas, int x, int y)
{
    canvas.Font() = Font();
    canvas.Brush().Style = fw::BrushStyle::Clear;
    const fw::Rect rect = CaptionRect(x, y);
    const auto draw = [&](int offset) {
        DrawWrappedText(canvas, rect, rect, offset, offset, captionPos_.Wrap(),
                        static_cast<TextAlignment>(captionPos_.AlignVert()),
                        static_cast<TextAlignment>(captionPos_.AlignHorz()), Caption());
    };
    if (Enabled()) {
        draw(0);
        return;
    }
    // Embossed: a highlight copy one pixel down and right under the shadow-coloured text.
    canvas.Font().Color = fw::clBtnHighlight;
    draw(1);
    canvas.Font().Color = fw::clBtnShadow;
    draw(0);
}

void TILBrushPanel::Paint()
{
    DrawTo(Canvas(), 0, 0);
    if (onPaint_) {
        onPaint_(this);
    }
}

void TILBrushPanel::Invalidate()
{
    const std::vector<fw::Control*> children = ControlList();
    for (fw::Control* child : children) {
        child->Invalidate();
    }
    fw::CustomControl::Invalidate();
}

fw::Rect TILBrushPanel::GetInnerClientRect() const
{
    fw::Rect rect = ClientRect();
    // AdjustClientRect only reads the panel; classes below may shrink the area further.
    const_cast<TILBrushPanel*>(this)->AdjustClientRect(rect);
    return rect;
}

void TILBrushPanel::AdjustClientRect(fw::Rect& rect)
{
    fw::CustomControl::AdjustClientRect(rect);
    const int inset = borderWidth_ + RingsWidth();
    rect = fw::Rect{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
}

// --- Change handling ---------------------------------------------------------------------------

bool TILBrushPanel::Quiet() const
{
    const fw::ControlState state = ControlState();
    return state.Contains(fw::ControlStateFlag::Loading) || state.Contains(fw::ControlStateFlag::Destroying);
}

void TILBrushPanel::LayoutChanged(fw::Object* sender)
{
    if (Quiet()) {
        return;
    }
    if (sender == &drawData_) {
        SetColor(drawData_.FillBrush().Colour());
    }
    // The canvas font follows Font through the framework's own font-change handling.
    Realign();
    Invalidate();
}

void TILBrushPanel::BrushChanged()
{
    if (Quiet()) {
        return;
    }
    if (!parentBrush_) {
        Invalidate();
    }
    NotifyChildrenOfBrush();
}

void TILBrushPanel::ParentBrushChanged()
{
    if (Quiet() || !parentBrush_) {
        return;
    }
    Invalidate();
    NotifyChildrenOfBrush();
}

void TILBrushPanel::NotifyChildrenOfBrush()
{
    // A child's handler may reshape the child list; each one still there hears once.
    std::vector<fw::WeakRef<fw::Control>> children;
    for (fw::Control* child : ControlList()) {
        children.emplace_back(child);
    }
    for (const auto& child : children) {
        if (fw::Control* alive = child.Get()) {
            alive->Perform(WM_ILPANEL_PARENTBRUSHCHANGED);
        }
    }
}

void TILBrushPanel::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case WM_ILPANEL_PARENTBRUSHCHANGED:
        ParentBrushChanged();
        break;
    case WM_ILPANEL_OWNBRUSHCHANGED:
        BrushChanged();
        break;
    case fw::CM_FONTCHANGED:
        fw::CustomControl::Dispatch(message);
        LayoutChanged(nullptr);
        break;
    default:
        fw::CustomControl::Dispatch(message);
        break;
    }
}

// --- Framework overrides ---------------------------------------------------------------------

void TILBrushPanel::Loaded()
{
    fw::CustomControl::Loaded();
    // Changes made while loading were held back: catch up with all of them at once.
    LayoutChanged(&drawData_);
}

void TILBrushPanel::SetEnabled(bool enabled)
{
    fw::CustomControl::SetEnabled(enabled);
    Invalidate();
}

void TILBrushPanel::SetParent(fw::WinControl* parent)
{
    fw::CustomControl::SetParent(parent);
    // Rounded corners and a borrowed brush show the new parent.
    Invalidate();
}

TILBrushControl* TILBrushPanel::ParentControl() const
{
    fw::WinControl* parent = Parent();
    if (parent == nullptr) {
        return nullptr;
    }
    if (auto* brushControl = dynamic_cast<TILBrushControl*>(parent)) {
        return brushControl;
    }
    frameworkParent_.Reset(parent);
    return &frameworkParent_;
}

const fw::Brush* TILBrushPanel::ControlBrush() const
{
    ownBrush_ = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
    return &ownBrush_;
}

// --- Assign ------------------------------------------------------------------------------------

namespace {

THCanvasTextPosition ToTextPosition(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::LeftJustify:
        return THCanvasTextPosition::Left;
    case TAlignment::RightJustify:
        return THCanvasTextPosition::Right;
    case TAlignment::Center:
        break;
    }
    return THCanvasTextPosition::Centre;
}

TAlignment ToAlignment(THCanvasTextPosition position)
{
    switch (position) {
    case THCanvasTextPosition::Left:
        return TAlignment::LeftJustify;
    case THCanvasTextPosition::Right:
        return TAlignment::RightJustify;
    case THCanvasTextPosition::Centre:
        break;
    }
    return TAlignment::Center;
}

} // namespace

void TILBrushPanel::Assign(const fw::Persistent* source)
{
    if (const auto* panel = dynamic_cast<const TILBrushPanel*>(source)) {
        AssignFromPanel(*panel);
    } else if (const auto* info = dynamic_cast<const TILPanelComponentInfo*>(source)) {
        AssignFromRecord(*info);
    } else {
        fw::CustomControl::Assign(source);
    }
}

void TILBrushPanel::AssignFromPanel(const TILBrushPanel& panel)
{
    if (&panel == this) {
        return;
    }
    SetDrawData(panel.drawData_);
    SetRounded(panel.rounded_);
    SetHorzRounding(panel.horzRounding_);
    SetVertRounding(panel.vertRounding_);
    SetBorderWidth(panel.borderWidth_);
    SetGapLength(panel.gapLength_);
    SetGapOffset(panel.gapOffset_);
    SetGapSide(panel.gapSide_);
    SetHasGap(panel.hasGap_);
    SetColor(panel.Color());
}

void TILBrushPanel::AssignFromRecord(const TILPanelComponentInfo& info)
{
    captionPos_.SetAlignHorz(ToTextPosition(info.Alignment()));
    drawData_.SetBevelInner(info.BevelInner());
    drawData_.SetBevelOuter(info.BevelOuter());
    drawData_.SetBevelWidth(info.BevelWidth());
    SetBorderWidth(info.BorderWidth());
    drawData_.FillBrush().SetColour(info.Colour());
    SetCursor(info.Cursor());
    SetFont(info.Font());
    SetHint(info.Hint());
}

void TILBrushPanel::AssignTo(fw::Persistent* destination) const
{
    auto* info = dynamic_cast<TILPanelComponentInfo*>(destination);
    if (info == nullptr) {
        fw::CustomControl::AssignTo(destination);
        return;
    }
    info->SetAlignment(ToAlignment(captionPos_.AlignHorz()));
    info->SetBevelInner(drawData_.BevelInner());
    info->SetBevelOuter(drawData_.BevelOuter());
    info->SetBevelWidth(drawData_.BevelWidth());
    info->SetBorderWidth(borderWidth_);
    info->SetColour(drawData_.FillBrush().Colour());
    info->SetCursor(Cursor());
    info->SetFont(Font());
    info->SetHint(Hint());
}

TILBrushPanel* NewAlignedBrushPanel(fw::Component& owner, fw::WinControl* parent, const char* name, fw::Align align)
{
    auto* panel = new TILBrushPanel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetAlign(align);
    return panel;
}
