#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/pattern_base_form.h"

class TILBrushPanel;
class TILScrollBox;
class TILTree;
class TILTreeNode;
class TTWFont;
class TTWFontChar;
class TTWLetteredBand;
class TframeTWChar;
class TframeTWDoubleFace;
struct TBlockCellInfo;

namespace fw {
class Button;
class Label;
class SpeedButton;
} // namespace fw

// The editor window of lettered bands. The letters of a font are listed on the left; a
// double click puts a letter at the end of the band's text, a strip of tiles above the
// design. The tiles can be selected, moved and erased; Generate lays their glyphs one after
// the other, with the letters' spaces and the font's kerning, into a double-face design shown
// (and woven) in the frame below. The band is saved as its text with a copy of the font;
// the design can also be saved as a double-face pattern or printed as a turning sequence.
//
// The window owns its font. It reaches the program only through its editor host.
class TfrmTWLetteredBand : public TfrmTWPatternBaseForm {
public:
    // The font list's columns.
    static constexpr int LetterColumn = 0;
    static constexpr int GlyphColumn = 1;
    static constexpr int WidthColumn = 2;

    static constexpr std::string_view GenerateQuestion = "Generate the double-faced band?";
    static constexpr std::string_view NoFontText = "Unable to display band - no font data is available.";
    // The name of the double-face pattern saved or printed from the design.
    static constexpr std::string_view DesignName = "(Lettered Band)";

    // "Lettered Band", maximised, an empty font and band, the user's default notes. Not shown.
    explicit TfrmTWLetteredBand(fw::Component* owner);
    ~TfrmTWLetteredBand() override;

    std::string_view className() const override { return "TfrmTWLetteredBand"; }

    // --- Components -----------------------------------------------------------------------
    TILBrushPanel* const pnlFont;
    fw::Label* const lblFontName;
    fw::Button* const btnSelectFont;
    TILTree* const lstFont;
    TILBrushPanel* const pnlBand;
    fw::Button* const btnGeneratePattern;
    fw::SpeedButton* const btnMoveLeft;
    fw::SpeedButton* const btnMoveLetterRight;
    fw::SpeedButton* const btnDeleteLetter;
    fw::SpeedButton* const btnSaveDFPattern;
    fw::SpeedButton* const btnPrintDFPattern;
    TILScrollBox* const scrBandText;
    TframeTWDoubleFace* const frameDoubleFace;

    // --- The band --------------------------------------------------------------------------
    // Keeps the file name; shows the band (none: a new band), which it frees; shows the
    // window. A band without a font shows NoFontText in an error box and keeps its text and
    // font name, unseen, until a font is chosen.
    void OpenPattern(std::unique_ptr<TTWLetteredBand> band, const std::string& fileName);
    const TTWFont& Font() const { return *font_; }
    // The list again from the font.
    void LoadFontList();
    // Reads the font file into a new font that replaces the old one; every tile goes. A
    // band opened without its font gets tiles for the text it kept, in the new font's
    // letters.
    void LoadFont(const std::string& fileName);
    // The band as it would be saved: the font's name, a copy of the font, the notes and the
    // tiles' letters; while a band opened without its font has none, its font name and text
    // as it came, without a font.
    std::unique_ptr<TTWLetteredBand> MakeBand() const;

    // --- The tiles ---------------------------------------------------------------------------
    int TileCount() const { return static_cast<int>(tiles_.size()); }
    TframeTWChar* Tile(int index) const;
    // A tile for the letter at the end of the band.
    TframeTWChar* AddTile(const TTWFontChar* letter);
    // The letter of the list row, at the end of the band (a double click on the row).
    void AddLetterOfRow(TILTreeNode* row);
    // The text the tiles spell, one entry per tile.
    std::vector<std::string> TileLetters() const;
    void RemoveAllTiles();
    // The tiles side by side from the strip's left edge, as it is scrolled now.
    void LayoutTiles();

    void btnSelectFontClick();
    void btnMoveLeftClick();
    void btnMoveLetterRightClick();
    void btnDeleteLetterClick();
    // "Generate the double-faced band?"; Yes makes the design from the tiles.
    void btnGeneratePatternClick();
    // The design from the tiles without asking.
    void GeneratePattern();
    void btnSaveDFPatternClick();
    void btnPrintDFPatternClick();

    // The band grid's record adjuster: the twining marks of the font's threading.
    void GetCellDrawInfo(TBlockCellInfo& info);

    // --- ITWFormActions ---------------------------------------------------------------------
    std::string GetNotes() override { return notes_; }
    void SetNotes(const std::string& notes) override { notes_ = notes; }
    std::string GetFileName() override { return fileName_; }
    // The band takes its font's name: it has none of its own to show or set.
    std::string GetPatternName() override { return std::string(); }
    void SetPatternName(const std::string&) override {}

    // --- ITWActions -------------------------------------------------------------------------
    // Save (3), notes (5), clear (606: the area of the design in area mode, else every
    // tile); the rest to the double-face frame. Always handled.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    void PasteClip(fw::Object* source) override;

    // "Close form and lose changes?": only Yes lets the window close, and it is then freed.
    bool CloseQuery() override { return TfrmTWPatternBaseForm::CloseQuery() && ConfirmLosingChanges(); }

protected:
    void FormCreate() override;
    // Closing switches every tool off, as every editor's closing does. A refresh of the tools
    // instead would reach the main window while this window is still its active child: the
    // main window would take this editor's own tools again, and they would stay on after it
    // is gone (with no other window, until the next editor opens).
    void DoClose(fw::CloseAction& action) override
    {
        TfrmTWPatternBaseForm::DoClose(action);
        FreeOnClose(action);
    }
    void DoActivate() override;

private:
    void BuildLayout();
    void BindEvents();
    void SaveBand();
    // The tiles in band order that are selected, by index.
    std::vector<int> SelectedTiles() const;
    // Scrolls the strip so that the tile shows, at its left (or right) edge when it does not.
    void ScrollTileIntoView(int index, bool alignRight);
    // The strip high enough for the font's tiles.
    void FitBandStrip();

    // The text and font name of a band opened without its font: there are no letters to
    // show them with, and a save must not lose them.
    struct TextWithoutFont {
        std::vector<std::string> Text;
        std::string FontName;
    };

    // A tile for each entry of the text, in order: the font's letter, or a blank stand-in
    // with the entry's text where the font has no letter for it.
    void AddTextTiles(const std::vector<std::string>& text);
    // Whether the tile stands in for a letter the font lacks: it weaves nothing, but stays in
    // the text and goes with the next save.
    bool IsWithoutGlyph(const TframeTWChar& tile) const;

    std::unique_ptr<TTWFont> font_;
    // The stand-ins of letters the font lacks, shown by tiles.
    std::vector<std::unique_ptr<TTWFontChar>> lettersWithoutGlyph_;
    std::optional<TextWithoutFont> textWithoutFont_;
    std::string fileName_;
    std::vector<TframeTWChar*> tiles_;
    std::string notes_;
};
