// The twist-patterned editor window: making it, showing a pattern in it, weaving the grid
// into a band, its name and notes, and its life as a child window of the main window.

#include "editors/twist_editor.h"

#include <utility>

#include "controls/brush_page.h"
#include "controls/brush_panel.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/application.h"
#include "framework/gui/dialogs.h"
#include "model/action.h"
#include "model/card.h"
#include "model/display_profile.h"
#include "model/model_state.h"
#include "model/pattern_base.h"
#include "model/pick.h"
#include "model/threaded_pattern.h"
#include "model/turning_codes.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"

namespace {

constexpr const char* CaptionBase = "Twist-Patterned";
// The colour every thread of the woven band takes: the design shows by the slant of the
// threads alone, as the card's threading and turning lay them.
constexpr TTWColour ThreadColour = 0xFFFFFF;

std::string CaptionFor(const std::string& name)
{
    return std::string(CaptionBase) + ": " + name;
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

TfrmTWWarpTwinedPatternNonMDI::TfrmTWWarpTwinedPatternNonMDI(fw::Component* owner)
    : TfrmTWPatternBaseForm(owner),
      pcMain(new TILBrushPageControl(this)),
      pgPattern(new TILBrushPage(this)),
      framePattern(new TfrmBlockPattern(this)),
      pgImage(new TILBrushPage(this)),
      frameWeaving(new TfrmWeavingImage(this)),
      pattern_(std::make_unique<TTWWarpTwinedPattern>()),
      threaded_(std::make_unique<TTWPattern>()),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>())
{
    // No name: the main window owns any number of these windows.
    SetCaption(CaptionBase);
    SetPosition(fw::FormPosition::Default);
    SetBounds(0, 0, 900, 640);
    SetWindowState(fw::WindowState::Maximized);
    pnlTBottom->SetVisible(false);

    pcMain->SetName("pcMain");
    pcMain->SetParent(pnlTTop);
    pcMain->SetAlign(fw::Align::Client);
    const struct {
        TILBrushPage* Page;
        const char* Name;
        const char* Caption;
        fw::Control* Frame;
        const char* FrameName;
    } pages[] = {{pgPattern, "pgPattern", "Pattern", framePattern, "framePattern"},
                 {pgImage, "pgImage", "Image", frameWeaving, "frameWeaving"}};
    for (const auto& page : pages) {
        page.Page->SetName(page.Name);
        page.Page->SetPageName(page.Caption);
        page.Page->SetParent(pcMain);
        page.Frame->SetName(page.FrameName);
        page.Frame->SetParent(page.Page);
        page.Frame->SetAlign(fw::Align::Client);
    }
    pcMain->SetActivePage(pgPattern);

    const TTWTwistPatternedSettings& settings = UserSettings().TwistPatterned;
    framePattern->SetBaseWidth(settings.Ratio.Width);
    framePattern->SetBaseHeight(settings.Ratio.Height);
    framePattern->SetOrientation(settings.DefaultRotation);
    framePattern->OnAdjustCellInfo = [this](TBlockCellInfo& info) { GetCellDrawInfo(info); };

    // The threads are all one colour, so the real image would show a blank band: the block
    // chart shows the design by its twining lines, as the pattern browser shows this kind.
    // Set up quietly: the window is not the active editor yet.
    frameWeaving->SetSilent(true);
    frameWeaving->SetWeaving(frontWeaving_.get());
    frameWeaving->SetReverseAvailable(reverseWeaving_.get());
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
    frameWeaving->SetShowGrid(false);
    frameWeaving->SetRealImage(false);
    frameWeaving->SetSilent(false);

    pcMain->SetOnChangingPage([this](TILBrushPageControl*, TILBrushPage* page) {
        if (page == pgImage) {
            RefreshWeavingImage();
        }
        return true;
    });
    pcMain->SetOnPageChanged([this](fw::Object*) { PageChanged(); });
}

TfrmTWWarpTwinedPatternNonMDI::~TfrmTWWarpTwinedPatternNonMDI()
{
    // The notes go into the pattern while both are still here.
    if (ITWEditorHost* host = EditorHost()) {
        host->UnbindNotes(*this);
        host->RemoveWindowMenuEntry(*this);
    }
    // The frames outlive the pattern and the bands (they go with the window's components):
    // nothing of theirs may point into them, nor call back into this window, by then.
    pcMain->SetOnChangingPage(nullptr);
    pcMain->SetOnPageChanged(nullptr);
    framePattern->OnAdjustCellInfo = nullptr;
    frameWeaving->SetSilent(true);
    frameWeaving->SetCardListProvider({});
    frameWeaving->SetWeaving(nullptr);
    frameWeaving->SetReverseAvailable(nullptr);
}

void TfrmTWWarpTwinedPatternNonMDI::FormCreate()
{
    TfrmTWPatternBaseForm::FormCreate();
    if (ITWEditorHost* host = EditorHost()) {
        host->AddWindowMenuEntry(*this);
    }
    pcMain->SetActivePage(pgPattern);
}

// --- Showing a pattern -------------------------------------------------------------------------

void TfrmTWWarpTwinedPatternNonMDI::OpenPattern(const TTWWarpTwinedPattern* pattern, const std::string& fileName)
{
    fileName_ = fileName;
    if (pattern != nullptr) {
        LoadPattern(*pattern);
    }
    fw::App().ProcessMessages();
    Show();
}

void TfrmTWWarpTwinedPatternNonMDI::LoadPattern(const TTWWarpTwinedPattern& pattern)
{
    const fw::ScopedCursor busy;
    const GridUpdate update(*framePattern);
    if (&pattern != pattern_.get()) {
        pattern_->Assign(&pattern);
        // The kind's copy leaves the palette and the saving choice behind; the window keeps
        // them, so that saving writes back what the file held.
        pattern_->Palette().Assign(&pattern.Palette());
        pattern_->SetSaveCardsAndPalette(pattern.SaveCardsAndPalette());
    }
    SetCaption(CaptionFor(pattern_->Name()));
    if (ITWEditorHost* host = EditorHost()) {
        host->UpdateWindowMenuCaption(*this);
        host->RefreshNotes(*this);
    }
    framePattern->SetGridSize(pattern_->Width(), pattern_->Length());
    for (int y = 0; y < pattern_->Length(); ++y) {
        for (int x = 0; x < pattern_->Width(); ++x) {
            framePattern->SetCell(x, y, pattern_->GetCell(x, y));
        }
    }
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeTwistPatterned);
}

