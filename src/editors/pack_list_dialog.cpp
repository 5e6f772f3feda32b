#include "editors/pack_list_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "editors/pack_list_frame.h"
#include "framework/gui/std_button.h"
#include "model/pack.h"
#include "model/pick.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int FormWidth = 520;
constexpr int FormHeight = 320;
constexpr int FrameMargin = 4;

} // namespace

TfrmPackList::TfrmPackList(fw::Component* owner)
    : TfrmTBasic(owner),
      framePacks(new TfrmPackListFrame(this)),
      btnAddPack(NewBottomButton(*this, "btnAddPack", "Add", fw::mrNone)),
      btnDeletePack(NewBottomButton(*this, "btnDeletePack", "Delete", fw::mrNone)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrOk)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmPackList");
    SetCaption("Pack List");
    SetBounds(0, 0, FormWidth, FormHeight);

    framePacks->SetName("framePacks");
    framePacks->SetParent(pnlTTop);
    framePacks->SetBounds(FrameMargin, FrameMargin, pnlTTop->Width() - 2 * FrameMargin,
                          pnlTTop->Height() - 2 * FrameMargin);
    framePacks->SetAnchors(fw::Anchors{fw::AnchorKind::Left, fw::AnchorKind::Top, fw::AnchorKind::Right,
                                       fw::AnchorKind::Bottom});

    // Add and Delete keep to the left edge; they change the grid, not the dialog's result.
    btnAddPack->SetAnchors(fw::Anchors{fw::AnchorKind::Left, fw::AnchorKind::Top});
    btnDeletePack->SetAnchors(fw::Anchors{fw::AnchorKind::Left, fw::AnchorKind::Top});
    btnAddPack->SetLeft(DialogButtonSpacing);
    btnDeletePack->SetLeft(btnAddPack->Left() + btnAddPack->Width() + DialogButtonSpacing);
    btnAddPack->SetOnClick([this](fw::Object*) { btnAddPackClick(); });
    btnDeletePack->SetOnClick([this](fw::Object*) { btnDeletePackClick(); });

    btnAccept->SetDefault(true);
    btnCancel->SetCancel(true);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
}

TfrmPackList::~TfrmPackList() = default;

bool TfrmPackList::Execute(fw::Component* owner, TTWPackList& packs, TTWCardList* cards, TTWPickList& picks)
{
    std::unique_ptr<TfrmPackList> dialog(new TfrmPackList(owner));
    dialog->FinishLoading();
    CentreDialogOver(owner, *dialog);
    return dialog->Run(packs, cards, picks);
}

bool TfrmPackList::Run(TTWPackList& packs, TTWCardList* cards, TTWPickList& picks)
{
    framePacks->LoadPacks(packs, cards);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    framePacks->WritePacks(packs, picks);
    return true;
}

void TfrmPackList::btnAddPackClick()
{
    framePacks->AddPack();
}

void TfrmPackList::btnDeletePackClick()
{
    framePacks->DeleteSelectedPack();
}
