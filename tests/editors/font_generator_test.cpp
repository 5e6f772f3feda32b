// The font generator in the program: the letters of its list and the letter on the grid, the
// glyph turned onto the grid and back, new letters, widths, deleting and moving letters, the
// properties dialog, the twining marks, the woven letter and its turning sequence, and the
// tool states it reports.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/tabbed_pages.h"
#include "editors/double_face_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/font_properties_dialog.h"
#include "editors/lettered_band_editor.h"
#include "editors/picture_image.h"
#include "editors/turning_actions_display.h"
#include "editors/weaving_image_frame.h"
#include "font_editor_test_support.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "forms/combo_box.h"
#include "shell/tool_actions.h"
#include "treegrid/tree_node.h"

namespace {

using font_editor_test::AddLetter;
using font_editor_test::Choose;
using font_editor_test::FileScript;
using font_editor_test::ScriptedFileDialogs;
using font_editor_test::ClickCell;
using font_editor_test::FontEditorTest;
using font_editor_test::Glyph;
using font_editor_test::RowOfLetter;
using font_editor_test::Rows;
using font_editor_test::RowsOf;

// A font 5 cards high with the letters given, in order.
std::unique_ptr<TTWFont> SmallFont()
{
    auto font = std::make_unique<TTWFont>();
    font->SetName("Small");
    font->SetHeight(5);
    font->SetDefCharWidth(4);
    AddLetter(*font, "L", {"#..", "#..", "#..", "#..", "###"});
    AddLetter(*font, "T", {"###", ".#.", ".#.", ".#.", ".#."});
    AddLetter(*font, "O", {".##.", "#..#", "#..#", "#..#", ".##."});
    return font;
}

void Select(TfrmTWFontGenerator& editor, const std::string& letter)
{
    TILTreeNode* row = RowOfLetter(*editor.lstFont, letter);
    ASSERT_NE(row, nullptr) << letter;
    editor.lstFont->SelectOnly(row);
}

bool Enabled(const TTWToolActionList& list, int id)
{
    const TTWToolAction* action = list.Find(id);
    return action != nullptr && action->Enabled;
}

TEST(FontGlyphDesign, AGlyphPixelIsTheDesignPixelAcrossTheBandAndComesBackUnchanged)
{
    // 3 wide, 5 high: pixel (x, y) lies on design pixel (4 - y, x).
    const fw::Bitmap glyph = Glyph({"#..", "...", ".#.", "...", "..#"});
    const fw::Bitmap design = GlyphToDesign(glyph);
    ASSERT_EQ(design.Width(), 5);
    ASSERT_EQ(design.Height(), 3);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(design.Pixel(4 - y, x), glyph.Pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(design.Monochrome());
    EXPECT_EQ(RowsOf(DesignToGlyph(design)), RowsOf(glyph));
}

TEST_F(FontEditorTest, ANewFontHasNoLetterToEditButCanGetItsFirstOne)
{
    TfrmTWFontGenerator& editor = NewFontGenerator();
    EXPECT_EQ(editor.Caption(), "Font Generator");
    EXPECT_EQ(editor.EditedLetter(), nullptr);
    EXPECT_TRUE(editor.edLetter->Text().empty());
    EXPECT_TRUE(editor.edLetterWidth->Text().empty());
    EXPECT_FALSE(editor.btnDeleteChar->Enabled());
    EXPECT_FALSE(editor.btnSetLetterWidth->Enabled());
    EXPECT_FALSE(editor.edLetter->Enabled());
    EXPECT_TRUE(editor.btnAddChar->Enabled());
    TTWToolActionList list;
    editor.GetToolActions(list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_TRUE(Enabled(list, TWAction::PatternDetails));
    EXPECT_TRUE(Enabled(list, TWAction::Save));
    EXPECT_TRUE(Enabled(list, TWAction::Notes));
    // Commands of the grid do nothing without a letter, and are still handled.
    EXPECT_TRUE(editor.PerformAction(TWAction::ZoomIn, false, nullptr));
    EXPECT_EQ(editor.framePattern->GetZoom(), 5);

    // The first letter: "(?)" named "(New)", the font's default width and height.
    editor.btnAddChar->Click();
    ASSERT_EQ(editor.Font().GetCharCount(), 1);
    const TTWFontChar* letter = editor.Font().GetChar(0);
    EXPECT_EQ(letter->Letter, "(?)");
    EXPECT_EQ(letter->Name, "(New)");
    EXPECT_EQ(letter->Width(), 12);
    EXPECT_EQ(letter->Height(), 30);
    ASSERT_EQ(editor.lstFont->Root()->GetCount(), 1);
    const TILTreeNode* row = editor.lstFont->Root()->GetItem(0);
    EXPECT_EQ(row->GetCellText(TfrmTWFontGenerator::LetterColumn), "(?)");
    EXPECT_EQ(row->GetCellText(TfrmTWFontGenerator::WidthColumn), "12");
    EXPECT_EQ(row->Height(), 32);
    // It is the letter drawn now: a grid of a column per card and a row per row of the band.
    EXPECT_EQ(editor.EditedLetter(), letter);
    EXPECT_EQ(editor.edLetterName->Text(), "(New)");
    EXPECT_EQ(editor.framePattern->GridWidth(), 30);
    EXPECT_EQ(editor.framePattern->GridHeight(), 12);
    EXPECT_TRUE(editor.btnDeleteChar->Enabled());

    TTWToolActionList editing;
    editor.GetToolActions(editing);
    EXPECT_TRUE(Enabled(editing, TWAction::Print));
    EXPECT_TRUE(Enabled(editing, TWAction::ZoomIn));
    EXPECT_TRUE(Enabled(editing, TWAction::Undo));
    // The letter always lies along the band.
    EXPECT_FALSE(Enabled(editing, TWAction::Rotate));
    EXPECT_FALSE(editor.framePattern->btnRotate->Visible());
    EXPECT_EQ(editor.framePattern->GetOrientation(), TTWOrientation::Horizontal);
    // The overview of the letter lies beside the statistics above the grid, not under them.
    const fw::Control& overview = *editor.framePattern->imgSmall;
    const fw::Control& stats = *editor.framePattern->pnlStats;
    EXPECT_EQ(overview.Parent(), stats.Parent());
    EXPECT_GE(overview.Left(), stats.Left() + stats.Width());
    EXPECT_EQ(overview.Width(), 12 * TfrmBlockPattern::SnapshotCellHeight);
}

TEST_F(FontEditorTest, ALetterIsDrawnTurnedOnTheGridAndStoredBackWhenItsRowIsLeft)
{
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(12);
    TTWFontChar* wide = AddLetter(*font, "W", Rows(12, "#......"));
    wide->Glyph().SetPixel(3, 9, fw::Bitmap::Black);
    AddLetter(*font, "I", Rows(12, "#"));
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    EXPECT_EQ(editor.EditedLetter(), nullptr);

    Select(editor, "W");
    TfrmBlockPattern& grid = *editor.framePattern;
    // 7 cells wide and 12 high: 12 columns, 7 rows.
    ASSERT_EQ(grid.GridWidth(), 12);
    ASSERT_EQ(grid.GridHeight(), 7);
    const fw::Bitmap before = wide->Glyph();
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 7; ++x) {
            // Glyph (x, y) is design pixel (11 - y, x), the design's row x from the top.
            EXPECT_EQ(grid.IsCellSet(11 - y, 6 - x), before.Pixel(x, y) == fw::Bitmap::Black) << x << "," << y;
        }
    }

    // Drawn with the mouse, renamed, and left for the other letter.
    ClickCell(grid, 11 - 2, 6 - 5);
    editor.edLetter->SetText("  V ");
    editor.edLetterName->SetText(" Vee ");
    Select(editor, "I");
    EXPECT_EQ(wide->Letter, "V");
    EXPECT_EQ(wide->Name, "Vee");
    EXPECT_EQ(wide->Width(), 7);
    EXPECT_EQ(wide->Glyph().Pixel(5, 2), fw::Bitmap::Black);
    EXPECT_EQ(wide->Glyph().Pixel(3, 9), fw::Bitmap::Black);
    EXPECT_EQ(wide->Glyph().Pixel(0, 0), fw::Bitmap::Black);
    EXPECT_EQ(wide->Glyph().Pixel(1, 0), fw::Bitmap::White);
    EXPECT_EQ(RowOfLetter(*editor.lstFont, "V")->GetCellText(TfrmTWFontGenerator::LetterColumn), "V");
    EXPECT_EQ(editor.framePattern->GridHeight(), 1);

    // The row's glyph is the stored letter; the edited letter's row follows the grid.
    TILTreeNode* row = RowOfLetter(*editor.lstFont, "V");
    TTWGlyphCellGraphic* shown = GlyphCellOf(*row, TfrmTWFontGenerator::GlyphColumn);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->Following());
    EXPECT_EQ(RowsOf(shown->Picture()), RowsOf(wide->Glyph()));
    TTWGlyphCellGraphic* edited = GlyphCellOf(*RowOfLetter(*editor.lstFont, "I"), TfrmTWFontGenerator::GlyphColumn);
    ASSERT_TRUE(edited->Following());
    ClickCell(grid, 0, 0);
    EXPECT_EQ(RowsOf(edited->Picture())[11], ".");
}

