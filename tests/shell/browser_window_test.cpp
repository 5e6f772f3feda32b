// The pattern browser window in the main window: made by the Browse commands, its folder,
// its frames, the view put back after every refresh, failures reported after the rest shows,
// the folder remembered for the next browser of the run, and files opened by a double click.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "controls/scroll_box.h"
#include "foundation/generic_exception.h"
#include "framework/core/stream.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_speed_button.h"
#include "model/df_pattern.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/browser_frame.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"
#include "shell/browser_window.h"
#include "shell/main_window_messages.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

namespace fs = std::filesystem;

// What the view looked like while a thumbnail was drawn.
struct DrawnWhile {
    std::string PanelText;
    bool ThumbnailsShown = true;
    fw::Cursor Cursor = fw::crDefault;
};

class BrowserWindowTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        TfrmTWBrowser::ForgetRememberedFolderForTests();
        ResetThumbnailMakersForTests();
        RegisterBrowser();
        RegisterThumbnailMaker(PatternTypeDoubleFace, [this](TTWPatternBase& pattern) {
            if (TfrmTWBrowser* browser = Browser()) {
                drawnWhile.push_back(DrawnWhile{browser->pnlTTop->Caption(), browser->scrPatterns->Visible(),
                                                fw::GetScreen().Cursor()});
            }
            fw::Bitmap picture(pattern.GetCardCount(), 3);
            picture.FillRect(picture.Bounds(), 0x3060C0);
            return picture;
        });
        ShellFactories().LoadFile = [this](TfrmTWMain&, const std::string& file) { loaded.push_back(file); };
        // After the main window, which installs its own handler.
        Main();
        fw::App().SetOnException([this](const std::exception& error) {
            const TfrmTWBrowser* browser = Browser();
            reported.push_back(fw::ErrorMessage(error));
            framesWhenReported = browser != nullptr ? static_cast<int>(browser->Frames().size()) : -1;
        });
    }
    void TearDown() override
    {
        FreeMain();
        fw::ProcessPostedMessages();
        ResetThumbnailMakersForTests();
        TfrmTWBrowser::ForgetRememberedFolderForTests();
        ShellTest::TearDown();
    }

    TfrmTWBrowser* Browser() { return dynamic_cast<TfrmTWBrowser*>(Main().BrowserWindow()); }

    // A folder of `count` double-face designs "p0.tvl" ... of 4 + i cards.
    fs::path PatternFolder(const std::string& name, int count)
    {
        const fs::path folder = Folder() / name;
        fs::create_directories(folder);
        for (int i = 0; i < count; ++i) {
            TTWDFPattern design;
            design.SetSize(4 + i, 2);
            design.SaveToFile((folder / ("p" + std::to_string(i) + ".tvl")).string());
        }
        return folder;
    }

    TfrmTWBrowser& OpenBrowser()
    {
        Main().Show();
        Item("mnuBrowse").Click();
        TfrmTWBrowser* browser = Browser();
        EXPECT_NE(browser, nullptr);
        return *browser;
    }

    std::vector<DrawnWhile> drawnWhile;
    std::vector<std::string> loaded;
    std::vector<std::string> reported;
    int framesWhenReported = -1;
};

TEST_F(BrowserWindowTest, TheBrowseCommandsMakeOneBrowserAtTheTopLeftOnTheLastFolder)
{
    UserSettings().Directories.LastBrowse = PatternFolder("last", 2).string();
    TfrmTWBrowser& browser = OpenBrowser();
    EXPECT_EQ(browser.Caption(), "Pattern Browser");
    EXPECT_EQ(browser.Left(), 0);
    EXPECT_EQ(browser.Top(), 0);
    EXPECT_EQ(browser.BrowseFolder(), UserSettings().Directories.LastBrowse);
    EXPECT_TRUE(browser.Frames().empty()) << "the last run's folder is shown, and drawn on Refresh";
    EXPECT_TRUE(Item("mnuDivBrowser").Visible());
    EXPECT_TRUE(Item("mnuShowBrowser").Visible());

    Item("mnuShowBrowser").Click();
    Item("mnuBrowse").Click();
    EXPECT_EQ(Browser(), &browser);
    int browsers = 0;
    for (int i = 0; i < Main().MDIChildCount(); ++i) {
        browsers += dynamic_cast<TfrmTWBrowser*>(Main().MDIChildren(i)) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(browsers, 1);
}

TEST_F(BrowserWindowTest, RefreshShowsTheFramesInRowsAndPutsTheViewBack)
{
    const fs::path folder = PatternFolder("band", 7);
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetBrowseFolder(folder.string());
    browser.btnRefresh->Click();

    ASSERT_EQ(drawnWhile.size(), 7u);
    for (const DrawnWhile& state : drawnWhile) {
        EXPECT_EQ(state.PanelText, "Updating Thumbnails...");
        EXPECT_FALSE(state.ThumbnailsShown);
        EXPECT_EQ(state.Cursor, fw::crHourGlass);
    }
    EXPECT_EQ(browser.pnlTTop->Caption(), "");
    EXPECT_TRUE(browser.scrPatterns->Visible());
    EXPECT_EQ(fw::GetScreen().Cursor(), fw::crDefault);

    const std::vector<TfrmTWBrowserFrame*>& frames = browser.Frames();
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[0]->lblFile->Caption(), "p0.tvl");
    EXPECT_EQ(frames[0]->lblType->Caption(), "DoubleFace");
    EXPECT_EQ(frames[6]->lblCards->Caption(), "10");
    EXPECT_EQ(frames[3]->imgPattern->Picture().Width(), 7);
    // As many in a row as fit the scroll box, then the next row.
    const int room = browser.scrPatterns->ClientWidth()
                     - (browser.scrPatterns->VertBarNeeded() ? browser.scrPatterns->VertBar().Width() : 0);
    const int perRow = std::max(1, (room - 1) / TfrmTWBrowserFrame::FrameWidth);
    ASSERT_LT(perRow, 7) << "the test wants two rows";
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(frames[static_cast<std::size_t>(i)]->Left(), (i % perRow) * TfrmTWBrowserFrame::FrameWidth) << i;
        EXPECT_EQ(frames[static_cast<std::size_t>(i)]->Top(), (i / perRow) * TfrmTWBrowserFrame::FrameHeight) << i;
    }

    // A narrower window puts fewer in a row.
    browser.SetWidth(2 * TfrmTWBrowserFrame::FrameWidth + 60);
    EXPECT_EQ(frames[2]->Left(), 0);
    EXPECT_EQ(frames[2]->Top(), TfrmTWBrowserFrame::FrameHeight);
}

