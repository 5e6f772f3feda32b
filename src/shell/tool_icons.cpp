#include "shell/tool_icons.h"

#include <array>
#include <string_view>

#include "shell/tool_actions.h"

namespace {

// One picture as 16 rows of 16 characters, each a colour of the palette below; '.' and
// anything unknown is the mask.
using Rows = std::array<std::string_view, ToolIconSize>;

fw::Color PaletteColour(char code)
{
    switch (code) {
    case 'k': return 0x000000; // black
    case 'g': return 0x808080; // grey
    case 'l': return 0xC0C0C0; // silver
    case 'w': return 0xFFFFFF; // white
    case 'y': return 0x00FFFF; // yellow
    case 'd': return 0x008080; // olive
    case 'b': return 0xFF0000; // blue
    case 'n': return 0x800000; // navy
    case 'r': return 0x0000FF; // red
    case 'm': return 0x000080; // maroon
    case 'G': return 0x008000; // green
    case 'e': return 0x00FF00; // lime
    case 'c': return 0xFFFF00; // cyan
    case 'o': return 0x0080FF; // orange
    case 'p': return 0x800080; // purple
    default: return ToolIconMask;
    }
}

fw::Bitmap Blank()
{
    fw::Bitmap picture(ToolIconSize, ToolIconSize);
    picture.FillRect(picture.Bounds(), ToolIconMask);
    return picture;
}

// Paints the rows onto the picture with their top-left corner at (dx, dy); the mask
// characters leave what is there.
void Overlay(fw::Bitmap& picture, const Rows& rows, int dx = 0, int dy = 0)
{
    for (int y = 0; y < ToolIconSize; ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < static_cast<int>(row.size()) && x < ToolIconSize; ++x) {
            const fw::Color colour = PaletteColour(row[static_cast<std::size_t>(x)]);
            if (colour != ToolIconMask) {
                picture.SetPixel(x + dx, y + dy, colour);
            }
        }
    }
}

fw::Bitmap FromRows(const Rows& rows)
{
    fw::Bitmap picture = Blank();
    Overlay(picture, rows);
    return picture;
}

fw::Bitmap MirroredLeftRight(const fw::Bitmap& source)
{
    fw::Bitmap picture = Blank();
    for (int y = 0; y < ToolIconSize; ++y) {
        for (int x = 0; x < ToolIconSize; ++x) {
            picture.SetPixel(ToolIconSize - 1 - x, y, source.Pixel(x, y));
        }
    }
    return picture;
}

// Rows become columns: a picture about the horizontal turns into one about the vertical.
fw::Bitmap Transposed(const fw::Bitmap& source)
{
    fw::Bitmap picture = Blank();
    for (int y = 0; y < ToolIconSize; ++y) {
        for (int x = 0; x < ToolIconSize; ++x) {
            picture.SetPixel(y, x, source.Pixel(x, y));
        }
    }
    return picture;
}

// A framed square of twill stripes, the ground weave.
fw::Bitmap TwillBox(int left, int top)
{
    fw::Bitmap picture = Blank();
    const int right = ToolIconSize - 1;
    const int bottom = ToolIconSize - 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool frame = x == left || x == right || y == top || y == bottom;
            if (frame) {
                picture.SetPixel(x, y, 0x000000);
            } else {
                picture.SetPixel(x, y, (x + y) % 4 < 2 ? 0x808080 : 0xFFFFFF);
            }
        }
    }
    return picture;
}

// A dashed selection frame around the whole picture.
fw::Bitmap Marquee()
{
    fw::Bitmap picture = Blank();
    for (int i = 1; i <= 14; ++i) {
        if (i % 3 != 0) {
            picture.SetPixel(i, 1, 0x000000);
            picture.SetPixel(i, 14, 0x000000);
            picture.SetPixel(1, i, 0x000000);
            picture.SetPixel(14, i, 0x000000);
        }
    }
    return picture;
}

