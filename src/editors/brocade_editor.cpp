// The brocade editor window: its parts, a pattern in and out of the grid, the wefts and
// their runs, weaving the band, the ground weave, its name and notes, and its life as a
// child window of the main window.

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
#include "editors/view_frame_support.h"
#include "forms/form_kit.h"
#include "foundation/generic_exception.h"
#include "framework/core/strings.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/brocade_pattern.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/thread.h"
#include "model/turning_codes.h"
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

// Holds the grid's drawing back for a scope; the outermost end draws it once.
class GridUpdate {
public:
    explicit GridUpdate(TfrmBlockPattern& grid) : grid_(grid) { grid_.BeginUpdate(); }
    ~GridUpdate() { grid_.EndUpdate(); }
    GridUpdate(const GridUpdate&) = delete;
    GridUpdate& operator=(const GridUpdate&) = delete;

private:
    TfrmBlockPattern& grid_;
};

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
        const GridUpdate update(*framePattern);
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
            const GridUpdate update(*framePattern);
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
    const GridUpdate update(*framePattern);
    framePattern->SetGridWidth(cards);
    framePattern->SetGridHeight(picks);
    RecomputeRuns();
}

void TfrmBrocade::LoadPattern(const TTWBrocadePattern& pattern)
{
    CheckDesignSize(pattern.Width(), pattern.BrocadePicks().Count());
    const fw::ScopedCursor busy;
    const GridUpdate update(*framePattern);
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
        framePattern->SetGridWidth(width);
        framePattern->SetGridHeight(picks);
        // The file's cards (as many as the width, or more) stay as they are.
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

// --- The ground weave ----------------------------------------------------------------------------

void TfrmBrocade::ReportGroundWeave() const
{
    ::NotifyMainForm(TWAction::ClearGroundWeave, pattern_->HasGroundWeave(), true, false);
}

void TfrmBrocade::ImportGroundWeave()
{
    std::string fileName;
    ITWEditorHost* host = EditorHost();
    const std::optional<bool> chosen = host != nullptr ? host->OpenPatternFile(fileName) : std::nullopt;
    bool accepted = false;
    if (chosen) {
        accepted = *chosen;
    } else {
        fw::OpenDialog dialog;
        dialog.SetTitle("Load Pattern");
        dialog.SetFilter("Patterns (*.tvl)|*.tvl|All files (*.*)|*.*");
        dialog.SetDefaultExt("tvl");
        accepted = dialog.Execute();
        fileName = dialog.FileName();
    }
    if (accepted) {
        ImportGroundWeave(fileName);
    }
}

void TfrmBrocade::ImportGroundWeave(const std::string& fileName)
{
    // The pattern read is this command's; it goes when the ground weave holds its copy.
    const std::unique_ptr<TTWPatternBase> loaded = LoadAndCreatePattern(fileName);
    ImportGroundWeave(*loaded);
}

void TfrmBrocade::ImportGroundWeave(const TTWPatternBase& ground)
{
    if (!TTWBrocadePattern::IsGroundWeaveKind(ground.GetPatternType())) {
        fw::MessageDlg(std::string(NotAGroundWeaveText), fw::MsgDlgType::Error, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
        return;
    }
    const int cards = ground.GetCardCount();
    const int picks = ground.GetPickCount();
    CheckDesignSize(cards, picks);
    const fw::ScopedCursor busy;
    {
        const GridUpdate update(*framePattern);
        pattern_->SetGroundWeave(&ground);
        const TTWPatternBase& held = *pattern_->GroundWeave();
        if (const TTWCardList* groundCards = held.GetCards()) {
            LoadCards(*groundCards);
        }
        SetDesignSize(cards, picks);
        if (const TTWCardList* groundCards = held.GetCards()) {
            framePattern->frameCards->LoadFromCardList(*groundCards);
        }
        if (const TTWPalette* palette = held.GetPalette()) {
            pattern_->Palette().Assign(palette);
        }
        BindPalette();
        // The cards go into the pattern before the ground is woven on them: the ground's own
        // cards, as the card row now shows them.
        StoreGrid();
        WeaveFront();
    }
    if (ImagePageShown()) {
        RefreshPicture();
    }
    ReportGroundWeave();
}

void TfrmBrocade::RemoveGroundWeave()
{
    if (!pattern_->HasGroundWeave()) {
        return;
    }
    if (fw::MessageDlg(std::string(RemoveGroundWeaveText), fw::MsgDlgType::Confirmation,
                       fw::MsgDlgButtons{fw::MsgDlgBtn::Yes, fw::MsgDlgBtn::No})
        != fw::mrYes) {
        return;
    }
    {
        const GridUpdate update(*framePattern);
        pattern_->SetGroundWeave(nullptr);
        // Every hole of every card, whatever the ground's cards had: the plain warp of a new
        // brocade, threaded S and Z by turns.
        TfrmCardSetupCompact* row = framePattern->frameCards;
        for (int i = 0; i < row->CardCount(); ++i) {
            TfrmCardCompactBase* frame = row->GetCardFrame(i);
            for (int hole = 0; hole < frame->HoleCount(); ++hole) {
                frame->SetHoleColourIndex(hole, framePattern->DefaultColour());
            }
            frame->SetThreading(i % 2 == 0 ? ThreadingS : ThreadingZ);
        }
        // The picks of the ground go with it: every card turns forwards once a pick again.
        StoreGrid();
        WeaveFront();
    }
    ReportGroundWeave();
    if (ImagePageShown()) {
        RefreshPicture();
    }
}

// --- Wefts and runs ------------------------------------------------------------------------------

fw::Panel* TfrmBrocade::WeftPanel(int weft) const
{
    return weft >= 1 && weft <= WeftPanels ? weftPanels_[static_cast<std::size_t>(weft - 1)] : nullptr;
}

fw::Panel* TfrmBrocade::WeftCaptionPanel(int weft) const
{
    return weft >= 1 && weft <= WeftPanels ? weftCaptions_[static_cast<std::size_t>(weft - 1)] : nullptr;
}

void TfrmBrocade::SelectWeftPanel(fw::Panel* panel)
{
    const int weft = panel != nullptr ? static_cast<int>(panel->Tag()) : 0;
    if (WeftPanel(weft) != panel || panel == selectedWeft_) {
        return;
    }
    if (selectedWeft_ != nullptr) {
        selectedWeft_->SetBevelOuter(fw::PanelBevel::Lowered);
        selectedWeftCaption_->SetBevelOuter(fw::PanelBevel::None);
    }
    selectedWeft_ = panel;
    selectedWeftCaption_ = WeftCaptionPanel(weft);
    selectedWeft_->SetBevelOuter(fw::PanelBevel::Raised);
    selectedWeftCaption_->SetBevelOuter(fw::PanelBevel::Raised);
    framePattern->SetCurrentWeft(weft);
}

void TfrmBrocade::EditWeftColour(fw::Panel* panel)
{
    const int weft = panel != nullptr ? static_cast<int>(panel->Tag()) : 0;
    if (WeftPanel(weft) != panel) {
        return;
    }
    fw::Color colour = panel->Color();
    // Asked as the grid asks for its colours: through the host's colour dialog.
    if (PickViewColour(*framePattern, colour)) {
        SetWeftColour(weft, colour);
    }
}

void TfrmBrocade::SetWeftColour(int weft, TTWColour colour)
{
    framePattern->SetWeftColour(weft, colour);
    if (fw::Panel* panel = WeftPanel(weft)) {
        panel->SetColor(static_cast<fw::Color>(colour));
    }
    framePattern->Refresh();
}

void TfrmBrocade::RecomputeRuns()
{
    const int width = framePattern->GridWidth();
    const int height = framePattern->GridHeight();
    runs_.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        runs_.ComputeRow(y, [this, y](int x) { return framePattern->GetWeft(x, y); });
    }
}

void TfrmBrocade::RecomputeRow(int y)
{
    const int width = framePattern->GridWidth();
    if (runs_.Width() != width || runs_.Height() != framePattern->GridHeight()) {
        RecomputeRuns();
        return;
    }
    std::vector<TTWColour> before(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        before[static_cast<std::size_t>(x)] = LongFloatColour(x, y);
    }
    if (!runs_.ComputeRow(y, [this, y](int x) { return framePattern->GetWeft(x, y); }) || !markLongFloats_) {
        return;
    }
    // The cells whose mark changed with the run they belong to are drawn again once the
    // present change is over.
    for (int x = 0; x < width; ++x) {
        if (LongFloatColour(x, y) != before[static_cast<std::size_t>(x)]) {
            framePattern->RebuildSnapshotCell(x, y);
            framePattern->PostCellRepaint(x, y);
        }
    }
}

void TfrmBrocade::CellChanged(int, int y)
{
    if (!fillingGrid_) {
        RecomputeRow(y);
    }
}

TTWColour TfrmBrocade::LongFloatColour(int x, int y) const
{
    if (!markLongFloats_) {
        return NoColour;
    }
    const int run = runs_.Value(x, y);
    const TTWBrocadeSettings& settings = UserSettings().Brocade;
    if (run >= 10) {
        return settings.ShowLongFloat10 ? settings.ColLongFloat10 : NoColour;
    }
    if (run >= 8) {
        return settings.ShowLongFloat8 ? settings.ColLongFloat8 : NoColour;
    }
    if (run >= 6) {
        return settings.ShowLongFloat6 ? settings.ColLongFloat6 : NoColour;
    }
    if (run == 5) {
        return settings.ShowLongFloat4 ? settings.ColLongFloat4 : NoColour;
    }
    return NoColour;
}

void TfrmBrocade::SetMarkLongFloats(bool mark)
{
    if (mark == markLongFloats_) {
        return;
    }
    markLongFloats_ = mark;
    framePattern->Refresh();
    ::NotifyMainForm(TWAction::ShowLongFloats, true, true, mark);
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
