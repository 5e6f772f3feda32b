#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/brush_bevel.h"
#include "controls/button_properties.h"
#include "controls/control_brush.h"
#include "controls/image_button.h"
#include "controls/scroll_bar_properties.h"
#include "controls/scroll_slider.h"
#include "framework/gui/control.h"
#include "framework/gui/timer.h"

enum class TScrollBarKind : std::uint8_t { Horizontal = 0, Vertical = 1 };

// Told after every scroll with how many positions it went.
using TILScrollEvent = std::function<void(fw::Object* sender, std::int32_t scrolledBy)>;

// The owner-drawn scroll bar: a windowless control with an arrow button at each end (two
// TILButtons that sit beside it on its parent and go wherever it goes), a bevelled track
// and a slider of fixed size or in proportion to the visible range.
//
// Arrows move by SmallChange, once on a click and on while held (first after LongPause,
// then every ShortPause). A press in the track pages towards the press by the slider's
// Range (or LargeChange for a fixed slider), and on while held, with the same step, for as
// long as the slider has not reached the mouse. Dragging the slider moves it pixel by
// pixel and the position with it; it stops flush at the ends. Every change of the
// position is reported through OnScroll.
//
// Rectangles of the geometry accessors are inclusive (Right and Bottom are the last pixel
// inside); an empty page area has Right < Left (or Bottom < Top).
class TILScrollBar : public fw::GraphicControl, public TILBrushControl {
public:
    // 100 x 16, horizontal, positions 0 to 100 at 1; a windowed owner becomes the parent.
    explicit TILScrollBar(fw::Component* owner = nullptr);
    ~TILScrollBar() override;

    std::string_view className() const override { return "TILScrollBar"; }

    // --- Kind and size --------------------------------------------------------------------
    TScrollBarKind Kind() const { return kind_; }
    // Turns the bar: width and height swap, and arrow pictures still at their defaults take
    // those of the new kind.
    void SetKind(TScrollBarKind kind);
    // The length of each arrow along the bar; at least 5.
    int ButtonSize() const { return buttonSize_; }
    void SetButtonSize(int size);

    // --- Looks ----------------------------------------------------------------------------
    // No outer bevel and a simple fill of 0x00E4E4E4 by default.
    TILBrushBevel& Background() { return *background_; }
    const TILBrushBevel& Background() const { return *background_; }
    void SetBackground(const TILBrushBevel& background);
    // The arrows' looks; a change is copied onto the arrow at once.
    TILButtonLocalProperties& LeftUp() { return *leftUp_; }
    const TILButtonLocalProperties& LeftUp() const { return *leftUp_; }
    void SetLeftUp(const TILButtonLocalProperties& properties);
    TILButtonLocalProperties& RightDown() { return *rightDown_; }
    const TILButtonLocalProperties& RightDown() const { return *rightDown_; }
    void SetRightDown(const TILButtonLocalProperties& properties);
    TILScrollbarSlider& Slider() { return *slider_; }
    const TILScrollbarSlider& Slider() const { return *slider_; }
    void SetSlider(const TILScrollbarSlider& slider);

    // The arrow buttons themselves; none once their parent has freed them.
    TILButton* LeftUpButton() const { return leftUpButton_.Get(); }
    TILButton* RightDownButton() const { return rightDownButton_.Get(); }

