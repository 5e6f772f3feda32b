// What the editors write, the Load command opens again. For every command that writes a
// pattern or a font file, at the largest size the program lets the design have, the written
// file opens through the main window's file loader; one past it the command that would make
// the design refuses with the limit's message (naming the file where it writes one), so that
// no editor ever holds a design it could save but not open.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "df_editor_test_support.h"
#include "editors/df_editor.h"
#include "editors/double_face_frame.h"
#include "editors/font_properties_dialog.h"
#include "editors/twill_editor.h"
#include "editors/twist_editor.h"
#include "editors/twist_size_dialog.h"
#include "font_editor_test_support.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "shell/file_loader.h"
#include "shell/file_loader_editors.h"
#include "shell/tool_actions.h"
#include "support/design_limits.h"
#include "support/memory_use.h"
#include "support/raised_message.h"

namespace {

using font_editor_test::FontEditorTest;

// A design of the kind with four-hole cards.
template <class Design>
std::unique_ptr<Design> MakeDesign(int width, int length)
{
    auto design = std::make_unique<Design>();
    design->SetSize(width, length);
    for (int x = 0; x < width; ++x) {
        design->Cards().Add(CreateCard(4).release());
    }
    design->SetCell(0, 0, true);
    return design;
}

// What the loader read from a file: its kind and size.
struct Reopened {
    int Kind = 0;
    int Cards = 0;
    int Picks = 0;
    int FontHeight = 0;
    int LetterWidth = 0;
};

class WrittenFilesOpenTest : public FontEditorTest {
protected:
    // Opens the file through the main window's loader. The kind's editor is played by a bare
    // window that notes what it was handed: what is checked is that the file reads, not how
    // an editor shows it (the editors' own tests open designs at the limit).
    std::optional<Reopened> Reopen(const std::filesystem::path& file)
    {
        std::vector<std::pair<int, TTWPatternEditorClass>> kept;
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            if (const TTWPatternEditorClass* editor = PatternEditorOf(kind)) {
                kept.emplace_back(kind, *editor);
            }
        }
        std::optional<Reopened> read;
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            RegisterPatternEditor(
                kind, TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return new fw::Form(&main); },
                                            [&read](fw::Form&, std::unique_ptr<TTWPatternBase> pattern,
                                                    const std::string&) {
                                                Reopened what{pattern->GetPatternType(), pattern->GetCardCount(),
                                                              pattern->GetPickCount()};
                                                if (const auto* font = dynamic_cast<const TTWFont*>(pattern.get())) {
                                                    what.FontHeight = font->Height();
                                                    what.LetterWidth =
                                                        font->GetCharCount() > 0 ? font->GetChar(0)->Width() : 0;
                                                }
                                                read = what;
                                            }});
        }
        std::string error;
        fw::Form* window = nullptr;
        try {
            window = LoadPatternFile(Main(), file.string());
        } catch (const TGenericException& raised) {
            error = raised.Message();
        }
        delete window;
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            RegisterPatternEditor(kind, TTWPatternEditorClass{});
        }
        for (auto& [kind, editor] : kept) {
            RegisterPatternEditor(kind, std::move(editor));
        }
        EXPECT_EQ(error, "") << file;
        return read;
    }

    // The file opens again through the loader as a pattern of the kind with the cards and picks.
    void ExpectReopens(const std::filesystem::path& file, int kind, int cards, int picks)
    {
        const std::optional<Reopened> reopened = Reopen(file);
        ASSERT_TRUE(reopened.has_value()) << file;
        EXPECT_EQ(reopened->Kind, kind);
        EXPECT_EQ(reopened->Cards, cards);
        EXPECT_EQ(reopened->Picks, picks);
    }

    // Runs the command with the file dialogs choosing the file under the filter.
    void RunSaving(const std::filesystem::path& file, int filterIndex, const std::function<void()>& command)
    {
        const fw::ScopedHandler handler(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
            dialog.SetFileName(file.string());
            dialog.SetFilterIndex(filterIndex);
            return true;
        });
        command();
    }

    // The Size command of a double-face or twill editor, answered with the size.
    void RunSize(TfrmTWDoublefaceNonMDI& editor, int width, int length)
    {
        modalScript = df_editor_test::SizeAnswer(width, length);
        try {
            editor.PerformAction(TWAction::PatternSize, false, nullptr);
        } catch (...) {
            modalScript = nullptr;
            throw;
        }
        modalScript = nullptr;
    }

    // A double-face or twill editor: sized one past the limit it refuses and keeps its
    // design; sized to the limit it saves the design and its threaded-in form, and both
    // open again.
    template <class Design, class Editor>
    void ExpectGridEditorSavesWhatOpens(int kind)
    {
        auto* editor = dynamic_cast<Editor*>(OpenPatternObject(Main(), *MakeDesign<Design>(2, 2), std::string()));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(RaisedMessage([&] { RunSize(*editor, MaxPatternCards, FullWidthRows + 1); }),
                  TooManyCells(MaxPatternCards, FullWidthRows + 1));
        EXPECT_EQ(editor->framePattern->GridHeight(), 2) << "the design is kept";
        RunSize(*editor, MaxPatternCards, FullWidthRows);
        ASSERT_EQ(editor->framePattern->GridWidth(), MaxPatternCards);
        ASSERT_EQ(editor->framePattern->GridHeight(), FullWidthRows);

        const std::filesystem::path design = Folder() / "design.tvl";
        RunSaving(design, 1, [&] { editor->PerformAction(TWAction::Save, false, nullptr); });
        ExpectReopens(design, kind, MaxPatternCards, 2 * FullWidthRows);

        // Saved as threaded-in: the design woven, two picks a row.
        const std::filesystem::path threaded = Folder() / "threaded.tvl";
        RunSaving(threaded, 2, [&] { editor->PerformAction(TWAction::Save, false, nullptr); });
        ExpectReopens(threaded, PatternTypeThreaded, MaxPatternCards, 2 * FullWidthRows);
        delete editor;
    }
};

