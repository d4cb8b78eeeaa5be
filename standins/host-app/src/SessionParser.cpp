#include "SessionParser.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <tuple>

#include "FieldValues.h"
#include "SessionError.h"
#include "VirtualKeyNames.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kUInt32Max = std::numeric_limits<uint32_t>::max();
// Longer than any session needs; a typo of a few zeros should not stall a run.
constexpr int64_t kLongestWaitMs = 600'000;

int32_t ReadInt32(StepFields& fields, std::string_view key, int32_t absent)
{
    const std::optional<std::string_view> value = fields.Take(key);
    return value ? static_cast<int32_t>(ParseInteger(key, *value, kInt32Min, kInt32Max)) : absent;
}

int64_t RequireInt64(StepFields& fields, std::string_view key)
{
    return ParseInteger(key, fields.Require(key), kInt64Min, kInt64Max);
}

uint32_t ReadProcessId(StepFields& fields, uint32_t absent)
{
    const std::optional<std::string_view> value = fields.Take("pid");
    return value ? static_cast<uint32_t>(ParseInteger("pid", *value, 0, kUInt32Max)) : absent;
}

// down or up; both at once is a contradiction, neither is "up" where allowed.
std::optional<bool> ReadPressed(StepFields& fields)
{
    const bool down = fields.TakeFlag("down");
    const bool up = fields.TakeFlag("up");
    if (down && up) {
        throw std::invalid_argument("down and up exclude each other");
    }
    return down || up ? std::optional<bool>(down) : std::nullopt;
}

Rect ReadRect(std::string_view text)
{
    std::array<int32_t, 4> values{};
    for (size_t i = 0; i < values.size(); ++i) {
        const size_t comma = text.find(',');
        const bool last = i + 1 == values.size();
        if (last != (comma == std::string_view::npos)) {
            FailField("rect", "expected l,t,r,b");
        }
        values[i] = static_cast<int32_t>(ParseInteger("rect", text.substr(0, comma), kInt32Min, kInt32Max));
        text.remove_prefix(last ? text.size() : comma + 1);
    }
    return {values[0], values[1], values[2], values[3]};
}

bool IsWindowName(std::string_view name)
{
    for (const char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                             c == '-' || c == '_';
        if (!allowed) {
            return false;
        }
    }
    return !name.empty();
}

}  // namespace

std::vector<SessionStep> SessionParser::Parse(std::string_view text)
{
    SessionParser parser;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        ++parser.lineNumber;
        parser.ParseLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return std::move(parser.steps);
}

void SessionParser::ParseLine(std::string_view line)
{
    if (line.ends_with('\r')) {
        line.remove_suffix(1);  // a file saved on Windows
    }
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') {
        return;
    }
    label.clear();
    try {
        StepFields fields(line);
        if (first > 0) {
            AppendToMouseArray(fields);
        } else {
            inMouseArray = false;
            steps.push_back(ReadStep(fields));
        }
        fields.Finish();
    } catch (const std::invalid_argument& problem) {
        throw SessionError(lineNumber, label.empty() ? problem.what() : label + ": " + problem.what());
    }
}

// Only mouse lines may be indented, and only under a mouse-array line.
void SessionParser::AppendToMouseArray(StepFields& fields)
{
    if (!inMouseArray) {
        throw std::invalid_argument("indented line outside a mouse-array");
    }
    label = "mouse-array";
    if (fields.TakeWord("mouse") != "mouse") {
        throw std::invalid_argument("only mouse lines may be indented under it");
    }
    label = "mouse";
    std::get<MouseArrayStep>(steps.back()).events.push_back(ReadMouseEvent(fields));
}

SessionStep SessionParser::ReadNamed(StepFields& fields, std::string_view name,
                                     const std::vector<NamedReader>& readers, const std::string& unknown)
{
    for (const NamedReader& reader : readers) {
        if (reader.name == name) {
            label = label.empty() ? std::string(name) : label + " " + std::string(name);
            return (this->*reader.read)(fields);
        }
    }
    throw std::invalid_argument(unknown + " \"" + std::string(name) + "\"");
}

