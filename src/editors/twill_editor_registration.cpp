// The 3/1 broken twill editor as the window of its kind: a new design from the Create menu,
// and twill patterns read by the file loader.

#include <memory>
#include <string>
#include <utility>

#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "editors/twill_editor.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWDoubleFaceTwillNonMDI&>(form);
    // Any double-face design reaches the editor, which refuses one that is no twill; the
    // window shows a copy, and the pattern read goes when this returns.
    const auto* design = dynamic_cast<const TTWDFPattern*>(pattern.get());
    editor.OpenPattern(design, fileName);
}

} // namespace

void RegisterTwillEditor()
{
    RegisterWindowOpener(TTWWindowKind::BrokenTwillEditor, OpenNewEmptyEditor<TfrmTWDoubleFaceTwill>);
    RegisterPatternEditor(PatternTypeBrokenTwill,
                          TTWPatternEditorClass{NewHostedEditor<TfrmTWDoubleFaceTwill>, OpenLoadedPattern});
}