TEST_F(WrittenFilesOpenTest, TheDoubleFaceAndTwillEditorsSaveAtTheLimitWhatOpensAndRefuseToGrowPastIt)
{
    ExpectGridEditorSavesWhatOpens<TTWDFPattern, TfrmTWDoublefaceNonMDI>(PatternTypeDoubleFace);
    ExpectGridEditorSavesWhatOpens<TTW31TwillPattern, TfrmTWDoubleFaceTwillNonMDI>(PatternTypeBrokenTwill);
}

TEST_F(WrittenFilesOpenTest, TheTwistEditorSavesADesignAtTheLimitThatOpens)
{
    // A narrow, long design: its Size command refuses a design one row past the limit and
    // keeps it; made as wide as a pattern may be and as long as the limit lets it, the
    // pattern takes both sides at once, then saves, and the file opens again.
    constexpr int Narrow = 10;
    const int longest = static_cast<int>(MaxDesignCells / Narrow);
    auto* editor = dynamic_cast<TfrmTWWarpTwinedPatternNonMDI*>(
        OpenPatternObject(Main(), *MakeDesign<TTWWarpTwinedPattern>(Narrow, longest), std::string()));
    ASSERT_NE(editor, nullptr);
    const auto size = [&](int width, int length) {
        modalScript = [&, width, length](fw::Form& form) {
            auto& dialog = dynamic_cast<TfrmWarpTwinedSize&>(form);
            dialog.edWidth->SetText(std::to_string(width));
            dialog.edLength->SetText(std::to_string(length));
            dialog.btnAccept->Click();
        };
        const std::string error = RaisedMessage([&] { editor->PerformAction(TWAction::PatternSize, false, nullptr); });
        modalScript = nullptr;
        return error;
    };
    EXPECT_EQ(size(MaxPatternCards, FullWidthRows + 1), TooManyCells(MaxPatternCards, FullWidthRows + 1));
    EXPECT_EQ(editor->framePattern->GridWidth(), Narrow);
    EXPECT_EQ(editor->framePattern->GridHeight(), longest);
    {
        // Never the new width at the old length on the way: a hundred times the cells.
        const PeakResidentGrowth peak;
        EXPECT_EQ(size(MaxPatternCards, FullWidthRows), "");
        EXPECT_LT(peak.Bytes(), std::size_t{256} << 20);
    }
    ASSERT_EQ(editor->framePattern->GridWidth(), MaxPatternCards);
    const std::filesystem::path file = Folder() / "twist.tvl";
    RunSaving(file, 1, [&] { editor->PerformAction(TWAction::Save, false, nullptr); });
    ExpectReopens(file, PatternTypeTwistPatterned, MaxPatternCards, FullWidthRows);
    delete editor;
}

