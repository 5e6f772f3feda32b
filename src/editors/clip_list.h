#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "editors/bitmap_clip.h"
#include "framework/gui/form.h"

class TILScrollBox;

// The strip of bitmap clips on the main window's clip panel: the clips side by side, left
// to right in the order they were added, in a box that scrolls sideways a clip at a time.
// The list owns its clips; a clip asks to be freed through the message WM_TW_DELETECLIP.
class TfrmTWClipList : public fw::Frame {
public:
    // The gap around and between the clips, and the scroll step of the strip.
    static constexpr int ClipSpacing = 5;
    static constexpr int ScrollStep = 75;

    explicit TfrmTWClipList(fw::Component* owner = nullptr);
    ~TfrmTWClipList() override;

    std::string_view className() const override { return "TfrmTWClipList"; }

    // Fills the frame; the clips lie on its background panel.
    TILScrollBox* const scrClips;

    // A new, empty clip owned by the list, placed after the last one; the caller fills it
    // (TfrmTWBitmapClip::Design, SetClip).
    TfrmTWBitmapClip* AddClip();
    int ClipCount() const { return static_cast<int>(clips_.size()); }
    // None outside 0..ClipCount()-1.
    TfrmTWBitmapClip* Clip(int index) const;

    // Where the clips' Paste buttons find the active editor; clips made before and after
    // use it.
    void SetActionsProvider(TTWClipActionsProvider provider) { actionsProvider_ = std::move(provider); }

    // WM_TW_DELETECLIP (WParam = the clip): frees the clip when it is still one of the
    // list's, closes the gap and answers 1.
    void Dispatch(fw::Message& message) override;

protected:
    // A clip freed by anyone leaves the list and the others close up.
    void Notification(fw::Component* component, fw::Operation operation) override;

private:
    // Places the clips side by side from the left edge of the content, keeping the strip's
    // scroll position.
    void ArrangeClips();

    // Each clip with its component part, taken while it was whole: a clip being freed is
    // told apart by the one, a clip named in a message by the other, and neither is
    // followed once the clip has begun to go.
    struct ClipEntry {
        TfrmTWBitmapClip* Clip;
        fw::Component* Component;
    };
    std::vector<ClipEntry> clips_;
    TTWClipActionsProvider actionsProvider_;
};

// Makes the clip list the one the main window puts in its clip panel, its Paste buttons
// reaching the main window's active editor.
void RegisterClipList();
