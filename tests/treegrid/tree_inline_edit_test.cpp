#include <string>
#include <utility>
#include <vector>

#include "framework/gui/std_edit.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "tree_interaction_fixture.h"

namespace {

using EditedCell = std::pair<TILTreeNode*, int>;

class InlineEditTest : public TreeInteractionTest {
protected:
    void SetUp() override
    {
        TreeInteractionTest::SetUp();
        alpha = Add({"Alpha", "1", "a"});
        beta = Add({"Beta", "2", "b"});
        gamma = Add({"Gamma", "3", "c"});
        tree->SetOnEditAcceptInline([this](TILTree* sender, TILTreeNode* node, int column) {
            EXPECT_EQ(sender, tree);
            accepted.emplace_back(node, column);
        });
        tree->SetOnEditCancelInline([this](TILTree* sender, TILTreeNode* node, int column) {
            EXPECT_EQ(sender, tree);
            cancelled.emplace_back(node, column);
        });
    }

    void Modeless(TILTreeInlineEditTabDir direction = TILTreeInlineEditTabDir::iltEditTabDirAcross)
    {
        TILTreeInlineEditSettings settings;
        settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab});
        settings.SetTabDir(direction);
        tree->SetInlineEdit(&settings);
    }

    // The cell the open editor shows, none without an open edit.
    EditedCell Editing() const
    {
        if (!tree->Editing()) {
            return EditedCell{nullptr, -1};
        }
        return EditedCell{tree->InlineEditor()->Node(), tree->InlineEditor()->ColumnIndex()};
    }

    TILTreeNode* alpha = nullptr;
    TILTreeNode* beta = nullptr;
    TILTreeNode* gamma = nullptr;
    std::vector<EditedCell> accepted;
    std::vector<EditedCell> cancelled;
};

// --- Which cells can be edited -------------------------------------------------------------------

TEST_F(InlineEditTest, CellsOutsideTheColumnsOrRefusedAreNotEdited)
{
    EXPECT_FALSE(tree->EditCell(alpha, -1, 0, 0));
    EXPECT_FALSE(tree->EditCell(alpha, 3, 0, 0));
    EXPECT_FALSE(tree->EditCell(nullptr, 0, 0, 0));

    tree->GetColumn(1)->SetIsHidden(true);
    EXPECT_FALSE(tree->CanEditCell(alpha, 1));
    EXPECT_FALSE(tree->EditCell(alpha, 1, 0, 0));

    std::vector<EditedCell> asked;
    tree->SetOnCanEditInline([&](TILTree* sender, TILTreeNode* node, int column) {
        EXPECT_EQ(sender, tree);
        asked.emplace_back(node, column);
        return column != 2;
    });
    EXPECT_FALSE(tree->EditCell(beta, 2, 0, 0));
    EXPECT_TRUE(tree->CanEditCell(beta, 0));
    EXPECT_EQ(asked, (std::vector<EditedCell>{{beta, 2}, {beta, 0}}));

    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->EditState(), 0);
    Settle();
    EXPECT_TRUE(accepted.empty());
    EXPECT_TRUE(cancelled.empty());
}

// --- Modal editing ---------------------------------------------------------------------------------

TEST_F(InlineEditTest, ModalEditTakesTheTypedTextOnEnter)
{
    bool sawEditor = false;
    DuringModalEdit([&] {
        TILTreeInlineEdit* editor = tree->InlineEditor();
        ASSERT_NE(editor, nullptr);
        sawEditor = true;
        EXPECT_EQ(tree->EditState(), 1);
        EXPECT_TRUE(editor->Visible());
        EXPECT_TRUE(editor->Focused());
        // The editor starts with the cell's text, all of it selected.
        EXPECT_EQ(editor->Text(), "2");
        EXPECT_EQ(editor->SelLength(), 1);
        driver->Type("Omega");
        driver->PressKey(fw::VK_RETURN);
    });
    EXPECT_TRUE(tree->EditCell(beta, 1, -1, -1));
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(beta->GetCellText(1), "Omega");
    EXPECT_EQ(tree->EditState(), 0);
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    Settle();
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{beta, 1}}));
    EXPECT_TRUE(cancelled.empty());
}

TEST_F(InlineEditTest, ModalEditKeepsTheCellOnEscape)
{
    DuringModalEdit([&] {
        driver->Type("junk");
        driver->PressKey(fw::VK_ESCAPE);
    });
    EXPECT_FALSE(tree->EditCell(gamma, 0, -1, -1));
    EXPECT_EQ(gamma->GetCellText(0), "Gamma");
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    Settle();
    EXPECT_EQ(cancelled, (std::vector<EditedCell>{{gamma, 0}}));
    EXPECT_TRUE(accepted.empty());
}

