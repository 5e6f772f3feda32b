#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/paint_backend.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/text_control_fixture.h"

using namespace fw;

namespace {

constexpr int CharWidth = FakePaintBackend::CharWidth;

// The form with one edit, focused.
class EditTest : public TextControlTest<Edit> {
protected:
    void SetUp() override { edit_ = ShowFormWith(Rect{10, 10, 210, 31}); }

    // Clicks at a character boundary of the edit (the caret's x for that position).
    void ClickAtPosition(int position)
    {
        driver_->Click(driver_->PointOf(*edit_, Point{edit_->XOfPosition(position), 10}));
    }

    Edit* edit_ = nullptr;
};

} // namespace

TEST_F(EditTest, TypingInsertsAtTheCaretAndReplacesTheSelection)
{
    driver_->Type("hello");
    EXPECT_EQ(edit_->Text(), "hello");
    EXPECT_EQ(edit_->CaretPosition(), 5);
    EXPECT_EQ(changes_, 5) << "every typed character is one change";
    EXPECT_TRUE(edit_->Modified());

    Press(VK_HOME);
    Press(VK_RIGHT);
    Press(VK_RIGHT);
    driver_->Type("X");
    EXPECT_EQ(edit_->Text(), "heXllo");
    EXPECT_EQ(edit_->CaretPosition(), 3);

    Press(VK_END, ShiftFlag::Shift);
    EXPECT_EQ(edit_->SelText(), "llo");
    driver_->Type("Z");
    EXPECT_EQ(edit_->Text(), "heXZ");
    EXPECT_EQ(edit_->SelLength(), 0);
}

TEST_F(EditTest, ArrowsHomeAndEndMoveAndShiftExtendsFromTheAnchor)
{
    edit_->SetText("one two three");
    Press(VK_END);
    Press(VK_LEFT, ShiftFlag::Shift);
    Press(VK_LEFT, ShiftFlag::Shift);
    EXPECT_EQ(edit_->SelStart(), 11);
    EXPECT_EQ(edit_->SelLength(), 2);
    EXPECT_EQ(edit_->CaretPosition(), 11) << "selected backwards: the caret is at the start";

    // Shift+Right shrinks the selection from the caret's side, not the anchor's.
    Press(VK_RIGHT, ShiftFlag::Shift);
    EXPECT_EQ(edit_->SelStart(), 12);
    EXPECT_EQ(edit_->SelLength(), 1);

    // The anchor stays at the end where the selection began.
    Press(VK_HOME, ShiftFlag::Shift);
    EXPECT_EQ(edit_->SelText(), "one two three");

    // A plain arrow with a selection goes to that side of it and drops it.
    edit_->SetSelStart(4);
    edit_->SetSelLength(3);
    Press(VK_LEFT);
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_EQ(edit_->CaretPosition(), 4);
    edit_->SetSelLength(3);
    Press(VK_RIGHT);
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_EQ(edit_->CaretPosition(), 7);

    // Ctrl jumps by words: to the start of the next word, back to the start of this one.
    Press(VK_HOME);
    Press(VK_RIGHT, ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->CaretPosition(), 4);
    Press(VK_RIGHT, ShiftState{ShiftFlag::Ctrl, ShiftFlag::Shift});
    EXPECT_EQ(edit_->SelText(), "two ");
    Press(VK_END);
    Press(VK_LEFT, ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->CaretPosition(), 8);

    // Nothing moves past either end.
    Press(VK_HOME);
    Press(VK_LEFT);
    EXPECT_EQ(edit_->CaretPosition(), 0);
    EXPECT_EQ(changes_, 1) << "only SetText changed the text";
}

TEST_F(EditTest, BackspaceAndDeleteRemoveACharacterOrTheSelection)
{
    edit_->SetText("abcdef");
    changes_ = 0;
    edit_->SetSelStart(3);
    Press(VK_BACK);
    EXPECT_EQ(edit_->Text(), "abdef");
    Press(VK_DELETE);
    EXPECT_EQ(edit_->Text(), "abef");
    EXPECT_EQ(edit_->CaretPosition(), 2);

    Press(VK_HOME);
    Press(VK_BACK);
    Press(VK_END);
    Press(VK_DELETE);
    EXPECT_EQ(edit_->Text(), "abef") << "nothing before the start or after the end";
    EXPECT_EQ(changes_, 2);

    edit_->SetSelStart(1);
    edit_->SetSelLength(2);
    Press(VK_DELETE);
    EXPECT_EQ(edit_->Text(), "af");
    edit_->SelectAll();
    Press(VK_BACK);
    EXPECT_EQ(edit_->Text(), "");
}

