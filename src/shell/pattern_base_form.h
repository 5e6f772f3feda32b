#pragma once

#include <cstdint>
#include <string_view>

#include "forms/basic_form.h"
#include "shell/tool_actions.h"

class ITWEditorHost;

// The base of every pattern editor window: an MDI child of the main window that answers the
// command interface (the main window's menus and tool bar) and the notes-and-name interface
// (the notes window and the main window's name box). Every editor implements all eight
// operations of the two interfaces, or inherits them from its own base editor.
//
// Its owner should be the main window, whose client area it then lives in.
class TfrmTWPatternBaseForm : public TfrmTBasic, public ITWActions, public ITWFormActions {
public:
    explicit TfrmTWPatternBaseForm(fw::Component* owner);
    // Tells its host that the editor is gone.
    ~TfrmTWPatternBaseForm() override;

    // The host the editor reaches the program through, handed over by whoever makes the
    // window before FinishLoading; none: the editor reaches nothing outside itself.
    ITWEditorHost* EditorHost() const { return host_; }
    void SetEditorHost(ITWEditorHost* host) { host_ = host; }
    // The owner of the dialogs the editor runs: the host's, else the editor itself.
    fw::Component* DialogOwner();

    std::string_view className() const override { return "TfrmTWPatternBaseForm"; }

protected:
    // What the editors' closing does: "Close form and lose changes?" (true for Yes), and a
    // window that closes is freed, the notes letting go of it first and the main window
    // switching its tools off.
    static bool ConfirmLosingChanges();
    void FreeOnClose(fw::CloseAction& action);
    // What every editor tells as it becomes the active one: its pattern kind (PatternType...),
    // that its tools are to be asked again, and the notes it brings.
    void AnnounceActivation(int patternKind);

    // A message of main_window_messages.h to the main window, through the host.
    void TellMain(int message, std::intptr_t wParam = 0) const;
    // The notes window shows (bind) or lets go of this editor's notes.
    void BindNotes(bool bind);

private:
    ITWEditorHost* host_ = nullptr;
};
