#include "controls/image_list_editor.h"

#include <memory>

#include "controls/brush_panel.h"
#include "controls/image_list.h"
#include "controls/scroll_box.h"
#include "framework/core/bmp_codec.h"
#include "framework/core/exceptions.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"

namespace {

// Room for seven thumbnails a row in the scroll box, inside the window's 5-pixel border.
constexpr int EditorWidth = 451;
constexpr int EditorHeight = 330;
constexpr int ButtonRowHeight = 37;
constexpr const char* NewImageName = "New Image";

fw::Button* NewButton(fw::Component& owner, fw::WinControl* parent, const char* name, const char* caption,
                      fw::ModalResult result)
{
    auto* button = new fw::Button(&owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetCaption(caption);
    button->SetModalResult(result);
    return button;
}

fw::MenuItem* NewMenuItem(fw::PopupMenu& menu, const char* name, const char* caption)
{
    auto* item = new fw::MenuItem(menu.Owner());
    item->SetName(name);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

} // namespace

// --- TILImageListThumbnail --------------------------------------------------------------------

TILImageListThumbnail::TILImageListThumbnail(TfrmILImageListEditor& editor)
    : fw::GraphicControl(&editor), editor_(editor), picture_(Size, Size)
{
    SetBounds(0, 0, Size, Size);
    SetControlStyle(ControlStyle().Include(fw::ControlStyleFlag::Opaque));
}

void TILImageListThumbnail::SetPicture(const fw::Bitmap& source)
{
    picture_ = fw::Bitmap(Size, Size);
    fw::Canvas canvas(picture_);
    canvas.StretchDraw(fw::Rect{0, 0, Size, Size}, source);
    Invalidate();
}

void TILImageListThumbnail::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    editor_.SetCurrentThumbnail(this);
    fw::GraphicControl::MouseDown(button, shift, x, y);
}

void TILImageListThumbnail::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Draw(0, 0, picture_);
    if (editor_.CurrentThumbnail() == this) {
        canvas.DrawFocusRect(ClientRect());
    }
}

// --- TfrmILImageListEditor --------------------------------------------------------------------

TfrmILImageListEditor::TfrmILImageListEditor(fw::Component* owner)
    : fw::Form(owner),
      Panel1(new TILBrushPanel(this)),
      scrThumbnails(new TILScrollBox(this)),
      Panel2(new TILBrushPanel(this)),
      btnAdd(NewButton(*this, Panel2, "btnAdd", "Add", fw::mrNone)),
      btnAccept(NewButton(*this, Panel2, "btnAccept", "Close", fw::mrOk)),
      dlgLoadPic(new fw::OpenPictureDialog(this)),
      mnuImages(new fw::PopupMenu(this)),
      mnuEditName(NewMenuItem(*mnuImages, "mnuEditName", "Edit Name")),
      mnuChangeImage(NewMenuItem(*mnuImages, "mnuChangeImage", "Change Image")),
      mnuDelete(NewMenuItem(*mnuImages, "mnuDelete", "Delete Image"))
{
    SetName("frmILImageListEditor");
    SetCaption("Image List Editor");
    SetPosition(fw::FormPosition::ScreenCenter);
    SetBounds(0, 0, EditorWidth, EditorHeight);

    Panel2->SetName("Panel2");
    Panel2->SetParent(this);
    Panel2->SetAlign(fw::Align::Bottom);
    Panel2->SetHeight(ButtonRowHeight);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(fw::Align::Client);
    Panel1->SetBorderWidth(5);
    Panel1->DrawData().SetBevelOuter(TBevelCut::None);
    scrThumbnails->SetName("scrThumbnails");
    scrThumbnails->SetParent(Panel1);
    scrThumbnails->SetAlign(fw::Align::Client);
    scrThumbnails->SetOptions(TILScrollBoxOptions{TILScrollBoxOption::AutoRange});
    TILBrush white;
    white.SetColour(fw::clWhite);
    scrThumbnails->SetBackground(white);

    btnAdd->SetBounds(8, 6, 75, 25);
    btnAdd->SetOnClick([this](fw::Object*) { btnAddClick(); });
    btnAccept->SetBounds(EditorWidth - 8 - 75, 6, 75, 25);
    btnAccept->SetAnchors(fw::Anchors{fw::AnchorKind::Top, fw::AnchorKind::Right});
    btnAccept->SetDefault(true);

    dlgLoadPic->SetFilter("Bitmaps (*.bmp)|*.bmp");
    dlgLoadPic->SetDefaultExt("bmp");
    dlgLoadPic->SetOptions(dlgLoadPic->Options().Include(fw::FileDialogOption::FileMustExist));

    mnuEditName->SetShortCut(fw::VK_F2);
    mnuEditName->SetOnClick([this](fw::Object*) { mnuEditNameClick(); });
    mnuChangeImage->SetOnClick([this](fw::Object*) { mnuChangeImageClick(); });
    mnuDelete->SetOnClick([this](fw::Object*) { mnuDeleteClick(); });
    // The thumbnail whose menu this is becomes the current one.
    mnuImages->SetOnPopup([this](fw::Object*) {
        if (auto* thumbnail = dynamic_cast<TILImageListThumbnail*>(mnuImages->PopupComponent())) {
            SetCurrentThumbnail(thumbnail);
        }
    });
    FinishLoading();
}

