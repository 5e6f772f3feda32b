// The front image's margins: pick and card numbers, and the card threading rows.

#include "editors/weaving_image_frame_margins.h"

#include <string>

#include "model/card_list.h"
#include "model/palette.h"
#include "model/turning_codes.h"
#include "model/weaving.h"

namespace {

constexpr int TurnedDownwards = -900;
// How many line heights a pick or card number may run to, at most: the room looked at when
// deciding whether a number can reach into the area being painted.
constexpr int MaxTextLength = 8;

fw::Font MarginFont(int height)
{
    fw::Font font;
    font.Name = "Times New Roman";
    font.Height = height;
    font.Color = fw::clBlack;
    return font;
}

bool Near(const fw::Rect& area, const fw::Rect& box)
{
    return box.Left < area.Right && area.Left < box.Right && box.Top < area.Bottom && area.Top < box.Bottom;
}

fw::Rect Shifted(const fw::Rect& rect, fw::Point offset)
{
    return fw::Rect{rect.Left + offset.X, rect.Top + offset.Y, rect.Right + offset.X, rect.Bottom + offset.Y};
}

} // namespace

TWeavingImageMargins::TWeavingImageMargins(const TWeavingImageGeometry& geometry, bool pickTags, bool cardThreading,
                                           const TWeavingImageCardLists& cards)
    : geometry_(geometry), cards_(cards)
{
    tagMargins_ = pickTags && geometry.CellWidth() >= 5;
    const TTWCardBase* firstCard = cards.Main != nullptr ? cards.Main->GetCard(0) : nullptr;
    threadingRows_ = cardThreading && firstCard != nullptr;
    holeRows_ = threadingRows_ ? firstCard->GetHoleCount() + 1 : 0;
}

fw::Size TWeavingImageMargins::ImageSize() const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int w = geometry_.CellWidth();
    const int d = geometry_.SlantDepth();
    const int threading = holeRows_ * w;
    if (geometry_.Horizontal()) {
        return fw::Size{cells.Width + (tagMargins_ ? 2 * w : 0) + threading, cells.Height + (tagMargins_ ? 2 * d : 0)};
    }
    return fw::Size{cells.Width + (tagMargins_ ? 2 * d : 0), cells.Height + (tagMargins_ ? 2 * w : 0) + threading};
}

int TWeavingImageMargins::ThreadingStart() const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int tagMargin = tagMargins_ ? 2 * geometry_.CellWidth() : 0;
    return (geometry_.Horizontal() ? cells.Width : cells.Height) + tagMargin;
}

void TWeavingImageMargins::Draw(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving, fw::Color backColour,
                                const fw::Rect& area) const
{
    if (tagMargins_) {
        DrawPickTags(canvas, offset, weaving, backColour, area);
    }
    if (threadingRows_) {
        DrawThreadingRows(canvas, offset, backColour, area);
    }
}

// --- Pick tags ------------------------------------------------------------------------------------

void TWeavingImageMargins::DrawPickTags(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving,
                                        fw::Color backColour, const fw::Rect& area) const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int w = geometry_.CellWidth();
    const int d = geometry_.SlantDepth();
    const int right = cells.Width + (geometry_.Horizontal() ? 2 * w : 2 * d);
    const int bottom = cells.Height + (geometry_.Horizontal() ? 2 * d : 2 * w);
    canvas.Brush() = fw::Brush{backColour, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(Shifted(fw::Rect{cells.Width, 0, right, bottom}, offset));
    canvas.FillRect(Shifted(fw::Rect{0, cells.Height, right, bottom}, offset));
    if (canvas.Backend() == nullptr) {
        return;
    }
    canvas.Brush().Style = fw::BrushStyle::Clear;
    DrawPickNumbers(canvas, offset, weaving, area);
    DrawCardNumbers(canvas, offset, area);
    DrawCardArrow(canvas, offset);
    canvas.Brush().Style = fw::BrushStyle::Solid;
}

