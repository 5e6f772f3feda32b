// Pooled storage for document elements. A large file holds hundreds of thousands of them,
// all of one size; taking them from big blocks and handing the blocks back once the last
// element is gone makes reading and freeing a document far cheaper than one heap block each.
#include <atomic>
#include <cstddef>
#include <new>
#include <vector>

#include "foundation/xml_node.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool PoolEnabled = false; // the sanitizer must see every element's own lifetime
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool PoolEnabled = false;
#else
constexpr bool PoolEnabled = true;
#endif
#else
constexpr bool PoolEnabled = true;
#endif

class ElementPool {
public:
    void* Take()
    {
        Guard guard(lock_);
        if (free_ == nullptr) {
            Grow();
        }
        FreeBlock* block = free_;
        free_ = block->next;
        ++live_;
        return block;
    }

    void Give(void* memory)
    {
        Guard guard(lock_);
        auto* block = static_cast<FreeBlock*>(memory);
        block->next = free_;
        free_ = block;
        if (--live_ == 0) {
            Release();
        }
    }

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    static constexpr std::size_t BlockSize = (sizeof(TILXMLNode) + alignof(std::max_align_t) - 1)
                                             / alignof(std::max_align_t) * alignof(std::max_align_t);
    static constexpr std::size_t BlocksPerChunk = 4096;

    // Elements are made and freed on the program's one thread; the lock only keeps a stray
    // second thread from corrupting the lists.
    class Guard {
    public:
        explicit Guard(std::atomic_flag& flag) : flag_(flag)
        {
            while (flag_.test_and_set(std::memory_order_acquire)) {
            }
        }
        ~Guard() { flag_.clear(std::memory_order_release); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        std::atomic_flag& flag_;
    };

    void Grow()
    {
        auto* chunk = static_cast<std::byte*>(::operator new(BlockSize * BlocksPerChunk));
        chunks_.push_back(chunk);
        for (std::size_t i = BlocksPerChunk; i-- > 0;) {
            auto* block = reinterpret_cast<FreeBlock*>(chunk + i * BlockSize);
            block->next = free_;
            free_ = block;
        }
    }

    // With no element alive, every block is free: the chunks go back to the heap.
    void Release()
    {
        for (std::byte* chunk : chunks_) {
            ::operator delete(chunk);
        }
        chunks_.clear();
        free_ = nullptr;
    }

    std::atomic_flag lock_ = ATOMIC_FLAG_INIT;
    FreeBlock* free_ = nullptr;
    std::vector<std::byte*> chunks_;
    std::size_t live_ = 0;
};

ElementPool& Pool()
{
    static ElementPool* pool = new ElementPool; // never destroyed: elements may outlive statics
    return *pool;
}

} // namespace

void* TILXMLNode::operator new(std::size_t size)
{
    if (!PoolEnabled || size != sizeof(TILXMLNode)) {
        return ::operator new(size);
    }
    return Pool().Take();
}

void TILXMLNode::operator delete(void* block, std::size_t size)
{
    if (block == nullptr) {
        return;
    }
    if (!PoolEnabled || size != sizeof(TILXMLNode)) {
        ::operator delete(block);
        return;
    }
    Pool().Give(block);
}
