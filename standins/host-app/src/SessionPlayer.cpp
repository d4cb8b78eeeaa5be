#include "SessionPlayer.h"

#include <fmt/format.h>

#include <cstdint>
#include <limits>
#include <utility>

#include "VirtualKeyNames.h"

namespace TESSARIL_HOST_APP {
namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

template <class Handle>
int64_t HandleValue(Handle handle)
{
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(handle));
}

// Everything but the position and the time, which the line's step fills in.
TessarilMouseEventFFI ReadMouseFields(SessionLine& line)
{
    const std::vector<int64_t> viewport = line.Integers("vp", 'x', 2, kInt64Min, kInt64Max);
    MouseEvent event(0, 0, viewport[0], viewport[1]);
    event.Button(static_cast<int32_t>(line.Integer("button", kInt32Min, kInt32Max, 0)),
                 line.Switch("state", "down", "up", false),
                 static_cast<int32_t>(line.Integer("type", kInt32Min, kInt32Max, 0)));
    const std::vector<int64_t> wheel =
        line.Has("wheel") ? line.Integers("wheel", ',', 2, kInt32Min, kInt32Max) : std::vector<int64_t>{0, 0};
    const std::vector<int64_t> delta =
        line.Has("delta") ? line.Integers("delta", ',', 2, kInt64Min, kInt64Max) : std::vector<int64_t>{0, 0};
    event.Wheel(static_cast<double>(wheel[0]), static_cast<double>(wheel[1]))
        .Delta(delta[0], delta[1])
        .SuppressMark(line.Integer("suppress", kInt64Min, kInt64Max, 0))
        .Seq(line.Integer("seq", kInt64Min, kInt64Max));
    return event;
}

// The viewer stamps each event as it sends it.
TessarilMouseEventFFI Stamped(TessarilMouseEventFFI event)
{
    event.createTime = ViewerNow();
    return event;
}

}  // namespace

SessionPlayer::SessionPlayer(HostSession& hostSession, HostDesktop& hostDesktop, SessionReport& sessionReport)
    : session(hostSession), desktop(hostDesktop), report(sessionReport)
{
}

const std::map<std::string, SessionPlayer::Reader, std::less<>>& SessionPlayer::Readers()
{
    static const std::map<std::string, Reader, std::less<>> readers{
        {"window", &SessionPlayer::ReadWindow},
        {"desktop", &SessionPlayer::ReadDesktop},
        {"start", &SessionPlayer::ReadStart},
        {"stop", &SessionPlayer::ReadBareCommand},
        {"add-ignore", &SessionPlayer::ReadIgnore},
        {"remove-ignore", &SessionPlayer::ReadIgnore},
        {"clear-ignore", &SessionPlayer::ReadBareCommand},
        {"reset-window", &SessionPlayer::ReadResetWindow},
        {"reset-screen", &SessionPlayer::ReadBareCommand},
        {"key", &SessionPlayer::ReadKey},
        {"mouse", &SessionPlayer::ReadMouse},
        {"mouse-array", &SessionPlayer::ReadMouseArray},
        {"viewport", &SessionPlayer::ReadViewport},
        {"channel", &SessionPlayer::ReadChannel},
        {"wait", &SessionPlayer::ReadWait},
    };
    return readers;
}

void SessionPlayer::Load(std::string_view text)
{
    int number = 0;
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        if (std::optional<SessionLine> line = SessionLine::Parse(text.substr(at, end - at), ++number)) {
            steps.push_back(Read(*line));
        }
        at = end + 1;
    }
}

// What a step makes the plugin send or inject is reported after the step's own line.
void SessionPlayer::Play(const HostSession::InitOptions& options)
{
    if (!session.Init(options)) {
        report.Note("init", "ExportedInit or ExportedStart returned false");
    }
    for (const Step& step : steps) {
        step();
        Collect();
    }
    report.Note("finish", session.Started() ? "the stop command, ExportedStop, ExportedUninit"
                                            : "ExportedStop, ExportedUninit");
    session.Finish();
    Collect();
}

SessionPlayer::Step SessionPlayer::Read(SessionLine& line)
{
    const auto reader = Readers().find(line.Verb());
    if (reader == Readers().end()) {
        line.Fail(fmt::format("unknown verb \"{}\"", line.Verb()));
    }
    Step step = (this->*reader->second)(line);
    line.CheckAllRead();
    return step;
}

