// The browser's item list and its cache: what a folder's refresh draws, keeps, drops and
// writes, and how the cache file reads back (or is refused when damaged).

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/bmp_codec.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "shell/browser_cache.h"
#include "shell/browser_items.h"
#include "shell/browser_thumbnails.h"
#include "support/scratch_folder.h"
#include "support/unusual_files.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A picture that tells the pattern apart: as wide as its cards, coloured by its pick count.
fw::Bitmap FakePicture(const TTWPatternBase& pattern)
{
    fw::Bitmap picture(std::max(1, pattern.GetCardCount()), 4);
    picture.FillRect(picture.Bounds(), 0x102030u + static_cast<std::uint32_t>(pattern.GetPickCount()));
    return picture;
}

class BrowserItemsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelForTests();
        folder_ = UniqueScratchFolder("browser_items");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ResetThumbnailMakersForTests();
        for (int kind : {PatternTypeThreaded, PatternTypeDoubleFace}) {
            RegisterThumbnailMaker(kind, [this](TTWPatternBase& pattern) {
                drawn.push_back(pattern.Name());
                return FakePicture(pattern);
            });
        }
    }
    void TearDown() override
    {
        ResetThumbnailMakersForTests();
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, ignored);
        fs::remove_all(folder_, ignored);
        ResetModelForTests();
    }

    const fs::path& Folder() const { return folder_; }
    fs::path Cache() const { return folder_ / BrowserCacheFileName; }

    // A double-face design of the width and rows, saved under the name.
    void SaveDesign(const std::string& file, const std::string& name, int width, int length)
    {
        TTWDFPattern design;
        design.SetName(name);
        design.SetSize(width, length);
        design.SetCell(0, 0, true);
        design.SaveToFile((folder_ / file).string());
    }
    void SaveThreaded(const std::string& file, const std::string& name)
    {
        TTWPattern pattern;
        pattern.SetName(name);
        pattern.SaveToFile((folder_ / file).string());
    }
    // The file's date moved into the future, as an edit after the thumbnail would leave it.
    void Touch(const std::string& file, int seconds = 10)
    {
        const fs::path path = folder_ / file;
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
    }

    TTWBrowserUpdateResult Update(bool rebuild = false)
    {
        drawn.clear();
        return list.Update(folder_.string(), rebuild);
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i) {
            names.push_back(list.Items(i)->FileName);
        }
        return names;
    }

    TTWBrowserItemList list;
    // The pattern names drawn by the last update.
    std::vector<std::string> drawn;

private:
    fs::path folder_;
};

TEST_F(BrowserItemsTest, AnEmptyFolderGivesAnEmptyListAndACacheOfTwelveBytes)
{
    const TTWBrowserUpdateResult result = Update();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(result.Rendered, 0);
    const std::string bytes = ReadBytes(Cache());
    ASSERT_EQ(bytes.size(), 12u);
    // The format number 1.0 as a little-endian double, then a count of 0.
    EXPECT_EQ(bytes, std::string("\0\0\0\0\0\0\xF0\x3F\0\0\0\0", 12));
}

