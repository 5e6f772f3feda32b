#include "shell/revisions_window.h"

#include <algorithm>
#include <memory>
#include <string>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "forms/form_kit.h"
#include "framework/gui/std_button.h"
#include "shell/main_window.h"
#include "shell/revision_notes.h"
#include "shell/size_dialog_placing.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_node.h"

namespace {

constexpr int WindowWidth = 560;
constexpr int WindowHeight = 460;
constexpr int ListMargin = 6;

TILBrushPageControl* NewPages(TfrmTBasic& form)
{
    auto* pages = new TILBrushPageControl(&form);
    pages->SetName("pcMain");
    pages->SetParent(form.pnlTTop);
    pages->SetAlign(fw::Align::Client);
    return pages;
}

TILBrushPage* NewPage(TfrmTBasic& form, TILBrushPageControl& pages, const char* name, const char* caption)
{
    auto* page = new TILBrushPage(&form);
    page->SetName(name);
    page->SetPageName(caption);
    page->SetParent(&pages);
    page->SetBorderWidth(ListMargin);
    return page;
}

// One wide column of word-wrapped text, rows the user may resize.
TILTree* NewNotesList(TfrmTBasic& form, TILBrushPage& page, const char* name)
{
    TILTree* list = NewFormList(form, &page, name,
                                FlatListOptions()
                                    .Include(TILTreeDisplayOption::iltShowButtons)
                                    .Include(TILTreeDisplayOption::iltShowLines)
                                    .Include(TILTreeDisplayOption::iltResizeRow)
                                    .Include(TILTreeDisplayOption::iltAutoExpand)
                                    .Exclude(TILTreeDisplayOption::iltVertGrid));
    list->SetScrollStyle(TScrollStyle::ssVertical);
    TILTreeColumnData* text = list->Columns().Add();
    text->SetWidth(WindowWidth - 4 * ListMargin - 30);
    list->Headings().SetShow(false);
    list->DefaultDrawNormal().SetWordWrap(true);
    list->DefaultDrawSelect().SetWordWrap(true);
    // Heading rows are bold in whatever colours their row is drawn with.
    list->SetOnOverrideFont([](TILTree*, TILTreeColumnData*, TILTreeNode* node, fw::Font& font) {
        if (node->Level() == 1) {
            font.Style.Bold = true;
        }
    });
    return list;
}

// A heading row in bold, with its rows below it.
TILTreeNode* AddHeading(TILTree& list, std::string_view heading)
{
    auto* row = new TILTreeNode(list.Root());
    row->SetText(std::string(heading));
    row->SetDrawFlags(row->DrawFlags() | iltDrawOverrideFont);
    return row;
}

void AddLine(TILTreeNode& heading, std::string_view text)
{
    auto* row = new TILTreeNode(&heading);
    row->SetText(std::string(text));
}

} // namespace

TfrmTWRevisions::TfrmTWRevisions(fw::Component* owner)
    : TfrmTBasic(owner),
      pcMain(NewPages(*this)),
      pgRevisions(NewPage(*this, *pcMain, "pgRevisions", "Revisions")),
      lstNotes(NewNotesList(*this, *pgRevisions, "lstNotes")),
      pgBugs(NewPage(*this, *pcMain, "pgBugs", "Known Bugs")),
      lstBugs(NewNotesList(*this, *pgBugs, "lstBugs")),
      btnClose(NewBottomButton(*this, "btnClose", "&Close", fw::mrOk))
{
    SetName("frmTWRevisions");
    SetCaption("TVL Revision Notes");
    SetBounds(0, 0, WindowWidth, WindowHeight);
    btnClose->SetDefault(true);
    btnClose->SetCancel(true);
    lstNotes->SetAfterColumnResize([this](TILTree*, TILTreeColumnData*) { lstNotesAfterColumnResize(); });
    lstNotes->SetOnCanResizeNode([this](TILTree*, TILTreeNode* node) { return lstNotesCanResizeNode(node); });
    lstNotes->SetOnNodeResize(
        [this](TILTree*, TILTreeNode* node, int& newHeight) { return lstNotesNodeResize(node, newHeight); });
}

TfrmTWRevisions::~TfrmTWRevisions() = default;

void TfrmTWRevisions::ApplyDefaultStyle()
{
    TfrmTBasic::ApplyDefaultStyle();
    ApplyDefaultFormStyle({lstNotes, lstBugs});
}

void TfrmTWRevisions::FormCreate()
{
    TfrmTBasic::FormCreate();
    PlaceButtonsFromRight(*pnlTBottom, {btnClose});
    FillNotes();
    FillBugs();
    pcMain->SetActivePage(pgRevisions);
    FitToList(*lstNotes);
    FitToList(*lstBugs);
    // A list on a hidden page has not yet been given its page's size: its text is fitted
    // again when its page is shown, and whenever the list changes its size.
    pcMain->SetOnPageChanged([this](fw::Object*) {
        for (TILTree* list : {lstNotes, lstBugs}) {
            if (list->Parent() == pcMain->ActivePage()) {
                FitToList(*list);
            }
        }
    });
    for (TILTree* list : {lstNotes, lstBugs}) {
        list->SetOnResize([list](fw::Object*) { FitToList(*list); });
    }
}

void TfrmTWRevisions::FitToList(TILTree& list)
{
    // The text column fills the list, beside its scroll bar.
    if (TILTreeColumnData* text = list.GetColumn(0)) {
        const int width = std::max(list.ClientWidth() - list.VertScrollBar()->Width() - 1, 100);
        if (text->Width() != width) {
            text->SetWidth(width);
        }
    }
    FitRows(list);
}

void TfrmTWRevisions::FillNotes()
{
    TILTreeUpdateBracket bracket(lstNotes);
    lstNotes->Clear();
    for (const TTWRevision& revision : RevisionNotes()) {
        TILTreeNode* heading = AddHeading(*lstNotes, revision.Heading);
        for (std::string_view note : revision.Notes) {
            AddLine(*heading, note);
        }
    }
}

void TfrmTWRevisions::FillBugs()
{
    TILTreeUpdateBracket bracket(lstBugs);
    lstBugs->Clear();
    for (const TTWKnownProblem& problem : KnownProblems()) {
        AddLine(*AddHeading(*lstBugs, problem.Topic), problem.Explanation);
    }
}

void TfrmTWRevisions::FitRows(TILTree& list)
{
    TILTreeUpdateBracket bracket(&list);
    for (TILTreeNode* row : list.Root()->Children()) {
        row->AutoSizeRow(0, 0, RowMargin, RowMargin, true, true);
    }
}

void TfrmTWRevisions::lstNotesAfterColumnResize()
{
    FitRows(*lstNotes);
}

bool TfrmTWRevisions::lstNotesCanResizeNode(TILTreeNode* node) const
{
    return node != nullptr && node->Level() > 1;
}

bool TfrmTWRevisions::lstNotesNodeResize(TILTreeNode*, int& newHeight) const
{
    newHeight = std::max<int>(newHeight, lstNotes->DefaultNodeHeight());
    return true;
}

void TfrmTWRevisions::Execute(fw::Component* owner)
{
    const std::unique_ptr<TfrmTWRevisions> window = NewCentredDialog<TfrmTWRevisions>(owner);
    window->ShowModal();
}

void OpenRevisionNotes(TfrmTWMain& main, int)
{
    TfrmTWRevisions::Execute(&main);
}
