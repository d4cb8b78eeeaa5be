#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "HostSession.h"
#include "platform_win32.h"

// One plugin life per fuzz input, played by the host harness on the same
// simulated desktop each time: a shared window under two others (one the
// host's prompt, which must never be touched), a window with the same title
// on another virtual desktop, and two monitors. A broken rule aborts, and
// libFuzzer keeps the input that caused it.
class CheckedSession {
public:
    using HostSession = TESSARIL_HOST_APP::HostSession;

    // Resets the desktop, then ExportedInit without an event loop (so no
    // cursor report is ever sent) and ExportedStart.
    CheckedSession();
    // A checked stop, ExportedStop and ExportedUninit; then every window must
    // have its extended style back and every message the plugin's sender text.
    ~CheckedSession();
    CheckedSession(const CheckedSession&) = delete;
    CheckedSession& operator=(const CheckedSession&) = delete;

    // Starts on the shared window, or on the primary monitor with the chat window listed.
    void Start(bool screen);

    // ExportedCallEvent and ExportedCallDrop, checked: exactly the known
    // commands run, a command that runs writes 0, 5 or 6 and one that does not
    // leaves the result alone, and a done stop sends two unregister requests.
    template <class Payload>
    void Command(uint64_t commandId, Payload& payload)
    {
        const size_t unregisters = host.recorder.Count(TESSARIL_HOST_APP::OutgoingMessage::Kind::Unregister);
        const int64_t result = host.Command(commandId, payload);
        Check(commandId, result, payload.result, unregisters);
    }

    // ExportedCallEvent with no payload, which must not run.
    void NullCommand(uint64_t commandId);

    // A mouse move inside the shared area: the ignore windows of the moment are set and restored.
    void Probe();

    // One of the desktop's windows or monitors, 0, all bits set, or `raw`.
    uint64_t Target(uint8_t choice, uint64_t raw) const;

    // One for the process: only one event loop and one recorder may exist at a time.
    static HostSession host;

private:
    void Check(uint64_t commandId, int64_t returned, int64_t written, size_t unregistersBefore) const;

    HWND shared = nullptr;
    HWND chat = nullptr;
    HWND prompt = nullptr;
    HMONITOR secondMonitor = nullptr;
    std::vector<std::pair<HWND, LONG>> originalExStyles;
};
