#pragma once

#include <cstdint>
#include <string_view>

#include "controls/il_brush.h"
#include "controls/notify_event.h"
#include "foundation/text_layout.h"
#include "framework/core/canvas.h"

// Where a cell's text sits. The horizontal part is left for the Default and ...Left values,
// centred for ...Centre, right for ...Right; the vertical part is top for Top..., bottom for
// Bottom... and centred otherwise (Default included).
enum TILTreeTextJustify : std::uint8_t {
    iltJustifyDefault = 0,
    iltJustifyTopLeft,
    iltJustifyTopCentre,
    iltJustifyTopRight,
    iltJustifyCentreLeft,
    iltJustifyCentre,
    iltJustifyCentreRight,
    iltJustifyBottomLeft,
    iltJustifyBottomCentre,
    iltJustifyBottomRight,
};

// The name of a justification as the property editors show it ("Top Left" ...); empty
// outside the range.
std::string_view TILTreeTextJustifyName(TILTreeTextJustify justify);
TextAlignment HorizontalAlignment(TILTreeTextJustify justify);
TextAlignment VerticalAlignment(TILTreeTextJustify justify);

enum TILTreeTextWrapOverride : std::uint8_t { iltWrapDefault = 0, iltWrapEnabled, iltWrapDisabled };

// Whether text wraps: the override when it says so, else the draw data's own choice.
bool WrapsText(TILTreeTextWrapOverride wrapOverride, bool drawDataWraps);

// One edge line of a cell: a pen with an Enabled flag. It counts as drawn only when
// enabled and its pen is not clear.
class TILTreeCellBorder : public fw::Persistent {
public:
    TILTreeCellBorder() = default;

    std::string_view className() const override { return "TILTreeCellBorder"; }
    fw::Object* NewInstance() const override { return new TILTreeCellBorder; }

    const fw::Pen& Pen() const { return pen_; }
    void SetPen(const fw::Pen& pen);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Counts() const { return enabled_ && pen_.Style != fw::PenStyle::Clear; }
    // The pixels the border takes from the cell: the pen width when enabled, else 0.
    int UsedWidth() const { return enabled_ ? pen_.Width : 0; }

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    void Assign(const fw::Persistent* source) override;

private:
    void Changed();

    fw::Pen pen_;
    bool enabled_ = false;
    TILNotifyEvent onChange_;
};

// The four edge lines of a cell.
class TILTreeCellBorders : public fw::Persistent {
public:
    TILTreeCellBorders();

    std::string_view className() const override { return "TILTreeCellBorders"; }
    fw::Object* NewInstance() const override { return new TILTreeCellBorders; }

    TILTreeCellBorder& Left() { return left_; }
    TILTreeCellBorder& Top() { return top_; }
    TILTreeCellBorder& Right() { return right_; }
    TILTreeCellBorder& Bottom() { return bottom_; }
    const TILTreeCellBorder& Left() const { return left_; }
    const TILTreeCellBorder& Top() const { return top_; }
    const TILTreeCellBorder& Right() const { return right_; }
    const TILTreeCellBorder& Bottom() const { return bottom_; }
    // Whether any of the four counts as drawn.
    bool AnyCounts() const;

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    void Assign(const fw::Persistent* source) override;

private:
    void Changed();

    TILTreeCellBorder left_;
    TILTreeCellBorder top_;
    TILTreeCellBorder right_;
    TILTreeCellBorder bottom_;
    TILNotifyEvent onChange_;
};

// The space kept between a cell's edges and its text; it applies only while Enabled.
class TILTreeCellTextMargins : public fw::Persistent {
public:
    TILTreeCellTextMargins() = default;

    std::string_view className() const override { return "TILTreeCellTextMargins"; }
    fw::Object* NewInstance() const override { return new TILTreeCellTextMargins; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    int Right() const { return right_; }
    void SetRight(int value);
    int Bottom() const { return bottom_; }
    void SetBottom(int value);
    // The margins in effect: the values when enabled, else 0.
    int UsedLeft() const { return enabled_ ? left_ : 0; }
    int UsedTop() const { return enabled_ ? top_ : 0; }
    int UsedRight() const { return enabled_ ? right_ : 0; }
    int UsedBottom() const { return enabled_ ? bottom_ : 0; }

    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }

    void Assign(const fw::Persistent* source) override;

private:
    void Changed();

    bool enabled_ = true;
    int left_ = 2;
    int top_ = 0;
    int right_ = 2;
    int bottom_ = 0;
    TILNotifyEvent onChange_;
};

// The settings of one kind of cell (normal, selected, edited, heading): font, background,
// borders, text margins, justification and word wrap. Any change of any part is reported
// through OnChange (the owning column repaints its heading, the tree repaints).
class TILTreeColumnDrawData : public fw::Persistent {
public:
    TILTreeColumnDrawData();
    ~TILTreeColumnDrawData() override;

    std::string_view className() const override { return "TILTreeColumnDrawData"; }
    fw::Object* NewInstance() const override { return new TILTreeColumnDrawData; }

    const fw::Font& Font() const { return font_; }
    void SetFont(const fw::Font& font);
    TILBrush& Background() { return background_; }
    const TILBrush& Background() const { return background_; }
    TILTreeCellBorders& Borders() { return borders_; }
    const TILTreeCellBorders& Borders() const { return borders_; }
    TILTreeCellTextMargins& TextMargins() { return textMargins_; }
    const TILTreeCellTextMargins& TextMargins() const { return textMargins_; }
    TILTreeTextJustify Justify() const { return justify_; }
    void SetJustify(TILTreeTextJustify justify);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    // The handler hears of every change; the owner is whoever installed it (the column or
    // the tree), kept so that the handler can be told apart when draw data is shared.
    const TILNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TILNotifyEvent handler) { onChange_ = std::move(handler); }
    fw::Object* ChangeOwner() const { return changeOwner_; }
    void SetChangeOwner(fw::Object* owner) { changeOwner_ = owner; }

    // Copies font, background, borders, margins, justification and wrap; reports one change.
    void Assign(const fw::Persistent* source) override;

    // The width the left and right borders and margins take from a cell's text, as far as
    // they are enabled; the same for top and bottom.
    int HorizontalInsets() const;
    int VerticalInsets() const;

private:
    void Changed();

    fw::Font font_;
    TILBrush background_;
    TILTreeCellBorders borders_;
    TILTreeCellTextMargins textMargins_;
    TILTreeTextJustify justify_ = iltJustifyCentreLeft;
    bool wordWrap_ = false;
    TILNotifyEvent onChange_;
    fw::Object* changeOwner_ = nullptr;
    // Assign reports one change, not one per part.
    int quiet_ = 0;
};
