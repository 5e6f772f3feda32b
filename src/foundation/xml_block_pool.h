#pragma once

#include <cstddef>
#include <cstdint>
#include <atomic>

// Memory blocks of one size, cut from chunks of many blocks. A document holds hundreds of
// thousands of elements, each a block of the same size, made one after the other while a file
// is read and freed together when the document goes. The general heap pays for that with a
// header walk and a merge of free neighbours at every free, and scatters the elements; here a
// block is taken and given back in a few instructions, the blocks of a document lie side by
// side, and a chunk goes back to the heap as soon as its last block is given back.
//
// Safe to use from several threads: one lock guards the pool. It is a spin lock, since it is
// held for a few instructions only, and a mutex would cost more than the pool saves.
class TILXMLBlockPool {
public:
    // Blocks of at least that many bytes, aligned for any type.
    explicit TILXMLBlockPool(std::size_t blockSize, std::size_t blocksPerChunk = 256);
    // Gives the chunks back that hold no block any more; chunks still in use stay where they
    // are, so that blocks freed later never reach freed memory.
    ~TILXMLBlockPool();
    TILXMLBlockPool(const TILXMLBlockPool&) = delete;
    TILXMLBlockPool& operator=(const TILXMLBlockPool&) = delete;

    std::size_t BlockSize() const { return blockSize_; }
    // Raises std::bad_alloc when no chunk can be had.
    void* Allocate();
    // A block of this pool; none does nothing.
    void Release(void* block) noexcept;

    // The chunks held, and the blocks handed out and not given back.
    std::size_t ChunkCount() const;
    std::size_t BlocksInUse() const;

private:
    struct Chunk;
    struct FreeBlock {
        FreeBlock* next;
    };

    Chunk* NewChunk();
    void* Take(Chunk& chunk);
    void Link(Chunk& chunk);
    void Unlink(Chunk& chunk);
    void FreeChunk(Chunk* chunk);

    const std::size_t blockSize_;
    const std::size_t blocksPerChunk_;
    // Each block begins with the chunk it was cut from, padded to keep the block aligned.
    const std::size_t stride_;
    class Lock;
    mutable std::atomic_flag busy_;
    // The chunk blocks are taken from; the chunks besides it that have free blocks.
    Chunk* current_ = nullptr;
    Chunk* available_ = nullptr;
    std::size_t chunkCount_ = 0;
    std::size_t blocksInUse_ = 0;
};