TEST_F(BrowserItemsTest, PatternsAreListedByNameWithTheirKindCardsAndThumbnail)
{
    SaveDesign("b.tvl", "Bravo", 7, 3);
    SaveThreaded("a.TVL", "Alpha");
    TTWFont font;
    font.SaveToFile((Folder() / "letters.tvf").string());
    // A folder and a file of another kind that only look like patterns by name.
    fs::create_directories(Folder() / "folder.tvl");
    WriteBytes(Folder() / "notes.txt", "not a pattern");

    const TTWBrowserUpdateResult result = Update();
    EXPECT_TRUE(result.Failures.empty());
    EXPECT_EQ(result.Rendered, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.TVL", "b.tvl"})) << "regular .tvl files in any case, by name";
    const TTWBrowserItem& design = *list.Items(1);
    EXPECT_EQ(design.Kind, PatternTypeDoubleFace);
    EXPECT_EQ(design.Cards, 7);
    EXPECT_TRUE(design.Bitmap.SamePixels(FakePicture(*LoadAndCreatePattern((Folder() / "b.tvl").string()))));
    EXPECT_GT(design.FileDate, 0.0);
    EXPECT_EQ(list.Items(0)->Kind, PatternTypeThreaded);
}

TEST_F(BrowserItemsTest, ASecondRefreshDrawsNothingAndWritesTheSameBytes)
{
    SaveDesign("one.tvl", "One", 5, 2);
    SaveThreaded("two.tvl", "Two");
    Update();
    const std::string first = ReadBytes(Cache());

    TTWBrowserItemList again;
    const TTWBrowserUpdateResult result = again.Update(Folder().string(), false);
    EXPECT_EQ(result.Rendered, 0);
    EXPECT_EQ(again.Count(), 2);
    EXPECT_EQ(ReadBytes(Cache()), first);
    EXPECT_TRUE(again.Items(0)->Bitmap.SamePixels(list.Items(0)->Bitmap)) << "the thumbnail comes from the cache";

    // Rebuild draws everything again, and the bytes stay the same for the same files.
    const TTWBrowserUpdateResult rebuilt = again.Update(Folder().string(), true);
    EXPECT_EQ(rebuilt.Rendered, 2);
    EXPECT_EQ(ReadBytes(Cache()), first);
}

TEST_F(BrowserItemsTest, RenamedDeletedAndTouchedFilesAreHandledOneByOne)
{
    SaveDesign("keep.tvl", "Keep", 4, 2);
    SaveDesign("rename.tvl", "Renamed", 6, 2);
    SaveDesign("delete.tvl", "Deleted", 8, 2);
    SaveDesign("touch.tvl", "Touched", 3, 2);
    Update();

    fs::rename(Folder() / "rename.tvl", Folder() / "renamed.tvl");
    fs::remove(Folder() / "delete.tvl");
    Touch("touch.tvl");
    Update();
    EXPECT_EQ(Names(), (std::vector<std::string>{"keep.tvl", "renamed.tvl", "touch.tvl"}));
    EXPECT_EQ(drawn, (std::vector<std::string>{"Renamed", "Touched"}));

    // An older date than the thumbnail's is no change.
    Touch("keep.tvl", -3600);
    Update();
    EXPECT_TRUE(drawn.empty());
}

TEST_F(BrowserItemsTest, NamesDifferingOnlyInCaseAreTwoFiles)
{
    SaveDesign("Band.tvl", "Upper", 4, 2);
    SaveDesign("band.tvl", "Lower", 5, 2);
    Update();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Band.tvl", "band.tvl"}));
    EXPECT_EQ(list.Items(0)->Cards, 4);
    EXPECT_EQ(list.Items(1)->Cards, 5);
    EXPECT_EQ(list.FindByName("BAND.tvl"), nullptr);
}

TEST_F(BrowserItemsTest, AFolderThatCannotBeWrittenStillShowsItsThumbnails)
{
    SaveDesign("one.tvl", "One", 5, 2);
    fs::permissions(Folder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                                  | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    TTWBrowserUpdateResult result = Update();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.Items(0)->Bitmap.Empty());
    EXPECT_FALSE(fs::exists(Cache()));
    // Without a cache every refresh draws afresh.
    result = Update();
    EXPECT_EQ(result.Rendered, 1);
}

TEST_F(BrowserItemsTest, APatternThatCannotBeReadIsReportedAndTheRestStillShows)
{
    SaveDesign("good.tvl", "Good", 5, 2);
    WriteBytes(Folder() / "broken.tvl", "<TWData><Pattern Type=\"Unknown\"/></TWData>");
    SaveDesign("later.tvl", "Later", 6, 2);
    const TTWBrowserUpdateResult result = Update();
    EXPECT_EQ(Names(), (std::vector<std::string>{"good.tvl", "later.tvl"}));
    ASSERT_EQ(result.Failures.size(), 1u);
    EXPECT_EQ(result.Failures[0].FileName, "broken.tvl");
    EXPECT_NE(result.Failures[0].Message.find("The type <Unknown> is unknown."), std::string::npos)
        << result.Failures[0].Message;
    // The cache holds the others; the broken file is tried again next time.
    TTWBrowserItemList cached;
    ReadBrowserCache(ReadBytes(Cache()), cached);
    EXPECT_EQ(cached.Count(), 2);
    EXPECT_EQ(Update().Failures.size(), 1u);
}

// A named pipe, a link to a device or a folder named like a pattern file is no pattern file:
// the browser passes over it at once, and the patterns still show.
TEST_F(BrowserItemsTest, WhatIsNoRegularFileIsPassedOverAtOnce)
{
    SaveDesign("good.tvl", "Good", 5, 2);
    const PipeWithLateWriter pipe(Folder() / "pipe.tvl");
    fs::create_symlink("/dev/zero", Folder() / "zero.tvl");
    fs::create_directory(Folder() / "folder.tvl");
    const auto started = std::chrono::steady_clock::now();
    const TTWBrowserUpdateResult result = Update();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(Names(), std::vector<std::string>{"good.tvl"});
    EXPECT_TRUE(result.Failures.empty());
}

TEST_F(BrowserItemsTest, FontsAndLetteredBandsHaveNoPictureAndNoCards)
{
    // A font stored in a pattern file is listed like any other, without a picture.
    TTWFont font;
    font.SaveToFile((Folder() / "font.tvl").string());
    Update();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->Kind, PatternTypeFont);
    EXPECT_EQ(list.Items(0)->Cards, 0);
    EXPECT_TRUE(list.Items(0)->Bitmap.Empty());
    TTWBrowserItemList cached;
    ReadBrowserCache(ReadBytes(Cache()), cached);
    EXPECT_TRUE(cached.Items(0)->Bitmap.Empty());
}

