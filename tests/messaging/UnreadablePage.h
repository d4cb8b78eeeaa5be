#pragma once

#include <cstddef>

// A page that faults on any read: a handler that looks at its payload crashes.
// The operating system's memory calls live in posix/ and windows/.
class UnreadablePage {
public:
    UnreadablePage();
    ~UnreadablePage();
    UnreadablePage(const UnreadablePage&) = delete;
    UnreadablePage& operator=(const UnreadablePage&) = delete;

    // Null when the page could not be reserved.
    const void* Address() const { return page; }

private:
    std::size_t size;
    void* page;
};