TEST_F(EditTest, PositionsCountCharactersNotBytes)
{
    edit_->SetText("\xC3\xA4\xC3\xB6x"); // "äöx"
    EXPECT_EQ(edit_->TextLength(), 3);
    edit_->SetSelStart(2);
    Press(VK_BACK);
    EXPECT_EQ(edit_->Text(), "\xC3\xA4x");
    Press(VK_LEFT, ShiftFlag::Shift);
    EXPECT_EQ(edit_->SelText(), "\xC3\xA4");
    driver_->Type("\xE2\x82\xAC"); // the euro sign arrives as a packet character
    EXPECT_EQ(edit_->Text(), "\xE2\x82\xAC" "x");
    EXPECT_EQ(edit_->XOfPosition(1) - edit_->XOfPosition(0), CharWidth);
}

TEST_F(EditTest, ClipboardKeysCopyCutAndPasteTheFirstLine)
{
    edit_->SetText("alpha beta");
    Press('A', ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->SelLength(), 10);
    EXPECT_EQ(edit_->Text(), "alpha beta") << "Ctrl+A types nothing";

    edit_->SetSelStart(6);
    edit_->SetSelLength(4);
    Press('C', ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "beta");
    Press('X', ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->Text(), "alpha ");
    Press(VK_HOME);
    Press('V', ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->Text(), "betaalpha ");
    EXPECT_EQ(edit_->CaretPosition(), 4);

    GetClipboard().SetAsText("first\r\nsecond");
    Press(VK_INSERT, ShiftFlag::Shift);
    EXPECT_EQ(edit_->Text(), "betafirstalpha ");

    edit_->SelectAll();
    Press(VK_INSERT, ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "betafirstalpha ");
    Press(VK_DELETE, ShiftFlag::Shift);
    EXPECT_EQ(edit_->Text(), "");
    EXPECT_EQ(GetClipboard().AsText(), "betafirstalpha ");
}

TEST_F(EditTest, MaxLengthCutsTypedAndPastedTextButNotCode)
{
    edit_->SetMaxLength(5);
    driver_->Type("abcdefg");
    EXPECT_EQ(edit_->Text(), "abcde");
    EXPECT_EQ(changes_, 5) << "refused characters change nothing";

    // A paste over a selection may use the selection's room.
    edit_->SetSelStart(1);
    edit_->SetSelLength(2);
    GetClipboard().SetAsText("XYZW");
    edit_->PasteFromClipboard();
    EXPECT_EQ(edit_->Text(), "aXYde");

    edit_->SetText("longer than five");
    EXPECT_EQ(edit_->Text(), "longer than five");
}

TEST_F(EditTest, ReadOnlyKeepsTheTextButAllowsSelectingAndCopying)
{
    edit_->SetText("fixed");
    edit_->SetReadOnly(true);
    changes_ = 0;
    driver_->Type("x");
    Press(VK_BACK);
    Press(VK_DELETE);
    edit_->SelectAll();
    Press('X', ShiftFlag::Ctrl);
    GetClipboard().SetAsText("pasted");
    Press('V', ShiftFlag::Ctrl);
    EXPECT_EQ(edit_->Text(), "fixed");
    EXPECT_EQ(changes_, 0);
    EXPECT_FALSE(edit_->Modified());

    Press('C', ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "fixed");
}

