#include "controls/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "framework/core/strings.h"

namespace {

constexpr fw::Color TrackColour = 0x00E4E4E4;
constexpr fw::Color ArrowTransparent = 0x00FF00FF;
constexpr int MinButtonSize = 5;
constexpr int MinPause = 25;

constexpr TILButtonImage AllImages[TILButtonImageCount] = {TILButtonImage::Active, TILButtonImage::Disabled,
                                                           TILButtonImage::Down, TILButtonImage::Inactive,
                                                           TILButtonImage::Repeat};

// Halves go to the even neighbour, as the platform's rounding does.
long long RoundHalfEven(long double value)
{
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    auto result = static_cast<long long>(lower);
    if (fraction > 0.5L || (fraction == 0.5L && result % 2 != 0)) {
        ++result;
    }
    return result;
}

std::uint16_t PauseForButton(int ms)
{
    return static_cast<std::uint16_t>(std::min(ms, 0xFFFF));
}

bool Contains(const fw::Rect& inclusive, fw::Point point)
{
    return point.X >= inclusive.Left && point.X <= inclusive.Right && point.Y >= inclusive.Top
           && point.Y <= inclusive.Bottom;
}

fw::Rect Exclusive(const fw::Rect& inclusive)
{
    return fw::Rect{inclusive.Left, inclusive.Top, inclusive.Right + 1, inclusive.Bottom + 1};
}

} // namespace

TILScrollBar::TILScrollBar(fw::Component* owner)
    : fw::GraphicControl(owner),
      background_(std::make_unique<TILBrushBevel>(this)),
      leftUp_(std::make_unique<TILButtonLocalProperties>()),
      rightDown_(std::make_unique<TILButtonLocalProperties>()),
      slider_(std::make_unique<TILScrollbarSlider>(this))
{
    background_->SetBevelOuter(TBevelCut::None);
    background_->FillBrush().SetSimple(TrackColour, fw::BrushStyle::Solid);
    for (TILButtonLocalProperties* arrow : {leftUp_.get(), rightDown_.get()}) {
        arrow->SetTransparent(ArrowTransparent);
        for (const TILButtonImage image : AllImages) {
            arrow->Image(image).SetImageName(DefaultImageName(arrow == leftUp_.get(), image, kind_));
        }
    }
    slider_->SetOnChange([this](fw::Object*) { Invalidate(); });

    SetBounds(Left(), Top(), 100, 16);
    if (auto* windowed = dynamic_cast<fw::WinControl*>(owner)) {
        SetParent(windowed);
    }

    // The arrows belong to the bar but sit beside it on its parent.
    auto* leftUpButton = new TILButton(this);
    auto* rightDownButton = new TILButton(this);
    leftUpButton_ = fw::WeakRef<TILButton>(leftUpButton);
    rightDownButton_ = fw::WeakRef<TILButton>(rightDownButton);
    for (TILButton* button : {leftUpButton, rightDownButton}) {
        const int direction = button == leftUpButton ? -1 : 1;
        button->SetAllowRepeat(true);
        button->SetRepeatInitial(PauseForButton(longPause_));
        button->SetRepeatInterval(PauseForButton(shortPause_));
        button->SetOnClick([this, direction](fw::Object*) { ArrowStep(direction); });
        button->SetOnRepeatDown([this, direction](fw::Object*) { ArrowStep(direction); });
        button->SetParent(Parent());
    }
    leftUp_->SetOnChange([this](fw::Object*) { ApplyArrowProperties(); });
    rightDown_->SetOnChange([this](fw::Object*) { ApplyArrowProperties(); });
    ApplyArrowProperties();
    constructed_ = true;
    Layout();
}

TILScrollBar::~TILScrollBar()
{
    FreePageTimer();
    onScroll_ = nullptr;
    onChangeMin_ = nullptr;
    onChangeMax_ = nullptr;
    leftUp_->SetOnChange(nullptr);
    rightDown_->SetOnChange(nullptr);
    slider_->SetOnChange(nullptr);
    // The parent may have freed the arrows already (it frees its children, the newest
    // first); those still here go with the bar.
    delete leftUpButton_.Get();
    delete rightDownButton_.Get();
}

