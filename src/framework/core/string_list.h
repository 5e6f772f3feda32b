#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/object.h"

namespace fw {

// An ordered list of lines. Besides plain list access it reads and writes itself as one
// text (lines ended by CR LF), as a comma-separated text, and as a file.
class StringList : public Object {
public:
    StringList() = default;
    StringList(std::initializer_list<std::string> lines) : lines_(lines) {}
    ~StringList() override = default;

    std::string_view className() const override { return "TStringList"; }
    Object* NewInstance() const override { return new StringList; }

    int Count() const { return static_cast<int>(lines_.size()); }
    bool Empty() const { return lines_.empty(); }

    // Checked access raises "List index out of bounds (<index>)".
    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string value);

    // Appends; returns the new index.
    int Add(std::string value);
    // Any index from 0 to Count.
    void Insert(int index, std::string value);
    void Delete(int index);
    void Clear() { lines_.clear(); }
    // The first line equal to the value without regard to ASCII case; -1 when none.
    int IndexOf(std::string_view value) const;
    void Exchange(int index1, int index2);
    // Orders the lines without regard to ASCII case; equal lines keep their order.
    void Sort();
    void Assign(const StringList& source);
    bool Equals(const StringList& other) const { return lines_ == other.lines_; }

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the lines by those of the text, which may break lines with CR LF, CR or LF
    // in any mix. A break at the very end starts no further line.
    void SetText(std::string_view text);

    // The lines joined by commas; a line holding a blank, a comma or a double quote is
    // written in double quotes with its quotes doubled, and so is an empty last line ("" for
    // a list of one empty line), so that every list reads back whole.
    std::string CommaText() const;
    // Replaces the lines by the items of a comma-separated text: each item is a
    // double-quoted text (doubled quotes inside) or a run of characters up to a blank or a
    // comma. Blanks around the commas are skipped, blanks alone also separate items,
    // "a,,b" holds an empty item, and a comma at the end adds nothing.
    void SetCommaText(std::string_view text);

    // The file's bytes are read as Windows-1252.
    void LoadFromFile(const std::filesystem::path& path);
    // Text in Windows-1252, replacing the file in one step (an old file survives a failure).
    void SaveToFile(const std::filesystem::path& path) const;

    auto begin() const { return lines_.begin(); }
    auto end() const { return lines_.end(); }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    void CheckIndex(int index) const;

    std::vector<std::string> lines_;
};

} // namespace fw
