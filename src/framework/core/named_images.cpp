#include "framework/core/named_images.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/core/system_colours.h"

namespace fw {

namespace {

// The colours of the pixel art, one character each. The greys are the system colours of
// buttons and their 3-D shades, so that the images sit well on the controls around them.
std::uint32_t ArtColour(char code)
{
    switch (code) {
    case '.': return NamedImageKey;
    case 'K': return clBlack;
    case 'D': return ColorToRGB(cl3DDkShadow);
    case 'G': return ColorToRGB(clBtnShadow);
    case 'F': return ColorToRGB(clBtnFace);
    case 'L': return ColorToRGB(cl3DLight);
    case 'W': return ColorToRGB(clBtnHighlight);
    case 'H': return ColorToRGB(clHotLight); // an arrow under the mouse
    case 'R': return 0x1414C8;               // stop-sign red
    case 'r': return 0x000078;               // its dark red rim
    case 'Y': return 0x87B8DE;               // the card of the logo, light wood
    case 'B': return 0x1E466E;               // brown: the card's rim and holes
    default: throw std::logic_error(std::string("named image: no colour for '") + code + "'");
    }
}

using Art = std::initializer_list<std::string_view>;

// Paints rows of art characters with their top-left corner at (left, top). A space
// leaves the pixel as it is, so art can be laid over other art.
void Paint(Bitmap& bitmap, int left, int top, Art rows)
{
    int y = top;
    for (std::string_view row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (row[column] != ' ') {
                bitmap.SetPixel(left + static_cast<int>(column), y, ArtColour(row[column]));
            }
        }
        ++y;
    }
}

Bitmap Keyed(Bitmap bitmap)
{
    bitmap.SetTransparentColor(NamedImageKey);
    bitmap.SetTransparent(true);
    return bitmap;
}

Bitmap FromArt(Art rows, bool keyed)
{
    Bitmap bitmap(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
    Paint(bitmap, 0, 0, rows);
    return keyed ? Keyed(std::move(bitmap)) : bitmap;
}

// A one-colour shape ('X' set, anything else clear) that can be turned, so that the four
// arrows are one drawing.
using Shape = std::vector<std::string>;

Shape Transposed(const Shape& shape)
{
    Shape turned(shape[0].size(), std::string(shape.size(), '.'));
    for (std::size_t y = 0; y < shape.size(); ++y) {
        for (std::size_t x = 0; x < shape[y].size(); ++x) {
            turned[x][y] = shape[y][x];
        }
    }
    return turned;
}

Shape UpsideDown(Shape shape)
{
    std::reverse(shape.begin(), shape.end());
    return shape;
}

Shape Mirrored(Shape shape)
{
    for (std::string& row : shape) {
        std::reverse(row.begin(), row.end());
    }
    return shape;
}

Bitmap FromShape(const Shape& shape, std::uint32_t colour)
{
    Bitmap bitmap(static_cast<int>(shape[0].size()), static_cast<int>(shape.size()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            bitmap.SetPixel(x, y, shape[y][x] == 'X' ? colour : NamedImageKey);
        }
    }
    return Keyed(std::move(bitmap));
}

// The etched look of a disabled control: the shape in shadow grey over a white copy of
// itself one pixel lower and further right.
Bitmap Etched(const Shape& shape)
{
    Bitmap bitmap = FromShape(shape, NamedImageKey);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (shape[y][x] == 'X') {
                bitmap.SetPixel(x + 1, y + 1, ArtColour('W'));
            }
        }
    }
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (shape[y][x] == 'X') {
                bitmap.SetPixel(x, y, ArtColour('G'));
            }
        }
    }
    return bitmap;
}

// The arrow of a 16-pixel scroll or combo button: the classic 7 x 4 triangle, with room
// on its lower right for the etched copy of a disabled arrow.
const Shape& DownArrow()
{
    static const Shape arrow = {
        ".........",
        ".........",
        ".........",
        ".XXXXXXX.",
        "..XXXXX..",
        "...XXX...",
        "....X....",
        ".........",
        ".........",
    };
    return arrow;
}

Shape ArrowPointing(char direction)
{
    switch (direction) {
    case 'D': return DownArrow();
    case 'U': return UpsideDown(DownArrow());
    case 'R': return Transposed(DownArrow());
    default: return Mirrored(Transposed(DownArrow()));
    }
}

