#pragma once

#include <string_view>

#include "forms/basic_form.h"

class TILBrushPage;
class TILBrushPageControl;
class TILTree;
class TILTreeNode;
class TfrmTWMain;

namespace fw {
class Button;
}

// "TVL Revision Notes": on one page what changed in each version, a bold row per version with
// a row per note below it; on the other the known problems, a bold row per topic with its
// explanation. Every row is as high as its word-wrapped text, and stays so when the column is
// resized; the user may make a note's row higher, not lower than a plain row.
class TfrmTWRevisions : public TfrmTBasic {
public:
    // The space above and below the text of a fitted row.
    static constexpr int RowMargin = 4;

    explicit TfrmTWRevisions(fw::Component* owner = nullptr);
    ~TfrmTWRevisions() override;

    std::string_view className() const override { return "TfrmTWRevisions"; }

    TILBrushPageControl* const pcMain;
    TILBrushPage* const pgRevisions;
    TILTree* const lstNotes;
    TILBrushPage* const pgBugs;
    TILTree* const lstBugs;
    // "&Close": ends the window with OK.
    fw::Button* const btnClose;

    // Made by the owner, centred over it, shown modally and freed again.
    static void Execute(fw::Component* owner);

    // Fits every row of the list below each top-level row (and that row) to its text.
    static void FitRows(TILTree& list);
    // Widens the list's text column to the list, then fits its rows.
    static void FitToList(TILTree& list);

    // The list's handlers.
    void lstNotesAfterColumnResize();
    bool lstNotesCanResizeNode(TILTreeNode* node) const;
    bool lstNotesNodeResize(TILTreeNode* node, int& newHeight) const;

    void ApplyDefaultStyle() override;

protected:
    void FormCreate() override;

private:
    void FillNotes();
    void FillBugs();
};

// The About > Revisions command of the main window.
void OpenRevisionNotes(TfrmTWMain& main, int parameter);