TEST_F(WrittenFilesOpenTest, TheLetteredBandsDesignAtTheLimitOpensAndOnePastIsRefusedBeforeItIsWritten)
{
    // A font as high as a pattern may be wide, no rows between letters: "A" and "B" make a
    // design of exactly as many cells as a file holds, "A" and "C" one row more.
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(MaxPatternCards);
    font->SetKerning(0);
    const int first = FullWidthRows / 2;
    font->AddChar("A", "")->SetWidth(first);
    font->AddChar("B", "")->SetWidth(FullWidthRows - first);
    font->AddChar("C", "")->SetWidth(FullWidthRows - first + 1);

    TfrmTWLetteredBand& past = ShowBand(*font, "AC");
    past.GeneratePattern();
    const std::filesystem::path refused = Folder() / "past.tvl";
    const std::string error = RaisedMessage([&] { RunSaving(refused, 1, [&] { past.btnSaveDFPattern->Click(); }); });
    EXPECT_EQ(error, TooManyCells(MaxPatternCards, FullWidthRows + 1) + "\r\nFilename: " + refused.string());
    EXPECT_FALSE(std::filesystem::exists(refused)) << "nothing is written";
    delete &past;

    TfrmTWLetteredBand& band = ShowBand(*font, "AB");
    band.GeneratePattern();
    const std::filesystem::path file = Folder() / "design.tvl";
    RunSaving(file, 1, [&] { band.btnSaveDFPattern->Click(); });
    ExpectReopens(file, PatternTypeDoubleFace, MaxPatternCards, 2 * FullWidthRows);
    delete &band;
}

TEST_F(WrittenFilesOpenTest, AFontsLetterAtTheLimitOpensAndOnePastIsRefused)
{
    auto font = std::make_unique<TTWFont>();
    font->SetName("Tall");
    font->SetHeight(MaxPatternCards);
    font->AddChar("A", "")->SetWidth(2);
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    editor.lstFont->SelectOnly(editor.lstFont->Root()->GetItem(0));
    ASSERT_NE(editor.EditedLetter(), nullptr);

    // A letter one row longer than a font file holds is refused, and the letter kept.
    boxes.clear();
    editor.edLetterWidth->SetText(std::to_string(FullWidthRows + 1));
    editor.btnSetLetterWidth->Click();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{TooManyCells(MaxPatternCards, FullWidthRows + 1)});
    EXPECT_EQ(editor.framePattern->GridHeight(), 2);

    boxes.clear();
    editor.edLetterWidth->SetText(std::to_string(FullWidthRows));
    editor.btnSetLetterWidth->Click();
    EXPECT_TRUE(boxes.empty());
    const std::filesystem::path file = Folder() / "tall.tvf";
    RunSaving(file, 1, [&] { editor.PerformAction(TWAction::Save, false, nullptr); });
    const std::optional<Reopened> reopened = Reopen(file);
    ASSERT_TRUE(reopened.has_value());
    EXPECT_EQ(reopened->Kind, PatternTypeFont);
    EXPECT_EQ(reopened->FontHeight, MaxPatternCards);
    EXPECT_EQ(reopened->LetterWidth, FullWidthRows);
}

