#include "editors/browser_thumbnail_makers.h"

#include <memory>
#include <type_traits>

#include "editors/brocade_editor.h"
#include "editors/brocade_image_frame.h"
#include "editors/df_editor.h"
#include "editors/twill_editor.h"
#include "editors/twist_editor.h"
#include "editors/weaving_image_frame.h"
#include "framework/gui/message.h"
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

// The editor windows that draw the pictures of their kinds: children of the main window as
// every editor is, never shown, with no host, so that they tell nobody of themselves. One of
// each kind serves a whole run of thumbnails (a window is costly to make) and goes when the
// run ends, or at once outside a run.
struct HiddenEditors {
    fw::WeakRef<fw::Form> DoubleFace;
    fw::WeakRef<fw::Form> Twill;
    fw::WeakRef<fw::Form> Twist;
    fw::WeakRef<fw::Form> Brocade;

    void Free()
    {
        for (fw::WeakRef<fw::Form>* editor : {&DoubleFace, &Twill, &Twist, &Brocade}) {
            delete editor->Get();
            editor->Reset();
        }
    }
};

HiddenEditors& Editors()
{
    static HiddenEditors editors;
    return editors;
}

template <class Editor>
Editor& HiddenEditor(fw::WeakRef<fw::Form>& slot)
{
    if (auto* kept = dynamic_cast<Editor*>(slot.Get())) {
        return *kept;
    }
    auto editor = std::make_unique<Editor>(frmTWMain);
    editor->FinishLoading();
    editor->frameWeaving->SetSilent(true);
    slot = editor.get();
    return *editor.release();
}

// Frees the editors unless a run keeps them for the next picture.
void AfterPicture()
{
    if (!TTWThumbnailRun::Open()) {
        Editors().Free();
    }
}

template <class Editor, class Design>
fw::Bitmap EditorPicture(fw::WeakRef<fw::Form>& slot, const Design& design, bool twistPatterned)
{
    fw::Bitmap picture;
    try {
        Editor& editor = HiddenEditor<Editor>(slot);
        if constexpr (std::is_same_v<Design, TTWBrocadePattern>) {
            // The wefts over the woven ground, as the editor's real image shows them.
            editor.LoadPattern(design);
            editor.RefreshPicture();
        } else if constexpr (std::is_same_v<Design, TTWWarpTwinedPattern>) {
            editor.LoadPattern(design);
            editor.RefreshWeavingImage();
        } else {
            editor.SetPattern(design);
            editor.RefreshWeavingImage();
        }
        picture = RenderThumbnailPicture(*editor.frameWeaving, twistPatterned);
    } catch (...) {
        // A window that failed on one design is not trusted with the next.
        delete slot.Get();
        slot.Reset();
        AfterPicture();
        throw;
    }
    AfterPicture();
    return picture;
}

fw::Bitmap DoubleFacePicture(TTWPatternBase& pattern)
{
    return EditorPicture<TfrmSimpleDoubleface>(Editors().DoubleFace, dynamic_cast<const TTWDFPattern&>(pattern), false);
}

fw::Bitmap TwillPicture(TTWPatternBase& pattern)
{
    return EditorPicture<TfrmTWDoubleFaceTwill>(Editors().Twill, dynamic_cast<const TTW31TwillPattern&>(pattern),
                                                false);
}

fw::Bitmap BrocadePicture(TTWPatternBase& pattern)
{
    return EditorPicture<TfrmBrocade>(Editors().Brocade, dynamic_cast<const TTWBrocadePattern&>(pattern), false);
}

fw::Bitmap TwistPicture(TTWPatternBase& pattern)
{
    return EditorPicture<TfrmTWWarpTwinedPattern>(Editors().Twist, dynamic_cast<const TTWWarpTwinedPattern&>(pattern),
                                                  true);
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
    RegisterThumbnailRunEnd("editors", [] { Editors().Free(); });
}
