#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "framework/core/datetime.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

class FilesFolder : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::path(TempFolder())
                  / ("tavelin_files_" + std::to_string(::getpid()) + "_"
                     + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    void Touch(const std::string& name) const { std::ofstream(folder_ / name) << "x"; }

    fs::path folder_;
};

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(FileNames, PartsOfAPath)
{
    EXPECT_EQ(ExtractFilePath("/home/ann/band.tvl"), "/home/ann/");
    EXPECT_EQ(ExtractFilePath("band.tvl"), "");
    EXPECT_EQ(ExtractFileName("/home/ann/band.tvl"), "band.tvl");
    EXPECT_EQ(ExtractFileName("/home/ann/"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileExt("my.folder/README"), ""); // a dot in a folder name is no extension
    EXPECT_EQ(ExtractFileExt("name."), ".");
    EXPECT_EQ(ChangeFileExt("a/band.tvl", ".bak"), "a/band.bak");
    EXPECT_EQ(ChangeFileExt("my.folder/README", ".txt"), "my.folder/README.txt");
    EXPECT_EQ(ChangeFileExt("band.tvl", ""), "band");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
    EXPECT_TRUE(SameFileExt("notes.txt", ".TXT"));
    EXPECT_TRUE(SameFileExt("NOTES.Txt", ".txt"));
    EXPECT_FALSE(SameFileExt("notes.txt.bak", ".TXT"));
    EXPECT_FALSE(SameFileExt("txt", ".TXT"));
    EXPECT_FALSE(SameFileExt("notes.tx", ".TXT"));
}

TEST(FileNames, ExpandedNamesAreAbsoluteAndResolved)
{
    const std::string current = std::filesystem::current_path().string();
    EXPECT_EQ(ExpandFileName("band.tvl"), current + "/band.tvl");
    EXPECT_EQ(ExpandFileName("./tests/../data/band.tvl"), current + "/data/band.tvl");
    EXPECT_EQ(ExpandFileName("/home/ann/./bands/../band.tvl"), "/home/ann/band.tvl");
    EXPECT_EQ(ExpandFileName(""), "");
}

TEST(FileMasks, WildcardsAndTheEverythingMasks)
{
    EXPECT_TRUE(MatchesMask("README", "*.*"));
    EXPECT_TRUE(MatchesMask("README", "*"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.*"));
    EXPECT_TRUE(MatchesMask("band.tvl", "*.tvl"));
    EXPECT_FALSE(MatchesMask("a.TVL", "*.tvl"));
    EXPECT_FALSE(MatchesMask("band.tvl.bak", "*.tvl"));
    EXPECT_TRUE(MatchesMask(".tvl", "*.tvl"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
    EXPECT_FALSE(MatchesMask("abcd", "a?c"));
    // The first '*' must give characters back when a later part fails to match.
    EXPECT_TRUE(MatchesMask("xaayab", "*a*b"));
    EXPECT_TRUE(MatchesMask("aXbXb", "a*b"));
    EXPECT_FALSE(MatchesMask("aXbXc", "a*b"));
    EXPECT_TRUE(MatchesMask("Palette", "Palette"));
    EXPECT_FALSE(MatchesMask("palette", "Palette"));
    EXPECT_FALSE(MatchesMask("", "?"));
}

TEST_F(FilesFolder, FindFilesListsMatchingFilesSortedWithoutFolders)
{
    for (const char* name : {"b.tvl", "a.tvl", "c.TVL", "README", ".hidden"}) {
        Touch(name);
    }
    fs::create_directory(folder_ / "d.tvl");
    EXPECT_EQ(FindFiles(folder_.string(), "*.tvl"), (std::vector<std::string>{"a.tvl", "b.tvl"}));
    EXPECT_EQ(FindFiles(folder_.string(), "*.*"),
              (std::vector<std::string>{".hidden", "README", "a.tvl", "b.tvl", "c.TVL"}));
    EXPECT_TRUE(FindFiles(PathOf("missing"), "*").empty());
}

TEST_F(FilesFolder, ExistenceAndCreation)
{
    Touch("file");
    EXPECT_TRUE(FileExists(PathOf("file")));
    EXPECT_FALSE(DirectoryExists(PathOf("file")));
    EXPECT_FALSE(FileExists(folder_.string()));
    EXPECT_TRUE(DirectoryExists(folder_.string()));
    EXPECT_FALSE(FileExists(PathOf("File"))); // names keep their case

    EXPECT_TRUE(ForceDirectories(PathOf("x/y/z/")));
    EXPECT_TRUE(DirectoryExists(PathOf("x/y/z")));
    EXPECT_TRUE(ForceDirectories(PathOf("x/y"))); // already there
    EXPECT_FALSE(ForceDirectories(PathOf("file/sub")));
    EXPECT_FALSE(ForceDirectories(""));
}

TEST_F(FilesFolder, FileDateIsTheLocalModificationTime)
{
    Touch("fresh");
    // A file written just now carries today's date and time, not one shifted by the file
    // clock's epoch.
    const double oneMinute = 1.0 / (24 * 60);
    EXPECT_NEAR(FileDate(PathOf("fresh")), Now(), oneMinute);

    const std::chrono::system_clock::time_point noon =
        std::chrono::sys_days{std::chrono::year{2001} / 2 / 3} + std::chrono::hours{12};
    fs::last_write_time(PathOf("fresh"), std::chrono::file_clock::from_sys(noon));
    EXPECT_NEAR(FileDate(PathOf("fresh")), FromTimePoint(noon), 1e-8);
    EXPECT_EQ(FormatDate(FileDate(PathOf("fresh")), "yyyy"), "2001");

    EXPECT_THROW(FileDate(PathOf("missing")), EFileError);
}

TEST(SystemFolders, ProgramAndTemporaryFolders)
{
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_TRUE(FileExists(program + "framework_core_tests"));

    {
        ScopedEnv tmp("TMPDIR", "/var/tmp");
        EXPECT_EQ(TempFolder(), "/var/tmp/");
    }
    {
        ScopedEnv tmp("TMPDIR", "");
        EXPECT_EQ(TempFolder(), "/tmp/");
    }
    {
        ScopedEnv tmp("TMPDIR", nullptr);
        EXPECT_EQ(TempFolder(), "/tmp/");
    }
}

TEST(SystemFolders, TickCountCountsMilliseconds)
{
    const std::uint32_t start = TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = TickCount() - start; // unsigned: right across a wrap too
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 5000u);
}
