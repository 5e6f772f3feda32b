#pragma once

#include <string>
#include <string_view>

#include "framework/core/object.h"

namespace fw {
class OpenDialog;
class SaveDialog;
} // namespace fw

// The part of the data module the main window uses: the open and save dialogs of pattern
// files, whose current file names tell where the user loaded and saved last, and the dialog
// of the Load command. The data module itself (its dialogs, the typed entries, the image
// export) derives from this.
class TTWDataModuleBase : public fw::Component {
public:
    explicit TTWDataModuleBase(fw::Component* owner = nullptr) : fw::Component(owner) {}

    std::string_view className() const override { return "TTWDataModuleBase"; }

    virtual fw::OpenDialog& LoadDialog() = 0;
    virtual fw::SaveDialog& SaveDialog() = 0;
    // The dialog of the Load command (patterns, fonts or any file); on true, fileName is the
    // chosen file.
    virtual bool ExecuteOpenAnyDialog(std::string& fileName) = 0;
};
