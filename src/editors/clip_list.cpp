#include "editors/clip_list.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "controls/scroll_box.h"
#include "editors/block_frame_messages.h"
#include "framework/gui/message.h"
#include "shell/main_window.h"
#include "shell/window_factory.h"

TfrmTWClipList::TfrmTWClipList(fw::Component* owner) : fw::Frame(owner), scrClips(new TILScrollBox(this))
{
    SetName("frameClips");
    SetBounds(0, 0, 320, 120);
    scrClips->SetName("scrClips");
    scrClips->SetParent(this);
    scrClips->SetAlign(fw::Align::Client);
    // The arrows move the strip by a clip's width; the bar keeps the step its properties
    // give it when they are applied again.
    scrClips->HorzScrollProp().SetSmallChange(ScrollStep);
    scrClips->HorzBar().SetSmallChange(ScrollStep);
}

TfrmTWClipList::~TfrmTWClipList()
{
    // The clips go first, while the list is still whole; none of them is looked for again.
    const std::vector<ClipEntry> clips = std::move(clips_);
    clips_.clear();
    for (auto entry = clips.rbegin(); entry != clips.rend(); ++entry) {
        delete entry->Clip;
    }
}

TfrmTWBitmapClip* TfrmTWClipList::AddClip()
{
    auto* clip = new TfrmTWBitmapClip(this);
    clip->SetParent(&scrClips->BackgroundPanel());
    clip->FinishLoading();
    // Asked at the click, so that a provider set later still counts.
    clip->SetActionsProvider([this]() -> ITWActions* { return actionsProvider_ ? actionsProvider_() : nullptr; });
    clips_.push_back(ClipEntry{clip, clip});
    ArrangeClips();
    return clip;
}

TfrmTWBitmapClip* TfrmTWClipList::Clip(int index) const
{
    if (index < 0 || index >= ClipCount()) {
        return nullptr;
    }
    return clips_[static_cast<std::size_t>(index)].Clip;
}

void TfrmTWClipList::ArrangeClips()
{
    // The children lie where the scrolling moved them: content x = left + position.
    int left = ClipSpacing - scrClips->HorzBar().Position();
    const int top = ClipSpacing - scrClips->VertBar().Position();
    for (const ClipEntry& entry : clips_) {
        entry.Clip->SetBounds(left, top, entry.Clip->Width(), entry.Clip->Height());
        left += entry.Clip->Width() + ClipSpacing;
    }
    scrClips->UpdateLayout();
}

void TfrmTWClipList::Notification(fw::Component* component, fw::Operation operation)
{
    fw::Frame::Notification(component, operation);
    if (operation != fw::Operation::Remove) {
        return;
    }
    const auto found = std::find_if(clips_.begin(), clips_.end(),
                                    [component](const ClipEntry& entry) { return entry.Component == component; });
    if (found == clips_.end()) {
        return;
    }
    clips_.erase(found);
    ArrangeClips();
}

void TfrmTWClipList::Dispatch(fw::Message& message)
{
    if (message.Msg != WM_TW_DELETECLIP) {
        fw::Frame::Dispatch(message);
        return;
    }
    // Only compared, never followed, until it is known to be one of ours: a clip freed
    // meanwhile is no longer in the list.
    auto* clip = reinterpret_cast<TfrmTWBitmapClip*>(message.WParam);
    if (std::any_of(clips_.begin(), clips_.end(), [clip](const ClipEntry& entry) { return entry.Clip == clip; })) {
        // Leaving the list and closing the gap happen in Notification.
        delete clip;
    }
    message.Result = 1;
}

void RegisterClipList()
{
    ShellFactories().CreateClipList = [](TfrmTWMain& main, fw::WinControl& parent) -> fw::Control* {
        auto* list = new TfrmTWClipList(&main);
        list->SetParent(&parent);
        list->SetAlign(fw::Align::Client);
        list->SetActionsProvider([&main]() { return main.GetActiveActions(); });
        list->FinishLoading();
        return list;
    };
}
