#pragma once

// The whole program as a user runs it, on Qt's offscreen platform, for the fuzz targets that
// open what they are given in the pattern editors: the libraries, the shell's modules and
// the editors registered, the main window shown with real Qt widgets under every control.
// Only the event loop is left out: each input runs its steps and then lets the events that
// wait be handled (Settle), as the loop would between the user's actions.
//
// The user is played without a screen: every message box is answered by its first offer of
// Yes or OK (so a closing editor is let go), every other modal window and dialog is
// cancelled. Errors that reach the application's handler from an event are one of our own
// answers when they are our own exceptions; anything else ends the run as a fault.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fw {
class Form;
}

class TfrmTWMain;
class ITWActions;

namespace offscreen_program {

// Starts the program once for the life of the process (later calls do nothing), and opens,
// draws and closes an editor of every kind from the Create menu. Call it from
// LLVMFuzzerInitialize.
void Start();

TfrmTWMain& Main();

// Writes the input to a file of that name in the program's scratch folder and answers its
// path.
std::filesystem::path WriteInput(std::string_view name, const std::uint8_t* data, std::size_t size);

// Lets what waits happen: the controls added get their widgets, Qt's events (paints
// included) and the posted messages are handled.
void Settle();

// The editors open now, settled, and each drawn whole once with every page of it. Errors go
// to the application's handler, as they do from the event loop.
void DrawEditors();

// Closes every editor as the user does, answering Yes to losing the changes, and makes sure
// each is gone: an editor that stays open, or Qt widgets beyond those the program had before
// any editor was opened, end the run as a fault.
void CloseEditors();

// The active editor and its command interface; none.
fw::Form* ActiveEditor();
ITWActions* ActiveEditorActions();

// Ends the run as a fault: the text on the error stream, then abort, so that libFuzzer keeps
// the input.
[[noreturn]] void Fail(std::string_view what);

} // namespace offscreen_program
