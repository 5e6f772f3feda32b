// The double-face editor window: its parts, the colour count, the design's size and colours,
// the pattern in and out, and the conversion into a threaded-in pattern that the band, the
// print-out and the threaded-in save share.

#include "editors/df_editor.h"

#include <algorithm>
#include <utility>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "editors/threaded_editor_glyphs.h"
#include "editors/weaving_image_frame.h"
#include "forms/form_kit.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "framework/core/system_colours.h"
#include "framework/gui/application.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "framework/gui/std_speed_button.h"
#include "model/action.h"
#include "model/card.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/user_settings.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"
#include "shell/palette_frame.h"

namespace {

constexpr int ButtonSize = 23;
constexpr int ButtonGap = 2;
constexpr int ToolPanelWidth = 96;
constexpr int NewDesignWidth = 8;
constexpr int NewDesignLength = 12;
// The background colour panel starts on the palette's last standard colour.
constexpr int InitialBackColour = 15;

TILBrushPanel* NewBrushPanel(fw::Component* owner, const char* name)
{
    auto* panel = new TILBrushPanel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    return panel;
}

fw::Panel* NewColourPanel(fw::Component* owner, const char* name, const char* hint)
{
    auto* panel = new fw::Panel(owner);
    panel->SetName(name);
    panel->SetCaption(std::string());
    panel->SetBevelOuter(fw::PanelBevel::Lowered);
    panel->SetShowHint(true);
    panel->SetHint(hint);
    panel->SetTag(-1);
    panel->SetColor(fw::clBtnFace);
    return panel;
}

TILBrushPage* NewPage(fw::Component* owner, const char* name, const char* caption)
{
    auto* page = new TILBrushPage(owner);
    page->SetName(name);
    page->SetPageName(caption);
    return page;
}

fw::Button* NewCaptionButton(fw::Component& owner, const char* name, const char* caption, const char* hint)
{
    auto* button = new fw::Button(&owner);
    button->SetName(name);
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(true);
    return button;
}

} // namespace

TfrmTWDoublefaceNonMDI::TfrmTWDoublefaceNonMDI(fw::Component* owner, int colourCount)
    : TfrmTWPatternBaseForm(owner),
      pcMain(new TILBrushPageControl(this)),
      pgPattern(NewPage(this, "pgPattern", "Pattern")),
      pgImage(NewPage(this, "pgImage", "Image")),
      pnlImageTools(NewBrushPanel(this, "pnlImageTools")),
      btnImageRecreate(NewCaptionButton(*this, "btnImageRecreate", "Create", "Weave the band again")),
      pnlTools(NewBrushPanel(this, "pnlTools")),
      btnSetPatternCol(NewCaptionButton(*this, "btnSetPatternCol", "Pattern", "Set pattern colour for all cards")),
      btnSetBackCol(NewCaptionButton(*this, "btnSetBackCol", "Back", "Set background colour for all cards")),
      btnSelectPalette(NewToolButton(*this, "btnSelectPalette", "Select new palette",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::SelectPalette))),
      btnEditPalette(NewToolButton(*this, "btnEditPalette", "Edit palette colours",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::EditPalette))),
      btnSwapColours(NewToolButton(*this, "btnSwapColours", "Swap primary and secondary colours",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::SwapColours))),
      btnReplaceColours(NewToolButton(*this, "btnReplaceColours", "Replace secondary with primary colour",
                                      ThreadedEditorGlyph(TTWThreadedGlyph::ReplaceSecondary))),
      btnReplaceCol2(NewToolButton(*this, "btnReplaceCol2", "Replace primary with secondary colour",
                                   ThreadedEditorGlyph(TTWThreadedGlyph::ReplacePrimary))),
      btnConfig3Colour(NewToolButton(*this, "btnConfig3Colour", "Set up cards for 3-colour doubleface",
                                     ThreadedEditorGlyph(TTWThreadedGlyph::ColourMode))),
      pnlPatternCol(NewColourPanel(this, "pnlPatternCol", "Pattern colour")),
      pnlBackCol(NewColourPanel(this, "pnlBackCol", "Background colour")),
      framePalette(new TfrmTWPalette4x4(this)),
      frameCards(new TfrmCardSetupCompact(this)),
      framePattern(new TfrmBlockPattern(this)),
      frameWeaving(new TfrmWeavingImage(this)),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>()),
      threaded_(std::make_unique<TTWPattern>())
{
    const std::string kindName = GetPatternKindName();
    if (colourCount == 4) {
        SetCaption("Multi-Colour " + kindName);
    } else if (colourCount == 6) {
        SetCaption("6-Hole " + kindName);
    } else {
        SetCaption(kindName);
    }
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);
    pcMain->SetName("pcMain");
    framePalette->SetName("framePalette");
    frameCards->SetName("frameCards");
    framePattern->SetName("framePattern");
    frameWeaving->SetName("frameWeaving");
    notes_ = UserSettings().DefaultNotes;

    BuildLayout();
    BindEvents();
    btnConfig3Colour->SetVisible(colourCount == 4);
    SetColourPanel(pnlBackCol, InitialBackColour);
    SetColourPanel(pnlPatternCol, 0);
    ApplyPalette();
    framePattern->SetPicksPerRow(2);
    if (IsTwill()) {
        framePattern->SetStaggered(true);
    }
    SetColourCount(colourCount);

    frameWeaving->SetReverseAvailable(reverseWeaving_.get());
    frameWeaving->SetOnReverseShowing([this] { WeaveStaleReverse(); });
    frameWeaving->SetWeaving(frontWeaving_.get());
    frameWeaving->SetCardListProvider([this](TWeavingCardListKind kind) -> TTWCardList* {
        TTWCardList* cards = &threaded_->Cards();
        if (kind == TWeavingCardListKind::LeftSelvedge) {
            cards = &threaded_->SelvedgeLeft();
        } else if (kind == TWeavingCardListKind::RightSelvedge) {
            cards = &threaded_->SelvedgeRight();
        }
        cards->SetPalette(&threaded_->Palette());
        return cards;
    });
    const TTWUserSettings& settings = UserSettings();
    framePattern->SetBaseWidth(settings.ImageSizeRatios.DoubleFace.Width);
    framePattern->SetBaseHeight(settings.ImageSizeRatios.DoubleFace.Height);
    framePattern->SetOrientation(settings.DefaultRotations.DoubleFace);
    pcMain->SetActivePage(pgPattern);
    SetPatternSize(NewDesignWidth, NewDesignLength);
}

