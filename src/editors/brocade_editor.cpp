// The brocade editor window: its parts, a pattern in and out of the grid, weaving the band,
// its name and notes, and its life as a child window of the main window.

#include "editors/brocade_editor.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/brocade_image_frame.h"
#include "editors/brocade_pattern_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/card_list.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/thread.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/palette_functions_frame.h"
#include "shell/tool_actions.h"

namespace {

constexpr const char* CaptionBase = "Brocade Pattern";
constexpr const char* WeftNames[TfrmBrocade::WeftPanels] = {"Weft A", "Weft B", "Weft C", "Weft D", "Weft E"};
constexpr int Margin = 6;
constexpr int WeftPanelSize = 22;
constexpr int WeftCaptionWidth = 64;
constexpr int WeftRowStep = WeftPanelSize + 4;
// A twist-patterned ground shows its design by the slant of its threads alone.
constexpr TTWColour SlantOneColour = 0x000000;
constexpr TTWColour OtherSlantColour = 0xFFFFFF;

std::string CaptionFor(const std::string& name)
{
    return std::string(CaptionBase) + ": " + name;
}

TILBrushPage* NewPage(fw::Component* owner, const char* name, const char* caption)
{
    auto* page = new TILBrushPage(owner);
    page->SetName(name);
    page->SetPageName(caption);
    return page;
}

TILBrushPanel* NewBrushPanel(fw::Component* owner, const char* name)
{
    auto* panel = new TILBrushPanel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    panel->DrawData().SetBevelOuter(TBevelCut::None);
    return panel;
}

fw::Panel* NewWeftPanel(fw::Component* owner, const std::string& name, int tag)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    panel->SetTag(tag);
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    return panel;
}

fw::Panel* NewWeftCaption(fw::Component* owner, const std::string& name, const char* caption)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    panel->SetCaption(caption);
    panel->SetBevelOuter(fw::PanelBevel::None);
    return panel;
}

} // namespace

TfrmBrocade::TfrmBrocade(fw::Component* owner)
    : TfrmTWPatternBaseForm(owner),
      pcMain(new TILBrushPageControl(this)),
      pgPattern(NewPage(this, "pgPattern", "Pattern")),
      framePattern(new TfrmBrocadePatternFrame(this)),
      pgImage(NewPage(this, "pgImage", "Real Image")),
      frameWeaving(new TfrmTWBrocadeImage(this)),
      pnlOptions(NewBrushPanel(this, "pnlOptions")),
      lblWefts(NewFormLabel(*this, pnlOptions, "lblWefts", "Wefts", Margin, Margin)),
      pnlWeftA(NewWeftPanel(this, "pnlWeftA", 1)),
      pnlWeftB(NewWeftPanel(this, "pnlWeftB", 2)),
      pnlWeftC(NewWeftPanel(this, "pnlWeftC", 3)),
      pnlWeftD(NewWeftPanel(this, "pnlWeftD", 4)),
      pnlWeftE(NewWeftPanel(this, "pnlWeftE", 5)),
      pnlWeftACap(NewWeftCaption(this, "pnlWeftACap", WeftNames[0])),
      pnlWeftBCap(NewWeftCaption(this, "pnlWeftBCap", WeftNames[1])),
      pnlWeftCCap(NewWeftCaption(this, "pnlWeftCCap", WeftNames[2])),
      pnlWeftDCap(NewWeftCaption(this, "pnlWeftDCap", WeftNames[3])),
      pnlWeftECap(NewWeftCaption(this, "pnlWeftECap", WeftNames[4])),
      lblWarp(NewFormLabel(*this, pnlOptions, "lblWarp", "Warp", Margin, Margin)),
      pnlColours(NewBrushPanel(this, "pnlColours")),
      frameColours(new TfrmTWPaletteFunctions(this)),
      pattern_(std::make_unique<TTWBrocadePattern>()),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>())
{
    // No name: the main window owns any number of these windows.
    SetCaption(CaptionBase);
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);
    weftPanels_ = {pnlWeftA, pnlWeftB, pnlWeftC, pnlWeftD, pnlWeftE};
    weftCaptions_ = {pnlWeftACap, pnlWeftBCap, pnlWeftCCap, pnlWeftDCap, pnlWeftECap};
    BuildLayout();

    const TTWUserSettings& settings = UserSettings();
    framePattern->SetBaseWidth(settings.ImageSizeRatios.Brocade.Width);
    framePattern->SetBaseHeight(settings.ImageSizeRatios.Brocade.Height);
    framePattern->SetOrientation(settings.DefaultRotations.Brocade);

    // Set up quietly: the window is not the active editor yet.
    frameWeaving->SetSilent(true);
    frameWeaving->SetBrocadePattern(pattern_.get());
    frameWeaving->SetWeaving(frontWeaving_.get());
    frameWeaving->SetReverseAvailable(reverseWeaving_.get());
    frameWeaving->SetCardListProvider([this](TWeavingCardListKind kind) -> TTWCardList* {
        TTWCardList* cards = &pattern_->Cards();
        if (kind == TWeavingCardListKind::LeftSelvedge) {
            cards = &pattern_->SelvedgeLeft();
        } else if (kind == TWeavingCardListKind::RightSelvedge) {
            cards = &pattern_->SelvedgeRight();
        }
        cards->SetPalette(&pattern_->Palette());
        return cards;
    });
    frameWeaving->SetSilent(false);

    BindEvents();
    BindPalette();
    ShowWefts();
    SelectWeftPanel(pnlWeftA);
    {
        const TBlockPatternUpdate update(*framePattern);
        SetDesignSize(NewDesignWidth, NewDesignPicks);
    }
    StoreGrid();
    pcMain->SetActivePage(pgPattern);
}

