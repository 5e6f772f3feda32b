#pragma once

#include <string_view>

#include "framework/gui/form.h"

class TILBrushPanel;
class TILComboBox;
class TfrmPalette;

namespace fw {
class Label;
}

// The palette chooser: "Current Palette" with a drop-down list of the user's named palettes
// (the global palette list, in its order) above the 16 colours of the palette chosen there.
// The list is filled once, as the frame is made; its first palette is shown at once.
class TfrmPaletteSel : public fw::Frame {
public:
    explicit TfrmPaletteSel(fw::Component* owner = nullptr);
    ~TfrmPaletteSel() override;

    std::string_view className() const override { return "TfrmPaletteSel"; }

    TILBrushPanel* const pnlPaletteSel;
    fw::Label* const lblPalette;
    // One item per palette, holding it as its data.
    TILComboBox* const cbPalette;
    TfrmPalette* const framePalette;

    // The chosen item's palette into the palette frame (none when nothing is chosen).
    void cbPaletteChange();

    bool PaletteChangeable() const { return paletteChangeable_; }
    // Whether another palette may be chosen: enables or disables the list.
    void SetPaletteChangeable(bool changeable);

private:
    void FillPaletteList();

    bool paletteChangeable_ = true;
};
