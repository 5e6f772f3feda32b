#pragma once

// What the twist-patterned editor tests share: the program around the editor (as the
// threaded-in editor's tests make it), designs written as rows of text, and the small sample
// design under tests/data, made by the model's own classes and written by its own writer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editors/block_frame.h"
#include "editors/twist_editor.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/turning_codes.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "sample_patterns.h"
#include "shell/window_factory.h"
#include "threaded_editor_test_support.h"

namespace twist_editor_test {

inline constexpr const char* SmallFile = "twist_small.tvl";

inline void AddTwistCard(TTWCardList& cards, std::uint8_t threading, int holeColour = -1)
{
    auto card = std::make_unique<TTWCard4>();
    if (holeColour >= 0) {
        for (int hole = 0; hole < card->GetHoleCount(); ++hole) {
            card->SetHoleColour(hole, holeColour);
        }
    }
    card->SetThreading(threading);
    card->Reset();
    cards.Add(card.release());
}

// A design of the rows, top row (the last design row) first: '#' a set cell. One card per
// letter of the threading ("SSZZ"); fewer letters than columns leave the last columns
// without a card.
inline std::unique_ptr<TTWWarpTwinedPattern> Design(const std::vector<std::string>& rows, const std::string& threading)
{
    auto pattern = std::make_unique<TTWWarpTwinedPattern>();
    pattern->SetName("Design");
    const int length = static_cast<int>(rows.size());
    const int width = length > 0 ? static_cast<int>(rows.front().size()) : 0;
    pattern->SetSize(width, length);
    for (int y = 0; y < length; ++y) {
        const std::string& row = rows[static_cast<std::size_t>(length - 1 - y)];
        for (int x = 0; x < width; ++x) {
            pattern->SetCell(x, y, row[static_cast<std::size_t>(x)] == '#');
        }
    }
    for (const char letter : threading) {
        AddTwistCard(pattern->Cards(), letter == 'Z' ? ThreadingZ : ThreadingS);
    }
    return pattern;
}

// The small sample: eight cards, four S and four Z, a chevron over twelve rows, and a
// selvedge card of another colour on each side.
inline std::unique_ptr<TTWWarpTwinedPattern> MakeSmall()
{
    auto pattern = Design({"#..##..#", "##.##.##", ".######.", "..####..", "#..##..#", "##.##.##", ".######.",
                           "..####..", "#..##..#", "##.##.##", ".######.", "..####.."},
                          "SSSSZZZZ");
    pattern->SetName("Twist Chevrons");
    pattern->SetNotes("Four S and four Z cards.");
    AddTwistCard(pattern->SelvedgeLeft(), ThreadingS, 3);
    AddTwistCard(pattern->SelvedgeRight(), ThreadingZ, 3);
    return pattern;
}

inline std::filesystem::path SmallPath()
{
    return sample_patterns::SamplePath(SmallFile);
}

using threaded_editor_test::GridRows;

class TwistEditorTest : public threaded_editor_test::EditorProgramTest {
protected:
    TfrmTWWarpTwinedPattern* ActiveTwistEditor()
    {
        return dynamic_cast<TfrmTWWarpTwinedPattern*>(Main().ActiveMDIChild());
    }

    // A new editor from the Create menu's item.
    TfrmTWWarpTwinedPattern& NewTwistEditor()
    {
        EXPECT_TRUE(OpenWindowOfKind(Main(), TTWWindowKind::TwistPatternedEditor));
        TfrmTWWarpTwinedPattern* editor = ActiveTwistEditor();
        EXPECT_NE(editor, nullptr);
        return *editor;
    }

    // A new editor showing a copy of the design.
    TfrmTWWarpTwinedPattern& OpenDesign(const TTWWarpTwinedPattern& pattern)
    {
        TfrmTWWarpTwinedPattern& editor = NewTwistEditor();
        editor.LoadPattern(pattern);
        return editor;
    }
};

} // namespace twist_editor_test
