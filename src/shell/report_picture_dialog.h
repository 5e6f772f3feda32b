#pragma once

#include <string>

#include "forms/button_basic_form.h"

class TILCheckBox;

namespace fw {
class Edit;
class Label;
class Memo;
} // namespace fw

// "Image Details": the title and description printed above a picture, and whether the
// picture is shrunk to fit one page.
class TfrmTWPrintImageInfo : public TfrmTBtnBasic {
public:
    explicit TfrmTWPrintImageInfo(fw::Component* owner = nullptr);
    ~TfrmTWPrintImageInfo() override;

    std::string_view className() const override { return "TfrmTWPrintImageInfo"; }

    fw::Label* const lblImageTitle;
    fw::Edit* const edTitle;
    fw::Label* const lblDescription;
    // Several lines: Enter breaks a line here instead of accepting the dialog.
    fw::Memo* const edDescription;
    TILCheckBox* const chkSizeToFit;

    // Shows the dialog with the texts; true when the user accepted it.
    bool Execute(const std::string& title, const std::string& description);

    // What the user entered, without leading and trailing blanks.
    std::string ImageTitle() const;
    std::string Description() const;
    bool SizeToFit() const;
};
