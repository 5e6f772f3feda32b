#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TILXMLTree;

// The memory of one document: its elements, their names, values and attributes, and the text
// they were read from. A file of ten megabytes holds hundreds of thousands of elements, made one
// after the other while it is read and all freed together when the document goes. Taking them
// from a few large chunks makes each a bump of a pointer, lays a document out in reading order,
// and frees the whole document with its chunks, without a walk over its elements.
//
// Nothing taken from the arena is given back on its own: a value set again leaves the old one
// behind until the document goes, which for the short lives of documents costs little.
class TILXMLArena {
public:
    // The document whose arena this is; none for the arena of an element of its own.
    explicit TILXMLArena(TILXMLTree* tree = nullptr) : tree_(tree) {}
    ~TILXMLArena();
    TILXMLArena(const TILXMLArena&) = delete;
    TILXMLArena& operator=(const TILXMLArena&) = delete;

    TILXMLTree* Tree() const { return tree_; }

    // Raises std::bad_alloc when no chunk can be had. The alignment is a power of two no
    // larger than that of std::max_align_t.
    void* Allocate(std::size_t bytes, std::size_t alignment);
    template <class T>
    T* AllocateArray(std::size_t count)
    {
        return static_cast<T*>(Allocate(count * sizeof(T), alignof(T)));
    }
    // A copy of the text that lives as long as the arena.
    std::string_view Copy(std::string_view text);
    // Keeps the text for as long as the arena lives and hands back a view of it; the text is
    // not copied.
    std::string_view Adopt(std::string text);

    // Frees everything taken; the arena can be used again.
    void Release();

private:
    struct Chunk;

    void* AllocateSlow(std::size_t bytes, std::size_t alignment);

    TILXMLTree* const tree_;
    Chunk* chunks_ = nullptr;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    std::size_t nextChunkSize_ = 0;
    std::vector<std::unique_ptr<std::string>> adopted_;
};

inline void* TILXMLArena::Allocate(std::size_t bytes, std::size_t alignment)
{
    const auto address = reinterpret_cast<std::uintptr_t>(next_);
    const std::uintptr_t aligned = (address + alignment - 1) & ~(static_cast<std::uintptr_t>(alignment) - 1);
    if (next_ != nullptr && aligned + bytes <= reinterpret_cast<std::uintptr_t>(end_)) {
        next_ = reinterpret_cast<std::byte*>(aligned + bytes);
        return reinterpret_cast<void*>(aligned);
    }
    return AllocateSlow(bytes, alignment);
}

// Copies count bytes, from sizeof(Word) to twice that many, as two words that may overlap.
template <class Word>
inline void CopyHeadAndTail(char* to, const char* from, std::size_t count)
{
    Word head = 0;
    Word tail = 0;
    std::memcpy(&head, from, sizeof(Word));
    std::memcpy(&tail, from + count - sizeof(Word), sizeof(Word));
    std::memcpy(to, &head, sizeof(Word));
    std::memcpy(to + count - sizeof(Word), &tail, sizeof(Word));
}

// Copies a few bytes without a call: names and values are mostly shorter than 16 bytes, and
// a document is made of millions of them.
inline void CopyXMLBytes(char* to, const char* from, std::size_t count)
{
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) {
        CopyHeadAndTail<std::uint64_t>(to, from, count);
    } else if (count >= 4) {
        CopyHeadAndTail<std::uint32_t>(to, from, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    }
}

inline std::string_view TILXMLArena::Copy(std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    auto* copy = static_cast<char*>(Allocate(text.size(), 1));
    CopyXMLBytes(copy, text.data(), text.size());
    return {copy, text.size()};
}
