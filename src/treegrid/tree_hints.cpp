#include "treegrid/tree_hints.h"

#include <algorithm>

#include "foundation/text_drawing.h"
#include "framework/core/paint_backend.h"
#include "framework/gui/application.h"
#include "framework/gui/timer.h"
#include "treegrid/tree_columns.h"
#include "treegrid/tree_draw_data.h"
#include "treegrid/tree_grid.h"
#include "treegrid/tree_headings.h"
#include "treegrid/tree_node.h"

// --- The hint window -----------------------------------------------------------------------------

TILTreeCellHintWindow::TILTreeCellHintWindow(fw::Component* owner) : fw::HintWindow(owner)
{
    SetColor(fw::App().HintColor());
}

void TILTreeCellHintWindow::Paint()
{
    fw::HintWindow::Paint();
    fw::Canvas& canvas = Canvas();
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Brush().Style = fw::BrushStyle::Clear;
    // The frame's last column and row are width - 2 and height - 2.
    canvas.Rectangle(0, 0, Width() - 1, Height() - 1);
}

// --- Measuring cells -----------------------------------------------------------------------------

namespace {

// Whether the text fits into a cell of that size in the font: wrapped, its lines' width and
// height; otherwise its one line's.
bool TextFits(fw::PaintBackend& backend, const fw::Font& font, const std::string& text, int width, int height,
              bool wrap)
{
    if (wrap) {
        fw::Bitmap scratch(1, 1);
        fw::Canvas canvas(scratch, &backend);
        canvas.Font() = font;
        const fw::Rect used = WrappedTextSize(canvas, width, text, true);
        return used.Width() <= width && used.Height() <= height;
    }
    const fw::Size size = backend.TextExtent(font, text);
    return size.Width <= width && size.Height <= height;
}

} // namespace

// --- The tree's hints ----------------------------------------------------------------------------

void TILTree::RemoveHint()
{
    if (hintTimer_) {
        hintTimer_->SetEnabled(false);
    }
    hintWindow_.reset();
}

void TILTree::RemoveHintUnlessAt(int x, int y)
{
    if (!hintWindow_) {
        return;
    }
    const fw::Point screen = ClientToScreen(fw::Point{x, y});
    const fw::Rect bounds = hintWindow_->BoundsRect();
    if (screen.X < bounds.Left || screen.X >= bounds.Right || screen.Y < bounds.Top || screen.Y >= bounds.Bottom) {
        RemoveHint();
    }
}

bool TILTree::HintTimerRunning() const
{
    return hintTimer_ && hintTimer_->Running();
}

void TILTree::StartHintTimer(const fw::Rect& cellRect)
{
    if (!ShowHint()) {
        return;
    }
    hintCellRect_ = cellRect;
    const bool hintShowing = (hintWindow_ && hintWindow_->Active())
                             || (fw::InputRouter::Current() != nullptr
                                 && fw::InputRouter::Current()->GetHintWindow().Active());
    if (!hintTimer_) {
        hintTimer_ = std::make_unique<fw::Timer>();
        hintTimer_->SetOnTimer([this](fw::Object*) { HintTimerFired(); });
    }
    hintTimer_->SetEnabled(false);
    hintTimer_->SetInterval(hintShowing ? fw::HintShortPause : fw::App().HintPause());
    hintTimer_->SetEnabled(true);
}

void TILTree::HintTimerFired()
{
    hintTimer_->SetEnabled(false);
    const fw::Point at = LastMousePoint();
    std::string hint;
    fw::Rect cell;
    int textLeft = 0;
    if (HintForPoint(at.X, at.Y, hint, cell, textLeft)) {
        ShowHintWindow(hint, cell, textLeft);
    }
}