const TTWWarpTwinedPattern& TfrmTWWarpTwinedPatternNonMDI::GetPattern()
{
    UpdatePatternFromGrid();
    return *pattern_;
}

void TfrmTWWarpTwinedPatternNonMDI::UpdatePatternFromGrid()
{
    const int width = framePattern->GridWidth();
    const int length = framePattern->GridHeight();
    // Both at once: a narrow, long design made wide and short would pass the cell limit
    // on the way if its width changed first.
    pattern_->SetSize(width, length);
    // A picture imported, or an undo back past one, changes the grid's width without the
    // Size command, which keeps the threading beside it.
    pattern_->FitCardsToWidth();
    for (int y = 0; y < length; ++y) {
        for (int x = 0; x < width; ++x) {
            pattern_->SetCell(x, y, framePattern->IsCellSet(x, y));
        }
    }
}

// --- Weaving the grid ----------------------------------------------------------------------------

int TfrmTWWarpTwinedPatternNonMDI::BuildThreadedPattern()
{
    const int width = framePattern->GridWidth();
    const int length = framePattern->GridHeight();
    // A design too large to weave is refused before the threaded-in form is touched.
    TTWPattern::CheckConversionSize(width, length, this);
    return threaded_->Rebuild([&](TTWPattern& threaded) {
        threaded.Clear();
        const TTWCardList& designCards = pattern_->Cards();
        for (int column = 0; column < width; ++column) {
            auto card = std::make_unique<TTWCard4>();
            for (int hole = 0; hole < card->GetHoleCount(); ++hole) {
                card->SetHoleColour(hole, 0);
            }
            const TTWCardBase* designCard = designCards.GetCard(column);
            card->SetThreading(designCard != nullptr ? designCard->Threading() : ThreadingS);
            card->Reset();
            threaded.Cards().Add(card.release());
        }
        threaded.SelvedgeLeft().Assign(pattern_->SelvedgeLeft());
        threaded.SelvedgeRight().Assign(pattern_->SelvedgeRight());

        const bool useTwist = UserSettings().TwistPatterned.UseTwist;
        for (int row = 0; row < length; ++row) {
            TTWPick* pick = threaded.Picks().Add();
            for (int column = 0; column < width; ++column) {
                const int cardNumber = column + 1;
                std::uint8_t direction = TurnForwards;
                if (!useTwist) {
                    // A Z card turning forwards lies as an S card turning backwards: a set cell
                    // reverses the card's natural direction.
                    const TTWCardBase* designCard = designCards.GetCard(column);
                    if (designCard != nullptr
                        && framePattern->IsCellSet(column, row) != (designCard->Threading() == ThreadingZ)) {
                        direction = TurnBackwards;
                    }
                }
                pick->Actions().Add(TTWAction::CreateCardTurn(cardNumber, direction, DistanceOneHole).release());
                if (useTwist && framePattern->IsChangeAt(column, row)) {
                    pick->Actions().Add(TTWAction::CreateCardTwist(cardNumber, TwistV).release());
                }
            }
        }
    });
}

