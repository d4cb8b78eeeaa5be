#include "cursor/StandardCursorTypes.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

struct StandardCursor {
    LPCSTR resource;
    int64_t type;
};

// In the order of insertion.
const StandardCursor kStandardCursors[] = {
    {IDC_ARROW, 0},     {IDC_IBEAM, 8},      {IDC_WAIT, 5},       {IDC_HAND, 3},
    {IDC_NO, 14},       {IDC_HELP, 2},       {IDC_CROSS, 7},      {IDC_SIZEWE, 28},
    {IDC_SIZENS, 29},   {IDC_SIZENESW, 30},  {IDC_SIZENWSE, 31},
};

}  // namespace

// Dynamic initialisation at load time. The monitor's call of TypeOf pulls this
// file, and so this object, out of the static library into every program that
// samples the cursor.
const StandardCursorTypes StandardCursorTypes::loaded;

StandardCursorTypes::StandardCursorTypes()
{
    for (const auto& cursor : kStandardCursors) {
        types.emplace(LoadCursorA(nullptr, cursor.resource), cursor.type);
    }
}

int64_t StandardCursorTypes::TypeOf(HCURSOR cursor)
{
    const auto found = loaded.types.find(cursor);
    return found != loaded.types.end() ? found->second : 0;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
