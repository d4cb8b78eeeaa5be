#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PluginExports.h"

// Stand-in exports for the command and message builders: each call is noted
// ("event <id>", "drop <id>", "receive <id>"; the plugin drops a message
// without payload, so that is noted too) and its payload copied deeply,
// since what it points to is gone once the call returns. ExportedCallEvent
// answers with `result`.
struct FakePluginExports {
    static inline std::vector<std::string> calls;
    static inline int64_t result = 0;
    static inline std::string startText;
    static inline TessarilStartHostCommand start{};
    static inline TessarilIgnoreWindowRequest ignore{};
    static inline std::vector<uint8_t> ignoreBytes;
    static inline std::vector<std::string> ignoreTitles;
    static inline int64_t resetId = 0;
    static inline TessarilKeyEvent key{};
    static inline std::vector<TessarilMouseEventFFI> mice;
    static inline int64_t mouseArrayDuration = 0;
    static inline TessarilClientViewportInfo viewport{};

    static TESSARIL_HOST_APP::PluginExports Exports()
    {
        calls.clear();
        mice.clear();
        TESSARIL_HOST_APP::PluginExports exports;
        exports.callEvent = &CallEvent;
        exports.callDrop = &CallDrop;
        exports.onReceive = &OnReceive;
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

    static bool OnReceive(uint64_t id, const void* payload)
    {
        calls.push_back("receive " + std::to_string(id) + (payload == nullptr ? " without payload" : ""));
        if (id == TESSARIL_MSG_KEY_EVENT) {
            key = *static_cast<const TessarilKeyEvent*>(payload);
        } else if (id == TESSARIL_MSG_MOUSE_EVENT) {
            mice = {*static_cast<const TessarilMouseEventFFI*>(payload)};
        } else if (id == TESSARIL_MSG_MOUSE_EVENT_ARRAY) {
            const auto& array = *static_cast<const TessarilMouseEventArrayPayload*>(payload);
            mice.assign(array.events, array.events + array.count);
            mouseArrayDuration = array.timeDuration;
        } else if (id == TESSARIL_MSG_CLIENT_VIEWPORT_INFO) {
            viewport = *static_cast<const TessarilClientViewportInfo*>(payload);
        }
        return true;
    }
};
