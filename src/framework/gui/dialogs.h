#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/canvas.h"
#include "framework/core/object.h"
#include "framework/core/system_colours.h"
#include "framework/gui/enum_set.h"

// Every dialog that waits for the user goes through a replaceable handler: the program
// installs the Qt dialogs at start-up (InstallQtDialogs), tests install handlers that
// check what was asked and answer as a user would. Without a handler a dialog answers as if
// the user had cancelled it at once.

namespace fw {

// --- Modal results -----------------------------------------------------------------------
// What a modal form or message box ended with; the button a message box's user pressed.
using ModalResult = int;
inline constexpr ModalResult mrNone = 0;
inline constexpr ModalResult mrOk = 1;
inline constexpr ModalResult mrCancel = 2;
inline constexpr ModalResult mrAbort = 3;
inline constexpr ModalResult mrRetry = 4;
inline constexpr ModalResult mrIgnore = 5;
inline constexpr ModalResult mrYes = 6;
inline constexpr ModalResult mrNo = 7;
inline constexpr ModalResult mrAll = 8;
inline constexpr ModalResult mrNoToAll = 9;
inline constexpr ModalResult mrYesToAll = 10;

// Installs a handler for the life of a scope and puts the previous one back; for any seam
// whose setter answers the previous handler:
//     ScopedHandler script(&OpenDialog::SetHandler, [&](FileDialog& d) { ...; return true; });
template <class Handler>
class ScopedHandler {
public:
    using Setter = Handler (*)(Handler);
    ScopedHandler(Setter setter, std::type_identity_t<Handler> handler)
        : setter_(setter), previous_(setter(std::move(handler)))
    {
    }
    ~ScopedHandler() { setter_(std::move(previous_)); }
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

private:
    Setter setter_;
    Handler previous_;
};

// --- Message boxes -------------------------------------------------------------------------

enum class MsgDlgBtn { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };
using MsgDlgButtons = EnumSet<MsgDlgBtn>;
// The kind of a message dialog: its caption and icon.
enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// The platform's message-box button sets and icons.
enum class MessageBoxButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageBoxIcon { None, Stop, Question, Warning, Information };

// The result a button gives (mrNone for Help, which closes nothing).
ModalResult ModalResultOf(MsgDlgBtn button);
MsgDlgButtons ButtonsOf(MessageBoxButtons buttons);

// One message box as asked; what a handler sees and a test asserts.
struct MessageBoxRequest {
    std::string Text;
    std::string Caption;
    // Shown in this order: Yes, No, OK, Cancel, Abort, Retry, Ignore, All, No to all,
    // Yes to all, Help.
    MsgDlgButtons Buttons;
    MessageBoxIcon Icon = MessageBoxIcon::None;
    // Pressed by Enter.
    MsgDlgBtn DefaultButton = MsgDlgBtn::OK;
    // What Esc or closing the box answers.
    MsgDlgBtn CancelButton = MsgDlgBtn::Cancel;
};

// Answers the modal result of the button pressed.
using MessageBoxHandler = std::function<ModalResult(const MessageBoxRequest& request)>;
// Answers the previous handler; none restores the default (the cancel button's result).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The platform's message box: the first button is the default one; Esc gives Cancel, or No
// (or OK) for a box without Cancel. An empty caption becomes the application's title.
ModalResult MessageBox(const std::string& text, const std::string& caption,
                       MessageBoxButtons buttons = MessageBoxButtons::OK, MessageBoxIcon icon = MessageBoxIcon::None);
// A message dialog of a kind: captioned "Warning", "Error", "Information", "Confirm" (the
// application's title for Custom) with the kind's icon; OK is the default button when
// offered, else Yes; Cancel the cancel button when offered, else No, else OK.
ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons);
// An information box with OK, captioned with the application's title.
void ShowMessage(const std::string& text);

// --- Input box -----------------------------------------------------------------------------

