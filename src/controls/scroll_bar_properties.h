#pragma once

#include <memory>

#include "controls/brush_bevel.h"
#include "controls/button_properties.h"

class TILScrollBar;

// A reusable look for scroll bars that a host (the tree-grid) keeps and applies to its
// bars. Only what was set is applied: every value has a flag, false at first, that its
// setter sets, and so does any change made to the background or to one of the button
// records in place.
class TILScrollBarProperties : public fw::Persistent {
public:
    TILScrollBarProperties();
    ~TILScrollBarProperties() override;

    std::string_view className() const override { return "TILScrollBarProperties"; }
    fw::Object* NewInstance() const override { return new TILScrollBarProperties; }

    // No outer bevel, a simple fill of 0x00E4E4E4.
    TILBrushBevel& Background() { return *background_; }
    const TILBrushBevel& Background() const { return *background_; }
    void SetBackground(const TILBrushBevel& background);
    int ButtonSize() const { return buttonSize_; }
    void SetButtonSize(int size);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change);
    int LongPause() const { return longPause_; }
    void SetLongPause(int ms);
    int ShortPause() const { return shortPause_; }
    void SetShortPause(int ms);
    bool Invert() const { return invert_; }
    void SetInvert(bool invert);

    // The arrows of horizontal and of vertical bars, and the sliders of both kinds.
    TILButtonCustomPropertiesRecord& ButtonLeft() { return *buttonLeft_; }
    TILButtonCustomPropertiesRecord& ButtonRight() { return *buttonRight_; }
    TILButtonCustomPropertiesRecord& ButtonUp() { return *buttonUp_; }
    TILButtonCustomPropertiesRecord& ButtonDown() { return *buttonDown_; }
    TILButtonCustomPropertiesRecord& SliderUD() { return *sliderUD_; }
    TILButtonCustomPropertiesRecord& SliderLR() { return *sliderLR_; }
    void SetButtonLeft(const TILButtonCustomPropertiesRecord& record);
    void SetButtonRight(const TILButtonCustomPropertiesRecord& record);
    void SetButtonUp(const TILButtonCustomPropertiesRecord& record);
    void SetButtonDown(const TILButtonCustomPropertiesRecord& record);
    void SetSliderUD(const TILButtonCustomPropertiesRecord& record);
    void SetSliderLR(const TILButtonCustomPropertiesRecord& record);

    // Which values were set.
    bool BackgroundSet() const { return backgroundSet_; }
    bool ButtonSizeSet() const { return buttonSizeSet_; }
    bool LargeChangeSet() const { return largeChangeSet_; }
    bool SmallChangeSet() const { return smallChangeSet_; }
    bool LongPauseSet() const { return longPauseSet_; }
    bool ShortPauseSet() const { return shortPauseSet_; }
    bool InvertSet() const { return invertSet_; }
    bool ButtonLeftSet() const { return buttonLeftSet_; }
    bool ButtonRightSet() const { return buttonRightSet_; }
    bool ButtonUpSet() const { return buttonUpSet_; }
    bool ButtonDownSet() const { return buttonDownSet_; }
    bool SliderUDSet() const { return sliderUDSet_; }
    bool SliderLRSet() const { return sliderLRSet_; }

protected:
    // Onto a TILScrollBar: the values that are set, in the order background, button size,
    // large and small change, long and short pause, Invert (to the slider), then the
    // records of the bar's kind (up, down and the up-down slider for a vertical bar; left,
    // right and the left-right slider for a horizontal one). Onto another set: every value
    // and flag.
    void AssignTo(fw::Persistent* destination) const override;

private:
    void HookChanges();
    void CopyTo(TILScrollBarProperties& other) const;
    void ApplyTo(TILScrollBar& bar) const;

    std::unique_ptr<TILBrushBevel> background_;
    int buttonSize_ = 16;
    int largeChange_ = 16;
    int smallChange_ = 1;
    int longPause_ = 200;
    int shortPause_ = 75;
    bool invert_ = false;
    std::unique_ptr<TILButtonCustomPropertiesRecord> buttonLeft_;
    std::unique_ptr<TILButtonCustomPropertiesRecord> buttonRight_;
    std::unique_ptr<TILButtonCustomPropertiesRecord> buttonUp_;
    std::unique_ptr<TILButtonCustomPropertiesRecord> buttonDown_;
    std::unique_ptr<TILButtonCustomPropertiesRecord> sliderUD_;
    std::unique_ptr<TILButtonCustomPropertiesRecord> sliderLR_;

    bool backgroundSet_ = false;
    bool buttonSizeSet_ = false;
    bool largeChangeSet_ = false;
    bool smallChangeSet_ = false;
    bool longPauseSet_ = false;
    bool shortPauseSet_ = false;
    bool invertSet_ = false;
    bool buttonLeftSet_ = false;
    bool buttonRightSet_ = false;
    bool buttonUpSet_ = false;
    bool buttonDownSet_ = false;
    bool sliderUDSet_ = false;
    bool sliderLRSet_ = false;
};