// --- Kind and size ------------------------------------------------------------------------

std::string TILScrollBar::DefaultImageName(bool leftUp, TILButtonImage image, TScrollBarKind kind) const
{
    std::string name = "ILSCRBAR_IMG_";
    if (kind == TScrollBarKind::Horizontal) {
        name += leftUp ? "L" : "R";
    } else {
        name += leftUp ? "U" : "D";
    }
    switch (image) {
    case TILButtonImage::Active: name += "_ACTIVE"; break;
    case TILButtonImage::Inactive: name += "_INACTIVE"; break;
    case TILButtonImage::Down: name += "_DOWN"; break;
    case TILButtonImage::Disabled: name += "_DISABLED"; break;
    case TILButtonImage::Repeat: name += "_REPEAT"; break;
    }
    return name;
}

void TILScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == kind_) {
        return;
    }
    const TScrollBarKind old = kind_;
    kind_ = kind;
    for (TILButtonLocalProperties* arrow : {leftUp_.get(), rightDown_.get()}) {
        const bool leftUp = arrow == leftUp_.get();
        for (const TILButtonImage image : AllImages) {
            TILImageReference& reference = arrow->Image(image);
            const bool atDefault =
                reference.ImageName().empty() || fw::SameText(reference.ImageName(), DefaultImageName(leftUp, image, old));
            if (atDefault && reference.Image() == nullptr) {
                reference.SetImageName(DefaultImageName(leftUp, image, kind));
            }
        }
    }
    ApplyArrowProperties();
    SetBounds(Left(), Top(), Height(), Width());
    Layout();
}

void TILScrollBar::SetButtonSize(int size)
{
    buttonSize_ = std::max(size, MinButtonSize);
    Layout();
}

// --- Looks --------------------------------------------------------------------------------

void TILScrollBar::SetBackground(const TILBrushBevel& background)
{
    background_->Assign(&background);
}

void TILScrollBar::SetLeftUp(const TILButtonLocalProperties& properties)
{
    leftUp_->Assign(&properties);
}

void TILScrollBar::SetRightDown(const TILButtonLocalProperties& properties)
{
    rightDown_->Assign(&properties);
}

void TILScrollBar::SetSlider(const TILScrollbarSlider& slider)
{
    slider_->Assign(&slider);
}

void TILScrollBar::ApplyArrowProperties()
{
    if (TILButton* button = leftUpButton_.Get()) {
        button->Assign(leftUp_.get());
    }
    if (TILButton* button = rightDownButton_.Get()) {
        button->Assign(rightDown_.get());
    }
}

// --- Range and steps ------------------------------------------------------------------------

int TILScrollBar::Count() const
{
    return maximum_ - minimum_ + 1;
}

int TILScrollBar::MaxPosition() const
{
    const int last = slider_->range_ > 1 ? maximum_ - slider_->range_ + 1 : maximum_;
    return std::max(last, minimum_);
}

void TILScrollBar::SetMinimum(int minimum)
{
    minimum_ = std::min(minimum, maximum_);
    if (position_ < minimum_) {
        position_ = minimum_;
    }
    RecomputeSlider();
    Invalidate();
    const fw::NotifyEvent handler = onChangeMin_;
    if (handler) {
        handler(this);
    }
}

void TILScrollBar::SetMaximum(int maximum)
{
    maximum_ = std::max(maximum, minimum_);
    // Past the last place the slider can take, not only past the maximum: a proportional
    // slider would otherwise stand for positions beyond the range.
    if (position_ > MaxPosition()) {
        const fw::WeakRef<TILScrollBar> self(this);
        SetPosition(MaxPosition());
        if (!self) {
            return;
        }
    }
    RecomputeSlider();
    Invalidate();
    const fw::NotifyEvent handler = onChangeMax_;
    if (handler) {
        handler(this);
    }
}