struct InputQueryRequest {
    std::string Caption;
    std::string Prompt;
    // The text the edit starts with.
    std::string Value;
};
// Sets value and answers true for OK; answers false for Cancel.
using InputQueryHandler = std::function<bool(const InputQueryRequest& request, std::string& value)>;
InputQueryHandler SetInputQueryHandler(InputQueryHandler handler);

// Asks for a line of text; value keeps what it had on Cancel.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The text entered, or defaultValue on Cancel.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue);

// --- File dialogs ---------------------------------------------------------------------------

enum class FileDialogOption {
    ReadOnly,
    OverwritePrompt,
    HideReadOnly,
    NoChangeDir,
    ShowHelp,
    NoValidate,
    AllowMultiSelect,
    ExtensionDifferent,
    PathMustExist,
    FileMustExist,
    CreatePrompt,
    ShareAware,
    NoReadOnlyReturn,
    NoTestFileCreate,
    NoNetworkButton,
    NoLongNames,
    OldStyleDialog,
    NoDereferenceLinks,
    EnableIncludeNotify,
    EnableSizing,
    DontAddToRecent,
    ForceShowHidden,
};
using FileDialogOptions = EnumSet<FileDialogOption>;

enum class FileDialogKind { Open, Save, OpenPicture, SavePicture };

// One entry of a filter: "Patterns (*.tvl)|*.tvl;*.tvf" gives the description and the
// patterns "*.tvl" and "*.tvf".
struct FileFilter {
    std::string Description;
    std::vector<std::string> Patterns;
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};
// Splits "description|patterns|description|patterns..." (patterns separated by ';', blanks
// around them dropped); a last description without patterns is left out.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

// The common part of the open and save dialogs: what is asked (Title, Filter, FilterIndex,
// DefaultExt, InitialDir, FileName, Options) and, after Execute answered true, what was
// chosen (FileName, Files, FilterIndex).
class FileDialog : public Component {
public:
    using Handler = std::function<bool(FileDialog& dialog)>;
    // One handler serves every kind of file dialog; it reads Kind().
    static Handler SetHandler(Handler handler);

    std::string_view className() const override { return "TOpenDialog"; }
    FileDialogKind Kind() const { return kind_; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // "description|patterns|..." as ParseFileFilter reads it.
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    // 1-based; 0 means the first.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    // The extension, without the dot, a name typed without one gets.
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(std::string extension);
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(std::string folder) { initialDir_ = std::move(folder); }
    // Going in, the name to propose (a mask such as "*.tvl" proposes none); coming back,
    // the path chosen (the first with several).
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    // Every path chosen, for AllowMultiSelect.
    const std::vector<std::string>& Files() const { return files_; }
    void SetFiles(std::vector<std::string> files);
    FileDialogOptions Options() const { return options_; }
    void SetOptions(FileDialogOptions options) { options_ = options; }

    // Runs the dialog through the handler; true when the user chose a file.
    bool Execute();

    // For the implementations of the handler.
    // The filter entries and the one FilterIndex selects (0 and out-of-range mean the first);
    // none without a filter.
    std::vector<FileFilter> Filters() const { return ParseFileFilter(filter_); }
    const FileFilter* SelectedFilter(const std::vector<FileFilter>& filters) const
    {
        return FilterAt(filters, filterIndex_);
    }
    static const FileFilter* FilterAt(const std::vector<FileFilter>& filters, int filterIndex);
    // A name typed without an extension gets the selected filter's, when that filter has a
    // single pattern "*.ext", else DefaultExt; names with an extension stay as they are.
    std::string WithDefaultExtension(const std::string& name) const;
    // The extension (without the dot) such a name gets with filter `filterIndex` selected;
    // "" for none.
    std::string ExtensionToAdd(int filterIndex) const;
    // Whether FileName is a mask ('*' or '?') rather than a name to propose.
    bool FileNameIsMask() const;

protected:
    FileDialog(Component* owner, FileDialogKind kind) : Component(owner), kind_(kind) {}

private:
    FileDialogKind kind_;
    std::string title_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
    std::vector<std::string> files_;
    FileDialogOptions options_{FileDialogOption::HideReadOnly, FileDialogOption::EnableSizing};
};

class OpenDialog : public FileDialog {
public:
    explicit OpenDialog(Component* owner = nullptr) : FileDialog(owner, FileDialogKind::Open) {}
    std::string_view className() const override { return "TOpenDialog"; }

protected:
    OpenDialog(Component* owner, FileDialogKind kind) : FileDialog(owner, kind) {}
};

class SaveDialog : public FileDialog {
public:
    explicit SaveDialog(Component* owner = nullptr) : FileDialog(owner, FileDialogKind::Save) {}
    std::string_view className() const override { return "TSaveDialog"; }

protected:
    SaveDialog(Component* owner, FileDialogKind kind) : FileDialog(owner, kind) {}
};

// The picture files the program reads and writes.
inline constexpr std::string_view PictureFileFilter =
    "All (*.bmp;*.jpg;*.jpeg)|*.bmp;*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg";

// Open and save dialogs for pictures: the picture filter unless another is set. (The
// preview panel of the platform's picture dialogs is not offered.)
class OpenPictureDialog : public OpenDialog {
public:
    explicit OpenPictureDialog(Component* owner = nullptr);
    std::string_view className() const override { return "TOpenPictureDialog"; }
};

class SavePictureDialog : public SaveDialog {
public:
    explicit SavePictureDialog(Component* owner = nullptr);
    std::string_view className() const override { return "TSavePictureDialog"; }
};

// --- Colour, font, folder and printer dialogs -------------------------------------------------

class ColorDialog : public Component {
public:
    using Handler = std::function<bool(ColorDialog& dialog)>;
    static Handler SetHandler(Handler handler);

