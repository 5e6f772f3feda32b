#include "editors/turning_actions_positions.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "forms/form_kit.h"
#include "editors/turning_actions_cells.h"
#include "framework/core/canvas.h"
#include "framework/core/named_images.h"
#include "framework/gui/image_list.h"
#include "framework/gui/std_button.h"
#include "model/card_list.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "shell/size_dialog_placing.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int FormWidth = 560;
constexpr int FormHeight = 420;
constexpr int OptionsHeight = 30;
constexpr int PickColumnWidth = 50;

constexpr fw::Color CardFace = 0xF0F0F0;
constexpr fw::Color Ink = fw::clBlack;
constexpr fw::Color SlantColour = 0x0000C0;

TILBrushPanel* NewOptionsPanel(TfrmTBasic& form)
{
    auto* panel = new TILBrushPanel(&form);
    panel->SetName("pnlOptions");
    panel->SetParent(form.pnlTTop);
    panel->SetAlign(fw::Align::Top);
    panel->SetHeight(OptionsHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetCaption(std::string());
    return panel;
}

// The list of card positions, its pick column first.
TILTree* NewPositionList(TfrmTBasic& form)
{
    TILTree* tree = NewFormList(form, form.pnlTTop, "lstCards");
    TILTreeColumnData* pick = tree->Columns().Add();
    pick->SetCaption("Pick");
    pick->SetID("PICK");
    pick->SetWidth(PickColumnWidth);
    // The pick column stays in place while the cards scroll.
    tree->SetFixedColumns(1);
    return tree;
}

TILCheckBox* NewCheck(TfrmTBasic& form, fw::WinControl* parent, const char* name, const char* caption, int left)
{
    auto* check = new TILCheckBox(&form);
    check->SetName(name);
    check->SetParent(parent);
    check->SetCaption(caption);
    check->SetBounds(left, 7, check->Width(), 17);
    return check;
}

} // namespace

fw::Bitmap CardPositionPicture(int holes, int topHole, int threading, int size)
{
    fw::Bitmap picture(size, size);
    fw::Canvas canvas(picture);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, size, size});
    canvas.Pen() = fw::Pen{Ink};
    canvas.Brush() = fw::Brush{CardFace};
    canvas.Rectangle(0, 0, size, size);
    if (threading == ThreadingZ || threading == ThreadingS) {
        canvas.Pen() = fw::Pen{SlantColour};
        if (threading == ThreadingZ) {
            canvas.MoveTo(1, size - 2);
            canvas.LineTo(size - 1, 0);
        } else {
            canvas.MoveTo(1, 1);
            canvas.LineTo(size - 1, size - 1);
        }
    }
    const double centre = (size - 1) / 2.0;
    const double radius = size / 2.0 - 3.5;
    for (int hole = 0; hole < holes; ++hole) {
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * hole / holes;
        const int x = static_cast<int>(std::lround(centre + radius * std::cos(angle)));
        const int y = static_cast<int>(std::lround(centre + radius * std::sin(angle)));
        canvas.Pen() = fw::Pen{Ink};
        canvas.Brush() = fw::Brush{hole == topHole ? Ink : fw::clWhite};
        canvas.Ellipse(fw::Rect{x - 2, y - 2, x + 3, y + 3});
    }
    return picture;
}

TfrmTWCardPositionDetails::TfrmTWCardPositionDetails(fw::Component* owner)
    : TfrmTBasic(owner),
      pnlOptions(NewOptionsPanel(*this)),
      lstCards(NewPositionList(*this)),
      chkShowThreading(NewCheck(*this, pnlOptions, "chkShowThreading", "Show threading direction", 8)),
      chkShowImages(NewCheck(*this, pnlOptions, "chkShowImages", "Show as images", 220)),
      btnCopy(NewBottomButton(*this, "btnCopy", "Clipboard", fw::mrNone)),
      btnClose(NewBottomButton(*this, "btnClose", "Close", fw::mrOk)),
      imgPositions(new fw::ImageList(PositionImageSize, PositionImageSize, this))
{
    SetName("frmTWCardPositionDetails");
    SetCaption("Card Positions at Start of each Pick");
    SetBounds(0, 0, FormWidth, FormHeight);
    imgPositions->SetName("imgPositions");
    lstCards->SetIcons(imgPositions);

    btnCopy->SetHint("Copy to clipboard");
    btnCopy->SetShowHint(true);
    btnClose->SetCancel(true);
    PlaceButtonsFromRight(*pnlTBottom, {btnClose, btnCopy});

    chkShowThreading->SetOnChange([this](fw::Object*) { FillList(); });
    chkShowImages->SetOnChange([this](fw::Object*) { FillList(); });
    btnCopy->SetOnClick([this](fw::Object*) { btnCopyClick(); });
}

