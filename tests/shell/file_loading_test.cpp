#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/gui/dialogs.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/pattern_file_read.h"
#include "model/pattern_limits.h"
#include "model/user_settings.h"
#include "shell/data_module.h"
#include "shell/file_loader.h"
#include "shell/file_loader_editors.h"
#include "shell_fixture.h"
#include "support/unusual_files.h"
#include "support/utf16_bytes.h"

using namespace shell_test;

namespace {

// An editor that holds the pattern it was opened with, and counts the editors alive.
class PatternEditor : public FakeEditor {
public:
    PatternEditor(fw::Component* owner, int patternKind) : FakeEditor(owner), kind(patternKind) { ++alive; }
    ~PatternEditor() override { --alive; }

    const int kind;
    std::unique_ptr<TTWPatternBase> pattern;
    static int alive;
};

int PatternEditor::alive = 0;

// A pattern of a kind the program does not know.
class StrangePattern : public TTWPatternBase {
public:
    int GetPatternType() const override { return 9; }
    int GetCardCount() const override { return 0; }
    int GetPickCount() const override { return 0; }
    void ConvertToThreaded(TTWPattern&) override {}
};

class FileLoadingTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ResetPatternEditorsForTests();
        PatternEditor::alive = 0;
        RegisterFileLoading();
        SetXMLNameCheck(false);
    }
    void TearDown() override
    {
        FreeMain();
        EXPECT_EQ(PatternEditor::alive, 0);
        ResetPatternEditorsForTests();
        ShellTest::TearDown();
    }

    // Every kind opens a PatternEditor; the kinds made are recorded. With failOpen set, the
    // editor fails while it is being given its pattern.
    void RegisterEditors()
    {
        for (int kind = PatternTypeFont; kind <= PatternTypeTwistPatterned; ++kind) {
            RegisterPatternEditor(
                kind, TTWPatternEditorClass{
                          [this, kind](TfrmTWMain& main) -> fw::Form* {
                              made.push_back(kind);
                              return new PatternEditor(&main, kind);
                          },
                          [this](fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName) {
                              auto& editor = dynamic_cast<PatternEditor&>(form);
                              editor.pattern = std::move(pattern);
                              editor.fileName = fileName;
                              if (failOpen) {
                                  throw TGenericException("The editor cannot show it.", nullptr, "", "OpenPattern");
                              }
                              editor.Show();
                          }});
        }
    }

    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = (Folder() / name).string();
        fw::WriteFileAtomically(path, text);
        return path;
    }
    // A file of the envelope holding the given elements.
    std::string WriteEnvelope(const std::string& name, const std::string& elements)
    {
        return WriteFile(name, "<TWData><Source>Tavelin</Source><Version>1.17</Version><Release/>" + elements
                                   + "</TWData>");
    }
    std::string SavePattern(const TTWPatternBase& pattern, const std::string& name)
    {
        const std::string path = (Folder() / name).string();
        TILXMLTree tree;
        pattern.BuildXML(CreateTWDataRoot(tree));
        tree.BuildXML(path, true, true);
        return path;
    }

    PatternEditor* Load(const std::string& path)
    {
        return dynamic_cast<PatternEditor*>(LoadPatternFile(Main(), path));
    }
    // The loader's error for the file; none when it loaded.
    std::optional<TGenericException> LoadError(const std::string& path)
    {
        try {
            LoadPatternFile(Main(), path);
        } catch (const TGenericException& error) {
            return error;
        }
        return std::nullopt;
    }
    void ExpectLoaderError(const std::string& path, const std::string& message)
    {
        const std::optional<TGenericException> error = LoadError(path);
        ASSERT_TRUE(error.has_value()) << path;
        EXPECT_EQ(error->Message(), message);
        ASSERT_GE(error->InfoCount(), 1);
        EXPECT_EQ(error->GetInfo(0)->Message, message);
        EXPECT_EQ(error->GetInfo(0)->SenderName, Main().SenderText());
        EXPECT_EQ(error->GetInfo(0)->SenderName.rfind("TfrmTWMain", 0), 0u) << error->GetInfo(0)->SenderName;
        EXPECT_EQ(error->GetInfo(0)->MethodName, "mnuLoadClick");
    }
    // A refusal of the model's reader: its own sender, the file named after its text.
    void ExpectReaderError(const std::string& path, const std::string& message)
    {
        const std::optional<TGenericException> error = LoadError(path);
        ASSERT_TRUE(error.has_value()) << path;
        EXPECT_EQ(error->Message(), message);
        ASSERT_GE(error->InfoCount(), 1);
        EXPECT_EQ(error->GetInfo(0)->Message, message);
    }

    std::vector<int> made;
    bool failOpen = false;
};

TEST_F(FileLoadingTest, AFontBesideAPatternOpensAsAFont)
{
    RegisterEditors();
    TTWDFPattern pattern;
    pattern.SetName("Diamonds");
    TTWFont font;
    font.SetName("Uncial");
    font.AddChar("A", "A");
    // The pattern comes first in the file; the font still wins.
    const std::string path = (Folder() / "both.tvf").string();
    {
        TILXMLTree tree;
        TILXMLNode* root = CreateTWDataRoot(tree);
        pattern.BuildXML(root);
        font.BuildXML(root);
        tree.BuildXML(path, true, true);
    }
    PatternEditor* editor = Load(path);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(made, std::vector<int>{PatternTypeFont});
    EXPECT_EQ(editor->kind, PatternTypeFont);
    auto* loaded = dynamic_cast<TTWFont*>(editor->pattern.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Name(), "Uncial");
    EXPECT_EQ(loaded->GetCharCount(), 1);
    EXPECT_EQ(editor->fileName, path);
    EXPECT_EQ(editor->Owner(), &Main());
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(Main().MDIChildCount(), 1);
}

