#include "shell/main_window.h"

#include <cstdint>

#include "controls/brush_panel.h"
#include "forms/exception_dialog.h"
#include "controls/position.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/dock.h"
#include "framework/gui/image_list.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_control_bar.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/model_hooks.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/data_module_base.h"
#include "shell/main_editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/program_icon.h"
#include "shell/window_factory.h"

TfrmTWMain* frmTWMain = nullptr;

namespace {

// The docked width of the right-hand panel when the notes window arrives.
constexpr int DockedWidth = 150;
// Its width while nothing is docked: a thin strip to drop onto.
constexpr int EmptyDockWidth = 3;

} // namespace

TfrmTWMain::TfrmTWMain(fw::Component* owner)
    : fw::Form(owner),
      mnuMain(new fw::MainMenu(this)),
      pmDisplayProfiles(new fw::PopupMenu(this)),
      imgToolIcons(new fw::ImageList(this)),
      pnlDockRight(new fw::Panel(this)),
      spltRight(new fw::Splitter(this)),
      ctrlTools(new fw::ControlBar(this)),
      pnlBtnsFile(new fw::Panel(this)),
      pnlBtnsGeneral(new fw::Panel(this)),
      pnlBtnsDisplay(new fw::Panel(this)),
      pnlBtnsDisplayFlags(new fw::Panel(this)),
      pnlBtnsBlockPattern(new fw::Panel(this)),
      btnLoad(new fw::SpeedButton(this)),
      pnlBitmapClips(new TILBrushPanel(this)),
      pnlPatternInfo(new TILBrushPanel(this)),
      lblPatternName(new fw::Label(this)),
      lblPatternFile(new fw::Label(this)),
      pnlPatternFileName(new TILBrushPanel(this)),
      edPatternName(new fw::Edit(this))
{
    frmTWMain = this;
    editorHost_ = std::make_unique<TTWMainEditorHost>(*this);
    SetCaption("Tavelin");
    SetIcon(ProgramIconImages());
    // The window system places the window; these bounds keep its menu bar and caption on the
    // screen where it does not.
    SetBounds(40, 60, 720, 557);
    SetPosition(fw::FormPosition::Default);
    SetFormStyle(fw::FormStyle::MDIForm);

    mnuMain->SetName("mnuMain");
    pmDisplayProfiles->SetName("pmDisplayProfiles");
    BuildMainMenu();
    SetMenu(mnuMain);

    BuildDocking();
    BuildToolBar();

    pnlBitmapClips->SetName("pnlBitmapClips");
    pnlBitmapClips->SetParent(this);
    pnlBitmapClips->SetAlign(fw::Align::Bottom);
    pnlBitmapClips->SetHeight(120);
    pnlBitmapClips->SetCaption(std::string());
    pnlBitmapClips->SetVisible(false);

    BuildPatternInfo();

    if (const auto& createClipList = ShellFactories().CreateClipList) {
        clipList_ = createClipList(*this, *pnlBitmapClips);
    }

    SetOnCloseQuery([this](fw::Object*, bool& canClose) { FormCloseQuery(canClose); });
    fw::App().SetOnException([this](const std::exception& error) { AppEventsException(error); });
    model_hooks::SetNotifyHandler([this](int actionId, bool enabled, bool enabled2, bool pressed) {
        const std::intptr_t packed =
            (enabled ? 1 : 0) | ((enabled2 ? 1 : 0) << 8) | ((pressed ? 1 : 0) << 16);
        Perform(WM_TW_TOOLSTATE, actionId, packed);
    });
}

TfrmTWMain::~TfrmTWMain()
{
    beingDestroyed_ = true;
    // Nothing may reach the window any more: not the editors it frees, not the model, not
    // a message posted to it.
    EndLiveness();
    model_hooks::SetNotifyHandler({});
    fw::App().SetOnException({});
    if (frmTWMain == this) {
        frmTWMain = nullptr;
    }
    // The editors go while the window's own parts still exist.
    while (MDIChildCount() > 0) {
        delete MDIChildren(0);
    }
}

void TfrmTWMain::BuildDocking()
{
    pnlDockRight->SetName("pnlDockRight");
    pnlDockRight->SetParent(this);
    pnlDockRight->SetAlign(fw::Align::Right);
    pnlDockRight->SetWidth(EmptyDockWidth);
    pnlDockRight->SetBevelOuter(fw::PanelBevel::None);
    pnlDockRight->SetCaption(std::string());
    pnlDockRight->SetDockSite(true);
    pnlDockRight->SetOnDockOver([this](fw::Object*, fw::DragDockObject* source, int, int, fw::DragState, bool& accept) {
        accept = source != nullptr && NotesWindow() != nullptr && source->GetControl() == NotesWindow();
    });
    pnlDockRight->SetOnDockDrop([this](fw::Object*, fw::DragDockObject*, int, int) {
        spltRight->Show();
        pnlDockRight->SetWidth(DockedWidth);
    });
    pnlDockRight->SetOnUnDock([this](fw::Object*, fw::Control*, fw::WinControl*, bool&) {
        spltRight->Hide();
        pnlDockRight->SetWidth(EmptyDockWidth);
    });

    spltRight->SetName("spltRight");
    spltRight->SetParent(this);
    spltRight->SetAlign(fw::Align::Right);
    spltRight->SetWidth(3);
    spltRight->SetMinSize(20);
    spltRight->SetVisible(false);
}

