#pragma once

#include <windows.h>

#include <string>

// Wine's notepad, started as a process of its own: a real program of another
// process whose edit control receives the injected keys.
class NotepadProcess {
public:
    // Starts notepad.exe and waits for its window; Window() stays null when it does not appear in time.
    NotepadProcess();
    // Ends the process without the save prompt that its typed text would raise.
    ~NotepadProcess();
    NotepadProcess(const NotepadProcess&) = delete;
    NotepadProcess& operator=(const NotepadProcess&) = delete;

    HWND Window() const { return window; }
    // The edit control's text; WM_GETTEXT copies it across the process boundary.
    std::wstring Text() const;

private:
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};