void TWeavingImageMargins::DrawPickNumbers(fw::Canvas& canvas, fw::Point offset, const TTWWeaving& weaving,
                                           const fw::Rect& area) const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int d = geometry_.SlantDepth();
    const int columns = geometry_.Columns();
    const bool horizontal = geometry_.Horizontal();
    canvas.Font() = MarginFont(d);
    const int line = canvas.TextHeight("0");
    // Numbers must keep their distance from the one written before, so every pick is
    // placed from the first on; only those near the area are drawn.
    bool first = true;
    int previous = 0;
    for (int pick = 1; pick <= geometry_.Picks(); ++pick) {
        // The edge the number stands beside: the last column's far side (vertical), the
        // first column's lower side (horizontal).
        const TTWWeavingCell* cell = weaving.Cell(horizontal ? 0 : columns - 1, pick - 1);
        if (cell == nullptr) {
            continue;
        }
        const TWeavingCellPolygon polygon = geometry_.CellPolygon(weaving, *cell);
        const int position = horizontal ? (polygon[1].X + polygon[2].X + d) / 2 : (polygon[1].Y + polygon[2].Y - d) / 2;
        if (!first && previous - position < d) {
            continue;
        }
        first = false;
        previous = position;
        // Only the numbers near the area are drawn: a long band has thousands, and text
        // is slow. A number is no longer than MaxTextLength line heights.
        if (horizontal) {
            const fw::Point at{position, cells.Height + 1};
            if (Near(area, fw::Rect{at.X - line, at.Y, at.X + 1, at.Y + MaxTextLength * line})) {
                canvas.TextOutRotated(at.X + offset.X, at.Y + offset.Y, TurnedDownwards, std::to_string(pick));
            }
        } else {
            const fw::Point at{cells.Width + 1, position};
            if (Near(area, fw::Rect{at.X, at.Y, at.X + MaxTextLength * line, at.Y + line})) {
                canvas.TextOut(at.X + offset.X, at.Y + offset.Y, std::to_string(pick));
            }
        }
    }
}

void TWeavingImageMargins::DrawCardNumbers(fw::Canvas& canvas, fw::Point offset, const fw::Rect& area) const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int w = geometry_.CellWidth();
    const int columns = geometry_.Columns();
    canvas.Font() = MarginFont(w);
    const int line = canvas.TextHeight("0");
    for (int k = 0; k < columns; ++k) {
        if (geometry_.Horizontal()) {
            // From the top: card N down to card 1.
            const fw::Point at{cells.Width + 1, w * k + 1};
            if (Near(area, fw::Rect{at.X, at.Y, at.X + MaxTextLength * line, at.Y + line})) {
                canvas.TextOut(at.X + offset.X, at.Y + offset.Y, std::to_string(columns - k));
            }
        } else {
            const fw::Point at{(k + 1) * w, cells.Height + 1};
            if (Near(area, fw::Rect{at.X - line, at.Y, at.X + 1, at.Y + MaxTextLength * line})) {
                canvas.TextOutRotated(at.X + offset.X, at.Y + offset.Y, TurnedDownwards, std::to_string(k + 1));
            }
        }
    }
}

