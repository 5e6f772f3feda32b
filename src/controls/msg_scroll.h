#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/gui/control.h"

namespace fw {
class Timer;
}

class TILMsgScroll;

enum class TILMsgScrollType : std::uint8_t { tmsScrollText, tmsScrollImage };
enum class TILMsgScrollAlign : std::uint8_t { Left, Right, Centre };

// One line of a scrolling message: a text in its font, or a picture drawn with one colour left
// out so that the background shows there. A disabled item is neither placed nor drawn, but
// moves with the others.
class TILMsgScrollItem : public fw::Persistent {
public:
    TILMsgScrollItem() = default;

    std::string_view className() const override { return "TILMsgScrollItem"; }
    fw::Object* NewInstance() const override { return new TILMsgScrollItem; }

    TILMsgScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TILMsgScrollType type) { scrollType_ = type; }
    // Pixels left free below the item.
    int BottomSpace() const { return bottomSpace_; }
    void SetBottomSpace(int space) { bottomSpace_ = space; }
    // The distance from the left or right edge, for those alignments.
    int HorzMargin() const { return horzMargin_; }
    void SetHorzMargin(int margin) { horzMargin_ = margin; }
    TILMsgScrollAlign HorzAlign() const { return horzAlign_; }
    void SetHorzAlign(TILMsgScrollAlign align) { horzAlign_ = align; }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    // The picture (copied in); setting it or the transparent colour prepares the two
    // pictures the item is drawn with.
    const fw::Bitmap& Image() const { return image_; }
    void SetImage(const fw::Bitmap& image);
    // Black (0) until set.
    fw::Color TransparentColour() const { return transparentColour_; }
    void SetTransparentColour(fw::Color colour);
    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font) { font_ = font; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // "[Image]" for a picture, else the text.
    std::string DisplayName() const;

    // The pictures drawing uses: white where the picture shows the transparent colour and
    // black elsewhere, and the picture with its transparent pixels made black.
    const fw::Bitmap& Mask() const { return mask_; }
    const fw::Bitmap& MaskedImage() const { return maskedImage_; }

    // Where the last layout put the item (y relative to the control's top) and its size.
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Every published value (the prepared pictures follow).
    void Assign(const fw::Persistent* source) override;

private:
    friend class TILMsgScroll;

    void PrepareImages();

    TILMsgScrollType scrollType_ = TILMsgScrollType::tmsScrollText;
    int bottomSpace_ = 0;
    int horzMargin_ = 0;
    TILMsgScrollAlign horzAlign_ = TILMsgScrollAlign::Centre;
    std::string text_;
    fw::Bitmap image_;
    fw::Color transparentColour_ = 0;
    fw::Font font_;
    bool enabled_ = true;
    fw::Bitmap mask_;
    fw::Bitmap maskedImage_;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// The items of a scrolling message, owned, in order.
class TILMsgScrollItemCollection {
public:
    TILMsgScrollItemCollection() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    // None outside 0 .. Count - 1.
    TILMsgScrollItem* GetItem(int index) const;
    TILMsgScrollItem* Add();
    // Nothing outside the range.
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Cleared, then a copy of every item of the other collection.
    void Assign(const TILMsgScrollItemCollection& source);

private:
    std::vector<std::unique_ptr<TILMsgScrollItem>> items_;
};

// Lines of text and pictures that move up over a background picture, ScrollJump pixels every
// ScrollSpeed milliseconds while it scrolls, and start again from the bottom once the last one
// has left the top. Everything is drawn into a picture of its own that starts as a copy of
// the background; painting shows that picture.
class TILMsgScroll : public fw::CustomControl {
public:
    // Answers whether to go on scrolling.
    using ScrollEvent = std::function<bool(TILMsgScroll* sender)>;

    explicit TILMsgScroll(fw::Component* owner = nullptr);
    // Stops the timer.
    ~TILMsgScroll() override;

    std::string_view className() const override { return "TILMsgScroll"; }

    TILMsgScrollItemCollection& Items() { return items_; }
    const TILMsgScrollItemCollection& Items() const { return items_; }
    // The timer's interval in milliseconds (200) and the pixels moved on each tick (2).
    int ScrollSpeed() const { return scrollSpeed_; }
    void SetScrollSpeed(int ms) { scrollSpeed_ = ms; }
    int ScrollJump() const { return scrollJump_; }
    void SetScrollJump(int pixels) { scrollJump_ = pixels; }
    // A copy of the picture: it becomes what is drawn on, the scroll position its height, and
    // with SizeToBackground the control takes its size.
    const fw::Bitmap& Background() const { return background_; }
    void SetBackground(const fw::Bitmap& picture);
    bool SizeToBackground() const { return sizeToBackground_; }
    void SetSizeToBackground(bool size);
    const ScrollEvent& OnScroll() const { return onScroll_; }
    void SetOnScroll(ScrollEvent handler) { onScroll_ = std::move(handler); }

    // Nothing while scrolling. Otherwise: a start position other than -1 becomes the scroll
    // position, the enabled items are laid out downwards from it and the timer starts.
    void StartScroll(int startPosition = -1);
    void StopScroll();
    bool Scrolling() const;
    int ScrollPosition() const { return scrollPosition_; }
    // What painting shows.
    const fw::Bitmap& OffScreen() const { return offScreen_; }

    // One tick of the timer (the timer calls it).
    void ScrollTick();

    void Loaded() override;

protected:
    void Paint() override;

private:
    void ApplySizing();
    void ResetOffScreen();
    void LayOut();
    void DrawItem(const TILMsgScrollItem& item);

    TILMsgScrollItemCollection items_;
    int scrollSpeed_ = 200;
    int scrollJump_ = 2;
    fw::Bitmap background_;
    bool sizeToBackground_ = true;
    ScrollEvent onScroll_;
    std::unique_ptr<fw::Timer> timer_;
    fw::Bitmap offScreen_;
    int scrollPosition_ = 0;
};
