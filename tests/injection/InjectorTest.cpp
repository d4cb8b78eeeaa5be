#include "InjectorTest.h"

#include <fmt/format.h>

#include <cstring>

#include "coordinates/CoordinateConverterHost.h"

using TESSARIL_REMOTECONTROL_HOST::CoordinateConverterHost;
using TESSARIL_REMOTECONTROL_HOST::HostIgnoredWindow;
using TESSARIL_SERVER_API::KeyEvent;

namespace {

uint64_t IdOf(const void* handle) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)); }

KeyEvent Key(int64_t keyCode, bool pressed, int64_t capsLock, bool numLock)
{
    KeyEvent event;
    event.keyCode = keyCode;
    event.pressed = pressed;
    event.capsLock = capsLock;
    event.numLock = numLock;
    return event;
}

// Every rate-limited site of the system writes again at the first call of each test.
int64_t NextTestTime()
{
    static int64_t next = 1'700'000'000'000;
    next += 1'000'000;
    return next;
}

// Spends the converter's rate-limited lines at this clock time.
void WarmUpConverter(int64_t viewportWidth, int64_t viewportHeight)
{
    int64_t x = 1;
    int64_t y = 1;
    CoordinateConverterHost::GetInstance()->ViewportToScreen(x, y, viewportWidth, viewportHeight);
}

void StartConverter(uint64_t id, bool isScreen, int64_t viewportWidth, int64_t viewportHeight)
{
    CoordinateConverterHost* converter = CoordinateConverterHost::GetInstance();
    converter->SetScreenId(id, isScreen);
    converter->Reset({0, 0, viewportWidth, viewportHeight});
    WarmUpConverter(viewportWidth, viewportHeight);
}

}  // namespace

KeyEvent KeyPress(int64_t keyCode, int64_t capsLock, bool numLock) { return Key(keyCode, true, capsLock, numLock); }

KeyEvent KeyRelease(int64_t keyCode, int64_t capsLock, bool numLock)
{
    return Key(keyCode, false, capsLock, numLock);
}

HostIgnoredWindow ByBytes(const uint8_t* bytes, uint32_t count)
{
    HostIgnoredWindow request;
    request.ignoreType = 1;
    request.windowBytes = bytes;
    request.windowByteCount = count;
    return request;
}

HostIgnoredWindow ByTitles(DWORD processId, std::vector<std::string> titles)
{
    HostIgnoredWindow request;
    request.ignoreType = 2;
    request.processId = processId;
    request.windowTitles = std::move(titles);
    return request;
}

HostIgnoredWindow ByHandle(int64_t handle)
{
    HostIgnoredWindow request;
    request.ignoreType = 3;
    request.windowHandle = handle;
    return request;
}

HostIgnoredWindow ByHandle(HWND window) { return ByHandle(static_cast<int64_t>(IdOf(window))); }

std::array<uint8_t, 4> BytesOf(HWND window)
{
    const auto handle = static_cast<uint32_t>(IdOf(window));
    std::array<uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &handle, bytes.size());
    return bytes;
}

std::string ExStyleLine(HWND window, LONG newStyle, LONG previous)
{
    return fmt::format("SetWindowLongA {:#x} GWL_EXSTYLE {:#010x} -> {:#010x}", IdOf(window),
                       static_cast<uint32_t>(newStyle), static_cast<uint32_t>(previous));
}

uint64_t LoggedHandle(HWND window)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(IdOf(window))));
}

HWND CreateWindowAt(RECT rect, LONG exStyle, const std::string& className)
{
    SimulatedDesktop::WindowSpec spec;
    spec.className = className;
    spec.rect = rect;
    spec.exStyle = exStyle;
    return SimulatedDesktop::CreateTopLevelWindow(spec);
}

void InjectorTest::SetUp()
{
    clock.Set(NextTestTime());
    SimulatedDesktop::Reset();
    CoordinateConverterHost::DestroyInstance();
    ClearRecords();
}

void InjectorTest::TearDown() { CoordinateConverterHost::DestroyInstance(); }

void InjectorTest::ShareScreen()
{
    const uint64_t monitor = IdOf(SimulatedDesktop::PrimaryMonitor());
    StartConverter(monitor, true, kScreenWidth, kScreenHeight);
    injector.Init(monitor, true);
    ClearRecords();
}

void InjectorTest::ShareWindow(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    StartConverter(IdOf(window), false, rect.right - rect.left, rect.bottom - rect.top);
    injector.Init(IdOf(window), false);
    ClearRecords();
}

void InjectorTest::ClearRecords()
{
    SimulatedDesktop::ClearJournal();
    RecordingLogger::Clear();
}
