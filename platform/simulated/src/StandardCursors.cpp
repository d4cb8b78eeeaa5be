#include "StandardCursors.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "Handles.h"

namespace SimulatedDesktop {

namespace {

constexpr uint32_t kFirstHandle = 0x10003;

// Every IDC_* id of winuser.h, in order; a cursor's handle follows from its place.
constexpr WORD kResourceIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642, 32643, 32644,
                                 32645, 32646, 32648, 32649, 32650, 32651, 32671, 32672};

}  // namespace

HCURSOR StandardCursors::Find(LPCSTR name)
{
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const auto id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    const auto found = std::find(std::begin(kResourceIds), std::end(kResourceIds), id);
    if (found == std::end(kResourceIds)) {
        return nullptr;
    }
    const auto index = static_cast<uint32_t>(found - std::begin(kResourceIds));
    return MakeHandle<HCURSOR>(kFirstHandle + 2 * index);
}

HCURSOR StandardCursors::Arrow() { return Find(IDC_ARROW); }

}  // namespace SimulatedDesktop
