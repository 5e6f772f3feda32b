// Drawing one cell of a tree: its draw data and font, background, borders and content, and
// in the tree column the lines, the expand button and the node's image.

#include <algorithm>
#include <optional>

#include "foundation/text_drawing.h"
#include "framework/core/paint_backend.h"
#include "framework/core/region.h"
#include "framework/gui/image_list.h"
#include "treegrid/tree_cell.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_icons.h"
#include "treegrid/tree_node.h"
#include "treegrid/tree_properties.h"

namespace {

// The inclusive extents of a cell as the exclusive rectangle the canvas fills.
fw::Rect Filled(const fw::Rect& extents)
{
    return fw::Rect{extents.Left, extents.Top, extents.Right + 1, extents.Bottom + 1};
}

// Narrows the canvas clip for a scope and puts the old one back however the scope ends.
class ClipScope {
public:
    ClipScope(fw::Canvas& canvas, const fw::Rect& rect) : canvas_(canvas), saved_(canvas.ClipRegion())
    {
        canvas_.IntersectClipRect(rect);
    }
    ~ClipScope() { canvas_.SetClipRegion(saved_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    fw::Canvas& canvas_;
    std::optional<fw::Region> saved_;
};

// Draws a picture with its transparent colour left out.
void DrawTransparent(fw::Canvas& canvas, int x, int y, const fw::Bitmap& picture, fw::Color transparent)
{
    if (transparent == fw::clNone || transparent == iltColourNotSet) {
        canvas.Draw(x, y, picture);
        return;
    }
    fw::Bitmap keyed(picture);
    keyed.SetTransparentColor(transparent);
    keyed.SetTransparent(true);
    canvas.Draw(x, y, keyed);
}

// One vertical or horizontal line of one pixel from (x1, y1) to (x2, y2), both included.
void Line(fw::Canvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    if (x1 == x2) {
        canvas.LineTo(x2, y2 + (y2 >= y1 ? 1 : -1));
    } else {
        canvas.LineTo(x2 + (x2 >= x1 ? 1 : -1), y2);
    }
}

// The pen of a border as one-pixel lines (the width is drawn as that many lines).
void UseBorderPen(fw::Canvas& canvas, const TILTreeCellBorder& border)
{
    canvas.Pen() = border.Pen();
    canvas.Pen().Width = 1;
}

// The next sibling that is not hidden, none.
const TILTreeNode* NextShownSibling(const TILTreeNode* node)
{
    const TILTreeNode* parent = node->Parent();
    if (parent == nullptr) {
        return nullptr;
    }
    for (int i = node->GetIndex() + 1; i < parent->GetCount(); ++i) {
        const TILTreeNode* sibling = parent->GetItem(i);
        if (!sibling->Hidden()) {
            return sibling;
        }
    }
    return nullptr;
}

TextAlignment Horizontal(TILTreeTextJustify justify)
{
    return HorizontalAlignment(justify);
}

TextAlignment Vertical(TILTreeTextJustify justify)
{
    return VerticalAlignment(justify);
}

} // namespace

// --- Draw data and fonts ----------------------------------------------------------------------------

TILTreeColumnDrawData* TILTree::CellDrawData(TILTreeColumnData* column, TILTreeNode* node)
{
    if (column == nullptr) {
        return defaultDrawNormal_.get();
    }
    if (node != nullptr && IsEditingCell(node, column->Index())) {
        return drawEdit_.get();
    }
    if (onGetDrawData_) {
        const TILTreeDrawDataMode mode = node != nullptr && node->Selected() ? TILTreeDrawDataMode::Select
                                                                             : TILTreeDrawDataMode::Normal;
        if (TILTreeColumnDrawData* chosen = onGetDrawData_(this, column, node, mode)) {
            return chosen;
        }
    }
    if (node != nullptr && node->Selected()) {
        return column->UseDefaultSelectStyle() ? defaultDrawSelect_.get() : &column->SelectDraw();
    }
    return column->UseDefaultNormalStyle() ? defaultDrawNormal_.get() : &column->NormalDraw();
}

TILTreeColumnDrawData* TILTree::HeadingDrawData(TILTreeColumnData* column) const
{
    if (headings_->UseColumnSettings() && column != nullptr) {
        return &column->NormalDraw();
    }
    return &headings_->DrawStyle();
}

fw::Font TILTree::CellFont(TILTreeColumnData* column, TILTreeNode* node, const TILTreeColumnDrawData& drawData)
{
    fw::Font font = drawData.Font();
    if (node != nullptr && column != nullptr) {
        const TILTreeCellInfo* info = node->FindCellInfo(column->Index());
        if (info != nullptr && info->HasFlag(iltCellOwnFont) && info->Font() != nullptr) {
            font = *info->Font();
        } else if (node->Font() != nullptr) {
            font = *node->Font();
        }
        if ((node->DrawFlags() & iltDrawOverrideFont) != 0 && onOverrideFont_) {
            onOverrideFont_(this, column, node, font);
        }
    }
    return font;
}

int TILTree::CellWidthFor(TILTreeColumnData* column, TILTreeNode* node, std::string_view text)
{
    fw::PaintBackend* backend = EffectivePaintBackend();
    if (column == nullptr || node == nullptr || backend == nullptr) {
        return 0;
    }
    const TILTreeColumnDrawData* drawData = CellDrawData(column, node);
    if (drawData == nullptr) {
        drawData = defaultDrawNormal_.get();
    }
    // As painting places the text: after the indent in the tree column, else after the
    // left margin, and before the right margin.
    const int before = column->Index() == treeColumn_ ? ComputeIndentOffset(node, *drawData)
                                                      : drawData->TextMargins().UsedLeft();
    const int textWidth = backend->TextExtent(CellFont(column, node, *drawData), text).Width;
    return before + textWidth + drawData->TextMargins().UsedRight();
}

// --- The tree column --------------------------------------------------------------------------------

int TILTree::LevelIndent(const TILTreeNode* node) const
{
    return node == nullptr ? 0 : std::max(node->Level() - 1, 0) * indent_;
}

int TILTree::ButtonArea() const
{
    if (HasOption(TILTreeDisplayOption::iltShowLines) && !HasOption(TILTreeDisplayOption::iltNoTopLevelLine)) {
        return indent_;
    }
    return HasOption(TILTreeDisplayOption::iltShowButtons) ? indent_ : 0;
}

namespace {

// Whether the node shows an image in the tree column: its own image of Icons, or else the
// value image of its tree-column cell.
bool ShowsNodeImage(const TILTree& tree, const TILTreeNode* node)
{
    if (tree.HasOption(TILTreeDisplayOption::iltShowIcons) && tree.ValidIconIndex(node->ImageIndex())) {
        return true;
    }
    const TILTreeCellInfo* info = node->FindCellInfo(tree.TreeColumn());
    return info != nullptr && info->HasValue();
}

// The width of a cell's value image, 0 when it shows none.
int ValueImageWidth(const TILTree& tree, const TILTreeCellInfo* info)
{
    if (info == nullptr || !info->HasValue()) {
        return 0;
    }
    if (info->ValueKind() == iltValueInteger) {
        return tree.ValidIconIndex(info->GetInteger()) ? tree.IconWidth() : 0;
    }
    const TILTreeCellGraphic* graphic = info->GetGraphic();
    return graphic != nullptr ? graphic->Width() : 0;
}

} // namespace

int TILTree::ComputeIndentOffset(TILTreeNode* node, const TILTreeColumnDrawData& drawData)
{
    if (node == nullptr) {
        return 0;
    }
    int offset = LevelIndent(node) + ButtonArea() + 2;
    if (ShowsNodeImage(*this, node)) {
        offset += (icons_ != nullptr ? IconWidth() : defaultNodeHeight_) + iconMargin_;
    }
    offset += drawData.TextMargins().UsedLeft();
    node->SetIndentOffset(offset);
    return offset;
}

fw::Point TILTree::ButtonCentre(const TILTreeNode* node) const
{
    const TILTreeColumnData* column = GetColumn(treeColumn_);
    if (node == nullptr || column == nullptr) {
        return fw::Point{-1, -1};
    }
    EnsureLayout();
    const int x = column->Left() + LevelIndent(node) + ButtonArea() / 2;
    const int y = (node->Top() + node->Top() + node->Height() - 1) / 2;
    return fw::Point{x, y};
}

const fw::Bitmap* TILTree::ButtonImage(int form) const
{
    switch (buttonIcons_->Kind()) {
    case iltBtnIconDefault: {
        static constexpr std::string_view names[] = {"ILTREE_BTNICON_MINUS", "ILTREE_BTNICON_PLUS",
                                                     "ILTREE_BTNICON_WAIT"};
        return form >= 0 && form <= 2 ? TreeSharedImage(names[form]) : nullptr;
    }
    case iltBtnIconOverride: {
        const fw::Bitmap* own = buttonIcons_->GetImage(form);
        return own != nullptr && !own->Empty() ? own : nullptr;
    }
    default:
        return nullptr;
    }
}

void TILTree::DrawExpandButton(fw::Canvas& canvas, fw::Point centre, int form)
{
    if (buttonIcons_->Kind() != iltBtnIconNone) {
        const fw::Bitmap* image = ButtonImage(form);
        if (image == nullptr) {
            return;
        }
        const fw::Color key = buttonIcons_->Kind() == iltBtnIconDefault ? fw::Color{0xFF00FF}
                                                                         : buttonIcons_->TransparentColour();
        DrawTransparent(canvas, centre.X - image->Width() / 2, centre.Y - image->Height() / 2, *image, key);
        return;
    }
    // The drawn button: a 9 x 9 box in the button colour with a grey frame, and a plus, a
    // minus or (waiting) three dots in the line colour's dark grey.
    const fw::Rect box{centre.X - 4, centre.Y - 4, centre.X + 5, centre.Y + 5};
    canvas.Pen() = fw::Pen{0x808080, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Brush() = fw::Brush{colourButton_, fw::BrushStyle::Solid, nullptr};
    canvas.Rectangle(box);
    canvas.Pen().Color = 0x000000;
    switch (form) {
    case TILTreeButtonMinus:
        Line(canvas, centre.X - 2, centre.Y, centre.X + 2, centre.Y);
        break;
    case TILTreeButtonPlus:
        Line(canvas, centre.X - 2, centre.Y, centre.X + 2, centre.Y);
        Line(canvas, centre.X, centre.Y - 2, centre.X, centre.Y + 2);
        break;
    default:
        canvas.SetPixel(centre.X - 2, centre.Y, 0x000000);
        canvas.SetPixel(centre.X, centre.Y, 0x000000);
        canvas.SetPixel(centre.X + 2, centre.Y, 0x000000);
        break;
    }
}

void TILTree::PaintTreeColumnDecoration(fw::Canvas& canvas, TILTreeNode* node, const fw::Rect& extents,
                                        const TILTreeColumnDrawData& drawData)
{
    (void)drawData;
    const int buttonArea = ButtonArea();
    const int x = extents.Left + LevelIndent(node) + buttonArea / 2;
    const int middle = (extents.Top + extents.Bottom) / 2;
    const bool noTopLevelLine = HasOption(TILTreeDisplayOption::iltNoTopLevelLine);
    if (HasOption(TILTreeDisplayOption::iltShowLines) && !(noTopLevelLine && node->Level() == 1)) {
        canvas.Pen() = fw::Pen{colourLine_, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
        const bool firstOfTree = root_->FirstVisibleChild() == node;
        const int lineTop = firstOfTree ? middle : extents.Top;
        const TILTreeNode* nextSibling = NextShownSibling(node);
        const int lineBottom = nextSibling != nullptr ? extents.Bottom + 1 + HorzGridWidth() : middle;
        if (lineBottom > lineTop) {
            canvas.MoveTo(x, lineTop);
            canvas.LineTo(x, lineBottom);
        }
        canvas.MoveTo(x, middle);
        canvas.LineTo(x + indent_ / 2, middle);
        for (const TILTreeNode* ancestor = node->Parent(); ancestor != nullptr && !ancestor->IsRoot();
             ancestor = ancestor->Parent()) {
            if (noTopLevelLine && ancestor->Level() == 1) {
                continue;
            }
            if (NextShownSibling(ancestor) != nullptr) {
                const int ax = extents.Left + LevelIndent(ancestor) + buttonArea / 2;
                canvas.MoveTo(ax, extents.Top);
                canvas.LineTo(ax, extents.Bottom + 1 + HorzGridWidth());
            }
        }
    }
    const bool hasButton = node->State() != iltNodeBusy
                           && ((node->HasChildren() && HasOption(TILTreeDisplayOption::iltShowButtons))
                               || node->State() == iltNodeExpandable);
    if (hasButton) {
        DrawExpandButton(canvas, fw::Point{x, middle},
                         node->Expanded() ? TILTreeButtonMinus : TILTreeButtonPlus);
    }
    // The node's image after the button area, centred on the row.
    const int imageLeft = extents.Left + LevelIndent(node) + buttonArea + 2;
    if (HasOption(TILTreeDisplayOption::iltShowIcons) && ValidIconIndex(node->ImageIndex())) {
        DrawIcon(canvas, imageLeft, (extents.Top + extents.Bottom + 1 - IconHeight()) / 2, node->ImageIndex());
    } else if (const TILTreeCellInfo* info = node->FindCellInfo(treeColumn_); info != nullptr && info->HasValue()) {
        if (info->ValueKind() == iltValueInteger) {
            DrawIcon(canvas, imageLeft, (extents.Top + extents.Bottom + 1 - IconHeight()) / 2, info->GetInteger());
        } else if (const TILTreeCellGraphic* graphic = info->GetGraphic()) {
            graphic->Draw(canvas, imageLeft, (extents.Top + extents.Bottom + 1 - graphic->Height()) / 2);
        }
    }
}

void TILTree::DrawWaitButton(TILTreeNode* node)
{
    if (node == nullptr || node->Tree() != this || treeColumn_ < 0 || treeColumn_ >= GetColumnCount()
        || Parent() == nullptr || ControlState().Contains(fw::ControlStateFlag::Destroying)) {
        return;
    }
    const TILTreeButtonIconKind kind = buttonIcons_->Kind();
    const bool drawable = kind == iltBtnIconNone || (kind == iltBtnIconDefault && ButtonImage(TILTreeButtonWait) != nullptr)
                          || (kind == iltBtnIconOverride && ButtonImage(TILTreeButtonWait) != nullptr);
    if (!drawable || !IsNodePartlyInView(node)) {
        return;
    }
    TILTreeColumnData* column = GetColumn(treeColumn_);
    const fw::Rect extents = CellExtents(node, column);
    fw::Canvas& canvas = Canvas();
    const std::optional<fw::Region> saved = canvas.ClipRegion();
    canvas.SetClipRegion(fw::Region(fw::Rect{0, 0, DataWidth(), DataHeight()}));
    canvas.IntersectClipRect(Filled(extents));
    const int x = extents.Left + LevelIndent(node) + ButtonArea() / 2;
    DrawExpandButton(canvas, fw::Point{x, (extents.Top + extents.Bottom) / 2}, TILTreeButtonWait);
    canvas.SetClipRegion(saved);
    MirrorToScrollWindow(Filled(extents));
}

// --- One cell ------------------------------------------------------------------------------------

void TILTree::DrawCell(fw::Canvas& canvas, TILTreeColumnData* column, TILTreeNode* node, const fw::Rect& extents,
                       bool withBackground)
{
    TILTreeColumnDrawData* drawData = CellDrawData(column, node);
    const int columnIndex = column->Index();
    fw::WeakRef<TILTree> self(this);
    node->DoBeforeDrawCell(canvas, column, extents, drawData);
    if (!self) {
        return;
    }
    TILTreeCellInfo* info = node->FindCellInfo(columnIndex);
    const fw::Rect cellArea = Filled(extents);
    const fw::Rect contentArea{0, 0, DataWidth(), DataHeight()};

    if (withBackground) {
        ClipScope clip(canvas, contentArea);
        if (info != nullptr && info->HasBackColour()) {
            canvas.Brush() = fw::Brush{info->BackColour(), fw::BrushStyle::Solid, nullptr};
        } else {
            drawData->Background().ApplyToBrush(canvas.Brush());
        }
        if ((node->DrawFlags() & iltDrawOverrideBack) != 0 && onOverrideBack_) {
            onOverrideBack_(this, column, node, canvas.Brush());
        }
        canvas.FillRect(cellArea);
    }

    const TILTreeCellBorders& borders = drawData->Borders();
    if (borders.AnyCounts()) {
        ClipScope clip(canvas, cellArea);
        // Each border is its width in one-pixel lines, each one pixel further inside.
        if (borders.Left().Counts()) {
            UseBorderPen(canvas, borders.Left());
            for (int i = 0; i < borders.Left().Pen().Width; ++i) {
                Line(canvas, extents.Left + i, extents.Top, extents.Left + i, extents.Bottom);
            }
        }
        if (borders.Top().Counts()) {
            UseBorderPen(canvas, borders.Top());
            for (int i = 0; i < borders.Top().Pen().Width; ++i) {
                Line(canvas, extents.Left, extents.Top + i, extents.Right, extents.Top + i);
            }
        }
        if (borders.Right().Counts()) {
            UseBorderPen(canvas, borders.Right());
            for (int i = 0; i < borders.Right().Pen().Width; ++i) {
                Line(canvas, extents.Right - i, extents.Top, extents.Right - i, extents.Bottom);
            }
        }
        if (borders.Bottom().Counts()) {
            UseBorderPen(canvas, borders.Bottom());
            for (int i = 0; i < borders.Bottom().Pen().Width; ++i) {
                Line(canvas, extents.Left, extents.Bottom - i, extents.Right, extents.Bottom - i);
            }
        }
    }

    {
        ClipScope clip(canvas, cellArea);
        const bool treeColumn = columnIndex == treeColumn_;
        const TILTreeCellTextMargins& margins = drawData->TextMargins();
        int textLeft = extents.Left + margins.UsedLeft();
        if (treeColumn) {
            textLeft = extents.Left + ComputeIndentOffset(node, *drawData);
            PaintTreeColumnDecoration(canvas, node, extents, *drawData);
        } else if (info != nullptr && info->HasValue()) {
            // The value image, placed by the cell's alignment and moved by its offset.
            const int width = ValueImageWidth(*this, info);
            const int height = info->ValueKind() == iltValueInteger
                                   ? IconHeight()
                                   : (info->GetGraphic() != nullptr ? info->GetGraphic()->Height() : 0);
            const int cellWidth = extents.Right - extents.Left + 1;
            const int cellHeight = extents.Bottom - extents.Top + 1;
            int x = extents.Left;
            if (info->HorzAlign() == 1) {
                x += (cellWidth - width) / 2;
            } else if (info->HorzAlign() == 2) {
                x += cellWidth - width;
            }
            int y = extents.Top;
            if (info->VertAlign() == 1) {
                y += (cellHeight - height) / 2;
            } else if (info->VertAlign() == 2) {
                y += cellHeight - height;
            }
            x += info->Offset().X;
            y += info->Offset().Y;
            if (info->ValueKind() == iltValueInteger) {
                DrawIcon(canvas, x, y, info->GetInteger());
            } else if (const TILTreeCellGraphic* graphic = info->GetGraphic()) {
                graphic->Draw(canvas, x, y);
            }
        }
        if (info == nullptr || !info->HasFlag(iltCellHideText)) {
            const std::string& text = node->CellTextRef(columnIndex);
            if (!text.empty()) {
                const TILTreeTextJustify justify =
                    column->JustifyOverride() != iltJustifyDefault ? column->JustifyOverride() : drawData->Justify();
                const bool wrap = WrapsText(column->WrapOverride(), drawData->WordWrap());
                canvas.Font() = CellFont(column, node, *drawData);
                canvas.Brush().Style = fw::BrushStyle::Clear;
                canvas.Brush().Bitmap = nullptr;
                const fw::Rect box{textLeft, extents.Top + margins.UsedTop(), extents.Right + 1 - margins.UsedRight(),
                                   extents.Bottom + 1 - margins.UsedBottom()};
                DrawWrappedText(canvas, box, cellArea, 0, 0, wrap, Vertical(justify), Horizontal(justify), text);
            }
        }
    }
    if (!self) {
        return;
    }
    node->DoAfterDrawCell(canvas, column, extents, drawData);
}