TfrmBrocade::~TfrmBrocade()
{
    // The notes go into the pattern while both are still here.
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    UnbindEvents();
}

void TfrmBrocade::BuildLayout()
{
    pcMain->SetName("pcMain");
    pcMain->SetParent(pnlTTop);
    pcMain->SetAlign(fw::Align::Client);
    for (TILBrushPage* page : {pgPattern, pgImage}) {
        page->SetParent(pcMain);
    }
    frameWeaving->SetName("frameWeaving");
    frameWeaving->SetParent(pgImage);
    frameWeaving->SetAlign(fw::Align::Client);

    // The pattern page: the wefts and the warp's palette at the left, the grid beside them.
    pnlOptions->SetParent(pgPattern);
    pnlOptions->SetAlign(fw::Align::Left);
    lblWefts->SetParent(pnlOptions);
    int top = Margin + 18;
    for (int i = 0; i < WeftPanels; ++i) {
        weftPanels_[static_cast<std::size_t>(i)]->SetParent(pnlOptions);
        weftPanels_[static_cast<std::size_t>(i)]->SetBounds(Margin, top, WeftPanelSize, WeftPanelSize);
        weftCaptions_[static_cast<std::size_t>(i)]->SetParent(pnlOptions);
        weftCaptions_[static_cast<std::size_t>(i)]->SetBounds(Margin + WeftPanelSize + 4, top, WeftCaptionWidth,
                                                              WeftPanelSize);
        top += WeftRowStep;
    }
    top += Margin;
    lblWarp->SetParent(pnlOptions);
    lblWarp->SetTop(top);
    top += 18;
    frameColours->SetName("frameColours");
    pnlColours->SetParent(pnlOptions);
    frameColours->SetParent(pnlColours);
    frameColours->SetLeft(0);
    frameColours->SetTop(0);
    pnlColours->SetBounds(Margin, top, frameColours->Width(), frameColours->Height());
    pnlOptions->SetWidth(std::max(frameColours->Width(), WeftPanelSize + 4 + WeftCaptionWidth) + 2 * Margin);

    framePattern->SetName("framePattern");
    framePattern->SetParent(pgPattern);
    framePattern->SetAlign(fw::Align::Client);
}

