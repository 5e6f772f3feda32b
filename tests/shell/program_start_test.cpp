#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/control_library.h"
#include "forms/exception_dialog.h"
#include "forms/forms_default_style.h"
#include "controls/il_brush.h"
#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/file_io.h"
#include "framework/gui/std_speed_button.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/user_settings.h"
#include "shell/main_window_messages.h"
#include "shell_fixture.h"
#include "support/scoped_environment.h"
#include "treegrid/tree_properties.h"

using namespace shell_test;

namespace {

// The program's own errors reach the exception dialog: this plays the user who reads it and
// presses OK, and keeps the messages.
class ExceptionDialogs {
public:
    ExceptionDialogs()
        : previous_(fw::Form::SetModalRunner([this](fw::Form& form) {
              if (auto* dialog = dynamic_cast<TfrmTException*>(&form)) {
                  messages.push_back(dialog->Error() != nullptr ? dialog->Error()->Message() : "?");
              } else {
                  messages.push_back("unexpected " + std::string(form.className()));
              }
              form.SetModalResult(fw::mrOk);
          }))
    {
    }
    ~ExceptionDialogs() { fw::Form::SetModalRunner(std::move(previous_)); }
    ExceptionDialogs(const ExceptionDialogs&) = delete;
    ExceptionDialogs& operator=(const ExceptionDialogs&) = delete;

    std::vector<std::string> messages;

private:
    fw::ModalRunner previous_;
};

class ProgramStartTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        std::filesystem::create_directories(SettingsFolder(Folder()));
    }

    // Where the program keeps them: the user's configuration, not the program's folder.
    std::filesystem::path SettingsFile() const { return SettingsFolder(Folder()) / SettingsFileName; }
    std::filesystem::path PalettesFile() const { return SettingsFolder(Folder()) / PalettesFileName; }

    // The settings as the file written at close holds them.
    std::unique_ptr<TTWUserSettings> SavedSettings() const
    {
        auto settings = std::make_unique<TTWUserSettings>(Folder());
        EXPECT_TRUE(settings->LoadFromFile(SettingsFile()));
        return settings;
    }

    // The errors shown in the standard error box.
    std::vector<std::string> ErrorBoxes() const
    {
        std::vector<std::string> texts;
        for (const fw::MessageBoxRequest& box : boxes) {
            if (box.Icon == fw::MessageBoxIcon::Stop) {
                texts.push_back(box.Text);
            }
        }
        return texts;
    }
    // A folder that exists, as remembered folders must.
    std::string ExistingFolder(const std::string& name) const
    {
        std::filesystem::create_directories(Folder() / name);
        return (Folder() / name).string() + "/";
    }

    void CloseAnsweringYes(TfrmTWMain& main)
    {
        answers = {fw::mrYes};
        main.Close();
    }

    std::vector<std::string> loaded;
    void RecordLoads()
    {
        ShellFactories().LoadFile = [this](TfrmTWMain&, const std::string& name) { loaded.push_back(name); };
    }
};

} // namespace

TEST_F(ProgramStartTest, TheLibrariesRunBeforeAnyWindow)
{
    EXPECT_TRUE(ControlLibraryRunning());
    EXPECT_TRUE(TreeGridLibraryRunning());
    EXPECT_NE(FormsDefaultStyle(), nullptr);
    ASSERT_TRUE(ModelInitialised());
    EXPECT_EQ(std::filesystem::path(UserSettings().ProgramFolder()), Folder() / "");
    EXPECT_TRUE(XMLNameCheck()) << "names are checked until the main window is made";
}