TEST_F(FontEditorTest, UndoNeverBringsBackTheLetterEditedBefore)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    Select(editor, "L");
    ClickCell(*editor.framePattern, 2, 1);
    EXPECT_GT(editor.framePattern->UndoList().Count(), 0);
    Select(editor, "T");
    const Rows shown = RowsOf(DesignToGlyph(DesignOfGrid(*editor.framePattern)));
    EXPECT_EQ(editor.framePattern->UndoList().Count(), 0);
    editor.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(RowsOf(DesignToGlyph(DesignOfGrid(*editor.framePattern))), shown);
    EXPECT_EQ(RowsOf(editor.Font().FindChar("T")->Glyph()), (Rows{"###", ".#.", ".#.", ".#.", ".#."}));
}

TEST_F(FontEditorTest, TheLetterWidthMustBeAWholeNumberAboveZero)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    Select(editor, "O");
    for (const char* text : {"0", "-3", "wide", ""}) {
        boxes.clear();
        editor.edLetterWidth->SetText(text);
        editor.btnSetLetterWidth->Click();
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{"The letter width must be greater than zero."}) << text;
        EXPECT_TRUE(editor.edLetterWidth->Focused());
        EXPECT_EQ(editor.framePattern->GridHeight(), 4);
    }
    boxes.clear();
    editor.edLetterWidth->SetText("20000");
    editor.btnSetLetterWidth->Click();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{TfrmTWFontGenerator::LetterWidthTooLargeText()});
    EXPECT_EQ(editor.framePattern->GridHeight(), 4);

    // A wider letter keeps its cells and grows at its end.
    boxes.clear();
    editor.ShowPage(editor.pgImage);
    editor.edLetterWidth->SetText("6");
    editor.btnSetLetterWidth->Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor.pcDesign->ActivePage(), editor.pgBlockPattern);
    EXPECT_EQ(editor.framePattern->GridHeight(), 6);
    EXPECT_EQ(RowOfLetter(*editor.lstFont, "O")->GetCellText(TfrmTWFontGenerator::WidthColumn), "6");
    Select(editor, "L");
    EXPECT_EQ(RowsOf(editor.Font().FindChar("O")->Glyph()),
              (Rows{".##...", "#..#..", "#..#..", "#..#..", ".##..."}));
}