TEST_F(WrittenFilesOpenTest, TheFontPropertiesRefuseAHeightOrWidthThatWouldMakeALetterTooLarge)
{
    // Half as high as it may be, with a letter as long as a letter of the full height may
    // not be: the full height would make it too large, and so would the default width.
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(MaxPatternCards / 2);
    font->AddChar("A", "")->SetWidth(FullWidthRows + 1);
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    std::vector<std::vector<std::string>> messages;
    std::vector<std::string> focused;
    const auto accept = [&](const std::string& height, const std::string& width) {
        modalScript = [&, height, width](fw::Form& form) {
            auto& dialog = dynamic_cast<TfrmTWFontProperties&>(form);
            boxes.clear();
            dialog.edHeight->SetText(height);
            dialog.edWidth->SetText(width);
            dialog.btnAccept->Click();
            messages.push_back(BoxTexts());
            focused.push_back(dialog.edHeight->Focused() ? "edHeight" : dialog.edWidth->Focused() ? "edWidth" : "");
            if (dialog.GetModalResult() != fw::mrOk) {
                form.SetModalResult(fw::mrCancel);
            }
        };
        editor.PerformAction(TWAction::PatternDetails, false, nullptr);
        modalScript = nullptr;
    };
    accept(std::to_string(MaxPatternCards), "2");
    accept(std::to_string(MaxPatternCards / 2), std::to_string(2 * FullWidthRows + 1));
    EXPECT_EQ(messages, (std::vector<std::vector<std::string>>{
                            {TooManyCells(MaxPatternCards, FullWidthRows + 1)},
                            {TooManyCells(MaxPatternCards / 2, 2 * FullWidthRows + 1)}}));
    EXPECT_EQ(focused, (std::vector<std::string>{"edHeight", "edWidth"}));
    EXPECT_EQ(editor.Font().Height(), MaxPatternCards / 2);
    EXPECT_EQ(editor.Font().DefCharWidth(), 12) << "nothing taken";
}

TEST_F(WrittenFilesOpenTest, PatternsAsWideAsAPatternMayBeAndABandInItsTallestFontAreSavedAndOpen)
{
    // The threaded-in and brocade kinds are bounded by their cards.
    auto threaded = std::make_unique<TTWPattern>();
    for (int card = 0; card < MaxPatternCards; ++card) {
        threaded->Cards().Add(CreateCard(4).release());
    }
    threaded->Picks().Add();
    fw::Form* threadedEditor = OpenPatternObject(Main(), *threaded, std::string());
    ASSERT_NE(threadedEditor, nullptr);
    const std::filesystem::path threadedFile = Folder() / "threaded.tvl";
    RunSaving(threadedFile, 1, [&] {
        dynamic_cast<ITWActions&>(*threadedEditor).PerformAction(TWAction::Save, false, nullptr);
    });
    ExpectReopens(threadedFile, PatternTypeThreaded, MaxPatternCards, 1);

    auto brocade = std::make_unique<TTWBrocadePattern>();
    brocade->SetWidth(MaxPatternCards);
    brocade->SetSize(MaxPatternCards, 2);
    for (int card = 0; card < MaxPatternCards; ++card) {
        brocade->Cards().Add(CreateCard(4).release());
    }
    fw::Form* brocadeEditor = OpenPatternObject(Main(), *brocade, std::string());
    ASSERT_NE(brocadeEditor, nullptr);
    const std::filesystem::path brocadeFile = Folder() / "brocade.tvl";
    RunSaving(brocadeFile, 1, [&] {
        dynamic_cast<ITWActions&>(*brocadeEditor).PerformAction(TWAction::Save, false, nullptr);
    });
    ExpectReopens(brocadeFile, PatternTypeBrocade, MaxPatternCards, 2);

    // A band saved with its font embedded, the font as high as it may be and its letter as
    // long as that height lets it be.
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(MaxPatternCards);
    font->AddChar("A", "")->SetWidth(FullWidthRows);
    TfrmTWLetteredBand& band = ShowBand(*font, "A");
    const std::filesystem::path bandFile = Folder() / "band.tvl";
    RunSaving(bandFile, 1, [&] { band.PerformAction(TWAction::Save, false, nullptr); });
    const std::optional<Reopened> reopened = Reopen(bandFile);
    ASSERT_TRUE(reopened.has_value());
    EXPECT_EQ(reopened->Kind, PatternTypeLetteredBand);
}

