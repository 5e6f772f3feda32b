#pragma once

// A tree on a window, driven like a user drives it (mouse, keys, time), for the tests of
// inline editing, clicks, key search, hints and dragging.
//
// The tree lies at the window's top-left corner, so window and tree coordinates agree: one
// heading row of 16 pixels, rows of 16 pixels below it, three columns of 80 pixels. Text is
// measured by the fake backend: 6 pixels a character, 13 a line.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/test_driver.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_inline_edit.h"
#include "treegrid/tree_properties.h"
#include "tree_test_support.h"

class TreeInteractionTest : public TreeWindowTest {
protected:
    static constexpr int HeadingHeight = 16;
    static constexpr int RowHeight = 16;
    static constexpr int ColumnWidth = 80;

    TreeInteractionTest() : TreeWindowTest(fw::Size{400, 300}, fw::Size{300, 200}) {}

    void SetUp() override
    {
        TreeWindowTest::SetUp();
        for (const char* caption : {"Name", "Size", "Kind"}) {
            TILTreeColumnData* column = tree->Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(ColumnWidth);
        }
        driver = std::make_unique<fw::TestDriver>(*window);
        DuringModalEdit({});
    }

    void TearDown() override
    {
        fw::App().SetEventPump({});
        // The tree's timers run on the driver's clock: the tree goes first.
        window.reset();
        driver.reset();
        TreeWindowTest::TearDown();
    }

    // The middle of the cell of the row shown at that place (0 = the first row) in a column,
    // clear of the tree column's lines and button.
    static fw::Point CellPoint(int row, int column)
    {
        return fw::Point{column * ColumnWidth + 50, HeadingHeight + row * RowHeight + RowHeight / 2};
    }

    void Settle() { driver->Settle(); }

    // Plays the user while a modal edit runs: the script is called once, in the first round
    // of the edit's message loop. A modal loop that goes on regardless is a failure, and is
    // ended so that the test does not hang.
    void DuringModalEdit(std::function<void()> script)
    {
        auto rounds = std::make_shared<int>(0);
        fw::App().SetEventPump([this, rounds, script = std::move(script)] {
            ++*rounds;
            if (*rounds == 1 && script) {
                script();
            } else if (*rounds > 100) {
                ADD_FAILURE() << "the modal edit did not end";
                if (tree != nullptr) {
                    tree->CancelInlineEdit();
                }
            }
        });
    }

    std::unique_ptr<fw::TestDriver> driver;
};
