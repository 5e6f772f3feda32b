#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "model/pattern_limits.h"
#include "shell/numbering_dialog.h"
#include "shell/size_dialog.h"
#include "shell/size_ratio_dialog.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

class SizeDialogsTest : public ShellTest {
protected:
    // The program's loop around every click: what escapes reaches the error box.
    static bool ClickAsTheLoopDoes(fw::Button& button)
    {
        return fw::GuardedCall([&] { button.Click(); });
    }
};

// Where CentreControlOver puts a dialog over the reference window.
fw::Point CentredOver(const fw::Control& reference, const fw::Control& dialog)
{
    return fw::Point{reference.Left() + (reference.Width() - dialog.Width()) / 2,
                     reference.Top() + (reference.Height() - dialog.Height()) / 2};
}

} // namespace

TEST_F(SizeDialogsTest, SizeRefusesWidthAndLengthOfZeroOrLessAndStaysOpen)
{
    TfrmTWMain& main = Main();
    main.SetBounds(100, 80, 720, 557);
    int width = 12;
    int length = 30;
    std::vector<fw::ModalResult> resultsAfterRefusal;
    int runs = 0;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmSize&>(form);
        EXPECT_EQ(dialog.Caption(), "Size Settings");
        EXPECT_EQ(dialog.Owner(), &main);
        const fw::Point centred = CentredOver(main, dialog);
        EXPECT_EQ(dialog.Left(), centred.X);
        EXPECT_EQ(dialog.Top(), centred.Y);
        EXPECT_EQ(dialog.edWidth->Text(), "12");
        EXPECT_EQ(dialog.edLength->Text(), "30");
        // Cancel 5 pixels from the right edge, Accept 5 pixels left of it.
        EXPECT_EQ(dialog.btnCancel->Left() + dialog.btnCancel->Width(), dialog.pnlTBottom->ClientWidth() - 5);
        EXPECT_EQ(dialog.btnAccept->Left() + dialog.btnAccept->Width(), dialog.btnCancel->Left() - 5);

        dialog.edWidth->SetText("0");
        EXPECT_FALSE(ClickAsTheLoopDoes(*dialog.btnAccept));
        resultsAfterRefusal.push_back(dialog.GetModalResult());
        dialog.edWidth->SetText("5");
        dialog.edLength->SetText("-1");
        EXPECT_FALSE(ClickAsTheLoopDoes(*dialog.btnAccept));
        resultsAfterRefusal.push_back(dialog.GetModalResult());
        dialog.edLength->SetText("7");
        EXPECT_TRUE(ClickAsTheLoopDoes(*dialog.btnAccept));
    });

    EXPECT_TRUE(TfrmSize::Execute(&main, width, length));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(resultsAfterRefusal, (std::vector<fw::ModalResult>{fw::mrNone, fw::mrNone}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid Width.", "Invalid Length."}));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(length, 7);
    // The dialog was freed by the routine that made it.
    EXPECT_EQ(main.FindComponent("frmSize"), nullptr);
}

TEST_F(SizeDialogsTest, SizeRefusesAWidthPastTheCardLimitAndStaysOpen)
{
    int width = 12;
    int length = 30;
    std::vector<fw::ModalResult> resultsAfterRefusal;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmSize&>(form);
        dialog.edWidth->SetText(std::to_string(MaxPatternCards + 1));
        EXPECT_FALSE(ClickAsTheLoopDoes(*dialog.btnAccept));
        resultsAfterRefusal.push_back(dialog.GetModalResult());
        // The length is no card count: any positive one is taken.
        dialog.edWidth->SetText(std::to_string(MaxPatternCards));
        dialog.edLength->SetText("5000");
        EXPECT_TRUE(ClickAsTheLoopDoes(*dialog.btnAccept));
    });
    EXPECT_TRUE(TfrmSize::Execute(&Main(), width, length));
    EXPECT_EQ(resultsAfterRefusal, (std::vector<fw::ModalResult>{fw::mrNone}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid pattern width (" + std::to_string(MaxPatternCards + 1)
                                                    + ").\r\nA pattern has at most "
                                                    + std::to_string(MaxPatternCards) + " cards."}));
    EXPECT_EQ(width, MaxPatternCards);
    EXPECT_EQ(length, 5000);
}

TEST_F(SizeDialogsTest, SizeReportsTextThatIsNoNumberAndKeepsTheNumbersOnCancel)
{
    int width = 8;
    int length = 9;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmSize&>(form);
        dialog.edWidth->SetText("wide");
        EXPECT_FALSE(ClickAsTheLoopDoes(*dialog.btnAccept));
        EXPECT_EQ(dialog.GetModalResult(), fw::mrNone);
        // What the dialog answers for text that is no number.
        EXPECT_EQ(dialog.GetWidth(), 1);
        EXPECT_EQ(dialog.GetLength(), 9);
        dialog.btnCancel->Click();
    });
    EXPECT_FALSE(TfrmSize::Execute(&Main(), width, length));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"'wide' is not a valid integer value."}));
    EXPECT_EQ(width, 8);
    EXPECT_EQ(length, 9);
}

