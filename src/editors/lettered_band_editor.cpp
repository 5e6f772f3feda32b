// The lettered-band editor window: its parts, the band and the font in it, the tiles of the
// band's text, generating the design, and its life as a child window of the main window.

#include "editors/lettered_band_editor.h"

#include <algorithm>
#include <utility>

#include "controls/brush_panel.h"
#include "controls/scroll_box.h"
#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "editors/double_face_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/letter_glyphs.h"
#include "editors/letter_tile.h"
#include "editors/weaving_image_frame.h"
#include "forms/form_kit.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/display_profile.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/tool_actions.h"
#include "shell/tool_icons.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_node.h"

namespace {

constexpr const char* WindowCaption = "Lettered Band";
constexpr int FontPanelWidth = 220;
constexpr int FontHeaderHeight = 62;
constexpr int BandToolsHeight = 31;
constexpr int ButtonSize = 23;
// Room for the strip's scroll bar and its edges below the tiles.
constexpr int BandStripExtra = 24;
constexpr int MinimumTileRoom = 30;

TILBrushPanel* NewBrushPanel(fw::Component* owner, const char* name)
{
    auto* panel = new TILBrushPanel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    return panel;
}

TILScrollBox* NewBandStrip(fw::Component* owner)
{
    auto* strip = new TILScrollBox(owner);
    strip->SetName("scrBandText");
    return strip;
}

void AddColumn(TILTree& tree, const char* caption, int width)
{
    TILTreeColumnData* column = tree.Columns().Add();
    column->SetCaption(caption);
    column->SetWidth(width);
}

} // namespace

TfrmTWLetteredBand::TfrmTWLetteredBand(fw::Component* owner)
    : TfrmTWPatternBaseForm(owner),
      pnlFont(NewBrushPanel(this, "pnlFont")),
      lblFontName(NewFormLabel(*this, nullptr, "lblFontName", "", 8, 8)),
      btnSelectFont(NewFormButton(*this, nullptr, "btnSelectFont", "Select font", 8, 30, 100)),
      lstFont(new TILTree(this)),
      pnlBand(NewBrushPanel(this, "pnlBand")),
      btnGeneratePattern(NewFormButton(*this, nullptr, "btnGeneratePattern", "Generate pattern", 4, 3, 110)),
      btnMoveLeft(NewToolButton(*this, "btnMoveLeft", "Move selected letters to the left",
                                ToolIcon(TWAction::ShiftLeft))),
      btnMoveLetterRight(NewToolButton(*this, "btnMoveLetterRight", "Move selected letters to the right",
                                       ToolIcon(TWAction::ShiftRight))),
      btnDeleteLetter(NewToolButton(*this, "btnDeleteLetter", "Erase selected letters",
                                    LetterGlyph(TTWLetterGlyph::DeleteLetter))),
      btnSaveDFPattern(NewToolButton(*this, "btnSaveDFPattern", "Save double-faced pattern",
                                     ToolIcon(TWAction::Save))),
      btnPrintDFPattern(NewToolButton(*this, "btnPrintDFPattern", "Print pattern", ToolIcon(TWAction::Print))),
      scrBandText(NewBandStrip(this)),
      frameDoubleFace(new TframeTWDoubleFace(this)),
      font_(std::make_unique<TTWFont>()),
      notes_(UserSettings().DefaultNotes)
{
    SetCaption(WindowCaption);
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);
    lstFont->SetName("lstFont");
    BuildLayout();
    BindEvents();

    // The letters read along the band, in the design as in its image.
    frameDoubleFace->framePattern->SetOrientation(TTWOrientation::Horizontal);
    frameDoubleFace->framePattern->OnAdjustCellInfo = [this](TBlockCellInfo& info) { GetCellDrawInfo(info); };
    frameDoubleFace->frameImage->SetSilent(true);
    frameDoubleFace->frameImage->SetOrientation(TTWOrientation::Horizontal);
    frameDoubleFace->frameImage->SetSilent(false);
    frameDoubleFace->ShowPage(frameDoubleFace->pgDesign);
    LoadFontList();
}

TfrmTWLetteredBand::~TfrmTWLetteredBand()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    frameDoubleFace->framePattern->OnAdjustCellInfo = nullptr;
    lstFont->SetOnNodeDblClick(nullptr);
    // The tiles point into the font: they go first.
    RemoveAllTiles();
    for (TILTreeNode* row : lstFont->Root()->Children()) {
        if (TTWGlyphCellGraphic* glyph = GlyphCellOf(*row, GlyphColumn)) {
            glyph->SetGlyph(fw::Bitmap());
        }
    }
}

