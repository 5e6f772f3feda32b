#include "treegrid/tree_draw_data.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 10> JustifyNames{
    "Default", "Top Left", "Top Centre", "Top Right", "Centre Left",
    "Centre",  "Centre Right", "Bottom Left", "Bottom Centre", "Bottom Right"};

void Notify(const TILNotifyEvent& handler, fw::Object* sender)
{
    if (handler) {
        handler(sender);
    }
}

} // namespace

std::string_view TILTreeTextJustifyName(TILTreeTextJustify justify)
{
    const auto index = static_cast<std::size_t>(justify);
    return index < JustifyNames.size() ? JustifyNames[index] : std::string_view{};
}

TextAlignment HorizontalAlignment(TILTreeTextJustify justify)
{
    switch (justify) {
    case iltJustifyTopCentre:
    case iltJustifyCentre:
    case iltJustifyBottomCentre:
        return TextAlignment::Centre;
    case iltJustifyTopRight:
    case iltJustifyCentreRight:
    case iltJustifyBottomRight:
        return TextAlignment::End;
    default:
        return TextAlignment::Start;
    }
}

TextAlignment VerticalAlignment(TILTreeTextJustify justify)
{
    switch (justify) {
    case iltJustifyTopLeft:
    case iltJustifyTopCentre:
    case iltJustifyTopRight:
        return TextAlignment::Start;
    case iltJustifyBottomLeft:
    case iltJustifyBottomCentre:
    case iltJustifyBottomRight:
        return TextAlignment::End;
    default:
        return TextAlignment::Centre;
    }
}

bool WrapsText(TILTreeTextWrapOverride wrapOverride, bool drawDataWraps)
{
    switch (wrapOverride) {
    case iltWrapEnabled:
        return true;
    case iltWrapDisabled:
        return false;
    default:
        return drawDataWraps;
    }
}

// --- Borders ---------------------------------------------------------------------------------

void TILTreeCellBorder::SetPen(const fw::Pen& pen)
{
    if (pen_ != pen) {
        pen_ = pen;
        Changed();
    }
}

void TILTreeCellBorder::SetEnabled(bool enabled)
{
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Changed();
    }
}

void TILTreeCellBorder::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeCellBorder*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    pen_ = other->pen_;
    enabled_ = other->enabled_;
    Changed();
}

void TILTreeCellBorder::Changed()
{
    Notify(onChange_, this);
}

TILTreeCellBorders::TILTreeCellBorders()
{
    const auto relay = [this](fw::Object*) { Changed(); };
    left_.SetOnChange(relay);
    top_.SetOnChange(relay);
    right_.SetOnChange(relay);
    bottom_.SetOnChange(relay);
}

bool TILTreeCellBorders::AnyCounts() const
{
    return left_.Counts() || top_.Counts() || right_.Counts() || bottom_.Counts();
}

void TILTreeCellBorders::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeCellBorders*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    // One change for the whole set: the parts report to nobody while they are copied.
    TILNotifyEvent handler = std::move(onChange_);
    onChange_ = nullptr;
    left_.Assign(&other->left_);
    top_.Assign(&other->top_);
    right_.Assign(&other->right_);
    bottom_.Assign(&other->bottom_);
    onChange_ = std::move(handler);
    Changed();
}

void TILTreeCellBorders::Changed()
{
    Notify(onChange_, this);
}

// --- Margins ---------------------------------------------------------------------------------

void TILTreeCellTextMargins::SetEnabled(bool enabled)
{
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Changed();
    }
}

void TILTreeCellTextMargins::SetLeft(int value)
{
    if (left_ != value) {
        left_ = value;
        Changed();
    }
}

void TILTreeCellTextMargins::SetTop(int value)
{
    if (top_ != value) {
        top_ = value;
        Changed();
    }
}

void TILTreeCellTextMargins::SetRight(int value)
{
    if (right_ != value) {
        right_ = value;
        Changed();
    }
}

void TILTreeCellTextMargins::SetBottom(int value)
{
    if (bottom_ != value) {
        bottom_ = value;
        Changed();
    }
}

void TILTreeCellTextMargins::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeCellTextMargins*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    enabled_ = other->enabled_;
    left_ = other->left_;
    top_ = other->top_;
    right_ = other->right_;
    bottom_ = other->bottom_;
    Changed();
}

void TILTreeCellTextMargins::Changed()
{
    Notify(onChange_, this);
}

// --- Draw data -------------------------------------------------------------------------------

TILTreeColumnDrawData::TILTreeColumnDrawData()
{
    const auto relay = [this](fw::Object*) { Changed(); };
    background_.SetOnBrushChange(relay);
    borders_.SetOnChange(relay);
    textMargins_.SetOnChange(relay);
}

TILTreeColumnDrawData::~TILTreeColumnDrawData()
{
    // The parts are freed after this object: they must not call back into it.
    background_.SetOnBrushChange(nullptr);
    borders_.SetOnChange(nullptr);
    textMargins_.SetOnChange(nullptr);
}

void TILTreeColumnDrawData::SetFont(const fw::Font& font)
{
    if (!(font_ == font)) {
        font_ = font;
        Changed();
    }
}

void TILTreeColumnDrawData::SetJustify(TILTreeTextJustify justify)
{
    if (justify_ != justify) {
        justify_ = justify;
        Changed();
    }
}

void TILTreeColumnDrawData::SetWordWrap(bool wordWrap)
{
    if (wordWrap_ != wordWrap) {
        wordWrap_ = wordWrap;
        Changed();
    }
}

void TILTreeColumnDrawData::Assign(const fw::Persistent* source)
{
    const auto* other = dynamic_cast<const TILTreeColumnDrawData*>(source);
    if (other == nullptr) {
        fw::Persistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    ++quiet_;
    try {
        font_ = other->font_;
        background_.Assign(&other->background_);
        borders_.Assign(&other->borders_);
        textMargins_.Assign(&other->textMargins_);
        justify_ = other->justify_;
        wordWrap_ = other->wordWrap_;
    } catch (...) {
        --quiet_;
        throw;
    }
    --quiet_;
    Changed();
}

int TILTreeColumnDrawData::HorizontalInsets() const
{
    return borders_.Left().UsedWidth() + borders_.Right().UsedWidth() + textMargins_.UsedLeft() +
           textMargins_.UsedRight();
}

int TILTreeColumnDrawData::VerticalInsets() const
{
    return borders_.Top().UsedWidth() + borders_.Bottom().UsedWidth() + textMargins_.UsedTop() +
           textMargins_.UsedBottom();
}

void TILTreeColumnDrawData::Changed()
{
    if (quiet_ == 0) {
        Notify(onChange_, this);
    }
}
