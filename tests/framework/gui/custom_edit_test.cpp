// What the single-line edit and the memo share through their common base, run on both.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/text_control_fixture.h"

using namespace fw;

namespace {

template <class TextControl>
class SharedEditingTest : public TextControlTest<TextControl> {
protected:
    void SetUp() override { control_ = this->ShowFormWith(Rect{10, 10, 210, 60}); }

    TextControl* control_ = nullptr;
};

using TextControls = ::testing::Types<Edit, Memo>;
TYPED_TEST_SUITE(SharedEditingTest, TextControls);

} // namespace

// The change handler of a user's edit may rely on Modified already being set, whatever the
// edit was; a change made in code leaves it clear.
TYPED_TEST(SharedEditingTest, ChangeHandlerSeesModifiedForEveryUserEdit)
{
    auto* control = this->control_;
    std::vector<bool> seen;
    control->SetOnChange([&](Object*) { seen.push_back(control->Modified()); });
    const std::vector<std::pair<std::string, std::function<void()>>> edits = {
        {"typing", [&] { this->driver_->Type("x"); }},
        {"Backspace", [&] { this->Press(VK_BACK); }},
        {"Delete", [&] { this->Press(VK_DELETE); }},
        {"Ctrl+X", [&] { this->Press('X', ShiftFlag::Ctrl); }},
        {"Ctrl+V", [&] { this->Press('V', ShiftFlag::Ctrl); }},
        {"Shift+Delete", [&] { this->Press(VK_DELETE, ShiftFlag::Shift); }},
    };
    for (const auto& [name, edit] : edits) {
        control->SetText("abc");
        control->SetModified(false);
        control->SelectAll();
        if (name == "Backspace") {
            control->SetSelStart(3);
        } else if (name == "Delete") {
            control->SetSelStart(0);
        }
        GetClipboard().SetAsText("pasted");
        seen.clear();
        edit();
        EXPECT_EQ(seen, std::vector<bool>{true}) << name;
    }

    control->SetModified(false);
    seen.clear();
    control->SetSelText("code");
    control->ClearSelection();
    control->SelectAll();
    control->ClearSelection();
    EXPECT_EQ(seen, (std::vector<bool>{false, false})) << "changes in code";
}

TYPED_TEST(SharedEditingTest, ReadOnlyRefusesEveryUserEditButCopies)
{
    auto* control = this->control_;
    control->SetText("keep");
    control->SetReadOnly(true);
    control->SelectAll();
    this->changes_ = 0;
    GetClipboard().SetAsText("other");
    this->driver_->Type("x");
    this->Press(VK_BACK);
    this->Press(VK_DELETE, ShiftFlag::Shift);
    this->Press(VK_INSERT, ShiftFlag::Shift);
    this->Press('X', ShiftFlag::Ctrl);
    EXPECT_EQ(control->Text(), "keep");
    EXPECT_EQ(this->changes_, 0);
    EXPECT_EQ(GetClipboard().AsText(), "other");
    this->Press(VK_INSERT, ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "keep");
}

TYPED_TEST(SharedEditingTest, FreedFromItsOwnChangeHandlerItStaysQuiet)
{
    this->control_->SetOnChange([this](Object*) { delete this->control_; });
    this->driver_->Type("a");
    EXPECT_EQ(this->form_->ControlCount(), 0);
}