    explicit ColorDialog(Component* owner = nullptr) : Component(owner) {}
    std::string_view className() const override { return "TColorDialog"; }

    // In and out; a system colour stays one unless the user picks another.
    fw::Color Color() const { return color_; }
    void SetColor(fw::Color colour) { color_ = colour; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    bool Execute();

private:
    fw::Color color_ = clBlack;
    std::string title_;
};

class FontDialog : public Component {
public:
    using Handler = std::function<bool(FontDialog& dialog)>;
    static Handler SetHandler(Handler handler);

    explicit FontDialog(Component* owner = nullptr) : Component(owner) {}
    std::string_view className() const override { return "TFontDialog"; }

    // In and out: name, size, styles and colour.
    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font) { font_ = font; }

    bool Execute();

private:
    fw::Font font_;
};

class FolderDialog : public Component {
public:
    using Handler = std::function<bool(FolderDialog& dialog)>;
    static Handler SetHandler(Handler handler);

    explicit FolderDialog(Component* owner = nullptr) : Component(owner) {}
    std::string_view className() const override { return "TFolderDialog"; }

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // The folder above which the user cannot go; empty for the whole file system.
    const std::string& Root() const { return root_; }
    void SetRoot(std::string root) { root_ = std::move(root); }
    // In: the folder to start in; out: the folder chosen.
    const std::string& Folder() const { return folder_; }
    void SetFolder(std::string folder) { folder_ = std::move(folder); }

    bool Execute();

private:
    std::string title_;
    std::string root_;
    std::string folder_;
};

// Asks for a folder, starting at folder (which takes the choice on OK).
bool SelectDirectory(const std::string& caption, const std::string& root, std::string& folder);

// A place holder until printing exists: the handler decides; without one the dialog
// answers false, as a cancelled one.
class PrinterSetupDialog : public Component {
public:
    using Handler = std::function<bool(PrinterSetupDialog& dialog)>;
    static Handler SetHandler(Handler handler);

    explicit PrinterSetupDialog(Component* owner = nullptr) : Component(owner) {}
    std::string_view className() const override { return "TPrinterSetupDialog"; }

    bool Execute();
};

} // namespace fw