void TfrmBrocade::BindEvents()
{
    framePattern->OnCellChanged = [this](int x, int y, bool) { CellChanged(x, y); };
    framePattern->OnRebuilding = [this] { RecomputeRuns(); };
    framePattern->OnCellColour = [this](TfrmBrocadePatternFrame*, int x, int y) { return LongFloatColour(x, y); };
    TfrmCardSetupCompact* cards = framePattern->frameCards;
    cards->SetOnHoleColourChanged([this](TfrmCardCompactBase* frame, int hole) { HoleColourChanged(frame, hole); });
    // The card row takes its primary and secondary colours from the palette frame's two
    // colour panels.
    frameColours->SetCardSetup(cards);
    frameColours->SetCardList(&pattern_->Cards());
    frameColours->SetOnPaletteChanged([this](TfrmTWPaletteFunctions*) { framePattern->Refresh(); });
    // These change many cards at once: the grid is drawn once afterwards.
    for (fw::SpeedButton* button :
         {cards->btnMoveLeft, cards->btnMoveRight, cards->btnRotateColFwd, cards->btnRotateColBack,
          frameColours->btnSwapColours, frameColours->btnReplaceColours, frameColours->btnReplaceCol2}) {
        const fw::NotifyEvent inner = button->OnClick();
        button->SetOnClick([this, inner](fw::Object* sender) {
            const fw::ScopedCursor busy;
            const TBlockPatternUpdate update(*framePattern);
            if (inner) {
                inner(sender);
            }
        });
    }
    for (fw::Panel* panel : weftPanels_) {
        panel->SetOnClick([this, panel](fw::Object*) { SelectWeftPanel(panel); });
        panel->SetOnDblClick([this, panel](fw::Object*) { EditWeftColour(panel); });
    }

    pcMain->SetOnChangingPage([this](TILBrushPageControl*, TILBrushPage* page) {
        if (page == pgImage) {
            RefreshPicture();
        }
        return true;
    });
    pcMain->SetOnPageChanged([this](fw::Object*) { PageChanged(); });
}

void TfrmBrocade::UnbindEvents()
{
    // The frames outlive the pattern and the bands (they go with the window's components):
    // nothing of theirs may point into them, nor call back into this window, by then.
    pcMain->SetOnChangingPage(nullptr);
    pcMain->SetOnPageChanged(nullptr);
    framePattern->OnCellChanged = nullptr;
    framePattern->OnRebuilding = nullptr;
    framePattern->OnCellColour = nullptr;
    TfrmCardSetupCompact* cards = framePattern->frameCards;
    cards->SetOnHoleColourChanged({});
    for (fw::SpeedButton* button :
         {cards->btnMoveLeft, cards->btnMoveRight, cards->btnRotateColFwd, cards->btnRotateColBack}) {
        button->SetOnClick(nullptr);
    }
    frameColours->SetCardSetup(nullptr);
    frameColours->SetCardList(nullptr);
    frameColours->SetOnPaletteChanged({});
    for (fw::SpeedButton* button :
         {frameColours->btnSwapColours, frameColours->btnReplaceColours, frameColours->btnReplaceCol2}) {
        button->SetOnClick(nullptr);
    }
    cards->ClearFrames();
    cards->SetPalette(nullptr);
    frameWeaving->SetSilent(true);
    frameWeaving->SetBrocadePattern(nullptr);
    frameWeaving->SetCardListProvider({});
    frameWeaving->SetWeaving(nullptr);
    frameWeaving->SetReverseAvailable(nullptr);
}

void TfrmBrocade::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
    }
    pcMain->SetActivePage(pgPattern);
}

// --- Showing a pattern -------------------------------------------------------------------------

void TfrmBrocade::OpenPattern(const TTWBrocadePattern* pattern, const std::string& fileName)
{
    fileName_ = fileName;
    if (pattern != nullptr) {
        LoadPattern(*pattern);
    }
    fw::App().ProcessMessages();
    Show();
}

void TfrmBrocade::CheckDesignSize(int cards, int picks) const
{
    if (cards < 0 || picks < 0 || cards > TTWBrocadePattern::MaxWidth || picks > TTWBrocadePickList::MaxPicks
        || static_cast<std::int64_t>(cards) * picks > TTWBrocadePattern::MaxCells) {
        throw TGenericException::CreateFromSender("Brocade size " + fw::IntToStr(cards) + " x " + fw::IntToStr(picks)
                                                      + " is too large.\r\nA brocade holds at most "
                                                      + fw::IntToStr(TTWBrocadePattern::MaxCells) + " cells of up to "
                                                      + fw::IntToStr(TTWBrocadePattern::MaxWidth) + " cards and "
                                                      + fw::IntToStr(TTWBrocadePickList::MaxPicks) + " picks.",
                                                  nullptr, this, "SetSize");
    }
}

