#include "editors/selvedge_generator.h"

#include <algorithm>
#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "editors/card_setup_row.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_splitter.h"
#include "model/card_list.h"
#include "model/pattern_base.h"
#include "model/turning_codes.h"
#include "shell/palette_functions_frame.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int Margin = 4;
// Each side starts wide enough for its two copy buttons side by side and for a full row of
// selvedge cards without scrolling.
constexpr int SideWidth = 384;
// Narrower than this, the side's buttons would cover each other.
constexpr int MinSideWidth = 240;
constexpr int SetCountButtonWidth = 130;
constexpr int SplitterWidth = 4;
// The side's caption sits left of its "Set number of cards" button, on the button's line.
constexpr int CaptionMargin = 8;

// The kinds whose bands carry selvedge cards next to their own.
bool CanHaveSelvedge(int kind)
{
    return kind == PatternTypeThreaded || kind == PatternTypeDoubleFace || kind == PatternTypeBrokenTwill
           || kind == PatternTypeTwistPatterned;
}

TILBrushPanel* NewPanel(fw::Component& owner, fw::WinControl* parent, const char* name, fw::Align align)
{
    auto* panel = new TILBrushPanel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetAlign(align);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetCaption(std::string());
    return panel;
}

TILBrushPanel* NewSidePanel(fw::Component& owner, TILBrushPanel* parent, const char* name, const char* caption,
                            fw::Align align)
{
    TILBrushPanel* panel = NewPanel(owner, parent, name, align);
    panel->SetWidth(SideWidth);
    panel->SetCaption(caption);
    panel->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel->CaptionPos().SetAlignVert(TVCanvasTextPosition::Top);
    panel->CaptionPos().SetHorzMargin(CaptionMargin);
    panel->CaptionPos().SetVertMargin(Margin + (FormButtonHeight - 15) / 2);
    return panel;
}

TfrmCardSetupCompact* NewRow(fw::Component& owner, TILBrushPanel* side, const char* name)
{
    auto* row = new TfrmCardSetupCompact(&owner);
    row->SetName(name);
    row->SetParent(side);
    return row;
}

TfrmTWPaletteFunctions* NewPaletteFrame(fw::Component& owner, TILBrushPanel* parent)
{
    auto* frame = new TfrmTWPaletteFunctions(&owner);
    frame->SetName("framePalette");
    frame->SetParent(parent);
    frame->SetLeft(Margin);
    frame->SetTop(Margin);
    return frame;
}

fw::Splitter* NewSplitter(fw::Component& owner, TILBrushPanel* parent)
{
    auto* splitter = new fw::Splitter(&owner);
    splitter->SetName("spltV");
    splitter->SetParent(parent);
    splitter->SetAlign(fw::Align::Left);
    splitter->SetWidth(SplitterWidth);
    splitter->SetMinSize(MinSideWidth);
    return splitter;
}

// The side's controls from its top: the count button (right, the caption left of it), the row
// across the side, and the copy and mirror buttons sharing the line below it.
void LayOutSide(const TILBrushPanel& side, fw::Button& countButton, TfrmCardSetupCompact& row, fw::Button& copy,
                fw::Button& mirror)
{
    const int width = side.Width();
    countButton.SetBounds(width - Margin - SetCountButtonWidth, Margin, SetCountButtonWidth, FormButtonHeight);
    const int rowTop = Margin + FormButtonHeight + Margin;
    row.SetBounds(Margin, rowTop, width - 2 * Margin, row.PreferredHeight());
    const int buttonsTop = rowTop + row.Height() + Margin;
    const int buttonWidth = (width - 3 * Margin) / 2;
    copy.SetBounds(Margin, buttonsTop, buttonWidth, FormButtonHeight);
    mirror.SetBounds(width - Margin - buttonWidth, buttonsTop, buttonWidth, FormButtonHeight);
}

// The side's content from its top down to the copy and mirror buttons and the air below them.
int SideHeight(const TfrmCardSetupCompact& row)
{
    return Margin + FormButtonHeight + Margin + row.PreferredHeight() + Margin + FormButtonHeight + Margin;
}

} // namespace

