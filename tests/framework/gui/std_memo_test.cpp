#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "framework/gui/std_edit.h"
#include "framework/gui/std_memo.h"
#include "framework/gui/text_control_fixture.h"

using namespace fw;

namespace {

constexpr int CharWidth = FakePaintBackend::CharWidth;
constexpr int LineHeight = FakePaintBackend::LineHeight;

// The memo's text area starts inside a one-pixel frame and a two-pixel margin (one pixel at
// the top); 66 x 43 leaves a 60-pixel wide area, ten characters, and three whole rows.
constexpr int AreaLeft = 3;
constexpr int AreaTop = 2;
constexpr int MemoWidth = 66;
constexpr int MemoHeight = 43;

// The form with a focused memo and a plain edit after it.
class MemoTest : public TextControlTest<Memo> {
protected:
    void SetUp() override
    {
        memo_ = ShowFormWith(Rect{10, 10, 10 + MemoWidth, 10 + MemoHeight},
                             [this] { next_ = Add<Edit>(Rect{10, 200, 110, 221}); });
    }

    // A point inside the row of a position, at the caret's x for it (surface coordinates).
    Point PointAt(int position)
    {
        const Point caret = memo_->PointOfPosition(position);
        return driver_->PointOf(*memo_, Point{caret.X, caret.Y + LineHeight / 2});
    }
    // Clicks, then lets the double-click time pass so that the next click stands alone.
    void ClickAt(Point point)
    {
        driver_->Click(point);
        driver_->Advance(1000);
    }

    Memo* memo_ = nullptr;
    Edit* next_ = nullptr;
};

} // namespace

// --- Text and lines ------------------------------------------------------------------------------

TEST_F(MemoTest, TextReadsWithCrLfWhateverBreaksItWasSetWith)
{
    memo_->SetText("one\ntwo\r\nthree\rfour");
    EXPECT_EQ(memo_->Text(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(memo_->TextLength(), 21) << "a line break counts two characters";
    EXPECT_EQ(changes_, 1);
    EXPECT_FALSE(memo_->Modified()) << "text set in code is no user change";

    memo_->SetText("one\r\ntwo\nthree\r\nfour");
    EXPECT_EQ(changes_, 1) << "the same text after normalising is no change";

    MemoLines lines = memo_->Lines();
    EXPECT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Strings(2), "three");
    EXPECT_THROW(lines.Strings(4), Exception);

    lines.SetStrings(1, "TWO");
    EXPECT_EQ(memo_->Text(), "one\r\nTWO\r\nthree\r\nfour");
    lines.Delete(0);
    lines.Insert(1, "2.5");
    EXPECT_EQ(lines.Add("five"), 4);
    EXPECT_EQ(memo_->Text(), "TWO\r\n2.5\r\nthree\r\nfour\r\nfive");
    EXPECT_EQ(changes_, 5);

    StringList copy;
    lines.AssignTo(copy);
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Strings(4), "five");
    lines.Assign(StringList{"x", "", "y"});
    EXPECT_EQ(memo_->Text(), "x\r\n\r\ny");

    memo_->SetText("a\r\n");
    EXPECT_EQ(memo_->LineCount(), 1) << "a break at the end starts no further line";
    lines.Clear();
    EXPECT_EQ(memo_->LineCount(), 0);
    EXPECT_EQ(memo_->Text(), "");
}

// --- Wrapping ----------------------------------------------------------------------------------------

