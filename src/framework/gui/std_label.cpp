#include "framework/gui/std_label.h"

#include <algorithm>

#include "framework/core/encoding.h"
#include "framework/core/paint_backend.h"

namespace fw {

namespace {

// The longest byte prefix of word (whole characters, at least one) no wider than maxWidth.
std::size_t FittingPrefix(std::string_view word, int maxWidth, const TextMeasure& measure)
{
    std::size_t pos = 0;
    DecodeUtf8(word, pos);
    std::size_t fits = pos;
    while (pos < word.size()) {
        DecodeUtf8(word, pos);
        if (measure(word.substr(0, pos)) > maxWidth) {
            break;
        }
        fits = pos;
    }
    return fits;
}

void WrapParagraph(std::string_view paragraph, int maxWidth, const TextMeasure& measure,
                   std::vector<std::string>& lines)
{
    std::string line;
    std::size_t pos = 0;
    bool any = false;
    while (pos < paragraph.size()) {
        // The blanks before the next word, then the word.
        const std::size_t wordStart = paragraph.find_first_not_of(' ', pos);
        if (wordStart == std::string_view::npos) {
            break;
        }
        const std::string_view blanks = paragraph.substr(pos, wordStart - pos);
        std::size_t wordEnd = paragraph.find(' ', wordStart);
        if (wordEnd == std::string_view::npos) {
            wordEnd = paragraph.size();
        }
        std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
        pos = wordEnd;

        std::string candidate = line;
        candidate.append(blanks).append(word);
        if (line.empty() || measure(candidate) <= maxWidth) {
            if (line.empty()) {
                // A line starts with its word, without the blanks that led to it, unless
                // the paragraph itself starts with them.
                candidate = any ? std::string(word) : std::string(blanks).append(word);
            }
            line = std::move(candidate);
        } else {
            lines.push_back(std::move(line));
            line = std::string(word);
        }
        any = true;
        // A word too wide for a line on its own is cut between characters.
        while (measure(line) > maxWidth && line.size() > 1) {
            const std::size_t fits = FittingPrefix(line, maxWidth, measure);
            if (fits >= line.size()) {
                break;
            }
            lines.push_back(line.substr(0, fits));
            line.erase(0, fits);
        }
    }
    lines.push_back(std::move(line));
}

} // namespace

std::vector<std::string> SplitLabelLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> WrapLabelText(std::string_view text, int maxWidth, const TextMeasure& measure)
{
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitLabelLines(text)) {
        WrapParagraph(paragraph, maxWidth, measure, lines);
    }
    return lines;
}

// --- Label -----------------------------------------------------------------------------------------

Label::Label(Component* owner) : GraphicControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::Opaque));
    SetBounds(0, 0, 65, 17);
}

void Label::SetAutoSize(bool autoSize)
{
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        AdjustBounds();
    }
}

void Label::SetAlignment(fw::Alignment alignment)
{
    if (alignment != alignment_) {
        alignment_ = alignment;
        Invalidate();
    }
}

void Label::SetWordWrap(bool wordWrap)
{
    if (wordWrap != wordWrap_) {
        wordWrap_ = wordWrap;
        AdjustBounds();
        Invalidate();
    }
}

void Label::SetTransparent(bool transparent)
{
    if (transparent != transparent_) {
        transparent_ = transparent;
        SetControlStyle(ControlStyle().Set(ControlStyleFlag::Opaque, !transparent));
        Invalidate();
    }
}

std::vector<std::string> Label::Lines() const
{
    PaintBackend* backend = EffectivePaintBackend();
    if (!wordWrap_ || backend == nullptr) {
        return SplitLabelLines(Text());
    }
    const fw::Font& font = Font();
    return WrapLabelText(Text(), Width(),
                         [backend, &font](std::string_view text) { return backend->TextExtent(font, text).Width; });
}

void Label::AdjustBounds()
{
    PaintBackend* backend = EffectivePaintBackend();
    if (!autoSize_ || adjusting_ || backend == nullptr || Loading()) {
        return;
    }
    adjusting_ = true;
    const std::vector<std::string> lines = Lines();
    const int lineHeight = backend->TextExtent(Font(), "X").Height;
    int widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, backend->TextExtent(Font(), line).Width);
    }
    const int height = lineHeight * static_cast<int>(lines.size());
    if (wordWrap_) {
        SetBounds(Left(), Top(), Width(), height);
    } else {
        const int left = alignment_ == fw::Alignment::RightJustify ? Left() + Width() - widest : Left();
        SetBounds(left, Top(), widest, height);
    }
    adjusting_ = false;
}

void Label::SetParent(WinControl* parent)
{
    GraphicControl::SetParent(parent);
    AdjustBounds();
}

void Label::Loaded()
{
    GraphicControl::Loaded();
    AdjustBounds();
}

void Label::Dispatch(Message& message)
{
    GraphicControl::Dispatch(message);
    switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED: AdjustBounds(); break;
    case WM_SIZE:
        // A wrapped label's height follows its width.
        if (wordWrap_) {
            AdjustBounds();
        }
        break;
    default: break;
    }
}

void Label::Paint()
{
    fw::Canvas& canvas = Canvas();
    if (!transparent_) {
        canvas.Brush() = Brush{Color()};
        canvas.FillRect(ClientRect());
    }
    if (EffectivePaintBackend() == nullptr) {
        return;
    }
    canvas.Font() = Font();
    if (!Enabled()) {
        canvas.Font().Color = clGrayText;
    }
    canvas.Brush().Style = BrushStyle::Clear;
    const int lineHeight = canvas.TextHeight("X");
    int y = 0;
    for (const std::string& line : Lines()) {
        const int width = canvas.TextWidth(line);
        int x = 0;
        if (alignment_ == fw::Alignment::RightJustify) {
            x = Width() - width;
        } else if (alignment_ == fw::Alignment::Center) {
            x = (Width() - width) / 2;
        }
        canvas.TextOut(x, y, line);
        y += lineHeight;
    }
}

} // namespace fw
