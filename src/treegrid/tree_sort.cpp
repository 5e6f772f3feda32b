#include "treegrid/tree_sort.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "foundation/date_utils.h"
#include "foundation/string_utils.h"
#include "framework/core/exceptions.h"
#include "framework/core/strings.h"
#include "treegrid/tree_node.h"

// --- Readings ------------------------------------------------------------------------------------

double SortNumberValue(std::string_view text)
{
    return CleanFloat(text, true);
}

int SortIntegerValue(std::string_view text)
{
    return fw::StrToIntDef(text, -1);
}

fw::DateTime SortDateValue(std::string_view text)
{
    return ParseDate(fw::Trim(text));
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads one to maxDigits digits at pos; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits, int& value)
{
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos - start < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

// The time of day of a text, or false.
bool TryReadTime(std::string_view text, fw::DateTime& result)
{
    const std::string trimmed = fw::Trim(text);
    std::string_view rest = trimmed;
    // A trailing AM or PM (with or without a blank before it) makes a 12-hour clock.
    int halfDay = -1;
    if (rest.size() >= 2) {
        const std::string suffix = fw::UpperCase(rest.substr(rest.size() - 2));
        if (suffix == "AM" || suffix == "PM") {
            halfDay = suffix == "PM" ? 1 : 0;
            rest = rest.substr(0, rest.size() - 2);
            while (!rest.empty() && rest.back() == ' ') {
                rest.remove_suffix(1);
            }
        }
    }
    std::size_t pos = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    if (!ReadNumber(rest, pos, 2, hour) || pos >= rest.size() || rest[pos] != ':') {
        return false;
    }
    ++pos;
    if (!ReadNumber(rest, pos, 2, minute)) {
        return false;
    }
    if (pos < rest.size() && rest[pos] == ':') {
        ++pos;
        if (!ReadNumber(rest, pos, 2, second)) {
            return false;
        }
        if (pos < rest.size() && rest[pos] == '.') {
            ++pos;
            if (!ReadNumber(rest, pos, 3, millisecond)) {
                return false;
            }
        }
    }
    if (pos != rest.size()) {
        return false;
    }
    if (halfDay >= 0) {
        if (hour < 1 || hour > 12) {
            return false;
        }
        hour = hour % 12 + halfDay * 12;
    }
    return fw::TryEncodeTime(hour, minute, second, millisecond, result);
}

bool TryReadDate(std::string_view text, fw::DateTime& result)
{
    try {
        result = ParseDate(text);
        return true;
    } catch (const fw::EConvertError&) {
        return false;
    }
}

} // namespace

fw::DateTime SortTimeValue(std::string_view text)
{
    fw::DateTime result = 0;
    if (!TryReadTime(text, result)) {
        throw fw::EConvertError("'" + std::string(text) + "' is not a valid time");
    }
    return result;
}

fw::DateTime SortDateTimeValue(std::string_view text)
{
    const std::string trimmed = fw::Trim(text);
    fw::DateTime date = 0;
    if (TryReadDate(trimmed, date)) {
        return date;
    }
    // The date forms are ten or eleven characters long; a blank and the time follow.
    for (std::size_t length : {std::size_t{10}, std::size_t{11}}) {
        if (trimmed.size() > length + 1 && trimmed[length] == ' ' && TryReadDate(trimmed.substr(0, length), date)) {
            fw::DateTime time = 0;
            if (TryReadTime(std::string_view(trimmed).substr(length + 1), time)) {
                return fw::ComposeDateTime(date, time);
            }
        }
    }
    throw fw::EConvertError("'" + std::string(text) + "' is not a valid date and time");
}

// --- Orders --------------------------------------------------------------------------------------

bool IsAscendingSortKind(TILTreeColumnAutoSortType kind)
{
    switch (kind) {
    case iltSortNumAscend:
    case iltSortAlphaAscend:
    case iltSortAlphaAscendI:
    case iltSortDateAscend:
    case iltSortTimeAscend:
    case iltSortDateTimeAscend:
    case iltSortCustom:
    case iltSortIntAscend:
    case iltSortTagAscend:
        return true;
    default:
        return false;
    }
}

bool ShowsAscendingSortImage(TILTreeColumnAutoSortType kind, bool lastSortAscending)
{
    return !lastSortAscending && IsAscendingSortKind(kind);
}

bool TILTreeSortOrder::Compares() const
{
    if (Kind == iltSortNone || Kind > iltSortTagDescend) {
        return false;
    }
    return Kind != iltSortCustom || static_cast<bool>(Custom);
}

bool TILTreeSortOrder::Ascending() const
{
    if (Kind == iltSortCustom) {
        return true;
    }
    return IsAscendingSortKind(Kind) != Reversed;
}

