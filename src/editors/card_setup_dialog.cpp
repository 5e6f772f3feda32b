#include "editors/card_setup_dialog.h"

#include <algorithm>
#include <memory>
#include <string>

#include "controls/brush_panel.h"
#include "editors/card_frame_circle.h"
#include "editors/card_setup_row.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/pattern_limits.h"
#include "shell/palette_colour_select_dialog.h"
#include "shell/size_dialog_placing.h"

namespace {

constexpr int FormWidth = 560;
constexpr int Margin = 4;
constexpr int HoleButtonSize = 22;
constexpr int ColourCircleSize = 21;
// The window system draws the frame and the caption outside the window's bounds: they add
// nothing to the height the window is given.
constexpr int WindowFrameHeight = 0;
constexpr int CaptionHeight = 0;
// Air below the lowest control.
constexpr int BottomSpace = 6;

TfrmCardSetupCompact* NewRow(TfrmCardSetup2& form)
{
    auto* row = new TfrmCardSetupCompact(&form);
    row->SetName("frameCards");
    row->SetParent(form.pnlTTop);
    row->SetBounds(Margin, Margin, FormWidth - 2 * Margin, row->PreferredHeight());
    row->SetAnchors(fw::Anchors{fw::AnchorKind::Left, fw::AnchorKind::Top, fw::AnchorKind::Right});
    return row;
}

TTWCircleShape* NewColourCircle(TfrmCardSetup2& form, const char* name, const char* hint)
{
    auto* circle = new TTWCircleShape(&form);
    circle->SetName(name);
    circle->SetParent(form.pnlTTop);
    circle->SetBounds(0, 0, ColourCircleSize, ColourCircleSize);
    circle->SetTag(-1);
    circle->ShowNothing();
    circle->SetHint(hint);
    circle->SetShowHint(true);
    return circle;
}

} // namespace

TfrmCardSetup2::TfrmCardSetup2(fw::Component* owner)
    : TfrmTBasic(owner),
      frameCards(NewRow(*this)),
      lblCards(new fw::Label(this)),
      edCards(new fw::Edit(this)),
      btnSetCardCount(new fw::Button(this)),
      shpColour(NewColourCircle(*this, "shpColour", "Primary colour")),
      shpColour2(NewColourCircle(*this, "shpColour2", "Secondary colour")),
      pnlThree(NewHolePanel("pnlThree", "btnThree", 3)),
      pnlFour(NewHolePanel("pnlFour", "btnFour", 4)),
      pnlFive(NewHolePanel("pnlFive", "btnFive", 5)),
      pnlSix(NewHolePanel("pnlSix", "btnSix", 6)),
      pnlSeven(NewHolePanel("pnlSeven", "btnSeven", 7)),
      pnlEight(NewHolePanel("pnlEight", "btnEight", 8)),
      btnAccept(NewBottomButton(*this, "btnAccept", "&Accept", fw::mrOk)),
      btnCancel(NewBottomButton(*this, "btnCancel", "&Cancel", fw::mrCancel))
{
    SetName("frmCardSetup2");
    SetCaption("Card Setup");
    SetBounds(0, 0, FormWidth, 300);
    SetBorderStyle(fw::FormBorderStyle::Dialog);

    lblCards->SetName("lblCards");
    lblCards->SetParent(pnlTTop);
    lblCards->SetCaption("Cards");
    lblCards->SetTransparent(true);

    edCards->SetName("edCards");
    edCards->SetParent(pnlTTop);
    edCards->SetWidth(45);

    btnSetCardCount->SetName("btnSetCardCount");
    btnSetCardCount->SetParent(pnlTTop);
    btnSetCardCount->SetCaption("Set number of cards");
    btnSetCardCount->SetWidth(120);
    btnSetCardCount->SetOnClick([this](fw::Object*) { btnSetCardCountClick(); });

    shpColour->SetOnClick([this](fw::Object*) { ColourClick(shpColour); });
    shpColour2->SetOnClick([this](fw::Object*) { ColourClick(shpColour2); });
    frameCards->SetOnGetPrimaryColour([this](TfrmCardCompactBase*) { return static_cast<int>(shpColour->Tag()); });
    frameCards->SetOnGetSecondaryColour([this](TfrmCardCompactBase*) { return static_cast<int>(shpColour2->Tag()); });

    btnAccept->SetDefault(true);
    btnCancel->SetCancel(true);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    LayOutForHoles(holes_);
}

TfrmCardSetup2::~TfrmCardSetup2() = default;

TILBrushPanel* TfrmCardSetup2::NewHolePanel(const char* name, const char* buttonPrefix, int holes)
{
    auto* panel = new TILBrushPanel(this);
    panel->SetName(name);
    panel->SetParent(pnlTTop);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetCaption(std::string());
    panel->SetBounds(0, 0, holes * HoleButtonSize + 4, HoleButtonSize + 4);
    panel->SetVisible(false);
    for (int hole = 0; hole < holes; ++hole) {
        const std::string letter(1, static_cast<char>('A' + hole));
        auto* button = new fw::Button(this);
        button->SetName(std::string(buttonPrefix) + letter);
        button->SetParent(panel);
        button->SetCaption(letter);
        button->SetTag(hole);
        button->SetBounds(2 + hole * HoleButtonSize, 2, HoleButtonSize, HoleButtonSize);
        button->SetOnClick([this](fw::Object* sender) { HoleButtonClick(sender); });
    }
    return panel;
}

