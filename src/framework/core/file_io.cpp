#include "framework/core/file_io.h"

#include <cerrno>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
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

} // namespace

std::string ReadFileBytes(const fs::path& path)
{
    std::error_code ignored;
    if (fs::is_directory(path, ignored)) {
        RaiseOpenError(path, std::make_error_code(std::errc::is_a_directory).message());
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        RaiseOpenError(path, LastErrorReason());
    }
    std::string bytes;
    // Sized once for the file as it is now; a file that grows meanwhile is still read whole.
    const std::uintmax_t size = fs::file_size(path, ignored);
    if (!ignored && size < std::numeric_limits<std::size_t>::max()) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        RaiseOpenError(path, LastErrorReason());
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