TEST_F(MemoTest, WordWrapBreaksAtTheLastBlankThatFitsAndCutsLongWords)
{
    memo_->SetText("the quick brown fox");
    ASSERT_EQ(memo_->RowCount(), 2);
    EXPECT_EQ(memo_->RowStart(1), 10) << "'the quick ' fills ten characters; 'brown' moves down";

    memo_->SetText("abcdefghijklmnopqrstuvwxy");
    ASSERT_EQ(memo_->RowCount(), 3);
    EXPECT_EQ(memo_->RowStart(1), 10);
    EXPECT_EQ(memo_->RowStart(2), 20);

    // The blanks at a wrap hang at the end of the upper row, however many there are.
    memo_->SetText("aaaaaaaa      bb");
    ASSERT_EQ(memo_->RowCount(), 2);
    EXPECT_EQ(memo_->RowStart(1), 14);

    // Hard breaks start rows of their own; an empty last line still has a row.
    memo_->SetText("ab\r\n\r\ncd\r\n");
    EXPECT_EQ(memo_->RowCount(), 4);
    EXPECT_EQ(memo_->RowStart(2), 6);
    EXPECT_EQ(memo_->RowStart(3), 10);

    memo_->SetText("the quick brown fox");
    memo_->SetWidth(MemoWidth + 9 * CharWidth);
    EXPECT_EQ(memo_->RowCount(), 1) << "a wider memo wraps again";
    memo_->SetWidth(MemoWidth);
    memo_->SetWordWrap(false);
    EXPECT_EQ(memo_->RowCount(), 1);
    memo_->SetWordWrap(true);
    memo_->SetScrollBars(ScrollStyle::Vertical);
    EXPECT_EQ(memo_->TextArea().Width(), 60 - PlainScrollBar::Thickness);
    // The bar takes the area's width: seven characters a row, "the |quick |brown |fox".
    EXPECT_EQ(memo_->RowCount(), 4);
    EXPECT_EQ(memo_->RowStart(2), 10);
}

// --- Caret movement ------------------------------------------------------------------------------------

TEST_F(MemoTest, ArrowsMoveAcrossWrappedRowsAndLineBreaks)
{
    memo_->SetText("the quick brown fox\r\nab\r\nlonger one");
    memo_->SetSelStart(2);
    Press(VK_DOWN);
    EXPECT_EQ(memo_->CaretPosition(), 12) << "the same column on the wrapped row below";
    Press(VK_DOWN);
    EXPECT_EQ(memo_->CaretPosition(), 23) << "the end of the short line 'ab'";
    Press(VK_DOWN);
    EXPECT_EQ(memo_->CaretPosition(), 27) << "the column is kept over a short row";
    Press(VK_UP);
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(memo_->CaretPosition(), 2);
    Press(VK_UP);
    EXPECT_EQ(memo_->CaretPosition(), 2) << "nothing above the first row";

    // End on a wrapped row stops at its end, shown there and not at the next row's start.
    Press(VK_END);
    EXPECT_EQ(memo_->CaretPosition(), 10);
    Press(VK_HOME);
    EXPECT_EQ(memo_->CaretPosition(), 0) << "Home from the end of the upper row stays on it";
    Press(VK_END);
    driver_->Type("X");
    EXPECT_EQ(memo_->Text().substr(0, 12), "the quick Xb");
    memo_->SetText("the quick brown fox\r\nab\r\nlonger one");

    // Left and Right step over a line break as one.
    memo_->SetSelStart(21);
    EXPECT_EQ(memo_->CaretPosition(), 21);
    Press(VK_LEFT);
    EXPECT_EQ(memo_->CaretPosition(), 19);
    Press(VK_RIGHT);
    EXPECT_EQ(memo_->CaretPosition(), 21);
    memo_->SetSelStart(20);
    EXPECT_EQ(memo_->CaretPosition(), 19) << "never between CR and LF";

    Press(VK_RIGHT, ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->CaretPosition(), 21) << "Ctrl+Right stops at the next line's start";
    Press(VK_RIGHT, ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->CaretPosition(), 23);
    Press(VK_LEFT, ShiftFlag::Ctrl);
    Press(VK_LEFT, ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->CaretPosition(), 19);

    Press(VK_END, ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->CaretPosition(), memo_->TextLength());
    Press(VK_HOME, ShiftState{ShiftFlag::Ctrl, ShiftFlag::Shift});
    EXPECT_EQ(memo_->SelLength(), memo_->TextLength());
    EXPECT_EQ(memo_->CaretPosition(), 0);
}

TEST_F(MemoTest, PageKeysMoveByTheVisibleRows)
{
    memo_->SetText("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9");
    ASSERT_EQ(memo_->VisibleRowCount(), 3);
    memo_->SetSelStart(1);
    Press(VK_NEXT);
    EXPECT_EQ(memo_->CaretPosition(), 3 * 4 + 1);
    EXPECT_EQ(memo_->TopRow(), 3);
    Press(VK_NEXT, ShiftFlag::Shift);
    EXPECT_EQ(memo_->SelText(), "3\r\nr4\r\nr5\r\nr");
    Press(VK_NEXT);
    Press(VK_NEXT);
    EXPECT_EQ(memo_->CaretPosition(), 9 * 4 + 1) << "the last row at most";
    EXPECT_EQ(memo_->TopRow(), 7);
    Press(VK_PRIOR);
    EXPECT_EQ(memo_->CaretPosition(), 6 * 4 + 1);
    EXPECT_EQ(memo_->TopRow(), 4);
}

