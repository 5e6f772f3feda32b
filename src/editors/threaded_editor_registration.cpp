// The threaded-in editor as the window of its kind: a new pattern from the Create menu, and
// a pattern read by the file loader.

#include <memory>
#include <utility>

#include "editors/editors_registration.h"
#include "editors/threaded_editor.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

// A new editor owned by the main window and reaching it through its host, built, not shown
// yet.
TfrmTWThreadedPattern* NewEditor(TfrmTWMain& main)
{
    std::unique_ptr<TfrmTWThreadedPattern> editor(new TfrmTWThreadedPattern(&main));
    // The host before FinishLoading: making the window already adds it to the Windows menu.
    editor->SetEditorHost(&main.EditorHost());
    editor->FinishLoading();
    return editor.release();
}

void OpenNewThreadedEditor(TfrmTWMain& main, int holeCount)
{
    TfrmTWThreadedPattern* editor = NewEditor(main);
    try {
        editor->Display(holeCount, nullptr, std::string());
    } catch (...) {
        delete editor;
        throw;
    }
}

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWThreadedPattern&>(form);
    std::unique_ptr<TTWPattern> threaded(dynamic_cast<TTWPattern*>(pattern.get()));
    if (!threaded) {
        return;
    }
    pattern.release();
    const int holes = threaded->Cards().HoleCount();
    // The window keeps the pattern read from the file: Display is given none.
    editor.TakePattern(std::move(threaded));
    editor.Display(holes, nullptr, fileName);
}

} // namespace

void RegisterThreadedEditor()
{
    RegisterWindowOpener(TTWWindowKind::ThreadedEditor, OpenNewThreadedEditor);
    RegisterPatternEditor(PatternTypeThreaded,
                          TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return NewEditor(main); },
                                                OpenLoadedPattern});
}
