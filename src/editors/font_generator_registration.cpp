// The font generator as the window of fonts: a new font from the Create menu, and fonts read
// by the file loader (which the window then keeps).

#include <memory>
#include <string>
#include <utility>

#include "editors/editor_registration_kit.h"
#include "editors/editors_registration.h"
#include "editors/font_generator.h"
#include "model/font.h"
#include "model/pattern_base.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

void OpenNewFont(TfrmTWMain& main, int)
{
    ShowNewEditor(NewHostedEditor<TfrmTWFontGenerator>(main),
                  [](TfrmTWFontGenerator& editor) { editor.OpenFont(nullptr, std::string()); });
}

void OpenLoadedFont(fw::Form& form, std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    auto& editor = dynamic_cast<TfrmTWFontGenerator&>(form);
    // The window keeps the font read from the file.
    editor.OpenFont(TakeLoaded<TTWFont>(pattern), fileName);
}

} // namespace

void RegisterFontGenerator()
{
    RegisterWindowOpener(TTWWindowKind::FontGenerator, OpenNewFont);
    RegisterPatternEditor(PatternTypeFont,
                          TTWPatternEditorClass{NewHostedEditor<TfrmTWFontGenerator>, OpenLoadedFont});
}