TEST_F(FontEditorTest, SelectedLettersAreDeletedOnlyWhenTheUserSaysYes)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    editor.btnDeleteChar->Click();
    EXPECT_TRUE(boxes.empty()) << "nothing selected, nothing asked";

    Select(editor, "L");
    editor.lstFont->AddToSelection(RowOfLetter(*editor.lstFont, "O"));
    ASSERT_EQ(editor.lstFont->GetSelectedCount(), 2);
    answers.push_back(fw::mrNo);
    editor.btnDeleteChar->Click();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Delete the selected characters?"});
    EXPECT_EQ(editor.Font().GetCharCount(), 3);

    answers.push_back(fw::mrYes);
    editor.btnDeleteChar->Click();
    ASSERT_EQ(editor.Font().GetCharCount(), 1);
    EXPECT_EQ(editor.Font().GetChar(0)->Letter, "T");
    ASSERT_EQ(editor.lstFont->Root()->GetCount(), 1);
    EXPECT_EQ(editor.lstFont->Root()->GetItem(0)->GetCellText(0), "T");
    EXPECT_EQ(editor.EditedLetter(), nullptr);
    EXPECT_EQ(editor.framePattern->GridWidth(), 0);
}

TEST_F(FontEditorTest, ALetterMovesOnePlaceInTheFontAndTheListButNotBeyondEitherEnd)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    const auto order = [&editor] {
        std::string letters;
        std::string rows;
        for (int i = 0; i < editor.Font().GetCharCount(); ++i) {
            letters += editor.Font().GetChar(i)->Letter;
            rows += editor.lstFont->Root()->GetItem(i)->GetCellText(0);
        }
        EXPECT_EQ(letters, rows);
        return letters;
    };
    Select(editor, "L");
    editor.btnMoveCharUp->Click();
    EXPECT_EQ(order(), "LTO");
    editor.btnMoveCharDown->Click();
    EXPECT_EQ(order(), "TLO");
    editor.btnMoveCharDown->Click();
    editor.btnMoveCharDown->Click();
    EXPECT_EQ(order(), "TOL");
    EXPECT_EQ(editor.EditedLetter()->Letter, "L");
    EXPECT_TRUE(RowOfLetter(*editor.lstFont, "L")->Selected());
}

