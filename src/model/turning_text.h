#pragma once

#include "framework/core/string_list.h"

class TTWCardList;
class TTWPalette;
class TTWWeaving;

// The turning sequence of a band as the lines of its text listing, as a weaver reads it at
// the loom: a heading, one line per pick from the last to the first ("%4d: " and one letter
// per column: " " idle, "F" forwards, "B" backwards), an empty line, and with a card list
// the threading line and, with a palette as well, one line per hole with a letter per card
// for the colour threaded there (letters given in the order the colours are met).
// The lines replace whatever the list held.
void BuildTurningSequence(const TTWWeaving& weaving, const TTWCardList* cards, const TTWPalette* palette,
                          fw::StringList& lines);

// The letter that names the colour index met as the n-th different one (0-based): "a" to "z",
// then "A" to "Z", then "*" for every further colour.
char ColourLetter(int meetingOrder);
