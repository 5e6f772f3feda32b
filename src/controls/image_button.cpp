#include "controls/image_button.h"

#include "foundation/text_drawing.h"

std::optional<TILButtonState> ButtonPictureFor(TILButtonState state,
                                               const std::function<bool(TILButtonState)>& present)
{
    const auto own = [&](TILButtonState which) -> std::optional<TILButtonState> {
        if (present(which)) {
            return which;
        }
        return std::nullopt;
    };
    const auto activeChoice = [&]() -> std::optional<TILButtonState> {
        if (auto active = own(TILButtonState::Active)) {
            return active;
        }
        return own(TILButtonState::Inactive);
    };
    const auto inactiveChoice = [&]() -> std::optional<TILButtonState> {
        if (auto inactive = own(TILButtonState::Inactive)) {
            return inactive;
        }
        return activeChoice();
    };
    const auto downChoice = [&]() -> std::optional<TILButtonState> {
        if (auto down = own(TILButtonState::Down)) {
            return down;
        }
        return activeChoice();
    };
    switch (state) {
    case TILButtonState::Inactive: return inactiveChoice();
    case TILButtonState::Active: return activeChoice();
    case TILButtonState::Down: return downChoice();
    case TILButtonState::Disabled:
        if (auto disabled = own(TILButtonState::Disabled)) {
            return disabled;
        }
        return inactiveChoice();
    case TILButtonState::Repeat:
        if (auto repeat = own(TILButtonState::Repeat)) {
            return repeat;
        }
        return downChoice();
    }
    return std::nullopt;
}

TILButton::TILButton(fw::Component* owner) : fw::GraphicControl(owner)
{
    brush_.SetColour(fw::clBtnFace);
    brush_.SetOnBrushChange([this](fw::Object*) { Invalidate(); });
    fw::ControlStyle style = ControlStyle();
    style.Exclude(fw::ControlStyleFlag::DoubleClicks);
    SetControlStyle(style);
    SetBounds(Left(), Top(), 21, 21);
    if (auto* windowed = dynamic_cast<fw::WinControl*>(owner)) {
        SetParent(windowed);
    }
}

TILButton::~TILButton()
{
    brush_.SetOnBrushChange(nullptr);
    // May run inside the timer's own tick (a click handler that frees the button): the
    // clock notices the timer is gone.
    repeatTimer_.reset();
}

// --- State --------------------------------------------------------------------------------

void TILButton::SetState(TILButtonState state)
{
    if (!Enabled()) {
        state = TILButtonState::Disabled;
    }
    if (state == state_) {
        return;
    }
    state_ = state;
    if (state != TILButtonState::Down && state != TILButtonState::Repeat) {
        StopRepeat();
    }
    Invalidate();
}

void TILButton::SetEnabled(bool enabled)
{
    if (enabled == Enabled()) {
        return;
    }
    fw::GraphicControl::SetEnabled(enabled);
    SetState(enabled ? TILButtonState::Inactive : TILButtonState::Disabled);
    Invalidate();
}

// --- Looks --------------------------------------------------------------------------------

void TILButton::SetFramed(bool framed)
{
    framed_ = framed;
    Invalidate();
}

void TILButton::SetAutoFrame(bool autoFrame)
{
    autoFrame_ = autoFrame;
    Invalidate();
}

void TILButton::SetBrush(const TILBrush& brush)
{
    brush_.Assign(&brush);
    Invalidate();
}

void TILButton::SetWrapCaption(bool wrap)
{
    wrapCaption_ = wrap;
    Invalidate();
}

void TILButton::SetAlignHorz(THCanvasTextPosition align)
{
    alignHorz_ = align;
    Invalidate();
}

void TILButton::SetAlignVert(TVCanvasTextPosition align)
{
    alignVert_ = align;
    Invalidate();
}

void TILButton::SetHorzMargin(int margin)
{
    horzMargin_ = margin;
    Invalidate();
}

void TILButton::SetVertMargin(int margin)
{
    vertMargin_ = margin;
    Invalidate();
}

void TILButton::SetImgShiftDownX(int shift)
{
    imgShiftDownX_ = shift;
    Invalidate();
}

void TILButton::SetImgShiftDownY(int shift)
{
    imgShiftDownY_ = shift;
    Invalidate();
}

void TILButton::SetPicture(fw::Bitmap& picture, const fw::Bitmap& image)
{
    if (&picture != &image) {
        picture.Assign(image);
    }
    Invalidate();
}

void TILButton::SetImageInactive(const fw::Bitmap& image)
{
    SetPicture(imageInactive_, image);
}

void TILButton::SetImageActive(const fw::Bitmap& image)
{
    SetPicture(imageActive_, image);
}

void TILButton::SetImageDown(const fw::Bitmap& image)
{
    SetPicture(imageDown_, image);
}

void TILButton::SetImageDisabled(const fw::Bitmap& image)
{
    SetPicture(imageDisabled_, image);
}

