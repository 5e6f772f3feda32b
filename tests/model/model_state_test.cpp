#include <gtest/gtest.h>

#include "foundation/generic_exception.h"
#include "framework/core/files.h"
#include "model/model_state.h"
#include "model/palette.h"
#include "model/user_settings.h"

TEST(ModelState, InitialisationMakesTheGlobalsAndResetRestoresThem)
{
    FinaliseModel();
    EXPECT_FALSE(ModelInitialised());
    EXPECT_THROW(UserSettings(), TGenericException);
    EXPECT_THROW(PaletteList(), TGenericException);

    InitialiseModel("/opt/tavelin");
    ASSERT_TRUE(ModelInitialised());
    EXPECT_EQ(UserSettings().ProgramFolder(), "/opt/tavelin/");
    EXPECT_EQ(UserSettings().Directories.LastLoad, StartFolder("/opt/tavelin/"));
    EXPECT_EQ(UserSettings().Printer.FontSize, 10);
    ASSERT_EQ(PaletteList().Count(), 1);
    const TTWPalette* standard = PaletteList().DefaultPalette();
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->Name(), "(Default)");
    EXPECT_EQ(standard->Size(), 16);
    EXPECT_EQ(standard->GetColour(15), 0xFFFFFFu);
    EXPECT_EQ(&UserSettings(), &UserSettings());

    UserSettings().Printer.FontSize = 12;
    UserSettings().EditorProfiles().Add(new TTWDesignProfileBlock);
    PaletteList().AddNew()->SetName("Mine");
    ResetModelForTests();
    EXPECT_EQ(UserSettings().Printer.FontSize, 10);
    EXPECT_EQ(UserSettings().EditorProfiles().Count(), 0);
    EXPECT_EQ(UserSettings().ProgramFolder(), "/opt/tavelin/");
    ASSERT_EQ(PaletteList().Count(), 1);
    EXPECT_EQ(PaletteList().Palettes(0)->Name(), "(Default)");
}

TEST(ModelState, ResetAfterFinaliseStartsAfresh)
{
    FinaliseModel();
    ResetModelForTests();
    ASSERT_TRUE(ModelInitialised());
    EXPECT_FALSE(UserSettings().ProgramFolder().empty());
    EXPECT_EQ(PaletteList().Count(), 1);
}
