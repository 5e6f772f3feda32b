#include "shell/join_dialogs.h"

#include <utility>

#include "controls/bevel_rings.h"
#include "controls/brush_panel.h"
#include "controls/check_box.h"
#include "controls/position.h"
#include "forms/form_kit.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "shell/data_module.h"
#include "shell/file_loader.h"
#include "shell/main_window.h"
#include "shell/size_dialog_placing.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"
#include "shell/window_factory.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int DialogWidth = 600;
constexpr int DialogHeight = 350;
constexpr int ListLeft = 92;
constexpr int ListTop = 8;
constexpr int ListHeight = 220;
constexpr int ListWidth = DialogWidth - ListLeft - 16;
constexpr int OptionsTop = ListTop + ListHeight + 10;
constexpr int CheckBoxHeight = 17;

enum Column { NameColumn, TypeColumn, CardsColumn, PicksColumn, FileColumn };

void Inform(const std::string& text)
{
    fw::MessageDlg(text, fw::MsgDlgType::Information, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
}

TILCheckBox* NewCheckBox(TfrmTBasic& form, const char* name, const char* caption, int top)
{
    auto* check = new TILCheckBox(&form);
    check->SetName(name);
    check->SetParent(form.pnlTTop);
    check->SetCaption(caption);
    check->SetBounds(ListLeft, top, 240, CheckBoxHeight);
    return check;
}

TILBrushPanel* NewOutFilePanel(TfrmTBasic& form)
{
    auto* panel = new TILBrushPanel(&form);
    panel->SetName("pnlOutFile");
    panel->SetParent(form.pnlTTop);
    panel->SetBounds(ListLeft + 28, OptionsTop + CheckBoxHeight + 6, ListWidth - 28, 22);
    panel->DrawData().SetBevelOuter(TBevelCut::Lowered);
    panel->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel->CaptionPos().SetHorzMargin(4);
    panel->SetCaption(std::string());
    return panel;
}

TdModMain* DataModuleOf(TfrmTWMain* main)
{
    return main != nullptr ? dynamic_cast<TdModMain*>(main->DataModule()) : nullptr;
}

bool HoleCountsDiffer(const TTWPatternBase& pattern, const TTWPatternBase& first)
{
    const TTWCardList* cards = pattern.GetCards();
    const TTWCardList* firstCards = first.GetCards();
    return cards != nullptr && firstCards != nullptr && cards->HoleCount() != firstCards->HoleCount();
}

} // namespace

TfrmTWJoinPatternsBase::TfrmTWJoinPatternsBase(TfrmTWMain& main)
    : TfrmTBasic(&main),
      btnMoveUp(NewGlyphButton(*this, pnlTTop, "btnMoveUp", "Move selected pattern up in the list",
                               ToolIcon(TWAction::ShiftUp), FormBounds{8, ListTop + 80, 23, 22})),
      btnMoveDown(NewGlyphButton(*this, pnlTTop, "btnMoveDown", "Move selected pattern down in the list",
                                 ToolIcon(TWAction::ShiftDown), FormBounds{36, ListTop + 80, 23, 22})),
      btnAddPattern(NewFormButton(*this, pnlTTop, "btnAddPattern", "Add", 8, ListTop)),
      btnRemovePattern(NewFormButton(*this, pnlTTop, "btnRemovePattern", "Remove", 8, ListTop + 32)),
      lstPatterns(NewFormList(*this, pnlTTop, "lstPatterns", FormBounds{ListLeft, ListTop, ListWidth, ListHeight})),
      chkSave(NewCheckBox(*this, "chkSave", "Save joined pattern to file", OptionsTop)),
      btnSelectOutFile(NewGlyphButton(*this, pnlTTop, "btnSelectOutFile", "Select the file to save to",
                                      ToolIcon(TWAction::Save),
                                      FormBounds{ListLeft, OptionsTop + CheckBoxHeight + 6, 23, 22})),
      pnlOutFile(NewOutFilePanel(*this)),
      chkOpen(NewCheckBox(*this, "chkOpen", "Open joined pattern", OptionsTop + CheckBoxHeight + 36)),
      btnJoin(NewBottomButton(*this, "btnJoin", "Join", fw::mrNone)),
      btnClose(NewBottomButton(*this, "btnClose", "Close", fw::mrCancel)),
      main_(&main)
{
    SetName("frmTWJoinPatternsBase");
    SetCaption("Join Patterns (Base)");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetBounds(0, 0, DialogWidth, DialogHeight);
    BuildColumns();

    btnAddPattern->SetOnClick([this](fw::Object*) { btnAddPatternClick(); });
    btnRemovePattern->SetOnClick([this](fw::Object*) { btnRemovePatternClick(); });
    btnMoveUp->SetOnClick([this](fw::Object*) { btnMoveUpClick(); });
    btnMoveDown->SetOnClick([this](fw::Object*) { btnMoveDownClick(); });
    chkSave->SetOnChange([this](fw::Object*) { chkSaveChange(); });
    btnSelectOutFile->SetOnClick([this](fw::Object*) { btnSelectOutFileClick(); });
    btnJoin->SetOnClick([this](fw::Object*) { btnJoinClick(); });
    btnClose->SetCancel(true);
    chkOpen->SetChecked(true);
    chkSaveChange();
}

