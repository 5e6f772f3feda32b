#include "editors/card_setup_card.h"

#include <algorithm>
#include <string>

#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "editors/card_frame_circle.h"
#include "foundation/generic_exception.h"
#include "framework/gui/std_label.h"
#include "model/card.h"
#include "model/turning_codes.h"
#include "shell/palette_colour_select_dialog.h"

namespace {

constexpr int LabelWidth = 15;
constexpr int LabelHeight = 12;

constexpr fw::Color SelectedBack = 0x0000FF;
constexpr fw::Color SelectedText = fw::clWhite;

TILBrushPanel* NewPanel(TfrmCardCompactBase& frame)
{
    auto* panel = new TILBrushPanel(&frame);
    panel->SetName("ILBrushPanel1");
    panel->SetParent(&frame);
    panel->SetAlign(fw::Align::Client);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetCaption(std::string());
    return panel;
}

} // namespace

TfrmCardCompactBase::TfrmCardCompactBase(fw::Component* owner, int holes)
    : fw::Frame(owner),
      ILBrushPanel1(NewPanel(*this)),
      lblNumber(NewCentredLabel(*this, ILBrushPanel1, "lblNumber", "", FormBounds{0, 0, LabelWidth, LabelHeight})),
      lblThread(NewCentredLabel(*this, ILBrushPanel1, "lblThread", "S",
                                FormBounds{0, LabelHeight, LabelWidth, LabelHeight})),
      holeColourIndexes_(static_cast<std::size_t>(holes > 0 ? holes : 0), 0)
{
    SetBounds(0, 0, FrameWidth, FirstHoleTop + holes * CircleSize + 2);
    for (int hole = 0; hole < holes; ++hole) {
        auto* circle = new TTWCircleShape(this);
        circle->SetName("shpHole" + std::to_string(hole + 1));
        circle->SetParent(ILBrushPanel1);
        circle->SetTag(hole);
        circle->SetBounds((FrameWidth - CircleSize) / 2, FirstHoleTop + hole * CircleSize, CircleSize, CircleSize);
        circle->SetOnMouseUp([this, circle](fw::Object*, fw::MouseButton button, fw::ShiftState, int x, int y) {
            // Only a release over the circle itself counts.
            if (x >= 0 && y >= 0 && x < circle->Width() && y < circle->Height()) {
                HoleMouseUp(static_cast<int>(circle->Tag()), button);
            }
        });
        circle->ShowNothing();
    }
    lblNumber->SetTransparent(false);
    SetSelected(false);
    lblThread->SetOnClick([this](fw::Object*) { lblThreadClick(); });
    lblNumber->SetOnClick([this](fw::Object*) { lblNumberClick(); });
    // Built in code: nothing waits for a form to finish loading it.
    FinishLoading();
}

TfrmCardCompactBase::~TfrmCardCompactBase() = default;

TfrmCardCompactBase* CreateCardCompactFrame(int holes, fw::Component* owner)
{
    switch (holes) {
    case 2: return new TfrmCard2Compact(owner);
    case 3: return new TfrmCard3Compact(owner);
    case 4: return new TfrmCard4Compact(owner);
    case 5: return new TfrmCard5Compact(owner);
    case 6: return new TfrmCard6Compact(owner);
    case 7: return new TfrmCard7Compact(owner);
    case 8: return new TfrmCard8Compact(owner);
    default: return nullptr;
    }
}

// --- Holes -------------------------------------------------------------------------------------

TTWCircleShape* TfrmCardCompactBase::HoleShape(int hole) const
{
    return dynamic_cast<TTWCircleShape*>(FindComponent("shpHole" + std::to_string(hole + 1)));
}

void TfrmCardCompactBase::SetPalette(TTWPalette* palette)
{
    palette_ = palette;
    for (int hole = 0; hole < static_cast<int>(holeColourIndexes_.size()); ++hole) {
        PaintHole(hole);
    }
}

void TfrmCardCompactBase::SetHoleColour(int hole, TTWColour colour)
{
    if (TTWCircleShape* circle = HoleShape(hole)) {
        circle->ShowColour(colour);
    }
    if (onHoleColourChanged_) {
        onHoleColourChanged_(this, hole);
    }
}

