#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

// The fuzzer's bytes as the host application's memory: one heap copy of
// exactly their size plus a NUL, so that every text taken from it ends inside,
// every list lies inside, and AddressSanitizer reports any read beyond. Lists
// start on 8-byte offsets, as the payload layouts align them.
class FuzzArena {
public:
    FuzzArena(const uint8_t* data, size_t dataSize) : size(dataSize), bytes(new uint8_t[dataSize + 1]())
    {
        if (size > 0) {
            std::memcpy(bytes.get(), data, size);
        }
    }

    // The NUL-terminated text from `offset` (taken modulo the arena) on.
    const char* Text(size_t offset) const { return reinterpret_cast<const char*>(bytes.get() + offset % (size + 1)); }

    // Up to `wanted` elements of T from the 8-byte offset at or below
    // `offset`, fewer where the arena ends first.
    template <class T>
    std::span<const T> List(size_t offset, size_t wanted) const
    {
        const size_t start = (offset % (size + 1)) & ~size_t{7};
        return {reinterpret_cast<const T*>(bytes.get() + start), std::min((size - start) / sizeof(T), wanted)};
    }

private:
    size_t size;
    std::unique_ptr<uint8_t[]> bytes;
};
