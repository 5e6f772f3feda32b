#pragma once

#include <string_view>

#include "framework/gui/form.h"

class TTWFontChar;
class TTWPictureImage;

namespace fw {
class Label;
class Panel;
} // namespace fw

// One letter of a lettered band's text as a tile: the letter's text above its glyph, drawn
// one pixel per cell. A click on the text selects the tile or lets it go again; a selected
// tile stands out sunken in red with white text.
class TframeTWChar : public fw::Frame {
public:
    // The height of the text above the glyph.
    static constexpr int CaptionHeight = 15;
    static constexpr fw::Color SelectedColour = 0x0000FF;

    explicit TframeTWChar(fw::Component* owner = nullptr);
    ~TframeTWChar() override;

    std::string_view className() const override { return "TframeTWChar"; }

    fw::Panel* const pnlBase;
    fw::Label* const lblChar;
    TTWPictureImage* const imgChar;

    // The letter shown (not owned); none.
    const TTWFontChar* Char() const { return char_; }
    // With a letter: its text and glyph, the tile (letter width + 2) wide and (glyph height
    // + CaptionHeight) high. None: no text, no glyph.
    void SetChar(const TTWFontChar* letter);

    bool Selected() const { return selected_; }
    void SetSelected(bool selected);
    // What a click on the text does: the selection turns over.
    void lblCharClick();

private:
    const TTWFontChar* char_ = nullptr;
    bool selected_ = false;
};
