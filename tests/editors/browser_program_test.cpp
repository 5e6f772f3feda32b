// The pattern browser with the program's own views: a thumbnail for the samples of every
// kind, drawn by the views without a window showing or staying behind, and the browser in
// the program opening a sample in its editor.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "editors/browser_thumbnail_makers.h"
#include "editors/df_editor.h"
#include "editors/weaving_image_frame.h"
#include "framework/core/bitmap.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/qt_peer.h"
#include "framework/gui/std_button.h"
#include "model/card.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "shell/browser_frame.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"
#include "shell/browser_window.h"
#include "support/test_data.h"
#include "threaded_editor_test_support.h"

namespace {

namespace fs = std::filesystem;

using threaded_editor_test::EditorProgramTest;

// The samples of every kind the project's own model has written: the samples of the tests
// (fonts among them) and a brocade of the fuzz seeds.
fs::path SampleFolder(const fs::path& scratch)
{
    const fs::path folder = scratch / "samples";
    fs::create_directories(folder);
    const fs::path data = TestDataFolder();
    for (const auto& entry : fs::directory_iterator(data)) {
        if (entry.path().extension() == ".tvl" || entry.path().extension() == ".tvf") {
            fs::copy_file(entry.path(), folder / entry.path().filename());
        }
    }
    const fs::path seeds = data.parent_path() / "fuzz" / "corpus" / "patterns";
    fs::copy_file(seeds / "gen-brocade-ground.tvl", folder / "brocade_ground.tvl");
    fs::copy_file(seeds / "gen-font.tvf", folder / "letters.tvf", fs::copy_options::overwrite_existing);
    return folder;
}

// How many pattern files (".tvl") the folder holds.
std::size_t PatternFileCount(const fs::path& folder)
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".tvl" ? 1 : 0;
    }
    return count;
}

int Colours(const fw::Bitmap& picture)
{
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            colours.insert(picture.Pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

class BrowserProgramTest : public EditorProgramTest {
protected:
    void SetUp() override
    {
        paintBackend = &qtBackend_;
        EditorProgramTest::SetUp();
        TfrmTWBrowser::ForgetRememberedFolderForTests();
    }
    void TearDown() override
    {
        fw::SyncQtPeers();
        TfrmTWBrowser::ForgetRememberedFolderForTests();
        EditorProgramTest::TearDown();
    }

private:
    fw::QtPaintBackend qtBackend_;
};

TEST_F(BrowserProgramTest, EveryKindOfSampleGetsItsThumbnailAndNoWindowStaysBehind)
{
    const fs::path folder = SampleFolder(Folder());
    const int windows = Main().MDIChildCount();
    TTWBrowserItemList items;
    const TTWBrowserUpdateResult result = items.Update(folder.string(), false);
    EXPECT_TRUE(result.Failures.empty()) << (result.Failures.empty() ? "" : result.Failures[0].Message);
    EXPECT_EQ(Main().MDIChildCount(), windows) << "the editors made for the pictures are gone";
    EXPECT_FALSE(Main().WindowMenuItem(nullptr));

    EXPECT_EQ(static_cast<std::size_t>(items.Count()), PatternFileCount(folder));
    std::set<int> kinds;
    for (int i = 0; i < items.Count(); ++i) {
        const TTWBrowserItem& item = *items.Items(i);
        kinds.insert(item.Kind);
        EXPECT_LE(item.Bitmap.Width(), ThumbnailMaxWidth) << item.FileName;
        EXPECT_LE(item.Bitmap.Height(), ThumbnailMaxHeight) << item.FileName;
        if (item.Kind == PatternTypeLetteredBand) {
            EXPECT_TRUE(item.Bitmap.Empty()) << item.FileName;
            EXPECT_EQ(item.Cards, 0);
            continue;
        }
        EXPECT_GT(item.Cards, 0) << item.FileName;
        // A woven band shows its design: more than one colour.
        EXPECT_GT(Colours(item.Bitmap), 1) << item.FileName;
    }
    EXPECT_EQ(kinds, (std::set<int>{PatternTypeThreaded, PatternTypeDoubleFace, PatternTypeBrokenTwill,
                                    PatternTypeLetteredBand, PatternTypeBrocade, PatternTypeTwistPatterned}));
    EXPECT_EQ(items.FindByName("letters.tvf"), nullptr) << "fonts are not listed";
    // The long band is shrunk to the thumbnail's width, keeping its proportions.
    const TTWBrowserItem* large = items.FindByName(sample_patterns::LargeFile);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->Bitmap.Width(), ThumbnailMaxWidth);
    EXPECT_LT(large->Bitmap.Height(), ThumbnailMaxHeight);
    // A small band fits and is drawn as it is: the frame's own picture, unscaled.
    const TTWBrowserItem* small = items.FindByName(sample_patterns::SmallFile);
    ASSERT_NE(small, nullptr);
    EXPECT_LT(small->Bitmap.Width(), ThumbnailMaxWidth);
    EXPECT_LT(small->Bitmap.Height(), ThumbnailMaxHeight);
}

TEST_F(BrowserProgramTest, TheTwistPatternedThumbnailIsTheBlockChartOfItsTwining)
{
    std::unique_ptr<TTWPatternBase> twist =
        LoadAndCreatePattern((TestDataFolder() / "twist_small.tvl").string());
    const fw::Bitmap picture = MakeThumbnail(*twist);
    ASSERT_FALSE(picture.Empty());
    // Twining lines on the plain cells of the chart: black and the background only.
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            colours.insert(picture.Pixel(x, y));
        }
    }
    EXPECT_TRUE(colours.contains(0x000000u));
    EXPECT_LE(colours.size(), 3u);
}

