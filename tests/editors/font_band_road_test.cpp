// The road of a lettered band, as a weaver travels it: a font of three letters made in the
// font generator and saved, opened again by the Load command, a band of a word spelled in it
// and generated, saved and opened again unchanged; and the program started with a font and a
// band on its command line.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/tabbed_pages.h"
#include "editors/double_face_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/font_properties_dialog.h"
#include "editors/letter_tile.h"
#include "editors/weaving_image_frame.h"
#include "font_editor_test_support.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/test_driver.h"
#include "model/threaded_pattern.h"
#include "forms/combo_box.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_node.h"

namespace {

using font_editor_test::Choose;
using font_editor_test::FileScript;
using font_editor_test::FontEditorTest;
using font_editor_test::ReadBytes;
using font_editor_test::RowOfLetter;
using font_editor_test::Rows;
using font_editor_test::RowsOf;
using font_editor_test::ScriptedFileDialogs;

void Press(fw::SpeedButton& button)
{
    button.MouseDown(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
    button.MouseUp(fw::MouseButton::Left, fw::ShiftState{}, 3, 3);
}

void ClickMenu(TfrmTWMain& main, const char* name)
{
    auto* item = dynamic_cast<fw::MenuItem*>(main.FindComponent(name));
    ASSERT_NE(item, nullptr) << name;
    item->Click();
}

// The middle of a list row, in the list's client coordinates.
fw::Point RowCentre(TILTree& list, TILTreeNode* row)
{
    const fw::Rect cell = list.CellExtents(row, list.GetColumn(0));
    return fw::Point{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2};
}

// Each letter drawn cell by cell: the letter text, and its glyph 4 cells wide.
struct DrawnLetter {
    std::string Letter;
    Rows Glyph;
};

const std::vector<DrawnLetter>& ThreeLetters()
{
    static const std::vector<DrawnLetter> letters = {
        {"P", {"###.", "#..#", "###.", "#...", "#..."}},
        {"O", {".##.", "#..#", "#..#", "#..#", ".##."}},
        {"T", {"####", ".#..", ".#..", ".#..", ".#.."}},
    };
    return letters;
}

TEST_F(FontEditorTest, AFontIsMadeSavedAndOpenedAndABandOfAWordIsGeneratedSavedAndOpenedUnchanged)
{
    fw::TestDriver driver(Main());
    const std::filesystem::path fontFile = Folder() / "trio.tvf";
    const std::filesystem::path bandFile = Folder() / "pot.tvl";
    const std::filesystem::path again = Folder() / "pot again.tvl";

    // Create > Double-Faced Pattern > Font; its properties: 5 cards high, letters 4 wide.
    ClickMenu(Main(), "mnuCreateDFFont");
    TfrmTWFontGenerator* generator = ActiveFontGenerator();
    ASSERT_NE(generator, nullptr);
    modalScript = [](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWFontProperties&>(form);
        dialog.edName->SetText("Trio");
        dialog.edHeight->SetText("5");
        dialog.edWidth->SetText("4");
        dialog.edKerning->SetText("1");
        dialog.cbThreading->SetItemIndex(FontThreadingAltSZ);
        dialog.btnAccept->Click();
    };
    Press(*Main().ToolButton(TWAction::PatternDetails));
    modalScript = nullptr;
    EXPECT_EQ(generator->Caption(), "Font Generator: Trio");

    // Three letters, each named and drawn with the mouse on the grid.
    for (const DrawnLetter& drawn : ThreeLetters()) {
        driver.ClickOn(*generator->btnAddChar);
        ASSERT_EQ(generator->EditedLetter(), generator->Font().GetChar(generator->Font().GetCharCount() - 1));
        generator->edLetter->SetText(drawn.Letter);
        TfrmBlockPattern& grid = *generator->framePattern;
        ASSERT_EQ(grid.GridWidth(), 5);
        ASSERT_EQ(grid.GridHeight(), 4);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 4; ++x) {
                if (drawn.Glyph[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                    font_editor_test::ClickCell(grid, 4 - y, 3 - x);
                }
            }
        }
    }
    // Back to the first letter with a click on its row: the last one is stored on the way.
    TILTreeNode* first = generator->lstFont->Root()->GetItem(0);
    driver.Click(driver.PointOf(*generator->lstFont, RowCentre(*generator->lstFont, first)));
    ASSERT_EQ(generator->EditedLetter(), generator->Font().GetChar(0));
    EXPECT_EQ(generator->lstFont->Root()->GetItem(2)->GetCellText(0), "T");

    FileScript saveFont = Choose(fontFile);
    {
        const ScriptedFileDialogs dialogs(saveFont);
        Press(*Main().ToolButton(TWAction::Save));
    }
    EXPECT_EQ(saveFont.Title, "Save Font");
    EXPECT_EQ(generator->GetFileName(), fontFile.string());

    // File > Load opens the font in a window of its own, letters as drawn.
    fw::Form* opened = Load(fontFile);
    auto* reopened = dynamic_cast<TfrmTWFontGenerator*>(opened);
    ASSERT_NE(reopened, nullptr);
    ASSERT_NE(reopened, generator);
    EXPECT_EQ(reopened->Caption(), "Font Generator: Trio");
    ASSERT_EQ(reopened->Font().GetCharCount(), 3);
    EXPECT_EQ(reopened->Font().Threading(), FontThreadingAltSZ);
    for (int i = 0; i < 3; ++i) {
        const TTWFontChar& letter = *reopened->Font().GetChar(i);
        EXPECT_EQ(letter.Letter, ThreeLetters()[static_cast<std::size_t>(i)].Letter);
        EXPECT_EQ(RowsOf(letter.Glyph()), ThreeLetters()[static_cast<std::size_t>(i)].Glyph) << letter.Letter;
    }

    // Create > Lettered Band, the font chosen, the word spelled by double clicks.
    ClickMenu(Main(), "mnuCreateLetteredBand");
    TfrmTWLetteredBand* band = ActiveBand();
    ASSERT_NE(band, nullptr);
    FileScript openFont = Choose(fontFile);
    {
        const ScriptedFileDialogs dialogs(openFont);
        driver.ClickOn(*band->btnSelectFont);
    }
    EXPECT_EQ(openFont.Title, "Load Font");
    ASSERT_EQ(band->lstFont->Root()->GetCount(), 3);
    for (const char* letter : {"P", "O", "T"}) {
        TILTreeNode* row = RowOfLetter(*band->lstFont, letter);
        ASSERT_NE(row, nullptr) << letter;
        driver.DoubleClick(driver.PointOf(*band->lstFont, RowCentre(*band->lstFont, row)));
    }
    ASSERT_EQ(band->TileLetters(), (std::vector<std::string>{"P", "O", "T"}));

    answers.push_back(fw::mrYes);
    driver.ClickOn(*band->btnGeneratePattern);
    TfrmBlockPattern& design = *band->frameDoubleFace->framePattern;
    ASSERT_EQ(design.GridWidth(), 5);
    ASSERT_EQ(design.GridHeight(), 4 + 1 + 4 + 1 + 4);
    EXPECT_EQ(RowsOf(DesignToGlyph(DesignOfGrid(design))),
              (Rows{"###...##..####", "#..#.#..#..#..", "###..#..#..#..", "#....#..#..#..", "#.....##...#.."}));
    // The band the design weaves: two picks a row, one card a row of the letters' height.
    band->frameDoubleFace->ShowPage(band->frameDoubleFace->pgImage);
    EXPECT_EQ(band->frameDoubleFace->FrontWeaving().PickCount(), 28);
    EXPECT_EQ(band->frameDoubleFace->ThreadedPattern().Cards().Count(), 5);

    FileScript saveBand = Choose(bandFile);
    {
        const ScriptedFileDialogs dialogs(saveBand);
        Press(*Main().ToolButton(TWAction::Save));
    }
    EXPECT_EQ(saveBand.Title, "Save Pattern");
    EXPECT_EQ(saveBand.Filter, "Pattern (*.tvl)|*.tvl");

    // Opened again and saved again: the same bytes, the same word.
    auto* bandAgain = dynamic_cast<TfrmTWLetteredBand*>(Load(bandFile));
    ASSERT_NE(bandAgain, nullptr);
    ASSERT_NE(bandAgain, band);
    EXPECT_EQ(bandAgain->TileLetters(), (std::vector<std::string>{"P", "O", "T"}));
    EXPECT_EQ(bandAgain->GetFileName(), bandFile.string());
    FileScript resave = Choose(again);
    {
        const ScriptedFileDialogs dialogs(resave);
        Press(*Main().ToolButton(TWAction::Save));
    }
    EXPECT_EQ(resave.Proposed, bandFile.string());
    EXPECT_EQ(ReadBytes(again), ReadBytes(bandFile));
    EXPECT_FALSE(ReadBytes(bandFile).empty());
}

// --- The program started with a font and a band -----------------------------------------------------

class FontBandStartTest : public FontEditorTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", sample_patterns::SamplePath(sample_patterns::FontFile).string(),
                       sample_patterns::SamplePath(sample_patterns::LetteredBandFile).string()};
        FontEditorTest::SetUp();
    }
};

