#pragma once

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

private:
    ITWEditorHost* host_ = nullptr;
};
