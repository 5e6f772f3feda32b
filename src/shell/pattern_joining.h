#pragma once

#include <vector>

class TTWBrocadePattern;
class TTWDFPattern;
class TTWPattern;
class TTWPatternBase;
class TTW31TwillPattern;
class TTWWarpTwinedPattern;

// Joining patterns of one kind into a new one: side by side (the cards of all next to each
// other, one band as wide as all of them) or end to end (one after the other along the band,
// each centred across the widest). The patterns are the join dialog's rows in their order;
// the result is a new, empty pattern of their kind. Too large a result raises as the kinds'
// size setters do (a design of more cells than a file may hold among them: DesignCellsFit),
// before the result is given any size.
enum class TTWJoinDirection { SideBySide, EndToEnd };

using TTWJoinPatterns = std::vector<TTWPatternBase*>;

// Side by side the sum of the card counts and the largest pick count; end to end the
// largest card count and the sum of the pick counts.
int JoinedCardCount(TTWJoinDirection direction, const TTWJoinPatterns& patterns);
int JoinedPickCount(TTWJoinDirection direction, const TTWJoinPatterns& patterns);

// Threaded-in, side by side only: the cards of every pattern in order, then each pattern's
// picks with its card numbers moved along by the cards before it (pack actions replaced by
// card actions first, in the pattern itself); a pattern with fewer picks than the longest
// turns its cards forwards by one in the picks it lacks. Packs and selvedges are not joined.
// End to end nothing is joined (the dialog refuses threaded-in patterns). A join wider than
// MaxPatternCards raises the width error and joins nothing.
void JoinThreaded(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWPattern& result);

// Double-face and twist-patterned: side by side the designs next to each other from row 0
// (colour count 6 when the first has 6, else 4 when any has more than 2, else 2), the cards of
// each in order; end to end the designs one above the other from row 0, each centred across
// the widest, in the first's colour count, with the widest's cards (the first of equals).
// The result is as long as the longest design (side by side) or all of them (end to end).
void JoinDoubleFace(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWDFPattern& result);
void JoinTwist(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWWarpTwinedPattern& result);
// The double-face join, the long-float marks placed as their cells are, and the first's
// background twill.
void JoinTwill(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTW31TwillPattern& result);

// Brocade: the first's wefts; side by side every pattern's picks next to each other, the
// cards of a pattern with fewer picks tie-downs in the picks it lacks; end to end the
// patterns' picks one after the other, each centred, the cards beside a narrower pattern
// tie-downs. The cards are joined as the double-face join joins them; ground weaves are not.
void JoinBrocade(TTWJoinDirection direction, const TTWJoinPatterns& patterns, TTWBrocadePattern& result);

// Every join also gives the result the first pattern's palette, which its cards' colours
// refer to.
