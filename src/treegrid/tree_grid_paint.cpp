// Painting a tree: the painting pass over headings, rows and the empty areas around them,
// single rows and cells painted at once, and the heading cells.

#include <algorithm>
#include <optional>
#include <vector>

#include "controls/il_brush.h"
#include "controls/scroll_bar.h"
#include "foundation/text_drawing.h"
#include "framework/core/region.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_grid_scroll_window.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

namespace {

fw::Rect Filled(const fw::Rect& extents)
{
    return fw::Rect{extents.Left, extents.Top, extents.Right + 1, extents.Bottom + 1};
}

fw::Rect Intersect(const fw::Rect& a, const fw::Rect& b)
{
    return fw::Rect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
}

void Line(fw::Canvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    if (x1 == x2) {
        canvas.LineTo(x2, y2 + 1);
    } else {
        canvas.LineTo(x2 + 1, y2);
    }
}

// A clip region narrowed to a rectangle (none: the rectangle alone).
fw::Region ClipWith(const std::optional<fw::Region>& clip, const fw::Rect& rect)
{
    return clip.has_value() ? clip->Intersected(rect) : fw::Region(rect);
}

// Draws the frame edges of a heading cell (inclusive extents) with the draw data's borders;
// an inverted cell takes each edge's pen from the opposite edge.
void DrawFrame(fw::Canvas& canvas, const fw::Rect& extents, const TILTreeCellBorders& borders, TILTreeCellEdges frame,
               bool inverted)
{
    const auto penOf = [&](TILTreeCellEdge edge) -> const TILTreeCellBorder& {
        switch (edge) {
        case iltEdgeLeft:
            return inverted ? borders.Right() : borders.Left();
        case iltEdgeTop:
            return inverted ? borders.Bottom() : borders.Top();
        case iltEdgeRight:
            return inverted ? borders.Left() : borders.Right();
        default:
            return inverted ? borders.Top() : borders.Bottom();
        }
    };
    const auto ownOf = [&](TILTreeCellEdge edge) -> const TILTreeCellBorder& {
        switch (edge) {
        case iltEdgeLeft:
            return borders.Left();
        case iltEdgeTop:
            return borders.Top();
        case iltEdgeRight:
            return borders.Right();
        default:
            return borders.Bottom();
        }
    };
    for (TILTreeCellEdge edge : {iltEdgeLeft, iltEdgeTop, iltEdgeRight, iltEdgeBottom}) {
        if (!frame.Contains(edge) || !ownOf(edge).Counts()) {
            continue;
        }
        const TILTreeCellBorder& border = penOf(edge);
        if (border.Pen().Style == fw::PenStyle::Clear) {
            continue;
        }
        canvas.Pen() = border.Pen();
        canvas.Pen().Width = 1;
        for (int i = 0; i < border.Pen().Width; ++i) {
            switch (edge) {
            case iltEdgeLeft:
                Line(canvas, extents.Left + i, extents.Top, extents.Left + i, extents.Bottom);
                break;
            case iltEdgeTop:
                Line(canvas, extents.Left, extents.Top + i, extents.Right, extents.Top + i);
                break;
            case iltEdgeRight:
                Line(canvas, extents.Right - i, extents.Top, extents.Right - i, extents.Bottom);
                break;
            default:
                Line(canvas, extents.Left, extents.Bottom - i, extents.Right, extents.Bottom - i);
                break;
            }
        }
    }
}

} // namespace

// --- When painting happens ---------------------------------------------------------------------------

bool TILTree::CanPaintNow() const
{
    const fw::ControlState state = ControlState();
    return !IsUpdating() && Parent() != nullptr && !state.Contains(fw::ControlStateFlag::Creating)
           && !state.Contains(fw::ControlStateFlag::Loading) && !state.Contains(fw::ControlStateFlag::Destroying);
}

void TILTree::EraseBackground()
{
    // Every pixel is painted by the pass itself.
}