TEST_F(ProgramStartTest, TheMainWindowComesFirstThenTheDataModuleThenTheNotes)
{
    std::vector<std::string> order;
    FakeDataModule* data = nullptr;
    fw::Form* notes = nullptr;
    fw::App().SetTitle("someone else");
    ShellFactories().CreateDataModule = [&](TfrmTWMain& main) -> TTWDataModuleBase* {
        // The window exists and its FormCreate has run: caption and first tool states.
        order.push_back("data module after " + main.Caption() + " in " + fw::App().Title());
        EXPECT_EQ(frmTWMain, &main);
        EXPECT_FALSE(main.ToolButton(TWAction::Save)->Enabled());
        EXPECT_EQ(main.NotesWindow(), nullptr);
        data = new FakeDataModule(&main);
        return data;
    };
    ShellFactories().CreateNotesWindow = [&](TfrmTWMain& main) -> fw::Form* {
        order.push_back(main.DataModule() == data ? "notes after the data module" : "notes too early");
        notes = new fw::Form(&main);
        return notes;
    };
    std::unique_ptr<TfrmTWMain> main(&CreateProgramWindows(nullptr));
    EXPECT_EQ(order, (std::vector<std::string>{"data module after Tavelin (1.17) in Tavelin",
                                                "notes after the data module"}));
    EXPECT_EQ(main->DataModule(), data);
    EXPECT_EQ(main->NotesWindow(), notes);
    EXPECT_FALSE(main->Visible()) << "the event loop shows it";
    EXPECT_EQ(main->Owner(), nullptr);

    // Without factories the window still starts on its own.
    ResetWindowFactoriesForTests();
    main.reset();
    fw::Component holder;
    TfrmTWMain& owned = CreateProgramWindows(&holder);
    EXPECT_EQ(owned.Owner(), &holder);
    EXPECT_EQ(owned.DataModule(), nullptr);
    EXPECT_EQ(owned.NotesWindow(), nullptr);
}

TEST_F(ProgramStartTest, CreatingTheWindowSetsTheSharedLooksAndTurnsTheNameCheckOff)
{
    Main();
    EXPECT_FALSE(XMLNameCheck());
    const TILFormsDefaultTreeColours& trees = FormsDefaultStyle()->Trees();
    EXPECT_EQ(trees.ColourButton(), 0xFFFFFFu);
    EXPECT_EQ(trees.ColourLine(), 0x808080u);
    EXPECT_TRUE(trees.GridPenSet());
    EXPECT_EQ(trees.GridPen().Color, 0x808080u);
    ASSERT_NE(trees.DrawNormal().FillBrush(), nullptr);
    EXPECT_EQ(trees.DrawNormal().FillBrush()->Colour(), 0xC8FCFFu);
    ASSERT_NE(trees.DrawSelect().FillBrush(), nullptr);
    EXPECT_EQ(trees.DrawSelect().FillBrush()->Colour(), 0x006CE0u);
    EXPECT_EQ(trees.DrawSelect().FontColour(), 0xFFFFFFu);
}

TEST_F(ProgramStartTest, PalettesAndSettingsAreReadFromTheUsersConfiguration)
{
    {
        TTWPaletteList palettes;
        palettes.ResetToDefault();
        palettes.AddNew()->SetName("Autumn");
        palettes.SaveToFile(PalettesFile());
        TTWUserSettings settings(Folder());
        settings.Directories.LastBrowse = ExistingFolder("bands");
        settings.General.CutSelection = false;
        settings.SaveToFile(SettingsFile());
    }
    ASSERT_EQ(PaletteList().FindByName("Autumn"), nullptr);
    Main();
    EXPECT_NE(PaletteList().FindByName("Autumn"), nullptr);
    EXPECT_EQ(UserSettings().Directories.LastBrowse, ExistingFolder("bands"));
    EXPECT_FALSE(UserSettings().General.CutSelection);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgramStartTest, MissingFilesLeaveTheDefaults)
{
    Main();
    EXPECT_EQ(PaletteList().Count(), 1);
    EXPECT_NE(PaletteList().FindByName("(Default)"), nullptr);
    EXPECT_TRUE(UserSettings().General.CutSelection);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgramStartTest, DamagedFilesAreNamedKeptAsideAndNotOverwrittenAtClose)
{
    const std::string damagedPalettes = "<TVL><Palettes Count=\"1\"><Palette";
    const std::string damagedSettings = "<TVL><UserSettings><General><CutSelection>No</CutSelection>";
    std::ofstream(PalettesFile()) << damagedPalettes;
    std::ofstream(SettingsFile()) << damagedSettings;
    ExceptionDialogs dialogs;
    TfrmTWMain& main = ShownMain();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    const auto keptPalettes = PalettesFile().string() + ".damaged";
    const auto keptSettings = SettingsFile().string() + ".damaged";
    EXPECT_EQ(dialogs.messages[0].rfind("The palettes file \"" + PalettesFile().string()
                                            + "\" could not be read; the standard palette is used instead.\r\n"
                                              "The damaged file has been kept as \""
                                            + keptPalettes + "\".",
                                        0),
              0u)
        << dialogs.messages[0];
    EXPECT_EQ(dialogs.messages[1].rfind("The settings file \"" + SettingsFile().string()
                                            + "\" could not be read; the default settings are used instead.\r\n"
                                              "The damaged file has been kept as \""
                                            + keptSettings + "\".",
                                        0),
              0u)
        << dialogs.messages[1];
    EXPECT_EQ(PaletteList().Count(), 1) << "the standard palette stays";
    EXPECT_TRUE(UserSettings().General.CutSelection) << "the defaults stay";
    EXPECT_EQ(main.Caption(), "Tavelin (1.17)") << "and the window was made";

    // Closing writes both files afresh; what the user had is still there beside them.
    CloseAnsweringYes(main);
    EXPECT_EQ(fw::ReadFileBytes(keptPalettes), damagedPalettes);
    EXPECT_EQ(fw::ReadFileBytes(keptSettings), damagedSettings);
    EXPECT_TRUE(SavedSettings()->General.CutSelection);
    TTWPaletteList palettes;
    palettes.LoadFromFile(PalettesFile());
    EXPECT_EQ(palettes.Count(), 1);
}

