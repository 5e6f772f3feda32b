#include "controls/msg_scroll.h"

#include "framework/core/paint_backend.h"
#include "framework/gui/timer.h"

// --- TILMsgScrollItem --------------------------------------------------------------------------

void TILMsgScrollItem::SetImage(const fw::Bitmap& image)
{
    image_ = image;
    PrepareImages();
}

void TILMsgScrollItem::SetTransparentColour(fw::Color colour)
{
    transparentColour_ = colour;
    PrepareImages();
}

std::string TILMsgScrollItem::DisplayName() const
{
    return scrollType_ == TILMsgScrollType::tmsScrollImage ? std::string("[Image]") : text_;
}

void TILMsgScrollItem::PrepareImages()
{
    // AND with the mask keeps the background where the picture has its transparent colour and
    // clears it elsewhere; OR with the masked picture then puts the picture's own pixels there.
    const int width = image_.Width();
    const int height = image_.Height();
    mask_ = fw::Bitmap(width, height);
    maskedImage_ = fw::Bitmap(width, height);
    const std::uint32_t key = transparentColour_ & fw::Bitmap::White;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = image_.Pixel(x, y);
            const bool transparent = pixel == key;
            mask_.SetPixel(x, y, transparent ? fw::Bitmap::White : fw::Bitmap::Black);
            maskedImage_.SetPixel(x, y, transparent ? fw::Bitmap::Black : pixel);
        }
    }
}

void TILMsgScrollItem::Assign(const fw::Persistent* source)
{
    if (const auto* other = dynamic_cast<const TILMsgScrollItem*>(source)) {
        scrollType_ = other->scrollType_;
        bottomSpace_ = other->bottomSpace_;
        horzMargin_ = other->horzMargin_;
        horzAlign_ = other->horzAlign_;
        text_ = other->text_;
        image_ = other->image_;
        transparentColour_ = other->transparentColour_;
        font_ = other->font_;
        enabled_ = other->enabled_;
        PrepareImages();
        return;
    }
    fw::Persistent::Assign(source);
}

// --- TILMsgScrollItemCollection ----------------------------------------------------------------

