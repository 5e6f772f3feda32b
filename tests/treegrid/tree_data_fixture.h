#pragma once

// A tree with a few columns and helpers to fill it, for the tests of nodes, columns and
// sorting.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "tree_test_support.h"

class TreeDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControlLibrary();
        tree = std::make_unique<TILTree>();
        for (int i = 0; i < 3; ++i) {
            tree->Columns().Add()->SetID("col" + std::to_string(i));
        }
    }
    void TearDown() override
    {
        tree.reset();
        ShutdownControlLibrary();
    }

    TILTreeNode* Root() const { return tree->Root(); }

    // A node under the parent whose cells hold the texts, in column order.
    static TILTreeNode* Add(TILTreeNode* parent, std::initializer_list<std::string> texts)
    {
        return AddTreeNode(parent, texts);
    }

    // The texts of a column over the parent's children, in order.
    static std::vector<std::string> Texts(const TILTreeNode* parent, int column = 0)
    {
        std::vector<std::string> texts;
        for (const TILTreeNode* child : parent->Children()) {
            texts.push_back(child->GetCellText(column));
        }
        return texts;
    }

    std::unique_ptr<TILTree> tree;
};
