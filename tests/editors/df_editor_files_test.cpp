// The double-face editor in the program: its commands and tool states, its pages, closing,
// saving under each of the three filters, and double-face files opened by the Load command
// and from the command line.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/brush_page.h"
#include "df_editor_test_support.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_edit.h"
#include "model/palette.h"
#include "model/pattern_limits.h"
#include "model/pattern_base.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "shell/size_dialog.h"
#include "shell/tool_actions.h"
#include "support/one_bit_bmp.h"
#include "support/pick_texts.h"

namespace {

using df_editor_test::DFEditorTest;
using df_editor_test::MakeDesign;

std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the save dialog was asked, and the answer it gives (none: cancelled).
struct SaveScript {
    std::optional<std::string> Choice;
    int FilterIndex = 1;
    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    std::string Proposed;
};

SaveScript Choose(const std::filesystem::path& file, int filterIndex)
{
    SaveScript script;
    script.Choice = file.string();
    script.FilterIndex = filterIndex;
    return script;
}

void Save(TfrmTWDoublefaceNonMDI& editor, SaveScript& script)
{
    const fw::ScopedHandler handler(&fw::FileDialog::SetHandler, [&script](fw::FileDialog& dialog) {
        script.Title = dialog.Title();
        script.Filter = dialog.Filter();
        script.DefaultExt = dialog.DefaultExt();
        script.Proposed = dialog.FileName();
        if (!script.Choice) {
            return false;
        }
        dialog.SetFileName(*script.Choice);
        dialog.SetFilterIndex(script.FilterIndex);
        return true;
    });
    EXPECT_TRUE(editor.PerformAction(TWAction::Save, false, nullptr));
}

// The threaded-in pattern the model makes of a design, with its palette and name.
std::unique_ptr<TTWPattern> ModelConversion(TTWDFPattern& design)
{
    auto threaded = std::make_unique<TTWPattern>();
    design.ConvertToThreaded(*threaded);
    threaded->Palette().Assign(&design.Palette());
    threaded->SetName(design.Name());
    return threaded;
}

std::unique_ptr<TTWDFPattern> ReadDesign(const std::filesystem::path& file)
{
    std::unique_ptr<TTWPatternBase> read = LoadAndCreatePattern(file.string());
    auto* design = dynamic_cast<TTWDFPattern*>(read.get());
    if (design == nullptr || read->GetPatternType() != PatternTypeDoubleFace) {
        ADD_FAILURE() << file << " holds no double-face pattern";
        return nullptr;
    }
    read.release();
    return std::unique_ptr<TTWDFPattern>(design);
}

using DFEditorSaveTest = DFEditorTest;

TEST_F(DFEditorSaveTest, TheFiltersSaveTheDesignTheThreadedInPatternOrItsTurningSequence)
{
    const std::unique_ptr<TTWDFPattern> design =
        MakeDesign(4, 3, 2, [](int x, int y) { return x == y || (x == 3 && y == 0); });
    design->SetName("Saved");
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPattern(*design);

    // Cancelled: nothing is written.
    SaveScript cancelled;
    Save(editor, cancelled);
    EXPECT_EQ(cancelled.Title, "Save Pattern");
    EXPECT_EQ(cancelled.Filter, "Pattern (*.tvl)|*.tvl|Threaded-in Pattern (*.tvl)|*.tvl|Text (*.txt)|*.txt");
    EXPECT_EQ(cancelled.DefaultExt, "tvl");
    EXPECT_TRUE(editor.GetFileName().empty());

    // 1: the double-face design, which the window now lives in.
    const std::filesystem::path own = Folder() / "own.tvl";
    SaveScript first = Choose(own, 1);
    Save(editor, first);
    const std::unique_ptr<TTWDFPattern> read = ReadDesign(own);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Name(), "Saved");
    EXPECT_EQ(read->Width(), 4);
    EXPECT_EQ(read->Length(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(read->GetCell(x, y), design->GetCell(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(editor.GetFileName(), own.string());

    // 2: the threaded-in pattern, as the model converts the design; an export only.
    const std::unique_ptr<TTWPattern> expected = ModelConversion(*design);
    const std::filesystem::path threadedFile = Folder() / "threaded.tvl";
    SaveScript second = Choose(threadedFile, 2);
    Save(editor, second);
    EXPECT_EQ(second.Proposed, own.string());
    std::unique_ptr<TTWPatternBase> threaded = LoadAndCreatePattern(threadedFile.string());
    ASSERT_NE(threaded, nullptr);
    ASSERT_EQ(threaded->GetPatternType(), PatternTypeThreaded);
    auto& asThreaded = dynamic_cast<TTWPattern&>(*threaded);
    EXPECT_EQ(asThreaded.Name(), "Saved");
    EXPECT_EQ(asThreaded.Picks().Count(), 6);
    EXPECT_EQ(PickTexts(asThreaded), PickTexts(*expected));
    EXPECT_EQ(asThreaded.Cards().Count(), 4);
    EXPECT_EQ(editor.GetFileName(), own.string());

    // 3 with a text name: the turning sequence the model writes for that pattern.
    const std::filesystem::path text = Folder() / "band.txt";
    SaveScript third = Choose(text, 3);
    Save(editor, third);
    const std::filesystem::path expectedText = Folder() / "expected.txt";
    expected->SaveToFile(expectedText.string());
    ASSERT_TRUE(std::filesystem::exists(text));
    EXPECT_FALSE(ReadBytes(text).empty());
    EXPECT_EQ(ReadBytes(text), ReadBytes(expectedText));

    // 3 with a pattern name: a threaded-in pattern file.
    const std::filesystem::path textAsPattern = Folder() / "band.tvl";
    SaveScript fourth = Choose(textAsPattern, 3);
    Save(editor, fourth);
    threaded = LoadAndCreatePattern(textAsPattern.string());
    ASSERT_NE(threaded, nullptr);
    EXPECT_EQ(threaded->GetPatternType(), PatternTypeThreaded);
    EXPECT_EQ(ReadBytes(textAsPattern), ReadBytes(threadedFile));
}

using DFEditorOpenTest = DFEditorTest;

TEST_F(DFEditorOpenTest, AFourColourFileSwitchesTheWindowToFourColoursBeforeTheCellsCome)
{
    const std::unique_ptr<TTWDFPattern> design = MakeDesign(5, 4, 4, [](int x, int y) { return (x + y) % 3 == 0; });
    const std::filesystem::path file = Folder() / "four.tvl";
    design->SaveToFile(file.string());

    TfrmTWDoublefaceNonMDI& editor = OpenDF(file);
    EXPECT_EQ(editor.ColourCount(), 4);
    EXPECT_EQ(editor.frameCards->HoleCount(), 4);
    EXPECT_FALSE(editor.framePattern->GetSimpleDraw());
    EXPECT_EQ(editor.GetFileName(), file.string());
    EXPECT_EQ(editor.Caption(), "Double-Face: Made");
    ASSERT_EQ(editor.framePattern->GridWidth(), 5);
    ASSERT_EQ(editor.framePattern->GridHeight(), 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(editor.framePattern->IsCellSet(x, y), design->GetCell(x, y)) << x << "," << y;
        }
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(df_editor_test::HoleIndexes(*editor.frameCards->GetCardFrame(i)), (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(editor.frameCards->GetCardFrame(i)->Threading(), i % 3 == 0 ? ThreadingZ : ThreadingS);
    }
}

using DFEditorCommandsTest = DFEditorTest;

TEST_F(DFEditorCommandsTest, TheToolStatesFollowThePageShown)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    TTWToolActionList list;
    editor.GetToolActions(list);
    for (const int id : {TWAction::PatternDetails, TWAction::PatternSize, TWAction::Save, TWAction::ThreadingDiagram,
                         TWAction::Notes, TWAction::Print, TWAction::Selvedges, TWAction::CardList}) {
        ASSERT_NE(list.Find(id), nullptr) << id;
        EXPECT_TRUE(list.Find(id)->Enabled) << id;
    }
    EXPECT_TRUE(list.Find(TWAction::CardList)->Down);
    EXPECT_EQ(list.Find(TWAction::CardSetup), nullptr);
    // The grid's own commands while the design shows.
    EXPECT_NE(list.Find(TWAction::Invert), nullptr);

    editor.ShowPage(editor.pgImage);
    ASSERT_TRUE(editor.ImageShown());
    TTWToolActionList image;
    editor.GetToolActions(image);
    EXPECT_EQ(image.Find(TWAction::Invert), nullptr);
    EXPECT_NE(image.Find(TWAction::ShowReverse), nullptr);

    NewDF(TTWWindowKind::SixHoleDoubleFaceEditor);
    TTWToolActionList six;
    ActiveDF()->GetToolActions(six);
    EXPECT_EQ(six.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
    TfrmTWDoublefaceNonMDI& four = NewDF(TTWWindowKind::MultiColourDoubleFaceEditor);
    TTWToolActionList fourList;
    four.GetToolActions(fourList);
    EXPECT_NE(fourList.Find(TWAction::ShowUnderlyingBlockPattern), nullptr);
}

TEST_F(DFEditorCommandsTest, OtherCommandsGoToTheFrameOfThePageShown)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    answers.push_back(fw::mrYes);
    EXPECT_TRUE(editor.PerformAction(TWAction::Invert, false, nullptr));
    EXPECT_TRUE(editor.framePattern->IsCellSet(0, 0));
    EXPECT_TRUE(editor.framePattern->IsCellSet(7, 11));

    editor.ShowPage(editor.pgImage);
    const bool grid = editor.frameWeaving->GetShowGrid();
    EXPECT_TRUE(editor.PerformAction(TWAction::ShowGrid, !grid, nullptr));
    EXPECT_EQ(editor.frameWeaving->GetShowGrid(), !grid);
    // The design did not hear it.
    EXPECT_TRUE(editor.framePattern->IsCellSet(3, 3));

    // Unknown ids are handled too.
    EXPECT_TRUE(editor.PerformAction(9999, false, nullptr));
}

TEST_F(DFEditorCommandsTest, TheSizeAndCardRowCommands)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    modalScript = [](fw::Form& form) {
        auto& size = dynamic_cast<TfrmSize&>(form);
        EXPECT_EQ(size.edWidth->Text(), "8");
        EXPECT_EQ(size.edLength->Text(), "12");
        size.edWidth->SetText("5");
        size.edLength->SetText("20");
        size.btnAcceptClick();
    };
    editor.PerformAction(TWAction::PatternSize, false, nullptr);
    EXPECT_EQ(editor.framePattern->GridWidth(), 5);
    EXPECT_EQ(editor.framePattern->GridHeight(), 20);
    EXPECT_EQ(editor.frameCards->CardCount(), 5);

    modalScript = nullptr;
    editor.PerformAction(TWAction::PatternSize, false, nullptr);
    EXPECT_EQ(editor.framePattern->GridWidth(), 5);

    editor.PerformAction(TWAction::CardList, false, nullptr);
    EXPECT_FALSE(editor.CardListShown());
    EXPECT_FALSE(editor.frameCards->Visible());
    editor.PerformAction(TWAction::CardList, true, nullptr);
    EXPECT_TRUE(editor.frameCards->Visible());
}

TEST_F(DFEditorCommandsTest, AnUndoAfterAnImportBringsBackTheCardsOfTheOldSize)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    const std::filesystem::path picture = Folder() / "narrow.bmp";
    {
        const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp({"#.#.#", ".#.#."}, 0xFFFFFF, 0x000000, false);
        std::ofstream out(picture, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const fw::ScopedHandler script(&fw::OpenDialog::SetHandler, [&](fw::FileDialog& dialog) {
        dialog.SetFileName(picture.string());
        return true;
    });
    ASSERT_EQ(editor.frameCards->CardCount(), 8);
    editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_EQ(editor.framePattern->GridWidth(), 5);
    EXPECT_EQ(editor.frameCards->CardCount(), 5) << "one card a column";

    editor.PerformAction(TWAction::Undo, false, nullptr);
    EXPECT_EQ(editor.framePattern->GridWidth(), 8);
    EXPECT_EQ(editor.framePattern->GridHeight(), 12);
    EXPECT_EQ(editor.frameCards->CardCount(), 8) << "the card row follows the design the undo brought back";
}

// A card a column: a picture that would give more cards than a pattern may have is refused
// with the width error before a single card frame is made, the design and its steps as
// they were.
TEST_F(DFEditorCommandsTest, APictureOfMoreColumnsThanAPatternMayHaveCardsIsRefused)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    const std::string tooWide = "Invalid pattern width (" + std::to_string(MaxPatternCards + 1)
                                + ").\r\nA pattern has at most " + std::to_string(MaxPatternCards) + " cards.";
    const auto write = [&](const std::string& name, const std::vector<std::string>& rows) {
        const std::filesystem::path picture = Folder() / name;
        const std::vector<std::uint8_t> bytes = test_bmp::OneBitBmp(rows, 0xFFFFFF, 0x000000, false);
        std::ofstream out(picture, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return picture;
    };
    const std::filesystem::path wide =
        write("wide.bmp", {std::string(MaxPatternCards + 1, '#'), std::string(MaxPatternCards + 1, '.')});
    std::filesystem::path chosen;
    const fw::ScopedHandler script(&fw::OpenDialog::SetHandler, [&](fw::FileDialog& dialog) {
        dialog.SetFileName(chosen.string());
        return true;
    });
    ASSERT_EQ(editor.frameCards->CardCount(), 8);
    const int steps = editor.framePattern->UndoList().Count();
    const std::size_t shown = boxes.size();

    chosen = wide;
    editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
    ASSERT_EQ(boxes.size(), shown + 1);
    EXPECT_EQ(boxes.back().Text, tooWide);
    EXPECT_EQ(boxes.back().Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(editor.framePattern->GridWidth(), 8);
    EXPECT_EQ(editor.framePattern->GridHeight(), 12);
    EXPECT_EQ(editor.frameCards->CardCount(), 8);
    EXPECT_EQ(editor.framePattern->UndoList().Count(), steps);

    // At the limit the picture is taken, a card a column.
    chosen = write("at_limit.bmp", {std::string(MaxPatternCards, '#'), std::string(MaxPatternCards, '.')});
    editor.PerformAction(TWAction::ImportBitmap, false, nullptr);
    EXPECT_EQ(boxes.size(), shown + 1);
    EXPECT_EQ(editor.framePattern->GridWidth(), MaxPatternCards);
    EXPECT_EQ(editor.frameCards->CardCount(), MaxPatternCards);
}

TEST_F(DFEditorCommandsTest, ClosingAsksAndOnlyYesCloses)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    const fw::WeakRef<fw::Form> alive(&editor);
    answers.push_back(fw::mrNo);
    editor.Close();
    fw::ProcessPostedMessages();
    ASSERT_TRUE(alive);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().Text, "Close form and lose changes?");

    answers.push_back(fw::mrYes);
    editor.Close();
    fw::ProcessPostedMessages();
    EXPECT_FALSE(alive);
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

TEST_F(DFEditorCommandsTest, RenamingSetsTheCaptionAndTheName)
{
    TfrmTWDoublefaceNonMDI& editor = NewDF();
    editor.SetPatternName("Chevrons");
    EXPECT_EQ(editor.Caption(), "Double-Face: Chevrons");
    EXPECT_EQ(editor.GetPatternName(), "Chevrons");
    TTWDFPattern saved;
    editor.GetDFPattern(saved);
    EXPECT_EQ(saved.Name(), "Chevrons");
}

// --- The program started with a double-face file ---------------------------------------------------

constexpr const char* SampleFile = "doubleface_small.tvl";

class DFEditorStartTest : public DFEditorTest {
protected:
    void SetUp() override
    {
        commandLine = {"tavelin", sample_patterns::SamplePath(SampleFile).string()};
        DFEditorTest::SetUp();
    }
};

TEST_F(DFEditorStartTest, ACellClickedIsSavedReadBackAlikeAndWovenAsTheModelWeavesIt)
{
    fw::ProcessPostedMessages();
    TfrmTWDoublefaceNonMDI* editor = ActiveDF();
    ASSERT_NE(editor, nullptr);
    const std::filesystem::path sample = sample_patterns::SamplePath(SampleFile);
    EXPECT_EQ(editor->Caption(), "Double-Face: Small Arrows");
    EXPECT_EQ(editor->GetFileName(), sample.string());
    const std::unique_ptr<TTWDFPattern> design = ReadDesign(sample);
    ASSERT_NE(design, nullptr);
    ASSERT_EQ(editor->framePattern->GridWidth(), design->Width());
    ASSERT_EQ(editor->framePattern->GridHeight(), design->Length());

    // A click in the middle of cell (3, 5) toggles it.
    const fw::Rect cell = editor->framePattern->Geometry().CellRect(3, 5);
    const int x = (cell.Left + cell.Right) / 2;
    const int y = (cell.Top + cell.Bottom) / 2;
    const bool before = editor->framePattern->IsCellSet(3, 5);
    ASSERT_EQ(before, design->GetCell(3, 5));
    editor->framePattern->ImageMouseDown(fw::MouseButton::Left, fw::ShiftState{}, x, y);
    editor->framePattern->ImageMouseUp(fw::MouseButton::Left, fw::ShiftState{}, x, y);
    ASSERT_NE(editor->framePattern->IsCellSet(3, 5), before);

    // Saved, it is the sample with that cell changed, as the model writes it.
    const std::filesystem::path saved = Folder() / "saved.tvl";
    SaveScript script = Choose(saved, 1);
    Save(*editor, script);
    design->SetCell(3, 5, !before);
    const std::filesystem::path expected = Folder() / "expected.tvl";
    design->SaveToFile(expected.string());
    EXPECT_EQ(ReadBytes(saved), ReadBytes(expected));

    // Opened again and saved again: the same bytes.
    TfrmTWDoublefaceNonMDI& again = OpenDF(saved);
    ASSERT_NE(&again, editor);
    const std::filesystem::path resaved = Folder() / "resaved.tvl";
    SaveScript second = Choose(resaved, 1);
    Save(again, second);
    EXPECT_EQ(ReadBytes(resaved), ReadBytes(saved));

    // The band shown is the model's weaving of the design converted to threaded-in.
    again.ShowPage(again.pgImage);
    const std::unique_ptr<TTWPattern> threaded = ModelConversion(*design);
    TTWWeaving woven;
    threaded->BuildWeaving(woven, &threaded->Palette(), false, 0);
    const TTWWeaving* shown = again.frameWeaving->Weaving();
    ASSERT_EQ(shown, &again.FrontWeaving());
    ASSERT_EQ(shown->Width(), woven.Width());
    ASSERT_EQ(shown->PickCount(), woven.PickCount());
    ASSERT_EQ(woven.PickCount(), design->Length() * 2);
    for (int pick = 0; pick < woven.PickCount(); ++pick) {
        for (int column = 0; column < woven.Width(); ++column) {
            const TTWWeavingCell& want = *woven.Cell(column, pick);
            const TTWWeavingCell& got = *shown->Cell(column, pick);
            ASSERT_EQ(got.Colour, want.Colour) << column << "," << pick;
            ASSERT_EQ(got.Slant, want.Slant) << column << "," << pick;
            ASSERT_EQ(got.Hole, want.Hole) << column << "," << pick;
            ASSERT_EQ(got.TurnDir, want.TurnDir) << column << "," << pick;
        }
    }
}

} // namespace
