#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "model/card_list.h"

class TILXMLNode;
class TILXMLTree;
class TTWPalette;
class TTWPattern;

// The pattern kinds, as shared with the shell and the editors.
inline constexpr int PatternTypeFont = 1;
inline constexpr int PatternTypeThreaded = 2;
inline constexpr int PatternTypeDoubleFace = 3;
inline constexpr int PatternTypeBrokenTwill = 4;
inline constexpr int PatternTypeLetteredBand = 5;
inline constexpr int PatternTypeBrocade = 6;
inline constexpr int PatternTypeTwistPatterned = 7;
// The kind code of a name that names no kind.
inline constexpr int PatternTypeNone = -1;

// The product and file version written into every pattern, font and settings file.
inline constexpr const char* TWDataProductName = "Tavelin";
inline constexpr const char* TWDataVersion = "1.17";

// The base of every pattern kind: its name, notes and selvedge cards, the kind's own data
// left to the derived classes, and the pattern file envelope.
class TTWPatternBase : public fw::Persistent {
public:
    ~TTWPatternBase() override = default;

    std::string_view className() const override { return "TTWPatternBase"; }
    // From a pattern: name, notes and both selvedges (deep copies); anything else is left to
    // the standard refusal.
    void Assign(const fw::Persistent* source) override;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // Lines separated by CR LF.
    const std::string& Notes() const { return notes_; }
    void SetNotes(std::string notes) { notes_ = std::move(notes); }
    TTWCardList& SelvedgeLeft() { return selvedgeLeft_; }
    const TTWCardList& SelvedgeLeft() const { return selvedgeLeft_; }
    TTWCardList& SelvedgeRight() { return selvedgeRight_; }
    const TTWCardList& SelvedgeRight() const { return selvedgeRight_; }

    // The kind code.
    virtual int GetPatternType() const = 0;
    // Columns of the band without the selvedges.
    virtual int GetCardCount() const = 0;
    // Rows of the band.
    virtual int GetPickCount() const = 0;
    // The kind's cards and palette, none where the kind has none.
    virtual TTWCardList* GetCards() { return nullptr; }
    virtual const TTWCardList* GetCards() const { return nullptr; }
    virtual TTWPalette* GetPalette() { return nullptr; }
    virtual const TTWPalette* GetPalette() const { return nullptr; }
    // The short name of the pattern's own kind ("Threaded", "DoubleFace", ...).
    std::string GetTypeName() const;

    // Writes the pattern file: the "TWData" envelope holding this pattern's element,
    // indented, replacing the file.
    virtual void SaveToFile(const std::string& fileName);
    // Reads a pattern file of this pattern's own kind; a file without pattern data or of
    // another kind raises.
    virtual void LoadFromFile(const std::string& fileName);

    // Adds the pattern's element ("Font" for a font, else "Pattern") to the parent with its
    // "Type", "Name", "Notes" and "Selvedges"; kinds add their own children after these.
    virtual TILXMLNode* BuildXML(TILXMLNode* parent) const;
    // Reads the name, notes and selvedges from the pattern's element; version is set to the
    // file's version, 0 when it has none.
    virtual void ExtractXML(const TILXMLNode* element, double& version);

    // Fills the threaded-in pattern with cards, packs and picks that weave this pattern.
    virtual void ConvertToThreaded(TTWPattern& target) = 0;

protected:
    // Empty selvedges; the notes a new pattern starts with come from the user settings.
    TTWPatternBase();

private:
    std::string name_;
    std::string notes_;
    TTWCardList selvedgeLeft_;
    TTWCardList selvedgeRight_;
};

// The kind of a name, in either of its spellings and without regard to case;
// PatternTypeNone for any other name.
int PatternTypeFromName(std::string_view name);
// The short name of a kind ("Threaded"); "Unknown" for a code without a kind.
std::string_view PatternTypeName(int kind);
// The name the base writer stores in "Type" ("Threaded-in"); "Unknown" for a code without
// a kind.
std::string_view PatternTypeFileName(int kind);

// The kind table: the classes of the kinds are registered by the model's initialisation, so
// that a kind can be added without touching the factory. A kind with no class registered is
// treated as a kind without a class: nothing is made for it.
using TTWPatternFactory = std::unique_ptr<TTWPatternBase> (*)();
// Registers (or replaces) the class of a kind 1 to 7; none takes the class away again. Other
// codes raise.
void RegisterPatternClass(int kind, TTWPatternFactory factory);
bool IsPatternClassRegistered(int kind);
// The registered factory of the kind, none when it has no class.
TTWPatternFactory PatternClassOf(int kind);
// Forgets every registered class (for a model reset).
void ClearPatternClasses();

// A new, empty pattern of the kind's class; none for a kind without a class.
std::unique_ptr<TTWPatternBase> CreatePatternOfType(int kind);

// Adds the top-level element named by the root tag ("TWData" when empty) with "Source",
// "Version" and an empty "Release", and returns it.
TILXMLNode* CreateTWDataRoot(TILXMLTree& tree, std::string_view rootTag = "TWData");

// The file version stored in "TWData/Version" of the element's document, 0 when absent or no
// number. The version is always written with a point; a comma is accepted in its place when
// the text has no point.
double ReadTWDataVersion(const TILXMLNode* element);
double VersionFromText(std::string_view text);

// The pattern (or font) held by the document: "TWData/Font" as a font, else the required
// "TWData/Pattern" as the kind its "Type" names. A type without a class raises "Unable to
// create pattern." naming the type.
std::unique_ptr<TTWPatternBase> CreatePatternFromXML(const TILXMLTree& tree);
// Reads the file and makes the pattern (or font) it holds. A file without pattern data or of
// a type without a class raises; so does a document or a pattern's data that cannot be read,
// the file named in the error (NameFileInError).
std::unique_ptr<TTWPatternBase> LoadAndCreatePattern(const std::string& fileName);
// "No pattern or font data found in this file." with the file's name on a line of its own.
std::string NoPatternDataMessage(const std::string& fileName);
// "Unable to create pattern.\r\nThe type <T> is unknown.", with the file's name on a line of
// its own when one is given (as every error of a file's content names it).
std::string UnknownPatternTypeText(std::string_view typeName, const std::string& fileName = {});

// Reports the state of one tool action to the main window: enabled, a second enable flag and
// pressed.
void NotifyMainForm(int actionId, bool enabled, bool enabled2, bool pressed);