TfrmTWSelvedgeGenerator::TfrmTWSelvedgeGenerator(fw::Component* owner)
    : TfrmTBtnBasic(owner),
      pnlPalette(NewPanel(*this, pnlTTop, "pnlPalette", fw::Align::Left)),
      framePalette(NewPaletteFrame(*this, pnlPalette)),
      pnlSelvedges(NewPanel(*this, pnlTTop, "pnlSelvedges", fw::Align::Client)),
      pnlLeftSelvedge(NewSidePanel(*this, pnlSelvedges, "pnlLeftSelvedge", "Left Selvedge", fw::Align::Left)),
      btnCardsLeft(NewFormButton(*this, pnlLeftSelvedge, "btnCardsLeft", "Set number of cards", 0, Margin,
                                 SetCountButtonWidth)),
      frameCardsLeft(NewRow(*this, pnlLeftSelvedge, "frameCardsLeft")),
      spltV(NewSplitter(*this, pnlSelvedges)),
      pnlRightSelvedge(NewSidePanel(*this, pnlSelvedges, "pnlRightSelvedge", "Right Selvedge", fw::Align::Client)),
      btnCardsRight(NewFormButton(*this, pnlRightSelvedge, "btnCardsRight", "Set number of cards", 0, Margin,
                                  SetCountButtonWidth)),
      frameCardsRight(NewRow(*this, pnlRightSelvedge, "frameCardsRight")),
      btnCopyLtoR(NewFormButton(*this, pnlLeftSelvedge, "btnCopyLtoR", "Copy left selvedge to right", 0, 0)),
      btnMirrorLtoR(NewFormButton(*this, pnlLeftSelvedge, "btnMirrorLtoR", "Mirror left selvedge to right", 0, 0)),
      btnCopyRtoL(NewFormButton(*this, pnlRightSelvedge, "btnCopyRtoL", "Copy right selvedge to left", 0, 0)),
      btnMirrorRtoL(NewFormButton(*this, pnlRightSelvedge, "btnMirrorRtoL", "Mirror right selvedge to left", 0, 0))
{
    SetName("frmTWSelvedgeGenerator");
    SetCaption("Selvedge Generator");
    pnlPalette->SetWidth(framePalette->Width() + 2 * Margin);
    SetBounds(0, 0, pnlPalette->Width() + 2 * SideWidth + SplitterWidth, 300);

    pnlLeftSelvedge->SetOnResize([this](fw::Object*) {
        LayOutSide(*pnlLeftSelvedge, *btnCardsLeft, *frameCardsLeft, *btnCopyLtoR, *btnMirrorLtoR);
    });
    pnlRightSelvedge->SetOnResize([this](fw::Object*) {
        LayOutSide(*pnlRightSelvedge, *btnCardsRight, *frameCardsRight, *btnCopyRtoL, *btnMirrorRtoL);
    });

    btnCardsLeft->SetOnClick([this](fw::Object*) { btnCardsLeftClick(); });
    btnCardsRight->SetOnClick([this](fw::Object*) { btnCardsRightClick(); });
    btnCopyLtoR->SetOnClick([this](fw::Object*) { btnCopyLtoRClick(); });
    btnCopyRtoL->SetOnClick([this](fw::Object*) { btnCopyRtoLClick(); });
    btnMirrorLtoR->SetOnClick([this](fw::Object*) { btnMirrorLtoRClick(); });
    btnMirrorRtoL->SetOnClick([this](fw::Object*) { btnMirrorRtoLClick(); });
    FitToRows();
}

TfrmTWSelvedgeGenerator::~TfrmTWSelvedgeGenerator()
{
    // The panels' resize handlers reach the rows and buttons, which may go before the panels.
    pnlLeftSelvedge->SetOnResize(nullptr);
    pnlRightSelvedge->SetOnResize(nullptr);
    framePalette->SetCardSetup(nullptr);
    framePalette->SetCardSetup2(nullptr);
}

bool TfrmTWSelvedgeGenerator::Execute(TTWPatternBase& pattern, int holeCount, fw::Component* owner)
{
    if (!CanHaveSelvedge(pattern.GetPatternType())) {
        throw TGenericException(std::string(WrongKindText), nullptr, "TfrmTWSelvedgeGenerator", "Display");
    }
    std::unique_ptr<TfrmTWSelvedgeGenerator> dialog(new TfrmTWSelvedgeGenerator(owner));
    dialog->FinishLoading();
    return dialog->Run(pattern, holeCount);
}