TfrmTWDoublefaceNonMDI::~TfrmTWDoublefaceNonMDI()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    // The parts that point into the threaded-in pattern and the bands let go first.
    frameWeaving->SetSilent(true);
    frameWeaving->SetOnReverseShowing({});
    frameWeaving->SetCardListProvider({});
    frameWeaving->SetWeaving(nullptr);
    frameWeaving->SetReverseAvailable(nullptr);
    framePattern->OnGetCellInfo = nullptr;
    framePattern->OnAdjustCellInfo = nullptr;
    framePattern->OnCellChanged = nullptr;
    framePattern->OnImportSize = nullptr;
    frameCards->SetOnHoleColourChanged({});
    frameCards->SetOnThreadingChanged({});
    frameCards->ClearFrames();
    frameCards->SetPalette(nullptr);
    framePalette->SetPalette(nullptr);
}

void TfrmTWDoublefaceNonMDI::BuildLayout()
{
    pcMain->SetParent(pnlTTop);
    pcMain->SetAlign(fw::Align::Client);
    for (TILBrushPage* page : {pgPattern, pgImage}) {
        page->SetParent(pcMain);
    }

    // The design page: the tool column at the left, the card row on top of the grid.
    pnlTools->SetParent(pgPattern);
    pnlTools->SetAlign(fw::Align::Left);
    pnlTools->SetWidth(ToolPanelWidth);
    btnSetPatternCol->SetParent(pnlTools);
    btnSetPatternCol->SetBounds(4, 4, ToolPanelWidth - 8, ButtonSize);
    btnSetBackCol->SetParent(pnlTools);
    btnSetBackCol->SetBounds(4, 4 + ButtonSize + ButtonGap, ToolPanelWidth - 8, ButtonSize);
    const int coloursTop = 4 + 2 * (ButtonSize + ButtonGap) + 4;
    pnlPatternCol->SetParent(pnlTools);
    pnlPatternCol->SetBounds(6, coloursTop, 24, 24);
    pnlBackCol->SetParent(pnlTools);
    pnlBackCol->SetBounds(18, coloursTop + 12, 24, 24);
    fw::SpeedButton* const commands[] = {btnSwapColours, btnReplaceColours, btnReplaceCol2,
                                         btnSelectPalette, btnEditPalette,    btnConfig3Colour};
    const int commandsTop = coloursTop + 44;
    for (int i = 0; i < 6; ++i) {
        commands[i]->SetParent(pnlTools);
        commands[i]->SetBounds(4 + (i % 3) * (ButtonSize + ButtonGap), commandsTop + (i / 3) * (ButtonSize + ButtonGap),
                               ButtonSize, ButtonSize);
    }
    framePalette->SetParent(pnlTools);
    framePalette->SetLeft(2);
    framePalette->SetTop(commandsTop + 2 * (ButtonSize + ButtonGap) + 4);

    // The cards stand right above the columns they weave.
    auto* design = new fw::Panel(this);
    design->SetName("pnlDesign");
    design->SetCaption(std::string());
    design->SetBevelOuter(fw::PanelBevel::None);
    design->SetParent(pgPattern);
    design->SetAlign(fw::Align::Client);
    frameCards->SetParent(design);
    frameCards->SetAlign(fw::Align::Top);
    framePattern->SetParent(design);
    framePattern->SetAlign(fw::Align::Client);

    // The image page: the band, and a strip with the button that weaves it again.
    pnlImageTools->SetParent(pgImage);
    pnlImageTools->SetAlign(fw::Align::Top);
    pnlImageTools->SetHeight(ButtonSize + 8);
    btnImageRecreate->SetParent(pnlImageTools);
    btnImageRecreate->SetBounds(4, 4, 60, ButtonSize);
    frameWeaving->SetParent(pgImage);
    frameWeaving->SetAlign(fw::Align::Client);
}

