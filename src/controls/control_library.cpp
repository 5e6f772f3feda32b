#include "controls/control_library.h"

#include "controls/check_images.h"
#include "controls/default_brushes.h"
#include "controls/image_library.h"
#include "controls/image_list.h"
#include "controls/image_list_editor.h"

namespace {

// Plain pointers and a counter: constant-initialised, so nothing runs before main.
int startCount = 0;
TILImageLibrary* imageLibrary = nullptr;
TILDefaultBrushItemList* defaultBrushItems = nullptr;

void CreateState()
{
    imageLibrary = new TILImageLibrary;
    defaultBrushItems = new TILDefaultBrushItemList;
    LoadDefaultCheckImages();
    InstallImageListEditor();
}

void FreeState()
{
    // The globals are cleared before anything is freed, so that whoever hears of the end
    // of the library and resolves again finds no library rather than a dying one.
    TILImageLibrary* library = imageLibrary;
    TILDefaultBrushItemList* brushes = defaultBrushItems;
    imageLibrary = nullptr;
    defaultBrushItems = nullptr;
    delete library;
    delete brushes;
    FreeDefaultCheckImages();
    SetImageListEditor({});
}

} // namespace

void InitControlLibrary()
{
    if (startCount++ == 0) {
        CreateState();
    }
}

void ShutdownControlLibrary()
{
    if (startCount == 0) {
        return;
    }
    if (--startCount == 0) {
        FreeState();
    }
}

bool ControlLibraryRunning()
{
    return startCount > 0;
}

void ResetControlLibraryForTests()
{
    if (startCount == 0) {
        return;
    }
    FreeState();
    CreateState();
}

TILImageLibrary* ImageLibrary()
{
    return imageLibrary;
}

TILDefaultBrushItemList* DefaultBrushItems()
{
    return defaultBrushItems;
}
