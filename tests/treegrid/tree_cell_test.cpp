#include <gtest/gtest.h>

#include "treegrid/tree_cell.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_properties.h"
#include "tree_test_support.h"

namespace {

// --- Cell infos ------------------------------------------------------------------------------------

TEST(TreeCellInfoTest, StartsWithTheDocumentedDefaults)
{
    const TILTreeCellInfo info;
    EXPECT_EQ(info.Font(), nullptr);
    EXPECT_EQ(info.HorzAlign(), 1);
    EXPECT_EQ(info.VertAlign(), 1);
    EXPECT_EQ(info.ValueKind(), iltValueObject);
    EXPECT_EQ(info.GetObject(), nullptr);
    EXPECT_FALSE(info.HasValue());
    EXPECT_EQ(info.Flags(), 0u);
    EXPECT_EQ(info.BackColour(), 0x1FFFFFFFu);
    EXPECT_FALSE(info.HasBackColour());
    EXPECT_EQ(info.CellControl(), nullptr);
}

TEST(TreeCellInfoTest, TheTypedValueIsEitherAnIntegerOrAnObject)
{
    TILTreeCellInfo info;
    fw::Object picture;
    info.SetInteger(2);
    EXPECT_EQ(info.GetInteger(), 2);
    EXPECT_EQ(info.GetObject(), nullptr);
    EXPECT_TRUE(info.HasValue());
    info.SetInteger(-1);
    EXPECT_FALSE(info.HasValue()) << "negative image indexes show nothing";
    info.SetInteger(0);
    EXPECT_TRUE(info.HasValue());
    info.SetObject(&picture);
    EXPECT_EQ(info.GetInteger(), -1);
    EXPECT_EQ(info.GetObject(), &picture);
    EXPECT_TRUE(info.HasValue());
    EXPECT_EQ(info.GetGraphic(), nullptr) << "a plain object is no graphic";
    info.SetObject(nullptr);
    EXPECT_FALSE(info.HasValue());
}

TEST(TreeCellInfoTest, FlagsClearOnlyWhenAllBitsOfTheMaskAreSet)
{
    TILTreeCellInfo info;
    info.SetFlag(iltCellMergeRight | iltCellHideText, true);
    EXPECT_TRUE(info.HasFlag(iltCellMergeRight));
    EXPECT_TRUE(info.HasFlag(iltCellMergeRight | iltCellHideText));
    EXPECT_FALSE(info.HasFlag(iltCellMergeRight | iltCellEdited));
    info.SetFlag(iltCellMergeRight | iltCellEdited, false);
    EXPECT_TRUE(info.HasFlag(iltCellMergeRight)) << "not all of the bits were set";
    info.SetFlag(iltCellMergeRight, false);
    EXPECT_FALSE(info.HasFlag(iltCellMergeRight));
    EXPECT_TRUE(info.HasFlag(iltCellHideText));

    info.GetFont().Height = -15;
    EXPECT_TRUE(info.HasFlag(iltCellOwnFont));
    info.SetFlag(iltCellOwnFont, false);
    EXPECT_EQ(info.Font(), nullptr);
    info.SetFlag(iltCellOwnFont, true);
    ASSERT_NE(info.Font(), nullptr);
}

TEST(TreeCellInfoTest, AnOwnedObjectGoesWithTheCell)
{
    int freed = 0;
    {
        TILTreeCellInfo owning;
        owning.SetCellObject(new CountedObject(freed));
        owning.SetFlag(iltCellOwnsObject, true);
        TILTreeCellInfo referring;
        referring.SetCellObject(owning.CellObject());
    }
    EXPECT_EQ(freed, 1);
}

TEST(TreeCellInfoTest, AssignCopiesTheLookButNotTheOtherFlagsTheControlOrTheText)
{
    int freed = 0;
    TILTreeCellInfo source;
    source.GetFont().Height = -18;
    source.SetCellObject(new CountedObject(freed));
    source.SetFlag(iltCellOwnsObject | iltCellMergeRight | iltCellEdited, true);
    fw::Object graphic;
    source.SetGraphicReference(&graphic);
    source.SetHorzAlign(2);
    source.SetVertAlign(0);
    source.SetOffset(fw::Point{3, -4});
    source.SetInteger(7);
    source.SetBackColour(0x123456);
    source.GetCellControl().MarginLeft = 5;
    source.SetText("before");

    {
        TILTreeCellInfo copy;
        copy.Assign(&source);
        ASSERT_NE(copy.Font(), nullptr);
        EXPECT_EQ(copy.Font()->Height, -18);
        EXPECT_NE(copy.Font(), source.Font());
        EXPECT_TRUE(copy.HasFlag(iltCellOwnFont));
        EXPECT_EQ(copy.CellObject(), source.CellObject());
        EXPECT_FALSE(copy.HasFlag(iltCellOwnsObject)) << "only one cell may free the object";
        EXPECT_FALSE(copy.HasFlag(iltCellMergeRight));
        EXPECT_FALSE(copy.HasFlag(iltCellEdited));
        EXPECT_EQ(copy.GraphicReference(), &graphic);
        EXPECT_EQ(copy.HorzAlign(), 2);
        EXPECT_EQ(copy.VertAlign(), 0);
        EXPECT_EQ(copy.Offset().X, 3);
        EXPECT_EQ(copy.Offset().Y, -4);
        EXPECT_EQ(copy.GetInteger(), 7);
        EXPECT_EQ(copy.BackColour(), 0x123456u);
        EXPECT_EQ(copy.CellControl(), nullptr);
        EXPECT_EQ(copy.Text(), "");
    }
    EXPECT_EQ(freed, 0);

    // A copy without its own font loses the one it had.
    TILTreeCellInfo plain;
    TILTreeCellInfo fonted;
    fonted.GetFont();
    fonted.Assign(&plain);
    EXPECT_EQ(fonted.Font(), nullptr);
    EXPECT_FALSE(fonted.HasFlag(iltCellOwnFont));
}

TEST(TreeCellControlHolderTest, ControlsSitInsideTheMarginsAsAligned)
{
    TILTreeCellControlHolder holder;
    holder.MarginLeft = 1;
    holder.MarginTop = 2;
    holder.MarginRight = 3;
    holder.MarginBottom = 4;
    // The cell covers x 10 .. 59 and y 100 .. 119 (inclusive): room x 11 .. 56, y 102 .. 115.
    const fw::Rect cell{10, 100, 59, 119};
    EXPECT_EQ(holder.PlaceIn(cell, 20, 8), (fw::Rect{11, 102, 57, 116}));
    holder.Align = TILTreeCellControlHolder::Top;
    EXPECT_EQ(holder.PlaceIn(cell, 20, 8), (fw::Rect{11, 102, 57, 110}));
    holder.Align = TILTreeCellControlHolder::Bottom;
    EXPECT_EQ(holder.PlaceIn(cell, 20, 8), (fw::Rect{11, 108, 57, 116}));
    holder.Align = TILTreeCellControlHolder::Left;
    EXPECT_EQ(holder.PlaceIn(cell, 20, 8), (fw::Rect{11, 102, 31, 116}));
    holder.Align = TILTreeCellControlHolder::Right;
    EXPECT_EQ(holder.PlaceIn(cell, 20, 8), (fw::Rect{37, 102, 57, 116}));
}

// --- Draw data -------------------------------------------------------------------------------------

TEST(TreeDrawDataTest, JustificationsSplitIntoTheTwoAxes)
{
    EXPECT_EQ(TILTreeTextJustifyName(iltJustifyDefault), "Default");
    EXPECT_EQ(TILTreeTextJustifyName(iltJustifyCentreRight), "Centre Right");
    EXPECT_EQ(TILTreeTextJustifyName(iltJustifyBottomRight), "Bottom Right");
    EXPECT_EQ(TILTreeTextJustifyName(static_cast<TILTreeTextJustify>(10)), "");
    EXPECT_EQ(HorizontalAlignment(iltJustifyDefault), TextAlignment::Start);
    EXPECT_EQ(VerticalAlignment(iltJustifyDefault), TextAlignment::Centre);
    EXPECT_EQ(HorizontalAlignment(iltJustifyBottomCentre), TextAlignment::Centre);
    EXPECT_EQ(VerticalAlignment(iltJustifyBottomCentre), TextAlignment::End);
    EXPECT_EQ(HorizontalAlignment(iltJustifyTopRight), TextAlignment::End);
    EXPECT_EQ(VerticalAlignment(iltJustifyTopRight), TextAlignment::Start);
    EXPECT_EQ(VerticalAlignment(iltJustifyCentreLeft), TextAlignment::Centre);
    EXPECT_TRUE(WrapsText(iltWrapEnabled, false));
    EXPECT_FALSE(WrapsText(iltWrapDisabled, true));
    EXPECT_TRUE(WrapsText(iltWrapDefault, true));
}

TEST(TreeDrawDataTest, NewDataLeftCentredWithEnabledMarginsAndNoBorders)
{
    const TILTreeColumnDrawData data;
    EXPECT_EQ(data.Justify(), iltJustifyCentreLeft);
    EXPECT_FALSE(data.WordWrap());
    EXPECT_TRUE(data.TextMargins().Enabled());
    EXPECT_EQ(data.TextMargins().Left(), 2);
    EXPECT_EQ(data.TextMargins().Right(), 2);
    EXPECT_EQ(data.TextMargins().Top(), 0);
    EXPECT_FALSE(data.Borders().AnyCounts());
    EXPECT_EQ(data.HorizontalInsets(), 4);
}

TEST(TreeDrawDataTest, BordersCountOnlyWhenEnabledAndNotClear)
{
    TILTreeColumnDrawData data;
    TILTreeCellBorder& left = data.Borders().Left();
    fw::Pen pen = left.Pen();
    pen.Width = 3;
    pen.Style = fw::PenStyle::Clear;
    left.SetPen(pen);
    EXPECT_FALSE(left.Counts());
    EXPECT_EQ(data.HorizontalInsets(), 4);
    left.SetEnabled(true);
    EXPECT_FALSE(left.Counts()) << "a clear pen draws nothing";
    EXPECT_EQ(left.UsedWidth(), 3);
    EXPECT_EQ(data.HorizontalInsets(), 7);
    pen.Style = fw::PenStyle::Solid;
    left.SetPen(pen);
    EXPECT_TRUE(data.Borders().AnyCounts());
    data.TextMargins().SetEnabled(false);
    EXPECT_EQ(data.HorizontalInsets(), 3);
    data.TextMargins().SetEnabled(true);
    data.TextMargins().SetTop(5);
    data.Borders().Bottom().SetEnabled(true);
    EXPECT_EQ(data.VerticalInsets(), 5 + 1);
}

TEST(TreeDrawDataTest, EveryPartReportsAChangeAndAssignReportsOne)
{
    TILTreeColumnDrawData data;
    int changes = 0;
    data.SetOnChange([&](fw::Object* sender) {
        EXPECT_EQ(sender, &data);
        ++changes;
    });
    data.SetJustify(iltJustifyCentre);
    data.SetJustify(iltJustifyCentre);
    data.SetWordWrap(true);
    data.Background().SetColour(0x00FF00);
    data.Borders().Top().SetEnabled(true);
    data.TextMargins().SetLeft(9);
    fw::Font font = data.Font();
    font.Name = "Other";
    data.SetFont(font);
    EXPECT_EQ(changes, 6);

    TILTreeColumnDrawData source;
    source.SetJustify(iltJustifyTopLeft);
    source.Background().SetColour(0x0000FF);
    source.Borders().Right().SetEnabled(true);
    source.TextMargins().SetEnabled(false);
    changes = 0;
    data.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(data.Justify(), iltJustifyTopLeft);
    EXPECT_EQ(data.Background().Colour(), 0x0000FFu);
    EXPECT_TRUE(data.Borders().Right().Enabled());
    EXPECT_FALSE(data.Borders().Top().Enabled());
    EXPECT_FALSE(data.TextMargins().Enabled());
    EXPECT_EQ(data.Font().Name, source.Font().Name);
}

// --- Icon sets -------------------------------------------------------------------------------------

fw::Bitmap Square(int size, fw::Color colour)
{
    fw::Bitmap bitmap(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bitmap.SetPixel(x, y, colour);
        }
    }
    return bitmap;
}

