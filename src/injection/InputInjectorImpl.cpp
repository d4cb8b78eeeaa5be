#include "injection/InputInjectorImpl.h"

#include <algorithm>
#include <cstring>

#include "logging/LogInstance.h"
#include "logging/OperationTrace.h"

namespace TESSARIL_REMOTECONTROL_HOST {

namespace {

using TESSARIL_LOG::LogError;
using TESSARIL_LOG::LogInfo;
using TESSARIL_LOG::LogWarning;
using IgnoreEntries = std::vector<InputInjectorImpl::IgnoreEntry>;

// The host application's own prompt must stay clickable for the host's user.
constexpr char kPromptWindowClass[] = "HoyaSSPromptWindow";
constexpr int kClassNameBuffer = 256;
// Room for a NUL after the longest title the read may return.
constexpr int kTitleCapacity = 260;
constexpr int kTitleBuffer = kTitleCapacity + 1;

constexpr TESSARIL_LOG::OperationTrace Trace("TESSARIL_REMOTECONTROL_HOST::InputInjectorImpl");

// Log lines show a handle as a 64-bit Windows would hold it: widened with its sign.
uint64_t SignExtended(WindowHandle window)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(window)));
}

IgnoreEntries EntryFromBytes(const HostIgnoredWindow& request)
{
    WindowHandle window = 0;
    if (request.windowBytes != nullptr && request.windowByteCount == sizeof(window)) {
        std::memcpy(&window, request.windowBytes, sizeof(window));
    }
    if (window == 0) {
        LogError("HostIgnoredWindow invalid");
        return {};
    }
    return {{InputInjectorImpl::kIgnoreByBytes, window}};
}

IgnoreEntries EntryFromHandle(const HostIgnoredWindow& request)
{
    if (request.windowHandle == 0) {
        LogWarning("invalid ignore type:{}", request.ignoreType);
        return {};
    }
    return {{InputInjectorImpl::kIgnoreByHandle, static_cast<WindowHandle>(request.windowHandle)}};
}

std::string TitleOf(WindowHandle window)
{
    WCHAR title[kTitleBuffer] = {};
    GetWindowTextW(ToHwnd(window), title, kTitleCapacity);
    return WideToUtf8(title);
}

bool HasRequestedTitle(WindowHandle window, const HostIgnoredWindow& request)
{
    const std::string title = TitleOf(window);
    return std::find(request.windowTitles.begin(), request.windowTitles.end(), title) != request.windowTitles.end();
}

IgnoreEntries EntriesByTitle(const HostIgnoredWindow& request)
{
    WindowHandleList windows;
    EnumVisibleTopWindows(windows);
    IgnoreEntries entries;
    for (WindowHandle window : windows) {
        DWORD processId = 0;
        GetWindowThreadProcessId(ToHwnd(window), &processId);
        if (processId == request.processId && HasRequestedTitle(window, request)) {
            entries.push_back({InputInjectorImpl::kIgnoreByTitle, window});
        }
    }
    return entries;
}

IgnoreEntries CollectEntries(const HostIgnoredWindow& request)
{
    switch (request.ignoreType) {
    case InputInjectorImpl::kIgnoreByBytes:
        return EntryFromBytes(request);
    case InputInjectorImpl::kIgnoreByTitle:
        return EntriesByTitle(request);
    case InputInjectorImpl::kIgnoreByHandle:
        return EntryFromHandle(request);
    default:
        LogWarning("invalid ignore type:{}", request.ignoreType);
        return {};
    }
}

bool IsPromptWindow(WindowHandle window)
{
    char className[kClassNameBuffer] = {};
    GetClassNameA(ToHwnd(window), className, kClassNameBuffer);
    return std::strcmp(className, kPromptWindowClass) == 0;
}

// A failed set has no error text; its line keeps the space before the text that
// the reset's line carries.
void LogSetFailure(bool screenMode, WindowHandle window)
{
    if (screenMode) {
        LogError("SetIgnoreMouseEvents failed,{} ", SignExtended(window));
    } else {
        LogError("SetIgnoreMouseEvents failed ");
    }
}

