#pragma once

// Looking at real report output from tests: poppler's command-line tools when they are
// installed (pdfinfo, pdftoppm), and a count of the pages a PDF file declares that needs
// nothing but the file.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

namespace report_test {

inline bool HaveTool(const std::string& tool)
{
    const std::string command = "command -v " + tool + " > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// The standard output of a shell command, none when it fails.
inline std::optional<std::string> CommandOutput(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    if (pclose(pipe) != 0) {
        return std::nullopt;
    }
    return output;
}

// "Pages:" and "Page size:" of pdfinfo.
struct PdfInfo {
    int Pages = 0;
    std::string PageSize;
};

inline std::optional<PdfInfo> ReadPdfInfo(const std::filesystem::path& file)
{
    const auto output = CommandOutput("pdfinfo '" + file.string() + "' 2>/dev/null");
    if (!output) {
        return std::nullopt;
    }
    PdfInfo info;
    std::smatch match;
    if (std::regex_search(*output, match, std::regex(R"(Pages:\s+(\d+))"))) {
        info.Pages = std::stoi(match[1].str());
    }
    if (std::regex_search(*output, match, std::regex(R"(Page size:\s+([^\n]+))"))) {
        info.PageSize = match[1].str();
    }
    return info;
}

// The page objects the file declares ("/Type /Page", not "/Type /Pages"): Qt writes its
// object dictionaries uncompressed, one key a line.
inline int CountPdfPageObjects(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex page(R"(/Type\s*/Page(?![s\w]))");
    return static_cast<int>(std::distance(std::sregex_iterator(content.begin(), content.end(), page),
                                          std::sregex_iterator()));
}

// Turns every page of the PDF into prefix-N.png (N from 1, padded as pdftoppm pads it) at
// the resolution; answers whether pdftoppm ran.
inline bool PdfToPng(const std::filesystem::path& file, const std::filesystem::path& prefix, int dotsPerInch)
{
    const std::string command = "pdftoppm -r " + std::to_string(dotsPerInch) + " -png '" + file.string() + "' '"
                                + prefix.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace report_test
