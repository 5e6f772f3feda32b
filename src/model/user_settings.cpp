#include "model/user_settings.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

#include "foundation/generic_exception.h"
#include "foundation/string_utils.h"
#include "foundation/xml_node.h"
#include "foundation/xml_text.h"
#include "framework/core/files.h"
#include "framework/core/strings.h"
#include "model/damaged_file.h"
#include "model/pattern_base.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* RootTag = "TVL";
constexpr const char* SettingsTag = "UserSettings";
constexpr const char* ProfilesTag = "EditorProfiles";
constexpr const char* NotesTag = "DefaultNotes";
constexpr const char* ConfigSubfolder = "tavelin";

// "31Twill" is no valid XML name, yet it is a tag of the settings file; with the name check
// on the program would refuse to write or read its own file.
class XMLNameCheckSuspended {
public:
    XMLNameCheckSuspended() : wasOn_(XMLNameCheck()) { SetXMLNameCheck(false); }
    ~XMLNameCheckSuspended() { SetXMLNameCheck(wasOn_); }
    XMLNameCheckSuspended(const XMLNameCheckSuspended&) = delete;
    XMLNameCheckSuspended& operator=(const XMLNameCheckSuspended&) = delete;

private:
    bool wasOn_;
};

// ---- writing ----

void AddBool(TILXMLNode* group, std::string_view key, bool value)
{
    group->AddChildValue(key, YesNoText(value));
}

void AddInt(TILXMLNode* group, std::string_view key, int value)
{
    group->AddChildValue(key, fw::IntToStr(value));
}

void AddColour(TILXMLNode* group, std::string_view key, TTWColour colour)
{
    group->AddChildValue(key, ColourToText(colour));
}

void AddRatio(TILXMLNode* group, std::string_view key, double ratio)
{
    group->AddChildValue(key, fw::FloatToStr(ratio));
}

void AddCellRatio(TILXMLNode* group, std::string_view key, const TTWCellRatio& ratio)
{
    TILXMLNode* element = group->AddChild(key);
    AddRatio(element, "Width", ratio.Width);
    AddRatio(element, "Height", ratio.Height);
}

const char* NotesModeText(TTWNotesMode mode)
{
    switch (mode) {
    case TTWNotesMode::Docked:
        return "Docked";
    case TTWNotesMode::Floating:
        return "Floating";
    default:
        return "Hidden";
    }
}

// ---- reading ----

using OptionalText = std::optional<std::string>;

const TILXMLNode* Child(const TILXMLNode* node, std::string_view tag)
{
    return node != nullptr ? node->FindChild(tag) : nullptr;
}

OptionalText KeyText(const TILXMLNode* group, std::string_view key)
{
    if (const TILXMLNode* element = Child(group, key)) {
        return std::string(element->Value());
    }
    return std::nullopt;
}

OptionalText AttributeText(const TILXMLNode* element, std::string_view name)
{
    if (element != nullptr) {
        for (int i = 0; i < element->AttributeCount(); ++i) {
            if (element->Attribute(i).Name == name) {
                return std::string(element->Attribute(i).Value);
            }
        }
    }
    return std::nullopt;
}

void ReadBool(const OptionalText& text, bool& field)
{
    if (text) {
        field = StrToBoolText(*text);
    }
}

// Integers and colours that are no number read as the key's default: the settings are read
// once, into a fresh object, so that is what the key would hold anyway.
void ReadInt(const OptionalText& text, int& field, int fallback)
{
    if (text) {
        field = fw::StrToIntDef(*text, fallback);
    }
}

// A number that does not fit the byte is as wrong as one that is no number.
void ReadByte(const OptionalText& text, std::uint8_t& field, std::uint8_t fallback)
{
    if (text) {
        const int value = fw::StrToIntDef(*text, fallback);
        field = value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : fallback;
    }
}

