#include "framework/core/stream.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <system_error>

#include "framework/core/exceptions.h"

namespace fw {

namespace {

[[noreturn]] void RaiseSeekError()
{
    throw EStreamError("Stream seek error");
}

std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Stream

std::int64_t Stream::Size()
{
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, SeekOrigin::End);
    Seek(position, SeekOrigin::Begin);
    return size;
}

std::int64_t Stream::Remaining()
{
    return std::max<std::int64_t>(0, Size() - Position());
}

void Stream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count != 0 && Read(buffer, count) != count) {
        throw EStreamError("Stream read error");
    }
}

void Stream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count) {
        throw EStreamError("Stream write error");
    }
}

std::uint8_t Stream::ReadByte()
{
    std::uint8_t value = 0;
    ReadBuffer(&value, 1);
    return value;
}

void Stream::WriteByte(std::uint8_t value)
{
    WriteBuffer(&value, 1);
}

// The bytes are put together by hand rather than copied, so the host's byte order never
// shows in a file.
std::uint16_t Stream::ReadUInt16LE()
{
    std::array<std::uint8_t, 2> bytes{};
    ReadBuffer(bytes.data(), bytes.size());
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void Stream::WriteUInt16LE(std::uint16_t value)
{
    const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(value & 0xFF),
                                            static_cast<std::uint8_t>(value >> 8)};
    WriteBuffer(bytes.data(), bytes.size());
}

std::int32_t Stream::ReadInt32LE()
{
    std::array<std::uint8_t, 4> bytes{};
    ReadBuffer(bytes.data(), bytes.size());
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8)
                                | (static_cast<std::uint32_t>(bytes[2]) << 16)
                                | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value); // modular since C++20
}

void Stream::WriteInt32LE(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const std::array<std::uint8_t, 4> bytes{
        static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>((bits >> 8) & 0xFF),
        static_cast<std::uint8_t>((bits >> 16) & 0xFF), static_cast<std::uint8_t>(bits >> 24)};
    WriteBuffer(bytes.data(), bytes.size());
}

std::int64_t Stream::CopyFrom(Stream& source, std::int64_t count)
{
    if (count < 0) {
        return 0;
    }
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr std::int64_t ChunkSize = 64 * 1024;
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min(count, ChunkSize)));
    std::int64_t left = count;
    while (left > 0) {
        const auto step = static_cast<std::size_t>(std::min<std::int64_t>(left, std::ssize(chunk)));
        source.ReadBuffer(chunk.data(), step);
        WriteBuffer(chunk.data(), step);
        left -= static_cast<std::int64_t>(step);
    }
    return count;
}

// ---------------------------------------------------------------------------------------
// MemoryStream

std::size_t MemoryStream::Read(void* buffer, std::size_t count)
{
    const std::int64_t size = Size();
    if (position_ >= size || count == 0) {
        return 0;
    }
    const auto available = static_cast<std::size_t>(size - position_);
    const std::size_t moved = std::min(count, available);
    std::memcpy(buffer, data_.data() + position_, moved);
    position_ += static_cast<std::int64_t>(moved);
    return moved;
}

std::size_t MemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    const auto end = static_cast<std::size_t>(position_) + count;
    if (end > data_.size()) {
        data_.resize(end);
    }
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += static_cast<std::int64_t>(count);
    return count;
}

std::int64_t MemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Begin:
        base = 0;
        break;
    case SeekOrigin::Current:
        base = position_;
        break;
    case SeekOrigin::End:
        base = Size();
        break;
    }
    const std::int64_t target = base + offset;
    if (target < 0) {
        RaiseSeekError();
    }
    position_ = target;
    return position_;
}

void MemoryStream::SetSize(std::int64_t size)
{
    if (size < 0) {
        throw EStreamError("Stream write error");
    }
    data_.resize(static_cast<std::size_t>(size));
}

void MemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void MemoryStream::SaveToFile(const std::string& path) const
{
    FileStream file(path, FileOpenMode::Create);
    file.WriteBuffer(data_.data(), data_.size());
}

void MemoryStream::LoadFromFile(const std::string& path)
{
    FileStream file(path, FileOpenMode::Read);
    const std::int64_t size = file.Size();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.ReadBuffer(bytes.data(), bytes.size());
    data_ = std::move(bytes);
    position_ = 0;
}

// ---------------------------------------------------------------------------------------
// FileStream

FileStream::FileStream(const std::string& path, FileOpenMode mode) : path_(path)
{
    const char* how = mode == FileOpenMode::Read ? "rb" : mode == FileOpenMode::ReadWrite ? "r+b" : "w+b";
    const std::string failure = mode == FileOpenMode::Create ? "Cannot create file \"" : "Cannot open file \"";
    file_ = std::fopen(path.c_str(), how);
    int error = file_ == nullptr ? errno : 0;
    // fopen happily opens a folder for reading; it is no file for us.
    struct stat info {};
    if (file_ != nullptr && ::fstat(::fileno(file_), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file_);
        file_ = nullptr;
        error = EISDIR;
    }
    if (file_ == nullptr) {
        throw EFileError(failure + path + "\". " + SystemReason(error));
    }
}

FileStream::~FileStream()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void FileStream::SwitchTo(LastAccess access)
{
    if (last_ != LastAccess::None && last_ != access) {
        ::fseeko(file_, 0, SEEK_CUR);
    }
    last_ = access;
}

std::size_t FileStream::Read(void* buffer, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    SwitchTo(LastAccess::Read);
    return std::fread(buffer, 1, count, file_);
}

std::size_t FileStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    SwitchTo(LastAccess::Write);
    return std::fwrite(buffer, 1, count, file_);
}

std::int64_t FileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (!(origin == SeekOrigin::Current && offset == 0)) {
        if (::fseeko(file_, static_cast<off_t>(offset), whence) != 0) {
            RaiseSeekError();
        }
        last_ = LastAccess::None;
    }
    const off_t position = ::ftello(file_);
    if (position < 0) {
        RaiseSeekError();
    }
    return static_cast<std::int64_t>(position);
}

} // namespace fw
