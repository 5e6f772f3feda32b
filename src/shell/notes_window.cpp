#include "shell/notes_window.h"

#include <string>

#include "framework/gui/application.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_splitter.h"
#include "model/model_state.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"

TfrmTWNotes* frmTWNotes = nullptr;

namespace {

// The values of the "ShowNotes" setting the window acts on.
constexpr int ShowNotesDocked = 1;
constexpr int ShowNotesFloating = 2;

// Where the window first floats, before anybody moved it.
constexpr fw::Rect DesignedBounds{560, 120, 560 + 276, 120 + 480};

} // namespace

TfrmTWNotes::TfrmTWNotes(fw::Component* owner, TfrmTWMain* main)
    : fw::Form(owner), edNotes(new fw::Memo(this)), main_(main)
{
    SetName("frmTWNotes");
    SetCaption("Notes");
    SetBorderStyle(fw::FormBorderStyle::SizeToolWin);
    SetBoundsRect(DesignedBounds);
    SetDragKind(fw::DragKind::Dock);
    floatingRect_ = fw::Rect{Left(), Top(), Left() + Width(), Top() + Height()};

    edNotes->SetName("edNotes");
    edNotes->SetParent(this);
    edNotes->SetAlign(fw::Align::Client);
    edNotes->SetWordWrap(true);
    edNotes->SetScrollBars(fw::ScrollStyle::Vertical);
    // What the user types reaches the pattern at once, so that a save, a print, an export or
    // the close question never sees notes older than the window shows.
    edNotes->SetOnChange([this](fw::Object*) {
        if (showingNotes_) {
            return;
        }
        if (ITWFormActions* bound = Pattern()) {
            bound->SetNotes(edNotes->Text());
        }
    });

    frmTWNotes = this;
    UpdateNotes();
}

TfrmTWNotes::~TfrmTWNotes()
{
    if (frmTWNotes == this) {
        frmTWNotes = nullptr;
    }
}

// --- The bound pattern -------------------------------------------------------------------------

ITWFormActions* TfrmTWNotes::Pattern() const
{
    if (pattern_ == nullptr || (patternGuarded_ && patternToken_.expired())) {
        return nullptr;
    }
    return pattern_;
}

void TfrmTWNotes::SetPattern(ITWFormActions* actions)
{
    if (ITWFormActions* bound = Pattern()) {
        bound->SetNotes(edNotes->Text());
    }
    pattern_ = actions;
    // An editor window ends its liveness as it is freed: the binding follows it.
    const auto* window = dynamic_cast<const fw::MessageTarget*>(actions);
    patternGuarded_ = window != nullptr;
    patternToken_ = window != nullptr ? window->LivenessToken() : std::weak_ptr<const void>();
    UpdateNotes();
}

void TfrmTWNotes::UpdateNotes()
{
    showingNotes_ = true;
    if (ITWFormActions* bound = Pattern()) {
        edNotes->SetText(bound->GetNotes());
        edNotes->SetEnabled(true);
        edNotes->SetColor(fw::clWindow);
    } else {
        edNotes->SetText(std::string());
        edNotes->SetEnabled(false);
        edNotes->SetColor(fw::clBtnFace);
    }
    showingNotes_ = false;
}

// --- Showing, docking and floating ----------------------------------------------------------------

bool TfrmTWNotes::Docked() const
{
    return HostDockSite() != nullptr;
}

void TfrmTWNotes::ShowAsConfigured()
{
    const int mode = static_cast<int>(UserSettings().General.ShowNotes);
    if ((mode != ShowNotesDocked && mode != ShowNotesFloating) || Visible()) {
        return;
    }
    if (mode == ShowNotesDocked) {
        if (!Docked() && main() != nullptr) {
            ManualDock(main()->pnlDockRight);
        }
    } else if (Docked()) {
        ManualFloat(floatingRect_);
    }
    Show();
    BringToFront();
}

void TfrmTWNotes::ToggleVisible()
{
    SetVisible(!Visible());
}

void TfrmTWNotes::DoShow()
{
    FormShow();
    fw::Form::DoShow();
}

void TfrmTWNotes::DoHide()
{
    FormHide();
    fw::Form::DoHide();
}

void TfrmTWNotes::FormShow()
{
    TfrmTWMain* window = main();
    if (!Docked() || window == nullptr) {
        return;
    }
    window->spltRight->Show();
    window->pnlDockRight->SetWidth(dockedWidth_ < 4 ? DefaultDockedWidth : dockedWidth_);
}

void TfrmTWNotes::FormHide()
{
    TfrmTWMain* window = main();
    if (!Docked() || window == nullptr) {
        return;
    }
    dockedWidth_ = window->pnlDockRight->Width();
    window->spltRight->Hide();
    window->pnlDockRight->SetWidth(EmptyDockWidth);
}

// --- Registration ---------------------------------------------------------------------------------

void RegisterNotesWindow()
{
    ShellFactories().CreateNotesWindow = [](TfrmTWMain& main) -> fw::Form* {
        auto* notes = new TfrmTWNotes(&fw::App(), &main);
        notes->FinishLoading();
        return notes;
    };
}
