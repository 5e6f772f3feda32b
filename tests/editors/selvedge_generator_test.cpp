// The selvedge generator: which patterns may have selvedges, the two rows filled from and
// written back into the pattern's selvedge lists, the number of cards asked for, copying and
// mirroring one side onto the other, and the dialog as the Qt text backend draws it.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "controls/brush_panel.h"
#include "editors/card_frame_circle.h"
#include "editors/card_setup_card.h"
#include "editors/card_setup_row.h"
#include "editors/selvedge_generator.h"
#include "foundation/generic_exception.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_panel.h"
#include "model/brocade_pattern.h"
#include "model/df_pattern.h"
#include "model/twill_pattern.h"
#include "model/twist_pattern.h"
#include "shell/palette_functions_frame.h"

namespace {

using card_views_test::CardViewsTest;
using card_views_test::NumberedCard;
using card_views_test::SavePicture;

// What the weaver sees of one card: its threading, then the palette index of every hole.
std::string Describe(std::uint8_t threading, const std::vector<int>& holes)
{
    std::string text(ThreadingText(threading));
    for (int colour : holes) {
        text += " " + std::to_string(colour);
    }
    return text;
}

std::vector<std::string> Describe(const TTWCardList& cards)
{
    std::vector<std::string> texts;
    for (int i = 0; i < cards.Count(); ++i) {
        const TTWCardBase& card = *cards.GetCard(i);
        std::vector<int> holes;
        for (int hole = 0; hole < card.GetHoleCount(); ++hole) {
            holes.push_back(card.HoleColour(hole));
        }
        texts.push_back(Describe(card.Threading(), holes));
    }
    return texts;
}

std::vector<std::string> Describe(const TfrmCardSetupCompact& row)
{
    std::vector<std::string> texts;
    for (int i = 0; i < row.CardCount(); ++i) {
        const TfrmCardCompactBase& frame = *row.GetCardFrame(i);
        std::vector<int> holes;
        for (int hole = 0; hole < frame.HoleCount(); ++hole) {
            holes.push_back(frame.GetHoleColourIndex(hole));
        }
        texts.push_back(Describe(frame.Threading(), holes));
    }
    return texts;
}

// Cards of the hole count: card k's holes carry first + 10 k, first + 10 k + 1, ..., threaded
// as the letters of `threadings` say.
void FillCards(TTWCardList& cards, int holes, int first, const std::string& threadings)
{
    for (std::size_t k = 0; k < threadings.size(); ++k) {
        cards.Add(NumberedCard(holes, first + 10 * static_cast<int>(k), threadings[k] == 'Z' ? ThreadingZ : ThreadingS)
                      .release());
    }
}

class SelvedgeGeneratorTest : public CardViewsTest {
protected:
    using Script = std::function<void(TfrmTWSelvedgeGenerator& dialog)>;

    // Runs the generator on the pattern; the script plays the user while it shows and
    // chooses how it ends (Cancel when it chooses nothing).
    bool Run(TTWPatternBase& pattern, int holes, const Script& script)
    {
        const fw::ScopedHandler runner(&fw::Form::SetModalRunner, [&](fw::Form& form) {
            ++runs;
            form.SetModalResult(fw::mrCancel);
            script(dynamic_cast<TfrmTWSelvedgeGenerator&>(form));
        });
        return TfrmTWSelvedgeGenerator::Execute(pattern, holes, host.get());
    }

    // The answers the number-of-cards box gives, one per question; none left: Cancel.
    void AnswerCardCounts(std::vector<std::string> texts)
    {
        countAnswers = std::move(texts);
        // The script before restores the handler it replaced when it goes: it must go first.
        queryScript.reset();
        queryScript = std::make_unique<fw::ScopedHandler<fw::InputQueryHandler>>(
            &fw::SetInputQueryHandler, [this](const fw::InputQueryRequest& request, std::string& value) {
                queries.push_back(request);
                if (countAnswers.empty()) {
                    return false;
                }
                value = countAnswers.front();
                countAnswers.erase(countAnswers.begin());
                return true;
            });
    }

