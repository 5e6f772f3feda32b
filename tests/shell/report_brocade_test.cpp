// The printed brocade pattern: a row per pick and weft in use, letters and lines between
// the wefts of a pick, and the ground weave's turns.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/brocade_pattern.h"
#include "model/threaded_pattern.h"
#include "shell/report_brocade.h"
#include "report_test_support.h"

namespace {

using report_forms_test::FakeActionSource;
using report_forms_test::ReportFormTest;

class ReportBrocadeTest : public ReportFormTest {
protected:
    // A brocade of ten cards whose picks carry these weft digits, card 0 first.
    void MakePattern(const std::vector<std::string>& wefts)
    {
        pattern.SetName("Ram's horn");
        pattern.SetWidth(10);
        pattern.SetSize(10, static_cast<int>(wefts.size()));
        for (std::size_t i = 0; i < wefts.size(); ++i) {
            pattern.BrocadePicks().GetPick(static_cast<int>(i))->SetWefts(wefts[i]);
        }
    }

    void AddGroundWeave()
    {
        TTWPattern ground;
        pattern.SetGroundWeave(&ground);
        // The display lists the ground's turns pick by pick.
        for (int i = 1; i <= pattern.BrocadePicks().Count(); ++i) {
            const std::string pick = std::to_string(i);
            display.Rows.push_back({pick, "F" + pick, "B" + pick, "T" + pick});
        }
    }

    std::string Ranges(int pick, int weft, int base = 1) const
    {
        return pattern.BrocadePicks().GetPick(pick)->GetCardRangesText(base, weft);
    }

    // The pen styles of the separating lines in the order printed.
    std::vector<fw::PenStyle> LineStyles() const
    {
        std::vector<fw::PenStyle> styles;
        for (const fw::PlacedItem* line : AllItems("qrLine")) {
            styles.push_back(line->PenStyle);
        }
        return styles;
    }

    // The bands of the detail rows in the order printed.
    std::vector<std::string> RowBands() const
    {
        std::vector<std::string> names;
        for (const auto& page : pages) {
            for (const auto& band : page.Bands) {
                if (band.Name == "qrbPick" || band.Name == "qrbGroundWeave" || band.Name == "qrbLine") {
                    names.push_back(band.Name);
                }
            }
        }
        return names;
    }

    TTWBrocadePattern pattern;
    FakeActionSource display;
    TfrmPrintBrocadePattern form;
};

TEST_F(ReportBrocadeTest, OneWeftPrintsOneRowPerPickWithoutWeftLetters)
{
    MakePattern({"0011110000", "0001111000", "0000111100"});

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    ASSERT_EQ(previews, 1);
    EXPECT_EQ(CountBands("qrbPick"), 3);
    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(AllTexts("lblTieDowns"), (std::vector<std::string>{Ranges(0, 1), Ranges(1, 1), Ranges(2, 1)}));
    EXPECT_EQ(AllTexts("lblTieDowns").front(), "1 - 2; 7 - 10");
    EXPECT_TRUE(AllItems("lblWeft").empty());
    EXPECT_TRUE(AllItems("lblCapWeft").empty());
    // The tie-downs take the weft column's place.
    EXPECT_EQ(AllItems("lblTieDowns").front()->Bounds.Left, 74 + 40);
    EXPECT_EQ(AllItems("lblCapTieDowns").front()->Bounds.Left, 74 + 40);
    EXPECT_EQ(LineStyles(), std::vector<fw::PenStyle>(3, fw::PenStyle::Solid));
    EXPECT_EQ(CountBands("qrbGroundWeave"), 0);
}

TEST_F(ReportBrocadeTest, WeftsOneAndThreePrintTwoRowsPerPickWithTheNumberOnTheFirst)
{
    MakePattern({"0011003300", "0110000330"});

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(CountBands("qrbPick"), 4);
    EXPECT_EQ(AllTexts("lblWeft"), (std::vector<std::string>{"A", "C", "A", "C"}));
    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(AllTexts("lblTieDowns"),
              (std::vector<std::string>{Ranges(0, 1), Ranges(0, 3), Ranges(1, 1), Ranges(1, 3)}));
    // Dotted between the wefts of a pick, solid after its last.
    EXPECT_EQ(LineStyles(), (std::vector<fw::PenStyle>{fw::PenStyle::Dot, fw::PenStyle::Solid, fw::PenStyle::Dot,
                                                       fw::PenStyle::Solid}));
    EXPECT_EQ(AllItems("lblTieDowns").front()->Bounds.Left, 74 + 80);
    EXPECT_EQ(AllTexts("lblCapWeft"), (std::vector<std::string>{"Weft"}));
}

TEST_F(ReportBrocadeTest, PicksAndCardsAreNumberedFromTheFirstNumbersGiven)
{
    MakePattern({"0011110000", "0001111000"});

    form.PrintPattern(&pattern, nullptr, true, 5, 10);

    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"10", "11"}));
    EXPECT_EQ(AllTexts("lblTieDowns").front(), "5 - 6; 11 - 14");
}