TEST_F(FontEditorTest, TheTurningSequenceIsTitledWithTheLetterAndItsName)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    std::vector<std::string> titles;
    std::vector<int> picks;
    modalScript = [&](fw::Form& form) {
        if (auto* display = dynamic_cast<TfrmActionDisplay*>(&form)) {
            titles.push_back(display->Pattern()->Name());
            picks.push_back(display->Pattern()->Picks().Count());
            EXPECT_TRUE(display->EveryOtherPick());
        }
        form.SetModalResult(fw::mrCancel);
    };
    Select(editor, "O");
    editor.btnPrintSequence->Click();
    editor.edLetterName->SetText(" Round ");
    editor.PerformAction(TWAction::Print, false, nullptr);
    EXPECT_EQ(titles, (std::vector<std::string>{"O", "O [Round]"}));
    // Two picks for every row of the letter.
    EXPECT_EQ(picks, (std::vector<int>{8, 8}));
}

TEST_F(FontEditorTest, TheLetterIsWovenInDoubleFaceWithTheFontsThreading)
{
    std::unique_ptr<TTWFont> font = SmallFont();
    font->SetThreading(FontThreadingAltSZ);
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    Select(editor, "T");
    editor.ShowPage(editor.pgImage);
    const TTWPattern& threaded = editor.ThreadedPattern();
    ASSERT_EQ(threaded.Cards().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        const TTWCardBase& card = *threaded.Cards().GetCard(i);
        EXPECT_EQ(card.Threading(), i % 2 == 0 ? ThreadingS : ThreadingZ) << i;
        EXPECT_EQ((std::vector<int>{card.HoleColour(0), card.HoleColour(1), card.HoleColour(2), card.HoleColour(3)}),
                  (std::vector<int>{0, 0, 1, 1}));
    }
    ASSERT_EQ(threaded.Picks().Count(), 6);
    EXPECT_EQ(threaded.Palette().GetColour(0), 0x000000u);
    EXPECT_EQ(threaded.Palette().GetColour(1), 0xFFFFFFu);
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 6);
    EXPECT_EQ(editor.frameImage->Weaving(), &editor.FrontWeaving());
    EXPECT_EQ(editor.frameImage->GetOrientation(), TTWOrientation::Horizontal);

    // Another letter chosen while the band shows is woven at once.
    Select(editor, "O");
    EXPECT_EQ(editor.FrontWeaving().PickCount(), 8);
    TTWToolActionList list;
    editor.GetToolActions(list);
    EXPECT_TRUE(Enabled(list, TWAction::ShowReverse));
    EXPECT_TRUE(Enabled(list, TWAction::Rotate)) << "the band's own view may turn";
}

TEST_F(FontEditorTest, TheTwiningMarksFollowTheFontsThreadingAndTurnOverWhereTheCardGoesBackwards)
{
    std::unique_ptr<TTWFont> font = SmallFont();
    font->SetThreading(FontThreadingAltSZ);
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    Select(editor, "L");
    TfrmBlockPattern& grid = *editor.framePattern;
    // Row 0 of the grid is the letter's last column: "..." above "###" gives cells 0 set.
    for (int column = 0; column < grid.GridWidth(); ++column) {
        for (int row = 0; row < grid.GridHeight(); ++row) {
            const TBlockCellInfo info = grid.GetCellInfo(column, row);
            std::uint8_t expected = column % 2 != 0 ? ThreadingZ : ThreadingS;
            if (grid.IsCellSet(column, row) != (row % 2 != 0)) {
                expected = FlippedThreading(expected);
            }
            EXPECT_EQ(info.Twine1, expected) << column << "," << row;
            EXPECT_EQ(info.Twine2, expected) << column << "," << row;
        }
    }
    editor.Font().SetThreading(FontThreadingAllZ);
    EXPECT_EQ(grid.GetCellInfo(0, 1).Twine1, grid.IsCellSet(0, 1) ? ThreadingZ : ThreadingS);
}

