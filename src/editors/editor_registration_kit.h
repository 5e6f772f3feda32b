#pragma once

// What every editor's registration does alike: an editor window made for the main window,
// a new one opened, a pattern read by the file loader taken over.

#include <memory>
#include <string>

#include "model/pattern_base.h"
#include "shell/main_window.h"

// An editor owned by the main window and reaching it through its host, built, not shown yet.
// The host comes before FinishLoading: making the window already adds it to the Windows menu.
template <class Editor>
Editor* HostedEditor(TfrmTWMain& main, std::unique_ptr<Editor> editor)
{
    editor->SetEditorHost(&main.EditorHost());
    editor->FinishLoading();
    return editor.release();
}

template <class Editor>
Editor* NewHostedEditor(TfrmTWMain& main)
{
    return HostedEditor(main, std::make_unique<Editor>(&main));
}

// Shows a window just made through show(editor); a window that fails to show is freed.
template <class Editor, class Show>
void ShowNewEditor(Editor* editor, Show show)
{
    try {
        show(*editor);
    } catch (...) {
        delete editor;
        throw;
    }
}

// The opener of a new, empty design, for the editors that open one as OpenPattern(none, "").
template <class Editor>
void OpenNewEmptyEditor(TfrmTWMain& main, int)
{
    ShowNewEditor(NewHostedEditor<Editor>(main), [](Editor& editor) { editor.OpenPattern(nullptr, std::string()); });
}

// The pattern read, taken over as the kind the editor keeps; none when it is of another kind.
template <class Pattern>
std::unique_ptr<Pattern> TakeLoaded(std::unique_ptr<TTWPatternBase>& pattern)
{
    auto* read = dynamic_cast<Pattern*>(pattern.get());
    if (read == nullptr) {
        return nullptr;
    }
    pattern.release();
    return std::unique_ptr<Pattern>(read);
}