TEST_F(BrowserItemsTest, NoFolderIsNotTheRootOfTheFileSystem)
{
    const fs::path rootCache = fs::path("/") / BrowserCacheFileName;
    ASSERT_FALSE(fs::exists(rootCache));
    list.Add(new TTWBrowserItem);
    const TTWBrowserUpdateResult result = list.Update(std::string(), false);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(result.Rendered, 0);
    EXPECT_FALSE(fs::exists(rootCache));
}

// --- The cache file ----------------------------------------------------------------------------

class BrowserCacheTest : public BrowserItemsTest {
protected:
    // A cache of two items as the writer makes it.
    std::string TwoItems()
    {
        TTWBrowserItemList items;
        auto* first = new TTWBrowserItem;
        first->FileName = "Bänd.tvl";
        first->FileDate = 45000.25;
        first->Kind = PatternTypeBrokenTwill;
        first->Cards = 24;
        first->Bitmap = fw::Bitmap(3, 2);
        first->Bitmap.FillRect(first->Bitmap.Bounds(), 0x0000FF);
        items.Add(first);
        auto* second = new TTWBrowserItem;
        second->FileName = "font.tvl";
        second->Kind = PatternTypeFont;
        items.Add(second);
        return WriteBrowserCache(items);
    }
    // The reading's complaint, or "" when it reads.
    static std::string Complaint(const std::string& bytes)
    {
        TTWBrowserItemList items;
        try {
            ReadBrowserCache(bytes, items);
        } catch (const EThumbnailCacheError& error) {
            EXPECT_EQ(items.Count(), 0);
            return error.Message();
        }
        return {};
    }
    static void PutInt32(std::string& bytes, std::size_t offset, std::int32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
        }
    }
};