SessionPlayer::Step SessionPlayer::ReadWindow(SessionLine& line)
{
    const std::string name = line.Word("name");
    declared.insert(name);
    const std::vector<int64_t> r = line.Integers("rect", ',', 4, kInt32Min, kInt32Max);
    const RECT rect{static_cast<LONG>(r[0]), static_cast<LONG>(r[1]), static_cast<LONG>(r[2]), static_cast<LONG>(r[3])};
    const auto processId = static_cast<DWORD>(line.Integer("pid", 0, UINT32_MAX, 1000));
    return [this, name, rect, processId, className = line.Word("class"), title = line.Word("title", "")] {
        windows[name] = desktop.AddWindow(className, title, rect, processId);
    };
}

SessionPlayer::Step SessionPlayer::ReadDesktop(SessionLine& line)
{
    const bool caps = line.Switch("caps", "on", "off");
    const std::vector<int64_t> cursor = line.Integers("cursor", ',', 2, kInt32Min, kInt32Max);
    const POINT position{static_cast<LONG>(cursor[0]), static_cast<LONG>(cursor[1])};
    return [this, caps, position] {
        desktop.SetCapsLock(caps);
        desktop.MoveCursor(position);
    };
}

SessionPlayer::Step SessionPlayer::ReadStart(SessionLine& line)
{
    const bool screen = !line.Has("window");
    const std::string window = screen ? "" : ReadWindowName(line);
    if (screen && line.Word("monitor") != "primary") {
        line.Fail("start: monitor= takes primary only");
    }
    return CommandStep(line, [this, screen, window, text = line.Word("text")] {
        return session.Start(static_cast<uint64_t>(screen ? PrimaryMonitor() : WindowHandle(window)), screen,
                             text.c_str());
    });
}

// Type 1 carries the window as four bytes, type 3 as a number, type 2 names
// windows by process and titles; any other type gets the window as a number,
// so a session can send the plugin anything.
SessionPlayer::Step SessionPlayer::ReadIgnore(SessionLine& line)
{
    const bool add = line.Verb() == "add-ignore";
    const auto type = static_cast<int32_t>(line.Integer("type", kInt32Min, kInt32Max));
    const auto processId = static_cast<uint32_t>(type == 2 ? line.Integer("pid", 0, UINT32_MAX) : 0);
    const std::vector<std::string> titles = type == 2 ? line.Words("title") : std::vector<std::string>{};
    const std::string window = type == 2 ? "" : ReadWindowName(line);
    return CommandStep(line, [this, add, type, processId, titles, window] {
        IgnoreRequest request = type == 2 ? IgnoreRequest::ByTitles(processId, titles)
                                : type == 1 ? IgnoreRequest::ByBytes(static_cast<uint32_t>(WindowHandle(window)))
                                            : IgnoreRequest::Raw(type, {}, WindowHandle(window));
        return add ? session.AddIgnore(std::move(request)) : session.RemoveIgnore(std::move(request));
    });
}

SessionPlayer::Step SessionPlayer::ReadBareCommand(SessionLine& line)
{
    if (line.Verb() == "stop") {
        return CommandStep(line, [this] { return session.StopHost(); });
    }
    if (line.Verb() == "clear-ignore") {
        return CommandStep(line, [this] { return session.ClearIgnore(); });
    }
    return CommandStep(line, [this] { return session.ResetScreen(PrimaryMonitor()); });
}

SessionPlayer::Step SessionPlayer::ReadResetWindow(SessionLine& line)
{
    return CommandStep(line, [this, window = ReadWindowName(line)] { return session.ResetWindow(WindowHandle(window)); });
}

SessionPlayer::Step SessionPlayer::ReadKey(SessionLine& line)
{
    const std::optional<uint32_t> named = VirtualKeyFromName(line.Word("vk"));
    const int64_t keyCode = named ? *named : line.Integer("vk", kInt64Min, kInt64Max);
    const bool pressed = line.Switch("state", "down", "up");
    const bool caps = line.Switch("caps", "on", "off", false);
    const bool num = line.Switch("num", "on", "off", false);
    const int64_t seq = line.Integer("seq", kInt64Min, kInt64Max);
    return MessageStep(line, [this, keyCode, pressed, caps, num, seq] {
        session.Key(KeyEvent(keyCode, pressed, seq, caps, num));
    });
}

