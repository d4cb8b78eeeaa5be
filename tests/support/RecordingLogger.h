#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// Test stand-in for the logger library: the test programs link this instead of
// tessaril-log-dll, and every line the system writes is kept in memory.
struct LoggedLine {
    std::string logger;
    int32_t level = 0;
    std::string message;

    bool operator==(const LoggedLine&) const = default;
};

// Printed so that a failed comparison names the missing or the extra line.
void PrintTo(const LoggedLine& line, std::ostream* out);

// A line of the system's own logger at level 3, 4 or 5.
inline LoggedLine InfoLine(std::string message) { return {"tessaril_remotecontrol_host", 3, std::move(message)}; }
inline LoggedLine WarningLine(std::string message) { return {"tessaril_remotecontrol_host", 4, std::move(message)}; }
inline LoggedLine ErrorLine(std::string message) { return {"tessaril_remotecontrol_host", 5, std::move(message)}; }

struct LoggerCreation {
    int32_t hostValue = 0;
    std::string hostText1;
    std::string hostText2;
    std::string logger;
    int32_t lowestLevel = 0;
    int32_t keptFiles = 0;
    int32_t flush = 0;

    bool operator==(const LoggerCreation&) const = default;
};

class RecordingLogger {
public:
    static std::vector<LoggedLine> Lines();
    // Only the lines written on `thread`: what a call on that thread wrote,
    // without the cursor thread's lines that may fall in between.
    static std::vector<LoggedLine> LinesOf(std::thread::id thread);
    static std::vector<LoggerCreation> Creations();
    static void Clear();
};
