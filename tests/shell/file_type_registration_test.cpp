// The file-type registration: the check at start, the dialog's three choices and the keys
// it writes, and the desktop's own files written for real into a data folder of the test's.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "controls/radio_button.h"
#include "framework/core/programs.h"
#include "framework/gui/application.h"
#include "framework/gui/std_label.h"
#include "framework/gui/desktop_mime.h"
#include "framework/gui/png_codec.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/file_type_dialog.h"
#include "shell/file_type_registration.h"
#include "shell/main_window_messages.h"
#include "shell/program_icon.h"
#include "shell_fixture.h"
#include "support/scoped_environment.h"
#include "support/scratch_folder.h"

using namespace shell_test;

namespace {

namespace fs = std::filesystem;

using Writes = std::vector<std::pair<std::string, std::string>>;

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FileTypeRegistrationTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        RegisterFileTypeRegistration();
        fw::App().SetExeName("/opt/tavelin/tavelin");
        SetFileTypeRegistryFactory([this] {
            auto registry = std::make_unique<TTWMemoryFileTypeRegistry>();
            registry->keys = keys;
            // The registry goes when the check ends: what it was told is kept here.
            return std::unique_ptr<ITWFileTypeRegistry>(new Recording(std::move(registry), *this));
        });
        previousRunner_ = fw::Form::SetModalRunner([this](fw::Form& form) {
            shown.push_back(std::string(form.className()));
            auto* dialog = dynamic_cast<TfrmTWWinReg*>(&form);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->rbDoReg->Checked());
            if (choose) {
                choose(*dialog);
            }
            form.SetModalResult(fw::mrOk);
        });
        UserSettings().System.CheckTVLReg = true;
    }
    void TearDown() override
    {
        fw::Form::SetModalRunner(std::move(previousRunner_));
        SetFileTypeRegistryFactory({});
        fw::App().SetExeName(std::string());
        ShellTest::TearDown();
    }

    // A registry that hands its writes and commits to the test when it goes.
    class Recording final : public ITWFileTypeRegistry {
    public:
        Recording(std::unique_ptr<TTWMemoryFileTypeRegistry> memory, FileTypeRegistrationTest& test)
            : memory_(std::move(memory)), test_(test)
        {
        }
        ~Recording() override
        {
            test_.writes = memory_->writes;
            test_.commits = memory_->commits;
        }
        bool KeyExists(const std::string& key) override { return memory_->KeyExists(key); }
        void WriteKey(const std::string& key, const std::string& value) override { memory_->WriteKey(key, value); }
        void Commit() override { memory_->Commit(); }

    private:
        std::unique_ptr<TTWMemoryFileTypeRegistry> memory_;
        FileTypeRegistrationTest& test_;
    };

    void Check() { Main().Perform(WM_TW_CHECKREGISTRATION); }
    // The setting as the settings file holds it now.
    bool SavedCheckSetting()
    {
        TTWUserSettings saved(Folder());
        EXPECT_TRUE(saved.LoadFromFile(SettingsFolder(Folder()) / SettingsFileName));
        return saved.System.CheckTVLReg;
    }

    // The keys the next registry starts with.
    std::map<std::string, std::string> keys;
    std::function<void(TfrmTWWinReg&)> choose;
    std::vector<std::string> shown;
    Writes writes;
    int commits = 0;

private:
    fw::ModalRunner previousRunner_;
};

TEST_F(FileTypeRegistrationTest, RegisteringWritesTheTenKeysInOrderAndNeverAsksAgain)
{
    Check();
    EXPECT_EQ(shown, (std::vector<std::string>{"TfrmTWWinReg"}));
    const std::string command = "\"/opt/tavelin/tavelin\" \"%1\"";
    EXPECT_EQ(writes, (Writes{{".tvl", "TVLPattern"},
                              {".tvf", "TVLFont"},
                              {"TVLPattern", "TVL Pattern"},
                              {"TVLPattern\\DefaultIcon", "/opt/tavelin/tavelin"},
                              {"TVLPattern\\Shell\\open", "&Open"},
                              {"TVLPattern\\Shell\\open\\command", command},
                              {"TVLFont", "TVL Font"},
                              {"TVLFont\\DefaultIcon", "/opt/tavelin/tavelin"},
                              {"TVLFont\\Shell\\open", "&Open"},
                              {"TVLFont\\Shell\\open\\command", command}}));
    EXPECT_EQ(commits, 1);
    EXPECT_FALSE(UserSettings().System.CheckTVLReg);
    EXPECT_FALSE(SavedCheckSetting()) << "saved at once";
    shown.clear();
    Check();
    EXPECT_TRUE(shown.empty());
}

