#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/core/datetime.h"

class TILTree;
class TILTreeNode;

// The sort kinds of a column. Each Ascend kind sorts ascending on first use and its
// Descend twin descending; reversing one gives the other.
enum TILTreeColumnAutoSortType : std::uint8_t {
    iltSortNone = 0,
    iltSortNumAscend = 1,
    iltSortNumDescend = 2,
    iltSortAlphaAscend = 3,
    iltSortAlphaDescend = 4,
    iltSortAlphaAscendI = 5,
    iltSortAlphaDescendI = 6,
    iltSortDateAscend = 7,
    iltSortDateDescend = 8,
    iltSortTimeAscend = 9,
    iltSortTimeDescend = 10,
    iltSortDateTimeAscend = 11,
    iltSortDateTimeDescend = 12,
    iltSortCustom = 13,
    iltSortIntAscend = 14,
    iltSortIntDescend = 15,
    iltSortTagAscend = 16,
    iltSortTagDescend = 17,
};

// Negative, zero or positive as the first node sorts before, with or after the second.
using TILTreeSortCompare = std::function<int(TILTreeNode* node1, TILTreeNode* node2)>;

// A comparison of two nodes: a kind read on one column (the tree's sort column), in its
// first-use direction or reversed.
struct TILTreeSortOrder {
    TILTreeColumnAutoSortType Kind = iltSortNone;
    // The column whose texts are compared.
    int Column = 0;
    bool Reversed = false;
    // iltSortCustom only.
    TILTreeSortCompare Custom;

    // Whether the kind compares at all (iltSortNone, unknown kinds and a custom kind
    // without a comparison do not).
    bool Compares() const;
    // Whether the order puts smaller values first.
    bool Ascending() const;
    // The comparison as a function of two nodes (for a one-off comparison; sorting whole
    // sibling lists reads every text only once).
    int Compare(TILTreeNode* node1, TILTreeNode* node2) const;
};

// Whether the kind is one of the "Ascend" kinds (and iltSortCustom, which counts as one).
bool IsAscendingSortKind(TILTreeColumnAutoSortType kind);
// The sort mark a sorted column shows: the ascending image when the last sort was not
// ascending and the kind is an ascending one (1, 3, 5, 7, 9, 11, 13, 14, 16); in every other
// case the descending image.
bool ShowsAscendingSortImage(TILTreeColumnAutoSortType kind, bool lastSortAscending);

// The readings behind the comparisons.
// Spaces and thousands separators removed; an empty result is 0, a failure 0.
double SortNumberValue(std::string_view text);
// An integer, -1 when the text is not one.
int SortIntegerValue(std::string_view text);
// The standard date reading: day, month (two digits or a three-letter name) and four-digit
// year. Raises EConvertError for a text that is not a date.
fw::DateTime SortDateValue(std::string_view text);
// The time reading: "h:mm", "h:mm:ss" or "h:mm:ss.zzz", optionally followed by "AM"/"PM".
// Raises EConvertError "'<text>' is not a valid time".
fw::DateTime SortTimeValue(std::string_view text);
// A date, optionally followed by a blank and a time; raises EConvertError
// "'<text>' is not a valid date and time".
fw::DateTime SortDateTimeValue(std::string_view text);

// Sorts the children of a node, and with recursive those of every node below it. With
// leavesOnly a node's children are sorted only when none of them has children of its own.
// Every text is read once per sibling list, so a failing reading (a bad date) raises before
// anything moves. Equal rows may change order.
void SortNodeChildren(TILTreeNode& node, const TILTreeSortOrder& order, bool recursive, bool leavesOnly);
