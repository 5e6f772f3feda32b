#include "controls/brush_bevel.h"

TILBrushBevel::TILBrushBevel(TILBrushControl* owner) : owner_(owner)
{
    fillBrush_.SetColour(fw::clBtnFace);
    fillBrush_.SetOnBrushChange([this](fw::Object*) { Changed(); });
}

TILBrushBevel::~TILBrushBevel()
{
    // The fill brush goes after this body; its last events must not reach a dead bevel.
    fillBrush_.SetOnBrushChange(nullptr);
    onChange_ = nullptr;
}

void TILBrushBevel::SetFillBrush(const TILBrush& brush)
{
    fillBrush_.Assign(&brush);
    Changed();
}

void TILBrushBevel::SetBevelInner(TBevelCut cut)
{
    bevelInner_ = cut;
    Changed();
}

void TILBrushBevel::SetBevelOuter(TBevelCut cut)
{
    bevelOuter_ = cut;
    Changed();
}

void TILBrushBevel::SetBevelLight(fw::Color colour)
{
    bevelLight_ = colour;
    Changed();
}

void TILBrushBevel::SetBevelDark(fw::Color colour)
{
    bevelDark_ = colour;
    Changed();
}

void TILBrushBevel::SetBevelWidth(int width)
{
    if (width < 0) {
        return;
    }
    bevelWidth_ = width;
    if (owner_ != nullptr && owner_->Windowed()) {
        owner_->RealignControl();
    }
    Changed();
}

void TILBrushBevel::SetEdges(TBevelEdges edges)
{
    edges_ = edges;
    Changed();
}

void TILBrushBevel::Assign(const fw::Persistent* source)
{
    const auto* bevel = dynamic_cast<const TILBrushBevel*>(source);
    if (bevel == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (bevel == this) {
        Changed();
        return;
    }
    SetBevelInner(bevel->bevelInner_);
    SetBevelOuter(bevel->bevelOuter_);
    SetBevelLight(bevel->bevelLight_);
    SetBevelDark(bevel->bevelDark_);
    SetFillBrush(bevel->fillBrush_);
    SetBevelWidth(bevel->bevelWidth_);
    SetEdges(bevel->edges_);
    Changed();
}

void TILBrushBevel::Changed()
{
    if (onChange_) {
        onChange_(this);
    }
    if (owner_ != nullptr) {
        owner_->InvalidateControl();
    }
}

void TILBrushBevel::GetBevelColours(TBevelCut cut, fw::Color& topLeft, fw::Color& bottomRight) const
{
    if (cut == TBevelCut::Raised) {
        topLeft = bevelLight_;
        bottomRight = bevelDark_;
    } else {
        topLeft = bevelDark_;
        bottomRight = bevelLight_;
    }
}

void TILBrushBevel::ApplyFill(fw::Canvas& canvas, bool useParentBrush)
{
    if (useParentBrush && owner_ != nullptr && owner_->Windowed()) {
        // The rounded fill is a shape: without a clear pen it would get an outline.
        canvas.Pen().Style = fw::PenStyle::Clear;
        ApplyControlBrush(owner_->ParentControl(), canvas.Brush());
    } else {
        fillBrush_.PaintTo(canvas);
    }
}

int TILBrushBevel::InnerInset(int innerOffset, int width) const
{
    return innerOffset + (bevelOuter_ != TBevelCut::None ? width : 0);
}

void TILBrushBevel::DrawSquare(fw::Canvas& canvas, const fw::Rect& rect, bool useParentBrush, int innerOffset,
                               const TILBevelGap& gap, int width)
{
    ApplyFill(canvas, useParentBrush);
    canvas.FillRect(fw::Rect{rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1});

    fw::Color topLeft = 0;
    fw::Color bottomRight = 0;
    if (bevelOuter_ != TBevelCut::None) {
        GetBevelColours(bevelOuter_, topLeft, bottomRight);
        DrawBevelLines(canvas, rect, width, edges_, topLeft, bottomRight, gap);
    }
    if (bevelInner_ != TBevelCut::None) {
        const int inset = InnerInset(innerOffset, width);
        const fw::Rect inner{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
        GetBevelColours(bevelInner_, topLeft, bottomRight);
        DrawBevelLines(canvas, inner, width, edges_, topLeft, bottomRight, gap);
    }
}

void TILBrushBevel::DrawRounded(fw::Canvas& canvas, const fw::Rect& rect, bool useParentBrush, int innerOffset,
                                const TILBevelGap& gap, int width, int vertRounding, int horzRounding)
{
    ApplyFill(canvas, useParentBrush);
    // A shape without an outline comes out one pixel short on the right and at the bottom,
    // so the rectangle grows by one there, and the fill by one more.
    const fw::Rect widened{rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1};
    canvas.RoundRect(fw::Rect{widened.Left, widened.Top, widened.Right + 1, widened.Bottom + 1}, 2 * horzRounding,
                     2 * vertRounding);

    fw::Color topLeft = 0;
    fw::Color bottomRight = 0;
    if (bevelOuter_ != TBevelCut::None) {
        GetBevelColours(bevelOuter_, topLeft, bottomRight);
        DrawRoundedBevelRing(canvas, widened, width, horzRounding, vertRounding, topLeft, bottomRight, gap);
    }
    if (bevelInner_ != TBevelCut::None) {
        const int inset = InnerInset(innerOffset, width);
        const fw::Rect inner{widened.Left + inset, widened.Top + inset, widened.Right - inset, widened.Bottom - inset};
        GetBevelColours(bevelInner_, topLeft, bottomRight);
        DrawRoundedBevelRing(canvas, inner, width, horzRounding, vertRounding, topLeft, bottomRight, gap);
    }
}