TEST_F(ProgramStartTest, OnlyPatternAndFontArgumentsAreOpenedFromTheCommandLine)
{
    RecordLoads();
    UserSettings().System.CheckTVLReg = false;
    fw::App().SetCommandLine(std::vector<std::string>{"tavelin", "/bands/a.tvl", "/bands/notes.txt"});
    Main().Show();
    EXPECT_EQ(fw::PostedMessageCount(), 1u) << "one message, for the first argument";
    EXPECT_TRUE(loaded.empty()) << "after the window is shown, not while";
    fw::ProcessPostedMessages();
    EXPECT_EQ(loaded, (std::vector<std::string>{"/bands/a.tvl"}));
}

TEST_F(ProgramStartTest, TheExtensionTestIgnoresCase)
{
    EXPECT_TRUE(IsPatternFileArgument("band.tvl"));
    EXPECT_TRUE(IsPatternFileArgument("BAND.TVL"));
    EXPECT_TRUE(IsPatternFileArgument("font.tvf"));
    EXPECT_TRUE(IsPatternFileArgument("/x/Font.TvF"));
    EXPECT_FALSE(IsPatternFileArgument("band.tvl.txt"));
    EXPECT_FALSE(IsPatternFileArgument("band.tvlx"));
    EXPECT_FALSE(IsPatternFileArgument("tvl"));
    EXPECT_FALSE(IsPatternFileArgument(""));

    RecordLoads();
    UserSettings().System.CheckTVLReg = false;
    fw::App().SetCommandLine(
        std::vector<std::string>{"tavelin", "/b/A.TVF", "/b/c.tvf", "/b/no-extension", "/b/d.Tvl"});
    Main().Show();
    fw::ProcessPostedMessages();
    EXPECT_EQ(loaded, (std::vector<std::string>{"/b/A.TVF", "/b/c.tvf", "/b/d.Tvl"}));
}

TEST_F(ProgramStartTest, TheOpenMessageChecksItsArgumentAgain)
{
    RecordLoads();
    fw::App().SetCommandLine(std::vector<std::string>{"tavelin", "/b/readme.txt", "/b/e.tvl"});
    TfrmTWMain& main = Main();
    main.Perform(WM_TW_OPENCMDLINEFILE, 1);
    main.Perform(WM_TW_OPENCMDLINEFILE, 7);
    main.Perform(WM_TW_OPENCMDLINEFILE, 2);
    EXPECT_EQ(loaded, (std::vector<std::string>{"/b/e.tvl"}));

    // Until file loading exists the user is told so.
    ResetWindowFactoriesForTests();
    main.Perform(WM_TW_OPENCMDLINEFILE, 2);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Opening pattern and font files is not available yet.\r\n/b/e.tvl"}));
}