TEST_F(FontBandStartTest, TheSampleFontAndTheSampleBandOpenFromTheCommandLine)
{
    fw::ProcessPostedMessages();
    ASSERT_EQ(Main().MDIChildCount(), 2);
    TfrmTWFontGenerator* generator = nullptr;
    TfrmTWLetteredBand* band = nullptr;
    for (int i = 0; i < Main().MDIChildCount(); ++i) {
        fw::Form* child = Main().MDIChildren(i);
        generator = generator != nullptr ? generator : dynamic_cast<TfrmTWFontGenerator*>(child);
        band = band != nullptr ? band : dynamic_cast<TfrmTWLetteredBand*>(child);
    }
    ASSERT_NE(generator, nullptr);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(generator->Caption(), "Font Generator: Block Capitals");
    EXPECT_EQ(generator->lstFont->Root()->GetCount(), 27);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(band->TileLetters().size(), 7u);
    EXPECT_EQ(band->Font().Name(), "Block Capitals");

    band->GeneratePattern();
    const std::unique_ptr<TTWFont> font = sample_patterns::MakeFont();
    const std::unique_ptr<TTWLetteredBand> word = sample_patterns::MakeLetteredBand();
    const fw::Bitmap expected = BuildLetteredBandGrid(*font, word->LettersIn(*font));
    EXPECT_EQ(RowsOf(DesignOfGrid(*band->frameDoubleFace->framePattern)), RowsOf(expected));
}

} // namespace
