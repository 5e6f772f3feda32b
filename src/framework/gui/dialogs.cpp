#include "framework/gui/dialogs.h"

#include <algorithm>

#include "framework/core/files.h"
#include "framework/gui/application.h"

namespace fw {

namespace {

// The handlers live here, one of each kind for the program.
template <class Handler>
Handler& Slot()
{
    static Handler handler;
    return handler;
}

template <class Handler>
Handler Exchange(Handler handler)
{
    return std::exchange(Slot<Handler>(), std::move(handler));
}

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string_view> SplitAt(std::string_view text, char delimiter)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

ModalResult ModalResultOf(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return mrYes;
    case MsgDlgBtn::No: return mrNo;
    case MsgDlgBtn::OK: return mrOk;
    case MsgDlgBtn::Cancel: return mrCancel;
    case MsgDlgBtn::Abort: return mrAbort;
    case MsgDlgBtn::Retry: return mrRetry;
    case MsgDlgBtn::Ignore: return mrIgnore;
    case MsgDlgBtn::All: return mrAll;
    case MsgDlgBtn::NoToAll: return mrNoToAll;
    case MsgDlgBtn::YesToAll: return mrYesToAll;
    case MsgDlgBtn::Help: return mrNone;
    }
    return mrNone;
}

MsgDlgButtons ButtonsOf(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::OK: return {MsgDlgBtn::OK};
    case MessageBoxButtons::OKCancel: return {MsgDlgBtn::OK, MsgDlgBtn::Cancel};
    case MessageBoxButtons::AbortRetryIgnore: return {MsgDlgBtn::Abort, MsgDlgBtn::Retry, MsgDlgBtn::Ignore};
    case MessageBoxButtons::YesNoCancel: return {MsgDlgBtn::Yes, MsgDlgBtn::No, MsgDlgBtn::Cancel};
    case MessageBoxButtons::YesNo: return {MsgDlgBtn::Yes, MsgDlgBtn::No};
    case MessageBoxButtons::RetryCancel: return {MsgDlgBtn::Retry, MsgDlgBtn::Cancel};
    }
    return {MsgDlgBtn::OK};
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return Exchange(std::move(handler));
}

namespace {

ModalResult RunMessageBox(const MessageBoxRequest& request)
{
    const MessageBoxHandler handler = Slot<MessageBoxHandler>();
    if (!handler) {
        return ModalResultOf(request.CancelButton);
    }
    return handler(request);
}

// The button Esc presses: Cancel, else No, else OK, else the first one there is.
MsgDlgBtn EscapeButton(MsgDlgButtons buttons)
{
    for (MsgDlgBtn candidate : {MsgDlgBtn::Cancel, MsgDlgBtn::No, MsgDlgBtn::OK}) {
        if (buttons.Contains(candidate)) {
            return candidate;
        }
    }
    for (int i = 0; i <= static_cast<int>(MsgDlgBtn::Help); ++i) {
        if (buttons.Contains(static_cast<MsgDlgBtn>(i))) {
            return static_cast<MsgDlgBtn>(i);
        }
    }
    return MsgDlgBtn::OK;
}

} // namespace

ModalResult MessageBox(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                       MessageBoxIcon icon)
{
    MessageBoxRequest request;
    request.Text = text;
    request.Caption = caption.empty() ? App().Title() : caption;
    request.Buttons = ButtonsOf(buttons);
    request.Icon = icon;
    switch (buttons) {
    case MessageBoxButtons::OK:
    case MessageBoxButtons::OKCancel: request.DefaultButton = MsgDlgBtn::OK; break;
    case MessageBoxButtons::AbortRetryIgnore: request.DefaultButton = MsgDlgBtn::Abort; break;
    case MessageBoxButtons::YesNoCancel:
    case MessageBoxButtons::YesNo: request.DefaultButton = MsgDlgBtn::Yes; break;
    case MessageBoxButtons::RetryCancel: request.DefaultButton = MsgDlgBtn::Retry; break;
    }
    request.CancelButton = EscapeButton(request.Buttons);
    return RunMessageBox(request);
}

ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons)
{
    MessageBoxRequest request;
    request.Text = text;
    request.Buttons = buttons.Empty() ? MsgDlgButtons{MsgDlgBtn::OK} : buttons;
    switch (type) {
    case MsgDlgType::Warning:
        request.Caption = "Warning";
        request.Icon = MessageBoxIcon::Warning;
        break;
    case MsgDlgType::Error:
        request.Caption = "Error";
        request.Icon = MessageBoxIcon::Stop;
        break;
    case MsgDlgType::Information:
        request.Caption = "Information";
        request.Icon = MessageBoxIcon::Information;
        break;
    case MsgDlgType::Confirmation:
        request.Caption = "Confirm";
        request.Icon = MessageBoxIcon::Question;
        break;
    case MsgDlgType::Custom:
        request.Caption = App().Title();
        request.Icon = MessageBoxIcon::None;
        break;
    }
    if (request.Buttons.Contains(MsgDlgBtn::OK)) {
        request.DefaultButton = MsgDlgBtn::OK;
    } else if (request.Buttons.Contains(MsgDlgBtn::Yes)) {
        request.DefaultButton = MsgDlgBtn::Yes;
    } else {
        request.DefaultButton = EscapeButton(request.Buttons);
    }
    request.CancelButton = EscapeButton(request.Buttons);
    return RunMessageBox(request);
}