void TILTree::MirrorToScrollWindow(const fw::Rect& area)
{
    const fw::Rect under = Intersect(area, scrollWindow_->BoundsRect());
    if (under.IsEmpty()) {
        return;
    }
    scrollWindow_->InvalidateRect(fw::Rect{under.Left - scrollWindow_->Left(), under.Top - scrollWindow_->Top(),
                                           under.Right - scrollWindow_->Left(), under.Bottom - scrollWindow_->Top()});
    if (!ControlState().Contains(fw::ControlStateFlag::Painting)) {
        scrollWindow_->Update();
    }
}

void TILTree::Paint()
{
    if (!CanPaintNow()) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> clip = canvas.ClipRegion();
    const fw::Rect area = clip.has_value() ? clip->Bounds() : ClientRect();
    PaintPass(canvas, TILTreePaintAll, area);
    // The scroll window shows these pixels: it follows once this paint is done.
    const fw::Region painted = ClipWith(clip, scrollWindow_->BoundsRect());
    if (!painted.IsEmpty()) {
        scrollWindow_->InvalidateRegion(painted.Offsetted(-scrollWindow_->Left(), -scrollWindow_->Top()));
    }
}

void TILTree::PaintWithFlags(int flags)
{
    if (!CanPaintNow()) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    PaintPass(canvas, flags, ClientRect());
    MirrorToScrollWindow(ClientRect());
}

// --- The pass ----------------------------------------------------------------------------------------

void TILTree::PaintPass(fw::Canvas& canvas, int flags, const fw::Rect& area)
{
    EnsureLayout();
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    const int dataWidth = DataWidth();
    const int dataHeight = DataHeight();
    const int heading = HeadingHeight();
    paintClip_ = ClipWith(saved, fw::Rect{0, 0, dataWidth, dataHeight});
    fw::WeakRef<TILTree> self(this);

    if ((flags & TILTreePaintHeadings) != 0 && area.Top < heading) {
        PaintHeadings(canvas, flags, area);
    }

    // The rows that overlap both the data band and the area.
    const int bandTop = std::max(heading, area.Top);
    const int bandBottom = std::min(dataHeight, area.Bottom);
    for (std::size_t i = FirstRowReaching(bandTop); i < rows_.size() && RowTop(i) < bandBottom; ++i) {
        PaintRow(canvas, rows_[i], flags, area);
        if (!self) {
            return;
        }
        if (rowsDirty_) {
            // A drawing event changed the rows: the next paint shows them.
            Invalidate();
            break;
        }
    }

    canvas.SetClipRegion(paintClip_);
    TILBrush& normalBackground = defaultDrawNormal_->Background();
    const TILTreeColumnData* last = LastVisibleColumn();
    if ((flags & TILTreePaintScrolled) != 0) {
        if (last == nullptr) {
            // No columns: nothing but the empty background below the headings.
            normalBackground.ApplyToBrush(canvas.Brush());
            canvas.FillRect(fw::Rect{0, heading, dataWidth, dataHeight});
        } else if (last->VisibleRight() < dataWidth) {
            normalBackground.ApplyToBrush(canvas.Brush());
            canvas.FillRect(fw::Rect{last->VisibleRight() + 1 + VertGridWidth(), headings_->FillTop() ? heading : 0,
                                     dataWidth, dataHeight});
        }
    }
    const int rowsEnd = rows_.empty() ? heading : RowBottom(rows_.size() - 1) + 1 + HorzGridWidth();
    if (rowsEnd < dataHeight) {
        normalBackground.ApplyToBrush(canvas.Brush());
        canvas.FillRect(fw::Rect{0, std::max(rowsEnd, heading), dataWidth, dataHeight});
    }

    canvas.SetClipRegion(ClipWith(saved, ClientRect()));
    cornerImageShown_ = vertBar_->Visible() && horzBar_->Visible();
    if (cornerImageShown_) {
        const fw::Rect corner{ClientWidth() - vertBar_->Width(), ClientHeight() - horzBar_->Height(), ClientWidth(),
                              ClientHeight()};
        canvas.Brush() = fw::Brush{fw::clBtnFace, fw::BrushStyle::Solid, nullptr};
        canvas.FillRect(corner);
        if (const fw::Bitmap* logo = TreeSharedImage("ILTREE_ILLOGO")) {
            canvas.Draw(ClientWidth() - 16, ClientHeight() - 16, *logo);
        }
    }
    canvas.SetClipRegion(saved);
}