TfrmILImageListEditor::~TfrmILImageListEditor() = default;

bool TfrmILImageListEditor::EditList(TILImageList& list)
{
    const std::unique_ptr<TfrmILImageListEditor> editor(new TfrmILImageListEditor(&fw::App()));
    return editor->Execute(list);
}

bool TfrmILImageListEditor::Execute(TILImageList& list)
{
    list_ = &list;
    BuildThumbnails();
    ShowModal();
    return true;
}

void TfrmILImageListEditor::BuildThumbnails()
{
    for (auto it = thumbnails_.rbegin(); it != thumbnails_.rend(); ++it) {
        delete *it;
    }
    thumbnails_.clear();
    if (list_ == nullptr) {
        return;
    }
    for (int i = 0; i < list_->Count(); ++i) {
        const TILImageLibraryBitmap* bitmap = list_->Items(i);
        AddThumbnail(*bitmap, bitmap->Name());
    }
}

TILImageListThumbnail* TfrmILImageListEditor::AddThumbnail(const fw::Bitmap& bitmap, const std::string& name)
{
    auto* thumbnail = new TILImageListThumbnail(*this);
    thumbnail->SetParent(&scrThumbnails->BackgroundPanel());
    thumbnail->SetPicture(bitmap);
    thumbnail->SetPopupMenu(mnuImages);
    thumbnail->SetShowHint(true);
    thumbnail->SetHint(name);
    // After the last one on its row, or at the start of the next row when it would not fit.
    int left = Spacing;
    int top = Spacing;
    if (!thumbnails_.empty()) {
        const TILImageListThumbnail& last = *thumbnails_.back();
        const int next = last.Left() + last.Width() + Spacing;
        if (next + thumbnail->Width() + Spacing <= scrThumbnails->BackgroundPanel().ClientWidth()) {
            left = next;
            top = last.Top();
        } else {
            top = last.Top() + last.Height() + Spacing;
        }
    }
    thumbnail->SetBounds(left, top, thumbnail->Width(), thumbnail->Height());
    thumbnails_.push_back(thumbnail);
    thumbnail->SetTag(static_cast<std::intptr_t>(thumbnails_.size() - 1));
    return thumbnail;
}

void TfrmILImageListEditor::SetCurrentThumbnail(TILImageListThumbnail* thumbnail)
{
    TILImageListThumbnail* previous = current_.Get();
    if (previous == thumbnail) {
        return;
    }
    current_ = thumbnail;
    if (previous != nullptr) {
        previous->Invalidate();
    }
    if (thumbnail != nullptr) {
        thumbnail->Invalidate();
    }
}