void TILButton::SetImageRepeat(const fw::Bitmap& image)
{
    SetPicture(imageRepeat_, image);
}

void TILButton::SetTransparent(fw::Color colour)
{
    transparent_ = colour;
    Invalidate();
}

void TILButton::SetReactTransparent(bool react)
{
    reactTransparent_ = react;
}

void TILButton::SetKeepDown(bool keepDown)
{
    keepDown_ = keepDown;
}

// --- Pictures and hits ----------------------------------------------------------------------

fw::Bitmap* TILButton::PictureFor(TILButtonState state)
{
    const auto picture = [this](TILButtonState which) -> fw::Bitmap& {
        switch (which) {
        case TILButtonState::Inactive: return imageInactive_;
        case TILButtonState::Active: return imageActive_;
        case TILButtonState::Down: return imageDown_;
        case TILButtonState::Disabled: return imageDisabled_;
        case TILButtonState::Repeat: return imageRepeat_;
        }
        return imageInactive_;
    };
    const std::optional<TILButtonState> source =
        ButtonPictureFor(state, [&](TILButtonState which) { return !picture(which).Empty(); });
    return source ? &picture(*source) : nullptr;
}

const fw::Bitmap* TILButton::ImageForState(TILButtonState state) const
{
    // Choosing a picture changes nothing; the non-const form exists for painting, which
    // sets the chosen picture's transparency.
    return const_cast<TILButton*>(this)->PictureFor(state);
}

bool TILButton::HitTest(int x, int y) const
{
    if (shownImage_ != nullptr && transparent_ != fw::clNone && !reactTransparent_) {
        const int imageX = x - shownOrigin_.X;
        const int imageY = y - shownOrigin_.Y;
        if (!shownImage_->Contains(imageX, imageY)) {
            return false;
        }
        return shownImage_->Pixel(imageX, imageY) != (fw::ColorToRGB(transparent_) & fw::Bitmap::White);
    }
    return x >= 0 && y >= 0 && x < Width() && y < Height();
}

// --- Repeat -------------------------------------------------------------------------------

bool TILButton::Repeating() const
{
    return repeatTimer_ != nullptr && repeatTimer_->Enabled();
}

void TILButton::StartRepeat()
{
    if (repeatTimer_ == nullptr) {
        repeatTimer_ = std::make_unique<fw::Timer>();
        repeatTimer_->SetEnabled(false);
        repeatTimer_->SetOnTimer([this](fw::Object*) { RepeatTick(); });
    }
    ++repeatGeneration_;
    repeatTimer_->SetInterval(repeatInitial_);
    firstTick_ = true;
    repeatTimer_->SetEnabled(true);
}

void TILButton::StopRepeat()
{
    if (repeatTimer_ != nullptr) {
        ++repeatGeneration_;
        repeatTimer_->SetEnabled(false);
    }
}

void TILButton::FreeRepeatTimer()
{
    if (repeatTimer_ != nullptr) {
        ++repeatGeneration_;
        repeatTimer_.reset();
    }
}

void TILButton::RepeatTick()
{
    const fw::WeakRef<TILButton> self(this);
    repeatTimer_->SetEnabled(false);
    if (!keepDown_ && state_ == TILButtonState::Down) {
        SetState(TILButtonState::Repeat);
    }
    // Whatever the handlers do to the repeat (stop it by a change of state, free it by
    // the mouse leaving, start it anew) wins over the restart below.
    const std::uint64_t generation = repeatGeneration_;
    if (firstTick_) {
        if (state_ == TILButtonState::Down || state_ == TILButtonState::Repeat) {
            // Cleared first, so a release handled while the click runs finds the click
            // delivered and adds none of its own.
            firstTick_ = false;
            FireClick();
            if (!self) {
                return;
            }
        }
    } else if (state_ == TILButtonState::Repeat) {
        FireRepeatDown();
        if (!self) {
            return;
        }
    }
    if (generation != repeatGeneration_ || repeatTimer_ == nullptr) {
        return;
    }
    repeatTimer_->SetInterval(repeatInterval_);
    repeatTimer_->SetEnabled(true);
}

void TILButton::FireClick()
{
    // A copy: the handler may free the button, and with it the event it runs from.
    const fw::NotifyEvent handler = OnClick();
    if (handler) {
        handler(this);
    }
}

void TILButton::FireRepeatDown()
{
    const fw::NotifyEvent handler = onRepeatDown_;
    if (handler) {
        handler(this);
    }
}

// --- Input --------------------------------------------------------------------------------

void TILButton::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case fw::WM_LBUTTONDOWN:
    case fw::WM_LBUTTONDBLCLK:
        PressLeft(message);
        return;
    case fw::WM_LBUTTONUP:
        ReleaseLeft(message);
        return;
    default:
        fw::GraphicControl::Dispatch(message);
        return;
    }
}