TEST_F(BrowserCacheTest, ItemsReadBackAsTheyWereWritten)
{
    const std::string bytes = TwoItems();
    TTWBrowserItemList items;
    ReadBrowserCache(bytes, items);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Items(0)->FileName, "Bänd.tvl") << "stored in Windows-1252, read back as UTF-8";
    EXPECT_EQ(items.Items(0)->FileDate, 45000.25);
    EXPECT_EQ(items.Items(0)->Kind, PatternTypeBrokenTwill);
    EXPECT_EQ(items.Items(0)->Cards, 24);
    EXPECT_EQ(items.Items(0)->Bitmap.Width(), 3);
    EXPECT_EQ(items.Items(0)->Bitmap.Pixel(2, 1), 0x0000FFu);
    EXPECT_TRUE(items.Items(1)->Bitmap.Empty());
    EXPECT_EQ(items.Format(), 1.0);
    // The name's length counts the single byte of "ä".
    EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 8u);
    EXPECT_EQ(WriteBrowserCache(items), bytes);
}

TEST_F(BrowserCacheTest, DamageOfEveryKindIsRefusedAndLeavesTheListEmpty)
{
    const std::string good = TwoItems();
    EXPECT_EQ(Complaint(good), "");
    EXPECT_NE(Complaint(good.substr(0, 10)), "") << "shorter than its header";
    std::string negative = good;
    PutInt32(negative, 8, -1);
    EXPECT_NE(Complaint(negative).find("negative"), std::string::npos);
    std::string huge = good;
    PutInt32(huge, 8, 0x7FFFFFFF);
    EXPECT_NE(Complaint(huge).find("larger than the file"), std::string::npos);
    std::string longName = good;
    PutInt32(longName, 12, 1 << 30);
    EXPECT_NE(Complaint(longName), "");
    std::string noKind = good;
    PutInt32(noKind, 16 + 8 + 8, 9);
    EXPECT_NE(Complaint(noKind).find("kind"), std::string::npos);
    // The first thumbnail's header: its length beyond the file, then no bitmap at all.
    const std::size_t bitmap = 16 + 8 + 8 + 4 + 4;
    std::string longBitmap = good;
    PutInt32(longBitmap, bitmap + 2, 1 << 24);
    EXPECT_NE(Complaint(longBitmap).find("length"), std::string::npos);
    std::string notBitmap = good;
    notBitmap[bitmap] = 'X';
    EXPECT_NE(Complaint(notBitmap).find("no bitmap"), std::string::npos);
    EXPECT_NE(Complaint(good + "x").find("follow"), std::string::npos);
    EXPECT_NE(Complaint(good.substr(0, good.size() - 1)), "");
}

TEST_F(BrowserCacheTest, AnItemOfTheSevenPatternKindsReadsAndNoOtherKind)
{
    const std::string good = TwoItems();
    const std::size_t firstKind = 16 + 8 + 8;
    for (int kind = 1; kind <= 7; ++kind) {
        std::string bytes = good;
        PutInt32(bytes, firstKind, kind);
        EXPECT_EQ(Complaint(bytes), "") << "kind " << kind;
    }
    for (const int kind : {0, 8, -1, 0x7FFFFFFF}) {
        std::string bytes = good;
        PutInt32(bytes, firstKind, kind);
        EXPECT_NE(Complaint(bytes).find("kind"), std::string::npos) << "kind " << kind;
    }
}

TEST_F(BrowserCacheTest, APictureLargerThanAThumbnailIsDamage)
{
    TTWBrowserItemList items;
    auto* item = new TTWBrowserItem;
    item->FileName = "x.tvl";
    item->Kind = PatternTypeThreaded;
    item->Bitmap = fw::Bitmap(ThumbnailMaxWidth + 1, 2);
    items.Add(item);
    EXPECT_NE(Complaint(WriteBrowserCache(items)).find("larger"), std::string::npos);
}

TEST_F(BrowserCacheTest, ADamagedCacheIsMadeAnewFromTheFolder)
{
    SaveDesign("one.tvl", "One", 5, 2);
    WriteBytes(Cache(), "garbage that is no cache");
    const TTWBrowserUpdateResult result = Update();
    EXPECT_TRUE(result.Failures.empty());
    EXPECT_EQ(result.Rendered, 1);
    TTWBrowserItemList cached;
    ReadBrowserCache(ReadBytes(Cache()), cached);
    ASSERT_EQ(cached.Count(), 1);
    EXPECT_EQ(cached.Items(0)->FileName, "one.tvl");
}

} // namespace