constexpr Rows LoadRows = {
    "................", "................", "................", ".kkkk...........",
    "kddddk..........", "kddddddkkkkkkk..", "kddddddddddddk..", "kddkkkkkkkkkkkkk",
    "kdkyyyyyyyyyyyk.", "kdkyyyyyyyyyyyk.", "kkyyyyyyyyyyyk..", "kkyyyyyyyyyyyk..",
    "kyyyyyyyyyyyk...", "kkkkkkkkkkkkk...", "................", "................"};

constexpr Rows SaveRows = {
    "................", ".kkkkkkkkkkkkk..", ".knwwwwwwwwwnk..", ".knwwwwwwwwwnk..",
    ".knwwwwwwwwwnk..", ".knwwwwwwwwwnk..", ".knnnnnnnnnnnk..", ".knnnnnnnnnnnk..",
    ".knnlllllllnnk..", ".knnlknllllnnk..", ".knnlknllllnnk..", ".knnlknllllnnk..",
    ".knnlllllllnnk..", ".kkkkkkkkkkkkk..", "................", "................"};

constexpr Rows PrintRows = {
    "................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....",
    "....kwwwwwwk....", "..kkkkkkkkkkkk..", ".kllllllllllllk.", ".kllllllllllGlk.",
    ".kggggggggggggk.", ".kllllllllllllk.", ".kkkkkkkkkkkkkk.", "...kwwwwwwwwk...",
    "...kwkkkkkkwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................"};

constexpr Rows DetailsRows = {
    "..kkkkkkkkk.....", "..kwwwwwwwkk....", "..kwwwwwwwkwk...", "..kwbbbbwwkkkk..",
    "..kwwwwwwwwwwk..", "..kwbbbbbbbwwk..", "..kwwwwwwwwwwk..", "..kwbbbbbbbwwk..",
    "..kwwwwwwwwwwk..", "..kwbbbbbbbwwk..", "..kwwwwwwwwwwk..", "..kwbbbbbwwwwk..",
    "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................", "................"};

constexpr Rows PatternSizeRows = {
    "................", ".bbbbbbbbbbbbbb.", ".b............b.", ".b.kkkk.......b.",
    ".b.kk.........b.", ".b.k.k........b.", ".b.k..k.......b.", ".b.....k......b.",
    ".b......k.....b.", ".b.......k..k.b.", ".b........k.k.b.", ".b.........kk.b.",
    ".b.......kkkk.b.", ".b............b.", ".bbbbbbbbbbbbbb.", "................"};

constexpr Rows CardRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwrrwwwwwwbbwk.",
    ".kwrrwwwwwwbbwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwkkwwwwwk.", ".kwwwwkwwkwwwwk.",
    ".kwwwwkwwkwwwwk.", ".kwwwwwkkwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwGGwwwwwwyywk.",
    ".kwGGwwwwwwyywk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows ThreadingRows = {
    "kkkkkkkkkkkkkkkk", "krrkbbkrrkbbkrrk", "krrkbbkrrkbbkrrk", "kkkkkkkkkkkkkkkk",
    "kbbkrrkbbkrrkbbk", "kbbkrrkbbkrrkbbk", "kkkkkkkkkkkkkkkk", "kGGkGGkyykyykGGk",
    "kGGkGGkyykyykGGk", "kkkkkkkkkkkkkkkk", "kyykGGkGGkyykyyk", "kyykGGkGGkyykyyk",
    "kkkkkkkkkkkkkkkk", "krrkrrkbbkbbkrrk", "krrkrrkbbkbbkrrk", "kkkkkkkkkkkkkkkk"};