// A sunken white box with a 3-D rim: shadow and dark shadow above and left, light and
// white below and right, as a classic check box.
Bitmap CheckBox(bool checked, bool enabled)
{
    const char inside = enabled ? 'W' : 'F';
    const std::string well(9, inside);
    Bitmap box(13, 13);
    Paint(box, 0, 0, {"GGGGGGGGGGGGW", "GDDDDDDDDDDLW"});
    for (int y = 2; y < 11; ++y) {
        const std::string row = "GD" + well + "LW";
        Paint(box, 0, y, {row});
    }
    Paint(box, 0, 11, {"GLLLLLLLLLLLW", "WWWWWWWWWWWWW"});
    if (checked) {
        const std::string_view mark[] = {
            "      X",
            "     XX",
            "X   XXX",
            "XX XXX ",
            "XXXXX  ",
            " XXX   ",
            "  X    ",
        };
        const std::uint32_t ink = ArtColour(enabled ? 'K' : 'G');
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                if (mark[y][x] == 'X') {
                    box.SetPixel(3 + x, 3 + y, ink);
                }
            }
        }
    }
    return Keyed(std::move(box));
}

// A round well with the same 3-D rim as the check box, split along the diagonal from the
// lower left to the upper right; checked, a dot in its middle.
Bitmap RadioButton(bool checked, bool enabled)
{
    Bitmap radio = FromArt(
        {
            "....GGGG....",
            "..GGDDDDGG..",
            ".GDDWWWWDLW.",
            ".GDWWWWWWLW.",
            "GDWWWWWWWWLW",
            "GDWWWWWWWWLW",
            "GDWWWWWWWWLW",
            "GDWWWWWWWWLW",
            ".GDWWWWWWLW.",
            ".GLLWWWWLLW.",
            "..WWLLLLWW..",
            "....WWWW....",
        },
        true);
    if (!enabled) {
        for (int y = 2; y < 10; ++y) {
            for (int x = 2; x < 10; ++x) {
                if (radio.Pixel(x, y) == ArtColour('W')) {
                    radio.SetPixel(x, y, ArtColour('F'));
                }
            }
        }
    }
    if (checked) {
        const char ink = enabled ? 'K' : 'G';
        const std::string full(4, ink);
        const std::string round = std::string(" ") + ink + ink + " ";
        Paint(radio, 4, 4, {round, full, full, round});
    }
    return radio;
}

// The expand buttons of tree rows: a white box in a grey frame, with a plus, a minus, or
// an hourglass while children are being fetched.
Bitmap TreeButton(Art sign)
{
    Bitmap button = FromArt(
        {
            "GGGGGGGGG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GWWWWWWWG",
            "GGGGGGGGG",
        },
        true);
    Paint(button, 2, 2, sign);
    return button;
}

// The corner square between two scroll bars: a tablet-weaving card on the button face.
Bitmap Logo()
{
    return FromArt(
        {
            "FFFFFFFFFFFFFFFF",
            "FFFFFFFFFFFFFFFF",
            "FFFBBBBBBBBBBFFF",
            "FFBYYYYYYYYYYBFF",
            "FFBYBBYYYYBBYBGF",
            "FFBYBBYYYYBBYBGF",
            "FFBYYYYYYYYYYBGF",
            "FFBYYYYYYYYYYBGF",
            "FFBYYYYYYYYYYBGF",
            "FFBYYYYYYYYYYBGF",
            "FFBYBBYYYYBBYBGF",
            "FFBYBBYYYYBBYBGF",
            "FFBYYYYYYYYYYBGF",
            "FFFBBBBBBBBBBGGF",
            "FFFFGGGGGGGGGGFF",
            "FFFFFFFFFFFFFFFF",
        },
        false);
}

// A red octagon with a white rim and a white bar across, as the error window shows.
// Computed rather than drawn by hand so that its eight sides are exactly alike.
Bitmap StopSign()
{
    constexpr int Side = 32;
    Bitmap sign(Side, Side);
    // Distances from the centre are in half pixels, so that the even size has a true
    // centre.
    constexpr int Radius = Side - 3;
    // A regular octagon cuts its corners at radius * sqrt(2); 99/70 is just below it.
    constexpr int Cut = Radius * 99 / 70;
    const auto inside = [](int x, int y, int inset) {
        const int dx = std::abs(2 * x + 1 - Side);
        const int dy = std::abs(2 * y + 1 - Side);
        // Each step inwards moves the straight sides by a pixel, and the slanted ones by a
        // pixel along each row, so that rings are as thick on the slants as elsewhere.
        return dx <= Radius - 2 * inset && dy <= Radius - 2 * inset && dx + dy <= Cut - 2 * inset;
    };
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            char code = '.';
            if (inside(x, y, 3)) {
                code = 'R';
            } else if (inside(x, y, 1)) {
                code = 'W';
            } else if (inside(x, y, 0)) {
                code = 'r';
            }
            sign.SetPixel(x, y, ArtColour(code));
        }
    }
    sign.FillRect(Rect{7, 13, 25, 19}, ArtColour('W'));
    return Keyed(std::move(sign));
}

