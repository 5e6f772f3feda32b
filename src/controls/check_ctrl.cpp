#include "controls/check_ctrl.h"

#include <algorithm>

#include "controls/brush_panel.h"
#include "foundation/text_drawing.h"

namespace {

bool Sideways(fw::Align align)
{
    return align == fw::Align::Left || align == fw::Align::Right;
}

bool Stacked(fw::Align align)
{
    return align == fw::Align::Top || align == fw::Align::Bottom;
}

} // namespace

// --- TILCustomCheckCtrl ----------------------------------------------------------------------

TILCustomCheckCtrl::TILCustomCheckCtrl(fw::Component* owner) : fw::CustomControl(owner)
{
    SetControlState(ControlState() | fw::ControlStateFlag::Creating);
    labelPos_.SetAlignHorz(THCanvasTextPosition::Left);
    labelPos_.SetAlignVert(TVCanvasTextPosition::Centre);
    labelPos_.SetHorzMargin(2);
    labelPos_.SetVertMargin(0);
    labelPos_.SetWrap(true);
    imagePos_.SetAlignHorz(THCanvasTextPosition::Right);
    imagePos_.SetAlignVert(TVCanvasTextPosition::Centre);
    imagePos_.SetHorzMargin(2);
    imagePos_.SetVertMargin(0);
    fillBrush_.SetColour(fw::clBtnFace);
    SetBounds(Left(), Top(), 120, 15);
    SetTabStop(true);

    labelPos_.SetOnChange([this](fw::Object*) { Changed(); });
    imagePos_.SetOnChange([this](fw::Object*) { Changed(); });
    fillBrush_.SetOnBrushChange([this](fw::Object*) { Changed(); });
    SetControlState(ControlState().Exclude(fw::ControlStateFlag::Creating));
}

TILCustomCheckCtrl::~TILCustomCheckCtrl()
{
    // The handlers must keep still from here on: the parts they touch are going.
    SetControlState(ControlState() | fw::ControlStateFlag::Destroying);
    labelPos_.SetOnChange(nullptr);
    imagePos_.SetOnChange(nullptr);
    fillBrush_.SetOnBrushChange(nullptr);
    onChange_ = nullptr;
}

bool TILCustomCheckCtrl::Quiet() const
{
    const fw::ControlState state = ControlState();
    return state.Contains(fw::ControlStateFlag::Creating) || state.Contains(fw::ControlStateFlag::Loading)
           || state.Contains(fw::ControlStateFlag::Destroying);
}

// --- State ---------------------------------------------------------------------------------------

void TILCustomCheckCtrl::SetState(std::int32_t state)
{
    if (!CanSetState(state)) {
        stateAccepted_ = false;
        return;
    }
    stateAccepted_ = true;
    state_ = state;
    fw::WeakRef<TILCustomCheckCtrl> self(this);
    if (!Loading()) {
        Change();
    }
    if (self) {
        Changed();
    }
}

bool TILCustomCheckCtrl::CanSetState(std::int32_t state)
{
    return state >= 0 && state <= GetMaxState() && state != state_;
}

void TILCustomCheckCtrl::ForceState(std::int32_t state)
{
    state_ = state;
    Invalidate();
}

void TILCustomCheckCtrl::Change()
{
    if (onChange_) {
        onChange_(this);
    }
}

// --- Properties ----------------------------------------------------------------------------------

void TILCustomCheckCtrl::SetImageAlign(fw::Align align)
{
    if (align == fw::Align::None || align == fw::Align::Client || align == imageAlign_) {
        return;
    }
    imageAlign_ = align;
    Changed();
}

void TILCustomCheckCtrl::SetImageSpace(int space)
{
    if (space < 1 || space == imageSpace_) {
        return;
    }
    imageSpace_ = space;
    Changed();
}

void TILCustomCheckCtrl::SetParentBrush(bool parentBrush)
{
    if (parentBrush != parentBrush_) {
        parentBrush_ = parentBrush;
        Invalidate();
    }
}

void TILCustomCheckCtrl::SetAutoHeight(bool autoHeight)
{
    if (autoHeight != autoHeight_) {
        autoHeight_ = autoHeight;
        Changed();
    }
}

void TILCustomCheckCtrl::SetAutoWidth(bool autoWidth)
{
    if (autoWidth != autoWidth_) {
        autoWidth_ = autoWidth;
        Changed();
    }
}

void TILCustomCheckCtrl::SetFocusFrameAll(bool all)
{
    if (all != focusFrameAll_) {
        focusFrameAll_ = all;
        Invalidate();
    }
}

