#include "BenchDesktop.h"

#include "simulated_desktop.h"

namespace TESSARIL_BENCH {

namespace {

HWND CreateWindowAt(const char* className, const RECT& rect)
{
    return SimulatedDesktop::CreateTopLevelWindow({.className = className, .title = className, .rect = rect});
}

uint64_t IdOf(const void* handle)
{
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace

BenchDesktop::BenchDesktop()
{
    SimulatedDesktop::Reset();
    editor = CreateWindowAt("Notepad", kEditorRect);
    covering.push_back(CreateWindowAt("ChatFrame", RECT{500, 300, 1100, 800}));
    covering.push_back(CreateWindowAt("ToolPalette", RECT{50, 50, 300, 400}));
    SimulatedDesktop::SetCursorPosition(POINT{400, 300});
}

uint64_t BenchDesktop::Monitor() const
{
    return IdOf(SimulatedDesktop::PrimaryMonitor());
}

uint64_t BenchDesktop::Editor() const
{
    return IdOf(editor);
}

const std::vector<HWND>& BenchDesktop::CoveringWindows() const
{
    return covering;
}

void BenchDesktop::ForgetJournal()
{
    SimulatedDesktop::ClearJournal();
}

}  // namespace TESSARIL_BENCH
