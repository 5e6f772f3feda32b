#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// How large a file its reader takes, and what the reader calls such a file when it refuses a
// larger one ("a pattern file").
struct FileSizeLimit {
    std::uintmax_t Bytes = std::numeric_limits<std::uintmax_t>::max();
    std::string_view What = "a file";
};

// The whole content of a regular file (a link to one is followed), byte for byte. Anything
// else is refused at once, before a byte is read: a named pipe would keep the program
// waiting for a writer, and a device such as /dev/zero pours out bytes without end. A file
// larger than the limit is refused before it is read too. Every failure raises EFileError
// "Cannot open file \"<path>\". <reason>", the reason being the system's own (no such file,
// no permission) or one of these:
//   "It is a folder, not a file." / "It is a named pipe, not a file." /
//   "It is a device, not a file." / "It is a socket, not a file."
//   "It has <size> bytes; <What> has at most <Bytes>."
std::string ReadFileBytes(const std::filesystem::path& path, const FileSizeLimit& limit = {});

// Replaces the content of a file without ever leaving it half written: the bytes go to a
// temporary file in the same folder, which then takes the file's place in one rename.
// The new file keeps the old one's access rights. A file the caller may not write, or whose
// mode lets nobody write (read-only, even for root), is refused and left alone. When
// anything fails the temporary file is removed, the old file is left as it was, and
// EFileError "Cannot create file \"<path>\". <reason>" is raised.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same for content made piece by piece, so that a large file never has to stand in
// memory whole: the pieces go to the temporary file as they come, and Commit puts it in the
// file's place. A writer destroyed without Commit (an error on the way, an exception in the
// code making the content) removes the temporary file and leaves the old one as it was.
// Every failure raises EFileError "Cannot create file \"<path>\". <reason>".
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    [[noreturn]] void Fail(const std::string& reason);

    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::ofstream out_;
    bool done_ = false;
};

} // namespace fw
