#include "platform/simulated/registry_storage.hpp"

#include <new>

namespace prestova {

RegistryStorage::~RegistryStorage()
{
    for (ChunkHeader* chunk = chunks_; chunk;) {
        ChunkHeader* next = chunk->next;
        ::operator delete(chunk);
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
    std::size_t size = next_chunk_;
    while (size - sizeof(ChunkHeader) < bytes) size *= 2;
    auto* chunk = static_cast<ChunkHeader*>(::operator new(size));
    chunk->next = chunks_;
    chunks_ = chunk;
    held_ += size;
    next_ = reinterpret_cast<char*>(chunk) + sizeof(ChunkHeader) + bytes;
    end_ = reinterpret_cast<char*>(chunk) + size;
    if (next_chunk_ < kLargestChunk) next_chunk_ *= 2;
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
