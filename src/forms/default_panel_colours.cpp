#include "forms/default_panel_colours.h"

#include "controls/brush_bevel.h"
#include "controls/brush_panel.h"
#include "framework/gui/std_panel.h"

TILFormsDefaultPanelColours::TILFormsDefaultPanelColours()
{
    // Whoever changes the brush itself means it to be imposed.
    fillBrush_.SetOnBrushChange([this](fw::Object*) { fillBrushSet_ = true; });
}

TILFormsDefaultPanelColours::~TILFormsDefaultPanelColours()
{
    fillBrush_.SetOnBrushChange({});
}

void TILFormsDefaultPanelColours::SetPanelColour(fw::Color colour)
{
    panelColour_ = colour;
    panelColourSet_ = colour != fw::clNone;
}

void TILFormsDefaultPanelColours::SetBevelLight(fw::Color colour)
{
    bevelLight_ = colour;
    bevelLightSet_ = colour != fw::clNone;
}

void TILFormsDefaultPanelColours::SetBevelDark(fw::Color colour)
{
    bevelDark_ = colour;
    bevelDarkSet_ = colour != fw::clNone;
}

void TILFormsDefaultPanelColours::SetFillBrush(const TILBrush* brush)
{
    if (brush != nullptr && brush != &fillBrush_) {
        fillBrush_.Assign(brush);
    }
    fillBrushSet_ = brush != nullptr;
}

void TILFormsDefaultPanelColours::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILFormsDefaultPanelColours*>(source);
    if (other == nullptr || other == this) {
        return;
    }
    SetPanelColour(other->panelColour_);
    SetBevelLight(other->bevelLight_);
    SetBevelDark(other->bevelDark_);
    if (other->fillBrushSet_) {
        SetFillBrush(&other->fillBrush_);
    } else {
        fillBrushSet_ = false;
    }
}

void TILFormsDefaultPanelColours::AssignTo(fw::Persistent* destination) const
{
    if (auto* bevel = dynamic_cast<TILBrushBevel*>(destination)) {
        RestyleBevel(*bevel);
    } else if (auto* brushPanel = dynamic_cast<TILBrushPanel*>(destination)) {
        RestyleBevel(brushPanel->DrawData());
    } else if (auto* panel = dynamic_cast<fw::Panel*>(destination)) {
        if (panelColourSet_) {
            panel->SetColor(panelColour_);
        }
    } else {
        fw::Persistent::AssignTo(destination);
    }
}

void TILFormsDefaultPanelColours::RestyleBevel(TILBrushBevel& bevel) const
{
    if (bevelLightSet_) {
        bevel.SetBevelLight(bevelLight_);
    }
    if (bevelDarkSet_) {
        bevel.SetBevelDark(bevelDark_);
    }
    if (fillBrushSet_) {
        bevel.SetFillBrush(fillBrush_);
    }
}
