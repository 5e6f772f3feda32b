#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/paint_backend.h"
#include "framework/gui/std_label.h"

using namespace fw;

namespace {

constexpr int CharWidth = FakePaintBackend::CharWidth;
constexpr int LineHeight = FakePaintBackend::LineHeight;

using Lines = std::vector<std::string>;

int FakeWidth(std::string_view text)
{
    return static_cast<int>(text.size()) * CharWidth;
}

class Host : public CustomControl {
public:
    Host() { SetBounds(0, 0, 300, 200); }

protected:
    void Paint() override
    {
        Canvas().Brush() = Brush{clRed};
        Canvas().FillRect(ClientRect());
    }
};

class LabelTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = DefaultPaintBackend();
        SetDefaultPaintBackend(&backend_);
        host_ = std::make_unique<Host>();
        label_ = new Label(host_.get());
        label_->SetParent(host_.get());
        label_->SetBounds(100, 20, 10, 10);
    }
    void TearDown() override
    {
        host_.reset();
        SetDefaultPaintBackend(previous_);
    }

    FakePaintBackend backend_;
    PaintBackend* previous_ = nullptr;
    std::unique_ptr<Host> host_;
    Label* label_ = nullptr;
};

} // namespace

TEST(LabelText, WrapsAtBlanksAndCutsWordsTooWideForALine)
{
    EXPECT_EQ(WrapLabelText("one two three", 8 * CharWidth, FakeWidth), (Lines{"one two", "three"}));
    EXPECT_EQ(WrapLabelText("one two three", 7 * CharWidth, FakeWidth), (Lines{"one two", "three"}));
    EXPECT_EQ(WrapLabelText("one two three", 6 * CharWidth, FakeWidth), (Lines{"one", "two", "three"}));
    EXPECT_EQ(WrapLabelText("abcdefghij", 4 * CharWidth, FakeWidth), (Lines{"abcd", "efgh", "ij"}));
    EXPECT_EQ(WrapLabelText("a\r\nb\rc\n\nd", 100, FakeWidth), (Lines{"a", "b", "c", "", "d"}));
    EXPECT_EQ(WrapLabelText("  lead", 100, FakeWidth), (Lines{"  lead"})) << "a paragraph's own indent stays";
    EXPECT_EQ(WrapLabelText("", 100, FakeWidth), (Lines{""}));
    // Narrower than one character: one character a line, never none.
    EXPECT_EQ(WrapLabelText("ab", 1, FakeWidth), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLabelLines("x\r\n"), (Lines{"x", ""}));
}

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheRightEdgeOfRightJustifiedText)
{
    label_->SetCaption("Hello");
    EXPECT_EQ(label_->BoundsRect(), (Rect{100, 20, 100 + 5 * CharWidth, 20 + LineHeight}));
    label_->SetCaption("ab\ncdefgh");
    EXPECT_EQ(label_->Width(), 6 * CharWidth);
    EXPECT_EQ(label_->Height(), 2 * LineHeight);

    label_->SetAlignment(Alignment::RightJustify);
    const int right = label_->BoundsRect().Right;
    label_->SetCaption("x");
    EXPECT_EQ(label_->BoundsRect().Right, right);
    EXPECT_EQ(label_->Width(), CharWidth);

    label_->SetAutoSize(false);
    label_->SetCaption("much longer now");
    EXPECT_EQ(label_->Width(), CharWidth);
}

TEST_F(LabelTest, WrappedAutoSizeKeepsTheWidthAndGrowsDown)
{
    label_->SetWordWrap(true);
    label_->SetWidth(8 * CharWidth);
    label_->SetCaption("one two three four");
    EXPECT_EQ(label_->Lines(), (Lines{"one two", "three", "four"}));
    EXPECT_EQ(label_->Width(), 8 * CharWidth);
    EXPECT_EQ(label_->Height(), 3 * LineHeight);
    label_->SetWidth(20 * CharWidth);
    EXPECT_EQ(label_->Height(), LineHeight) << "a wider label needs fewer lines";
}

TEST_F(LabelTest, PaintsAlignedTextOverItsColourOrOverTheParent)
{
    label_->SetAutoSize(false);
    label_->SetBounds(10, 10, 20 * CharWidth, LineHeight);
    label_->SetColor(clYellow);
    label_->SetCaption("ab");
    const Color ink = ColorToRGB(clWindowText);

    Bitmap picture = RenderToBitmap(*host_);
    EXPECT_EQ(picture.Pixel(10 + 2, 10 + 5), ink) << "left: the first glyph at the left edge";
    EXPECT_EQ(picture.Pixel(10 + 15 * CharWidth, 10 + 5), clYellow);

    label_->SetAlignment(Alignment::RightJustify);
    picture = RenderToBitmap(*host_);
    EXPECT_EQ(picture.Pixel(10 + 2, 10 + 5), clYellow);
    EXPECT_EQ(picture.Pixel(10 + 19 * CharWidth + 2, 10 + 5), ink);
    EXPECT_EQ(picture.Pixel(10 + 20 * CharWidth - 1, 10 + 5), clYellow) << "the gap column after the last glyph";

    label_->SetAlignment(Alignment::Center);
    picture = RenderToBitmap(*host_);
    EXPECT_EQ(picture.Pixel(10 + 9 * CharWidth + 2, 10 + 5), ink);
    EXPECT_EQ(picture.Pixel(10 + 8 * CharWidth + 2, 10 + 5), clYellow);

    label_->SetTransparent(true);
    picture = RenderToBitmap(*host_);
    EXPECT_EQ(picture.Pixel(10 + 2, 10 + 5), clRed) << "the parent shows through";
    EXPECT_EQ(picture.Pixel(10 + 9 * CharWidth + 2, 10 + 5), ink);

    label_->SetEnabled(false);
    picture = RenderToBitmap(*host_);
    EXPECT_EQ(picture.Pixel(10 + 9 * CharWidth + 2, 10 + 5), ColorToRGB(clGrayText));
}