    // --- Range and steps ------------------------------------------------------------------
    // At most Maximum; a position below it rises to it without OnScroll; OnChangeMin.
    int Minimum() const { return minimum_; }
    void SetMinimum(int minimum);
    // At least Minimum; a position past the new end moves back through SetPosition (with
    // OnScroll); OnChangeMax.
    int Maximum() const { return maximum_; }
    void SetMaximum(int maximum);
    // Limited to Minimum .. MaxPosition; a change places the slider and fires OnScroll with
    // the difference.
    int Position() const { return position_; }
    void SetPosition(int position);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change) { smallChange_ = change; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change) { largeChange_ = change; }
    // The pauses of every repeat, arrows included: before the first repeat (LongPause) and
    // between repeats (ShortPause); at least 25 ms each.
    int LongPause() const { return longPause_; }
    void SetLongPause(int ms);
    int ShortPause() const { return shortPause_; }
    void SetShortPause(int ms);
    // The arrows (and MoveBy) move the slider by pixels instead of positions, and every
    // drag step is reported, moved or not.
    bool ScrollByPixel() const { return scrollByPixel_; }
    void SetScrollByPixel(bool byPixel) { scrollByPixel_ = byPixel; }

    // Maximum - Minimum + 1.
    int Count() const;
    // The last position the slider's start can take: Maximum - Range + 1 for a
    // proportional slider, else Maximum (never below Minimum).
    int MaxPosition() const;

    // --- Events ---------------------------------------------------------------------------
    const TILScrollEvent& OnScroll() const { return onScroll_; }
    void SetOnScroll(TILScrollEvent handler) { onScroll_ = std::move(handler); }
    const fw::NotifyEvent& OnChangeMin() const { return onChangeMin_; }
    void SetOnChangeMin(fw::NotifyEvent handler) { onChangeMin_ = std::move(handler); }
    const fw::NotifyEvent& OnChangeMax() const { return onChangeMax_; }
    void SetOnChangeMax(fw::NotifyEvent handler) { onChangeMax_ = std::move(handler); }

    // --- Moving ---------------------------------------------------------------------------
    // Moves by a number of positions, limited to the range, and reports what it moved; a
    // bar that scrolls by pixel drags the slider by that many pixels instead.
    void MoveBy(int positions);
    // Moves the slider by pixels (limited to the track), the position following it.
    void DragBy(int pixels);
    // The position a slider offset (pixels from the track's start) stands for.
    int PixelToPosition(int pixels) const;

    // --- Geometry (inclusive rectangles in the bar's client coordinates) ---------------------
    const fw::Rect& TrackRect() const { return track_; }
    int TrackLength() const;
    const fw::Rect& PageBeforeRect() const { return pageBefore_; }
    const fw::Rect& PageAfterRect() const { return pageAfter_; }
    // Pixels per position.
    long double Ratio() const { return ratio_; }
    // The slider's start, in pixels from the track's start.
    int SliderOffset() const;
    // Whether a press in the track is paging on.
    bool PageRepeating() const { return pageTimer_ != nullptr; }

    // --- Control overrides ------------------------------------------------------------------
    // Moves and size changes lay the arrows, track and slider out again.
    void Dispatch(fw::Message& message) override;
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    void SetParent(fw::WinControl* parent) override;
    void Loaded() override;
    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void CMMouseLeave(fw::Message& message) override;

    // --- TILBrushControl (the background bevel repaints the bar through it) -----------------
    TILBrushControl* ParentControl() const override;
    bool Windowed() const override { return false; }
    void InvalidateControl() override { Invalidate(); }
    void RealignControl() override {}
    const fw::Brush* ControlBrush() const override { return nullptr; }

protected:
    void Paint() override;

private:
    friend class TILScrollbarSlider;

    // Arrows, track, slider and ratio from the bar's size and kind.
    void Layout();
    void PlaceArrows();
    void ComputeTrack();
    // Slider length, ratio, then the slider's place for the position.
    void RecomputeSlider();
    void PlaceSliderAtOffset(int offset);
    void PlaceSliderForPosition();
    void RepaintTrack();
    void PaintSlider(fw::Canvas& canvas);
    void ApplyArrowProperties();
    void ArrowStep(int direction);
    void SetSliderState(TILSliderState state, bool force = false);

    void PageBy(int direction);
    void PageTick();
    void FreePageTimer();
    int PageStep() const;
    bool InPageArea(const fw::Rect& area, fw::Point point) const;
    bool OnSlider(fw::Point point) const;
    void FireScroll(int scrolledBy);
    std::string DefaultImageName(bool leftUp, TILButtonImage image, TScrollBarKind kind) const;

    std::unique_ptr<fw::Timer> pageTimer_;
    int pageDirection_ = 0;
    fw::WeakRef<TILButton> leftUpButton_;
    fw::WeakRef<TILButton> rightDownButton_;
    std::unique_ptr<TILBrushBevel> background_;
    std::unique_ptr<TILButtonLocalProperties> leftUp_;
    std::unique_ptr<TILButtonLocalProperties> rightDown_;
    std::unique_ptr<TILScrollbarSlider> slider_;
    TScrollBarKind kind_ = TScrollBarKind::Horizontal;
    int buttonSize_ = 16;
    fw::Rect track_{0, 0, -1, -1};
    fw::Rect pageBefore_{0, 0, -1, -1};
    fw::Rect pageAfter_{0, 0, -1, -1};
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 1;
    int smallChange_ = 1;
    int largeChange_ = 16;
    long double ratio_ = 0;
    fw::Point lastMouse_;
    int shortPause_ = 75;
    int longPause_ = 200;
    bool scrollByPixel_ = false;
    bool moving_ = false;
    bool constructed_ = false;
    TILScrollEvent onScroll_;
    fw::NotifyEvent onChangeMin_;
    fw::NotifyEvent onChangeMax_;
};