TfrmTWJoinPatternsBase::~TfrmTWJoinPatternsBase() = default;

void TfrmTWJoinPatternsBase::BuildColumns()
{
    const struct {
        const char* Caption;
        int Width;
    } columns[] = {{"NAME", 140}, {"TYPE", 90}, {"CARDS", 50}, {"PICKS", 50}, {"FILE", 400}};
    for (const auto& column : columns) {
        TILTreeColumnData* data = lstPatterns->Columns().Add();
        data->SetCaption(column.Caption);
        data->SetWidth(column.Width);
    }
}

void TfrmTWJoinPatternsBase::FormCreate()
{
    TfrmTBasic::FormCreate();
    PlaceButtonsFromRight(*pnlTBottom, {btnClose, btnJoin});
}

// --- The patterns --------------------------------------------------------------------------

bool TfrmTWJoinPatternsBase::AddPattern(std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    if (pattern == nullptr || !CheckPattern(*pattern)) {
        return false;
    }
    TILTreeUpdateBracket bracket(lstPatterns);
    auto* row = new TILTreeNode(lstPatterns->Root());
    row->SetCellText(NameColumn, pattern->Name());
    row->SetCellText(TypeColumn, pattern->GetTypeName());
    row->SetCellText(CardsColumn, fw::IntToStr(pattern->GetCardCount()));
    row->SetCellText(PicksColumn, fw::IntToStr(pattern->GetPickCount()));
    row->SetCellText(FileColumn, fileName);
    row->SetObject(pattern.release());
    row->SetOwnsObject(true);
    return true;
}

bool TfrmTWJoinPatternsBase::AddPatternFile(const std::string& fileName)
{
    return AddPattern(LoadAndCreatePattern(fileName), fileName);
}

int TfrmTWJoinPatternsBase::PatternCount() const
{
    return lstPatterns->Root()->GetCount();
}

TTWPatternBase* TfrmTWJoinPatternsBase::RowPattern(int row) const
{
    const TILTreeNode* node = lstPatterns->Root()->GetItem(row);
    return node != nullptr ? dynamic_cast<TTWPatternBase*>(node->Object()) : nullptr;
}

TTWJoinPatterns TfrmTWJoinPatternsBase::Patterns() const
{
    TTWJoinPatterns patterns;
    for (int row = 0; row < PatternCount(); ++row) {
        if (TTWPatternBase* pattern = RowPattern(row)) {
            patterns.push_back(pattern);
        }
    }
    return patterns;
}

