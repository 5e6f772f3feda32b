#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"

// The shapes a weaving image is made of, painted straight into a bitmap.
//
// A long band has many thousands of small cells in view; painting each through the
// canvas's general region machinery costs more than the whole screen may take. These do the
// few shapes the image needs, pixel for pixel as fw::Canvas paints them (its polygon fill
// rule, its lines without their end pixel, its wide pens of squares that paint each pixel
// once), but only inside one clipping rectangle. The painter uses them where the canvas's
// paintable area is that rectangle, and the canvas itself everywhere else.
class TWeavingRaster {
public:
    // The most corners a filled polygon may have here (cells and marks have four).
    static constexpr std::size_t MaxPolygonPoints = 8;

    // clip is cut to the bitmap; nothing outside it is ever written.
    TWeavingRaster(fw::Bitmap& surface, const fw::Rect& clip);

    const fw::Rect& Clip() const { return clip_; }

    // A polygon of up to MaxPolygonPoints corners filled with fill and outlined with a solid one-pixel pen of colour
    // pen in copy mode, as fw::Canvas::Polygon with a solid brush does. Colours are plain 0x00BBGGRR values. convex:
    // the caller knows the outline goes round once turning one way only (IsConvex), as every cell and mark does; such
    // shapes fill faster.
    void FillAndOutlinePolygon(std::span<const fw::Point> points, std::uint32_t fill, std::uint32_t pen,
                               bool convex = false);
    // Whether the outline goes round once, turning one way only.
    static bool IsConvex(std::span<const fw::Point> points);
    // A line from `from` to `to` without its end pixel, with a solid pen of the width in the
    // mode, as fw::Canvas::MoveTo / LineTo do.
    void Line(fw::Point from, fw::Point to, int width, std::uint32_t colour, fw::PenMode mode);

private:
    // A row of a shape's fill and the pixels of its outline, relative to its first corner.
    struct StampSpan {
        int Y;
        int Left;
        int Right;
    };
    struct ShapeStamp {
        std::array<fw::Point, MaxPolygonPoints> Corners{};
        std::size_t Count = 0;
        bool Convex = false;
        // Every pixel written, relative to the first corner.
        fw::Rect Box;
        std::vector<StampSpan> Fill;
        std::vector<fw::Point> Outline;
    };
    static constexpr int MaxStampSide = 256;

    // The stamps of one kind made so far. A band's view holds a handful of shapes; a few
    // more than that are kept, the oldest giving way in turn.
    template <class Stamp>
    class StampCache {
    public:
        // The stamp `same` accepts, none when there is none yet.
        template <class Same>
        Stamp* Find(Same&& same)
        {
            if (last_ < stamps_.size() && same(stamps_[last_])) {
                return &stamps_[last_];
            }
            for (std::size_t i = 0; i < stamps_.size(); ++i) {
                if (same(stamps_[i])) {
                    last_ = i;
                    return &stamps_[i];
                }
            }
            return nullptr;
        }
        // Room for a new stamp, to be filled in by the caller.
        Stamp& Add()
        {
            if (stamps_.size() < MaxStamps) {
                stamps_.emplace_back();
                last_ = stamps_.size() - 1;
            } else {
                last_ = nextToReplace_;
                nextToReplace_ = (nextToReplace_ + 1) % MaxStamps;
            }
            return stamps_[last_];
        }

    private:
        static constexpr std::size_t MaxStamps = 32;
        std::vector<Stamp> stamps_;
        std::size_t last_ = 0;
        std::size_t nextToReplace_ = 0;
    };

    struct LineStamp {
        fw::Point Delta;
        int Width = 1;
        fw::Rect Box;
        std::vector<StampSpan> Runs;
    };
    // The pixels of a line from `from` to `to` (relative to `from`) when all of them lie
    // inside the clip; none otherwise.
    const LineStamp* LineStampFor(fw::Point from, fw::Point to, int width);
    // The stamp of the shape when all of it lies inside the clip; none otherwise (or for a
    // shape too large to keep).
    const ShapeStamp* StampFor(std::span<const fw::Point> points, bool convex);
    void FillPolygon(std::span<const fw::Point> points, std::uint32_t colour, bool convex);
    // The runs [left, right) of each row y of the filled shape that lie inside bounds.
    template <class Sink>
    void ForEachFillSpan(std::span<const fw::Point> points, bool convex, const fw::Rect& bounds, Sink&& sink);
    void ThinSegment(fw::Point from, fw::Point to, std::uint32_t colour, fw::PenMode mode);
    void WideSegment(fw::Point from, fw::Point to, int width, std::uint32_t colour, fw::PenMode mode);
    void Plot(int x, int y, std::uint32_t colour, fw::PenMode mode);

    fw::Bitmap& surface_;
    fw::Rect clip_;
    // Scratch space of the fills and the wide lines, kept between calls.
    std::vector<std::int64_t> downCrossings_;
    std::vector<std::int64_t> upCrossings_;
    std::vector<std::int64_t> rowCrossings_;
    std::vector<std::uint8_t> rowCounts_;
    std::vector<fw::Point> linePoints_;
    std::vector<int> runLeft_;
    std::vector<int> runRight_;
    StampCache<ShapeStamp> shapeStamps_;
    StampCache<LineStamp> lineStamps_;
};