// --- Rows ------------------------------------------------------------------------------------------

void TILTree::PaintRow(fw::Canvas& canvas, TILTreeNode* node, int flags, const fw::Rect& area)
{
    if (IsUpdating() || Parent() == nullptr) {
        return;
    }
    const bool fillBackground = (flags & TILTreePaintBackground) != 0 || node->Selected()
                                || (node->DrawFlags() & iltDrawOverrideBack) != 0;
    const int top = node->Top();
    const int bottom = top + node->Height() - 1;
    const int gridWidth = VertGridWidth();
    const int gridHeight = HorzGridWidth();
    const int fixedWidth = FixedWidth();
    const int clientWidth = ClientWidth();

    // The cells to paint, merged runs as one cell from the run's first column.
    struct PaintedCell {
        TILTreeColumnData* Column;
        fw::Rect Extents;
        bool Fixed;
    };
    std::vector<PaintedCell> cells;
    const int count = GetColumnCount();
    const int lastVisible = columns_->LastVisibleIndex();
    for (int i = 0; i < count && i <= lastVisible; ++i) {
        TILTreeColumnData* column = GetColumn(i);
        if (column->IsHidden()) {
            continue;
        }
        // A run of cells merged to the right, and the first cell after it.
        int end = i;
        for (int j = i; j < count && j < lastVisible; ++j) {
            const TILTreeCellInfo* info = node->FindCellInfo(j);
            if (GetColumn(j)->IsHidden()) {
                continue;
            }
            if (info == nullptr || !info->HasFlag(iltCellMergeRight)) {
                break;
            }
            int next = j + 1;
            while (next <= lastVisible && GetColumn(next)->IsHidden()) {
                ++next;
            }
            if (next > lastVisible) {
                break;
            }
            end = next;
            j = next - 1;
        }
        const bool fixed = i < fixedColumns_;
        const fw::Rect extents{column->Left(), top, GetColumn(end)->Right(), bottom};
        const int firstIndex = i;
        i = end;
        if ((fixed && (flags & TILTreePaintFixed) == 0) || (!fixed && (flags & TILTreePaintScrolled) == 0)) {
            continue;
        }
        if (!GetColumn(firstIndex)->IsVisible() && !GetColumn(end)->IsVisible()) {
            continue;
        }
        if (extents.Right + gridWidth < area.Left || extents.Left >= area.Right) {
            continue;
        }
        cells.push_back(PaintedCell{column, extents, fixed});
    }

    const auto clipFor = [&](const PaintedCell& cell) {
        fw::Region clip = paintClip_.has_value() ? *paintClip_ : fw::Region(ClientRect());
        if (!cell.Fixed) {
            // Scrolled cells never cover the fixed ones.
            clip = clip.Intersected(fw::Rect{fixedWidth, 0, clientWidth, ClientHeight()});
        }
        return clip;
    };

    fw::WeakRef<TILTree> self(this);
    // Backgrounds and grid lines first.
    for (const PaintedCell& cell : cells) {
        canvas.SetClipRegion(clipFor(cell));
        TILTreeColumnDrawData* drawData = CellDrawData(cell.Column, node);
        drawData->Background().ApplyToBrush(canvas.Brush());
        if ((node->DrawFlags() & iltDrawOverrideBack) != 0 && onOverrideBack_) {
            onOverrideBack_(this, cell.Column, node, canvas.Brush());
            if (!self) {
                return;
            }
        }
        if (fillBackground) {
            canvas.FillRect(Filled(cell.Extents));
        }
        if (gridWidth > 0 || gridHeight > 0) {
            canvas.Pen() = gridPen_;
            canvas.Pen().Width = 1;
        }
        for (int g = 0; g < gridWidth; ++g) {
            const int x = cell.Extents.Right + 1 + g;
            Line(canvas, x, top, x, bottom + gridHeight);
        }
        for (int g = 0; g < gridHeight; ++g) {
            const int y = top + node->Height() + g;
            const int right = std::min(cell.Extents.Right + 1 + gridWidth, clientWidth - 1);
            Line(canvas, cell.Extents.Left, y, right, y);
        }
    }

    // Then the contents.
    const bool noDefaultDraw = HasOption(TILTreeDisplayOption::iltNoDefaultDraw);
    for (const PaintedCell& cell : cells) {
        canvas.SetClipRegion(clipFor(cell));
        TILTreeColumnData* column = cell.Column;
        if (noDefaultDraw) {
            if (!column->DefaultDraw() && column->OnDraw()) {
                column->OnDraw()(column, node, cell.Extents, canvas);
            }
        } else {
            if (column->DefaultDraw()) {
                DrawCell(canvas, column, node, cell.Extents, false);
                if (!self) {
                    return;
                }
            }
            if (column->OnDraw()) {
                column->OnDraw()(column, node, cell.Extents, canvas);
            }
        }
        if (!self) {
            return;
        }
    }
    canvas.SetClipRegion(paintClip_);
    node->DoDrawNode();
    if (!self) {
        return;
    }
    canvas.SetClipRegion(paintClip_);
    if ((flags & TILTreePaintCellControls) != 0 && cellControlNodes_.count(node) > 0) {
        UpdateCellControls(node, false);
    }
}