bool TfrmTWJoinPatternsBase::CheckPattern(const TTWPatternBase& pattern)
{
    const int kind = pattern.GetPatternType();
    if (kind == PatternTypeFont) {
        Inform("Fonts cannot be joined!");
        return false;
    }
    if (kind == PatternTypeLetteredBand) {
        Inform("A Lettered Band cannot be joined to other bands.\r\n"
               "To join this pattern to another, save the Lettered Band as a Double-Face pattern.");
        return false;
    }
    if (kind != PatternTypeThreaded && kind != PatternTypeDoubleFace && kind != PatternTypeBrokenTwill
        && kind != PatternTypeBrocade && kind != PatternTypeTwistPatterned) {
        return false;
    }
    const TTWPatternBase* first = RowPattern(0);
    if (first != nullptr && first->GetPatternType() != kind) {
        Inform("Patterns of different types cannot be joined.");
        return false;
    }
    switch (kind) {
    case PatternTypeBrokenTwill: {
        const auto& twill = static_cast<const TTW31TwillPattern&>(pattern);
        if (first != nullptr && static_cast<const TTW31TwillPattern*>(first)->BackgroundTwill() != twill.BackgroundTwill()) {
            Inform("Only patterns with the same background twill can be joined.");
            return false;
        }
        return true;
    }
    case PatternTypeBrocade:
        if (!static_cast<const TTWBrocadePattern&>(pattern).HasGroundWeave()) {
            return true;
        }
        return fw::MessageDlg("This brocade design has an underlying ground weave\r\n"
                              "which will be lost when the patterns are joined.\r\n"
                              "Do you wish to use this pattern anyway?",
                              fw::MsgDlgType::Confirmation, fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
               == fw::mrYes;
    default:
        if (first != nullptr && HoleCountsDiffer(pattern, *first)) {
            Inform("Patterns must use cards with the same number of holes. ");
            return false;
        }
        return true;
    }
}

// --- Joining ---------------------------------------------------------------------------------

std::unique_ptr<TTWPatternBase> TfrmTWJoinPatternsBase::JoinPatterns()
{
    const TTWPatternBase* first = RowPattern(0);
    std::unique_ptr<TTWPatternBase> result = first != nullptr ? CreatePatternOfType(first->GetPatternType()) : nullptr;
    if (result == nullptr) {
        Inform("Unable to create combined pattern object.\r\nWho knows why?  Try asking Orlend...");
        return nullptr;
    }
    {
        const fw::ScopedCursor busy;
        switch (result->GetPatternType()) {
        case PatternTypeThreaded:
            JoinThreaded(static_cast<TTWPattern&>(*result));
            break;
        case PatternTypeDoubleFace:
            JoinDoubleFace(static_cast<TTWDFPattern&>(*result));
            break;
        case PatternTypeBrokenTwill:
            JoinTwill(static_cast<TTW31TwillPattern&>(*result));
            break;
        case PatternTypeBrocade:
            JoinBrocade(static_cast<TTWBrocadePattern&>(*result));
            break;
        case PatternTypeTwistPatterned:
            JoinTwist(static_cast<TTWWarpTwinedPattern&>(*result));
            break;
        default:
            break;
        }
    }
    result->SetName(first->Name());
    result->SetNotes(first->Notes());
    return result;
}

void TfrmTWJoinPatternsBase::btnJoinClick()
{
    if (PatternCount() < 2) {
        Inform("Please select two or more patterns to be joined.");
        return;
    }
    if (chkSave->Checked() && OutFileName().empty()) {
        Inform("Please select the file in which to save the combined pattern.");
        return;
    }
    // Freed however the saving or the opening ends. A join too large for its kind is
    // refused before anything is written, naming the file it was to be saved in.
    const std::unique_ptr<TTWPatternBase> result =
        chkSave->Checked() ? WriteNamingFile(OutFileName(), [this] { return JoinPatterns(); }) : JoinPatterns();
    if (result == nullptr) {
        return;
    }
    if (chkSave->Checked()) {
        WriteNamingFile(OutFileName(), [&] { result->SaveToFile(OutFileName()); });
    }
    if (chkOpen->Checked() && main_ != nullptr) {
        OpenPatternObject(*main_, *result, std::string());
    }
    SetModalResult(fw::mrOk);
}

// --- Commands ----------------------------------------------------------------------------------

void TfrmTWJoinPatternsBase::btnAddPatternClick()
{
    TdModMain* data = DataModuleOf(main_);
    std::string fileName;
    if (data == nullptr || !data->ExecuteOpenPatternDialog(fileName)) {
        return;
    }
    AddPatternFile(fileName);
}

TILTreeNode* TfrmTWJoinPatternsBase::SelectedRow() const
{
    TILTreeNode* row = lstPatterns->GetSelected();
    return row != nullptr && row->Parent() == lstPatterns->Root() ? row : nullptr;
}

void TfrmTWJoinPatternsBase::btnRemovePatternClick()
{
    if (TILTreeNode* row = SelectedRow()) {
        TILTreeUpdateBracket bracket(lstPatterns);
        delete row;
    }
}

void TfrmTWJoinPatternsBase::MoveSelected(int step)
{
    TILTreeNode* row = SelectedRow();
    if (row == nullptr) {
        return;
    }
    const int index = row->GetIndex() + step;
    if (index < 0 || index >= PatternCount()) {
        return;
    }
    TILTreeUpdateBracket bracket(lstPatterns);
    row->SetIndex(index);
}

void TfrmTWJoinPatternsBase::btnMoveUpClick()
{
    MoveSelected(-1);
}

void TfrmTWJoinPatternsBase::btnMoveDownClick()
{
    MoveSelected(1);
}

void TfrmTWJoinPatternsBase::chkSaveChange()
{
    const bool save = chkSave->Checked();
    chkOpen->SetEnabled(save);
    btnSelectOutFile->SetEnabled(save);
    pnlOutFile->SetEnabled(save);
    // Without saving, the result must go somewhere: it opens.
    if (!save) {
        chkOpen->SetChecked(true);
    }
}

void TfrmTWJoinPatternsBase::btnSelectOutFileClick()
{
    TdModMain* data = DataModuleOf(main_);
    std::string fileName = OutFileName();
    if (data == nullptr || !data->ExecuteSavePatternDialog(fileName, false)) {
        return;
    }
    SetOutFileName(fileName);
}

std::string TfrmTWJoinPatternsBase::OutFileName() const
{
    return pnlOutFile->Caption();
}

void TfrmTWJoinPatternsBase::SetOutFileName(const std::string& fileName)
{
    pnlOutFile->SetCaption(fileName);
}

// --- Side by side ------------------------------------------------------------------------------

TfrmTWJoinSideBySide::TfrmTWJoinSideBySide(TfrmTWMain& main) : TfrmTWJoinPatternsBase(main)
{
    SetName("frmTWJoinSideBySide");
    SetCaption("Join Patterns: Side-by-Side");
}

int TfrmTWJoinSideBySide::GetJoinedCardCount() const
{
    return JoinedCardCount(TTWJoinDirection::SideBySide, Patterns());
}

int TfrmTWJoinSideBySide::GetJoinedPickCount() const
{
    return JoinedPickCount(TTWJoinDirection::SideBySide, Patterns());
}

void TfrmTWJoinSideBySide::JoinThreaded(TTWPattern& result)
{
    ::JoinThreaded(TTWJoinDirection::SideBySide, Patterns(), result);
}

void TfrmTWJoinSideBySide::JoinDoubleFace(TTWDFPattern& result)
{
    ::JoinDoubleFace(TTWJoinDirection::SideBySide, Patterns(), result);
}

void TfrmTWJoinSideBySide::JoinTwill(TTW31TwillPattern& result)
{
    ::JoinTwill(TTWJoinDirection::SideBySide, Patterns(), result);
}

void TfrmTWJoinSideBySide::JoinBrocade(TTWBrocadePattern& result)
{
    ::JoinBrocade(TTWJoinDirection::SideBySide, Patterns(), result);
}

void TfrmTWJoinSideBySide::JoinTwist(TTWWarpTwinedPattern& result)
{
    ::JoinTwist(TTWJoinDirection::SideBySide, Patterns(), result);
}

// --- End to end -----------------------------------------------------------------------------------

TfrmTWJoinEndToEnd::TfrmTWJoinEndToEnd(TfrmTWMain& main) : TfrmTWJoinPatternsBase(main)
{
    SetName("frmTWJoinEndToEnd");
    SetCaption("Join Patterns: End-to-End");
}

bool TfrmTWJoinEndToEnd::CheckPattern(const TTWPatternBase& pattern)
{
    if (pattern.GetPatternType() == PatternTypeThreaded) {
        Inform("Threaded-in patterns cannot be joined to each other.");
        return false;
    }
    const TTWPatternBase* first = RowPattern(0);
    if (pattern.GetPatternType() == PatternTypeDoubleFace && first != nullptr
        && first->GetPatternType() == PatternTypeDoubleFace
        && static_cast<const TTWDFPattern&>(pattern).ColourCount()
               != static_cast<const TTWDFPattern*>(first)->ColourCount()) {
        Inform("2-colour and 3-colour doubleface patterns cannot be mixed.");
        return false;
    }
    return TfrmTWJoinPatternsBase::CheckPattern(pattern);
}

int TfrmTWJoinEndToEnd::GetJoinedCardCount() const
{
    return JoinedCardCount(TTWJoinDirection::EndToEnd, Patterns());
}

int TfrmTWJoinEndToEnd::GetJoinedPickCount() const
{
    return JoinedPickCount(TTWJoinDirection::EndToEnd, Patterns());
}

void TfrmTWJoinEndToEnd::JoinThreaded(TTWPattern&)
{
    // Threaded-in patterns never reach the list of this dialog.
}

void TfrmTWJoinEndToEnd::JoinDoubleFace(TTWDFPattern& result)
{
    ::JoinDoubleFace(TTWJoinDirection::EndToEnd, Patterns(), result);
}

void TfrmTWJoinEndToEnd::JoinTwill(TTW31TwillPattern& result)
{
    ::JoinTwill(TTWJoinDirection::EndToEnd, Patterns(), result);
}

void TfrmTWJoinEndToEnd::JoinBrocade(TTWBrocadePattern& result)
{
    ::JoinBrocade(TTWJoinDirection::EndToEnd, Patterns(), result);
}

void TfrmTWJoinEndToEnd::JoinTwist(TTWWarpTwinedPattern& result)
{
    ::JoinTwist(TTWJoinDirection::EndToEnd, Patterns(), result);
}

// --- The main window's entries ----------------------------------------------------------------------

namespace {

template <class Dialog>
void RunJoinDialog(TfrmTWMain& main, int)
{
    std::unique_ptr<Dialog> dialog(new Dialog(main));
    dialog->FinishLoading();
    CentreDialogOver(&main, *dialog);
    dialog->ShowModal();
}

} // namespace

void RegisterJoinDialogs()
{
    RegisterWindowOpener(TTWWindowKind::JoinSideBySide, &RunJoinDialog<TfrmTWJoinSideBySide>);
    RegisterWindowOpener(TTWWindowKind::JoinEndToEnd, &RunJoinDialog<TfrmTWJoinEndToEnd>);
}