// --- The properties dialog ----------------------------------------------------------------------------

struct PropertiesInput {
    std::string Name = "Renamed";
    std::string Height = "7";
    std::string Kerning = "0";
    std::string Width = "9";
    int Threading = 1;
};

TEST_F(FontEditorTest, ThePropertiesAreCheckedBeforeTheFontTakesThem)
{
    TfrmTWFontGenerator& editor = ShowFont(SmallFont());
    Select(editor, "T");
    ClickCell(*editor.framePattern, 0, 0);
    std::vector<PropertiesInput> inputs;
    std::vector<std::vector<std::string>> messages;
    std::vector<std::string> focused;
    modalScript = [&](fw::Form& form) {
        auto* dialog = dynamic_cast<TfrmTWFontProperties*>(&form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Caption(), "Font Properties");
        for (const PropertiesInput& input : inputs) {
            boxes.clear();
            dialog->edName->SetText(input.Name);
            dialog->edHeight->SetText(input.Height);
            dialog->edKerning->SetText(input.Kerning);
            dialog->edWidth->SetText(input.Width);
            dialog->cbThreading->SetItemIndex(input.Threading);
            dialog->btnAccept->Click();
            messages.push_back(BoxTexts());
            std::string where;
            for (fw::Edit* edit : {dialog->edHeight, dialog->edKerning, dialog->edWidth}) {
                if (edit->Focused()) {
                    where = edit->Name();
                }
            }
            focused.push_back(where);
            if (dialog->GetModalResult() == fw::mrOk) {
                return;
            }
        }
        form.SetModalResult(fw::mrCancel);
    };
    inputs = {PropertiesInput{.Height = "0"}, PropertiesInput{.Height = "tall"}, PropertiesInput{.Width = "-2"},
              PropertiesInput{.Kerning = "-1"}, PropertiesInput{.Kerning = "some"},
              PropertiesInput{.Height = "1001"}, PropertiesInput{.Width = "10001"}, PropertiesInput{}};
    editor.PerformAction(TWAction::PatternDetails, false, nullptr);
    ASSERT_EQ(messages.size(), 8u);
    EXPECT_EQ(messages[0], std::vector<std::string>{"Height must be greater than zero."});
    EXPECT_EQ(messages[1], std::vector<std::string>{"Height must be greater than zero."});
    EXPECT_EQ(messages[2], std::vector<std::string>{"Default width must be greater than zero."});
    EXPECT_EQ(messages[3], std::vector<std::string>{"Kerning must be greater than or equal to zero."});
    EXPECT_EQ(messages[4], std::vector<std::string>{"Kerning must be greater than or equal to zero."});
    EXPECT_EQ(messages[5], std::vector<std::string>{TfrmTWFontProperties::HeightTooLargeText()});
    EXPECT_EQ(messages[6], std::vector<std::string>{TfrmTWFontProperties::WidthTooLargeText()});
    EXPECT_TRUE(messages[7].empty());
    EXPECT_EQ(focused, (std::vector<std::string>{"edHeight", "edHeight", "edWidth", "edKerning", "edKerning",
                                                 "edHeight", "edWidth", focused[7]}));

    // Accepted: the kerning of 0 too; the letter drawn was stored before, and every letter
    // is as high as the font now.
    const TTWFont& font = editor.Font();
    EXPECT_EQ(font.Name(), "Renamed");
    EXPECT_EQ(font.Height(), 7);
    EXPECT_EQ(font.Kerning(), 0);
    EXPECT_EQ(font.DefCharWidth(), 9);
    EXPECT_EQ(font.Threading(), FontThreadingAllZ);
    EXPECT_EQ(editor.Caption(), "Font Generator: Renamed");
    EXPECT_EQ(RowsOf(font.FindChar("T")->Glyph()),
              (Rows{"###", ".#.", ".#.", ".#.", ".##", "...", "..."}));
    EXPECT_EQ(font.FindChar("L")->Height(), 7);
    EXPECT_EQ(editor.EditedLetter(), nullptr);
    EXPECT_EQ(editor.lstFont->Root()->GetItem(0)->Height(), 16);

    // Cancelled: nothing changes.
    inputs = {PropertiesInput{.Name = "Other", .Height = "3"}};
    modalScript = [](fw::Form& form) { form.SetModalResult(fw::mrCancel); };
    editor.PerformAction(TWAction::PatternDetails, false, nullptr);
    EXPECT_EQ(font.Name(), "Renamed");
    EXPECT_EQ(font.Height(), 7);
}

