#include "SessionRunner.h"

#include <utility>

#include "HostEventLoop.h"
#include "OutgoingMessageRecorder.h"
#include "Overloaded.h"

namespace TESSARIL_HOST_APP {
namespace {

// The host's arbitrary word for the plugin; the plugin only stores it.
constexpr uint32_t kPluginHandle = 0x7e55;
// The size at which the plugin's log file rotates.
constexpr int32_t kLogFileBytes = 10 * 1024 * 1024;

}  // namespace

SessionRunner::SessionRunner(const PluginExports& pluginExports, SessionReport& sessionReport,
                             std::filesystem::path logDir)
    : exports(pluginExports),
      report(sessionReport),
      logDirectory(std::move(logDir)),
      commands(pluginExports, windows),
      viewer(pluginExports)
{
}

// The loop and the recorder outlive ExportedUninit, which unregisters the
// plugin's listener; tasks still queued after the stop (a cursor report) run
// before it, while the plugin can still send.
void SessionRunner::Run(const std::vector<SessionStep>& steps)
{
    desktop.emplace();
    HostEventLoop loop;
    OutgoingMessageRecorder recorder(report, loop);
    const TessarilEventLoopTable table = loop.Table();
    const std::string directory = logDirectory.string();
    report.SetLogFile((logDirectory / (std::string(kLogFileStem) + ".log")).string());

    exports.init(&OutgoingMessageRecorder::Send, &OutgoingMessageRecorder::Notify, kPluginHandle, &table,
                 directory.c_str(), kLogFileStem, kLogFileBytes);
    exports.start();
    RunSteps(steps);
    exports.stop();
    if (commands.Started()) {
        RunStep([this] { return commands.Stop("stop (left started by the session)"); });
    }
    loop.Drain();
    exports.uninit();
    AddNewSendInputCalls();
    desktop.reset();
}

void SessionRunner::RunSteps(const std::vector<SessionStep>& steps)
{
    for (const SessionStep& step : steps) {
        RunStep([this, &step] { return Replay(step); });
    }
}

// What a step makes the plugin send arrives while the step runs; its own entry
// goes in front of those, so that the report reads cause, then effect.
void SessionRunner::RunStep(const std::function<std::optional<ReportEntry>()>& run)
{
    const size_t position = report.Size();
    if (std::optional<ReportEntry> entry = run()) {
        report.Insert(position, std::move(*entry));
    }
    desktop->Pump();
    AddNewSendInputCalls();
}

std::optional<ReportEntry> SessionRunner::Replay(const SessionStep& step)
{
    using Entry = std::optional<ReportEntry>;
    return std::visit(
        Overloaded{
            [this](const DesktopWindowStep& s) -> Entry {
                windows[s.name] = desktop->AddWindow(s);
                return std::nullopt;
            },
            [this](const DesktopCapsStep& s) -> Entry {
                desktop->SetCapsLock(s.on);
                return std::nullopt;
            },
            [this](const DesktopCursorStep& s) -> Entry {
                desktop->MoveCursor(s.x, s.y);
                return std::nullopt;
            },
            [this](const StartCommandStep& s) -> Entry { return commands.Start(s); },
            [this](const StopCommandStep&) -> Entry { return commands.Stop("stop"); },
            [this](const IgnoreWindowCommandStep& s) -> Entry { return commands.Ignore(s); },
            [this](const ClearIgnoreCommandStep&) -> Entry { return commands.ClearIgnore(); },
            [this](const ResetWindowCommandStep& s) -> Entry { return commands.ResetWindow(s); },
            [this](const ResetScreenCommandStep&) -> Entry { return commands.ResetScreen(); },
            [this](const KeyStep& s) -> Entry { return viewer.Key(s); },
            [this](const MouseStep& s) -> Entry { return viewer.Mouse(s); },
            [this](const MouseArrayStep& s) -> Entry { return viewer.MouseArray(s); },
            [this](const ViewportStep& s) -> Entry { return viewer.Viewport(s); },
            [this](const ChannelStep& s) -> Entry { return viewer.Channel(s); },
            [this](const WaitStep& s) -> Entry {
                desktop->Wait(s.duration);
                return std::nullopt;
            },
        },
        step);
}

void SessionRunner::AddNewSendInputCalls()
{
    for (SendInputEntry& entry : desktop->ReadNewSendInputCalls()) {
        report.Add(std::move(entry));
    }
}

}  // namespace TESSARIL_HOST_APP
