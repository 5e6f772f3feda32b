#pragma once

#include <string>
#include <string_view>

#include "shell/size_dialog.h"

class TILTree;
class TILTreeNode;
class TTWCardList;

// "Size Settings" of a twist-patterned design: the number of cards and the length, and below
// them one row per card ("Card 1", "Card 2", ...) with its threading, "S" or "Z". A click on
// a row turns its threading over; leaving the width with a number above 0 adds S rows or
// takes rows from the end until there are that many, any other text leaves the rows alone.
class TfrmWarpTwinedSize : public TfrmSize {
public:
    explicit TfrmWarpTwinedSize(fw::Component* owner = nullptr);
    ~TfrmWarpTwinedSize() override;

    std::string_view className() const override { return "TfrmWarpTwinedSize"; }

    TILTree* const lstCards;

    // Made by the owner, centred over it, shown with the numbers and one row per card up to
    // the width (S where the list has no such card), freed again. When the user accepts, the
    // card list is cut to the rows or given new four-hole cards for the missing ones, each
    // card threaded as its row shows, and width and length hold the numbers chosen; true. A
    // size of more cells than a design may have raises before anything changes.
    static bool Execute(fw::Component* owner, int& width, int& length, TTWCardList& cards);

    // The rows for cards 1..width, from the list.
    void FillRows(int width, const TTWCardList& cards);
    // What leaving the width edit does: the rows follow a width from 1 to MaxPatternCards.
    void edWidthExit();
    // Turns the row's threading over.
    void ToggleRow(TILTreeNode* row);
    // The cards as the rows show them.
    void ApplyToCards(TTWCardList& cards) const;

    int RowCount() const;
    // "S" or "Z" of the 0-based row; empty without one.
    std::string RowThreading(int row) const;

    void ApplyDefaultStyle() override;

private:
    void AddRow(int number, const std::string& threading);
};
