#pragma once

#include <windows.h>

#include <string>

// Wine's notepad, started as a process of its own: a real program of another
// process whose edit control receives the injected keys.
class NotepadProcess {
public:
    // Starts notepad.exe and waits for its main window and edit control; both
    // handles stay null when it does not appear in time.
    NotepadProcess();
    // Ends the process without the save prompt that its typed text would raise.
    ~NotepadProcess();
    NotepadProcess(const NotepadProcess&) = delete;
    NotepadProcess& operator=(const NotepadProcess&) = delete;

    HWND Window() const { return window; }
    HWND Edit() const { return edit; }
    std::wstring Text() const;

private:
    static HWND FindMainWindow(DWORD processId);

    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    HWND edit = nullptr;
};
