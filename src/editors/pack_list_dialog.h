#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TfrmPackListFrame;
class TTWCardList;
class TTWPackList;
class TTWPickList;

namespace fw {
class Button;
}

// "Pack List": the packs of a pattern edited as a grid of packs against cards. Packs are
// added and deleted here; on "&Accept" the packs are written back and the pick actions of a
// renamed pack follow its new name.
class TfrmPackList : public TfrmTBasic {
public:
    explicit TfrmPackList(fw::Component* owner = nullptr);
    ~TfrmPackList() override;

    std::string_view className() const override { return "TfrmPackList"; }

    TfrmPackListFrame* const framePacks;
    // "Add" and "Delete", at the left of the bottom panel.
    fw::Button* const btnAddPack;
    fw::Button* const btnDeletePack;
    // "&Accept" (OK, Enter) and "&Cancel" (Esc), at its right.
    fw::Button* const btnAccept;
    fw::Button* const btnCancel;

    // Made by the owner and centred over it, filled with the packs and the cards, shown
    // modally; accepted, the packs (and the actions of the picks) are written back. Nothing
    // changes otherwise. Answers whether it was accepted; frees the dialog.
    static bool Execute(fw::Component* owner, TTWPackList& packs, TTWCardList* cards, TTWPickList& picks);

    void btnAddPackClick();
    void btnDeletePackClick();

private:
    bool Run(TTWPackList& packs, TTWCardList* cards, TTWPickList& picks);
};