void TfrmBrocade::SetDesignSize(int cards, int picks)
{
    CheckDesignSize(cards, picks);
    const TBlockPatternUpdate update(*framePattern);
    framePattern->SetGridSize(cards, picks);
    RecomputeRuns();
}

void TfrmBrocade::LoadPattern(const TTWBrocadePattern& pattern)
{
    CheckDesignSize(pattern.Width(), pattern.BrocadePicks().Count());
    const fw::ScopedCursor busy;
    const TBlockPatternUpdate update(*framePattern);
    if (&pattern != pattern_.get()) {
        pattern_->Assign(&pattern);
        // The copy takes the palette's colours; the window keeps its name too, so that saving
        // writes back what the file held.
        pattern_->Palette().Assign(&pattern.Palette());
    }
    SetCaption(CaptionFor(pattern_->Name()));
    if (ITWEditorHost* host = EditorHost()) {
        host->UpdateWindowMenuCaption(*this);
        host->RefreshNotes(*this);
    }
    const int width = pattern_->Width();
    const int picks = pattern_->BrocadePicks().Count();
    fillingGrid_ = true;
    try {
        LoadCards(pattern_->Cards());
        framePattern->SetGridSize(width, picks);
        // The file's cards (as many as the width, or fewer) stay as they are.
        framePattern->frameCards->LoadFromCardList(pattern_->Cards());
        BindPalette();
        ShowWefts();
        for (int y = 0; y < picks; ++y) {
            const TTWBrocadePick& pick = *pattern_->BrocadePicks().Items(y);
            for (int x = 0; x < width; ++x) {
                const bool set = !pick.IsTieDown(x);
                framePattern->SetCell(x, y, set);
                framePattern->SetWeft(x, y, pick.GetWeft(x));
            }
        }
    } catch (...) {
        fillingGrid_ = false;
        throw;
    }
    fillingGrid_ = false;
    BuildThreadedPicks();
    WeaveFront();
    ReportGroundWeave();
    RecomputeRuns();
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeBrocade);
}

void TfrmBrocade::LoadCards(const TTWCardList& cards)
{
    TfrmCardSetupCompact* row = framePattern->frameCards;
    const int holes = cards.Count() > 0 ? cards.MaxHoleCount() : 4;
    if (holes != row->HoleCount()) {
        row->SetHoleCount(holes);
        row->SetHeight(std::max(TfrmBrocadePatternFrame::CardRowHeight, row->PreferredHeight()));
    }
}

void TfrmBrocade::BindPalette()
{
    TTWPalette* palette = &pattern_->Palette();
    pattern_->Cards().SetPalette(palette);
    TfrmCardSetupCompact* row = framePattern->frameCards;
    row->SetPalette(palette);
    row->SetAllCardsOption();
    frameColours->SetPalette(palette);
}

void TfrmBrocade::ShowWefts()
{
    const TTWThreadList& wefts = pattern_->Wefts();
    for (int weft = 1; weft <= TfrmBrocadePatternFrame::MaxWefts; ++weft) {
        const TTWThread* thread = wefts.GetItem(weft - 1);
        const TTWColour colour = thread != nullptr ? thread->Colour : 0;
        framePattern->SetWeftColour(weft, colour);
        if (fw::Panel* panel = WeftPanel(weft)) {
            panel->SetColor(static_cast<fw::Color>(colour));
        }
    }
}

