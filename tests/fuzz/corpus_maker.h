#pragma once

// The command line every corpus maker answers:
//
//   <program> <folder>           the small gen-* files kept with the sources
//   <program> --large <folder>   the large-* files made afresh for each run
//
// The folder is made when it is missing.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string_view>

// Runs write(folder, large) for the command line. Answers the program's exit code: 0 when the
// files were written, 1 when writing failed (the error is reported under the program's name),
// 2 for a command line of any other form (the usage is shown).
inline int RunCorpusMaker(int argc, char** argv, const char* name,
                          const std::function<void(const std::filesystem::path& folder, bool large)>& write)
{
    const bool large = argc == 3 && std::string_view(argv[1]) == "--large";
    if (argc != 2 && !large) {
        std::fprintf(stderr, "usage: %s [--large] <folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[argc - 1];
        std::filesystem::create_directories(folder);
        write(folder, large);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
    return 0;
}
