// The lettered-band editor in the program: the tiles of the band's text, moving and erasing
// them, the design generated from them, clearing, the band and its design saved and
// printed, bands without a font or with letters the font lacks, and closing.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "controls/scroll_box.h"
#include "editors/double_face_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/picture_image.h"
#include "editors/letter_tile.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "font_editor_test_support.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/message.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/palette.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/weaving.h"
#include "recording_host.h"
#include "support/one_bit_bmp.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_node.h"

namespace {

using font_editor_test::AddLetter;
using font_editor_test::Choose;
using font_editor_test::FileScript;
using font_editor_test::FontEditorTest;
using font_editor_test::ReadBytes;
using font_editor_test::RowOfLetter;
using font_editor_test::Rows;
using font_editor_test::RowsOf;
using font_editor_test::ScriptedFileDialogs;
using editor_test::RecordingHost;

// Three letters 4 cards high, 5, 6 and 7 wide, kerning 1.
std::unique_ptr<TTWFont> StepFont()
{
    auto font = std::make_unique<TTWFont>();
    font->SetName("Steps");
    font->SetHeight(4);
    font->SetKerning(1);
    AddLetter(*font, "a", {"#....", ".#...", "..#..", "...#."});
    AddLetter(*font, "b", {"######", "......", "......", "#....#"});
    AddLetter(*font, "c", {"#......", "#......", "#......", "#######"});
    return font;
}

std::string Spelled(const TfrmTWLetteredBand& editor)
{
    std::string text;
    for (const std::string& letter : editor.TileLetters()) {
        text += letter;
    }
    return text;
}

void SelectTiles(TfrmTWLetteredBand& editor, const std::vector<int>& indexes)
{
    for (const int index : indexes) {
        editor.Tile(index)->lblChar->Click();
    }
}

TEST_F(FontEditorTest, ATileIsTheLettersWidthAndTwoWideAndTheFontsHeightAndFifteenHigh)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "abc");
    ASSERT_EQ(editor.TileCount(), 3);
    int left = editor.Tile(0)->Left();
    EXPECT_EQ(left, 0);
    for (int i = 0; i < 3; ++i) {
        const TframeTWChar& tile = *editor.Tile(i);
        EXPECT_EQ(tile.Width(), 5 + i + 2) << i;
        EXPECT_EQ(tile.Height(), 4 + 15) << i;
        EXPECT_EQ(tile.Left(), left) << i;
        EXPECT_EQ(tile.Top(), 0);
        EXPECT_EQ(tile.lblChar->Caption(), std::string(1, static_cast<char>('a' + i)));
        EXPECT_TRUE(tile.imgChar->Visible());
        left += tile.Width();
    }
    // The list shows the font's letters; a double click on a row adds its letter at the end.
    EXPECT_EQ(editor.lblFontName->Caption(), "Steps");
    ASSERT_EQ(editor.lstFont->Root()->GetCount(), 3);
    EXPECT_EQ(editor.lstFont->Root()->GetItem(1)->GetCellText(TfrmTWLetteredBand::WidthColumn), "6");
    TILTreeNode* row = RowOfLetter(*editor.lstFont, "b");
    editor.lstFont->OnNodeDblClick()(editor.lstFont, row);
    EXPECT_EQ(Spelled(editor), "abcb");
    EXPECT_EQ(editor.Tile(3)->Left(), left);

    // A click on a tile's text selects it and a second one lets it go.
    TframeTWChar& tile = *editor.Tile(1);
    tile.lblChar->Click();
    EXPECT_TRUE(tile.Selected());
    EXPECT_EQ(tile.pnlBase->Color(), 0x0000FFu);
    EXPECT_EQ(tile.pnlBase->BevelOuter(), fw::PanelBevel::Lowered);
    EXPECT_EQ(tile.lblChar->Font().Color, fw::clWhite);
    tile.lblChar->Click();
    EXPECT_FALSE(tile.Selected());
    EXPECT_EQ(tile.pnlBase->BevelOuter(), fw::PanelBevel::None);
    EXPECT_EQ(tile.lblChar->Font().Color, fw::clWindowText);
}