TEST_F(FileLoadingTest, EveryKindOpensItsOwnEditorWithThePatternRead)
{
    RegisterEditors();
    for (int kind = PatternTypeThreaded; kind <= PatternTypeTwistPatterned; ++kind) {
        std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(kind);
        pattern->SetName("Kind " + std::to_string(kind));
        pattern->SetNotes("Notes of " + std::to_string(kind));
        if (auto* band = dynamic_cast<TTWLetteredBand*>(pattern.get())) {
            band->SetTextFrom("TABLET");
        }
        const std::string path = SavePattern(*pattern, "kind" + std::to_string(kind) + ".tvl");
        PatternEditor* editor = Load(path);
        ASSERT_NE(editor, nullptr) << kind;
        EXPECT_EQ(editor->kind, kind);
        ASSERT_NE(editor->pattern, nullptr);
        EXPECT_EQ(editor->pattern->GetPatternType(), kind);
        EXPECT_EQ(editor->pattern->className(), pattern->className());
        EXPECT_EQ(editor->pattern->Notes(), "Notes of " + std::to_string(kind));
        if (auto* band = dynamic_cast<TTWLetteredBand*>(editor->pattern.get())) {
            EXPECT_EQ(band->Text().Count(), 6);
        } else {
            EXPECT_EQ(editor->pattern->Name(), "Kind " + std::to_string(kind));
        }
        EXPECT_EQ(editor->fileName, path);
    }
    EXPECT_EQ(made, (std::vector<int>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Main().MDIChildCount(), 6);
}

TEST_F(FileLoadingTest, TheOtherSpellingsOfTheTypesOpenTheirKinds)
{
    RegisterEditors();
    const std::vector<std::pair<std::string, int>> spellings{
        {"WarpTwined", PatternTypeTwistPatterned}, {"doubleface", PatternTypeDoubleFace},
        {"Threaded", PatternTypeThreaded},         {"3/1 BROKEN TWILL", PatternTypeBrokenTwill},
        {"Lettered Band", PatternTypeLetteredBand}, {"brocade", PatternTypeBrocade},
    };
    for (const auto& [type, kind] : spellings) {
        const std::string path =
            WriteEnvelope("typed.tvl", "<Pattern Type=\"" + type + "\"><Name>Typed</Name></Pattern>");
        PatternEditor* editor = Load(path);
        ASSERT_NE(editor, nullptr) << type;
        EXPECT_EQ(editor->kind, kind) << type;
        EXPECT_EQ(editor->pattern->GetPatternType(), kind) << type;
    }
    // "WarpTwined" is read by the twist-patterned class.
    EXPECT_EQ(made.front(), 7);
}

TEST_F(FileLoadingTest, UnknownTypesAreRefusedNamingTheMainWindowAndTheFile)
{
    RegisterEditors();
    const auto expectUnknown = [&](const std::string& path, const std::string& type) {
        ExpectLoaderError(path, "Unable to create pattern.\r\nThe type <" + type + "> is unknown.\r\nFilename: " + path);
    };
    expectUnknown(WriteEnvelope("unknown.tvl", "<Pattern Type=\"Unknown\"><Name>x</Name></Pattern>"), "Unknown");
    // A font is only read from its own element.
    expectUnknown(WriteEnvelope("fontpattern.tvl", "<Pattern Type=\"Font\"/>"), "Font");
    expectUnknown(WriteEnvelope("untyped.tvl", "<Pattern><Name>x</Name></Pattern>"), "");
    EXPECT_TRUE(made.empty()) << "no editor was made";
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

TEST_F(FileLoadingTest, AFileWithoutPatternDataIsRefused)
{
    RegisterEditors();
    // The message names the file, so that the user knows which of several was refused.
    const auto expectNoData = [&](const std::string& path) {
        ExpectLoaderError(path, "No pattern or font data found in this file.\r\nFilename: " + path);
    };
    expectNoData(WriteEnvelope("empty.tvl", ""));
    // A palettes file is no pattern file either.
    expectNoData(WriteFile("palettes.tvl", "<TVL><Palettes Count=\"0\"/></TVL>"));
    // "Pattern" must be a child of the root, not deeper.
    expectNoData(WriteEnvelope("deep.tvl", "<Band><Pattern Type=\"Brocade\"/></Band>"));
    EXPECT_TRUE(made.empty());
}

TEST_F(FileLoadingTest, AFileThatFailsWhileBeingReadLeavesNoWindowAndNoObjects)
{
    RegisterEditors();
    // Each is made, then fails part way through reading; what was made must go (the
    // sanitizer's leak check holds the objects to account).
    const std::vector<std::string> broken{
        WriteEnvelope("cards.tvl", "<Pattern Type=\"Threaded\"><Cards Count=\"2\"><Card Holes=\"4\"><Holes "
                                   "Count=\"4\"><Colour>1</Colour><Colour>2</Colour><Colour>3</Colour><Colour>4</"
                                   "Colour></Holes></Card><Card Holes=\"1000000\"/></Cards></Pattern>"),
        WriteEnvelope("font.tvf", "<Font Type=\"Font\"><Name>Huge</Name><Height>1001</Height></Font>"),
        WriteEnvelope("grid.tvl", "<Pattern Type=\"DoubleFace\"><Width>2147483647</Width><Length>4</Length></Pattern>"),
    };
    for (const std::string& path : broken) {
        EXPECT_THROW(LoadPatternFile(Main(), path), fw::Exception) << path;
    }
    // A document that does not parse.
    EXPECT_THROW(LoadPatternFile(Main(), WriteFile("cut.tvl", "<TWData><Pattern Type=\"Brocade\">")), fw::Exception);
    // A file that is not there.
    EXPECT_THROW(LoadPatternFile(Main(), (Folder() / "missing.tvl").string()), fw::Exception);
    EXPECT_TRUE(made.empty()) << "reading fails before any editor is made";
    EXPECT_EQ(PatternEditor::alive, 0);
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

namespace {

std::string FourHoleCards(int count)
{
    std::string cards = "<Cards Count=\"" + std::to_string(count) + "\">";
    for (int i = 0; i < count; ++i) {
        cards += "<Card Holes=\"4\"><Holes Count=\"4\"><Colour>1</Colour><Colour>2</Colour><Colour>3</Colour>"
                 "<Colour>4</Colour></Holes></Card>";
    }
    return cards + "</Cards>";
}

// A font element of that many cards high whose one letter, "A", is as high.
std::string FontOfHeight(const std::string& height)
{
    const std::string glyph = height.starts_with('-') ? "1" : height;
    return "<Font Type=\"Font\"><Name>f</Name><Height>" + height
           + "</Height><Data><Character Letter=\"A\"><Pattern Type=\"Doubleface\"><Width>" + glyph
           + "</Width><Length>2</Length></Pattern></Character></Data></Font>";
}

// The pattern (or font) element of each kind, so many cards wide (or high); the count is
// written as given, so that it may be negative.
std::vector<std::pair<std::string, std::string>> ElementsOfEveryKind(const std::string& cards)
{
    const bool negative = cards.starts_with('-');
    return {
        {"threaded", "<Pattern Type=\"Threaded\">"
                         + (negative ? "<Cards Count=\"" + cards + "\"/>" : FourHoleCards(std::stoi(cards)))
                         + "</Pattern>"},
        {"double-face", "<Pattern Type=\"DoubleFace\"><Width>" + cards + "</Width><Length>2</Length></Pattern>"},
        {"twill", "<Pattern Type=\"BrokenTwill\"><Width>" + cards + "</Width><Length>2</Length></Pattern>"},
        {"twist", "<Pattern Type=\"TwistPatterned\"><Width>" + cards + "</Width><Length>2</Length></Pattern>"},
        {"brocade", "<Pattern Type=\"Brocade\"><Width>" + cards + "</Width></Pattern>"},
        {"font", FontOfHeight(cards)},
        {"lettered band", "<Pattern Type=\"LetteredBand\"><Text><Char>A</Char></Text><Font Name=\"f\" "
                          "Encapsulated=\"Yes\">"
                              + FontOfHeight(cards) + "</Font></Pattern>"},
    };
}

// How many cards wide the pattern an editor was given is, or how high its font.
int CardsOf(const TTWPatternBase& pattern)
{
    if (const auto* font = dynamic_cast<const TTWFont*>(&pattern)) {
        return font->Height();
    }
    if (const auto* band = dynamic_cast<const TTWLetteredBand*>(&pattern)) {
        return band->Font() != nullptr ? band->Font()->Height() : -1;
    }
    return pattern.GetCardCount();
}

} // namespace

TEST_F(FileLoadingTest, EveryKindOpensAtTheCardLimit)
{
    RegisterEditors();
    for (const auto& [kind, element] : ElementsOfEveryKind(std::to_string(MaxPatternCards))) {
        PatternEditor* editor = Load(WriteEnvelope("limit.tvl", element));
        ASSERT_NE(editor, nullptr) << kind;
        ASSERT_NE(editor->pattern, nullptr) << kind;
        EXPECT_EQ(CardsOf(*editor->pattern), MaxPatternCards) << kind;
    }
    EXPECT_EQ(made.size(), 7u);
}

TEST_F(FileLoadingTest, ACardPastTheLimitOrANegativeSizeIsRefusedNamingTheFileAndNothingOpens)
{
    RegisterEditors();
    const std::string limit = std::to_string(MaxPatternCards);
    const std::string past = std::to_string(MaxPatternCards + 1);
    const std::string tooWide = "Invalid pattern width (" + past + ").\r\nA pattern has at most " + limit + " cards.";
    const std::string tooHigh = "Invalid letter height " + past + ".\r\nLetters are at most " + limit + " cards high.";
    const auto expectRefused = [&](const std::string& kind, const std::string& path, const std::string& message) {
        const std::optional<TGenericException> error = LoadError(path);
        ASSERT_TRUE(error.has_value()) << kind;
        const std::string named = message + "\r\nFilename: " + path;
        EXPECT_EQ(error->Message(), named) << kind;
        ASSERT_GE(error->InfoCount(), 1) << kind;
        EXPECT_EQ(error->GetInfo(0)->Message, named) << kind;
    };
    for (const auto& [kind, element] : ElementsOfEveryKind(past)) {
        const bool font = kind == "font" || kind == "lettered band";
        expectRefused(kind, WriteEnvelope("wide.tvl", element), font ? tooHigh : tooWide);
    }
    const std::vector<std::string> negative{"<Cards Count>", "<Width>", "<Width>", "<Width>",
                                            "<Width>",       "<Height>", "<Height>"};
    const auto elements = ElementsOfEveryKind("-5");
    for (std::size_t i = 0; i < elements.size(); ++i) {
        expectRefused(elements[i].first, WriteEnvelope("negative.tvl", elements[i].second),
                      "Invalid count or size (-5) in " + negative[i] + ".\r\nA count or size is never negative.");
    }
    EXPECT_TRUE(made.empty()) << "nothing opens for a refused file";
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

TEST_F(FileLoadingTest, AnErrorInTheDocumentNamesTheFile)
{
    RegisterEditors();
    const std::string path = WriteFile("cut.tvl", "<TWData>\r\n<Pattern Type=\"Brocade\">\r\n</TWData>");
    const std::optional<TGenericException> error = LoadError(path);
    ASSERT_TRUE(error.has_value());
    // The place, the file, then the cause, as the document's reader chains it.
    const std::string message = error->Message();
    EXPECT_EQ(message.rfind("Error in XML structure.\r\nLine 3\r\nPosition ", 0), 0u) << message;
    EXPECT_NE(message.find("\r\nFilename: " + path + "\r\n\r\n"), std::string::npos) << message;
    ASSERT_GE(error->InfoCount(), 1);
    EXPECT_TRUE(error->GetInfo(0)->Message.ends_with("\r\nFilename: " + path)) << error->GetInfo(0)->Message;
    EXPECT_TRUE(made.empty());
}

TEST_F(FileLoadingTest, AnEditorThatFailsToOpenItsPatternIsFreed)
{
    RegisterEditors();
    failOpen = true;
    TTWDFPattern pattern;
    const std::string path = SavePattern(pattern, "df.tvl");
    EXPECT_THROW(LoadPatternFile(Main(), path), TGenericException);
    EXPECT_EQ(made, std::vector<int>{PatternTypeDoubleFace});
    EXPECT_EQ(PatternEditor::alive, 0) << "no window is left after a failed load";
    EXPECT_EQ(Main().MDIChildCount(), 0);

    // The same for a pattern opened from memory.
    EXPECT_THROW(OpenPatternObject(Main(), pattern, ""), TGenericException);
    EXPECT_EQ(PatternEditor::alive, 0);

    // An editor that frees itself as its opening fails is not freed twice.
    RegisterPatternEditor(PatternTypeDoubleFace,
                          TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return new PatternEditor(&main, 3); },
                                                [](fw::Form& form, std::unique_ptr<TTWPatternBase>, const std::string&) {
                                                    delete &form;
                                                    throw TGenericException("Gone.", nullptr, "", "OpenPattern");
                                                }});
    EXPECT_THROW(LoadPatternFile(Main(), path), TGenericException);
    EXPECT_EQ(PatternEditor::alive, 0);
}

TEST_F(FileLoadingTest, AKindWhoseEditorIsNotThereIsRefusedWithAClearMessage)
{
    TTWDFPattern pattern;
    const std::string twist = WriteEnvelope("twist.tvl", "<Pattern Type=\"WarpTwined\"><Name>T</Name></Pattern>");
    EXPECT_EQ(LoadPatternFile(Main(), twist), nullptr);
    EXPECT_EQ(OpenPatternObject(Main(), pattern, "/b/df.tvl"), nullptr);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"The twist-patterned editor is not available yet.",
                                                    "The simple double-face editor is not available yet."}));
    EXPECT_EQ(boxes.front().Caption, "Information");
    EXPECT_EQ(Main().MDIChildCount(), 0);

    // The editor, once registered, fills its kind.
    RegisterEditors();
    PatternEditor* editor = Load(twist);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->kind, PatternTypeTwistPatterned);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(PatternEditorRegistered(PatternTypeTwistPatterned));
    RegisterPatternEditor(PatternTypeTwistPatterned, TTWPatternEditorClass{});
    EXPECT_FALSE(PatternEditorRegistered(PatternTypeTwistPatterned));

    EXPECT_THROW(RegisterPatternEditor(8, TTWPatternEditorClass{}), TGenericException);
    EXPECT_THROW(static_cast<void>(PatternEditorWindowKind(0)), TGenericException);
    EXPECT_EQ(PatternEditorWindowKind(PatternTypeFont), TTWWindowKind::FontGenerator);
    EXPECT_EQ(PatternEditorWindowKind(PatternTypeThreaded), TTWWindowKind::ThreadedEditor);
    EXPECT_EQ(PatternEditorWindowKind(PatternTypeBrokenTwill), TTWWindowKind::BrokenTwillEditor);
}

