#pragma once

#include <cstdint>
#include <string>

#include "controls/bevel_rings.h"
#include "controls/notify_event.h"
#include "framework/core/canvas.h"
#include "framework/gui/control.h"

// How a caption lines up across its panel.
enum class TAlignment : std::uint8_t { LeftJustify = 0, RightJustify = 1, Center = 2 };
// Whether a panel has a single-line border of its own.
enum class TBorderStyle : std::uint8_t { None = 0, Single = 1 };

// The settings of a panel as a plain record, for copying them between a brush panel and
// code that keeps them apart from any control (Assign both ways).
class TILPanelComponentInfo : public fw::Persistent {
public:
    TILPanelComponentInfo() = default;

    std::string_view className() const override { return "TILPanelComponentInfo"; }
    fw::Object* NewInstance() const override { return new TILPanelComponentInfo; }

    // Every setter stores and fires OnChange, also when the value stays the same.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    fw::Color Colour() const { return colour_; }
    void SetColour(fw::Color colour);
    fw::Cursor Cursor() const { return cursor_; }
    void SetCursor(fw::Cursor cursor);
    // The record always has a font of its own, so setting and copying it never fail.
    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    // From another record: every field, then OnChange once. Anything else goes to the
    // source's AssignTo (a brush panel fills the record that way).
    void Assign(const fw::Persistent* source) override;

private:
    void Changed();

    TAlignment alignment_ = TAlignment::Center;
    TBevelCut bevelInner_ = TBevelCut::None;
    TBevelCut bevelOuter_ = TBevelCut::Raised;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = TBorderStyle::None;
    int borderWidth_ = 0;
    fw::Color colour_ = fw::clBtnFace;
    fw::Cursor cursor_ = fw::crDefault;
    fw::Font font_;
    std::string hint_;
    TILNotifyEvent onChange_;
};
