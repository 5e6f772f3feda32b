#include "foundation/folder_utils.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/files.h"

namespace fs = std::filesystem;

std::string CreateUniqueFolder(const std::string& root, int attempts, const std::string& prefix)
{
    if (!fw::DirectoryExists(root)) {
        throw fw::EInOutError("Unable to create unique directory.\r\nThe root path <" + root + "> does not exist.");
    }
    const std::string base = fw::IncludeTrailingPathDelimiter(root);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::string path = base + prefix + std::to_string(fw::TickCount());
        if (attempt > 0) {
            path += "_" + std::to_string(attempt);
        }
        std::error_code error;
        if (fs::exists(fs::symlink_status(path, error))) {
            continue;
        }
        if (fs::create_directory(path, error)) {
            return fw::IncludeTrailingPathDelimiter(path);
        }
        // Somebody else took the name between the test and the creation: try the next one.
        std::error_code again;
        if (error == std::errc::file_exists || fs::exists(fs::symlink_status(path, again))) {
            continue;
        }
        throw fw::EInOutError("Error while attempting to create unique directory.\r\nPath = " + path);
    }
    throw fw::EInOutError("Unable to create unique directory in root <" + root + ">.\r\nToo many attempts! ("
                          + std::to_string(attempts) + ")");
}

namespace {

// Read-only files and folders get their owner's write permission back before deletion,
// so that whatever a user marked read-only does not block the clean-up.
void MakeWritable(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || fs::is_symlink(status)) {
        return;
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    }
}

bool RemoveEntry(const fs::path& path)
{
    MakeWritable(path);
    std::error_code error;
    return fs::remove(path, error) && !error;
}

// Deletes below the folder as the mode says; folders are removed only in WholeTree mode,
// and only once empty. Returns whether everything that should have gone has gone.
bool DeleteBelow(const fs::path& folder, std::string_view mask, FolderDeleteMode mode)
{
    MakeWritable(folder);
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return false;
    }
    std::vector<fs::path> files;
    std::vector<fs::path> folders;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        // symlink_status: a link to a folder is removed as a link, its target is never entered.
        const fs::file_status status = entries->symlink_status(typeError);
        if (fs::is_directory(status)) {
            folders.push_back(entries->path());
        } else if (fw::MatchesMask(entries->path().filename().string(), mask)) {
            files.push_back(entries->path());
        }
    }
    bool complete = !error;
    for (const fs::path& file : files) {
        complete = RemoveEntry(file) && complete;
    }
    if (mode == FolderDeleteMode::TopFilesOnly) {
        return complete;
    }
    for (const fs::path& sub : folders) {
        complete = DeleteBelow(sub, mask, mode) && complete;
        if (mode == FolderDeleteMode::WholeTree && fs::is_empty(sub, error)) {
            complete = RemoveEntry(sub) && complete;
        }
    }
    return complete;
}

} // namespace

bool DeleteFolder(const std::string& path)
{
    return DeleteFolder(path, "*.*", FolderDeleteMode::WholeTree);
}

bool DeleteFolder(const std::string& path, std::string_view mask, FolderDeleteMode mode)
{
    std::error_code error;
    if (path.empty() || !fs::is_directory(fs::symlink_status(path, error))) {
        return false;
    }
    bool complete = DeleteBelow(path, mask, mode);
    // Files that did not match the mask keep their folder: that is no failure.
    if (mode == FolderDeleteMode::WholeTree && fs::is_empty(path, error) && !error) {
        complete = RemoveEntry(path) && complete;
    }
    return complete;
}

std::vector<std::string> FolderFiles(const std::string& folder, std::string_view mask)
{
    return fw::FindFiles(folder, mask);
}