bool TILTree::HintForPoint(int x, int y, std::string& hint, fw::Rect& cellRect, int& textLeft)
{
    const bool inHeading = y < HeadingHeight();
    TILTreeNode* node = inHeading ? nullptr : NodeAt(x, y);
    if (!inHeading && node == nullptr) {
        return false;
    }
    TILTreeColumnData* column = ColumnAt(x);
    TILTreeColumnHeaderCell* cell = inHeading ? HeadingCellAt(x, y) : nullptr;
    if (inHeading && cell == nullptr) {
        return false;
    }
    // The cell's own column: a joined heading cell stands for its group, shown by its anchor.
    TILTreeColumnData* cellColumn = cell != nullptr ? cell->Column() : column;
    if (cellColumn == nullptr || !cellColumn->IsVisible()) {
        return false;
    }
    if (node != nullptr && !IsNodePartlyInView(node)) {
        return false;
    }

    fw::Rect extents;
    fw::Rect band; // what the hint is centred on vertically: the row
    int indent = 0;
    if (cell != nullptr) {
        extents = HeadingCellExtents(cellColumn, cell->Row());
        band = extents;
        if (TILTreeHeadingRow* row = HeadingRowAt(y)) {
            band.Top = row->Top();
            band.Bottom = row->Bottom();
        }
    } else {
        extents = CellExtents(node, cellColumn);
        band = extents;
        if (cellColumn->Index() == TreeColumn()) {
            if (TILTreeColumnDrawData* drawData = CellDrawData(cellColumn, node)) {
                indent = ComputeIndentOffset(node, *drawData);
            }
        }
    }

    const fw::WeakRef<TILTree> self(this);
    if (const TILTreeGetHintEvent getHint = onGetHint_) {
        NodeWatch watch(*this, node);
        std::string asked;
        const bool show = getHint(this, node, column, cell, asked);
        if (!self || !show || asked.empty() || (cell == nullptr && node == nullptr)) {
            return false;
        }
        hint = asked;
    } else if (cell != nullptr && !cell->Hint().empty()) {
        hint = cell->Hint();
    } else {
        // A hint only for text the cell cuts: then it shows the whole text.
        const std::string text = cell != nullptr ? cell->Caption() : node->GetCellText(cellColumn->Index());
        if (text.empty()) {
            return false;
        }
        fw::PaintBackend* backend = EffectivePaintBackend();
        if (backend == nullptr) {
            return false;
        }
        TILTreeColumnDrawData* drawData =
            cell != nullptr ? HeadingDrawData(cellColumn) : CellDrawData(cellColumn, node);
        if (drawData == nullptr) {
            return false;
        }
        const fw::Font font = cell != nullptr ? drawData->Font() : CellFont(cellColumn, node, *drawData);
        if (!self) {
            return false;
        }
        const bool wrap = WrapsText(cellColumn->WrapOverride(), drawData->WordWrap());
        const int width = extents.Right - extents.Left + 1 - indent;
        const int height = extents.Bottom - extents.Top + 1;
        if (TextFits(*backend, font, text, width, height, wrap)) {
            return false;
        }
        hint = text;
    }
    cellRect = band;
    textLeft = std::min(extents.Left + indent, extents.Right);
    return true;
}

void TILTree::ShowHintWindow(const std::string& hint, const fw::Rect& cellRect, int textLeft)
{
    if (!hintWindow_) {
        hintWindow_ = std::make_shared<TILTreeCellHintWindow>();
    }
    const fw::Screen& screen = fw::GetScreen();
    const fw::Rect size = hintWindow_->CalcHintRect(screen.Width(), hint);
    const int width = size.Width();
    const int height = size.Height();
    const int rowHeight = cellRect.Bottom - cellRect.Top + 1;
    fw::Point at = ClientToScreen(fw::Point{textLeft, cellRect.Top + (rowHeight - height) / 2});
    // Wholly on the screen, the top-left corner winning where the hint is too large.
    at.X = std::max(0, std::min(at.X, screen.Width() - width));
    at.Y = std::max(0, std::min(at.Y, screen.Height() - height));
    hintWindow_->ActivateHint(fw::Rect{at.X, at.Y, at.X + width, at.Y + height}, hint);
}

void TILTree::HandleFreeHintMessage(fw::Message& /*message*/)
{
    RemoveHint();
    FreeFinishedDragObjects();
}