TEST_F(ReportBrocadeTest, TheCaptionNamesThePatternAndItsPages)
{
    MakePattern({"0011110000"});

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(AllTexts("lblCaptionText"), (std::vector<std::string>{"Brocade Pattern:"}));
    EXPECT_EQ(AllTexts("lblPatternName"), (std::vector<std::string>{"Ram's horn"}));
    EXPECT_EQ(AllTexts("lblPage"), (std::vector<std::string>{"Ram's horn: Page 1"}));
    std::vector<std::string> order;
    for (const auto& band : pages.at(0).Bands) {
        order.push_back(band.Name);
    }
    // No picture: its band is left out.
    EXPECT_EQ(order, (std::vector<std::string>{"qrbTitle", "qrbCaption", "qrbHeadings", "qrbPick", "qrbLine",
                                               "qrbFooter"}));
}

TEST_F(ReportBrocadeTest, APictureIsFittedUnderTheCaption)
{
    MakePattern({"0011110000"});
    const fw::Bitmap picture(100, 400);

    form.PrintPattern(&pattern, &picture, true, 1, 1);

    const auto images = AllItems("imgPattern");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->Bounds.Width(), 50);
    EXPECT_EQ(images[0]->Bounds.Height(), 200);
    EXPECT_EQ(pages.at(0).Bands.at(2).Name, "bandImage");
    EXPECT_EQ(pages[0].Bands[2].Height, 205);
}