void TfrmTWLetteredBand::BuildLayout()
{
    // The font's letters on the left.
    pnlFont->SetParent(pnlTTop);
    pnlFont->SetAlign(fw::Align::Left);
    pnlFont->SetWidth(FontPanelWidth);
    auto* fontHeader = new fw::Panel(this);
    fontHeader->SetName("pnlFontHeader");
    fontHeader->SetCaption(std::string());
    fontHeader->SetBevelOuter(fw::PanelBevel::None);
    fontHeader->SetParent(pnlFont);
    fontHeader->SetAlign(fw::Align::Top);
    fontHeader->SetHeight(FontHeaderHeight);
    lblFontName->SetParent(fontHeader);
    btnSelectFont->SetParent(fontHeader);
    lstFont->SetParent(pnlFont);
    lstFont->SetAlign(fw::Align::Client);
    lstFont->SetOptions(FlatListOptions());
    AddColumn(*lstFont, "Letter", 50);
    AddColumn(*lstFont, "Glyph", 100);
    AddColumn(*lstFont, "Width", 45);

    // The band's tiles with their buttons above the design, beside the letters.
    auto* bandSide = new fw::Panel(this);
    bandSide->SetName("pnlBandSide");
    bandSide->SetCaption(std::string());
    bandSide->SetBevelOuter(fw::PanelBevel::None);
    bandSide->SetParent(pnlTTop);
    bandSide->SetAlign(fw::Align::Client);
    pnlBand->SetParent(bandSide);
    pnlBand->SetAlign(fw::Align::Top);
    auto* tools = new fw::Panel(this);
    tools->SetName("pnlBandTools");
    tools->SetCaption(std::string());
    tools->SetBevelOuter(fw::PanelBevel::None);
    tools->SetParent(pnlBand);
    tools->SetAlign(fw::Align::Top);
    tools->SetHeight(BandToolsHeight);
    btnGeneratePattern->SetParent(tools);
    int left = 122;
    for (fw::SpeedButton* button :
         {btnMoveLeft, btnMoveLetterRight, btnDeleteLetter, btnSaveDFPattern, btnPrintDFPattern}) {
        button->SetParent(tools);
        button->SetBounds(left, 4, ButtonSize, ButtonSize);
        left += ButtonSize + 2;
    }
    scrBandText->SetParent(pnlBand);
    scrBandText->SetAlign(fw::Align::Client);

    frameDoubleFace->SetParent(bandSide);
    frameDoubleFace->SetAlign(fw::Align::Client);
}

void TfrmTWLetteredBand::BindEvents()
{
    lstFont->SetOnNodeDblClick([this](TILTree*, TILTreeNode* row) { AddLetterOfRow(row); });
    btnSelectFont->SetOnClick([this](fw::Object*) { btnSelectFontClick(); });
    btnGeneratePattern->SetOnClick([this](fw::Object*) { btnGeneratePatternClick(); });
    btnMoveLeft->SetOnClick([this](fw::Object*) { btnMoveLeftClick(); });
    btnMoveLetterRight->SetOnClick([this](fw::Object*) { btnMoveLetterRightClick(); });
    btnDeleteLetter->SetOnClick([this](fw::Object*) { btnDeleteLetterClick(); });
    btnSaveDFPattern->SetOnClick([this](fw::Object*) { btnSaveDFPatternClick(); });
    btnPrintDFPattern->SetOnClick([this](fw::Object*) { btnPrintDFPatternClick(); });
}

// --- The band and its font ---------------------------------------------------------------------------

void TfrmTWLetteredBand::OpenPattern(std::unique_ptr<TTWLetteredBand> band, const std::string& fileName)
{
    fileName_ = fileName;
    if (band != nullptr) {
        if (band->GetEncapsulated()) {
            RemoveAllTiles();
            textWithoutFont_.reset();
            font_->Assign(band->Font());
            LoadFontList();
            AddTextTiles({band->Text().begin(), band->Text().end()});
        } else {
            textWithoutFont_ = TextWithoutFont{{band->Text().begin(), band->Text().end()}, band->Name()};
            fw::MessageDlg(std::string(NoFontText), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        }
        notes_ = band->Notes();
        if (ITWEditorHost* host = EditorHost()) {
            host->RefreshNotes(*this);
        }
        band.reset();
        TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeLetteredBand);
    }
    Show();
}

