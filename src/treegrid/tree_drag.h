#pragma once

#include "framework/gui/drag.h"

class TILTree;
class TILTreeNode;

// What a node drag of a tree carries: the tree (as its control) and the node the drag began
// on. The drag-over and drop handling read the node; ending the drag has the tree take its
// hint window away (a posted message, after the drag's own handling is over).
class TILTreeDragControlObject : public fw::DragControlObject {
public:
    explicit TILTreeDragControlObject(TILTree* tree);

    std::string_view className() const override { return "TILTreeDragControlObject"; }

    TILTree* Tree() const;
    // The node the drag began on; none once it has left the tree.
    TILTreeNode* Node() const { return node_; }
    void SetNode(TILTreeNode* node) { node_ = node; }

    void EndDrag(fw::Object* target, int x, int y) override;

private:
    TILTreeNode* node_ = nullptr;
};
