#pragma once

// What the tree-grid's tests share: an object that counts its freeing, filling nodes with
// texts, and a tree at the top-left corner of a window (so that tree and window coordinates
// agree) with the control and tree-grid libraries loaded around each test.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "framework/gui/control.h"
#include "framework/gui/message.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

// Counts its own destruction, so that tests can see who frees it and how often.
class CountedObject : public fw::Object {
public:
    explicit CountedObject(int& freed) : freed_(freed) {}
    ~CountedObject() override { ++freed_; }

private:
    int& freed_;
};

// A node under the parent whose cells hold the texts, in column order.
inline TILTreeNode* AddTreeNode(TILTreeNode* parent, std::initializer_list<std::string> texts)
{
    auto* node = new TILTreeNode(parent);
    int column = 0;
    for (const std::string& text : texts) {
        node->SetCellText(column++, text);
    }
    return node;
}

class TreeWindowTest : public ::testing::Test {
protected:
    TreeWindowTest(fw::Size windowSize, fw::Size treeSize) : windowSize_(windowSize), treeSize_(treeSize) {}

    void SetUp() override
    {
        InitControlLibrary();
        InitTreeGridLibrary();
        fw::ClearPostedMessages();
        window = std::make_unique<fw::CustomControl>();
        window->SetBounds(0, 0, windowSize_.Width, windowSize_.Height);
        tree = new TILTree(window.get());
        tree->SetParent(window.get());
        tree->SetBounds(0, 0, treeSize_.Width, treeSize_.Height);
    }

    void TearDown() override
    {
        window.reset();
        fw::ClearPostedMessages();
        ShutdownTreeGridLibrary();
        ShutdownControlLibrary();
    }

    // A node under the parent (the root when none) with the texts in column order.
    TILTreeNode* Add(std::initializer_list<std::string> texts, TILTreeNode* parent = nullptr)
    {
        return AddTreeNode(parent != nullptr ? parent : tree->Root(), texts);
    }

    // The texts of the tree column of the selected nodes, in selection order.
    std::vector<std::string> SelectedTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < tree->GetSelectedCount(); ++i) {
            texts.push_back(tree->GetSelectedItem(i)->GetText());
        }
        return texts;
    }

    std::unique_ptr<fw::CustomControl> window;
    TILTree* tree = nullptr; // owned by the window

private:
    fw::Size windowSize_;
    fw::Size treeSize_;
};