// --- Editing ----------------------------------------------------------------------------------------

TEST_F(MemoTest, EnterBreaksTheLineUnlessTheFormShouldHaveIt)
{
    int defaultClicks = 0;
    int cancelClicks = 0;
    form_->SetDefaultButton(AddButton(10, defaultClicks));
    form_->SetCancelButton(AddButton(70, cancelClicks));

    driver_->Type("ab");
    Press(VK_RETURN);
    driver_->Type("c");
    EXPECT_EQ(memo_->Text(), "ab\r\nc");
    EXPECT_EQ(memo_->CaretPosition(), 5);
    EXPECT_EQ(defaultClicks, 0);
    Press(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1) << "Esc still reaches the cancel button";

    memo_->SetWantReturns(false);
    Press(VK_RETURN);
    EXPECT_EQ(memo_->Text(), "ab\r\nc");
    EXPECT_EQ(defaultClicks, 1);
    Press(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 2) << "and only once";
}

TEST_F(MemoTest, TabMovesTheFocusUnlessTheMemoWantsTabs)
{
    driver_->Type("a");
    Press(VK_TAB);
    EXPECT_EQ(memo_->Text(), "a");
    EXPECT_TRUE(next_->Focused());

    memo_->SetFocus();
    memo_->SetWantTabs(true);
    Press(VK_TAB);
    driver_->Type("b");
    EXPECT_EQ(memo_->Text(), "a\tb");
    EXPECT_TRUE(memo_->Focused());
    // The tab stands at every eighth space: 'b' starts at 48 pixels.
    EXPECT_EQ(memo_->PointOfPosition(2).X, AreaLeft + 8 * CharWidth);
}

TEST_F(MemoTest, BackspaceAndDeleteTakeALineBreakWhole)
{
    memo_->SetText("ab\r\ncd");
    memo_->SetSelStart(4);
    Press(VK_BACK);
    EXPECT_EQ(memo_->Text(), "abcd");
    EXPECT_EQ(memo_->CaretPosition(), 2);
    Press(VK_RETURN);
    Press(VK_LEFT);
    Press(VK_DELETE);
    EXPECT_EQ(memo_->Text(), "abcd");
    EXPECT_TRUE(memo_->Modified());

    memo_->SetReadOnly(true);
    Press(VK_DELETE);
    Press(VK_BACK);
    driver_->Type("x");
    EXPECT_EQ(memo_->Text(), "abcd");
}

TEST_F(MemoTest, SelectionAndClipboardCarryLineBreaks)
{
    memo_->SetText("one\r\ntwo\r\nthree");
    memo_->SetSelStart(1);
    Press(VK_DOWN, ShiftFlag::Shift);
    EXPECT_EQ(memo_->SelStart(), 1);
    EXPECT_EQ(memo_->SelLength(), 5);
    EXPECT_EQ(memo_->SelText(), "ne\r\nt");

    Press('C', ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "ne\r\nt");
    Press('X', ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->Text(), "owo\r\nthree");

    GetClipboard().SetAsText("A\nB");
    Press('V', ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->Text(), "oA\r\nBwo\r\nthree") << "pasted breaks become CR LF";
    EXPECT_EQ(memo_->CaretPosition(), 5);

    Press('A', ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->SelText(), memo_->Text());
    memo_->SetSelStart(2);
    memo_->SetSelLength(4);
    memo_->SetSelText("-\n-");
    EXPECT_EQ(memo_->Text(), "oA-\r\n-o\r\nthree");

    memo_->SetReadOnly(true);
    memo_->SetSelStart(0);
    memo_->SetSelLength(2);
    Press('X', ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->Text(), "oA-\r\n-o\r\nthree") << "read-only text cannot be cut";
    EXPECT_EQ(GetClipboard().AsText(), "A\nB");
    Press('C', ShiftFlag::Ctrl);
    EXPECT_EQ(GetClipboard().AsText(), "oA") << "but it can be copied";
}

