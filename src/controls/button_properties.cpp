#include "controls/button_properties.h"

#include "controls/image_button.h"

namespace {

constexpr TILButtonImage AllImages[TILButtonImageCount] = {TILButtonImage::Active, TILButtonImage::Disabled,
                                                           TILButtonImage::Down, TILButtonImage::Inactive,
                                                           TILButtonImage::Repeat};

std::size_t IndexOf(TILButtonImage image)
{
    return static_cast<std::size_t>(image);
}

// The button's own picture setter for each bundle image.
void SetButtonPicture(TILButton& button, TILButtonImage image, const fw::Bitmap& picture)
{
    switch (image) {
    case TILButtonImage::Active: button.SetImageActive(picture); break;
    case TILButtonImage::Disabled: button.SetImageDisabled(picture); break;
    case TILButtonImage::Down: button.SetImageDown(picture); break;
    case TILButtonImage::Inactive: button.SetImageInactive(picture); break;
    case TILButtonImage::Repeat: button.SetImageRepeat(picture); break;
    }
}

} // namespace

// --- TILButtonCustomPropertiesBase ----------------------------------------------------------

void TILButtonCustomPropertiesBase::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILButtonCustomPropertiesBase*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    SetBrush(other->Brush());
    SetFramed(other->Framed());
    SetHint(other->Hint());
    for (const TILButtonImage image : AllImages) {
        SetImage(image, other->Image(image));
    }
    SetReactTransparent(other->ReactTransparent());
    SetTransparent(other->Transparent());
    SetKeepDown(other->KeepDown());
}

void TILButtonCustomPropertiesBase::AssignTo(fw::Persistent* destination) const
{
    auto* button = dynamic_cast<TILButton*>(destination);
    if (button == nullptr) {
        fw::Persistent::AssignTo(destination);
        return;
    }
    button->SetBrush(Brush());
    button->SetFramed(Framed());
    button->SetHint(Hint());
    for (const TILButtonImage image : AllImages) {
        const fw::Bitmap* resolved = Image(image).GetImage();
        SetButtonPicture(*button, image, resolved != nullptr ? *resolved : fw::Bitmap());
    }
    button->SetReactTransparent(ReactTransparent());
    button->SetTransparent(Transparent());
    button->SetKeepDown(KeepDown());
}

// --- TILButtonLocalPropertiesBase -----------------------------------------------------------

TILButtonLocalPropertiesBase::TILButtonLocalPropertiesBase() : brush_(std::make_unique<TILBrush>())
{
    brush_->SetColour(fw::clBtnFace);
    brush_->SetOnBrushChange([this](fw::Object*) { PartChanged(); });
    for (auto& image : images_) {
        image = std::make_unique<TILImageReference>();
        image->SetOnChange([this](fw::Object*) { PartChanged(); });
    }
}

TILButtonLocalPropertiesBase::~TILButtonLocalPropertiesBase()
{
    onChange_ = nullptr;
    brush_->SetOnBrushChange(nullptr);
    for (auto& image : images_) {
        image->SetOnChange(nullptr);
    }
}

void TILButtonLocalPropertiesBase::PartChanged()
{
    // A setter that copies a whole brush or reference reports once, at its end.
    if (copying_ == 0) {
        Changed();
    }
}

void TILButtonLocalPropertiesBase::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILButtonLocalPropertiesBase::SetBrush(const TILBrush& brush)
{
    ++copying_;
    brush_->Assign(&brush);
    --copying_;
    Changed();
}

void TILButtonLocalPropertiesBase::SetFramed(bool framed)
{
    framed_ = framed;
    Changed();
}

void TILButtonLocalPropertiesBase::SetHint(const std::string& hint)
{
    hint_ = hint;
    Changed();
}

TILImageReference& TILButtonLocalPropertiesBase::Image(TILButtonImage index) const
{
    return *images_[IndexOf(index)];
}

