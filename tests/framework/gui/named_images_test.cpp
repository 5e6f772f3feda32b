#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <string>

#include "framework/core/named_images.h"
#include "framework/core/system_colours.h"
#include "framework/gui/qt_conversions.h"

using fw::Bitmap;
using fw::FindNamedImage;

namespace {

const std::string Letters[] = {"L", "R", "U", "D"};

// The columns of one row that differ from the key, as [first, last]; {-1, -1} when none.
std::pair<int, int> InkColumns(const Bitmap& image, int y)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.Width(); ++x) {
        if (image.Pixel(x, y) != fw::NamedImageKey) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return {first, last};
}

int InkCount(const Bitmap& image)
{
    return static_cast<int>(std::count_if(image.Pixels().begin(), image.Pixels().end(),
                                          [](std::uint32_t pixel) { return pixel != fw::NamedImageKey; }));
}

} // namespace

TEST(NamedImages, HoldExactlyTheNamesControlsAskFor)
{
    for (const std::string& letter : Letters) {
        for (const char* state : {"_ACTIVE", "_INACTIVE", "_DISABLED"}) {
            EXPECT_NE(FindNamedImage("ILSCRBAR_IMG_" + letter + state), nullptr) << letter << state;
        }
        // Pressed and repeating buttons fall back to the active image: these stay absent.
        EXPECT_EQ(FindNamedImage("ILSCRBAR_IMG_" + letter + "_DOWN"), nullptr);
        EXPECT_EQ(FindNamedImage("ILSCRBAR_IMG_" + letter + "_REPEAT"), nullptr);
    }
    for (const char* kind : {"CHKBOX", "RBTN"}) {
        for (const char* state : {"_BLANK", "_CHECKED", "_BLANK_DISABLED", "_CHECKED_DISABLED"}) {
            EXPECT_NE(FindNamedImage(std::string("ILCCIMG_DEF_") + kind + state), nullptr) << kind << state;
        }
    }
    for (const char* name : {"IMG_ILCB_ARROW_DISABLED", "IMG_ILCB_ARROW_INACTIVE", "IMG_ILCB_ARROW_ACTIVE",
                             "IMG_ILCB_ARROW_DOWN", "ILSCROLLBOX_ILLOGO", "ILTREE_ILLOGO", "ILTREE_BTNICON_PLUS",
                             "ILTREE_BTNICON_MINUS", "ILTREE_BTNICON_WAIT", "ILTREE_SORTICON_ASCEND",
                             "ILTREE_SORTICON_DESCEND"}) {
        EXPECT_NE(FindNamedImage(name), nullptr) << name;
    }
    EXPECT_EQ(fw::NamedImageNames().size(), 32u);

    // Names are found whatever their case, as resource names are.
    EXPECT_EQ(FindNamedImage("iltree_illogo"), FindNamedImage("ILTREE_ILLOGO"));
    EXPECT_EQ(FindNamedImage(""), nullptr);
    EXPECT_EQ(FindNamedImage("ILTREE_ILLOGO "), nullptr);

    const Bitmap copy = fw::LoadNamedImage("ILTREE_BTNICON_PLUS");
    EXPECT_TRUE(copy.SamePixels(*FindNamedImage("ILTREE_BTNICON_PLUS")));
    try {
        fw::LoadNamedImage("ILSCRBAR_IMG_L_DOWN");
        ADD_FAILURE() << "an absent image must raise";
    } catch (const fw::EResNotFound& error) {
        EXPECT_EQ(error.Message(), "Resource ILSCRBAR_IMG_L_DOWN not found");
    }
}

TEST(NamedImages, KeyedImagesAreMarkedAndLogosAreOpaque)
{
    for (std::string_view name : fw::NamedImageNames()) {
        const Bitmap& image = *FindNamedImage(name);
        const bool logo = name.ends_with("_ILLOGO");
        const bool square = name.starts_with("ILTREE_BTNICON_") || name.starts_with("ILCCIMG_DEF_CHKBOX_");
        SCOPED_TRACE(std::string(name));
        EXPECT_FALSE(image.Empty());
        EXPECT_FALSE(image.Monochrome());
        EXPECT_EQ(image.Transparent(), !logo);
        if (!logo) {
            EXPECT_EQ(image.TransparentColor(), fw::NamedImageKey);
        }
        // Tree buttons and check boxes are full squares; every other keyed image shows the
        // key round its shape, and no image is all key.
        const int area = image.Width() * image.Height();
        EXPECT_EQ(InkCount(image) < area, !logo && !square);
        EXPECT_GT(InkCount(image), 0);
    }
    const auto size = [](const char* name) {
        const Bitmap* image = FindNamedImage(name);
        return std::pair{image->Width(), image->Height()};
    };
    EXPECT_EQ(size("ILCCIMG_DEF_CHKBOX_BLANK"), std::pair(13, 13));
    EXPECT_EQ(size("ILCCIMG_DEF_RBTN_CHECKED"), std::pair(12, 12));
    EXPECT_EQ(size("ILTREE_ILLOGO"), std::pair(16, 16));
    EXPECT_EQ(size("ILTREE_BTNICON_WAIT"), std::pair(9, 9));
    EXPECT_EQ(size(fw::StopSignImageName.data()), std::pair(32, 32));
    // The logo fills the corner between two scroll bars in their button-face colour.
    EXPECT_EQ(FindNamedImage("ILSCROLLBOX_ILLOGO")->Pixel(0, 0), fw::ColorToRGB(fw::clBtnFace));
}

