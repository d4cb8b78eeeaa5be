#include "RecordingLogger.h"

#include <mutex>

#include "tessaril_log.h"

namespace {

std::mutex recordMutex;
std::vector<LoggedLine> recordedLines;
std::vector<std::thread::id> writingThreads;  // one per recorded line
std::vector<LoggerCreation> recordedCreations;

std::string TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

extern "C" int32_t CreateTessarilLogger(int32_t hostValue, const char* hostText1, const char* hostText2,
                                        const char* loggerName, int32_t lowestLevel, int32_t keptFiles,
                                        int32_t flush)
{
    const std::lock_guard lock(recordMutex);
    recordedCreations.push_back({hostValue, TextOrEmpty(hostText1), TextOrEmpty(hostText2),
                                 TextOrEmpty(loggerName), lowestLevel, keptFiles, flush});
    return 0;
}

extern "C" int32_t TessarilLogWrite(const char* loggerName, int32_t level, const char* message)
{
    const std::lock_guard lock(recordMutex);
    recordedLines.push_back({TextOrEmpty(loggerName), level, TextOrEmpty(message)});
    writingThreads.push_back(std::this_thread::get_id());
    return 0;
}

void PrintTo(const LoggedLine& line, std::ostream* out)
{
    *out << "[" << line.logger << " " << line.level << "] \"" << line.message << "\"";
}

std::vector<LoggedLine> RecordingLogger::Lines()
{
    const std::lock_guard lock(recordMutex);
    return recordedLines;
}

std::vector<LoggedLine> RecordingLogger::LinesOf(std::thread::id thread)
{
    const std::lock_guard lock(recordMutex);
    std::vector<LoggedLine> lines;
    for (size_t i = 0; i < recordedLines.size(); ++i) {
        if (writingThreads[i] == thread) {
            lines.push_back(recordedLines[i]);
        }
    }
    return lines;
}

std::vector<LoggerCreation> RecordingLogger::Creations()
{
    const std::lock_guard lock(recordMutex);
    return recordedCreations;
}

void RecordingLogger::Clear()
{
    const std::lock_guard lock(recordMutex);
    recordedLines.clear();
    writingThreads.clear();
    recordedCreations.clear();
}
