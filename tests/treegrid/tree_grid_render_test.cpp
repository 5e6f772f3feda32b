// A tree drawn with real fonts, written as a picture to look at: headings with a sort mark,
// tree lines and buttons over three levels, node images, grid lines and a selected row.

#include <gtest/gtest.h>

#include <QString>

#include "framework/gui/image_list.h"
#include "framework/gui/qt_conversions.h"
#include "framework/gui/qt_paint_backend.h"
#include "tree_grid_fixture.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_headings.h"

namespace {

// A 16 x 16 folder and a page, on magenta.
fw::Bitmap IconStrip()
{
    fw::Bitmap strip(32, 16);
    strip.FillRect(strip.Bounds(), 0xFF00FF);
    strip.FillRect(fw::Rect{1, 3, 7, 5}, 0x2AA6E8);
    strip.FillRect(fw::Rect{1, 5, 15, 14}, 0x4CC2F5);
    strip.FillRect(fw::Rect{1, 13, 15, 14}, 0x1C7FB5);
    strip.FillRect(fw::Rect{19, 1, 29, 15}, 0xFFFFFF);
    for (int y = 1; y < 15; ++y) {
        strip.SetPixel(19, y, 0x7F7F7F);
        strip.SetPixel(28, y, 0x7F7F7F);
    }
    strip.FillRect(fw::Rect{19, 1, 29, 2}, 0x7F7F7F);
    strip.FillRect(fw::Rect{19, 14, 29, 15}, 0x7F7F7F);
    for (int y = 4; y < 12; y += 2) {
        strip.FillRect(fw::Rect{21, y, 27, y + 1}, 0xB0B0B0);
    }
    return strip;
}

class RenderTest : public TreeGridTest {
protected:
    void SetUp() override
    {
        TreeGridTest::SetUp();
        fw::SetDefaultPaintBackend(&qt_);
    }

    fw::QtPaintBackend qt_;
};

TEST_F(RenderTest, ATreeWithHeadingsLinesGridAndSelectionLooksLikeADesktopList)
{
    tree->SetBounds(0, 0, 460, 230);
    fw::ImageList icons(16, 16);
    icons.AddMasked(IconStrip(), 0xFF00FF);
    tree->SetIcons(&icons);
    Option(TILTreeDisplayOption::iltShowIcons);
    Option(TILTreeDisplayOption::iltHorzGrid);
    Option(TILTreeDisplayOption::iltVertGrid);
    tree->SetGridPen(fw::Pen{0xE0E0E0, 1, fw::PenStyle::Solid, fw::PenMode::Copy});
    tree->SetDefaultNodeHeight(18);
    for (const auto& [caption, width] : {std::pair<const char*, int>{"Name", 190}, {"Cards", 60}, {"Holes", 60},
                                         {"Modified", 120}}) {
        TILTreeColumnData* column = tree->Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(width);
    }
    tree->GetColumn(1)->SetJustifyOverride(iltJustifyCentreRight);
    tree->GetColumn(2)->SetJustifyOverride(iltJustifyCentreRight);
    tree->SetLastSortedColumn(0);
    tree->GetColumn(0)->SetAutoSort(iltSortAlphaAscend);
    tree->GetColumn(0)->SetLastSortAscending(true);

    const auto folder = [&](TILTreeNode* parent, const std::string& name) {
        TILTreeNode* node = Add({name}, parent);
        node->SetImageIndex(0);
        return node;
    };
    const auto pattern = [&](TILTreeNode* parent, const std::string& name, const std::string& cards,
                             const std::string& holes, const std::string& date) {
        TILTreeNode* node = Add({name, cards, holes, date}, parent);
        node->SetImageIndex(1);
        return node;
    };
    TILTreeNode* selected = nullptr;
    {
        TILTreeUpdateBracket bracket(tree);
        TILTreeNode* bands = folder(nullptr, "Bands");
        pattern(bands, "Baltic diamonds", "24", "4", "12/03/2023 10:15");
        TILTreeNode* borders = folder(bands, "Borders");
        pattern(borders, "Ram's horn", "16", "4", "02/01/2024 09:40");
        selected = pattern(borders, "Snartemo V", "30", "4", "18/07/2023 16:05");
        pattern(borders, "Egyptian diagonals", "20", "4", "05/05/2022 11:30");
        pattern(bands, "Double-face letters", "36", "4", "21/11/2023 14:55");
        TILTreeNode* samples = folder(nullptr, "Samples");
        pattern(samples, "Twill sampler", "32", "4", "09/09/2021 08:20");
        pattern(nullptr, "Loose threads", "8", "2", "30/12/2020 19:00");
        bands->SetExpanded(true);
        borders->SetExpanded(true);
    }
    tree->SelectOnly(selected);
    tree->SetFocus();

    const fw::Bitmap picture = Render();
    const QString path = QString::fromUtf8(TAVELIN_TREEGRID_TEST_OUTPUT) + "/tree_grid_sampler.png";
    EXPECT_TRUE(fw::BitmapToQImage(picture).save(path));

    // The selected row in the highlight colour, the heading in the button face, grid lines
    // between the columns.
    const int middle = (selected->Top() + selected->Bottom()) / 2;
    EXPECT_EQ(picture.Pixel(tree->GetColumn(3)->Right() - 2, middle), fw::ColorToRGB(fw::clHighlight));
    EXPECT_EQ(picture.Pixel(tree->GetColumn(1)->Left() + 3, 3), fw::ColorToRGB(fw::clBtnFace));
    EXPECT_EQ(picture.Pixel(tree->GetColumn(1)->Left() - 1, tree->Root()->GetItem(0)->Top() + 3), 0xE0E0E0U);
    EXPECT_FALSE(tree->VertScrollBarVisible());

    // Smaller, both bars show, and the logo fills the corner between them.
    tree->SetBounds(0, 0, 300, 140);
    tree->ScrollHorizontal(40);
    const fw::Bitmap scrolled = Render();
    EXPECT_TRUE(fw::BitmapToQImage(scrolled).save(QString::fromUtf8(TAVELIN_TREEGRID_TEST_OUTPUT)
                                                   + "/tree_grid_sampler_scrolled.png"));
    EXPECT_TRUE(tree->VertScrollBarVisible());
    EXPECT_TRUE(tree->HorzScrollBarVisible());
    EXPECT_TRUE(tree->CornerImageShown());
    EXPECT_EQ(tree->HorzScrollPosition(), 40);
}

} // namespace