void TfrmTWDoublefaceNonMDI::BindEvents()
{
    framePattern->OnImportSize = [this](int width, int length) { SetPatternSize(width, length); };
    framePattern->OnCellChanged = [this](int x, int y, bool value) { CellChanged(x, y, value); };
    framePalette->SetOnSelectColour(
        [this](TfrmTWPalette4x4*, TTWColour, int index) { SetColourPanel(pnlPatternCol, index); });
    framePalette->SetOnSelectAltColour(
        [this](TfrmTWPalette4x4*, TTWColour, int index) { SetColourPanel(pnlBackCol, index); });
    frameCards->SetOnGetPrimaryColour([this](TfrmCardCompactBase*) { return static_cast<int>(pnlPatternCol->Tag()); });
    frameCards->SetOnGetSecondaryColour([this](TfrmCardCompactBase*) { return static_cast<int>(pnlBackCol->Tag()); });
    frameCards->SetOnHoleColourChanged([this](TfrmCardCompactBase* frame, int hole) { HoleColourChanged(frame, hole); });
    // The twining marks follow the threading.
    frameCards->SetOnThreadingChanged([this](TfrmCardCompactBase*) { framePattern->Refresh(); });
    // Moving and rotating change many columns at once: the grid is drawn once afterwards.
    for (fw::SpeedButton* button : {frameCards->btnMoveLeft, frameCards->btnMoveRight, frameCards->btnRotateColFwd,
                                    frameCards->btnRotateColBack}) {
        const fw::NotifyEvent inner = button->OnClick();
        button->SetOnClick([this, inner](fw::Object* sender) {
            const fw::ScopedCursor busy;
            framePattern->BeginUpdate();
            try {
                if (inner) {
                    inner(sender);
                }
            } catch (...) {
                framePattern->EndUpdate();
                throw;
            }
            framePattern->EndUpdate();
        });
    }

    btnImageRecreate->SetOnClick([this](fw::Object*) { RefreshWeavingImage(); });
    pnlPatternCol->SetOnClick([this](fw::Object*) { ColourPanelClick(pnlPatternCol); });
    pnlBackCol->SetOnClick([this](fw::Object*) { ColourPanelClick(pnlBackCol); });
    btnSetPatternCol->SetOnClick([this](fw::Object*) { btnSetPatternColClick(); });
    btnSetBackCol->SetOnClick([this](fw::Object*) { btnSetBackColClick(); });
    btnSwapColours->SetOnClick([this](fw::Object*) { btnSwapColoursClick(); });
    btnReplaceColours->SetOnClick([this](fw::Object*) { btnReplaceColoursClick(); });
    btnReplaceCol2->SetOnClick([this](fw::Object*) { btnReplaceCol2Click(); });
    btnSelectPalette->SetOnClick([this](fw::Object*) { btnSelectPaletteClick(); });
    btnEditPalette->SetOnClick([this](fw::Object*) { btnEditPaletteClick(); });
    btnConfig3Colour->SetOnClick([this](fw::Object*) { btnConfig3ColourClick(); });

    pcMain->SetOnChangingPage([this](TILBrushPageControl*, TILBrushPage* page) {
        if (page == pgImage) {
            RefreshWeavingImage();
        }
        return true;
    });
    pcMain->SetOnPageChanged([this](fw::Object*) {
        TellMain(WM_TW_TOOLSTATESCHANGED);
        ProfileMenuForPage();
    });
}