TEST_F(InlineEditTest, TheApplicationsKeyHandlerSeesKeysFirst)
{
    std::vector<int> keys;
    tree->SetOnEditKeyDown([&](fw::Object*, int& key, fw::ShiftState) {
        keys.push_back(key);
        // Enter is taken here, so only Escape ends the edit.
        if (key == fw::VK_RETURN) {
            key = 0;
        }
    });
    DuringModalEdit([&] {
        driver->PressKey(fw::VK_RETURN);
        EXPECT_TRUE(tree->Editing());
        driver->PressKey(fw::VK_ESCAPE);
    });
    EXPECT_FALSE(tree->EditCell(alpha, 1, -1, -1));
    EXPECT_EQ(keys, (std::vector<int>{fw::VK_RETURN, fw::VK_ESCAPE}));
}

TEST_F(InlineEditTest, AModalEditOpenedFromAnAcceptHandlerKeepsBothResults)
{
    std::vector<bool> innerResults;
    tree->SetOnEditAcceptInline([&](TILTree*, TILTreeNode* node, int) {
        if (node == alpha) {
            innerResults.push_back(tree->EditCell(beta, 0, -1, -1));
        }
    });
    // Each new editor gets a text and Enter: the second one while the first edit's loop is
    // still running underneath.
    TILTreeInlineEdit* served = nullptr;
    int serving = 0;
    fw::App().SetEventPump([&] {
        if (tree->Editing() && tree->InlineEditor() != served && serving++ < 2) {
            served = tree->InlineEditor();
            driver->Type(served->Node() == alpha ? "first" : "second");
            driver->PressKey(fw::VK_RETURN);
        }
    });
    EXPECT_TRUE(tree->EditCell(alpha, 0, -1, -1));
    Settle();
    EXPECT_EQ(innerResults, (std::vector<bool>{true}));
    EXPECT_EQ(alpha->GetCellText(0), "first");
    EXPECT_EQ(beta->GetCellText(0), "second");
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->EditState(), 0);
}

TEST_F(InlineEditTest, RemovingTheEditedRowEndsAModalEdit)
{
    DuringModalEdit([&] {
        driver->Type("lost");
        delete beta;
        beta = nullptr;
    });
    EXPECT_FALSE(tree->EditCell(beta, 2, -1, -1));
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->EditState(), 0);
    Settle();
    // No event names a node that is gone.
    EXPECT_TRUE(accepted.empty());
    EXPECT_TRUE(cancelled.empty());
}

TEST_F(InlineEditTest, FreeingTheTreeEndsAModalEditWithoutTouchingIt)
{
    TILTree* edited = tree;
    DuringModalEdit([&] {
        delete tree;
        tree = nullptr;
    });
    EXPECT_FALSE(edited->EditCell(alpha, 0, -1, -1));
    Settle();
}

// --- Where the editor sits -------------------------------------------------------------------------

TEST_F(InlineEditTest, TheEditorCoversTheCellAtTheHeightOfItsText)
{
    Modeless();
    EXPECT_FALSE(tree->EditCell(beta, 1, -1, -1));
    TILTreeInlineEdit* editor = tree->InlineEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(tree->Editing());
    EXPECT_TRUE(tree->IsEditingCell(beta, 1));
    EXPECT_FALSE(tree->IsEditingCell(beta, 0));
    // A scrolled column: the editor lives in the scroll window, in its coordinates.
    EXPECT_EQ(editor->Parent(), tree->ScrollWindow());
    const fw::Point origin = tree->ScrollWindow()->ToTree(fw::Point{editor->Left(), editor->Top()});
    // Row 1 spans y 32..47; 13 pixels of text centred in 16 leave one pixel above.
    EXPECT_EQ(origin, (fw::Point{80, 33}));
    EXPECT_EQ(editor->Width(), 80);
    EXPECT_EQ(editor->Height(), 13);
    EXPECT_EQ(editor->Font(), tree->DrawEdit().Font());
    EXPECT_EQ(editor->BorderStyle(), fw::EditBorderStyle::None);
}

TEST_F(InlineEditTest, TheEditorIsNeverTallerThanItsRow)
{
    Modeless();
    beta->SetHeight(8);
    tree->EditCell(beta, 2, -1, -1);
    TILTreeInlineEdit* editor = tree->InlineEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Height(), 8);
    const fw::Point origin = tree->ScrollWindow()->ToTree(fw::Point{editor->Left(), editor->Top()});
    EXPECT_EQ(origin, (fw::Point{160, 32}));
}

