#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

// The fuzzer's bytes as the host application's memory: one heap copy of
// exactly their size plus a NUL, so that every text taken from it ends inside,
// every list lies inside, and AddressSanitizer reports any read beyond. The
// copy starts on a 16-byte boundary; lists start on 8-byte offsets, as the
// payload layouts align them.
class FuzzArena {
public:
    FuzzArena(const uint8_t* data, size_t size);

    // The NUL-terminated text from `offset` (taken modulo the arena) on.
    const char* Text(size_t offset) const;

    // Up to `wanted` elements of T from the 8-byte offset at or below
    // `offset`, fewer where the arena ends first.
    template <class T>
    std::span<const T> List(size_t offset, uint32_t wanted) const
    {
        const size_t start = ListStart(offset);
        const size_t room = (size - start) / sizeof(T);
        return {reinterpret_cast<const T*>(bytes.get() + start), room < wanted ? room : wanted};
    }

    // `length` bytes from the 8-byte offset at or below `offset`, or null
    // where the arena ends first.
    const uint8_t* Bytes(size_t offset, size_t length) const;

private:
    size_t ListStart(size_t offset) const;

    size_t size;
    std::unique_ptr<uint8_t[]> bytes;
};