void TfrmBrocade::StoreGrid()
{
    const int width = framePattern->GridWidth();
    const int picks = framePattern->GridHeight();
    CheckDesignSize(width, picks);
    pattern_->SetWidth(width);
    TTWBrocadePickList& list = pattern_->BrocadePicks();
    list.Clear();
    std::string wefts(static_cast<std::size_t>(width), '0');
    for (int y = 0; y < picks; ++y) {
        TTWBrocadePick* pick = list.Add();
        for (int x = 0; x < width; ++x) {
            const int weft = framePattern->GetWeft(x, y);
            wefts[static_cast<std::size_t>(x)] = static_cast<char>('0' + (weft >= 0 && weft <= 9 ? weft : 0));
            if (!framePattern->IsCellSet(x, y)) {
                pick->TieDowns().Add(fw::IntToStr(x));
            }
        }
        pick->SetWefts(wefts);
    }
    // The five wefts the panels show, named by their captions; a file's further wefts (and
    // the descriptions of all of them) stay as they were.
    TTWThreadList& threads = pattern_->Wefts();
    for (int i = 0; i < WeftPanels; ++i) {
        TTWThread* thread = threads.GetItem(i);
        if (thread == nullptr) {
            auto made = std::make_unique<TTWThread>();
            thread = made.get();
            threads.Add(made.release());
        }
        thread->Name = weftCaptions_[static_cast<std::size_t>(i)]->Caption();
        thread->Colour = framePattern->WeftColour(i + 1);
    }
    framePattern->frameCards->CopyToList(pattern_->Cards());
    pattern_->Cards().SetPalette(&pattern_->Palette());
    BuildThreadedPicks();
}

void TfrmBrocade::BuildThreadedPicks()
{
    pattern_->BuildThreadedPicks();
}

void TfrmBrocade::ColourBySlant(TTWWeaving& weaving) const
{
    if (!pattern_->HasGroundWeave() || pattern_->GroundWeave()->GetPatternType() != PatternTypeTwistPatterned) {
        return;
    }
    for (TTWWeavingCell& cell : weaving.AllCells()) {
        cell.Colour = cell.Slant == 1 ? SlantOneColour : OtherSlantColour;
    }
}

void TfrmBrocade::WeaveFront()
{
    pattern_->BuildWeaving(*frontWeaving_, nullptr, false, 0);
    ColourBySlant(*frontWeaving_);
    if (ImagePageShown()) {
        frameWeaving->Redraw();
    }
}

void TfrmBrocade::WeaveBoth()
{
    pattern_->BuildWeaving(*frontWeaving_, nullptr, false, 0);
    pattern_->BuildWeaving(*reverseWeaving_, nullptr, true, 0);
    ColourBySlant(*frontWeaving_);
    ColourBySlant(*reverseWeaving_);
}

void TfrmBrocade::RefreshPicture()
{
    const fw::ScopedCursor busy;
    StoreGrid();
    WeaveBoth();
    frameWeaving->Redraw();
}

bool TfrmBrocade::ImagePageShown() const
{
    return pcMain->ActivePage() == pgImage;
}

void TfrmBrocade::ShowPatternPage()
{
    pcMain->SetActivePage(pgPattern);
}

void TfrmBrocade::ShowImagePage()
{
    // A tab click weaves through the page control's question; asked in code, the page
    // control does not ask, so the band is woven here.
    if (!ImagePageShown()) {
        RefreshPicture();
    }
    pcMain->SetActivePage(pgImage);
}

void TfrmBrocade::HoleColourChanged(TfrmCardCompactBase* frame, int hole)
{
    const int card = frame->Number() - 1;
    if (card >= 0 && !(pattern_->HasGroundWeave()
                       && pattern_->GroundWeave()->GetPatternType() == PatternTypeTwistPatterned)) {
        const int column = card + pattern_->SelvedgeLeft().Count();
        frontWeaving_->SetHoleColour(column, hole, frame->GetHoleColour(hole));
    }
    framePattern->Refresh();
}

// --- Name and notes ------------------------------------------------------------------------------

std::string TfrmBrocade::GetNotes()
{
    return pattern_->Notes();
}

void TfrmBrocade::SetNotes(const std::string& notes)
{
    pattern_->SetNotes(notes);
}

std::string TfrmBrocade::GetPatternName()
{
    return pattern_->Name();
}

void TfrmBrocade::SetPatternName(const std::string& name)
{
    pattern_->SetName(name);
    SetCaption(CaptionFor(name));
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeBrocade);
}

// --- The window's life ---------------------------------------------------------------------------

void TfrmBrocade::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternTypeBrocade);
    BuildProfileMenu(false);
}

void TfrmBrocade::PageChanged()
{
    TellMain(WM_TW_TOOLSTATESCHANGED);
    BuildProfileMenu(ImagePageShown());
}

void TfrmBrocade::BuildProfileMenu(bool image) const
{
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(image ? TTWProfileKind::WeavingImage : TTWProfileKind::Block));
    }
}
