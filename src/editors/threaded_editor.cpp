// The threaded-in editor window: making it, showing a pattern in it, its name and notes, and
// its life as a child window of the main window.

#include "editors/threaded_editor.h"

#include <utility>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "forms/form_kit.h"
#include "controls/tabbed_pages.h"
#include "editors/card_frame_list.h"
#include "editors/threaded_editor_glyphs.h"
#include "editors/weaving_image_frame.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/image_list.h"
#include "framework/gui/menu.h"
#include "framework/gui/menu_item.h"
#include "framework/gui/std_label.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "framework/gui/std_splitter.h"
#include "model/display_profile.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/palette_frame.h"
#include "treegrid/tree_grid.h"

namespace {

constexpr const char* CaptionBase = "Threaded Pattern";

TILBrushPanel* NewBrushPanel(fw::Component* owner, const char* name)
{
    auto* panel = new TILBrushPanel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    return panel;
}

fw::Label* NewValueLabel(fw::Component* owner, const char* name)
{
    auto* label = new fw::Label(owner);
    label->SetName(name);
    return label;
}

fw::Panel* NewPanel(fw::Component* owner, const char* name)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    return panel;
}

TILTree* NewTree(fw::Component* owner, const char* name)
{
    auto* tree = new TILTree(owner);
    tree->SetName(name);
    return tree;
}

template <class Page>
Page* NewPage(fw::Component* owner)
{
    return new Page(owner);
}

fw::ImageList* NewIcons(fw::Component* owner, void (*fill)(fw::ImageList&))
{
    auto* icons = new fw::ImageList(owner);
    fill(*icons);
    return icons;
}

} // namespace

