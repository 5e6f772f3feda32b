#include "foundation/xml_block_pool.h"

#include <new>
#include <thread>

namespace {

constexpr std::size_t Alignment = alignof(std::max_align_t);

constexpr std::size_t RoundedUp(std::size_t size)
{
    return (size + Alignment - 1) / Alignment * Alignment;
}

} // namespace

// Holds the pool's lock for its lifetime.
class TILXMLBlockPool::Lock {
public:
    explicit Lock(std::atomic_flag& busy) : busy_(busy)
    {
        while (busy_.test_and_set(std::memory_order_acquire)) {
            while (busy_.test(std::memory_order_relaxed)) {
                std::this_thread::yield();
            }
        }
    }
    ~Lock() { busy_.clear(std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    std::atomic_flag& busy_;
};

struct TILXMLBlockPool::Chunk {
    // Neighbours in the list of chunks with free blocks.
    Chunk* previous = nullptr;
    Chunk* next = nullptr;
    bool listed = false;
    // Blocks given back, and how many blocks have been cut so far.
    FreeBlock* free = nullptr;
    std::size_t cut = 0;
    std::size_t live = 0;
};

namespace {

// The first block lies this far into its chunk.
constexpr std::size_t ChunkHeader = (sizeof(void*) * 6 + Alignment - 1) / Alignment * Alignment;
// A block's own header: the chunk it belongs to.
constexpr std::size_t BlockHeader = RoundedUp(sizeof(void*));

} // namespace

TILXMLBlockPool::TILXMLBlockPool(std::size_t blockSize, std::size_t blocksPerChunk)
    : blockSize_(blockSize),
      blocksPerChunk_(blocksPerChunk > 0 ? blocksPerChunk : 1),
      stride_(BlockHeader + RoundedUp(blockSize > 0 ? blockSize : 1))
{
    static_assert(sizeof(Chunk) <= ChunkHeader, "the chunk header must fit before the first block");
}

TILXMLBlockPool::~TILXMLBlockPool()
{
    const Lock guard(busy_);
    if (current_ != nullptr && current_->live == 0) {
        FreeChunk(current_);
        current_ = nullptr;
    }
    while (available_ != nullptr && available_->live == 0) {
        Chunk* chunk = available_;
        Unlink(*chunk);
        FreeChunk(chunk);
    }
}

TILXMLBlockPool::Chunk* TILXMLBlockPool::NewChunk()
{
    void* memory = ::operator new(ChunkHeader + stride_ * blocksPerChunk_);
    ++chunkCount_;
    return new (memory) Chunk;
}

void TILXMLBlockPool::FreeChunk(Chunk* chunk)
{
    chunk->~Chunk();
    ::operator delete(static_cast<void*>(chunk));
    --chunkCount_;
}

void TILXMLBlockPool::Link(Chunk& chunk)
{
    chunk.previous = nullptr;
    chunk.next = available_;
    if (available_ != nullptr) {
        available_->previous = &chunk;
    }
    available_ = &chunk;
    chunk.listed = true;
}

void TILXMLBlockPool::Unlink(Chunk& chunk)
{
    if (chunk.previous != nullptr) {
        chunk.previous->next = chunk.next;
    } else {
        available_ = chunk.next;
    }
    if (chunk.next != nullptr) {
        chunk.next->previous = chunk.previous;
    }
    chunk.previous = nullptr;
    chunk.next = nullptr;
    chunk.listed = false;
}

void* TILXMLBlockPool::Take(Chunk& chunk)
{
    std::byte* block = nullptr;
    if (chunk.free != nullptr) {
        FreeBlock* taken = chunk.free;
        chunk.free = taken->next;
        block = reinterpret_cast<std::byte*>(taken) - BlockHeader;
    } else {
        // Blocks are cut in order, so a document made in one go lies in order in its chunks.
        block = reinterpret_cast<std::byte*>(&chunk) + ChunkHeader + stride_ * chunk.cut;
        ++chunk.cut;
        *reinterpret_cast<Chunk**>(block) = &chunk;
    }
    ++chunk.live;
    ++blocksInUse_;
    return block + BlockHeader;
}

void* TILXMLBlockPool::Allocate()
{
    const Lock guard(busy_);
    const auto hasRoom = [this](const Chunk* chunk) {
        return chunk != nullptr && (chunk->free != nullptr || chunk->cut < blocksPerChunk_);
    };
    if (!hasRoom(current_)) {
        if (available_ != nullptr) {
            current_ = available_;
            Unlink(*current_);
        } else {
            current_ = NewChunk();
        }
    }
    return Take(*current_);
}

void TILXMLBlockPool::Release(void* block) noexcept
{
    if (block == nullptr) {
        return;
    }
    std::byte* start = static_cast<std::byte*>(block) - BlockHeader;
    Chunk* chunk = *reinterpret_cast<Chunk**>(start);
    const Lock guard(busy_);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->next = chunk->free;
    chunk->free = freed;
    --chunk->live;
    --blocksInUse_;
    if (chunk == current_) {
        return;
    }
    if (chunk->live == 0) {
        // Nothing of the chunk is in use any more: it goes back to the heap at once, so that a
        // freed document leaves no memory behind.
        if (chunk->listed) {
            Unlink(*chunk);
        }
        FreeChunk(chunk);
    } else if (!chunk->listed) {
        Link(*chunk);
    }
}

std::size_t TILXMLBlockPool::ChunkCount() const
{
    const Lock guard(busy_);
    return chunkCount_;
}

std::size_t TILXMLBlockPool::BlocksInUse() const
{
    const Lock guard(busy_);
    return blocksInUse_;
}