void TfrmTWWarpTwinedPatternNonMDI::RefreshWeavingImage()
{
    const fw::ScopedCursor busy;
    const int firstPick = BuildThreadedPattern();
    threaded_->Palette().SetColour(0, ThreadColour);
    threaded_->UpdateWeaving(*frontWeaving_, nullptr, false, firstPick);
    threaded_->UpdateWeaving(*reverseWeaving_, nullptr, true, firstPick);
    frameWeaving->Redraw();
}

void TfrmTWWarpTwinedPatternNonMDI::ShowPatternPage()
{
    pcMain->SetActivePage(pgPattern);
}

void TfrmTWWarpTwinedPatternNonMDI::ShowImagePage()
{
    // A tab click weaves through the page control's question; asked in code, the page
    // control does not ask, so the band is woven here.
    if (!ImagePageShown()) {
        RefreshWeavingImage();
    }
    pcMain->SetActivePage(pgImage);
}

bool TfrmTWWarpTwinedPatternNonMDI::ImagePageShown() const
{
    return pcMain->ActivePage() == pgImage;
}

void TfrmTWWarpTwinedPatternNonMDI::GetCellDrawInfo(TBlockCellInfo& info)
{
    info.Twine1 = framePattern->IsCellSet(info.Column, info.Row) ? TwineBackslash : TwineSlash;
    info.Twine2 = TwineWholeCell;
}

// --- Name and notes ------------------------------------------------------------------------------

std::string TfrmTWWarpTwinedPatternNonMDI::GetNotes()
{
    return pattern_->Notes();
}

void TfrmTWWarpTwinedPatternNonMDI::SetNotes(const std::string& notes)
{
    pattern_->SetNotes(notes);
}

std::string TfrmTWWarpTwinedPatternNonMDI::GetPatternName()
{
    return pattern_->Name();
}

void TfrmTWWarpTwinedPatternNonMDI::SetPatternName(const std::string& name)
{
    pattern_->SetName(name);
    SetCaption(CaptionFor(name));
    TellMain(WM_TW_EDITORNAMECHANGED, PatternTypeTwistPatterned);
}

// --- The window's life ---------------------------------------------------------------------------

void TfrmTWWarpTwinedPatternNonMDI::DoActivate()
{
    TfrmTWPatternBaseForm::DoActivate();
    AnnounceActivation(PatternTypeTwistPatterned);
    BuildProfileMenu(false);
}

void TfrmTWWarpTwinedPatternNonMDI::PageChanged()
{
    TellMain(WM_TW_TOOLSTATESCHANGED);
    BuildProfileMenu(ImagePageShown());
}

void TfrmTWWarpTwinedPatternNonMDI::BuildProfileMenu(bool image) const
{
    if (ITWEditorHost* host = EditorHost()) {
        host->BuildProfileMenu(static_cast<int>(image ? TTWProfileKind::WeavingImage : TTWProfileKind::Block));
    }
}