void TILScrollBar::SetPosition(int position)
{
    position = std::max(position, minimum_);
    position = std::min(position, MaxPosition());
    if (position == position_) {
        return;
    }
    const int old = position_;
    position_ = position;
    PlaceSliderForPosition();
    RepaintTrack();
    if (!moving_) {
        FireScroll(position - old);
    }
}

void TILScrollBar::SetLongPause(int ms)
{
    longPause_ = std::max(ms, MinPause);
    for (TILButton* button : {leftUpButton_.Get(), rightDownButton_.Get()}) {
        if (button != nullptr) {
            button->SetRepeatInitial(PauseForButton(longPause_));
        }
    }
}

void TILScrollBar::SetShortPause(int ms)
{
    shortPause_ = std::max(ms, MinPause);
    for (TILButton* button : {leftUpButton_.Get(), rightDownButton_.Get()}) {
        if (button != nullptr) {
            button->SetRepeatInterval(PauseForButton(shortPause_));
        }
    }
}

void TILScrollBar::FireScroll(int scrolledBy)
{
    const TILScrollEvent handler = onScroll_;
    if (handler) {
        handler(this, scrolledBy);
    }
}

// --- Moving -------------------------------------------------------------------------------

void TILScrollBar::ArrowStep(int direction)
{
    MoveBy(direction * smallChange_);
}

void TILScrollBar::MoveBy(int positions)
{
    if (scrollByPixel_) {
        DragBy(positions);
        return;
    }
    const int step = std::clamp(positions, minimum_ - position_, std::max(MaxPosition() - position_, minimum_ - position_));
    if (step == 0) {
        return;
    }
    // The move reports itself, with the step it made.
    moving_ = true;
    SetPosition(position_ + step);
    RepaintTrack();
    moving_ = false;
    FireScroll(step);
}

void TILScrollBar::DragBy(int pixels)
{
    const int room = std::max(TrackLength() - slider_->length_, 0);
    const int offset = std::clamp(SliderOffset() + pixels, 0, room);
    int position = PixelToPosition(offset);
    if (slider_->range_ > 1 && position + slider_->range_ - 1 > maximum_) {
        position = maximum_ - slider_->range_ + 1;
    }
    const int moved = position - position_;
    position_ = position;
    // Pixel-exact: the slider stays where the mouse put it, not where its position would.
    PlaceSliderAtOffset(offset);
    RepaintTrack();
    if (scrollByPixel_ || moved != 0) {
        FireScroll(moved);
    }
}

int TILScrollBar::PixelToPosition(int pixels) const
{
    if (ratio_ == 0) {
        return minimum_;
    }
    // A hair above the quotient, so an offset that a position maps to exactly maps back to
    // it even when the ratio is not exact in binary.
    const long double positions = static_cast<long double>(pixels) / ratio_ + 1e-9L;
    const auto whole = static_cast<long long>(positions);
    return static_cast<int>(std::clamp<long long>(minimum_ + whole, minimum_, maximum_));
}

// --- Geometry ------------------------------------------------------------------------------

int TILScrollBar::TrackLength() const
{
    const int length = kind_ == TScrollBarKind::Horizontal ? track_.Right - track_.Left + 1 : track_.Bottom - track_.Top + 1;
    return std::max(length, 0);
}

int TILScrollBar::SliderOffset() const
{
    const fw::Rect& slider = slider_->rect_;
    return kind_ == TScrollBarKind::Horizontal ? slider.Left - track_.Left : slider.Top - track_.Top;
}

void TILScrollBar::Layout()
{
    if (!constructed_) {
        return;
    }
    PlaceArrows();
    ComputeTrack();
    RecomputeSlider();
    Invalidate();
}

