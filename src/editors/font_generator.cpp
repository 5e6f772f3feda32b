// The font generator window: its parts, the font in it, the letters of its list and the
// letter on the grid, weaving the letter, its name and notes, and its life as a child window
// of the main window.

#include "editors/font_generator.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "editors/font_glyph_design.h"
#include "editors/letter_glyphs.h"
#include "editors/weaving_image_frame.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/card_list.h"
#include "model/display_profile.h"
#include "model/font.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pattern_limits.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr const char* CaptionBase = "Font Generator";
constexpr int LettersPanelWidth = 232;
constexpr int LetterEditHeight = 120;
constexpr int EditLeft = 56;
constexpr int ButtonSize = 23;
// The colours a letter is woven in: black where a cell is set, white elsewhere.
constexpr TTWColour PatternColour = 0x000000;
constexpr TTWColour BackgroundColour = 0xFFFFFF;

TILBrushPage* NewPage(fw::Component* owner, const char* name, const char* caption)
{
    auto* page = new TILBrushPage(owner);
    page->SetName(name);
    page->SetPageName(caption);
    return page;
}

TILBrushPanel* NewLettersPanel(fw::Component* owner)
{
    auto* panel = new TILBrushPanel(owner);
    panel->SetName("pnlLetters");
    panel->SetCaption(std::string());
    return panel;
}

fw::Edit* NewEdit(fw::Component& owner, const char* name)
{
    auto* edit = new fw::Edit(&owner);
    edit->SetName(name);
    return edit;
}

void AddColumn(TILTree& tree, const char* caption, int width)
{
    TILTreeColumnData* column = tree.Columns().Add();
    column->SetCaption(caption);
    column->SetWidth(width);
}

// Holds the list's selection events back for a scope: the list is being changed in code.
class QuietList {
public:
    explicit QuietList(bool& quiet) : quiet_(quiet), before_(quiet) { quiet_ = true; }
    ~QuietList() { quiet_ = before_; }
    QuietList(const QuietList&) = delete;
    QuietList& operator=(const QuietList&) = delete;

private:
    bool& quiet_;
    bool before_;
};

} // namespace

std::string TfrmTWFontGenerator::LetterWidthTooLargeText()
{
    return "The letter width must not be greater than " + fw::IntToStr(TTWFontChar::MaxWidth) + ".";
}

