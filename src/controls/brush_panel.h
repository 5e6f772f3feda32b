#pragma once

#include <string>

#include "controls/brush_bevel.h"
#include "controls/control_brush.h"
#include "controls/control_messages.h"
#include "controls/position.h"
#include "framework/gui/control.h"

class TILPanelComponentInfo;

// Sent by a brush panel to each of its children when its fill brush changed: a child that
// paints with its parent's brush repaints and passes the news on to its own children.
inline constexpr int WM_ILPANEL_PARENTBRUSHCHANGED = WM_IL_PARENTBRUSHCHANGED; // 1054
// Sent to a brush panel: act as if its own fill brush had changed.
inline constexpr int WM_ILPANEL_OWNBRUSHCHANGED = WM_IL_OWNBRUSHCHANGED; // 1055

// ApplyControlBrush for any framework control: the brush with which a child of `control`
// paints when it follows its parent. A brush panel gives its fill (up the chain of panels
// that follow their parents), any other control its colour as a solid brush. Nothing
// happens for no control.
void ApplyFrameworkControlBrush(const fw::Control* control, fw::Brush& dest);

// The owner-drawn container that carries most windows: it paints its whole area with a
// brush bevel (a fill, square or rounded corners, up to two rings, an optional opening in
// one side where a tab joins its page) and a caption. Children may paint with its brush
// (their ParentBrush) and hear of its changes through WM_ILPANEL_PARENTBRUSHCHANGED.
class TILBrushPanel : public fw::CustomControl, public TILBrushControl {
public:
    // 100 x 30, button-face fill with a raised outer ring, no caption.
    explicit TILBrushPanel(fw::Component* owner = nullptr);
    ~TILBrushPanel() override;

    std::string_view className() const override { return "TILBrushPanel"; }

    // --- Looks -----------------------------------------------------------------------------
    // The bevel that paints the panel. Its changes re-lay the children out and repaint; a
    // change of its fill brush also tells the children.
    TILBrushBevel& DrawData() { return drawData_; }
    const TILBrushBevel& DrawData() const { return drawData_; }
    // Copies the bevel; the control's Color takes the fill colour.
    void SetDrawData(const TILBrushBevel& bevel);

    TILTextPosition& CaptionPos() { return captionPos_; }
    const TILTextPosition& CaptionPos() const { return captionPos_; }
    void SetCaptionPos(const TILTextPosition& position);

    bool Rounded() const { return rounded_; }
    void SetRounded(bool rounded);
    int HorzRounding() const { return horzRounding_; }
    void SetHorzRounding(int rounding);
    int VertRounding() const { return vertRounding_; }
    void SetVertRounding(int rounding);
    // Pixels between the outer and the inner ring; aligned children keep off them too.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // Paint with the parent's brush instead of the own fill.
    bool ParentBrush() const { return parentBrush_; }
    void SetParentBrush(bool parentBrush);

    // The opening in one side (pages use it where the active tab joins them). Length and
    // offset only take (and repaint) while the panel has a gap.
    int GapLength() const { return gapLength_; }
    void SetGapLength(int length);
    int GapOffset() const { return gapOffset_; }
    void SetGapOffset(int offset);
    TGapSide GapSide() const { return gapSide_; }
    void SetGapSide(TGapSide side);
    bool HasGap() const { return hasGap_; }
    void SetHasGap(bool hasGap);
    // The opening as the bevel draws it for a panel whose top-left corner is at (x, y):
    // limits along the side, kept clear of the rounded corners and inside the panel.
    TILBevelGap GapLimits(int x, int y) const;

    // Stores the caption and repaints.
    void SetText(const std::string& text) override;

    // Fired after each paint.
    const fw::NotifyEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(fw::NotifyEvent handler) { onPaint_ = std::move(handler); }