namespace {

// What a comparison reads of one node, read once per sort.
struct SortEntry {
    TILTreeNode* Node = nullptr;
    std::string_view Text;
    double Number = 0;
    int Integer = 0;
};

enum class KeyKind { Number, Integer, Text, TextIgnoringCase, Custom };

KeyKind KeyKindOf(TILTreeColumnAutoSortType kind)
{
    switch (kind) {
    case iltSortAlphaAscend:
    case iltSortAlphaDescend:
        return KeyKind::Text;
    // Both directions of the case-blind kind ignore case.
    case iltSortAlphaAscendI:
    case iltSortAlphaDescendI:
        return KeyKind::TextIgnoringCase;
    case iltSortIntAscend:
    case iltSortIntDescend:
    case iltSortTagAscend:
    case iltSortTagDescend:
        return KeyKind::Integer;
    case iltSortCustom:
        return KeyKind::Custom;
    default:
        return KeyKind::Number;
    }
}

SortEntry ReadEntry(TILTreeNode* node, const TILTreeSortOrder& order)
{
    SortEntry entry;
    entry.Node = node;
    const std::string& text = node->CellTextRef(order.Column);
    switch (order.Kind) {
    case iltSortNumAscend:
    case iltSortNumDescend:
        entry.Number = SortNumberValue(text);
        break;
    case iltSortDateAscend:
    case iltSortDateDescend:
        entry.Number = SortDateValue(text);
        break;
    case iltSortTimeAscend:
    case iltSortTimeDescend:
        entry.Number = SortTimeValue(text);
        break;
    case iltSortDateTimeAscend:
    case iltSortDateTimeDescend:
        entry.Number = SortDateTimeValue(text);
        break;
    case iltSortIntAscend:
    case iltSortIntDescend:
        entry.Integer = SortIntegerValue(text);
        break;
    case iltSortTagAscend:
    case iltSortTagDescend:
        entry.Integer = node->Tag();
        break;
    default:
        entry.Text = text;
        break;
    }
    return entry;
}

template <class T>
int Sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int ByteCompare(std::string_view a, std::string_view b)
{
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

// Compares two read entries in the order's direction.
class EntryComparer {
public:
    explicit EntryComparer(const TILTreeSortOrder& order)
        : order_(order), keyKind_(KeyKindOf(order.Kind)), ascending_(order.Ascending())
    {
    }

    // Whether case-blind texts come already folded.
    void SetFolded(bool folded) { folded_ = folded; }

    int Compare(const SortEntry& a, const SortEntry& b) const
    {
        return ascending_ ? Ascending(a, b) : Ascending(b, a);
    }
    bool Less(const SortEntry& a, const SortEntry& b) const { return Compare(a, b) < 0; }

private:
    int Ascending(const SortEntry& a, const SortEntry& b) const
    {
        switch (keyKind_) {
        case KeyKind::Number:
            return Sign(a.Number, b.Number);
        case KeyKind::Integer:
            return Sign(a.Integer, b.Integer);
        case KeyKind::Text:
            return ByteCompare(a.Text, b.Text);
        case KeyKind::TextIgnoringCase:
            return folded_ ? ByteCompare(a.Text, b.Text) : fw::CompareText(a.Text, b.Text);
        case KeyKind::Custom:
            return order_.Custom(a.Node, b.Node);
        }
        return 0;
    }

    const TILTreeSortOrder& order_;
    KeyKind keyKind_;
    bool ascending_;
    bool folded_ = false;
};

// An unstable introsort that only ever swaps whole entries, and checks its bounds: a
// comparison that raises leaves the entries a permutation of what they were, and one that
// contradicts itself (a custom comparison may) cannot lead it outside the range. The depth
// limit hands hopeless ranges to a heap sort, so no input costs more than n log n steps.
class EntrySorter {
public:
    EntrySorter(std::vector<SortEntry>& entries, const EntryComparer& comparer)
        : entries_(entries), comparer_(comparer)
    {
    }

    void Sort()
    {
        int depth = 0;
        for (std::size_t n = entries_.size(); n > 1; n >>= 1) {
            depth += 2;
        }
        SortRange(0, entries_.size(), depth);
    }

private:
    static constexpr std::size_t SmallRange = 16;

    bool Less(std::size_t a, std::size_t b) const { return comparer_.Less(entries_[a], entries_[b]); }
    void Swap(std::size_t a, std::size_t b) { std::swap(entries_[a], entries_[b]); }

    void SortRange(std::size_t lo, std::size_t hi, int depth)
    {
        while (hi - lo > SmallRange) {
            if (depth-- == 0) {
                HeapSort(lo, hi);
                return;
            }
            const std::size_t split = Partition(lo, hi);
            // Recurse into the smaller side, loop on the larger: the stack stays log n deep.
            if (split - lo < hi - split) {
                SortRange(lo, split, depth);
                lo = split;
            } else {
                SortRange(split, hi, depth);
                hi = split;
            }
        }
        InsertionSort(lo, hi);
    }

    // Hoare's partition around the median of three; answers a split with both sides
    // non-empty for a consistent comparison.
    std::size_t Partition(std::size_t lo, std::size_t hi)
    {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (Less(mid, lo)) {
            Swap(mid, lo);
        }
        if (Less(hi - 1, mid)) {
            Swap(hi - 1, mid);
            if (Less(mid, lo)) {
                Swap(mid, lo);
            }
        }
        const SortEntry pivot = entries_[mid];
        std::size_t i = lo;
        std::size_t j = hi - 1;
        while (true) {
            while (i < hi - 1 && comparer_.Less(entries_[i], pivot)) {
                ++i;
            }
            while (j > lo && comparer_.Less(pivot, entries_[j])) {
                --j;
            }
            if (i >= j) {
                break;
            }
            Swap(i, j);
            ++i;
            --j;
        }
        // j is the last index of the left side; keep both sides non-empty.
        return std::clamp(j + 1, lo + 1, hi - 1);
    }

    void InsertionSort(std::size_t lo, std::size_t hi)
    {
        for (std::size_t i = lo + 1; i < hi; ++i) {
            for (std::size_t j = i; j > lo && Less(j, j - 1); --j) {
                Swap(j, j - 1);
            }
        }
    }

    void HeapSort(std::size_t lo, std::size_t hi)
    {
        const std::size_t n = hi - lo;
        for (std::size_t start = n / 2; start-- > 0;) {
            SiftDown(lo, start, n);
        }
        for (std::size_t end = n; end-- > 1;) {
            Swap(lo, lo + end);
            SiftDown(lo, 0, end);
        }
    }

    void SiftDown(std::size_t base, std::size_t root, std::size_t n)
    {
        while (true) {
            std::size_t largest = root;
            const std::size_t left = 2 * root + 1;
            const std::size_t right = left + 1;
            if (left < n && Less(base + largest, base + left)) {
                largest = left;
            }
            if (right < n && Less(base + largest, base + right)) {
                largest = right;
            }
            if (largest == root) {
                return;
            }
            Swap(base + root, base + largest);
            root = largest;
        }
    }

    std::vector<SortEntry>& entries_;
    const EntryComparer& comparer_;
};

} // namespace

int TILTreeSortOrder::Compare(TILTreeNode* node1, TILTreeNode* node2) const
{
    if (!Compares()) {
        return 0;
    }
    const EntryComparer comparer(*this);
    return comparer.Compare(ReadEntry(node1, *this), ReadEntry(node2, *this));
}

// The node's friend: it alone may put a node's children in a new order.
class TILTreeSorter {
public:
    static void SortChildren(TILTreeNode& node, const TILTreeSortOrder& order, const EntryComparer& comparer,
                             bool leavesOnly)
    {
        const std::vector<TILTreeNode*>& children = node.children_;
        if (children.size() < 2) {
            return;
        }
        if (leavesOnly &&
            std::any_of(children.begin(), children.end(), [](const TILTreeNode* child) { return child->HasChildren(); })) {
            return;
        }
        std::vector<SortEntry> entries;
        entries.reserve(children.size());
        for (TILTreeNode* child : children) {
            entries.push_back(ReadEntry(child, order));
        }
        // Case-blind texts are folded once into one block, so that each comparison is a
        // plain byte comparison (the same order as comparing with folding on the way).
        std::string folded;
        const bool fold = KeyKindOf(order.Kind) == KeyKind::TextIgnoringCase;
        if (fold) {
            std::size_t total = 0;
            for (const SortEntry& entry : entries) {
                total += entry.Text.size();
            }
            folded.reserve(total);
            for (const SortEntry& entry : entries) {
                for (char c : entry.Text) {
                    folded += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
                }
            }
            std::size_t at = 0;
            for (SortEntry& entry : entries) {
                const std::size_t length = entry.Text.size();
                entry.Text = std::string_view(folded).substr(at, length);
                at += length;
            }
        }
        EntryComparer sorting = comparer;
        sorting.SetFolded(fold);
        EntrySorter(entries, sorting).Sort();
        std::vector<TILTreeNode*> ordered;
        ordered.reserve(entries.size());
        for (const SortEntry& entry : entries) {
            ordered.push_back(entry.Node);
        }
        node.ReplaceChildren(std::move(ordered));
    }
};

void SortNodeChildren(TILTreeNode& node, const TILTreeSortOrder& order, bool recursive, bool leavesOnly)
{
    if (!order.Compares()) {
        return;
    }
    const EntryComparer comparer(order);
    std::vector<TILTreeNode*> pending{&node};
    while (!pending.empty()) {
        TILTreeNode* current = pending.back();
        pending.pop_back();
        TILTreeSorter::SortChildren(*current, order, comparer, leavesOnly);
        if (recursive) {
            for (TILTreeNode* child : current->Children()) {
                if (child->HasChildren()) {
                    pending.push_back(child);
                }
            }
        }
    }
}
