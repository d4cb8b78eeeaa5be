#include "WineInput.h"

#include "../ViewerInput.h"

namespace TESSARIL_BENCH {

namespace {

constexpr WORD kKeyA = 0x41;

LONG Normalised(int64_t position, int extent)
{
    return static_cast<LONG>(65535.0 / extent * static_cast<double>(position) + 0.5);
}

}  // namespace

WineInput::WineInput()
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ViewerInput viewer(width, height);
    for (int i = 0; i < kPositions; ++i) {
        mouseEvents[i] = viewer.Mouse(i);
        INPUT& record = mouseRecords[i];
        record.type = INPUT_MOUSE;
        record.mi.dx = Normalised(mouseEvents[i].x, width);
        record.mi.dy = Normalised(mouseEvents[i].y, height);
        record.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    for (int i = 0; i < 2; ++i) {
        keyEvents[i] = viewer.Key(i == 0);
        keyRecords[i].type = INPUT_KEYBOARD;
        keyRecords[i].ki.wVk = kKeyA;
        keyRecords[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
    }
}

const TessarilMouseEventFFI& WineInput::Mouse(int index)
{
    TessarilMouseEventFFI& event = mouseEvents[index % kPositions];
    event.seq = nextSeq++;
    return event;
}

const TessarilKeyEvent& WineInput::Key(int index)
{
    TessarilKeyEvent& event = keyEvents[index % 2];
    event.seq = nextSeq++;
    return event;
}

INPUT* WineInput::MouseRecord(int index)
{
    return &mouseRecords[index % kPositions];
}

INPUT* WineInput::KeyRecord(int index)
{
    return &keyRecords[index % 2];
}

}  // namespace TESSARIL_BENCH
