#include "model/turning_text.h"

#include <map>
#include <string>

#include "framework/core/strings.h"
#include "model/card_list.h"
#include "model/palette.h"
#include "model/weaving.h"

namespace {

char TurnLetter(std::uint8_t turnDir)
{
    switch (turnDir) {
    case TurnForwards:
        return 'F';
    case TurnBackwards:
        return 'B';
    default:
        return ' ';
    }
}

void AddPickLines(fw::StringList& lines, const TTWWeaving& weaving)
{
    // Read at the loom from the newest pick down, as the band grows towards the weaver.
    for (int pick = weaving.PickCount() - 1; pick >= 0; --pick) {
        std::string line = fw::Format("%4d", {pick + 1}) + ": ";
        for (const TTWWeavingCell& cell : weaving.Picks(pick)) {
            line += TurnLetter(cell.TurnDir);
        }
        lines.Add(std::move(line));
    }
}

void AddThreadingLine(fw::StringList& lines, const TTWCardList& cards)
{
    std::string line(6, ' ');
    for (int i = 0; i < cards.Count(); ++i) {
        line += ThreadingText(cards.Items(i)->Threading());
    }
    lines.Add(std::move(line));
}

// One line per hole position; a card with fewer holes shows a blank there. Colours are
// named by letters in the order the block meets them, so that a short listing needs no key.
void AddHoleLines(fw::StringList& lines, const TTWCardList& cards)
{
    std::map<int, char> letters;
    const auto letterOf = [&letters](int colourIndex) {
        const auto [place, added] = letters.try_emplace(colourIndex, ' ');
        if (added) {
            place->second = ColourLetter(static_cast<int>(letters.size()) - 1);
        }
        return place->second;
    };
    const int holeRows = cards.MaxHoleCount();
    for (int hole = 0; hole < holeRows; ++hole) {
        std::string line = "   ";
        line += static_cast<char>('A' + hole);
        line += "  ";
        for (int i = 0; i < cards.Count(); ++i) {
            const TTWCardBase* card = cards.Items(i);
            line += hole < card->GetHoleCount() ? letterOf(card->HoleColour(hole)) : ' ';
        }
        lines.Add(std::move(line));
    }
}

} // namespace

char ColourLetter(int meetingOrder)
{
    if (meetingOrder >= 0 && meetingOrder < 26) {
        return static_cast<char>('a' + meetingOrder);
    }
    if (meetingOrder >= 26 && meetingOrder < 52) {
        return static_cast<char>('A' + meetingOrder - 26);
    }
    return '*';
}

void BuildTurningSequence(const TTWWeaving& weaving, const TTWCardList* cards, const TTWPalette* palette,
                          fw::StringList& lines)
{
    lines.Clear();
    lines.Add("Turning Sequence");
    lines.Add(std::string(16, '-'));
    AddPickLines(lines, weaving);
    lines.Add("");
    if (cards != nullptr) {
        lines.Add(std::string(80, '-'));
        AddThreadingLine(lines, *cards);
        if (palette != nullptr) {
            AddHoleLines(lines, *cards);
        }
        lines.Add("");
    }
}
