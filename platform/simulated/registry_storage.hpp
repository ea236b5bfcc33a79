#pragma once
// The memory of one registry tree. A whole-machine export makes millions of
// small keys, values and lists; taking each from the heap costs more than
// reading it. Blocks come in size classes carved from chunks held by the
// tree; a released block waits on its class's free list for the next one
// of that class, so the memory held never exceeds what the tree held at its
// largest. Everything goes at once when the tree does; a few megabytes of
// chunks wait for the next tree, so that a program reading profile after
// profile does not hand its memory back to the system and fault it in
// again for every one.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace prestova {

class RegistryStorage {
public:
    RegistryStorage() = default;
    ~RegistryStorage();
    RegistryStorage(const RegistryStorage&) = delete;
    RegistryStorage& operator=(const RegistryStorage&) = delete;

    // At least `bytes` (more than 0), aligned for any object; release it
    // with the same size. Inline: a tree takes several blocks per key.
    void* allocate(std::size_t bytes)
    {
        if (bytes > kClassLimit) return allocate_large(bytes);
        const std::size_t size_class = class_of(bytes);
        if (FreeBlock* block = free_[size_class]) {
            free_[size_class] = block->next;
            return block;
        }
        const std::size_t size = class_size(size_class);
        if (static_cast<std::size_t>(end_ - next_) < size) return from_new_chunk(size);
        void* block = next_;
        next_ += size;
        return block;
    }
    void release(void* block, std::size_t bytes) noexcept
    {
        if (!block) return;
        if (bytes > kClassLimit) return release_large(block, bytes);
        const std::size_t size_class = class_of(bytes);
        auto* freed = static_cast<FreeBlock*>(block);
        freed->next = free_[size_class];
        free_[size_class] = freed;
    }

    // Chunks and large blocks taken from the heap, in bytes.
    std::size_t bytes_held() const { return held_; }

private:
    static constexpr std::size_t kAlignment = 16;
    static constexpr std::size_t kSmallLimit = 256;        // 16-byte steps up to here
    static constexpr std::size_t kClassLimit = 16 * 1024;  // powers of two up to here; beyond, a block of its own
    static constexpr std::size_t kSmallClasses = kSmallLimit / kAlignment;
    static constexpr std::size_t kClasses = kSmallClasses + 6;  // 512 .. 16 KiB
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    struct FreeBlock {
        FreeBlock* next;
    };
    struct alignas(kAlignment) ChunkHeader {
        ChunkHeader* next;
    };
    struct alignas(kAlignment) LargeHeader {
        LargeHeader* previous;
        LargeHeader* next;
    };

    static std::size_t class_of(std::size_t bytes)
    {
        if (bytes <= kSmallLimit) return (bytes + kAlignment - 1) / kAlignment - 1;
        // 257 .. 512 is the first class after the small ones.
        return kSmallClasses + static_cast<std::size_t>(std::bit_width(bytes - 1)) - 9;
    }
    static std::size_t class_size(std::size_t size_class)
    {
        if (size_class < kSmallClasses) return (size_class + 1) * kAlignment;
        return std::size_t{512} << (size_class - kSmallClasses);
    }
    void* from_new_chunk(std::size_t bytes);
    void* allocate_large(std::size_t bytes);
    void release_large(void* block, std::size_t bytes) noexcept;

    FreeBlock* free_[kClasses] = {};
    ChunkHeader* chunks_ = nullptr;
    LargeHeader* large_ = nullptr;
    char* next_ = nullptr;  // the unused rest of the newest chunk
    char* end_ = nullptr;
    std::size_t held_ = 0;
};

} // namespace prestova