constexpr Rows NotesRows = {
    "................", ".kkkkkkkkkkk....", ".kyyyyyyyyyyk...", ".kyggggggyyyyk..",
    ".kyyyyyyyyyyyyk.", ".kyggggggggyyyk.", ".kyyyyyyyyyyyyk.", ".kyggggggggyyyk.",
    ".kyyyyyyyyyyyyk.", ".kyggggggyyyyyk.", ".kyyyyyyyyyyyyk.", ".kyggggggggyyyk.",
    ".kyyyyyyyyyyyyk.", ".kkkkkkkkkkkkkk.", "................", "................"};

constexpr Rows GridColourRows = {
    "................", ".ggggggggggggg..", ".gwwwgwwwgwwwg..", ".gwwwgwwwgwwwg..",
    ".gwwwgwwwgwwwg..", ".ggggggggggggg..", ".gwwwgwwwgwwwg..", ".gwwwgwwwgwwwg..",
    ".gwwwgwwkkkkkkk.", ".gggggggkrrrrrk.", ".gwwwgwwkrrrrrk.", ".gwwwgwwkrrrrrk.",
    ".gwwwgwwkrrrrrk.", ".gggggggkkkkkkk.", "................", "................"};

constexpr Rows ZoomInRows = {
    "................", "...kkkkk........", "..kwwwwwk.......", ".kwwwkwwwk......",
    ".kwwwkwwwk......", ".kwkkkkkwk......", ".kwwwkwwwk......", ".kwwwkwwwk......",
    "..kwwwwwk.......", "...kkkkkgg......", "........kgg.....", ".........kgg....",
    "..........kgg...", "...........kgg..", "............kk..", "................"};

constexpr Rows ZoomOutRows = {
    "................", "...kkkkk........", "..kwwwwwk.......", ".kwwwwwwwk......",
    ".kwwwwwwwk......", ".kwkkkkkwk......", ".kwwwwwwwk......", ".kwwwwwwwk......",
    "..kwwwwwk.......", "...kkkkkgg......", "........kgg.....", ".........kgg....",
    "..........kgg...", "...........kgg..", "............kk..", "................"};

constexpr Rows RatiosRows = {
    "................", ".bbbbbbbbbbbbb..", ".bcccccccccccb..", ".bcccccccccccb..",
    ".bbbbbbbbbbbbb..", "................", ".bbbbb....k.....", ".bcccb...kkk....",
    ".bcccb..k.k.k...", ".bcccb....k.....", ".bcccb....k.....", ".bcccb....k.....",
    ".bcccb..k.k.k...", ".bcccb...kkk....", ".bbbbb....k.....", "................"};

constexpr Rows RotateRows = {
    "................", "................", "....bbbbbb......", "..bb......bb....",
    ".b..........b...", ".b..........b...", "b............b..", "b............b..",
    "b..........bbbbb", "b...........bbb.", ".b...........b..", ".b..............",
    "..bb............", "....bbbbbb......", "................", "................"};

constexpr Rows BlockPatternRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kbbwwbbwwbbwwk.", ".kbbwwbbwwbbwwk.",
    ".kwwbbwwbbwwbbk.", ".kwwbbwwbbwwbbk.", ".kbbwwbbwwbbwwk.", ".kbbwwbbwwbbwwk.",
    ".kwwbbwwbbwwbbk.", ".kwwbbwwbbwwbbk.", ".kbbwwbbwwbbwwk.", ".kbbwwbbwwbbwwk.",
    ".kwwbbwwbbwwbbk.", ".kwwbbwwbbwwbbk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows CardListRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwrrwkkkkkkwwk.",
    ".kwrrwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkwwk.", ".kwbbwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kwGGwkkkkkkwwk.", ".kwGGwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
    ".kwyywkkkkkkwwk.", ".kwyywwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows SelvedgeRows = {
    "................", "..rbkllllllkbr..", "..brkllllllkrb..", "..rbkllllllkbr..",
    "..brkllllllkrb..", "..rbkllllllkbr..", "..brkllllllkrb..", "..rbkllllllkbr..",
    "..brkllllllkrb..", "..rbkllllllkbr..", "..brkllllllkrb..", "..rbkllllllkbr..",
    "..brkllllllkrb..", "..rbkllllllkbr..", "..brkllllllkrb..", "................"};

