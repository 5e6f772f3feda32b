#include "controls/il_brush.h"

#include "controls/control_library.h"
#include "controls/default_brushes.h"

TILBrush::TILBrush()
{
    SetOnChange([this](fw::Object*) { ImageChanged(); });
}

TILBrush::~TILBrush()
{
    onBrushChange_ = nullptr;
}

void TILBrush::BrushChanged()
{
    if (onBrushChange_) {
        onBrushChange_(this);
    }
}

void TILBrush::ImageChanged()
{
    // The stored colour and style stay as they are; only the bitmap follows the cache.
    brush_.Bitmap = CachedImage();
    BrushChanged();
}

void TILBrush::SetColour(fw::Color colour)
{
    brush_.Color = colour;
    BrushChanged();
}

void TILBrush::SetStyle(fw::BrushStyle style)
{
    brush_.Style = style;
    BrushChanged();
}

void TILBrush::SetBrush(const fw::Brush& brush)
{
    brush_.Color = brush.Color;
    brush_.Style = brush.Style;
    BrushChanged();
}

void TILBrush::SetHasPattern(bool hasPattern)
{
    if (hasPattern == HasPattern()) {
        return;
    }
    if (hasPattern) {
        Clear();
        pattern_ = std::make_unique<fw::Bitmap>();
        DropCache();
        ImageChanged();
    } else {
        // Nothing may point at the pattern once it is gone.
        DropCache();
        ImageChanged();
        pattern_.reset();
    }
}

void TILBrush::SetPattern(const fw::Bitmap* picture)
{
    if (picture == nullptr) {
        SetHasPattern(false);
        return;
    }
    const fw::Bitmap copy = *picture; // the picture may be our own pattern
    SetHasPattern(true);
    pattern_->Assign(copy);
    // Resolved again at the next use, so that whatever showed before gives way to it.
    DropCache();
    ImageChanged();
}

void TILBrush::SetSimpleBrush(bool simple)
{
    simpleBrush_ = simple;
    BrushChanged();
}

void TILBrush::SetDefaultBrushID(int id)
{
    defaultBrushID_ = id;
    BrushChanged();
}

void TILBrush::SetSimple(fw::Color colour, fw::BrushStyle style)
{
    SetSimpleBrush(true);
    SetColour(colour);
    SetStyle(style);
}

TILBrush* TILBrush::DefaultBrush() const
{
    if (defaultBrushID_ <= 0) {
        return nullptr;
    }
    TILDefaultBrushItemList* items = DefaultBrushItems();
    if (items == nullptr) {
        return nullptr;
    }
    TILBrush* found = items->FindByID(defaultBrushID_);
    return found != this ? found : nullptr;
}

fw::Bitmap* TILBrush::GetImage()
{
    if (resolving_) {
        return CachedImage();
    }
    resolving_ = true;
    if (TILBrush* standIn = DefaultBrush()) {
        fw::Bitmap* image = standIn->GetImage();
        SetCache(image, standIn->CacheKeeper());
    } else if (CachedImage() == nullptr && pattern_) {
        SetCache(pattern_.get(), nullptr);
    }
    resolving_ = false;
    return TILImageReference::GetImage();
}

void TILBrush::ApplyToBrush(fw::Brush& dest)
{
    TILBrush* source = DefaultBrush();
    if (source == nullptr) {
        source = this;
    }
    const auto takeColourAndStyle = [&] {
        dest.Color = source->brush_.Color;
        dest.Style = source->brush_.Style;
        dest.Bitmap = nullptr;
    };
    if (source->simpleBrush_) {
        takeColourAndStyle();
        return;
    }
    if (source->CachedImage() == nullptr && (!source->ImageName().empty() || source->pattern_)) {
        source->GetImage();
    }
    if (source->CachedImage() == nullptr) {
        takeColourAndStyle();
    } else {
        dest.Bitmap = source->CachedImage();
    }
}

void TILBrush::PaintTo(fw::Canvas& canvas)
{
    canvas.Pen().Style = fw::PenStyle::Clear;
    ApplyToBrush(canvas.Brush());
}

void TILBrush::Assign(const fw::Persistent* source)
{
    const auto* brush = dynamic_cast<const TILBrush*>(source);
    if (brush == nullptr || brush == this) {
        if (brush == nullptr) {
            TILImageReference::Assign(source);
        }
        return;
    }
    SetSimpleBrush(brush->simpleBrush_);
    SetBrush(brush->brush_);
    // The pattern is copied as it is: going through SetHasPattern would clear the colour
    // and style just copied, and the copy must fill as the original does.
    DropCache();
    ImageChanged();
    pattern_ = brush->pattern_ ? std::make_unique<fw::Bitmap>(*brush->pattern_) : nullptr;
    SetDefaultBrushID(brush->defaultBrushID_);
    TILImageReference::Assign(source);
}

void TILBrush::Clear()
{
    brush_.Color = fw::clWhite;
    brush_.Style = fw::BrushStyle::Solid;
    TILImageReference::Clear();
}
