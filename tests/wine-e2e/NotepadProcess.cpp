#include "NotepadProcess.h"

#include "JournalQueries.h"

// The test's prefix runs no other notepad, so its window is the one of the class.
NotepadProcess::NotepadProcess()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    wchar_t commandLine[] = L"notepad.exe";
    if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForInputIdle(process.hProcess, 20000);
        Eventually([this] { return (window = FindWindowW(L"Notepad", nullptr)) != nullptr; }, std::chrono::seconds(20));
    }
}

NotepadProcess::~NotepadProcess()
{
    if (process.hProcess != nullptr) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

std::wstring NotepadProcess::Text() const
{
    wchar_t text[256] = {};
    SendMessageW(FindWindowExW(window, nullptr, L"Edit", nullptr), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}
