#pragma once

#include <string_view>

#include "forms/basic_form.h"

namespace fw {
class Edit;
class Label;
} // namespace fw

// "Generate": the first pick number and the first card number of a printed or generated
// listing. The window that prints a listing derives from it, adds its own buttons and
// checks the numbers with ValidateNumbers before it goes on.
class TfrmGenerate : public TfrmTBasic {
public:
    explicit TfrmGenerate(fw::Component* owner = nullptr);
    ~TfrmGenerate() override;

    std::string_view className() const override { return "TfrmGenerate"; }

    fw::Label* const lblFirstPick;
    // Starts with "1".
    fw::Edit* const edFirstPick;
    fw::Label* const lblFirstCard;
    // Starts with "1".
    fw::Edit* const edFirstCard;

    // Both numbers must be integers above 0. The first that is not shows the error box
    // "Invalid pick number." (or "Invalid card number.") with OK, takes the focus into its
    // edit and answers false. Nothing is raised out of it.
    virtual bool ValidateNumbers();

    // The edit's number; 0 when its text is no integer.
    int GetFirstPick() const;
    int GetFirstCard() const;
};