void TILScrollBar::PlaceArrows()
{
    TILButton* first = leftUpButton_.Get();
    TILButton* second = rightDownButton_.Get();
    if (kind_ == TScrollBarKind::Horizontal) {
        if (first != nullptr) {
            first->SetBounds(Left(), Top(), buttonSize_, Height());
        }
        if (second != nullptr) {
            second->SetBounds(Left() + Width() - buttonSize_, Top(), buttonSize_, Height());
        }
    } else {
        if (first != nullptr) {
            first->SetBounds(Left(), Top(), Width(), buttonSize_);
        }
        if (second != nullptr) {
            second->SetBounds(Left(), Top() + Height() - buttonSize_, Width(), buttonSize_);
        }
    }
}

void TILScrollBar::ComputeTrack()
{
    if (kind_ == TScrollBarKind::Horizontal) {
        track_ = fw::Rect{buttonSize_, 0, Width() - buttonSize_ - 1, Height() - 1};
    } else {
        track_ = fw::Rect{0, buttonSize_, Width() - 1, Height() - buttonSize_ - 1};
    }
}

void TILScrollBar::RecomputeSlider()
{
    const int trackLength = TrackLength();
    const int count = Count();
    const int range = slider_->range_;
    int length = 0;
    if (range > 1) {
        length = static_cast<int>(static_cast<long long>(trackLength) * range / std::max(count, 1));
        length = std::max(length, slider_->minSize_);
    } else {
        length = slider_->fixedSize_;
    }
    length = std::max(std::min(length, trackLength), 0);
    slider_->length_ = length;

    // The room the slider moves in is what its actual length leaves of the track (a fixed
    // size longer than a shrunken track would otherwise give a negative ratio).
    const int steps = range > 1 ? count - range : count - 1;
    ratio_ = steps != 0 ? static_cast<long double>(trackLength - length) / steps : 0;
    PlaceSliderForPosition();
}

void TILScrollBar::PlaceSliderForPosition()
{
    const int trackLength = TrackLength();
    const int length = slider_->length_;
    long long offset = RoundHalfEven(static_cast<long double>(position_ - minimum_) * ratio_);
    if (offset + length > trackLength) {
        offset = trackLength - length;
    }
    offset = std::max<long long>(offset, 0);
    PlaceSliderAtOffset(static_cast<int>(offset));
}

void TILScrollBar::PlaceSliderAtOffset(int offset)
{
    const int length = slider_->length_;
    fw::Rect& slider = slider_->rect_;
    if (kind_ == TScrollBarKind::Horizontal) {
        slider = fw::Rect{track_.Left + offset, track_.Top, track_.Left + offset + length - 1, track_.Bottom};
        pageBefore_ = fw::Rect{track_.Left, track_.Top, slider.Left - 1, track_.Bottom};
        pageAfter_ = fw::Rect{slider.Right + 1, track_.Top, track_.Right, track_.Bottom};
    } else {
        slider = fw::Rect{track_.Left, track_.Top + offset, track_.Right, track_.Top + offset + length - 1};
        pageBefore_ = fw::Rect{track_.Left, track_.Top, track_.Right, slider.Top - 1};
        pageAfter_ = fw::Rect{track_.Left, slider.Bottom + 1, track_.Right, track_.Bottom};
    }
}

bool TILScrollBar::InPageArea(const fw::Rect& area, fw::Point point) const
{
    return Contains(area, point);
}

bool TILScrollBar::OnSlider(fw::Point point) const
{
    return Contains(slider_->rect_, point);
}

// --- Paging -------------------------------------------------------------------------------

int TILScrollBar::PageStep() const
{
    // The press and every repeat page by the same step: a fixed slider pages by
    // LargeChange all the way, not by one position after the first page.
    return slider_->range_ != 1 ? slider_->range_ : largeChange_;
}

void TILScrollBar::PageBy(int direction)
{
    if (pageTimer_ != nullptr && direction != pageDirection_) {
        FreePageTimer();
        return;
    }
    const fw::WeakRef<TILScrollBar> self(this);
    MoveBy(PageStep() * direction);
    if (!self) {
        return;
    }
    if (pageTimer_ == nullptr) {
        pageTimer_ = std::make_unique<fw::Timer>();
        pageTimer_->SetEnabled(false);
        pageTimer_->SetOnTimer([this](fw::Object*) { PageTick(); });
    }
    pageDirection_ = direction;
    pageTimer_->SetInterval(longPause_);
    pageTimer_->SetEnabled(true);
}

