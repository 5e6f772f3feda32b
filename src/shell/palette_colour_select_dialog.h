#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TTWPalette;
class TfrmPaletteSel;

namespace fw {
class Button;
class Control;
} // namespace fw

// "Colour Selection": picks one colour of a palette by its index. Without colour editing a
// click on a colour picks it at once; with editing a click selects, a double click edits the
// colour, and "&Select" picks the selected one.
class TfrmColourSel : public TfrmTBasic {
public:
    explicit TfrmColourSel(fw::Component* owner = nullptr);
    ~TfrmColourSel() override;

    std::string_view className() const override { return "TfrmColourSel"; }

    TfrmPaletteSel* const framePalette;
    // "&Select": shown only while colours may be edited.
    fw::Button* const btnSelect;
    // "&Cancel" (Esc).
    fw::Button* const btnCancel;

    // Made by the owner and centred over it; the palette shown with the preselected index
    // selected; the list of named palettes enabled when the palette may be changed. Answers
    // the index picked (0 when nothing was selected) or -1 when cancelled; frees the dialog.
    static int Execute(TTWPalette* palette, int preselected, fw::Control* owner, bool mayEditColours,
                       bool mayChangePalette);

    // A colour's click: selects it and, without colour editing, picks it.
    void ColourPanelClick(fw::Object* sender);
    // A colour's double click: without colour editing as the click; with it, edits the colour.
    void ColourPanelDblClick(fw::Object* sender);
    void btnSelectClick();

    bool MayEditColours() const { return mayEditColours_; }

private:
    int Run(TTWPalette* palette, int preselected, bool mayEditColours, bool mayChangePalette);

    bool mayEditColours_ = false;
};