TEST_F(ReportBrocadeTest, TheGroundTurnsPrintOnThePicksLastRow)
{
    MakePattern({"0011003300", "0110000330"});
    AddGroundWeave();
    display.Twist = true;
    form.SetGroundDisplay(&display, PrintColumnsAll);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(RowBands(), (std::vector<std::string>{"qrbPick", "qrbLine", "qrbPick", "qrbGroundWeave", "qrbLine",
                                                    "qrbPick", "qrbLine", "qrbPick", "qrbGroundWeave", "qrbLine"}));
    EXPECT_EQ(AllTexts("lblGroundF"), (std::vector<std::string>{"F1", "F2"}));
    EXPECT_EQ(AllTexts("lblGroundB"), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(AllTexts("lblGroundT"), (std::vector<std::string>{"T1", "T2"}));
    EXPECT_EQ(AllTexts("lblGround").size(), 2u);
    // The designed places of the three columns.
    EXPECT_EQ(AllItems("lblF").front()->Bounds.Left, 74 + 80);
    EXPECT_EQ(AllItems("lblGroundF").front()->Bounds.Left, 74 + 95);
    EXPECT_EQ(AllItems("lblGroundF").front()->Bounds.Width(), 198);
    EXPECT_EQ(AllItems("lblB").front()->Bounds.Left, 74 + 300);
    EXPECT_EQ(AllItems("lblGroundT").front()->Bounds.Left, 74 + 535);
    EXPECT_EQ(AllItems("lblGroundT").front()->Bounds.Width(), 103);
}

TEST_F(ReportBrocadeTest, APickTheGroundListDoesNotShowPrintsTheTurnsOfTheLastOneListedBeforeIt)
{
    // A double-face ground lists picks 1, 3 and 5: each row's two picks are alike.
    MakePattern({"0011110000", "0011110000", "0001111000", "0001111000", "0000111100", "0000111100"});
    TTWPattern ground;
    pattern.SetGroundWeave(&ground);
    for (const char* pick : {"1", "3", "5"}) {
        display.Rows.push_back({pick, std::string("F") + pick, std::string("B") + pick, ""});
    }
    form.SetGroundDisplay(&display, PrintColumnsAll);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(AllTexts("lblGroundF"), (std::vector<std::string>{"F1", "F1", "F3", "F3", "F5", "F5"}));
    EXPECT_EQ(AllTexts("lblGroundB"), (std::vector<std::string>{"B1", "B1", "B3", "B3", "B5", "B5"}));

    // A list that starts later leaves the picks before it without turns.
    display.Rows.erase(display.Rows.begin());
    form.PrintPattern(&pattern, nullptr, true, 1, 1);
    EXPECT_EQ(AllTexts("lblGroundF"), (std::vector<std::string>{"", "", "F3", "F3", "F5", "F5"}));
}

TEST_F(ReportBrocadeTest, WithAGroundWeaveASingleWeftStillShowsItsLetter)
{
    MakePattern({"0011110000", "0001111000"});
    AddGroundWeave();
    form.SetGroundDisplay(&display, PrintColumnsAll);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(AllTexts("lblWeft"), (std::vector<std::string>{"A", "A"}));
    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(CountBands("qrbGroundWeave"), 2);
    EXPECT_EQ(LineStyles(), std::vector<fw::PenStyle>(2, fw::PenStyle::Solid));
    EXPECT_EQ(AllItems("lblTieDowns").front()->Bounds.Left, 74 + 80);
}

TEST_F(ReportBrocadeTest, WithoutTwistsInTheGroundTwoColumnsShareTheBand)
{
    MakePattern({"0011110000"});
    AddGroundWeave();
    display.Twist = false;
    form.SetGroundDisplay(&display, PrintColumnsAll);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(AllItems("lblF").front()->Bounds.Left, 74 + 80);
    EXPECT_EQ(AllItems("lblGroundF").front()->Bounds.Left, 74 + 95);
    EXPECT_EQ(AllItems("lblGroundF").front()->Bounds.Width(), 260);
    EXPECT_EQ(AllItems("lblB").front()->Bounds.Left, 74 + 365);
    EXPECT_EQ(AllItems("lblGroundB").front()->Bounds.Left, 74 + 380);
    EXPECT_EQ(AllItems("lblGroundB").front()->Bounds.Width(), 260);
    EXPECT_TRUE(AllItems("lblT").empty());
    EXPECT_TRUE(AllItems("lblGroundT").empty());
}

TEST_F(ReportBrocadeTest, BackwardsAndTwistsMoveToTheFirstAndSecondPlaces)
{
    MakePattern({"0011110000"});
    AddGroundWeave();
    display.Twist = true;
    form.SetGroundDisplay(&display, PrintColumnBackwards | PrintColumnTwist);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_TRUE(AllItems("lblGroundF").empty());
    EXPECT_EQ(AllItems("lblB").front()->Bounds.Left, 74 + 80);
    EXPECT_EQ(AllItems("lblGroundB").front()->Bounds.Left, 74 + 95);
    EXPECT_EQ(AllItems("lblT").front()->Bounds.Left, 74 + 365);
    EXPECT_EQ(AllItems("lblGroundT").front()->Bounds.Left, 74 + 380);
}

TEST_F(ReportBrocadeTest, ASingleGroundColumnTakesTheWholeWidth)
{
    MakePattern({"0011110000"});
    AddGroundWeave();
    form.SetGroundDisplay(&display, PrintColumnForwards);

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(AllItems("lblF").front()->Bounds.Left, 74 + 80);
    EXPECT_EQ(AllItems("lblGroundF").front()->Bounds.Width(), 565);
    EXPECT_TRUE(AllItems("lblB").empty());
    EXPECT_TRUE(AllItems("lblT").empty());
}

TEST_F(ReportBrocadeTest, AGroundWeaveWithoutItsDisplayPrintsNoGroundSection)
{
    MakePattern({"0011110000"});
    AddGroundWeave();

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(CountBands("qrbPick"), 1);
    EXPECT_EQ(CountBands("qrbGroundWeave"), 0);
    EXPECT_TRUE(AllItems("lblWeft").empty());
}

TEST_F(ReportBrocadeTest, TheFontSizeSettingSetsThePickAndGroundHeights)
{
    MakePattern({"0011110000"});
    AddGroundWeave();
    form.SetGroundDisplay(&display, PrintColumnsAll);

    UserSettings().Printer.FontSize = 8;
    form.PrintPattern(&pattern, nullptr, true, 1, 1);
    EXPECT_EQ(pages.at(0).FindBand("qrbPick")->Height, 13);
    EXPECT_EQ(pages[0].FindBand("qrbGroundWeave")->Height, 13);
    EXPECT_EQ(AllItems("lblGroundF").front()->Font.Size(), 8);

    UserSettings().Printer.FontSize = 15;
    form.PrintPattern(&pattern, nullptr, true, 1, 1);
    EXPECT_EQ(pages.at(0).FindBand("qrbPick")->Height, 15);
}

TEST_F(ReportBrocadeTest, APatternWithoutWeftsPrintsOneRowPerPick)
{
    MakePattern({"0000000000", "0000000000"});

    form.PrintPattern(&pattern, nullptr, true, 1, 1);

    EXPECT_EQ(CountBands("qrbPick"), 2);
    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2"}));
}

} // namespace