constexpr Rows TwiningRows = {
    "................", ".....rr..bb.....", "....rr....bb....", "...rr......bb...",
    "..rr........bb..", ".rr..........bb.", "rr............bb", "................",
    "................", ".....rr..bb.....", "....rr....bb....", "...rr......bb...",
    "..rr........bb..", ".rr..........bb.", "rr............bb", "................"};

constexpr Rows GridRows = {
    "................", ".ggggggggggggg..", ".gwwwgwwwgwwwg..", ".gwwwgwwwgwwwg..",
    ".gwwwgwwwgwwwg..", ".ggggggggggggg..", ".gwwwgwwwgwwwg..", ".gwwwgwwwgwwwg..",
    ".gwwwgwwwgwwwg..", ".ggggggggggggg..", ".gwwwgwwwgwwwg..", ".gwwwgwwwgwwwg..",
    ".gwwwgwwwgwwwg..", ".ggggggggggggg..", "................", "................"};

constexpr Rows DirectionChangeRows = {
    "................", "....kk....kk....", "...kk....kk.....", "..kk....kk......",
    ".kk....kk.......", "kk....kk........", "................", "rrrrrrrrrrrrrrrr",
    "................", "kk....kk........", ".kk....kk.......", "..kk....kk......",
    "...kk....kk.....", "....kk....kk....", "................", "................"};

constexpr Rows ColoursRows = {
    "................", "..kkkkkkkkkkkkk.", "..krrrkbbbkyyyk.", "..krrrkbbbkyyyk.",
    "..krrrkbbbkyyyk.", "..kkkkkkkkkkkkk.", "..kGGGkoooknnnk.", "..kGGGkoooknnnk.",
    "..kGGGkoooknnnk.", "..kkkkkkkkkkkkk.", "..kcccklllkpppk.", "..kcccklllkpppk.",
    "..kcccklllkpppk.", "..kkkkkkkkkkkkk.", "................", "................"};

constexpr Rows TwistRows = {
    "................", ".rr..........rr.", "..rr........rr..", "...rr......rr...",
    "....rr....rr....", ".....rr..rr.....", "......rrrr......", ".......rr.......",
    ".......rr.......", "......rrrr......", ".....rr..rr.....", "....rr....rr....",
    "...rr......rr...", "..rr........rr..", ".rr..........rr.", "................"};

constexpr Rows UppermostHoleRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwrrrwwwwkkkwk.",
    ".kwrrrwwwwkwkwk.", ".kwrrrwwwwkkkwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwkkkwwwwkkkwk.", ".kwkwkwwwwkwkwk.",
    ".kwkkkwwwwkkkwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows ReverseRows = {
    "................", "......kkkkkkkkk.", "......kgggggggk.", "......kgggggggk.",
    "......kgggggggk.", ".kkkkkkkkkggggk.", ".kwwwwwwwkggggk.", ".kwwwwwwwkggggk.",
    ".kwwwwwwwkggggk.", ".kwwwwwwwkggggk.", ".kwwwwwwwkkkkkk.", ".kwwwwwwwk......",
    ".kwwwwwwwk......", ".kwwwwwwwk......", ".kkkkkkkkk......", "................"};

constexpr Rows TurnDirectionRows = {
    "................", "....G...........", "...GGG..........", "..GGGGG.........",
    ".GGGGGGG........", "...GGG.....rrr..", "...GGG.....rrr..", "...GGG.....rrr..",
    "...GGG.....rrr..", "...GGG.....rrr..", "...GGG...rrrrrrr", "..........rrrrr.",
    "...........rrr..", "............r...", "................", "................"};

