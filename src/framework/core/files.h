#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/datetime.h"

namespace fw {

// Paths are UTF-8 texts with '/' between folders. Names are compared case-sensitively,
// as the file system does; only extension tests ignore case.
inline constexpr char PathDelimiter = '/';

// A file, or anything else that is not a folder.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and any missing parent; true when the folder exists afterwards.
bool ForceDirectories(const std::string& path);

// The path as an absolute one, "." and ".." resolved against the current folder ("" stays
// ""): a file opened by a relative name must keep meaning the same file when the program's
// folder or the dialogs' folders are different.
std::string ExpandFileName(std::string_view path);
// "a/b/c.txt" -> "a/b/"; "" for a bare name.
std::string ExtractFilePath(std::string_view path);
// "a/b/c.txt" -> "c.txt".
std::string ExtractFileName(std::string_view path);
// The name's last dot and what follows it ("c.tar.gz" -> ".gz"); "" when the name has no dot.
std::string ExtractFileExt(std::string_view path);
// Replaces the extension (or appends one when there is none); extension includes the dot.
std::string ChangeFileExt(std::string_view path, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Whether the path's extension is the given one (".TXT"), without regard to case.
bool SameFileExt(std::string_view path, std::string_view extension);

// The file's modification time as local time; raises EFileError when it cannot be read.
DateTime FileDate(const std::string& path);

// The folder of the running program, with a trailing '/'.
std::string ProgramFolder();
// $TMPDIR, else /tmp, with a trailing '/'.
std::string TempFolder();
// Milliseconds of a monotonic clock; wraps around after about 49 days.
std::uint32_t TickCount();

// Wildcards '*' (any run, also empty) and '?' (one character), case-sensitive. As on
// Windows, "*" and "*.*" match every name, also one without a dot.
bool MatchesMask(std::string_view name, std::string_view mask);
// The names (not paths) of the files, not folders, directly in the folder that match the
// mask, sorted; empty when the folder cannot be read.
std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask);

} // namespace fw
