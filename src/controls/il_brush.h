#pragma once

#include <memory>

#include "controls/image_reference.h"
#include "framework/core/canvas.h"

// The fill of an owner-drawn surface: a colour and brush style, or a pattern picture, or
// an image from the library (by name or from a picture component), or the settings of a
// registered default brush.
//
// Owners hear of every change through OnBrushChange, the change event of the inner
// framework brush: colour and style changes fire it, and so do SimpleBrush,
// DefaultBrushID, and a new image or pattern taking over the fill. The inherited OnChange
// belongs to the brush itself: it keeps the inner brush's bitmap in step with the cached
// image.
class TILBrush : public TILImageReference {
public:
    // White, solid, no pattern, not simple, no default brush.
    TILBrush();
    ~TILBrush() override;

    std::string_view className() const override { return "TILBrush"; }
    fw::Object* NewInstance() const override { return new TILBrush; }

    fw::Color Colour() const { return brush_.Color; }
    void SetColour(fw::Color colour);
    fw::BrushStyle Style() const { return brush_.Style; }
    void SetStyle(fw::BrushStyle style);
    // The inner framework brush; its bitmap is the cached image once the brush has one.
    const fw::Brush& Brush() const { return brush_; }
    // Colour and style of the framework brush, as a whole; fires OnBrushChange once.
    void SetBrush(const fw::Brush& brush);

    const TILNotifyEvent& OnBrushChange() const { return onBrushChange_; }
    void SetOnBrushChange(TILNotifyEvent handler) { onBrushChange_ = std::move(handler); }

    bool HasPattern() const { return pattern_ != nullptr; }
    // Turning it on clears the brush (white, solid, no image) and makes an empty pattern;
    // turning it off frees the pattern. The cache goes either way.
    void SetHasPattern(bool hasPattern);
    // The pattern picture, present exactly while HasPattern.
    fw::Bitmap* Pattern() { return pattern_.get(); }
    const fw::Bitmap* Pattern() const { return pattern_.get(); }
    // A picture makes HasPattern true and is copied; none makes it false.
    void SetPattern(const fw::Bitmap* picture);

    // A simple brush fills with its colour and style whatever image it may have.
    bool SimpleBrush() const { return simpleBrush_; }
    void SetSimpleBrush(bool simple);
    // A positive ID lets the registered default brush of that ID stand in for this one;
    // 0 means none, as does an ID that nobody registered.
    int DefaultBrushID() const { return defaultBrushID_; }
    void SetDefaultBrushID(int id);

    // SimpleBrush on, then the colour and the style.
    void SetSimple(fw::Color colour, fw::BrushStyle style);

    // Puts the fill this brush stands for into a framework brush: the colour and style of
    // a simple brush, else its image when one resolves (tiled from the canvas origin),
    // else its colour and style. A registered default brush answers in its place.
    void ApplyToBrush(fw::Brush& dest);
    // A clear pen and the fill in the canvas brush: a shape drawn next has no outline.
    void PaintTo(fw::Canvas& canvas);

    // From another brush: SimpleBrush, colour and style, the pattern, DefaultBrushID, then
    // the image reference. From a plain reference: the reference only.
    void Assign(const fw::Persistent* source) override;
    // The registered default brush's image first, else the pattern, else the reference.
    fw::Bitmap* GetImage() override;
    // White and solid, no image; the pattern stays.
    void Clear() override;

private:
    void BrushChanged();
    // Gives the inner brush the cached image as its bitmap (none: no bitmap), keeping its
    // colour and style, so the image fills while present and colour and style take over
    // when it goes.
    void ImageChanged();
    // The registered default brush standing in for this one, none when there is none.
    TILBrush* DefaultBrush() const;

    fw::Brush brush_;
    std::unique_ptr<fw::Bitmap> pattern_;
    bool simpleBrush_ = false;
    int defaultBrushID_ = 0;
    // Guards against default brushes that lead back to themselves.
    bool resolving_ = false;
    TILNotifyEvent onBrushChange_;
};