TfrmTWCardPositionDetails::~TfrmTWCardPositionDetails() = default;

void TfrmTWCardPositionDetails::ApplyDefaultStyle()
{
    TfrmTBasic::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstCards});
}

void TfrmTWCardPositionDetails::Execute(fw::Component* owner, const TTWPattern& pattern, bool showIndividualCards)
{
    std::unique_ptr<TfrmTWCardPositionDetails> window(new TfrmTWCardPositionDetails(owner));
    window->FinishLoading();
    CentreDialogOver(owner, *window);
    window->LoadPattern(pattern, showIndividualCards);
    window->ShowModal();
}

void TfrmTWCardPositionDetails::LoadPattern(const TTWPattern& pattern, bool showIndividualCards)
{
    pattern_ = &pattern;
    showIndividualCards_ = showIndividualCards;
    FillList();
}

void TfrmTWCardPositionDetails::MakePositionImages(int holes)
{
    imgPositions->Clear();
    imageHoles_ = holes;
    for (int hole = 0; hole < holes; ++hole) {
        imgPositions->AddMasked(CardPositionPicture(holes, hole, -1, PositionImageSize), fw::NamedImageKey);
    }
    for (int hole = 0; hole < holes; ++hole) {
        for (int threading : {ThreadingS, ThreadingZ}) {
            imgPositions->AddMasked(CardPositionPicture(holes, hole, threading, PositionImageSize),
                                    fw::NamedImageKey);
        }
    }
}

int TfrmTWCardPositionDetails::PositionImageIndex(int hole, int threading) const
{
    if (hole < 0 || hole >= imageHoles_) {
        return -1;
    }
    if (!chkShowThreading->Checked()) {
        return hole;
    }
    return imageHoles_ + hole * 2 + (threading == ThreadingZ ? 1 : 0);
}

void TfrmTWCardPositionDetails::FillList()
{
    if (pattern_ == nullptr) {
        return;
    }
    const TTWPattern& pattern = *pattern_;
    const int cardCount = pattern.Cards().Count();
    const bool showThreading = chkShowThreading->Checked();
    const bool showImages = chkShowImages->Checked();
    MakePositionImages(std::max(0, pattern.Cards().MaxHoleCount()));

    TILTreeUpdateBracket bracket(lstCards);
    lstCards->Clear();
    while (lstCards->Columns().Count() > 1) {
        lstCards->Columns().Delete(lstCards->Columns().Count() - 1);
    }
    for (int card = 0; card < cardCount; ++card) {
        TILTreeColumnData* column = lstCards->Columns().Add();
        column->SetCaption(std::to_string(card + 1));
        column->SetWidth(CardColumnWidth);
        column->SetHeaderJustify(iltJustifyCentre);
        column->SetJustifyOverride(iltJustifyCentre);
        column->SetIsHidden(!showIndividualCards_);
    }
    const std::vector<std::vector<TTWCardPosition>> positions = CardPositionsAtPicks(pattern);
    for (std::size_t pick = 0; pick < positions.size(); ++pick) {
        auto* row = new TILTreeNode(lstCards->Root());
        row->SetCellText(0, std::to_string(pick + 1));
        for (int card = 0; card < cardCount; ++card) {
            const TTWCardPosition& position = positions[pick][static_cast<std::size_t>(card)];
            std::string text(1, position.TopHole);
            if (showThreading) {
                text += ThreadingText(position.Threading);
            }
            // The letters stay in the cell under a picture, so that copying still lists them.
            row->SetCellText(card + 1, text);
            if (showImages) {
                TILTreeCellInfo* info = row->GetCellInfo(card + 1);
                info->SetInteger(PositionImageIndex(position.TopHole - 'A', position.Threading));
                info->SetFlag(iltCellHideText, true);
            }
        }
    }
}

void TfrmTWCardPositionDetails::btnCopyClick()
{
    lstCards->CopyToClipboard(true, false, false);
}