void TILTree::RepaintNode(TILTreeNode* node)
{
    // A layout still marked out of date means the whole control waits for a paint already
    // (see InvalidateForLayout): the row comes with it, and filling a large tree outside a
    // bracket costs no layout per changed cell.
    if (!CanPaintNow() || node == nullptr || node->Tree() != this || rowsDirty_ || topsDirty_ || barsDirty_
        || columnsDirty_ || !IsNodePartlyInView(node)) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    paintClip_ = fw::Region(fw::Rect{0, 0, DataWidth(), DataHeight()});
    const fw::Rect row{0, node->Top(), DataWidth(), node->Top() + node->Height() + HorzGridWidth()};
    fw::WeakRef<TILTree> self(this);
    PaintRow(canvas, node, TILTreePaintFixed | TILTreePaintScrolled | TILTreePaintBackground, row);
    if (!self) {
        return;
    }
    canvas.SetClipRegion(saved);
    MirrorToScrollWindow(row);
}

void TILTree::RepaintCell(TILTreeNode* node, int columnIndex)
{
    TILTreeColumnData* column = GetColumn(columnIndex);
    if (!CanPaintNow() || node == nullptr || column == nullptr || node->Tree() != this || !IsNodePartlyInView(node)
        || column->IsHidden() || !column->IsVisible()) {
        return;
    }
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    fw::Region clip(fw::Rect{0, 0, DataWidth(), DataHeight()});
    if (columnIndex >= fixedColumns_) {
        clip = clip.Intersected(fw::Rect{FixedWidth(), 0, ClientWidth(), ClientHeight()});
    }
    canvas.SetClipRegion(clip);
    const fw::Rect extents = CellExtents(node, column);
    DrawCell(canvas, column, node, extents, true);
    canvas.SetClipRegion(saved);
    MirrorToScrollWindow(Filled(extents));
}

// --- Headings --------------------------------------------------------------------------------------

void TILTree::RepaintHeadings()
{
    InvalidateRect(fw::Rect{0, 0, ClientWidth(), HeadingHeight()});
}

