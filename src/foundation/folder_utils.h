#pragma once

#include <string>
#include <string_view>
#include <vector>

// What DeleteFolder removes. The mask selects files by name; folders never have to match it.
enum class FolderDeleteMode {
    // The matching files in the folder and in all its sub-folders; then every folder of the
    // tree that is left empty, the folder itself included. With "*.*" this is the whole tree.
    WholeTree,
    // Only the matching files directly in the folder; sub-folders and the folder stay.
    TopFilesOnly,
    // The matching files in the folder and in all its sub-folders; every folder stays.
    FilesInTree
};

// Creates a new sub-folder of the root, named after the tick count (after the prefix, when
// one is given), and returns its path with a trailing '/'. A name that exists already
// (another folder made within the same millisecond) costs one attempt and the next name
// gets a counter. Raises EInOutError when the root does not exist, when creating fails, or
// when the attempts run out.
std::string CreateUniqueFolder(const std::string& root, int attempts, const std::string& prefix = {});

// Deletes everything below the path and then the folder. Read-only files and folders are
// made writable first. Symbolic links are removed, never followed. Returns whether
// everything that should go has gone (false too when the folder does not exist).
bool DeleteFolder(const std::string& path);
bool DeleteFolder(const std::string& path, std::string_view mask, FolderDeleteMode mode);

// The names of the files directly in the folder that match the mask, sorted.
std::vector<std::string> FolderFiles(const std::string& folder, std::string_view mask = "*.*");