TEST_F(FontEditorTest, SelectedTilesMoveAsOneAndNeverPastTheEnds)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "abcab");
    SelectTiles(editor, {0});
    editor.btnMoveLeft->Click();
    EXPECT_EQ(Spelled(editor), "abcab") << "the first tile cannot go further left";
    editor.btnMoveLetterRight->Click();
    EXPECT_EQ(Spelled(editor), "bacab");
    SelectTiles(editor, {3});
    editor.btnMoveLetterRight->Click();
    EXPECT_EQ(Spelled(editor), "bcaba");
    editor.btnMoveLetterRight->Click();
    EXPECT_EQ(Spelled(editor), "bcaba") << "the last tile cannot go further right";
    editor.btnMoveLeft->Click();
    EXPECT_EQ(Spelled(editor), "bacab");
    // The tiles lie side by side again.
    int left = 0;
    for (int i = 0; i < editor.TileCount(); ++i) {
        EXPECT_EQ(editor.Tile(i)->Left(), left);
        left += editor.Tile(i)->Width();
    }
    editor.btnDeleteLetter->Click();
    EXPECT_EQ(Spelled(editor), "bcb");
    EXPECT_EQ(editor.Tile(2)->Left(), editor.Tile(0)->Width() + editor.Tile(1)->Width());
}

TEST_F(FontEditorTest, GenerateAsksFirstAndLaysTheGlyphsOneAfterTheOtherWithTheKerning)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    font->SetThreading(FontThreadingAllZ);
    TfrmTWLetteredBand& editor = ShowBand(*font, "abc");
    TfrmBlockPattern& grid = *editor.frameDoubleFace->framePattern;
    const int before = grid.GridHeight();
    answers.push_back(fw::mrNo);
    editor.btnGeneratePattern->Click();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Generate the double-faced band?"});
    EXPECT_EQ(grid.GridHeight(), before);

    answers.push_back(fw::mrYes);
    editor.btnGeneratePattern->Click();
    // 5 + 1 + 6 + 1 + 7.
    ASSERT_EQ(grid.GridWidth(), 4);
    ASSERT_EQ(grid.GridHeight(), 20);
    EXPECT_EQ(editor.frameDoubleFace->ThreadingMode(), FontThreadingAllZ);
    // Read back along the band, the design shows the glyphs with a clear row between them.
    const Rows along = RowsOf(DesignToGlyph(DesignOfGrid(grid)));
    EXPECT_EQ(along, (Rows{"#.....######.#......", ".#...........#......", "..#..........#......",
                           "...#..#....#.#######"}));
}

TEST_F(FontEditorTest, ClearOutsideAreaModeRemovesTheTilesButLeavesTheDesign)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "abc");
    editor.GeneratePattern();
    TfrmBlockPattern& grid = *editor.frameDoubleFace->framePattern;
    const Rows design = RowsOf(DesignOfGrid(grid));

    // In area mode on the design page, the area of the design is cleared and the text stays.
    editor.PerformAction(TWAction::SelectArea, true, nullptr);
    ASSERT_EQ(grid.EditMode(), 1);
    grid.SetArea(TBlockArea{0, 0, 3, 19});
    editor.PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(editor.TileCount(), 3);
    EXPECT_EQ(RowsOf(DesignOfGrid(grid)), Rows(20, "...."));
    editor.PerformAction(TWAction::UndoArea, false, nullptr);
    EXPECT_EQ(RowsOf(DesignOfGrid(grid)), design);

    editor.PerformAction(TWAction::SelectArea, false, nullptr);
    boxes.clear();
    editor.PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_TRUE(boxes.empty()) << "the design is not asked about";
    EXPECT_EQ(editor.TileCount(), 0);
    EXPECT_EQ(RowsOf(DesignOfGrid(grid)), design);

    TTWToolActionList list;
    editor.GetToolActions(list);
    for (const int id : {TWAction::Save, TWAction::Notes, TWAction::ClearDesign, TWAction::ZoomIn}) {
        ASSERT_NE(list.Find(id), nullptr) << id;
        EXPECT_TRUE(list.Find(id)->Enabled) << id;
    }
    EXPECT_EQ(list.Find(TWAction::PatternDetails), nullptr);
}