TTWPalette& TfrmTWDoublefaceNonMDI::Palette()
{
    return threaded_->Palette();
}

// --- Colour count and size ----------------------------------------------------------------------

void TfrmTWDoublefaceNonMDI::SetColourCount(int count)
{
    if (count != 2 && count != 4 && count != 6) {
        throw fw::Exception("Unable to set colour count to " + fw::IntToStr(count) + ".\r\n"
                            + "The count must be either 2, 4, or 6.");
    }
    colourCount_ = count;
    const bool multiColour = count != 2;
    framePattern->BeginUpdate();
    try {
        framePattern->SetSimpleDraw(!multiColour);
        if (multiColour) {
            framePattern->OnGetCellInfo = [this](TBlockCellInfo& info) { GetMultiColourCellInfo(info); };
            framePattern->SetShowBasicPattern(count == 6);
        } else {
            framePattern->OnGetCellInfo = nullptr;
        }
        for (fw::SpeedButton* button : {frameCards->btnMoveLeft, frameCards->btnMoveRight, frameCards->btnRotateColFwd,
                                        frameCards->btnRotateColBack}) {
            button->SetVisible(multiColour);
        }
        framePattern->OnAdjustCellInfo = [this](TBlockCellInfo& info) { GetCellDrawInfo(info); };
        frameCards->SetHoleCount(count);
        // The row's own buttons sit below the frames: the strip of holes alone (11 pixels a
        // hole and 27 more) would hide them.
        frameCards->SetHeight(std::max(count * 11 + 27, frameCards->PreferredHeight()));
        SetPatternSize(0, 0);
    } catch (...) {
        framePattern->EndUpdate();
        throw;
    }
    framePattern->EndUpdate();
}

std::uint8_t TfrmTWDoublefaceNonMDI::DefaultThreading(int column) const
{
    if (framePattern->Staggered()) {
        return ThreadingS;
    }
    switch (UserSettings().DoubleFace.DefaultThread) {
    case 1:
        return ThreadingZ;
    case 2:
        return column % 2 != 0 ? ThreadingZ : ThreadingS;
    default:
        return ThreadingS;
    }
}

void TfrmTWDoublefaceNonMDI::SetPatternSize(int width, int length)
{
    framePattern->BeginUpdate();
    try {
        framePattern->SetGridSize(width, length);
        const int before = frameCards->CardCount();
        frameCards->SetCardCount(width);
        for (int i = before; i < frameCards->CardCount(); ++i) {
            TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
            ApplyColourSetup(*frame);
            frame->SetThreading(DefaultThreading(i));
        }
        SyncColumnColours();
    } catch (...) {
        framePattern->EndUpdate();
        throw;
    }
    framePattern->EndUpdate();
}

void TfrmTWDoublefaceNonMDI::ApplyColourSetup(TfrmCardCompactBase& frame)
{
    const int primary = static_cast<int>(pnlPatternCol->Tag());
    const int secondary = static_cast<int>(pnlBackCol->Tag());
    const int half = colourCount_ / 2;
    for (int hole = 0; hole < colourCount_; ++hole) {
        frame.SetHoleColourIndex(hole, hole < half ? primary : secondary);
    }
}