TEST(NamedImages, ArrowsPointTheirWay)
{
    // The widest row or column of a triangle is its base; the point lies opposite.
    const auto inkRows = [](const Bitmap& image) {
        std::vector<int> widths;
        for (int y = 0; y < image.Height(); ++y) {
            const auto [first, last] = InkColumns(image, y);
            if (first >= 0) {
                widths.push_back(last - first + 1);
            }
        }
        return widths;
    };
    const std::vector<int> down = inkRows(*FindNamedImage("ILSCRBAR_IMG_D_INACTIVE"));
    EXPECT_EQ(down, (std::vector<int>{7, 5, 3, 1}));
    std::vector<int> up = inkRows(*FindNamedImage("ILSCRBAR_IMG_U_INACTIVE"));
    EXPECT_EQ(up, (std::vector<int>{1, 3, 5, 7}));
    EXPECT_TRUE(FindNamedImage("IMG_ILCB_ARROW_INACTIVE")->SamePixels(*FindNamedImage("ILSCRBAR_IMG_D_INACTIVE")));

    const Bitmap& left = *FindNamedImage("ILSCRBAR_IMG_L_INACTIVE");
    const Bitmap& right = *FindNamedImage("ILSCRBAR_IMG_R_INACTIVE");
    const int middle = left.Height() / 2;
    EXPECT_EQ(InkColumns(left, middle).first, InkColumns(left, middle - 1).first - 1) << "point at the left";
    EXPECT_EQ(InkColumns(right, middle).second, InkColumns(right, middle - 1).second + 1) << "point at the right";

    // Active and disabled arrows have the same shape in other colours.
    for (const std::string& letter : Letters) {
        const Bitmap& inactive = *FindNamedImage("ILSCRBAR_IMG_" + letter + "_INACTIVE");
        const Bitmap& active = *FindNamedImage("ILSCRBAR_IMG_" + letter + "_ACTIVE");
        const Bitmap& disabled = *FindNamedImage("ILSCRBAR_IMG_" + letter + "_DISABLED");
        EXPECT_EQ(InkCount(active), InkCount(inactive));
        EXPECT_FALSE(active.SamePixels(inactive));
        EXPECT_GT(InkCount(disabled), InkCount(inactive)) << "the etched copy adds a white edge";
    }

    // The tree shows the DESCEND image while a column is ascending, so that one is the
    // upward triangle.
    EXPECT_EQ(inkRows(*FindNamedImage("ILTREE_SORTICON_DESCEND")), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(inkRows(*FindNamedImage("ILTREE_SORTICON_ASCEND")), (std::vector<int>{7, 5, 3, 1}));
}

TEST(NamedImages, CheckedStatesAddTheirMark)
{
    for (const std::string stem : {"ILCCIMG_DEF_CHKBOX_", "ILCCIMG_DEF_RBTN_"}) {
        for (const std::string suffix : {"", "_DISABLED"}) {
            const Bitmap& blank = *FindNamedImage(stem + "BLANK" + suffix);
            const Bitmap& checked = *FindNamedImage(stem + "CHECKED" + suffix);
            const int centre = blank.Width() / 2;
            SCOPED_TRACE(stem + suffix);
            EXPECT_EQ(blank.Pixel(centre, centre), fw::ColorToRGB(suffix.empty() ? fw::clWindow : fw::clBtnFace));
            EXPECT_NE(checked.Pixel(centre, centre), blank.Pixel(centre, centre));
            // Only the well changes: the rim is the same.
            EXPECT_EQ(checked.Pixel(0, centre), blank.Pixel(0, centre));
            EXPECT_EQ(checked.Pixel(blank.Width() - 1, centre - 1), blank.Pixel(blank.Width() - 1, centre - 1));
        }
    }
}

// Every image, four times enlarged, on magenta as stored and keyed over the button face,
// written to named_images.png in the build folder for a look by eye.
TEST(NamedImages, ContactSheetRenders)
{
    constexpr int Zoom = 4;
    constexpr int Gap = 10;
    constexpr int Label = 16;
    constexpr int CellWidth = 2 * 32 * Zoom + 3 * Gap;
    constexpr int Columns = 4;
    const std::vector<std::string_view> names = fw::NamedImageNames();

    // Each row as high as its highest image.
    std::vector<int> rowTops{0};
    for (std::size_t first = 0; first < names.size(); first += Columns) {
        int highest = 0;
        for (std::size_t i = first; i < std::min(first + Columns, names.size()); ++i) {
            highest = std::max(highest, FindNamedImage(names[i])->Height());
        }
        rowTops.push_back(rowTops.back() + Label + highest * Zoom + 2 * Gap);
    }

    QImage sheet(Columns * CellWidth, rowTops.back(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QColor face = fw::ToQColor(fw::clBtnFace);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Bitmap& image = *FindNamedImage(names[i]);
        const int left = static_cast<int>(i % Columns) * CellWidth + Gap;
        const int top = rowTops[i / Columns] + Gap;
        painter.drawText(QPoint(left, top + 11), QString::fromUtf8(names[i].data(), static_cast<qsizetype>(names[i].size())));
        Bitmap onFace(image.Width(), image.Height());
        onFace.FillRect(onFace.Bounds(), fw::ColorToRGB(fw::clBtnFace));
        onFace.Draw(0, 0, image);
        const QSize size(image.Width() * Zoom, image.Height() * Zoom);
        const QPoint raw(left, top + Label);
        const QPoint keyed(left + 32 * Zoom + Gap, top + Label);
        painter.fillRect(QRect(keyed - QPoint(Zoom, Zoom), size + QSize(2 * Zoom, 2 * Zoom)), face);
        painter.drawImage(QRect(raw, size), fw::BitmapToQImage(image));
        painter.drawImage(QRect(keyed, size), fw::BitmapToQImage(onFace));
    }
    painter.end();

    const QString path = QString(TAVELIN_GUI_TEST_OUTPUT) + "/named_images.png";
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
    const QImage read(path);
    EXPECT_EQ(read.size(), sheet.size());
}