TfrmTWFontGenerator::TfrmTWFontGenerator(fw::Component* owner)
    : TfrmTWPatternBaseForm(owner),
      pnlLetters(NewLettersPanel(this)),
      lblLetter(NewFormLabel(*this, nullptr, "lblLetter", "Letter", 8, 11)),
      edLetter(NewEdit(*this, "edLetter")),
      lblLetterName(NewFormLabel(*this, nullptr, "lblLetterName", "Name", 8, 37)),
      edLetterName(NewEdit(*this, "edLetterName")),
      lblLetterWidth(NewFormLabel(*this, nullptr, "lblLetterWidth", "Width", 8, 63)),
      edLetterWidth(NewEdit(*this, "edLetterWidth")),
      btnSetLetterWidth(NewFormButton(*this, nullptr, "btnSetLetterWidth", "Set", EditLeft + 56, 59, 40)),
      btnPrintSequence(NewToolButton(*this, "btnPrintSequence", "Print turning sequence for this letter",
                                       ToolIcon(TWAction::Print))),
      btnAddChar(NewToolButton(*this, "btnAddChar", "Add a letter", LetterGlyph(TTWLetterGlyph::AddLetter))),
      btnDeleteChar(NewToolButton(*this, "btnDeleteChar", "Delete selected letter",
                                    LetterGlyph(TTWLetterGlyph::DeleteLetter))),
      btnMoveCharUp(NewToolButton(*this, "btnMoveCharUp", "Move letter up", ToolIcon(TWAction::ShiftUp))),
      btnMoveCharDown(NewToolButton(*this, "btnMoveCharDown", "Move letter down", ToolIcon(TWAction::ShiftDown))),
      lstFont(new TILTree(this)),
      pcDesign(new TILBrushPageControl(this)),
      pgBlockPattern(NewPage(this, "pgBlockPattern", "Letter")),
      framePattern(new TfrmBlockPattern(this)),
      pgImage(NewPage(this, "pgImage", "Image")),
      frameImage(new TfrmWeavingImage(this)),
      font_(std::make_unique<TTWFont>()),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>()),
      threaded_(std::make_unique<TTWPattern>())
{
    SetCaption(CaptionBase);
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);
    pcDesign->SetName("pcDesign");
    framePattern->SetName("framePattern");
    frameImage->SetName("frameImage");
    lstFont->SetName("lstFont");

    BuildLayout();
    BindEvents();

    // The letter reads along the band: the grid turned a quarter, and a picture imported in
    // that view turned with it.
    framePattern->SetOrientation(TTWOrientation::Horizontal);
    framePattern->btnRotate->SetVisible(false);
    framePattern->SetPicksPerRow(2);
    const TTWUserSettings& settings = UserSettings();
    framePattern->SetBaseWidth(settings.ImageSizeRatios.DoubleFace.Width);
    framePattern->SetBaseHeight(settings.ImageSizeRatios.DoubleFace.Height);
    framePattern->SetImportFollowsOrientation(true);

    // Set up quietly: the window is not the active editor yet. The woven letter reads along
    // the band as it does on the grid.
    frameImage->SetSilent(true);
    frameImage->SetOrientation(TTWOrientation::Horizontal);
    frameImage->SetWeaving(frontWeaving_.get());
    frameImage->SetReverseAvailable(reverseWeaving_.get());
    frameImage->SetCardListProvider([this](TWeavingCardListKind kind) -> TTWCardList* {
        TTWCardList* cards = &threaded_->Cards();
        if (kind == TWeavingCardListKind::LeftSelvedge) {
            cards = &threaded_->SelvedgeLeft();
        } else if (kind == TWeavingCardListKind::RightSelvedge) {
            cards = &threaded_->SelvedgeRight();
        }
        cards->SetPalette(&threaded_->Palette());
        return cards;
    });
    frameImage->SetSilent(false);
    pcDesign->SetActivePage(pgBlockPattern);
    EditLetter(nullptr);
}

TfrmTWFontGenerator::~TfrmTWFontGenerator()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    // The parts outlive the font, the bands and the pattern (they go with the window's
    // components): nothing of theirs may point into them, nor call back, by then.
    pcDesign->SetOnChangingPage(nullptr);
    pcDesign->SetOnPageChanged(nullptr);
    lstFont->SetOnSelectNode(nullptr);
    lstFont->SetOnDeselectNode(nullptr);
    framePattern->OnCellChanged = nullptr;
    framePattern->OnImportBitmap = nullptr;
    framePattern->OnAdjustCellInfo = nullptr;
    framePattern->OnShift = nullptr;
    framePattern->OnMirrorColumns = nullptr;
    framePattern->OnMirrorRows = nullptr;
    framePattern->OnImported = nullptr;
    framePattern->OnAreaCleared = nullptr;
    for (TILTreeNode* row : lstFont->Root()->Children()) {
        if (TTWGlyphCellGraphic* glyph = GlyphCellOf(*row, GlyphColumn)) {
            glyph->SetGlyph(fw::Bitmap());
        }
    }
    frameImage->SetSilent(true);
    frameImage->SetCardListProvider({});
    frameImage->SetWeaving(nullptr);
    frameImage->SetReverseAvailable(nullptr);
}