    int runs = 0;
    std::vector<std::string> countAnswers;
    std::vector<fw::InputQueryRequest> queries;
    std::unique_ptr<fw::ScopedHandler<fw::InputQueryHandler>> queryScript;
};

// --- Which patterns have selvedges -----------------------------------------------------------

TEST_F(SelvedgeGeneratorTest, ABrocadePatternIsRefusedBeforeTheDialogShows)
{
    TTWBrocadePattern brocade;
    try {
        Run(brocade, 4, [](TfrmTWSelvedgeGenerator&) {});
        FAIL() << "a brocade pattern has no selvedge";
    } catch (const TGenericException& error) {
        EXPECT_STREQ(error.what(), "Error - a pattern of this type cannot have a selvedge.\r\nYou are here by mistake!");
        ASSERT_GE(error.InfoCount(), 1);
        EXPECT_EQ(error.GetInfo(0)->MethodName, "Display");
    }
    EXPECT_EQ(runs, 0);
}

TEST_F(SelvedgeGeneratorTest, ThreadedDoubleFaceTwillAndTwistPatternsOpenIt)
{
    TTWPattern threaded;
    TTWDFPattern doubleFace;
    TTW31TwillPattern twill;
    TTWWarpTwinedPattern twist;
    for (TTWPatternBase* pattern : std::vector<TTWPatternBase*>{&threaded, &doubleFace, &twill, &twist}) {
        EXPECT_FALSE(Run(*pattern, 4, [](TfrmTWSelvedgeGenerator&) {})) << pattern->GetPatternType();
    }
    EXPECT_EQ(runs, 4);
}

// --- Showing and writing back ----------------------------------------------------------------

TEST_F(SelvedgeGeneratorTest, BothRowsShowTheSelvedgesInThePatternsPalette)
{
    TTWPattern pattern;
    FillCards(pattern.Cards(), 6, 0, "SSSS");
    FillCards(pattern.SelvedgeLeft(), 6, 1, "SZS");
    FillCards(pattern.SelvedgeRight(), 6, 2, "ZZ");
    Run(pattern, 6, [&](TfrmTWSelvedgeGenerator& dialog) {
        EXPECT_EQ(dialog.Caption(), "Selvedge Generator");
        EXPECT_EQ(dialog.Owner(), host.get());
        EXPECT_TRUE(dialog.btnAccept->Visible());
        EXPECT_TRUE(dialog.btnCancel->Visible());
        EXPECT_FALSE(dialog.btnClose->Visible());
        EXPECT_EQ(dialog.pnlLeftSelvedge->Caption(), "Left Selvedge");
        EXPECT_EQ(dialog.pnlRightSelvedge->Caption(), "Right Selvedge");
        EXPECT_EQ(dialog.btnCardsLeft->Caption(), "Set number of cards");
        EXPECT_EQ(dialog.btnCardsRight->Caption(), "Set number of cards");

        EXPECT_EQ(dialog.HoleCount(), 6);
        EXPECT_EQ(dialog.frameCardsLeft->HoleCount(), 6);
        EXPECT_EQ(dialog.frameCardsRight->HoleCount(), 6);
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), Describe(pattern.SelvedgeLeft()));
        EXPECT_EQ(Describe(*dialog.frameCardsRight), Describe(pattern.SelvedgeRight()));
        for (TfrmCardSetupCompact* row : {dialog.frameCardsLeft, dialog.frameCardsRight}) {
            EXPECT_EQ(row->Palette(), &pattern.Palette());
            EXPECT_TRUE(row->CanSelect());
            EXPECT_TRUE(row->CanChangeThreading());
        }
        EXPECT_EQ(dialog.framePalette->Palette(), &pattern.Palette());
        EXPECT_EQ(dialog.framePalette->CardSetup(), dialog.frameCardsLeft);
        EXPECT_EQ(dialog.framePalette->CardSetup2(), dialog.frameCardsRight);

        // Both rows and the copy buttons fit inside the window.
        for (const fw::Control* control : std::vector<const fw::Control*>{
                 dialog.frameCardsLeft, dialog.frameCardsRight, dialog.btnCopyLtoR, dialog.btnMirrorRtoL}) {
            const fw::Point bottomRight =
                control->ClientToScreen(fw::Point{control->Width(), control->Height()});
            const fw::Point windowBottom = dialog.pnlTTop->ClientToScreen(
                fw::Point{dialog.pnlTTop->Width(), dialog.pnlTTop->Height()});
            EXPECT_LE(bottomRight.X, windowBottom.X) << control->Name();
            EXPECT_LE(bottomRight.Y, windowBottom.Y) << control->Name();
        }
    });
    EXPECT_EQ(runs, 1);
}

