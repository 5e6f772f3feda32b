#pragma once

#include "forms/basic_form.h"

class TILTree;

// A basic window that is one list: a lowered panel filling the top panel, holding one
// tree-grid list that fills it.
class TfrmTBasicList : public TfrmTBasic {
public:
    explicit TfrmTBasicList(fw::Component* owner = nullptr);
    ~TfrmTBasicList() override;

    std::string_view className() const override { return "TfrmTBasicList"; }

    // Fills pnlTTop; a one-pixel lowered ring.
    TILBrushPanel* const pnlTTree;
    // Fills pnlTTree; DefaultColoursID 0.
    TILTree* const treeList;

    // The inherited styling, then the global tree colours on treeList unless the list
    // names one of the tree control's stored colour sets (DefaultColoursID 1 or more),
    // which it keeps.
    void ApplyDefaultStyle() override;
};
