#include "forms/basic_list_form.h"

#include "controls/brush_panel.h"
#include "forms/forms_default_style.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_properties.h"

TfrmTBasicList::TfrmTBasicList(fw::Component* owner)
    : TfrmTBasic(owner), pnlTTree(new TILBrushPanel(this)), treeList(new TILTree(this))
{
    pnlTTree->SetName("pnlTTree");
    pnlTTree->SetParent(pnlTTop);
    pnlTTree->SetAlign(fw::Align::Client);
    pnlTTree->DrawData().SetBevelOuter(TBevelCut::Lowered);
    pnlTTree->DrawData().SetBevelWidth(1);

    treeList->SetName("treeList");
    treeList->SetParent(pnlTTree);
    treeList->SetAlign(fw::Align::Client);
    treeList->SetDefaultColoursID(0);
}

TfrmTBasicList::~TfrmTBasicList() = default;

void TfrmTBasicList::ApplyDefaultStyle()
{
    TfrmTBasic::ApplyDefaultStyle();
    TILFormsDefaultStyle* style = FormsDefaultStyle();
    if (style != nullptr && treeList->DefaultColoursID() < 1) {
        treeList->Assign(&style->Trees());
    }
}
