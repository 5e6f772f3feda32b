#include "model/pattern_base.h"

#include <array>
#include <string>

#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/strings.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/pattern_file_read.h"
#include "model/pattern_limits.h"
#include "model/user_settings.h"

namespace {

struct PatternKind {
    int Code;
    std::string_view ShortName;
    std::string_view FileName;
    // A second spelling accepted on reading; empty when there is none.
    std::string_view OtherName;
};

constexpr std::array<PatternKind, 7> PatternKinds{{
    {PatternTypeFont, "Font", "Font", ""},
    {PatternTypeThreaded, "Threaded", "Threaded-in", "Threaded-in"},
    {PatternTypeDoubleFace, "DoubleFace", "Doubleface", ""},
    {PatternTypeBrokenTwill, "BrokenTwill", "3/1 Broken Twill", "3/1 Broken Twill"},
    {PatternTypeLetteredBand, "LetteredBand", "Lettered Band", "Lettered Band"},
    {PatternTypeBrocade, "Brocade", "Brocade", ""},
    {PatternTypeTwistPatterned, "TwistPatterned", "TwistPatterned", "WarpTwined"},
}};

constexpr std::string_view UnknownTypeName = "Unknown";

const PatternKind* KindOf(int code)
{
    for (const PatternKind& kind : PatternKinds) {
        if (kind.Code == code) {
            return &kind;
        }
    }
    return nullptr;
}

// Filled by the model's initialisation; constant-initialised, so it exists before any code
// runs and needs no start-up order.
std::array<TTWPatternFactory, PatternKinds.size() + 1> patternClasses{};

bool IsKindCode(int kind)
{
    return kind >= PatternTypeFont && kind <= PatternTypeTwistPatterned;
}

constexpr std::string_view PatternPath = "TWData/Pattern";
constexpr std::string_view FontPath = "TWData/Font";

[[noreturn]] void RaiseUnknownType(std::string_view typeName, const std::string& methodName,
                                   const std::string& fileName = {})
{
    throw TGenericException(UnknownPatternTypeText(typeName, fileName), nullptr, "", methodName);
}

// Reads the element into the new pattern; when reading fails the pattern goes and the error
// travels on.
std::unique_ptr<TTWPatternBase> ReadPattern(std::unique_ptr<TTWPatternBase> pattern, const TILXMLNode* element)
{
    double version = 0;
    pattern->ExtractXML(element, version);
    return pattern;
}

} // namespace

// --- the pattern base ---

TTWPatternBase::TTWPatternBase() : notes_(UserSettings().DefaultNotes) {}

void TTWPatternBase::Assign(const fw::Persistent* source)
{
    if (const auto* pattern = dynamic_cast<const TTWPatternBase*>(source)) {
        if (pattern == this) {
            return;
        }
        name_ = pattern->name_;
        notes_ = pattern->notes_;
        selvedgeLeft_.Assign(pattern->selvedgeLeft_);
        selvedgeRight_.Assign(pattern->selvedgeRight_);
        return;
    }
    fw::Persistent::Assign(source);
}

std::string TTWPatternBase::GetTypeName() const
{
    return std::string(PatternTypeName(GetPatternType()));
}

void TTWPatternBase::SaveToFile(const std::string& fileName)
{
    // The document lives only to be written: long lists are made as they are written.
    TILXMLTree tree(TILXMLTree::ChildMaking::WhenWritten);
    TILXMLNode* root = CreateTWDataRoot(tree, "TWData");
    BuildXML(root);
    tree.SaveToFile(fileName);
}

void TTWPatternBase::LoadFromFile(const std::string& fileName)
{
    TILXMLTree tree;
    ReadPatternDocument(tree, fileName);
    const TILXMLNode* element = tree.FindTag(PatternPath, false);
    if (element == nullptr) {
        throw TGenericException::CreateFromSender("No pattern data found.\r\nFile: " + fileName, nullptr, this,
                                                  "LoadFromFile");
    }
    if (PatternTypeFromName(element->AttributeValue("Type")) != GetPatternType()) {
        throw TGenericException::CreateFromSender(
            "This file does not contain a " + GetTypeName() + " pattern.\r\nFile: " + fileName, nullptr, this,
            "LoadFromFile");
    }
    double version = 0;
    ExtractXML(element, version);
}

TILXMLNode* TTWPatternBase::BuildXML(TILXMLNode* parent) const
{
    const int kind = GetPatternType();
    TILXMLNode* element = parent->AddChild(kind == PatternTypeFont ? "Font" : "Pattern");
    element->AddAttribute("Type", std::string(PatternTypeFileName(kind)));
    element->AddChildText("Name", name_);
    element->WriteTextLines("Notes", notes_, "L");
    TILXMLNode* selvedges = element->AddChild("Selvedges");
    selvedgeLeft_.WriteToXML(selvedges->AddChild("Left"), "Cards");
    selvedgeRight_.WriteToXML(selvedges->AddChild("Right"), "Cards");
    return element;
}

void TTWPatternBase::ExtractXML(const TILXMLNode* element, double& version)
{
    version = ReadTWDataVersion(element);
    const TILXMLNode* name = element->FindChild("Name");
    name_ = name != nullptr ? name->Text() : std::string();
    if (const TILXMLNode* notes = element->FindChild("Notes")) {
        // Notes written by hand, or by an old version, may be a plain text instead of lines.
        notes_ = notes->ChildCount() == 0 ? DecodeXMLText(notes->Value()) : notes->ReadTextLines("", "L");
    }
    selvedgeLeft_.ReadFromXML(element->FindPath("Selvedges/Left/Cards", false, false));
    selvedgeRight_.ReadFromXML(element->FindPath("Selvedges/Right/Cards", false, false));
}

