#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TILBrushPanel;
class TILCheckBox;
class TILTree;
class TTWPattern;

namespace fw {
class Button;
class ImageList;
} // namespace fw

// "Card Positions at Start of each Pick": for every pick, which hole of every card is on top
// as the pick begins, as a letter (with the card's threading when asked) or as a small
// picture of the card with its top hole filled.
class TfrmTWCardPositionDetails : public TfrmTBasic {
public:
    static constexpr int CardColumnWidth = 35;
    static constexpr int PositionImageSize = 14;

    explicit TfrmTWCardPositionDetails(fw::Component* owner = nullptr);
    ~TfrmTWCardPositionDetails() override;

    std::string_view className() const override { return "TfrmTWCardPositionDetails"; }

    TILBrushPanel* const pnlOptions;
    // "PICK", then one column per card.
    TILTree* const lstCards;
    TILCheckBox* const chkShowThreading;
    TILCheckBox* const chkShowImages;
    fw::Button* const btnCopy;
    fw::Button* const btnClose;
    // The card pictures, made for the pattern's hole count.
    fw::ImageList* const imgPositions;

    // Made by the owner (the turning-action display) and centred over it, filled from the
    // pattern (not owned; it must outlive the window), shown modally and freed. The card
    // columns show only with showIndividualCards, as in the display.
    static void Execute(fw::Component* owner, const TTWPattern& pattern, bool showIndividualCards);

    // Keeps the pattern and the card columns' visibility, and fills the list.
    void LoadPattern(const TTWPattern& pattern, bool showIndividualCards);
    // Rebuilds the list with the options checked now.
    void FillList();
    // The picture index of a top hole (0-based) with a threading, for the options now.
    int PositionImageIndex(int hole, int threading) const;

    void btnCopyClick();

    void ApplyDefaultStyle() override;

private:
    void MakePositionImages(int holes);

    const TTWPattern* pattern_ = nullptr;
    bool showIndividualCards_ = true;
    int imageHoles_ = 0;
};

// The picture of a card with holes around its centre, hole A at the top and the others
// clockwise, the top hole filled; with a threading, a slash across it: "/" for Z, "\" for S
// (none for threading -1).
fw::Bitmap CardPositionPicture(int holes, int topHole, int threading, int size);
