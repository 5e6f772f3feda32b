// The printed turning sequence: rows from the display window, the column layout by the
// columns chosen, the picture band and the font size rule.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/report_turning.h"
#include "report_test_support.h"

namespace {

using report_forms_test::FakeActionSource;
using report_forms_test::ReportFormTest;

class ReportTurningTest : public ReportFormTest {
protected:
    ReportTurningTest()
    {
        display.Rows = {{"1", "1 - 4", "5 - 8", ""}, {"2", "1 - 8", "", "3"}, {"3", "", "1 - 8", ""}};
        display.Twist = true;
    }

    // Left and width of the first printed item of that name; (-1, -1) when none printed.
    std::pair<int, int> Column(std::string_view name) const
    {
        const auto items = AllItems(name);
        if (items.empty()) {
            return {-1, -1};
        }
        return {items.front()->Bounds.Left - 74, items.front()->Bounds.Width()};
    }

    FakeActionSource display;
    TfrmTWPrintActionsQR form;
};

TEST_F(ReportTurningTest, EachRowOfTheDisplayPrintsOneActionRow)
{
    form.PrintActions(&display, "Spring band", true);

    ASSERT_EQ(previews, 1);
    EXPECT_EQ(CountBands("qrbActions"), 3);
    EXPECT_EQ(AllTexts("lblPick"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(AllTexts("lblForwards"), (std::vector<std::string>{"1 - 4", "1 - 8", ""}));
    EXPECT_EQ(AllTexts("lblBackwards"), (std::vector<std::string>{"5 - 8", "", "1 - 8"}));
    EXPECT_EQ(AllTexts("lblTwist"), (std::vector<std::string>{"", "3", ""}));
}

TEST_F(ReportTurningTest, TheTitleNamesTheReportAndItsPages)
{
    form.PrintActions(&display, "Spring band", true);

    EXPECT_EQ(AllTexts("lblCaption"), (std::vector<std::string>{"Turning Sequence"}));
    EXPECT_EQ(AllTexts("lblTitle"), (std::vector<std::string>{"Spring band"}));
    EXPECT_EQ(AllTexts("lblPage"), (std::vector<std::string>{"Spring band: Page 1"}));
    EXPECT_EQ(AllTexts("lblCapPick"), (std::vector<std::string>{"Pick"}));
    EXPECT_EQ(AllTexts("lblCapForwards"), (std::vector<std::string>{"Forwards"}));
    EXPECT_EQ(AllTexts("lblCapBackwards"), (std::vector<std::string>{"Backwards"}));
    EXPECT_EQ(AllTexts("lblCapTwist"), (std::vector<std::string>{"Twist"}));
}

TEST_F(ReportTurningTest, TheLineThePictureAndTheHeadingsFollowTheTitleOnce)
{
    display.Picture = fw::Bitmap(1286, 100);
    for (int i = 0; i < 150; ++i) {
        display.Rows.push_back({std::to_string(i + 4), "1", "2", ""});
    }

    form.PrintActions(&display, "Spring band", true);

    ASSERT_GT(pages.size(), 1u);
    std::vector<std::string> order;
    for (const auto& band : pages[0].Bands) {
        order.push_back(band.Name);
        if (order.size() == 5) {
            break;
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"qrbTitle", "qrbLine", "qrbImage", "qrbCaptions", "qrbActions"}));
    EXPECT_EQ(CountBands("qrbCaptions"), 1);
    EXPECT_EQ(pages[1].Bands.front().Name, "qrbActions");
}

TEST_F(ReportTurningTest, ThePictureIsFittedAndItsBandIsFiveTaller)
{
    display.Picture = fw::Bitmap(1286, 100);

    form.PrintActions(&display, "Spring band", true);

    const auto images = AllItems("imgPicture");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->Bounds.Width(), 643);
    EXPECT_EQ(images[0]->Bounds.Height(), 50);
    EXPECT_EQ(pages.at(0).FindBand("qrbImage")->Height, 55);
}

TEST_F(ReportTurningTest, ThePictureBandPrintsOnlyWithAPictureAndPrintImageChecked)
{
    form.PrintActions(&display, "No picture", true);
    EXPECT_EQ(CountBands("qrbImage"), 0);
    EXPECT_FALSE(form.qrbImage->Enabled);

    display.Picture = fw::Bitmap(20, 20);
    display.PrintImage = false;
    form.PrintActions(&display, "Not wanted", true);
    EXPECT_EQ(CountBands("qrbImage"), 0);

    display.PrintImage = true;
    form.PrintActions(&display, "Wanted", true);
    EXPECT_EQ(CountBands("qrbImage"), 1);
}

TEST_F(ReportTurningTest, ThreeColumnsStandAtTheirDesignedPlaces)
{
    form.PrintActions(&display, "Band", true);

    EXPECT_EQ(Column("lblForwards"), std::make_pair(60, 214));
    EXPECT_EQ(Column("lblBackwards"), std::make_pair(285, 214));
    EXPECT_EQ(Column("lblTwist"), std::make_pair(508, 136));
    EXPECT_EQ(Column("lblCapForwards"), std::make_pair(60, 214));
    EXPECT_EQ(Column("lblCapBackwards"), std::make_pair(285, 214));
    EXPECT_EQ(Column("lblCapTwist"), std::make_pair(508, 136));
    EXPECT_EQ(Column("lblPick"), std::make_pair(0, 55));
}

TEST_F(ReportTurningTest, WithoutTwistsTheTwistColumnIsLeftOutAndTheOthersShareTheWidth)
{
    display.Twist = false;
    form.PrintActions(&display, "Band", true);

    EXPECT_EQ(Column("lblForwards"), std::make_pair(60, 289));
    EXPECT_EQ(Column("lblBackwards"), std::make_pair(353, 289));
    EXPECT_EQ(Column("lblCapBackwards"), std::make_pair(353, 289));
    EXPECT_TRUE(AllItems("lblTwist").empty());
    EXPECT_TRUE(AllItems("lblCapTwist").empty());
}

TEST_F(ReportTurningTest, TwoChosenColumnsTakeTheLeftAndRightHalves)
{
    form.SetColumnChoice(PrintColumnForwards | PrintColumnTwist);
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(Column("lblForwards"), std::make_pair(60, 289));
    EXPECT_EQ(Column("lblTwist"), std::make_pair(353, 289));
    EXPECT_TRUE(AllItems("lblBackwards").empty());

    form.SetColumnChoice(PrintColumnBackwards | PrintColumnTwist);
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(Column("lblBackwards"), std::make_pair(60, 289));
    EXPECT_EQ(Column("lblTwist"), std::make_pair(353, 289));
    EXPECT_EQ(Column("lblCapTwist"), std::make_pair(353, 289));
    EXPECT_TRUE(AllItems("lblForwards").empty());
}

TEST_F(ReportTurningTest, OneChosenColumnTakesTheWholeWidth)
{
    form.SetColumnChoice(PrintColumnBackwards);
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(Column("lblBackwards"), std::make_pair(60, 584));
    EXPECT_TRUE(AllItems("lblForwards").empty());
    EXPECT_TRUE(AllItems("lblTwist").empty());

    form.SetColumnChoice(PrintColumnTwist);
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(Column("lblTwist"), std::make_pair(60, 584));
    EXPECT_EQ(Column("lblCapTwist"), std::make_pair(60, 584));

    // Twist chosen alone, but no pick twists: nothing but the pick numbers.
    display.Twist = false;
    form.PrintActions(&display, "Band", true);
    EXPECT_TRUE(AllItems("lblTwist").empty());
    EXPECT_EQ(AllTexts("lblPick").size(), 3u);
}

TEST_F(ReportTurningTest, TheFontSizeSettingSetsTheRowHeight)
{
    UserSettings().Printer.FontSize = 8;
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(pages.at(0).FindBand("qrbActions")->Height, 13);
    EXPECT_EQ(AllItems("lblForwards").front()->Font.Size(), 8);
    EXPECT_EQ(AllItems("lblPick").front()->Font.Size(), 8);

    // A size outside the table keeps the designed height.
    UserSettings().Printer.FontSize = 15;
    form.PrintActions(&display, "Band", true);
    EXPECT_EQ(pages.at(0).FindBand("qrbActions")->Height, 15);
}

TEST_F(ReportTurningTest, LongRangesWrapAndGrowTheirRow)
{
    display.Rows = {{"1", "1; 3; 5; 7; 9; 11; 13; 15; 17; 19; 21; 23; 25; 27; 29; 31; 33; 35; 37; 39", "", ""}};
    form.PrintActions(&display, "Band", true);

    const auto forwards = AllItems("lblForwards");
    ASSERT_EQ(forwards.size(), 1u);
    // 214 units hold 35 characters of 6: the 73 characters take three lines.
    EXPECT_EQ(forwards[0]->Lines.size(), 3u);
    EXPECT_EQ(pages.at(0).FindBand("qrbActions")->Height, 3 * 13);
}

TEST_F(ReportTurningTest, ManyRowsRunOverSeveralNumberedPages)
{
    display.Rows.clear();
    for (int i = 0; i < 200; ++i) {
        display.Rows.push_back({std::to_string(i + 1), "1 - 4", "5 - 8", ""});
    }
    form.PrintActions(&display, "Long band", true);

    ASSERT_GT(pages.size(), 2u);
    EXPECT_EQ(CountBands("qrbActions"), 200);
    EXPECT_EQ(AllTexts("lblPage").back(), "Long band: Page " + std::to_string(pages.size()));
    EXPECT_EQ(AllTexts("lblPick").back(), "200");
}

} // namespace
