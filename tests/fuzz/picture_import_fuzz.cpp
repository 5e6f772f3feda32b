// Imports arbitrary bytes as a Windows bitmap file into a new design, as the user does with
// "Import Monchrome Bitmap": an editor of a grid-based kind is made from the Create menu,
// the picture dialog names the input's file, the editor's design frame reads the picture and
// turns it into the block design, and the editor follows (the double-face editor takes a card
// a column, the twill halves the rows, the font generator turns the picture to its glyph).
// The editor is then drawn, each of its pages in turn, and closed, on Qt's offscreen
// platform.
//
// The input's length chooses the editor and whether its design is shown turned, so that the
// same input always takes the same way. A picture the program refuses is told to the user
// in a message box; anything else (a crash, undefined behaviour, a leak, a foreign
// exception, an editor that will not close, a hang or runaway memory) is a fault. The seeds
// are those of the BMP reader (corpus/bmp), whose one-bit pictures are the ones imported.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iterator>
#include <string>

#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"
#include "offscreen_program.h"

namespace program = offscreen_program;

namespace {

// The editors whose design frame imports pictures.
constexpr TTWWindowKind Importers[] = {
    TTWWindowKind::SimpleDoubleFaceEditor, TTWWindowKind::MultiColourDoubleFaceEditor,
    TTWWindowKind::SixHoleDoubleFaceEditor, TTWWindowKind::BrokenTwillEditor,
    TTWWindowKind::TwistPatternedEditor, TTWWindowKind::FontGenerator,
    TTWWindowKind::LetteredBandEditor, TTWWindowKind::BrocadeEditor,
};
constexpr std::size_t ImporterCount = std::size(Importers);

bool Offers(ITWActions& editor, std::int32_t action)
{
    TTWToolActionList actions;
    editor.GetToolActions(actions);
    const TTWToolAction* found = actions.Find(action);
    return found != nullptr && found->Enabled;
}

// What the user does from the Create menu to the imported design.
void ImportInto(TTWWindowKind kind, bool turned, const std::filesystem::path& picture)
{
    TfrmTWMain& main = program::Main();
    if (!OpenWindowOfKind(main, kind)) {
        program::Fail("An editor of the Create menu did not open.");
    }
    program::Settle();
    ITWActions* editor = program::ActiveEditorActions();
    if (editor == nullptr) {
        program::Fail("The editor made from the Create menu is not the active one.");
    }
    if (turned && Offers(*editor, TWAction::Rotate)) {
        fw::GuardedCall([&] { editor->PerformAction(TWAction::Rotate, false, nullptr); });
        program::Settle();
    }
    editor = program::ActiveEditorActions();
    if (editor != nullptr && Offers(*editor, TWAction::ImportBitmap)) {
        const fw::ScopedHandler choose(&fw::FileDialog::SetHandler, [&](fw::FileDialog& dialog) {
            dialog.SetFileName(picture.string());
            return true;
        });
        fw::GuardedCall([&] { editor->PerformAction(TWAction::ImportBitmap, false, nullptr); });
    }
    program::DrawEditors();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    program::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path picture = program::WriteInput("input.bmp", data, size);
    try {
        ImportInto(Importers[size % ImporterCount], size / ImporterCount % 2 == 1, picture);
        program::CloseEditors();
    } catch (const std::exception& error) {
        program::Fail(std::string("An error escaped the program's handler: ") + error.what());
    } catch (...) {
        program::Fail("An exception of unknown type escaped the program's handler.");
    }
    return 0;
}
