// The double-face editor's Image page after the design changed its size: whichever way the
// size changed (the Size command or a picture imported), the band shown is the one a fresh
// conversion of the design weaves, front and reverse.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "df_editor_test_support.h"
#include "editors/weaving_image_frame.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_edit.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/weaving.h"
#include "shell/size_dialog.h"
#include "shell/tool_actions.h"
#include "support/design_limits.h"
#include "support/one_bit_bmp.h"
#include "support/same_band.h"

namespace {

using df_editor_test::DFEditorTest;
using df_editor_test::MakeDesign;
using df_editor_test::SizeAnswer;
using threaded_editor_test::GridRows;

using DFEditorResizeTest = DFEditorTest;

constexpr int DesignLength = 9;

TTWWindowKind KindOfCount(int count)
{
    switch (count) {
    case 4:
        return TTWWindowKind::MultiColourDoubleFaceEditor;
    case 6:
        return TTWWindowKind::SixHoleDoubleFaceEditor;
    default:
        return TTWWindowKind::SimpleDoubleFaceEditor;
    }
}

// The band the editor's design weaves when converted from nothing, on the side asked for.
std::unique_ptr<TTWWeaving> FreshBand(TfrmTWDoublefaceNonMDI& editor, bool reverse)
{
    TTWDFPattern design;
    editor.GetDFPattern(design);
    TTWPattern threaded;
    design.ConvertToThreaded(threaded);
    auto band = std::make_unique<TTWWeaving>();
    if (reverse) {
        threaded.BuildReverseWeaving(*band, &threaded.Palette(), 0);
    } else {
        threaded.BuildWeaving(*band, &threaded.Palette(), false, 0);
    }
    return band;
}

void ExpectImagePageShowsTheDesign(TfrmTWDoublefaceNonMDI& editor, int width)
{
    editor.ShowPage(editor.pgImage);
    ASSERT_EQ(editor.framePattern->GridWidth(), width);
    ASSERT_EQ(editor.FrontWeaving().Width(), width);
    same_band::ExpectSameBand(*FreshBand(editor, false), editor.FrontWeaving());
    same_band::ExpectSameBand(*FreshBand(editor, true), editor.ReverseWeaving());
}

// A design of the count whose band has been shown once (front and reverse), back on the
// design page.
TfrmTWDoublefaceNonMDI& ShownDesign(TfrmTWDoublefaceNonMDI& editor, int count)
{
    const std::unique_ptr<TTWDFPattern> design =
        MakeDesign(7, DesignLength, count, [](int x, int y) { return (x * 3 + y * 2) % 5 < 2; });
    editor.SetPattern(*design);
    editor.frameWeaving->SetShowReverse(true);
    editor.ShowPage(editor.pgImage);
    EXPECT_EQ(editor.FrontWeaving().Width(), 7);
    editor.ShowPage(editor.pgPattern);
    return editor;
}

TEST_F(DFEditorResizeTest, ANewWidthFromTheSizeCommandAloneIsWovenOnTheImagePage)
{
    for (const int count : {2, 4, 6}) {
        for (const int width : {11, 4}) {
            SCOPED_TRACE("colours " + std::to_string(count) + " width " + std::to_string(width));
            TfrmTWDoublefaceNonMDI& editor = ShownDesign(NewDF(KindOfCount(count)), count);
            ASSERT_EQ(editor.ColourCount(), count);
            modalScript = [width](fw::Form& form) {
                auto& size = dynamic_cast<TfrmSize&>(form);
                size.edWidth->SetText(std::to_string(width));
                EXPECT_EQ(size.edLength->Text(), std::to_string(DesignLength));
                size.btnAcceptClick();
            };
            editor.PerformAction(TWAction::PatternSize, false, nullptr);
            modalScript = nullptr;
            // Cells of the new columns, so that they show in the band.
            for (int y = 0; y < DesignLength; ++y) {
                editor.framePattern->SetCell(width - 1, y, y % 2 == 0);
            }
            ExpectImagePageShowsTheDesign(editor, width);
        }
    }
}

TEST_F(DFEditorResizeTest, APictureImportedOfTheSameHeightIsWovenOnTheImagePage)
{
    for (const int count : {2, 4, 6}) {
        for (const int width : {10, 3}) {
            SCOPED_TRACE("colours " + std::to_string(count) + " width " + std::to_string(width));
            TfrmTWDoublefaceNonMDI& editor = ShownDesign(NewDF(KindOfCount(count)), count);
            std::vector<std::string> rows;
            for (int y = 0; y < DesignLength; ++y) {
                std::string row;
                for (int x = 0; x < width; ++x) {
                    row += (x + y) % 3 == 0 ? '#' : '.';
                }
                rows.push_back(row);
            }
            const std::filesystem::path picture =
                Folder() / ("same_height_" + std::to_string(count) + "_" + std::to_string(width) + ".bmp");
            {
                const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp(rows, 0xFFFFFF, 0x000000, false);
                std::ofstream out(picture, std::ios::binary);
                out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            }
            const fw::ScopedHandler script(&fw::OpenDialog::SetHandler, [&](fw::FileDialog& dialog) {
                dialog.SetFileName(picture.string());
                return true;
            });
            editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
            ASSERT_EQ(editor.framePattern->GridHeight(), DesignLength);
            ExpectImagePageShowsTheDesign(editor, width);
        }
    }
}

TEST_F(DFEditorResizeTest, ASizeOfMoreCellsThanADesignMayHaveIsRefusedAndTheDesignKept)
{
    // As many cards as a pattern may have, and one row more than a design of that width may
    // hold: saved, it would not open again.
    const int width = MaxPatternCards;
    const int length = static_cast<int>(MaxDesignCells / width) + 1;
    TfrmTWDoublefaceNonMDI& editor = ShownDesign(NewDF(), 2);
    const std::vector<std::string> cells = GridRows(*editor.framePattern);
    modalScript = SizeAnswer(width, length);
    try {
        editor.PerformAction(TWAction::PatternSize, false, nullptr);
        ADD_FAILURE() << "a design of " << width << " x " << length << " cells was made";
    } catch (const TGenericException& error) {
        EXPECT_EQ(error.Message(), TooManyCells(width, length));
    }
    modalScript = nullptr;
    EXPECT_EQ(editor.framePattern->GridWidth(), 7);
    EXPECT_EQ(editor.framePattern->GridHeight(), DesignLength);
    EXPECT_EQ(GridRows(*editor.framePattern), cells);
}

} // namespace