constexpr Rows LongFloatRows = {
    "................", ".gg.gg.rr.gg.gg.", ".gg.gg.rr.gg.gg.", ".......rr.......",
    ".gg.gg.rr.gg.gg.", ".gg.gg.rr.gg.gg.", ".......rr.......", ".gg.gg.rr.gg.gg.",
    ".gg.gg.rr.gg.gg.", ".......rr.......", ".gg.gg.rr.gg.gg.", ".gg.gg.rr.gg.gg.",
    ".......rr.......", ".gg.gg.rr.gg.gg.", ".gg.gg.rr.gg.gg.", "................"};

constexpr Rows UnderlyingBlockRows = {
    "kkkkkkkkkkkkkkkk", "knnnnwwwwnnnnwwk", "knnnnwwwwnnnnwwk", "knnnnwwwwnnnnwwk",
    "knnnnwwwwnnnnwwk", "kwwwwnnnnwwwwnnk", "kwwwwnnnnwwwwnnk", "kwwwwnnnnwwwwnnk",
    "kwwwwnnnnwwwwnnk", "knnnnwwwwnnnnwwk", "knnnnwwwwnnnnwwk", "knnnnwwwwnnnnwwk",
    "knnnnwwwwnnnnwwk", "kwwwwnnnnwwwwnnk", "kwwwwnnnnwwwwnnk", "kkkkkkkkkkkkkkkk"};

constexpr Rows IdleCardRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwwwkkwwkkwwwk.",
    ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.",
    ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.", ".kwwwkkwwkkwwwk.",
    ".kwwwkkwwkkwwwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows GridTagRows = {
    ".....b...b...b..", ".....b...b...b..", "................", "...ggggggggggggg",
    "...gwwwgwwwgwwwg", "bb.gwwwgwwwgwwwg", "...gwwwgwwwgwwwg", "...ggggggggggggg",
    "...gwwwgwwwgwwwg", "bb.gwwwgwwwgwwwg", "...gwwwgwwwgwwwg", "...ggggggggggggg",
    "...gwwwgwwwgwwwg", "bb.gwwwgwwwgwwwg", "...gwwwgwwwgwwwg", "...ggggggggggggg"};

constexpr Rows CardThreadingRows = {
    "................", "kkkkkkk..kkkkkkk", "kr....k..k....bk", "k.r...k..k...b.k",
    "k..r..k..k..b..k", "k...r.k..k.b...k", "k....rk..kb....k", "kkkkkkk..kkkkkkk",
    "................", "kkkkkkk..kkkkkkk", "k....bk..kr....k", "k...b.k..k.r...k",
    "k..b..k..k..r..k", "k.b...k..k...r.k", "kb....k..k....rk", "kkkkkkk..kkkkkkk"};

constexpr Rows GridHighlightRows = {
    "................", ".ggggggggrgggg..", ".gwwwgwwwrwwwg..", ".gwwwgwwwrwwwg..",
    ".gwwwgwwwrwwwg..", ".ggggggggrgggg..", ".gwwwgwwwrwwwg..", ".gwwwgwwwrwwwg..",
    ".gwwwgwwwrwwwg..", ".rrrrrrrrrrrrr..", ".gwwwgwwwrwwwg..", ".gwwwgwwwrwwwg..",
    ".gwwwgwwwrwwwg..", ".ggggggggrgggg..", "................", "................"};

constexpr Rows SaveImageRows = {
    "kkkkkkkkkkkk....", "kcccccccccck....", "kcccccccyyck....", "kcccccccyyck....",
    "kcccccccccck....", "kccccGccccck....", "kcccGGGcccck....", "kccGGGGGkkkkkkkk",
    "kcGGGGGGknwwwwnk", "kkkkkkkkknwwwwnk", "........knnnnnnk", "........knllllnk",
    "........knlknlnk", "........knllllnk", "........kkkkkkkk", "................"};

