#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "support/scratch_folder.h"
#include "support/unusual_files.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class FileRights : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = UniqueScratchFolder("tavelin_file_io");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path FileWith(const std::string& name, const std::string& bytes, fs::perms rights) const
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        fs::permissions(path, rights);
        return path;
    }

    size_t EntriesInFolder() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    static fs::perms RightsOf(const fs::path& path) { return fs::status(path).permissions(); }

    fs::path folder_;
};

// Sets the process's file creation mask for one scope and puts the old one back.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t old_;
};

} // namespace

// The checks hold for root too, who could write these files directly.
TEST_F(FileRights, ReadOnlyFilesAreRefusedAndLeftAlone)
{
    using enum fs::perms;
    for (const fs::perms rights : {owner_read | group_read | others_read, owner_read,
                                   owner_read | owner_exec | group_read | group_exec | others_read | others_exec}) {
        const fs::path path = FileWith("read-only.txt", "old\r\n", rights);
        try {
            WriteFileAtomically(path, "new\r\n");
            ADD_FAILURE() << "no error raised for rights " << static_cast<int>(rights);
        } catch (const EFileError& error) {
            EXPECT_EQ(error.Message(), "Cannot create file \"" + path.string() + "\". Permission denied");
        }
        EXPECT_EQ(ReadFileBytes(path), "old\r\n");
        EXPECT_EQ(RightsOf(path), rights);
        EXPECT_EQ(EntriesInFolder(), 1U) << "a temporary file was left behind";
        fs::remove(path);
    }
}

TEST_F(FileRights, SavingOverAFileKeepsItsRights)
{
    using enum fs::perms;
    for (const fs::perms rights : {owner_read | owner_write | group_read, owner_read | owner_write,
                                   owner_read | owner_write | others_read, owner_all | group_read | group_exec,
                                   owner_write}) {
        const fs::path path = FileWith("kept.txt", "old\r\n", rights);
        WriteFileAtomically(path, "new\r\n");
        EXPECT_EQ(RightsOf(path), rights) << "rights " << static_cast<int>(rights);
        fs::permissions(path, owner_read | owner_write);
        EXPECT_EQ(ReadFileBytes(path), "new\r\n");
        EXPECT_EQ(EntriesInFolder(), 1U) << "a temporary file was left behind";
        fs::remove(path);
    }
}

// A new file gets what a direct create would give it, not a temporary file's private rights.
TEST_F(FileRights, ANewFileFollowsTheCreationMask)
{
    using enum fs::perms;
    const ScopedUmask creationMask(027);
    const fs::path path = folder_ / "new.txt";
    WriteFileAtomically(path, "new\r\n");
    EXPECT_EQ(RightsOf(path), owner_read | owner_write | group_read);
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
}

// Content written in pieces: the file changes only when the writer commits, a writer given
// up on the way (as an exception unwinds it) leaves the old file and no temporary one, and
// the new file keeps the old one's rights.
TEST_F(FileRights, AFileWrittenInPiecesReplacesTheOldOneOnlyWhenCommitted)
{
    using enum fs::perms;
    const fs::path path = FileWith("pieces.txt", "old\r\n", owner_read | owner_write | group_read);
    {
        AtomicFileWriter writer(path);
        writer.Write("first ");
        EXPECT_EQ(ReadFileBytes(path), "old\r\n");
        EXPECT_EQ(EntriesInFolder(), 2U);
    }
    EXPECT_EQ(ReadFileBytes(path), "old\r\n");
    EXPECT_EQ(EntriesInFolder(), 1U) << "a temporary file was left behind";

    {
        AtomicFileWriter writer(path);
        writer.Write("first ");
        writer.Write("");
        writer.Write("second\r\n");
        writer.Commit();
    }
    EXPECT_EQ(ReadFileBytes(path), "first second\r\n");
    EXPECT_EQ(RightsOf(path), owner_read | owner_write | group_read);
    EXPECT_EQ(EntriesInFolder(), 1U);
}

// Only regular files are read, and each refusal comes at once, before a byte is read: a
// named pipe would wait for a writer, a device would pour out bytes without end. A link is
// followed to what it names.
TEST_F(FileRights, ReadingRefusesAnythingButARegularFileAtOnce)
{
    const fs::path regular = FileWith("pattern.tvl", "<TWData/>\r\n", fs::perms::owner_read | fs::perms::owner_write);
    const fs::path linkToRegular = folder_ / "link.tvl";
    fs::create_symlink(regular, linkToRegular);
    EXPECT_EQ(ReadFileBytes(linkToRegular), "<TWData/>\r\n");

    const PipeWithLateWriter pipe(folder_ / "pipe.tvl");
    const fs::path linkToDevice = folder_ / "zero.tvl";
    fs::create_symlink("/dev/zero", linkToDevice);
    const fs::path folder = folder_ / "folder.tvl";
    fs::create_directory(folder);
    const struct {
        fs::path Path;
        std::string Reason;
    } refused[] = {
        {pipe.Path(), "It is a named pipe, not a file."},
        {linkToDevice, "It is a device, not a file."},
        {"/dev/null", "It is a device, not a file."},
        {folder, "It is a folder, not a file."},
        {folder_ / "missing.tvl", "No such file or directory"},
    };
    for (const auto& file : refused) {
        const auto started = std::chrono::steady_clock::now();
        try {
            ReadFileBytes(file.Path);
            ADD_FAILURE() << "no error raised for " << file.Path;
        } catch (const EFileError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file \"" + file.Path.string() + "\". " + file.Reason);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << file.Path;
    }
}

// A file larger than its reader takes is refused before it is read, with the kind of file
// the reader expected; one of exactly the limit is read whole.
TEST_F(FileRights, AFileLargerThanTheLimitIsRefusedBeforeItIsRead)
{
    const FileSizeLimit limit{1000, "a test file"};
    const fs::path atLimit = folder_ / "at-limit.bin";
    MakeSparseFile(atLimit, 1000);
    EXPECT_EQ(ReadFileBytes(atLimit, limit), std::string(1000, '\0'));

    // Gigabytes, which a reader that tried would take seconds and the memory to hold.
    const fs::path huge = folder_ / "huge.bin";
    MakeSparseFile(huge, std::uintmax_t{8} << 30);
    const auto started = std::chrono::steady_clock::now();
    try {
        ReadFileBytes(huge, limit);
        ADD_FAILURE() << "no error raised";
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message(),
                  "Cannot open file \"" + huge.string() + "\". It has 8589934592 bytes; a test file has at most 1000.");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}
