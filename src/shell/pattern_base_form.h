#pragma once

#include <string_view>

#include "forms/basic_form.h"
#include "shell/tool_actions.h"

// The base of every pattern editor window: an MDI child of the main window that answers the
// command interface (the main window's menus and tool bar) and the notes-and-name interface
// (the notes window and the main window's name box). Every editor implements all eight
// operations of the two interfaces, or inherits them from its own base editor.
//
// Its owner should be the main window, whose client area it then lives in.
class TfrmTWPatternBaseForm : public TfrmTBasic, public ITWActions, public ITWFormActions {
public:
    explicit TfrmTWPatternBaseForm(fw::Component* owner);
    // Tells the main window that the editor is gone (message 9005 with the window as
    // WParam), unless the main window is itself going.
    ~TfrmTWPatternBaseForm() override;

    std::string_view className() const override { return "TfrmTWPatternBaseForm"; }
};