constexpr Rows PrintImageRows = {
    "kkkkkkkkkkkk....", "kcccccccccck....", "kcccccccyyck....", "kcccccccyyck....",
    "kcccccccccck....", "kccccGccccck....", "kcccGGGcccck....", "kccGGGGGcGGk....",
    "kcGGGGGGGkkkkk..", "kkkkkkkkkkwwwk..", ".......kkkkkkkkk", ".......klllllllk",
    ".......klllllGlk", ".......kkkkkkkkk", "........kwwwwwk.", "........kkkkkkk."};

constexpr Rows CopyImageRows = {
    "kkkkkkkkkkkk....", "kcccccccccck....", "kcccccccyyck....", "kcccccccyyck....",
    "kcccccccccck....", "kccccGccccck....", "kcccGGGccckkk...", "kccGGGGGkkkwkkk.",
    "kcGGGGGGkdkkkdk.", "kkkkkkkkkdwwwdk.", "........kdwkwdk.", "........kdwwwdk.",
    "........kdwkwdk.", "........kdwwwdk.", "........kdddddk.", "........kkkkkkk."};

constexpr Rows CaptureProfileRows = {
    "................", "................", "......kkkk......", ".kkkkkkkkkkkkkk.",
    ".kllllllllllrrk.", ".kllllkkkkllllk.", ".klllkbbbbklllk.", ".kllkbbccbbkllk.",
    ".kllkbbccbbkllk.", ".klllkbbbbklllk.", ".kllllkkkkllllk.", ".kllllllllllllk.",
    ".kkkkkkkkkkkkkk.", "................", "................", "................"};

constexpr Rows SelectProfileRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwbbbbbbbbwwwk.",
    ".kwwwwwwwwwwwwk.", ".knnnnnnnnnnnnk.", ".knwwwwwwwwnnnk.", ".knnnnnnnnnnnnk.",
    ".kwwwwwwwwwwwwk.", ".kwbbbbbbbbwwwk.", ".kwwwwwwwwwwwwk.", ".kwbbbbbbwwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"};

constexpr Rows ImportBitmapRows = {
    "..GGG...........", "..GGG...........", "..GGG...........", "GGGGGGG.........",
    ".GGGGG..........", "..GGG...........", "...G............", "....kkkkkkkkkkkk",
    "....kwkwkkwwkwkk", "....kkwkwwkkwkwk", "....kwkkwkwkkwwk", "....kkwwkwkwwkkk",
    "....kwkwkkwkwkwk", "....kkwkwwkkwwkk", "....kwkkwkwkwkwk", "....kkkkkkkkkkkk"};

constexpr Rows ShiftLeftRows = {
    "................", "................", "................", ".......b........",
    "......bb........", ".....bbb........", "....bbbbbbbbbbb.", "...bbbbbbbbbbbb.",
    "...bbbbbbbbbbbb.", "....bbbbbbbbbbb.", ".....bbb........", "......bb........",
    ".......b........", "................", "................", "................"};

