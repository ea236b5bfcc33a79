#include "platform/simulated/registry_storage.hpp"

#include <atomic>
#include <new>

namespace prestova {

namespace {

// Chunks of trees that are gone, for the trees that come next; bounded, so
// that what a program holds after many trees is what it held after one.
// Taking and keeping a chunk are rare, so a spin lock serves.
class ChunkCache {
public:
    void* take()
    {
        Lock lock(busy_);
        Chunk* chunk = first_;
        if (chunk) {
            first_ = chunk->next;
            --count_;
        }
        return chunk;
    }

    bool keep(void* block)
    {
        Lock lock(busy_);
        if (count_ == kMostChunks) return false;
        auto* chunk = static_cast<Chunk*>(block);
        chunk->next = first_;
        first_ = chunk;
        ++count_;
        return true;
    }

private:
    static constexpr std::size_t kMostChunks = 128;  // 8 MiB
    struct Chunk {
        Chunk* next;
    };
    class Lock {
    public:
        explicit Lock(std::atomic<bool>& busy) : busy_(busy)
        {
            while (busy_.exchange(true, std::memory_order_acquire)) {
            }
        }
        ~Lock() { busy_.store(false, std::memory_order_release); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        std::atomic<bool>& busy_;
    };

    std::atomic<bool> busy_{false};
    Chunk* first_ = nullptr;
    std::size_t count_ = 0;
};

constinit ChunkCache chunk_cache;

} // namespace

RegistryStorage::~RegistryStorage()
{
    for (ChunkHeader* chunk = chunks_; chunk;) {
        ChunkHeader* next = chunk->next;
        if (!chunk_cache.keep(chunk)) ::operator delete(chunk);
        chunk = next;
    }
    for (LargeHeader* block = large_; block;) {
        LargeHeader* next = block->next;
        ::operator delete(block);
        block = next;
    }
}

void* RegistryStorage::from_new_chunk(std::size_t bytes)
{
    // The rest of the old chunk is left unused: less than one block's worth.
    void* taken = chunk_cache.take();
    auto* chunk = static_cast<ChunkHeader*>(taken ? taken : ::operator new(kChunkBytes));
    chunk->next = chunks_;
    chunks_ = chunk;
    held_ += kChunkBytes;
    next_ = reinterpret_cast<char*>(chunk) + sizeof(ChunkHeader) + bytes;
    end_ = reinterpret_cast<char*>(chunk) + kChunkBytes;
    return chunk + 1;
}

void* RegistryStorage::allocate_large(std::size_t bytes)
{
    auto* block = static_cast<LargeHeader*>(::operator new(sizeof(LargeHeader) + bytes));
    block->previous = nullptr;
    block->next = large_;
    if (large_) large_->previous = block;
    large_ = block;
    held_ += sizeof(LargeHeader) + bytes;
    return block + 1;
}

void RegistryStorage::release_large(void* block, std::size_t bytes) noexcept
{
    LargeHeader* large = static_cast<LargeHeader*>(block) - 1;
    if (large->previous) large->previous->next = large->next;
    else large_ = large->next;
    if (large->next) large->next->previous = large->previous;
    held_ -= sizeof(LargeHeader) + bytes;
    ::operator delete(large);
}

} // namespace prestova
