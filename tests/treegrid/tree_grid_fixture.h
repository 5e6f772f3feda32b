#pragma once

// A tree on a window for the tests of layout, scrolling, selection, keys, mouse and
// painting. The tree sits at the window's top-left corner, so tree and window coordinates
// agree. Text is measured by the fake backend (6 pixels a character, 13 a line), rows are
// 16 pixels high and the one heading row is 16 pixels high; the vertical scroll bar is 16
// pixels wide and the horizontal one 16 pixels high.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/core/paint_backend.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_properties.h"
#include "tree_test_support.h"

class TreeGridTest : public TreeWindowTest {
protected:
    static constexpr int HeadingHeight = 16;
    static constexpr int RowHeight = 16;
    static constexpr int BarSize = 16;

    TreeGridTest() : TreeWindowTest(fw::Size{600, 400}, fw::Size{200, 150}) {}

    void SetUp() override
    {
        previousBackend_ = fw::DefaultPaintBackend();
        fw::SetDefaultPaintBackend(&backend_);
        TreeWindowTest::SetUp();
    }

    void TearDown() override
    {
        TreeWindowTest::TearDown();
        fw::SetDefaultPaintBackend(previousBackend_);
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

    // The picture of the tree with everything that waits painted.
    fw::Bitmap Render() { return fw::RenderToBitmap(*tree); }

private:
    fw::FakePaintBackend backend_;
    fw::PaintBackend* previousBackend_ = nullptr;
};
