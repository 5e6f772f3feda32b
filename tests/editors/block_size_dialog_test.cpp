// The block-size dialog: the cell width and height ratios of a block design, each a number
// above 0, neither more than ten times the other.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/brush_panel.h"
#include "editors/block_size_dialog.h"
#include "framework/gui/application.h"
#include "framework/gui/std_button.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_label.h"
#include "threaded_editor_test_support.h"

namespace {

using threaded_editor_test::EditorProgramTest;

constexpr const char* RatioMessage = "The ratio of Width:Height may not be greater\r\nthan a factor of ten.";

class BlockSizeDialogTest : public EditorProgramTest {
protected:
    // Enters the two texts and clicks Accept as the event loop would; answers the modal
    // result the click leaves.
    static fw::ModalResult Accept(TfrmBlockSize& dialog, const std::string& width, const std::string& height)
    {
        dialog.edWidth->SetText(width);
        dialog.edHeight->SetText(height);
        EXPECT_TRUE(fw::GuardedCall([&] { dialog.btnAccept->Click(); }));
        return dialog.GetModalResult();
    }
};

TEST_F(BlockSizeDialogTest, ShowsBothRatiosAndAcceptsAFactorOfExactlyTen)
{
    TfrmTWMain& main = Main();
    main.SetBounds(100, 80, 720, 557);
    double width = 2.5;
    double height = 4;
    int runs = 0;
    modalScript = [&](fw::Form& form) {
        ++runs;
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        EXPECT_EQ(dialog.Caption(), "Block Size Ratio");
        EXPECT_EQ(dialog.Owner(), &main);
        EXPECT_EQ(dialog.Left(), main.Left() + (main.Width() - dialog.Width()) / 2);
        EXPECT_EQ(dialog.Top(), main.Top() + (main.Height() - dialog.Height()) / 2);
        EXPECT_EQ(dialog.lblWidth->Caption(), "Width");
        EXPECT_EQ(dialog.lblHeight->Caption(), "Height");
        EXPECT_EQ(dialog.btnAccept->Caption(), "&Accept");
        EXPECT_EQ(dialog.btnCancel->Caption(), "&Cancel");
        EXPECT_EQ(dialog.edWidth->Text(), "2.5");
        EXPECT_EQ(dialog.edHeight->Text(), "4");
        EXPECT_EQ(Accept(dialog, "1", "10"), fw::mrOk);
    };

    EXPECT_TRUE(TfrmBlockSize::Execute(width, height, &main));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(width, 1.0);
    EXPECT_EQ(height, 10.0);
    EXPECT_EQ(main.FindComponent("frmBlockSize"), nullptr);
}

TEST_F(BlockSizeDialogTest, MoreThanTenTimesEitherWayIsRefusedWithTheRatioMessage)
{
    double width = 3;
    double height = 3;
    std::vector<fw::ModalResult> results;
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        results.push_back(Accept(dialog, "1", "11"));
        results.push_back(Accept(dialog, "1", "10.5"));
        results.push_back(Accept(dialog, "10.5", "1"));
        results.push_back(Accept(dialog, "0.5", "5.5"));
        // Ten times is still allowed, also with the width the larger one.
        results.push_back(Accept(dialog, "10", "1"));
    };

    EXPECT_TRUE(TfrmBlockSize::Execute(width, height, &Main()));
    EXPECT_EQ(results, (std::vector<fw::ModalResult>{fw::mrNone, fw::mrNone, fw::mrNone, fw::mrNone, fw::mrOk}));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>(4, RatioMessage));
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(boxes[0].Buttons, fw::MsgDlgButtons{fw::MsgDlgBtn::OK});
    EXPECT_EQ(width, 10.0);
    EXPECT_EQ(height, 1.0);
}

TEST_F(BlockSizeDialogTest, ABadValueTakesTheFocusToItsEditAndKeepsTheDialogOpenSilently)
{
    double width = 2;
    double height = 3;
    std::vector<fw::ModalResult> results;
    std::vector<std::string> focused;
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        const auto record = [&](fw::ModalResult result) {
            results.push_back(result);
            focused.push_back(dialog.edWidth->Focused()    ? "edWidth"
                              : dialog.edHeight->Focused() ? "edHeight"
                                                           : "neither");
        };
        // The width is looked at first, wherever the focus was.
        dialog.edHeight->SetFocus();
        record(Accept(dialog, "", "x"));
        dialog.edWidth->SetFocus();
        record(Accept(dialog, "4", ""));
        dialog.edWidth->SetFocus();
        record(Accept(dialog, "4", "0"));
        dialog.edHeight->SetFocus();
        record(Accept(dialog, "-1", "2"));
        dialog.edWidth->SetFocus();
        record(Accept(dialog, "4", "tall"));
        dialog.btnCancel->Click();
    };

    EXPECT_FALSE(TfrmBlockSize::Execute(width, height, &Main()));
    EXPECT_EQ(results, std::vector<fw::ModalResult>(5, fw::mrNone));
    EXPECT_EQ(focused, (std::vector<std::string>{"edWidth", "edHeight", "edHeight", "edWidth", "edHeight"}));
    EXPECT_TRUE(boxes.empty());
    // Cancelled: both values as they were, and the dialog gone.
    EXPECT_EQ(width, 2.0);
    EXPECT_EQ(height, 3.0);
    EXPECT_EQ(Main().FindComponent("frmBlockSize"), nullptr);
}

TEST_F(BlockSizeDialogTest, CancelChangesNeitherValue)
{
    double width = 1.25;
    double height = 7;
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        dialog.edWidth->SetText("3");
        dialog.edHeight->SetText("6");
        EXPECT_TRUE(dialog.ClickCancelButton());
    };
    EXPECT_FALSE(TfrmBlockSize::Execute(width, height, &Main()));
    EXPECT_EQ(width, 1.25);
    EXPECT_EQ(height, 7.0);
    EXPECT_EQ(modalForms, std::vector<std::string>{"TfrmBlockSize"});
}

TEST_F(BlockSizeDialogTest, AnOkReachedWithoutTheChecksReadsATextThatIsNoNumberAsZero)
{
    double width = 5;
    double height = 5;
    modalScript = [&](fw::Form& form) {
        auto& dialog = dynamic_cast<TfrmBlockSize&>(form);
        dialog.edWidth->SetText("wide");
        dialog.edHeight->SetText("2.75");
        dialog.SetModalResult(fw::mrOk);
    };
    EXPECT_TRUE(TfrmBlockSize::Execute(width, height, &Main()));
    EXPECT_EQ(width, 0.0);
    EXPECT_EQ(height, 2.75);
}

} // namespace