void TfrmTWFontGenerator::BuildLayout()
{
    pnlLetters->SetParent(pnlTTop);
    pnlLetters->SetAlign(fw::Align::Left);
    pnlLetters->SetWidth(LettersPanelWidth);

    // The letter's fields and buttons above its list.
    auto* edits = new fw::Panel(this);
    edits->SetName("pnlLetterEdit");
    edits->SetCaption(std::string());
    edits->SetBevelOuter(fw::PanelBevel::None);
    edits->SetParent(pnlLetters);
    edits->SetAlign(fw::Align::Top);
    edits->SetHeight(LetterEditHeight);
    for (fw::Label* label : {lblLetter, lblLetterName, lblLetterWidth}) {
        label->SetParent(edits);
    }
    edLetter->SetParent(edits);
    edLetter->SetBounds(EditLeft, 8, 60, 21);
    edLetterName->SetParent(edits);
    edLetterName->SetBounds(EditLeft, 34, LettersPanelWidth - EditLeft - 8, 21);
    edLetterWidth->SetParent(edits);
    edLetterWidth->SetBounds(EditLeft, 60, 50, 21);
    btnSetLetterWidth->SetParent(edits);
    btnSetLetterWidth->SetHeight(ButtonSize);
    btnPrintSequence->SetParent(edits);
    btnPrintSequence->SetBounds(EditLeft + 100, 59, ButtonSize, ButtonSize);
    int left = 8;
    for (fw::SpeedButton* button : {btnAddChar, btnDeleteChar, btnMoveCharUp, btnMoveCharDown}) {
        button->SetParent(edits);
        button->SetBounds(left, 90, ButtonSize, ButtonSize);
        left += ButtonSize + 2;
    }

    lstFont->SetParent(pnlLetters);
    lstFont->SetAlign(fw::Align::Client);
    lstFont->SetOptions(FlatListOptions() | TILTreeDisplayOption::iltMultiSelect);
    AddColumn(*lstFont, "Letter", 50);
    AddColumn(*lstFont, "Glyph", 110);
    AddColumn(*lstFont, "Width", 45);

    pcDesign->SetParent(pnlTTop);
    pcDesign->SetAlign(fw::Align::Client);
    for (TILBrushPage* page : {pgBlockPattern, pgImage}) {
        page->SetParent(pcDesign);
    }
    framePattern->SetParent(pgBlockPattern);
    framePattern->SetAlign(fw::Align::Client);
    frameImage->SetParent(pgImage);
    frameImage->SetAlign(fw::Align::Client);
}

void TfrmTWFontGenerator::BindEvents()
{
    lstFont->SetOnSelectNode([this](TILTree*, TILTreeNode* row) { RowSelected(row); });
    lstFont->SetOnDeselectNode([this](TILTree*, TILTreeNode* row) { RowDeselected(row); });

    framePattern->OnCellChanged = [this](int, int, bool) { RepaintEditedRow(); };
    // A picture imported into a letter is as high as the font: the frame has already turned
    // it, so its width runs across the band.
    framePattern->OnImportBitmap = [this](fw::Bitmap& bitmap) {
        if (bitmap.Width() != font_->Height()) {
            bitmap.SetWidth(font_->Height());
        }
        // A low font lets a long picture through the design's cell limit: a letter longer
        // than a font file holds is refused here, before the grid changes.
        if (bitmap.Height() > TTWFontChar::MaxWidth) {
            throw TGenericException::CreateFromSender(LetterWidthTooLargeText(), nullptr, this, "ImportBitmap");
        }
    };
    framePattern->OnImported = [this](fw::Object*) {
        edLetterWidth->SetText(fw::IntToStr(framePattern->GridHeight()));
        RepaintEditedRow();
    };
    framePattern->OnAdjustCellInfo = [this](TBlockCellInfo& info) { GetCellDrawInfo(info); };
    const TBlockAreaEvent repaint = [this](const TBlockArea&, int, int) { RepaintEditedRow(); };
    framePattern->OnShift = repaint;
    framePattern->OnMirrorColumns = repaint;
    framePattern->OnMirrorRows = repaint;
    framePattern->OnAreaCleared = repaint;

    btnAddChar->SetOnClick([this](fw::Object*) { btnAddCharClick(); });
    btnDeleteChar->SetOnClick([this](fw::Object*) { btnDeleteCharClick(); });
    btnMoveCharUp->SetOnClick([this](fw::Object*) { btnMoveCharUpClick(); });
    btnMoveCharDown->SetOnClick([this](fw::Object*) { btnMoveCharDownClick(); });
    btnSetLetterWidth->SetOnClick([this](fw::Object*) { btnSetLetterWidthClick(); });
    btnPrintSequence->SetOnClick([this](fw::Object*) { PrintSequence(); });

    pcDesign->SetOnChangingPage([this](TILBrushPageControl*, TILBrushPage* page) {
        if (page == pgImage) {
            RefreshWeavingImage();
        }
        return true;
    });
    pcDesign->SetOnPageChanged([this](fw::Object*) {
        TellMain(WM_TW_TOOLSTATESCHANGED);
        ProfileMenuForPage();
    });
}