void TILTree::RepaintColumnHeading(TILTreeColumnData* column)
{
    (void)column;
    // A column's width change moves every column right of it as well.
    RepaintHeadings();
}

void TILTree::PaintHeadings(fw::Canvas& canvas, int flags, const fw::Rect& area)
{
    if (!headings_->Show()) {
        return;
    }
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    const int dataWidth = DataWidth();
    const int dataHeight = DataHeight();
    const int heading = HeadingHeight();
    const int fixedWidth = FixedWidth();
    const int gridWidth = VertGridWidth();
    const TILTreeHeadingRowCollection& headingRows = headings_->HeadingRows();
    const TILTreeColumnData* last = LastVisibleColumn();
    TILTreeColumnDrawData& style = headings_->DrawStyle();

    if (last == nullptr) {
        // No columns: the heading band is one empty strip.
        canvas.SetClipRegion(ClipWith(saved, fw::Rect{0, 0, dataWidth, dataHeight}));
        (headings_->FillTop() ? style.Background() : defaultDrawNormal_->Background()).ApplyToBrush(canvas.Brush());
        canvas.FillRect(fw::Rect{0, 0, dataWidth, heading});
        canvas.SetClipRegion(saved);
        return;
    }

    std::vector<const TILTreeColumnHeaderCell*> drawnGroups;
    for (int pass = 0; pass < 2; ++pass) {
        const bool fixedPass = pass == 0;
        if ((fixedPass && (flags & TILTreePaintFixed) == 0) || (!fixedPass && (flags & TILTreePaintScrolled) == 0)) {
            continue;
        }
        const fw::Rect clipRect = fixedPass ? fw::Rect{0, 0, dataWidth, dataHeight}
                                            : fw::Rect{fixedWidth, 0, dataWidth, dataHeight};
        canvas.SetClipRegion(ClipWith(saved, clipRect));
        const int from = fixedPass ? 0 : fixedColumns_;
        const int to = fixedPass ? std::min(fixedColumns_, GetColumnCount()) : GetColumnCount();
        for (int i = from; i < to; ++i) {
            TILTreeColumnData* column = GetColumn(i);
            if (column->IsHidden()) {
                continue;
            }
            const bool visible = column->IsVisible() && column->Right() + gridWidth >= area.Left
                                 && column->Left() < area.Right;
            if (visible) {
                for (int row = 0; row < headingRows.Count() && row < column->Headers().Count(); ++row) {
                    if (!headingRows.GetItem(row)->IsVisible()) {
                        continue;
                    }
                    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(row);
                    const TILTreeHeadingCellGroup group = columns_->HeadingCellGroup(cell);
                    const TILTreeColumnHeaderCell* anchor = group.Anchor != nullptr ? group.Anchor : cell;
                    if (std::find(drawnGroups.begin(), drawnGroups.end(), anchor) != drawnGroups.end()) {
                        continue;
                    }
                    drawnGroups.push_back(anchor);
                    TILTreeColumnData* anchorColumn = anchor->Column() != nullptr ? anchor->Column() : column;
                    PaintHeadingCell(canvas, anchorColumn, anchor->Row());
                }
                canvas.Pen() = gridPen_;
                canvas.Pen().Width = 1;
                for (int g = 0; g < gridWidth; ++g) {
                    Line(canvas, column->Right() + 1 + g, 0, column->Right() + 1 + g, heading - 1);
                }
            }
            if (column == last && headings_->FillTop()) {
                // The strip right of the last column, in heading style.
                const int left = column->Right() + 1 + gridWidth;
                if (left < dataWidth) {
                    for (int row = 0; row < headingRows.Count(); ++row) {
                        const TILTreeHeadingRow* headingRow = headingRows.GetItem(row);
                        if (!headingRow->IsVisible()) {
                            continue;
                        }
                        const fw::Rect strip{left, headingRow->Top(), dataWidth - 1, headingRow->Bottom()};
                        style.Background().ApplyToBrush(canvas.Brush());
                        canvas.FillRect(Filled(strip));
                        DrawFrame(canvas, strip, style.Borders(), headingRow->DefaultFrame(), false);
                    }
                }
            }
        }
    }
    canvas.SetClipRegion(saved);
}