TEST_F(InlineEditTest, InTheTreeColumnTheEditorStartsAfterTheIndent)
{
    Modeless();
    tree->SetFixedColumns(1);
    TILTreeNode* child = Add({"Child"}, alpha);
    alpha->SetExpanded(true);
    tree->EditCell(child, 0, -1, -1);
    TILTreeInlineEdit* editor = tree->InlineEditor();
    ASSERT_NE(editor, nullptr);
    // A fixed column: the editor lives in the tree itself.
    EXPECT_EQ(editor->Parent(), tree);
    // Level 2: one indent, the button's room, 2 pixels and the text margin.
    EXPECT_EQ(child->IndentOffset(), 16 + 16 + 2 + 2);
    EXPECT_EQ(editor->Left(), child->IndentOffset());
    EXPECT_EQ(editor->Width(), ColumnWidth - child->IndentOffset());
    EXPECT_EQ(editor->Top(), HeadingHeight + RowHeight + 1);
}

TEST_F(InlineEditTest, TheEditorFollowsTheCellWhenTheTreeScrolls)
{
    for (int i = 0; i < 30; ++i) {
        Add({"Row " + std::to_string(i)});
    }
    Modeless();
    tree->EditCell(gamma, 1, -1, -1);
    TILTreeInlineEdit* editor = tree->InlineEditor();
    ASSERT_NE(editor, nullptr);
    const int before = editor->Top();
    tree->ScrollVertical(RowHeight);
    EXPECT_EQ(tree->VertScrollPosition(), RowHeight);
    EXPECT_EQ(editor->Top(), before - RowHeight);
}

TEST_F(InlineEditTest, AutoScrollBringsTheCellIntoViewFirst)
{
    for (int i = 0; i < 30; ++i) {
        Add({"Row " + std::to_string(i)});
    }
    TILTreeNode* last = Add({"Last", "x", "y"});
    for (int i = 0; i < 3; ++i) {
        tree->GetColumn(i)->SetWidth(150);
    }
    Modeless();
    tree->EditCell(last, 2, -1, -1);
    EXPECT_FALSE(tree->IsNodeInView(last));
    EXPECT_EQ(tree->HorzScrollPosition(), 0);
    tree->CancelInlineEdit();
    Settle();

    TILTreeInlineEditSettings settings;
    settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab, TILTreeInlineEditOption::iltEditAutoScroll});
    tree->SetInlineEdit(&settings);
    tree->EditCell(last, 2, -1, -1);
    EXPECT_TRUE(tree->IsNodeInView(last));
    EXPECT_TRUE(tree->GetColumn(2)->IsFullyVisible());
    EXPECT_GT(tree->HorzScrollPosition(), 0);
    ASSERT_NE(tree->InlineEditor(), nullptr);
    // Placed after the scroll: inside the data area.
    const fw::Point origin = tree->ScrollWindow()->ToTree(
        fw::Point{tree->InlineEditor()->Left(), tree->InlineEditor()->Top()});
    EXPECT_EQ(origin.X, tree->GetColumn(2)->Left());
    EXPECT_GE(origin.Y, HeadingHeight);
    EXPECT_LT(origin.Y, tree->DataHeight());
}

TEST_F(InlineEditTest, TheApplicationHearsOfTheNewEditorAndMaySetItUp)
{
    Modeless();
    std::vector<std::string> heard;
    tree->SetOnEditCreate([&](TILTree* sender, TILTreeInlineEdit* editor) {
        EXPECT_EQ(sender, tree);
        EXPECT_EQ(editor->Tree(), tree);
        heard.push_back("create");
    });
    tree->SetOnSetInlineEditProperties([&](TILTree* sender, TILTreeInlineEdit* editor) {
        EXPECT_EQ(sender, tree);
        heard.push_back("properties " + editor->Text());
        editor->SetMaxLength(3);
    });
    tree->EditCell(alpha, 0, -1, -1);
    driver->Type("Longer");
    EXPECT_EQ(tree->InlineEditor()->Text(), "Lon");
    // Moved to another cell, the same editor is set up again but not made again.
    TILTreeInlineEdit* editor = tree->InlineEditor();
    tree->EditCell(beta, 0, -1, -1);
    EXPECT_EQ(tree->InlineEditor(), editor);
    EXPECT_TRUE(tree->IsEditingCell(beta, 0));
    EXPECT_EQ(editor->MousePoint(), (fw::Point{-1, -1}));
    EXPECT_EQ(heard, (std::vector<std::string>{"create", "properties Alpha", "properties Beta"}));
}

