#include "NotepadProcess.h"

#include "JournalQueries.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (processId == search->processId && IsWindowVisible(window) && lstrcmpiW(className, L"Notepad") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

NotepadProcess::NotepadProcess()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    wchar_t commandLine[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return;
    }
    WaitForInputIdle(process.hProcess, 20000);
    Eventually([this] { return (window = FindMainWindow(process.dwProcessId)) != nullptr; },
               std::chrono::seconds(20));
    if (window != nullptr) {
        edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    }
}

NotepadProcess::~NotepadProcess()
{
    if (process.hProcess == nullptr) {
        return;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// WM_GETTEXT crosses the process boundary: Windows copies the text back.
std::wstring NotepadProcess::Text() const
{
    wchar_t text[256] = {};
    SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND NotepadProcess::FindMainWindow(DWORD processId)
{
    Search search{processId, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
