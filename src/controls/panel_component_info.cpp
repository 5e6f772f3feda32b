#include "controls/panel_component_info.h"

void TILPanelComponentInfo::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
}

void TILPanelComponentInfo::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Changed();
}

void TILPanelComponentInfo::SetBevelInner(TBevelCut cut)
{
    bevelInner_ = cut;
    Changed();
}

void TILPanelComponentInfo::SetBevelOuter(TBevelCut cut)
{
    bevelOuter_ = cut;
    Changed();
}

void TILPanelComponentInfo::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Changed();
}

void TILPanelComponentInfo::SetBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    Changed();
}

void TILPanelComponentInfo::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Changed();
}

void TILPanelComponentInfo::SetColour(fw::Color colour)
{
    colour_ = colour;
    Changed();
}

void TILPanelComponentInfo::SetCursor(fw::Cursor cursor)
{
    cursor_ = cursor;
    Changed();
}

void TILPanelComponentInfo::SetFont(const fw::Font& font)
{
    font_ = font;
    Changed();
}

void TILPanelComponentInfo::SetHint(const std::string& hint)
{
    hint_ = hint;
    Changed();
}

void TILPanelComponentInfo::Assign(const fw::Persistent* source)
{
    const auto* info = dynamic_cast<const TILPanelComponentInfo*>(source);
    if (info == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    // Straight into the fields: the record announces the copy once, as a whole.
    alignment_ = info->alignment_;
    bevelInner_ = info->bevelInner_;
    bevelOuter_ = info->bevelOuter_;
    bevelWidth_ = info->bevelWidth_;
    borderStyle_ = info->borderStyle_;
    borderWidth_ = info->borderWidth_;
    colour_ = info->colour_;
    cursor_ = info->cursor_;
    font_ = info->font_;
    hint_ = info->hint_;
    Changed();
}