// --- The font ----------------------------------------------------------------------------------------

void TfrmTWFontGenerator::OpenFont(std::unique_ptr<TTWFont> font, const std::string& fileName)
{
    fileName_ = fileName;
    if (font != nullptr) {
        // The letters' rows point into the font: they go before it does.
        EditLetter(nullptr);
        {
            const QuietList quiet(listQuiet_);
            lstFont->Clear();
        }
        font_ = std::move(font);
    }
    LoadFont();
    Show();
}

void TfrmTWFontGenerator::LoadFont()
{
    SetPatternName(font_->Name());
    if (ITWEditorHost* host = EditorHost()) {
        host->RefreshNotes(*this);
    }
    {
        const QuietList quiet(listQuiet_);
        TILTreeUpdateBracket bracket(lstFont);
        lstFont->Clear();
        for (int i = 0; i < font_->GetCharCount(); ++i) {
            AddRow(font_->GetChar(i));
        }
    }
    EditLetter(nullptr);
}

TILTreeNode* TfrmTWFontGenerator::AddRow(TTWFontChar* letter)
{
    auto* row = new TILTreeNode(lstFont->Root());
    row->SetObject(letter);
    SetGlyphCell(*row, GlyphColumn, letter->Glyph());
    ShowRow(row, *letter);
    return row;
}

void TfrmTWFontGenerator::ShowRow(TILTreeNode* row, const TTWFontChar& letter)
{
    row->SetCellText(LetterColumn, letter.Letter);
    row->SetCellText(WidthColumn, fw::IntToStr(letter.Width()));
    row->SetHeight(std::max(16, font_->Height() + 2));
}

TILTreeNode* TfrmTWFontGenerator::RowOf(const TTWFontChar* letter) const
{
    if (letter == nullptr) {
        return nullptr;
    }
    for (TILTreeNode* row : lstFont->Root()->Children()) {
        if (row->Object() == letter) {
            return row;
        }
    }
    return nullptr;
}

TTWFontChar* TfrmTWFontGenerator::LetterOf(const TILTreeNode* row) const
{
    return row != nullptr ? dynamic_cast<TTWFontChar*>(row->Object()) : nullptr;
}

// --- The letter on the grid --------------------------------------------------------------------------

void TfrmTWFontGenerator::EditLetter(TTWFontChar* letter)
{
    const fw::ScopedCursor busy;
    // The row left shows its letter as it is stored.
    if (TILTreeNode* previous = RowOf(edited_)) {
        if (TTWGlyphCellGraphic* glyph = GlyphCellOf(*previous, GlyphColumn)) {
            glyph->SetGlyph(edited_->Glyph());
        }
        previous->Repaint();
    }
    edited_ = letter;
    EnableLetterControls(letter != nullptr);
    if (letter != nullptr) {
        edLetter->SetText(letter->Letter);
        edLetterName->SetText(letter->Name);
        edLetterWidth->SetText(fw::IntToStr(letter->Width()));
        // Taking another design also drops the undo steps of the letter before.
        framePattern->SetPattern(GlyphToDesign(letter->Glyph()));
        if (TILTreeNode* row = RowOf(letter)) {
            if (TTWGlyphCellGraphic* glyph = GlyphCellOf(*row, GlyphColumn)) {
                // The row shows the grid's overview while the letter is drawn.
                glyph->Follow([this] { return DesignToGlyph(DesignOfGrid(*framePattern)); });
            }
            row->Repaint();
        }
    } else {
        edLetter->SetText(std::string());
        edLetterName->SetText(std::string());
        edLetterWidth->SetText(std::string());
        framePattern->ClearGrid();
    }
    if (ImageShown()) {
        RefreshWeavingImage();
    }
    TellMain(WM_TW_TOOLSTATESCHANGED);
}