// --- Layout -----------------------------------------------------------------------------------------

void TILCustomCheckCtrl::GetLabelRect(fw::Rect& rect) const
{
    rect = fw::Rect{labelPos_.HorzMargin(), labelPos_.VertMargin(), Width() - labelPos_.HorzMargin(),
                    Height() - labelPos_.VertMargin()};
    switch (imageAlign_) {
    case fw::Align::Top: rect.Top += imageSpace_; break;
    case fw::Align::Bottom: rect.Bottom -= imageSpace_; break;
    case fw::Align::Left: rect.Left += imageSpace_; break;
    case fw::Align::Right: rect.Right -= imageSpace_; break;
    default: break;
    }
}

void TILCustomCheckCtrl::GetImageArea(fw::Rect& rect) const
{
    const int w = Width();
    const int h = Height();
    switch (imageAlign_) {
    case fw::Align::Top: rect = fw::Rect{0, 0, w - 1, imageSpace_ - 1}; break;
    case fw::Align::Bottom: rect = fw::Rect{0, h - imageSpace_, w - 1, h - 1}; break;
    case fw::Align::Right: rect = fw::Rect{w - imageSpace_, 0, w - 1, h - 1}; break;
    default: rect = fw::Rect{0, 0, imageSpace_ - 1, h - 1}; break;
    }
}

void TILCustomCheckCtrl::Changed()
{
    if (Quiet()) {
        return;
    }
    if (!autoHeight_ && !autoWidth_) {
        Invalidate();
        return;
    }
    AutoSize();
}

void TILCustomCheckCtrl::AutoSize()
{
    if (Quiet() || Parent() == nullptr || EffectivePaintBackend() == nullptr) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    canvas.Font() = Font();
    const std::string& caption = Caption();
    const int vertMargins = 2 * labelPos_.VertMargin();
    const int horzMargins = 2 * labelPos_.HorzMargin();
    const int stackedSpace = Stacked(imageAlign_) ? imageSpace_ : 0;
    const int sideSpace = Sideways(imageAlign_) ? imageSpace_ : 0;
    if (autoWidth_) {
        int height = Height();
        if (autoHeight_) {
            height = canvas.TextHeight(caption) + vertMargins + stackedSpace;
        }
        const int width = canvas.TextWidth(caption) + horzMargins + sideSpace + 2;
        SetBounds(Left(), Top(), width, height);
    } else {
        // The caption shares the width with a side image; an image above or below it
        // leaves the caption the whole width.
        const int wrapWidth = ClientWidth() - sideSpace - horzMargins;
        const fw::Rect size = WrappedTextSize(canvas, wrapWidth, caption, labelPos_.Wrap());
        SetBounds(Left(), Top(), Width(), size.Height() + vertMargins + stackedSpace);
    }
    Invalidate();
}

// --- Painting ----------------------------------------------------------------------------------------

void TILCustomCheckCtrl::Paint()
{
    fw::Canvas& canvas = Canvas();
    if (parentBrush_ && Parent() != nullptr) {
        ApplyFrameworkControlBrush(Parent(), canvas.Brush());
    } else {
        fillBrush_.PaintTo(canvas);
    }
    canvas.FillRect(fw::Rect{0, 0, Width(), Height()});

    fw::Rect textRect;
    DrawLabel(textRect);
    lastTextRect_ = textRect;
    DrawImage();

    if (Focused()) {
        canvas.Brush().Style = fw::BrushStyle::Clear;
        canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Dot, fw::PenMode::Copy};
        if (focusFrameAll_) {
            canvas.Rectangle(fw::Rect{0, 0, Width(), Height()});
        } else {
            const int left = std::max(0, textRect.Left - 1);
            const int top = std::max(0, textRect.Top - 1);
            const int right = std::min(Width(), textRect.Right + 1);
            const int bottom = std::min(Height(), textRect.Bottom + 1);
            canvas.Rectangle(fw::Rect{left, top, right + 1, bottom});
        }
    }
}