TEST_F(FontEditorTest, ABandWithoutAFontSaysSoAndOneWithAMissingLetterKeepsIt)
{
    TfrmTWLetteredBand& plain = NewBand();
    auto band = std::make_unique<TTWLetteredBand>();
    band->SetTextFrom("abc");
    band->SetNotes("Kept.");
    plain.OpenPattern(std::move(band), std::string());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to display band - no font data is available."});
    EXPECT_EQ(plain.TileCount(), 0);
    EXPECT_EQ(plain.GetNotes(), "Kept.");

    boxes.clear();
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& missing = ShowBand(*font, "axbyc");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Spelled(missing), "axbyc");
}

TEST_F(FontEditorTest, LettersTheFontLacksStayInTheTextAndWeaveNothing)
{
    // A band file whose text holds letters its font has no glyph for.
    TTWLetteredBand stored;
    stored.SetEncapsulated(true);
    stored.Font()->Assign(StepFont().get());
    stored.SetName("Steps");
    for (const char* entry : {"w", "\xC3\xA4", "a", "1", " ", "b"}) {
        stored.Text().Add(entry);
    }
    const std::filesystem::path file = Folder() / "lacking.tvl";
    stored.SaveToFile(file.string());
    const std::string before = ReadBytes(file);

    auto* editor = dynamic_cast<TfrmTWLetteredBand*>(Load(file));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor->TileCount(), 6);
    EXPECT_EQ(Spelled(*editor), "w\xC3\xA4" "a1 b");

    // The design holds the two letters the font has, as a band of only those would.
    answers.push_back(fw::mrYes);
    editor->btnGeneratePattern->Click();
    TfrmBlockPattern& grid = *editor->frameDoubleFace->framePattern;
    EXPECT_EQ(grid.GridWidth(), 4);
    EXPECT_EQ(grid.GridHeight(), 5 + 1 + 6);

    const std::filesystem::path saved = Folder() / "saved.tvl";
    FileScript script = Choose(saved);
    {
        const ScriptedFileDialogs dialogs(script);
        editor->PerformAction(TWAction::Save, false, nullptr);
    }
    EXPECT_EQ(ReadBytes(saved), before);
}

TEST_F(FontEditorTest, ABandOpenedWithoutItsFontKeepsItsTextForTheNextSave)
{
    // A band file that names its font but does not carry it.
    TTWLetteredBand stored;
    stored.SetName("Steps");
    stored.SetNotes("Kept.");
    stored.SetTextFrom("cab");
    const std::filesystem::path file = Folder() / "fontless.tvl";
    stored.SaveToFile(file.string());
    const std::string before = ReadBytes(file);

    auto* editor = dynamic_cast<TfrmTWLetteredBand*>(Load(file));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Unable to display band - no font data is available."});
    EXPECT_EQ(editor->TileCount(), 0);

    const std::filesystem::path saved = Folder() / "saved.tvl";
    FileScript script = Choose(saved);
    {
        const ScriptedFileDialogs dialogs(script);
        editor->PerformAction(TWAction::Save, false, nullptr);
    }
    EXPECT_EQ(script.Proposed, file.string());
    EXPECT_EQ(ReadBytes(saved), before);

    // Once a font is chosen, the kept text is spelled in its letters.
    const std::unique_ptr<TTWFont> font = StepFont();
    const std::filesystem::path fontFile = Folder() / "steps.tvf";
    font->SaveToFile(fontFile.string());
    FileScript chosen = Choose(fontFile);
    {
        const ScriptedFileDialogs dialogs(chosen);
        editor->btnSelectFont->Click();
    }
    EXPECT_EQ(Spelled(*editor), "cab");
    const std::unique_ptr<TTWLetteredBand> band = editor->MakeBand();
    EXPECT_TRUE(band->GetEncapsulated());
    ASSERT_EQ(band->Text().Count(), 3);
    EXPECT_EQ(band->Text().Strings(2), "b");

    // Clearing a fontless band's text clears what it kept.
    boxes.clear();
    auto* cleared = dynamic_cast<TfrmTWLetteredBand*>(Load(file));
    ASSERT_NE(cleared, nullptr);
    cleared->PerformAction(TWAction::ClearDesign, false, nullptr);
    EXPECT_EQ(cleared->MakeBand()->Text().Count(), 0);
}

