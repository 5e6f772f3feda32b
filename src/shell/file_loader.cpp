#include "shell/file_loader.h"

#include <memory>
#include <string_view>
#include <utility>

#include "foundation/generic_exception.h"
#include "foundation/xml_node.h"
#include "framework/core/files.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/form.h"
#include "model/pattern_base.h"
#include "model/pattern_file_read.h"
#include "model/pattern_limits.h"
#include "shell/data_module.h"
#include "shell/file_loader_editors.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

namespace {

// The loader runs for the Load command, and its failures say so, whichever way it was
// reached (the command line, the browser, the conversion tool).
constexpr const char* LoaderMethod = "mnuLoadClick";

[[noreturn]] void RaiseLoadError(const std::string& message, const TfrmTWMain& main)
{
    throw TGenericException::CreateFromSender(message, nullptr, &main, LoaderMethod);
}

// The element a file's pattern or font is read from, and its kind.
struct PatternData {
    const TILXMLNode* Element = nullptr;
    int Kind = PatternTypeNone;
    std::string TypeName;
};

PatternData FindPatternData(const TILXMLTree& tree, const std::string& fileName, const TfrmTWMain& main)
{
    if (const TILXMLNode* font = tree.FindTag("TWData/Font", false)) {
        return PatternData{font, PatternTypeFont, std::string(PatternTypeName(PatternTypeFont))};
    }
    const TILXMLNode* pattern = tree.FindTag("TWData/Pattern", false);
    if (pattern == nullptr) {
        RaiseLoadError(NoPatternDataMessage(fileName), main);
    }
    std::string typeName = pattern->GetAttribute("Type");
    const int kind = PatternTypeFromName(typeName);
    // A font is only ever read from its own element: a "Pattern" of type "Font" is no
    // pattern the loader can make.
    if (kind < PatternTypeThreaded || kind > PatternTypeTwistPatterned) {
        RaiseLoadError(UnknownPatternTypeText(typeName, fileName), main);
    }
    return PatternData{pattern, kind, std::move(typeName)};
}

// The registered editor of the kind; none, after telling the user, when it is not there.
const TTWPatternEditorClass* AvailableEditor(int kind)
{
    const TTWPatternEditorClass* editorClass = PatternEditorOf(kind);
    if (editorClass == nullptr) {
        fw::MessageDlg(NotAvailableText(PatternEditorWindowKind(kind)), fw::MsgDlgType::Information,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    }
    return editorClass;
}

// Makes the editor and hands it the pattern; an editor whose opening fails goes again.
fw::Form* OpenInEditor(TfrmTWMain& main, const TTWPatternEditorClass& editorClass,
                       std::unique_ptr<TTWPatternBase> pattern, const std::string& fileName)
{
    fw::Form* made = editorClass.Create(main);
    if (made == nullptr) {
        return nullptr;
    }
    const fw::WeakRef<fw::Form> editor(made);
    try {
        editorClass.Open(*made, std::move(pattern), fw::ExpandFileName(fileName));
    } catch (...) {
        // The editor may have gone already, freeing itself on the way out.
        delete editor.Get();
        throw;
    }
    return editor.Get();
}

} // namespace

fw::Form* LoadPatternFile(TfrmTWMain& main, const std::string& givenName)
{
    const std::string fileName = fw::ExpandFileName(givenName);
    TILXMLTree tree;
    ReadPatternDocument(tree, fileName);
    const PatternData data = FindPatternData(tree, fileName, main);
    const TTWPatternEditorClass* editorClass = AvailableEditor(data.Kind);
    if (editorClass == nullptr) {
        return nullptr;
    }
    std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(data.Kind);
    if (pattern == nullptr) {
        // A kind the model has no class for cannot be read either.
        RaiseLoadError(UnknownPatternTypeText(data.TypeName, fileName), main);
    }
    double version = 0;
    ReadNamingFile(fileName, [&] { pattern->ExtractXML(data.Element, version); });
    return OpenInEditor(main, *editorClass, std::move(pattern), fileName);
}

fw::Form* OpenPatternObject(TfrmTWMain& main, const TTWPatternBase& pattern, const std::string& fileName)
{
    const int kind = pattern.GetPatternType();
    std::unique_ptr<TTWPatternBase> copy = CreatePatternOfType(kind);
    if (copy == nullptr) {
        return nullptr;
    }
    const TTWPatternEditorClass* editorClass = AvailableEditor(kind);
    if (editorClass == nullptr) {
        return nullptr;
    }
    copy->Assign(&pattern);
    return OpenInEditor(main, *editorClass, std::move(copy), fileName);
}

void RegisterFileLoading()
{
    TTWShellFactories& factories = ShellFactories();
    factories.CreateDataModule = [](TfrmTWMain&) -> TTWDataModuleBase* { return new TdModMain(&fw::App()); };
    factories.LoadFile = [](TfrmTWMain& main, const std::string& fileName) { LoadPatternFile(main, fileName); };
}
