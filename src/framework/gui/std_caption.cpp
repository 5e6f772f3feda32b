#include "framework/gui/std_caption.h"

#include "framework/core/encoding.h"

namespace fw {

MnemonicCaption ParseMnemonic(std::string_view caption)
{
    MnemonicCaption result;
    bool marked = false;
    for (std::size_t pos = 0; pos < caption.size();) {
        if (caption[pos] == '&' && pos + 1 < caption.size()) {
            ++pos;
            if (caption[pos] != '&' && !marked) {
                // The first single '&' marks the character after it.
                const std::size_t start = pos;
                DecodeUtf8(caption, pos);
                result.Begin = result.Text.size();
                result.Text.append(caption.substr(start, pos - start));
                result.End = result.Text.size();
                marked = true;
                continue;
            }
            if (caption[pos] != '&') {
                continue;
            }
        }
        result.Text.push_back(caption[pos]);
        ++pos;
    }
    return result;
}

void DrawMnemonicCaption(Canvas& canvas, int x, int y, const MnemonicCaption& caption)
{
    canvas.TextOut(x, y, caption.Text);
    if (caption.End <= caption.Begin) {
        return;
    }
    const std::string_view text(caption.Text);
    const int left = x + canvas.TextWidth(text.substr(0, caption.Begin));
    const int right = x + canvas.TextWidth(text.substr(0, caption.End));
    const int underline = y + canvas.TextHeight(text) - 1;
    const Pen saved = canvas.Pen();
    canvas.Pen() = Pen{canvas.Font().Color};
    canvas.MoveTo(left, underline);
    canvas.LineTo(right, underline);
    canvas.Pen() = saved;
}

} // namespace fw
