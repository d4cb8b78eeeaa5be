#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PluginExports.h"

// Stand-in exports for the command builder: each call is noted ("event <id>",
// "drop <id>") and its payload copied deeply, since what it points to is gone
// once the call returns. ExportedCallEvent answers with `result`.
struct FakePluginExports {
    static inline std::vector<std::string> calls;
    static inline int64_t result = 0;
    static inline std::string startText;
    static inline TessarilStartHostCommand start{};
    static inline TessarilIgnoreWindowRequest ignore{};
    static inline std::vector<uint8_t> ignoreBytes;
    static inline std::vector<std::string> ignoreTitles;
    static inline int64_t resetId = 0;

    static TESSARIL_HOST_APP::PluginExports Exports()
    {
        calls.clear();
        TESSARIL_HOST_APP::PluginExports exports;
        exports.callEvent = &CallEvent;
        exports.callDrop = &CallDrop;
        return exports;
    }

private:
    static bool CallEvent(uint64_t id, void* payload)
    {
        calls.push_back("event " + std::to_string(id));
        switch (id) {
        case TESSARIL_CMD_START_HOST:
            start = *static_cast<TessarilStartHostCommand*>(payload);
            startText = start.text;
            static_cast<TessarilStartHostCommand*>(payload)->result = result;
            return true;
        case TESSARIL_CMD_ADD_HOST_IGNORE_WINDOW:
        case TESSARIL_CMD_REMOVE_HOST_IGNORE_WINDOW:
            CopyIgnore(*static_cast<TessarilIgnoreWindowRequest*>(payload));
            return true;
        case TESSARIL_CMD_RESET_SCREEN:
        case TESSARIL_CMD_RESET_WINDOW:
            resetId = static_cast<TessarilResetTargetCommand*>(payload)->id;
            static_cast<TessarilResetTargetCommand*>(payload)->result = result;
            return true;
        default:
            static_cast<TessarilResultOnlyCommand*>(payload)->result = result;
            return true;
        }
    }

    static void CopyIgnore(TessarilIgnoreWindowRequest& request)
    {
        ignore = request;
        ignoreBytes.assign(request.windowBytes, request.windowBytes + request.windowByteCount);
        ignoreTitles.assign(request.titles, request.titles + request.titleCount);
        request.result = result;
    }

    static bool CallDrop(uint64_t id)
    {
        calls.push_back("drop " + std::to_string(id));
        return true;
    }
};
