#include "FuzzArena.h"

#include <cstring>

FuzzArena::FuzzArena(const uint8_t* data, size_t dataSize) : size(dataSize), bytes(new uint8_t[dataSize + 1])
{
    if (size > 0) {
        std::memcpy(bytes.get(), data, size);
    }
    bytes[size] = 0;
}

const char* FuzzArena::Text(size_t offset) const
{
    return reinterpret_cast<const char*>(bytes.get() + offset % (size + 1));
}

size_t FuzzArena::ListStart(size_t offset) const
{
    return (offset % (size + 1)) & ~size_t{7};
}

const uint8_t* FuzzArena::Bytes(size_t offset, size_t length) const
{
    const size_t start = ListStart(offset);
    return size - start >= length ? bytes.get() + start : nullptr;
}
