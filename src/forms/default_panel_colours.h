#pragma once

#include "controls/il_brush.h"
#include "framework/core/object.h"

class TILBrushBevel;

// What the shared default style imposes on panels, bevels, scroll boxes and brushes. Each
// value carries an is-set flag; a value that is not set leaves the control as its window
// designed it. A new object imposes nothing.
class TILFormsDefaultPanelColours : public fw::Persistent {
public:
    TILFormsDefaultPanelColours();
    ~TILFormsDefaultPanelColours() override;

    std::string_view className() const override { return "TILFormsDefaultPanelColours"; }
    fw::Object* NewInstance() const override { return new TILFormsDefaultPanelColours; }

    // Each colour setter stores the value and marks it set unless it is clNone
    // (0x1FFFFFFF), the way to unset a colour.
    fw::Color PanelColour() const { return panelColour_; }
    void SetPanelColour(fw::Color colour);
    bool PanelColourSet() const { return panelColourSet_; }
    fw::Color BevelLight() const { return bevelLight_; }
    void SetBevelLight(fw::Color colour);
    bool BevelLightSet() const { return bevelLightSet_; }
    fw::Color BevelDark() const { return bevelDark_; }
    void SetBevelDark(fw::Color colour);
    bool BevelDarkSet() const { return bevelDarkSet_; }

    // The owned fill brush. Changing its own properties (colour, style, image...) marks it
    // set.
    TILBrush& FillBrush() { return fillBrush_; }
    const TILBrush& FillBrush() const { return fillBrush_; }
    // A brush is copied in and marks the fill set; none only clears the flag, and the owned
    // brush keeps its look.
    void SetFillBrush(const TILBrush* brush);
    bool FillBrushSet() const { return fillBrushSet_; }

    // Only from another TILFormsDefaultPanelColours (anything else is ignored): the three
    // colours through their setters, so each flag follows the value rather than the
    // source's flag; then the fill brush, copied when the source's is set, else only its
    // flag is cleared.
    void Assign(const fw::Persistent* source) override;

    // Imposes the set values: on a TILBrushBevel, or on the DrawData of a TILBrushPanel, the
    // light colour, the dark colour and the fill brush; on a plain framework panel the panel
    // colour. The panel colour never reaches a brush panel or a bevel. Other targets go to
    // the framework.
    void AssignTo(fw::Persistent* destination) const override;

private:
    // The set light colour, dark colour and fill, in that order.
    void RestyleBevel(TILBrushBevel& bevel) const;

    fw::Color panelColour_ = 0;
    fw::Color bevelLight_ = 0;
    fw::Color bevelDark_ = 0;
    TILBrush fillBrush_;
    bool panelColourSet_ = false;
    bool bevelLightSet_ = false;
    bool bevelDarkSet_ = false;
    bool fillBrushSet_ = false;
};