void TfrmTWFontGenerator::StoreEditedLetter()
{
    if (edited_ == nullptr) {
        return;
    }
    edited_->Letter = fw::Trim(edLetter->Text());
    edited_->Name = fw::Trim(edLetterName->Text());
    edited_->Glyph() = DesignToGlyph(DesignOfGrid(*framePattern));
    if (TILTreeNode* row = RowOf(edited_)) {
        ShowRow(row, *edited_);
        row->Repaint();
    }
}

void TfrmTWFontGenerator::EnableLetterControls(bool enabled)
{
    for (fw::Control* control : std::initializer_list<fw::Control*>{
             lblLetter, edLetter, lblLetterName, edLetterName, lblLetterWidth, edLetterWidth, btnSetLetterWidth,
             btnPrintSequence, btnDeleteChar, btnMoveCharUp, btnMoveCharDown}) {
        control->SetEnabled(enabled);
    }
    // A font without letters must still be able to get its first one.
    btnAddChar->SetEnabled(true);
}

void TfrmTWFontGenerator::RowSelected(TILTreeNode* row)
{
    if (listQuiet_) {
        return;
    }
    TTWFontChar* letter = LetterOf(row);
    if (letter == edited_) {
        return;
    }
    // A row added to the selection leaves the letter edited until now as well.
    StoreEditedLetter();
    EditLetter(letter);
}

void TfrmTWFontGenerator::RowDeselected(TILTreeNode* row)
{
    if (listQuiet_ || LetterOf(row) != edited_) {
        return;
    }
    StoreEditedLetter();
    // Another row still selected becomes the one edited.
    EditLetter(LetterOf(lstFont->GetSelected()));
}

void TfrmTWFontGenerator::RepaintEditedRow()
{
    if (TILTreeNode* row = RowOf(edited_)) {
        row->Repaint();
    }
}

// --- The letter buttons --------------------------------------------------------------------------------

void TfrmTWFontGenerator::btnAddCharClick()
{
    TTWFontChar* letter = font_->AddChar(std::string(NewLetterText), std::string(NewLetterName));
    TILTreeNode* row = AddRow(letter);
    // The new letter is the one drawn next.
    lstFont->SelectNode(row, true, TILTreePlaceBottom);
}

