// The double-face editor as the window of its kinds: new designs of two, four or six colours
// from the Create menu, and double-face patterns read by the file loader.

#include <memory>
#include <string>
#include <utility>

#include "editors/df_editor.h"
#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

// A new editor of the colour count, not shown yet.
TfrmSimpleDoubleface* NewEditor(TfrmTWMain& main, int colourCount)
{
    return HostedEditor(main, std::make_unique<TfrmSimpleDoubleface>(&main, colourCount));
}

void OpenNewEditor(TfrmTWMain& main, int colourCount)
{
    // A new design keeps the caption that names its colours ("Multi-Colour", "6-Hole").
    ShowNewEditor(NewEditor(main, colourCount), [](TfrmSimpleDoubleface& editor) { editor.Show(); });
}

void OpenLoadedPattern(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWDoublefaceNonMDI&>(form);
    const auto* design = dynamic_cast<const TTWDFPattern*>(pattern.get());
    // The window shows a copy: the pattern read goes when this returns.
    editor.OpenPattern(design, fileName);
}

} // namespace

void RegisterDoubleFaceEditor()
{
    RegisterWindowOpener(TTWWindowKind::SimpleDoubleFaceEditor, [](TfrmTWMain& main, int) { OpenNewEditor(main, 2); });
    RegisterWindowOpener(TTWWindowKind::MultiColourDoubleFaceEditor,
                         [](TfrmTWMain& main, int) { OpenNewEditor(main, 4); });
    RegisterWindowOpener(TTWWindowKind::SixHoleDoubleFaceEditor, [](TfrmTWMain& main, int) { OpenNewEditor(main, 6); });
    RegisterPatternEditor(PatternTypeDoubleFace,
                          TTWPatternEditorClass{[](TfrmTWMain& main) -> fw::Form* { return NewEditor(main, 2); },
                                                OpenLoadedPattern});
}
