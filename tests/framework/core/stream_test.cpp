#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "framework/core/exceptions.h"
#include "framework/core/stream.h"

using namespace fw;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

// A fresh folder for one test, removed with everything in it at the end.
class StreamFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::path(testing::TempDir())
                  / ("tavelin_stream_" + std::to_string(::getpid()) + "_"
                     + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

} // namespace

TEST(MemoryStream, IntegersAreLittleEndianWhateverTheHost)
{
    MemoryStream stream;
    stream.WriteInt32LE(0x12345678);
    stream.WriteInt32LE(-2);
    stream.WriteUInt16LE(0xABCD);
    stream.WriteByte(0x7F);
    EXPECT_EQ(stream.Data(), Bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xCD, 0xAB, 0x7F}));

    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadInt32LE(), 0x12345678);
    EXPECT_EQ(stream.ReadInt32LE(), -2);
    EXPECT_EQ(stream.ReadUInt16LE(), 0xABCD);
    EXPECT_EQ(stream.ReadByte(), 0x7F);

    MemoryStream extremes;
    const auto high = Bytes({0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F});
    extremes.WriteBuffer(high.data(), high.size());
    extremes.SetPosition(0);
    EXPECT_EQ(extremes.ReadInt32LE(), INT32_MIN);
    EXPECT_EQ(extremes.ReadInt32LE(), INT32_MAX);
}

TEST(MemoryStream, ShortReadsCountAndExactReadsRaise)
{
    MemoryStream stream;
    const auto three = Bytes({1, 2, 3});
    stream.WriteBuffer(three.data(), three.size());
    stream.SetPosition(1);
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);

    stream.SetPosition(1);
    try {
        stream.ReadInt32LE();
        FAIL() << "three bytes are no 32-bit integer";
    } catch (const EStreamError& error) {
        EXPECT_EQ(error.Message(), "Stream read error");
    }
    EXPECT_THROW(stream.Seek(-1, SeekOrigin::Begin), EStreamError);
}

TEST(MemoryStream, PositionSizeAndGaps)
{
    MemoryStream stream;
    stream.WriteUInt16LE(0x0201);
    EXPECT_EQ(stream.Seek(2, SeekOrigin::Current), 4);
    stream.WriteByte(9); // the gap before it reads as zeros
    EXPECT_EQ(stream.Data(), Bytes({1, 2, 0, 0, 9}));
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_EQ(stream.Seek(-2, SeekOrigin::End), 3);
    EXPECT_EQ(stream.Remaining(), 2);

    stream.SetSize(2);
    EXPECT_EQ(stream.Data(), Bytes({1, 2}));
    EXPECT_EQ(stream.Remaining(), 0); // position 3 lies past the new end
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST_F(StreamFiles, FileStreamWritesReadsAndMixesBoth)
{
    const std::string path = PathOf("data.bin");
    {
        FileStream out(path, FileOpenMode::Create);
        out.WriteInt32LE(-123456);
        out.WriteUInt16LE(7);
        EXPECT_EQ(out.Size(), 6);
    }
    {
        FileStream in(path, FileOpenMode::Read);
        EXPECT_EQ(in.ReadInt32LE(), -123456);
        EXPECT_EQ(in.ReadUInt16LE(), 7);
        EXPECT_THROW(in.ReadByte(), EStreamError);
        try {
            in.WriteByte(1);
            FAIL() << "a file opened for reading took a byte";
        } catch (const EStreamError& error) {
            EXPECT_EQ(error.Message(), "Stream write error");
        }
    }
    {
        // A write right after a read (and back) must land at the position, not be lost.
        FileStream both(path, FileOpenMode::ReadWrite);
        EXPECT_EQ(both.ReadInt32LE(), -123456);
        both.WriteUInt16LE(0x0908);
        both.SetPosition(0);
        both.WriteByte(0x55);
        EXPECT_EQ(both.ReadByte(), 0x1D); // second byte of -123456 (0xFFFE1DC0)
    }
    MemoryStream copy;
    copy.LoadFromFile(path);
    EXPECT_EQ(copy.Data(), Bytes({0x55, 0x1D, 0xFE, 0xFF, 0x08, 0x09}));

    MemoryStream part;
    copy.SetPosition(4);
    EXPECT_EQ(part.CopyFrom(copy, 2), 2);
    EXPECT_EQ(part.Data(), Bytes({0x08, 0x09}));
    EXPECT_EQ(part.CopyFrom(copy, 0), 6); // 0 copies the whole source from its start
    EXPECT_EQ(part.Size(), 8);
    part.SaveToFile(PathOf("copy.bin"));
    EXPECT_EQ(std::filesystem::file_size(PathOf("copy.bin")), 8u);
}

TEST_F(StreamFiles, FilesThatCannotBeOpenedNameThePathAndTheReason)
{
    const std::string missing = PathOf("missing.bin");
    try {
        FileStream in(missing, FileOpenMode::Read);
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    const std::string nowhere = PathOf("no/such/folder.bin");
    try {
        FileStream out(nowhere, FileOpenMode::Create);
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_EQ(error.Message(), "Cannot create file \"" + nowhere + "\". No such file or directory");
    }
    EXPECT_THROW(FileStream(folder_.string(), FileOpenMode::Read), EFileError);
    EXPECT_THROW(FileStream(missing, FileOpenMode::ReadWrite), EStreamError);
}
