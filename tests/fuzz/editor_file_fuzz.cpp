// Opens arbitrary bytes as a pattern or font file the way the Load command does: the main
// window's loader reads the file and hands what it read to a new editor of its kind, on Qt's
// offscreen platform. The editor is then drawn, each of its pages in turn, and closed.
//
// A file the program refuses must raise one of our own errors and leave no editor behind;
// an editor's own errors, from then on, go to the program's handler and must be ours too.
// Anything else is a fault: a crash, undefined behaviour, a leak, a foreign exception, an
// editor that will not close, and above all a file that makes the program hang or eat the
// memory (libFuzzer's time and memory limits per input, set by scripts/run-fuzz.sh).
// The seeds are those of the model's file readers (corpus/patterns): a file of every kind
// written by our own writers, and large ones of the size of real work.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>

#include "framework/core/exceptions.h"
#include "shell/main_window.h"
#include "offscreen_program.h"

namespace program = offscreen_program;

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    program::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TfrmTWMain& main = program::Main();
    const std::filesystem::path file = program::WriteInput("input.tvl", data, size);
    try {
        try {
            main.LoadFile(file.string());
        } catch (const fw::Exception&) {
            // The program's answer to a file it does not open; the editor it began goes.
            program::Settle();
            if (main.MDIChildCount() != 0) {
                program::Fail("A file that failed to open left an editor behind.");
            }
            return 0;
        }
        program::DrawEditors();
        program::CloseEditors();
    } catch (const std::exception& error) {
        program::Fail(std::string("A foreign error was raised: ") + error.what());
    } catch (...) {
        program::Fail("An exception of unknown type was raised.");
    }
    return 0;
}
