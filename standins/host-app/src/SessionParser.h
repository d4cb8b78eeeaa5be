#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "SessionStep.h"
#include "StepFields.h"

namespace TESSARIL_HOST_APP {

// Reads a session file (the grammar is in the folder's README) into its
// steps. A pure function of the text: no files, no desktop, no globals, so
// that a fuzzer can feed it anything.
class SessionParser {
public:
    // Throws SessionError naming the first line that cannot be read.
    static std::vector<SessionStep> Parse(std::string_view text);

private:
    using StepReader = SessionStep (SessionParser::*)(StepFields&);
    struct NamedReader {
        std::string_view name;
        StepReader read;
    };

    SessionParser() = default;

    void ParseLine(std::string_view line);
    void AppendToMouseArray(StepFields& fields);
    SessionStep ReadNamed(StepFields& fields, std::string_view name, const std::vector<NamedReader>& readers,
                          const std::string& unknown);

    SessionStep ReadStep(StepFields& fields);
    SessionStep ReadDesktop(StepFields& fields);
    SessionStep ReadCommand(StepFields& fields);

    SessionStep ReadWindow(StepFields& fields);
    SessionStep ReadCaps(StepFields& fields);
    SessionStep ReadCursor(StepFields& fields);

    SessionStep ReadStart(StepFields& fields);
    SessionStep ReadStop(StepFields& fields);
    SessionStep ReadAddIgnore(StepFields& fields);
    SessionStep ReadRemoveIgnore(StepFields& fields);
    SessionStep ReadClearIgnore(StepFields& fields);
    SessionStep ReadResetWindow(StepFields& fields);
    SessionStep ReadResetScreen(StepFields& fields);
    IgnoreWindowCommandStep ReadIgnoreWindow(StepFields& fields, bool add);
    std::string KnownWindow(std::string_view name) const;

    SessionStep ReadKey(StepFields& fields);
    SessionStep ReadMouse(StepFields& fields);
    SessionStep ReadMouseArray(StepFields& fields);
    SessionStep ReadViewport(StepFields& fields);
    SessionStep ReadChannel(StepFields& fields);
    SessionStep ReadWait(StepFields& fields);
    static MouseStep ReadMouseEvent(StepFields& fields);

    std::vector<SessionStep> steps;
    std::set<std::string, std::less<>> windows;  // the names desktop window declared so far
    int lineNumber = 0;
    std::string label;  // the step being read, the prefix of its errors
    bool inMouseArray = false;
};

}  // namespace TESSARIL_HOST_APP