constexpr Rows InvertRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.",
    ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwkkwwkkwwkkk.", ".kwwkkwwkkwwkkk.",
    ".kwwkkwwkkwwkkk.", ".kwwkkwwkkwwkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.",
    ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows ClearRows = {
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwrrwwwwwwrrwk.",
    ".kwwrrwwwwrrwwk.", ".kwwwrrwwrrwwwk.", ".kwwwwrrrrwwwwk.", ".kwwwwwrrwwwwwk.",
    ".kwwwwwrrwwwwwk.", ".kwwwwrrrrwwwwk.", ".kwwwrrwwrrwwwk.", ".kwwrrwwwwrrwwk.",
    ".kwrrwwwwwwrrwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

constexpr Rows MirrorHorizontalRows = {
    "................", ".......b........", "......bbb.......", ".....bbbbb......",
    "....bbbbbbb.....", "...bbbbbbbbb....", "................", "r.rr.rr.rr.rr.r.",
    "................", "...ggggggggg....", "....ggggggg.....", ".....ggggg......",
    "......ggg.......", ".......g........", "................", "................"};

constexpr Rows UndoRows = {
    "................", "................", "....b...........", "...bb...........",
    "..bbbbbbbbb.....", ".bbbbbbbbbbbb...", "..bbbbbbbbbbbb..", "...bb......bbb..",
    "....b.......bb..", "............bb..", "...........bbb..", "..........bbb...",
    "......bbbbbb....", "......bbbbb.....", "................", "................"};

constexpr Rows SmallUndoRows = {
    "..b.....", ".bbbbbb.", "bbbbbbbb", ".bb...bb", "..b...bb", "......bb", "...bbbb.", "",
    "", "", "", "", "", "", "", ""};

constexpr Rows RealignRows = {
    "................", "kk..kk..kk..kk..", ".kk..kk..kk..kk.", "..kk..kk..kk..kk",
    "k..kk..kk..kk..k", "kk..kk..kk..kk..", ".kk..kk..kk..kk.", "................",
    "................", "..........r.....", "..........rr....", ".rrrrrrrrrrrr...",
    ".rrrrrrrrrrrr...", "..........rr....", "..........r.....", "................"};

constexpr Rows ClipPanelRows = {
    ".....kkkkk......", "..kkkkwwwkkkk...", ".kdddkkkkkdddk..", ".kdwwwwwwwwwdk..",
    ".kdwkkkkkkwwdk..", ".kdwwwwwwwwwdk..", ".kdwkkkkkkkwdk..", ".kdwwwwwwwwwdk..",
    ".kdwkkkkkwwwdk..", ".kdwwwwwwwwwdk..", ".kdwkkkkkkkwdk..", ".kdwwwwwwwwwdk..",
    ".kdddddddddddk..", ".kkkkkkkkkkkkk..", "................", "................"};

constexpr Rows CopySelectionRows = {
    "kkkkkkkkk.......", "kwwwwwwwk.......", "kwkkkkkwk.......", "kwwwwwwwk.......",
    "kwkkkkkwk.......", "kwwwwwkkkkkkkkk.", "kwkkkkkwwwwwwwk.", "kwwwwwkwkkkkkwk.",
    "kwkkkkkwwwwwwwk.", "kkkkkkkwkkkkkwk.", "......kwwwwwwwk.", "......kwkkkkkwk.",
    "......kwwwwwwwk.", "......kwkkkkkwk.", "......kkkkkkkkk.", "................"};

constexpr Rows CutRows = {
    "...k.......k....", "...k.......k....", "....k.....k.....", "....k.....k.....",
    ".....k...k......", ".....k...k......", "......k.k.......", ".......k........",
    "......k.k.......", "....rrr.rrr.....", "...r..r.r..r....", "...r..r.r..r....",
    "...r..r.r..r....", "....rr...rr.....", "................", "................"};

constexpr Rows ArrowDownRows = {
    "..GGG...........", "..GGG...........", "..GGG...........", "GGGGGGG.........",
    ".GGGGG..........", "..GGG...........", "...G............", "", "", "", "", "", "", "", "", ""};

constexpr Rows RedCrossRows = {
    "", "", "", "...rr......rr...", "....rr....rr....", ".....rr..rr.....", "......rrrr......",
    ".......rr.......", ".......rr.......", "......rrrr......", ".....rr..rr.....", "....rr....rr....",
    "...rr......rr...", "", "", ""};

constexpr Rows PlainRows = {
    "................", ".wwwwwwwwwwwwwg.", ".wllllllllllllg.", ".wllllllllllllg.",
    ".wllllllllllllg.", ".wllllllllllllg.", ".wllllllllllllg.", ".wllllllllllllg.",
    ".wllllllllllllg.", ".wllllllllllllg.", ".wllllllllllllg.", ".wllllllllllllg.",
    ".wllllllllllllg.", ".wllllllllllllg.", ".gggggggggggggg.", "................"};

} // namespace