// --- the kind table ---

int PatternTypeFromName(std::string_view name)
{
    for (const PatternKind& kind : PatternKinds) {
        if (fw::SameText(name, kind.ShortName) || (!kind.OtherName.empty() && fw::SameText(name, kind.OtherName))) {
            return kind.Code;
        }
    }
    return PatternTypeNone;
}

std::string_view PatternTypeName(int kind)
{
    const PatternKind* found = KindOf(kind);
    return found != nullptr ? found->ShortName : UnknownTypeName;
}

std::string_view PatternTypeFileName(int kind)
{
    const PatternKind* found = KindOf(kind);
    return found != nullptr ? found->FileName : UnknownTypeName;
}

void RegisterPatternClass(int kind, TTWPatternFactory factory)
{
    if (!IsKindCode(kind)) {
        throw TGenericException("No pattern kind has the code " + fw::IntToStr(kind) + ".", nullptr, "",
                                "RegisterPatternClass");
    }
    patternClasses[static_cast<size_t>(kind)] = factory;
}

bool IsPatternClassRegistered(int kind)
{
    return PatternClassOf(kind) != nullptr;
}

TTWPatternFactory PatternClassOf(int kind)
{
    return IsKindCode(kind) ? patternClasses[static_cast<size_t>(kind)] : nullptr;
}

void ClearPatternClasses()
{
    patternClasses.fill(nullptr);
}

std::unique_ptr<TTWPatternBase> CreatePatternOfType(int kind)
{
    const TTWPatternFactory factory = PatternClassOf(kind);
    return factory != nullptr ? factory() : nullptr;
}

// --- the file envelope ---

TILXMLNode* CreateTWDataRoot(TILXMLTree& tree, std::string_view rootTag)
{
    TILXMLNode* root = tree.AddRootNode(rootTag.empty() ? std::string_view("TWData") : rootTag);
    root->AddChildValue("Source", TWDataProductName);
    root->AddChildValue("Version", TWDataVersion);
    root->AddChildValue("Release", "");
    return root;
}

double VersionFromText(std::string_view text)
{
    // Versions are written with a point; files from machines whose locale wrote a comma are
    // still read right.
    std::string number(text);
    if (number.find('.') == std::string::npos) {
        for (char& c : number) {
            if (c == ',') {
                c = '.';
            }
        }
    }
    return SafeStrToFloat(number);
}

double ReadTWDataVersion(const TILXMLNode* element)
{
    if (element == nullptr) {
        return 0;
    }
    const TILXMLTree* tree = element->Tree();
    const TILXMLNode* version = tree != nullptr ? tree->FindTag("TWData/Version", false) : nullptr;
    return version != nullptr ? VersionFromText(version->Value()) : 0;
}

std::unique_ptr<TTWPatternBase> CreatePatternFromXML(const TILXMLTree& tree)
{
    if (const TILXMLNode* font = tree.FindTag(FontPath, false)) {
        std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(PatternTypeFont);
        if (pattern == nullptr) {
            RaiseUnknownType(PatternTypeName(PatternTypeFont), "CreatePatternFromXML");
        }
        return ReadPattern(std::move(pattern), font);
    }
    const TILXMLNode* element = tree.FindTag(PatternPath, true);
    const std::string typeName = element->GetAttribute("Type");
    std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(PatternTypeFromName(typeName));
    if (pattern == nullptr) {
        // A type without a class is refused as such, never handed on as a missing pattern.
        RaiseUnknownType(typeName, "CreatePatternFromXML");
    }
    return ReadPattern(std::move(pattern), element);
}

std::string NoPatternDataMessage(const std::string& fileName)
{
    return "No pattern or font data found in this file." + FileNameLine(fileName);
}

std::string UnknownPatternTypeText(std::string_view typeName, const std::string& fileName)
{
    return "Unable to create pattern.\r\nThe type <" + std::string(typeName) + "> is unknown."
           + (fileName.empty() ? std::string() : FileNameLine(fileName));
}

std::unique_ptr<TTWPatternBase> LoadAndCreatePattern(const std::string& fileName)
{
    const std::string method = "LoadAndCreatePattern";
    TILXMLTree tree;
    ReadPatternDocument(tree, fileName);
    if (const TILXMLNode* font = tree.FindTag(FontPath, false)) {
        std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(PatternTypeFont);
        if (pattern == nullptr) {
            RaiseUnknownType(PatternTypeName(PatternTypeFont), method, fileName);
        }
        return ReadNamingFile(fileName, [&] { return ReadPattern(std::move(pattern), font); });
    }
    const TILXMLNode* element = tree.FindTag(PatternPath, false);
    if (element == nullptr) {
        throw TGenericException(NoPatternDataMessage(fileName), nullptr, "", method);
    }
    const std::string typeName = element->GetAttribute("Type");
    std::unique_ptr<TTWPatternBase> pattern = CreatePatternOfType(PatternTypeFromName(typeName));
    if (pattern == nullptr) {
        RaiseUnknownType(typeName, method, fileName);
    }
    return ReadNamingFile(fileName, [&] { return ReadPattern(std::move(pattern), element); });
}

void NotifyMainForm(int actionId, bool enabled, bool enabled2, bool pressed)
{
    model_hooks::Notify(actionId, enabled, enabled2, pressed);
}
