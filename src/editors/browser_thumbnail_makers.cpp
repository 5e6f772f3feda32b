#include "editors/browser_thumbnail_makers.h"

#include <memory>

#include "editors/df_editor.h"
#include "editors/twill_editor.h"
#include "editors/twist_editor.h"
#include "editors/weaving_image_frame.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/weaving.h"
#include "shell/browser_thumbnails.h"
#include "shell/main_window.h"

namespace {

// A band woven by the model, drawn through a frame made for it.
fw::Bitmap WovenPicture(TTWPattern& pattern)
{
    TTWWeaving weaving;
    pattern.BuildWeaving(weaving, &pattern.Palette(), false, 0);
    TfrmWeavingImage frame;
    frame.SetSilent(true);
    frame.SetWeaving(&weaving);
    const fw::Bitmap picture = RenderThumbnailPicture(frame, false);
    frame.SetWeaving(nullptr);
    return picture;
}

fw::Bitmap ThreadedPicture(TTWPatternBase& pattern)
{
    return WovenPicture(dynamic_cast<TTWPattern&>(pattern));
}

// Until the brocade view draws its wefts over the ground, the ground alone.
fw::Bitmap BrocadePicture(TTWPatternBase& pattern)
{
    TTWBrocadePattern ground;
    ground.Assign(&pattern);
    ground.BuildThreadedPicks();
    return WovenPicture(ground);
}

// An editor window of the kind, made for one picture: a child of the main window as every
// editor is, never shown, with no host, so that it tells nobody of itself.
template <class Editor, class... Args>
std::unique_ptr<Editor> HiddenEditor(Args&&... args)
{
    auto editor = std::make_unique<Editor>(frmTWMain, std::forward<Args>(args)...);
    editor->FinishLoading();
    editor->frameWeaving->SetSilent(true);
    return editor;
}

fw::Bitmap DoubleFacePicture(TTWPatternBase& pattern)
{
    const auto& design = dynamic_cast<const TTWDFPattern&>(pattern);
    std::unique_ptr<TfrmSimpleDoubleface> editor = HiddenEditor<TfrmSimpleDoubleface>(design.ColourCount());
    editor->SetPattern(design);
    editor->RefreshWeavingImage();
    return RenderThumbnailPicture(*editor->frameWeaving, false);
}

fw::Bitmap TwillPicture(TTWPatternBase& pattern)
{
    const auto& design = dynamic_cast<const TTW31TwillPattern&>(pattern);
    std::unique_ptr<TfrmTWDoubleFaceTwill> editor = HiddenEditor<TfrmTWDoubleFaceTwill>();
    editor->SetPattern(design);
    editor->RefreshWeavingImage();
    return RenderThumbnailPicture(*editor->frameWeaving, false);
}

fw::Bitmap TwistPicture(TTWPatternBase& pattern)
{
    const auto& design = dynamic_cast<const TTWWarpTwinedPattern&>(pattern);
    std::unique_ptr<TfrmTWWarpTwinedPattern> editor = HiddenEditor<TfrmTWWarpTwinedPattern>();
    editor->LoadPattern(design);
    editor->RefreshWeavingImage();
    return RenderThumbnailPicture(*editor->frameWeaving, true);
}

} // namespace

void SetUpThumbnailFrame(TfrmWeavingImage& frame, bool twistPatterned)
{
    frame.SetSilent(true);
    frame.BeginUpdate();
    frame.StoreCellRatios(1.0, 0.0, 2.0);
    frame.SetZoom(3);
    frame.SetShowGrid(false);
    frame.SetTagType(TTWTagType::None);
    frame.SetMarkDirChanges(false);
    frame.SetMarkTwists(false);
    frame.SetMarkLongFloats(false);
    frame.SetMarkIdle(false);
    frame.SetShowReverse(false);
    frame.SetShowPickTags(false);
    frame.SetShowCardThreading(false);
    frame.SetOrientation(TTWOrientation::Horizontal);
    frame.SetShowColours(!twistPatterned);
    frame.SetShowTwining(twistPatterned);
    frame.SetImageType(twistPatterned ? TTWImageType::Block : TTWImageType::Real);
    frame.EndUpdate();
}

fw::Bitmap RenderThumbnailPicture(TfrmWeavingImage& frame, bool twistPatterned)
{
    SetUpThumbnailFrame(frame, twistPatterned);
    return frame.RenderPicture(false);
}

void RegisterThumbnailMakers()
{
    RegisterThumbnailMaker(PatternTypeThreaded, ThreadedPicture);
    RegisterThumbnailMaker(PatternTypeDoubleFace, DoubleFacePicture);
    RegisterThumbnailMaker(PatternTypeBrokenTwill, TwillPicture);
    RegisterThumbnailMaker(PatternTypeTwistPatterned, TwistPicture);
    RegisterThumbnailMaker(PatternTypeBrocade, BrocadePicture);
}
