#include "shell/palette_edit_dialog.h"

#include <memory>

#include "controls/brush_panel.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/palette.h"
#include "shell/palette_frame.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int Margin = 8;
// Between the palette frame and the bottom panel.
constexpr int GapAboveButtons = 10;
// The window system draws the frame and the caption bar around the client area: here they
// add nothing to the height, which is the client area's.
constexpr int SizingFrameHeight = 0;
constexpr int CaptionHeight = 0;

} // namespace

TfrmTWEditPalette::TfrmTWEditPalette(fw::Component* owner)
    : TfrmTBasic(owner),
      lblCaption(new fw::Label(this)),
      edName(new fw::Edit(this)),
      framePalette(new TfrmPalette(this)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrNone)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmTWEditPalette");
    SetCaption("Palette Settings");
    SetBorderStyle(fw::FormBorderStyle::Dialog);

    lblCaption->SetName("lblCaption");
    lblCaption->SetParent(pnlTTop);
    lblCaption->SetTransparent(true);
    lblCaption->SetAutoSize(false);
    lblCaption->SetBounds(Margin, Margin + 3, 90, 15);

    edName->SetName("edName");
    edName->SetParent(pnlTTop);
    edName->SetBounds(Margin + 94, Margin, framePalette->Width() - 94, 21);

    framePalette->SetName("framePalette");
    framePalette->SetParent(pnlTTop);
    framePalette->SetLeft(Margin);
    framePalette->SetTop(Margin + edName->Height() + 8);

    SetBounds(0, 0, framePalette->Width() + 2 * Margin, 250);
    btnAccept->SetOnClick([this](fw::Object*) { btnAcceptClick(); });
    btnCancel->SetCancel(true);
}

TfrmTWEditPalette::~TfrmTWEditPalette() = default;

bool TfrmTWEditPalette::Execute(TTWPalette& palette, fw::Control* owner, bool editName)
{
    const std::unique_ptr<TfrmTWEditPalette> dialog = NewCentredDialog<TfrmTWEditPalette>(owner);
    return dialog->Run(palette, editName);
}

bool TfrmTWEditPalette::Run(TTWPalette& palette, bool editName)
{
    edName->SetText(palette.Name());
    // The swatches take the colours and let the palette go: edits stay on them until the
    // dialog is accepted.
    framePalette->SetPalette(&palette);
    framePalette->SetPalette(nullptr);
    framePalette->SetEditable(true);
    edName->SetVisible(editName);
    lblCaption->SetCaption(editName ? "Palette Name" : "Palette Colours");

    SetHeight(framePalette->Top() + framePalette->Height() + GapAboveButtons + pnlTBottom->Height()
              + 2 * SizingFrameHeight + CaptionHeight);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    palette.SetName(fw::Trim(edName->Text()));
    framePalette->CopyToPalette(&palette);
    return true;
}

void TfrmTWEditPalette::btnAcceptClick()
{
    if (edName->Visible() && fw::Trim(edName->Text()).empty()) {
        edName->SetFocus();
        fw::MessageDlg("Please enter a name for the palette.", fw::MsgDlgType::Error,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    SetModalResult(fw::mrOk);
}
