#pragma once

// What the double-face editor tests share: the real program (main window, data module,
// editors registered) from the threaded-in editor's tests, and the double-face window
// opened from the Create menu or from a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "editors/df_editor.h"
#include "framework/gui/std_edit.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "shell/size_dialog.h"
#include "threaded_editor_test_support.h"

namespace df_editor_test {

class DFEditorTest : public threaded_editor_test::EditorProgramTest {
protected:
    TfrmTWDoublefaceNonMDI* ActiveDF()
    {
        return dynamic_cast<TfrmTWDoublefaceNonMDI*>(Main().ActiveMDIChild());
    }

    // A new design from the Create menu's item of the kind.
    TfrmTWDoublefaceNonMDI& NewDF(TTWWindowKind kind = TTWWindowKind::SimpleDoubleFaceEditor)
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), kind));
        TfrmTWDoublefaceNonMDI* editor = ActiveDF();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A file opened as the Load command opens it.
    TfrmTWDoublefaceNonMDI& OpenDF(const std::filesystem::path& file)
    {
        Main().LoadFile(file.string());
        TfrmTWDoublefaceNonMDI* editor = ActiveDF();
        EXPECT_NE(editor, nullptr) << file;
        return *editor;
    }
};

// The palette indexes of a card frame's holes.
inline std::vector<int> HoleIndexes(const TfrmCardCompactBase& frame)
{
    std::vector<int> indexes;
    for (int hole = 0; hole < frame.HoleCount(); ++hole) {
        indexes.push_back(frame.GetHoleColourIndex(hole));
    }
    return indexes;
}

// The palette indexes of a card's holes.
inline std::vector<int> HoleIndexes(const TTWCardBase& card)
{
    std::vector<int> indexes;
    for (int hole = 0; hole < card.GetHoleCount(); ++hole) {
        indexes.push_back(card.HoleColour(hole));
    }
    return indexes;
}

// A double-face design of the size and colour count, cards (P, P, B, B) or six holes, with
// the cells chosen by `set`.
template <class CellRule>
std::unique_ptr<TTWDFPattern> MakeDesign(int width, int length, int colourCount, CellRule set)
{
    auto pattern = std::make_unique<TTWDFPattern>();
    pattern->SetName("Made");
    pattern->SetSize(width, length);
    pattern->SetColourCount(colourCount);
    const int holes = colourCount == 6 ? 6 : 4;
    for (int x = 0; x < width; ++x) {
        std::vector<int> colours;
        for (int hole = 0; hole < holes; ++hole) {
            colours.push_back(colourCount == 2 ? (hole < 2 ? 3 : 7) : hole + 1);
        }
        sample_patterns::AddCard(pattern->Cards(), x % 3 == 0 ? ThreadingZ : ThreadingS, colours);
    }
    for (int y = 0; y < length; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern->SetCell(x, y, set(x, y));
        }
    }
    return pattern;
}

// A modal script that answers the Size dialog of the double-face and twill editors with the
// size and accepts it.
inline std::function<void(fw::Form&)> SizeAnswer(int width, int length)
{
    return [width, length](fw::Form& form) {
        auto& size = dynamic_cast<TfrmSize&>(form);
        size.edWidth->SetText(std::to_string(width));
        size.edLength->SetText(std::to_string(length));
        size.btnAcceptClick();
    };
}

} // namespace df_editor_test
