#include "model/range_text.h"

#include <algorithm>

#include "framework/core/strings.h"

std::string CardRangeText(const std::vector<int>& numbers, int count, int offset, bool ascending)
{
    // Sorting the members rather than marking them in a set of count places keeps the work
    // proportional to the members, whatever count a caller passes.
    std::vector<int> members;
    members.reserve(numbers.size());
    for (int number : numbers) {
        if (number >= 1 && number <= count) {
            members.push_back(number);
        }
    }
    std::sort(members.begin(), members.end());
    members.erase(std::unique(members.begin(), members.end()), members.end());

    auto shown = [&](int number) {
        const long long value = ascending ? static_cast<long long>(offset) + number - 1
                                          : static_cast<long long>(count) - number + offset;
        return fw::IntToStr(value);
    };

    std::string text;
    std::size_t i = 0;
    while (i < members.size()) {
        std::size_t last = i;
        while (last + 1 < members.size() && members[last + 1] == members[last] + 1) {
            ++last;
        }
        const int first = members[i];
        const int final = members[last];
        std::string piece;
        if (first == final) {
            piece = shown(first);
        } else if (ascending) {
            piece = shown(first) + " - " + shown(final);
        } else {
            piece = shown(final) + " - " + shown(first);
        }
        if (text.empty()) {
            text = piece;
        } else if (ascending) {
            text += "; " + piece;
        } else {
            text = piece + "; " + text;
        }
        i = last + 1;
    }
    return text;
}
