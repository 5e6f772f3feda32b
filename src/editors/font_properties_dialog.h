#pragma once

#include <string>
#include <string_view>

#include "forms/basic_form.h"

class TILComboBox;
class TTWFont;

namespace fw {
class Button;
class Edit;
class Label;
} // namespace fw

// "Font Properties": a font's name, its letter height (the number of cards), the rows left
// between two letters, the width new letters start with and how its cards are threaded.
// Accept checks the numbers, each failure an error box with the focus back in its edit, and
// only then hands all of them to the font.
class TfrmTWFontProperties : public TfrmTBasic {
public:
    static constexpr std::string_view HeightText = "Height must be greater than zero.";
    static constexpr std::string_view WidthText = "Default width must be greater than zero.";
    static constexpr std::string_view KerningText = "Kerning must be greater than or equal to zero.";
    // Beyond what a font can hold: the letters' height and width are bounded (TTWFontChar).
    static std::string HeightTooLargeText();
    static std::string WidthTooLargeText();
    // The letters would hold more pixels than a font may (TTWFont::MaxGlyphPixels).
    static constexpr std::string_view FontTooLargeText =
        "The letters of the font would be too large at this height.";

    explicit TfrmTWFontProperties(fw::Component* owner = nullptr);
    ~TfrmTWFontProperties() override;

    std::string_view className() const override { return "TfrmTWFontProperties"; }

    fw::Label* const lblName;
    fw::Edit* const edName;
    fw::Label* const lblHeight;
    fw::Edit* const edHeight;
    fw::Label* const lblKerning;
    fw::Edit* const edKerning;
    fw::Label* const lblKerningNote;
    fw::Label* const lblWidth;
    fw::Edit* const edWidth;
    fw::Label* const lblThreading;
    // "All S-Threaded", "All Z-Threaded", "Alternate S/Z Threaded": the font's threading code.
    TILComboBox* const cbThreading;
    // "&Accept": checks, writes into the font and closes with OK.
    fw::Button* const btnAccept;
    fw::Button* const btnCancel;

    // Made by the owner, centred over it, shows the font, runs modally and is freed; true
    // when the user accepted, the font then holding what was chosen.
    static bool Execute(fw::Component* owner, TTWFont& font);

    // Shows the font's values in the fields; the font is the one Accept writes into.
    void ShowFont(TTWFont& font);
    // The checks, then the font takes the trimmed name, the kerning, the height (its letters
    // follow), the default width and the threading (the first one when none is chosen).
    void btnAcceptClick();

private:
    // The edit's whole number; -1 for a text that is no number.
    static int NumberOf(const fw::Edit& edit);
    // Shows the message in an error box and puts the focus in the edit; answers false.
    static bool Refuse(std::string_view text, fw::Edit& edit);

    TTWFont* font_ = nullptr;
};
