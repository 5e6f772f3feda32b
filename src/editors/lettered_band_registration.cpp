// The lettered-band editor as the window of its kind: a new band from the Create menu, and
// bands read by the file loader (the window takes their font and text, then frees them).

#include <memory>
#include <string>
#include <utility>

#include "editors/editors_registration.h"
#include "editors/lettered_band_editor.h"
#include "model/lettered_band.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

// A new window owned by the main window and reaching it through its host, built, not shown
// yet.
TfrmTWLetteredBand* NewEditor(TfrmTWMain& main)
{
    std::unique_ptr<TfrmTWLetteredBand> editor(new TfrmTWLetteredBand(&main));
    // The host before FinishLoading: making the window already adds it to the Windows menu.
    editor->SetEditorHost(&main.EditorHost());
    editor->FinishLoading();
    return editor.release();
}

void OpenNewBand(TfrmTWMain& main, int)
{
    TfrmTWLetteredBand* editor = NewEditor(main);
    try {
        editor->OpenPattern(nullptr, std::string());
    } catch (...) {
        delete editor;
        throw;
    }
}

void OpenLoadedBand(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWLetteredBand&>(form);
    std::unique_ptr<TTWLetteredBand> band;
    if (auto* read = dynamic_cast<TTWLetteredBand*>(pattern.get())) {
        pattern.release();
        band.reset(read);
    }
    editor.OpenPattern(std::move(band), fileName);
}

} // namespace

void RegisterLetteredBandEditor()
{
    RegisterWindowOpener(TTWWindowKind::LetteredBandEditor, OpenNewBand);
    RegisterPatternEditor(PatternTypeLetteredBand,
                          TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return NewEditor(main); },
                                                OpenLoadedBand});
}
