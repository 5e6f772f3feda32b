#include "editors/editors_registration.h"

#include "editors/browser_thumbnail_makers.h"
#include "editors/clip_list.h"

void RegisterEditors()
{
    RegisterThreadedEditor();
    RegisterDoubleFaceEditor();
    RegisterTwistEditor();
    RegisterTwillEditor();
    RegisterFontGenerator();
    RegisterLetteredBandEditor();
    RegisterBrocadeEditor();
    RegisterClipList();
    RegisterThumbnailMakers();
}