TEST_F(ProgramStartTest, TheRegistrationIsCheckedAfterShowingOnlyWhenTheSettingsAsk)
{
    int checks = 0;
    RegisterWindowOpener(TTWWindowKind::FileTypeRegistration, [&](TfrmTWMain&, int) { ++checks; });
    UserSettings().System.CheckTVLReg = false;
    TfrmTWMain& main = ShownMain();
    EXPECT_EQ(fw::PostedMessageCount(), 0u);
    main.Perform(WM_TW_CHECKREGISTRATION);
    EXPECT_EQ(checks, 0) << "switched off: nothing is checked";

    main.Hide();
    UserSettings().System.CheckTVLReg = true;
    main.Show();
    EXPECT_EQ(checks, 0);
    fw::ProcessPostedMessages();
    EXPECT_EQ(checks, 1);

    // Without the registration module there is nothing to check and nothing to say.
    ResetWindowFactoriesForTests();
    main.Perform(WM_TW_CHECKREGISTRATION);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgramStartTest, AnsweringNoToTheCloseQuestionKeepsTheWindowAndWritesNothing)
{
    TfrmTWMain& main = ShownMain();
    answers = {fw::mrNo};
    main.Close();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Close the application?"}));
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
    EXPECT_FALSE(std::filesystem::exists(PalettesFile()));
}

TEST_F(ProgramStartTest, AnsweringYesWritesThePalettesAndTheSettings)
{
    TfrmTWMain& main = ShownMain();
    PaletteList().AddNew()->SetName("Spring");
    UserSettings().General.CutSelection = false;
    CloseAnsweringYes(main);
    EXPECT_FALSE(main.Visible());
    ASSERT_TRUE(std::filesystem::exists(PalettesFile()));
    TTWPaletteList palettes;
    palettes.LoadFromFile(PalettesFile());
    EXPECT_NE(palettes.FindByName("Spring"), nullptr);
    EXPECT_FALSE(SavedSettings()->General.CutSelection);
}

TEST_F(ProgramStartTest, TheDialogFoldersAreRememberedOnlyWhenAFileWasChosen)
{
    TfrmTWMain& main = ShownMain();
    auto* data = new FakeDataModule(&main);
    main.SetDataModule(data);
    TTWDirectorySettings& folders = UserSettings().Directories;
    folders.LastLoad = ExistingFolder("old_loads");
    folders.LastSave = ExistingFolder("old_saves");
    // Never used since start-up, or left with the mask it proposes: the old folders stay.
    data->load->SetFileName(ExistingFolder("elsewhere") + "*.tvl");
    data->save->SetFileName("");
    CloseAnsweringYes(main);
    EXPECT_EQ(SavedSettings()->Directories.LastLoad, ExistingFolder("old_loads"));
    EXPECT_EQ(SavedSettings()->Directories.LastSave, ExistingFolder("old_saves"));

    main.Show();
    data->load->SetFileName(ExistingFolder("new") + "zigzag.tvl");
    data->save->SetFileName(ExistingFolder("out") + "copy.tvl");
    CloseAnsweringYes(main);
    EXPECT_EQ(SavedSettings()->Directories.LastLoad, ExistingFolder("new"));
    EXPECT_EQ(SavedSettings()->Directories.LastSave, ExistingFolder("out"));
}

TEST_F(ProgramStartTest, AnOpenBrowserLeavesItsFolderInTheSettings)
{
    class Browser : public fw::Form, public ITWBrowserWindow {
    public:
        explicit Browser(fw::Component* owner) : fw::Form(owner)
        {
            SetFormStyle(fw::FormStyle::MDIChild);
            FinishLoading();
        }
        explicit Browser(fw::Component* owner, std::string folder) : Browser(owner) { folder_ = std::move(folder); }
        std::string BrowseFolder() const override { return folder_; }
        void SetBrowseFolder(const std::string&) override {}

    private:
        std::string folder_;
    };
    const std::string browsed = ExistingFolder("browsed");
    ShellFactories().CreateBrowser = [&](TfrmTWMain& main) -> fw::Form* { return new Browser(&main, browsed); };
    TfrmTWMain& main = ShownMain();
    UserSettings().Directories.LastBrowse = ExistingFolder("before");
    Item("mnuBrowse").Click();
    CloseAnsweringYes(main);
    EXPECT_EQ(SavedSettings()->Directories.LastBrowse, browsed);
}

TEST_F(ProgramStartTest, AFailureWritingTheSettingsIsReportedAndTheWindowStillCloses)
{
    std::filesystem::create_directories(SettingsFile());
    ExceptionDialogs dialogs;
    TfrmTWMain& main = ShownMain();
    CloseAnsweringYes(main);
    EXPECT_EQ(dialogs.messages.size() + ErrorBoxes().size(), 1u);
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(std::filesystem::is_regular_file(PalettesFile())) << "the palettes are written all the same";
}