void TfrmTWLetteredBand::LoadFontList()
{
    lblFontName->SetCaption(font_->Name());
    {
        TILTreeUpdateBracket bracket(lstFont);
        lstFont->Clear();
        for (int i = 0; i < font_->GetCharCount(); ++i) {
            TTWFontChar* letter = font_->GetChar(i);
            auto* row = new TILTreeNode(lstFont->Root());
            row->SetObject(letter);
            row->SetCellText(LetterColumn, letter->Letter);
            SetGlyphCell(*row, GlyphColumn, letter->Glyph());
            row->SetCellText(WidthColumn, fw::IntToStr(letter->Width()));
            row->SetHeight(std::max(16, font_->Height() + 2));
        }
    }
    FitBandStrip();
}

void TfrmTWLetteredBand::LoadFont(const std::string& fileName)
{
    // The file is read first: a font that fails to load leaves the band as it was.
    auto font = std::make_unique<TTWFont>();
    font->LoadFromFile(fileName);
    RemoveAllTiles();
    font_ = std::move(font);
    LoadFontList();
    if (textWithoutFont_) {
        const std::vector<std::string> kept = std::move(textWithoutFont_->Text);
        textWithoutFont_.reset();
        AddTextTiles(kept);
    }
}

std::unique_ptr<TTWLetteredBand> TfrmTWLetteredBand::MakeBand() const
{
    auto band = std::make_unique<TTWLetteredBand>();
    if (textWithoutFont_) {
        band->SetName(textWithoutFont_->FontName);
        band->SetNotes(notes_);
        for (const std::string& entry : textWithoutFont_->Text) {
            band->Text().Add(entry);
        }
        return band;
    }
    band->SetName(font_->Name());
    band->SetEncapsulated(true);
    band->Font()->Assign(font_.get());
    band->SetNotes(notes_);
    for (const std::string& letter : TileLetters()) {
        band->Text().Add(letter);
    }
    return band;
}

void TfrmTWLetteredBand::FitBandStrip()
{
    pnlBand->SetHeight(BandToolsHeight + std::max(MinimumTileRoom, font_->Height() + TframeTWChar::CaptionHeight)
                       + BandStripExtra);
}

// --- The tiles -------------------------------------------------------------------------------------------

TframeTWChar* TfrmTWLetteredBand::Tile(int index) const
{
    return index >= 0 && index < TileCount() ? tiles_[static_cast<std::size_t>(index)] : nullptr;
}

TframeTWChar* TfrmTWLetteredBand::AddTile(const TTWFontChar* letter)
{
    const int left = tiles_.empty() ? -scrBandText->HorzBar().Position()
                                    : tiles_.back()->Left() + tiles_.back()->Width();
    auto* tile = new TframeTWChar(this);
    tiles_.push_back(tile);
    tile->SetParent(&scrBandText->BackgroundPanel());
    tile->SetChar(letter);
    tile->SetBounds(left, -scrBandText->VertBar().Position(), letter->Width() + 2,
                    font_->Height() + TframeTWChar::CaptionHeight);
    scrBandText->UpdateLayout();
    return tile;
}

void TfrmTWLetteredBand::AddLetterOfRow(TILTreeNode* row)
{
    if (const auto* letter = row != nullptr ? dynamic_cast<const TTWFontChar*>(row->Object()) : nullptr) {
        AddTile(letter);
    }
}

void TfrmTWLetteredBand::AddTextTiles(const std::vector<std::string>& text)
{
    for (const std::string& entry : text) {
        const TTWFontChar* letter = font_->FindChar(entry);
        if (letter == nullptr) {
            auto standIn = std::make_unique<TTWFontChar>();
            standIn->Letter = entry;
            standIn->SetWidth(std::max(font_->DefCharWidth(), 0));
            standIn->SetHeight(font_->Height());
            letter = lettersWithoutGlyph_.emplace_back(std::move(standIn)).get();
        }
        AddTile(letter);
    }
}

bool TfrmTWLetteredBand::IsWithoutGlyph(const TframeTWChar& tile) const
{
    return std::any_of(lettersWithoutGlyph_.begin(), lettersWithoutGlyph_.end(),
                       [&](const std::unique_ptr<TTWFontChar>& standIn) { return standIn.get() == tile.Char(); });
}

std::vector<std::string> TfrmTWLetteredBand::TileLetters() const
{
    std::vector<std::string> letters;
    for (const TframeTWChar* tile : tiles_) {
        if (tile->Char() != nullptr) {
            letters.push_back(tile->Char()->Letter);
        }
    }
    return letters;
}

