#include "editors/double_face_frame.h"

#include "controls/brush_page.h"
#include "controls/tabbed_pages.h"
#include "editors/block_frame.h"
#include "editors/font_glyph_design.h"
#include "editors/view_frame_support.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/application.h"
#include "model/card_list.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/threaded_pattern.h"
#include "model/user_settings.h"
#include "model/weaving.h"
#include "shell/editor_host.h"
#include "shell/main_window_messages.h"

namespace {

// Without colours of the host's, the band is woven black on white.
constexpr TTWColour PatternColour = 0x000000;
constexpr TTWColour BackgroundColour = 0xFFFFFF;

TILBrushPage* NewPage(fw::Component* owner, const char* name, const char* caption)
{
    auto* page = new TILBrushPage(owner);
    page->SetName(name);
    page->SetPageName(caption);
    return page;
}

std::uint8_t ThreadingOfSetting(int defaultThread)
{
    if (defaultThread == FontThreadingAllZ || defaultThread == FontThreadingAltSZ) {
        return static_cast<std::uint8_t>(defaultThread);
    }
    return FontThreadingAllS;
}

} // namespace

TframeTWDoubleFace::TframeTWDoubleFace(fw::Component* owner)
    : fw::Frame(owner),
      pcDoubleFace(new TILBrushPageControl(this)),
      pgDesign(NewPage(this, "pgDesign", "Design")),
      framePattern(new TfrmBlockPattern(this)),
      pgImage(NewPage(this, "pgImage", "Image")),
      frameImage(new TfrmWeavingImage(this)),
      frontWeaving_(std::make_unique<TTWWeaving>()),
      reverseWeaving_(std::make_unique<TTWWeaving>()),
      threaded_(std::make_unique<TTWPattern>())
{
    SetName("frameDoubleFace");
    SetBounds(0, 0, 600, 400);
    pcDoubleFace->SetName("pcDoubleFace");
    pcDoubleFace->SetParent(this);
    pcDoubleFace->SetAlign(fw::Align::Client);
    for (TILBrushPage* page : {pgDesign, pgImage}) {
        page->SetParent(pcDoubleFace);
    }
    framePattern->SetName("framePattern");
    framePattern->SetParent(pgDesign);
    framePattern->SetAlign(fw::Align::Client);
    frameImage->SetName("frameImage");
    frameImage->SetParent(pgImage);
    frameImage->SetAlign(fw::Align::Client);

    const TTWUserSettings& settings = UserSettings();
    threadingMode_ = ThreadingOfSetting(settings.DoubleFace.DefaultThread);
    framePattern->SetBaseWidth(settings.ImageSizeRatios.DoubleFace.Width);
    framePattern->SetBaseHeight(settings.ImageSizeRatios.DoubleFace.Height);
    framePattern->SetOrientation(settings.DefaultRotations.DoubleFace);
    framePattern->SetPicksPerRow(2);
    framePattern->SetImportFollowsOrientation(true);

    // Set up quietly: the editor holding the frame is not the active one yet.
    frameImage->SetSilent(true);
    frameImage->SetWeaving(frontWeaving_.get());
    frameImage->SetReverseAvailable(reverseWeaving_.get());
    frameImage->SetCardListProvider([this](TWeavingCardListKind kind) -> TTWCardList* {
        TTWCardList* cards = &threaded_->Cards();
        if (kind == TWeavingCardListKind::LeftSelvedge) {
            cards = &threaded_->SelvedgeLeft();
        } else if (kind == TWeavingCardListKind::RightSelvedge) {
            cards = &threaded_->SelvedgeRight();
        }
        cards->SetPalette(WeavingPalette());
        return cards;
    });
    frameImage->SetSilent(false);

    pcDoubleFace->SetOnChangingPage([this](TILBrushPageControl*, TILBrushPage* page) {
        if (page == pgImage) {
            RefreshWeavingImage();
        }
        return true;
    });
    pcDoubleFace->SetOnPageChanged([this](fw::Object*) {
        if (ITWEditorHost* host = EditorHostOf(*this)) {
            host->NotifyMainForm(WM_TW_TOOLSTATESCHANGED);
        }
    });
    pcDoubleFace->SetActivePage(pgDesign);
    FinishLoading();
}