TEST(TreeIconsTest, OwnImagesExistOnlyWhileTheKindIsOverride)
{
    TILTreeButtonIcons icons;
    EXPECT_EQ(icons.Kind(), iltBtnIconDefault);
    EXPECT_EQ(icons.TransparentColour(), 0x1FFFFFFFu);
    const fw::Bitmap plus = Square(9, 0x0000FF);
    icons.SetImgPlus(&plus);
    EXPECT_EQ(icons.ImgPlus(), nullptr) << "ignored outside the override kind";
    ASSERT_NE(TreeSharedImage("ILTREE_BTNICON_PLUS"), nullptr);
    EXPECT_EQ(icons.EffectiveImage(iltButtonFormPlus), TreeSharedImage("ILTREE_BTNICON_PLUS"));
    EXPECT_EQ(icons.EffectiveImage(iltButtonFormWait), TreeSharedImage("ILTREE_BTNICON_WAIT"));
    EXPECT_EQ(icons.EffectiveTransparentColour(), 0xFF00FFu);

    icons.SetKind(iltBtnIconOverride);
    ASSERT_NE(icons.ImgPlus(), nullptr);
    EXPECT_EQ(icons.EffectiveImage(iltButtonFormPlus), nullptr) << "an empty own image shows nothing";
    icons.SetImgPlus(&plus);
    const fw::Bitmap wait = Square(5, 0x00FF00);
    icons.SetImgWait(&wait);
    icons.SetTransparentColour(0x010203);
    EXPECT_EQ(icons.ImgPlus()->Pixel(4, 4), 0x0000FFu);
    EXPECT_EQ(icons.GetImage(1), icons.ImgPlus());
    EXPECT_EQ(icons.GetImage(0), icons.ImgMinus());
    EXPECT_EQ(icons.GetImage(2), icons.ImgWait());
    EXPECT_EQ(icons.GetImage(3), nullptr);
    EXPECT_EQ(icons.EffectiveImage(iltButtonFormWait)->Width(), 5);
    EXPECT_EQ(icons.EffectiveTransparentColour(), 0x010203u);

    TILTreeButtonIcons copy;
    copy.Assign(&icons);
    EXPECT_EQ(copy.Kind(), iltBtnIconOverride);
    ASSERT_NE(copy.ImgWait(), nullptr);
    EXPECT_EQ(copy.ImgWait()->Width(), 5);
    EXPECT_EQ(copy.ImgPlus()->Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(copy.TransparentColour(), 0x010203u);

    icons.SetImgPlus(nullptr);
    EXPECT_TRUE(icons.ImgPlus()->Empty());
    icons.SetKind(iltBtnIconNone);
    EXPECT_EQ(icons.ImgPlus(), nullptr);
    EXPECT_EQ(icons.EffectiveImage(iltButtonFormMinus), nullptr);
}

TEST(TreeIconsTest, SortMarksSitRightAlignedAndUseTheSharedTriangles)
{
    TILTreeColumnSortIcons icons;
    EXPECT_EQ(icons.Position().AlignHorz(), THCanvasTextPosition::Right);
    EXPECT_EQ(icons.Position().HorzMargin(), 0);
    EXPECT_EQ(icons.Position().VertMargin(), 0);
    ASSERT_NE(TreeSharedImage("ILTREE_SORTICON_ASCEND"), nullptr);
    EXPECT_EQ(icons.SortImage(true), TreeSharedImage("ILTREE_SORTICON_ASCEND"));
    EXPECT_EQ(icons.SortImage(false), TreeSharedImage("ILTREE_SORTICON_DESCEND"));
    int changes = 0;
    icons.SetOnChange([&](fw::Object*) { ++changes; });
    icons.SetKind(iltBtnIconOverride);
    const fw::Bitmap up = Square(4, 0x000000);
    icons.SetImgSortAscend(&up);
    EXPECT_EQ(icons.SortImage(true)->Width(), 4);
    EXPECT_EQ(icons.SortImage(false), nullptr);
    EXPECT_EQ(changes, 2);
}

} // namespace
