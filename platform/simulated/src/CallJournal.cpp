#include "CallJournal.h"

#include <cstdarg>
#include <cstdio>

#include "Handles.h"

namespace SimulatedDesktop {

namespace {

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string Describe(const MOUSEINPUT& mouse)
{
    // mouseData is signed for wheel steps, whatever its declared type.
    return Format("mouse dx=%d dy=%d data=%d flags=0x%04x", mouse.dx, mouse.dy, static_cast<int32_t>(mouse.mouseData),
                  mouse.dwFlags);
}

std::string Describe(const KEYBDINPUT& key)
{
    return Format("key vk=0x%02x scan=%u flags=0x%04x", key.wVk, key.wScan, key.dwFlags);
}

std::string DescribeExtras(DWORD time, ULONG_PTR extraInfo)
{
    std::string extras;
    if (time != 0) {
        extras += Format(" time=%u", time);
    }
    if (extraInfo != 0) {
        extras += Format(" extra=0x%llx", static_cast<unsigned long long>(extraInfo));
    }
    return extras;
}

std::string Describe(const INPUT& record)
{
    switch (record.type) {
    case INPUT_MOUSE:
        return Describe(record.mi) + DescribeExtras(record.mi.time, record.mi.dwExtraInfo);
    case INPUT_KEYBOARD:
        return Describe(record.ki) + DescribeExtras(record.ki.time, record.ki.dwExtraInfo);
    case INPUT_HARDWARE:
        return Format("hardware msg=0x%04x wParamL=%u wParamH=%u", record.hi.uMsg, record.hi.wParamL,
                      record.hi.wParamH);
    default:
        return Format("type=%u", record.type);
    }
}

std::string DescribeIndex(int index)
{
    switch (index) {
    case GWL_STYLE:
        return "GWL_STYLE";
    case GWL_EXSTYLE:
        return "GWL_EXSTYLE";
    default:
        return Format("%d", index);
    }
}

// The predefined contexts by name, the values threads hold in hex.
std::string DescribeContext(DPI_AWARENESS_CONTEXT context)
{
    static const char* const kNames[] = {"UNAWARE", "SYSTEM_AWARE", "PER_MONITOR_AWARE", "PER_MONITOR_AWARE_V2",
                                         "UNAWARE_GDISCALED"};
    const auto value = reinterpret_cast<intptr_t>(context);
    if (value >= -5 && value <= -1) {
        return kNames[-value - 1];
    }
    return Format("0x%08llx", static_cast<unsigned long long>(static_cast<uintptr_t>(value)));
}

std::string DescribeError(DWORD error) { return error == ERROR_SUCCESS ? "" : Format(" error=%u", error); }

}  // namespace

void CallJournal::Clear()
{
    lines.clear();
    sendInputs.clear();
    executionStates.clear();
}

void CallJournal::RecordSendInput(const SendInputCall& call, DWORD error)
{
    std::string line = "SendInput";
    if (call.records.empty()) {
        line += Format(" cInputs=%u cbSize=%d", call.requested, call.cbSize);
    }
    for (size_t i = 0; i < call.records.size(); ++i) {
        line += (i == 0 ? " " : " | ") + Describe(call.records[i]);
    }
    lines.push_back(line + Format(" -> %u", call.result) + DescribeError(error));
    sendInputs.push_back(call);
}

void CallJournal::RecordSetWindowLong(HWND window, int index, LONG value, LONG result, DWORD error)
{
    lines.push_back(Format("SetWindowLongA 0x%x ", HandleValue(window)) + DescribeIndex(index) +
                    Format(" 0x%08x -> 0x%08x", static_cast<uint32_t>(value), static_cast<uint32_t>(result)) +
                    DescribeError(error));
}

void CallJournal::RecordExecutionState(EXECUTION_STATE flags)
{
    lines.push_back(Format("SetThreadExecutionState 0x%08x", flags));
    executionStates.push_back(flags);
}

void CallJournal::RecordThreadDpiContext(DPI_AWARENESS_CONTEXT context, DPI_AWARENESS_CONTEXT result, DWORD error)
{
    lines.push_back("SetThreadDpiAwarenessContext " + DescribeContext(context) + " -> " +
                    (result == nullptr ? std::string("0") : DescribeContext(result)) + DescribeError(error));
}

}  // namespace SimulatedDesktop