void LogResetFailure(bool screenMode, WindowHandle window, const std::string& error)
{
    if (screenMode) {
        LogError("ResetIgnoreMouseEvents failed,{} {}", SignExtended(window), error);
    } else {
        LogError("ResetIgnoreMouseEvents failed {}", error);
    }
}

}  // namespace

void InputInjectorImpl::UpdateIgnoreWindow(const HostIgnoredWindow& request, bool add)
{
    const auto trace = Trace("UpdateIgnoreWindow");
    const std::lock_guard lock(operationMutex);
    LogInfo("UpdateIgnoreWindow ignoreType = {}", request.ignoreType);
    const IgnoreEntries entries = CollectEntries(request);
    for (const IgnoreEntry& entry : entries) {
        LogInfo("UpdateIgnoreWindow hwnd is {:#08x}, if add {}", SignExtended(entry.window), add);
    }
    if (add) {
        AddEntries(entries);
    } else {
        RemoveEntries(entries);
    }
}

void InputInjectorImpl::ClearIgnoreWindow()
{
    const auto trace = Trace("ClearIgnoreWindow");
    const std::lock_guard lock(operationMutex);
    hostIgnoreList.clear();
}

void InputInjectorImpl::AddEntries(const std::vector<IgnoreEntry>& entries)
{
    for (const IgnoreEntry& entry : entries) {
        if (std::find(hostIgnoreList.begin(), hostIgnoreList.end(), entry) == hostIgnoreList.end()) {
            hostIgnoreList.push_back(entry);
        }
    }
}

void InputInjectorImpl::RemoveEntries(const std::vector<IgnoreEntry>& entries)
{
    for (const IgnoreEntry& entry : entries) {
        std::erase(hostIgnoreList, entry);
    }
}

void InputInjectorImpl::BeginIgnoreWindows()
{
    if (!isScreen) {
        CollectCoveringWindows(static_cast<WindowHandle>(windowId), coveringWindows);
    }
    ApplyIgnorePass(true);
}

// In window mode the covering windows of BeginIgnoreWindows are restored, even
// if the z-order has changed since.
void InputInjectorImpl::EndIgnoreWindows()
{
    ApplyIgnorePass(false);
}

// A handle may stand in the list twice (under two ignore types). Each handle is
// handled once per pass, at its first place: a second set would save the style
// the first one made, and the restore would leave the window transparent. The
// lists are a handful of windows, so the look-back costs nothing worth a set.
void InputInjectorImpl::ApplyIgnorePass(bool set)
{
    std::string error;
    for (size_t index = 0; index < PassLength(); ++index) {
        const WindowHandle window = PassWindowAt(index);
        if (StandsEarlierInPass(index) || IsPromptWindow(window)) {
            continue;
        }
        if (set) {
            MakeTransparent(window);
        } else {
            RestoreStyle(window, error);
        }
    }
    if (!set) {
        savedExStyles.clear();
    }
}

void InputInjectorImpl::MakeTransparent(WindowHandle window)
{
    LONG previous = 0;
    if (SetIgnoreMouseEvents(window, &previous)) {
        savedExStyles.emplace_back(window, previous);
    } else {
        LogSetFailure(isScreen, window);
    }
}

// A window whose set failed has no saved style and gets 0, which only a window
// that appeared during the injection would accept.
void InputInjectorImpl::RestoreStyle(WindowHandle window, std::string& error)
{
    const auto saved = std::find_if(savedExStyles.begin(), savedExStyles.end(),
                                    [window](const auto& entry) { return entry.first == window; });
    const LONG exStyle = saved != savedExStyles.end() ? saved->second : 0;
    if (!ResetIgnoreMouseEvents(window, exStyle, error)) {
        LogResetFailure(isScreen, window, error);
    }
}

size_t InputInjectorImpl::PassLength() const
{
    return isScreen ? hostIgnoreList.size() : coveringWindows.size();
}

WindowHandle InputInjectorImpl::PassWindowAt(size_t index) const
{
    return isScreen ? hostIgnoreList[index].window : coveringWindows[index];
}

bool InputInjectorImpl::StandsEarlierInPass(size_t index) const
{
    for (size_t earlier = 0; earlier < index; ++earlier) {
        if (PassWindowAt(earlier) == PassWindowAt(index)) {
            return true;
        }
    }
    return false;
}

}  // namespace TESSARIL_REMOTECONTROL_HOST
