#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// A rectangle of pixels; Right and Bottom lie one past the last column and row, so an
// empty rectangle has Right <= Left or Bottom <= Top.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A raster image without any windowing system: the model's grids and glyphs, the GIF
// writer's source and, later, the backing store of controls.
//
// Pixels are 0x00BBGGRR colour values held row by row, top row first. The top byte is
// never stored: a written colour loses it, so a system colour cannot hide in a bitmap.
// Reading outside the bitmap gives 0 and writing outside it does nothing, which lets
// callers draw shapes that stick out without clipping them first.
//
// A monochrome bitmap holds only black (set) and white (clear). Any other colour written
// to it becomes black when its luminance (0.299 R + 0.587 G + 0.114 B) is below half,
// else white: the nearer of the two to the eye.
class Bitmap {
public:
    static constexpr std::uint32_t Black = 0x000000;
    static constexpr std::uint32_t White = 0xFFFFFF;

    Bitmap() = default;
    // A white bitmap; negative sizes count as 0.
    Bitmap(int width, int height, bool monochrome = false);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    Rect Bounds() const { return Rect{0, 0, width_, height_}; }

    // Keeps the pixels that still fit anchored at the top-left corner; new area is white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    bool Monochrome() const { return monochrome_; }
    // Turning a colour bitmap monochrome maps every pixel by the rule above.
    void SetMonochrome(bool monochrome);

    // The colour that Draw leaves out when the bitmap is transparent.
    std::uint32_t TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(std::uint32_t colour) { transparentColor_ = colour & White; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

    std::uint32_t Pixel(int x, int y) const
    {
        return Contains(x, y) ? pixels_[Offset(x, y)] : 0;
    }
    void SetPixel(int x, int y, std::uint32_t colour)
    {
        if (Contains(x, y)) {
            pixels_[Offset(x, y)] = Stored(colour);
        }
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Direct row access for fast loops; y must lie inside the bitmap. Whoever writes a
    // monochrome bitmap this way writes only Black and White.
    std::uint32_t* ScanLine(int y) { return pixels_.data() + Offset(0, y); }
    const std::uint32_t* ScanLine(int y) const { return pixels_.data() + Offset(0, y); }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    // Takes size, pixels, monochrome flag and transparency of the source.
    void Assign(const Bitmap& source) { *this = source; }

    // Copies the source's rectangle so that its top-left corner lands on (destLeft,
    // destTop), replacing what was there. Both sides are clipped to their bitmaps; the
    // source may be this bitmap, overlapping regions included.
    void CopyRect(int destLeft, int destTop, const Bitmap& source, const Rect& sourceRect);
    // Paints the rectangle, clipped to the bitmap.
    void FillRect(const Rect& rect, std::uint32_t colour);
    // Draws the whole source with its top-left corner at (x, y); a transparent source
    // leaves the pixels of its transparent colour out.
    void Draw(int x, int y, const Bitmap& source);

    // Same size, kind and pixels; transparency settings are not compared.
    bool SamePixels(const Bitmap& other) const;

    // Maps a colour to what this bitmap stores for it.
    std::uint32_t Stored(std::uint32_t colour) const
    {
        return monochrome_ ? MonochromeOf(colour) : colour & White;
    }
    static std::uint32_t MonochromeOf(std::uint32_t colour);

private:
    std::size_t Offset(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    bool monochrome_ = false;
    bool transparent_ = false;
    std::uint32_t transparentColor_ = White;
    std::vector<std::uint32_t> pixels_;
};

} // namespace fw
