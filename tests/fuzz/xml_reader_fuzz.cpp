// Feeds arbitrary bytes to the XML reader as the contents of a stored file: Windows-1252, or
// UTF-8 or UTF-16 as the file's first bytes tell.
// Bad input must end in one of our own errors; anything else (a crash, undefined behaviour,
// a leak, a standard-library exception) is a fault. Every tree the reader accepts must also
// survive being saved and loaded again: the second reading writes the same text as the
// first, or the writer and the reader disagree about the file format.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml_node.h"
#include "framework/core/encoding.h"
#include "framework/core/exceptions.h"

namespace {

void PrintExcerpt(const char* label, std::string_view text)
{
    constexpr std::size_t Limit = 2000;
    std::fprintf(stderr, "--- %s (%zu bytes)%s:\n", label, text.size(), text.size() > Limit ? ", start" : "");
    std::fwrite(text.data(), 1, std::min(text.size(), Limit), stderr);
    std::fputc('\n', stderr);
}

[[noreturn]] void RoundTripFailed(bool nameCheck, std::string_view firstWrite, std::string_view secondWrite,
                                  std::string_view error)
{
    std::fprintf(stderr, "XML round trip failed (name check %s): %s\n", nameCheck ? "on" : "off",
                 error.empty() ? "the second reading writes another text" : "the written text cannot be read");
    PrintExcerpt("first write", firstWrite);
    if (error.empty()) {
        PrintExcerpt("second write", secondWrite);
    } else {
        PrintExcerpt("error", error);
    }
    std::abort();
}

// Whether every element and attribute name passes the forced name check. The writer writes
// names as they stand, so a file read with the check off may hold names that are markup
// ("!--x", "?x"): such a tree is promised no round trip, only a clean reading.
bool NamesAreValid(const TILXMLTree& tree)
{
    std::vector<const TILXMLNode*> pending;
    for (int i = 0; i < tree.TopNodeCount(); ++i) {
        pending.push_back(tree.GetTopNode(i));
    }
    while (!pending.empty()) {
        const TILXMLNode* node = pending.back();
        pending.pop_back();
        try {
            ValidateXMLTag(node->Tag(), false, true);
            for (int i = 0; i < node->AttributeCount(); ++i) {
                ValidateXMLTag(node->Attribute(i).Name, true, true);
            }
        } catch (const fw::Exception&) {
            return false;
        }
        for (int i = 0; i < node->ChildCount(); ++i) {
            pending.push_back(node->GetChild(i));
        }
    }
    return true;
}

// False when the reader refuses the bytes.
bool ReadWriteRead(const std::string& bytes, bool nameCheck)
{
    SetXMLNameCheck(nameCheck);
    TILXMLTree tree;
    try {
        tree.ParseFileBytes(bytes);
    } catch (const fw::Exception&) {
        return false; // the expected answer to bad input
    }
    if (!NamesAreValid(tree)) {
        return true;
    }
    const std::string written = tree.BuildXML();
    // Read back as it would be after saving: stored as Windows-1252, loaded as UTF-8.
    const std::string stored = fw::Utf8ToWindows1252Referenced(written);
    TILXMLTree again;
    try {
        again.ParseText(fw::Windows1252ToUtf8(stored));
    } catch (const fw::Exception& error) {
        RoundTripFailed(nameCheck, written, {}, error.Message());
    }
    // The second saving must store the same bytes. A file read as UTF-8 or UTF-16 may hold
    // characters Windows-1252 lacks; they are stored as references, which the second reading
    // keeps as they stand in a value (the model's readers decode them), so the texts may
    // differ where the stored bytes may not.
    const std::string rewritten = again.BuildXML();
    if (fw::Utf8ToWindows1252Referenced(rewritten) != stored) {
        RoundTripFailed(nameCheck, written, rewritten, {});
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The whole input is the file, read in both modes of the name check. The check only
    // ever refuses, so a text refused without it is refused with it too.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (ReadWriteRead(bytes, false)) {
        ReadWriteRead(bytes, true);
    }
    return 0;
}