TEST_F(BrowserWindowTest, APatternThatFailsIsReportedOnceTheOthersShow)
{
    const fs::path folder = PatternFolder("mixed", 3);
    fw::FileStream(folder / "bad.tvl", fw::FileOpenMode::Create).WriteBuffer("<TWData/>", 9);
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetBrowseFolder(folder.string());
    browser.btnRefresh->Click();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("These pattern files could not be shown:\r\nbad.tvl"), std::string::npos) << reported[0];
    EXPECT_EQ(framesWhenReported, 3);
    EXPECT_EQ(browser.pnlTTop->Caption(), "");
    EXPECT_TRUE(browser.scrPatterns->Visible());
}

TEST_F(BrowserWindowTest, TheFolderOfThisRunWinsOverTheSettingAndIsShownAtOnce)
{
    const fs::path first = PatternFolder("first", 2);
    UserSettings().Directories.LastBrowse = PatternFolder("setting", 5).string();
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetBrowseFolder(first.string());
    browser.btnRefresh->Click();
    browser.btnClose->Click();
    fw::ProcessPostedMessages();
    ASSERT_EQ(Browser(), nullptr) << "the browser frees itself when closed";
    EXPECT_FALSE(Item("mnuShowBrowser").Visible());
    ASSERT_TRUE(TfrmTWBrowser::RememberedFolder());
    EXPECT_EQ(*TfrmTWBrowser::RememberedFolder(), first.string());

    TfrmTWBrowser& again = OpenBrowser();
    EXPECT_EQ(again.BrowseFolder(), first.string());
    EXPECT_EQ(again.Frames().size(), 2u) << "the panel and the thumbnails show the same folder";
    // Until the user chooses another folder.
    const fs::path other = PatternFolder("other", 4);
    const fw::ScopedHandler chooser(&fw::FolderDialog::SetHandler, [&](fw::FolderDialog& dialog) {
        EXPECT_EQ(dialog.Folder(), first.string());
        dialog.SetFolder(other.string());
        return true;
    });
    again.btnSelDir->Click();
    EXPECT_EQ(again.BrowseFolder(), other.string());
    EXPECT_EQ(again.Frames().size(), 4u);
    again.SetBrowseFolder(first.string());
    EXPECT_EQ(again.BrowseFolder(), first.string());
}

TEST_F(BrowserWindowTest, ChoosingTheShownFolderAgainChangesNothing)
{
    const fs::path folder = PatternFolder("Band", 1);
    PatternFolder("band", 3);
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetBrowseFolder(folder.string());
    browser.btnRefresh->Click();
    drawnWhile.clear();
    std::string chosen = folder.string();
    const fw::ScopedHandler chooser(&fw::FolderDialog::SetHandler, [&](fw::FolderDialog& dialog) {
        dialog.SetFolder(chosen);
        return true;
    });
    browser.btnSelDir->Click();
    EXPECT_TRUE(drawnWhile.empty());
    EXPECT_EQ(browser.Frames().size(), 1u);
    // A folder whose name differs only in case is another folder.
    chosen = (Folder() / "band").string();
    browser.btnSelDir->Click();
    EXPECT_EQ(browser.Frames().size(), 3u);
}

TEST_F(BrowserWindowTest, ADoubleClickOnAPictureOpensItsFile)
{
    const fs::path folder = PatternFolder("open", 2);
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetBrowseFolder(folder.string());
    browser.btnRefresh->Click();
    ASSERT_EQ(browser.Frames().size(), 2u);
    browser.Frames()[1]->imgPattern->DblClick();
    EXPECT_EQ(loaded, (std::vector<std::string>{(folder / "p1.tvl").string()}));
}

TEST_F(BrowserWindowTest, TheBrowserHasNoPatternToolsOrNotesOfItsOwn)
{
    TfrmTWMain& main = ShownMain();
    FakeEditor& editor = OpenEditor();
    editor.patternName = "Band";
    main.Perform(WM_TW_EDITORACTIVATED, PatternTypeThreaded);
    ASSERT_TRUE(main.pnlPatternInfo->Visible());
    const int queries = editor.toolQueries;
    TfrmTWBrowser& browser = OpenBrowser();
    browser.SetFocus();
    EXPECT_EQ(main.ActiveMDIChild(), &browser);
    EXPECT_FALSE(main.pnlPatternInfo->Visible());
    EXPECT_EQ(editor.toolQueries, queries) << "the tools stay as they were";
}

} // namespace
