#pragma once

#include <string>

class TTWBrocadePattern;
class TTWDFPattern;
class TTWPatternBase;

// Turning a two-colour double-face design or a 3/1 broken twill design into a brocade:
// every set cell of the design becomes a place where the brocade weft floats over the card,
// every clear cell a tie-down.

// Why the pattern cannot be converted, in the words the user is told; "" when it can:
//   "Only basic 2-colour doubleface patterns can be converted." (a double-face design of 4
//     or 6 colours)
//   "Only doubleface or twill patterns can be converted." (any other kind)
//   "The source pattern has no cards." (nothing to take the colours from)
//   "The cards of the source pattern have fewer than four holes." (no hole D for the ground)
std::string BrocadeConversionRefusal(const TTWPatternBase& source);

// The brocade of a source that BrocadeConversionRefusal accepts:
// - from a double-face design, one brocade pick per design row from row 0, or with compress
//   off two equal picks per row;
// - from a twill, two picks per row, the odd columns one pick earlier (so that their first
//   row shows in pick 0 only and their last pick stays all tie-downs);
// - the source's cards and palette, every hole of every card in the colour of hole D of the
//   first card (the ground); weft 1 in the colour of its hole A; the source's name and notes.
// The brocade's picks, width, cards, palette, first weft, name and notes are replaced. Too
// large a design raises as the brocade's size does.
void ConvertToBrocade(const TTWDFPattern& source, bool compress, TTWBrocadePattern& target);