TEST_F(FileLoadingTest, APatternInMemoryOpensAsACopyThatTheCallerDoesNotLose)
{
    RegisterEditors();
    TTWDFPattern pattern;
    pattern.SetName("Joined");
    pattern.SetSize(5, 3);
    pattern.SetCell(1, 2, true);
    PatternEditor* editor = dynamic_cast<PatternEditor*>(OpenPatternObject(Main(), pattern, "/b/joined.tvl"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->kind, PatternTypeDoubleFace);
    EXPECT_EQ(editor->fileName, "/b/joined.tvl");
    auto* copy = dynamic_cast<TTWDFPattern*>(editor->pattern.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &pattern);
    EXPECT_EQ(copy->Name(), "Joined");
    EXPECT_EQ(copy->Width(), 5);
    EXPECT_TRUE(copy->GetCell(1, 2));
    copy->SetName("Changed in the editor");
    EXPECT_EQ(pattern.Name(), "Joined");

    TTWFont font;
    font.SetName("Runes");
    auto* fontEditor = dynamic_cast<PatternEditor*>(OpenPatternObject(Main(), font, ""));
    ASSERT_NE(fontEditor, nullptr);
    EXPECT_EQ(fontEditor->kind, PatternTypeFont);
    EXPECT_EQ(fontEditor->pattern->Name(), "Runes");
    EXPECT_NE(fontEditor->pattern.get(), &font);

    // A kind the program does not know opens nothing, silently.
    const StrangePattern strange;
    EXPECT_EQ(OpenPatternObject(Main(), strange, ""), nullptr);
    EXPECT_EQ(made, (std::vector<int>{PatternTypeDoubleFace, PatternTypeFont}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileLoadingTest, TheLoadCommandAndTheCommandLineReachTheLoader)
{
    RegisterEditors();
    TTWDFPattern pattern;
    pattern.SetName("From the menu");
    const std::string path = SavePattern(pattern, "menu.tvl");

    TfrmTWMain& main = ShownMain();
    std::unique_ptr<TTWDataModuleBase> data(ShellFactories().CreateDataModule(main));
    ASSERT_NE(dynamic_cast<TdModMain*>(data.get()), nullptr);
    EXPECT_EQ(dModMain, data.get());
    EXPECT_EQ(data->Owner(), &fw::App());
    main.SetDataModule(data.get());

    std::vector<std::string> titles;
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
        titles.push_back(dialog.Title());
        EXPECT_EQ(dialog.FileName(), "*.tvl");
        dialog.SetFileName(path);
        return true;
    });
    Item("mnuLoad").Click();
    EXPECT_EQ(titles, std::vector<std::string>{"Load TVL File"});
    ASSERT_EQ(PatternEditor::alive, 1);
    auto* editor = dynamic_cast<PatternEditor*>(main.ActiveMDIChild());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->pattern->Name(), "From the menu");
    EXPECT_EQ(editor->fileName, path);

    // A file named on the command line opens once the window is shown.
    main.Hide();
    UserSettings().System.CheckTVLReg = false;
    fw::App().SetCommandLine(std::vector<std::string>{"tavelin", path});
    main.Show();
    EXPECT_EQ(PatternEditor::alive, 1);
    fw::ProcessPostedMessages();
    EXPECT_EQ(PatternEditor::alive, 2);
    EXPECT_EQ(made, (std::vector<int>{3, 3}));

    main.SetDataModule(nullptr);
    data.reset();
    EXPECT_EQ(dModMain, nullptr);
}

