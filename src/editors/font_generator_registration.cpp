// The font generator as the window of fonts: a new font from the Create menu, and fonts read
// by the file loader (which the window then keeps).

#include <memory>
#include <string>
#include <utility>

#include "editors/editors_registration.h"
#include "editors/font_generator.h"
#include "model/font.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

// A new window owned by the main window and reaching it through its host, built, not shown
// yet.
TfrmTWFontGenerator* NewEditor(TfrmTWMain& main)
{
    std::unique_ptr<TfrmTWFontGenerator> editor(new TfrmTWFontGenerator(&main));
    // The host before FinishLoading: making the window already adds it to the Windows menu.
    editor->SetEditorHost(&main.EditorHost());
    editor->FinishLoading();
    return editor.release();
}

void OpenNewFont(TfrmTWMain& main, int)
{
    TfrmTWFontGenerator* editor = NewEditor(main);
    try {
        editor->OpenFont(nullptr, std::string());
    } catch (...) {
        delete editor;
        throw;
    }
}

void OpenLoadedFont(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWFontGenerator&>(form);
    // The window keeps the font read from the file.
    std::unique_ptr<TTWFont> font;
    if (auto* read = dynamic_cast<TTWFont*>(pattern.get())) {
        pattern.release();
        font.reset(read);
    }
    editor.OpenFont(std::move(font), fileName);
}

} // namespace

void RegisterFontGenerator()
{
    RegisterWindowOpener(TTWWindowKind::FontGenerator, OpenNewFont);
    RegisterPatternEditor(PatternTypeFont,
                          TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return NewEditor(main); },
                                                OpenLoadedFont});
}