TEST_F(SizeDialogsTest, GenerateChecksThePickNumberBeforeTheCardNumber)
{
    TfrmGenerate dialog(&Main());
    dialog.FinishLoading();
    dialog.Show();
    EXPECT_EQ(dialog.Caption(), "Generate");
    EXPECT_EQ(dialog.lblFirstPick->Caption(), "First Pick Number");
    EXPECT_EQ(dialog.lblFirstCard->Caption(), "First Card Number");
    EXPECT_EQ(dialog.GetFirstPick(), 1);
    EXPECT_EQ(dialog.GetFirstCard(), 1);
    EXPECT_TRUE(dialog.ValidateNumbers());
    EXPECT_TRUE(boxes.empty());

    dialog.edFirstPick->SetText("0");
    dialog.edFirstCard->SetText("x");
    EXPECT_FALSE(dialog.ValidateNumbers());
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Invalid pick number."}));
    EXPECT_EQ(boxes.back().Caption, "Error");
    EXPECT_TRUE(dialog.edFirstPick->Focused());

    dialog.edFirstPick->SetText("3");
    EXPECT_FALSE(dialog.ValidateNumbers());
    EXPECT_EQ(BoxTexts().back(), "Invalid card number.");
    EXPECT_TRUE(dialog.edFirstCard->Focused());
    EXPECT_EQ(dialog.GetFirstPick(), 3);
    EXPECT_EQ(dialog.GetFirstCard(), 0);

    dialog.edFirstCard->SetText("12");
    EXPECT_TRUE(dialog.ValidateNumbers());
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(dialog.GetFirstCard(), 12);
}

TEST_F(SizeDialogsTest, SizeRatiosTakeAnyNumberAsTypedAndCancelChangesNothing)
{
    double width = 1.5;
    double centre = 2.25;
    double end = 0.75;
    const fw::ScopedHandler accept(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWSizeRatios&>(form);
        EXPECT_EQ(dialog.Caption(), "Edit Size Ratios");
        EXPECT_EQ(dialog.edWidth->Text(), "1.5");
        EXPECT_EQ(dialog.edCentre->Text(), "2.25");
        EXPECT_EQ(dialog.edEnd->Text(), "0.75");
        EXPECT_EQ(dialog.btnCancel->Left() + dialog.btnCancel->Width(), dialog.pnlTBottom->ClientWidth() - 5);
        EXPECT_EQ(dialog.btnAccept->Left() + dialog.btnAccept->Width(), dialog.btnCancel->Left() - 5);
        dialog.edWidth->SetText("0");
        dialog.edCentre->SetText("-2");
        dialog.edEnd->SetText("3.5");
        dialog.btnAccept->Click();
    });
    EXPECT_TRUE(TfrmTWSizeRatios::Execute(&Main(), width, centre, end));
    EXPECT_EQ(width, 0.0);
    EXPECT_EQ(centre, -2.0);
    EXPECT_EQ(end, 3.5);

    const fw::ScopedHandler cancel(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWSizeRatios&>(form);
        dialog.edWidth->SetText("9");
        // Esc reaches the cancel button.
        EXPECT_TRUE(dialog.ClickCancelButton());
    });
    EXPECT_FALSE(TfrmTWSizeRatios::Execute(&Main(), width, centre, end));
    EXPECT_EQ(width, 0.0);
    EXPECT_EQ(centre, -2.0);
    EXPECT_EQ(end, 3.5);
}

TEST_F(SizeDialogsTest, SizeRatiosStoreNoneOfTheValuesWhenOneIsNoNumber)
{
    double width = 4;
    double centre = 5;
    double end = 6;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmTWSizeRatios&>(form);
        dialog.edWidth->SetText("7");
        dialog.edEnd->SetText("tall");
        dialog.btnAccept->Click();
    });
    try {
        TfrmTWSizeRatios::Execute(&Main(), width, centre, end);
        ADD_FAILURE() << "the conversion error did not reach the caller";
    } catch (const fw::EConvertError& error) {
        EXPECT_EQ(std::string(error.what()), "'tall' is not a valid floating point value");
    }
    EXPECT_EQ(width, 4.0);
    EXPECT_EQ(centre, 5.0);
    EXPECT_EQ(end, 6.0);
    EXPECT_EQ(Main().FindComponent("frmTWSizeRatios"), nullptr);
}

// The size dialog as the real Qt text backend draws it, written out for a look.
TEST_F(SizeDialogsTest, TheSizeDialogRendersForALook)
{
    fw::QtPaintBackend qtBackend;
    fw::SetDefaultPaintBackend(&qtBackend);
    fw::Bitmap picture;
    fw::Point widthEdit;
    const fw::ScopedHandler script(&fw::Form::SetModalRunner, [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmSize&>(form);
        picture = fw::RenderToBitmap(dialog);
        const fw::Point edit = dialog.edWidth->ClientToScreen(fw::Point{});
        const fw::Point origin = dialog.ClientToScreen(fw::Point{});
        widthEdit = fw::Point{edit.X - origin.X, edit.Y - origin.Y};
        dialog.btnCancel->Click();
    });
    int width = 24;
    int length = 360;
    TfrmSize::Execute(&Main(), width, length);

    const std::string path = std::string(TAVELIN_SHELL_TEST_OUTPUT) + "/size_dialog.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(QString::fromStdString(path)));
    ASSERT_GT(picture.Width(), 0);
    // The edit's white field holds dark text pixels: the width "24" is drawn.
    int dark = 0;
    for (int y = widthEdit.Y + 2; y < widthEdit.Y + 19; ++y) {
        for (int x = widthEdit.X + 2; x < widthEdit.X + 40; ++x) {
            dark += (picture.Pixel(x, y) & 0xFF) < 0x60 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
    EXPECT_EQ(picture.Pixel(widthEdit.X + 60, widthEdit.Y + 10), 0xFFFFFFu);
}
