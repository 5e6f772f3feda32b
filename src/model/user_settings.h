#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "model/display_profile.h"
#include "model/palette.h"

class TILXMLNode;

// The name of the file that keeps the user's settings.
inline constexpr const char* SettingsFileName = "settings.xml";

// Whether the program may create files in the folder.
using FolderWritableCheck = std::function<bool(const std::filesystem::path& folder)>;
// Asks the system whether this process may write in the folder; a missing folder cannot be
// written. (Permission bits alone would say yes to anything for an administrator.)
bool IsFolderWritable(const std::filesystem::path& folder);

// The folder that holds the settings and palettes files: "tavelin" in the user's
// configuration folder ($XDG_CONFIG_HOME, or ~/.config when that is not set), which may not
// exist yet. A portable copy keeps them beside the program: the program's folder is used
// when it already holds a settings file and the program may write there. (A build folder
// is no place for them: deleting it would delete the user's palettes and profiles.)
std::filesystem::path SettingsFolder(const std::filesystem::path& programFolder,
                                     const FolderWritableCheck& isWritable = IsFolderWritable);
// The file to read a settings file from: the one in the settings folder when it exists there,
// else the one in the program's folder (an installation may ship one beside the program),
// else empty.
std::filesystem::path SettingsFileToRead(const std::filesystem::path& programFolder, std::string_view fileName,
                                         const FolderWritableCheck& isWritable = IsFolderWritable);

// The folder the file dialogs start in until the user has chosen one: the folder the program
// was started from, else the home folder, else the program's folder; with a trailing '/'.
// (The program's folder is the last choice: for a build it is deep inside the build tree.)
std::string StartFolder(const std::string& programFolder);

// How the notes window is shown.
enum class TTWNotesMode : std::uint8_t { Hidden = 0, Docked = 1, Floating = 2 };
// How a 3/1 broken twill changes colour.
enum class TTWColourInterchange : std::uint8_t { Turn = 0, Twist = 1 };
// The direction of a twill.
enum class TTWTwillDirection : std::uint8_t { S = 0, Z = 1 };

// The proportions of one grid cell.
struct TTWCellRatio {
    double Width;
    double Height;
};

// The proportions of a cell of the real image: its width and the heights of its centre and
// of its two ends.
struct TTWImageRatio {
    double Width = 3;
    double Centre = 0;
    double End = 5;
};

struct TTWSystemSettings {
    // Check the file-type registration at start.
    bool CheckTVLReg = true;
};

// The lines drawn every so many cells to help counting.
struct TTWGridHighlight {
    int X = 4;
    int Y = 4;
    TTWColour Colour = 0x0000FF;
    int Width = 1;
};

struct TTWGeneralSettings {
    TTWNotesMode ShowNotes = TTWNotesMode::Docked;
    // The background of the views: the button face system colour.
    TTWColour BackColour = 0x8000000F;
    // The marks of floats over 3, 4 and 5 or more picks.
    TTWColour LongFloat3Colour = 0x0000FF;
    TTWColour LongFloat4Colour = 0x00FFFF;
    TTWColour LongFloat5Colour = 0xFF00FF;
    TTWGridHighlight GridHighlight;
    // Use the default colours of the twining marks instead of the two below.
    bool TwineUseDefault = true;
    TTWColour STwineColour = 0x0000FF;
    TTWColour ZTwineColour = 0xFF0000;
    // Whether moving a selected area of a block design cuts it (else copies it).
    bool CutSelection = true;
};

// Where the snapshot panel of the block designers sits.
struct TTWSnapshotPanel {
    int Pos = 0;
    int Vert = 1;
    int Horz = 2;
};

struct TTWLayoutSettings {
    TTWSnapshotPanel SnapshotPanel;
};

struct TTWWeavingImageSettings {
    TTWColour GridColour = 0x808080;
    // The colour of the pick and card tags.
    TTWColour TagColour = 0x000000;
    int ShowTurnDir = 0;
};

// The default cell proportions of each view.
struct TTWImageSizeRatios {
    TTWImageRatio Image;
    TTWCellRatio DoubleFace{2, 4};
    TTWCellRatio Brocade{2, 2};
    TTWCellRatio Twill31{2, 6};
};

