#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "HostDesktop.h"
#include "HostSession.h"
#include "SessionLine.h"
#include "SessionReport.h"

namespace TESSARIL_HOST_APP {

// A session file replayed through the harness's HostSession on the build's
// desktop. Every line is read into a step before anything runs, so a bad line
// stops the replay before the plugin is touched.
class SessionPlayer {
public:
    SessionPlayer(HostSession& session, HostDesktop& desktop, SessionReport& report);

    // Throws std::runtime_error "line <n>: <problem>".
    void Load(std::string_view text);
    // ExportedInit, ExportedStart, the steps; then the session's Finish: the
    // stop command if a start is still in force, ExportedStop, ExportedUninit.
    void Play(const HostSession::InitOptions& options);

private:
    using Step = std::function<void()>;
    using Reader = Step (SessionPlayer::*)(SessionLine&);
    static const std::map<std::string, Reader, std::less<>>& Readers();

    Step Read(SessionLine& line);
    Step ReadWindow(SessionLine& line);
    Step ReadDesktop(SessionLine& line);
    Step ReadStart(SessionLine& line);
    Step ReadIgnore(SessionLine& line);
    Step ReadBareCommand(SessionLine& line);
    Step ReadResetWindow(SessionLine& line);
    Step ReadKey(SessionLine& line);
    Step ReadMouse(SessionLine& line);
    Step ReadMouseArray(SessionLine& line);
    Step ReadViewport(SessionLine& line);
    Step ReadChannel(SessionLine& line);
    Step ReadWait(SessionLine& line);

    Step CommandStep(const SessionLine& line, std::function<int64_t()> call);
    Step MessageStep(const SessionLine& line, std::function<void()> send);
    std::string ReadWindowName(SessionLine& line);
    int64_t WindowHandle(const std::string& name) const;
    int64_t PrimaryMonitor() const;
    void Collect();

    HostSession& session;
    HostDesktop& desktop;
    SessionReport& report;
    std::vector<Step> steps;
    std::set<std::string, std::less<>> declared;  // while loading
    std::map<std::string, HWND, std::less<>> windows;  // while playing
};

}  // namespace TESSARIL_HOST_APP
