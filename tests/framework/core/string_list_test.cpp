#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/core/string_list.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// A fresh folder per test, removed afterwards.
class StringListFiles : public testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tavelin-string-list-" + std::to_string(random()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    static void WriteBytes(const fs::path& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    size_t EntriesInFolder() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

// Lets the files this process writes grow only so far, as a full disk would, whoever runs
// it (root too), and puts the old limit back. The write that passes the limit fails with
// EFBIG instead of the signal that would end the process.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &old_) != 0) {
            return;
        }
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit()
    {
        if (active_) {
            ::setrlimit(RLIMIT_FSIZE, &old_);
        }
        if (oldHandler_ != SIG_ERR) {
            std::signal(SIGXFSZ, oldHandler_);
        }
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool Active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_ERR;
    bool active_ = false;
};

} // namespace

TEST(StringListAccess, CheckedIndexesAndEditing)
{
    StringList list;
    EXPECT_EQ(list.Add("b"), 0);
    list.Insert(0, "a");
    list.Insert(2, "c");
    EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c"}));
    try {
        list.Strings(3);
        FAIL() << "no error raised";
    } catch (const EListError& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Insert(4, "x"), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.SetStrings(3, "x"), EListError);
    list.SetStrings(1, "B");
    list.Exchange(0, 2);
    EXPECT_EQ(list.Lines(), (Lines{"c", "B", "a"}));
    list.Delete(1);
    EXPECT_EQ(list.Lines(), (Lines{"c", "a"}));

    StringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    list.Clear();
    EXPECT_EQ(copy.Count(), 2);
}

TEST(StringListAccess, IndexOfAndSortIgnoreAsciiCase)
{
    StringList list{"02", "Beta", "alpha", "ALPHA", "_x"};
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("Alpha"), 2);
    EXPECT_EQ(list.IndexOf("2"), -1);
    list.Sort();
    // Equal keys keep their order; the underscore sorts after the letters.
    EXPECT_EQ(list.Lines(), (Lines{"02", "alpha", "ALPHA", "Beta", "_x"}));
}

TEST(StringListText, ReadsEveryKindOfLineBreak)
{
    const struct {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\r", {"a", ""}},
        {" a \t", {" a \t"}},
    };
    for (const auto& c : cases) {
        StringList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Lines(), c.lines) << "text: " << testing::PrintToString(c.text);
    }
    const StringList list{"a", "", "b"};
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
    EXPECT_EQ(StringList{}.Text(), "");
}

TEST(StringListCommaText, SplitsAtCommasAndBlanks)
{
    const struct {
        const char* text;
        Lines items;
    } cases[] = {
        {"", {}},
        {"  ", {}},
        {"a,b", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"S, Z", {"S", "Z"}},
        {"a b", {"a", "b"}},
        {"  1 ,  2\t,3  ", {"1", "2", "3"}},
        {"a,", {"a"}},
        {",a", {"", "a"}},
        {"\"\"", {""}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"\"open", {"open"}},
        {"\xC3\xA9,\xE2\x82\xAC", {"\xC3\xA9", "\xE2\x82\xAC"}},
    };
    for (const auto& c : cases) {
        StringList list{"left over"};
        list.SetCommaText(c.text);
        EXPECT_EQ(list.Lines(), c.items) << "text: " << testing::PrintToString(c.text);
    }
}

TEST(StringListCommaText, QuotesOnlyWhatWouldNotReadBack)
{
    const struct {
        Lines items;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{"0", ""}, "0,\"\""},
        {{"", ""}, ",\"\""},
        {{"S", "Z"}, "S,Z"},
        {{"a b"}, "\"a b\""},
        {{"x,y"}, "\"x,y\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"tab\there"}, "\"tab\there\""},
        {{"\xC3\xA9t\xC3\xA9"}, "\xC3\xA9t\xC3\xA9"},
    };
    for (const auto& c : cases) {
        StringList list;
        for (const std::string& item : c.items) {
            list.Add(item);
        }
        EXPECT_EQ(list.CommaText(), c.text);
        StringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_TRUE(back.Equals(list)) << "text: " << list.CommaText();
    }
}

TEST_F(StringListFiles, LoadsMixedLineBreaksAsWindows1252)
{
    const fs::path path = folder_ / "mixed.txt";
    WriteBytes(path, "one\rtwo\nthree\r\n\xE9t\xE9\x80\r\n");
    StringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(list.Lines(), (Lines{"one", "two", "three", "\xC3\xA9t\xC3\xA9\xE2\x82\xAC"}));
}

TEST_F(StringListFiles, SavesWindows1252WithCrLfAndReadsItBack)
{
    const fs::path path = folder_ / "accents.txt";
    const StringList list{"\xC3\xA9\xE2\x82\xAC", "snow \xE2\x98\x83"};
    list.SaveToFile(path);
    // What the code page lacks is written as its Unicode number rather than lost.
    EXPECT_EQ(ReadFileBytes(path), "\xE9\x80\r\nsnow &#9731;\r\n");

    StringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Lines(), (Lines{"\xC3\xA9\xE2\x82\xAC", "snow &#9731;"}));

    // Saving again replaces the content and leaves no temporary file behind.
    const StringList shorter{"x"};
    shorter.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path), "x\r\n");
    EXPECT_EQ(EntriesInFolder(), 1U);
}

TEST_F(StringListFiles, FailedSaveRaisesAndKeepsTheOldFile)
{
    const StringList list{"new"};

    const fs::path missingFolder = folder_ / "missing" / "file.txt";
    try {
        list.SaveToFile(missingFolder);
        FAIL() << "no error raised";
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message().rfind("Cannot create file \"" + missingFolder.string() + "\". ", 0), 0U)
            << error.Message();
    }

    // A folder in the target's place cannot be replaced by a file.
    const fs::path blocked = folder_ / "blocked";
    fs::create_directory(blocked);
    WriteBytes(blocked / "inside.txt", "old");
    EXPECT_THROW(list.SaveToFile(blocked), EFileError);
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(ReadFileBytes(blocked / "inside.txt"), "old");
    EXPECT_EQ(EntriesInFolder(), 1U) << "a temporary file was left behind";
}

TEST_F(StringListFiles, LoadingAMissingFileNamesIt)
{
    const fs::path path = folder_ / "absent.txt";
    StringList list{"kept"};
    try {
        list.LoadFromFile(path);
        FAIL() << "no error raised";
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + path.string() + "\". No such file or directory");
    }
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.LoadFromFile(folder_), EFileError);
}

TEST_F(StringListFiles, FailedSaveOverAnExistingFileLeavesItAsItWas)
{
    const fs::path path = folder_ / "keep.txt";
    WriteBytes(path, "old\r\n");
    // Far more than the limit, and more than the stream's buffer, so that the temporary file
    // is partly written before the write fails.
    StringList longer;
    for (int i = 0; i < 2000; ++i) {
        longer.Add(std::string(60, 'x'));
    }
    std::string message;
    {
        // Nothing may be reported inside this scope: a report written to a file would fail too.
        const ScopedFileSizeLimit fullDisk(16);
        ASSERT_TRUE(fullDisk.Active());
        try {
            longer.SaveToFile(path);
        } catch (const EFileError& error) {
            message = error.Message();
        }
    }
    EXPECT_EQ(message, "Cannot create file \"" + path.string() + "\". File too large");
    EXPECT_EQ(ReadFileBytes(path), "old\r\n");
    EXPECT_EQ(EntriesInFolder(), 1U) << "a temporary file was left behind";
}