TEST_F(WrittenFilesOpenTest, APictureImportedIntoALetterOfALowFontIsNoLongerThanALetterMayBe)
{
    // Five cards high, a picture one row longer than a letter may be holds few enough cells
    // for a design, but the font file would not open again with it.
    auto font = std::make_unique<TTWFont>();
    font->SetHeight(5);
    font->AddChar("A", "")->SetWidth(2);
    TfrmTWFontGenerator& editor = ShowFont(std::move(font));
    editor.lstFont->SelectOnly(editor.lstFont->Root()->GetItem(0));
    // The letter lies along the band on screen, and a picture is read as it shows there:
    // its width is the letter's length.
    TfrmBlockPattern& grid = *editor.framePattern;
    ASSERT_EQ(grid.GetOrientation(), TTWOrientation::Horizontal);
    ASSERT_TRUE(grid.ImportFollowsOrientation());
    ASSERT_TRUE(DesignCellsFit(5, TTWFontChar::MaxWidth + 1));
    EXPECT_EQ(RaisedMessage([&] { grid.ImportPicture(fw::Bitmap(TTWFontChar::MaxWidth + 1, 5, true)); }),
              TfrmTWFontGenerator::LetterWidthTooLargeText());
    EXPECT_EQ(grid.GridHeight(), 2);
    EXPECT_TRUE(grid.ImportPicture(fw::Bitmap(TTWFontChar::MaxWidth, 5, true)));
    EXPECT_EQ(grid.GridHeight(), TTWFontChar::MaxWidth);
    EXPECT_EQ(grid.GridWidth(), 5);
}

} // namespace

namespace {

TEST_F(WrittenFilesOpenTest, TheTwistEditorSavesAThreadingAsWideAsItsDesignAfterAPictureOrAnUndoChangedItsWidth)
{
    // The twist editor keeps its threading beside the grid; a picture imported, or an undo
    // back past one, changes the grid's width without the Size command: the file saved after
    // either holds one threading entry per column and opens again.
    auto* editor = dynamic_cast<TfrmTWWarpTwinedPatternNonMDI*>(
        OpenPatternObject(Main(), *MakeDesign<TTWWarpTwinedPattern>(6, 6), std::string()));
    ASSERT_NE(editor, nullptr);
    TfrmBlockPattern& grid = *editor->framePattern;
    const auto saveAndReopen = [&](const char* name, int width) {
        SCOPED_TRACE(name);
        ASSERT_EQ(grid.GridWidth(), width);
        const std::filesystem::path file = Folder() / name;
        RunSaving(file, 1, [&] { editor->PerformAction(TWAction::Save, false, nullptr); });
        const std::optional<Reopened> reopened = Reopen(file);
        ASSERT_TRUE(reopened.has_value());
        EXPECT_EQ(reopened->Kind, PatternTypeTwistPatterned);
        EXPECT_EQ(reopened->Cards, width);
    };
    ASSERT_TRUE(grid.ImportPicture(fw::Bitmap(2, 2, true)));
    saveAndReopen("narrowed.tvl", 2);
    grid.Undo();
    saveAndReopen("undone.tvl", 6);
    ASSERT_TRUE(grid.ImportPicture(fw::Bitmap(3, 3, true)));
    saveAndReopen("imported.tvl", 3);
    delete editor;
}

} // namespace
