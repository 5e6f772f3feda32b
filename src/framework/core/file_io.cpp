#include "framework/core/file_io.h"

#include <cerrno>
#include <cstddef>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/exceptions.h"

namespace fw {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void RaiseOpenError(const fs::path& path, const std::string& reason)
{
    throw EFileError("Cannot open file \"" + path.string() + "\". " + reason);
}

[[noreturn]] void RaiseCreateError(const fs::path& path, const std::string& reason)
{
    throw EFileError("Cannot create file \"" + path.string() + "\". " + reason);
}

// The reason of the last failed system call, taken at once before anything else can
// change it.
std::string LastErrorReason()
{
    const int error = errno;
    return std::generic_category().message(error != 0 ? error : EIO);
}

// A name beside the target that no other writer picks: a random suffix, hidden, so that
// a stray one left by a crash does not clutter the folder listing.
fs::path TemporaryPathBeside(const fs::path& path)
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char hexDigits[] = "0123456789abcdef";
    for (;;) {
        std::string suffix;
        std::uint64_t bits = generator();
        for (int i = 0; i < 12; ++i) {
            suffix += hexDigits[bits & 0xF];
            bits >>= 4;
        }
        fs::path candidate = path.parent_path() / ("." + path.filename().string() + "." + suffix + ".tmp");
        std::error_code ignored;
        if (!fs::exists(candidate, ignored)) {
            return candidate;
        }
    }
}

// The rename that replaces a file needs only the folder's write permission, so the file's
// own is checked first, as a direct write would check it. A file whose mode lets nobody
// write is read-only for everyone: rights that bypass access checks (root's) do not make a
// save replace it. Returns the rights of the file being replaced, if there is one, for the
// new file to keep.
std::optional<fs::perms> RightsOfFileToReplace(const fs::path& path)
{
    struct stat info{};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        // A new file, or something the rename itself refuses with its own reason.
        return std::nullopt;
    }
    errno = 0;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        RaiseCreateError(path, LastErrorReason());
    }
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        RaiseCreateError(path, std::make_error_code(std::errc::permission_denied).message());
    }
    return static_cast<fs::perms>(info.st_mode & 07777);
}

// A descriptor closed when it goes out of scope.
struct OpenFile {
    explicit OpenFile(int descriptor) : Descriptor(descriptor) {}
    ~OpenFile()
    {
        if (Descriptor >= 0) {
            ::close(Descriptor);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor;
};

[[noreturn]] void RaiseTooLarge(const fs::path& path, std::uintmax_t size, const FileSizeLimit& limit)
{
    RaiseOpenError(path, "It has " + std::to_string(size) + " bytes; " + std::string(limit.What) + " has at most "
                             + std::to_string(limit.Bytes) + ".");
}

// Refuses anything but a regular file within the limit.
void CheckFileToRead(const fs::path& path, const struct stat& info, const FileSizeLimit& limit)
{
    if (S_ISREG(info.st_mode)) {
        if (info.st_size > 0 && static_cast<std::uintmax_t>(info.st_size) > limit.Bytes) {
            RaiseTooLarge(path, static_cast<std::uintmax_t>(info.st_size), limit);
        }
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        RaiseOpenError(path, "It is a folder, not a file.");
    }
    if (S_ISFIFO(info.st_mode)) {
        RaiseOpenError(path, "It is a named pipe, not a file.");
    }
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        RaiseOpenError(path, "It is a device, not a file.");
    }
    if (S_ISSOCK(info.st_mode)) {
        RaiseOpenError(path, "It is a socket, not a file.");
    }
    RaiseOpenError(path, "It is not a regular file.");
}

} // namespace

std::string ReadFileBytes(const fs::path& path, const FileSizeLimit& limit)
{
    // The name is looked at before it is opened: opening a named pipe waits for a writer,
    // and opening a device may do something of its own.
    struct stat info{};
    errno = 0;
    if (::stat(path.c_str(), &info) != 0) {
        RaiseOpenError(path, LastErrorReason());
    }
    CheckFileToRead(path, info, limit);
    errno = 0;
    // Without blocking, should the name stand for something else by now; a regular file
    // reads the same either way.
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Descriptor < 0) {
        RaiseOpenError(path, LastErrorReason());
    }
    // What was opened is checked again, since the name may have been given to something
    // else since it was looked at.
    errno = 0;
    if (::fstat(file.Descriptor, &info) != 0) {
        RaiseOpenError(path, LastErrorReason());
    }
    CheckFileToRead(path, info, limit);
    std::string bytes;
    // Sized once for the file as it is now; a file that grows meanwhile is still read whole,
    // up to the limit.
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[64 * 1024];
    for (;;) {
        errno = 0;
        const ssize_t got = ::read(file.Descriptor, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            RaiseOpenError(path, LastErrorReason());
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > limit.Bytes) {
            RaiseTooLarge(path, bytes.size(), limit);
        }
    }
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes)
{
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(const fs::path& path) : path_(path)
{
    const std::optional<fs::perms> oldRights = RightsOfFileToReplace(path);
    temporary_ = TemporaryPathBeside(path);
    errno = 0;
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_) {
        Fail(LastErrorReason());
    }
    // The new file keeps the access rights the old one had, from before it holds any of the
    // content, so that a private file is never readable by others on the way.
    if (oldRights) {
        std::error_code ignored;
        fs::permissions(temporary_, *oldRights, ignored);
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!done_) {
        out_.close();
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    errno = 0;
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out_) {
        Fail(LastErrorReason());
    }
}

void AtomicFileWriter::Commit()
{
    errno = 0;
    // Closing flushes: a full disk shows only here.
    out_.close();
    if (!out_) {
        Fail(LastErrorReason());
    }
    std::error_code renameError;
    fs::rename(temporary_, path_, renameError);
    if (renameError) {
        Fail(renameError.message());
    }
    done_ = true;
}

void AtomicFileWriter::Fail(const std::string& reason)
{
    done_ = true;
    out_.close();
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    RaiseCreateError(path_, reason);
}

} // namespace fw
