#include "framework/core/string_list.h"

#include <algorithm>

#include "framework/core/encoding.h"
#include "framework/core/file_io.h"
#include "framework/core/list.h"
#include "framework/core/strings.h"

namespace fw {

namespace {

constexpr char quote = '"';
constexpr char comma = ',';

bool NeedsQuotes(std::string_view item)
{
    return std::any_of(item.begin(), item.end(), [](char c) { return IsBlank(c) || c == quote || c == comma; });
}

std::string Quoted(std::string_view item)
{
    std::string result(1, quote);
    for (char c : item) {
        result += c;
        if (c == quote) {
            result += quote;
        }
    }
    result += quote;
    return result;
}

// Reads a quoted item starting at the opening quote; pos ends behind the closing quote,
// or at the end of the text when the quote is never closed.
std::string ReadQuoted(std::string_view text, size_t& pos)
{
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                item += quote;
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

void SkipBlanks(std::string_view text, size_t& pos)
{
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
}

} // namespace

void StringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) {
        RaiseListIndexError(index);
    }
}

const std::string& StringList::Strings(int index) const
{
    CheckIndex(index);
    return lines_[static_cast<size_t>(index)];
}

void StringList::SetStrings(int index, std::string value)
{
    CheckIndex(index);
    lines_[static_cast<size_t>(index)] = std::move(value);
}

int StringList::Add(std::string value)
{
    lines_.push_back(std::move(value));
    return Count() - 1;
}

void StringList::Insert(int index, std::string value)
{
    if (index < 0 || index > Count()) {
        RaiseListIndexError(index);
    }
    lines_.insert(lines_.begin() + index, std::move(value));
}

void StringList::Delete(int index)
{
    CheckIndex(index);
    lines_.erase(lines_.begin() + index);
}

int StringList::IndexOf(std::string_view value) const
{
    const auto found =
        std::find_if(lines_.begin(), lines_.end(), [value](const std::string& line) { return SameText(line, value); });
    return found == lines_.end() ? -1 : static_cast<int>(found - lines_.begin());
}

void StringList::Exchange(int index1, int index2)
{
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(lines_[static_cast<size_t>(index1)], lines_[static_cast<size_t>(index2)]);
}

void StringList::Sort()
{
    std::stable_sort(lines_.begin(), lines_.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

void StringList::Assign(const StringList& source)
{
    if (&source != this) {
        lines_ = source.lines_;
    }
}

std::string StringList::Text() const
{
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void StringList::SetText(std::string_view text)
{
    lines_.clear();
    size_t start = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '\r' && c != '\n') {
            ++pos;
            continue;
        }
        lines_.emplace_back(text.substr(start, pos - start));
        ++pos;
        if (c == '\r' && pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
        start = pos;
    }
    if (start < text.size()) {
        lines_.emplace_back(text.substr(start));
    }
}

std::string StringList::CommaText() const
{
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            text += comma;
        }
        // An empty last item is quoted: a comma at the end reads back as nothing, and the
        // item would be lost on the next read.
        const bool emptyLast = lines_[i].empty() && i + 1 == lines_.size();
        text += NeedsQuotes(lines_[i]) || emptyLast ? Quoted(lines_[i]) : lines_[i];
    }
    return text;
}

void StringList::SetCommaText(std::string_view text)
{
    lines_.clear();
    size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == quote) {
            lines_.push_back(ReadQuoted(text, pos));
        } else {
            const size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != comma) {
                ++pos;
            }
            lines_.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == comma) {
            ++pos;
            SkipBlanks(text, pos);
        }
    }
}

void StringList::LoadFromFile(const std::filesystem::path& path)
{
    SetText(Windows1252ToUtf8(ReadFileBytes(path)));
}

void StringList::SaveToFile(const std::filesystem::path& path) const
{
    WriteFileAtomically(path, Utf8ToWindows1252Referenced(Text()));
}

} // namespace fw
