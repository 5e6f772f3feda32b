// The lettered-band editor as the window of its kind: a new band from the Create menu, and
// bands read by the file loader (the window takes their font and text, then frees them).

#include <memory>
#include <string>
#include <utility>

#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "editors/lettered_band_editor.h"
#include "model/lettered_band.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenLoadedBand(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWLetteredBand&>(form);
    editor.OpenPattern(TakeLoaded<TTWLetteredBand>(pattern), fileName);
}

} // namespace

void RegisterLetteredBandEditor()
{
    RegisterWindowOpener(TTWWindowKind::LetteredBandEditor, OpenNewEmptyEditor<TfrmTWLetteredBand>);
    RegisterPatternEditor(PatternTypeLetteredBand,
                          TTWPatternEditorClass{NewHostedEditor<TfrmTWLetteredBand>, OpenLoadedBand});
}
