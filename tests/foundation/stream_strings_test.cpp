#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/stream_strings.h"
#include "framework/core/exceptions.h"
#include "framework/core/stream.h"

namespace {

// What reading a string from these bytes gives: the text, or the error's message.
std::string ReadFrom(std::initializer_list<int> bytes)
{
    fw::MemoryStream stream;
    for (int b : bytes) {
        stream.WriteByte(static_cast<std::uint8_t>(b));
    }
    stream.SetPosition(0);
    try {
        return ReadStreamString(stream);
    } catch (const fw::EStreamError& error) {
        return "error: " + error.Message();
    }
}

} // namespace

TEST(StreamStrings, LengthPrefixThenBytes)
{
    fw::MemoryStream stream;
    WriteStreamString(stream, "AB");
    WriteStreamString(stream, "");
    const std::string awkward("caf\xC3\xA9\0\r\n", 8);
    WriteStreamString(stream, awkward);
    const std::vector<std::uint8_t> head(stream.Data().begin(), stream.Data().begin() + 10);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{2, 0, 0, 0, 'A', 'B', 0, 0, 0, 0}));

    stream.SetPosition(0);
    EXPECT_EQ(ReadStreamString(stream), "AB");
    EXPECT_EQ(ReadStreamString(stream), "");
    EXPECT_EQ(ReadStreamString(stream), awkward);
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(StreamStrings, DamagedLengthsRaiseInsteadOfAllocating)
{
    EXPECT_EQ(ReadFrom({3, 0, 0, 0, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(ReadFrom({5, 0, 0, 0, 'a', 'b', 'c'}), "error: Invalid string length in stream.");
    EXPECT_EQ(ReadFrom({0xFF, 0xFF, 0xFF, 0x7F, 'a'}), "error: Invalid string length in stream.");
    EXPECT_EQ(ReadFrom({0xFF, 0xFF, 0xFF, 0xFF, 'a'}), "error: Invalid string length in stream.");
    EXPECT_EQ(ReadFrom({0x00, 0x00, 0x00, 0x80}), "error: Invalid string length in stream.");
    EXPECT_EQ(ReadFrom({1, 0}), "error: Stream read error");
}