TEST_F(BrowserProgramTest, AnEditorKeptForARunDrawsEachDesignAsANewOneWould)
{
    // Each design drawn on its own, by an editor made for it.
    const fs::path data = TestDataFolder();
    std::vector<std::unique_ptr<TTWPatternBase>> designs;
    for (const char* name : {"doubleface_small.tvl", "twill_small.tvl", "twist_small.tvl"}) {
        designs.push_back(LoadAndCreatePattern((data / name).string()));
    }
    // A second double-face design of another size and colour count, drawn in between.
    auto other = std::make_unique<TTWDFPattern>();
    other->SetColourCount(4);
    other->SetSize(5, 3);
    for (int x = 0; x < 5; ++x) {
        other->Cards().Add(CreateCard(4).release());
        other->SetCell(x, x % 3, true);
    }
    std::vector<fw::Bitmap> alone;
    for (const auto& design : designs) {
        alone.push_back(MakeThumbnail(*design));
    }
    const fw::Bitmap otherAlone = MakeThumbnail(*other);

    const TTWThumbnailRun run;
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < designs.size(); ++i) {
            EXPECT_TRUE(MakeThumbnail(*designs[i]).SamePixels(alone[i])) << i << " in round " << round;
            EXPECT_TRUE(MakeThumbnail(*other).SamePixels(otherAlone)) << "after " << i;
        }
    }
}

TEST_F(BrowserProgramTest, TheBrowserShowsTheSamplesAndOpensOneInItsEditor)
{
    const fs::path folder = SampleFolder(Folder());
    Main().SetBounds(0, 0, 1100, 760);
    Main().FindComponent("mnuBrowse");
    dynamic_cast<fw::MenuItem*>(Main().FindComponent("mnuBrowse"))->Click();
    auto* browser = dynamic_cast<TfrmTWBrowser*>(Main().BrowserWindow());
    ASSERT_NE(browser, nullptr);
    browser->SetBounds(0, 0, 1040, 640);
    browser->SetBrowseFolder(folder.string());
    browser->btnRefresh->Click();
    ASSERT_EQ(browser->Frames().size(), PatternFileCount(folder));
    fw::SyncQtPeers();
    const fw::Bitmap shown = fw::RenderToBitmap(*browser);
    const std::string file = std::string(TAVELIN_EDITORS_TEST_OUTPUT) + "/browser-samples.png";
    EXPECT_TRUE(fw::BitmapToQImage(shown).save(QString::fromStdString(file))) << file;

    TfrmTWBrowserFrame* doubleFace = nullptr;
    for (TfrmTWBrowserFrame* frame : browser->Frames()) {
        if (frame->Item()->FileName == "doubleface_small.tvl") {
            doubleFace = frame;
        }
    }
    ASSERT_NE(doubleFace, nullptr);
    doubleFace->imgPattern->DblClick();
    auto* editor = dynamic_cast<TfrmTWDoublefaceNonMDI*>(Main().ActiveMDIChild());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetFileName(), (folder / "doubleface_small.tvl").string());
}

} // namespace
