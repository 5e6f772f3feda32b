#pragma once

#include "controls/scroll_bar.h"
#include "framework/gui/control.h"

class TILTree;

// The child window over a tree's data area (right of the fixed columns, below the
// headings). Inline editors and the embedded controls of scrolled columns live in it, so the
// data area clips them. It paints nothing of its own: it shows the tree's pixels under it,
// and passes the mouse, drag and key notifications it receives on to the tree, with points
// converted to the tree's coordinates.
class TILTreeScrollWindow : public fw::CustomControl {
public:
    // Raises TGenericException unless the owner is a TILTree.
    explicit TILTreeScrollWindow(fw::Component* owner);

    std::string_view className() const override { return "TILTreeScrollWindow"; }

    TILTree* Tree() const { return tree_; }

    // A point of this window at (x, y) is the tree's point (x + fixed width, y + heading
    // height), and back.
    fw::Point ToTree(fw::Point point) const;
    fw::Point FromTree(fw::Point point) const;

    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void MouseMove(fw::ShiftState shift, int x, int y) override;
    void MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;
    void Click() override;
    void DblClick() override;
    bool DoMouseWheel(fw::ShiftState shift, int wheelDelta, fw::Point mousePos) override;
    bool DoMouseWheelDown(fw::ShiftState shift, fw::Point mousePos) override;
    bool DoMouseWheelUp(fw::ShiftState shift, fw::Point mousePos) override;
    void CMMouseEnter(fw::Message& message) override;
    void CMMouseLeave(fw::Message& message) override;
    void DragOver(fw::Object* source, int x, int y, fw::DragState state, bool& accept) override;
    void DragDrop(fw::Object* source, int x, int y) override;
    void DoStartDrag(fw::DragObject*& dragObject) override;
    void DoEndDrag(fw::Object* target, int x, int y) override;
    void KeyDown(int& key, fw::ShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void KeyUp(int& key, fw::ShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Dispatch(fw::Message& message) override;

protected:
    // The tree's pixels under the window.
    void EraseBackground() override;

private:
    TILTree* tree_;
};

// The scroll bars of a tree: scroll bars whose position counts pixels of the content.
class TILTreeScrollBar : public TILScrollBar {
public:
    TILTreeScrollBar(TILTree* tree, TScrollBarKind kind);

    std::string_view className() const override { return "TILTreeScrollBar"; }

    TILTree* Tree() const { return tree_; }

private:
    TILTree* tree_;
};