void TILTree::PaintHeadingCell(fw::Canvas& canvas, TILTreeColumnData* column, int headingRow)
{
    if (column == nullptr || headingRow < 0 || headingRow >= column->Headers().Count()) {
        return;
    }
    TILTreeColumnHeaderCell* cell = column->Headers().GetItem(headingRow);
    const fw::Rect extents = HeadingCellExtents(column, headingRow);
    if (extents.Right < extents.Left || extents.Bottom < extents.Top) {
        return;
    }
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    canvas.IntersectClipRect(Filled(extents));
    TILTreeColumnDrawData* drawData = HeadingDrawData(column);

    TILBrush background;
    background.Assign(&drawData->Background());
    if (onGetHeaderBack_) {
        onGetHeaderBack_(this, cell, background);
    }
    background.ApplyToBrush(canvas.Brush());
    canvas.FillRect(Filled(extents));
    DrawFrame(canvas, extents, drawData->Borders(), cell->Frame(), cell->IsInverted());

    fw::Rect textRect{extents.Left + drawData->TextMargins().UsedLeft(), extents.Top + drawData->TextMargins().UsedTop(),
                      extents.Right - drawData->TextMargins().UsedRight(),
                      extents.Bottom - drawData->TextMargins().UsedBottom()};
    if (headingRow == 0 && column->Index() == lastSortedColumn_) {
        const TILTreeColumnSortIcons& icons =
            column->SortIcons().Kind() == iltBtnIconDefault ? headings_->SortIcons() : column->SortIcons();
        if (icons.Kind() != iltBtnIconNone) {
            const fw::Bitmap* image =
                icons.SortImage(ShowsAscendingSortImage(column->AutoSort(), column->LastSortAscending()));
            if (image != nullptr && !image->Empty()) {
                const fw::Point origin = icons.Position().CalcGraphicOrigin(*image, textRect);
                fw::Bitmap keyed(*image);
                const fw::Color key = icons.EffectiveTransparentColour();
                if (key != iltColourNotSet) {
                    keyed.SetTransparentColor(key);
                    keyed.SetTransparent(true);
                }
                canvas.Draw(origin.X, origin.Y, keyed);
                icons.Position().ExcludeGraphic(origin, *image, textRect);
            }
        }
    }
    if (ValidIconIndex(cell->IconIndex())) {
        const fw::Point origin = cell->IconPos().CalcOrigin(IconWidth(), IconHeight(), textRect);
        DrawIcon(canvas, origin.X, origin.Y, cell->IconIndex());
        cell->IconPos().ExcludeFromRect(origin, IconWidth(), textRect, IconHeight());
    }
    if (!cell->Caption().empty()) {
        TILTreeTextJustify justify = cell->Justify();
        if (justify == iltJustifyDefault) {
            justify = drawData->Justify();
        }
        if (justify == iltJustifyDefault) {
            justify = column->HeaderJustify();
        }
        if (justify == iltJustifyDefault) {
            justify = column->NormalDraw().Justify();
        }
        const bool wrap = WrapsText(cell->WrapOverride(), drawData->WordWrap());
        fw::Font font = drawData->Font();
        if (onGetHeaderFont_) {
            onGetHeaderFont_(this, cell, font);
        }
        canvas.Font() = font;
        canvas.Brush().Style = fw::BrushStyle::Clear;
        canvas.Brush().Bitmap = nullptr;
        const fw::Rect box{textRect.Left, textRect.Top, textRect.Right + 1, textRect.Bottom + 1};
        DrawWrappedText(canvas, box, Filled(extents), 0, 0, wrap, VerticalAlignment(justify),
                        HorizontalAlignment(justify), cell->Caption());
    }
    canvas.SetClipRegion(saved);
}
