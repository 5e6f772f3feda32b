#include "shell/file_loader_editors.h"

#include <map>
#include <string>
#include <utility>

#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "model/pattern_base.h"

namespace {

std::map<int, TTWPatternEditorClass>& Editors()
{
    static std::map<int, TTWPatternEditorClass> editors;
    return editors;
}

bool IsKindCode(int kind)
{
    return kind >= PatternTypeFont && kind <= PatternTypeTwistPatterned;
}

[[noreturn]] void RaiseNoKind(int kind, const std::string& methodName)
{
    throw TGenericException("No pattern kind has the code " + fw::IntToStr(kind) + ".", nullptr, "", methodName);
}

} // namespace

void RegisterPatternEditor(int kind, TTWPatternEditorClass editorClass)
{
    if (!IsKindCode(kind)) {
        RaiseNoKind(kind, "RegisterPatternEditor");
    }
    if (editorClass.Create) {
        Editors()[kind] = std::move(editorClass);
    } else {
        Editors().erase(kind);
    }
}

bool PatternEditorRegistered(int kind)
{
    return PatternEditorOf(kind) != nullptr;
}

const TTWPatternEditorClass* PatternEditorOf(int kind)
{
    const auto found = Editors().find(kind);
    return found != Editors().end() ? &found->second : nullptr;
}

TTWWindowKind PatternEditorWindowKind(int kind)
{
    switch (kind) {
    case PatternTypeFont:
        return TTWWindowKind::FontGenerator;
    case PatternTypeThreaded:
        return TTWWindowKind::ThreadedEditor;
    case PatternTypeDoubleFace:
        return TTWWindowKind::SimpleDoubleFaceEditor;
    case PatternTypeBrokenTwill:
        return TTWWindowKind::BrokenTwillEditor;
    case PatternTypeLetteredBand:
        return TTWWindowKind::LetteredBandEditor;
    case PatternTypeBrocade:
        return TTWWindowKind::BrocadeEditor;
    case PatternTypeTwistPatterned:
        return TTWWindowKind::TwistPatternedEditor;
    default:
        RaiseNoKind(kind, "PatternEditorWindowKind");
    }
}

void ResetPatternEditorsForTests()
{
    Editors().clear();
}