void TILCustomCheckCtrl::DrawLabel(fw::Rect& textRect)
{
    fw::Canvas& canvas = Canvas();
    canvas.Font() = Font();
    canvas.Brush().Style = fw::BrushStyle::Clear;
    if (EffectivePaintBackend() == nullptr) {
        textRect = fw::Rect{};
        return;
    }
    fw::Rect rect;
    GetLabelRect(rect);
    const auto draw = [&](int offset) {
        return DrawWrappedText(canvas, rect, rect, offset, offset, labelPos_.Wrap(),
                               static_cast<TextAlignment>(labelPos_.AlignVert()),
                               static_cast<TextAlignment>(labelPos_.AlignHorz()), Caption());
    };
    if (Enabled()) {
        textRect = draw(0);
        return;
    }
    // Embossed: a highlight copy one pixel right and down under the shadow-coloured text.
    canvas.Font().Color = fw::clBtnHighlight;
    draw(1);
    canvas.Font().Color = fw::clBtnShadow;
    textRect = draw(0);
    textRect.Right += 1;
    textRect.Bottom += 1;
}

void TILCustomCheckCtrl::DrawImage()
{
    const fw::Bitmap* image = GetStateImage(state_, Enabled());
    if (image == nullptr) {
        return;
    }
    fw::Rect area;
    GetImageArea(area);
    const fw::Point origin = imagePos_.CalcGraphicOrigin(*image, area);
    Canvas().Draw(origin.X, origin.Y, *image);
}

// --- Input and framework overrides -------------------------------------------------------------------

void TILCustomCheckCtrl::Click()
{
    fw::WeakRef<TILCustomCheckCtrl> self(this);
    const std::int32_t next = state_ + 1 > GetMaxState() ? 0 : state_ + 1;
    SetState(next);
    if (self && CanFocus()) {
        SetFocus();
    }
    if (self) {
        fw::CustomControl::Click();
    }
}

void TILCustomCheckCtrl::KeyPress(char32_t& key)
{
    fw::WeakRef<TILCustomCheckCtrl> self(this);
    fw::CustomControl::KeyPress(key);
    if (self && (key == U'\r' || key == U' ')) {
        key = 0;
        Click();
    }
}

void TILCustomCheckCtrl::SetEnabled(bool enabled)
{
    fw::CustomControl::SetEnabled(enabled);
    Changed();
}

void TILCustomCheckCtrl::SetParent(fw::WinControl* parent)
{
    fw::CustomControl::SetParent(parent);
    // A control built in code gets its caption before its parent: size it once it can.
    if (parent != nullptr) {
        Changed();
    }
}

void TILCustomCheckCtrl::Loaded()
{
    fw::CustomControl::Loaded();
    // Sizing waited while the form was built.
    Changed();
}

void TILCustomCheckCtrl::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case fw::CM_FONTCHANGED:
        fw::CustomControl::Dispatch(message);
        Changed();
        return;
    case fw::CM_TEXTCHANGED:
        fw::CustomControl::Dispatch(message);
        if (autoWidth_ || autoHeight_) {
            AutoSize();
        }
        Invalidate();
        return;
    case fw::WM_SETFOCUS:
    case fw::WM_KILLFOCUS:
        fw::CustomControl::Dispatch(message);
        Invalidate();
        return;
    case WM_ILPANEL_PARENTBRUSHCHANGED:
        // The parent's fill is this control's background when it follows the parent.
        if (parentBrush_) {
            Invalidate();
        }
        return;
    default: break;
    }
    fw::CustomControl::Dispatch(message);
}

// --- TILBitmapCheckCtrl ------------------------------------------------------------------------------

TILBitmapCheckCtrl::TILBitmapCheckCtrl(fw::Component* owner) : TILCustomCheckCtrl(owner) {}

const fw::Bitmap* TILBitmapCheckCtrl::GetStateImage(std::int32_t state, bool enabled) const
{
    const std::vector<const fw::Bitmap*>& list = enabled ? enabledImages_ : disabledImages_;
    if (state < 0 || static_cast<std::size_t>(state) >= list.size()) {
        return nullptr;
    }
    return list[static_cast<std::size_t>(state)];
}

void TILBitmapCheckCtrl::SetStateImage(std::int32_t state, bool enabled, const fw::Bitmap* graphic)
{
    if (state < 0 || state > GetMaxState()) {
        return;
    }
    std::vector<const fw::Bitmap*>& list = enabled ? enabledImages_ : disabledImages_;
    if (list.size() <= static_cast<std::size_t>(state)) {
        list.resize(static_cast<std::size_t>(state) + 1, nullptr);
    }
    list[static_cast<std::size_t>(state)] = graphic;
    Invalidate();
}

// --- TILToggleCheckCtrl ------------------------------------------------------------------------------

TILToggleCheckCtrl::TILToggleCheckCtrl(fw::Component* owner) : TILBitmapCheckCtrl(owner) {}