void TILScrollBar::PageTick()
{
    const fw::WeakRef<TILScrollBar> self(this);
    fw::Timer* timer = pageTimer_.get();
    timer->SetEnabled(false);
    timer->SetInterval(shortPause_);
    // Only while the mouse is still on the side of the slider it pages towards: once the
    // slider has passed the mouse, paging stands still.
    const fw::Rect& area = pageDirection_ < 0 ? pageBefore_ : pageAfter_;
    if (InPageArea(area, lastMouse_)) {
        MoveBy(PageStep() * pageDirection_);
        if (!self) {
            return;
        }
    }
    if (pageTimer_.get() == timer) {
        timer->SetEnabled(true);
    }
}

void TILScrollBar::FreePageTimer()
{
    pageTimer_.reset();
}

// --- Slider state ---------------------------------------------------------------------------

void TILScrollBar::SetSliderState(TILSliderState state, bool force)
{
    if (!force && slider_->state_ == TILSliderState::Disabled) {
        return;
    }
    if (state == slider_->state_) {
        return;
    }
    slider_->state_ = state;
    RepaintTrack();
}

// --- Control overrides ----------------------------------------------------------------------

void TILScrollBar::Dispatch(fw::Message& message)
{
    const fw::WeakRef<TILScrollBar> self(this);
    fw::GraphicControl::Dispatch(message);
    // After the framework's handling: its resize event may have freed the bar.
    if (self && (message.Msg == fw::WM_SIZE || message.Msg == fw::WM_MOVE)) {
        Layout();
    }
}

void TILScrollBar::SetEnabled(bool enabled)
{
    fw::GraphicControl::SetEnabled(enabled);
    for (TILButton* button : {leftUpButton_.Get(), rightDownButton_.Get()}) {
        if (button != nullptr) {
            button->SetEnabled(enabled);
        }
    }
    SetSliderState(enabled ? TILSliderState::Inactive : TILSliderState::Disabled, true);
    Invalidate();
}

void TILScrollBar::SetVisible(bool visible)
{
    fw::GraphicControl::SetVisible(visible);
    for (TILButton* button : {leftUpButton_.Get(), rightDownButton_.Get()}) {
        if (button != nullptr) {
            button->SetVisible(visible);
        }
    }
}

void TILScrollBar::SetParent(fw::WinControl* parent)
{
    fw::GraphicControl::SetParent(parent);
    for (TILButton* button : {leftUpButton_.Get(), rightDownButton_.Get()}) {
        if (button != nullptr) {
            button->SetParent(parent);
        }
    }
    Layout();
}

void TILScrollBar::Loaded()
{
    fw::GraphicControl::Loaded();
    SetEnabled(Enabled());
    Layout();
}

TILBrushControl* TILScrollBar::ParentControl() const
{
    return dynamic_cast<TILBrushControl*>(Parent());
}

// --- Mouse --------------------------------------------------------------------------------

void TILScrollBar::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::WeakRef<TILScrollBar> self(this);
    fw::GraphicControl::MouseDown(button, shift, x, y);
    if (!self || button != fw::MouseButton::Left) {
        return;
    }
    const fw::Point point{x, y};
    lastMouse_ = point;
    if (OnSlider(point)) {
        SetSliderState(TILSliderState::Down);
    } else if (InPageArea(pageBefore_, point)) {
        PageBy(-1);
    } else if (InPageArea(pageAfter_, point)) {
        PageBy(1);
    }
}

