#include "editors/turning_actions_display.h"

#include <memory>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "forms/form_kit.h"
#include "controls/radio_button.h"
#include "editors/turning_actions_cells.h"
#include "editors/turning_actions_positions.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/action.h"
#include "model/pack.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "shell/report_turning.h"
#include "shell/size_dialog_placing.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_sort.h"

namespace {

constexpr int FormWidth = 720;
constexpr int FormHeight = 480;
constexpr int OptionsHeight = 82;
constexpr int HeadingHeight = 16;

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

template <class Check>
Check* NewCheck(TfrmTBasic& form, fw::WinControl* parent, const char* name, const char* caption, int left, int top,
                bool checked)
{
    auto* check = new Check(&form);
    check->SetName(name);
    check->SetParent(parent);
    check->SetCaption(caption);
    check->SetBounds(left, top, check->Width(), 17);
    check->SetChecked(checked);
    return check;
}

fw::Edit* NewEdit(TfrmTBasic& form, fw::WinControl* parent, const char* name, int left, int top, int width)
{
    auto* edit = new fw::Edit(&form);
    edit->SetName(name);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, edit->Height());
    return edit;
}

} // namespace

TfrmActionDisplay::TfrmActionDisplay(fw::Component* owner)
    : TfrmTBasic(owner),
      pnlOptions(NewOptionsPanel(*this)),
      lstActions(NewFormList(*this, pnlTTop, "lstActions")),
      lblFirstCard(NewFormLabel(*this, pnlOptions, "lblFirstCard", "First Card #", 8, 9)),
      edFirstCard(NewEdit(*this, pnlOptions, "edFirstCard", 80, 6, 40)),
      rbLeftToRight(NewCheck<TILRadioButton>(*this, pnlOptions, "rbLeftToRight", "Number cards from left to right",
                                             135, 8, true)),
      rbRightToLeft(NewCheck<TILRadioButton>(*this, pnlOptions, "rbRightToLeft", "Number cards from right to left",
                                             345, 8, false)),
      btnUpdate(NewFormButton(*this, pnlOptions, "btnUpdate", "Update", 560, 4)),
      chkShowIndividualCards(
          NewCheck<TILCheckBox>(*this, pnlOptions, "chkShowIndividualCards", "Show individual cards", 8, 34, true)),
      btnCopy(WithHint(NewFormButton(*this, pnlOptions, "btnCopy", "Clipboard", 180, 30, 80), "Copy to clipboard")),
      btnPosDetails(WithHint(NewFormButton(*this, pnlOptions, "btnPosDetails", "Card Positions", 268, 30, 100),
                             "Display card positions at start of each pick")),
      lblPrintOptions(NewFormLabel(*this, pnlOptions, "lblPrintOptions", "Printing Options", 8, 61)),
      chkPrintImage(NewCheck<TILCheckBox>(*this, pnlOptions, "chkPrintImage", "Print Image", 110, 60, true)),
      chkPrintShowFwd(
          NewCheck<TILCheckBox>(*this, pnlOptions, "chkPrintShowFwd", "Show Forward Turns", 210, 60, true)),
      chkPrintShowBack(
          NewCheck<TILCheckBox>(*this, pnlOptions, "chkPrintShowBack", "Show Backward Turns", 360, 60, true)),
      chkPrintShowTwist(NewCheck<TILCheckBox>(*this, pnlOptions, "chkPrintShowTwist", "Show Twists", 520, 60, true)),
      btnPrint(NewBottomButton(*this, "btnPrint", "&Print", fw::mrNone)),
      btnClose(NewBottomButton(*this, "btnClose", "&Close", fw::mrOk))
{
    SetName("frmActionDisplay");
    SetCaption("Actions");
    SetBounds(0, 0, FormWidth, FormHeight);

    lstActions->SetGridPen(fw::Pen{fw::clGreen, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    AddColumn("Pick", "PICK", 50)->SetAutoSort(iltSortIntAscend);
    AddColumn("Forwards", "FORWARDS", 200);
    AddColumn("Backwards", "BACKWARDS", 200);
    AddColumn("Twist", "TWIST", 100);
    // The pick column stays in place while the rest scrolls.
    lstActions->SetFixedColumns(1);
    if (lstActions->HeadingRows().Count() == 0) {
        lstActions->HeadingRows().Add();
    }
    lstActions->HeadingRows().GetItem(0)->SetHeight(HeadingHeight);

    edFirstCard->SetText("1");
    btnUpdate->SetOnClick([this](fw::Object*) { btnUpdateClick(); });
    chkShowIndividualCards->SetOnChange([this](fw::Object*) { chkShowIndividualCardsChange(); });
    btnCopy->SetOnClick([this](fw::Object*) { btnCopyClick(); });
    btnPosDetails->SetOnClick([this](fw::Object*) { btnPosDetailsClick(); });
    btnPrint->SetOnClick([this](fw::Object*) { btnPrintClick(); });
    btnClose->SetCancel(true);
    PlaceBottomButtons();
}

TfrmActionDisplay::~TfrmActionDisplay() = default;

void TfrmActionDisplay::ApplyDefaultStyle()
{
    TfrmTBasic::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstActions});
}

TILTreeColumnData* TfrmActionDisplay::AddColumn(const char* caption, const char* id, int width)
{
    TILTreeColumnData* column = lstActions->Columns().Add();
    column->SetCaption(caption);
    column->SetID(id);
    column->SetWidth(width);
    return column;
}

void TfrmActionDisplay::PlaceBottomButtons()
{
    PlaceButtonsFromRight(*pnlTBottom, {btnClose, btnPrint});
}

// --- Showing ---------------------------------------------------------------------------------------

