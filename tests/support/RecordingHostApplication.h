#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "tessaril_remotecontrol_host.h"

// The host application's SendFunction and NotifyFunction for tests: every
// outgoing message becomes one line, in the order of arrival from whichever
// thread sent it:
//   "register <text>", "unregister", "cursor <n> <type>@<x>,<y> ... in <w>x<h>",
//   "channel available", "channel unavailable", "report <key> <value>",
//   "send <id>" / "notify <id>" for anything else.
class RecordingHostApplication {
public:
    static bool TESSARIL_CDECL Send(const char* sender, uint64_t messageId, void* payload);
    static bool TESSARIL_CDECL Notify(const char* sender, uint64_t messageId, void* payload);

    // Written into the result field of every register request.
    static void SetRegisterResult(int64_t result);

    static std::vector<std::string> Lines();
    static std::vector<std::string> Take();
    static void Clear();

    // Lines whose sender text was not the plugin's, and the thread of the
    // latest cursor report.
    static std::vector<std::string> ForeignSenders();
    static std::thread::id LastCursorThread();

private:
    static void Record(const char* sender, std::string line);
};