TEST_F(FontEditorTest, TheDesignIsSavedAsADoubleFacePatternInTheDefaultPaletteAndPrinted)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    font->SetThreading(FontThreadingAltSZ);
    TfrmTWLetteredBand& editor = ShowBand(*font, "ba");
    editor.GeneratePattern();
    TfrmBlockPattern& grid = *editor.frameDoubleFace->framePattern;

    const std::filesystem::path file = Folder() / "design.tvl";
    FileScript script = Choose(file);
    {
        const ScriptedFileDialogs dialogs(script);
        editor.btnSaveDFPattern->Click();
    }
    EXPECT_EQ(script.Title, "Save Pattern");
    EXPECT_EQ(script.Filter, "Pattern (*.tvl)|*.tvl");
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    const auto* pattern = dynamic_cast<const TTWDFPattern*>(read.get());
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->Name(), "(Lettered Band)");
    EXPECT_EQ(pattern->ColourCount(), 2);
    ASSERT_EQ(pattern->Width(), 4);
    ASSERT_EQ(pattern->Length(), 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(pattern->GetCell(x, y), grid.IsCellSet(x, y)) << x << "," << y;
        }
    }
    const TTWPalette standard;
    for (int i = 0; i < standard.Count(); ++i) {
        EXPECT_EQ(pattern->Palette().GetColour(i), standard.GetColour(i)) << i;
    }
    ASSERT_EQ(pattern->Cards().Count(), 4);
    EXPECT_EQ(pattern->Cards().GetCard(1)->Threading(), ThreadingZ);
    EXPECT_EQ(pattern->Cards().GetCard(2)->HoleColour(2), 1);

    std::vector<std::string> printed;
    modalScript = [&](fw::Form& form) {
        if (auto* display = dynamic_cast<TfrmActionDisplay*>(&form)) {
            printed.push_back(display->Pattern()->Name());
            EXPECT_EQ(display->Pattern()->Picks().Count(), 24);
        }
        form.SetModalResult(fw::mrCancel);
    };
    editor.btnPrintDFPattern->Click();
    EXPECT_EQ(printed, std::vector<std::string>{"(Lettered Band)"});

    // The image page weaves the design black on white.
    editor.frameDoubleFace->ShowPage(editor.frameDoubleFace->pgImage);
    EXPECT_EQ(editor.frameDoubleFace->FrontWeaving().PickCount(), 24);
    EXPECT_EQ(editor.frameDoubleFace->ThreadedPattern().Palette().GetColour(1), 0xFFFFFFu);
}

TEST_F(FontEditorTest, TheBandIsSavedWithItsFontAndTextAndClosingSwitchesTheToolsOff)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "cab");
    editor.SetNotes("Band notes.");
    const std::filesystem::path file = Folder() / "band.tvl";
    FileScript script = Choose(file);
    {
        const ScriptedFileDialogs dialogs(script);
        editor.PerformAction(TWAction::Save, false, nullptr);
    }
    EXPECT_EQ(editor.GetFileName(), file.string());
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    const auto* band = dynamic_cast<const TTWLetteredBand*>(read.get());
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Name(), "Steps");
    EXPECT_EQ(band->Notes(), "Band notes.");
    ASSERT_TRUE(band->GetEncapsulated());
    EXPECT_EQ(band->Font()->GetCharCount(), 3);
    EXPECT_EQ(band->Text().Count(), 3);
    EXPECT_EQ(band->Text().Strings(0), "c");
    // The main window's name box belongs to patterns with names of their own.
    EXPECT_EQ(Main().pnlPatternFileName->Caption(), file.string());
    EXPECT_FALSE(Main().edPatternName->Enabled());

    fw::ProcessPostedMessages();
    ASSERT_TRUE(Main().ToolButton(TWAction::Save)->Enabled());
    answers.push_back(fw::mrYes);
    editor.Close();
    fw::ProcessPostedMessages();
    EXPECT_EQ(BoxTexts().back(), "Close form and lose changes?");
    EXPECT_EQ(Main().MDIChildCount(), 0);
    EXPECT_FALSE(Main().ToolButton(TWAction::Save)->Enabled());
    EXPECT_FALSE(Main().ToolButton(TWAction::ClearDesign)->Enabled());
}