struct NamedImage {
    std::string name;
    Bitmap image;
};

std::vector<NamedImage> MakeCatalogue()
{
    std::vector<NamedImage> images;
    const auto add = [&images](std::string name, Bitmap image) {
        images.push_back(NamedImage{std::move(name), std::move(image)});
    };

    for (char direction : {'L', 'R', 'U', 'D'}) {
        const Shape arrow = ArrowPointing(direction);
        const std::string stem = std::string("ILSCRBAR_IMG_") + direction;
        add(stem + "_ACTIVE", FromShape(arrow, ArtColour('H')));
        add(stem + "_INACTIVE", FromShape(arrow, ArtColour('K')));
        add(stem + "_DISABLED", Etched(arrow));
    }

    add("ILCCIMG_DEF_CHKBOX_BLANK", CheckBox(false, true));
    add("ILCCIMG_DEF_CHKBOX_CHECKED", CheckBox(true, true));
    add("ILCCIMG_DEF_CHKBOX_BLANK_DISABLED", CheckBox(false, false));
    add("ILCCIMG_DEF_CHKBOX_CHECKED_DISABLED", CheckBox(true, false));
    add("ILCCIMG_DEF_RBTN_BLANK", RadioButton(false, true));
    add("ILCCIMG_DEF_RBTN_CHECKED", RadioButton(true, true));
    add("ILCCIMG_DEF_RBTN_BLANK_DISABLED", RadioButton(false, false));
    add("ILCCIMG_DEF_RBTN_CHECKED_DISABLED", RadioButton(true, false));

    // The combo button shifts its image by itself while pressed, so "down" keeps the
    // colour of the arrow under the mouse (the hot-tracking colour).
    add("IMG_ILCB_ARROW_DISABLED", Etched(DownArrow()));
    add("IMG_ILCB_ARROW_INACTIVE", FromShape(DownArrow(), ArtColour('K')));
    add("IMG_ILCB_ARROW_ACTIVE", FromShape(DownArrow(), ArtColour('H')));
    add("IMG_ILCB_ARROW_DOWN", FromShape(DownArrow(), ArtColour('H')));

    add("ILSCROLLBOX_ILLOGO", Logo());
    add("ILTREE_ILLOGO", Logo());

    add("ILTREE_BTNICON_PLUS", TreeButton({"  K  ", "  K  ", "KKKKK", "  K  ", "  K  "}));
    add("ILTREE_BTNICON_MINUS", TreeButton({"     ", "     ", "KKKKK"}));
    add("ILTREE_BTNICON_WAIT", TreeButton({"KKKKK", " KKK ", "  K  ", " K K ", "KKKKK"}));

    // The tree shows "..._DESCEND" while a column is in ascending order (A at the top)
    // and "..._ASCEND" once the user has reversed it. So the art follows what the rows
    // show: the upward triangle that marks an ascending column is the DESCEND image.
    add("ILTREE_SORTICON_ASCEND", FromArt({"DDDDDDD", ".DDDDD.", "..DDD..", "...D..."}, true));
    add("ILTREE_SORTICON_DESCEND", FromArt({"...D...", "..DDD..", ".DDDDD.", "DDDDDDD"}, true));

    add(std::string(StopSignImageName), StopSign());
    return images;
}

const std::vector<NamedImage>& Catalogue()
{
    static const std::vector<NamedImage> images = MakeCatalogue();
    return images;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

} // namespace

const Bitmap* FindNamedImage(std::string_view name)
{
    for (const NamedImage& entry : Catalogue()) {
        if (SameNameIgnoringCase(entry.name, name)) {
            return &entry.image;
        }
    }
    return nullptr;
}

Bitmap LoadNamedImage(std::string_view name)
{
    if (const Bitmap* image = FindNamedImage(name)) {
        return *image;
    }
    throw EResNotFound("Resource " + std::string(name) + " not found");
}

std::vector<std::string_view> NamedImageNames()
{
    std::vector<std::string_view> names;
    for (const NamedImage& entry : Catalogue()) {
        names.push_back(entry.name);
    }
    return names;
}

} // namespace fw