TEST_F(MemoTest, MaxLengthCountsLineBreaksAndNeverSplitsOne)
{
    memo_->SetMaxLength(6);
    driver_->Type("ab");
    Press(VK_RETURN);
    driver_->Type("cde");
    EXPECT_EQ(memo_->Text(), "ab\r\ncd");

    memo_->SetMaxLength(7);
    GetClipboard().SetAsText("\nz");
    Press('V', ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->Text(), "ab\r\ncd") << "one character of room takes no half break";
    driver_->Type("e");
    EXPECT_EQ(memo_->Text(), "ab\r\ncde");

    memo_->SetText("longer than seven");
    EXPECT_EQ(memo_->Text(), "longer than seven") << "code is not limited";
}

// --- Scrolling ---------------------------------------------------------------------------------------

TEST_F(MemoTest, TheViewFollowsTheCaretAndTheWheelScrollsIt)
{
    memo_->SetText("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9");
    Press(VK_END, ShiftFlag::Ctrl);
    EXPECT_EQ(memo_->TopRow(), 7);
    const int caret = memo_->CaretPosition();

    EXPECT_TRUE(driver_->Wheel(driver_->CentreOf(*memo_), 1));
    EXPECT_EQ(memo_->TopRow(), 4) << "three rows a notch";
    EXPECT_EQ(memo_->CaretPosition(), caret) << "the wheel leaves the caret";
    driver_->Wheel(driver_->CentreOf(*memo_), 5);
    EXPECT_EQ(memo_->TopRow(), 0);
    driver_->Wheel(driver_->CentreOf(*memo_), -9);
    EXPECT_EQ(memo_->TopRow(), 7) << "no further than the last row at the bottom";

    // Without wrapping, a long line scrolls sideways.
    memo_->SetWordWrap(false);
    memo_->SetText("abcdefghijklmnopqrstuvwxyz");
    Press(VK_END);
    EXPECT_EQ(memo_->ScrollOffset(), 26 * CharWidth - 60 + 1);
    EXPECT_EQ(memo_->PointOfPosition(26).X, AreaLeft + 60 - 1);
    Press(VK_HOME);
    EXPECT_EQ(memo_->ScrollOffset(), 0);
}

TEST_F(MemoTest, ScrollBarsScrollByRowPageAndThumb)
{
    memo_->SetHeight(MemoHeight + 3 * LineHeight);
    memo_->SetScrollBars(ScrollStyle::Both);
    ASSERT_EQ(memo_->VisibleRowCount(), 4) << "six rows high, less the horizontal bar";
    memo_->SetText("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\nr7\r\nr8\r\nr9\r\nr10\r\nr11");

    const PlainScrollBar& bar = memo_->VerticalBar();
    EXPECT_EQ(bar.Total(), 12);
    EXPECT_EQ(bar.Page(), 4);
    EXPECT_FALSE(memo_->HorizontalBar().CanScroll()) << "a wrapping memo has nothing to scroll sideways";

    const Rect down = bar.ArrowRect(false);
    ClickAt(driver_->PointOf(*memo_, Point{down.Left + 5, down.Top + 5}));
    EXPECT_EQ(memo_->TopRow(), 1);
    EXPECT_EQ(memo_->CaretPosition(), 0) << "the bar does not move the caret";

    const Rect thumb = bar.ThumbRect();
    ClickAt(driver_->PointOf(*memo_, Point{thumb.Left + 5, thumb.Bottom + 2}));
    EXPECT_EQ(memo_->TopRow(), 5) << "a page below the thumb";
    const Rect up = bar.ArrowRect(true);
    ClickAt(driver_->PointOf(*memo_, Point{up.Left + 5, up.Top + 5}));
    EXPECT_EQ(memo_->TopRow(), 4);

    const Rect grabbed = bar.ThumbRect();
    driver_->DragMouse(driver_->PointOf(*memo_, Point{grabbed.Left + 5, grabbed.Top + 2}),
                       driver_->PointOf(*memo_, Point{grabbed.Left + 5, memo_->Height() + 40}), 7);
    EXPECT_EQ(memo_->TopRow(), 8) << "dragged to the end";
    EXPECT_EQ(bar.Position(), 8);

    memo_->SetWordWrap(false);
    memo_->SetText("abcdefghijklmnopqrstuvwxyz");
    const PlainScrollBar& across = memo_->HorizontalBar();
    EXPECT_TRUE(across.CanScroll());
    const Rect right = across.ArrowRect(false);
    ClickAt(driver_->PointOf(*memo_, Point{right.Left + 5, right.Top + 5}));
    EXPECT_EQ(memo_->ScrollOffset(), CharWidth);
    driver_->DoubleClick(driver_->PointOf(*memo_, Point{right.Left + 5, right.Top + 5}));
    EXPECT_EQ(memo_->ScrollOffset(), 3 * CharWidth) << "each press of a double click scrolls";
    EXPECT_EQ(memo_->SelLength(), 0) << "and selects no word";
}

