#pragma once

#include "framework/gui/dialogs.h"

class QWidget;

namespace fw {

// The Qt implementations of the dialog seams. Each shows a Qt dialog (widgets: needs a
// QApplication) over the active window and runs it modally.

// The window every dialog is shown over and centred on: a Qt dialog that is up, else the
// window of the form the program activated last, else the window the system calls active,
// else the main form's. (Without a window manager no window is active again once the first
// dialog has closed, and a dialog without a parent would stand in the screen's centre.)
QWidget* QtDialogParent();

// QMessageBox with the request's buttons, icon, default and escape button.
ModalResult QtMessageBox(const MessageBoxRequest& request);
// QInputDialog::getText.
bool QtInputQuery(const InputQueryRequest& request, std::string& value);
// A non-native QFileDialog: the filter becomes Qt's name filters and FilterIndex the
// selected one (read back afterwards); a save dialog asks before overwriting only with
// OverwritePrompt; a name typed without an extension gets the selected filter's (or
// DefaultExt) before the overwrite check.
bool QtFileDialog(FileDialog& dialog);
// QColorDialog; a system colour stays one when the user keeps its shade.
bool QtColorDialog(ColorDialog& dialog);
// QFontDialog: name, size in pixels and styles; the colour is left as it was.
bool QtFontDialog(FontDialog& dialog);
// QFileDialog::getExistingDirectory. Qt cannot keep the user below a root folder, so Root
// only serves as the start when no folder is given.
bool QtFolderDialog(FolderDialog& dialog);

// Installs all of the above as the program's dialogs (the printer set-up stays a place
// holder).
void InstallQtDialogs();

} // namespace fw
