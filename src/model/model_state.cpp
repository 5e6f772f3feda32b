#include "model/model_state.h"

#include <memory>

#include "foundation/generic_exception.h"
#include "framework/core/files.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/palette.h"
#include "model/pattern_base.h"
#include "model/threaded_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "model/user_settings.h"

namespace {

// Constant-initialised: nothing runs before InitialiseModel.
std::unique_ptr<TTWUserSettings> settings;
std::unique_ptr<TTWPaletteList> palettes;
std::filesystem::path lastProgramFolder;

[[noreturn]] void RaiseNotInitialised(const char* accessor)
{
    throw TGenericException("The model has not been initialised.", nullptr, "", accessor);
}

} // namespace

void InitialiseModel(const std::filesystem::path& programFolder)
{
    // Both are made before either is replaced, so a failure leaves the old state whole.
    auto newSettings = std::make_unique<TTWUserSettings>(programFolder);
    auto newPalettes = std::make_unique<TTWPaletteList>();
    newPalettes->ResetToDefault();
    settings = std::move(newSettings);
    palettes = std::move(newPalettes);
    lastProgramFolder = programFolder;
    RegisterPatternClasses();
}

// The kind table maps kind codes to the classes that read and write them; a kind without a
// class here loads as an unknown kind.
void RegisterPatternClasses()
{
    ClearPatternClasses();
    RegisterThreadedPattern();
    RegisterBrocadePattern();
    RegisterFont();
    RegisterLetteredBand();
    RegisterDoubleFacePattern();
    RegisterBrokenTwillPattern();
    RegisterTwistPatternedPattern();
}

void ResetModelForTests()
{
    InitialiseModel(lastProgramFolder.empty() ? std::filesystem::path(fw::TempFolder()) : lastProgramFolder);
}

void FinaliseModel()
{
    settings.reset();
    palettes.reset();
}

bool ModelInitialised()
{
    return settings != nullptr;
}

TTWUserSettings& UserSettings()
{
    if (settings == nullptr) {
        RaiseNotInitialised("UserSettings");
    }
    return *settings;
}

TTWPaletteList& PaletteList()
{
    if (palettes == nullptr) {
        RaiseNotInitialised("PaletteList");
    }
    return *palettes;
}