// --- Mouse ----------------------------------------------------------------------------------------------

TEST_F(MemoTest, MousePlacesTheCaretSelectsRowsAndWords)
{
    memo_->SetText("the quick brown fox\r\njumps");
    next_->SetFocus();
    ClickAt(PointAt(13));
    EXPECT_TRUE(memo_->Focused());
    EXPECT_EQ(memo_->CaretPosition(), 13);

    // Beyond a row's end: the row's end; below the last row: the last row.
    ClickAt(driver_->PointOf(*memo_, Point{55, AreaTop + 2 * LineHeight + 3}));
    EXPECT_EQ(memo_->CaretPosition(), 26);

    driver_->SetModifiers(ShiftFlag::Shift);
    ClickAt(PointAt(4));
    driver_->SetModifiers({});
    EXPECT_EQ(memo_->SelText(), "quick brown fox\r\njumps");

    driver_->DragMouse(PointAt(6), PointAt(21), 4);
    EXPECT_EQ(memo_->SelText(), "ick brown fox\r\n");
    driver_->Advance(1000);

    driver_->DoubleClick(PointAt(11));
    EXPECT_EQ(memo_->SelText(), "brown");
    driver_->Advance(1000);
    driver_->DoubleClick(PointAt(19));
    EXPECT_EQ(memo_->SelText(), "fox") << "at a line's end, the word before";
}

// --- Painting ---------------------------------------------------------------------------------------------

TEST_F(MemoTest, PaintsRowsSelectionCaretAndFrame)
{
    memo_->SetText("aaaa bbbb cccc");
    memo_->SetSelStart(10);
    memo_->SetSelLength(2);
    Bitmap picture = RenderToBitmap(*memo_);
    const int rowTop = AreaTop + LineHeight; // 'cccc' wrapped to the second row
    const int glyphY = rowTop + FakePaintBackend::GlyphTop + 2;
    EXPECT_EQ(picture.Pixel(AreaLeft + 1, glyphY), ColorToRGB(clHighlightText));
    EXPECT_EQ(picture.Pixel(AreaLeft + CharWidth - 1, glyphY), ColorToRGB(clHighlight)) << "gap of a selected glyph";
    EXPECT_EQ(picture.Pixel(AreaLeft + 2 * CharWidth + 1, glyphY), ColorToRGB(clWindowText));
    EXPECT_EQ(picture.Pixel(AreaLeft + 2 * CharWidth + CharWidth - 1, glyphY), ColorToRGB(clWindow));
    EXPECT_EQ(picture.Pixel(AreaLeft + 1, AreaTop + FakePaintBackend::GlyphTop + 2), ColorToRGB(clWindowText));
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clHighlight)) << "the focused frame";

    // The caret: a column of text colour in its row.
    memo_->SetSelStart(12);
    picture = RenderToBitmap(*memo_);
    const int caretX = AreaLeft + 2 * CharWidth;
    EXPECT_EQ(picture.Pixel(caretX, rowTop + 1), ColorToRGB(clWindowText));
    EXPECT_EQ(picture.Pixel(caretX, rowTop + LineHeight - 1), ColorToRGB(clWindowText));

    // Unfocused: no caret, a plain frame, the selection hidden unless asked for.
    next_->SetFocus();
    memo_->SelectAll();
    picture = RenderToBitmap(*memo_);
    EXPECT_EQ(picture.Pixel(caretX, rowTop + 1), ColorToRGB(clWindow));
    EXPECT_EQ(picture.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(picture.Pixel(AreaLeft + CharWidth - 1, glyphY), ColorToRGB(clWindow));
    memo_->SetHideSelection(false);
    picture = RenderToBitmap(*memo_);
    EXPECT_EQ(picture.Pixel(AreaLeft + CharWidth - 1, glyphY), ColorToRGB(clHighlight));

    // Disabled: the button face behind grey text.
    memo_->SetHideSelection(true);
    memo_->SetEnabled(false);
    picture = RenderToBitmap(*memo_);
    EXPECT_EQ(picture.Pixel(AreaLeft + CharWidth - 1, glyphY), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(AreaLeft + 1, glyphY), ColorToRGB(clGrayText));
}