// --- The data module's dialogs ---

class DataModuleTest : public ShellTest {
protected:
    // Runs the entry with a dialog that checks what it was asked and answers with `choice`
    // (none: cancelled).
    template <class Entry>
    bool Run(Entry entry, std::string& fileName, const std::optional<std::string>& choice, int filterIndex = 0)
    {
        const fw::ScopedHandler script(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
            asked = Asked{dialog.Kind(), dialog.Title(), dialog.Filter(), dialog.FilterIndex(),
                          dialog.DefaultExt(), dialog.FileName()};
            if (!choice) {
                return false;
            }
            dialog.SetFileName(*choice);
            if (filterIndex != 0) {
                dialog.SetFilterIndex(filterIndex);
            }
            return true;
        });
        return entry(fileName);
    }

    struct Asked {
        fw::FileDialogKind Kind;
        std::string Title;
        std::string Filter;
        int FilterIndex;
        std::string DefaultExt;
        std::string FileName;
    };
    std::optional<Asked> asked;
};

TEST_F(DataModuleTest, TheDialogsAreSetUpAsTheProgramNeedsThem)
{
    UserSettings().Directories.LastLoad = "/home/ann/loaded/";
    UserSettings().Directories.LastSave = "/home/ann/saved/";
    TdModMain data;
    EXPECT_EQ(dModMain, &data);
    EXPECT_EQ(&data.LoadDialog(), data.dlgLoad);
    EXPECT_EQ(&data.SaveDialog(), data.dlgSave);
    EXPECT_EQ(data.dlgLoad->InitialDir(), "/home/ann/loaded/");
    EXPECT_EQ(data.dlgSave->InitialDir(), "/home/ann/saved/");

    using Option = fw::FileDialogOption;
    EXPECT_EQ(data.dlgLoad->Title(), "Load");
    EXPECT_EQ(data.dlgLoad->Options(), (fw::FileDialogOptions{Option::HideReadOnly, Option::FileMustExist,
                                                               Option::EnableSizing}));
    EXPECT_EQ(data.dlgSave->Title(), "Save");
    EXPECT_EQ(data.dlgSave->Options(), (fw::FileDialogOptions{Option::OverwritePrompt, Option::HideReadOnly,
                                                               Option::PathMustExist, Option::EnableSizing}));
    EXPECT_EQ(data.dlgOpenPicture->Title(), "Load Image");
    EXPECT_EQ(data.dlgOpenPicture->Filter(), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(data.dlgOpenPicture->DefaultExt(), "bmp");
    EXPECT_TRUE(data.dlgOpenPicture->Options().Contains(Option::FileMustExist));
    EXPECT_EQ(data.dlgSavePicture->Title(), "Save Image");
    EXPECT_EQ(data.dlgSavePicture->Filter(), "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmap (*.bmp)|*.bmp|GIF (*.gif)|*.gif");
    EXPECT_EQ(data.dlgSavePicture->Options(), (fw::FileDialogOptions{Option::OverwritePrompt, Option::HideReadOnly,
                                                                      Option::PathMustExist, Option::EnableSizing}));
    // Each entry of the picture filter adds its own extension to a bare name.
    EXPECT_EQ(data.dlgSavePicture->ExtensionToAdd(1), "jpg");
    EXPECT_EQ(data.dlgSavePicture->ExtensionToAdd(2), "bmp");
    EXPECT_EQ(data.dlgSavePicture->ExtensionToAdd(3), "gif");
    for (const char* name : {"dlgColours", "dlgOpenPicture", "dlgSavePicture", "dlgSave", "dlgLoad", "Images"}) {
        EXPECT_NE(data.FindComponent(name), nullptr) << name;
    }
}

TEST_F(DataModuleTest, WithoutSettingsTheDialogsStartWherever)
{
    FinaliseModel();
    {
        TdModMain data;
        EXPECT_EQ(data.dlgLoad->InitialDir(), "");
        EXPECT_EQ(data.dlgSave->InitialDir(), "");
    }
    EXPECT_EQ(dModMain, nullptr);
    InitialiseModel(Folder());
}

TEST_F(DataModuleTest, TheOpenDialogsProposeAMaskAndRememberTheFolderChosen)
{
    TdModMain data;
    data.dlgLoad->SetInitialDir("/start/");
    const auto openAny = [&](std::string& name) { return data.ExecuteOpenAnyDialog(name); };

    // Cancelled: the mask stays in the name, the folder where it was.
    std::string name;
    EXPECT_FALSE(Run(openAny, name, std::nullopt));
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->Kind, fw::FileDialogKind::Open);
    EXPECT_EQ(asked->Title, "Load TVL File");
    EXPECT_EQ(asked->Filter, "Patterns (*.tvl)|*.tvl|Fonts (*.tvf)|*.tvf|All files (*.*)|*.*");
    EXPECT_EQ(asked->FilterIndex, 0);
    EXPECT_EQ(asked->DefaultExt, "tvl");
    EXPECT_EQ(asked->FileName, "*.tvl");
    EXPECT_EQ(name, "*.tvl");
    EXPECT_EQ(data.dlgLoad->InitialDir(), "/start/");

    name.clear();
    EXPECT_TRUE(Run(openAny, name, "/home/ann/bands/zigzag.tvl", 2));
    EXPECT_EQ(name, "/home/ann/bands/zigzag.tvl");
    EXPECT_EQ(data.dlgLoad->InitialDir(), "/home/ann/bands/");

    // A name given is proposed as it is; every run starts at the first filter again.
    name = "/home/ann/bands/old.tvl";
    EXPECT_TRUE(Run([&](std::string& n) { return data.ExecuteOpenPatternDialog(n); }, name, "/p/new.tvl"));
    EXPECT_EQ(asked->Title, "Load Pattern");
    EXPECT_EQ(asked->Filter, "Patterns (*.tvl)|*.tvl|All files (*.*)|*.*");
    EXPECT_EQ(asked->FilterIndex, 0);
    EXPECT_EQ(asked->FileName, "/home/ann/bands/old.tvl");
    EXPECT_EQ(data.dlgLoad->InitialDir(), "/p/");

    name.clear();
    EXPECT_TRUE(Run([&](std::string& n) { return data.ExecuteOpenFontDialog(n); }, name, "/f/runes.tvf"));
    EXPECT_EQ(asked->Title, "Load Font");
    EXPECT_EQ(asked->Filter, "Fonts (*.tvf)|*.tvf|All files (*.*)|*.*");
    EXPECT_EQ(asked->DefaultExt, "tvf");
    EXPECT_EQ(asked->FileName, "*.tvf");
    EXPECT_EQ(name, "/f/runes.tvf");
}