// The closing editor is still the main window's active child while it closes: a refresh of
// the tools would ask that very editor for its tools, and they would stay on after it is gone.
TEST_F(FontEditorTest, ClosingTellsTheMainWindowToSwitchEveryToolOffNotToRefreshThem)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    RecordingHost host;
    auto* editor = new TfrmTWLetteredBand(&Main());
    editor->SetEditorHost(&host);
    editor->FinishLoading();
    const fw::WeakRef<fw::Form> alive(editor);
    auto band = std::make_unique<TTWLetteredBand>();
    band->SetEncapsulated(true);
    band->Font()->Assign(font.get());
    band->SetTextFrom("ab");
    editor->OpenPattern(std::move(band), std::string());
    fw::ProcessPostedMessages();
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0)) << "activation refreshes the tools";

    host.notices.clear();
    answers.push_back(fw::mrNo);
    editor->Close();
    fw::ProcessPostedMessages();
    ASSERT_TRUE(alive);
    EXPECT_TRUE(host.notices.empty()) << "kept open, nothing said";

    answers.push_back(fw::mrYes);
    editor->Close();
    fw::ProcessPostedMessages();
    ASSERT_FALSE(alive);
    EXPECT_TRUE(host.Heard(WM_TW_TOOLSDISABLED, 0));
    EXPECT_FALSE(host.Heard(WM_TW_TOOLSTATESCHANGED, 0));
    EXPECT_EQ(host.notesBound, nullptr);
}

TEST_F(FontEditorTest, AFontChosenForTheBandReplacesItsFontAndTakesTheTilesAway)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "abc");
    const std::filesystem::path file = Folder() / "other.tvf";
    TTWFont other;
    other.SetName("Other");
    other.SetHeight(6);
    AddLetter(other, "z", Rows(6, "##"));
    other.SaveToFile(file.string());

    FileScript cancelled;
    {
        const ScriptedFileDialogs dialogs(cancelled);
        editor.btnSelectFont->Click();
    }
    EXPECT_EQ(cancelled.Title, "Load Font");
    EXPECT_EQ(cancelled.Filter, "Fonts (*.tvf)|*.tvf|All files (*.*)|*.*");
    EXPECT_EQ(editor.TileCount(), 3);

    FileScript chosen = Choose(file);
    {
        const ScriptedFileDialogs dialogs(chosen);
        editor.btnSelectFont->Click();
    }
    EXPECT_EQ(editor.TileCount(), 0);
    EXPECT_EQ(editor.Font().Name(), "Other");
    EXPECT_EQ(editor.lblFontName->Caption(), "Other");
    ASSERT_EQ(editor.lstFont->Root()->GetCount(), 1);
    EXPECT_EQ(editor.lstFont->Root()->GetItem(0)->Height(), 16);
}

} // namespace

namespace {

TEST_F(FontEditorTest, TheDoubleFaceFrameWeavesWithTheCardsAndPaletteAHostGivesIt)
{
    TframeTWDoubleFace frame;
    frame.framePattern->SetPattern(font_editor_test::Glyph({"#.", ".#", "##"}));
    frame.SetThreadingMode(FontThreadingAllZ);
    TTWCardList own;
    frame.BuildCards(own);
    ASSERT_EQ(own.Count(), 2);
    EXPECT_EQ(own.GetCard(0)->Threading(), ThreadingZ);

    TTWCardList cards;
    for (int i = 0; i < 2; ++i) {
        sample_patterns::AddCard(cards, ThreadingS, {5, 6, 7, 8});
    }
    TTWPalette palette;
    for (int index = 5; index <= 8; ++index) {
        palette.SetColour(index, 0x123456);
    }
    frame.SetHostCards(&cards);
    frame.SetHostPalette(&palette);
    TTWPattern threaded;
    frame.BuildThreadedPattern(threaded);
    ASSERT_EQ(threaded.Cards().Count(), 2);
    EXPECT_EQ(threaded.Cards().GetCard(1)->HoleColour(3), 8);
    EXPECT_EQ(threaded.Cards().GetCard(1)->Threading(), ThreadingS);
    EXPECT_EQ(threaded.Picks().Count(), 6);
    frame.ShowPage(frame.pgImage);
    EXPECT_EQ(frame.FrontWeaving().Cell(0, 0)->Colour, 0x123456u);
    // The host's palette is the host's: the frame does not paint it black and white.
    EXPECT_EQ(palette.GetColour(0), TTWPalette().GetColour(0));
    EXPECT_EQ(palette.GetColour(1), TTWPalette().GetColour(1));

    // Without them again the frame's own cards come back.
    frame.SetHostCards(nullptr);
    frame.SetHostPalette(nullptr);
    frame.BuildThreadedPattern(threaded);
    EXPECT_EQ(threaded.Cards().GetCard(1)->HoleColour(3), 1);
}

} // namespace

