#pragma once

#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

namespace fw {
class Object;
}

// The settings and palettes files are written again when the program closes. One that could
// not be read must not be replaced by the defaults unseen: it is moved out of the way first
// and the user is told which file it was and where it went.

// Moves the file to "<name>.damaged" beside it ("<name>.damaged2", "<name>.damaged3", …
// when that name is taken) and answers the new path; empty when it could not be moved.
std::filesystem::path KeepDamagedFileAside(const std::filesystem::path& file);

// Keeps the file aside and raises the error that says so, the reading error chained after it:
//   "The <what> file "<file>" could not be read; <fallback> used instead.\r\n
//    The damaged file has been kept as "<kept>"."
// or, when it could not be moved, "…\r\nThe damaged file could not be kept aside."
[[noreturn]] void RaiseDamagedFile(std::string_view what, std::string_view fallback,
                                   const std::filesystem::path& file, const std::exception& cause,
                                   const fw::Object* sender, const std::string& method);
