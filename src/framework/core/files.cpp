#include "framework/core/files.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "framework/core/exceptions.h"

namespace fw {

namespace fs = std::filesystem;

namespace {

std::size_t NameStart(std::string_view path)
{
    const std::size_t slash = path.rfind(PathDelimiter);
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// Position of the extension's dot, or npos when the name part has none.
std::size_t ExtensionStart(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < NameStart(path)) {
        return std::string_view::npos;
    }
    return dot;
}

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool FileExists(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool ForceDirectories(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    fs::create_directories(path, error);
    return DirectoryExists(path);
}

std::string ExpandFileName(std::string_view path)
{
    if (path.empty()) {
        return {};
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) {
        return std::string(path);
    }
    return absolute.lexically_normal().string();
}

std::string ExtractFilePath(std::string_view path)
{
    return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileName(std::string_view path)
{
    return std::string(path.substr(NameStart(path)));
}

std::string ExtractFileExt(std::string_view path)
{
    const std::size_t dot = ExtensionStart(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension)
{
    const std::size_t dot = ExtensionStart(path);
    std::string result(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
    result += extension;
    return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string result(path);
    if (result.empty() || result.back() != PathDelimiter) {
        result += PathDelimiter;
    }
    return result;
}

bool SameFileExt(std::string_view path, std::string_view extension)
{
    const std::string own = ExtractFileExt(path);
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(),
                      [](char a, char b) { return Upper(a) == Upper(b); });
}

DateTime FileDate(const std::string& path)
{
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(path, error);
    if (error) {
        throw EFileError("Cannot read the date of file \"" + path + "\". " + error.message());
    }
    return FromTimePoint(written);
}

std::string ProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return IncludeTrailingPathDelimiter(fs::current_path(error).string());
    }
    return IncludeTrailingPathDelimiter(program.parent_path().string());
}

std::string TempFolder()
{
    const char* configured = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(configured != nullptr && *configured != '\0' ? configured : "/tmp");
}

std::uint32_t TickCount()
{
    using namespace std::chrono;
    const auto elapsed = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed)); // wraps, like any tick counter
}

bool MatchesMask(std::string_view name, std::string_view mask)
{
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    // Greedy matching that, on a mismatch, lets the last '*' swallow one more character.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') {
        ++m;
    }
    return m == mask.size();
}

std::vector<std::string> FindFiles(const std::string& folder, std::string_view mask)
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return names;
    }
    // Stepping with an error code: a folder that changes while it is read ends the list
    // instead of throwing.
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (!entries->is_regular_file(typeError)) {
            continue;
        }
        std::string name = entries->path().filename().string();
        if (MatchesMask(name, mask)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace fw
