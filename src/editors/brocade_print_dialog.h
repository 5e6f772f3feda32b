#pragma once

#include <optional>
#include <string_view>

#include "framework/core/bitmap.h"
#include "shell/numbering_dialog.h"

class TILCheckBox;
class TTWBrocadePattern;
class TTWPictureImage;
class TfrmActionDisplay;
class TfrmPrintBrocadePattern;

namespace fw {
class Button;
class Panel;
} // namespace fw

// "Brocade Pattern": prints a brocade pattern pick by pick with its wefts' tie-downs, its
// picture and, when the pattern has a ground weave and the weaver includes it, the
// ground's forward, backward and twist turns of every pick (the picks and cards then
// numbered from 1, as the ground's own are).
class TfrmGenerateBrocade : public TfrmGenerate {
public:
    // The picture's room inside its panel.
    static constexpr int PictureWidth = 99;
    static constexpr int PictureHeight = 64;

    explicit TfrmGenerateBrocade(fw::Component* owner = nullptr);
    ~TfrmGenerateBrocade() override;

    std::string_view className() const override { return "TfrmGenerateBrocade"; }

    // The picture ("No Image" without one), shrunk to fit and centred.
    fw::Panel* const pnlImage;
    TTWPictureImage* const imgPattern;
    TILCheckBox* const chkIncludeGround;
    TILCheckBox* const chkGroundShowFwd;
    TILCheckBox* const chkGroundShowBack;
    TILCheckBox* const chkGroundShowTwist;
    fw::Button* const btnPrint;
    fw::Button* const btnCancel;

    // A dialog made by the owner, centred over it, shows the pattern (kept, not owned; the
    // print with the ground included gives it the ground's cards, packs and picks) with a
    // copy of the picture (none: no picture), and is freed when it closes.
    static void Execute(fw::Component* owner, TTWBrocadePattern& pattern, const fw::Bitmap* picture);
    // What Execute shows before the dialog runs.
    void Setup(TTWBrocadePattern& pattern, const fw::Bitmap* picture);

    // The number edits follow "Include Ground Weave": both "1" and fixed while it is
    // checked, the "Show" boxes usable only then.
    void chkIncludeGroundChange();
    // Nothing when a number is wrong (the weaver has been told); else the report is
    // previewed, with the ground's turns when they are included.
    void btnPrintClick();

    // The report and the ground's (hidden) turning list, as the last print made them; none
    // before. Both are the dialog's.
    TfrmPrintBrocadePattern* Report() const { return report_; }
    TfrmActionDisplay* GroundDisplay() const { return groundDisplay_; }

private:
    int GroundColumnChoice() const;

    TTWBrocadePattern* pattern_ = nullptr;
    std::optional<fw::Bitmap> picture_;
    TfrmActionDisplay* groundDisplay_ = nullptr;
    TfrmPrintBrocadePattern* report_ = nullptr;
};