TframeTWDoubleFace::~TframeTWDoubleFace()
{
    // The pages and frames outlive the bands and the pattern (they go with the components).
    pcDoubleFace->SetOnChangingPage(nullptr);
    pcDoubleFace->SetOnPageChanged(nullptr);
    frameImage->SetSilent(true);
    frameImage->SetCardListProvider({});
    frameImage->SetWeaving(nullptr);
    frameImage->SetReverseAvailable(nullptr);
}

TTWPalette* TframeTWDoubleFace::WeavingPalette() const
{
    return hostPalette_ != nullptr ? hostPalette_ : &threaded_->Palette();
}

void TframeTWDoubleFace::BuildCards(TTWCardList& cards) const
{
    if (hostCards_ != nullptr && hostCards_->Count() > 0) {
        cards.Assign(*hostCards_);
        return;
    }
    BuildLetteredBandCards(cards, framePattern->GridWidth(), threadingMode_);
}

void TframeTWDoubleFace::BuildThreadedPattern(TTWPattern& pattern) const
{
    BuildLetterThreadedPattern(*framePattern, threadingMode_, pattern);
    if (hostCards_ != nullptr && hostCards_->Count() > 0) {
        BuildCards(pattern.Cards());
    }
}

void TframeTWDoubleFace::GetDFPattern(TTWDFPattern& pattern) const
{
    BuildLetteredDFPattern(DesignOfGrid(*framePattern), threadingMode_, pattern);
    if (hostCards_ != nullptr && hostCards_->Count() > 0) {
        BuildCards(pattern.Cards());
    }
    pattern.SelvedgeLeft().Assign(threaded_->SelvedgeLeft());
    pattern.SelvedgeRight().Assign(threaded_->SelvedgeRight());
}

void TframeTWDoubleFace::RefreshWeavingImage()
{
    const fw::ScopedCursor busy;
    // The letters are built anew; the band weaves on from the first pick that changed.
    const int firstPick = threaded_->Rebuild([this](TTWPattern& threaded) { BuildThreadedPattern(threaded); });
    if (hostPalette_ == nullptr) {
        threaded_->Palette().SetColour(0, PatternColour);
        threaded_->Palette().SetColour(1, BackgroundColour);
    }
    threaded_->UpdateWeaving(*frontWeaving_, WeavingPalette(), false, firstPick);
    threaded_->UpdateWeaving(*reverseWeaving_, WeavingPalette(), true, firstPick);
    frameImage->Redraw();
}

bool TframeTWDoubleFace::ImageShown() const
{
    return pcDoubleFace->ActivePage() == pgImage;
}

void TframeTWDoubleFace::ShowPage(TILBrushPage* page)
{
    if (page == pcDoubleFace->ActivePage()) {
        return;
    }
    if (const TILBrushPageControl::ChangingPageEvent& changing = pcDoubleFace->OnChangingPage()) {
        if (!changing(pcDoubleFace, page)) {
            return;
        }
    }
    pcDoubleFace->SetActivePage(page);
}

bool TframeTWDoubleFace::PerformAction(std::int32_t actionId, bool down, fw::Object* data)
{
    if (ImageShown()) {
        frameImage->PerformAction(actionId, down, data);
    } else {
        framePattern->PerformAction(actionId, down, data);
    }
    return true;
}

void TframeTWDoubleFace::GetToolActions(TTWToolActionList& list)
{
    if (ImageShown()) {
        frameImage->GetToolActions(list);
    } else {
        framePattern->GetToolActions(list);
    }
}

void TframeTWDoubleFace::PasteClip(fw::Object* source)
{
    if (!ImageShown()) {
        framePattern->PasteClip(source);
    }
}