TEST_F(MemoTest, PaintsItsScrollBarsInsideTheFrame)
{
    memo_->SetHeight(MemoHeight + 5 * LineHeight);
    memo_->SetScrollBars(ScrollStyle::Vertical);
    memo_->SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
    const PlainScrollBar& bar = memo_->VerticalBar();
    EXPECT_EQ(bar.Bounds(), (Rect{MemoWidth - 1 - PlainScrollBar::Thickness, 1, MemoWidth - 1, memo_->Height() - 1}));
    const Bitmap picture = RenderToBitmap(*memo_);
    const Rect thumb = bar.ThumbRect();
    ASSERT_FALSE(thumb.IsEmpty());
    EXPECT_EQ(picture.Pixel(thumb.Left + 4, thumb.Top + 4), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Pixel(thumb.Left + 4, thumb.Bottom + 2), ColorToRGB(clScrollBar)) << "the track below";
    const Rect up = bar.ArrowRect(true);
    EXPECT_EQ(picture.Pixel(up.Left, up.Top), ColorToRGB(cl3DLight));
    EXPECT_EQ(picture.Pixel(up.Right - 1, up.Bottom - 1), ColorToRGB(cl3DDkShadow));
    int arrowPixels = 0;
    for (int y = up.Top; y < up.Bottom; ++y) {
        for (int x = up.Left; x < up.Right; ++x) {
            arrowPixels += picture.Pixel(x, y) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(arrowPixels, 5) << "a black arrow on the button";
}

// Drawn with the real Qt text backend and written out to look at: wrapped paragraphs, a
// selection over a line break, the caret and a vertical scroll bar.
TEST(MemoRender, AWrappedMemoWithASelectionLooksLikeADesktopMemo)
{
    QtPaintBackend backend;
    PaintBackend* previous = DefaultPaintBackend();
    SetDefaultPaintBackend(&backend);
    {
        Form form;
        form.SetBounds(0, 0, 260, 96);
        form.SetColor(clBtnFace);
        auto* memo = new Memo(&form);
        memo->SetParent(&form);
        memo->SetBounds(8, 8, 240, 80); // too short for all rows: the bar has a thumb
        memo->SetScrollBars(ScrollStyle::Vertical);
        memo->SetText("Warp: 24 cards of four holes, threaded in alternating S and Z.\n"
                      "Weft: fine linen in natural white.\n\n"
                      "Turn all cards forwards for four picks, then backwards for four, "
                      "and repeat until the band is long enough.");
        form.Show();
        memo->SetFocus();
        memo->SetSelStart(6);
        memo->SetSelLength(60);
        const Bitmap picture = RenderToBitmap(form);
        const QString path = QString(TAVELIN_GUI_TEST_OUTPUT) + "/memo.png";
        ASSERT_TRUE(BitmapToQImage(picture).save(path)) << path.toStdString();

        EXPECT_GT(memo->RowCount(), memo->LineCount()) << "long lines wrap";
        EXPECT_TRUE(memo->VerticalBar().CanScroll()) << memo->RowCount() << " " << memo->VisibleRowCount();
        int highlighted = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                highlighted += picture.Pixel(x, y) == ColorToRGB(clHighlight) ? 1 : 0;
            }
        }
        EXPECT_GT(highlighted, 500) << "the selection shows";
    }
    SetDefaultPaintBackend(previous);
}
