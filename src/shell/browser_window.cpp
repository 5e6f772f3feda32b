#include "shell/browser_window.h"

#include <algorithm>
#include <exception>

#include "controls/bevel_rings.h"
#include "controls/brush_panel.h"
#include "controls/position.h"
#include "controls/scroll_box.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_speed_button.h"
#include "shell/browser_frame.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/notes_window.h"
#include "shell/size_dialog_placing.h"
#include "shell/tool_icons.h"

namespace {

constexpr int DirPanelHeight = 28;
constexpr int ButtonRowHeight = 31;

std::optional<std::string>& LastFolderOfRun()
{
    static std::optional<std::string> folder;
    return folder;
}

TILBrushPanel* NewPanel(fw::Component& owner, fw::WinControl* parent, const char* name)
{
    auto* panel = new TILBrushPanel(&owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetCaption(std::string());
    return panel;
}

TILBrushPanel* NewDirPanel(TfrmTBasic& form)
{
    TILBrushPanel* panel = NewPanel(form, form.pnlTTop, "pnlDir");
    panel->SetAlign(fw::Align::Top);
    panel->SetHeight(DirPanelHeight);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    return panel;
}

TILBrushPanel* NewDirNamePanel(TfrmTBasic& form, TILBrushPanel* dir)
{
    TILBrushPanel* panel = NewPanel(form, dir, "pnlDirName");
    panel->DrawData().SetBevelOuter(TBevelCut::Lowered);
    panel->CaptionPos().SetAlignHorz(THCanvasTextPosition::Left);
    panel->CaptionPos().SetHorzMargin(4);
    return panel;
}

TILScrollBox* NewScrollBox(TfrmTBasic& form)
{
    auto* box = new TILScrollBox(&form);
    box->SetName("scrPatterns");
    box->SetParent(form.pnlTTop);
    box->SetAlign(fw::Align::Client);
    return box;
}

TILBrushPanel* NewClosePanel(TfrmTBasic& form)
{
    TILBrushPanel* panel = NewPanel(form, form.pnlTBottom, "pnlClose");
    panel->SetAlign(fw::Align::Right);
    panel->SetWidth(FormButtonWidth + 2 * DialogButtonSpacing);
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    panel->SetParentBrush(true);
    return panel;
}

} // namespace

TfrmTWBrowser::TfrmTWBrowser(TfrmTWMain& main)
    : TfrmTBasic(&main),
      pnlDir(NewDirPanel(*this)),
      btnSelDir(NewGlyphButton(*this, pnlDir, "btnSelDir", "Select directory", ToolIcon(0),
                               FormBounds{3, 3, 23, 22})),
      pnlDirName(NewDirNamePanel(*this, pnlDir)),
      scrPatterns(NewScrollBox(*this)),
      btnRefresh(NewFormButton(*this, pnlTBottom, "btnRefresh", "Refresh", DialogButtonSpacing,
                               CentredButtonTop(ButtonRowHeight))),
      btnRebuild(NewFormButton(*this, pnlTBottom, "btnRebuild", "Rebuild", 2 * DialogButtonSpacing + FormButtonWidth,
                               CentredButtonTop(ButtonRowHeight))),
      pnlClose(NewClosePanel(*this)),
      btnClose(NewFormButton(*this, pnlClose, "btnClose", "Close", DialogButtonSpacing,
                             CentredButtonTop(ButtonRowHeight))),
      main_(&main),
      items_(std::make_unique<TTWBrowserItemList>())
{
    SetName("frmTWBrowser");
    SetCaption("Pattern Browser");
    SetBounds(0, 0, 5 * TfrmTWBrowserFrame::FrameWidth + 40, 3 * TfrmTWBrowserFrame::FrameHeight + 100);
    SetFormStyle(fw::FormStyle::MDIChild);
    BuildLayout();
}

TfrmTWBrowser::~TfrmTWBrowser()
{
    FreeFrames();
    if (TfrmTWMain* main = Main()) {
        main->mnuDivBrowser->SetVisible(false);
        main->mnuShowBrowser->SetVisible(false);
    }
}

void TfrmTWBrowser::BuildLayout()
{
    pnlDirName->SetBounds(30, 3, Width() - 50, 22);
    pnlDirName->SetAnchors(fw::Anchors{fw::AnchorKind::Left, fw::AnchorKind::Top, fw::AnchorKind::Right});
    pnlTTop->SetCaption(std::string());

    btnSelDir->SetOnClick([this](fw::Object*) { btnSelDirClick(); });
    btnRefresh->SetOnClick([this](fw::Object*) { UpdateThumbnails(false); });
    btnRebuild->SetOnClick([this](fw::Object*) { UpdateThumbnails(true); });
    btnClose->SetOnClick([this](fw::Object*) { Close(); });
    scrPatterns->SetOnResize([this](fw::Object*) { LayoutFrames(); });
}

TfrmTWMain* TfrmTWBrowser::Main() const
{
    auto* main = dynamic_cast<TfrmTWMain*>(main_.Get());
    return main != nullptr && !main->IsBeingDestroyed() ? main : nullptr;
}

const std::optional<std::string>& TfrmTWBrowser::RememberedFolder()
{
    return LastFolderOfRun();
}

void TfrmTWBrowser::ForgetRememberedFolderForTests()
{
    LastFolderOfRun().reset();
}

void TfrmTWBrowser::FormCreate()
{
    TfrmTBasic::FormCreate();
    // In line with the buttons beside it, whatever the panel's own border.
    btnClose->SetTop(btnRefresh->Top() - pnlClose->Top());
    if (const std::optional<std::string>& folder = LastFolderOfRun()) {
        pnlDirName->SetCaption(*folder);
        showsRememberedFolder_ = true;
        UpdateThumbnails(false);
    }
    if (TfrmTWMain* main = Main()) {
        main->mnuDivBrowser->SetVisible(true);
        main->mnuShowBrowser->SetVisible(true);
    }
}

void TfrmTWBrowser::DoActivate()
{
    TfrmTBasic::DoActivate();
    if (TfrmTWMain* main = Main()) {
        // No pattern of the browser's own: the pattern panel goes, the tools stay as they are
        // (the browser has no commands), and the notes show nobody's.
        main->Perform(WM_TW_EDITORACTIVATED, 0);
        main->Perform(WM_TW_TOOLSTATESCHANGED, 0);
        if (auto* notes = dynamic_cast<TfrmTWNotes*>(main->NotesWindow())) {
            notes->SetPattern(nullptr);
        }
    }
}

void TfrmTWBrowser::DoClose(fw::CloseAction& action)
{
    LastFolderOfRun() = BrowseFolder();
    action = fw::CloseAction::Free;
    TfrmTBasic::DoClose(action);
}

std::string TfrmTWBrowser::BrowseFolder() const
{
    return pnlDirName->Caption();
}

void TfrmTWBrowser::SetBrowseFolder(const std::string& folder)
{
    if (showsRememberedFolder_) {
        return;
    }
    pnlDirName->SetCaption(folder);
}

// --- The thumbnails --------------------------------------------------------------------------

void TfrmTWBrowser::ShowUpdating(bool updating)
{
    pnlTTop->SetCaption(updating ? UpdatingText : std::string());
    scrPatterns->SetVisible(!updating);
}

void TfrmTWBrowser::UpdateThumbnails(bool rebuild)
{
    if (updating_) {
        return;
    }
    const fw::WeakRef<fw::Form> alive(this);
    TTWBrowserUpdateResult result;
    {
        const fw::ScopedCursor busy;
        updating_ = true;
        ShowUpdating(true);
        // The frames go first: the update frees the items they show.
        FreeFrames();
        // The view is put back on every way out, unless the window itself went meanwhile.
        struct Restore {
            TfrmTWBrowser& browser;
            const fw::WeakRef<fw::Form>& alive;
            ~Restore()
            {
                if (alive) {
                    browser.updating_ = false;
                    browser.ShowUpdating(false);
                }
            }
        } restore{*this, alive};
        // Let the panel's text show before the long work.
        fw::App().ProcessMessages();
        if (!alive) {
            return;
        }
        try {
            result = items_->Update(BrowseFolder(), rebuild);
        } catch (...) {
            RebuildFrames();
            throw;
        }
        RebuildFrames();
    }
    ReportFailures(result.Failures);
}

void TfrmTWBrowser::ReportFailures(const std::vector<TTWBrowserFailure>& failures)
{
    if (failures.empty()) {
        return;
    }
    std::string names;
    for (const TTWBrowserFailure& failure : failures) {
        names += "\r\n" + failure.FileName;
    }
    TGenericException error = TGenericException::CreateFromSender(
        "These pattern files could not be shown:" + names, nullptr, this, "UpdateThumbnails");
    for (const TTWBrowserFailure& failure : failures) {
        error.AddInfo(failure.FileName + ": " + failure.Message, 0, "TTWBrowserItemList", "Update");
    }
    fw::App().HandleException(error);
}

void TfrmTWBrowser::FreeFrames()
{
    while (!frames_.empty()) {
        delete frames_.back();
        frames_.pop_back();
    }
}

void TfrmTWBrowser::RebuildFrames()
{
    FreeFrames();
    frames_.reserve(static_cast<std::size_t>(items_->Count()));
    for (int i = 0; i < items_->Count(); ++i) {
        auto* frame = new TfrmTWBrowserFrame(this);
        frame->SetName(std::string());
        frame->FinishLoading();
        frame->SetParent(&scrPatterns->BackgroundPanel());
        frame->SetFolder(items_->Folder());
        frame->SetItem(items_->Items(i));
        frame->SetOnOpen([this](fw::Object* sender) {
            if (const auto* opened = dynamic_cast<const TfrmTWBrowserFrame*>(sender)) {
                OpenFrameFile(*opened);
            }
        });
        frames_.push_back(frame);
    }
    LayoutFrames();
}

void TfrmTWBrowser::LayoutFrames()
{
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    scrPatterns->HorzBar().SetPosition(scrPatterns->HorzBar().Minimum());
    scrPatterns->VertBar().SetPosition(scrPatterns->VertBar().Minimum());
    // Twice when the first placing makes the vertical bar come or go, which changes the room.
    for (int round = 0; round < 2; ++round) {
        const bool barBefore = scrPatterns->VertBarNeeded();
        const int room = scrPatterns->ClientWidth() - (barBefore ? scrPatterns->VertBar().Width() : 0);
        int left = 0;
        int top = 0;
        int rowHeight = 0;
        for (TfrmTWBrowserFrame* frame : frames_) {
            if (left > 0 && left + frame->Width() > room - 1) {
                top += rowHeight;
                left = 0;
                rowHeight = 0;
            }
            frame->SetBounds(left, top, frame->Width(), frame->Height());
            left += frame->Width();
            rowHeight = std::max(rowHeight, frame->Height());
        }
        scrPatterns->UpdateLayout();
        if (scrPatterns->VertBarNeeded() == barBefore) {
            break;
        }
    }
    layingOut_ = false;
}

void TfrmTWBrowser::btnSelDirClick()
{
    std::string folder = BrowseFolder();
    if (!fw::SelectDirectory("Select directory", std::string(), folder)) {
        return;
    }
    // Folder names are told apart by their case, as the file system does.
    if (folder == BrowseFolder()) {
        return;
    }
    pnlDirName->SetCaption(folder);
    showsRememberedFolder_ = false;
    UpdateThumbnails(false);
}

void TfrmTWBrowser::OpenFrameFile(const TfrmTWBrowserFrame& frame)
{
    const std::string path = frame.FilePath();
    if (path.empty()) {
        return;
    }
    if (TfrmTWMain* main = Main()) {
        main->LoadFile(path);
    }
}

// --- The main window's factory ---------------------------------------------------------------

void RegisterBrowser()
{
    ShellFactories().CreateBrowser = [](TfrmTWMain& main) -> fw::Form* {
        std::unique_ptr<TfrmTWBrowser> browser(new TfrmTWBrowser(main));
        browser->FinishLoading();
        return browser.release();
    };
}
