// The brocade editor as the window of its kind: a new design from the Create menu, and
// brocade patterns read by the file loader.

#include <memory>
#include <string>
#include <utility>

#include "editors/brocade_editor.h"
#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "model/brocade_pattern.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmBrocade&>(form);
    // The editor copies the brocade; the one read from the file goes when this returns.
    const auto* brocade = dynamic_cast<const TTWBrocadePattern*>(pattern.get());
    if (brocade == nullptr) {
        return;
    }
    editor.OpenPattern(brocade, fileName);
}

} // namespace

void RegisterBrocadeEditor()
{
    RegisterWindowOpener(TTWWindowKind::BrocadeEditor, OpenNewEmptyEditor<TfrmBrocade>);
    RegisterPatternEditor(PatternTypeBrocade,
                          TTWPatternEditorClass{NewHostedEditor<TfrmBrocade>, OpenLoadedPattern});
}
