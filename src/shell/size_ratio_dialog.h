#pragma once

#include <string_view>

#include "forms/basic_form.h"

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Edit Size Ratios": the width of a woven cell and the heights of its centre and its ends in
// the real image. Any number is taken as typed: the views that draw with the ratios keep
// their cells at least one pixel wide themselves.
class TfrmTWSizeRatios : public TfrmTBasic {
public:
    explicit TfrmTWSizeRatios(fw::Component* owner = nullptr);
    ~TfrmTWSizeRatios() override;

    std::string_view className() const override { return "TfrmTWSizeRatios"; }

    fw::Label* const lblWidth;
    fw::Edit* const edWidth;
    fw::Label* const lblCentre;
    fw::Edit* const edCentre;
    fw::Label* const lblEnd;
    fw::Edit* const edEnd;
    // "&Accept": ends the dialog with OK.
    fw::Button* const btnAccept;
    // "&Cancel" (Esc): ends the dialog with Cancel.
    fw::Button* const btnCancel;

    // Made by the owner, centred over it, run and freed again; see the other Execute.
    static bool Execute(fw::Component* owner, double& width, double& centreHeight, double& endHeight);

    // Shows the three values; on OK reads the three texts back into them and answers true.
    // A text that is no number raises the framework's conversion error, and then none of
    // the three values changes. Cancel changes nothing.
    bool Execute(double& width, double& centreHeight, double& endHeight);
};