bool TfrmTWSelvedgeGenerator::Run(TTWPatternBase& pattern, int holeCount)
{
    pattern_ = &pattern;
    if (holeCount >= 3 && holeCount <= 8) {
        holeCount_ = holeCount;
    } else {
        const TTWCardList* cards = pattern.GetCards();
        holeCount_ = cards != nullptr ? cards->HoleCount() : 4;
    }
    TTWPalette* palette = pattern.GetPalette();
    {
        const fw::ScopedCursor busy;
        for (TfrmCardSetupCompact* row : {frameCardsLeft, frameCardsRight}) {
            row->SetHoleCount(holeCount_);
            // Without a palette of its own the pattern's cards show in the default palette.
            if (palette != nullptr) {
                row->SetPalette(palette);
            }
            row->SetCanSelect(true);
            row->SetCanChangeThreading(true);
        }
        frameCardsLeft->LoadFromCardList(pattern.SelvedgeLeft());
        frameCardsRight->LoadFromCardList(pattern.SelvedgeRight());
    }
    framePalette->SetPalette(palette);
    framePalette->SetCardSetup(frameCardsLeft);
    framePalette->SetCardSetup2(frameCardsRight);
    FitToRows();
    CentreDialogOver(Owner(), *this);
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    frameCardsLeft->CopyToList(pattern.SelvedgeLeft());
    frameCardsRight->CopyToList(pattern.SelvedgeRight());
    return true;
}

void TfrmTWSelvedgeGenerator::FitToRows()
{
    frameCardsLeft->SetHoleCount(holeCount_);
    frameCardsRight->SetHoleCount(holeCount_);
    const int content = std::max(SideHeight(*frameCardsLeft), framePalette->Top() + framePalette->Height() + Margin);
    const int height = content + pnlTBottom->Height();
    const int minWidth = pnlPalette->Width() + 2 * MinSideWidth + SplitterWidth;
    // Only the width gives the rows more room; a taller window would show nothing more.
    SetConstraints(fw::SizeConstraints{minWidth, height, 0, height});
    SetHeight(height);
    LayOutSide(*pnlLeftSelvedge, *btnCardsLeft, *frameCardsLeft, *btnCopyLtoR, *btnMirrorLtoR);
    LayOutSide(*pnlRightSelvedge, *btnCardsRight, *frameCardsRight, *btnCopyRtoL, *btnMirrorRtoL);
}

void TfrmTWSelvedgeGenerator::AskCardCount(TfrmCardSetupCompact& row, const std::string& title)
{
    std::string answer = std::to_string(row.CardCount());
    if (!fw::InputQuery(title, "Number of cards: ", answer)) {
        return;
    }
    const int count = fw::StrToIntDef(fw::Trim(answer), -1);
    if (count > MaxSelvedgeCards) {
        fw::MessageDlg(std::string(TooManyCardsText), fw::MsgDlgType::Information,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    if (count < 0) {
        return;
    }
    const fw::ScopedCursor busy;
    row.SetCardCount(count);
}

void TfrmTWSelvedgeGenerator::btnCardsLeftClick()
{
    AskCardCount(*frameCardsLeft, "Left Selvedge");
}

void TfrmTWSelvedgeGenerator::btnCardsRightClick()
{
    AskCardCount(*frameCardsRight, "Right Selvedge");
}

void TfrmTWSelvedgeGenerator::CopyRow(const TfrmCardSetupCompact& source, TfrmCardSetupCompact& target)
{
    TTWCardList cards;
    source.CopyToList(cards);
    target.LoadFromCardList(cards);
}

void TfrmTWSelvedgeGenerator::MirrorRow(const TfrmCardSetupCompact& source, TfrmCardSetupCompact& target)
{
    TTWCardList cards;
    source.CopyToList(cards);
    // The list owns its cards: the mirrored list gets copies, last to first.
    TTWCardList mirrored;
    for (int i = cards.Count() - 1; i >= 0; --i) {
        const TTWCardBase* card = cards.GetCard(i);
        std::unique_ptr<TTWCardBase> copy = CreateCard(card->GetHoleCount());
        copy->Assign(card);
        copy->SetThreading(FlippedThreading(card->Threading()));
        copy->Reset();
        mirrored.Add(copy.release());
    }
    target.LoadFromCardList(mirrored);
}

void TfrmTWSelvedgeGenerator::btnCopyLtoRClick()
{
    CopyRow(*frameCardsLeft, *frameCardsRight);
}

void TfrmTWSelvedgeGenerator::btnCopyRtoLClick()
{
    CopyRow(*frameCardsRight, *frameCardsLeft);
}

void TfrmTWSelvedgeGenerator::btnMirrorLtoRClick()
{
    MirrorRow(*frameCardsLeft, *frameCardsRight);
}

void TfrmTWSelvedgeGenerator::btnMirrorRtoLClick()
{
    MirrorRow(*frameCardsRight, *frameCardsLeft);
}
