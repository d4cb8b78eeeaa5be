#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "messaging/PointerResource.h"

namespace TESSARIL_RESOURCES {

// The memory that one outgoing message points to. Each text or array of the
// payload is a buffer owned by a resource here; the sender keeps the storage
// on its stack, so every buffer is released once the entry point has returned.
// Private to one call: concurrent sends share nothing.
template <class Base>
class CallStorage {
public:
    // Exactly the text's bytes followed by a NUL; an empty text gives one byte.
    const char* CopyText(const std::string& text)
    {
        char* buffer = NewArray<char>(text.size() + 1);
        std::memcpy(buffer, text.data(), text.size());
        buffer[text.size()] = '\0';
        return buffer;
    }

    // A count of 0 still gives a valid, distinct pointer.
    template <class T>
    T* NewArray(size_t count)
    {
        // The resource exists before the buffer, so that no allocation failure
        // can leave a buffer without an owner.
        auto resource = std::make_shared<PointerResourceOf<Base, T>>();
        resource->pointer = new T[count];
        resources.push_back(resource);
        return resource->pointer;
    }

private:
    std::vector<std::shared_ptr<Base>> resources;
};

}  // namespace TESSARIL_RESOURCES
