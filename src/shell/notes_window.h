#pragma once

#include <memory>
#include <string_view>

#include "framework/gui/form.h"
#include "framework/gui/message.h"
#include "framework/gui/std_memo.h"

class ITWFormActions;
class TfrmTWMain;

// "Notes": the one notes window of the program, a memo that shows and edits the notes of
// the pattern in the active editor. It docks into the main window's right-hand dock panel,
// floats as a tool window, or stays hidden, as the "ShowNotes" setting says. It reaches the
// pattern only through the editor's ITWFormActions.
//
// The binding is guarded: an editor freed while still bound is simply forgotten (the notes
// typed for it meanwhile go with it), never written to. Editors unbind themselves (bind none)
// before they are freed, which stores the notes first.
class TfrmTWNotes : public fw::Form {
public:
    // Width of the dock panel when the window shows docked and no width was remembered.
    static constexpr int DefaultDockedWidth = 150;
    // Width of the empty dock panel.
    static constexpr int EmptyDockWidth = 3;

    // "Notes", a sizeable tool window of 276 x 480 that can be dragged to dock; main is the
    // window whose dock panel and splitter it uses (none: it never docks).
    TfrmTWNotes(fw::Component* owner, TfrmTWMain* main);
    ~TfrmTWNotes() override;

    std::string_view className() const override { return "TfrmTWNotes"; }

    // Fills the window; vertical scroll bar.
    fw::Memo* const edNotes;

    // The memo's text goes into the bound pattern (when it is still there), then the new one
    // is bound (none unbinds) and its notes are shown. While bound, every change the user
    // makes in the memo goes into the pattern at once.
    void SetPattern(ITWFormActions* actions);
    // The bound pattern; none when none is bound or the bound editor is gone.
    ITWFormActions* Pattern() const;
    // With a pattern: its notes, enabled, in the window colour; without: empty, disabled, in
    // the button face colour.
    void UpdateNotes();
    // When an editor window is created: unless "ShowNotes" says Hidden (or anything but
    // Docked and Floating) or the window shows already, it docks (Docked) or floats at its
    // remembered place (Floating), then shows in front.
    void ShowAsConfigured();
    // The notes command of the editors: shows the window when hidden, hides it when shown.
    void ToggleVisible();

    // The width the dock panel had when the docked window was last hidden (0 at first).
    int DockedWidth() const { return dockedWidth_; }
    // Where the window floats when the settings ask for it: its bounds as it was made.
    fw::Rect FloatingRect() const { return floatingRect_; }

protected:
    void DoShow() override;
    void DoHide() override;

private:
    void FormShow();
    void FormHide();
    bool Docked() const;

    TfrmTWMain* main() const { return main_.Get(); }

    int dockedWidth_ = 0;
    fw::Rect floatingRect_;
    ITWFormActions* pattern_ = nullptr;
    // Alive as long as the bound editor; a pattern without a window has no token and counts
    // as alive while bound.
    std::weak_ptr<const void> patternToken_;
    bool patternGuarded_ = false;
    // While the bound pattern's notes are put into the memo: not a change of the user's.
    bool showingNotes_ = false;
    fw::WeakRef<TfrmTWMain> main_;
};

// The one notes window while it exists; editors bind themselves to it.
extern TfrmTWNotes* frmTWNotes;

// Registers the notes window's factory with the shell: the main window makes it at start-up,
// owned by the application.
void RegisterNotesWindow();