TEST_F(FileTypeRegistrationTest, NotNowAsksAgainAtTheNextCheckAndNeverDoesNot)
{
    choose = [](TfrmTWWinReg& dialog) { dialog.rbIgnore->SetChecked(true); };
    Check();
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(UserSettings().System.CheckTVLReg);
    Check();
    EXPECT_EQ(shown.size(), 2u);

    choose = [](TfrmTWWinReg& dialog) { dialog.rbNeverCheck->SetChecked(true); };
    Check();
    EXPECT_TRUE(writes.empty());
    EXPECT_FALSE(UserSettings().System.CheckTVLReg);
    EXPECT_FALSE(SavedCheckSetting());
    Check();
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(FileTypeRegistrationTest, TheDialogShowsUnlessBothTypesAreRegistered)
{
    keys = {{".tvl", "TVLPattern"}};
    choose = [](TfrmTWWinReg& dialog) { dialog.rbIgnore->SetChecked(true); };
    Check();
    EXPECT_EQ(shown.size(), 1u) << "with only .tvl registered";
    keys = {{".tvl", "TVLPattern"}, {".tvf", "TVLFont"}};
    Check();
    EXPECT_EQ(shown.size(), 1u);
    // Switched off, nothing is asked at all.
    keys.clear();
    UserSettings().System.CheckTVLReg = false;
    Check();
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(FileTypeRegistrationTest, TheDialogSpeaksOfFileTypes)
{
    TfrmTWWinReg dialog(&Main());
    dialog.FinishLoading();
    EXPECT_EQ(dialog.Caption(), "File Types");
    for (const fw::Label* label : {dialog.Label1, dialog.Label3}) {
        EXPECT_EQ(label->Caption().find("Windows"), std::string::npos) << label->Caption();
        EXPECT_EQ(label->Caption().find("registry"), std::string::npos) << label->Caption();
    }
    EXPECT_EQ(dialog.rbDoReg->Caption(), "Yes, please register the TVL files.");
    EXPECT_EQ(dialog.rbIgnore->Caption(), "No, don't do so now.");
    EXPECT_EQ(dialog.rbNeverCheck->Caption(), "Don't do it and don't pester me again.");
}

// --- The desktop's files ----------------------------------------------------------------------

TEST(DesktopFileTypesTest, ExecArgumentsAreQuotedAndEscapedTwice)
{
    EXPECT_EQ(DesktopExecArgument("/usr/bin/tavelin"), "\"/usr/bin/tavelin\"");
    EXPECT_EQ(DesktopExecArgument("/home/a b/tavelin"), "\"/home/a b/tavelin\"");
    // '"' -> \" in the argument -> \\" in the file; '\' -> \\ -> \\\\; '%' -> %%.
    EXPECT_EQ(DesktopExecArgument("/x\"y"), "\"/x\\\\\"y\"");
    EXPECT_EQ(DesktopExecArgument("/x\\y"), "\"/x\\\\\\\\y\"");
    EXPECT_EQ(DesktopExecArgument("/$HOME/`x`"), "\"/\\\\$HOME/\\\\`x\\\\`\"");
    EXPECT_EQ(DesktopExecArgument("/100%"), "\"/100%%\"");
}

TEST(DesktopFileTypesTest, TheProgramAndBothTypesGetTheProgramsIconAndTheFilesNameIt)
{
    const fs::path data = UniqueScratchFolder("desktop_icons");
    fs::remove_all(data);
    const ScopedEnvironment home("XDG_DATA_HOME", data.string());
    TTWDesktopFileTypes registry(TTWDesktopFileTypes::UserDataFolder(), [](const std::vector<std::string>&) {});
    TfrmTWWinReg::WriteRegistration(registry, "/opt/tavelin/tavelin");

    const std::string entry = ReadText(data / "applications/tavelin.desktop");
    EXPECT_NE(entry.find("\nIcon=tavelin\n"), std::string::npos) << entry;
    const std::string package = ReadText(data / "mime/packages/tavelin.xml");
    for (const std::string type : {"application-x-tavelin-pattern", "application-x-tavelin-font"}) {
        EXPECT_NE(package.find("<icon name=\"" + type + "\"/>"), std::string::npos) << package;
    }
    // Each type's icon inside its own entry.
    EXPECT_LT(package.find("<icon name=\"application-x-tavelin-pattern\"/>"), package.find("x-tavelin-font\">"));

    // The icon theme's folders, at every size: the program under "apps", the types under
    // "mimetypes", each the program's icon drawn for that size.
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size) + "x" + std::to_string(size);
        const fw::ArgbImage expected = DrawProgramIcon(size);
        for (const fs::path& file : {data / "icons/hicolor" / side / "apps/tavelin.png",
                                     data / "icons/hicolor" / side / "mimetypes/application-x-tavelin-pattern.png",
                                     data / "icons/hicolor" / side / "mimetypes/application-x-tavelin-font.png"}) {
            SCOPED_TRACE(file.string());
            const fw::ArgbImage read = fw::DecodePng(ReadText(file));
            ASSERT_EQ(read.Width(), size);
            ASSERT_EQ(read.Height(), size);
            EXPECT_EQ(read, expected);
        }
    }
    std::error_code ignored;
    fs::remove_all(data, ignored);
}

