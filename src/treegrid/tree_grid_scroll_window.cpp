#include "treegrid/tree_grid_scroll_window.h"

#include "foundation/generic_exception.h"
#include "treegrid/tree_grid.h"

namespace {

TILTree* RequireTree(fw::Component* owner)
{
    auto* tree = dynamic_cast<TILTree*>(owner);
    if (tree == nullptr) {
        throw TGenericException("Unable to create object TILTreeScrollWindow.\r\nOwner is not a TILTree.", nullptr,
                                "TILTreeScrollWindow", "Create");
    }
    return tree;
}

} // namespace

TILTreeScrollWindow::TILTreeScrollWindow(fw::Component* owner) : fw::CustomControl(RequireTree(owner))
{
    tree_ = static_cast<TILTree*>(owner);
    // The tree draws the data area; this window only takes its input and holds children.
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::Opaque);
    SetParent(tree_);
}

fw::Point TILTreeScrollWindow::ToTree(fw::Point point) const
{
    return fw::Point{point.X + tree_->FixedWidth(), point.Y + tree_->HeadingHeight()};
}

fw::Point TILTreeScrollWindow::FromTree(fw::Point point) const
{
    return fw::Point{point.X - tree_->FixedWidth(), point.Y - tree_->HeadingHeight()};
}

void TILTreeScrollWindow::EraseBackground()
{
    // Show exactly what the tree painted under the window, so the window adds nothing to
    // the picture however it is composed.
    const fw::CopyMode saved = Canvas().CopyMode();
    Canvas().SetCopyMode(fw::CopyMode::SrcCopy);
    Canvas().CopyRect(ClientRect(), tree_->BackingStore(), BoundsRect());
    Canvas().SetCopyMode(saved);
}

void TILTreeScrollWindow::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->MouseDown(button, shift, at.X, at.Y);
}

void TILTreeScrollWindow::MouseMove(fw::ShiftState shift, int x, int y)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->MouseMove(shift, at.X, at.Y);
}

void TILTreeScrollWindow::MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->MouseUp(button, shift, at.X, at.Y);
}

void TILTreeScrollWindow::Click()
{
    tree_->Click();
}

void TILTreeScrollWindow::DblClick()
{
    tree_->DblClick();
}

bool TILTreeScrollWindow::DoMouseWheel(fw::ShiftState shift, int wheelDelta, fw::Point mousePos)
{
    return tree_->DoMouseWheel(shift, wheelDelta, mousePos);
}

bool TILTreeScrollWindow::DoMouseWheelDown(fw::ShiftState shift, fw::Point mousePos)
{
    return tree_->DoMouseWheelDown(shift, mousePos);
}

bool TILTreeScrollWindow::DoMouseWheelUp(fw::ShiftState shift, fw::Point mousePos)
{
    return tree_->DoMouseWheelUp(shift, mousePos);
}

void TILTreeScrollWindow::CMMouseEnter(fw::Message& message)
{
    tree_->CMMouseEnter(message);
}

void TILTreeScrollWindow::CMMouseLeave(fw::Message& message)
{
    tree_->CMMouseLeave(message);
}

void TILTreeScrollWindow::DragOver(fw::Object* source, int x, int y, fw::DragState state, bool& accept)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->DragOver(source, at.X, at.Y, state, accept);
}

void TILTreeScrollWindow::DragDrop(fw::Object* source, int x, int y)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->DragDrop(source, at.X, at.Y);
}

void TILTreeScrollWindow::DoStartDrag(fw::DragObject*& dragObject)
{
    tree_->DoStartDrag(dragObject);
}

void TILTreeScrollWindow::DoEndDrag(fw::Object* target, int x, int y)
{
    const fw::Point at = ToTree(fw::Point{x, y});
    tree_->DoEndDrag(target, at.X, at.Y);
}

void TILTreeScrollWindow::KeyDown(int& key, fw::ShiftState shift)
{
    tree_->KeyDown(key, shift);
}

void TILTreeScrollWindow::KeyPress(char32_t& key)
{
    tree_->KeyPress(key);
}

void TILTreeScrollWindow::KeyUp(int& key, fw::ShiftState shift)
{
    tree_->KeyUp(key, shift);
}

void TILTreeScrollWindow::DoEnter()
{
    tree_->DoEnter();
}

void TILTreeScrollWindow::DoExit()
{
    tree_->DoExit();
}

void TILTreeScrollWindow::Dispatch(fw::Message& message)
{
    // The keys the tree keeps for itself are this window's too, and the context-menu request
    // is the tree's.
    if (message.Msg == fw::WM_GETDLGCODE || message.Msg == fw::WM_CONTEXTMENU) {
        tree_->Dispatch(message);
        return;
    }
    fw::CustomControl::Dispatch(message);
}

// --- TILTreeScrollBar ------------------------------------------------------------------------

TILTreeScrollBar::TILTreeScrollBar(TILTree* tree, TScrollBarKind kind) : TILScrollBar(tree), tree_(tree)
{
    SetKind(kind);
    SetMinimum(0);
    SetMaximum(0);
    SetPosition(0);
}
