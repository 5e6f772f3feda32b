#pragma once

#include <string_view>

#include "forms/basic_form.h"

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Block Size Ratio": the width and height of one cell of a block design, as ratios. Both
// must be numbers above 0, and neither may be more than ten times the other (exactly ten
// times is allowed).
class TfrmBlockSize : public TfrmTBasic {
public:
    // The message shown when one ratio is more than ten times the other.
    static constexpr std::string_view RatioTooLargeText =
        "The ratio of Width:Height may not be greater\r\nthan a factor of ten.";

    explicit TfrmBlockSize(fw::Component* owner = nullptr);
    ~TfrmBlockSize() override;

    std::string_view className() const override { return "TfrmBlockSize"; }

    fw::Label* const lblWidth;
    fw::Edit* const edWidth;
    fw::Label* const lblHeight;
    fw::Edit* const edHeight;
    // "&Accept": checks both values (btnAcceptClick) and ends the dialog with OK when they
    // pass.
    fw::Button* const btnAccept;
    // "&Cancel" (Esc): ends the dialog with Cancel.
    fw::Button* const btnCancel;

    // Made by the owner, centred over it, shows the two values and runs modally; on OK reads
    // both texts back (a text that is no number reads as 0) and answers true. Cancel changes
    // neither value. The dialog is freed in either case.
    static bool Execute(double& width, double& height, fw::Component* owner);

    // Width first, then height: a text that is no number or a value of 0 or less takes the
    // focus to its edit and keeps the dialog open without a word. Then the ratio: more than
    // ten either way shows RatioTooLargeText in an error box and keeps the dialog open.
    // Otherwise the dialog ends with OK.
    void btnAcceptClick();

private:
    // The edit's value when it is a number above 0; otherwise the edit takes the focus.
    bool ReadPositive(fw::Edit& edit, double& value);
};