void TILButton::PressLeft(fw::Message& message)
{
    const fw::Point at = fw::UnpackPoint(message.LParam);
    lastMouse_ = at;
    if (!HitTest(at.X, at.Y)) {
        fw::GraphicControl::Dispatch(message);
        return;
    }
    stateBeforePress_ = state_;
    SetState(TILButtonState::Down);
    const fw::WeakRef<TILButton> self(this);
    fw::GraphicControl::Dispatch(message);
    if (!self) {
        return;
    }
    if (state_ == TILButtonState::Down && allowRepeat_ && !Repeating()) {
        StartRepeat();
    }
}

void TILButton::ReleaseLeft(fw::Message& message)
{
    const fw::Point at = fw::UnpackPoint(message.LParam);
    lastMouse_ = at;
    StopRepeat();
    if (!(HitTest(at.X, at.Y) && keepDown_ && state_ == TILButtonState::Down)) {
        SetState(TILButtonState::Inactive);
    }
    // The framework's release: Click (which may free the button), then MouseUp.
    fw::GraphicControl::Dispatch(message);
}

void TILButton::MouseMove(fw::ShiftState shift, int x, int y)
{
    lastMouse_ = fw::Point{x, y};
    if (!(keepDown_ && state_ == TILButtonState::Down)) {
        if (!HitTest(x, y)) {
            SetState(TILButtonState::Inactive);
        } else if (state_ == TILButtonState::Inactive) {
            SetState(shift.Contains(fw::ShiftFlag::Left) ? TILButtonState::Down : TILButtonState::Active);
        }
    }
    fw::GraphicControl::MouseMove(shift, x, y);
}

void TILButton::CMMouseLeave(fw::Message& message)
{
    if (!(keepDown_ && state_ == TILButtonState::Down)) {
        SetState(TILButtonState::Inactive);
    }
    FreeRepeatTimer();
    fw::GraphicControl::CMMouseLeave(message);
}

void TILButton::Click()
{
    StopRepeat();
    if (repeatTimer_ != nullptr && !firstTick_) {
        return; // the repeat's first tick clicked already
    }
    if (!HitTest(lastMouse_.X, lastMouse_.Y)) {
        return;
    }
    const bool wasDown = stateBeforePress_ == TILButtonState::Down;
    const fw::WeakRef<TILButton> self(this);
    FireClick();
    if (!self) {
        return;
    }
    if (keepDown_ && wasDown) {
        SetState(TILButtonState::Inactive);
    }
}

// --- Painting -----------------------------------------------------------------------------

void TILButton::Paint()
{
    fw::Canvas& canvas = Canvas();
    const fw::Rect client = ClientRect();
    brush_.PaintTo(canvas);
    canvas.FillRect(client);

    fw::Bitmap* image = PictureFor(state_);
    shownImage_ = image;
    if (image != nullptr) {
        image->SetTransparent(transparent_ != fw::clNone);
        if (transparent_ != fw::clNone) {
            image->SetTransparentColor(fw::ColorToRGB(transparent_));
        }
        int x = (Width() - image->Width()) / 2;
        int y = (Height() - image->Height()) / 2;
        if (state_ == TILButtonState::Down || state_ == TILButtonState::Repeat) {
            x += imgShiftDownX_;
            y += imgShiftDownY_;
        }
        shownOrigin_ = fw::Point{x, y};
        canvas.Draw(x, y, *image);
    }

    if (!Caption().empty()) {
        PaintCaption(canvas);
    }

    const bool pressed = state_ == TILButtonState::Down || state_ == TILButtonState::Repeat;
    if (framed_ || (autoFrame_ && (pressed || state_ == TILButtonState::Active))) {
        canvas.DrawEdge(client, pressed ? fw::BDR_SUNKENOUTER : fw::BDR_RAISEDINNER, fw::BF_RECT);
    }
}

void TILButton::PaintCaption(fw::Canvas& canvas)
{
    canvas.Font() = Font();
    canvas.Brush().Style = fw::BrushStyle::Clear;
    canvas.Brush().Bitmap = nullptr;
    const int frame = framed_ ? 1 : 0;
    const int left = frame + horzMargin_;
    const int top = frame + vertMargin_;
    const int right = Width() - frame - horzMargin_;
    const int bottom = Height() - frame - vertMargin_;
    const auto vertical = static_cast<TextAlignment>(alignVert_);
    const auto horizontal = static_cast<TextAlignment>(alignHorz_);
    if (!Enabled()) {
        // Embossed: a light copy one pixel down and right under the shadow-coloured text.
        canvas.Font().Color = fw::clBtnHighlight;
        DrawWrappedTextAt(canvas, left, top, right, bottom, 1, 1, wrapCaption_, vertical, horizontal, Caption());
        canvas.Font().Color = fw::clBtnShadow;
    }
    DrawWrappedTextAt(canvas, left, top, right, bottom, 0, 0, wrapCaption_, vertical, horizontal, Caption());
}
