#pragma once

#include <cstdint>
#include <functional>

#include "controls/brush_panel.h"
#include "controls/scroll_bar.h"
#include "controls/scroll_bar_properties.h"
#include "framework/gui/enum_set.h"

class TILScrollBox;

enum class TILScrollBoxOption : std::uint8_t {
    AutoRange, // the bars' ranges follow the extent of the children
};
using TILScrollBoxOptions = fw::EnumSet<TILScrollBoxOption>;

// Told after the children moved, with how many pixels (left or up for positive numbers).
using TILScrollBoxScrollEvent = std::function<void(fw::Object* sender, int pixels)>;

// The brush-filled panel the scroll box's children lie on. Its mouse, key and drag events
// go to the scroll box; its paints and brush changes are the scroll box's too.
class TILScrollboxBackground : public TILBrushPanel {
public:
    explicit TILScrollboxBackground(TILScrollBox* box);
    ~TILScrollboxBackground() override;

    std::string_view className() const override { return "TILScrollboxBackground"; }

    // None once the scroll box has begun to go.
    TILScrollBox* ScrollBox() const { return box_; }
    void DetachFromBox() { box_ = nullptr; }
    // A child joining or leaving changes the content's extent.
    void Dispatch(fw::Message& message) override;

protected:
    void AlignControls(fw::Rect& rect) override;
    void BrushChanged() override;
    void Paint() override;

private:
    TILScrollBox* box_;
};

// One of the scroll box's bars: when it is shown or hidden the box lays itself out again,
// once the current event is over.
class TILScrollBoxBar : public TILScrollBar {
public:
    TILScrollBoxBar(TILScrollBox* box, TScrollBarKind kind);

    std::string_view className() const override { return "TILScrollBoxBar"; }

    void SetVisible(bool visible) override;
    void DetachFromBox() { box_ = nullptr; }

private:
    TILScrollBox* box_;
};

// A container whose children lie on a brush-filled background panel and are scrolled, by
// moving the children themselves, with two owner-drawn scroll bars. Each bar shows only
// while the content does not fit in its direction; with AutoRange the bars' ranges follow
// the children. The bars' positions are pixels of the content.
class TILScrollBox : public fw::CustomControl {
public:
    explicit TILScrollBox(fw::Component* owner = nullptr);
    ~TILScrollBox() override;

    std::string_view className() const override { return "TILScrollBox"; }

    // --- Parts ---------------------------------------------------------------------------
    // Children go here (SetParent(&box.BackgroundPanel())).
    TILScrollboxBackground& BackgroundPanel() const { return *background_; }
    TILScrollBoxBar& HorzBar() const { return *horzBar_; }
    TILScrollBoxBar& VertBar() const { return *vertBar_; }

    // --- Settings ------------------------------------------------------------------------
    // The fill of the background panel.
    TILBrush& Background() { return background_->DrawData().FillBrush(); }
    const TILBrush& Background() const { return background_->DrawData().FillBrush(); }
    void SetBackground(const TILBrush& brush);
    TILScrollBoxOptions Options() const { return options_; }
    void SetOptions(TILScrollBoxOptions options);
    // The bars' looks; what is set in them is applied to the bar when they are set.
    TILScrollBarProperties& HorzScrollProp() { return horzScrollProp_; }
    void SetHorzScrollProp(const TILScrollBarProperties& properties);
    TILScrollBarProperties& VertScrollProp() { return vertScrollProp_; }
    void SetVertScrollProp(const TILScrollBarProperties& properties);

    // --- Scrolling -------------------------------------------------------------------------
    // Moves every child of the background left (up) by the pixels, repaints the background
    // and fires OnScrollHorz (OnScrollVert); nothing while the range is being updated. The
    // bars call them with what they moved.
    virtual void ScrollHorz(int pixels);
    virtual void ScrollVert(int pixels);
    // The children's extent: the smallest left and top (never above 0) and the largest
    // last column and row (left + width - 1, top + height - 1; never below 0).
    virtual fw::Rect GetContentExtent() const;

    // Fits the ranges to the content (with AutoRange), shows the bars that are needed and
    // lays the parts out. Runs after every alignment of the box or its background.
    void UpdateLayout();
    // Whether the bar's range (Maximum - Minimum + 1) is more than the room it has: the
    // box's size in its direction less the other bar, when that one is needed too.
    bool HorzBarNeeded() const { return horzNeeded_; }
    bool VertBarNeeded() const { return vertNeeded_; }

    // --- Events --------------------------------------------------------------------------
    const TILScrollBoxScrollEvent& OnScrollHorz() const { return onScrollHorz_; }
    void SetOnScrollHorz(TILScrollBoxScrollEvent handler) { onScrollHorz_ = std::move(handler); }
    const TILScrollBoxScrollEvent& OnScrollVert() const { return onScrollVert_; }
    void SetOnScrollVert(TILScrollBoxScrollEvent handler) { onScrollVert_ = std::move(handler); }
    // A bar became needed or stopped being needed.
    const fw::NotifyEvent& OnSetHorzRange() const { return onSetHorzRange_; }
    void SetOnSetHorzRange(fw::NotifyEvent handler) { onSetHorzRange_ = std::move(handler); }
    const fw::NotifyEvent& OnSetVertRange() const { return onSetVertRange_; }
    void SetOnSetVertRange(fw::NotifyEvent handler) { onSetVertRange_ = std::move(handler); }
    // Fired whenever the background panel has painted.
    const fw::NotifyEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(fw::NotifyEvent handler) { onPaint_ = std::move(handler); }

    // --- Framework overrides ---------------------------------------------------------------
    void SetEnabled(bool enabled) override;
    void Loaded() override;
    // WM_ILSB_REALIGN (a bar was shown or hidden) lays the box out again and answers 1.
    void Dispatch(fw::Message& message) override;

protected:
    void AlignControls(fw::Rect& rect) override;
    // The box's own area (the corner between the bars) with the logo in it.
    void Paint() override;

private:
    friend class TILScrollboxBackground;

    // The range of one bar fitted to the content seen through `room` pixels; answers the
    // position that keeps the children where they are.
    static int FitRange(TILScrollBar& bar, int extentFirst, int extentLast, int room);
    void DecideBars();
    void PlaceParts();
    // Moves the children without any event: by the pixels left and up.
    void MoveContent(int dx, int dy);
    void BackgroundPainted();
    void BackgroundBrushChanged();
    void ForwardBackgroundEvents();
    // A right release over the background pops the box's menu up there, unless the menu
    // pops up by itself.
    void PopupFromBackground(int x, int y);
    bool Quiet() const;

    TILScrollboxBackground* background_ = nullptr;
    TILScrollBoxBar* horzBar_ = nullptr;
    TILScrollBoxBar* vertBar_ = nullptr;
    TILScrollBoxOptions options_{TILScrollBoxOption::AutoRange};
    TILScrollBarProperties horzScrollProp_;
    TILScrollBarProperties vertScrollProp_;
    bool horzNeeded_ = false;
    bool vertNeeded_ = false;
    bool updatingRange_ = false;
    bool scrolling_ = false;
    bool laying_ = false;

    TILScrollBoxScrollEvent onScrollHorz_;
    TILScrollBoxScrollEvent onScrollVert_;
    fw::NotifyEvent onSetHorzRange_;
    fw::NotifyEvent onSetVertRange_;
    fw::NotifyEvent onPaint_;
};
