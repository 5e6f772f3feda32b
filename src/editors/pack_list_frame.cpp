#include "editors/pack_list_frame.h"

#include <string>
#include <utility>

#include "forms/form_kit.h"
#include "forms/forms_default_style.h"
#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/core/named_images.h"
#include "framework/core/strings.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/image_list.h"
#include "model/action.h"
#include "model/card_list.h"
#include "model/pack.h"
#include "model/pick.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int NameColumnWidth = 150;
constexpr int MarkSize = 12;

// Whether any pack action of the picks names the text (without regard to case).
bool NamesAnyPackAction(const TTWPickList& picks, std::string_view name)
{
    for (int p = 0; p < picks.Count(); ++p) {
        const TTWActionList& actions = picks.GetPick(p)->Actions();
        for (int a = 0; a < actions.Count(); ++a) {
            const TTWAction* action = actions.Items(a);
            if (action->IsPackAction() && fw::SameText(action->TargetID(), name)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TfrmPackListFrame::TfrmPackListFrame(fw::Component* owner)
    : fw::Frame(owner), lstPacks(new TILTree(this)), imgPacks(new fw::ImageList(MarkSize, MarkSize, this))
{
    SetBounds(0, 0, 400, 200);
    imgPacks->SetName("imgPacks");
    MakeMemberMark();

    lstPacks->SetName("lstPacks");
    lstPacks->SetParent(this);
    lstPacks->SetAlign(fw::Align::Client);
    lstPacks->SetOptions(FlatListOptions() | TILTreeDisplayOption::iltNoDoubleClick);
    lstPacks->SetIcons(imgPacks);
    TILTreeColumnData* name = lstPacks->Columns().Add();
    name->SetCaption("Pack");
    name->SetWidth(NameColumnWidth);

    // Names are edited in place and the edit stays open while the rest of the dialog works
    // (Tab goes on to the next name).
    TILTreeInlineEditSettings editing;
    editing.SetOptions(TILTreeInlineEditOptions{TILTreeInlineEditOption::iltEditAllowTab,
                                                TILTreeInlineEditOption::iltEditAutoScroll});
    lstPacks->SetInlineEdit(&editing);
    lstPacks->SetOnCanEditInline([](TILTree*, TILTreeNode*, int columnIndex) { return columnIndex == 0; });
    lstPacks->SetOnNodeClick([this](TILTree*, TILTreeNode* node) { lstPacksNodeClick(node); });

    if (const TILFormsDefaultStyle* style = FormsDefaultStyle()) {
        ApplyToControls(*style, {lstPacks});
    }
    // Built in code: nothing waits for a form to finish loading it.
    FinishLoading();
}

TfrmPackListFrame::~TfrmPackListFrame() = default;

void TfrmPackListFrame::MakeMemberMark()
{
    // A tick in the window text colour on the transparent key.
    fw::Bitmap mark(MarkSize, MarkSize);
    fw::Canvas canvas(mark);
    canvas.Brush() = fw::Brush{fw::NamedImageKey};
    canvas.FillRect(fw::Rect{0, 0, MarkSize, MarkSize});
    canvas.Pen() = fw::Pen{fw::clBlack};
    for (int thickness = 0; thickness < 2; ++thickness) {
        canvas.MoveTo(2, 5 + thickness);
        canvas.LineTo(5, 8 + thickness);
        canvas.LineTo(10, 3 + thickness);
    }
    imgPacks->AddMasked(mark, fw::NamedImageKey);
}

// --- Cells ---------------------------------------------------------------------------------------

void TfrmPackListFrame::SetCellValue(TILTreeNode* row, int column, int value)
{
    row->GetCellInfo(column)->SetInteger(value);
}

int TfrmPackListFrame::CellValue(const TILTreeNode* row, int column) const
{
    const TILTreeCellInfo* info = row != nullptr ? row->FindCellInfo(column) : nullptr;
    return info != nullptr ? info->GetInteger() : NonMemberValue;
}

int TfrmPackListFrame::CardCount() const
{
    return lstPacks->Columns().Count() - 1;
}

void TfrmPackListFrame::SetCardCount(int count)
{
    if (count < 0) {
        count = 0;
    }
    TILTreeUpdateBracket bracket(lstPacks);
    for (int number = CardCount() + 1; number <= count; ++number) {
        TILTreeColumnData* column = lstPacks->Columns().Add();
        column->SetCaption(std::to_string(number));
        column->SetWidth(CardColumnWidth);
        column->SetHeaderJustify(iltJustifyCentre);
        column->SetJustifyOverride(iltJustifyCentre);
        // Rows already there learn the new card as no member.
        for (TILTreeNode* row : lstPacks->Root()->Children()) {
            SetCellValue(row, number, NonMemberValue);
        }
    }
    while (CardCount() > count) {
        lstPacks->Columns().Delete(lstPacks->Columns().Count() - 1);
    }
}

bool TfrmPackListFrame::ToggleCard(TILTreeNode* row, int column)
{
    if (row == nullptr || column < 1 || column > CardCount()) {
        return false;
    }
    const bool member = CellValue(row, column) != MemberValue;
    SetCellValue(row, column, member ? MemberValue : NonMemberValue);
    lstPacks->RepaintCell(row, column);
    return member;
}

bool TfrmPackListFrame::IsMember(const TILTreeNode* row, int card) const
{
    return card >= 1 && card <= CardCount() && CellValue(row, card) == MemberValue;
}

std::vector<int> TfrmPackListFrame::Members(const TILTreeNode* row) const
{
    std::vector<int> members;
    for (int card = 1; card <= CardCount(); ++card) {
        if (IsMember(row, card)) {
            members.push_back(card);
        }
    }
    return members;
}

TTWPack* TfrmPackListFrame::SourcePack(const TILTreeNode* row) const
{
    return row != nullptr ? dynamic_cast<TTWPack*>(row->Object()) : nullptr;
}

std::string TfrmPackListFrame::RowName(const TILTreeNode* row) const
{
    return row != nullptr ? row->GetCellText(0) : std::string();
}

int TfrmPackListFrame::RowCount() const
{
    return lstPacks->Root()->GetCount();
}

TILTreeNode* TfrmPackListFrame::Row(int index) const
{
    return lstPacks->Root()->GetItem(index);
}

// --- Filling and editing ----------------------------------------------------------------------------

void TfrmPackListFrame::LoadPacks(const TTWPackList& packs, TTWCardList* cards)
{
    cardList_ = cards;
    TILTreeUpdateBracket bracket(lstPacks);
    lstPacks->Clear();
    SetCardCount(cards != nullptr ? cards->Count() : 0);
    for (int i = 0; i < packs.Count(); ++i) {
        TTWPack* pack = packs.Items(i);
        auto* row = new TILTreeNode(lstPacks->Root());
        row->SetObject(pack);
        row->SetCellText(0, pack->Name);
        for (int card = 1; card <= CardCount(); ++card) {
            SetCellValue(row, card, NonMemberValue);
        }
        for (int member : pack->Members()) {
            if (member >= 1 && member <= CardCount()) {
                SetCellValue(row, member, MemberValue);
            }
        }
    }
    lstPacks->Root()->SortChildren();
}

TILTreeNode* TfrmPackListFrame::AddPack()
{
    TILTreeUpdateBracket bracket(lstPacks);
    auto* row = new TILTreeNode(lstPacks->Root());
    row->SetCellText(0, "New Pack " + std::to_string(++packCounter_));
    for (int card = 1; card <= CardCount(); ++card) {
        SetCellValue(row, card, NonMemberValue);
    }
    return row;
}

void TfrmPackListFrame::DeleteSelectedPack()
{
    TILTreeNode* row = lstPacks->GetSelected();
    if (row == nullptr) {
        return;
    }
    if (fw::MessageDlg("Delete this pack?", fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    // The answer may have taken a while: the row is looked for again.
    row = lstPacks->GetSelected();
    if (row == nullptr) {
        return;
    }
    TILTreeUpdateBracket bracket(lstPacks, false);
    delete row;
}

void TfrmPackListFrame::lstPacksNodeClick(TILTreeNode* node)
{
    if (node == nullptr) {
        return;
    }
    const fw::Point at = lstPacks->LastMousePoint();
    const TILTreeColumnData* column = lstPacks->ColumnAt(at.X);
    if (column == nullptr) {
        return;
    }
    const int index = column->Index();
    if (index >= 1) {
        ToggleCard(node, index);
        lstPacks->SelectOnly(node);
    } else if (!lstPacks->IsEditingCell(node, 0)) {
        lstPacks->SelectOnly(node);
        lstPacks->EditCell(node, 0, at.X, at.Y);
    }
}

// --- Writing back --------------------------------------------------------------------------------------

void TfrmPackListFrame::RenameActions(TTWPickList& picks) const
{
    struct Rename {
        std::string OldName;
        std::string NewName;
        std::string Placeholder;
    };
    std::vector<Rename> renames;
    for (const TILTreeNode* row : lstPacks->Root()->Children()) {
        const TTWPack* pack = SourcePack(row);
        if (pack != nullptr && !fw::SameText(pack->Name, RowName(row))) {
            renames.push_back(Rename{pack->Name, RowName(row), std::string()});
        }
    }
    // Renaming one after the other would merge packs that exchange names (A to B, then B
    // to A leaves every action on A). So every old name first goes to a name no action and
    // no new name uses, and only then to its new name.
    for (std::size_t i = 0; i < renames.size(); ++i) {
        std::string placeholder = "\x01" + std::to_string(i) + "\x01";
        const auto taken = [&](const std::string& name) {
            if (NamesAnyPackAction(picks, name)) {
                return true;
            }
            for (const Rename& rename : renames) {
                if (fw::SameText(rename.NewName, name) || fw::SameText(rename.Placeholder, name)) {
                    return true;
                }
            }
            return false;
        };
        while (taken(placeholder)) {
            placeholder += "\x01";
        }
        renames[i].Placeholder = placeholder;
    }
    for (const Rename& rename : renames) {
        picks.RenamePack(rename.OldName, rename.Placeholder);
    }
    for (const Rename& rename : renames) {
        picks.RenamePack(rename.Placeholder, rename.NewName);
    }
}

void TfrmPackListFrame::WritePacks(TTWPackList& packs, TTWPickList& picks)
{
    // A name still being typed counts as typed.
    if (lstPacks->Editing()) {
        lstPacks->AcceptInlineEdit(true);
    }
    RenameActions(picks);
    std::vector<std::pair<TILTreeNode*, TTWPack*>> written;
    std::vector<std::string> comments;
    for (TILTreeNode* row : lstPacks->Root()->Children()) {
        const TTWPack* source = SourcePack(row);
        comments.push_back(source != nullptr ? source->Comment : std::string());
    }
    packs.Clear();
    int rowIndex = 0;
    for (TILTreeNode* row : lstPacks->Root()->Children()) {
        auto* pack = new TTWPack;
        pack->Name = RowName(row);
        // The grid has no place for the comment; a pack it came from keeps its own.
        pack->Comment = comments[static_cast<std::size_t>(rowIndex++)];
        pack->SetCardList(cardList_);
        const std::vector<int> members = Members(row);
        pack->SetSize(static_cast<int>(members.size()));
        for (std::size_t m = 0; m < members.size(); ++m) {
            pack->SetMember(static_cast<int>(m), members[m]);
        }
        packs.Add(pack);
        written.emplace_back(row, pack);
    }
    packs.Sort();
    // The rows now stand for the packs just written, not for the freed ones.
    for (const auto& [row, pack] : written) {
        row->SetObject(pack);
    }
}
