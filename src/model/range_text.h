#pragma once

#include <string>
#include <vector>

// The short text that lists a set of 1-based card numbers as runs: "1 - 3; 5; 7 - 8".
// Numbers outside 1 .. count are no members, and repeated numbers count once. The shown
// numbers start at the offset: ascending, card i is shown as offset + i - 1; otherwise the
// cards are numbered from the other end, card i shown as count - i + offset. Either way the
// pieces are listed in ascending order of the shown numbers.
std::string CardRangeText(const std::vector<int>& numbers, int count, int offset, bool ascending);