TEST_F(ProgramStartTest, AFailureWritingThePalettesIsReportedAndTheSettingsAreStillWritten)
{
    ExceptionDialogs dialogs;
    TfrmTWMain& main = ShownMain();
    std::filesystem::create_directories(PalettesFile());
    UserSettings().General.CutSelection = false;
    CloseAnsweringYes(main);
    EXPECT_EQ(dialogs.messages.size() + ErrorBoxes().size(), 1u);
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(SavedSettings()->General.CutSelection);
}

TEST_F(ProgramStartTest, APortableCopyKeepsItsFilesBesideTheProgram)
{
    const std::filesystem::path config = Folder() / "portable_config";
    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string());
    // The program's folder already holds the settings: it is a portable copy.
    const std::filesystem::path program = Folder() / "portable";
    std::filesystem::create_directories(program);
    TTWUserSettings(program).SaveToFile(program / SettingsFileName);
    {
        TTWPaletteList palettes;
        palettes.ResetToDefault();
        palettes.AddNew()->SetName("Winter");
        palettes.SaveToFile(program / PalettesFileName);
    }
    InitialiseModel(program);
    TfrmTWMain& main = ShownMain();
    EXPECT_NE(PaletteList().FindByName("Winter"), nullptr);
    PaletteList().AddNew()->SetName("Summer");
    UserSettings().Printer.FontSize = 13;
    CloseAnsweringYes(main);
    TTWPaletteList written;
    written.LoadFromFile(program / PalettesFileName);
    EXPECT_NE(written.FindByName("Summer"), nullptr);
    TTWUserSettings saved(program);
    EXPECT_TRUE(saved.LoadFromFile(program / SettingsFileName));
    EXPECT_EQ(saved.Printer.FontSize, 13);
    EXPECT_FALSE(std::filesystem::exists(config)) << "nothing went to the user's configuration";
}

TEST_F(ProgramStartTest, ErrorsReachTheExceptionDialogOrTheStandardBox)
{
    ExceptionDialogs dialogs;
    TfrmTWMain& main = Main();
    fw::App().HandleException(TGenericException("The band is torn", nullptr, "TTWPattern", "Weave"));
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"The band is torn"}));
    fw::App().HandleException(std::runtime_error("Out of thread"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().Text, "Out of thread.");
    EXPECT_EQ(boxes.front().Icon, fw::MessageBoxIcon::Stop);

    // The hook goes with the window.
    EXPECT_TRUE(static_cast<bool>(fw::App().OnException()));
    (void)main;
    FreeMain();
    EXPECT_FALSE(static_cast<bool>(fw::App().OnException()));
    EXPECT_EQ(frmTWMain, nullptr);
}

TEST_F(ProgramStartTest, TheProgramRegistersTheModulesThatProvideItsWindows)
{
    EXPECT_FALSE(ShellFactories().LoadFile);
    EXPECT_FALSE(WindowOpenerRegistered(TTWWindowKind::PaletteList));
    EXPECT_FALSE(ShellFactories().CreateNotesWindow);
    EXPECT_FALSE(ShellFactories().CreateBrowser);
    const TTWWindowKind tools[] = {TTWWindowKind::JoinSideBySide,   TTWWindowKind::JoinEndToEnd,
                                   TTWWindowKind::ConvertToBrocade, TTWWindowKind::FileTypeRegistration,
                                   TTWWindowKind::Settings,         TTWWindowKind::About,
                                   TTWWindowKind::Revisions};
    for (TTWWindowKind kind : tools) {
        EXPECT_FALSE(WindowOpenerRegistered(kind));
    }
    RegisterShellModules();
    EXPECT_TRUE(ShellFactories().LoadFile);
    EXPECT_TRUE(ShellFactories().CreateDataModule);
    EXPECT_TRUE(WindowOpenerRegistered(TTWWindowKind::PaletteList));
    EXPECT_TRUE(ShellFactories().CreateNotesWindow);
    EXPECT_TRUE(ShellFactories().CreateBrowser);
    for (TTWWindowKind kind : tools) {
        EXPECT_TRUE(WindowOpenerRegistered(kind));
    }
}
