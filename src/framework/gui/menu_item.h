#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object.h"
#include "framework/gui/control.h"

namespace fw {

// A key with its modifiers, as menus show and match them: the virtual key code in the low
// byte plus these flags; 0 is none.
using ShortCut = std::uint16_t;
inline constexpr ShortCut scNone = 0;
inline constexpr ShortCut scShift = 0x2000;
inline constexpr ShortCut scCtrl = 0x4000;
inline constexpr ShortCut scAlt = 0x8000;

// One menu command: just the data an item carries and its click. Sub-items, separators,
// radio groups and the Qt side come with the main window's menus.
class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner = nullptr) : Component(owner) {}

    std::string_view className() const override { return "TMenuItem"; }

    // With '&' before the mnemonic character; "-" is a separator.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    fw::ShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(fw::ShortCut shortCut) { shortCut_ = shortCut; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

    const NotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(NotifyEvent handler) { onClick_ = std::move(handler); }
    // Runs OnClick when the item is enabled.
    virtual void Click();

private:
    std::string caption_;
    fw::ShortCut shortCut_ = scNone;
    std::intptr_t tag_ = 0;
    int helpContext_ = 0;
    bool enabled_ = true;
    bool checked_ = false;
    NotifyEvent onClick_;
};

} // namespace fw