SessionStep SessionParser::ReadStep(StepFields& fields)
{
    static const std::vector<NamedReader> readers{
        {"desktop", &SessionParser::ReadDesktop},   {"command", &SessionParser::ReadCommand},
        {"key", &SessionParser::ReadKey},           {"mouse", &SessionParser::ReadMouse},
        {"mouse-array", &SessionParser::ReadMouseArray}, {"viewport", &SessionParser::ReadViewport},
        {"channel", &SessionParser::ReadChannel},   {"wait", &SessionParser::ReadWait},
    };
    return ReadNamed(fields, fields.TakeWord("a step"), readers, "unknown step");
}

SessionStep SessionParser::ReadDesktop(StepFields& fields)
{
    static const std::vector<NamedReader> readers{
        {"window", &SessionParser::ReadWindow},
        {"caps", &SessionParser::ReadCaps},
        {"cursor", &SessionParser::ReadCursor},
    };
    return ReadNamed(fields, fields.TakeWord("window, caps or cursor"), readers, "unknown step");
}

SessionStep SessionParser::ReadCommand(StepFields& fields)
{
    static const std::vector<NamedReader> readers{
        {"start", &SessionParser::ReadStart},
        {"stop", &SessionParser::ReadStop},
        {"add-ignore", &SessionParser::ReadAddIgnore},
        {"remove-ignore", &SessionParser::ReadRemoveIgnore},
        {"clear-ignore", &SessionParser::ReadClearIgnore},
        {"reset-window", &SessionParser::ReadResetWindow},
        {"reset-screen", &SessionParser::ReadResetScreen},
    };
    return ReadNamed(fields, fields.TakeWord("a command name"), readers, "unknown command");
}

SessionStep SessionParser::ReadWindow(StepFields& fields)
{
    DesktopWindowStep step;
    step.name = fields.TakeWord("a window name");
    if (!IsWindowName(step.name)) {
        throw std::invalid_argument("bad window name \"" + step.name + "\": use letters, digits, - and _");
    }
    if (windows.contains(step.name)) {
        throw std::invalid_argument("window \"" + step.name + "\" declared twice");
    }
    step.className = ParseQuotedText("class", fields.Require("class"));
    step.title = ParseQuotedText("title", fields.Require("title"));
    step.rect = ReadRect(fields.Require("rect"));
    step.processId = ReadProcessId(fields, step.processId);
    windows.insert(step.name);
    return step;
}

SessionStep SessionParser::ReadCaps(StepFields& fields)
{
    const std::string_view state = fields.TakeWord("on or off");
    if (state != "on" && state != "off") {
        FailField("", "expected on or off, got \"" + std::string(state) + "\"");
    }
    return DesktopCapsStep{state == "on"};
}

