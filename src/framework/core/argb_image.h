#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fw {

// A picture with an alpha channel, for what the desktop shows around the program's windows
// (its icons): pixels 0xAARRGGBB, alpha not multiplied in, row by row, top row first.
// Bitmap has no alpha, so a round shape on it would keep a square of background.
class ArgbImage {
public:
    ArgbImage() = default;
    // Fully transparent; negative sizes count as 0.
    ArgbImage(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // 0 (transparent black) outside the picture; writing outside does nothing.
    std::uint32_t Pixel(int x, int y) const { return Contains(x, y) ? pixels_[Offset(x, y)] : 0; }
    void SetPixel(int x, int y, std::uint32_t argb)
    {
        if (Contains(x, y)) {
            pixels_[Offset(x, y)] = argb;
        }
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    friend bool operator==(const ArgbImage&, const ArgbImage&) = default;

private:
    std::size_t Offset(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace fw