TEST_F(SelvedgeGeneratorTest, ThePaletteFramesColoursPaintTheHolesOfBothSides)
{
    TTWPattern pattern;
    FillCards(pattern.SelvedgeLeft(), 4, 1, "SS");
    FillCards(pattern.SelvedgeRight(), 4, 1, "ZZ");
    Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        dialog.framePalette->pnlColour1->SetTag(5);
        dialog.framePalette->pnlColour2->SetTag(7);
        dialog.frameCardsLeft->GetCardFrame(1)->HoleMouseUp(0, fw::MouseButton::Left);
        dialog.frameCardsRight->GetCardFrame(0)->HoleMouseUp(3, fw::MouseButton::Right);
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), (std::vector<std::string>{"S 1 2 3 4", "S 5 12 13 14"}));
        EXPECT_EQ(Describe(*dialog.frameCardsRight), (std::vector<std::string>{"Z 1 2 3 7", "Z 11 12 13 14"}));
    });
}

TEST_F(SelvedgeGeneratorTest, AHoleCountOutsideThreeToEightIsThePatternsOwn)
{
    TTWPattern pattern;
    FillCards(pattern.Cards(), 5, 0, "SZ");
    std::vector<int> shown;
    for (int holes : {2, 9, 0, -1, 3, 8}) {
        Run(pattern, holes, [&](TfrmTWSelvedgeGenerator& dialog) {
            shown.push_back(dialog.HoleCount());
            EXPECT_EQ(dialog.frameCardsLeft->HoleCount(), dialog.HoleCount());
            EXPECT_EQ(dialog.frameCardsRight->HoleCount(), dialog.HoleCount());
        });
    }
    EXPECT_EQ(shown, (std::vector<int>{5, 5, 5, 5, 3, 8}));

    // The cards written back have that hole count too.
    AnswerCardCounts({"2"});
    EXPECT_TRUE(Run(pattern, 0, [](TfrmTWSelvedgeGenerator& dialog) {
        dialog.btnCardsLeft->Click();
        dialog.SetModalResult(fw::mrOk);
    }));
    ASSERT_EQ(pattern.SelvedgeLeft().Count(), 2);
    EXPECT_EQ(pattern.SelvedgeLeft().GetCard(1)->GetHoleCount(), 5);
}