void TfrmTWDoublefaceNonMDI::HoleColourChanged(TfrmCardCompactBase* frame, int hole)
{
    const int column = frame->Number() - 1;
    if (column < 0) {
        return;
    }
    if (colourCount_ == 2) {
        const TTWColour colour = frame->GetHoleColour(hole);
        const fw::Color shown = colour == NoColour ? fw::clWhite : static_cast<fw::Color>(colour);
        if (hole == 1) {
            framePattern->SetColumnOffColour(column, shown);
        } else {
            framePattern->SetColumnOnColour(column, shown);
        }
    } else if (hole == 1) {
        framePattern->SetColumnOffColour(column, 0xFFFFFF);
    } else {
        framePattern->SetColumnOnColour(column, 0x000000);
    }
    framePattern->Refresh();
}

void TfrmTWDoublefaceNonMDI::SyncColumnColours()
{
    framePattern->BeginUpdate();
    for (int i = 0; i < frameCards->CardCount(); ++i) {
        TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
        HoleColourChanged(frame, 0);
        HoleColourChanged(frame, 1);
    }
    framePattern->EndUpdate();
}

void TfrmTWDoublefaceNonMDI::CellChanged(int, int, bool) {}

// --- Drawing the cells ---------------------------------------------------------------------------

void TfrmTWDoublefaceNonMDI::GetMultiColourCellInfo(TBlockCellInfo& info)
{
    const bool set = framePattern->IsCellSet(info.Column, info.Row);
    const bool odd = info.Row % 2 != 0;
    if (TfrmCardCompactBase* frame = frameCards->GetCardFrame(info.Column)) {
        const int first = set ? (odd ? 1 : 0) : (odd ? 2 : 3);
        const int second = set ? (odd ? 0 : 1) : (odd ? 3 : 2);
        const auto shown = [frame](int hole) {
            const TTWColour colour = frame->GetHoleColour(hole);
            return colour == NoColour ? fw::clWhite : static_cast<fw::Color>(colour);
        };
        info.FirstColour = shown(first);
        info.SecondColour = shown(second);
    }
    GetCellDrawInfo(info);
}

void TfrmTWDoublefaceNonMDI::GetCellDrawInfo(TBlockCellInfo& info)
{
    TfrmCardCompactBase* frame = frameCards->GetCardFrame(info.Column);
    if (frame == nullptr) {
        return;
    }
    const bool backwards = framePattern->IsCellSet(info.Column, info.Row) != (info.Row % 2 != 0);
    const std::uint8_t threading = backwards ? FlippedThreading(frame->Threading()) : frame->Threading();
    info.Twine1 = threading;
    info.Twine2 = threading;
}

// --- The pattern in and out -----------------------------------------------------------------------

std::unique_ptr<TTWDFPattern> TfrmTWDoublefaceNonMDI::NewPattern() const
{
    return std::make_unique<TTWDFPattern>();
}

void TfrmTWDoublefaceNonMDI::SetPattern(const TTWDFPattern& pattern)
{
    const fw::ScopedCursor busy;
    framePattern->BeginUpdate();
    try {
        if (pattern.ColourCount() != colourCount_) {
            SetColourCount(pattern.ColourCount());
        }
        framePattern->SetGridSize(pattern.Width(), pattern.Length());
        threaded_->Palette().Assign(&pattern.Palette());
        ApplyPalette();
        frameCards->SetCardCount(pattern.Width());
        const TTWCardList& cards = pattern.Cards();
        for (int i = 0; i < pattern.Width() && i < cards.Count(); ++i) {
            TfrmCardCompactBase* frame = frameCards->GetCardFrame(i);
            const TTWCardBase& card = *cards.GetCard(i);
            if (colourCount_ == 2) {
                frame->SetHoleColourIndex(0, card.HoleColour(0));
                frame->SetHoleColourIndex(1, card.HoleColour(2));
            } else {
                for (int hole = 0; hole < colourCount_ && hole < card.GetHoleCount(); ++hole) {
                    frame->SetHoleColourIndex(hole, card.HoleColour(hole));
                }
            }
            frame->SetThreading(card.Threading());
        }
        for (int y = 0; y < pattern.Length(); ++y) {
            for (int x = 0; x < pattern.Width(); ++x) {
                framePattern->SetCell(x, y, pattern.GetCell(x, y));
            }
        }
        threaded_->SelvedgeLeft().Assign(pattern.SelvedgeLeft());
        threaded_->SelvedgeRight().Assign(pattern.SelvedgeRight());
        SyncColumnColours();
    } catch (...) {
        framePattern->EndUpdate();
        throw;
    }
    framePattern->EndUpdate();
    patternName_ = pattern.Name();
    notes_ = pattern.Notes();
    UpdateCaption();
    if (ITWEditorHost* host = EditorHost()) {
        host->RefreshNotes(*this);
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternKind());
}

