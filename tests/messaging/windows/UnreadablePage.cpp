#include "UnreadablePage.h"

#include <windows.h>

// MEM_RELEASE takes a size of 0 and frees the whole reservation.
UnreadablePage::UnreadablePage()
    : size(0), page(VirtualAlloc(nullptr, 1, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS))
{
}

UnreadablePage::~UnreadablePage()
{
    if (page != nullptr) {
        VirtualFree(page, size, MEM_RELEASE);
    }
}
