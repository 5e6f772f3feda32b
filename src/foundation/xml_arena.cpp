#include "foundation/xml_arena.h"

#include <algorithm>
#include <cstdint>
#include <new>

struct TILXMLArena::Chunk {
    Chunk* previous;
};

namespace {

// Chunks grow from the first to the largest size: the small documents of settings and error
// records stay small, and no chunk reaches the size from which the C library maps memory
// afresh for each block and hands it back when it is freed, so that a document read after
// another reuses its pages instead of paying for new ones.
constexpr std::size_t FirstChunkSize = 4 * 1024;
constexpr std::size_t LargestChunkSize = 64 * 1024;

constexpr std::size_t ChunkHeader =
    (sizeof(void*) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);

} // namespace

TILXMLArena::~TILXMLArena()
{
    Release();
}

void TILXMLArena::Release()
{
    while (chunks_ != nullptr) {
        Chunk* chunk = chunks_;
        chunks_ = chunk->previous;
        ::operator delete(static_cast<void*>(chunk));
    }
    next_ = nullptr;
    end_ = nullptr;
    nextChunkSize_ = 0;
    adopted_.clear();
}

void* TILXMLArena::AllocateSlow(std::size_t bytes, std::size_t alignment)
{
    const std::size_t needed = ChunkHeader + bytes + alignment;
    if (needed > LargestChunkSize / 4 && next_ != nullptr) {
        // A large block gets a chunk of its own, put behind the current one, whose room is
        // kept for the small blocks still to come.
        auto* chunk = static_cast<Chunk*>(::operator new(needed));
        chunk->previous = chunks_->previous;
        chunks_->previous = chunk;
        const auto start = reinterpret_cast<std::uintptr_t>(chunk) + ChunkHeader;
        const std::uintptr_t aligned = (start + alignment - 1) & ~(static_cast<std::uintptr_t>(alignment) - 1);
        return reinterpret_cast<void*>(aligned);
    }
    nextChunkSize_ = nextChunkSize_ == 0 ? FirstChunkSize : std::min(nextChunkSize_ * 2, LargestChunkSize);
    const std::size_t size = std::max(nextChunkSize_, needed);
    auto* chunk = static_cast<Chunk*>(::operator new(size));
    chunk->previous = chunks_;
    chunks_ = chunk;
    next_ = reinterpret_cast<std::byte*>(chunk) + ChunkHeader;
    end_ = reinterpret_cast<std::byte*>(chunk) + size;
    return Allocate(bytes, alignment);
}

std::string_view TILXMLArena::Adopt(std::string text)
{
    // A short text may lie inside the string object itself and would move with it.
    if (text.size() < 256) {
        return Copy(text);
    }
    adopted_.push_back(std::make_unique<std::string>(std::move(text)));
    return *adopted_.back();
}
