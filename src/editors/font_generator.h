#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "shell/pattern_base_form.h"

class TILBrushPage;
class TILBrushPageControl;
class TILBrushPanel;
class TILTree;
class TILTreeNode;
class TTWFont;
class TTWFontChar;
class TTWPattern;
class TTWWeaving;
class TfrmBlockPattern;
class TfrmWeavingImage;
struct TBlockCellInfo;

namespace fw {
class Button;
class Edit;
class Label;
class SpeedButton;
} // namespace fw

// The editor window of weaving fonts. The list on the left holds the font's letters, each
// with its glyph and width; the letter selected there is drawn on the block grid, turned so
// that it reads along the band (one column per card, one row per row of the band), and the
// image page shows it woven in double face. Leaving a letter stores what the grid, the
// letter and the name edits show back into it; switching letters never carries an undo step
// across. The properties dialog edits the font as a whole.
//
// The window owns the font it shows. It reaches the program only through its editor host.
class TfrmTWFontGenerator : public TfrmTWPatternBaseForm {
public:
    // The list's columns.
    static constexpr int LetterColumn = 0;
    static constexpr int GlyphColumn = 1;
    static constexpr int WidthColumn = 2;

    static constexpr std::string_view NewLetterText = "(?)";
    static constexpr std::string_view NewLetterName = "(New)";
    static constexpr std::string_view LetterWidthText = "The letter width must be greater than zero.";
    static constexpr std::string_view DeleteQuestion = "Delete the selected characters?";
    // A width beyond what a letter can hold.
    static std::string LetterWidthTooLargeText();

    // "Font Generator", maximised, a new empty font; the grid turned to the band's direction.
    // Not shown.
    explicit TfrmTWFontGenerator(fw::Component* owner);
    ~TfrmTWFontGenerator() override;

    std::string_view className() const override { return "TfrmTWFontGenerator"; }

    // --- Components -----------------------------------------------------------------------
    TILBrushPanel* const pnlLetters;
    fw::Label* const lblLetter;
    fw::Edit* const edLetter;
    fw::Label* const lblLetterName;
    fw::Edit* const edLetterName;
    fw::Label* const lblLetterWidth;
    fw::Edit* const edLetterWidth;
    fw::Button* const btnSetLetterWidth;
    fw::SpeedButton* const btnPrintSequence;
    fw::SpeedButton* const btnAddChar;
    fw::SpeedButton* const btnDeleteChar;
    fw::SpeedButton* const btnMoveCharUp;
    fw::SpeedButton* const btnMoveCharDown;
    TILTree* const lstFont;
    TILBrushPageControl* const pcDesign;
    TILBrushPage* const pgBlockPattern;
    TfrmBlockPattern* const framePattern;
    TILBrushPage* const pgImage;
    TfrmWeavingImage* const frameImage;

    // --- The font --------------------------------------------------------------------------
    // Keeps the file name and the font (none: a new font), shows it and the window.
    void OpenFont(std::unique_ptr<TTWFont> font, const std::string& fileName);
    TTWFont& Font() { return *font_; }
    const TTWFont& Font() const { return *font_; }
    // The list again from the font, the name to the main window; no letter edited.
    void LoadFont();

    // --- Letters ---------------------------------------------------------------------------
    // The letter on the grid; none.
    TTWFontChar* EditedLetter() const { return edited_; }
    // The letter's row of the list; none.
    TILTreeNode* RowOf(const TTWFontChar* letter) const;
    TTWFontChar* LetterOf(const TILTreeNode* row) const;
    // The letter goes onto the grid and into the edits (none: both emptied), the letter's
    // controls enabled exactly with one. Whatever was edited before is not stored: see
    // StoreEditedLetter.
    void EditLetter(TTWFontChar* letter);
    // The edits and the grid written back into the edited letter, and its row updated.
    void StoreEditedLetter();

    // The letter buttons.
    void btnAddCharClick();
    void btnDeleteCharClick();
    void btnMoveCharUpClick();
    void btnMoveCharDownClick();
    void btnSetLetterWidthClick();

    // --- Weaving the letter ---------------------------------------------------------------
    // The threaded-in form of the grid, cards threaded by the font's scheme.
    void BuildThreadedPattern(TTWPattern& pattern) const;
    // The letter woven again into both bands and shown.
    void RefreshWeavingImage();
    // The title of the letter's turning sequence: the letter, with " [" + name + "]" when it
    // has a name.
    std::string SequenceTitle() const;
    // The turning sequence of the edited letter in the turning-action display.
    void PrintSequence();
    // The grid's record adjuster: the twining marks of the font's threading.
    void GetCellDrawInfo(TBlockCellInfo& info);

    const TTWPattern& ThreadedPattern() const { return *threaded_; }
    const TTWWeaving& FrontWeaving() const { return *frontWeaving_; }
    const TTWWeaving& ReverseWeaving() const { return *reverseWeaving_; }

    bool ImageShown() const;
    // Shows the page as a click on its tab does (the image is woven first).
    void ShowPage(TILBrushPage* page);

    // --- ITWFormActions ---------------------------------------------------------------------
    std::string GetNotes() override;
    void SetNotes(const std::string& notes) override;
    std::string GetFileName() override { return fileName_; }
    std::string GetPatternName() override;
    void SetPatternName(const std::string& name) override;

    // --- ITWActions -------------------------------------------------------------------------
    // Properties (1), save (3), notes (5), print (100); the rest, while a letter is edited,
    // to the frame of the page shown. Always handled.
    bool PerformAction(std::int32_t actionId, bool down, fw::Object* data) override;
    void GetToolActions(TTWToolActionList& list) override;
    // Into the grid, only while it is shown.
    void PasteClip(fw::Object* source) override;

    // "Close form and lose changes?": only Yes lets the window close, and it is then freed.
    bool CloseQuery() override { return TfrmTWPatternBaseForm::CloseQuery() && ConfirmLosingChanges(); }

protected:
    void FormCreate() override;
    void DoClose(fw::CloseAction& action) override
    {
        TfrmTWPatternBaseForm::DoClose(action);
        FreeOnClose(action);
    }
    void DoActivate() override;

private:
    void BuildLayout();
    void BindEvents();
    // A row showing the letter, appended to the list.
    TILTreeNode* AddRow(TTWFontChar* letter);
    void ShowRow(TILTreeNode* row, const TTWFontChar& letter);
    void RowSelected(TILTreeNode* row);
    void RowDeselected(TILTreeNode* row);
    // The edited letter's row repainted: its glyph follows the grid.
    void RepaintEditedRow();
    void EnableLetterControls(bool enabled);
    void MoveSelectedLetter(int step);
    void UpdateCaption();
    void ProfileMenuForPage();

    // Commands.
    void EditProperties();
    void SaveFont();

    std::string fileName_;
    std::unique_ptr<TTWFont> font_;
    TTWFontChar* edited_ = nullptr;
    std::unique_ptr<TTWWeaving> frontWeaving_;
    std::unique_ptr<TTWWeaving> reverseWeaving_;
    std::unique_ptr<TTWPattern> threaded_;
    // The list is being changed in code: its selection events are not the user's.
    bool listQuiet_ = false;
};
