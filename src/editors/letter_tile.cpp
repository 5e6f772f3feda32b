#include "editors/letter_tile.h"

#include <string>

#include "editors/picture_image.h"
#include "framework/core/system_colours.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "model/font.h"

TframeTWChar::TframeTWChar(fw::Component* owner)
    : fw::Frame(owner), pnlBase(new fw::Panel(this)), lblChar(new fw::Label(this)), imgChar(new TTWPictureImage(this))
{
    SetBounds(0, 0, 20, 20 + CaptionHeight);
    pnlBase->SetName("pnlBase");
    pnlBase->SetParent(this);
    pnlBase->SetAlign(fw::Align::Client);
    pnlBase->SetCaption(std::string());
    lblChar->SetName("lblChar");
    lblChar->SetParent(pnlBase);
    lblChar->SetAlign(fw::Align::Top);
    lblChar->SetAutoSize(false);
    lblChar->SetAlignment(fw::Alignment::Center);
    lblChar->SetHeight(CaptionHeight - 2);
    lblChar->SetTransparent(true);
    lblChar->SetCaption(std::string());
    lblChar->SetOnClick([this](fw::Object*) { lblCharClick(); });
    imgChar->SetName("imgChar");
    imgChar->SetParent(pnlBase);
    imgChar->SetVisible(false);
    SetSelected(false);
    FinishLoading();
}

TframeTWChar::~TframeTWChar() = default;

void TframeTWChar::SetChar(const TTWFontChar* letter)
{
    char_ = letter;
    if (letter == nullptr) {
        lblChar->SetCaption(std::string());
        imgChar->SetVisible(false);
        return;
    }
    lblChar->SetCaption(letter->Letter);
    const fw::Bitmap& glyph = letter->Glyph();
    imgChar->SetPicture(glyph);
    imgChar->SetBounds(1, CaptionHeight - 1, glyph.Width(), glyph.Height());
    imgChar->SetVisible(true);
    SetBounds(Left(), Top(), letter->Width() + 2, glyph.Height() + CaptionHeight);
}

void TframeTWChar::SetSelected(bool selected)
{
    selected_ = selected;
    pnlBase->SetBevelOuter(selected ? fw::PanelBevel::Lowered : fw::PanelBevel::None);
    pnlBase->SetColor(selected ? SelectedColour : fw::clBtnFace);
    fw::Font font = lblChar->Font();
    font.Color = selected ? fw::clWhite : fw::clWindowText;
    lblChar->SetFont(font);
}

void TframeTWChar::lblCharClick()
{
    SetSelected(!selected_);
}
