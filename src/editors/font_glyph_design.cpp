#include "editors/font_glyph_design.h"

#include <utility>

#include "editors/block_frame.h"
#include "editors/block_frame_painter.h"
#include "model/font.h"
#include "model/lettered_band.h"
#include "model/turning_codes.h"
#include "treegrid/tree_node.h"

fw::Bitmap GlyphToDesign(const fw::Bitmap& glyph)
{
    const int width = glyph.Height();
    const int height = glyph.Width();
    fw::Bitmap design(width, height, true);
    for (int y = 0; y < glyph.Height(); ++y) {
        for (int x = 0; x < glyph.Width(); ++x) {
            design.SetPixel(width - 1 - y, x, glyph.Pixel(x, y));
        }
    }
    return design;
}

fw::Bitmap DesignToGlyph(const fw::Bitmap& design)
{
    const int width = design.Height();
    const int height = design.Width();
    fw::Bitmap glyph(width, height, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            glyph.SetPixel(x, y, design.Pixel(height - 1 - y, x));
        }
    }
    return glyph;
}

fw::Bitmap DesignOfGrid(const TfrmBlockPattern& grid)
{
    const int width = grid.GridWidth();
    const int height = grid.GridHeight();
    fw::Bitmap design(width, height, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (grid.IsCellSet(x, y)) {
                design.SetPixel(x, height - 1 - y, fw::Bitmap::Black);
            }
        }
    }
    return design;
}

void BuildLetterThreadedPattern(const TfrmBlockPattern& grid, std::uint8_t threading, TTWPattern& target)
{
    BuildLetteredThreadedPattern(DesignOfGrid(grid), threading, target);
}

void SetLetterCellTwining(TBlockCellInfo& info, bool set, std::uint8_t threading)
{
    std::uint8_t code = ThreadingS;
    if (threading == FontThreadingAllZ) {
        code = ThreadingZ;
    } else if (threading == FontThreadingAltSZ) {
        code = info.Column % 2 != 0 ? ThreadingZ : ThreadingS;
    }
    // A card turning backwards lies the other way.
    if (set != (info.Row % 2 != 0)) {
        code = FlippedThreading(code);
    }
    info.Twine1 = code;
    info.Twine2 = code;
}

// --- The glyph pictures of the letter lists ---------------------------------------------------

TTWGlyphCellGraphic::TTWGlyphCellGraphic(fw::Bitmap glyph) : glyph_(std::move(glyph)) {}

void TTWGlyphCellGraphic::SetGlyph(fw::Bitmap glyph)
{
    glyph_ = std::move(glyph);
    source_ = nullptr;
}

void TTWGlyphCellGraphic::Follow(std::function<fw::Bitmap()> source)
{
    source_ = std::move(source);
}

fw::Bitmap TTWGlyphCellGraphic::Picture() const
{
    return source_ ? source_() : glyph_;
}

int TTWGlyphCellGraphic::Width() const
{
    return source_ ? source_().Width() : glyph_.Width();
}

int TTWGlyphCellGraphic::Height() const
{
    return source_ ? source_().Height() : glyph_.Height();
}

void TTWGlyphCellGraphic::Draw(fw::Canvas& canvas, int x, int y) const
{
    const fw::Bitmap picture = Picture();
    if (picture.Empty()) {
        return;
    }
    canvas.Draw(x, y, picture);
}

TTWGlyphCellGraphic* SetGlyphCell(TILTreeNode& row, int column, fw::Bitmap glyph)
{
    TILTreeCellInfo* info = row.GetCellInfo(column);
    auto* graphic = new TTWGlyphCellGraphic(std::move(glyph));
    if (info->HasFlag(iltCellOwnsObject)) {
        delete info->CellObject();
    }
    info->SetCellObject(graphic);
    info->SetFlag(iltCellOwnsObject, true);
    info->SetObject(graphic);
    return graphic;
}

TTWGlyphCellGraphic* GlyphCellOf(TILTreeNode& row, int column)
{
    const TILTreeCellInfo* info = row.FindCellInfo(column);
    return info != nullptr ? dynamic_cast<TTWGlyphCellGraphic*>(info->GetObject()) : nullptr;
}
