#include "framework/gui/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_peer.h"

namespace fw {

namespace {

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string FromQt(const QString& text)
{
    return text.toStdString();
}

// Qt widgets break lines at LF; CR LF from the program's texts would show the CR.
QString DialogText(const std::string& text)
{
    QString result = ToQt(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QMessageBox::Icon QtIcon(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::None: return QMessageBox::NoIcon;
    case MessageBoxIcon::Stop: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Warning: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QAbstractButton* AddButton(QMessageBox& box, MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return box.addButton(QMessageBox::Yes);
    case MsgDlgBtn::No: return box.addButton(QMessageBox::No);
    case MsgDlgBtn::OK: return box.addButton(QMessageBox::Ok);
    case MsgDlgBtn::Cancel: return box.addButton(QMessageBox::Cancel);
    case MsgDlgBtn::Abort: return box.addButton(QMessageBox::Abort);
    case MsgDlgBtn::Retry: return box.addButton(QMessageBox::Retry);
    case MsgDlgBtn::Ignore: return box.addButton(QMessageBox::Ignore);
    case MsgDlgBtn::All: return box.addButton(QObject::tr("&All"), QMessageBox::YesRole);
    case MsgDlgBtn::NoToAll: return box.addButton(QMessageBox::NoToAll);
    case MsgDlgBtn::YesToAll: return box.addButton(QMessageBox::YesToAll);
    case MsgDlgBtn::Help: return box.addButton(QMessageBox::Help);
    }
    return nullptr;
}

// "Patterns (*.tvl)" with patterns {"*.tvl"} becomes "Patterns (*.tvl)": Qt reads the
// patterns from the last parentheses, separated by blanks, so a description's own
// parenthesised list (which may use ';') is replaced by one Qt can read.
QString QtNameFilter(const FileFilter& filter)
{
    QString description = ToQt(filter.Description).trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            description = description.left(open).trimmed();
        }
    }
    QStringList patterns;
    for (const std::string& pattern : filter.Patterns) {
        patterns << (pattern == "*.*" ? QStringLiteral("*") : ToQt(pattern));
    }
    if (patterns.isEmpty()) {
        patterns << QStringLiteral("*");
    }
    return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

QWidget* QtDialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    const auto shownWindowOf = [](const Form* form) -> QWidget* {
        QWidget* widget = form != nullptr ? QtWidgetOf(*form) : nullptr;
        return widget != nullptr && widget->window()->isVisible() ? widget->window() : nullptr;
    };
    // The form the program activated last is the one the user works in, whether or not the
    // window system still calls it active.
    if (QWidget* active = shownWindowOf(GetScreen().ActiveForm())) {
        return active;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return shownWindowOf(App().MainForm());
}

ModalResult QtMessageBox(const MessageBoxRequest& request)
{
    QMessageBox box(QtDialogParent());
    box.setWindowTitle(ToQt(request.Caption));
    box.setText(DialogText(request.Text));
    box.setIcon(QtIcon(request.Icon));
    std::vector<std::pair<QAbstractButton*, MsgDlgBtn>> buttons;
    for (int i = 0; i <= static_cast<int>(MsgDlgBtn::Help); ++i) {
        const auto button = static_cast<MsgDlgBtn>(i);
        if (request.Buttons.Contains(button)) {
            buttons.emplace_back(AddButton(box, button), button);
        }
    }
    for (const auto& [widget, button] : buttons) {
        if (button == request.DefaultButton) {
            if (auto* push = qobject_cast<QPushButton*>(widget)) {
                box.setDefaultButton(push);
            }
        }
        if (button == request.CancelButton) {
            box.setEscapeButton(widget);
        }
    }
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const auto& [widget, button] : buttons) {
        if (widget == clicked) {
            return ModalResultOf(button);
        }
    }
    return ModalResultOf(request.CancelButton);
}

bool QtInputQuery(const InputQueryRequest& request, std::string& value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QtDialogParent(), ToQt(request.Caption), DialogText(request.Prompt),
                                               QLineEdit::Normal, ToQt(request.Value), &ok);
    if (ok) {
        value = FromQt(text);
    }
    return ok;
}

bool QtFileDialog(FileDialog& dialog)
{
    const bool save = dialog.Kind() == FileDialogKind::Save || dialog.Kind() == FileDialogKind::SavePicture;
    const FileDialogOptions options = dialog.Options();

    QFileDialog qt(QtDialogParent(), ToQt(dialog.Title()));
    qt.setOption(QFileDialog::DontUseNativeDialog);
    qt.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        qt.setFileMode(QFileDialog::AnyFile);
        qt.setOption(QFileDialog::DontConfirmOverwrite, !options.Contains(FileDialogOption::OverwritePrompt));
    } else if (options.Contains(FileDialogOption::AllowMultiSelect)) {
        qt.setFileMode(QFileDialog::ExistingFiles);
    } else if (options.Contains(FileDialogOption::FileMustExist)) {
        qt.setFileMode(QFileDialog::ExistingFile);
    } else {
        qt.setFileMode(QFileDialog::AnyFile);
    }

