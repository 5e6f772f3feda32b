#pragma once

#include <functional>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/button_properties.h"
#include "controls/image_button.h"

class TILScrollControl;

// Asked before every scroll step; may change (or zero) the step.
using TILCanScrollEvent = std::function<void(TILScrollControl* sender, int& dX)>;
// A content child joins or leaves (told before the child list changes).
using TILScrollControlEvent = std::function<void(TILScrollControl* sender, fw::Control* control)>;

// A brush panel holding a horizontal row of child controls wider than itself, scrolled
// sideways by an arrow button at each end (held down, an arrow repeats). It can keep the
// row from scrolling past its ends, place new children one after the other, and ask its
// host before every step.
//
// The row's order is its geometry, not the child list: limits, placement and closing up
// after a removal look at where the children are, so children may join in any order.
class TILScrollControl : public TILBrushPanel {
public:
    // 100 x 21, lowered outer ring, 16-pixel arrows, 16 pixels a step, limited scrolling.
    explicit TILScrollControl(fw::Component* owner = nullptr);
    ~TILScrollControl() override;

    std::string_view className() const override { return "TILScrollControl"; }

    // --- Settings ----------------------------------------------------------------------
    // Pixels a click (or repeat) of an arrow scrolls.
    int ScrollIncrement() const { return scrollIncrement_; }
    void SetScrollIncrement(int pixels) { scrollIncrement_ = pixels; }
    // How the arrows look; a change is copied onto its arrow at once.
    TILButtonLocalProperties& ScrollBtnLeft() { return scrollBtnLeft_; }
    const TILButtonLocalProperties& ScrollBtnLeft() const { return scrollBtnLeft_; }
    void SetScrollBtnLeft(const TILButtonLocalProperties& properties);
    TILButtonLocalProperties& ScrollBtnRight() { return scrollBtnRight_; }
    const TILButtonLocalProperties& ScrollBtnRight() const { return scrollBtnRight_; }
    void SetScrollBtnRight(const TILButtonLocalProperties& properties);
    // The width of both arrow panels.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    // Scroll only while part of the row lies outside the scroll area on the side it would
    // come in from.
    bool LimitScroll() const { return limitScroll_; }
    void SetLimitScroll(bool limit) { limitScroll_ = limit; }
    // New children go one row place after the rightmost one, AutoSpacing pixels apart, and
    // the row closes up when one leaves.
    bool AutoPosition() const { return autoPosition_; }
    void SetAutoPosition(bool autoPosition) { autoPosition_ = autoPosition; }
    int AutoSpacing() const { return autoSpacing_; }
    void SetAutoSpacing(int spacing) { autoSpacing_ = spacing; }

    // The part between the arrows: (ButtonWidth, 0, Width - ButtonWidth, Height).
    fw::Rect ScrollArea() const;

    // --- Content -----------------------------------------------------------------------
    // Every child except the two arrow panels, in child-list order.
    std::vector<fw::Control*> ContentControls() const;
    bool IsContent(const fw::Control* control) const;
    // Frees every content child, the last first; the arrows stay.
    virtual void ClearContent();

    // One step: CanScroll may change or cancel it, then every content child moves dX
    // pixels (positive: to the right, showing what lay to the left).
    void ScrollBy(int dX);

    // --- Events --------------------------------------------------------------------------
    const TILCanScrollEvent& OnCanScroll() const { return onCanScroll_; }
    void SetOnCanScroll(TILCanScrollEvent handler) { onCanScroll_ = std::move(handler); }
    const TILScrollControlEvent& OnAddControl() const { return onAddControl_; }
    void SetOnAddControl(TILScrollControlEvent handler) { onAddControl_ = std::move(handler); }
    const TILScrollControlEvent& OnRemoveControl() const { return onRemoveControl_; }
    void SetOnRemoveControl(TILScrollControlEvent handler) { onRemoveControl_ = std::move(handler); }
    const fw::NotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(fw::NotifyEvent handler) { onChange_ = std::move(handler); }

    // --- Parts ---------------------------------------------------------------------------
    TILBrushPanel& LeftPanel() const { return *leftPanel_; }
    TILBrushPanel& RightPanel() const { return *rightPanel_; }
    TILButton& LeftArrow() const { return *leftArrow_; }
    TILButton& RightArrow() const { return *rightArrow_; }

    void Dispatch(fw::Message& message) override;
    // Keeps the arrow panels at the ends.
    void Resize() override;

protected:
    // OnCanScroll, then the limits: a step to the right only while the leftmost content
    // child starts left of the scroll area, a step to the left only while the rightmost
    // one ends right of it; otherwise (and without content) dX becomes 0.
    virtual void CanScroll(int& dX);
    // A content child is about to leave: with AutoPosition the children right of it close
    // the gap. Then OnRemoveControl. A child being freed has only its Control part left.
    virtual void ControlRemoved(fw::Control* control);
    // A content child is about to join: with AutoPosition it goes to the top of the row
    // after the rightmost child (or to the scroll area's start). Then OnAddControl.
    virtual void ControlAdded(fw::Control* control);
    // Fires OnChange.
    virtual void Changed();

private:
    void LayoutEnds();
    void ApplyArrowLooks();
    // Under construction or being destroyed: child list changes are the control's own.
    bool BuildingOrTearingDown() const;

    TILBrushPanel* leftPanel_ = nullptr;
    TILBrushPanel* rightPanel_ = nullptr;
    TILButton* leftArrow_ = nullptr;
    TILButton* rightArrow_ = nullptr;
    TILButtonLocalProperties scrollBtnLeft_;
    TILButtonLocalProperties scrollBtnRight_;
    int scrollIncrement_ = 16;
    int buttonWidth_ = 16;
    bool limitScroll_ = true;
    bool autoPosition_ = false;
    int autoSpacing_ = 0;
    TILCanScrollEvent onCanScroll_;
    TILScrollControlEvent onAddControl_;
    TILScrollControlEvent onRemoveControl_;
    fw::NotifyEvent onChange_;
};
