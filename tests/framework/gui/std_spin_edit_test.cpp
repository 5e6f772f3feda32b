#include <gtest/gtest.h>

#include "framework/core/paint_backend.h"
#include "framework/gui/std_spin_edit.h"
#include "framework/gui/text_control_fixture.h"

using namespace fw;

namespace {

class SpinEditTest : public TextControlTest<SpinEdit> {
protected:
    void SetUp() override { spin_ = ShowFormWith(Rect{10, 10, 90, 31}); }

    SpinEdit* spin_ = nullptr;
};

} // namespace

TEST_F(SpinEditTest, TheValueIsTheTextAsANumberWithinItsLimits)
{
    EXPECT_EQ(spin_->Text(), "0");
    spin_->SetText("42");
    EXPECT_EQ(spin_->Value(), 42) << "no limits while both are 0";
    spin_->SetMinValue(6);
    spin_->SetMaxValue(14);
    EXPECT_EQ(spin_->Value(), 14);
    spin_->SetText("x");
    EXPECT_EQ(spin_->Value(), 6) << "not a number counts as the minimum";
    spin_->SetValue(3);
    EXPECT_EQ(spin_->Text(), "6");
    spin_->SetValue(9);
    EXPECT_EQ(spin_->Text(), "9");
}

TEST_F(SpinEditTest, ArrowsAndButtonsStepAndOnlyNumbersCanBeTyped)
{
    spin_->SetMinValue(6);
    spin_->SetMaxValue(14);
    spin_->SetIncrement(2);
    spin_->SetValue(10);
    Press(VK_UP);
    EXPECT_EQ(spin_->Value(), 12);
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(spin_->Value(), 14) << "stops at the maximum";
    Press(VK_DOWN);
    EXPECT_EQ(spin_->Value(), 12);

    const Rect up = spin_->UpButtonRect();
    const Rect down = spin_->DownButtonRect();
    EXPECT_EQ(up.Right, spin_->Width() - 1);
    EXPECT_EQ(up.Bottom, down.Top);
    driver_->Click(driver_->PointOf(*spin_, Point{up.Left + 3, up.Top + 2}));
    EXPECT_EQ(spin_->Value(), 14);
    driver_->Click(driver_->PointOf(*spin_, Point{down.Left + 3, down.Bottom - 2}));
    driver_->Click(driver_->PointOf(*spin_, Point{down.Left + 3, down.Bottom - 2}));
    EXPECT_EQ(spin_->Value(), 10);
    // The text keeps clear of the buttons.
    EXPECT_LE(spin_->TextArea().Right, up.Left);

    spin_->SelectAll();
    driver_->Type("a-7b");
    EXPECT_EQ(spin_->Text(), "-7");
    Press(VK_BACK);
    EXPECT_EQ(spin_->Text(), "-");
}