TTWColour TfrmCardCompactBase::GetHoleColour(int hole) const
{
    if (hole < 0 || hole >= static_cast<int>(holeColourIndexes_.size()) || palette_ == nullptr) {
        return NoColour;
    }
    return palette_->GetColour(holeColourIndexes_[static_cast<std::size_t>(hole)]);
}

int TfrmCardCompactBase::GetHoleColourIndex(int hole) const
{
    if (hole < 0 || hole >= static_cast<int>(holeColourIndexes_.size())) {
        return -1;
    }
    return holeColourIndexes_[static_cast<std::size_t>(hole)];
}

void TfrmCardCompactBase::SetHoleColourIndex(int hole, int index)
{
    if (hole < 0 || hole >= static_cast<int>(holeColourIndexes_.size()) || !mayChangeColours_) {
        return;
    }
    holeColourIndexes_[static_cast<std::size_t>(hole)] = index;
    SetHoleColour(hole, GetHoleColour(hole));
}

void TfrmCardCompactBase::PaintHole(int hole)
{
    if (TTWCircleShape* circle = HoleShape(hole)) {
        circle->ShowColour(GetHoleColour(hole));
    }
}

// --- Threading, number, selection ---------------------------------------------------------------

void TfrmCardCompactBase::ShowThreading()
{
    lblThread->SetCaption(std::string(ThreadingText(threading_)));
}

void TfrmCardCompactBase::SetThreading(std::uint8_t threading)
{
    if (!mayChangeThreading_ || threading == threading_) {
        return;
    }
    threading_ = threading;
    ShowThreading();
    if (onThreadingChanged_) {
        onThreadingChanged_(this);
    }
}

void TfrmCardCompactBase::SetNumber(int number)
{
    if (number > 0) {
        number_ = number;
        lblNumber->SetCaption(std::to_string(number));
    } else {
        number_ = 0;
        lblNumber->SetCaption(std::string());
    }
}

void TfrmCardCompactBase::SetSelected(bool selected)
{
    selected_ = selected;
    fw::Font font = lblNumber->Font();
    if (selected_) {
        lblNumber->SetColor(SelectedBack);
        font.Color = SelectedText;
        lblNumber->SetTransparent(false);
    } else {
        lblNumber->SetColor(fw::clBtnFace);
        font.Color = fw::clWindowText;
        lblNumber->SetTransparent(true);
    }
    lblNumber->SetFont(font);
}

// --- Cards ---------------------------------------------------------------------------------------

void TfrmCardCompactBase::CopyFromCard(const TTWCardBase& card)
{
    if (card.GetHoleCount() != HoleCount()) {
        throw TGenericException::CreateFromSender("Unable to copy card details - number of holes differs.", nullptr,
                                                  this, "CopyFromCard");
    }
    LoadCard(card);
}

void TfrmCardCompactBase::LoadCard(const TTWCardBase& card)
{
    threading_ = card.Threading();
    ShowThreading();
    const int holes = std::min(card.GetHoleCount(), static_cast<int>(holeColourIndexes_.size()));
    for (int hole = 0; hole < holes; ++hole) {
        holeColourIndexes_[static_cast<std::size_t>(hole)] = card.HoleColour(hole);
        PaintHole(hole);
    }
}

// --- Clicks ---------------------------------------------------------------------------------------

void TfrmCardCompactBase::lblThreadClick()
{
    if (!mayChangeThreading_) {
        return;
    }
    SetThreading(FlippedThreading(threading_));
}

void TfrmCardCompactBase::lblNumberClick()
{
    if (maySelect_) {
        SetSelected(!selected_);
    }
}

void TfrmCardCompactBase::HoleMouseUp(int hole, fw::MouseButton button)
{
    int index = -1;
    const fw::WeakRef<TfrmCardCompactBase> self(this);
    if (button == fw::MouseButton::Left) {
        if (onGetPrimaryColour_) {
            index = onGetPrimaryColour_(this);
        } else {
            index = TfrmColourSel::Execute(palette_, GetHoleColourIndex(hole), this, false, false);
        }
    } else if (button == fw::MouseButton::Right) {
        if (onGetSecondaryColour_) {
            index = onGetSecondaryColour_(this);
        }
    }
    if (self && index >= 0) {
        SetHoleColourIndex(hole, index);
    }
}