TEST_F(SelvedgeGeneratorTest, OkWritesBothSidesBackAsStartedCardsAndCancelLeavesThem)
{
    TTWDFPattern pattern;
    FillCards(pattern.SelvedgeLeft(), 4, 1, "SS");
    FillCards(pattern.SelvedgeRight(), 4, 2, "Z");
    pattern.SelvedgeLeft().GetCard(0)->Turn(TurnForwards, DistanceOneHole);
    const std::vector<std::string> left = Describe(pattern.SelvedgeLeft());
    const std::vector<std::string> right = Describe(pattern.SelvedgeRight());

    // The user's changes: card 1 of the left side Z-threaded with hole B in colour 9, and a
    // third card on the right.
    const auto change = [](TfrmTWSelvedgeGenerator& dialog) {
        dialog.frameCardsLeft->GetCardFrame(0)->SetThreading(ThreadingZ);
        dialog.frameCardsLeft->GetCardFrame(0)->SetHoleColourIndex(1, 9);
        dialog.btnCardsRight->Click();
    };

    AnswerCardCounts({"3"});
    EXPECT_FALSE(Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        change(dialog);
        dialog.btnCancel->Click();
    }));
    EXPECT_EQ(Describe(pattern.SelvedgeLeft()), left);
    EXPECT_EQ(Describe(pattern.SelvedgeRight()), right);
    EXPECT_NE(pattern.SelvedgeLeft().GetCard(0)->CurPos(), 0) << "a cancelled edit leaves the cards as they were";

    AnswerCardCounts({"3"});
    EXPECT_TRUE(Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        change(dialog);
        dialog.btnAccept->Click();
    }));
    EXPECT_EQ(Describe(pattern.SelvedgeLeft()), (std::vector<std::string>{"Z 1 9 3 4", "S 11 12 13 14"}));
    ASSERT_EQ(pattern.SelvedgeRight().Count(), 3);
    EXPECT_EQ(Describe(pattern.SelvedgeRight())[0], right[0]);
    EXPECT_EQ(pattern.SelvedgeLeft().GetCard(0)->CurPos(), 0) << "every card written back is in its start position";
}

// --- The number of cards ---------------------------------------------------------------------

TEST_F(SelvedgeGeneratorTest, TwentyCardsAreAcceptedAndTwentyOneRefused)
{
    TTWPattern pattern;
    AnswerCardCounts({"20", "21", " 0 ", "7"});
    Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        dialog.btnCardsLeft->Click();
        EXPECT_EQ(dialog.frameCardsLeft->CardCount(), 20);
        EXPECT_TRUE(boxes.empty());

        dialog.btnCardsLeft->Click();
        EXPECT_EQ(dialog.frameCardsLeft->CardCount(), 20) << "21 changes nothing";
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_EQ(boxes[0].Text, "A maximum of 20 selvedge tablets can be set up.");
        EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Information);

        dialog.btnCardsLeft->Click();
        EXPECT_EQ(dialog.frameCardsLeft->CardCount(), 0) << "no cards at all is a count too";

        dialog.btnCardsRight->Click();
        EXPECT_EQ(dialog.frameCardsRight->CardCount(), 7);
        EXPECT_EQ(dialog.frameCardsLeft->CardCount(), 0) << "each button sets its own side";
    });
    ASSERT_EQ(queries.size(), 4U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(queries[i].Caption, "Left Selvedge");
        EXPECT_EQ(queries[i].Prompt, "Number of cards: ");
    }
    EXPECT_EQ(queries[1].Value, "20") << "the box starts with the side's count";
    EXPECT_EQ(queries[3].Caption, "Right Selvedge");
    EXPECT_EQ(boxes.size(), 1U);
}

TEST_F(SelvedgeGeneratorTest, ANegativeCountOrOneThatIsNoNumberChangesNothing)
{
    TTWPattern pattern;
    FillCards(pattern.SelvedgeLeft(), 4, 1, "SZS");
    AnswerCardCounts({"-1", "-30", "three", "2.5", ""});
    Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        for (int i = 0; i < 6; ++i) {
            // The last question is cancelled.
            dialog.btnCardsLeft->Click();
            EXPECT_EQ(Describe(*dialog.frameCardsLeft), Describe(pattern.SelvedgeLeft())) << "answer " << i;
        }
    });
    EXPECT_EQ(queries.size(), 6U);
    EXPECT_TRUE(boxes.empty());
}

// --- Copying and mirroring -------------------------------------------------------------------

