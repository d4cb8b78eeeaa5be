#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Reading the journals of threaded tests: the cursor thread and the loop
// thread keep their own pace, so a test polls for what it waits for.

// How many lines start with `prefix`, e.g. the "postTask" entries of a loop's journal.
inline std::ptrdiff_t CountStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    return std::count_if(lines.begin(), lines.end(),
                         [&prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

// Polls every 10 ms for up to `timeout`; the condition's last answer. 10 s unless
// given: the i386 build runs under emulation and the tsan build slowly.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    for (auto waited = std::chrono::milliseconds(0); waited < timeout && !condition();
         waited += std::chrono::milliseconds(10)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// A cursor batch of ten equal samples, as the recorder words it.
inline std::string CursorBatch(int64_t type, int64_t x, int64_t y, int64_t width, int64_t height)
{
    std::string line = "cursor 10";
    for (int i = 0; i < 10; ++i) {
        line += " " + std::to_string(type) + "@" + std::to_string(x) + "," + std::to_string(y);
    }
    return line + " in " + std::to_string(width) + "x" + std::to_string(height);
}
