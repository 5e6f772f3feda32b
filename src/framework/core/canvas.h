#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/core/exceptions.h"
#include "framework/core/region.h"
#include "framework/core/system_colours.h"

namespace fw {

class InkCoverage;
class PaintBackend;
struct ShapePixels;

// A drawing the canvas cannot do: text without a paint backend, for one.
FW_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// Dot: one pixel on, one off along the path (lines, rectangles, polygons); outlines of
// curved shapes have no path order, so there the pixels with an even x + y are "on". The
// off pixels take the brush colour (through the pen mode) when the brush style is solid,
// as the platform's opaque background mode does, and stay untouched otherwise.
enum class PenStyle { Solid, Dot, Clear };
// How a pen pixel p meets the pixel c already there: Copy gives p, Xor gives c ^ p,
// NotXor gives ~(c ^ p) & 0xFFFFFF. Xor and NotXor undo themselves when drawn twice.
enum class PenMode { Copy, Xor, NotXor };

struct Pen {
    fw::Color Color = clBlack;
    // Lines are one pixel wide; a wider pen draws a square of Width x Width pixels centred
    // on each pixel of the one-pixel line (the extra pixel of an even width goes left and
    // up), so shapes keep their corners.
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
    PenMode Mode = PenMode::Copy;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Hatches are 8 x 8 patterns laid from the canvas origin, so neighbouring fills join up.
// Only the hatch lines are painted; the pixels between them stay as they were.
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct Brush {
    fw::Color Color = clWhite;
    BrushStyle Style = BrushStyle::Solid;
    // When set, fills paint this bitmap tiled from the canvas origin (pixel (x, y) takes
    // the bitmap's pixel (x mod width, y mod height)) and Color and Style do not matter
    // for fills. Not owned: it must live as long as the brush uses it. An empty bitmap
    // paints nothing.
    const fw::Bitmap* Bitmap = nullptr;
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct FontStyles {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    friend bool operator==(const FontStyles&, const FontStyles&) = default;
};

// Fonts are measured at this resolution everywhere, screen or not.
inline constexpr int ScreenPixelsPerInch = 96;

struct Font {
    std::string Name = "Arial";
    // In pixels. Negative: the height of the characters without the space above them
    // (what a size in points gives); positive: the whole cell height.
    int Height = -11;
    FontStyles Style;
    fw::Color Color = clWindowText;

    // The size in points: -Height * 72 / 96 rounded half away from zero, so a positive
    // Height gives a negative size.
    int Size() const;
    // Height := -(points * 96 / 72) rounded half away from zero.
    void SetSize(int points);

    friend bool operator==(const Font&, const Font&) = default;
};

// How CopyRect and Draw combine a source pixel s with the pixel d already there.
enum class CopyMode {
    SrcCopy,  // s
    SrcAnd,   // s & d
    SrcPaint, // s | d
};

// The edges of DrawEdge: which bevel each of the two rings has.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
// The sides DrawEdge draws, and what else it does.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x0800; // fill what the rings enclose with clBtnFace
inline constexpr unsigned BF_ADJUST = 0x2000; // (the returned rectangle is always the inside)

// Draws on a bitmap with the platform's pixel rules, in plain C++.
//
// State: a pen for outlines and lines, a brush for fills and text backgrounds, a font, the
// pen position, the copy mode and an optional clip region. Every operation paints only
// pixels inside the clip region and the bitmap; nothing else is ever written. Colours may
// be system colours: they are resolved through the fixed table (ColorToRGB) and, on a
// monochrome bitmap, mapped to black or white by the bitmap's rule, when each operation
// runs.
//
// Text, and the glyph metrics it needs, come from a PaintBackend. Ellipses and arcs use the
// backend's shapes when there is one and the built-in geometry otherwise, so a canvas
// without a backend does every pixel operation; only text raises EInvalidGraphicOperation.
//
// Rectangles are [Left, Right) x [Top, Bottom) unless an operation says otherwise. The
// shapes (Rectangle, RoundRect, Ellipse, Arc) put a box given upside down (Right < Left or
// Bottom < Top) the right way round first, as the platform does, so rubber-band feedback
// dragged up or left still draws; for every other operation such a rectangle is empty.
class Canvas {
public:
    // Neither the bitmap nor the backend is owned; both must outlive the canvas. The
    // bitmap may change size between operations.
    explicit Canvas(Bitmap& surface, PaintBackend* backend = nullptr);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Bitmap& Surface() const { return *surface_; }
    PaintBackend* Backend() const { return backend_; }
    void SetBackend(PaintBackend* backend) { backend_ = backend; }

    fw::Pen& Pen() { return pen_; }
    const fw::Pen& Pen() const { return pen_; }
    fw::Brush& Brush() { return brush_; }
    const fw::Brush& Brush() const { return brush_; }
    fw::Font& Font() { return font_; }
    const fw::Font& Font() const { return font_; }
    Point PenPos() const { return penPos_; }
    void SetPenPos(Point position) { penPos_ = position; }
    fw::CopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(fw::CopyMode mode) { copyMode_ = mode; }

    // --- Clipping ---------------------------------------------------------------------
    // The clip region in bitmap coordinates, or none when the whole bitmap is open.
    const std::optional<Region>& ClipRegion() const { return clip_; }
    // Replaces the clip region; none opens the whole bitmap again. Restoring a value read
    // from ClipRegion() restores the clipping exactly.
    void SetClipRegion(std::optional<Region> region);
    // Narrows the clipping to the rectangle or region (from "no clip region", to it).
    void IntersectClipRect(const Rect& rect);
    void IntersectClipRegion(const Region& region);
    // Takes the rectangle out of the open area. Without a clip region the open area is the
    // bitmap as large as it is now, so a bitmap grown later stays shut beyond that.
    void ExcludeClipRect(const Rect& rect);
    // The pixels operations may paint: the clip region cut to the bitmap.
    Region PaintableRegion() const;

    // --- Fills and shapes ---------------------------------------------------------------
    // Paints [L, R) x [T, B) with the brush; no pen. A clear brush paints nothing, a hatch
    // only its hatch pixels, a bitmap brush its tiles. Pen mode and copy mode do not apply.
    void FillRect(const Rect& rect);
    // Paints the region's pixels with the brush, as FillRect.
    void FillRegion(const Region& region);
    // Pen outline on columns L and R-1 and rows T and B-1 (the whole of [L, R) x [T, B)),
    // brush on [L+1, R-1) x [T+1, B-1). With a clear pen there is no outline and the brush
    // covers [L, R-1) x [T, B-1): one pixel short on the right and at the bottom. A dotted
    // pen starts "on" at (L, T) and goes round clockwise.
    void Rectangle(const Rect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(Rect{left, top, right, bottom}); }
    // As Rectangle, with corners cut by ellipses of ellipseWidth x ellipseHeight (see
    // RoundRectPixels). With a clear pen the brush covers Region::RoundRect(rect, w, h),
    // again one pixel short on the right and at the bottom.
    void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    // The ellipse in the box with the pen's outline inside [L, R) x [T, B) and the brush
    // inside it; with a clear pen the brush covers Region::Ellipse(box), one pixel short.
    // Curved shapes are built row by row over their whole box, so boxes far larger than
    // any bitmap cost memory in proportion.
    void Ellipse(const Rect& box);
    // The pen's outline pixels of the ellipse in the box, counter-clockwise from the radial
    // through start to the radial through end; the pen position does not move.
    void Arc(const Rect& box, Point start, Point end);
    // Brush over Region::Polygon(points, Alternate), then the pen along every edge, the
    // closing one included, each vertex painted once.
    void Polygon(std::span<const Point> points);
    // Lines from point to point as LineTo does: the very last point is not painted. The
    // pen position does not move.
    void Polyline(std::span<const Point> points);

    // --- Lines --------------------------------------------------------------------------
    void MoveTo(int x, int y) { penPos_ = Point{x, y}; }
    // A Bresenham line from the pen position to (x, y) in the pen colour and mode, without
    // its end pixel; the pen position moves to (x, y). Each pixel is painted once. A dotted
    // pen paints the 1st, 3rd, 5th... pixel of the line. A clear pen paints nothing but
    // still moves.
    void LineTo(int x, int y);

    // --- Pixels -------------------------------------------------------------------------
    // The bitmap's pixel, whatever the clip region; 0 outside the bitmap.
    Color Pixel(int x, int y) const { return surface_->Pixel(x, y); }
    // Sets one pixel (resolved colour, copy) when it is inside the clip region.
    void SetPixel(int x, int y, Color colour);

    // --- Pictures -----------------------------------------------------------------------
    // Combines the source's sourceRect into dest by the copy mode. When the sizes differ
    // the source is scaled nearest-neighbour: dest pixel (x, y) takes source pixel
    // (sL + (x - dL) * sW / dW, sT + (y - dT) * sH / dH), with the division rounding down.
    // Source pixels outside the source bitmap read as 0 (black). The source may be this
    // canvas's own bitmap; overlapping copies work as if the source were copied first.
    void CopyRect(const Rect& dest, const Bitmap& source, const Rect& sourceRect);
    void CopyRect(const Rect& dest, const Canvas& source, const Rect& sourceRect)
    {
        CopyRect(dest, source.Surface(), sourceRect);
    }
    // The whole graphic with its top-left at (x, y). A transparent graphic leaves its
    // transparent colour's pixels untouched and copies the others (the copy mode does not
    // apply); an opaque graphic goes through CopyRect's copy mode.
    void Draw(int x, int y, const Bitmap& graphic);
    // The whole graphic scaled into dest nearest-neighbour (as CopyRect), with Draw's
    // transparency.
    void StretchDraw(const Rect& dest, const Bitmap& graphic);

    // --- Bevels and focus -----------------------------------------------------------------
    // Draws up to two one-pixel rings inside rect, outer first, in the platform's 3-D
    // colours: raised outer = cl3DLight top/left, cl3DDkShadow bottom/right; sunken outer
    // = clBtnShadow top/left, clBtnHighlight bottom/right; raised inner = clBtnHighlight
    // top/left, clBtnShadow bottom/right; sunken inner = cl3DDkShadow top/left, cl3DLight
    // bottom/right (a ring asked to be both is drawn raised). In each ring of all four
    // sides the top line covers [L, R-1) and the left line [T, B-1), while the bottom line
    // covers [L, R) and the right line [T, B): they own the corners. A side drawn without
    // its neighbour runs the full length. The inner ring lies inside the outer one on the
    // sides drawn. BF_MIDDLE fills what is left inside with clBtnFace. Answers the
    // rectangle inside the rings. Pen and brush are left unchanged.
    Rect DrawEdge(const Rect& rect, unsigned edge, unsigned flags);
    // Inverts (xor 0xFFFFFF) every other pixel of the one-pixel frame of rect, starting
    // with (L, T) and going by the parity of (x - L) + (y - T); each frame pixel is
    // considered once, so drawing the same rectangle twice restores the bitmap. A frame
    // one pixel thin is still a single set of pixels.
    void DrawFocusRect(const Rect& rect);

    // --- Text (needs a backend) -----------------------------------------------------------
    // Text is always drawn in copy mode, whatever the pen's mode. Where the backend's glyphs
    // cover a pixel partly, the font colour is blended over the pixel by the part covered
    // (greyscale antialiasing); on a monochrome bitmap a pixel covered at least half takes
    // the font colour and any other stays as it was.
    //
    // Draws the text with the top-left of its cell at (x, y) in the font colour. With a
    // solid brush the cell [x, x + width) x [y, y + height) is first filled with the brush
    // colour; any other brush (clear, hatched) leaves the background as it is. The pen
    // position moves to (x + width, y).
    void TextOut(int x, int y, std::string_view text);
    // As TextOut, but nothing outside rect is painted (rect cut with the clip region), and
    // a solid brush fills the whole of rect with its colour first, not just the text's
    // cell. The pen position does not move.
    void TextRect(const Rect& rect, int x, int y, std::string_view text);
    // Text turned counter-clockwise by escapement tenths of a degree about (x, y), always
    // with a clear background (turned text is drawn over pictures).
    void TextOutRotated(int x, int y, int escapement, std::string_view text);
    Size TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).Width; }
    // The line height; the same for any text, empty or not.
    int TextHeight(std::string_view text) const { return TextExtent(text).Height; }

private:
    PaintBackend& RequireBackend() const;
    // The clip region cut to the bitmap, brought up to date first.
    const Region& Paintable();
    Region CutToPaintable(const Region& shape);
    Color StoredColor(Color colour) const;
    void PaintPixels(const Region& pixels, Color stored, PenMode mode);
    void FillSolid(const Rect& rect, Color stored);
    void DrawClosedShape(const ShapePixels& shape);
    void PaintOutline(const Region& outline);
    void StrokePath(std::span<const Point> points, bool closed);
    // Blends the font colour over the pixels by the ink's coverage, inside `within`.
    void PaintInk(const InkCoverage& ink, const Rect& within);
    void CopyScaled(const Rect& dest, const Bitmap& source, const Rect& sourceRect, bool keyed);

    Bitmap* surface_;
    PaintBackend* backend_;
    fw::Pen pen_;
    fw::Brush brush_;
    fw::Font font_;
    Point penPos_;
    fw::CopyMode copyMode_ = fw::CopyMode::SrcCopy;
    std::optional<Region> clip_;
    // The clip region cut to the bitmap, recomputed when the clip or the bitmap size
    // changes, so fills walk a ready span list; most of the time it is one rectangle,
    // and then lines test pixels against that rectangle alone.
    Region paintable_;
    Rect paintableBox_;
    bool paintableIsRect_ = true;
    bool paintableValid_ = false;
    int paintableWidth_ = -1;
    int paintableHeight_ = -1;
};

} // namespace fw
