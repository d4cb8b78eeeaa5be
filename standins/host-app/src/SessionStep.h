#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace TESSARIL_HOST_APP {

// One step of a viewer session, as the session file states it. Window names
// are the session's own names for the windows it creates on the simulated
// desktop; the runner maps them to handles. Values that travel to the plugin
// keep the payload's own types, so a session can send hostile values too.

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const Rect&) const = default;
};

struct DesktopWindowStep {
    std::string name;
    std::string className;
    std::string title;
    Rect rect;
    uint32_t processId = 1000;  // the simulated desktop's default owner

    bool operator==(const DesktopWindowStep&) const = default;
};

struct DesktopCapsStep {
    bool on = false;

    bool operator==(const DesktopCapsStep&) const = default;
};

struct DesktopCursorStep {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const DesktopCursorStep&) const = default;
};

struct StartCommandStep {
    std::optional<std::string> window;  // none: share the primary monitor
    std::string text;

    bool operator==(const StartCommandStep&) const = default;
};

struct StopCommandStep {
    bool operator==(const StopCommandStep&) const = default;
};

// Add or remove one ignore window; the runner fills the request's fields from
// these according to the type.
struct IgnoreWindowCommandStep {
    bool add = true;
    int32_t ignoreType = 0;
    std::optional<std::string> window;
    uint32_t processId = 0;
    std::vector<std::string> titles;

    bool operator==(const IgnoreWindowCommandStep&) const = default;
};

struct ClearIgnoreCommandStep {
    bool operator==(const ClearIgnoreCommandStep&) const = default;
};

struct ResetWindowCommandStep {
    std::string window;

    bool operator==(const ResetWindowCommandStep&) const = default;
};

struct ResetScreenCommandStep {
    bool operator==(const ResetScreenCommandStep&) const = default;
};

struct KeyStep {
    int64_t keyCode = 0;
    bool pressed = false;
    bool capsLock = false;
    bool numLock = false;
    int64_t seq = 0;

    bool operator==(const KeyStep&) const = default;
};

struct MouseStep {
    int64_t x = 0;
    int64_t y = 0;
    int32_t eventType = 0;
    int32_t button = 0;
    bool pressed = false;
    double wheelX = 0;
    double wheelY = 0;
    int64_t deltaX = 0;
    int64_t deltaY = 0;
    int64_t viewportWidth = 0;
    int64_t viewportHeight = 0;
    bool suppress = false;  // sets the payload's suppressMark to 1
    int64_t seq = 0;

    bool operator==(const MouseStep&) const = default;
};

struct MouseArrayStep {
    int64_t duration = 0;
    std::vector<MouseStep> events;

    bool operator==(const MouseArrayStep&) const = default;
};

struct ViewportStep {
    int64_t width = 0;
    int64_t height = 0;

    bool operator==(const ViewportStep&) const = default;
};

enum class ChannelEvent { Available, Unavailable, Open, Close };

struct ChannelStep {
    ChannelEvent event = ChannelEvent::Available;

    bool operator==(const ChannelStep&) const = default;
};

struct WaitStep {
    std::chrono::milliseconds duration{0};

    bool operator==(const WaitStep&) const = default;
};

using SessionStep = std::variant<DesktopWindowStep, DesktopCapsStep, DesktopCursorStep, StartCommandStep,
                                 StopCommandStep, IgnoreWindowCommandStep, ClearIgnoreCommandStep,
                                 ResetWindowCommandStep, ResetScreenCommandStep, KeyStep, MouseStep,
                                 MouseArrayStep, ViewportStep, ChannelStep, WaitStep>;

}  // namespace TESSARIL_HOST_APP