void TWeavingImageMargins::DrawCardArrow(fw::Canvas& canvas, fw::Point offset) const
{
    const fw::Size cells = geometry_.CellAreaSize();
    const int iw = cells.Width;
    const int ih = cells.Height;
    const int w = geometry_.CellWidth();
    const int d = geometry_.SlantDepth();
    const int h = w / 2;
    canvas.Font() = MarginFont(w);
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    const auto line = [&](fw::Point from, fw::Point to) {
        canvas.MoveTo(from.X + offset.X, from.Y + offset.Y);
        canvas.LineTo(to.X + offset.X, to.Y + offset.Y);
    };
    if (geometry_.Horizontal()) {
        canvas.TextOutRotated(iw + 2 * w + offset.X, ih + 1 + offset.Y, TurnedDownwards, "Card");
        line(fw::Point{iw + h, ih + 1}, fw::Point{iw + h, ih + 2 * d});
        line(fw::Point{iw + 1, ih + h}, fw::Point{iw + h, ih + 1});
        line(fw::Point{iw + h, ih + 1}, fw::Point{iw + 2 * h, ih + 1 + h});
    } else {
        canvas.TextOut(iw + 1 + offset.X, ih + 2 * h + offset.Y, "Card");
        line(fw::Point{iw + 1, ih + h}, fw::Point{iw + 2 * d, ih + h});
        line(fw::Point{iw + h, ih + 1}, fw::Point{iw + 1, ih + h});
        line(fw::Point{iw + 1, ih + h}, fw::Point{iw + 1 + h, ih + 2 * h});
    }
}

// --- Threading rows -----------------------------------------------------------------------------------

void TWeavingImageMargins::DrawThreadingRows(fw::Canvas& canvas, fw::Point offset, fw::Color backColour,
                                             const fw::Rect& area) const
{
    const int w = geometry_.CellWidth();
    const int start = ThreadingStart();
    const fw::Size image = ImageSize();
    const bool horizontal = geometry_.Horizontal();
    canvas.Brush() = fw::Brush{backColour, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(Shifted(horizontal ? fw::Rect{start, 0, start + holeRows_ * w, image.Height}
                                       : fw::Rect{0, start, image.Width, start + holeRows_ * w},
                            offset));
    canvas.Pen() = fw::Pen{fw::clBlack, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Font() = MarginFont(w + 2);
    const bool hasText = canvas.Backend() != nullptr;
    const int letterWidth = hasText ? canvas.TextWidth("Z") : 0;

    // Vertical: left selvedge, main cards, right selvedge from the left. Horizontal: right
    // selvedge, main cards, left selvedge from the top, each list with its first card at
    // the bottom of its block.
    const TTWCardList* lists[3] = {cards_.Left, cards_.Main, cards_.Right};
    if (horizontal) {
        lists[0] = cards_.Right;
        lists[2] = cards_.Left;
    }
    int placed = 0;
    for (const TTWCardList* list : lists) {
        const int count = list != nullptr ? list->Count() : 0;
        for (int k = 0; k < count; ++k) {
            const TTWCardBase* card = list->GetCard(k);
            const int holes = card->GetHoleCount();
            // The card's place: column g from the left, or row r from the top (1-based).
            const int g = placed + k;
            const int r = placed + count - k;
            const fw::Rect cardBox =
                horizontal ? fw::Rect{start, (r - 1) * w, start + (holes + 1) * w + 4 + letterWidth, r * w + 1}
                           : fw::Rect{g * w, start, (g + 1) * w + 1, start + (holes + 1) * w + w + 2};
            if (!Near(area, cardBox)) {
                continue;
            }
            fw::Rect square;
            for (int h = 0; h < holes; ++h) {
                square = horizontal ? fw::Rect{start + h * w, (r - 1) * w, start + (h + 1) * w + 1, r * w + 1}
                                    : fw::Rect{g * w, start + h * w, (g + 1) * w + 1, start + (h + 1) * w + 1};
                const TTWPalette* palette = list->Palette();
                const TTWColour colour = palette != nullptr ? palette->GetColour(card->HoleColour(h)) : NoColour;
                canvas.Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
                canvas.Rectangle(Shifted(square, offset));
            }
            if (hasText && holes > 0) {
                canvas.Brush().Style = fw::BrushStyle::Clear;
                const fw::Point at = horizontal ? fw::Point{square.Left + w + 3, square.Top}
                                                : fw::Point{square.Left + (w - letterWidth) / 2, square.Top + w};
                canvas.TextOut(at.X + offset.X, at.Y + offset.Y, std::string(ThreadingText(card->Threading())));
            }
        }
        placed += count;
    }
    canvas.Brush().Style = fw::BrushStyle::Solid;
}