SessionPlayer::Step SessionPlayer::ReadMouse(SessionLine& line)
{
    const std::vector<int64_t> at = line.Integers("at", ',', 2, kInt64Min, kInt64Max);
    TessarilMouseEventFFI event = ReadMouseFields(line);
    event.x = at[0];
    event.y = at[1];
    return MessageStep(line, [this, event] { session.Mouse(Stamped(event)); });
}

// A drag as one batch: `count` events from `at`, each `by` further and one seq later.
SessionPlayer::Step SessionPlayer::ReadMouseArray(SessionLine& line)
{
    const std::vector<int64_t> at = line.Integers("at", ',', 2, kInt32Min, kInt32Max);
    const std::vector<int64_t> by = line.Integers("by", ',', 2, kInt32Min, kInt32Max);
    const int64_t count = line.Integer("count", 0, 10000);
    const int64_t duration = line.Integer("duration", kInt64Min, kInt64Max, 0);
    const TessarilMouseEventFFI first = ReadMouseFields(line);
    return MessageStep(line, [this, at, by, count, duration, first] {
        std::vector<TessarilMouseEventFFI> events(static_cast<size_t>(count), Stamped(first));
        for (int64_t i = 0; i < count; ++i) {
            TessarilMouseEventFFI& event = events[static_cast<size_t>(i)];
            event.x = at[0] + i * by[0];
            event.y = at[1] + i * by[1];
            event.seq += i;
        }
        MouseArray batch(std::move(events), duration);
        session.MouseBatch(batch);
    });
}

SessionPlayer::Step SessionPlayer::ReadViewport(SessionLine& line)
{
    const std::vector<int64_t> size = line.Integers("size", 'x', 2, kInt64Min, kInt64Max);
    return MessageStep(line, [this, size] {
        session.Receive(TESSARIL_MSG_CLIENT_VIEWPORT_INFO, Viewport(size[0], size[1]));
    });
}

// The indications from the channel and the responses to the host's requests.
SessionPlayer::Step SessionPlayer::ReadChannel(SessionLine& line)
{
    static const std::map<std::string, uint64_t, std::less<>> ids{
        {"available", TESSARIL_MSG_CHANNEL_AVAILABLE},
        {"unavailable", TESSARIL_MSG_CHANNEL_UNAVAILABLE},
        {"open", TESSARIL_MSG_OPEN_CHANNEL_RESPONSE},
        {"close", TESSARIL_MSG_CLOSE_CHANNEL_RESPONSE},
    };
    const auto id = ids.find(line.Word("event"));
    if (id == ids.end()) {
        line.Fail("channel: event= takes available, unavailable, open or close");
    }
    // The messages carry nothing, but the plugin drops a null payload.
    return MessageStep(line, [this, messageId = id->second] { session.Receive(messageId, char{0}); });
}

SessionPlayer::Step SessionPlayer::ReadWait(SessionLine& line)
{
    const std::chrono::milliseconds duration(line.Integer("ms", 0, 600000));
    return [this, duration] { desktop.Wait(duration); };
}

SessionPlayer::Step SessionPlayer::CommandStep(const SessionLine& line, std::function<int64_t()> call)
{
    return [this, text = line.Text(), call = std::move(call)] { report.Command(text, call()); };
}

SessionPlayer::Step SessionPlayer::MessageStep(const SessionLine& line, std::function<void()> send)
{
    return [this, text = line.Text(), send = std::move(send)] {
        send();
        report.In(text);
    };
}

std::string SessionPlayer::ReadWindowName(SessionLine& line)
{
    std::string name = line.Word("window");
    if (!declared.contains(name)) {
        line.Fail(fmt::format("no window named \"{}\" above this line", name));
    }
    return name;
}

int64_t SessionPlayer::WindowHandle(const std::string& name) const
{
    return HandleValue(windows.at(name));
}

int64_t SessionPlayer::PrimaryMonitor() const
{
    return HandleValue(desktop.PrimaryMonitor());
}

void SessionPlayer::Collect()
{
    desktop.Pump();
    report.Out(session.recorder.Take(), session.loop.LoopThreadId());
    report.Inputs(desktop.NewInputCalls());
}

}  // namespace TESSARIL_HOST_APP