void TfrmTWLetteredBand::RemoveAllTiles()
{
    const std::vector<TframeTWChar*> tiles = std::move(tiles_);
    tiles_.clear();
    for (TframeTWChar* tile : tiles) {
        delete tile;
    }
    lettersWithoutGlyph_.clear();
    LayoutTiles();
}

void TfrmTWLetteredBand::LayoutTiles()
{
    int left = -scrBandText->HorzBar().Position();
    const int top = -scrBandText->VertBar().Position();
    for (TframeTWChar* tile : tiles_) {
        tile->SetBounds(left, top, tile->Width(), tile->Height());
        left += tile->Width();
    }
    scrBandText->UpdateLayout();
}

std::vector<int> TfrmTWLetteredBand::SelectedTiles() const
{
    std::vector<int> selected;
    for (int i = 0; i < TileCount(); ++i) {
        if (tiles_[static_cast<std::size_t>(i)]->Selected()) {
            selected.push_back(i);
        }
    }
    return selected;
}

void TfrmTWLetteredBand::ScrollTileIntoView(int index, bool alignRight)
{
    const TframeTWChar* tile = Tile(index);
    if (tile == nullptr) {
        return;
    }
    TILScrollBar& bar = scrBandText->HorzBar();
    const int room = scrBandText->BackgroundPanel().ClientWidth();
    if (tile->Left() >= 0 && tile->Left() + tile->Width() <= room) {
        return;
    }
    const int contentLeft = tile->Left() + bar.Position();
    bar.SetPosition(alignRight ? contentLeft + tile->Width() - room : contentLeft);
}

void TfrmTWLetteredBand::btnMoveLeftClick()
{
    const std::vector<int> selected = SelectedTiles();
    if (selected.empty() || selected.front() == 0) {
        return;
    }
    for (const int index : selected) {
        std::swap(tiles_[static_cast<std::size_t>(index - 1)], tiles_[static_cast<std::size_t>(index)]);
    }
    LayoutTiles();
    ScrollTileIntoView(selected.front() - 1, false);
}

void TfrmTWLetteredBand::btnMoveLetterRightClick()
{
    const std::vector<int> selected = SelectedTiles();
    if (selected.empty() || selected.back() == TileCount() - 1) {
        return;
    }
    for (auto index = selected.rbegin(); index != selected.rend(); ++index) {
        std::swap(tiles_[static_cast<std::size_t>(*index + 1)], tiles_[static_cast<std::size_t>(*index)]);
    }
    LayoutTiles();
    ScrollTileIntoView(selected.back() + 1, true);
}

void TfrmTWLetteredBand::btnDeleteLetterClick()
{
    std::vector<TframeTWChar*> kept;
    for (TframeTWChar* tile : tiles_) {
        if (tile->Selected()) {
            delete tile;
        } else {
            kept.push_back(tile);
        }
    }
    tiles_ = std::move(kept);
    LayoutTiles();
}

void TfrmTWLetteredBand::btnSelectFontClick()
{
    const fw::ScopedCursor busy;
    ITWEditorHost* host = EditorHost();
    std::string fileName;
    if (host == nullptr || !host->ExecuteOpenFontDialog(fileName)) {
        return;
    }
    LoadFont(fileName);
}

// --- The design -----------------------------------------------------------------------------------------

void TfrmTWLetteredBand::btnGeneratePatternClick()
{
    if (fw::MessageDlg(std::string(GenerateQuestion), fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        == fw::mrYes) {
        GeneratePattern();
    }
}

void TfrmTWLetteredBand::GeneratePattern()
{
    const fw::ScopedCursor busy;
    std::vector<const TTWFontChar*> letters;
    for (const TframeTWChar* tile : tiles_) {
        if (tile->Char() != nullptr && !IsWithoutGlyph(*tile)) {
            letters.push_back(tile->Char());
        }
    }
    // A band too large to weave is refused before the design changes.
    const fw::Bitmap design = BuildLetteredBandGrid(*font_, letters);
    frameDoubleFace->SetThreadingMode(font_->Threading());
    frameDoubleFace->framePattern->SetPattern(design);
    frameDoubleFace->ShowPage(frameDoubleFace->pgDesign);
}

void TfrmTWLetteredBand::GetCellDrawInfo(TBlockCellInfo& info)
{
    SetLetterCellTwining(info, frameDoubleFace->framePattern->IsCellSet(info.Column, info.Row),
                         frameDoubleFace->ThreadingMode());
}

// --- The window's life -----------------------------------------------------------------------------------

void TfrmTWLetteredBand::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
    }
}

void TfrmTWLetteredBand::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternTypeLetteredBand);
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::Block));
    }
}
