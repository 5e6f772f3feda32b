#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/gui/control.h"

namespace fw {

// Where a control puts its text across its width.
enum class Alignment { LeftJustify, RightJustify, Center };

// A windowless caption, painted by our own code. Its lines are the caption split at its line
// breaks (CR LF, LF or CR) and, with WordWrap, wrapped at blanks to the label's width (a
// word wider than the label is cut between characters). Each line is placed by Alignment;
// the lines run from the top, one line height each.
//
// AutoSize (on by default) sizes the label to its text whenever the caption, the font, the
// word wrap or (while wrapping) the width changes: without WordWrap to the widest line and
// every line's height, keeping the right edge for right-justified text and the left edge
// otherwise; with WordWrap only the height follows, the width stays as set.
//
// A label takes its parent's colour (ParentColor) and fills its area with it; a Transparent
// one fills nothing and shows what lies beneath. Disabled, the text is grey.
class Label : public GraphicControl {
public:
    explicit Label(Component* owner = nullptr);

    std::string_view className() const override { return "TLabel"; }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    fw::Alignment Alignment() const { return alignment_; }
    void SetAlignment(fw::Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // The lines as they are drawn now (needs a paint backend; none: the unwrapped lines).
    std::vector<std::string> Lines() const;

    void SetParent(WinControl* parent) override;
    void Loaded() override;
    void Dispatch(Message& message) override;

protected:
    void Paint() override;

private:
    void AdjustBounds();

    bool autoSize_ = true;
    fw::Alignment alignment_ = fw::Alignment::LeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool adjusting_ = false;
};

// Word-wraps text for a label: split at line breaks, each paragraph filled word by word to
// maxWidth (blanks between words kept, blanks where a line breaks dropped), a word wider than
// maxWidth cut between characters (at least one character a line). Always one line at least.
using TextMeasure = std::function<int(std::string_view text)>;
std::vector<std::string> WrapLabelText(std::string_view text, int maxWidth, const TextMeasure& measure);
// The text split at CR LF, LF or CR; one line at least.
std::vector<std::string> SplitLabelLines(std::string_view text);

} // namespace fw
