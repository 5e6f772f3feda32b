#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"
#include "framework/gui/form.h"

class TILBrushPanel;
class TILImageList;
class TILScrollBox;
class TfrmILImageListEditor;

namespace fw {
class Button;
class Edit;
class MenuItem;
class OpenPictureDialog;
class PopupMenu;
} // namespace fw

// A 50 x 50 picture of one bitmap of the edited list: the bitmap stretched to fit, its name
// as the hint. Its Tag is its bitmap's index in the list.
class TILImageListThumbnail : public fw::GraphicControl {
public:
    static constexpr int Size = 50;

    explicit TILImageListThumbnail(TfrmILImageListEditor& editor);

    std::string_view className() const override { return "TILImageListThumbnail"; }

    const fw::Bitmap& Picture() const { return picture_; }
    // Draws the source stretched over the whole picture.
    void SetPicture(const fw::Bitmap& source);

    void MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    TfrmILImageListEditor& editor_;
    fw::Bitmap picture_;
};

// "Image List Editor": every bitmap of an image list as a thumbnail, seven to a row in a
// white scroll box. "Add" appends a bitmap file as "New Image"; each thumbnail's menu renames
// its bitmap, replaces its picture or deletes it (F2 renames the thumbnail clicked last).
// Every change goes straight into the list; "Close" only ends the window.
class TfrmILImageListEditor : public fw::Form {
public:
    // The room kept around and between thumbnails.
    static constexpr int Spacing = 10;

    explicit TfrmILImageListEditor(fw::Component* owner = nullptr);
    ~TfrmILImageListEditor() override;

    std::string_view className() const override { return "TfrmILImageListEditor"; }

    TILBrushPanel* const Panel1;
    TILScrollBox* const scrThumbnails;
    TILBrushPanel* const Panel2;
    fw::Button* const btnAdd;
    // "Close": the default button, ends the window with OK.
    fw::Button* const btnAccept;
    fw::OpenPictureDialog* const dlgLoadPic;
    fw::PopupMenu* const mnuImages;
    fw::MenuItem* const mnuEditName;
    fw::MenuItem* const mnuChangeImage;
    fw::MenuItem* const mnuDelete;

    // The editor made with the application as owner, run on the list and freed again: what
    // TILImageList::Edit opens. Answers true.
    static bool EditList(TILImageList& list);

    // Keeps the list, makes its thumbnails and shows the window modally. Answers true.
    bool Execute(TILImageList& list);

    TILImageList* List() const { return list_; }
    // The thumbnails, in the order of the list's bitmaps.
    const std::vector<TILImageListThumbnail*>& Thumbnails() const { return thumbnails_; }
    // Frees the thumbnails and makes one for each bitmap of the list.
    void BuildThumbnails();

    // The thumbnail the menu's commands and F2 work on: the one that opened the menu or was
    // pressed last; none.
    TILImageListThumbnail* CurrentThumbnail() const { return current_.Get(); }
    void SetCurrentThumbnail(TILImageListThumbnail* thumbnail);

    void btnAddClick();
    void mnuEditNameClick();
    void mnuChangeImageClick();
    void mnuDeleteClick();

    // The popup menu's shortcuts work in the whole window.
    bool IsShortCut(int key, fw::ShiftState shift) override;

private:
    TILImageListThumbnail* AddThumbnail(const fw::Bitmap& bitmap, const std::string& name);
    // The bitmap file the user chooses, empty when none is chosen.
    bool LoadPicture(fw::Bitmap& picture);

    TILImageList* list_ = nullptr;
    std::vector<TILImageListThumbnail*> thumbnails_;
    fw::WeakRef<TILImageListThumbnail> current_;
};

// "Change Name": a name in an edit, Accept and Cancel.
class TfrmILImageListEditName : public fw::Form {
public:
    explicit TfrmILImageListEditName(fw::Component* owner = nullptr);
    ~TfrmILImageListEditName() override;

    std::string_view className() const override { return "TfrmILImageListEditName"; }

    fw::Edit* const edName;
    // "Accept": OK (the default button).
    fw::Button* const btnAccept;
    // "Cancel": Cancel (Esc).
    fw::Button* const btnCancel;

    // Shows the name in the edit and the dialog modally; answers its modal result.
    fw::ModalResult Execute(const std::string& name);
};

// Installs the editor for TILImageList::Edit (the control library does it as it starts).
void InstallImageListEditor();