namespace {

TEST_F(FontEditorTest, MovingALetterScrollsTheBandSoThatItStaysInView)
{
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(3);
    AddLetter(*font, "w", Rows(3, std::string(98, '#')));
    TfrmTWLetteredBand& editor = ShowBand(*font, std::string(30, 'w'));
    fw::ProcessPostedMessages();
    TILScrollBox& strip = *editor.scrBandText;
    const int room = strip.BackgroundPanel().ClientWidth();
    ASSERT_GT(room, 0);
    ASSERT_GT(30 * 100, room);
    ASSERT_TRUE(strip.HorzBarNeeded());

    // The last tile moved left from the start of the strip: the view follows it there.
    SelectTiles(editor, {29});
    TframeTWChar* moved = editor.Tile(29);
    editor.btnMoveLeft->Click();
    EXPECT_EQ(editor.Tile(28), moved);
    EXPECT_GE(moved->Left(), 0);
    EXPECT_LE(moved->Left() + moved->Width(), room);
    EXPECT_GT(strip.HorzBar().Position(), 0);

    // Back to the start, then to the right again: it stays in view at the right edge.
    strip.HorzBar().SetPosition(0);
    EXPECT_GT(moved->Left(), room);
    editor.btnMoveLetterRight->Click();
    EXPECT_EQ(editor.Tile(29), moved);
    EXPECT_GE(moved->Left(), 0);
    EXPECT_LE(moved->Left() + moved->Width(), room);
    // The tiles lie side by side from the strip's scrolled left edge.
    for (int i = 1; i < editor.TileCount(); ++i) {
        EXPECT_EQ(editor.Tile(i)->Left(), editor.Tile(i - 1)->Left() + editor.Tile(i - 1)->Width()) << i;
    }
}

} // namespace

namespace {

// The band's design is shown turned with the screen, and a picture imported into it is read
// as it shows: its rows become the cards. A picture whose rows would give more cards than a
// pattern may have is refused with the width error and leaves the band as it was.
TEST_F(FontEditorTest, APictureTurnedIntoMoreCardsThanAPatternMayHaveIsRefused)
{
    const std::unique_ptr<TTWFont> font = StepFont();
    TfrmTWLetteredBand& editor = ShowBand(*font, "ab");
    TfrmBlockPattern& grid = *editor.frameDoubleFace->framePattern;
    if (grid.GetOrientation() != TTWOrientation::Horizontal) {
        editor.PerformAction(TWAction::Rotate, false, nullptr);
    }
    ASSERT_EQ(grid.GetOrientation(), TTWOrientation::Horizontal);
    const int width = grid.GridWidth();
    const int height = grid.GridHeight();
    const auto write = [&](const std::string& name, const std::vector<std::string>& rows) {
        const std::filesystem::path picture = Folder() / name;
        const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp(rows, 0xFFFFFF, 0x000000, false);
        std::ofstream out(picture, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return picture;
    };
    std::filesystem::path chosen = write("tall.bmp", std::vector<std::string>(MaxPatternCards + 1, "#."));
    const fw::ScopedHandler script(&fw::OpenDialog::SetHandler, [&](fw::FileDialog& dialog) {
        dialog.SetFileName(chosen.string());
        return true;
    });
    boxes.clear();

    editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Invalid pattern width (" + std::to_string(MaxPatternCards + 1)
                                                   + ").\r\nA pattern has at most "
                                                   + std::to_string(MaxPatternCards) + " cards."});
    EXPECT_EQ(grid.GridWidth(), width);
    EXPECT_EQ(grid.GridHeight(), height);

    // A picture as wide turned is as many picks long, and only two cards wide.
    boxes.clear();
    chosen = write("wide.bmp", {std::string(MaxPatternCards + 1, '#'), std::string(MaxPatternCards + 1, '.')});
    editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(grid.GridWidth(), 2);
    EXPECT_EQ(grid.GridHeight(), MaxPatternCards + 1);
}

} // namespace
