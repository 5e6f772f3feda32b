#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace fw {

// The whole content of a file, byte for byte. Raises EFileError
// "Cannot open file \"<path>\". <reason>" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Replaces the content of a file without ever leaving it half written: the bytes go to a
// temporary file in the same folder, which then takes the file's place in one rename.
// The new file keeps the old one's access rights. A file the caller may not write, or whose
// mode lets nobody write (read-only, even for root), is refused and left alone. When
// anything fails the temporary file is removed, the old file is left as it was, and
// EFileError "Cannot create file \"<path>\". <reason>" is raised.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace fw