TfrmTWThreadedPattern::TfrmTWThreadedPattern(fw::Component* owner)
    : TfrmTWPatternBaseForm(owner),
      ILBrushPanel1(NewBrushPanel(this, "ILBrushPanel1")),
      btnHideActionPanel(NewToolButton(*this, "btnHideActionPanel", "Show/hide action panel",
                                       ThreadedEditorGlyph(TTWThreadedGlyph::ActionPanel))),
      btnToggleColours(NewToolButton(*this, "btnToggleColours", "Toggle colours",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::ColourMode))),
      btnToggleDir(NewToolButton(*this, "btnToggleDir", "Toggle turn direction for all following picks",
                                 ThreadedEditorGlyph(TTWThreadedGlyph::DirectionMode))),
      btnToggleTwist(NewToolButton(*this, "btnToggleTwist", "Toggle twist",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::TwistMode))),
      btnToggleIdle(NewToolButton(*this, "btnToggleIdle", "Toggle turn direction for single pick",
                                  ThreadedEditorGlyph(TTWThreadedGlyph::IdleMode))),
      btnShowActionGrid(NewToolButton(*this, "btnShowActionGrid", "Action grid",
                                      ThreadedEditorGlyph(TTWThreadedGlyph::ActionGrid))),
      btnShowPacks(NewToolButton(*this, "btnShowPacks", "Show/hide packs",
                                 ThreadedEditorGlyph(TTWThreadedGlyph::Packs))),
      btnDoPick(NewToolButton(*this, "btnDoPick", "Do Pick", ThreadedEditorGlyph(TTWThreadedGlyph::DoPick))),
      btnDoPickReverse(NewToolButton(*this, "btnDoPickReverse", "Do Pick in reverse",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::DoPickReverse))),
      btnBreakPacks(NewToolButton(*this, "btnBreakPacks", "Break packs",
                                  ThreadedEditorGlyph(TTWThreadedGlyph::BreakPacks))),
      btnSetupPacks(NewToolButton(*this, "btnSetupPacks", "Set up packs",
                                  ThreadedEditorGlyph(TTWThreadedGlyph::SetupPacks))),
      pnlPick(NewBrushPanel(this, "pnlPick")),
      lblPicks(NewValueLabel(this, "lblPicks")),
      lblMouseCard(NewValueLabel(this, "lblMouseCard")),
      lblMousePick(NewValueLabel(this, "lblMousePick")),
      lblMouseHole(NewValueLabel(this, "lblMouseHole")),
      ILBrushPanel3(NewBrushPanel(this, "ILBrushPanel3")),
      pnlColour1(NewPanel(this, "pnlColour1")),
      pnlColour2(NewPanel(this, "pnlColour2")),
      btnSwapColourSel(NewToolButton(*this, "btnSwapColourSel", "",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::SwapColourChoice))),
      btnSwapColours(NewToolButton(*this, "btnSwapColours", "Swap primary and secondary colours",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::SwapColours))),
      btnReplaceColours(NewToolButton(*this, "btnReplaceColours", "Replace secondary with primary colour",
                                      ThreadedEditorGlyph(TTWThreadedGlyph::ReplaceSecondary))),
      btnReplaceCol2(NewToolButton(*this, "btnReplaceCol2", "Replace primary with secondary colour",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::ReplacePrimary))),
      btnSelectPalette(NewToolButton(*this, "btnSelectPalette", "Select new palette",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::SelectPalette))),
      btnEditPalette(NewToolButton(*this, "btnEditPalette", "Edit palette colours",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::EditPalette))),
      framePalette(new TfrmTWPalette4x4(this)),
      pnlCards(NewBrushPanel(this, "pnlCards")),
      pnlPacks(NewBrushPanel(this, "pnlPacks")),
      lstPacks(NewTree(this, "lstPacks")),
      frmCards(new TfrmThreadCardFrameList(this)),
      bvlActions(NewPanel(this, "bvlActions")),
      frmImage(new TfrmWeavingImage(this)),
      spltV1(new fw::Splitter(this)),
      pcActions(new TILBrushPageControl(this)),
      pgIndividual(NewPage<TILBrushPage>(this)),
      lstActions(NewTree(this, "lstActions")),
      pgPacks(NewPage<TILBrushPage>(this)),
      lstPackActions(NewTree(this, "lstPackActions")),
      pgActionGrid(NewPage<TILBrushPage>(this)),
      lstGrid(NewTree(this, "lstGrid")),
      pmPickList(new fw::PopupMenu(this)),
      mnuRepeatPick(new fw::MenuItem(this)),
      mnuDeletePick(new fw::MenuItem(this)),
      pmGridActions(new fw::PopupMenu(this)),
      imgTreeIcons(NewIcons(this, FillActionIcons)),
      imgPackIcons(NewIcons(this, FillPackSelectorIcons)),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>())
{
    // No name: the main window owns any number of these windows.
    SetCaption(CaptionBase);
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);
    framePalette->SetName("framePalette");
    frmCards->SetName("frmCards");
    frmImage->SetName("frmImage");
    spltV1->SetName("spltV1");
    pcActions->SetName("pcActions");
    imgTreeIcons->SetName("imgTreeIcons");
    imgPackIcons->SetName("imgPackIcons");

    BuildToolColumn();
    BuildColourPanel();
    BuildCardArea();
    BuildActionPages();
    BuildPopupMenus();
    BindEvents();
    // The action panel starts shown: its buttons work, the toggle modes wait.
    btnHideActionPanelClick();

    // The image offers its reverse side once it has one, then shows the front.
    frmImage->SetReverseAvailable(reverseWeaving_.get());
    frmImage->SetWeaving(frontWeaving_.get());
    frmImage->SetCardListProvider([this](TWeavingCardListKind kind) -> TTWCardList* {
        if (pattern_ == nullptr) {
            return nullptr;
        }
        TTWCardList* cards = &pattern_->Cards();
        if (kind == TWeavingCardListKind::LeftSelvedge) {
            cards = &pattern_->SelvedgeLeft();
        } else if (kind == TWeavingCardListKind::RightSelvedge) {
            cards = &pattern_->SelvedgeRight();
        }
        cards->SetPalette(&pattern_->Palette());
        return cards;
    });
}