SessionStep SessionParser::ReadCursor(StepFields& fields)
{
    const auto [x, y] = ParseIntegerPair("", fields.TakeWord("x,y"), ',', kInt32Min, kInt32Max);
    return DesktopCursorStep{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

SessionStep SessionParser::ReadStart(StepFields& fields)
{
    StartCommandStep step;
    const std::optional<std::string_view> window = fields.Take("window");
    const std::optional<std::string_view> monitor = fields.Take("monitor");
    if (window.has_value() == monitor.has_value()) {
        throw std::invalid_argument("expected one of window= and monitor=");
    }
    if (monitor && *monitor != "primary") {
        FailField("monitor", "expected primary, got \"" + std::string(*monitor) + "\"");
    }
    if (window) {
        step.window = KnownWindow(*window);
    }
    step.text = ParseQuotedText("text", fields.Require("text"));
    return step;
}

SessionStep SessionParser::ReadStop(StepFields&)
{
    return StopCommandStep{};
}

SessionStep SessionParser::ReadAddIgnore(StepFields& fields)
{
    return ReadIgnoreWindow(fields, true);
}

SessionStep SessionParser::ReadRemoveIgnore(StepFields& fields)
{
    return ReadIgnoreWindow(fields, false);
}

IgnoreWindowCommandStep SessionParser::ReadIgnoreWindow(StepFields& fields, bool add)
{
    IgnoreWindowCommandStep step;
    step.add = add;
    step.ignoreType = static_cast<int32_t>(ParseInteger("type", fields.Require("type"), kInt32Min, kInt32Max));
    if (const std::optional<std::string_view> window = fields.Take("window")) {
        step.window = KnownWindow(*window);
    }
    step.processId = ReadProcessId(fields, 0);
    if (const std::optional<std::string_view> titles = fields.Take("titles")) {
        step.titles = ParseQuotedTexts("titles", *titles);
    }
    return step;
}

SessionStep SessionParser::ReadClearIgnore(StepFields&)
{
    return ClearIgnoreCommandStep{};
}

SessionStep SessionParser::ReadResetWindow(StepFields& fields)
{
    return ResetWindowCommandStep{KnownWindow(fields.Require("window"))};
}

SessionStep SessionParser::ReadResetScreen(StepFields&)
{
    return ResetScreenCommandStep{};
}

// Commands refer to windows by the names desktop window gave them earlier.
std::string SessionParser::KnownWindow(std::string_view name) const
{
    if (!windows.contains(name)) {
        throw std::invalid_argument("unknown window \"" + std::string(name) + "\"");
    }
    return std::string(name);
}

SessionStep SessionParser::ReadKey(StepFields& fields)
{
    KeyStep step;
    const std::string_view key = fields.TakeWord("a key");
    if (const std::optional<uint32_t> named = VirtualKeyFromName(key)) {
        step.keyCode = *named;
    } else if (key.starts_with("0x")) {
        step.keyCode = ParseInteger("", key, 0, kInt64Max);
    } else {
        throw std::invalid_argument("unknown key \"" + std::string(key) + "\"");
    }
    const std::optional<bool> pressed = ReadPressed(fields);
    if (!pressed) {
        throw std::invalid_argument("expected down or up");
    }
    step.pressed = *pressed;
    step.capsLock = fields.TakeFlag("caps");
    step.numLock = fields.TakeFlag("num");
    step.seq = RequireInt64(fields, "seq");
    return step;
}

SessionStep SessionParser::ReadMouse(StepFields& fields)
{
    return ReadMouseEvent(fields);
}

MouseStep SessionParser::ReadMouseEvent(StepFields& fields)
{
    MouseStep step;
    std::tie(step.x, step.y) = ParseIntegerPair("", fields.TakeWord("x,y"), ',', kInt64Min, kInt64Max);
    step.eventType = static_cast<int32_t>(ParseInteger("type", fields.Require("type"), kInt32Min, kInt32Max));
    step.button = ReadInt32(fields, "button", 0);
    step.pressed = ReadPressed(fields).value_or(false);
    if (const std::optional<std::string_view> wheel = fields.Take("wheel")) {
        const size_t comma = wheel->find(',');
        if (comma == std::string_view::npos) {
            FailField("wheel", "expected dx,dy");
        }
        step.wheelX = ParseReal("wheel", wheel->substr(0, comma));
        step.wheelY = ParseReal("wheel", wheel->substr(comma + 1));
    }
    if (const std::optional<std::string_view> delta = fields.Take("delta")) {
        std::tie(step.deltaX, step.deltaY) = ParseIntegerPair("delta", *delta, ',', kInt64Min, kInt64Max);
    }
    std::tie(step.viewportWidth, step.viewportHeight) =
        ParseIntegerPair("vp", fields.Require("vp"), 'x', kInt64Min, kInt64Max);
    step.suppress = fields.TakeFlag("suppress");
    step.seq = RequireInt64(fields, "seq");
    return step;
}

SessionStep SessionParser::ReadMouseArray(StepFields& fields)
{
    inMouseArray = true;
    return MouseArrayStep{RequireInt64(fields, "duration"), {}};
}

SessionStep SessionParser::ReadViewport(StepFields& fields)
{
    const auto [width, height] = ParseIntegerPair("", fields.TakeWord("<w>x<h>"), 'x', kInt64Min, kInt64Max);
    return ViewportStep{width, height};
}

SessionStep SessionParser::ReadChannel(StepFields& fields)
{
    static const std::vector<std::pair<std::string_view, ChannelEvent>> events{
        {"available", ChannelEvent::Available},
        {"unavailable", ChannelEvent::Unavailable},
        {"open", ChannelEvent::Open},
        {"close", ChannelEvent::Close},
    };
    const std::string_view word = fields.TakeWord("available, unavailable, open or close");
    for (const auto& [name, event] : events) {
        if (name == word) {
            return ChannelStep{event};
        }
    }
    throw std::invalid_argument("unknown channel event \"" + std::string(word) + "\"");
}

SessionStep SessionParser::ReadWait(StepFields& fields)
{
    return WaitStep{std::chrono::milliseconds(ParseInteger("", fields.TakeWord("milliseconds"), 0, kLongestWaitMs))};
}

}  // namespace TESSARIL_HOST_APP
