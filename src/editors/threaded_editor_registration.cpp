// The threaded-in editor as the window of its kind: a new pattern from the Create menu, and
// a pattern read by the file loader.

#include <memory>
#include <utility>

#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "editors/threaded_editor.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenNewThreadedEditor(TfrmTWMain& main, int holeCount)
{
    ShowNewEditor(NewHostedEditor<TfrmTWThreadedPattern>(main), [holeCount](TfrmTWThreadedPattern& editor) {
        editor.Display(holeCount, nullptr, std::string());
    });
}

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWThreadedPattern&>(form);
    std::unique_ptr<TTWPattern> threaded = TakeLoaded<TTWPattern>(pattern);
    if (!threaded) {
        return;
    }
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
                          TTWPatternEditorClass{NewHostedEditor<TfrmTWThreadedPattern>, OpenLoadedPattern});
}