TEST_F(DataModuleTest, TheSaveDialogsProposeTheNameAsItIsAndReportTheFilter)
{
    TdModMain data;
    std::string name;
    EXPECT_TRUE(Run([&](std::string& n) { return data.ExecuteSavePatternDialog(n, false); }, name, "/s/band.tvl"));
    EXPECT_EQ(asked->Kind, fw::FileDialogKind::Save);
    EXPECT_EQ(asked->Title, "Save Pattern");
    EXPECT_EQ(asked->Filter, "Pattern (*.tvl)|*.tvl");
    EXPECT_EQ(asked->DefaultExt, "tvl");
    EXPECT_EQ(asked->FileName, "") << "no mask for saving";
    EXPECT_EQ(name, "/s/band.tvl");
    EXPECT_EQ(data.dlgSave->InitialDir(), "/s/");

    // With the text entry the caller learns which one was chosen.
    name = "/s/band.tvl";
    EXPECT_TRUE(Run([&](std::string& n) { return data.ExecuteSavePatternDialog(n, true); }, name, "/t/band.txt", 2));
    EXPECT_EQ(asked->Filter, "Pattern (*.tvl)|*.tvl|Text (*.txt)|*.txt");
    EXPECT_EQ(asked->FileName, "/s/band.tvl");
    EXPECT_EQ(data.dlgSave->FilterIndex(), 2);
    EXPECT_EQ(name, "/t/band.txt");

    name = "runes.tvf";
    EXPECT_FALSE(Run([&](std::string& n) { return data.ExecuteSaveFontDialog(n); }, name, std::nullopt));
    EXPECT_EQ(asked->Title, "Save Font");
    EXPECT_EQ(asked->Filter, "Fonts (*.tvf)|*.tvf|All files (*.*)|*.*");
    EXPECT_EQ(asked->DefaultExt, "tvf");
    EXPECT_EQ(name, "runes.tvf") << "cancelled: unchanged";
    EXPECT_EQ(data.dlgSave->InitialDir(), "/t/");

    // Any filter: its chosen entry comes back, counted from 1, the first also when the
    // dialog names none; a cancelled dialog leaves the index alone.
    const std::string threeWays = "Pattern (*.tvl)|*.tvl|Threaded-in Pattern (*.tvl)|*.tvl|Text (*.txt)|*.txt";
    int filterIndex = 0;
    const auto saveAs = [&](std::string& n) {
        return data.ExecuteSaveDialog("tvl", threeWays, n, "Pattern", filterIndex);
    };
    EXPECT_TRUE(Run(saveAs, name, "/d/band.txt", 3));
    EXPECT_EQ(asked->Filter, threeWays);
    EXPECT_EQ(filterIndex, 3);
    EXPECT_TRUE(Run(saveAs, name, "/d/band.tvl", 0));
    EXPECT_EQ(filterIndex, 1);
    filterIndex = 7;
    EXPECT_FALSE(Run(saveAs, name, std::nullopt));
    EXPECT_EQ(filterIndex, 7);
}

} // namespace