TEST(DesktopFileTypesTest, ATypeWithoutAnIconKeyGetsNoIconButTheProgramDoes)
{
    const fs::path data = UniqueScratchFolder("desktop_no_type_icon");
    fs::remove_all(data);
    TTWDesktopFileTypes registry(data.string(), [](const std::vector<std::string>&) {});
    registry.WriteKey(".tvl", "TVLPattern");
    registry.WriteKey("TVLPattern", "TVL Pattern");
    registry.WriteKey("TVLPattern\\Shell\\open\\command", "\"/opt/tavelin/tavelin\" \"%1\"");
    registry.Commit();
    EXPECT_EQ(ReadText(data / "mime/packages/tavelin.xml").find("<icon"), std::string::npos);
    EXPECT_NE(ReadText(data / "applications/tavelin.desktop").find("\nIcon=tavelin\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "icons/hicolor/48x48/apps/tavelin.png"));
    EXPECT_FALSE(fs::exists(data / "icons/hicolor/48x48/mimetypes"));
    std::error_code ignored;
    fs::remove_all(data, ignored);
}

TEST(DesktopFileTypesTest, RegisteredForRealTheDesktopMapsPatternAndFontFiles)
{
    const fs::path data = UniqueScratchFolder("desktop_data");
    fs::remove_all(data);
    const ScopedEnvironment home("XDG_DATA_HOME", data.string());
    std::vector<std::string> helpers;
    TTWDesktopFileTypes registry(TTWDesktopFileTypes::UserDataFolder(), [&](const std::vector<std::string>& arguments) {
        helpers.push_back(arguments.front());
        // Run as the program runs them, where they are installed.
        fw::RunProgram(arguments);
    });
    EXPECT_EQ(registry.DataFolder(), data.string());
    EXPECT_FALSE(registry.KeyExists(".tvl"));
    TfrmTWWinReg::WriteRegistration(registry, "/opt/my tavelin/tavelin");

    const std::string package = ReadText(data / "mime/packages/tavelin.xml");
    EXPECT_NE(package.find("<mime-type type=\"application/x-tavelin-pattern\">"), std::string::npos) << package;
    EXPECT_NE(package.find("<comment>TVL Pattern</comment>"), std::string::npos);
    EXPECT_NE(package.find("<comment>TVL Font</comment>"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.tvf\"/>"), std::string::npos);
    EXPECT_NE(package.find("<sub-class-of type=\"application/xml\"/>"), std::string::npos);
    const std::string entry = ReadText(data / "applications/tavelin.desktop");
    EXPECT_NE(entry.find("\nExec=\"/opt/my tavelin/tavelin\" %F\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-tavelin-pattern;application/x-tavelin-font;\n"), std::string::npos);
    EXPECT_EQ(helpers, (std::vector<std::string>{"update-mime-database", "update-desktop-database", "xdg-mime"}));

    // The desktop's own database, as Qt reads it (again every few seconds).
    bool mapped = false;
    for (int attempt = 0; attempt < 80 && !mapped; ++attempt) {
        mapped = registry.KeyExists(".tvl") && registry.KeyExists(".tvf");
        if (!mapped) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    EXPECT_TRUE(mapped);
    EXPECT_EQ(fw::MimeTypeForFileName("x.tvl"), "application/x-tavelin-pattern");
    EXPECT_EQ(fw::MimeTypeForFileName("band.TVF"), "application/x-tavelin-font");
    // Without the desktop file the program does not count as registered.
    fs::remove(data / "applications/tavelin.desktop");
    EXPECT_FALSE(registry.KeyExists(".tvl"));
    std::error_code ignored;
    fs::remove_all(data, ignored);
}

} // namespace