// Colours are written signed; a system colour written unsigned is accepted as well.
void ReadColour(const OptionalText& text, TTWColour& field, TTWColour fallback)
{
    if (!text) {
        return;
    }
    std::int64_t value = 0;
    if (fw::TryStrToInt64(*text, value) && value >= INT32_MIN && value <= static_cast<std::int64_t>(UINT32_MAX)) {
        field = static_cast<TTWColour>(static_cast<std::uint32_t>(value));
    } else {
        field = fallback;
    }
}

// A ratio is taken only when above 0 (or, where zeroAllowed, at 0): a missing element or a
// text that is no number never replaces the present value.
void ReadRatio(const OptionalText& text, double& field, bool zeroAllowed = false)
{
    if (!text) {
        return;
    }
    const double value = SafeStrToFloat(*text);
    if (value > 0 || (zeroAllowed && value == 0)) {
        field = value;
    }
}

void ReadCellRatio(const TILXMLNode* group, std::string_view key, TTWCellRatio& ratio)
{
    const TILXMLNode* element = Child(group, key);
    ReadRatio(KeyText(element, "Width"), ratio.Width);
    ReadRatio(KeyText(element, "Height"), ratio.Height);
}

void ReadRotation(const OptionalText& text, TTWOrientation& field)
{
    if (!text) {
        return;
    }
    if (fw::SameText(*text, "Vertical")) {
        field = TTWOrientation::Vertical;
    } else if (fw::SameText(*text, "Horizontal")) {
        field = TTWOrientation::Horizontal;
    }
}

TTWNotesMode NotesModeFromText(const OptionalText& text)
{
    if (text && fw::SameText(*text, "Hidden")) {
        return TTWNotesMode::Hidden;
    }
    if (text && fw::SameText(*text, "Floating")) {
        return TTWNotesMode::Floating;
    }
    return TTWNotesMode::Docked;
}

} // namespace

// ---- where the settings live ----

std::string StartFolder(const std::string& programFolder)
{
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (!error && fs::is_directory(current, error)) {
        return fw::IncludeTrailingPathDelimiter(current.generic_string());
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && fw::DirectoryExists(home)) {
        return fw::IncludeTrailingPathDelimiter(home);
    }
    return programFolder;
}

bool IsFolderWritable(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

fs::path SettingsFolder(const fs::path& programFolder, const FolderWritableCheck& isWritable)
{
    if (!programFolder.empty() && fw::FileExists((programFolder / SettingsFileName).string())
        && isWritable(programFolder)) {
        return programFolder;
    }
    // Only an absolute configuration folder counts; a relative one would depend on where the
    // program happened to be started.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && fs::path(config).is_absolute()) {
        return fs::path(config) / ConfigSubfolder;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".config" / ConfigSubfolder;
    }
    // Nowhere better to go: saving will report that the folder cannot be written.
    return programFolder;
}

fs::path SettingsFileToRead(const fs::path& programFolder, std::string_view fileName,
                            const FolderWritableCheck& isWritable)
{
    const fs::path preferred = SettingsFolder(programFolder, isWritable) / fileName;
    if (fw::FileExists(preferred.string())) {
        return preferred;
    }
    const fs::path beside = programFolder / fileName;
    if (!programFolder.empty() && fw::FileExists(beside.string())) {
        return beside;
    }
    return {};
}

// ---- the settings ----

TTWUserSettings::TTWUserSettings(const fs::path& programFolder)
    : programFolder_(programFolder.empty() ? std::string()
                                           : fw::IncludeTrailingPathDelimiter(programFolder.generic_string()))
{
    const std::string start = StartFolder(programFolder_);
    Directories.LastLoad = start;
    Directories.LastSave = start;
    Directories.LastBrowse = start;
}

