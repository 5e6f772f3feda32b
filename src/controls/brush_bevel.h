#pragma once

#include "controls/bevel_rings.h"
#include "controls/control_brush.h"
#include "controls/il_brush.h"
#include "controls/notify_event.h"

// The look of an owner-drawn surface: a brush fill and up to two bevel rings around it
// (outer, then inner), square or rounded, with an optional opening in one side.
//
// The rectangles of the drawing routines are inclusive: Right and Bottom are the last
// pixel inside.
class TILBrushBevel : public fw::Persistent {
public:
    // The owner (may be none) is repainted on every change and realigned when the bevel
    // width changes. The fill is the button face colour; the outer ring is raised.
    explicit TILBrushBevel(TILBrushControl* owner = nullptr);
    ~TILBrushBevel() override;

    std::string_view className() const override { return "TILBrushBevel"; }
    fw::Object* NewInstance() const override { return new TILBrushBevel; }

    TILBrushControl* Owner() const { return owner_; }

    // Its changes reach Changed through its brush change event.
    TILBrush& FillBrush() { return fillBrush_; }
    const TILBrush& FillBrush() const { return fillBrush_; }
    // Copies the brush (TILBrush::Assign).
    void SetFillBrush(const TILBrush& brush);

    // Every setter stores and calls Changed, even when the value stays the same.
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    fw::Color BevelLight() const { return bevelLight_; }
    void SetBevelLight(fw::Color colour);
    fw::Color BevelDark() const { return bevelDark_; }
    void SetBevelDark(fw::Color colour);
    int BevelWidth() const { return bevelWidth_; }
    // A negative width is ignored (nothing fires); otherwise the owner realigns its
    // children, whose area depends on the width, before Changed.
    void SetBevelWidth(int width);
    TBevelEdges Edges() const { return edges_; }
    void SetEdges(TBevelEdges edges);

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    // From another bevel, through the setters (inner, outer, light, dark, fill, width,
    // edges), then Changed.
    void Assign(const fw::Persistent* source) override;
    // Fires OnChange, then repaints the owner.
    virtual void Changed();

    // Raised: light on the top and left, dark on the bottom and right; any other cut the
    // reverse.
    void GetBevelColours(TBevelCut cut, fw::Color& topLeft, fw::Color& bottomRight) const;

    // Fills rect with the fill brush (or, with useParentBrush and a windowed owner, the
    // brush of the owner's parent), then draws the outer ring of `width` lines on its
    // edge and the inner ring innerOffset (plus the outer ring's width) further in.
    void DrawSquare(fw::Canvas& canvas, const fw::Rect& rect, bool useParentBrush, int innerOffset,
                    const TILBevelGap& gap, int width);
    // As DrawSquare with rounded corners: the fill uses corner ellipses of twice the
    // roundings, the rings the roundings themselves. The rectangle is widened by one pixel
    // to the right and down before anything is drawn.
    void DrawRounded(fw::Canvas& canvas, const fw::Rect& rect, bool useParentBrush, int innerOffset,
                     const TILBevelGap& gap, int width, int vertRounding, int horzRounding);

private:
    void ApplyFill(fw::Canvas& canvas, bool useParentBrush);
    int InnerInset(int innerOffset, int width) const;

    TILBrushControl* owner_;
    TILBrush fillBrush_;
    TBevelCut bevelInner_ = TBevelCut::None;
    TBevelCut bevelOuter_ = TBevelCut::Raised;
    fw::Color bevelLight_ = fw::clBtnHighlight;
    fw::Color bevelDark_ = fw::clBtnShadow;
    int bevelWidth_ = 1;
    TBevelEdges edges_ = beAllEdges;
    TILNotifyEvent onChange_;
};
