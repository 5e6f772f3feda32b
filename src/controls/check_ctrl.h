#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/il_brush.h"
#include "controls/position.h"
#include "framework/core/bitmap.h"
#include "framework/gui/control.h"

// The owner-drawn multi-state control behind check boxes and radio buttons: one image per
// state beside a wrapped caption, the area filled with its own brush or its parent's, sized
// to its caption, and a click (or Enter or Space) moving it to the next state.
//
// Layout: the image sits in a strip ImageSpace pixels wide (or high) along the side that
// ImageAlign names, placed there by ImagePos; the caption fills the rest less LabelPos's
// margins. Rectangles of the image area are inclusive, as the position routines take them.
class TILCustomCheckCtrl : public fw::CustomControl {
public:
    // 120 x 15, a tab stop, the button-face fill, following the parent's brush.
    explicit TILCustomCheckCtrl(fw::Component* owner = nullptr);
    ~TILCustomCheckCtrl() override;

    std::string_view className() const override { return "TILCustomCheckCtrl"; }

    // --- State ---------------------------------------------------------------------------
    std::int32_t State() const { return state_; }
    // When CanSetState agrees: records the acceptance, takes the state, fires OnChange (not
    // while loading) and then Changed. Otherwise only records the refusal.
    virtual void SetState(std::int32_t state);
    // Whether the last SetState was accepted.
    bool LastStateAccepted() const { return stateAccepted_; }
    // 0 <= state <= GetMaxState and a different state; classes add their own vetoes.
    virtual bool CanSetState(std::int32_t state);
    virtual std::int32_t GetMaxState() const = 0;
    // The image that shows the state, enabled or disabled; none when there is none.
    virtual const fw::Bitmap* GetStateImage(std::int32_t state, bool enabled) const = 0;

    // --- Layout and looks ------------------------------------------------------------------
    TILTextPosition& LabelPos() { return labelPos_; }
    const TILTextPosition& LabelPos() const { return labelPos_; }
    TILImagePosition& ImagePos() { return imagePos_; }
    const TILImagePosition& ImagePos() const { return imagePos_; }
    fw::Align ImageAlign() const { return imageAlign_; }
    // Left, right, top or bottom; None and Client are ignored.
    void SetImageAlign(fw::Align align);
    int ImageSpace() const { return imageSpace_; }
    // Values below 1 are ignored.
    void SetImageSpace(int space);
    TILBrush& FillBrush() { return fillBrush_; }
    const TILBrush& FillBrush() const { return fillBrush_; }
    bool ParentBrush() const { return parentBrush_; }
    void SetParentBrush(bool parentBrush);
    bool AutoHeight() const { return autoHeight_; }
    void SetAutoHeight(bool autoHeight);
    bool AutoWidth() const { return autoWidth_; }
    void SetAutoWidth(bool autoWidth);
    // The focus frame round the whole control instead of round the caption.
    bool FocusFrameAll() const { return focusFrameAll_; }
    void SetFocusFrameAll(bool all);

    // The caption's rectangle: the client area less LabelPos's margins and the image strip.
    virtual void GetLabelRect(fw::Rect& rect) const;
    // The image strip, inclusive.
    virtual void GetImageArea(fw::Rect& rect) const;
    // Where the caption's lines went in the last paint (what the focus frame surrounds).
    fw::Rect LastTextRect() const { return lastTextRect_; }

    // --- Events --------------------------------------------------------------------------
    const fw::NotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(fw::NotifyEvent handler) { onChange_ = std::move(handler); }

    // --- Framework overrides -----------------------------------------------------------------
    // The next state (after the last comes 0), the focus, then OnClick.
    void Click() override;
    // Enter and Space are consumed and click.
    void KeyPress(char32_t& key) override;
    void SetEnabled(bool enabled) override;
    void SetParent(fw::WinControl* parent) override;
    void Loaded() override;
    void Dispatch(fw::Message& message) override;

protected:
    // Sizes the control to its caption by AutoWidth and AutoHeight (only with a parent, and
    // not while being created, loaded or destroyed), then repaints.
    virtual void AutoSize();
    // Draws the caption; TextRect receives where its lines went.
    virtual void DrawLabel(fw::Rect& textRect);
    virtual void DrawImage();
    // Fires OnChange.
    virtual void Change();
    // A part of the looks changed: resize when sizing automatically, else repaint.
    void Changed();

    void Paint() override;
    // The control paints every pixel itself: nothing is erased under it.
    void EraseBackground() override {}

    // Sets the state without asking and without OnChange (radio groups use it).
    void ForceState(std::int32_t state);
    bool Quiet() const;

private:
    TILTextPosition labelPos_;
    TILImagePosition imagePos_;
    fw::Align imageAlign_ = fw::Align::Left;
    int imageSpace_ = 20;
    std::int32_t state_ = 0;
    TILBrush fillBrush_;
    bool parentBrush_ = true;
    bool autoHeight_ = false;
    bool autoWidth_ = true;
    bool stateAccepted_ = false;
    bool focusFrameAll_ = false;
    fw::Rect lastTextRect_;
    fw::NotifyEvent onChange_;
};

// A check control whose state images are pictures: one list for the enabled look and one
// for the disabled, indexed by state. The pictures are referenced, not owned; whoever sets
// one keeps it alive as long as the control shows it.
class TILBitmapCheckCtrl : public TILCustomCheckCtrl {
public:
    explicit TILBitmapCheckCtrl(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILBitmapCheckCtrl"; }

    // The entry for the state in the list for the look; none outside the list.
    const fw::Bitmap* GetStateImage(std::int32_t state, bool enabled) const override;
    // For 0 <= state <= GetMaxState: grows the list with empty entries up to the state and
    // stores the reference; other states are ignored.
    void SetStateImage(std::int32_t state, bool enabled, const fw::Bitmap* graphic);

private:
    std::vector<const fw::Bitmap*> enabledImages_;
    std::vector<const fw::Bitmap*> disabledImages_;
};

// A two-state check control: Checked is state 1.
class TILToggleCheckCtrl : public TILBitmapCheckCtrl {
public:
    explicit TILToggleCheckCtrl(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILToggleCheckCtrl"; }

    std::int32_t GetMaxState() const override { return 1; }
    bool Checked() const { return State() == 1; }
    void SetChecked(bool checked) { SetState(checked ? 1 : 0); }
};