void TTWUserSettings::Assign(const fw::Persistent* source)
{
    auto* settings = dynamic_cast<const TTWUserSettings*>(source);
    if (settings == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (settings == this) {
        return;
    }
    programFolder_ = settings->programFolder_;
    System = settings->System;
    General = settings->General;
    Layout = settings->Layout;
    WeavingImage = settings->WeavingImage;
    ImageSizeRatios = settings->ImageSizeRatios;
    DefaultRotations = settings->DefaultRotations;
    DoubleFace = settings->DoubleFace;
    BrokenTwill = settings->BrokenTwill;
    Brocade = settings->Brocade;
    TwistPatterned = settings->TwistPatterned;
    Printer = settings->Printer;
    DefaultNotes = settings->DefaultNotes;
    Directories = settings->Directories;
    profiles_.Assign(settings->profiles_);
}

bool TTWUserSettings::LoadFromFile(const fs::path& fileName)
{
    const fs::path source = fileName.empty() ? SettingsFileToRead(programFolder_, SettingsFileName) : fileName;
    if (source.empty() || !fw::FileExists(source.string())) {
        return false;
    }
    // Read into a copy, so that a file that fails part way leaves these settings whole.
    TTWUserSettings read(programFolder_);
    read.Assign(this);
    try {
        XMLNameCheckSuspended ownTags;
        TILXMLTree tree;
        tree.LoadFromFile(source);
        read.ExtractXML(tree.FindTag(std::string(RootTag) + "/" + SettingsTag, true));
    } catch (const std::exception& error) {
        RaiseDamagedFile("settings", "the default settings are", source, error, this, "LoadFromFile");
    }
    Assign(&read);
    return true;
}

void TTWUserSettings::SaveToFile(const fs::path& fileName) const
{
    fs::path target = fileName;
    try {
        if (target.empty()) {
            const fs::path folder = SettingsFolder(programFolder_);
            // The user's configuration folder may not exist yet; if it cannot be made, the
            // write below says why.
            fw::ForceDirectories(folder.string());
            target = folder / SettingsFileName;
        }
        XMLNameCheckSuspended ownTags;
        TILXMLTree tree;
        // The same envelope as a pattern file, under a root of its own.
        BuildXML(CreateTWDataRoot(tree, RootTag));
        tree.SaveToFile(target);
    } catch (const std::exception& error) {
        throw TGenericException::CreateFromSender("Unable to save the settings.\r\nFilename: " + target.string(),
                                                  &error, this, "SaveToFile");
    }
}

TILXMLNode* TTWUserSettings::BuildXML(TILXMLNode* parent) const
{
    XMLNameCheckSuspended ownTags;
    TILXMLNode* settings = parent->AddChild(SettingsTag);

    AddBool(settings->AddChild("System"), "CheckTVLReg", System.CheckTVLReg);

    TILXMLNode* general = settings->AddChild("General");
    general->AddChildValue("ShowNotes", NotesModeText(General.ShowNotes));
    AddColour(general, "BackColour", General.BackColour);
    AddColour(general, "LongFloat3Colour", General.LongFloat3Colour);
    AddColour(general, "LongFloat4Colour", General.LongFloat4Colour);
    AddColour(general, "LongFloat5Colour", General.LongFloat5Colour);
    TILXMLNode* highlight = general->AddChild("GridHighlight");
    highlight->AddAttribute("X", fw::IntToStr(General.GridHighlight.X));
    highlight->AddAttribute("Y", fw::IntToStr(General.GridHighlight.Y));
    highlight->AddAttribute("Colour", ColourToText(General.GridHighlight.Colour));
    highlight->AddAttribute("Width", fw::IntToStr(General.GridHighlight.Width));
    TILXMLNode* twine = general->AddChild("TwineColour");
    twine->AddAttribute("UseDefault", YesNoText(General.TwineUseDefault));
    AddColour(twine, "STwine", General.STwineColour);
    AddColour(twine, "ZTwine", General.ZTwineColour);
    AddBool(general, "CutSelection", General.CutSelection);

    TILXMLNode* snapshot = settings->AddChild("Layout")->AddChild("SnapshotPanel");
    snapshot->AddAttribute("Pos", fw::IntToStr(Layout.SnapshotPanel.Pos));
    snapshot->AddAttribute("Vert", fw::IntToStr(Layout.SnapshotPanel.Vert));
    snapshot->AddAttribute("Horz", fw::IntToStr(Layout.SnapshotPanel.Horz));

    TILXMLNode* ratios = settings->AddChild("ImageSizeRatios");
    TILXMLNode* image = ratios->AddChild("Image");
    AddRatio(image, "Width", ImageSizeRatios.Image.Width);
    AddRatio(image, "Centre", ImageSizeRatios.Image.Centre);
    AddRatio(image, "End", ImageSizeRatios.Image.End);
    AddCellRatio(ratios, "DoubleFace", ImageSizeRatios.DoubleFace);
    AddCellRatio(ratios, "Brocade", ImageSizeRatios.Brocade);
    AddCellRatio(ratios, "31Twill", ImageSizeRatios.Twill31);

    TILXMLNode* rotations = settings->AddChild("DefaultRotations");
    rotations->AddChildValue("Image", OrientationText(DefaultRotations.Image));
    rotations->AddChildValue("DoubleFace", OrientationText(DefaultRotations.DoubleFace));
    rotations->AddChildValue("Brocade", OrientationText(DefaultRotations.Brocade));
    rotations->AddChildValue("31Twill", OrientationText(DefaultRotations.Twill31));

    AddInt(settings->AddChild("DoubleFace"), "DefaultThread", DoubleFace.DefaultThread);

    TILXMLNode* twill = settings->AddChild("BrokenTwill");
    twill->AddChildValue("ColourInterchange",
                         BrokenTwill.ColourInterchange == TTWColourInterchange::Turn ? "Turn" : "Twist");
    twill->AddChildValue("DefaultTwill", BrokenTwill.DefaultTwill == TTWTwillDirection::Z ? "Z" : "S");

    TILXMLNode* weavingImage = settings->AddChild("WeavingImage");
    AddColour(weavingImage, "GridColour", WeavingImage.GridColour);
    AddColour(weavingImage, "TagColour", WeavingImage.TagColour);
    AddInt(weavingImage, "ShowTurnDir", WeavingImage.ShowTurnDir);

    TILXMLNode* brocade = settings->AddChild("Brocade");
    AddBool(brocade, "ShowLongFloat4", Brocade.ShowLongFloat4);
    AddBool(brocade, "ShowLongFloat6", Brocade.ShowLongFloat6);
    AddBool(brocade, "ShowLongFloat8", Brocade.ShowLongFloat8);
    AddBool(brocade, "ShowLongFloat10", Brocade.ShowLongFloat10);
    AddColour(brocade, "ColLongFloat4", Brocade.ColLongFloat4);
    AddColour(brocade, "ColLongFloat6", Brocade.ColLongFloat6);
    AddColour(brocade, "ColLongFloat8", Brocade.ColLongFloat8);
    AddColour(brocade, "ColLongFloat10", Brocade.ColLongFloat10);
    AddInt(brocade, "DefaultThread", Brocade.DefaultThread);

    TILXMLNode* twist = settings->AddChild("TwistPatterned");
    twist->AddChildValue("DefaultRotation", OrientationText(TwistPatterned.DefaultRotation));
    AddRatio(twist, "Width", TwistPatterned.Ratio.Width);
    AddRatio(twist, "Height", TwistPatterned.Ratio.Height);
    AddBool(twist, "UseTwist", TwistPatterned.UseTwist);

    profiles_.BuildXML(settings, ProfilesTag);

    TILXMLNode* printer = settings->AddChild("Printer");
    AddInt(printer, "Index", Printer.Index);
    AddInt(printer, "PaperSize", Printer.PaperSize);
    AddInt(printer, "FontSize", Printer.FontSize);

    settings->WriteTextLines(NotesTag, DefaultNotes, "L");

    TILXMLNode* directories = settings->AddChild("Directories");
    directories->AddChildText("LastLoad", Directories.LastLoad);
    directories->AddChildText("LastSave", Directories.LastSave);
    directories->AddChildText("LastBrowse", Directories.LastBrowse);
    return settings;
}

void TTWUserSettings::ExtractXML(const TILXMLNode* node)
{
    if (node == nullptr) {
        return;
    }

    const OptionalText checkRegistration = KeyText(Child(node, "System"), "CheckTVLReg");
    System.CheckTVLReg = checkRegistration ? StrToBoolText(*checkRegistration) : true;

    const TTWGeneralSettings generalDefaults;
    const TILXMLNode* general = Child(node, "General");
    General.ShowNotes = NotesModeFromText(KeyText(general, "ShowNotes"));
    ReadColour(KeyText(general, "BackColour"), General.BackColour, generalDefaults.BackColour);
    ReadColour(KeyText(general, "LongFloat3Colour"), General.LongFloat3Colour, generalDefaults.LongFloat3Colour);
    ReadColour(KeyText(general, "LongFloat4Colour"), General.LongFloat4Colour, generalDefaults.LongFloat4Colour);
    ReadColour(KeyText(general, "LongFloat5Colour"), General.LongFloat5Colour, generalDefaults.LongFloat5Colour);
    const TILXMLNode* highlight = Child(general, "GridHighlight");
    TTWGridHighlight& grid = General.GridHighlight;
    ReadInt(AttributeText(highlight, "X"), grid.X, generalDefaults.GridHighlight.X);
    ReadInt(AttributeText(highlight, "Y"), grid.Y, generalDefaults.GridHighlight.Y);
    ReadColour(AttributeText(highlight, "Colour"), grid.Colour, generalDefaults.GridHighlight.Colour);
    ReadInt(AttributeText(highlight, "Width"), grid.Width, generalDefaults.GridHighlight.Width);
    const TILXMLNode* twine = Child(general, "TwineColour");
    ReadBool(AttributeText(twine, "UseDefault"), General.TwineUseDefault);
    ReadColour(KeyText(twine, "STwine"), General.STwineColour, generalDefaults.STwineColour);
    ReadColour(KeyText(twine, "ZTwine"), General.ZTwineColour, generalDefaults.ZTwineColour);
    ReadBool(KeyText(general, "CutSelection"), General.CutSelection);

    const TTWSnapshotPanel snapshotDefaults;
    const TILXMLNode* snapshot = Child(Child(node, "Layout"), "SnapshotPanel");
    ReadInt(AttributeText(snapshot, "Pos"), Layout.SnapshotPanel.Pos, snapshotDefaults.Pos);
    ReadInt(AttributeText(snapshot, "Vert"), Layout.SnapshotPanel.Vert, snapshotDefaults.Vert);
    ReadInt(AttributeText(snapshot, "Horz"), Layout.SnapshotPanel.Horz, snapshotDefaults.Horz);

    const TTWWeavingImageSettings imageDefaults;
    const TILXMLNode* weavingImage = Child(node, "WeavingImage");
    ReadColour(KeyText(weavingImage, "GridColour"), WeavingImage.GridColour, imageDefaults.GridColour);
    ReadColour(KeyText(weavingImage, "TagColour"), WeavingImage.TagColour, imageDefaults.TagColour);
    ReadInt(KeyText(weavingImage, "ShowTurnDir"), WeavingImage.ShowTurnDir, imageDefaults.ShowTurnDir);

    const TILXMLNode* ratios = Child(node, "ImageSizeRatios");
    const TILXMLNode* image = Child(ratios, "Image");
    ReadRatio(KeyText(image, "Width"), ImageSizeRatios.Image.Width);
    // A real image may show cells without a centre part.
    ReadRatio(KeyText(image, "Centre"), ImageSizeRatios.Image.Centre, true);
    ReadRatio(KeyText(image, "End"), ImageSizeRatios.Image.End);
    ReadCellRatio(ratios, "DoubleFace", ImageSizeRatios.DoubleFace);
    ReadCellRatio(ratios, "Brocade", ImageSizeRatios.Brocade);
    ReadCellRatio(ratios, "31Twill", ImageSizeRatios.Twill31);

    const TILXMLNode* rotations = Child(node, "DefaultRotations");
    ReadRotation(KeyText(rotations, "Image"), DefaultRotations.Image);
    ReadRotation(KeyText(rotations, "DoubleFace"), DefaultRotations.DoubleFace);
    ReadRotation(KeyText(rotations, "Brocade"), DefaultRotations.Brocade);
    ReadRotation(KeyText(rotations, "31Twill"), DefaultRotations.Twill31);

    ReadByte(KeyText(Child(node, "DoubleFace"), "DefaultThread"), DoubleFace.DefaultThread,
             TTWDoubleFaceSettings().DefaultThread);

    const TILXMLNode* twill = Child(node, "BrokenTwill");
    if (const OptionalText interchange = KeyText(twill, "ColourInterchange")) {
        BrokenTwill.ColourInterchange =
            fw::SameText(*interchange, "Turn") ? TTWColourInterchange::Turn : TTWColourInterchange::Twist;
    }
    if (const OptionalText direction = KeyText(twill, "DefaultTwill")) {
        BrokenTwill.DefaultTwill = *direction == "Z" ? TTWTwillDirection::Z : TTWTwillDirection::S;
    }

    const TTWBrocadeSettings brocadeDefaults;
    const TILXMLNode* brocade = Child(node, "Brocade");
    ReadBool(KeyText(brocade, "ShowLongFloat4"), Brocade.ShowLongFloat4);
    ReadBool(KeyText(brocade, "ShowLongFloat6"), Brocade.ShowLongFloat6);
    ReadBool(KeyText(brocade, "ShowLongFloat8"), Brocade.ShowLongFloat8);
    ReadBool(KeyText(brocade, "ShowLongFloat10"), Brocade.ShowLongFloat10);
    ReadColour(KeyText(brocade, "ColLongFloat4"), Brocade.ColLongFloat4, brocadeDefaults.ColLongFloat4);
    ReadColour(KeyText(brocade, "ColLongFloat6"), Brocade.ColLongFloat6, brocadeDefaults.ColLongFloat6);
    ReadColour(KeyText(brocade, "ColLongFloat8"), Brocade.ColLongFloat8, brocadeDefaults.ColLongFloat8);
    ReadColour(KeyText(brocade, "ColLongFloat10"), Brocade.ColLongFloat10, brocadeDefaults.ColLongFloat10);
    ReadByte(KeyText(brocade, "DefaultThread"), Brocade.DefaultThread, brocadeDefaults.DefaultThread);

    const TILXMLNode* twist = Child(node, "TwistPatterned");
    ReadRotation(KeyText(twist, "DefaultRotation"), TwistPatterned.DefaultRotation);
    ReadRatio(KeyText(twist, "Width"), TwistPatterned.Ratio.Width);
    ReadRatio(KeyText(twist, "Height"), TwistPatterned.Ratio.Height);
    ReadBool(KeyText(twist, "UseTwist"), TwistPatterned.UseTwist);

    if (const TILXMLNode* profiles = Child(node, ProfilesTag)) {
        profiles_.ExtractXML(profiles);
    }

    const TTWPrinterSettings printerDefaults;
    const TILXMLNode* printer = Child(node, "Printer");
    ReadInt(KeyText(printer, "Index"), Printer.Index, printerDefaults.Index);
    ReadByte(KeyText(printer, "PaperSize"), Printer.PaperSize, printerDefaults.PaperSize);
    const OptionalText fontSize = KeyText(printer, "FontSize");
    Printer.FontSize = fontSize ? fw::StrToIntDef(*fontSize, 0) : printerDefaults.FontSize;
    Printer.FontSize = std::clamp(Printer.FontSize, TTWPrinterSettings::MinFontSize, TTWPrinterSettings::MaxFontSize);

    if (const TILXMLNode* notes = Child(node, NotesTag)) {
        DefaultNotes = notes->ReadTextLines("", "L");
    }

    const TILXMLNode* directories = Child(node, "Directories");
    for (auto [key, folder] : {std::pair{"LastLoad", &Directories.LastLoad},
                               std::pair{"LastSave", &Directories.LastSave},
                               std::pair{"LastBrowse", &Directories.LastBrowse}}) {
        if (const OptionalText text = KeyText(directories, key)) {
            *folder = DecodeCDataText(*text);
        }
        // A folder deleted since the last run would leave the dialogs nowhere to start.
        if (!fw::DirectoryExists(*folder)) {
            *folder = StartFolder(programFolder_);
        }
    }
}