TEST_F(EditTest, KeyEventsSeeKeysFirstAndMayConsumeThem)
{
    edit_->SetOnKeyPress([](Object*, char32_t& key) {
        if (key == U'x' || key == 8) {
            key = 0;
        }
    });
    edit_->SetOnKeyDown([](Object*, int& key, ShiftState) {
        if (key == VK_HOME) {
            key = 0;
        }
    });
    driver_->Type("axb");
    EXPECT_EQ(edit_->Text(), "ab");
    Press(VK_BACK);
    EXPECT_EQ(edit_->Text(), "ab") << "OnKeyPress vetoed Backspace";
    Press(VK_HOME);
    EXPECT_EQ(edit_->CaretPosition(), 2) << "OnKeyDown consumed Home";
}

TEST_F(EditTest, SetTextResetsTheCaretAndChangesOnlyWhenDifferent)
{
    driver_->Type("abc");
    edit_->SetModified(false);
    changes_ = 0;
    edit_->SetText("xyz");
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(edit_->CaretPosition(), 0);
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_FALSE(edit_->Modified()) << "code changes are no user changes";
    edit_->SetText("xyz");
    EXPECT_EQ(changes_, 1);

    edit_->SetSelStart(1);
    edit_->SetSelLength(1);
    edit_->SetSelText("123");
    EXPECT_EQ(edit_->Text(), "x123z");
    EXPECT_EQ(edit_->CaretPosition(), 4);
    EXPECT_EQ(changes_, 2);

    edit_->SetSelStart(99);
    EXPECT_EQ(edit_->SelStart(), 5);
    edit_->SetSelLength(-2);
    EXPECT_EQ(edit_->SelText(), "3z");
}

