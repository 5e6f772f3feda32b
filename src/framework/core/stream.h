#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/object.h"

namespace fw {

enum class SeekOrigin { Begin, Current, End };

// A sequence of bytes with a position. Read and Write move as many bytes as they can and
// say how many; ReadBuffer and WriteBuffer insist on the full count. The integer helpers
// always use little-endian order, so files written on one machine read the same on any.
class Stream : public Object {
public:
    ~Stream() override = default;

    std::string_view className() const override { return "TStream"; }

    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Begin); }
    virtual std::int64_t Size();
    // The bytes from the position to the end; never negative.
    std::int64_t Remaining();

    // Raise EStreamError "Stream read error" / "Stream write error" when fewer bytes move.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);

    std::uint8_t ReadByte();
    void WriteByte(std::uint8_t value);
    std::uint16_t ReadUInt16LE();
    void WriteUInt16LE(std::uint16_t value);
    std::int32_t ReadInt32LE();
    void WriteInt32LE(std::int32_t value);

    // Copies count bytes from the source's position; a count of 0 copies the whole source
    // from its beginning. Returns the number of bytes copied.
    std::int64_t CopyFrom(Stream& source, std::int64_t count);
};

// A stream over a byte buffer it owns and grows while writing. A position past the end is
// allowed; writing there fills the gap with zeros.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    ~MemoryStream() override = default;

    std::string_view className() const override { return "TMemoryStream"; }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

    const std::vector<std::uint8_t>& Data() const { return data_; }
    // Cuts or extends (with zeros) the buffer; the position is kept, even past the new end.
    void SetSize(std::int64_t size);
    // Empties the buffer and moves to the start.
    void Clear();

    void SaveToFile(const std::string& path) const;
    // Replaces the content by the file's bytes and moves to the start.
    void LoadFromFile(const std::string& path);

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

enum class FileOpenMode {
    Read,      // an existing file, reading only
    ReadWrite, // an existing file, reading and writing
    Create     // a new or emptied file, reading and writing
};

// A stream over a file on disk. The file is closed when the stream goes.
class FileStream : public Stream {
public:
    // Raises EFileError "Cannot open file "<path>". <reason>" (Read, ReadWrite) or
    // "Cannot create file "<path>". <reason>" (Create).
    FileStream(const std::string& path, FileOpenMode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    std::string_view className() const override { return "TFileStream"; }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;

    const std::string& FileName() const { return path_; }

private:
    enum class LastAccess { None, Read, Write };
    // C streams need a positioning call between a write and a read (and back).
    void SwitchTo(LastAccess access);

    std::string path_;
    std::FILE* file_ = nullptr;
    LastAccess last_ = LastAccess::None;
};

} // namespace fw
