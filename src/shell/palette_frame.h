#pragma once

#include <functional>
#include <string_view>

#include "framework/gui/form.h"
#include "framework/gui/std_panel.h"
#include "model/palette.h"

class TILBrushPanel;

namespace fw {
class Label;
}

// A colour swatch of the palette frames: a lowered panel in the colour, drawn inside a
// one-pixel black border while it is the selected one.
class TTWColourPanel : public fw::Panel {
public:
    explicit TTWColourPanel(fw::Component* owner = nullptr);

    bool SingleBorder() const { return singleBorder_; }
    void SetSingleBorder(bool single);

protected:
    void Paint() override;

private:
    bool singleBorder_ = false;
};

// The 16 colours of a palette as swatches "ColPanel1" .. "ColPanel16" (Tag 0 .. 15, the
// palette index), each under its number "Label1" .. "Label16", in two rows of eight.
//
// The frame shows a palette it does not own; while one is bound, a colour set on a swatch
// is set in the palette too. A selectable frame selects the swatch clicked; an editable one
// edits the colour of the swatch double-clicked in the data module's colour dialog.
class TfrmPalette : public fw::Frame {
public:
    static constexpr int ColourCount = TTWPalette::StandardSize;

    explicit TfrmPalette(fw::Component* owner = nullptr);
    ~TfrmPalette() override;

    std::string_view className() const override { return "TfrmPalette"; }

    TILBrushPanel* const ILBrushPanel1;

    // "ColPanel" + (index + 1); none outside 0 .. 15.
    TTWColourPanel* GetColourPanel(int index) const;
    fw::Label* GetNumberLabel(int index) const;

    // The swatch takes the colour; with a bound palette so does the palette's colour at
    // that index. Nothing outside 0 .. 15.
    void SetPanelColour(int index, TTWColour colour);
    // Binds the palette (none unbinds); a palette given shows its 16 colours, an index it
    // lacks as no colour (0x1FFFFFFF). Unbinding leaves the swatches as they are.
    void SetPalette(TTWPalette* palette);
    TTWPalette* Palette() const { return palette_; }
    // The 16 swatch colours into the palette; nothing for none.
    void CopyToPalette(TTWPalette* palette) const;

    bool Selectable() const { return selectable_; }
    void SetSelectable(bool selectable) { selectable_ = selectable; }
    bool Editable() const { return editable_; }
    void SetEditable(bool editable) { editable_ = editable; }

    // The swatch's click: selects its index.
    void SelectColourClick(fw::Object* sender);
    // Only when selectable and for 0 .. 15: the selected swatch loses its border, the one of
    // the index gets it.
    void SelectIndex(int index);
    // The selected swatch's Tag; 0 while none is selected.
    int SelectedIndex() const;
    TTWColourPanel* SelectedPanel() const { return selectedPanel_; }
    // The swatch's double click: when editable, its colour is edited and, when confirmed,
    // set (SetPanelColour).
    void ChangeColourClick(fw::Object* sender);

protected:
    // How the swatches are laid out; the 4 x 4 frame lays them out its own way.
    struct Layout {
        int Columns;
        int PanelWidth;
        int PanelHeight;
        int StepX;
        int StepY;
        bool ShowNumbers;
    };
    TfrmPalette(fw::Component* owner, const Layout& layout);

private:
    void BuildSwatches(const Layout& layout);

    TTWPalette* palette_ = nullptr;
    bool selectable_ = false;
    bool editable_ = false;
    TTWColourPanel* selectedPanel_ = nullptr;
};

class TfrmTWPalette4x4;
// A colour picked in the 4 x 4 frame: the frame, the colour and its index.
using TTWPaletteColourEvent = std::function<void(TfrmTWPalette4x4* sender, TTWColour colour, int index)>;

// The palette in four rows of four small swatches without numbers, for the side bars of the
// editors: it neither selects nor edits; a left click reports the colour through
// OnSelectColour, the right button released over a swatch through OnSelectAltColour.
class TfrmTWPalette4x4 : public TfrmPalette {
public:
    explicit TfrmTWPalette4x4(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TfrmTWPalette4x4"; }

    const TTWPaletteColourEvent& OnSelectColour() const { return onSelectColour_; }
    void SetOnSelectColour(TTWPaletteColourEvent handler) { onSelectColour_ = std::move(handler); }
    const TTWPaletteColourEvent& OnSelectAltColour() const { return onSelectAltColour_; }
    void SetOnSelectAltColour(TTWPaletteColourEvent handler) { onSelectAltColour_ = std::move(handler); }

private:
    void SwatchClick(fw::Object* sender);
    void SwatchMouseUp(fw::Object* sender, fw::MouseButton button, int x, int y);

    TTWPaletteColourEvent onSelectColour_;
    TTWPaletteColourEvent onSelectAltColour_;
};