TEST_F(EditTest, EnterAndEscapeGoToTheFormUnlessTheEditKeepsThem)
{
    int defaultClicks = 0;
    int cancelClicks = 0;
    form_->SetDefaultButton(AddButton(10, defaultClicks));
    form_->SetCancelButton(AddButton(70, cancelClicks));

    std::vector<int> seen;
    edit_->SetOnKeyDown([&](Object*, int& key, ShiftState) { seen.push_back(key); });
    driver_->Type("ab");
    seen.clear();
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(defaultClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_TRUE(seen.empty());

    edit_->SetExtraDialogCodes(DLGC_WANTALLKEYS);
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(defaultClicks, 1);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(seen, (std::vector<int>{VK_RETURN, VK_ESCAPE}));
    EXPECT_EQ(edit_->Text(), "ab") << "Enter and Esc type nothing";
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView)
{
    edit_->SetWidth(60); // room for a few characters only
    const Rect area = edit_->TextArea();
    driver_->Type("abcdefghijklmnopqrstuvwxyz");
    EXPECT_GT(edit_->ScrollOffset(), 0);
    int caretX = edit_->XOfPosition(edit_->CaretPosition());
    EXPECT_GE(caretX, area.Left);
    EXPECT_LT(caretX, area.Right);
    EXPECT_EQ(caretX, area.Right - 1) << "scrolled no further than needed";

    Press(VK_HOME);
    EXPECT_EQ(edit_->ScrollOffset(), 0);
    Press(VK_END);
    caretX = edit_->XOfPosition(edit_->CaretPosition());
    EXPECT_LT(caretX, area.Right);

    // Shortened text comes back into view instead of leaving the edit blank.
    edit_->SelectAll();
    edit_->SetSelStart(3);
    edit_->SetSelLength(23);
    Press(VK_DELETE);
    EXPECT_EQ(edit_->Text(), "abc");
    EXPECT_EQ(edit_->ScrollOffset(), 0);
    EXPECT_EQ(edit_->XOfPosition(0), area.Left);
}

TEST_F(EditTest, MousePlacesTheCaretSelectsByDraggingAndWordsByDoubleClick)
{
    edit_->SetText("hello big world");
    ClickAtPosition(4);
    EXPECT_EQ(edit_->CaretPosition(), 4);
    EXPECT_EQ(edit_->SelLength(), 0);

    // Nearest boundary: two pixels into a character still means before it.
    driver_->Click(driver_->PointOf(*edit_, Point{edit_->XOfPosition(7) + 2, 10}));
    EXPECT_EQ(edit_->CaretPosition(), 7);
    driver_->Advance(1000); // so that the next click is no double click
    driver_->Click(driver_->PointOf(*edit_, Point{edit_->XOfPosition(7) + 4, 10}));
    EXPECT_EQ(edit_->CaretPosition(), 8);

    driver_->Advance(1000);
    driver_->SetModifiers(ShiftFlag::Shift);
    ClickAtPosition(2);
    driver_->SetModifiers({});
    EXPECT_EQ(edit_->SelText(), "llo bi");

    driver_->DragMouse(driver_->PointOf(*edit_, Point{edit_->XOfPosition(6), 10}),
                       driver_->PointOf(*edit_, Point{edit_->XOfPosition(15), 10}), 5);
    EXPECT_EQ(edit_->SelText(), "big world");

    driver_->Advance(1000);
    driver_->DoubleClick(driver_->PointOf(*edit_, Point{edit_->XOfPosition(12), 10}));
    EXPECT_EQ(edit_->SelText(), "world");
    driver_->Advance(1000);
    driver_->DoubleClick(driver_->PointOf(*edit_, Point{edit_->XOfPosition(5), 10}));
    EXPECT_EQ(edit_->SelText(), " ");
}

TEST_F(EditTest, FocusByKeyboardSelectsAllButNotByMouse)
{
    auto* other = Add<Edit>(Rect{10, 50, 210, 71});
    other->SetText("other text");
    Press(VK_TAB);
    ASSERT_EQ(FocusedControl(), other);
    EXPECT_EQ(other->SelText(), "other text");

    edit_->SetText("mine");
    driver_->Click(driver_->PointOf(*edit_, Point{edit_->XOfPosition(1), 10}));
    ASSERT_EQ(FocusedControl(), edit_);
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_EQ(edit_->CaretPosition(), 1);

    other->SetAutoSelect(false);
    other->SetSelStart(2);
    Press(VK_TAB);
    EXPECT_EQ(other->SelLength(), 0);
}

TEST_F(EditTest, AutoSizeFollowsTheFrame)
{
    const int line = FakePaintBackend::LineHeight;
    EXPECT_EQ(edit_->Height(), line + 8);
    edit_->SetBorderStyle(EditBorderStyle::None);
    EXPECT_EQ(edit_->Height(), line);
    edit_->SetAutoSize(false);
    edit_->SetHeight(40);
    edit_->SetBorderStyle(EditBorderStyle::Single);
    EXPECT_EQ(edit_->Height(), 40);
}

TEST_F(EditTest, PaintsTheCaretTheSelectionAndTheFocusFrame)
{
    edit_->SetText("abcd");
    edit_->SetSelStart(1);
    edit_->SetSelLength(2);
    Bitmap picture = RenderToBitmap(*edit_);
    const int textTop = (edit_->Height() - FakePaintBackend::LineHeight) / 2;
    const int selLeft = edit_->XOfPosition(1);
    // The selection's background shows in the gap column after a selected glyph.
    EXPECT_EQ(picture.Pixel(selLeft + CharWidth - 1, textTop + 5), ColorToRGB(clHighlight));
    EXPECT_EQ(picture.Pixel(selLeft + 1, textTop + 5), ColorToRGB(clHighlightText));
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clHighlight)) << "focused frame";

    // The caret (after a backwards move: at the selection's start) is a column of text colour.
    edit_->SetSelStart(4);
    picture = RenderToBitmap(*edit_);
    const int caretX = edit_->XOfPosition(4);
    for (int y = textTop; y < textTop + FakePaintBackend::LineHeight; ++y) {
        EXPECT_EQ(picture.Pixel(caretX, y), ColorToRGB(clWindowText)) << y;
    }

    // Without the focus: no caret, a plain frame, and the selection hidden.
    auto* other = Add<Edit>(Rect{0, 60, 121, 81});
    other->SetFocus();
    edit_->SelectAll();
    picture = RenderToBitmap(*edit_);
    EXPECT_EQ(picture.Pixel(caretX, textTop + 1), ColorToRGB(clWindow));
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(selLeft + CharWidth - 1, textTop + 5), ColorToRGB(clWindow));
    edit_->SetHideSelection(false);
    picture = RenderToBitmap(*edit_);
    EXPECT_EQ(picture.Pixel(selLeft + CharWidth - 1, textTop + 5), ColorToRGB(clHighlight));
}