void TfrmTWFontGenerator::btnDeleteCharClick()
{
    if (lstFont->GetSelectedCount() == 0) {
        return;
    }
    if (fw::MessageDlg(std::string(DeleteQuestion), fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    std::vector<TILTreeNode*> rows;
    for (int i = 0; i < lstFont->GetSelectedCount(); ++i) {
        rows.push_back(lstFont->GetSelectedItem(i));
    }
    std::sort(rows.begin(), rows.end(),
              [](const TILTreeNode* a, const TILTreeNode* b) { return a->GetIndex() > b->GetIndex(); });
    const QuietList quiet(listQuiet_);
    TILTreeUpdateBracket bracket(lstFont);
    for (TILTreeNode* row : rows) {
        TTWFontChar* letter = LetterOf(row);
        if (letter == edited_) {
            EditLetter(nullptr);
        }
        delete row;
        if (letter != nullptr) {
            font_->Chars().Remove(letter);
        }
    }
}

void TfrmTWFontGenerator::MoveSelectedLetter(int step)
{
    TILTreeNode* row = lstFont->GetSelected();
    TTWFontChar* letter = LetterOf(row);
    if (letter == nullptr) {
        return;
    }
    const int from = font_->Chars().IndexOf(letter);
    const int to = from + step;
    if (from < 0 || to < 0 || to >= font_->GetCharCount()) {
        return;
    }
    font_->Chars().Exchange(from, to);
    {
        const QuietList quiet(listQuiet_);
        row->SetIndex(row->GetIndex() + step);
    }
    lstFont->ScrollNodeIntoView(row);
}

void TfrmTWFontGenerator::btnMoveCharUpClick()
{
    MoveSelectedLetter(-1);
}

void TfrmTWFontGenerator::btnMoveCharDownClick()
{
    MoveSelectedLetter(1);
}

void TfrmTWFontGenerator::btnSetLetterWidthClick()
{
    int width = 0;
    if (!fw::TryStrToInt(fw::Trim(edLetterWidth->Text()), width) || width <= 0) {
        fw::MessageDlg(std::string(LetterWidthText), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        edLetterWidth->SetFocus();
        return;
    }
    if (width > TTWFontChar::MaxWidth) {
        fw::MessageDlg(LetterWidthTooLargeText(), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        edLetterWidth->SetFocus();
        return;
    }
    // The letter is saved as a design of the font's height by its width: the font file
    // would not open again with a larger one.
    if (!DesignCellsFit(font_->Height(), width)) {
        fw::MessageDlg(PatternCellsText(font_->Height(), width, MaxDesignCells), fw::MsgDlgType::Error,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        edLetterWidth->SetFocus();
        return;
    }
    framePattern->SetGridHeight(width);
    ShowPage(pgBlockPattern);
    if (TILTreeNode* row = RowOf(edited_)) {
        row->SetCellText(WidthColumn, fw::IntToStr(width));
        row->Repaint();
    }
}

// --- Weaving the letter -----------------------------------------------------------------------------

void TfrmTWFontGenerator::BuildThreadedPattern(TTWPattern& pattern) const
{
    BuildLetterThreadedPattern(*framePattern, font_->Threading(), pattern);
}

void TfrmTWFontGenerator::RefreshWeavingImage()
{
    const fw::ScopedCursor busy;
    // The letters are built anew; the band weaves on from the first pick that changed.
    const int firstPick = threaded_->Rebuild([this](TTWPattern& threaded) { BuildThreadedPattern(threaded); });
    threaded_->Palette().SetColour(0, PatternColour);
    threaded_->Palette().SetColour(1, BackgroundColour);
    threaded_->UpdateWeaving(*frontWeaving_, &threaded_->Palette(), false, firstPick);
    threaded_->UpdateWeaving(*reverseWeaving_, &threaded_->Palette(), true, firstPick);
    frameImage->Redraw();
}

std::string TfrmTWFontGenerator::SequenceTitle() const
{
    std::string title = fw::Trim(edLetter->Text());
    const std::string name = fw::Trim(edLetterName->Text());
    if (!name.empty()) {
        title += " [" + name + "]";
    }
    return title;
}

void TfrmTWFontGenerator::GetCellDrawInfo(TBlockCellInfo& info)
{
    SetLetterCellTwining(info, framePattern->IsCellSet(info.Column, info.Row), font_->Threading());
}

bool TfrmTWFontGenerator::ImageShown() const
{
    return pcDesign->ActivePage() == pgImage;
}

void TfrmTWFontGenerator::ShowPage(TILBrushPage* page)
{
    if (page == pcDesign->ActivePage()) {
        return;
    }
    if (const TILBrushPageControl::ChangingPageEvent& changing = pcDesign->OnChangingPage()) {
        if (!changing(pcDesign, page)) {
            return;
        }
    }
    pcDesign->SetActivePage(page);
}

// --- Name and notes -----------------------------------------------------------------------------------

std::string TfrmTWFontGenerator::GetNotes()
{
    return font_->Notes();
}

void TfrmTWFontGenerator::SetNotes(const std::string& notes)
{
    font_->SetNotes(notes);
}

std::string TfrmTWFontGenerator::GetPatternName()
{
    return font_->Name();
}

void TfrmTWFontGenerator::SetPatternName(const std::string& name)
{
    font_->SetName(name);
    UpdateCaption();
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeFont);
}

void TfrmTWFontGenerator::UpdateCaption()
{
    const std::string& name = font_->Name();
    SetCaption(name.empty() ? std::string(CaptionBase) : std::string(CaptionBase) + ": " + name);
    if (ITWEditorHost* host = EditorHost()) {
        host->UpdateWindowMenuCaption(*this);
    }
}

// --- The window's life -----------------------------------------------------------------------------------

void TfrmTWFontGenerator::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
    }
    pcDesign->SetActivePage(pgBlockPattern);
}

void TfrmTWFontGenerator::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternTypeFont);
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::Block));
    }
}

void TfrmTWFontGenerator::ProfileMenuForPage()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(ImageShown() ? TTWProfileKind::WeavingImage : TTWProfileKind::Block));
    }
}
