#pragma once

// A tree on a window for the tests of layout, scrolling, selection, keys, mouse and
// painting. The tree sits at the window's top-left corner, so tree and window coordinates
// agree. Text is measured by the fake backend (6 pixels a character, 13 a line), rows are
// 16 pixels high and the one heading row is 16 pixels high; the vertical scroll bar is 16
// pixels wide and the horizontal one 16 pixels high.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/control.h"
#include "framework/gui/message.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

class TreeGridTest : public ::testing::Test {
protected:
    static constexpr int HeadingHeight = 16;
    static constexpr int RowHeight = 16;
    static constexpr int BarSize = 16;

    void SetUp() override
    {
        InitControlLibrary();
        InitTreeGridLibrary();
        fw::ClearPostedMessages();
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend_);
        window = std::make_unique<fw::CustomControl>();
        window->SetBounds(0, 0, 600, 400);
        tree = new TILTree(window.get());
        tree->SetParent(window.get());
        tree->SetBounds(0, 0, 200, 150);
    }

    void TearDown() override
    {
        window.reset();
        fw::ClearPostedMessages();
        fw::SetDefaultPaintBackend(previousBackend_);
        ShutdownTreeGridLibrary();
        ShutdownControlLibrary();
    }

    // Columns of the given widths, captioned "C0", "C1", ...
    void AddColumns(std::initializer_list<int> widths)
    {
        for (int width : widths) {
            TILTreeColumnData* column = tree->Columns().Add();
            column->SetCaption("C" + std::to_string(column->Index()));
            column->SetWidth(width);
        }
    }

    // A node under the parent (the root when none) with the texts in column order.
    TILTreeNode* Add(std::initializer_list<std::string> texts, TILTreeNode* parent = nullptr)
    {
        auto* node = new TILTreeNode(parent != nullptr ? parent : tree->Root());
        int column = 0;
        for (const std::string& text : texts) {
            node->SetCellText(column++, text);
        }
        return node;
    }

    // count rows "R0", "R1", ... under the root, filled in one update bracket.
    std::vector<TILTreeNode*> AddRows(int count)
    {
        std::vector<TILTreeNode*> nodes;
        TILTreeUpdateBracket bracket(tree);
        for (int i = 0; i < count; ++i) {
            nodes.push_back(Add({"R" + std::to_string(i)}));
        }
        return nodes;
    }

    void Option(TILTreeDisplayOption option, bool on = true)
    {
        TILTreeDisplayOptions options = tree->Options();
        options.Set(option, on);
        tree->SetOptions(options);
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

    // The picture of the tree with everything that waits painted.
    fw::Bitmap Render() { return fw::RenderToBitmap(*tree); }

    std::unique_ptr<fw::CustomControl> window;
    TILTree* tree = nullptr; // owned by the window

private:
    fw::FakePaintBackend backend_;
    fw::PaintBackend* previousBackend_ = nullptr;
};