TEST_F(FontEditorTest, ThePropertiesDialogShowsTheFontAsItIs)
{
    TTWFont font;
    font.SetName("Shown");
    font.SetThreading(FontThreadingAltSZ);
    font.SetKerning(3);
    TfrmTWFontProperties dialog;
    dialog.FinishLoading();
    dialog.ShowFont(font);
    EXPECT_EQ(dialog.edName->Text(), "Shown");
    EXPECT_EQ(dialog.edHeight->Text(), "30");
    EXPECT_EQ(dialog.edKerning->Text(), "3");
    EXPECT_EQ(dialog.edWidth->Text(), "12");
    EXPECT_EQ(dialog.cbThreading->Text(), "Alternate S/Z Threaded");
    // No threading chosen counts as the first.
    dialog.cbThreading->SetItemIndex(-1);
    dialog.btnAcceptClick();
    EXPECT_EQ(font.Threading(), FontThreadingAllS);
}

TEST_F(FontEditorTest, ALetterOfAnotherHeightThanItsFontIsSavedAsItCame)
{
    // A font 4 cards high holding a letter 40 long and 30 high: edited and left, and saved,
    // the letter is written back as the file held it.
    TTWFont font;
    font.SetName("Small");
    font.SetHeight(4);
    TTWFontChar* tall = font.AddChar("T", "tall");
    tall->SetHeight(30);
    tall->SetWidth(40);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{39, 29}, std::pair{17, 3}, std::pair{5, 25}}) {
        tall->Glyph().SetPixel(x, y, fw::Bitmap::Black);
    }
    AddLetter(font, "L", {"#..", "#..", "#..", "###"});
    const std::filesystem::path file = Folder() / "tall.tvf";
    font.SaveToFile(file.string());

    Main().LoadFile(file.string());
    TfrmTWFontGenerator* editor = ActiveFontGenerator();
    ASSERT_NE(editor, nullptr);
    Select(*editor, "T");
    Select(*editor, "L");
    const std::filesystem::path saved = Folder() / "tall_saved.tvf";
    FileScript script = Choose(saved);
    {
        const ScriptedFileDialogs dialogs(script);
        editor->PerformAction(TWAction::Save, false, nullptr);
    }
    EXPECT_EQ(font_editor_test::ReadBytes(saved), font_editor_test::ReadBytes(file));

    // Carried in a band, it comes back the same from the lettered-band editor.
    TTWLetteredBand band;
    band.SetName("Small");
    band.SetEncapsulated(true);
    band.Font()->Assign(&font);
    band.SetTextFrom("TLT");
    const std::filesystem::path bandFile = Folder() / "tall_band.tvl";
    band.SaveToFile(bandFile.string());
    Main().LoadFile(bandFile.string());
    auto* bandEditor = dynamic_cast<TfrmTWLetteredBand*>(Main().ActiveMDIChild());
    ASSERT_NE(bandEditor, nullptr);
    EXPECT_EQ(bandEditor->TileCount(), 3);
    bandEditor->GeneratePattern();
    EXPECT_EQ(bandEditor->frameDoubleFace->framePattern->GridWidth(), 4);
    const std::filesystem::path bandSaved = Folder() / "tall_band_saved.tvl";
    FileScript bandScript = Choose(bandSaved);
    {
        const ScriptedFileDialogs dialogs(bandScript);
        bandEditor->PerformAction(TWAction::Save, false, nullptr);
    }
    EXPECT_EQ(font_editor_test::ReadBytes(bandSaved), font_editor_test::ReadBytes(bandFile));
}

} // namespace
