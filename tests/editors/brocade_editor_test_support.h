#pragma once

// What the brocade editor tests share: the program around the editor (as the threaded-in
// editor's tests make it), the editor opened from the Create menu or from a file, the grid
// clicked and read back as the screen shows it, and designs written as rows of weft
// letters.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/brocade_editor.h"
#include "editors/brocade_pattern_frame.h"
#include "framework/gui/dialogs.h"
#include "model/brocade_pattern.h"
#include "threaded_editor_test_support.h"

namespace brocade_editor_test {

class BrocadeEditorTest : public threaded_editor_test::EditorProgramTest {
protected:
    TfrmBrocade* ActiveBrocade() { return dynamic_cast<TfrmBrocade*>(Main().ActiveMDIChild()); }

    // A new design from the Create menu's item.
    TfrmBrocade& NewBrocade()
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::BrocadeEditor));
        TfrmBrocade* editor = ActiveBrocade();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A file opened as the Load command opens it.
    TfrmBrocade& OpenBrocade(const std::filesystem::path& file)
    {
        Main().LoadFile(file.string());
        TfrmBrocade* editor = ActiveBrocade();
        EXPECT_NE(editor, nullptr) << file;
        return *editor;
    }

    // The next file dialogs choose this file (empty: cancelled).
    void ChooseFile(const std::filesystem::path& file)
    {
        chosenFile_ = file;
        // The handler before this one goes first, putting back the one it replaced.
        fileDialogs_.reset();
        fileDialogs_ = std::make_unique<fw::ScopedHandler<fw::FileDialog::Handler>>(
            &fw::FileDialog::SetHandler, [this](fw::FileDialog& dialog) {
                dialogTitles.push_back(dialog.Title());
                if (chosenFile_.empty()) {
                    return false;
                }
                dialog.SetFileName(chosenFile_.string());
                dialog.SetFilterIndex(1);
                return true;
            });
    }

    void TearDown() override
    {
        fileDialogs_.reset();
        EditorProgramTest::TearDown();
    }

    std::vector<std::string> dialogTitles;

private:
    std::filesystem::path chosenFile_;
    std::unique_ptr<fw::ScopedHandler<fw::FileDialog::Handler>> fileDialogs_;
};

// The middle of a cell in the grid's main image.
inline fw::Point CellCentre(const TfrmBrocade& editor, int x, int y)
{
    const fw::Rect cell = editor.framePattern->Geometry().CellRect(x, y);
    return fw::Point{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
}

// A click on the cell, as the mouse gives it.
inline void ClickCell(TfrmBrocade& editor, int x, int y, fw::MouseButton button = fw::MouseButton::Left)
{
    const fw::Point at = CellCentre(editor, x, y);
    editor.framePattern->ImageMouseDown(button, fw::ShiftState{}, at.X, at.Y);
    editor.framePattern->ImageMouseUp(button, fw::ShiftState{}, at.X, at.Y);
}

// The colour the grid shows in the middle of the cell, away from its grid lines.
inline fw::Color ShownColour(const TfrmBrocade& editor, int x, int y)
{
    const fw::Point at = CellCentre(editor, x, y);
    return editor.framePattern->MainImage().Pixel(at.X, at.Y);
}

// A brocade of the rows, the first pick first: '.' a tie-down, 'A' to 'E' the weft floating
// over that card. Four-hole cards with the holes' palette indexes 1, 2, 3 and 4, threaded S.
inline std::unique_ptr<TTWBrocadePattern> Design(const std::vector<std::string>& picks)
{
    auto pattern = std::make_unique<TTWBrocadePattern>();
    pattern->SetName("Design");
    const int width = picks.empty() ? 0 : static_cast<int>(picks.front().size());
    pattern->SetWidth(width);
    for (const std::string& row : picks) {
        TTWBrocadePick* pick = pattern->BrocadePicks().Add();
        for (int x = 0; x < width; ++x) {
            const char letter = row[static_cast<std::size_t>(x)];
            if (letter == '.') {
                pick->SetTieDown(x, true);
            } else {
                pick->SetWeft(x, letter - 'A' + 1);
            }
        }
    }
    for (int x = 0; x < width; ++x) {
        sample_patterns::AddCard(pattern->Cards(), ThreadingS, {1, 2, 3, 4});
    }
    return pattern;
}

// The design as the grid holds it, as Design reads it.
inline std::vector<std::string> GridRows(const TfrmBrocade& editor)
{
    std::vector<std::string> rows;
    const TfrmBrocadePatternFrame& grid = *editor.framePattern;
    for (int y = 0; y < grid.GridHeight(); ++y) {
        std::string row;
        for (int x = 0; x < grid.GridWidth(); ++x) {
            row += grid.IsCellSet(x, y) ? static_cast<char>('A' + grid.GetWeft(x, y) - 1) : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace brocade_editor_test