// --- Accepting --------------------------------------------------------------------------------------

TEST_F(InlineEditTest, TheTextEventsShapeWhatIsShownAndWhatIsStored)
{
    Modeless();
    tree->SetOnEditGetText([](TILTreeNode*, int column, std::string& text) {
        EXPECT_EQ(column, 1);
        text = "<" + text + ">";
    });
    tree->SetOnEditSetText([](TILTreeNode*, int, std::string& text) { text = "stored " + text; });
    int changes = 0;
    int exits = 0;
    tree->SetOnEditChange([&](fw::Object*) { ++changes; });
    tree->SetOnEditExit([&](fw::Object*) { ++exits; });
    tree->EditCell(alpha, 1, -1, -1);
    ASSERT_NE(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->InlineEditor()->Text(), "<1>");
    // Filling the editor is no change of the user's.
    EXPECT_EQ(changes, 0);
    driver->Type("x");
    EXPECT_EQ(changes, 1);
    driver->PressKey(fw::VK_RETURN);
    EXPECT_EQ(alpha->GetCellText(1), "stored x");
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->EditState(), 0);
    // The keyboard is back with the tree.
    EXPECT_TRUE(tree->Focused());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{alpha, 1}}));
}

TEST_F(InlineEditTest, ARefusingVerifierKeepsTheEditOpenUnlessForced)
{
    Modeless();
    std::vector<std::string> verified;
    tree->SetOnAutoEditVerify([&](TILTreeNode* node, int column, std::string& text) {
        EXPECT_EQ(node, gamma);
        EXPECT_EQ(column, 2);
        verified.push_back(text);
        return text == "ok";
    });
    tree->EditCell(gamma, 2, -1, -1);
    driver->Type("bad");
    driver->PressKey(fw::VK_RETURN);
    EXPECT_TRUE(tree->IsEditingCell(gamma, 2));
    EXPECT_EQ(tree->InlineEditor()->Text(), "bad");
    EXPECT_EQ(gamma->GetCellText(2), "c");

    // Forced (as when the focus leaves): a refusal cancels.
    EXPECT_FALSE(tree->AcceptInlineEdit(true));
    EXPECT_EQ(tree->EditState(), 2);
    Settle();
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(gamma->GetCellText(2), "c");
    EXPECT_EQ(verified, (std::vector<std::string>{"bad", "bad"}));
    EXPECT_EQ(cancelled, (std::vector<EditedCell>{{gamma, 2}}));
    EXPECT_TRUE(accepted.empty());

    tree->EditCell(gamma, 2, -1, -1);
    driver->Type("ok");
    driver->PressKey(fw::VK_RETURN);
    EXPECT_EQ(gamma->GetCellText(2), "ok");
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{gamma, 2}}));
}

TEST_F(InlineEditTest, WithCancelFailedAcceptARefusalCancels)
{
    TILTreeInlineEditSettings settings;
    settings.SetOptions({TILTreeInlineEditOption::iltEditAllowTab, TILTreeInlineEditOption::iltEditCancelFailedAccept});
    tree->SetInlineEdit(&settings);
    tree->SetOnAutoEditVerify([](TILTreeNode*, int, std::string&) { return false; });
    tree->EditCell(alpha, 0, -1, -1);
    driver->Type("Zeta");
    driver->PressKey(fw::VK_RETURN);
    EXPECT_FALSE(tree->Editing());
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(alpha->GetCellText(0), "Alpha");
    EXPECT_EQ(cancelled, (std::vector<EditedCell>{{alpha, 0}}));
}

TEST_F(InlineEditTest, TrackedEditsKeepTheTextFromBeforeTheFirstEdit)
{
    Modeless();
    tree->EditCell(beta, 1, -1, -1);
    driver->Type("20");
    driver->PressKey(fw::VK_RETURN);
    // Not tracked: the cell gains no settings.
    EXPECT_FALSE(beta->HasCellInfo(1));

    tree->SetOptions(tree->Options() | TILTreeDisplayOption::iltTrackInlineEdits);
    tree->EditCell(beta, 1, -1, -1);
    driver->Type("30");
    driver->PressKey(fw::VK_RETURN);
    tree->EditCell(beta, 1, -1, -1);
    driver->Type("40");
    driver->PressKey(fw::VK_RETURN);
    EXPECT_EQ(beta->GetCellText(1), "40");
    ASSERT_TRUE(beta->HasCellInfo(1));
    EXPECT_TRUE(beta->GetCellInfo(1)->HasFlag(iltCellEdited));
    EXPECT_EQ(beta->GetCellInfo(1)->Text(), "20");
}