void TfrmTWDoublefaceNonMDI::GetDFPattern(TTWDFPattern& pattern)
{
    pattern.SetName(patternName_);
    pattern.SetNotes(notes_);
    // Both at once, whatever size the pattern had: one side changed before the other could
    // pass the cell limit on the way.
    pattern.SetSize(framePattern->GridWidth(), framePattern->GridHeight());
    pattern.SetColourCount(colourCount_);
    BuildCards(pattern.Cards());
    pattern.Palette().Assign(&threaded_->Palette());
    pattern.SelvedgeLeft().Assign(threaded_->SelvedgeLeft());
    pattern.SelvedgeRight().Assign(threaded_->SelvedgeRight());
    for (int y = 0; y < framePattern->GridHeight(); ++y) {
        for (int x = 0; x < framePattern->GridWidth(); ++x) {
            pattern.SetCell(x, y, framePattern->IsCellSet(x, y));
        }
    }
}

void TfrmTWDoublefaceNonMDI::OpenPattern(const TTWDFPattern* pattern, const std::string& fileName)
{
    fileName_ = fileName;
    if (pattern != nullptr) {
        SetPattern(*pattern);
    } else {
        SetCaption(GetPatternKindName());
        if (ITWEditorHost* host = EditorHost()) {
            host->UpdateWindowMenuCaption(*this);
        }
    }
    Show();
}

void TfrmTWDoublefaceNonMDI::UpdateCaption()
{
    SetCaption(GetPatternKindName() + ": " + patternName_);
    if (ITWEditorHost* host = EditorHost()) {
        host->UpdateWindowMenuCaption(*this);
    }
}

void TfrmTWDoublefaceNonMDI::SetPatternName(const std::string& name)
{
    patternName_ = name;
    UpdateCaption();
    TellMain(WM_TW_EDITORNAMECHANGED, PatternKind());
}

// --- The conversion ------------------------------------------------------------------------------------

void TfrmTWDoublefaceNonMDI::BuildCards(TTWCardList& cards)
{
    cards.Clear();
    const int holes = colourCount_ == 6 ? 6 : 4;
    for (int i = 0; i < framePattern->GridWidth(); ++i) {
        std::unique_ptr<TTWCardBase> card = CreateCard(holes);
        if (TfrmCardCompactBase* frame = frameCards->GetCardFrame(i)) {
            if (colourCount_ == 2) {
                const int first = frame->GetHoleColourIndex(0);
                const int second = frame->GetHoleColourIndex(1);
                card->SetHoleColour(0, first);
                card->SetHoleColour(1, first);
                card->SetHoleColour(2, second);
                card->SetHoleColour(3, second);
            } else {
                for (int hole = 0; hole < holes; ++hole) {
                    card->SetHoleColour(hole, frame->GetHoleColourIndex(hole));
                }
            }
            card->SetThreading(frame->Threading());
        }
        card->Reset();
        cards.Add(card.release());
    }
}

void TfrmTWDoublefaceNonMDI::BuildRowPicks(int row, TTWPattern& pattern)
{
    TTWPick* pick = pattern.Picks().Add();
    // Every card turns the other way in odd rows, so that a clear cell alternates with the
    // card's own direction and the two faces change places where a cell is set.
    const bool odd = row % 2 != 0;
    for (int i = 0; i < framePattern->GridWidth(); ++i) {
        const std::uint8_t direction = framePattern->IsCellSet(i, row) != odd ? TurnBackwards : TurnForwards;
        pick->Actions().Add(TTWAction::CreateCardTurn(i + 1, direction, DistanceOneHole).release());
    }
    const int copies = colourCount_ == 6 ? 2 : 1;
    for (int copy = 0; copy < copies; ++copy) {
        pattern.Picks().Add()->Assign(pick);
    }
}

int TfrmTWDoublefaceNonMDI::BuildThreadedPattern(TTWPattern& pattern)
{
    TTWPattern::CheckConversionSize(framePattern->GridWidth(),
                                    static_cast<std::int64_t>(framePattern->GridHeight()) * (colourCount_ == 6 ? 3 : 2),
                                    this);
    if (const std::optional<int> firstChanged = TurnDirectionsAgain(pattern)) {
        return *firstChanged;
    }
    // Built anew: rows added at the end still leave the picks before them as they were.
    return pattern.Rebuild([this](TTWPattern& fresh) {
        fresh.Clear();
        BuildCards(fresh.Cards());
        for (int row = 0; row < framePattern->GridHeight(); ++row) {
            BuildRowPicks(row, fresh);
        }
    });
}

