// The messages the main window takes: from itself (the command line, the registration
// check) and from the editor windows (activation, name changes, their end, tool states).

#include <cstdint>

#include "controls/brush_panel.h"
#include "framework/core/files.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/menu.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/main_window.h"
#include "shell/main_window_messages.h"
#include "shell/pattern_base_form.h"
#include "shell/tool_actions.h"
#include "shell/window_factory.h"

bool IsPatternFileArgument(std::string_view argument)
{
    const std::string extension = fw::UpperCase(fw::ExtractFileExt(argument));
    return extension == ".TVL" || extension == ".TVF";
}

void TfrmTWMain::Dispatch(fw::Message& message)
{
    switch (message.Msg) {
    case WM_TW_OPENCMDLINEFILE:
        OpenCommandLineFile(static_cast<int>(message.WParam));
        return;
    case WM_TW_CHECKREGISTRATION:
        CheckFileTypeRegistration();
        return;
    case WM_TW_EDITORACTIVATED:
        EditorActivated(static_cast<int>(message.WParam));
        return;
    case WM_TW_EDITORNAMECHANGED:
        EditorNameChanged(static_cast<int>(message.WParam));
        return;
    case WM_TW_EDITORDESTROYED:
        EditorDestroyed();
        message.Result = 1;
        return;
    case WM_TW_TOOLSTATESCHANGED: {
        pmDisplayProfiles->Items()->Clear();
        if (ITWActions* actions = GetActiveActions()) {
            TTWToolActionList list;
            actions->GetToolActions(list);
            ApplyToolActions(&list);
        }
        return;
    }
    case WM_TW_TOOLSDISABLED:
        ApplyToolActions(nullptr);
        return;
    case WM_TW_TOOLSTATE: {
        const auto packed = static_cast<std::uint32_t>(message.LParam);
        const bool enabled = (packed & 0xFFu) != 0 && ((packed >> 8) & 0xFFu) != 0;
        const bool down = ((packed >> 16) & 0xFFu) != 0;
        SetToolState(static_cast<std::int32_t>(message.WParam), enabled, down);
        return;
    }
    default:
        fw::Form::Dispatch(message);
    }
}

void TfrmTWMain::OpenCommandLineFile(int index)
{
    const std::string argument = fw::App().ParamStr(index);
    if (IsPatternFileArgument(argument)) {
        LoadFile(argument);
    }
}

void TfrmTWMain::CheckFileTypeRegistration()
{
    if (!UserSettings().System.CheckTVLReg) {
        return;
    }
    // The check itself, and the dialog that offers the registration, belong to the
    // registration module; without it there is nothing to check against, and a note at
    // every start would only be in the way.
    if (WindowOpenerRegistered(TTWWindowKind::FileTypeRegistration)) {
        OpenWindowOfKind(*this, TTWWindowKind::FileTypeRegistration);
    }
}

void TfrmTWMain::EditorActivated(int kind)
{
    if (IsBeingDestroyed()) {
        return;
    }
    // The clips belong to the block designers; these two kinds have none.
    if (kind == PatternTypeThreaded || kind == PatternTypeBrokenTwill) {
        SetClipPanelVisible(false);
    }
    EditorNameChanged(kind);
}

void TfrmTWMain::EditorNameChanged(int kind)
{
    if (IsBeingDestroyed()) {
        return;
    }
    pnlPatternInfo->SetVisible(kind >= PatternTypeFont && kind <= PatternTypeTwistPatterned);
    if (!pnlPatternInfo->Visible()) {
        return;
    }
    fw::Form* child = ActiveMDIChild();
    if (auto* editor = dynamic_cast<TfrmTWPatternBaseForm*>(child)) {
        edPatternName->SetText(editor->GetPatternName());
        pnlPatternFileName->SetCaption(editor->GetFileName());
        // The lettered band takes its name from its text.
        const bool nameEditable = editor->className() != "TfrmTWLetteredBand";
        edPatternName->SetEnabled(nameEditable);
        lblPatternName->SetEnabled(nameEditable);
        UpdateWindowMenuCaption(editor);
    } else {
        edPatternName->SetText(std::string());
        pnlPatternFileName->SetCaption(std::string());
        edPatternName->SetEnabled(false);
        lblPatternName->SetEnabled(false);
    }
}

void TfrmTWMain::EditorDestroyed()
{
    edPatternName->SetText(std::string());
    pnlPatternFileName->SetCaption(std::string());
    edPatternName->SetEnabled(false);
    lblPatternName->SetEnabled(false);
}

void TfrmTWMain::edPatternNameKeyUp()
{
    if (auto* editor = dynamic_cast<TfrmTWPatternBaseForm*>(ActiveMDIChild())) {
        editor->SetPatternName(edPatternName->Text());
    }
}