TILMsgScrollItem* TILMsgScrollItemCollection::GetItem(int index) const
{
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

TILMsgScrollItem* TILMsgScrollItemCollection::Add()
{
    items_.push_back(std::make_unique<TILMsgScrollItem>());
    return items_.back().get();
}

void TILMsgScrollItemCollection::Delete(int index)
{
    if (index >= 0 && index < Count()) {
        items_.erase(items_.begin() + index);
    }
}

void TILMsgScrollItemCollection::Assign(const TILMsgScrollItemCollection& source)
{
    if (&source == this) {
        return;
    }
    Clear();
    for (const auto& item : source.items_) {
        Add()->Assign(item.get());
    }
}

// --- TILMsgScroll -------------------------------------------------------------------------------

TILMsgScroll::TILMsgScroll(fw::Component* owner)
    : fw::CustomControl(owner), timer_(std::make_unique<fw::Timer>())
{
    SetColor(fw::clNone);
    // Every pixel comes from the picture it draws into.
    SetControlStyle(ControlStyle().Include(fw::ControlStyleFlag::Opaque));
    timer_->SetEnabled(false);
    timer_->SetOnTimer([this](fw::Object*) { ScrollTick(); });
}

TILMsgScroll::~TILMsgScroll()
{
    StopScroll();
}

void TILMsgScroll::SetBackground(const fw::Bitmap& picture)
{
    background_ = picture;
    ResetOffScreen();
    scrollPosition_ = background_.Height();
    ApplySizing();
}

void TILMsgScroll::SetSizeToBackground(bool size)
{
    sizeToBackground_ = size;
    ApplySizing();
}

void TILMsgScroll::ApplySizing()
{
    if (sizeToBackground_ && !background_.Empty()) {
        SetBounds(Left(), Top(), background_.Width(), background_.Height());
    }
}

void TILMsgScroll::ResetOffScreen()
{
    offScreen_ = background_;
    offScreen_.SetTransparent(false);
}

void TILMsgScroll::Loaded()
{
    fw::CustomControl::Loaded();
    ResetOffScreen();
    ApplySizing();
}

bool TILMsgScroll::Scrolling() const
{
    return timer_->Enabled();
}

void TILMsgScroll::StartScroll(int startPosition)
{
    if (Scrolling()) {
        return;
    }
    timer_->SetInterval(scrollSpeed_);
    if (startPosition != -1) {
        scrollPosition_ = startPosition;
    }
    LayOut();
    timer_->SetEnabled(true);
}

void TILMsgScroll::StopScroll()
{
    if (timer_) {
        timer_->SetEnabled(false);
    }
}

void TILMsgScroll::LayOut()
{
    fw::PaintBackend* backend = EffectivePaintBackend();
    int y = scrollPosition_;
    for (int i = 0; i < items_.Count(); ++i) {
        TILMsgScrollItem& item = *items_.GetItem(i);
        if (!item.Enabled()) {
            continue;
        }
        item.y_ = y;
        if (item.ScrollType() == TILMsgScrollType::tmsScrollText) {
            const fw::Size size = backend != nullptr ? backend->TextExtent(item.Font(), item.Text()) : fw::Size{};
            item.width_ = size.Width;
            item.height_ = size.Height;
        } else {
            item.width_ = item.Image().Width();
            item.height_ = item.Image().Height();
        }
        switch (item.HorzAlign()) {
        case TILMsgScrollAlign::Left: item.x_ = item.HorzMargin(); break;
        case TILMsgScrollAlign::Right: item.x_ = Width() - item.HorzMargin() - item.width_; break;
        case TILMsgScrollAlign::Centre: item.x_ = (Width() - item.width_) / 2; break;
        }
        y += item.height_ + item.BottomSpace();
    }
}

void TILMsgScroll::ScrollTick()
{
    timer_->SetEnabled(false);
    ResetOffScreen();
    // With nothing to move the picture only shows its background again.
    if (items_.Count() > 0) {
        scrollPosition_ = items_.GetItem(0)->Y();
        for (int i = 0; i < items_.Count(); ++i) {
            TILMsgScrollItem& item = *items_.GetItem(i);
            if (item.Enabled() && item.y_ < Height() && item.y_ + item.height_ >= 0) {
                DrawItem(item);
            }
            item.y_ -= scrollJump_;
        }
        const TILMsgScrollItem& last = *items_.GetItem(items_.Count() - 1);
        if (last.y_ + last.height_ < 0) {
            // Everything has left the top: all start again from the bottom edge.
            int y = Height();
            for (int i = 0; i < items_.Count(); ++i) {
                TILMsgScrollItem& item = *items_.GetItem(i);
                item.y_ = y;
                y += item.height_ + item.BottomSpace();
            }
        }
    }
    Invalidate();
    const fw::WeakRef<TILMsgScroll> self(this);
    const bool goOn = !onScroll_ || onScroll_(this);
    if (self && goOn) {
        timer_->SetEnabled(true);
    }
}

void TILMsgScroll::DrawItem(const TILMsgScrollItem& item)
{
    if (offScreen_.Empty()) {
        return;
    }
    fw::Canvas canvas(offScreen_, EffectivePaintBackend());
    if (item.ScrollType() == TILMsgScrollType::tmsScrollText) {
        if (canvas.Backend() == nullptr) {
            return;
        }
        canvas.Font() = item.Font();
        canvas.Brush().Style = fw::BrushStyle::Clear;
        canvas.TextOut(item.X(), item.Y(), item.Text());
        return;
    }
    const fw::Rect source = item.Mask().Bounds();
    const fw::Rect dest{item.X(), item.Y(), item.X() + source.Width(), item.Y() + source.Height()};
    canvas.SetCopyMode(fw::CopyMode::SrcAnd);
    canvas.CopyRect(dest, item.Mask(), source);
    canvas.SetCopyMode(fw::CopyMode::SrcPaint);
    canvas.CopyRect(dest, item.MaskedImage(), source);
    canvas.SetCopyMode(fw::CopyMode::SrcCopy);
}

void TILMsgScroll::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Draw(0, 0, offScreen_);
}