std::optional<int> TfrmTWDoublefaceNonMDI::TurnDirectionsAgain(TTWPattern& pattern)
{
    // The band is built again after every change of a cell, and a large design holds
    // hundreds of thousands of actions: when the pattern already has this design's shape
    // (one turn per card in each pick, the picks of every row) only the directions and the
    // cards are set again, which gives the same pattern as building it anew.
    const int width = framePattern->GridWidth();
    const int height = framePattern->GridHeight();
    const int picksPerRow = colourCount_ == 6 ? 3 : 2;
    if (pattern.Picks().Count() != height * picksPerRow || pattern.Packs().Count() != 0 || width == 0) {
        return std::nullopt;
    }
    for (int p = 0; p < pattern.Picks().Count(); ++p) {
        const TTWActionList& actions = pattern.Picks().Items(p)->Actions();
        if (actions.Count() != width) {
            return std::nullopt;
        }
        for (int i = 0; i < width; ++i) {
            const TTWAction* action = actions.Items(i);
            if (!action->IsCardAction() || !action->IsTurn() || action->CardNumber() != i + 1) {
                return std::nullopt;
            }
        }
    }
    BuildCards(pattern.Cards());
    // The picks before the first one changed weave as they did: the band can be woven on
    // from there. With none changed the last one is woven again, which costs one row.
    int firstChanged = std::max(pattern.Picks().Count(), 1);
    for (int row = 0; row < height; ++row) {
        const bool odd = row % 2 != 0;
        for (int copy = 0; copy < picksPerRow; ++copy) {
            const int pick = row * picksPerRow + copy;
            TTWActionList& actions = pattern.Picks().Items(pick)->Actions();
            for (int i = 0; i < width; ++i) {
                TTWAction& action = *actions.Items(i);
                const std::uint8_t direction = framePattern->IsCellSet(i, row) != odd ? TurnBackwards : TurnForwards;
                if (action.TurnDir() != direction) {
                    action.SetTurnDir(direction);
                    firstChanged = std::min(firstChanged, pick + 1);
                }
            }
        }
    }
    return firstChanged;
}

void TfrmTWDoublefaceNonMDI::RefreshWeavingImage()
{
    const fw::ScopedCursor busy;
    // A changed cell changes the picks of its row on: the band is woven on from the first of
    // them (the loom weaves whole when the cards or colours changed too).
    const int firstPick = BuildThreadedPattern(*threaded_);
    threaded_->UpdateWeaving(*frontWeaving_, &threaded_->Palette(), false, firstPick);
    // The reverse side is woven when it is shown: most of the time nobody looks at it.
    reverseStaleFrom_ = reverseStaleFrom_ == 0 ? firstPick : std::min(reverseStaleFrom_, firstPick);
    if (frameWeaving->GetShowReverse()) {
        WeaveStaleReverse();
    }
    frameWeaving->Redraw();
}

void TfrmTWDoublefaceNonMDI::WeaveStaleReverse()
{
    if (reverseStaleFrom_ == 0) {
        return;
    }
    const int firstPick = reverseStaleFrom_;
    reverseStaleFrom_ = 0;
    threaded_->UpdateWeaving(*reverseWeaving_, &threaded_->Palette(), true, firstPick);
}

// --- Pages -----------------------------------------------------------------------------------------------

bool TfrmTWDoublefaceNonMDI::ImageShown() const
{
    return pcMain->ActivePage() == pgImage;
}

void TfrmTWDoublefaceNonMDI::ShowPage(TILBrushPage* page)
{
    if (page == pcMain->ActivePage()) {
        return;
    }
    if (const TILBrushPageControl::ChangingPageEvent& changing = pcMain->OnChangingPage()) {
        if (!changing(pcMain, page)) {
            return;
        }
    }
    pcMain->SetActivePage(page);
}

void TfrmTWDoublefaceNonMDI::ProfileMenuForPage()
{
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(ImageShown() ? TTWProfileKind::WeavingImage : TTWProfileKind::Block));
    }
}
