#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/form.h"

class TILTree;
class TILTreeNode;
class TTWCardList;
class TTWPack;
class TTWPackList;
class TTWPickList;

namespace fw {
class ImageList;
}

// The packs of a pattern as a grid: one row per pack with its name (edited in place), one
// column per card, and a mark in the cells of the cards that belong to the pack. A click on
// a card cell adds the card to the pack or takes it out; a click on a name edits it.
//
// Each row keeps the pack it was filled from (none for a row added here) until the grid is
// written back, so that a renamed pack can rename the actions that name it.
class TfrmPackListFrame : public fw::Frame {
public:
    // A card cell's value: the card belongs to the row's pack, or not.
    static constexpr int MemberValue = 0;
    static constexpr int NonMemberValue = -1;
    static constexpr int CardColumnWidth = 20;

    explicit TfrmPackListFrame(fw::Component* owner = nullptr);
    ~TfrmPackListFrame() override;

    std::string_view className() const override { return "TfrmPackListFrame"; }

    // Column 0 "Pack" (150 wide), then one column per card; horizontal and vertical grid
    // lines, no double clicks, names edited in place.
    TILTree* const lstPacks;
    // The member mark the card cells show.
    fw::ImageList* const imgPacks;

    // --- Filling ----------------------------------------------------------------------------
    // One card column per card of the list (none: no card columns), then one row per pack,
    // sorted by name. The packs are not kept beyond the rows that remember them.
    void LoadPacks(const TTWPackList& packs, TTWCardList* cards);
    // Card columns numbered from 1: growing adds columns after the last, shrinking deletes
    // from the last.
    void SetCardCount(int count);
    int CardCount() const;
    TTWCardList* CardList() const { return cardList_; }

    // --- Editing --------------------------------------------------------------------------
    // A row "New Pack " + the next number (the first is "New Pack 1"), no cards; answers it.
    TILTreeNode* AddPack();
    // "Delete this pack?" (Yes/No) for the selected row; Yes removes it. Nothing without a
    // selected row.
    void DeleteSelectedPack();
    // A card cell (column 1 and on) changes between member and not; answers the new state.
    bool ToggleCard(TILTreeNode* row, int column);
    bool IsMember(const TILTreeNode* row, int card) const;
    // The card numbers of the row's members, in column order.
    std::vector<int> Members(const TILTreeNode* row) const;
    // The pack the row was filled from; none for a row added here.
    TTWPack* SourcePack(const TILTreeNode* row) const;
    std::string RowName(const TILTreeNode* row) const;
    int RowCount() const;
    // None outside the rows.
    TILTreeNode* Row(int index) const;

    // --- Writing back ---------------------------------------------------------------------
    // Every pack action of the picks that names a pack renamed here takes its new name (all
    // renames as one: packs that swap names keep their own actions); then the pack list is
    // replaced by one pack per row (name, card list, members in column order) and sorted
    // by name.
    void WritePacks(TTWPackList& packs, TTWPickList& picks);

    // The grid's click: a card cell toggles, a name starts its edit; the row is selected.
    void lstPacksNodeClick(TILTreeNode* node);

private:
    void MakeMemberMark();
    void SetCellValue(TILTreeNode* row, int column, int value);
    int CellValue(const TILTreeNode* row, int column) const;
    void RenameActions(TTWPickList& picks) const;

    int packCounter_ = 0;
    TTWCardList* cardList_ = nullptr;
};
