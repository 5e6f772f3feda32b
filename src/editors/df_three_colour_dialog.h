#pragma once

#include <string_view>

#include "forms/button_basic_form.h"

class TTWPalette;

namespace fw {
class Label;
class Panel;
} // namespace fw

// "3-Colour Doubleface Setup": the pattern colour and the two background colours of a
// four-hole double-face design woven in three colours. Each panel shows its palette colour
// (Tag: the index); a double click picks another one from the palette.
class TfrmTWDF3ColourSetup : public TfrmTBtnBasic {
public:
    explicit TfrmTWDF3ColourSetup(fw::Component* owner = nullptr);
    ~TfrmTWDF3ColourSetup() override;

    std::string_view className() const override { return "TfrmTWDF3ColourSetup"; }

    fw::Label* const lblPattern;
    fw::Panel* const pnlColPattern;
    fw::Label* const lblBack1;
    fw::Panel* const pnlColBack1;
    fw::Label* const lblBack2;
    fw::Panel* const pnlColBack2;

    // Made by the owner, centred over it, shown with palette colours 0, 1 and 2; true on OK,
    // with the indexes chosen in the three arguments. The palette is not owned.
    static bool Execute(fw::Component* owner, TTWPalette& palette, int& pattern, int& background1,
                        int& background2);

    // The panel takes the palette index and shows its colour.
    void SetPanelColour(fw::Panel* panel, int index);
    // Picks another palette colour for the panel.
    void PanelDblClick(fw::Panel* panel);

    void SetPalette(TTWPalette* palette) { palette_ = palette; }

private:
    TTWPalette* palette_ = nullptr;
};