namespace {

TEST_F(FileLoadingTest, APatternWhoseRowsSetCellsOutsideItsDesignIsRefusedNamingTheFile)
{
    RegisterEditors();
    // An 8 x 10 twill whose long-float layer is 16 x 14, marked beyond the design's cards.
    std::string layer;
    for (int row = 14; row >= 1; --row) {
        layer += "<P" + std::to_string(row) + ">" + (row == 4 ? "............X..." : "................") + "</P"
                 + std::to_string(row) + ">";
    }
    const std::string path = WriteEnvelope("twill.tvl", "<Pattern Type=\"BrokenTwill\"><Width>8</Width><Length>10</Length>"
                                                        "<LongFloats>"
                                                            + layer + "</LongFloats></Pattern>");
    ExpectReaderError(path, "Invalid row P4 of LongFloats (16 cells).\r\nThe design's cards are 1 to 8: a cell set "
                            "beyond them would be lost.\r\nFilename: "
                                + path);
    // A font whose letter sets a cell above the letter's own rows.
    const std::string font = WriteEnvelope("font.tvf", "<Font Type=\"Font\"><Height>2</Height><Data><Character "
                                                       "Letter=\"A\"><Pattern Type=\"DoubleFace\"><Width>2</Width>"
                                                       "<Length>1</Length><Data><P2>.X</P2></Data></Pattern>"
                                                       "</Character></Data></Font>");
    ExpectReaderError(font, "Invalid row P2 of Data.\r\nThe design's rows are P1 to P1: a cell set in another row "
                            "would be lost.\r\nFilename: "
                                + font);
    EXPECT_TRUE(made.empty()) << "nothing opens";
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

} // namespace

// --- What the loader reads from disk ---

namespace {

// The pattern as the program writes it.
std::string WrittenText(const TTWPatternBase& pattern)
{
    TILXMLTree tree;
    pattern.BuildXML(CreateTWDataRoot(tree));
    return tree.BuildXML();
}

} // namespace

// A file that is no regular file is refused at once, naming it, and nothing opens: a named
// pipe would keep the program waiting for a writer, a device such as /dev/zero pours out
// bytes until the memory runs out, whatever the name they are given.
TEST_F(FileLoadingTest, AnythingButARegularFileIsRefusedAtOnceNamingTheFile)
{
    RegisterEditors();
    const PipeWithLateWriter pipe(Folder() / "x.tvl");
    const std::filesystem::path zero = Folder() / "zero.tvl";
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::filesystem::path folder = Folder() / "folder.tvl";
    std::filesystem::create_directory(folder);
    const std::vector<std::pair<std::filesystem::path, std::string>> refused{
        {pipe.Path(), "It is a named pipe, not a file."},
        {zero, "It is a device, not a file."},
        {folder, "It is a folder, not a file."},
    };
    for (const auto& [path, reason] : refused) {
        const auto started = std::chrono::steady_clock::now();
        try {
            LoadPatternFile(Main(), path.string());
            ADD_FAILURE() << "no error for " << path;
        } catch (const fw::EFileError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file \"" + path.string() + "\". " + reason);
        } catch (const std::exception& error) {
            ADD_FAILURE() << path << ": " << error.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << path;
    }
    // A link to a pattern file opens the pattern, under the link's name.
    TTWDFPattern pattern;
    pattern.SetName("Linked");
    const std::filesystem::path link = Folder() / "link.tvl";
    std::filesystem::create_symlink(SavePattern(pattern, "linked.tvl"), link);
    PatternEditor* editor = Load(link.string());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->pattern->Name(), "Linked");
    EXPECT_EQ(editor->fileName, link.string());
    EXPECT_EQ(made, std::vector<int>{PatternTypeDoubleFace});
}