void TILScrollBar::MouseMove(fw::ShiftState shift, int x, int y)
{
    const fw::WeakRef<TILScrollBar> self(this);
    fw::GraphicControl::MouseMove(shift, x, y);
    if (!self) {
        return;
    }
    const fw::Point point{x, y};
    if (slider_->state_ == TILSliderState::Down) {
        const int travel = kind_ == TScrollBarKind::Horizontal ? x - lastMouse_.X : y - lastMouse_.Y;
        lastMouse_ = point;
        DragBy(travel);
        return;
    }
    if (OnSlider(point)) {
        FreePageTimer();
        SetSliderState(shift.Contains(fw::ShiftFlag::Left) ? TILSliderState::Down : TILSliderState::Active);
    } else {
        SetSliderState(TILSliderState::Inactive);
    }
    lastMouse_ = point;
}

void TILScrollBar::MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::WeakRef<TILScrollBar> self(this);
    fw::GraphicControl::MouseUp(button, shift, x, y);
    if (!self || button != fw::MouseButton::Left) {
        return;
    }
    if (slider_->state_ == TILSliderState::Down) {
        // A drag may end away from the bar, where no mouse-leave will follow any more.
        const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
        SetSliderState(inside ? TILSliderState::Active : TILSliderState::Inactive);
    }
    FreePageTimer();
}

void TILScrollBar::CMMouseLeave(fw::Message& message)
{
    // A dragged slider keeps the mouse: the drag goes on when the pointer strays off the
    // bar and ends with the release.
    if (slider_->state_ != TILSliderState::Down) {
        SetSliderState(TILSliderState::Inactive);
    }
    fw::GraphicControl::CMMouseLeave(message);
}

// --- Painting -----------------------------------------------------------------------------

void TILScrollBar::Paint()
{
    fw::Canvas& canvas = Canvas();
    background_->DrawSquare(canvas, fw::Rect{0, 0, Width() - 1, Height() - 1}, false, 0, TILBevelGap{},
                            background_->BevelWidth());
    PaintSlider(canvas);
}

void TILScrollBar::RepaintTrack()
{
    if (Parent() == nullptr || Width() <= 0 || Height() <= 0 || TrackLength() <= 0) {
        return;
    }
    // Drawn off screen first, as the whole bar, so that only the finished track goes onto
    // the bar: no flicker of a background without its slider.
    fw::Bitmap picture(Width(), Height());
    fw::Canvas offScreen(picture, EffectivePaintBackend());
    background_->DrawSquare(offScreen, fw::Rect{0, 0, Width() - 1, Height() - 1}, false, 0, TILBevelGap{},
                            background_->BevelWidth());
    PaintSlider(offScreen);
    const fw::Rect track = Exclusive(track_);
    Canvas().CopyRect(track, picture, track);
}

void TILScrollBar::PaintSlider(fw::Canvas& canvas)
{
    const fw::Rect& inclusive = slider_->rect_;
    if (inclusive.Right < inclusive.Left || inclusive.Bottom < inclusive.Top) {
        return;
    }
    const fw::Rect area = Exclusive(inclusive);
    slider_->Brush().PaintTo(canvas);
    canvas.FillRect(area);

    const bool framed = slider_->Framed();
    if (const fw::Bitmap* image = slider_->ImageForState(slider_->state_)) {
        const fw::Rect inside =
            framed ? fw::Rect{area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1} : area;
        const int x = inside.Left + (inside.Width() - image->Width()) / 2;
        const int y = inside.Top + (inside.Height() - image->Height()) / 2;
        // A copy: the picture belongs to the image library and others draw it too.
        fw::Bitmap drawn = *image;
        const fw::Color transparent = slider_->Transparent();
        drawn.SetTransparent(transparent != fw::clNone);
        if (transparent != fw::clNone) {
            drawn.SetTransparentColor(fw::ColorToRGB(transparent));
        }
        const std::optional<fw::Region> savedClip = canvas.ClipRegion();
        canvas.IntersectClipRect(inside);
        canvas.Draw(x, y, drawn);
        canvas.SetClipRegion(savedClip);
    }
    if (framed) {
        const bool sunken = slider_->state_ == TILSliderState::Down && slider_->Invert();
        canvas.DrawEdge(area, sunken ? fw::BDR_SUNKENOUTER : fw::BDR_RAISEDINNER, fw::BF_RECT);
    }
}
