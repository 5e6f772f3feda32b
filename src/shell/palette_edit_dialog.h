#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TTWPalette;
class TfrmPalette;

namespace fw {
class Button;
class Control;
class Edit;
class Label;
} // namespace fw

// "Palette Settings": a palette's colours, and its name when asked for. The colours are
// edited on the swatches (a double click opens the colour dialog) and reach the palette only
// when the dialog is accepted.
class TfrmTWEditPalette : public TfrmTBasic {
public:
    explicit TfrmTWEditPalette(fw::Component* owner = nullptr);
    ~TfrmTWEditPalette() override;

    std::string_view className() const override { return "TfrmTWEditPalette"; }

    // "Palette Name" over the name, or "Palette Colours" when only the colours are edited.
    fw::Label* const lblCaption;
    fw::Edit* const edName;
    TfrmPalette* const framePalette;
    // "&Accept": refuses an empty name while the name shows.
    fw::Button* const btnAccept;
    // "&Cancel" (Esc).
    fw::Button* const btnCancel;

    // Made by the owner, centred over it, run on the palette and freed; true when accepted,
    // and then the palette has the name (trimmed) and the 16 colours of the dialog.
    static bool Execute(TTWPalette& palette, fw::Control* owner, bool editName);

    void btnAcceptClick();

private:
    bool Run(TTWPalette& palette, bool editName);
};