    // --- Painting ----------------------------------------------------------------------
    // Paints the whole panel with its top-left corner at (x, y).
    virtual void DrawTo(fw::Canvas& canvas, int x, int y);
    // The caption inside the rings, embossed when the panel is disabled.
    virtual void DrawCaption(fw::Canvas& canvas, int x, int y);
    // Where the caption goes for a panel at (x, y): inside the rings and the caption
    // margins (the border width does not move it); the last column and row inside are
    // left out, as the wrapped-text drawing takes its rectangle.
    fw::Rect CaptionRect(int x, int y) const;
    // The client rectangle less the border and the rings: what aligned children fill.
    fw::Rect GetInnerClientRect() const;
    // Children first, then the panel.
    void Invalidate() override;

    // --- Framework overrides -------------------------------------------------------------
    // From another brush panel: bevel, roundings, border, gap and colour. From a panel
    // record: alignment, bevels, border, colour, cursor, font and hint.
    void Assign(const fw::Persistent* source) override;
    void Loaded() override;
    void SetEnabled(bool enabled) override;
    void SetParent(fw::WinControl* parent) override;
    void AdjustClientRect(fw::Rect& rect) override;
    void Dispatch(fw::Message& message) override;

    // --- TILBrushControl ---------------------------------------------------------------
    TILBrushControl* ParentControl() const override;
    bool Windowed() const override { return true; }
    void InvalidateControl() override { Invalidate(); }
    void RealignControl() override { Realign(); }
    const fw::Brush* ControlBrush() const override;
    TILBrush* PanelFillBrush() const override { return const_cast<TILBrush*>(&drawData_.FillBrush()); }
    bool PanelParentBrush() const override { return parentBrush_; }

protected:
    // To a panel record: the reverse of Assign; anything else goes to the framework.
    void AssignTo(fw::Persistent* destination) const override;
    void Paint() override;
    // The panel paints every pixel of its area itself.
    void EraseBackground() override {}

    // The bevel, the caption position or the font changed: colour, canvas font, layout and
    // repaint follow. Nothing while loading or being destroyed.
    virtual void LayoutChanged(fw::Object* sender);
    // The own fill changed (or WM_ILPANEL_OWNBRUSHCHANGED): repaint unless following the
    // parent, and tell every child. Nothing while loading or being destroyed.
    virtual void BrushChanged();
    // WM_ILPANEL_PARENTBRUSHCHANGED: only a panel that follows its parent repaints and
    // passes the news on.
    virtual void ParentBrushChanged();
    // Sends WM_ILPANEL_PARENTBRUSHCHANGED to every child control.
    void NotifyChildrenOfBrush();
    // Loading or being destroyed: the change handlers keep still.
    bool Quiet() const;

private:
    void AssignFromPanel(const TILBrushPanel& panel);
    void AssignFromRecord(const TILPanelComponentInfo& info);
    // Width of the rings that are drawn (each cut that is not None counts its bevel width).
    int RingsWidth() const;

    // A framework control that is not a brush panel, seen as a brush control: its colour as
    // a solid brush.
    class FrameworkParent : public TILBrushControl {
    public:
        explicit FrameworkParent(const fw::WinControl* control) : control_(control) {}
        void Reset(const fw::WinControl* control) { control_ = control; }
        TILBrushControl* ParentControl() const override { return nullptr; }
        bool Windowed() const override { return true; }
        void InvalidateControl() override {}
        void RealignControl() override {}
        const fw::Brush* ControlBrush() const override;

    private:
        const fw::WinControl* control_;
        mutable fw::Brush brush_;
    };

    TILBrushBevel drawData_;
    bool rounded_ = false;
    int horzRounding_ = 10;
    int vertRounding_ = 10;
    int borderWidth_ = 0;
    int gapLength_ = 50;
    int gapOffset_ = 10;
    TGapSide gapSide_ = TGapSide::Top;
    bool hasGap_ = false;
    bool parentBrush_ = false;
    TILTextPosition captionPos_;
    fw::NotifyEvent onPaint_;

    mutable FrameworkParent frameworkParent_{nullptr};
    mutable fw::Brush ownBrush_;
};

// A panel made by owner, named, placed on parent and aligned there: how windows build their
// trees of panels.
TILBrushPanel* NewAlignedBrushPanel(fw::Component& owner, fw::WinControl* parent, const char* name, fw::Align align);
