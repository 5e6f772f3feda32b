#pragma once

#include <string>
#include <vector>

#include "forms/button_basic_form.h"
#include "framework/core/canvas.h"

class TILRadioButton;
class TILTree;
class TILTreeNode;
class TTWCardList;
class TTWPalette;
class TfrmTWPrintCardsQR;

namespace fw {
class Edit;
class Label;
} // namespace fw

// "Threading Diagram": the cards with the colours of their holes, the colours in use with a
// name and a character each (both editable), the title, and whether the printed diagram
// shows the holes' colours, names or characters. "&Print" previews the diagram.
class TfrmTWPrintCards : public TfrmTBtnBasic {
public:
    explicit TfrmTWPrintCards(fw::Component* owner = nullptr);
    ~TfrmTWPrintCards() override;

    std::string_view className() const override { return "TfrmTWPrintCards"; }

    fw::Label* const lblTitle;
    fw::Edit* const edTitle;
    // "Card" (CARD), "Thread" (THREAD), then one column per hole.
    TILTree* const lstCards;
    // "Colour", "Colour Name" (NAME), "Character" (CHAR); one row per colour in use.
    TILTree* const lstColours;
    fw::Label* const lblPrintUsing;
    TILRadioButton* const rbUseColours;
    TILRadioButton* const rbUseNames;
    TILRadioButton* const rbUseCharacters;

    // Shows the cards (not owned) with the palette (not owned) under the title, modally.
    fw::ModalResult Execute(TTWCardList* cards, TTWPalette* palette, const std::string& title);

    // Refills both lists from the cards and palette kept.
    void FillCards();
    void FillColours();

    TTWCardList* Cards() const { return cards_; }
    TTWPalette* Palette() const { return palette_; }
    // Whether a hole of some card carries the palette index.
    bool ColourInUse(int paletteIndex) const;
    // The "Colour Name" of the palette index, trimmed; "" when the index is not listed.
    std::string ColourName(int paletteIndex) const;
    // The first two characters of the "Character" of the palette index; "" when the index
    // is not listed.
    std::string ColourCharacters(int paletteIndex) const;
    // The report, none until "&Print" made it.
    TfrmTWPrintCardsQR* Report() const { return report_; }

    void btnAcceptClick();
    void ApplyDefaultStyle() override;

private:
    TILTreeNode* ColourRow(int paletteIndex) const;
    void PaintCardHole(const fw::Rect& extents, fw::Canvas& canvas, TILTreeNode* node, int hole) const;
    void PaintColourCell(const fw::Rect& extents, fw::Canvas& canvas, TILTreeNode* node) const;

    TTWCardList* cards_ = nullptr;
    TTWPalette* palette_ = nullptr;
    // Indexed by palette index.
    std::vector<bool> coloursInUse_;
    TfrmTWPrintCardsQR* report_ = nullptr;
};

// The hole cell of the card and colour lists: a rectangle one pixel in from the cell's left
// and top edges (extents inclusive), outlined by a black pen one pixel wide and filled with
// the colour, clipped to the cell. The canvas's pen, brush and clipping are kept.
void PaintHoleCell(fw::Canvas& canvas, const fw::Rect& extents, fw::Color colour);

// The first count characters (code points) of UTF-8 text.
std::string FirstCharacters(const std::string& text, int count);