TEST_F(InlineEditTest, LeavingTheEditorAcceptsIt)
{
    Modeless();
    auto* other = new fw::Edit(window.get());
    other->SetParent(window.get());
    other->SetBounds(310, 10, 80, 20);
    tree->EditCell(gamma, 1, -1, -1);
    driver->Type("left");
    other->SetFocus();
    Settle();
    EXPECT_EQ(gamma->GetCellText(1), "left");
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{gamma, 1}}));
}

TEST_F(InlineEditTest, APressOnTheTreeAcceptsTheEdit)
{
    Modeless();
    tree->EditCell(alpha, 1, -1, -1);
    driver->Type("9");
    driver->Press(CellPoint(2, 1));
    EXPECT_EQ(alpha->GetCellText(1), "9");
    EXPECT_FALSE(tree->Editing());
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    driver->Release(CellPoint(2, 1));
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{alpha, 1}}));
}

TEST_F(InlineEditTest, RemovingTheEditedRowEndsAModelessEdit)
{
    Modeless();
    tree->EditCell(beta, 0, -1, -1);
    driver->Type("gone");
    delete beta;
    beta = nullptr;
    EXPECT_FALSE(tree->Editing());
    // The keys typed now find no edit to end.
    driver->PressKey(fw::VK_RETURN);
    Settle();
    EXPECT_EQ(tree->InlineEditor(), nullptr);
    EXPECT_EQ(tree->EditState(), 0);
    EXPECT_TRUE(accepted.empty());
    EXPECT_TRUE(cancelled.empty());
}

// --- Tab ---------------------------------------------------------------------------------------------

TEST_F(InlineEditTest, TabWalksAcrossTheEditableCells)
{
    Modeless();
    tree->SetOnCanEditInline(
        [this](TILTree*, TILTreeNode* node, int column) { return !(node == alpha && column == 1); });
    tree->EditCell(alpha, 0, -1, -1);
    driver->Type("A");
    driver->PressKey(fw::VK_TAB);
    EXPECT_EQ(alpha->GetCellText(0), "A");
    EXPECT_EQ(Editing(), (EditedCell{alpha, 2}));
    driver->PressKey(fw::VK_TAB);
    EXPECT_EQ(Editing(), (EditedCell{beta, 0}));
    driver->PressKey(fw::VK_TAB, {fw::ShiftFlag::Shift});
    EXPECT_EQ(Editing(), (EditedCell{alpha, 2}));
    driver->PressKey(fw::VK_TAB, {fw::ShiftFlag::Shift});
    EXPECT_EQ(Editing(), (EditedCell{alpha, 0}));
    // Nothing before the first cell: the edit stays where it is.
    driver->PressKey(fw::VK_TAB, {fw::ShiftFlag::Shift});
    EXPECT_EQ(Editing(), (EditedCell{alpha, 0}));
    EXPECT_EQ(accepted, (std::vector<EditedCell>{{alpha, 0}, {alpha, 2}, {beta, 0}, {alpha, 2}}));
}

TEST_F(InlineEditTest, TabWalksDownTheColumnsAndSkipsHiddenRows)
{
    Modeless(TILTreeInlineEditTabDir::iltEditTabDirDown);
    beta->SetHidden(true);
    tree->EditCell(alpha, 0, -1, -1);
    driver->PressKey(fw::VK_TAB);
    EXPECT_EQ(Editing(), (EditedCell{gamma, 0}));
    driver->PressKey(fw::VK_TAB);
    EXPECT_EQ(Editing(), (EditedCell{alpha, 1}));
    driver->PressKey(fw::VK_TAB, {fw::ShiftFlag::Shift});
    EXPECT_EQ(Editing(), (EditedCell{gamma, 0}));

    TILTreeNode* node = gamma;
    int column = 2;
    EXPECT_FALSE(tree->FindNextEditableCell(node, column));
    EXPECT_EQ(node, gamma);
    EXPECT_EQ(column, 2);
}

TEST_F(InlineEditTest, WithoutAllowTabTabLeavesTheEditor)
{
    auto* other = new fw::Edit(window.get());
    other->SetParent(window.get());
    other->SetBounds(310, 10, 80, 20);
    other->SetTabStop(true);
    DuringModalEdit([&] {
        driver->Type("tabbed");
        driver->PressKey(fw::VK_TAB);
    });
    // The focus moves on, which accepts the edit.
    EXPECT_TRUE(tree->EditCell(beta, 2, -1, -1));
    EXPECT_EQ(beta->GetCellText(2), "tabbed");
    EXPECT_TRUE(other->Focused());
}

} // namespace