TEST_F(SelvedgeGeneratorTest, CopyingGivesTheOtherSideTheSameCardsBothWays)
{
    TTWPattern pattern;
    FillCards(pattern.SelvedgeLeft(), 4, 1, "SZZ");
    FillCards(pattern.SelvedgeRight(), 4, 50, "ZSZSZ");
    Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        dialog.btnCopyLtoR->Click();
        EXPECT_EQ(Describe(*dialog.frameCardsRight), Describe(pattern.SelvedgeLeft()));
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), Describe(pattern.SelvedgeLeft())) << "the source stays";

        dialog.frameCardsRight->SetCardCount(1);
        dialog.frameCardsRight->GetCardFrame(0)->SetHoleColourIndex(3, 7);
        dialog.btnCopyRtoL->Click();
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), (std::vector<std::string>{"S 1 2 3 7"}));
        EXPECT_EQ(Describe(*dialog.frameCardsRight), (std::vector<std::string>{"S 1 2 3 7"}));
    });
}

TEST_F(SelvedgeGeneratorTest, MirroringReversesTheCardsAndSwapsTheirThreading)
{
    TTWPattern pattern;
    FillCards(pattern.SelvedgeLeft(), 4, 1, "SSZ");
    FillCards(pattern.SelvedgeRight(), 4, 50, "ZZZZ");
    Run(pattern, 4, [&](TfrmTWSelvedgeGenerator& dialog) {
        dialog.btnMirrorLtoR->Click();
        EXPECT_EQ(Describe(*dialog.frameCardsRight),
                  (std::vector<std::string>{"S 21 22 23 24", "Z 11 12 13 14", "Z 1 2 3 4"}));
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), Describe(pattern.SelvedgeLeft())) << "the source stays";

        dialog.frameCardsRight->SetCardCount(2);
        dialog.btnMirrorRtoL->Click();
        EXPECT_EQ(Describe(*dialog.frameCardsLeft), (std::vector<std::string>{"S 11 12 13 14", "Z 21 22 23 24"}));
    });
}

// --- As drawn --------------------------------------------------------------------------------

// Twelve colours a weaver might thread with.
constexpr TTWColour Yarns[] = {0x1C1CB0, 0x20A0F0, 0x2E7D32, 0xF5F5F5, 0x7B1FA2, 0x101010,
                               0x00C0E0, 0x8D6E63, 0xC62828, 0x3949AB, 0x80CBC4, 0xFFB300};

class SelvedgeGeneratorRenderTest : public SelvedgeGeneratorTest {
protected:
    SelvedgeGeneratorRenderTest() { fw::SetDefaultPaintBackend(&qt); }
    ~SelvedgeGeneratorRenderTest() override { fw::SetDefaultPaintBackend(&backend); }

    fw::QtPaintBackend qt;
};

TEST_F(SelvedgeGeneratorRenderTest, TheDialogWithBothSelvedges)
{
    TTWPattern pattern;
    for (int i = 0; i < 12; ++i) {
        pattern.Palette().SetColour(i, Yarns[i]);
    }
    FillCards(pattern.Cards(), 6, 0, "SSSS");
    for (int k = 0; k < 6; ++k) {
        pattern.SelvedgeLeft().Add(NumberedCard(6, k % 12, k < 3 ? ThreadingS : ThreadingZ).release());
    }
    fw::Bitmap picture;
    fw::Color holeColour = 0;
    Run(pattern, 6, [&](TfrmTWSelvedgeGenerator& dialog) {
        dialog.btnMirrorLtoR->Click();
        picture = fw::RenderToBitmap(dialog);
        const TfrmCardCompactBase& frame = *dialog.frameCardsRight->GetCardFrame(0);
        const TTWCircleShape& hole = *frame.HoleShape(2);
        const fw::Rect box = hole.CircleRect();
        const fw::Point screen = hole.ClientToScreen(fw::Point{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
        const fw::Point origin = dialog.ClientToScreen(fw::Point{});
        holeColour = picture.Pixel(screen.X - origin.X, screen.Y - origin.Y);
    });
    SavePicture(picture, "selvedge_generator.png");
    ASSERT_FALSE(picture.Empty());
    // The right side's first card is the mirror of the left's last: hole C carries index 7.
    EXPECT_EQ(holeColour, Yarns[7]);
}

} // namespace
