// The twist-patterned editor as the window of its kind: a new design from the Create menu,
// and a design read by the file loader.

#include <memory>
#include <utility>

#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "editors/twist_editor.h"
#include "model/pattern_base.h"
#include "model/twist_pattern.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWWarpTwinedPattern&>(form);
    // The editor copies the design; the one read from the file goes when this returns.
    const auto* twist = dynamic_cast<const TTWWarpTwinedPattern*>(pattern.get());
    if (twist == nullptr) {
        return;
    }
    editor.OpenPattern(twist, fileName);
}

} // namespace

void RegisterTwistEditor()
{
    RegisterWindowOpener(TTWWindowKind::TwistPatternedEditor, OpenNewEmptyEditor<TfrmTWWarpTwinedPattern>);
    RegisterPatternEditor(PatternTypeTwistPatterned,
                          TTWPatternEditorClass{NewHostedEditor<TfrmTWWarpTwinedPattern>, OpenLoadedPattern});
}