// A file larger than any pattern file can be is refused before a byte of it is read; the
// limit lies far above the file of a pattern at the model's limits.
TEST_F(FileLoadingTest, AFileLargerThanAnyPatternIsRefusedBeforeItIsRead)
{
    RegisterEditors();
    const std::filesystem::path huge = Folder() / "huge.tvl";
    const auto limit = static_cast<std::uintmax_t>(MaxPatternFileBytes());
    MakeSparseFile(huge, limit + 1);
    const auto started = std::chrono::steady_clock::now();
    try {
        LoadPatternFile(Main(), huge.string());
        ADD_FAILURE() << "no error";
    } catch (const fw::EFileError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + huge.string() + "\". It has " + std::to_string(limit + 1)
                                       + " bytes; a pattern file has at most " + std::to_string(limit) + ".");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_TRUE(made.empty());

    // A design of the most cells a design may have, as long as the cards allow.
    TTWDFPattern largest;
    const int length = static_cast<int>(std::min<std::int64_t>(MaxDesignCells / MaxPatternCards, TTWDFPattern::MaxLength));
    largest.SetSize(MaxPatternCards, length);
    for (int y = 0; y < length; y += 3) {
        largest.SetCell(y % MaxPatternCards, y, true);
    }
    const std::string path = SavePattern(largest, "largest.tvl");
    EXPECT_LT(std::filesystem::file_size(path) * 8, limit);
    PatternEditor* editor = Load(path);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(WrittenText(*editor->pattern), WrittenText(largest));
}