void ShowMessage(const std::string& text)
{
    MessageBox(text, App().Title(), MessageBoxButtons::OK, MessageBoxIcon::None);
}

InputQueryHandler SetInputQueryHandler(InputQueryHandler handler)
{
    return Exchange(std::move(handler));
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    const InputQueryHandler handler = Slot<InputQueryHandler>();
    if (!handler) {
        return false;
    }
    std::string answer = value;
    if (!handler(InputQueryRequest{caption, prompt, value}, answer)) {
        return false;
    }
    value = std::move(answer);
    return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue)
{
    std::string value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

std::vector<FileFilter> ParseFileFilter(std::string_view filter)
{
    std::vector<FileFilter> filters;
    if (filter.empty()) {
        return filters;
    }
    const std::vector<std::string_view> pieces = SplitAt(filter, '|');
    for (size_t i = 0; i + 1 < pieces.size(); i += 2) {
        FileFilter entry;
        entry.Description = std::string(pieces[i]);
        for (std::string_view pattern : SplitAt(pieces[i + 1], ';')) {
            std::string trimmed = Trimmed(pattern);
            if (!trimmed.empty()) {
                entry.Patterns.push_back(std::move(trimmed));
            }
        }
        filters.push_back(std::move(entry));
    }
    return filters;
}

FileDialog::Handler FileDialog::SetHandler(Handler handler)
{
    return Exchange(std::move(handler));
}

void FileDialog::SetDefaultExt(std::string extension)
{
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }
    defaultExt_ = std::move(extension);
}

void FileDialog::SetFiles(std::vector<std::string> files)
{
    files_ = std::move(files);
}

bool FileDialog::Execute()
{
    const Handler handler = Slot<Handler>();
    if (!handler) {
        return false;
    }
    if (!handler(*this)) {
        return false;
    }
    // A handler that names only FileName still leaves a consistent Files, and the other way.
    if (files_.empty() && !fileName_.empty()) {
        files_.push_back(fileName_);
    } else if (!files_.empty() && fileName_.empty()) {
        fileName_ = files_.front();
    }
    return true;
}

const FileFilter* FileDialog::FilterAt(const std::vector<FileFilter>& filters, int filterIndex)
{
    if (filters.empty()) {
        return nullptr;
    }
    if (filterIndex < 1 || filterIndex > static_cast<int>(filters.size())) {
        return &filters.front();
    }
    return &filters[static_cast<size_t>(filterIndex - 1)];
}

std::string FileDialog::ExtensionToAdd(int filterIndex) const
{
    const std::vector<FileFilter> filters = Filters();
    if (const FileFilter* selected = FilterAt(filters, filterIndex); selected != nullptr && selected->Patterns.size() == 1) {
        const std::string& pattern = selected->Patterns.front();
        const bool plainExtension = pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0
            && pattern.find_first_of("*?", 2) == std::string::npos;
        if (plainExtension) {
            return pattern.substr(2);
        }
    }
    return defaultExt_;
}

std::string FileDialog::WithDefaultExtension(const std::string& name) const
{
    if (name.empty() || name.back() == PathDelimiter || !ExtractFileExt(name).empty()) {
        return name;
    }
    const std::string extension = ExtensionToAdd(filterIndex_);
    return extension.empty() ? name : name + "." + extension;
}

bool FileDialog::FileNameIsMask() const
{
    return fileName_.find_first_of("*?") != std::string::npos;
}

OpenPictureDialog::OpenPictureDialog(Component* owner) : OpenDialog(owner, FileDialogKind::OpenPicture)
{
    SetFilter(std::string(PictureFileFilter));
}

SavePictureDialog::SavePictureDialog(Component* owner) : SaveDialog(owner, FileDialogKind::SavePicture)
{
    SetFilter(std::string(PictureFileFilter));
}

ColorDialog::Handler ColorDialog::SetHandler(Handler handler)
{
    return Exchange(std::move(handler));
}

bool ColorDialog::Execute()
{
    const Handler handler = Slot<Handler>();
    return handler ? handler(*this) : false;
}

FontDialog::Handler FontDialog::SetHandler(Handler handler)
{
    return Exchange(std::move(handler));
}

bool FontDialog::Execute()
{
    const Handler handler = Slot<Handler>();
    return handler ? handler(*this) : false;
}

FolderDialog::Handler FolderDialog::SetHandler(Handler handler)
{
    return Exchange(std::move(handler));
}

bool FolderDialog::Execute()
{
    const Handler handler = Slot<Handler>();
    return handler ? handler(*this) : false;
}

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& folder)
{
    FolderDialog dialog;
    dialog.SetTitle(caption);
    dialog.SetRoot(root);
    dialog.SetFolder(folder);
    if (!dialog.Execute()) {
        return false;
    }
    folder = dialog.Folder();
    return true;
}

PrinterSetupDialog::Handler PrinterSetupDialog::SetHandler(Handler handler)
{
    return Exchange(std::move(handler));
}

bool PrinterSetupDialog::Execute()
{
    const Handler handler = Slot<Handler>();
    return handler ? handler(*this) : false;
}

} // namespace fw
