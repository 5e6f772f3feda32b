#pragma once

#include <string_view>

#include "forms/basic_form.h"

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Size Settings": the width and length of a new or resized design. Accept checks both
// numbers and keeps the dialog open, with the error in the standard error box, until both
// are above 0.
class TfrmSize : public TfrmTBasic {
public:
    explicit TfrmSize(fw::Component* owner = nullptr);
    ~TfrmSize() override;

    std::string_view className() const override { return "TfrmSize"; }

    fw::Label* const lblWidth;
    fw::Edit* const edWidth;
    fw::Label* const lblLength;
    fw::Edit* const edLength;
    // "&Accept": checks the numbers, then ends the dialog with OK.
    fw::Button* const btnAccept;
    // "&Cancel": ends the dialog with Cancel.
    fw::Button* const btnCancel;

    // Made by the owner, centred over it, shown with the two numbers, freed again; true when
    // the user accepted. The numbers chosen are then in width and length.
    static bool Execute(fw::Component* owner, int& width, int& length);

    // Shows this dialog with the two numbers; true when it closed with OK.
    bool Execute(int width, int length);

    // Raises the framework's conversion error for a text that is no integer, and the plain
    // errors "Invalid Width." and "Invalid Length." for a number of 0 or less, and the plain
    // error of PatternWidthText for a width past MaxPatternCards; closes with OK otherwise.
    void btnAcceptClick();

    // The edit's number; 1 when its text is no integer.
    int GetWidth() const;
    int GetLength() const;
};