bool TfrmILImageListEditor::LoadPicture(fw::Bitmap& picture)
{
    if (!dlgLoadPic->Execute()) {
        return false;
    }
    picture = fw::LoadBmpFromFile(dlgLoadPic->FileName());
    return true;
}

void TfrmILImageListEditor::btnAddClick()
{
    fw::Bitmap loaded;
    if (list_ == nullptr || !LoadPicture(loaded)) {
        return;
    }
    auto bitmap = std::make_unique<TILImageLibraryBitmap>(NewImageName);
    bitmap->Assign(loaded);
    const TILImageLibraryBitmap& added = *bitmap;
    list_->Add(std::move(bitmap));
    AddThumbnail(added, added.Name());
}

void TfrmILImageListEditor::mnuEditNameClick()
{
    TILImageListThumbnail* thumbnail = CurrentThumbnail();
    if (thumbnail == nullptr || list_ == nullptr) {
        return;
    }
    TfrmILImageListEditName dialog(this);
    if (dialog.Execute(thumbnail->Hint()) != fw::mrOk) {
        return;
    }
    const std::string name = dialog.edName->Text();
    thumbnail->SetHint(name);
    if (TILImageLibraryBitmap* bitmap = list_->Items(static_cast<int>(thumbnail->Tag()))) {
        bitmap->SetName(name);
    }
}

void TfrmILImageListEditor::mnuChangeImageClick()
{
    TILImageListThumbnail* thumbnail = CurrentThumbnail();
    fw::Bitmap loaded;
    if (thumbnail == nullptr || list_ == nullptr || !LoadPicture(loaded)) {
        return;
    }
    thumbnail->SetPicture(loaded);
    if (TILImageLibraryBitmap* bitmap = list_->Items(static_cast<int>(thumbnail->Tag()))) {
        bitmap->Assign(loaded);
    }
}

void TfrmILImageListEditor::mnuDeleteClick()
{
    TILImageListThumbnail* thumbnail = CurrentThumbnail();
    if (thumbnail == nullptr || list_ == nullptr) {
        return;
    }
    const int index = static_cast<int>(thumbnail->Tag());
    list_->Delete(index);
    std::erase(thumbnails_, thumbnail);
    delete thumbnail;
    // The others keep their places, but every tag follows its bitmap's new index, so that the
    // commands on a later thumbnail reach its own bitmap.
    for (std::size_t i = 0; i < thumbnails_.size(); ++i) {
        thumbnails_[i]->SetTag(static_cast<std::intptr_t>(i));
    }
}

bool TfrmILImageListEditor::IsShortCut(int key, fw::ShiftState shift)
{
    return fw::Form::IsShortCut(key, shift) || mnuImages->IsShortCut(key, shift);
}

// --- TfrmILImageListEditName ------------------------------------------------------------------

TfrmILImageListEditName::TfrmILImageListEditName(fw::Component* owner)
    : fw::Form(owner),
      edName(new fw::Edit(this)),
      btnAccept(NewButton(*this, this, "btnAccept", "Accept", fw::mrOk)),
      btnCancel(NewButton(*this, this, "btnCancel", "Cancel", fw::mrCancel))
{
    SetName("frmILImageListEditName");
    SetCaption("Change Name");
    SetBorderStyle(fw::FormBorderStyle::Dialog);
    SetPosition(fw::FormPosition::OwnerFormCenter);
    SetBounds(0, 0, 260, 90);
    edName->SetName("edName");
    edName->SetParent(this);
    edName->SetBounds(10, 10, 240, 21);
    btnAccept->SetBounds(95, 50, 75, 25);
    btnAccept->SetDefault(true);
    btnCancel->SetBounds(175, 50, 75, 25);
    btnCancel->SetCancel(true);
    FinishLoading();
}

TfrmILImageListEditName::~TfrmILImageListEditName() = default;

fw::ModalResult TfrmILImageListEditName::Execute(const std::string& name)
{
    edName->SetText(name);
    return ShowModal();
}

void InstallImageListEditor()
{
    SetImageListEditor([](TILImageList& list) { return TfrmILImageListEditor::EditList(list); });
}