void TfrmActionDisplay::LoadActions(const TTWPattern& pattern, bool everyOtherPick, const fw::Bitmap* picture)
{
    pattern_ = &pattern;
    everyOtherPick_ = everyOtherPick;
    picture_.reset();
    if (picture != nullptr && !picture->Empty()) {
        picture_ = *picture;
    }
    firstCardNumber_ = 1;
    edFirstCard->SetText("1");
    FillList();
    chkPrintImage->SetVisible(picture_.has_value());
    PlaceBottomButtons();
}

void TfrmActionDisplay::ShowActions(const TTWPattern& pattern, bool everyOtherPick, const fw::Bitmap* picture)
{
    LoadActions(pattern, everyOtherPick, picture);
    ShowModal();
}

void TfrmActionDisplay::Execute(fw::Component* owner, const TTWPattern& pattern, bool everyOtherPick,
                                const fw::Bitmap* picture)
{
    std::unique_ptr<TfrmActionDisplay> display(new TfrmActionDisplay(owner));
    display->FinishLoading();
    CentreDialogOver(owner, *display);
    display->ShowActions(pattern, everyOtherPick, picture);
}

void TfrmActionDisplay::FillList()
{
    if (pattern_ == nullptr) {
        return;
    }
    const TTWPattern& pattern = *pattern_;
    const bool leftToRight = rbLeftToRight->Checked();
    firstCardNumber_ = FirstCardNumberFrom(edFirstCard->Text());
    const int cardCount = pattern.Cards().Count();
    const bool showCards = chkShowIndividualCards->Checked();

    TILTreeUpdateBracket bracket(lstActions);
    lstActions->Clear();
    while (lstActions->Columns().Count() > FirstCardColumn) {
        lstActions->Columns().Delete(lstActions->Columns().Count() - 1);
    }
    for (int i = 0; i < cardCount; ++i) {
        TILTreeColumnData* column = lstActions->Columns().Add();
        column->SetCaption(std::to_string(CardColumnNumber(i, cardCount, firstCardNumber_, leftToRight)));
        column->SetWidth(CardColumnWidth);
        column->SetHeaderJustify(iltJustifyCentre);
        column->SetJustifyOverride(iltJustifyCentre);
        column->SetIsHidden(!showCards);
    }
    lstActions->GetColumn(TwistColumn)->SetIsHidden(!pattern.Picks().HasTwist());

    for (int i = 0; i < pattern.Picks().Count(); ++i) {
        if (everyOtherPick_ && i % 2 != 0) {
            continue;
        }
        const TTWActionList& actions = pattern.Picks().GetPick(i)->Actions();
        auto* row = new TILTreeNode(lstActions->Root());
        row->SetCellText(PickColumn, std::to_string(i + 1));
        const std::vector<std::string> cells = CardCellTexts(actions, cardCount, &pattern.Packs());
        for (int card = 0; card < cardCount; ++card) {
            row->SetCellText(FirstCardColumn + card, cells[static_cast<std::size_t>(card)]);
        }
        const TTWRangeTexts ranges = actions.RangeTexts(cardCount, leftToRight, firstCardNumber_, &pattern.Packs());
        row->SetCellText(ForwardsColumn, ranges.Forwards);
        row->SetCellText(BackwardsColumn, ranges.OtherTurns);
        row->SetCellText(TwistColumn, ranges.Twists);
    }
    SortNodeChildren(*lstActions->Root(), lstActions->GetColumn(PickColumn)->SortOrder(false), false, false);
}

// --- Buttons -------------------------------------------------------------------------------------------

void TfrmActionDisplay::btnUpdateClick()
{
    FillList();
}

void TfrmActionDisplay::chkShowIndividualCardsChange()
{
    const bool show = chkShowIndividualCards->Checked();
    TILTreeUpdateBracket bracket(lstActions);
    for (int i = FirstCardColumn; i < lstActions->Columns().Count(); ++i) {
        lstActions->GetColumn(i)->SetIsHidden(!show);
    }
}

void TfrmActionDisplay::btnCopyClick()
{
    lstActions->CopyToClipboard(true, false, false);
}

void TfrmActionDisplay::btnPosDetailsClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    TfrmTWCardPositionDetails::Execute(this, *pattern_, chkShowIndividualCards->Checked());
}

void TfrmActionDisplay::btnPrintClick()
{
    if (pattern_ == nullptr) {
        return;
    }
    if (report_ == nullptr) {
        report_ = new TfrmTWPrintActionsQR(this);
    }
    int columns = 0;
    if (chkPrintShowFwd->Checked()) {
        columns |= PrintColumnForwards;
    }
    if (chkPrintShowBack->Checked()) {
        columns |= PrintColumnBackwards;
    }
    if (chkPrintShowTwist->Checked()) {
        columns |= PrintColumnTwist;
    }
    report_->SetColumnChoice(columns);
    report_->PrintActions(this, pattern_->Name(), true);
}

// --- What the report reads ----------------------------------------------------------------------------

int TfrmActionDisplay::PrintRowCount() const
{
    return lstActions->Root()->GetCount();
}

std::string TfrmActionDisplay::PrintCell(int row, std::string_view columnId) const
{
    const TILTreeNode* node = lstActions->Root()->GetItem(row);
    if (node == nullptr) {
        return std::string();
    }
    return node->GetCellTextByName(columnId);
}

bool TfrmActionDisplay::PrintPicksHaveTwist() const
{
    return pattern_ != nullptr && pattern_->Picks().HasTwist();
}

const fw::Bitmap* TfrmActionDisplay::PrintPicture() const
{
    return picture_.has_value() ? &*picture_ : nullptr;
}

bool TfrmActionDisplay::PrintImageChecked() const
{
    return chkPrintImage->Checked();
}