void TfrmTWMain::BuildPatternInfo()
{
    pnlPatternInfo->SetName("pnlPatternInfo");
    pnlPatternInfo->SetParent(this);
    pnlPatternInfo->SetAlign(fw::Align::Top);
    pnlPatternInfo->SetHeight(30);
    pnlPatternInfo->SetCaption(std::string());
    pnlPatternInfo->SetVisible(false);

    lblPatternName->SetName("lblPatternName");
    lblPatternName->SetParent(pnlPatternInfo);
    lblPatternName->SetCaption("Name");
    lblPatternName->SetLeft(8);
    lblPatternName->SetTop(8);

    edPatternName->SetName("edPatternName");
    edPatternName->SetParent(pnlPatternInfo);
    edPatternName->SetBounds(44, 4, 161, 21);
    edPatternName->SetOnKeyUp([this](fw::Object*, int&, fw::ShiftState) { edPatternNameKeyUp(); });

    lblPatternFile->SetName("lblPatternFile");
    lblPatternFile->SetParent(pnlPatternInfo);
    lblPatternFile->SetCaption("File");
    lblPatternFile->SetLeft(220);
    lblPatternFile->SetTop(8);

    pnlPatternFileName->SetName("pnlPatternFileName");
    pnlPatternFileName->SetParent(pnlPatternInfo);
    pnlPatternFileName->SetBounds(248, 4, 480, 21);
    pnlPatternFileName->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    pnlPatternFileName->CaptionPos().SetHorzMargin(4);
    pnlPatternFileName->SetCaption(std::string());
}

void TfrmTWMain::SetDataModule(TTWDataModuleBase* dataModule)
{
    if (dataModule_ != nullptr) {
        RemoveFreeNotification(dataModule_);
    }
    dataModule_ = dataModule;
    if (dataModule_ != nullptr) {
        FreeNotification(dataModule_);
    }
}

void TfrmTWMain::SetNotesWindow(fw::Form* notes)
{
    notesWindow_ = notes;
}

void TfrmTWMain::Notification(fw::Component* component, fw::Operation operation)
{
    fw::Form::Notification(component, operation);
    if (operation != fw::Operation::Remove) {
        return;
    }
    if (component == dataModule_) {
        dataModule_ = nullptr;
    }
    if (component == lastCommandControl_) {
        lastCommandControl_ = nullptr;
    }
}

void TfrmTWMain::AppEventsException(const std::exception& error)
{
    RouteException(error, this);
}

void TfrmTWMain::LoadFile(const std::string& fileName)
{
    const auto& load = ShellFactories().LoadFile;
    if (!load) {
        fw::MessageDlg("Opening pattern and font files is not available yet.\r\n" + fileName,
                       fw::MsgDlgType::Information, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    // A copy: loading may register other handlers.
    const auto loader = load;
    loader(*this, fileName);
}

void TfrmTWMain::mnuLoadClick()
{
    if (dataModule_ == nullptr) {
        fw::MessageDlg("Opening pattern and font files is not available yet.", fw::MsgDlgType::Information,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    std::string fileName;
    if (!dataModule_->ExecuteOpenAnyDialog(fileName)) {
        return;
    }
    // Let the dialog vanish before the long work of loading.
    fw::App().ProcessMessages();
    LoadFile(fileName);
}

void TfrmTWMain::mnuBrowseClick()
{
    if (BrowserWindow() == nullptr) {
        const auto& create = ShellFactories().CreateBrowser;
        if (!create) {
            fw::MessageDlg("The pattern browser is not available yet.", fw::MsgDlgType::Information,
                           fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
            return;
        }
        fw::Form* browser = create(*this);
        browser_ = browser;
        if (browser == nullptr) {
            return;
        }
        browser->SetTop(0);
        browser->SetLeft(0);
        if (auto* folders = dynamic_cast<ITWBrowserWindow*>(browser)) {
            folders->SetBrowseFolder(UserSettings().Directories.LastBrowse);
        }
    }
    if (fw::Form* browser = BrowserWindow()) {
        browser->Show();
    }
}

void TfrmTWMain::mnuFile_ExitClick()
{
    Close();
}

void TfrmTWMain::mnuThreadedClick(fw::Object* sender)
{
    const auto* item = dynamic_cast<const fw::MenuItem*>(sender);
    OpenWindowOfKind(*this, TTWWindowKind::ThreadedEditor, item != nullptr ? static_cast<int>(item->Tag()) : 0);
}