void TILButtonLocalPropertiesBase::SetImage(TILButtonImage index, const TILImageReference& image)
{
    ++copying_;
    images_[IndexOf(index)]->Assign(&image);
    --copying_;
    Changed();
}

void TILButtonLocalPropertiesBase::SetReactTransparent(bool react)
{
    reactTransparent_ = react;
    Changed();
}

void TILButtonLocalPropertiesBase::SetTransparent(fw::Color colour)
{
    transparent_ = colour;
    Changed();
}

void TILButtonLocalPropertiesBase::SetKeepDown(bool keepDown)
{
    keepDown_ = keepDown;
    Changed();
}

// --- TILButtonCustomPropertiesRecord --------------------------------------------------------

TILButtonCustomPropertiesRecord::TILButtonCustomPropertiesRecord() : brush_(std::make_unique<TILBrush>())
{
    brush_->SetOnBrushChange([this](fw::Object*) { PartChanged(); });
    for (auto& image : images_) {
        image = std::make_unique<TILImageReference>();
        image->SetOnChange([this](fw::Object*) { PartChanged(); });
    }
}

TILButtonCustomPropertiesRecord::~TILButtonCustomPropertiesRecord()
{
    onChange_ = nullptr;
    brush_->SetOnBrushChange(nullptr);
    for (auto& image : images_) {
        image->SetOnChange(nullptr);
    }
}

void TILButtonCustomPropertiesRecord::PartChanged()
{
    if (copying_ == 0) {
        Changed();
    }
}

void TILButtonCustomPropertiesRecord::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILButtonCustomPropertiesRecord::SetBrush(const TILBrush& brush)
{
    ++copying_;
    brush_->Assign(&brush);
    --copying_;
    Changed();
}

void TILButtonCustomPropertiesRecord::SetFramed(bool framed)
{
    framed_ = framed;
    Changed();
}

TILImageReference& TILButtonCustomPropertiesRecord::Image(TILButtonImage index) const
{
    return *images_[IndexOf(index)];
}

void TILButtonCustomPropertiesRecord::SetImage(TILButtonImage index, const TILImageReference& image)
{
    ++copying_;
    images_[IndexOf(index)]->Assign(&image);
    --copying_;
    Changed();
}

void TILButtonCustomPropertiesRecord::SetTransparent(fw::Color colour)
{
    transparent_ = colour;
    Changed();
}

void TILButtonCustomPropertiesRecord::Assign(const fw::Persistent* source)
{
    if (const auto* record = dynamic_cast<const TILButtonCustomPropertiesRecord*>(source)) {
        if (record == this) {
            return;
        }
        SetBrush(record->Brush());
        SetFramed(record->Framed());
        for (const TILButtonImage image : AllImages) {
            SetImage(image, record->Image(image));
        }
        SetTransparent(record->Transparent());
        return;
    }
    if (const auto* bundle = dynamic_cast<const TILButtonCustomPropertiesBase*>(source)) {
        SetBrush(bundle->Brush());
        SetFramed(bundle->Framed());
        for (const TILButtonImage image : AllImages) {
            SetImage(image, bundle->Image(image));
        }
        SetTransparent(bundle->Transparent());
        return;
    }
    fw::Persistent::Assign(source);
}

void TILButtonCustomPropertiesRecord::AssignTo(fw::Persistent* destination) const
{
    if (auto* record = dynamic_cast<TILButtonCustomPropertiesRecord*>(destination)) {
        record->Assign(this);
        return;
    }
    if (auto* bundle = dynamic_cast<TILButtonCustomPropertiesBase*>(destination)) {
        bundle->SetBrush(Brush());
        bundle->SetFramed(Framed());
        for (const TILButtonImage image : AllImages) {
            bundle->SetImage(image, Image(image));
        }
        bundle->SetTransparent(Transparent());
        return;
    }
    fw::Persistent::AssignTo(destination);
}