// A pattern file opened and saved again by a text editor, as UTF-8 with a byte-order mark
// or as UTF-16 ("Unicode") of either byte order, opens as the pattern it was.
TEST_F(FileLoadingTest, APatternSavedAgainAsUtf8WithItsMarkOrAsUtf16OpensAsItWas)
{
    RegisterEditors();
    TTWDFPattern pattern;
    pattern.SetName("Brücke € 20");
    pattern.SetNotes("Zoë's band\r\nŁódź ☃");
    pattern.SetSize(6, 4);
    pattern.SetCell(1, 0, true);
    pattern.SetCell(5, 3, true);
    const std::string original = SavePattern(pattern, "original.tvl");
    // The text as an editor shows it.
    const std::string text = fw::Windows1252ToUtf8(fw::ReadFileBytes(original));
    const std::vector<std::pair<std::string, std::string>> saved{
        {"utf8-mark.tvl", "\xEF\xBB\xBF" + text},
        {"utf16le-mark.tvl", Utf8AsUtf16Bytes(text, false, true)},
        {"utf16be-mark.tvl", Utf8AsUtf16Bytes(text, true, true)},
        {"utf16le.tvl", Utf8AsUtf16Bytes(text, false, false)},
    };
    for (const auto& [name, bytes] : saved) {
        PatternEditor* editor = Load(WriteFile(name, bytes));
        ASSERT_NE(editor, nullptr) << name;
        EXPECT_EQ(editor->pattern->Name(), "Brücke € 20") << name;
        EXPECT_EQ(editor->pattern->Notes(), "Zoë's band\r\nŁódź ☃") << name;
        EXPECT_EQ(WrittenText(*editor->pattern), WrittenText(pattern)) << name;
    }
    EXPECT_EQ(made.size(), saved.size());
}

// Text that its first bytes claim for an encoding but is not is refused naming the encoding
// and the file.
TEST_F(FileLoadingTest, TextDamagedInItsEncodingIsRefusedNamingTheEncodingAndTheFile)
{
    RegisterEditors();
    TTWDFPattern pattern;
    const std::string text = fw::ReadFileBytes(SavePattern(pattern, "original.tvl"));
    const std::string utf16 = Utf8AsUtf16Bytes(text, false, true);
    const std::string cut = WriteFile("cut.tvl", utf16.substr(0, utf16.size() - 1));
    ExpectReaderError(cut, "The file's UTF-16 text is damaged at byte " + std::to_string(2 * text.size() + 1)
                               + ".\r\nFilename: " + cut);
    const std::string mixed = WriteFile("mixed.tvl", "\xEF\xBB\xBF<TWData><Pattern Type=\"DoubleFace\"><Name>Br\xFC"
                                                     "cke</Name></Pattern></TWData>");
    ExpectReaderError(mixed, "The file's UTF-8 text is damaged at byte 47.\r\nFilename: " + mixed);
    EXPECT_TRUE(made.empty());
}

namespace {

// A threaded-in pattern element holding the given children.
std::string ThreadedWith(const std::string& children)
{
    return "<Pattern Type=\"Threaded\"><Name>Damaged</Name>" + children + "</Pattern>";
}

TEST_F(FileLoadingTest, AValueThatWouldReadAsSomethingElseIsRefusedNamingTheElementTheValueAndTheFile)
{
    RegisterEditors();
    const auto expectRefused = [&](const std::string& name, const std::string& element, const std::string& message) {
        const std::string path = WriteEnvelope(name, element);
        ExpectReaderError(path, message + "\r\nFilename: " + path);
    };
    // A selvedge whose count is no number would open without its card.
    expectRefused("selvedge.tvl",
                  ThreadedWith("<Selvedges><Left><Cards Count=\"abc\">" + FourHoleCards(1).substr(17)
                               + "</Left></Selvedges>"),
                  "Invalid count or size (abc) in <Cards Count>.\r\nA count or size is a whole number.");
    // A count below the cards given would open with two cards and save two.
    std::string twelve = FourHoleCards(12);
    twelve.replace(0, twelve.find('>'), "<Cards Count=\"2\"");
    expectRefused("twelve.tvl", ThreadedWith(twelve), "Invalid count (2) in <Cards Count>.\r\nThe list holds 12 entries.");
    // Cards beyond a design's width: the editor keeps a card per column.
    expectRefused("cards.tvl",
                  "<Pattern Type=\"DoubleFace\"><Width>0</Width><Length>0</Length>" + FourHoleCards(10) + "</Pattern>",
                  "Invalid count (10) in <Cards Count>.\r\nThe design is 0 cards wide: the cards beyond it would be lost.");
    // A threading letter that is neither S nor Z would be saved as Z.
    expectRefused("twist.tvl",
                  "<Pattern Type=\"TwistPatterned\"><Width>8</Width><Length>1</Length><Threading>S, Q, -1</Threading>"
                  "</Pattern>",
                  "Invalid letter (Q) in <Threading>.\r\nThe letters allowed are S or Z.");
    // A band that says it holds no font but holds one would drop it.
    expectRefused("band.tvl",
                  "<Pattern Type=\"LetteredBand\"><Text><Char>A</Char></Text><Font Name=\"f\" Encapsulated=\"No\">"
                      + FontOfHeight("3") + "</Font></Pattern>",
                  "Invalid value (No) in <Font Encapsulated>.\r\nThe band's file holds its font.");
    // A distance of a turn other than its two would be saved as one hole.
    for (const char* distance : {"2147483647", "-2147483648"}) {
        expectRefused("dist.tvl",
                      ThreadedWith("<Picks Count=\"1\"><Pick Index=\"0\"><Actions Count=\"1\"><Action Type=\"Turn\" "
                                   "Target=\"Card\" TargetID=\"1\" Dir=\"F\" Dist=\""
                                   + std::string(distance) + "\"/></Actions></Pick></Picks>"),
                      "Invalid letter (" + std::string(distance) + ") in <Action Dist>.\r\nThe letters allowed are 1 or 2.");
    }
    // A pack listing more cards than its size would lose the last.
    expectRefused("pack.tvl",
                  ThreadedWith("<Packs Count=\"1\"><Pack Name=\"P\"><Comment/><Size>2</Size>"
                               "<Cards>999,-4,2147483647</Cards></Pack></Packs>"),
                  "Invalid count (2) in <Size>.\r\nThe pack lists 3 cards.");
    EXPECT_TRUE(made.empty()) << "nothing opens for a refused file";
    EXPECT_EQ(Main().MDIChildCount(), 0);
}

} // namespace