TILBrushPanel* TfrmCardSetup2::HolePanelFor(int holes) const
{
    switch (holes) {
    case 3: return pnlThree;
    case 5: return pnlFive;
    case 6: return pnlSix;
    case 7: return pnlSeven;
    case 8: return pnlEight;
    default: return pnlFour;
    }
}

std::vector<fw::Button*> TfrmCardSetup2::HoleButtons(const TILBrushPanel& panel) const
{
    std::vector<fw::Button*> buttons;
    for (fw::Control* child : panel.ControlList()) {
        if (auto* button = dynamic_cast<fw::Button*>(child)) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

void TfrmCardSetup2::LayOutForHoles(int holes)
{
    frameCards->SetHoleCount(holes);
    frameCards->SetHeight(frameCards->PreferredHeight());
    const int lineTop = frameCards->Top() + frameCards->Height() + 6;
    lblCards->SetBounds(Margin + 2, lineTop + 4, 32, 15);
    edCards->SetBounds(40, lineTop, edCards->Width(), edCards->Height());
    btnSetCardCount->SetBounds(edCards->Left() + edCards->Width() + 6, lineTop - 1, btnSetCardCount->Width(),
                               btnSetCardCount->Height());
    const int coloursLeft = btnSetCardCount->Left() + btnSetCardCount->Width() + 16;
    shpColour->SetBounds(coloursLeft, lineTop, ColourCircleSize, ColourCircleSize);
    shpColour2->SetBounds(coloursLeft + ColourCircleSize + 6, lineTop, ColourCircleSize, ColourCircleSize);
    const int panelsLeft = shpColour2->Left() + ColourCircleSize + 16;
    for (TILBrushPanel* panel : {pnlThree, pnlFour, pnlFive, pnlSix, pnlSeven, pnlEight}) {
        panel->SetBounds(panelsLeft, lineTop - 3, panel->Width(), panel->Height());
        panel->SetVisible(panel == HolePanelFor(holes));
    }
}

int TfrmCardSetup2::FixedHeight(int holes) const
{
    const TILBrushPanel* panel = HolePanelFor(holes);
    const int rowBottom = frameCards->Top() + frameCards->Height();
    const int lowest = std::max({holes * 11 + 25, rowBottom, panel->Top() + panel->Height(),
                                 btnSetCardCount->Top() + btnSetCardCount->Height()});
    const int height = lowest + pnlTBottom->Height() + BottomSpace + 2 * WindowFrameHeight + CaptionHeight;
    return std::max(height, MinimumHeight);
}

bool TfrmCardSetup2::Execute(fw::Component* owner, TTWCardList& cards, int holes, bool countMayChange,
                             TTWPalette* palette)
{
    std::unique_ptr<TfrmCardSetup2> dialog(new TfrmCardSetup2(owner));
    dialog->FinishLoading();
    return dialog->Run(cards, holes, countMayChange, palette);
}

bool TfrmCardSetup2::Run(TTWCardList& cards, int holes, bool countMayChange, TTWPalette* palette)
{
    cards_ = &cards;
    count_ = cards.Count();
    holes_ = holes;
    palette_ = palette;
    LayOutForHoles(holes);
    frameCards->SetPalette(palette);
    frameCards->SetCanSelect(true);
    frameCards->SetCanChangeThreading(true);
    edCards->SetEnabled(countMayChange);
    btnSetCardCount->SetEnabled(countMayChange);
    edCards->SetText(std::to_string(count_));
    {
        const fw::ScopedCursor busy;
        frameCards->SetCardCount(count_);
        for (int i = 0; i < count_; ++i) {
            frameCards->GetCardFrame(i)->CopyFromCard(*cards.GetCard(i));
        }
    }
    const int height = FixedHeight(holes);
    SetConstraints(fw::SizeConstraints{0, height, 0, height});
    SetHeight(height);
    CentreDialogOver(Owner(), *this);
    PlaceButtonsFromRight(*pnlTBottom, {btnCancel, btnAccept});
    if (ShowModal() != fw::mrOk) {
        return false;
    }
    frameCards->CopyToList(cards);
    return true;
}

void TfrmCardSetup2::btnSetCardCountClick()
{
    const int count = fw::StrToInt(fw::Trim(edCards->Text()));
    if (count < 1) {
        return;
    }
    // A frame for every card: no more than a pattern may have.
    if (count > MaxPatternCards) {
        throw fw::Exception(PatternWidthText(count));
    }
    const fw::ScopedCursor busy;
    frameCards->SetCardCount(count);
}

void TfrmCardSetup2::HoleButtonClick(fw::Object* sender)
{
    const auto* button = dynamic_cast<const fw::Control*>(sender);
    const int primary = static_cast<int>(shpColour->Tag());
    if (button == nullptr || primary < 0) {
        return;
    }
    frameCards->SetHoleColourSelected(static_cast<int>(button->Tag()), primary);
}

void TfrmCardSetup2::ColourClick(TTWCircleShape* circle)
{
    const fw::WeakRef<TfrmCardSetup2> self(this);
    const int index = TfrmColourSel::Execute(palette_, static_cast<int>(circle->Tag()), this, false, false);
    if (!self || index < 0) {
        return;
    }
    circle->SetTag(index);
    circle->ShowColour(palette_ != nullptr ? palette_->GetColour(index) : NoColour);
}
