#pragma once

// What the block-design frame's tests share: a frame on a shown window with the test driver,
// the tool states it reports, designs written as rows of text, and clicks on cells.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "card_views_test_support.h"
#include "editors/block_frame.h"
#include "editors/weaving_image_frame_view.h"
#include "framework/gui/test_driver.h"
#include "model/model_hooks.h"

namespace block_frame_test {

// One tool state the frame reported: (id, enabled, second enable flag, pressed).
struct Report {
    int Id;
    bool Enabled;
    bool Enabled2;
    bool Down;
    friend bool operator==(const Report&, const Report&) = default;
};

// A monochrome picture of the rows, top row first: '#' a set (black) cell, any other a
// clear one.
inline fw::Bitmap Picture(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = height > 0 ? static_cast<int>(rows.front().size()) : 0;
    fw::Bitmap bitmap(width, height, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#'
                                      ? fw::Bitmap::Black
                                      : fw::Bitmap::White);
        }
    }
    return bitmap;
}

// The frame's design as rows, top row (the highest y) first.
inline std::vector<std::string> Rows(const TfrmBlockPattern& frame)
{
    std::vector<std::string> rows;
    for (int y = frame.GridHeight() - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < frame.GridWidth(); ++x) {
            row += frame.IsCellSet(x, y) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

class BlockFrameTest : public card_views_test::CardViewsTest {
protected:
    BlockFrameTest()
    {
        model_hooks::SetNotifyHandler([this](int id, bool enabled, bool enabled2, bool down) {
            reports.push_back(Report{id, enabled, enabled2, down});
        });
        host->SetBounds(0, 0, 900, 700);
        frame = new TfrmBlockPattern(host.get());
        frame->SetParent(host.get());
        frame->SetAlign(fw::Align::Client);
    }

    ~BlockFrameTest() override
    {
        driver_.reset();
        model_hooks::SetNotifyHandler({});
    }

    fw::TestDriver& Driver()
    {
        if (!driver_) {
            driver_ = std::make_unique<fw::TestDriver>(*host);
        }
        return *driver_;
    }

    // The centre of the cell in the host's client coordinates (the image unscrolled).
    fw::Point CellPoint(int x, int y)
    {
        const fw::Rect cell = frame->Geometry().CellRect(x, y);
        const fw::Point scroll = frame->scrMain->ScrollOffset();
        return Driver().PointOf(*frame->imgMain, fw::Point{(cell.Left + cell.Right) / 2 - scroll.X,
                                                          (cell.Top + cell.Bottom) / 2 - scroll.Y});
    }

    void ClickCell(int x, int y, fw::MouseButton button = fw::MouseButton::Left)
    {
        Driver().Click(CellPoint(x, y), button);
    }

    // Presses on the first cell, moves through the others and releases on the last.
    void Drag(const std::vector<fw::Point>& cells, fw::MouseButton button = fw::MouseButton::Left)
    {
        Driver().Press(CellPoint(cells.front().X, cells.front().Y), button);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            Driver().MoveTo(CellPoint(cells[i].X, cells[i].Y));
        }
        Driver().Release(CellPoint(cells.back().X, cells.back().Y), button);
    }

    bool Reported(const Report& report) const
    {
        for (const Report& r : reports) {
            if (r == report) {
                return true;
            }
        }
        return false;
    }

    TfrmBlockPattern* frame = nullptr; // owned by the host
    std::vector<Report> reports;

private:
    std::unique_ptr<fw::TestDriver> driver_;
};

} // namespace block_frame_test