TfrmTWThreadedPattern::~TfrmTWThreadedPattern()
{
    // The notes go into the pattern while both are still here.
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    // The parts that point into the pattern and the bands let go of them before they go.
    frmImage->SetSilent(true);
    frmImage->SetCardListProvider({});
    frmImage->SetWeaving(nullptr);
    frmImage->SetReverseAvailable(nullptr);
    frmCards->LoadFromCardList(nullptr);
    framePalette->SetPalette(nullptr);
    lstActions->Clear();
    lstPackActions->Clear();
    lstGrid->Clear();
    if (ownsPattern_) {
        delete pattern_;
    }
    pattern_ = nullptr;
}

void TfrmTWThreadedPattern::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
        host->ShowNotesAsConfigured();
    }
}

// --- Showing a pattern -------------------------------------------------------------------------

void TfrmTWThreadedPattern::Display(int holeCount, TTWPattern* pattern, const std::string& fileName)
{
    if (holeCount < MinHoles || holeCount > MaxHoles) {
        throw TGenericException::CreateFromSender(
            "Unable to display pattern form.\r\nThe form only supports cards with 3 to 8 holes.", nullptr, this,
            "Display");
    }
    if (pattern != nullptr) {
        SetPattern(pattern);
    } else if (pattern_ == nullptr) {
        // Only a window without a pattern makes one: a pattern read into the window before
        // (the file loader's) is what it shows.
        TakePattern(std::make_unique<TTWPattern>());
    }
    holeCount_ = holeCount;
    fileName_ = fileName;
    SetCaption(std::string(CaptionBase) + ": " + pattern_->Name());
    if (ITWEditorHost* host = EditorHost()) {
        host->UpdateWindowMenuCaption(*this);
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
    // A pattern newly shown is a change of every part of it.
    PatternChanged(TTWPatternChange::PicksRewritten(TTWPatternPart::Packs | TTWPatternPart::Cards
                                                    | TTWPatternPart::Palette));
    if (ITWEditorHost* host = EditorHost()) {
        host->RefreshNotes(*this);
    }
    Show();
}

void TfrmTWThreadedPattern::SetPattern(TTWPattern* pattern)
{
    if (pattern == pattern_) {
        return;
    }
    TTWPattern* old = pattern_;
    const bool ownedOld = ownsPattern_;
    // Nothing may point into the old pattern once it is gone.
    frmCards->LoadFromCardList(nullptr);
    framePalette->SetPalette(nullptr);
    // The rows carry the old pattern's picks.
    lstActions->Clear();
    lstPackActions->Clear();
    lstGrid->Clear();
    pattern_ = pattern;
    ownsPattern_ = false;
    if (ownedOld) {
        delete old;
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
}

void TfrmTWThreadedPattern::TakePattern(std::unique_ptr<TTWPattern> pattern)
{
    SetPattern(pattern.get());
    ownsPattern_ = pattern_ != nullptr;
    pattern.release();
}

// --- Name and notes ------------------------------------------------------------------------------

std::string TfrmTWThreadedPattern::GetNotes()
{
    return pattern_ != nullptr ? pattern_->Notes() : std::string();
}

void TfrmTWThreadedPattern::SetNotes(const std::string& notes)
{
    if (pattern_ != nullptr) {
        pattern_->SetNotes(notes);
    }
}

std::string TfrmTWThreadedPattern::GetPatternName()
{
    return pattern_ != nullptr ? pattern_->Name() : std::string();
}

void TfrmTWThreadedPattern::SetPatternName(const std::string& name)
{
    if (pattern_ == nullptr) {
        return;
    }
    pattern_->SetName(name);
    SetCaption(std::string(CaptionBase) + ": " + name);
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeThreaded);
}

// --- The window's life ---------------------------------------------------------------------------

void TfrmTWThreadedPattern::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternTypeThreaded);
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(TTWProfileKind::WeavingImage));
    }
}