    const std::vector<FileFilter> filters = dialog.Filters();
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        nameFilters << QtNameFilter(filter);
    }
    if (!nameFilters.isEmpty()) {
        qt.setNameFilters(nameFilters);
        const int index = dialog.FilterIndex() >= 1 && dialog.FilterIndex() <= nameFilters.size() ? dialog.FilterIndex() : 1;
        qt.selectNameFilter(nameFilters[index - 1]);
        // Qt adds the suffix before its overwrite check, so the name checked is the name
        // saved; it follows the filter the user picks.
        qt.setDefaultSuffix(ToQt(dialog.ExtensionToAdd(index)));
        QObject::connect(&qt, &QFileDialog::filterSelected, &qt, [&qt, &dialog, nameFilters](const QString& selected) {
            const int picked = static_cast<int>(nameFilters.indexOf(selected)) + 1;
            qt.setDefaultSuffix(ToQt(dialog.ExtensionToAdd(picked)));
        });
    } else {
        qt.setDefaultSuffix(ToQt(dialog.DefaultExt()));
    }

    if (!dialog.InitialDir().empty()) {
        qt.setDirectory(ToQt(dialog.InitialDir()));
    }
    if (!dialog.FileName().empty() && !dialog.FileNameIsMask()) {
        qt.selectFile(ToQt(dialog.FileName()));
    }

    if (qt.exec() != QDialog::Accepted) {
        return false;
    }
    if (!nameFilters.isEmpty()) {
        const qsizetype picked = nameFilters.indexOf(qt.selectedNameFilter());
        dialog.SetFilterIndex(picked >= 0 ? static_cast<int>(picked) + 1 : 1);
    }
    std::vector<std::string> files;
    for (const QString& file : qt.selectedFiles()) {
        files.push_back(save ? dialog.WithDefaultExtension(FromQt(file)) : FromQt(file));
    }
    if (files.empty()) {
        return false;
    }
    dialog.SetFileName(files.front());
    dialog.SetFiles(std::move(files));
    return true;
}

bool QtColorDialog(ColorDialog& dialog)
{
    const QColor initial = ToQColor(dialog.Color());
    const QColor chosen = QColorDialog::getColor(initial, QtDialogParent(), ToQt(dialog.Title()));
    if (!chosen.isValid()) {
        return false;
    }
    if (chosen.rgb() != initial.rgb()) {
        dialog.SetColor(FromQColor(chosen));
    }
    return true;
}

bool QtFontDialog(FontDialog& dialog)
{
    const Font& current = dialog.Font();
    QFont initial(ToQt(current.Name));
    initial.setPixelSize(std::max(1, current.Height < 0 ? -current.Height : current.Height));
    initial.setBold(current.Style.Bold);
    initial.setItalic(current.Style.Italic);
    initial.setUnderline(current.Style.Underline);
    initial.setStrikeOut(current.Style.StrikeOut);

    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, QtDialogParent());
    if (!ok) {
        return false;
    }
    Font font = current;
    font.Name = FromQt(chosen.family());
    if (chosen.pixelSize() > 0) {
        font.Height = -chosen.pixelSize();
    } else {
        font.SetSize(chosen.pointSize());
    }
    font.Style.Bold = chosen.bold();
    font.Style.Italic = chosen.italic();
    font.Style.Underline = chosen.underline();
    font.Style.StrikeOut = chosen.strikeOut();
    dialog.SetFont(font);
    return true;
}

bool QtFolderDialog(FolderDialog& dialog)
{
    const std::string& start = dialog.Folder().empty() ? dialog.Root() : dialog.Folder();
    const QString chosen = QFileDialog::getExistingDirectory(
        QtDialogParent(), ToQt(dialog.Title()), ToQt(start), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty()) {
        return false;
    }
    dialog.SetFolder(FromQt(chosen));
    return true;
}

void InstallQtDialogs()
{
    SetMessageBoxHandler(QtMessageBox);
    SetInputQueryHandler(QtInputQuery);
    FileDialog::SetHandler(QtFileDialog);
    ColorDialog::SetHandler(QtColorDialog);
    FontDialog::SetHandler(QtFontDialog);
    FolderDialog::SetHandler(QtFolderDialog);
}

} // namespace fw