// The default orientation of each view.
struct TTWDefaultRotations {
    TTWOrientation Image = TTWOrientation::Vertical;
    TTWOrientation DoubleFace = TTWOrientation::Vertical;
    TTWOrientation Brocade = TTWOrientation::Vertical;
    TTWOrientation Twill31 = TTWOrientation::Vertical;
};

struct TTWDoubleFaceSettings {
    std::uint8_t DefaultThread = 2;
};

struct TTWBrokenTwillSettings {
    TTWColourInterchange ColourInterchange = TTWColourInterchange::Turn;
    // The background twill of new twill patterns.
    TTWTwillDirection DefaultTwill = TTWTwillDirection::S;
};

struct TTWBrocadeSettings {
    // Marks of brocade floats over 4, 6, 8 and 10 or more warp threads.
    bool ShowLongFloat4 = false;
    bool ShowLongFloat6 = false;
    bool ShowLongFloat8 = false;
    bool ShowLongFloat10 = false;
    TTWColour ColLongFloat4 = 0x00FFFF;
    TTWColour ColLongFloat6 = 0x40BAE0;
    TTWColour ColLongFloat8 = 0x0080FF;
    TTWColour ColLongFloat10 = 0x0000FF;
    std::uint8_t DefaultThread = 2;
};

struct TTWTwistPatternedSettings {
    TTWOrientation DefaultRotation = TTWOrientation::Vertical;
    TTWCellRatio Ratio{2, 3};
    bool UseTwist = false;
};

struct TTWPrinterSettings {
    // -1 for the default printer.
    int Index = -1;
    std::uint8_t PaperSize = 0;
    // Kept within MinFontSize..MaxFontSize when read.
    int FontSize = 10;

    static constexpr int MinFontSize = 6;
    static constexpr int MaxFontSize = 14;
};

// The last folders of the open and save dialogs and of the browser.
struct TTWDirectorySettings {
    std::string LastLoad;
    std::string LastSave;
    std::string LastBrowse;
};

// Every preference of the user. The program keeps one, made with the defaults at start-up,
// read from the settings file and written back when the program closes. The groups follow
// the groups of the file.
class TTWUserSettings : public fw::Persistent {
public:
    // All defaults; the three folders are the StartFolder.
    explicit TTWUserSettings(const std::filesystem::path& programFolder);

    std::string_view className() const override { return "TTWUserSettings"; }
    fw::Object* NewInstance() const override { return new TTWUserSettings(programFolder_); }
    // From other settings: every value and a copy of every profile.
    void Assign(const fw::Persistent* source) override;

    // The program's folder as a folder text, with a trailing '/'.
    const std::string& ProgramFolder() const { return programFolder_; }

    TTWSystemSettings System;
    TTWGeneralSettings General;
    TTWLayoutSettings Layout;
    TTWWeavingImageSettings WeavingImage;
    TTWImageSizeRatios ImageSizeRatios;
    TTWDefaultRotations DefaultRotations;
    TTWDoubleFaceSettings DoubleFace;
    TTWBrokenTwillSettings BrokenTwill;
    TTWBrocadeSettings Brocade;
    TTWTwistPatternedSettings TwistPatterned;
    TTWPrinterSettings Printer;
    // The notes of every new pattern, lines separated by CR LF.
    std::string DefaultNotes;
    TTWDirectorySettings Directories;

    TTWDesignProfileList& EditorProfiles() { return profiles_; }
    const TTWDesignProfileList& EditorProfiles() const { return profiles_; }

    // Reads the file when it exists; an empty name means the settings file where
    // SettingsFileToRead finds it. A missing file leaves the settings as they are and answers
    // false. A damaged file, or one without "TVL/UserSettings", leaves them as they are too,
    // but is moved aside (KeepDamagedFileAside) and raises the error that names it.
    bool LoadFromFile(const std::filesystem::path& fileName = {});
    // Writes the whole settings file, replacing it; an empty name means the settings file in
    // SettingsFolder, which is created when missing. A failure raises a TGenericException.
    void SaveToFile(const std::filesystem::path& fileName = {}) const;

    // Adds the element "UserSettings" to the parent and returns it.
    TILXMLNode* BuildXML(TILXMLNode* parent) const;
    // Reads the values from a "UserSettings" element. A missing element or attribute leaves
    // its value as it is; the reading rules of each key are in the implementation.
    void ExtractXML(const TILXMLNode* node);

private:
    std::string programFolder_;
    TTWDesignProfileList profiles_;
};