fw::Bitmap ToolIcon(std::int32_t actionId)
{
    using namespace TWAction;
    switch (actionId) {
    case 0: return FromRows(LoadRows);
    case PatternDetails: return FromRows(DetailsRows);
    case CardSetup: return FromRows(CardRows);
    case Save: return FromRows(SaveRows);
    case ThreadingDiagram: return FromRows(ThreadingRows);
    case Notes: return FromRows(NotesRows);
    case PatternSize: return FromRows(PatternSizeRows);
    case Print: return FromRows(PrintRows);
    case GridColour: return FromRows(GridColourRows);
    case ZoomIn: return FromRows(ZoomInRows);
    case ZoomOut: return FromRows(ZoomOutRows);
    case DisplayRatios: return FromRows(RatiosRows);
    case Rotate: return FromRows(RotateRows);
    case BlockPattern: return FromRows(BlockPatternRows);
    case CardList: return FromRows(CardListRows);
    case Selvedges: return FromRows(SelvedgeRows);
    case ShowTwining: return FromRows(TwiningRows);
    case ShowGrid: return FromRows(GridRows);
    case ShowDirectionChanges: return FromRows(DirectionChangeRows);
    case ShowColours: return FromRows(ColoursRows);
    case ShowCardTwists: return FromRows(TwistRows);
    case ShowUppermostHole: return FromRows(UppermostHoleRows);
    case ShowReverse: return FromRows(ReverseRows);
    case ShowTurningDirection: return FromRows(TurnDirectionRows);
    case ShowLongFloats: return FromRows(LongFloatRows);
    case ShowUnderlyingBlockPattern: return FromRows(UnderlyingBlockRows);
    case ShowIdlingCards: return FromRows(IdleCardRows);
    case ShowGridTags: return FromRows(GridTagRows);
    case ShowCardThreading: return FromRows(CardThreadingRows);
    case ShowGridHighlights: return FromRows(GridHighlightRows);
    case SaveImage: return FromRows(SaveImageRows);
    case PrintImage: return FromRows(PrintImageRows);
    case CopyImage: return FromRows(CopyImageRows);
    case CaptureProfile: return FromRows(CaptureProfileRows);
    case SelectProfile: return FromRows(SelectProfileRows);
    case ImportBitmap: return FromRows(ImportBitmapRows);
    case ShiftLeft: return FromRows(ShiftLeftRows);
    case ShiftRight: return MirroredLeftRight(FromRows(ShiftLeftRows));
    case ShiftUp: return Transposed(FromRows(ShiftLeftRows));
    case ShiftDown: return Transposed(MirroredLeftRight(FromRows(ShiftLeftRows)));
    case Invert: return FromRows(InvertRows);
    case ClearDesign: return FromRows(ClearRows);
    case MirrorHorizontal: return FromRows(MirrorHorizontalRows);
    case MirrorVertical: return Transposed(FromRows(MirrorHorizontalRows));
    case Undo: return FromRows(UndoRows);
    case Redo: return MirroredLeftRight(FromRows(UndoRows));
    case SelectArea: return Marquee();
    case RealignPattern: return FromRows(RealignRows);
    case ClipPanel: return FromRows(ClipPanelRows);
    case CopySelection: return FromRows(CopySelectionRows);
    case UndoArea: {
        fw::Bitmap picture = Marquee();
        Overlay(picture, SmallUndoRows, 4, 5);
        return picture;
    }
    case CutSelection: return FromRows(CutRows);
    case ImportGroundWeave: {
        fw::Bitmap picture = TwillBox(4, 7);
        Overlay(picture, ArrowDownRows);
        return picture;
    }
    case ClearGroundWeave: {
        fw::Bitmap picture = TwillBox(1, 1);
        Overlay(picture, RedCrossRows);
        return picture;
    }
    default: return FromRows(PlainRows);
    }
}
