#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/bitmap.h"
#include "framework/core/canvas.h"
#include "framework/gui/std_label.h"
#include "framework/report/report_model.h"

// A laid-out report: pages of items placed in page coordinates (report units from the
// paper's top-left corner). The pager makes them from a report; the painter draws them on
// any QPainter; tests read them.

namespace fw {

enum class PlacedItemKind { Text, Shape, Image };

// One printed control. Only the fields of its kind mean anything.
struct PlacedItem {
    PlacedItemKind Kind = PlacedItemKind::Text;
    // The control's name, for finding it again.
    std::string Name;
    // On the page. Text is cut at its left and right edges, images at all four.
    Rect Bounds;

    // Text: the lines from the top, one LineHeight each, aligned across Bounds.
    std::vector<std::string> Lines;
    fw::Font Font;
    fw::Alignment Alignment = fw::Alignment::LeftJustify;
    int LineHeight = 0;

    // Shape.
    ReportShapeType Shape = ReportShapeType::Rectangle;
    Color BrushColor = clWhite;
    fw::BrushStyle BrushStyle = fw::BrushStyle::Solid;
    Color PenColor = clBlack;
    fw::PenStyle PenStyle = fw::PenStyle::Solid;
    int PenWidth = 1;

    // Image.
    std::shared_ptr<const Bitmap> Picture;
    bool Stretch = false;

    // The lines joined by line feeds.
    std::string Text() const;
};

// Where a band printed on its page.
struct PlacedBand {
    std::string Name;
    ReportBandType Type = ReportBandType::Detail;
    int Top = 0;
    int Height = 0;
};

struct ReportPageLayout {
    int Number = 0;
    int Width = 0;
    int Height = 0;
    // In the order printed.
    std::vector<PlacedBand> Bands;
    // In the order printed: later items lie over earlier ones.
    std::vector<PlacedItem> Items;

    // The first item (band) of that name, none; and how many there are.
    const PlacedItem* FindItem(std::string_view name) const;
    const PlacedBand* FindBand(std::string_view name) const;
    int CountItems(std::string_view name) const;
    int CountBands(std::string_view name) const;
    // Every item of that name, in the order printed.
    std::vector<const PlacedItem*> ItemsNamed(std::string_view name) const;
};

using ReportPages = std::vector<ReportPageLayout>;

} // namespace fw
