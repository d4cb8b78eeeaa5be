#include "UnreadablePage.h"

#include <sys/mman.h>
#include <unistd.h>

UnreadablePage::UnreadablePage()
    : size(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))),
      page(mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0))
{
    if (page == MAP_FAILED) {
        page = nullptr;
    }
}

UnreadablePage::~UnreadablePage()
{
    if (page != nullptr) {
        munmap(page, size);
    }
}
