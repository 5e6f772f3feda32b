#pragma once

#include <string>
#include <string_view>

#include "forms/basic_form.h"

class TfrmTWMain;
class TILBrushPanel;
class TILCheckBox;
class TILRadioButton;

namespace fw {
class Button;
class Label;
class SpeedButton;
} // namespace fw

// "Convert Double-Face/Twill to Brocade": a two-colour double-face or a 3/1 broken twill
// pattern, read from its file, becomes a brocade (brocade_conversion.h) that opens in the
// brocade editor or is saved to a file (and then, when asked, opened from it).
//
// What the user is told, in information boxes: the refusals of BrocadeConversionRefusal
// (when the source is chosen, and again at Convert, where the file is read afresh),
// "Please select the source pattern.", "Please select the target file.", and after saving
// without opening "Pattern has been converted.".
class TfrmTWCvtDFToBrocade : public TfrmTBasic {
public:
    explicit TfrmTWCvtDFToBrocade(TfrmTWMain& main);
    ~TfrmTWCvtDFToBrocade() override;

    std::string_view className() const override { return "TfrmTWCvtDFToBrocade"; }

    fw::Label* const Label1;
    fw::SpeedButton* const btnSelSource;
    TILBrushPanel* const pnlSource;
    // "Compress 2:1": one brocade pick per row of a double-face design; shown only for one.
    TILCheckBox* const chkCompress;
    TILRadioButton* const rbCvtToPattern;
    TILRadioButton* const rbCvtToFile;
    TILBrushPanel* const pnlTargetInfo;
    fw::Label* const lblTarget;
    fw::SpeedButton* const btnSelTarget;
    TILBrushPanel* const pnlTarget;
    TILCheckBox* const chkAutoOpen;
    fw::Button* const btnConvert;
    fw::Button* const btnClose;

    std::string SourceFileName() const;
    std::string TargetFileName() const;
    // Reads the file and takes it as the source unless it is refused (the refusal is shown
    // and the source stays as it was).
    bool SelectSource(const std::string& fileName);
    void SetTargetFileName(const std::string& fileName);

    void btnSelSourceClick();
    void btnSelTargetClick();
    // The target's controls are enabled exactly when the brocade goes to a file.
    void OnChangeTargetType();
    void btnConvertClick();

private:
    TfrmTWMain* main_;
};

// Registers Edit > Convert > Double-Face/Twill to Brocade: the dialog owned by the main
// window, centred over it, shown modally and freed.
void RegisterConversionDialog();
