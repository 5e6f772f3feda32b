#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "foundation/folder_utils.h"
#include "framework/core/exceptions.h"
#include "framework/core/files.h"

namespace fs = std::filesystem;

namespace {

class FolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::path(fw::TempFolder())
                / ("tavelin_folders_" + std::to_string(::getpid()) + "_"
                   + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override
    {
        // Undo any read-only marks a failed test left behind, so that the clean-up works.
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(root_, error); !error && it != fs::recursive_directory_iterator();
             it.increment(error)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        }
        fs::remove_all(root_, error);
    }

    void Touch(const fs::path& path) const
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }

    fs::path root_;
};

std::string ErrorOf(const std::string& root, int attempts)
{
    try {
        CreateUniqueFolder(root, attempts);
    } catch (const fw::EInOutError& error) {
        return error.Message();
    }
    return "no error";
}

} // namespace

TEST_F(FolderTest, UniqueFoldersAreNewAndDistinctEvenWithinOneTick)
{
    std::set<std::string> made;
    for (int i = 0; i < 5; ++i) {
        const std::string folder = CreateUniqueFolder(root_.string(), 10);
        EXPECT_EQ(folder.back(), '/');
        EXPECT_EQ(fw::ExtractFilePath(folder.substr(0, folder.size() - 1)), root_.string() + "/");
        EXPECT_TRUE(fw::DirectoryExists(folder));
        made.insert(folder);
    }
    EXPECT_EQ(made.size(), 5u);
}

TEST_F(FolderTest, UniqueFolderErrors)
{
    const std::string missing = (root_ / "missing").string();
    EXPECT_EQ(ErrorOf(missing, 5),
              "Unable to create unique directory.\r\nThe root path <" + missing + "> does not exist.");
    EXPECT_EQ(ErrorOf(root_.string(), 0),
              "Unable to create unique directory in root <" + root_.string() + ">.\r\nToo many attempts! (0)");
    EXPECT_TRUE(fs::is_empty(root_));
    // The kernel refuses new folders in /proc, whoever asks.
    const std::string refused = ErrorOf("/proc", 3);
    EXPECT_EQ(refused.rfind("Error while attempting to create unique directory.\r\nPath = /proc/", 0), 0u) << refused;
}

TEST_F(FolderTest, DeleteFolderRemovesReadOnlyContentButNeverFollowsLinks)
{
    const fs::path doomed = root_ / "doomed";
    Touch(doomed / "plain.tvl");
    Touch(doomed / ".hidden");
    Touch(doomed / "locked.txt");
    fs::permissions(doomed / "locked.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Touch(doomed / "sub" / "deeper" / "file");
    Touch(doomed / "frozen" / "inside");
    fs::permissions(doomed / "frozen", fs::perms::owner_read | fs::perms::owner_exec);
    Touch(root_ / "outside" / "precious");
    fs::create_directory_symlink(root_ / "outside", doomed / "link");

    EXPECT_TRUE(DeleteFolder(doomed.string()));
    EXPECT_FALSE(fs::exists(doomed));
    EXPECT_TRUE(fs::exists(root_ / "outside" / "precious"));
    EXPECT_FALSE(DeleteFolder(doomed.string()));
}

TEST_F(FolderTest, DeleteModesLimitWhatGoes)
{
    auto build = [&](const fs::path& top) {
        Touch(top / "a.tmp");
        Touch(top / "keep.txt");
        Touch(top / "sub" / "b.tmp");
        Touch(top / "sub" / "keep.txt");
        Touch(top / "only" / "c.tmp");
    };
    const fs::path top = root_ / "top";
    build(top);
    EXPECT_TRUE(DeleteFolder(top.string(), "*.tmp", FolderDeleteMode::TopFilesOnly));
    EXPECT_FALSE(fs::exists(top / "a.tmp"));
    EXPECT_TRUE(fs::exists(top / "keep.txt"));
    EXPECT_TRUE(fs::exists(top / "sub" / "b.tmp"));

    const fs::path tree = root_ / "tree";
    build(tree);
    EXPECT_TRUE(DeleteFolder(tree.string(), "*.tmp", FolderDeleteMode::FilesInTree));
    EXPECT_EQ(FolderFiles(tree.string()), (std::vector<std::string>{"keep.txt"}));
    EXPECT_EQ(FolderFiles((tree / "sub").string(), "*.*"), (std::vector<std::string>{"keep.txt"}));
    EXPECT_TRUE(fs::is_directory(tree / "only")); // emptied, but folders stay in this mode

    const fs::path whole = root_ / "whole";
    build(whole);
    EXPECT_TRUE(DeleteFolder(whole.string(), "*.tmp", FolderDeleteMode::WholeTree));
    EXPECT_FALSE(fs::exists(whole / "only")); // left empty, so removed
    EXPECT_FALSE(fs::exists(whole / "sub" / "b.tmp"));
    EXPECT_TRUE(fs::exists(whole / "sub" / "keep.txt"));
    EXPECT_TRUE(fs::exists(whole / "keep.txt"));
}
